// Any file the reader accepts is saved and read back: either the saved bytes read back as
// the sounding stood (same channel block and markers, depths and speeds to 0.01, raw values
// to 0.00001), or the save says why they would not.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_definitions.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace {

// Within half a unit of the last place written, and a float's own rounding of the value.
bool near(double back, double meant, double half) {
  return std::fabs(back - meant) <= half * 1.0001 + std::fabs(meant) * 1e-6;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin;
  const ChannelDefinitions& defs = pelorin::fuzz::definitions();
  auto [s, error, errorNotes] =
      openSounding(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.cpt", defs);
  if (!s) return 0;
  std::string saved;
  WrittenReadings meant;
  if (!writeSoundingFile(*s, defs, headerTexts(*s), saved, &meant)) return 0;
  if (!readBackProblem(saved, *s, defs, meant).empty()) return 0;  // the save says why

  auto [back, read, readNotes] = openSounding(saved, "saved.cpt", defs);
  if (!back || back->NumReadings != s->NumReadings || back->NumChannels != s->NumChannels ||
      back->HasFinalBaseline != s->HasFinalBaseline)
    std::abort();
  for (int c = 1; c <= s->NumChannels; ++c)
    if (back->ChannelType[c] != s->ChannelType[c] || back->ChannelName[c] != s->ChannelName[c] ||
        back->ChannelUnit[c] != s->ChannelUnit[c] || back->ChannelLag[c] != s->ChannelLag[c])
      std::abort();
  for (int n = 1; n <= s->NumReadings; ++n) {
    if (!near(back->Depth[n], s->Depth[n], 0.005) || !near(back->Speed[n], s->Speed[n], 0.005))
      std::abort();
    for (int c = 1; c <= s->NumChannels; ++c) {
      bool marker = s->Reading[c][n] == NoValue;
      if ((back->RawReading[c][n] == NoValue) != marker) std::abort();
      if (!marker && !near(back->RawReading[c][n], rawOutputOf(*s, defs, c, n), 0.000005))
        std::abort();
    }
  }
  return 0;
}
