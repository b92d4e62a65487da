#include "sounding/save_sounding.hpp"

#include "sounding/missing_values.hpp"
#include "text/file_io.hpp"

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
  if (Outcome written = writeSoundingFile(s, defs, header, bytes); !written) {
    result.outcome = Outcome::refused("\"" + path + "\": " + written.message, path);
    return result;
  }
  if (std::string problem = readBackProblem(bytes, s, defs); !problem.empty()) {
    if (refuseUnreadable) {
      result.outcome = Outcome::refused(
          "Cannot save \"" + path +
              "\": it would not read back as the sounding stands: " + problem + ".",
          path);
      return result;
    }
    result.warning = "\"" + path + "\" will not read back as the sounding stands: " + problem + ".";
  }
  result.outcome = writeFileSafely(path, bytes);
  if (!result.outcome) result.warning.clear();
  return result;
}

}  // namespace pelorin
