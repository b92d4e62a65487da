// Exporting a full 10,000-reading sounding to the analog format: building the bytes, and
// writing them to a file through the temporary-file-and-rename path.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "export/analog_file.hpp"
#include "sounding/units.hpp"
#include "text/number_text.hpp"

namespace {

using namespace pelorin;

// Qc, Fs, PP and an inclination pair: four columns, two of them resultants, so every
// reading line takes the longest path. Every 50th reading has no pore pressure.
std::unique_ptr<Sounding> fullSounding() {
  auto s = std::make_unique<Sounding>();
  s->NumChannels = 5;
  const int types[] = {0, 1, 2, 3, 6, 7};
  for (int c = 1; c <= 5; ++c) s->ChannelType[c] = static_cast<std::int16_t>(types[c]);
  s->ChannelLag[2] = 2;
  s->NumReadings = MaxReadings;
  for (int n = 1; n <= MaxReadings; ++n) {
    double x = n;
    s->Depth[n] = toSingle(0.5 + 0.02 * (x - 1));
    s->Reading[1][n] = toSingle(40.0 + 25.0 * std::sin(x / 37.0));
    s->Reading[2][n] = toSingle(0.4 + 0.3 * std::cos(x / 53.0));
    s->Reading[3][n] = n % 50 == 0 ? NoValue : toSingle(12.0 * std::sin(x / 11.0));
    s->Reading[4][n] = toSingle(0.7 + 0.1 * std::sin(x / 7.0));
    s->Reading[5][n] = toSingle(0.6 + 0.1 * std::cos(x / 5.0));
  }
  applyDisplayDepths(*s, DepthUnit::Metres);
  return s;
}

AnalogHeaderTexts header() {
  return {"21/09/2023 08:05", "R. Bakker", "Dike km 12.4", "C10-0388", "PG-0931", "1.5"};
}

void BM_AnalogFileBytes(benchmark::State& state) {
  auto s = fullSounding();
  AnalogHeaderTexts h = header();
  for (auto _ : state) {
    std::string bytes = analogFileBytes(*s, h, "dike12.cpd", "English");
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_AnalogFileBytes)->Unit(benchmark::kMillisecond);

void BM_WriteAnalogFile(benchmark::State& state) {
  auto s = fullSounding();
  AnalogHeaderTexts h = header();
  std::string path = (std::filesystem::temp_directory_path() / "pelorin-export-bench.cpd").string();
  for (auto _ : state) {
    Outcome written = writeAnalogFile(path, *s, h, "dike12.cpd", "Metric kgf/cm\xFD");
    if (!written) state.SkipWithError(written.message.c_str());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_WriteAnalogFile)->Unit(benchmark::kMillisecond);

}  // namespace
