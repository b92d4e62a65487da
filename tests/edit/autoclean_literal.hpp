#pragma once
// AutoClean with its gap filling written out the plain way, one reading at a time: each
// inserted reading moves every later reading down by one. Quadratic, but easy to check
// against the description of the step; the tests compare the production code's single
// pass with it reading for reading, and the benchmark times both. The pore-pressure
// channel and the depth snapping are the production steps.
//
// Insertion stops at 10,000 readings; a channel's rows are only moved at positions 1 and
// up (position 0 is read, never written); a negative lag counts as none.

#include <cmath>

#include "edit/autoclean.hpp"
#include "sounding/sounding.hpp"
#include "text/number_text.hpp"

namespace pelorin::literal {

inline void gapFilling(Sounding& s) {
  if (!(s.DepthIncrement > 0) || !std::isfinite(s.DepthIncrement)) return;
  int last = s.NumReadings - 1;
  for (int i = 2; i <= last; ++i) {
    if (toSingle(static_cast<double>(s.Depth[i]) + 2 * static_cast<double>(s.DepthIncrement)) >
        s.Depth[i + 1])
      continue;
    if (s.NumReadings >= MaxReadings) break;
    s.NumReadings = s.NumReadings + 1;
    int N = s.NumReadings;
    for (int j = N; j >= i + 2; --j) {
      s.Depth[j] = s.Depth[j - 1];
      for (int c = 1; c <= s.NumChannels; ++c) {
        int lag = s.ChannelLag[c] > 0 ? s.ChannelLag[c] : 0;
        if (j - lag >= 1) s.Reading[c][j - lag] = s.Reading[c][j - lag - 1];
      }
      s.Speed[j] = s.Speed[j - 1];
    }
    for (int c = 1; c <= s.NumChannels; ++c)
      if (s.ChannelLag[c] > 0) s.Reading[c][N] = -32768.0f;
    s.Speed[i + 1] = s.Speed[i];
    s.Depth[i + 1] = toSingle(static_cast<double>(s.Depth[i]) + s.DepthIncrement);
  }
}

inline void autoClean(Sounding& s, const ChannelDefinitions& defs) {
  insertPoreChannel(s, defs);
  snapDepthsToIncrement(s);
  gapFilling(s);
}

}  // namespace pelorin::literal
