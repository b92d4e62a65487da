#pragma once
// Small soundings built in memory.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sounding/sounding.hpp"
#include "sounding/units.hpp"
#include "test_support.hpp"
#include "text/number_text.hpp"

namespace pelorin::test {

// Readings at the given depths (metres, shown in metres) at 2 cm/s, no channels yet.
inline std::unique_ptr<Sounding> makeSounding(const std::vector<float>& depths,
                                              float increment = 0.05f) {
  auto s = std::make_unique<Sounding>();
  s->NumReadings = static_cast<int>(depths.size());
  s->DepthIncrement = increment;
  for (int n = 1; n <= s->NumReadings; ++n) {
    s->Depth[n] = s->Reading[0][n] = depths[static_cast<std::size_t>(n - 1)];
    s->Speed[n] = 2.0f;
  }
  s->DataIndex = s->CurrentRow = 1;
  return s;
}

// count depths from first down in steps of increment.
inline std::unique_ptr<Sounding> makeSounding(int count, float first, float increment) {
  std::vector<float> depths;
  for (int n = 0; n < count; ++n)
    depths.push_back(static_cast<float>(first + increment * (n * 1.0)));
  return makeSounding(depths, increment);
}

// Adds a channel of `type` shown in the project's unit option `option`, full scale
// fullScaleValue (base unit) at an output of 10, and `values` (also as raw readings) for
// readings 1, 2, ...; later readings hold 100 c + n. Returns its number c.
inline int addChannel(Sounding& s, int type, const std::vector<float>& values, int option = 1,
                      float fullScaleValue = 1000.0f) {
  int c = ++s.NumChannels;
  s.ChannelType[c] = static_cast<std::int16_t>(type);
  s.ChannelName[c] = "Channel " + std::to_string(c);
  s.ChannelUnit[c] = static_cast<std::int16_t>(option);
  s.ChannelFactor[c] = projectDefinitions().UnitFactor[type][option];
  s.FullScaleOutput[c] = 10.0f;
  s.FullScaleValue[c] = fullScaleValue;
  s.Baseline[c] = {0.0f, 0.5f * c, 0.25f * c};
  for (int n = 1; n <= s.NumReadings; ++n) {
    std::size_t i = static_cast<std::size_t>(n - 1);
    s.Reading[c][n] = s.RawReading[c][n] = i < values.size() ? values[i] : 100.0f * c + n;
  }
  return c;
}

// Readings every `increment` metres from `first` at n / 10 cm/s. Channel c is of type c, in
// its base unit with raw output equal to value, holds 100 c + n at position n and, as the
// reader leaves a lagging channel, no value at its last lags[c - 1] positions.
inline std::unique_ptr<Sounding> builtSounding(int readings, const std::vector<int>& lags,
                                               float first = 1.0f, float increment = 0.05f) {
  auto s = makeSounding(readings, first, increment);
  for (int n = 1; n <= readings; ++n) s->Speed[n] = toSingle(n / 10.0);
  for (int lag : lags) {
    int c = addChannel(*s, s->NumChannels + 1, {});
    s->FullScaleOutput[c] = s->FullScaleValue[c] = 1;
    s->Baseline[c][1] = 0;
    s->ChannelLag[c] = static_cast<std::int16_t>(lag);
    s->MaxLag = std::max(s->MaxLag, s->ChannelLag[c]);
    for (int n = readings - lag + 1; n <= readings; ++n) s->Reading[c][n] = NoValue;
  }
  s->DataIndex = s->CurrentRow = static_cast<std::int16_t>(s->MaxLag + 1);
  return s;
}

}  // namespace pelorin::test
