#pragma once
// What the core benchmarks share: the project's channel definition files, loaded once.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "sounding/channel_definitions.hpp"
#include "sounding/units.hpp"
#include "text/number_text.hpp"

namespace pelorin::bench {

inline const ChannelDefinitions& definitions() {
  static const ChannelDefinitions defs = [] {
    std::vector<std::string> warnings;
    return loadChannelDefinitions(PELORIN_DATA, warnings);
  }();
  return defs;
}

// Channel types 1 to 10 in their base units (Qc in MPa), values wandering around zero so
// that zero and negative readings occur; every 97th reading of channel 3 has no value and
// channel 2 trails by five readings. With `falling`, every channel sinks reading by
// reading, so each reading is a new lowest reading: the most formatting the panel can do.
inline std::unique_ptr<Sounding> fullSounding(DepthUnit unit, bool falling = false) {
  const auto& defs = definitions();
  auto s = std::make_unique<Sounding>();
  s->NumChannels = MaxChannels;
  s->NumReadings = MaxReadings;
  s->DepthIncrement = 0.02f;
  s->HasFinalBaseline = true;
  for (int c = 1; c <= MaxChannels; ++c) {
    s->ChannelType[c] = static_cast<std::int16_t>(c);
    s->ChannelName[c] = defs.UnitName[c][1];
    s->ChannelUnit[c] = static_cast<std::int16_t>(c == 1 ? 2 : 1);
    s->ChannelFactor[c] = defs.UnitFactor[c][s->ChannelUnit[c]];
    s->FullScaleOutput[c] = 10;
    s->FullScaleValue[c] = c == 1 ? 100000 : 1000;
    s->BaselineDrift[c] = toSingle(0.01 * c);
  }
  s->ChannelLag[2] = 5;
  for (int n = 1; n <= MaxReadings; ++n) {
    double x = n;
    s->Depth[n] = toSingle(0.5 + 0.02 * (x - 1));
    s->Speed[n] = toSingle(2.0 + 0.2 * std::sin(x / 13.0));
    for (int c = 1; c <= MaxChannels; ++c) {
      double value = falling ? 5.0 - x * 0.001 * c : 3.0 * std::sin(x / (7.0 + c)) + 0.5;
      s->Reading[c][n] = toSingle(value);
    }
    if (n % 97 == 0) s->Reading[3][n] = NoValue;
    if (n > MaxReadings - 5) s->Reading[2][n] = NoValue;
  }
  applyDisplayDepths(*s, unit);
  return s;
}

}  // namespace pelorin::bench
