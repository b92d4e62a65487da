#pragma once
// Display units: the depth unit is a view over the metre depths; a channel unit is the unit
// its stored values are in, so changing it converts them.

#include <string_view>
#include <vector>

#include "sounding/sounding.hpp"

namespace pelorin {

enum class DepthUnit { Metres = 0, Feet = 1 };

// Reading[0][n] for n = 1 .. NumReadings from Depth[n]: metres as they are, or feet.
void applyDisplayDepths(Sounding& s, DepthUnit unit);

// The depth of one reading in the display unit.
float displayDepth(float metres, DepthUnit unit);
// A depth in metres in the display unit and back, unrounded, as the profile's view needs.
double toDisplayUnit(double metres, DepthUnit unit);
double toMetres(double displayDepth, DepthUnit unit);

// The unit options (1-based, in list order) of channel type `type` named exactly `name`;
// none for a type without definitions.
std::vector<int> unitOptionsNamed(const ChannelDefinitions& defs, int type, std::string_view name);

// Selects unit option `option` (1-based) for channel c and converts the channel's values
// (and its baseline drift, when the file had a final baseline) from the factor in force
// to the option's factor. NoValue and positions past NumReadings are left alone.
void changeChannelUnit(Sounding& s, const ChannelDefinitions& defs, int c, int option);

}  // namespace pelorin
