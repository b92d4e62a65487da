// Opening and saving a full sounding: 10,000 readings on 10 channels, the largest the
// model holds. Opening reads the file's bytes, converts raw output to engineering values and
// derives depth increment and lags; saving converts back and writes the file's bytes.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "sounding/channel_definitions.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {
namespace {

using pelorin::bench::definitions;

// One channel of the bench sounding: type, name, calibration and the range of its values
// in the selected unit.
struct ChannelSetUp {
  int type;
  const char* name;
  float fullScaleOutput, baseline, fullScaleValue;
  int unit;
  double low, high;
  int lag;  // trailing no-value markers
};

// A 20-tonne piezocone with inclinometers, temperature and conductivity, pushed to 200 m
// in 2 cm steps.
std::unique_ptr<Sounding> makeSounding() {
  const ChannelDefinitions& defs = definitions();
  const ChannelSetUp channels[MaxChannels] = {
      {1, "Qc", 10, 0.01234f, 100000, 2, 0.2, 45.0, 0},     // MPa
      {2, "Fs", 10, 0.00873f, 1000, 1, 2.0, 400.0, 5},      // kPa
      {3, "U2", 10, 0.02011f, 2000, 1, -50.0, 1500.0, 0},   // kPa
      {4, "U1", 10, -0.00412f, 2000, 1, -20.0, 1800.0, 0},  // kPa
      {5, "U3", 10, 0.00150f, 2000, 1, -20.0, 900.0, 0},    // kPa
      {6, "Ix", 5, 2.50000f, 20, 1, -3.0, 3.0, 0},          // degrees
      {7, "Iy", 5, 2.50000f, 20, 2, -0.05, 0.05, 0},        // radians
      {8, "T", 5, 0.00000f, 100, 1, 8.0, 16.0, 0},          // degrees C
      {9, "EC", 10, 0.03300f, 2000, 1, 5.0, 900.0, 3},      // mS/m
      {10, "I", 5, 0.00000f, 20, 1, 0.0, 4.0, 0},           // degrees
  };
  auto s = std::make_unique<Sounding>();
  s->CompanyName = "Pelorin Geotechnical", s->OperatorName = "M. Verhoeven";
  s->ConeNumber = "C-20-1042", s->LocationText = "Harbour quay, bay 3", s->JobNumber = "J-2207";
  s->HoleNumber = "CPT-04", s->DateAndTime = "12/03/2021 10:42";
  s->HeaderText = "Quay wall extension", s->Footnote1 = "Predrilled to 0.5 m";
  s->GPSData = "N 51.2301 E 4.4012", s->WaterTableDepth = "1.80";
  s->NumChannels = MaxChannels;
  s->NumReadings = MaxReadings;
  std::mt19937 random(42);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int n = 1; n <= MaxReadings; ++n) {
    s->Depth[n] = toSingle(0.02 * n);
    s->Reading[0][n] = s->Depth[n];
    s->Speed[n] = toSingle(2.0 + 0.3 * (unit(random) - 0.5));
  }
  for (int c = 1; c <= MaxChannels; ++c) {
    const ChannelSetUp& ch = channels[c - 1];
    s->ChannelType[c] = static_cast<std::int16_t>(ch.type);
    s->ChannelName[c] = ch.name;
    s->FullScaleOutput[c] = ch.fullScaleOutput;
    s->Baseline[c][1] = ch.baseline;
    s->FullScaleValue[c] = ch.fullScaleValue;
    s->ChannelUnit[c] = static_cast<std::int16_t>(ch.unit);
    s->ChannelFactor[c] = defs.UnitFactor[ch.type][ch.unit];
    s->ChannelLag[c] = static_cast<std::int16_t>(ch.lag);
    if (ch.lag > s->MaxLag) s->MaxLag = static_cast<std::int16_t>(ch.lag);
    // A slowly varying profile with noise, as layers of sand and clay give.
    for (int n = 1; n <= MaxReadings; ++n) {
      double layer = 0.5 + 0.5 * std::sin(n / 180.0 + c);
      double value = ch.low + (ch.high - ch.low) * (0.8 * layer + 0.2 * unit(random));
      s->Reading[c][n] = n > MaxReadings - ch.lag ? NoValue : toSingle(value);
    }
  }
  // A few readings where the pore-pressure channels lost contact.
  for (int n = 4000; n < 4010; ++n) s->Reading[4][n] = NoValue;
  deriveSoundingValues(*s);
  return s;
}

std::string soundingBytes() {
  static const std::string bytes = [] {
    auto s = makeSounding();
    std::string out;
    if (Outcome written = writeSoundingFile(*s, definitions(), headerTexts(*s), out); !written)
      throw std::runtime_error(written.message);
    return out;
  }();
  return bytes;
}

void BM_OpenSounding(benchmark::State& state) {
  const std::string bytes = soundingBytes();
  const ChannelDefinitions& defs = definitions();
  for (auto _ : state) {
    auto [s, error, errorNotes] = openSounding(bytes, "bench.cpt", defs);
    if (!s || s->NumReadings != MaxReadings) {
      state.SkipWithError(("cannot open: " + error.message).c_str());
      break;
    }
    benchmark::DoNotOptimize(s.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_OpenSounding)->Unit(benchmark::kMillisecond);

// A save before it writes the file: the bytes, and with argument 1 the check that they read
// back as the sounding stands.
void BM_SaveSoundingToBytes(benchmark::State& state) {
  const bool readBack = state.range(0) != 0;
  state.SetLabel(readBack ? "with the read-back" : "bytes");
  const ChannelDefinitions& defs = definitions();
  auto [s, error, errorNotes] = openSounding(soundingBytes(), "bench.cpt", defs);
  if (!s) {
    state.SkipWithError(("cannot open: " + error.message).c_str());
    return;
  }
  HeaderTexts header = headerTexts(*s);
  std::string out;
  WrittenReadings meant;
  for (auto _ : state) {
    if (Outcome written = writeSoundingFile(*s, defs, header, out, &meant); !written) {
      state.SkipWithError(written.message.c_str());
      break;
    }
    if (std::string problem = readBack ? readBackProblem(out, *s, defs, meant) : std::string();
        !problem.empty()) {
      state.SkipWithError(problem.c_str());
      break;
    }
    benchmark::DoNotOptimize(out.data());
  }
  if (out != soundingBytes()) state.SkipWithError("a save after opening differs from the file");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
}
BENCHMARK(BM_SaveSoundingToBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_WriteFileSafely(benchmark::State& state) {
  const std::string bytes = soundingBytes();
  std::string folder = (std::filesystem::temp_directory_path() / "pelorin-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("cannot make a temporary folder");
    return;
  }
  std::string path = folder + "/bench.cpt";
  for (auto _ : state) {
    if (Outcome written = writeFileSafely(path, bytes); !written) {
      state.SkipWithError(written.message.c_str());
      break;
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_WriteFileSafely)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelorin
