#include "edit/fill_gaps.hpp"

#include <algorithm>

#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

FillGapsResult fillGaps(Sounding& s) {
  FillGapsResult r;
  const int readings = s.NumReadings;
  // Channel c's value of reading n stands at position n - lag; positions past the last value
  // are the markers at the bottom.
  PerChannel<int> lastValue{};
  for (int c = 1; c <= s.NumChannels; ++c) {
    auto& values = s.Reading[c];
    auto& raw = s.RawReading[c];
    int lag = s.ChannelLag[c];
    int first = 1;
    while (first <= readings - lag && values[first] == NoValue) ++first;
    if (first > readings - lag) {  // no value at all: the whole channel is lag
      r.lagAdded[c] = std::max(0, readings - lag);
      s.ChannelLag[c] = static_cast<std::int16_t>(readings);
      continue;
    }
    // The missing values at the top become lag: the values move up to the first position.
    if (const int moved = first - 1; moved > 0) {
      for (int p = 1; p <= readings; ++p) {
        const bool from = p + moved <= readings;
        values[p] = from ? values[p + moved] : NoValue;
        raw[p] = from ? raw[p + moved] : NoValue;
      }
      lag += moved;
      r.lagAdded[c] = moved;
      s.ChannelLag[c] = static_cast<std::int16_t>(lag);
    }
    int last = readings - lag;
    while (values[last] == NoValue) --last;
    lastValue[c] = last;
    // Between two values, the straight line in depth of the readings they belong to.
    for (int above = 1, p = 2; p < last; ++p) {
      if (values[p] != NoValue) {
        above = p;
        continue;
      }
      int below = p + 1;
      while (values[below] == NoValue) ++below;
      const double top = s.Depth[above + lag], span = s.Depth[below + lag] - top;
      const double from = values[above], rise = static_cast<double>(values[below]) - from;
      // The raw output stays as it was: the writer works it back from the value.
      for (; p < below; ++p, ++r.filled[c])
        values[p] = toSingle(span == 0 ? from : from + rise * ((s.Depth[p + lag] - top) / span));
      above = below;
    }
  }
  // The deepest reading at which every channel still has a value.
  int end = readings;
  for (int c = 1; c <= s.NumChannels; ++c)
    if (lastValue[c] > 0) end = std::min(end, lastValue[c] + s.ChannelLag[c]);
  for (int c = 1; c <= s.NumChannels; ++c)
    r.shortest[c] = lastValue[c] > 0 && lastValue[c] + s.ChannelLag[c] == end && end < readings;
  if (end < readings) {
    r.readingsRemoved = readings - end;
    for (int n = end + 1; n <= readings; ++n) {
      s.Depth[n] = s.Speed[n] = s.Reading[0][n] = 0;
      for (int c = 1; c <= s.NumChannels; ++c) s.Reading[c][n] = s.RawReading[c][n] = 0;
    }
    s.NumReadings = end;
    for (int c = 1; c <= s.NumChannels; ++c) {
      s.ChannelLag[c] = static_cast<std::int16_t>(std::min<int>(s.ChannelLag[c], end));
      for (int p = end - s.ChannelLag[c] + 1; p <= end; ++p)
        s.Reading[c][p] = s.RawReading[c][p] = NoValue;
    }
  }
  s.MaxLag = 0;
  for (int c = 1; c <= s.NumChannels; ++c) s.MaxLag = std::max(s.MaxLag, s.ChannelLag[c]);
  // The current reading stays where it was while it still is one of the complete readings.
  if (s.NumReadings > 0) {
    s.DataIndex = std::clamp(s.DataIndex, std::min(s.MaxLag + 1, s.NumReadings), s.NumReadings);
    s.CurrentRow = static_cast<std::int16_t>(
        std::clamp<int>(s.CurrentRow, 1, std::min(GridRows, s.DataIndex)));
  }
  return r;
}

std::string fillGapsDescription(const Sounding& s, const FillGapsResult& r) {
  std::string filled, lags, shortest;
  for (int c = 1; c <= s.NumChannels; ++c) {
    const std::string name = windows1252ToUtf8(s.ChannelName[c]);
    if (r.filled[c] > 0)
      filled += (filled.empty() ? "" : ", ") + name + " " + std::to_string(r.filled[c]) +
                (r.filled[c] == 1 ? " value" : " values");
    if (r.lagAdded[c] > 0)
      lags += (lags.empty() ? "" : ", ") + name + " " + std::to_string(r.lagAdded[c]);
    if (r.shortest[c]) shortest += (shortest.empty() ? "" : ", ") + name;
  }
  std::string text = "Fill gaps: " + (filled.empty() ? std::string("no value missing") : filled);
  if (!lags.empty()) text += "; lag added: " + lags;
  if (r.readingsRemoved > 0)
    text += "; " + std::to_string(r.readingsRemoved) +
            (r.readingsRemoved == 1 ? " reading" : " readings") + " at the bottom without " +
            shortest + " removed";
  return text;
}

}  // namespace pelorin
