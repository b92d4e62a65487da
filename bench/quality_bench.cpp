// The quality report of a full sounding, 10,000 readings and 10 channels: it runs after every
// operation in the window, so it must take well under the time of a repaint (2 ms).

#include <benchmark/benchmark.h>

#include "bench_support.hpp"
#include "quality/quality.hpp"

namespace {

using namespace pelorin;

void BM_QualityReport(benchmark::State& state) {
  auto s = bench::fullSounding(DepthUnit::Metres);
  for (auto _ : state) {
    QualityReport report = assessQuality(*s, bench::definitions());
    benchmark::DoNotOptimize(report.classReached);
  }
}
BENCHMARK(BM_QualityReport)->Unit(benchmark::kMillisecond);

}  // namespace
