#pragma once
// The readings as a table for spreadsheets: one row per reading with its depth (display
// unit), speed and the value of every channel in its selected unit, each channel's value
// taken at its lag so that a row holds what was measured at that depth.

#include <optional>
#include <string>

#include "sounding/sounding.hpp"
#include "sounding/units.hpp"

namespace pelorin {

enum class TableStyle {
  TabSeparated,    // for the clipboard: fields joined by tabs, lines ended by LF
  CommaSeparated,  // CSV: commas, quoted where needed, lines ended by CR LF
};

// The header row ("Depth (m)", "Speed (cm/s)", "Qc (MPA)", ...) and one row per reading.
// A channel without a value at a reading (the no-value marker, or before its lag allows
// one) is an empty field. Numbers use "." and as many digits as the stored float needs.
// Texts are UTF-8.
std::string readingsTable(const Sounding& s, const ChannelDefinitions& defs, DepthUnit unit,
                          TableStyle style);

// The value channel c measured at reading n: Reading[c][n - ChannelLag[c]], or NoValue when
// the lag puts it before the first position.
float channelValueAt(const Sounding& s, int c, int n);

// The same in the channel type's base unit, or nothing without a value (or a unit factor).
std::optional<double> channelBaseValue(const Sounding& s, int c, int n);

// The first channel of the type, 0 when there is none.
int firstChannelOfType(const Sounding& s, int type);

}  // namespace pelorin
