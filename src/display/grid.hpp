#pragma once
// The readings window: which reading each of the 24 grid rows shows, the texts of its
// cells, the speed alarm colour and the cells that mark the current reading.

#include <array>
#include <string>
#include <string_view>

#include "sounding/sounding.hpp"

namespace pelorin {

// Grid row r (1 to 24) shows reading DataIndex - CurrentRow + r.
int gridReading(const Sounding& s, int row);

// Depth column: the display depth with "##0.00"; speed column: cm/s with "##.00".
std::string depthCellText(float displayDepth);
std::string speedCellText(float speed);

// A penetration speed of 0 or above 10 cm/s is suspect. The test is made on the value the
// speed cell shows (read back by the numeric prefix), so on the speed rounded to 0.01.
bool speedIsAlarm(std::string_view speedText);

// Channel c's value at position n in the display pattern of its selected unit option.
std::string channelCellText(const Sounding& s, const ChannelDefinitions& defs, int c, int n);

// Everything RefreshGrid writes into one grid row. `shown` is false for a row whose
// reading number lies outside the readings table (past reading 10,000): its cells are
// left empty.
struct GridRowTexts {
  bool shown = false;
  std::string depth, speed;
  bool alarm = false;                                // depth and speed text in red
  std::array<std::string, MaxChannels + 1> channel;  // [1 .. NumChannels]
};
void gridRowTexts(const Sounding& s, const ChannelDefinitions& defs, int row, GridRowTexts& out);

// The grey cells of the current reading: the depth and speed cells of CurrentRow, and for
// each channel the cell of its value, ChannelLag rows higher (0 when that is above the top
// row, or for channels past NumChannels).
struct Highlight {
  int row = 0;
  std::array<int, MaxChannels + 1> channelRow{};
};
Highlight currentHighlight(const Sounding& s);

}  // namespace pelorin
