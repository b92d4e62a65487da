#include "display/grid.hpp"

#include "text/number_text.hpp"

namespace pelorin {

int gridReading(const Sounding& s, int row) { return s.DataIndex - s.CurrentRow + row; }

std::string depthCellText(float displayDepth) { return formatPattern(displayDepth, "##0.00"); }

std::string speedCellText(float speed) { return formatPattern(speed, "##.00"); }

bool speedIsAlarm(std::string_view speedText) {
  double v = numericPrefix(speedText);
  return v > 10.0 || v == 0.0;
}

std::string channelCellText(const Sounding& s, const ChannelDefinitions& defs, int c, int n) {
  int type = s.ChannelType[c];
  int unit = s.ChannelUnit[c];
  const std::string& pattern =
      (type >= 0 && type <= MaxChannelTypes && unit >= 0 && unit <= MaxUnitOptions)
          ? defs.UnitFormat[type][unit]
          : defs.UnitFormat[0][0];
  return formatPattern(s.Reading[c][n], pattern);
}

void gridRowTexts(const Sounding& s, const ChannelDefinitions& defs, int row, GridRowTexts& out) {
  int n = gridReading(s, row);
  out.shown = n >= 1 && n <= MaxReadings;
  if (!out.shown) {
    out.depth.clear();
    out.speed.clear();
    out.alarm = false;
    for (auto& text : out.channel) text.clear();
    return;
  }
  out.depth = depthCellText(s.Reading[0][n]);
  out.speed = speedCellText(s.Speed[n]);
  out.alarm = speedIsAlarm(out.speed);
  for (int c = 1; c <= s.NumChannels; ++c) out.channel[c] = channelCellText(s, defs, c, n);
}

Highlight currentHighlight(const Sounding& s) {
  Highlight h;
  h.row = s.CurrentRow;
  for (int c = 1; c <= s.NumChannels; ++c)
    if (s.CurrentRow > s.ChannelLag[c]) h.channelRow[c] = s.CurrentRow - s.ChannelLag[c];
  return h;
}

}  // namespace pelorin
