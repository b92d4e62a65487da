// The GEF-CPT and AGS4 files of a full sounding, 10,000 readings and 10 channels, as the
// window and the batch tool make them: written, then read back as the check.

#include <benchmark/benchmark.h>

#include "bench_support.hpp"
#include "interchange/exchange_file.hpp"

namespace {

using namespace pelorin;

void BM_ExchangeFile(benchmark::State& state) {
  const auto format = static_cast<ExchangeFormat>(state.range(0));
  state.SetLabel(format == ExchangeFormat::Gef ? "GEF-CPT" : "AGS4");
  auto s = bench::fullSounding(DepthUnit::Metres);
  std::string bytes;
  std::vector<std::string> notes;
  for (auto _ : state) {
    if (Outcome made = exchangeFileBytes(format, *s, bench::definitions(), headerTexts(*s),
                                         {"Shift Qc by 0.5 MPA"}, bytes, notes);
        !made)
      state.SkipWithError(made.message.c_str());
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ExchangeFile)
    ->Arg(static_cast<int>(ExchangeFormat::Gef))
    ->Arg(static_cast<int>(ExchangeFormat::Ags))
    ->Unit(benchmark::kMillisecond);

}  // namespace
