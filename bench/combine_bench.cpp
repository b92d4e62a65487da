// Combine on a sounding of 5,000 readings with a second file of 5,000 readings, 10 channels
// each: what menuCombine_Click runs after the dialog (reading the file and filling the
// panel) and what cmdCombineOK_Click runs (the append from the panel's start depth).

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "edit/combine.hpp"
#include "sounding/channel_definitions.hpp"
#include "sounding/sounding_file.hpp"
#include "text/number_text.hpp"

namespace {

using namespace pelorin;

constexpr int kReadings = 5000;

using pelorin::bench::definitions;

// Channel types 1 to 10 in their base units, readings every 0.02 m from firstDepth; the
// friction sleeve (channel 2) trails by five readings.
std::unique_ptr<Sounding> sounding(double firstDepth) {
  const auto& defs = definitions();
  auto s = std::make_unique<Sounding>();
  s->ConeNumber = "C10-0042";
  s->NumChannels = MaxChannels;
  s->NumReadings = kReadings;
  s->DepthIncrement = 0.02f;
  for (int c = 1; c <= MaxChannels; ++c) {
    s->ChannelType[c] = static_cast<std::int16_t>(c);
    s->ChannelName[c] = defs.UnitName[c][1];
    s->ChannelUnit[c] = 1;
    s->ChannelFactor[c] = defs.UnitFactor[c][1];
    s->FullScaleOutput[c] = 10;
    s->FullScaleValue[c] = c == 1 ? 100000 : 1000;
    s->Baseline[c][1] = toSingle(0.01 * c);
  }
  s->ChannelLag[2] = s->MaxLag = 5;
  for (int n = 1; n <= kReadings; ++n) {
    double x = n;
    s->Depth[n] = toSingle(firstDepth + 0.02 * (x - 1));
    s->Reading[0][n] = s->Depth[n];
    s->Speed[n] = toSingle(2.0 + 0.2 * std::sin(x / 13.0));
    for (int c = 1; c <= MaxChannels; ++c)
      s->Reading[c][n] = toSingle(3.0 * std::sin(x / (7.0 + c)) + 4.0);
  }
  for (int n = kReadings - 4; n <= kReadings; ++n) s->Reading[2][n] = NoValue;
  return s;
}

std::string secondFileBytes() {
  auto second = sounding(99.0);
  std::string bytes;
  (void)writeSoundingFile(*second, definitions(), headerTexts(*second), bytes);
  return bytes;
}

void BM_CombineReadAndAppend(benchmark::State& state) {
  const std::string bytes = secondFileBytes();
  auto first = sounding(0.02);
  auto tables = std::make_unique<SecondSounding>();
  for (auto _ : state) {
    first->NumReadings = kReadings;  // the append overwrites only the readings after these
    first->MaxLag = 5;
    CombinePanel panel = readSecondSounding(bytes, "second.cpt", *first, definitions(), *tables);
    Outcome result = appendSecondSounding(*first, *tables, panel.startDepth, panel.normalizeDepth,
                                          DepthUnit::Metres);
    if (!result) state.SkipWithError(result.message.c_str());
    benchmark::DoNotOptimize(panel.readingLines.data());
  }
}
BENCHMARK(BM_CombineReadAndAppend)->Unit(benchmark::kMillisecond);

void BM_CombineRead(benchmark::State& state) {
  const std::string bytes = secondFileBytes();
  auto first = sounding(0.02);
  auto tables = std::make_unique<SecondSounding>();
  for (auto _ : state) {
    CombinePanel panel = readSecondSounding(bytes, "second.cpt", *first, definitions(), *tables);
    benchmark::DoNotOptimize(panel.readingLines.data());
  }
}
BENCHMARK(BM_CombineRead)->Unit(benchmark::kMillisecond);

void BM_CombineAppend(benchmark::State& state) {
  auto first = sounding(0.02);
  auto tables = std::make_unique<SecondSounding>();
  CombinePanel panel =
      readSecondSounding(secondFileBytes(), "second.cpt", *first, definitions(), *tables);
  for (auto _ : state) {
    first->NumReadings = kReadings;
    first->MaxLag = 5;
    Outcome result = appendSecondSounding(*first, *tables, panel.startDepth, true, DepthUnit::Feet);
    benchmark::DoNotOptimize(result.message.data());
  }
}
BENCHMARK(BM_CombineAppend)->Unit(benchmark::kMicrosecond);

}  // namespace
