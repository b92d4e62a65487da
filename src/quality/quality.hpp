#pragma once
// Is the sounding good enough? Its penetration rate, depth steps, zero drift and inclination
// against the application classes of ISO 22476-1, assessed from the readings as they stand.
// Readings without a value are left out of every figure.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "sounding/sounding.hpp"

namespace pelorin {

// The penetration rate asked for: 20 mm/s +- 5 mm/s, in cm/s as the sounding holds speeds.
constexpr double RateBandLow = 1.5, RateBandHigh = 2.5;
// A run of readings outside the band this long or longer is told with its depths.
constexpr int LongRunOutside = 5;

// Readings first..last and their depths (m).
struct ReadingRun {
  int first = 0, last = 0;
  double top = 0, bottom = 0;
};

struct RateFigures {
  int readings = 0;                   // with a speed
  double mean = 0, min = 0, max = 0;  // cm/s
  int outside = 0;                    // readings outside the band
  double shareOutside = 0;            // of the readings with a speed, 0 to 1
  std::vector<ReadingRun> longRuns;   // LongRunOutside or more consecutive readings outside
};

struct StepFigures {
  int steps = 0;             // between consecutive readings
  double mean = 0, max = 0;  // m
  int largestAt = 0;         // the reading below the largest step
  int above20mm = 0, above50mm = 0, zeroOrNegative = 0;
  int firstZeroOrNegative = 0;  // the reading below the first such step
};

// A channel as the report names it.
struct QualityChannel {
  int channel = 0, type = 0;
  std::string name;  // Windows-1252, as the sounding holds it
};

// The zero drift of a cone, sleeve or pore-pressure channel against each class's limit.
struct ChannelDrift : QualityChannel {
  double drift = 0;    // |BaselineDrift| in the base unit (kPa)
  double largest = 0;  // the largest absolute value of the channel in the sounding (kPa)
  // [class 1..4]: the larger of the absolute and the relative limit (kPa); none where the
  // class does not ask for it (pore pressures in class 4).
  std::array<std::optional<double>, 5> limit;
};

struct InclinationFigures {
  bool recorded = false;  // channels of types 6 and 7, or of type 10
  double max = 0;         // the resultant, degrees
  int maxAt = 0;
  double depthAtMax = 0;
  double largestChange = 0;  // between consecutive readings with a value, degrees
  int largestChangeAt = 0;
};

struct ChannelCounts : QualityChannel {
  int withoutValue = 0, firstWithoutValue = 0;  // readings past the channel's lag
  // Cone resistance and sleeve friction only; nullopt for other types.
  std::optional<int> zeroOrNegative;
  int firstZeroOrNegative = 0;
};

struct QualityReport {
  int readings = 0;
  RateFigures rate;
  StepFigures steps;
  bool hasPorePressure = false;
  bool driftAssessed = false;  // the sounding has a final-baseline line
  std::vector<ChannelDrift> drift;
  InclinationFigures inclination;
  std::vector<ChannelCounts> channels;
  int repeatedDepths = 0, firstRepeatedDepth = 0;  // readings at the depth of an earlier one
  // The best class whose every applicable limit holds, the worst channel deciding.
  std::optional<int> classReached;
};

QualityReport assessQuality(const Sounding& s, const ChannelDefinitions& defs);

// Where the inclination of the cone is read from: the two inclinations X and Y, or else a
// channel of the resultant; 0 where there is none.
struct InclinationChannels {
  int x = 0, y = 0, resultant = 0;
  bool recorded() const { return (x && y) || resultant; }
};
InclinationChannels inclinationChannels(const Sounding& s, const ChannelDefinitions& defs);
// The inclination from the vertical at reading n (degrees), or nothing without a value.
std::optional<double> inclinationAt(const Sounding& s, const InclinationChannels& channels, int n);

// The runs of LongRunOutside or more consecutive readings whose speed lies outside the rate
// band; a reading without a speed ends a run.
std::vector<ReadingRun> runsOutsideRateBand(const Sounding& s);

// One line of the report as the window's table and the batch tool show it.
enum class QualityMark { Met, NotMet, NotAssessed };
struct QualityLine {
  QualityMark mark;
  std::string item, figures;
  int reading = 0;  // the first reading the line names, or 0
};
std::vector<QualityLine> qualityLines(const QualityReport& report);
const char* markWord(QualityMark mark);
// The report as text, one line each, for a terminal.
std::string qualityText(const QualityReport& report);
// "ISO 22476-1 class 2 (assessed by Pelorin from the data)", or empty without a class.
std::string assessedClassText(const QualityReport& report);

}  // namespace pelorin
