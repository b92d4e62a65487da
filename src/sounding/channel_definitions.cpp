#include "sounding/channel_definitions.hpp"

#include <cmath>
#include <filesystem>

#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {
// Items 1 to 13 describe the type for people; the program does not use them.
constexpr int kDescriptionItems = 13;
}  // namespace

std::string parseChannelDefinition(std::string_view bytes, int type, ChannelDefinitions& defs) {
  TextReader reader(bytes);
  std::string item;
  auto clearType = [&] {
    defs.UnitCount[type] = 0;
    for (int u = 0; u <= MaxUnitOptions; ++u) {
      defs.UnitName[type][u].clear();
      defs.UnitFormat[type][u].clear();
      defs.UnitFactor[type][u] = 0;
    }
  };
  auto tooShort = [&](int needed) {
    clearType();
    return "line " + std::to_string(reader.lineNumber() + (reader.atEnd() ? 1 : 0)) +
           ": the file ends before item " + std::to_string(needed);
  };
  clearType();
  for (int i = 1; i <= kDescriptionItems; ++i)
    if (!reader.readItem(item)) return tooShort(i);
  if (!reader.readItem(item)) return tooShort(kDescriptionItems + 1);
  double count = numericPrefix(item);
  if (count < 0 || count > MaxUnitOptions || count != static_cast<double>(roundHalfEven(count))) {
    clearType();
    return "line " + std::to_string(reader.lineNumber()) + ": the unit count \"" + item +
           "\" is not a whole number from 0 to 10";
  }
  int units = static_cast<int>(count);
  for (int u = 1; u <= units; ++u) {
    int first = kDescriptionItems + 2 + 3 * (u - 1);
    if (!reader.readItem(defs.UnitName[type][u])) return tooShort(first);
    if (!reader.readItem(defs.UnitFormat[type][u])) return tooShort(first + 1);
    if (!reader.readItem(item)) return tooShort(first + 2);
    defs.UnitFactor[type][u] = toSingle(numericPrefix(item));
    // A factor the sounding file's row 7 would write as 0 divides by zero on reading it.
    float factor = defs.UnitFactor[type][u];
    if (!std::isfinite(factor) || numericPrefix(formatPattern(factor, "#####0.00000000")) == 0) {
      int line = reader.lineNumber();
      clearType();
      return "line " + std::to_string(line) + ": the factor " + quotedText(item) +
             " of unit option " + std::to_string(u) + " (item " + std::to_string(first + 2) + ") " +
             (std::isfinite(factor) ? "writes as 0 with the sounding file's eight decimals"
                                    : "is beyond the float range");
    }
  }
  defs.UnitCount[type] = static_cast<std::int16_t>(units);
  return {};
}

std::string definitionsFolder(const std::string& programFolder) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(std::filesystem::path(programFolder) / "Channel1.txt", ec))
    return programFolder;
  // An installed program lies in PREFIX/bin, its data in PREFIX/share/pelorin.
  return (std::filesystem::path(programFolder).parent_path() / PELORIN_INSTALLED_DATA).string();
}

ChannelDefinitions loadChannelDefinitions(const std::string& folder,
                                          std::vector<std::string>& warnings) {
  ChannelDefinitions defs;
  for (int type = 1; type <= MaxChannelTypes; ++type) {
    std::string path =
        (std::filesystem::path(folder) / ("Channel" + std::to_string(type) + ".txt")).string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) continue;
    std::string bytes;
    if (Outcome read = readWholeFile(path, bytes); !read) {
      warnings.push_back("Channel definition file skipped: " + read.message);
      continue;
    }
    std::string problem = parseChannelDefinition(bytes, type, defs);
    if (!problem.empty())
      warnings.push_back(std::string("Channel definition file \"")
                             .append(path)
                             .append("\" skipped: ")
                             .append(problem)
                             .append("."));
  }
  return defs;
}

}  // namespace pelorin
