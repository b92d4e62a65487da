#pragma once
// The AGS4 file (TRAN_AGS 4.1.1) with the sounding as a static cone penetration test: groups
// PROJ, TRAN, ABBR, TYPE, UNIT, LOCA, SCPG (the test) and SCPT (one row per reading), every
// field in double quotes, CR LF.

#include <string>
#include <vector>

#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

struct AgsHeader {
  HeaderTexts texts;                 // the twelve header texts, Windows-1252
  std::string fileDate;              // "2026-12-07"
  std::vector<std::string> history;  // the clean-up steps, into SCPG_REM
};

// Today's date as AGS writes it; SOURCE_DATE_EPOCH, when set, stands for today.
std::string agsFileDate();

// The AGS4 file for s. False with the problem, naming the readings, when two depths would be
// the same at two decimals: SCPT's key (LOCA_ID, SCPG_TESN, SCPT_DPTH) must be unique.
Outcome agsFileBytes(const Sounding& s, const ChannelDefinitions& defs, const AgsHeader& header,
                     std::string& out);

// Reads an AGS4 file's SCPT rows (the first test of the first location) into `s`, a fresh
// model, as readGefFile does for GEF. False with the file, line and problem otherwise.
Outcome readAgsFile(std::string_view bytes, const std::string& fileName,
                    const ChannelDefinitions& defs, Sounding& s);

}  // namespace pelorin
