#include "sounding/save_sounding.hpp"

#include "text/file_io.hpp"

namespace pelorin {

SaveResult saveSoundingFile(const std::string& path, const Sounding& s,
                            const ChannelDefinitions& defs, const HeaderTexts& header,
                            bool refuseUnreadable) {
  SaveResult result;
  std::string bytes;
  FileError error;
  if (!writeSoundingFile(s, defs, header, bytes, error)) {
    result.refusal = "\"" + path + "\": " + error.message;
    return result;
  }
  if (std::string problem = readBackProblem(bytes, s, defs); !problem.empty()) {
    if (refuseUnreadable) {
      result.refusal = "Cannot save \"" + path +
                       "\": it would not read back as the sounding stands: " + problem + ".";
      return result;
    }
    result.warning = "\"" + path + "\" will not read back as the sounding stands: " + problem + ".";
  }
  result.refusal = writeFileSafely(path, bytes);
  if (!result.refusal.empty()) result.warning.clear();
  return result;
}

}  // namespace pelorin
