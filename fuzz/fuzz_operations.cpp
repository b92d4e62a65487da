// A fuzzed sounding and a fuzzed run of the batch tool's operations on it: nothing crashes,
// and a saved file either reads back as the sounding stands or the save says why not. The
// operations are taken from the end of the input, the sounding file from what is left.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/operations.hpp"
#include "fuzz_definitions.hpp"
#include "quality/quality.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace {

std::string number(FuzzedDataProvider& in) {
  return std::to_string(in.ConsumeIntegralInRange<int>(-2000, 20000) / 100.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin;
  const ChannelDefinitions& defs = pelorin::fuzz::definitions();
  FuzzedDataProvider in(data, size);
  std::vector<std::vector<std::string>> steps(in.ConsumeIntegralInRange<int>(0, 6));
  for (auto& step : steps) {
    int channel = in.ConsumeIntegralInRange<int>(0, 11);
    switch (in.ConsumeIntegralInRange<int>(0, 9)) {
      case 0:
        step = {"--unit", std::to_string(channel) + "=" + (in.ConsumeBool() ? "KPA" : "MPA")};
        break;
      case 1:
        step = {"--depth-unit", in.ConsumeBool() ? "ft" : "m"};
        break;
      case 2:
        step = {"--delete", std::to_string(in.ConsumeIntegralInRange<int>(-1, 10001))};
        break;
      case 3:
        step = {"--insert", std::to_string(in.ConsumeIntegralInRange<int>(-1, 10001))};
        break;
      case 4:
        step = {"--start-depth", number(in)};
        break;
      case 5:
        step = {"--increment-steps", std::to_string(in.ConsumeIntegralInRange<int>(-12, 12))};
        break;
      case 6:
        step = {"--shift", std::to_string(channel) + "=" + number(in)};
        break;
      case 7:
        step = {"--remove-negatives"};
        break;
      case 8:
        step = {"--autoclean"};
        break;
      default:
        step = {"--combine", std::string(PELORIN_DATA) + "/sample_sand_005.cpt", "--from",
                number(in)};
        if (in.ConsumeBool()) step.push_back("--no-normalize");
    }
  }
  auto [s, error, errorNotes] = openSounding(in.ConsumeRemainingBytesAsString(), "fuzz.cpt", defs);
  if (!s) return 0;

  std::vector<std::string> args;
  for (const auto& step : steps) args.insert(args.end(), step.begin(), step.end());
  std::vector<Operation> operations;
  for (std::size_t i = 0; i < args.size();)
    if (!parseOperation(args, i, operations)) std::abort();
  std::ostringstream messages;
  Session session(defs);
  session.open(std::make_unique<Sounding>(*s), "fuzz.cpt");
  cli::applyOperations(session, operations, messages, "fuzz.cpt");  // a refusal ends the run
  const Sounding& done = session.sounding();
  // The window's quality panel runs after every step, on whatever the steps made.
  (void)assessQuality(done, defs);

  std::string saved;
  WrittenReadings meant;
  if (writeSoundingFile(done, defs, session.header(), saved, &meant) &&
      readBackProblem(saved, done, defs, meant).empty()) {
    auto [back, read, readNotes] = openSounding(saved, "saved.cpt", defs);
    if (!back || back->NumReadings != done.NumReadings || back->NumChannels != done.NumChannels)
      std::abort();
  }
  // Undo of every step gives the sounding as opened again.
  session.goTo(0);
  if (!(session.sounding() == *s)) std::abort();
  return 0;
}
