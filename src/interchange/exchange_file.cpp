#include "interchange/exchange_file.hpp"

#include <memory>

#include "interchange/ags_file.hpp"
#include "interchange/gef_file.hpp"
#include "quality/quality.hpp"

namespace pelorin {

Outcome exchangeFileBytes(ExchangeFormat format, const Sounding& s, const ChannelDefinitions& defs,
                          const HeaderTexts& texts, const std::vector<std::string>& history,
                          std::string& bytes, DateOrder order) {
  const bool gef = format == ExchangeFormat::Gef;
  // The class the readings reach goes with the remarks, said to be assessed from the data:
  // it is no statement of how the test was done.
  std::vector<std::string> remarks = history;
  if (std::string assessed = assessedClassText(assessQuality(s)); !assessed.empty())
    remarks.push_back(assessed);
  const ExchangeHeader header{texts, gef ? gefFileDate() : agsFileDate(), remarks, order};
  if (Outcome written =
          gef ? gefFileBytes(s, defs, header, bytes) : agsFileBytes(s, defs, header, bytes);
      !written)
    return written;
  auto back = std::make_unique<Sounding>();
  std::vector<std::string> notes;
  Outcome read = gef ? readGefFile(bytes, "the written file", defs, *back, notes)
                     : readAgsFile(bytes, "the written file", defs, *back, notes);
  if (!read) return Outcome::refused(read.message);
  if (back->NumReadings != s.NumReadings)
    return Outcome::refused("the written file reads back with " +
                            std::to_string(back->NumReadings) + " readings instead of " +
                            std::to_string(s.NumReadings));
  return {};
}

}  // namespace pelorin
