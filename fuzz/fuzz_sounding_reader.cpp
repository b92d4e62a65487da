// Feeds arbitrary bytes to the sounding file reader as File, Open does, with the
// installation's channel definitions. A file that is read is saved again and the saved
// bytes must open too: whatever the reader accepts, the writer must be able to write back.
// GEF-CPT and AGS4 files are read the same way (each push of an AGS4 file on its own), and
// every sounding read is written as both, whose bytes read back or are refused with a reason.
// With its gaps filled a sounding saves and reads back with as many readings.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/quality_json.hpp"
#include "edit/fill_gaps.hpp"
#include "export/analog_file.hpp"
#include "export/readings_table.hpp"
#include "fuzz_definitions.hpp"
#include "interchange/ags_file.hpp"
#include "interchange/exchange_file.hpp"
#include "quality/quality.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin;
  const ChannelDefinitions& defs = pelorin::fuzz::definitions();
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  auto [s, error, errorNotes] = openSounding(bytes, "fuzz.cpt", defs);
  if (!s) {
    if (error.message.empty()) std::abort();  // a refusal must say why
    return 0;
  }
  if (s->NumChannels < 0 || s->NumChannels > MaxChannels || s->NumReadings < 0 ||
      s->NumReadings > MaxReadings || s->MaxLag < 0 || s->MaxLag > MaxReadings)
    std::abort();

  // Every writer on what the readers accept, the header texts also as 100,000 characters (a
  // date or GPS text no parser may choke on).
  HeaderTexts texts = headerTexts(*s), longTexts = texts;
  for (std::size_t k = 0; k < longTexts.size(); ++k)
    while (longTexts[k].size() < 100000) longTexts[k] += texts[k].empty() ? "9/" : texts[k];
  for (const HeaderTexts& header : {texts, longTexts})
    for (ExchangeFormat format : {ExchangeFormat::Gef, ExchangeFormat::Ags}) {
      std::string written;
      std::vector<std::string> notes;
      (void)exchangeFileBytes(format, *s, defs, header, {}, written, notes);
    }
  (void)readingsTable(*s, defs, DepthUnit::Metres, TableStyle::CommaSeparated);
  (void)analogFileBytes(*s, analogHeaderTexts(longTexts), "fuzz.cpd", "ENGLISH");
  (void)cli::qualityJson(assessQuality(*s, defs));

  std::vector<AgsPush> pushes;
  if (agsPushes(bytes, "fuzz.ags", pushes))
    for (std::size_t k = 0; k < pushes.size() && k < 3; ++k) {
      auto [push, refused, pushNotes] =
          openSounding(bytes, "fuzz.ags", defs, pushes[k].location + ":" + pushes[k].test);
      if (!push && refused.message.empty()) std::abort();
    }

  auto filled = std::make_unique<Sounding>(*s);
  fillGaps(*filled);
  std::string whole;
  if (filled->NumReadings > s->NumReadings) std::abort();
  if (writeSoundingFile(*filled, defs, headerTexts(*filled), whole)) {
    auto [back, backError, backNotes] = openSounding(whole, "fuzz-filled.cpt", defs);
    if (back && back->NumChannels != filled->NumChannels) std::abort();
  }

  std::string saved;
  if (!writeSoundingFile(*s, defs, headerTexts(*s), saved)) return 0;
  auto [again, reopenError, reopenErrorNotes] = openSounding(saved, "fuzz-saved.cpt", defs);
  // A saved file may still be refused (a depth of 1000 m or more shifts the columns), but
  // it must never bring the reader down; the readings it keeps are the saved ones.
  if (again && again->NumChannels != s->NumChannels) std::abort();
  return 0;
}
