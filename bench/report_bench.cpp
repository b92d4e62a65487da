// The CPT log of a full sounding, 10,000 readings and 10 channels, as a PDF of ten pages:
// gathered from the session and drawn, all within 1 s.

#include <benchmark/benchmark.h>

#include "bench_support.hpp"
#include "report/log_files.hpp"

namespace {

using namespace pelorin;

void BM_LogPdf(benchmark::State& state) {
  report::ensureGuiApplication();
  Session session(bench::definitions());
  session.open(bench::fullSounding(DepthUnit::Metres), "full.cpt");
  int pages = 0;
  for (auto _ : state) {
    const report::CptLog log = report::cptLog(session, report::LogOptions{});
    const std::string pdf = report::logPdfBytes(log);
    pages = log.pageCount;
    benchmark::DoNotOptimize(pdf.data());
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_LogPdf)->Unit(benchmark::kMillisecond);

}  // namespace
