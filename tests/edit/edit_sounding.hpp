#pragma once
// Small soundings built in memory for the depth and baseline correction tests.

#include <memory>
#include <string>
#include <vector>

#include "sounding/sounding.hpp"

namespace pelorin::test {

// numReadings readings from firstDepth down in steps of increment (metres), each at
// 2 cm/s, with no channels yet.
inline std::unique_ptr<Sounding> makeSounding(int numReadings, float firstDepth, float increment) {
  auto s = std::make_unique<Sounding>();
  s->NumReadings = numReadings;
  s->DepthIncrement = increment;
  for (int n = 1; n <= numReadings; ++n) {
    s->Depth[n] = static_cast<float>(firstDepth + increment * (n - 1.0));
    s->Reading[0][n] = s->Depth[n];
    s->Speed[n] = 2.0f;
  }
  s->DataIndex = s->CurrentRow = 1;
  return s;
}

// Adds a channel of `type` shown in unit option `option`, with full scale fullScaleValue
// (base unit) at an output of 10, zero baselines, and the given values for readings
// 1, 2, ...; later readings get 1.0.
inline int addChannel(Sounding& s, const ChannelDefinitions& defs, int type, int option,
                      float fullScaleValue, const std::vector<float>& values,
                      const std::string& name = "Channel") {
  int c = ++s.NumChannels;
  s.ChannelType[c] = static_cast<std::int16_t>(type);
  s.ChannelName[c] = name;
  s.ChannelUnit[c] = static_cast<std::int16_t>(option);
  s.ChannelFactor[c] = defs.UnitFactor[type][option];
  s.FullScaleOutput[c] = 10.0f;
  s.FullScaleValue[c] = fullScaleValue;
  for (int n = 1; n <= s.NumReadings; ++n) {
    std::size_t i = static_cast<std::size_t>(n - 1);
    s.Reading[c][n] = i < values.size() ? values[i] : 1.0f;
  }
  return c;
}

}  // namespace pelorin::test
