#pragma once
// File, Save and pelorin-cli clean: the sounding file written to the path the user chose.

#include <string>

#include "sounding/sounding_file.hpp"

namespace pelorin {

struct [[nodiscard]] SaveResult {
  Outcome outcome;      // refused: nothing was written, the message names the file
  std::string warning;  // written, but the file would not read back as the sounding stands
};

// Writes s with the given header texts to path safely. A file that would not read back as
// the sounding stands is written all the same and the result says why, unless
// refuseUnreadable asks to refuse it; the target is then left as it was.
// A sounding read from GEF-CPT or AGS4 that misses values within a channel is refused: the
// file would move the values below each gap.
SaveResult saveSoundingFile(const std::string& path, const Sounding& s,
                            const ChannelDefinitions& defs, const HeaderTexts& header,
                            bool refuseUnreadable);

}  // namespace pelorin
