#pragma once
// The exchange files as the window and the batch tool write them: the bytes of a GEF-CPT or
// AGS4 file, read back before they go to disk.

#include <string>
#include <vector>

#include "interchange/exchange_text.hpp"
#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

enum class ExchangeFormat { Gef, Ags };

// The file of the given format for s with the header texts, today's date and the clean-up
// history; `order` tells how a date text with the year last is read, and a date that reads
// two ways is left out with a note. Refused with the problem when the writer refuses the
// sounding or the bytes would not read back as many readings as s holds.
Outcome exchangeFileBytes(ExchangeFormat format, const Sounding& s, const ChannelDefinitions& defs,
                          const HeaderTexts& texts, const std::vector<std::string>& history,
                          std::string& bytes, std::vector<std::string>& notes,
                          DateOrder order = DateOrder::Unambiguous);

}  // namespace pelorin
