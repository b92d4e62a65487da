#pragma once
// What the depth profile beside the grid plots: each channel against depth, depth pointing
// down, plus the friction ratio Rf when the sounding has a cone (type 1) and a sleeve
// (type 2) channel.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quality/quality.hpp"
#include "sounding/sounding.hpp"
#include "sounding/units.hpp"

namespace pelorin {

struct ProfileTrack {
  std::string title;  // channel name, UTF-8
  std::string unit;   // selected unit's name, UTF-8
  // Value measured at reading n (index n - 1), NaN where the channel has none: drawn as a
  // gap, never as -32768.
  std::vector<float> values;
};

struct ProfileData {
  std::vector<float> depth;  // display depth of reading n at index n - 1
  std::vector<bool> alarm;   // the grid shows this reading's speed in red
  // Runs of readings that keep outside the penetration rate band: shaded.
  std::vector<ReadingRun> rateRuns;
  std::vector<ProfileTrack> tracks;
};

ProfileData profileData(const Sounding& s, const ChannelDefinitions& defs, DepthUnit unit);

// Friction ratio in percent from a cone resistance and a sleeve friction in their selected
// units, each turned back to its base unit first. NaN when either has no value or the cone
// resistance is not positive.
double frictionRatio(float qc, float qcFactor, float fs, float fsFactor);

// The reading nearest to a display depth among those Up and Down can reach
// (MaxLag + 1 .. NumReadings); the shallower one on a tie. 0 when there is none.
int nearestReading(const Sounding& s, DepthUnit unit, double target);

// The reading a "go to" text names: a whole number is a reading number, a number with a
// decimal point a depth in the unit shown and a number followed by "m" a depth in metres,
// each depth the nearest reading Up and Down reach. None for any other text.
std::optional<int> readingNamed(const Sounding& s, DepthUnit unit, std::string_view text);

}  // namespace pelorin
