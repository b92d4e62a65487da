#include "interchange/exchange_file.hpp"

#include <memory>

#include "interchange/ags_file.hpp"
#include "interchange/gef_file.hpp"

namespace pelorin {

bool exchangeFileBytes(ExchangeFormat format, const Sounding& s, const ChannelDefinitions& defs,
                       const HeaderTexts& texts, const std::vector<std::string>& history,
                       std::string& bytes, std::string& problem) {
  const bool gef = format == ExchangeFormat::Gef;
  if (!(gef ? gefFileBytes(s, defs, GefHeader{texts, gefFileDate(), history}, bytes, problem)
            : agsFileBytes(s, defs, AgsHeader{texts, agsFileDate(), history}, bytes, problem)))
    return false;
  auto back = std::make_unique<Sounding>();
  FileError error;
  const bool read = gef ? readGefFile(bytes, "the written file", defs, *back, error)
                        : readAgsFile(bytes, "the written file", defs, *back, error);
  if (read && back->NumReadings == s.NumReadings) return true;
  problem = read ? "the written file reads back with " + std::to_string(back->NumReadings) +
                       " readings instead of " + std::to_string(s.NumReadings)
                 : error.message;
  return false;
}

}  // namespace pelorin
