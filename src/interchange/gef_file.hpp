#pragma once
// The GEF-CPT file (GEF 1.1, "GEF-CPT-Report"): the exchange format of the interpretation
// tools. A header of #KEY= lines, then one record per reading with a column per quantity:
// penetration length, then a column for each channel in the order of the channel exchange
// file (ChannelExchange.txt), each in its GEF quantity's unit; a channel type the file does
// not map goes in a column of its own, quantity 100 + its type, in its base unit.

#include <string>
#include <vector>

#include "interchange/exchange_text.hpp"
#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// Today's date as GEF writes it, "2026, 12, 07"; SOURCE_DATE_EPOCH, when set, stands for
// today so that a file can be made again byte for byte.
std::string gefFileDate();

// The GEF-CPT file for s. The depths go down as the readings stand; GEF does not ask them
// to go down one after the other.
Outcome gefFileBytes(const Sounding& s, const ChannelDefinitions& defs,
                     const ExchangeHeader& header, std::string& out);

// Reads a GEF-CPT file into `s`, a fresh model: the depths and every quantity the channel
// exchange file maps to a channel type while there is room (the friction ratio is worked
// out again, not read), each in its type's base unit with an identity calibration, so that
// the sounding can be cleaned, saved as a sounding file or exported again. Position, level,
// cone and date go to the model's site information and header texts. Accepts what the field
// writes: a byte-order mark, blanks around "=", blank, tab or ";" between values, records
// with or without their separator, a void value per column, columns in any order,
// Windows-1252 or UTF-8, penetration lengths counted negative downwards. A record without a
// readable depth is left out; what was left out or looks odd goes to `notes`. False with the
// file, line and problem otherwise.
Outcome readGefFile(std::string_view bytes, const std::string& fileName,
                    const ChannelDefinitions& defs, Sounding& s, std::vector<std::string>& notes);

}  // namespace pelorin
