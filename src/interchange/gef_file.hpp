#pragma once
// The GEF-CPT file (GEF 1.1, "GEF-CPT-Report"): the exchange format of the interpretation
// tools. A header of #KEY= lines, then one record per reading with a column per quantity:
// penetration length, cone resistance, sleeve friction, friction ratio, pore pressures and
// inclinations in GEF's units, the other channels after them in their base units.

#include <string>
#include <vector>

#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// What the header carries besides the sounding: the date the file is written ("2026, 12, 07")
// and the clean-up history, one #COMMENT line per step.
struct GefHeader {
  HeaderTexts texts;  // the twelve header texts, Windows-1252
  std::string fileDate;
  std::vector<std::string> history;
};

// Today's date as GEF writes it, "2026, 12, 07"; SOURCE_DATE_EPOCH, when set, stands for
// today so that a file can be made again byte for byte.
std::string gefFileDate();

// The GEF-CPT file for s. False with the problem, naming the readings, when two depths are
// equal or a depth goes back: GEF records must follow one another downwards.
Outcome gefFileBytes(const Sounding& s, const ChannelDefinitions& defs, const GefHeader& header,
                     std::string& out);

// Reads a GEF-CPT file into `s`, a fresh model: the depths and the channels GEF has a
// quantity for (the friction ratio is worked out again, not read), each in its type's base
// unit with an identity calibration (full-scale output and value 1, zero reading 0), so that
// the sounding can be cleaned, saved as a sounding file or exported again. Accepts what the
// field writes: blanks around "=", blank, tab or ";" between values, records with or
// without their separator, a void value per column, columns in any order, Windows-1252 or
// UTF-8. False with the file, line and problem otherwise.
Outcome readGefFile(std::string_view bytes, const std::string& fileName,
                    const ChannelDefinitions& defs, Sounding& s);

}  // namespace pelorin
