#include "interchange/gef_file.hpp"

#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <regex>

#include "export/readings_table.hpp"
#include "interchange/exchange_text.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

constexpr const char* kVoid = "-9999";

// One column of the records: a GEF quantity, its unit and where its values come from.
struct Column {
  int number = 0;
  int quantity = 0;  // GEF's quantity number; 0 for a channel GEF has none for
  std::string unit, description;
  int channel = 0;      // the channel, 0 for the depth, -1 for the friction ratio
  double factor = 1.0;  // from the channel's base unit to `unit`
  const char* pattern = "0.000";
};

struct Quantity {
  int type, quantity;
  const char* unit;
  const char* description;
  const char* pattern;
};

// The channel types GEF has a quantity for, in the order of their columns.
constexpr Quantity kQuantities[] = {
    {1, 2, "MPa", "cone resistance", "0.000"},   {2, 3, "MPa", "sleeve friction", "0.0000"},
    {4, 5, "MPa", "pore pressure u1", "0.0000"}, {3, 6, "MPa", "pore pressure u2", "0.0000"},
    {5, 7, "MPa", "pore pressure u3", "0.0000"}, {6, 21, "deg", "inclination X", "0.00"},
    {7, 22, "deg", "inclination Y", "0.00"},     {10, 8, "deg", "inclination resultant", "0.00"},
};

// A header text as GEF takes it: ASCII, commas (its separator) as blanks, "-" for nothing.
std::string ascii(const std::string& windows1252) {
  std::string out = asciiText(windows1252);
  for (char& ch : out)
    if (ch == ',') ch = ' ';
  return out.empty() ? "-" : out;
}

// The GPS text as longitude and latitude in decimal degrees ("N 53.21874 E 6.56702").
std::optional<std::pair<double, double>> lonLat(const std::string& text) {
  std::smatch m;
  static const std::regex gps(R"(([NS])\s*(\d+(?:\.\d+)?)\D+?([EW])\s*(\d+(?:\.\d+)?))");
  if (!std::regex_search(text, m, gps)) return std::nullopt;
  double lat = std::stod(m[2]) * (m[1] == "S" ? -1 : 1),
         lon = std::stod(m[4]) * (m[3] == "W" ? -1 : 1);
  return std::pair{lon, lat};
}

std::vector<Column> columnsOf(const Sounding& s, const ChannelDefinitions& defs) {
  std::vector<Column> columns = {{1, 1, "m", "penetration length", 0, 1.0, "0.00"}};
  std::array<bool, MaxChannels + 1> placed{};
  auto first = [&](int type) {
    for (int c = 1; c <= s.NumChannels; ++c)
      if (s.ChannelType[c] == type && !placed[c]) return c;
    return 0;
  };
  bool qc = false;
  for (const Quantity& q : kQuantities) {
    int c = first(q.type);
    if (c == 0) continue;
    placed[c] = true;
    qc = qc || q.type == 1;
    // The base unit of pressures is kPa.
    double factor = std::string(q.unit) == "MPa" ? 0.001 : 1.0;
    columns.push_back({0, q.quantity, q.unit, q.description, c, factor, q.pattern});
    if (q.type == 2 && qc) columns.push_back({0, 4, "%", "friction ratio", -1, 1.0, "0.00"});
  }
  for (int c = 1; c <= s.NumChannels; ++c)
    if (!placed[c])
      columns.push_back({0, 0, ascii(defs.UnitName[s.ChannelType[c]][1]), ascii(s.ChannelName[c]),
                         c, 1.0, "0.000"});
  for (std::size_t k = 0; k < columns.size(); ++k) columns[k].number = static_cast<int>(k + 1);
  return columns;
}

// Channel c's value of reading n in the column's unit, or nothing.
std::optional<double> valueOf(const Sounding& s, const Column& column, int n) {
  float value = channelValueAt(s, column.channel, n);
  float factor = s.ChannelFactor[column.channel];
  if (value == NoValue || factor == 0) return std::nullopt;
  return value / static_cast<double>(factor) * column.factor;
}

void line(std::string& out, const std::string& key, const std::string& value) {
  out += "#" + key + "= " + value + "\r\n";
}

}  // namespace

std::string gefFileDate() { return writingDay("%04d, %02d, %02d"); }

Outcome gefFileBytes(const Sounding& s, const ChannelDefinitions& defs, const GefHeader& header,
                     std::string& out) {
  for (int n = 2; n <= s.NumReadings; ++n)
    if (!(s.Depth[n] > s.Depth[n - 1])) {
      return Outcome::refused("readings " + std::to_string(n - 1) + " and " + std::to_string(n) +
                              " lie at " + formatPattern(s.Depth[n - 1], "##0.00") + " and " +
                              formatPattern(s.Depth[n], "##0.00") +
                              " m: GEF records must go down one after the other");
    }
  const HeaderTexts& h = header.texts;
  const std::vector<Column> columns = columnsOf(s, defs);
  out.clear();
  line(out, "GEFID", "1, 1, 0");
  line(out, "FILEDATE", header.fileDate);
  line(out, "PROJECTID", "CPT, " + ascii(h[4]));
  line(out, "COMPANYID", ascii(h[0]) + ", -, -");
  line(out, "TESTID", ascii(h[5]));
  if (auto when = soundingDate(h[6])) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d, %02d, %02d", when->year, when->month, when->day);
    line(out, "STARTDATE", text);
    if (when->hour >= 0) {
      std::snprintf(text, sizeof text, "%02d, %02d, %02d", when->hour, when->minute, when->second);
      line(out, "STARTTIME", text);
    }
  }
  auto place = lonLat(h[10]);
  char xy[96];
  std::snprintf(xy, sizeof xy, "0, %.6f, %.6f", place ? place->first : 0.0,
                place ? place->second : 0.0);
  line(out, "XYID", xy);
  line(out, "ZID", "0, 0.00");
  line(out, "MEASUREMENTTEXT", "4, " + ascii(h[2]) + ", cone");
  // The zero readings of cone, sleeve and pore pressures: 0 before, the drift after, in MPa.
  if (s.HasFinalBaseline) {
    const std::pair<int, int> zeros[] = {{1, 20}, {2, 22}, {4, 24}, {3, 26}, {5, 28}};
    for (auto [type, code] : zeros)
      for (int c = 1; c <= s.NumChannels; ++c)
        if (s.ChannelType[c] == type && s.ChannelFactor[c] != 0) {
          const char* what = type == 1 ? "cone" : type == 2 ? "friction" : "pore pressure";
          line(out, "MEASUREMENTVAR",
               std::to_string(code) + ", 0.000, MPa, zero measurement " + what +
                   " before penetration test");
          line(out, "MEASUREMENTVAR",
               std::to_string(code + 1) + ", " +
                   formatPattern(
                       s.BaselineDrift[c] / static_cast<double>(s.ChannelFactor[c]) * 0.001,
                       "0.000") +
                   ", MPa, zero measurement " + what + " after penetration test");
          break;
        }
  }
  line(out, "COLUMN", std::to_string(columns.size()));
  for (const Column& column : columns)
    line(out, "COLUMNINFO",
         std::to_string(column.number) + ", " + column.unit + ", " + column.description + ", " +
             std::to_string(column.quantity));
  for (const Column& column : columns)
    line(out, "COLUMNVOID", std::to_string(column.number) + ", " + kVoid);
  line(out, "COLUMNSEPARATOR", ";");
  line(out, "RECORDSEPARATOR", "!");
  line(out, "LASTSCAN", std::to_string(s.NumReadings));
  line(out, "DATAFORMAT", "ASCII");
  line(out, "REPORTCODE", "GEF-CPT-Report, 1, 1, 2, -");
  for (const std::string& step : header.history) line(out, "COMMENT", ascii(step));
  out += "#EOH=\r\n";

  const Column* qcColumn = nullptr;
  const Column* fsColumn = nullptr;
  for (const Column& column : columns) {
    if (column.quantity == 2) qcColumn = &column;
    if (column.quantity == 3) fsColumn = &column;
  }
  for (int n = 1; n <= s.NumReadings; ++n) {
    for (const Column& column : columns) {
      std::optional<double> value;
      if (column.channel == 0) {
        value = s.Depth[n];
      } else if (column.channel > 0) {
        value = valueOf(s, column, n);
      } else {  // the friction ratio, where cone and sleeve both have a value
        auto qc = valueOf(s, *qcColumn, n), fs = valueOf(s, *fsColumn, n);
        if (qc && fs && *qc != 0) value = *fs / *qc * 100;
      }
      out += value ? formatPattern(*value, column.pattern) : kVoid;
      out += ';';
    }
    out += "!\r\n";
  }
  return {};
}

namespace {

// A GEF quantity read back: the channel type it fills, its name and the factor from the
// file's unit to the type's base unit.
struct ReadQuantity {
  int quantity, type;
  const char* name;
  double toBase;
};
constexpr ReadQuantity kReadQuantities[] = {
    {2, 1, "Qc", 1000}, {3, 2, "Fs", 1000}, {5, 4, "U1", 1000}, {6, 3, "U2", 1000},
    {7, 5, "U3", 1000}, {21, 6, "Ix", 1},   {22, 7, "Iy", 1},   {8, 10, "I", 1},
};

std::string_view trimmedView(std::string_view text) {
  std::size_t from = text.find_first_not_of(" \t"), to = text.find_last_not_of(" \t");
  return from == std::string_view::npos ? std::string_view() : text.substr(from, to - from + 1);
}

std::string trimmed(std::string_view text) { return std::string(trimmedView(text)); }

// The comma-separated items of a header value.
std::vector<std::string> items(const std::string& value) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  for (std::size_t comma; (comma = value.find(',', at)) != std::string::npos; at = comma + 1)
    parts.push_back(trimmed(std::string_view(value).substr(at, comma - at)));
  parts.push_back(trimmed(std::string_view(value).substr(at)));
  return parts;
}

}  // namespace

Outcome readGefFile(std::string_view bytes, const std::string& fileName,
                    const ChannelDefinitions& defs, Sounding& s) {
  TextReader text(bytes);
  std::string line;
  struct Info {
    int quantity = -1;
    double voidValue = -1e300;
    bool hasVoid = false;
  };
  std::vector<Info> columns;  // [number - 1]
  std::string separator, recordEnd;
  bool header = true;
  int channelOf[64] = {};
  while (header && text.readLine(line)) {
    const int number = text.lineNumber();
    std::string entry = trimmed(line);
    if (entry.empty()) continue;
    if (entry[0] != '#')
      return refusedOnLine(fileName, number, "a header line must begin with \"#\"");
    std::size_t equals = entry.find('=');
    if (equals == std::string::npos)
      return refusedOnLine(fileName, number,
                           "the header line " + quotedText(entry) + " has no \"=\"");
    std::string key = trimmed(std::string_view(entry).substr(1, equals - 1));
    for (char& ch : key) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const std::vector<std::string> value = items(entry.substr(equals + 1));
    auto column = [&]() -> Info* {
      int n = std::atoi(value[0].c_str());
      if (n < 1 || n > 64) return nullptr;
      if (columns.size() < static_cast<std::size_t>(n)) columns.resize(static_cast<std::size_t>(n));
      return &columns[static_cast<std::size_t>(n - 1)];
    };
    if (key == "EOH") {
      header = false;
    } else if (key == "COLUMNINFO") {
      Info* info = column();
      if (!info || value.size() < 4)
        return refusedOnLine(
            fileName, number,
            "#COLUMNINFO needs a column number from 1 to 64, a unit, a name and a quantity");
      info->quantity = std::atoi(value[3].c_str());
    } else if (key == "COLUMNVOID") {
      Info* info = column();
      if (!info || value.size() < 2)
        return refusedOnLine(fileName, number, "#COLUMNVOID needs a column number and a value");
      info->voidValue = numericPrefix(value[1]), info->hasVoid = true;
    } else if (key == "COLUMNSEPARATOR") {
      separator = value[0];
    } else if (key == "RECORDSEPARATOR") {
      recordEnd = value[0];
    } else if (key == "COMPANYID") {
      s.CompanyName = value[0];
    } else if (key == "PROJECTID") {
      s.JobNumber = value.size() > 1 ? value[1] : value[0];
    } else if (key == "TESTID") {
      s.HoleNumber = value[0];
    } else if (key == "MEASUREMENTTEXT" && value[0] == "4" && value.size() > 1) {
      s.ConeNumber = value[1];
    } else if (key == "STARTDATE" && value.size() >= 3) {
      s.DateAndTime = value[2] + "/" + value[1] + "/" + value[0] + s.DateAndTime;
    } else if (key == "STARTTIME" && value.size() >= 2) {
      s.DateAndTime += " " + value[0] + ":" + value[1];
    }
  }
  if (header) return refusedOnLine(fileName, text.lineNumber() + 1, "the file ends before #EOH=");
  int depthColumn = -1;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    if (columns[k].quantity == 1) depthColumn = static_cast<int>(k);
    for (const ReadQuantity& q : kReadQuantities)
      if (columns[k].quantity == q.quantity && s.NumChannels < MaxChannels) {
        channelOf[k] = addBaseUnitChannel(s, defs, q.type, q.name);
      }
  }
  if (depthColumn < 0)
    return refusedOnLine(fileName, text.lineNumber(),
                         "no column holds the penetration length (quantity 1)");

  // Values apart by the declared separator, or else by blanks, tabs or ";".
  const bool declared = !separator.empty() && separator != " ";
  std::vector<std::string_view> values;
  while (text.readLine(line)) {
    const int number = text.lineNumber();
    std::string_view record = trimmedView(line);
    if (!recordEnd.empty() && record.ends_with(recordEnd)) record.remove_suffix(recordEnd.size());
    if (trimmedView(record).empty()) continue;
    values.clear();
    for (std::size_t at = 0, start = 0; at <= record.size(); ++at) {
      const bool end = at == record.size();
      const char ch = end ? '\0' : record[at];
      if (!end && (declared ? ch != separator[0] : ch != ' ' && ch != '\t' && ch != ';')) continue;
      std::string_view value = trimmedView(record.substr(start, at - start));
      if (declared || !value.empty()) values.push_back(value);
      start = at + 1;
    }
    if (values.size() < columns.size())
      return refusedOnLine(fileName, number,
                           "the record has " + std::to_string(values.size()) + " values for " +
                               std::to_string(columns.size()) + " columns");
    if (s.NumReadings >= MaxReadings)
      return refusedOnLine(fileName, number, "more than 10,000 readings");
    const int n = ++s.NumReadings;
    for (std::size_t k = 0; k < columns.size(); ++k) {
      std::optional<double> number_ = strictNumber(values[k]);
      if (!number_)
        return refusedOnLine(
            fileName, number,
            "column " + std::to_string(k + 1) + " holds " + quotedText(values[k]) + ", no number");
      const bool isVoid = columns[k].hasVoid && *number_ == columns[k].voidValue;
      if (static_cast<int>(k) == depthColumn) {
        if (isVoid) return refusedOnLine(fileName, number, "the record has no depth");
        s.Depth[n] = s.Reading[0][n] = toSingle(*number_);
        s.Speed[n] = 0;  // GEF-CPT carries no penetration rate: none is known
      }
      if (int c = channelOf[k]) {
        double toBase = 1;
        for (const ReadQuantity& q : kReadQuantities)
          if (q.quantity == columns[k].quantity) toBase = q.toBase;
        float base = isVoid ? NoValue : toSingle(*number_ * toBase);
        s.RawReading[c][n] = base;
        s.Reading[c][n] =
            isVoid ? NoValue : toSingle(base * static_cast<double>(s.ChannelFactor[c]));
      }
    }
  }
  if (s.NumReadings == 0)
    return refusedOnLine(fileName, text.lineNumber(), "the file holds no records");
  // Header texts in UTF-8 become the model's Windows-1252; others are taken as they are.
  for (std::string* text : {&s.CompanyName, &s.JobNumber, &s.HoleNumber, &s.ConeNumber}) {
    std::string single = utf8ToWindows1252(*text);
    if (windows1252ToUtf8(single) == *text) *text = single;
  }
  settleReadChannels(s);
  return {};
}

}  // namespace pelorin
