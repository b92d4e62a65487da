#pragma once
// The AGS4 file (TRAN_AGS 4.1.1) with the sounding as a static cone penetration test: groups
// PROJ, TRAN, ABBR, TYPE, UNIT, LOCA, SCPG (the test) and SCPT (one row per reading), every
// field in double quotes, CR LF, codes, units and types as the standard dictionary has them.

#include <string>
#include <vector>

#include "interchange/exchange_text.hpp"
#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// Today's date as AGS writes it; SOURCE_DATE_EPOCH, when set, stands for today.
std::string agsFileDate();

// The AGS4 file for s. False with the problem, naming the readings, when two depths would be
// the same at two decimals: SCPT's key (LOCA_ID, SCPG_TESN, SCPT_DPTH) must be unique.
Outcome agsFileBytes(const Sounding& s, const ChannelDefinitions& defs,
                     const ExchangeHeader& header, std::string& out);

// One push of a cone test in an AGS4 file: its location, its test reference and how many
// SCPT rows it has.
struct AgsPush {
  std::string location, test;
  int readings = 0;
};

// The pushes of an AGS4 file in the order their first SCPT rows come. False with the file,
// line and problem when the file cannot be read.
Outcome agsPushes(std::string_view bytes, const std::string& fileName,
                  std::vector<AgsPush>& pushes);

// Reads one push of an AGS4 file into `s`, a fresh model, as readGefFile does for GEF:
// `push` is "LOCA_ID:SCPG_TESN" (or a LOCA_ID alone, its first push); empty, the first push
// of the file, and a note says how many others there are. AGS 4.0, 4.1 and 4.1.1 files;
// units compared without case and with the names the field writes ("MN/m2" for MPa). False
// with the file, line and problem otherwise.
Outcome readAgsFile(std::string_view bytes, const std::string& fileName,
                    const ChannelDefinitions& defs, Sounding& s, std::vector<std::string>& notes,
                    const std::string& push = {});

}  // namespace pelorin
