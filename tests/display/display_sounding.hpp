#pragma once
// A small sounding built in memory for the display tests: readings every DepthIncrement
// from `first`, speeds and channel values that tell the readings apart, and lagging
// channels ending in no-value markers as the reader leaves them.

#include <memory>
#include <vector>

#include "sounding/sounding.hpp"
#include "text/number_text.hpp"

namespace pelorin::test {

// Channel c of reading n holds 100 c + n; the speed of reading n is n / 10 cm/s.
inline std::unique_ptr<Sounding> displaySounding(int readings, const std::vector<int>& lags,
                                                 float first = 1.0f, float increment = 0.05f) {
  auto s = std::make_unique<Sounding>();
  s->NumReadings = readings;
  s->NumChannels = static_cast<std::int16_t>(lags.size());
  s->DepthIncrement = increment;
  for (int n = 1; n <= readings; ++n) {
    s->Depth[n] = toSingle(first + static_cast<double>(increment) * (n - 1));
    s->Reading[0][n] = s->Depth[n];
    s->Speed[n] = toSingle(n / 10.0);
  }
  for (int c = 1; c <= s->NumChannels; ++c) {
    s->ChannelType[c] = static_cast<std::int16_t>(c);
    s->ChannelUnit[c] = 1;
    s->ChannelFactor[c] = 1;
    s->ChannelLag[c] = static_cast<std::int16_t>(lags[c - 1]);
    if (s->ChannelLag[c] > s->MaxLag) s->MaxLag = s->ChannelLag[c];
    for (int n = 1; n <= readings; ++n)
      s->Reading[c][n] = n > readings - s->ChannelLag[c] ? NoValue : toSingle(100.0 * c + n);
  }
  s->DataIndex = s->MaxLag + 1;
  s->CurrentRow = static_cast<std::int16_t>(s->MaxLag + 1);
  return s;
}

}  // namespace pelorin::test
