// AutoClean on its worst case: a 5,000-reading sounding with nine channels and no
// pore-pressure channel, every third depth off the 5 cm grid, and 5,000 readings missing
// between its second and third reading. The pass examines readings 2 to 4,999 of the
// growing sounding, so it fills 4,998 of them and ends with 9,998 readings and 10 channels.
// The production code is timed beside the plain version that moves every later reading
// once per insertion.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "../tests/edit/autoclean_literal.hpp"
#include "bench_support.hpp"
#include "edit/autoclean.hpp"
#include "sounding/channel_definitions.hpp"
#include "text/number_text.hpp"

namespace {

using namespace pelorin;

using pelorin::bench::definitions;

constexpr int kReadings = 5000;
constexpr int kMissing = 5000;

const Sounding& worstCase() {
  static const std::unique_ptr<Sounding> sounding = [] {
    const auto& defs = definitions();
    auto s = std::make_unique<Sounding>();
    const int types[] = {1, 2, 4, 5, 6, 7, 8, 9, 10};
    s->NumChannels = 9;
    s->NumReadings = kReadings;
    s->DepthIncrement = 0.05f;
    s->NoPoreChannel = true;
    for (int c = 1; c <= s->NumChannels; ++c) {
      int type = types[c - 1];
      s->ChannelType[c] = static_cast<std::int16_t>(type);
      s->ChannelName[c] = defs.UnitName[type][1];
      s->ChannelUnit[c] = 1;
      s->ChannelFactor[c] = defs.UnitFactor[type][1];
      s->FullScaleOutput[c] = 10;
      s->FullScaleValue[c] = 1000;
    }
    s->ChannelLag[2] = 2;  // the sleeve trails the tip by 0.1 m
    for (int n = 1; n <= kReadings; ++n) {
      double steps = n - 1 + (n >= 3 ? kMissing : 0);
      double offGrid = n % 3 == 0 ? 0.013 : 0.0;
      s->Depth[n] = toSingle(0.5 + 0.05 * steps + offGrid);
      s->Speed[n] = toSingle(2.0 + 0.2 * std::sin(n / 13.0));
      for (int c = 1; c <= s->NumChannels; ++c) {
        bool marker = n > kReadings - s->ChannelLag[c];
        s->RawReading[c][n] = toSingle(1.0 + std::sin(n / (7.0 + c)));
        s->Reading[c][n] = marker ? NoValue : toSingle(100.0 * std::sin(n / (7.0 + c)));
      }
    }
    return s;
  }();
  return *sounding;
}

template <typename Clean>
void runOnWorstCase(benchmark::State& state, Clean clean) {
  auto s = std::make_unique<Sounding>();
  int readings = 0;
  for (auto _ : state) {
    state.PauseTiming();
    *s = worstCase();
    state.ResumeTiming();
    clean(*s);
    benchmark::DoNotOptimize(s->Depth.data());
    readings = s->NumReadings;
  }
  state.counters["readings"] = readings;
}

void BM_AutoClean(benchmark::State& state) {
  runOnWorstCase(state, [](Sounding& s) { autoClean(s, definitions()); });
}
BENCHMARK(BM_AutoClean)->Unit(benchmark::kMillisecond);

void BM_AutoCleanOneReadingAtATime(benchmark::State& state) {
  runOnWorstCase(state, [](Sounding& s) { literal::autoClean(s, definitions()); });
}
BENCHMARK(BM_AutoCleanOneReadingAtATime)->Unit(benchmark::kMillisecond);

}  // namespace
