#include "sounding/save_sounding.hpp"

#include <algorithm>
#include <cmath>

#include "sounding/missing_values.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"

namespace pelorin {

SaveResult saveSoundingFile(const std::string& path, const Sounding& s,
                            const ChannelDefinitions& defs, const HeaderTexts& header,
                            bool refuseUnreadable) {
  SaveResult result;
  if (std::string missing = missingValuesProblem(s); !missing.empty()) {
    result.outcome = Outcome::refused("Cannot save \"" + path + "\": " + missing + ".", path);
    return result;
  }
  std::string bytes;
  WrittenReadings meant;
  if (Outcome written = writeSoundingFile(s, defs, header, bytes, &meant); !written) {
    result.outcome = Outcome::refused("\"" + path + "\": " + written.message, path);
    return result;
  }
  if (std::string problem = readBackProblem(bytes, s, defs, meant); !problem.empty()) {
    if (refuseUnreadable) {
      result.outcome = Outcome::refused(
          "Cannot save \"" + path +
              "\": it would not read back as the sounding stands: " + problem + ".",
          path);
      return result;
    }
    result.warning = "\"" + path + "\" will not read back as the sounding stands: " + problem + ".";
  }
  // A GEF or AGS4 file may hold millimetres; a sounding file holds centimetres.
  if (s.Source != SoundingSource::SoundingFile) {
    int moved = 0;
    double most = 0;
    for (int n = 1; n <= s.NumReadings; ++n) {
      const double off = std::fabs(numericPrefix(formatPattern(s.Depth[n], "##0.00")) - s.Depth[n]);
      if (off > 0.0005) ++moved, most = std::max(most, off);
    }
    if (moved > 0)
      result.warning += std::string(result.warning.empty() ? "" : " ") + "\"" + path +
                        "\": " + std::to_string(moved) +
                        " depths are written to the centimetre a sounding file holds, up to " +
                        formatPattern(most * 1000, "0.0") + " mm from the opened file's.";
  }
  result.outcome = writeFileSafely(path, bytes);
  if (!result.outcome) result.warning.clear();
  return result;
}

}  // namespace pelorin
