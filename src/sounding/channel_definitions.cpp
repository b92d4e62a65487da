#include "sounding/channel_definitions.hpp"

#include <algorithm>
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

std::string parseChannelDefinition(std::string_view bytes, int type, ChannelDefinitions& defs,
                                   std::vector<std::string>* remarks) {
  TextReader reader(bytes);
  auto remark = [&](const std::string& text) {
    if (remarks) remarks->push_back("line " + std::to_string(reader.lineNumber()) + ": " + text);
  };
  std::string item;
  auto clearType = [&] {
    defs.UnitCount[type] = 0;
    for (int u = 0; u <= MaxUnitOptions; ++u) {
      defs.UnitName[type][u].clear();
      defs.UnitFormat[type][u].clear();
      defs.UnitFactor[type][u] = 0;
    }
    defs.Symbol[type].clear();
  };
  auto tooShort = [&](int needed) {
    clearType();
    return "line " + std::to_string(reader.lineNumber() + (reader.atEnd() ? 1 : 0)) +
           ": the file ends before item " + std::to_string(needed);
  };
  clearType();
  std::string label;
  for (int i = 1; i <= kDescriptionItems; ++i) {
    if (!reader.readItem(item)) return tooShort(i);
    if (label == "Symbol") defs.Symbol[type] = item;
    label = item;
  }
  if (!reader.readItem(item)) return tooShort(kDescriptionItems + 1);
  double count = numericPrefix(item);
  if (!strictNumber(item))
    remark("the unit count " + quotedText(item) + " (item 14) is no number: read as " +
           generalNumber(count));
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
    if (!(factor > 0) || std::fabs(factor) < 1e-9 || std::fabs(factor) > 1e9)
      remark("the factor " + quotedText(item) + " of unit option " + std::to_string(u) + " (item " +
             std::to_string(first + 2) +
             ") is not a positive number from 1e-9 to 1e9: every value shown in it is off");
  }
  defs.UnitCount[type] = static_cast<std::int16_t>(units);
  return {};
}

std::vector<ExchangeColumn> defaultExchangeColumns() {
  return {
      {1, 2, "MPa", "cone resistance", 3, "SCPT_RES", "MPa", 3},
      {2, 3, "MPa", "local friction", 4, "SCPT_FRES", "MPa", 4},
      {4, 5, "MPa", "pore pressure u1", 4, "SCPT_PWP1", "MPa", 4},
      {3, 6, "MPa", "pore pressure u2", 4, "SCPT_PWP2", "MPa", 4},
      {5, 7, "MPa", "pore pressure u3", 4, "SCPT_PWP3", "MPa", 4},
      {6, 21, "deg", "inclination X", 2, "SCPT_SLP1", "deg", 4},
      {7, 22, "deg", "inclination Y", 2, "SCPT_SLP2", "deg", 4},
      {10, 8, "deg", "inclination resultant", 2, "", "", 0},
      {11, 9, "deg", "inclination N-S", 2, "", "", 0},
      {12, 10, "deg", "inclination E-W", 2, "", "", 0},
      {8, 39, "C", "temperature", 1, "SCPT_TEMP", "DegC", 4},
      {9, 23, "S/m", "electrical conductivity", 4, "SCPT_CON", "uS/cm", 4},
      {13, 13, "MPa", "corrected cone resistance", 3, "SCPT_QT", "MPa", 4},
      {16, 14, "MPa", "net cone resistance", 3, "SCPT_QNET", "MPa", 4},
      {17, 15, "-", "pore ratio", 3, "SCPT_BQ", "", 4},
      {14, 11, "m", "corrected depth", 3, "", "", 0},
      {15, 12, "s", "elapsed time", 1, "", "", 0},
  };
}

int gefQuantityOf(const ChannelDefinitions& defs, int type) {
  for (const ExchangeColumn& q : defs.Exchange)
    if (q.type == type) return q.gefQuantity;
  return 0;
}

std::string parseExchangeColumns(std::string_view bytes, std::vector<ExchangeColumn>& columns) {
  TextReader reader(bytes);
  std::string item;
  auto problem = [&](const std::string& what) {
    return "line " + std::to_string(std::max(1, reader.lineNumber())) + ": " + what;
  };
  // The identification line's three items and the columns line's two describe the file.
  for (int i = 1; i <= 5; ++i)
    if (!reader.readItem(item)) return problem("the file ends before the number of rows");
  if (!reader.readItem(item)) return problem("the file ends before the number of rows");
  const std::optional<double> count = strictNumber(item);
  if (!count || *count < 0 || *count > 100 || *count != std::floor(*count))
    return problem("the number of rows " + quotedText(item) + " is not a whole number to 100");
  std::vector<ExchangeColumn> read;
  for (int k = 1; k <= static_cast<int>(*count); ++k) {
    std::string items[8];
    for (std::string& text : items)
      if (!reader.readItem(text)) return problem("the file ends within row " + std::to_string(k));
    auto whole = [](const std::string& text, int low, int high) -> std::optional<int> {
      std::optional<double> number = strictNumber(text);
      if (!number || *number < low || *number > high || *number != std::floor(*number))
        return std::nullopt;
      return static_cast<int>(*number);
    };
    const auto type = whole(items[0], 1, MaxChannelTypes), quantity = whole(items[1], 0, 999),
               gefDecimals = whole(items[4], 0, 8), agsDecimals = whole(items[7], 0, 8);
    if (!type || !quantity || !gefDecimals || !agsDecimals)
      return problem(
          "a row holds a channel type (1 to 20), a GEF quantity (0 to 999), a GEF unit, a GEF "
          "name, GEF decimals (0 to 8), an AGS heading, an AGS unit and AGS decimals (0 to 8)");
    // Quantity 1 is the depth, 4 the friction ratio worked out again, 101 to 120 the columns
    // of types without a row; a type, quantity or heading stands once.
    const ExchangeColumn row{*type,        *quantity, items[2], items[3],
                             *gefDecimals, items[5],  items[6], *agsDecimals};
    if (row.gefQuantity == 1 || row.gefQuantity == 4 ||
        (row.gefQuantity > 100 && row.gefQuantity <= 100 + MaxChannelTypes))
      return problem("GEF quantity " + items[1] + " is the depth's, the friction ratio's or a " +
                     "column of its own");
    if (!row.agsHeading.empty() && (!row.agsHeading.starts_with("SCPT_") ||
                                    row.agsHeading == "SCPT_DPTH" || row.agsHeading == "SCPT_FRR"))
      return problem("the AGS heading " + quotedText(row.agsHeading) +
                     " is no SCPT heading of a channel");
    for (const ExchangeColumn& earlier : read)
      if (earlier.type == row.type || (row.gefQuantity && earlier.gefQuantity == row.gefQuantity) ||
          (!row.agsHeading.empty() && earlier.agsHeading == row.agsHeading))
        return problem("the row of type " + items[0] + " repeats a type, quantity or heading");
    read.push_back(row);
  }
  columns = std::move(read);
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
    // No file of that name is no error; anything else there that cannot be read is told.
    std::error_code ec;
    const auto link = std::filesystem::symlink_status(path, ec);
    if (ec || link.type() == std::filesystem::file_type::not_found) continue;
    const std::string named = "Channel definition file \"" + shownText(path) + "\"";
    std::string bytes, problem;
    if (!std::filesystem::is_regular_file(path, ec))
      problem = ec ? "it cannot be reached (" + ec.message() + ")" : "it is no regular file";
    else if (Outcome read = readWholeFile(path, bytes); !read)
      problem = read.message;
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
             bytes.find('\0') != std::string::npos)
      problem = "it is no single-byte text (UTF-16?)";
    std::vector<std::string> remarks;
    if (problem.empty()) problem = parseChannelDefinition(bytes, type, defs, &remarks);
    if (!problem.empty())
      warnings.push_back(std::string(named).append(" skipped: ").append(problem).append("."));
    for (const std::string& remark : remarks)
      warnings.push_back(std::string(named).append(": ").append(remark).append("."));
  }
  const std::filesystem::path exchange = std::filesystem::path(folder) / "ChannelExchange.txt";
  std::error_code ec;
  if (std::filesystem::is_regular_file(exchange, ec)) {
    std::string bytes;
    std::string problem;
    if (Outcome read = readWholeFile(exchange.string(), bytes); !read)
      problem = read.message;
    else
      problem = parseExchangeColumns(bytes, defs.Exchange);
    if (!problem.empty())
      warnings.push_back("Channel exchange file \"" + exchange.string() +
                         "\" skipped, the shipped mapping stands: " + problem + ".");
  }
  return defs;
}

}  // namespace pelorin
