// Undo and Redo on a full sounding (10,000 readings, 10 channels) with 50 steps of history:
// each replays the steps before the new position on a copy of the sounding as opened.

#include <benchmark/benchmark.h>

#include "bench_support.hpp"
#include "session/session.hpp"

namespace {

using namespace pelorin;

// Fifty steps of the kinds a clean-up makes: shifts, typed values, unit changes, Delete and
// Insert, start depths, an increment change and AutoClean.
std::unique_ptr<Session> sessionWithHistory() {
  auto session = std::make_unique<Session>(bench::definitions());
  session->open(bench::fullSounding(DepthUnit::Metres), "full.cpt");
  for (int k = 0; session->position() < 50; ++k) {
    ShiftReadings shift;
    shift.boxes.fill("0");
    shift.boxes[static_cast<std::size_t>(1 + k % 10)] = "0.25";
    const Step steps[] = {shift,
                          SetValue{1 + k % 10, 100 + 37 * k, 1.5f + static_cast<float>(k)},
                          ChangeChannelUnit{1, k % 2 ? "KPA" : "MPA"},
                          DeleteReading{200 + 11 * k},
                          InsertReading{300 + 13 * k},
                          StartDepth{k % 2 ? "0.7" : "0.5"},
                          DepthIncrementPresses{{k % 2 ? 1 : -1}},
                          AutoClean{}};
    (void)session->apply(steps[k % 8]);  // some are refused, as a user's may be
  }
  return session;
}

void BM_UndoOf50Steps(benchmark::State& state) {
  auto session = sessionWithHistory();
  for (auto _ : state) {
    session->undo();
    benchmark::DoNotOptimize(session->sounding().NumReadings);
    state.PauseTiming();
    session->redo();
    state.ResumeTiming();
  }
  state.counters["steps"] = static_cast<double>(session->history().size());
}
BENCHMARK(BM_UndoOf50Steps)->Unit(benchmark::kMillisecond);

}  // namespace
