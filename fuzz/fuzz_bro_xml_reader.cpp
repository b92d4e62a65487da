// Feeds arbitrary bytes to the BRO XML reader as File, Open does. A refusal must say why; a
// sounding read must hold what a model can, and be written as GEF-CPT, AGS4 and a sounding
// file (with its gaps filled) without bringing anything down.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "edit/fill_gaps.hpp"
#include "fuzz_definitions.hpp"
#include "interchange/bro_xml_file.hpp"
#include "interchange/exchange_file.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin;
  const ChannelDefinitions& defs = pelorin::fuzz::definitions();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  auto s = std::make_unique<Sounding>();
  std::vector<std::string> notes;
  if (Outcome read = readBroXmlFile(bytes, "fuzz.xml", defs, *s, notes); !read) {
    if (read.message.empty()) std::abort();  // a refusal must say why
    return 0;
  }
  if (s->NumChannels < 0 || s->NumChannels > MaxChannels || s->NumReadings < 1 ||
      s->NumReadings > MaxReadings)
    std::abort();
  for (int n = 2; n <= s->NumReadings; ++n)
    if (s->Depth[n] < s->Depth[n - 1]) std::abort();  // put in order of length

  auto [opened, error, openNotes] = openSounding(bytes, "fuzz.xml", defs);
  if (!opened) std::abort();  // read once, read again
  for (ExchangeFormat format : {ExchangeFormat::Gef, ExchangeFormat::Ags}) {
    std::string written;
    std::vector<std::string> writeNotes;
    (void)exchangeFileBytes(format, *opened, defs, headerTexts(*opened), {}, written, writeNotes);
  }
  fillGaps(*opened);
  std::string saved;
  if (writeSoundingFile(*opened, defs, headerTexts(*opened), saved)) {
    auto [back, backError, backNotes] = openSounding(saved, "fuzz.cpt", defs);
    if (back && back->NumChannels != opened->NumChannels) std::abort();
  }
  return 0;
}
