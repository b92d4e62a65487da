// The depth and baseline corrections on a full sounding: 10,000 readings, 10 channels.
// Each measures what the window's handler runs before RefreshGrid writes the 24 rows: the
// panel's opening where it reads the model, the button's operation, and the display-depth
// column that RefreshGrid recomputes.

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "edit/depth_increment.hpp"
#include "edit/shift_channels.hpp"
#include "edit/start_depth.hpp"
#include "sounding/channel_definitions.hpp"
#include "sounding/units.hpp"
#include "text/number_text.hpp"

namespace {

using namespace pelorin;

using pelorin::bench::definitions;
using pelorin::bench::fullSounding;

void BM_StartDepth(benchmark::State& state) {
  DepthUnit unit = static_cast<DepthUnit>(state.range(0));
  auto s = fullSounding(unit);
  const char* typed[] = {"1.5", "0.5"};  // back and forth, so the depths stay put
  int i = 0;
  for (auto _ : state) {
    std::string caption = startDepthCaption(*s);
    applyStartDepth(*s, caption, typed[i++ & 1], unit);
    applyDisplayDepths(*s, unit);
    benchmark::DoNotOptimize(s->Reading[0][MaxReadings]);
  }
}
BENCHMARK(BM_StartDepth)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DepthIncrement(benchmark::State& state) {
  DepthUnit unit = static_cast<DepthUnit>(state.range(0));
  auto s = fullSounding(unit);
  DepthIncrementChoice choice;
  int i = 0;
  for (auto _ : state) {
    // One step up, then one step down: the sounding swings between two increments.
    openDepthIncrement(*s, choice);
    if (i++ & 1)
      decreaseIncrement(choice);
    else
      increaseIncrement(choice);
    applyDepthIncrement(*s, choice);
    applyDisplayDepths(*s, unit);
    benchmark::DoNotOptimize(s->Reading[0][MaxReadings]);
  }
}
BENCHMARK(BM_DepthIncrement)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_OpenShiftPanel(benchmark::State& state) {
  auto s = fullSounding(DepthUnit::Metres, state.range(0) != 0);
  for (auto _ : state) {
    ShiftPanel panel = openShiftChannels(*s, definitions());
    benchmark::DoNotOptimize(panel.Row[MaxChannels].LowestReading.data());
  }
}
BENCHMARK(BM_OpenShiftPanel)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ShiftReadings(benchmark::State& state) {
  auto s = fullSounding(DepthUnit::Metres);
  std::array<std::string, MaxChannels + 1> up, down;
  for (int c = 1; c <= MaxChannels; ++c) up[c] = "0.5", down[c] = "-0.5";
  int i = 0;
  for (auto _ : state) {
    ShiftPanel panel = openShiftChannels(*s, definitions());
    benchmark::DoNotOptimize(panel.Row[1].LowestReading.data());
    shiftReadings(*s, (i++ & 1) ? down : up);
    applyDisplayDepths(*s, DepthUnit::Metres);
    benchmark::DoNotOptimize(s->Reading[MaxChannels][MaxReadings]);
  }
}
BENCHMARK(BM_ShiftReadings)->Unit(benchmark::kMicrosecond);

void BM_RemoveNegatives(benchmark::State& state) {
  auto pristine = fullSounding(DepthUnit::Metres);
  auto s = std::make_unique<Sounding>(*pristine);
  for (auto _ : state) {
    // Every pass finds the same zero and negative readings to replace.
    state.PauseTiming();
    for (int c = 1; c <= MaxChannels; ++c) s->Reading[c] = pristine->Reading[c];
    state.ResumeTiming();
    ShiftPanel panel = openShiftChannels(*s, definitions());
    benchmark::DoNotOptimize(panel.Row[1].LowestReading.data());
    removeNegatives(*s);
    applyDisplayDepths(*s, DepthUnit::Metres);
    benchmark::DoNotOptimize(s->Reading[MaxChannels][MaxReadings]);
  }
}
BENCHMARK(BM_RemoveNegatives)->Unit(benchmark::kMicrosecond);

}  // namespace
