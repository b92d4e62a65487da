// The derived values of a full sounding, 10,000 readings: the window works them out after
// every step, so they must take at most 3 ms; comparing the zones with the sounding as
// opened comes on top.

#include <benchmark/benchmark.h>

#include "bench_support.hpp"
#include "interpret/interpretation.hpp"

namespace {

using namespace pelorin;

// Clay and sand in turns, a reading every 5 mm down to 50 m (shallow readings take the most
// rounds of the iteration): qc (MPa) 1 to 22, fs (kPa) with a friction ratio of 0.5 to 5 %,
// u2 (kPa) about hydrostatic with an excess in the clay.
std::unique_ptr<Sounding> layeredSounding() {
  auto s = bench::fullSounding(DepthUnit::Metres);
  s->DepthIncrement = 0.005f;
  for (int n = 1; n <= MaxReadings; ++n) {
    s->Depth[n] = toSingle(0.5 + 0.005 * (n - 1));
    const double z = s->Depth[n], sand = 0.5 + 0.5 * std::sin(z / 3.0);
    const double qc = 1 + 0.02 * z + 20 * sand;
    s->Reading[1][n] = toSingle(qc);
    s->Reading[2][n] = toSingle(qc * 1000 * (0.05 - 0.045 * sand) * 0.9);
    s->Reading[3][n] = toSingle(9.81 * z * (1 + 0.5 * (1 - sand)));
  }
  return s;
}

void BM_Interpret(benchmark::State& state) {
  auto s = layeredSounding();
  const InterpretationInputs inputs = resolveInputs(*s, "1.5", {});
  for (auto _ : state) {
    Interpretation d = interpret(*s, bench::definitions(), inputs);
    benchmark::DoNotOptimize(d.readings.data());
  }
}
BENCHMARK(BM_Interpret)->Unit(benchmark::kMillisecond);

void BM_ZoneChanges(benchmark::State& state) {
  auto s = layeredSounding();
  const InterpretationInputs inputs = resolveInputs(*s, "1.5", {});
  const Interpretation opened = interpret(*s, bench::definitions(), inputs);
  for (int n = 1; n <= MaxReadings; ++n) s->Reading[1][n] = toSingle(s->Reading[1][n] + 0.3);
  const Interpretation now = interpret(*s, bench::definitions(), inputs);
  for (auto _ : state) {
    std::vector<ZoneChange> changes = zoneChanges(opened, now);
    benchmark::DoNotOptimize(changes.data());
  }
}
BENCHMARK(BM_ZoneChanges)->Unit(benchmark::kMillisecond);

}  // namespace
