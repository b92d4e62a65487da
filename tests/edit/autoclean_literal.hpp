#pragma once
// AutoClean written out the plain way, one reading at a time: each inserted reading moves
// every later reading down by one. Quadratic, but easy to check against the description of
// the three steps; the tests compare the production code with it reading for reading, and
// the benchmark times both.
//
// It makes the same choices at the limits as the production code: no channel is added to
// fewer than two or to ten channels, and the added channel clears NoPoreChannel; lag, final
// zero and drift move with their channels; a DepthIncrement that is not a positive number
// skips the depth steps; insertion stops at 10,000 readings; a channel's rows are only
// moved at positions 1 and up (position 0 is read, never written); a negative lag counts
// as none.

#include <cmath>

#include "sounding/sounding.hpp"
#include "sounding/units.hpp"
#include "text/number_text.hpp"

namespace pelorin::literal {

inline void selectUnitList(Sounding& s, const ChannelDefinitions& defs, int c) {
  int t = s.ChannelType[c];
  if (t >= 1 && t <= MaxChannelTypes && s.ChannelUnit[c] >= 1 &&
      s.ChannelUnit[c] <= defs.UnitCount[t])
    changeChannelUnit(s, defs, c, s.ChannelUnit[c]);
}

inline void porePressureChannel(Sounding& s, const ChannelDefinitions& defs) {
  if (!s.NoPoreChannel || s.NumChannels < 2 || s.NumChannels > 9) return;
  if (s.NumChannels > 2) {
    for (int i = s.NumChannels; i >= 3; --i) {
      s.ChannelName[i + 1] = s.ChannelName[i];
      s.FullScaleOutput[i + 1] = s.FullScaleOutput[i];
      s.Baseline[i + 1][1] = s.Baseline[i][1];
      s.FullScaleValue[i + 1] = s.FullScaleValue[i];
      s.ChannelUnit[i + 1] = s.ChannelUnit[i];
      s.ChannelType[i + 1] = s.ChannelType[i];
      s.ChannelFactor[i + 1] = s.ChannelFactor[i];
      s.ChannelLag[i + 1] = s.ChannelLag[i];
      s.Baseline[i + 1][2] = s.Baseline[i][2];
      s.BaselineDrift[i + 1] = s.BaselineDrift[i];
      for (int n = 1; n <= s.NumReadings; ++n) {
        s.RawReading[i + 1][n] = s.RawReading[i][n];
        s.Reading[i + 1][n] = s.Reading[i][n];
      }
      selectUnitList(s, defs, i + 1);
    }
  }
  s.ChannelName[3] = "PRESSURE U2";
  s.FullScaleOutput[3] = 1.0f;
  s.Baseline[3][1] = 1.0f;
  s.FullScaleValue[3] = 3447.5f;
  s.ChannelUnit[3] = 1;
  s.ChannelFactor[3] = 1.0f;
  s.ChannelLag[3] = 0;
  s.Baseline[3][2] = s.HasFinalBaseline ? 1.0f : 0.0f;
  s.BaselineDrift[3] = 0.0f;
  for (int n = 1; n <= s.NumReadings; ++n) {
    s.RawReading[3][n] = 1.0f;
    s.Reading[3][n] = toSingle((static_cast<double>(s.RawReading[3][n]) - s.Baseline[3][1]) /
                               s.FullScaleOutput[3] * s.FullScaleValue[3] * s.ChannelFactor[3]);
  }
  s.ChannelType[3] = 3;
  selectUnitList(s, defs, 3);
  s.NumChannels = static_cast<std::int16_t>(s.NumChannels + 1);
  s.NoPoreChannel = false;
}

inline void depthSnapping(Sounding& s) {
  for (int n = 1; n <= s.NumReadings; ++n) {
    double cm = std::floor(static_cast<double>(s.Depth[n]) * 100 + 0.5);
    double step = toSingle(static_cast<double>(s.DepthIncrement) * 100);
    double q = cm / step;
    if (std::floor(q) == static_cast<double>(toSingle(q))) continue;
    float snapped = toSingle(static_cast<double>(s.DepthIncrement) * std::floor(q));
    if (snapped == s.Depth[n - 1])
      s.Depth[n] = toSingle(static_cast<double>(s.Depth[n - 1]) + s.DepthIncrement);
    else
      s.Depth[n] = snapped;
  }
}

inline void gapFilling(Sounding& s) {
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
  porePressureChannel(s, defs);
  if (!(s.DepthIncrement > 0) || !std::isfinite(s.DepthIncrement)) return;
  depthSnapping(s);
  gapFilling(s);
}

}  // namespace pelorin::literal
