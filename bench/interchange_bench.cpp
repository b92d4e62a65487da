// The GEF-CPT file of a full sounding: 10,000 readings, 10 channels.

#include <benchmark/benchmark.h>

#include "bench_support.hpp"
#include "interchange/gef_file.hpp"

namespace {

using namespace pelorin;

void BM_GefFile(benchmark::State& state) {
  auto s = bench::fullSounding(DepthUnit::Metres);
  GefHeader header{headerTexts(*s), "2025, 12, 07", {"Shift Qc by 0.5 MPA"}};
  std::string bytes, problem;
  for (auto _ : state) {
    if (!gefFileBytes(*s, bench::definitions(), header, bytes, problem))
      state.SkipWithError(problem.c_str());
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_GefFile)->Unit(benchmark::kMillisecond);

}  // namespace
