#include "display/navigation.hpp"

#include <algorithm>
#include <cmath>

#include "text/number_text.hpp"

namespace pelorin {

int selectableRow(const Sounding& s, int row) {
  if (row <= s.MaxLag) row = s.MaxLag + 1;
  return std::clamp(row, 1, GridRows);
}

int selectRow(Sounding& s, int row) {
  s.CurrentRow = static_cast<std::int16_t>(selectableRow(s, row));
  return s.CurrentRow;
}

GridStep moveDown(Sounding& s) {
  if (s.DataIndex >= s.NumReadings) return {};
  ++s.DataIndex;
  if (s.CurrentRow < GridRows) return {GridStep::SelectRow, s.CurrentRow + 1};
  return {GridStep::Refresh};
}

GridStep moveUp(Sounding& s) {
  if (s.DataIndex <= s.MaxLag + 1) return {};
  --s.DataIndex;
  if (s.CurrentRow > s.MaxLag + 1) return {GridStep::SelectRow, s.CurrentRow - 1};
  return {GridStep::Refresh};
}

GridStep deleteCurrentReading(Sounding& s) {
  if (s.DataIndex <= s.MaxLag || s.DataIndex > s.NumReadings) return {};
  // Speed(NumReadings + 1) is read, so the table needs room for one more reading.
  if (s.NumReadings >= MaxReadings) return {};
  for (int j = s.DataIndex; j <= s.NumReadings; ++j) {
    for (int c = 1; c <= s.NumChannels; ++c) {
      int at = j - s.ChannelLag[c];
      s.Reading[c][at] = s.Reading[c][at + 1];
    }
    s.Speed[j] = s.Speed[j + 1];
  }
  --s.NumReadings;
  return {GridStep::Refresh};
}

GridStep insertReading(Sounding& s) {
  // The shift copies from two places above the current reading, at each channel's lag.
  if (s.DataIndex < s.MaxLag + 2) return {};
  if (s.NumReadings >= MaxReadings) return {};
  ++s.NumReadings;
  // Downwards, so every right-hand side is a value from before the insertion.
  for (int j = s.NumReadings; j >= s.DataIndex - 1; --j) {
    for (int c = 1; c <= s.NumChannels; ++c) {
      int at = j - s.ChannelLag[c];
      s.Reading[c][at] = s.Reading[c][at - 1];
    }
    s.Speed[j] = s.Speed[j - 1];
    s.Depth[j] = toSingle(static_cast<double>(s.Depth[j - 1]) + s.DepthIncrement);
  }
  // A lagging channel has no value at the end of the sounding.
  for (int c = 1; c <= s.NumChannels; ++c)
    if (s.ChannelLag[c] > 0) s.Reading[c][s.NumReadings] = NoValue;
  return {GridStep::Refresh};
}

GridStep depthKey(Sounding& s, int keyCode) {
  switch (keyCode) {
    case KeyDown:
      return moveDown(s);
    case KeyUp:
      return moveUp(s);
    case KeyDelete:
      return deleteCurrentReading(s);
    case KeyInsert:
      return insertReading(s);
    default:
      return {};
  }
}

std::optional<TypedValue> typedChannelValue(const Sounding& s, int row, std::string_view text) {
  int n = s.DataIndex - s.CurrentRow + row;
  if (n < 1 || n > MaxReadings) return std::nullopt;
  float value = toSingle(numericPrefix(text));
  if (!std::isfinite(value)) return std::nullopt;
  return TypedValue{n, value};
}

Outcome goToReading(Sounding& s, int n) {
  int first = s.MaxLag + 1;
  if (n < first || n > s.NumReadings)
    return Outcome::refused(
        "reading " + std::to_string(n) + " cannot be made current: Up and Down reach " +
        (first > s.NumReadings
             ? std::string("no reading")
             : "readings " + std::to_string(first) + " to " + std::to_string(s.NumReadings)));
  while (s.DataIndex != n) {
    GridStep step = s.DataIndex < n ? moveDown(s) : moveUp(s);
    if (step.kind == GridStep::SelectRow) selectRow(s, step.row);
    if (step.kind == GridStep::Nothing) break;  // cannot happen inside the reachable range
  }
  if (s.DataIndex != n)
    return Outcome::refused("reading " + std::to_string(n) + " was not reached");
  return {};
}

}  // namespace pelorin
