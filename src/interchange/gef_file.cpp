#include "interchange/gef_file.hpp"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

#include "export/readings_table.hpp"
#include "sounding/channel_definitions.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

constexpr const char* kVoid = "-9999";

// The words #MEASUREMENTTEXT 7 and 8 give an own system (code 0) that is none: a position or a
// level not known, or known without the system or datum it is in.
constexpr const char* kWgs84 = "WGS 84";
constexpr const char* kNoPosition = "position not known";
constexpr const char* kNoSystem = "coordinate system not stated";
constexpr const char* kNoLevel = "ground surface (its level is not known)";
constexpr const char* kNoDatum = "ground level (datum not stated)";

// A channel type the exchange file does not map has a column of its own: quantity 100 + type
// (GEF-CPT numbers its quantities below 100).
constexpr int kOwnQuantities = 100;

// One column of the records: a GEF quantity, its unit and where its values come from.
struct Column {
  int quantity = 0;
  std::string unit, description;
  int channel = 0;      // the channel, 0 for the depth, -1 for the friction ratio
  double factor = 1.0;  // from the channel's base unit to `unit`
  NumberPattern pattern{"0.000"};
};

// A header text as GEF takes it: ASCII, commas (its separator) as blanks, "-" for nothing.
std::string ascii(const std::string& windows1252) {
  std::string out = asciiText(windows1252);
  for (char& ch : out)
    if (ch == ',') ch = ' ';
  return out.empty() ? "-" : out;
}

NumberPattern decimalsPattern(int decimals) {
  return NumberPattern(decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0')
                                    : "0");
}

// The fewest decimals, three at least, at which every depth reads back as it stands.
NumberPattern depthPattern(const Sounding& s) {
  for (int decimals = 3; decimals < 6; ++decimals) {
    const NumberPattern pattern = decimalsPattern(decimals);
    bool exact = true;
    for (int n = 1; n <= s.NumReadings && exact; ++n)
      exact = toSingle(numericPrefix(formatPattern(s.Depth[n], pattern))) == s.Depth[n];
    if (exact) return pattern;
  }
  return decimalsPattern(6);
}

std::vector<Column> columnsOf(const Sounding& s, const ChannelDefinitions& defs) {
  std::vector<Column> columns = {{1, "m", "penetration length", 0, 1.0, depthPattern(s)}};
  std::array<bool, MaxChannels + 1> placed{};
  bool qc = false;
  for (const ExchangeColumn& q : defs.Exchange) {
    if (q.gefQuantity == 0) continue;
    int c = 1;
    while (c <= s.NumChannels && (s.ChannelType[c] != q.type || placed[c])) ++c;
    if (c > s.NumChannels) continue;
    placed[c] = true;
    qc = qc || q.gefQuantity == 2;
    const std::string& base = defs.UnitName[q.type][1];
    // A base unit that does not convert to GEF's is written as it is, under its own name.
    const std::optional<double> factor = unitFactor(base, q.gefUnit);
    columns.push_back({q.gefQuantity, factor ? q.gefUnit : ascii(base), q.gefName, c,
                       factor.value_or(1.0), decimalsPattern(q.gefDecimals)});
    if (q.gefQuantity == 3 && qc)
      columns.push_back({4, "%", "friction ratio", -1, 1.0, NumberPattern("0.00")});
  }
  for (int c = 1; c <= s.NumChannels; ++c)
    if (!placed[c])
      columns.push_back({kOwnQuantities + s.ChannelType[c],
                         ascii(defs.UnitName[s.ChannelType[c]][1]), ascii(s.ChannelName[c]), c, 1.0,
                         NumberPattern("0.000")});
  return columns;
}

void line(std::string& out, const std::string& key, const std::string& value) {
  out += "#" + key + "= " + value + "\r\n";
}

// A value with the pattern's decimals, never "-0.000".
std::string fixed(double value, const char* pattern) {
  std::string text = formatPattern(value, pattern);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

// The position and level lines, and what a reader needs to know about them: the coordinate
// system and the reference level are told in words (#MEASUREMENTTEXT 7 and 8) where GEF has
// no number for them, and a position or level not known is written as 0 in an own system
// that says so, never as a made-up place.
void positionLines(std::string& out, const Sounding& s) {
  const SiteInfo& site = s.Site;
  std::string xy = "0, 0.00, 0.00", ownSystem = kNoPosition;
  std::optional<LatLon> latLon;
  if (!site.Latitude.empty())
    latLon = LatLon{numericPrefix(site.Latitude), numericPrefix(site.Longitude)};
  else
    latLon = gpsPosition(s.GPSData);
  if (!site.X.empty() && strictNumber(site.CoordinateSystem)) {
    xy = site.CoordinateSystem + ", " + site.X + ", " + site.Y, ownSystem.clear();
    if (site.CoordinateSystem == "0") ownSystem = kNoSystem;
  } else if (!site.X.empty()) {
    const bool rd = asciiText(site.CoordinateSystem) == "RD";
    xy = std::string(rd ? "31000" : "0") + ", " + site.X + ", " + site.Y;
    ownSystem = rd ? "" : site.CoordinateSystem.empty() ? kNoSystem : ascii(site.CoordinateSystem);
  } else if (latLon) {
    char text[96];
    std::snprintf(text, sizeof text, "0, %.6f, %.6f", latLon->longitude, latLon->latitude);
    xy = text, ownSystem = std::string(kWgs84) + " longitude and latitude in decimal degrees";
  }
  line(out, "XYID", xy);
  std::string z = "0, 0.00", ownLevel = kNoLevel;
  if (!site.GroundLevel.empty()) {
    const bool code = strictNumber(site.LevelDatum).has_value();
    const bool nap = code ? site.LevelDatum == "31000" : asciiText(site.LevelDatum) == "NAP";
    z = std::string(nap ? "31000" : code ? site.LevelDatum : "0") + ", " + site.GroundLevel;
    ownLevel = nap || code ? "" : site.LevelDatum.empty() ? kNoDatum : ascii(site.LevelDatum);
  }
  line(out, "ZID", z);
  if (!ownSystem.empty())
    line(out, "MEASUREMENTTEXT", "7, " + ownSystem + ", own coordinate system");
  if (!ownLevel.empty()) line(out, "MEASUREMENTTEXT", "8, " + ownLevel + ", own reference level");
}

}  // namespace

std::string gefFileDate() { return writingDay("%04d, %02d, %02d"); }

Outcome gefFileBytes(const Sounding& s, const ChannelDefinitions& defs,
                     const ExchangeHeader& header, std::string& out) {
  const HeaderTexts& h = header.texts;
  const SiteInfo& site = s.Site;
  const std::vector<Column> columns = columnsOf(s, defs);
  out.clear();
  line(out, "GEFID", "1, 1, 0");
  line(out, "FILEDATE", header.fileDate);
  line(out, "PROJECTID", "CPT, " + ascii(text(h, HeaderField::JobNumber)));
  line(out, "COMPANYID", ascii(text(h, HeaderField::CompanyName)) + ", -, -");
  line(out, "TESTID", ascii(text(h, HeaderField::HoleNumber)));
  if (auto when = soundingDate(text(h, HeaderField::DateAndTime), header.dateOrder)) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d, %02d, %02d", when->year, when->month, when->day);
    line(out, "STARTDATE", text);
    if (when->hour >= 0) {
      std::snprintf(text, sizeof text, "%02d, %02d, %02d", when->hour, when->minute, when->second);
      line(out, "STARTTIME", text);
    }
  }
  positionLines(out, s);
  line(out, "MEASUREMENTTEXT", "4, " + ascii(text(h, HeaderField::ConeNumber)) + ", cone");
  const std::pair<const std::string*, const char*> variables[] = {
      {&site.ConeArea, "1, %s, mm2, nominal surface area of cone tip"},
      {&site.AreaRatio, "3, %s, -, net surface area quotient of cone tip"},
      {&site.PredrillDepth, "13, %s, m, pre-excavated depth"},
      {&site.WaterLevel, "14, %s, m, groundwater level"}};
  for (auto [value, text] : variables)
    if (!value->empty()) {
      std::string entry = text;
      entry.replace(entry.find("%s"), 2, *value);
      line(out, "MEASUREMENTVAR", entry);
    }
  // The zero readings of cone, sleeve and pore pressures: 0 before, the drift after, in MPa.
  if (s.HasFinalBaseline) {
    const std::pair<int, int> zeros[] = {{2, 20}, {3, 22}, {5, 24}, {6, 26}, {7, 28}};
    for (auto [quantity, code] : zeros)
      for (int c = 1; c <= s.NumChannels; ++c)
        if (gefQuantityOf(defs, s.ChannelType[c]) == quantity && s.ChannelFactor[c] != 0) {
          const char* what = quantity == 2 ? "cone" : quantity == 3 ? "friction" : "pore pressure";
          const double toMPa =
              unitFactor(defs.UnitName[s.ChannelType[c]][1], "MPa").value_or(0.001);
          line(out, "MEASUREMENTVAR",
               std::to_string(code) + ", 0.000, MPa, zero measurement " + what +
                   " before penetration test");
          line(out, "MEASUREMENTVAR",
               std::to_string(code + 1) + ", " +
                   fixed(s.BaselineDrift[c] / static_cast<double>(s.ChannelFactor[c]) * toMPa,
                         "0.000") +
                   ", MPa, zero measurement " + what + " after penetration test");
          break;
        }
  }
  line(out, "COLUMN", std::to_string(columns.size()));
  for (std::size_t k = 0; k < columns.size(); ++k)
    line(out, "COLUMNINFO",
         std::to_string(k + 1) + ", " + columns[k].unit + ", " + columns[k].description + ", " +
             std::to_string(columns[k].quantity));
  for (std::size_t k = 0; k < columns.size(); ++k)
    line(out, "COLUMNVOID", std::to_string(k + 1) + ", " + kVoid);
  line(out, "COLUMNSEPARATOR", ";");
  line(out, "RECORDSEPARATOR", "!");
  line(out, "LASTSCAN", std::to_string(s.NumReadings));
  line(out, "DATAFORMAT", "ASCII");
  line(out, "REPORTCODE", "GEF-CPT-Report, 1, 1, 2, -");
  for (const std::string& step : header.history) line(out, "COMMENT", ascii(step));
  out += "#EOH=\r\n";

  int qc = 0, fs = 0;
  for (const Column& column : columns) {
    if (column.quantity == 2) qc = column.channel;
    if (column.quantity == 3) fs = column.channel;
  }
  for (int n = 1; n <= s.NumReadings; ++n) {
    for (const Column& column : columns) {
      std::optional<double> value;
      if (column.channel == 0) {
        value = s.Depth[n];
      } else if (column.channel > 0) {
        if (auto base = channelBaseValue(s, column.channel, n)) value = *base * column.factor;
      } else {  // the friction ratio, where cone and sleeve both have a value
        auto cone = channelBaseValue(s, qc, n), sleeve = channelBaseValue(s, fs, n);
        if (cone && sleeve && *cone != 0) value = *sleeve / *cone * 100;
      }
      out += value ? formatPattern(*value, column.pattern) : kVoid;
      out += ';';
    }
    out += "!\r\n";
  }
  return {};
}

namespace {

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

// A whole number item from lo to hi, or nothing.
std::optional<int> wholeItem(const std::vector<std::string>& value, std::size_t k, int lo, int hi) {
  std::optional<double> number = k < value.size() ? strictNumber(value[k]) : std::nullopt;
  if (!number || *number < lo || *number > hi || *number != std::floor(*number))
    return std::nullopt;
  return static_cast<int>(*number);
}

// A number item as the file wrote it, or empty when it is none.
std::string numberText(const std::vector<std::string>& value, std::size_t k) {
  return k < value.size() && strictNumber(value[k]) ? value[k] : std::string();
}

}  // namespace

Outcome readGefFile(std::string_view bytes, const std::string& fileName,
                    const ChannelDefinitions& defs, Sounding& s, std::vector<std::string>& notes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  TextReader text(bytes);
  std::string line;
  struct Info {
    int quantity = -1;
    std::string unit, name;
    double voidValue = -1e300;
    bool hasVoid = false;
    int channel = 0;
    double toBase = 1;
  };
  std::vector<Info> columns;  // [number - 1]
  std::string separator, recordEnd, lastScan;
  std::string ownSystem, ownLevel;  // #MEASUREMENTTEXT 7 and 8
  SoundingDate start{};
  // The header's lines up to #EOH=; a line without "#" carries on the one before it, as a
  // header broken over two lines.
  std::vector<std::pair<int, std::string>> entries;
  bool header = true;
  while (header && text.readLine(line)) {
    std::string entry = trimmed(line);
    if (entry.empty()) continue;
    if (entry[0] == '#') {
      entries.emplace_back(text.lineNumber(), entry);
      header = !entry.starts_with("#EOH");
    } else if (entries.empty()) {
      return refusedOnLine(fileName, text.lineNumber(), "a header line must begin with \"#\"");
    } else {
      entries.back().second += " " + entry;
    }
  }
  if (header) return refusedOnLine(fileName, text.lineNumber() + 1, "the file ends before #EOH=");
  for (auto& [number, entry] : entries) {
    std::size_t equals = entry.find('=');
    if (equals == std::string::npos)
      return refusedOnLine(fileName, number,
                           "the header line " + quotedText(entry) + " has no \"=\"");
    std::string key = trimmed(std::string_view(entry).substr(1, equals - 1));
    for (char& ch : key) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const std::vector<std::string> value = items(entry.substr(equals + 1));
    auto column = [&]() -> Info* {
      std::optional<int> n = wholeItem(value, 0, 1, 64);
      if (!n) return nullptr;
      if (columns.size() < static_cast<std::size_t>(*n))
        columns.resize(static_cast<std::size_t>(*n));
      return &columns[static_cast<std::size_t>(*n - 1)];
    };
    if (key == "COLUMNINFO") {
      Info* info = column();
      if (!info || value.size() < 4)
        return refusedOnLine(
            fileName, number,
            "#COLUMNINFO needs a column number from 1 to 64, a unit, a name and a quantity");
      info->unit = value[1], info->name = value[2];
      info->quantity = wholeItem(value, 3, 0, 9999).value_or(0);
    } else if (key == "COLUMNVOID") {
      Info* info = column();
      if (!info || value.size() < 2)
        return refusedOnLine(fileName, number, "#COLUMNVOID needs a column number and a value");
      // A void that is no number would make every 0 a void: it is passed over.
      if (std::optional<double> voidValue = strictNumber(value[1]))
        info->voidValue = *voidValue, info->hasVoid = true;
      else
        notes.push_back("line " + std::to_string(number) + ": the void " + quotedText(value[1]) +
                        " is no number; the column has no void value");
    } else if (key == "COLUMNSEPARATOR") {
      separator = value[0];
    } else if (key == "RECORDSEPARATOR") {
      recordEnd = value[0];
    } else if (key == "LASTSCAN") {
      lastScan = value[0];
    } else if (key == "COMPANYID") {
      s.CompanyName = value[0];
    } else if (key == "PROJECTID") {
      s.JobNumber = value.size() > 1 ? value[1] : value[0];
    } else if (key == "TESTID") {
      s.HoleNumber = value[0];
    } else if (key == "XYID" && value.size() >= 3 && !numberText(value, 1).empty() &&
               !numberText(value, 2).empty()) {
      s.Site.CoordinateSystem = value[0], s.Site.X = value[1], s.Site.Y = value[2];
    } else if (key == "ZID" && value.size() >= 2 && !numberText(value, 1).empty()) {
      s.Site.LevelDatum = value[0], s.Site.GroundLevel = value[1];
    } else if (key == "MEASUREMENTTEXT" && value.size() > 1) {
      if (value[0] == "4") s.ConeNumber = value[1];
      if (value[0] == "7") ownSystem = value[1];
      if (value[0] == "8") ownLevel = value[1];
    } else if (key == "MEASUREMENTVAR" && value.size() > 1 && !numberText(value, 1).empty()) {
      const std::string unit = value.size() > 2 ? value[2] : "";
      if (value[0] == "1") {  // the cone's area, in mm2 unless the line says otherwise
        const std::optional<double> toMm2 = unitFactor(unit, "mm2");
        s.Site.ConeArea =
            toMm2 && *toMm2 != 1 ? generalNumber(numericPrefix(value[1]) * *toMm2) : value[1];
      }
      if (value[0] == "3") s.Site.AreaRatio = value[1];
      if (value[0] == "13") s.Site.PredrillDepth = value[1];
      if (value[0] == "14") s.Site.WaterLevel = value[1];
    } else if (key == "STARTDATE") {
      auto year = wholeItem(value, 0, 1000, 9999), month = wholeItem(value, 1, 1, 12),
           day = wholeItem(value, 2, 1, 31);
      if (year && month && day) start.year = *year, start.month = *month, start.day = *day;
    } else if (key == "STARTTIME") {
      auto hour = wholeItem(value, 0, 0, 23), minute = wholeItem(value, 1, 0, 59);
      if (hour && minute) start.hour = *hour, start.minute = *minute;
    }
  }
  if (start.year > 0 && isCalendarDay(start)) s.DateAndTime = yearFirstText(start);
  // An own system (code 0) is the one its #MEASUREMENTTEXT names: WGS 84 degrees, a national
  // grid or a datum by name, or our own words for a position or level not known.
  if (s.Site.CoordinateSystem == "0") {
    if (ownSystem.starts_with(kWgs84)) s.Site.Latitude = s.Site.Y, s.Site.Longitude = s.Site.X;
    if (ownSystem.starts_with(kWgs84) || ownSystem == kNoPosition)
      s.Site.CoordinateSystem = s.Site.X = s.Site.Y = "";
    else if (!ownSystem.empty() && ownSystem != kNoSystem)
      s.Site.CoordinateSystem = ownSystem;
  }
  if (s.Site.LevelDatum == "0") {
    if (ownLevel == kNoLevel)
      s.Site.LevelDatum = s.Site.GroundLevel = "";
    else
      s.Site.LevelDatum = ownLevel == kNoDatum ? "" : ownLevel;
  }

  int depthColumn = -1;
  std::vector<ExchangeRank> ranks;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    Info& info = columns[k];
    if (info.quantity == 1 && depthColumn < 0) {
      depthColumn = static_cast<int>(k);
      info.toBase = unitFactor(info.unit, "m").value_or(1);
    } else if (info.quantity >= 0 && info.quantity != 4) {  // Rf is worked out again
      ExchangeRank rank = exchangeRank(defs, [&](const ExchangeColumn& q) {
        return q.gefQuantity != 0 && q.gefQuantity == info.quantity;
      });
      if (!rank.mapped && info.quantity > kOwnQuantities &&
          info.quantity <= kOwnQuantities + MaxChannelTypes)
        rank.type = info.quantity - kOwnQuantities;
      rank.column = k;
      rank.what = "column " + std::to_string(k + 1) + " (" + quotedText(info.name) + ", quantity " +
                  std::to_string(info.quantity) + ")";
      ranks.push_back(rank);
    }
  }
  if (depthColumn < 0)
    return refusedOnLine(fileName, text.lineNumber(),
                         "no column holds the penetration length (quantity 1)");
  for (const ExchangeRank& rank : channelsInOrder(ranks, notes)) {
    // From the column's unit to the type's base unit; a unit Pelorin does not know is taken
    // for the one the exchange file gives the quantity.
    Info& info = columns[rank.column];
    const std::string& base = defs.UnitName[rank.type][1];
    std::optional<double> toBase = unitFactor(info.unit, base);
    if (!toBase && rank.mapped) {
      toBase = unitFactor(rank.mapped->gefUnit, base);
      if (toBase && unitFactor(info.unit, info.unit) == std::nullopt)
        notes.push_back(rank.what + ": the unit " + quotedText(info.unit) + " is taken for GEF's " +
                        rank.mapped->gefUnit);
    }
    info.toBase = toBase.value_or(1);
    std::string name = trimmed(asciiText(utf8ToWindows1252(info.name)));
    info.channel = addBaseUnitChannel(s, defs, rank.type,
                                      name.empty() ? "Q" + std::to_string(info.quantity) : name);
  }

  // Values apart by the declared separator, or else by blanks, tabs or ";".
  const bool declared = !separator.empty() && separator != " ";
  std::vector<std::string_view> values;
  int records = 0;
  bool negative = false, positive = false;
  while (text.readLine(line)) {
    const int number = text.lineNumber();
    std::string_view record = trimmedView(line);
    if (!recordEnd.empty() && record.ends_with(recordEnd)) record.remove_suffix(recordEnd.size());
    if (trimmedView(record).empty()) continue;
    ++records;
    values.clear();
    for (std::size_t at = 0, from = 0; at <= record.size(); ++at) {
      const bool end = at == record.size();
      const char ch = end ? '\0' : record[at];
      if (!end && (declared ? ch != separator[0] : ch != ' ' && ch != '\t' && ch != ';')) continue;
      std::string_view value = trimmedView(record.substr(from, at - from));
      if (declared || !value.empty()) values.push_back(value);
      from = at + 1;
    }
    if (values.size() < columns.size())
      return refusedOnLine(fileName, number,
                           "the record has " + std::to_string(values.size()) + " values for " +
                               std::to_string(columns.size()) + " columns");
    // A record without a penetration length has no place among the readings.
    const std::string_view depthText = values[static_cast<std::size_t>(depthColumn)];
    const std::optional<double> depth = strictNumber(depthText);
    const Info& depthInfo = columns[static_cast<std::size_t>(depthColumn)];
    if (!depth || (depthInfo.hasVoid && *depth == depthInfo.voidValue)) {
      notes.push_back("line " + std::to_string(number) + ": the record is left out: " +
                      (depth
                           ? "its penetration length is void"
                           : "its penetration length " + quotedText(depthText) + " is no number"));
      continue;
    }
    if (s.NumReadings >= MaxReadings)
      return refusedOnLine(fileName, number, "more than 10,000 readings");
    const int n = ++s.NumReadings;
    for (std::size_t k = 0; k < columns.size(); ++k) {
      const Info& info = columns[k];
      if (static_cast<int>(k) != depthColumn && info.channel == 0) continue;
      std::optional<double> value = strictNumber(values[k]);
      if (!value)
        return refusedOnLine(
            fileName, number,
            "column " + std::to_string(k + 1) + " holds " + quotedText(values[k]) + ", no number");
      const bool isVoid = info.hasVoid && *value == info.voidValue;
      const float base = isVoid ? NoValue : toSingle(*value * info.toBase);
      if (!std::isfinite(base))
        return refusedOnLine(fileName, number,
                             "column " + std::to_string(k + 1) + " holds " + quotedText(values[k]) +
                                 ", beyond the range of a reading");
      if (static_cast<int>(k) == depthColumn) {
        s.Depth[n] = s.Reading[0][n] = base;
        s.Speed[n] = 0;  // GEF-CPT carries no penetration rate: none is known
        negative = negative || base < 0, positive = positive || base > 0;
        continue;
      }
      const int c = info.channel;
      s.RawReading[c][n] = base;
      s.Reading[c][n] = isVoid ? NoValue : toSingle(base * static_cast<double>(s.ChannelFactor[c]));
    }
  }
  if (s.NumReadings == 0)
    return refusedOnLine(fileName, text.lineNumber(), "the file holds no records");
  if (!lastScan.empty() && numericPrefix(lastScan) != records)
    notes.push_back("#LASTSCAN says " + lastScan + " records, the file holds " +
                    std::to_string(records));
  // An older way of counting: the penetration length negative downwards.
  if (negative && !positive) {
    for (int n = 1; n <= s.NumReadings; ++n) s.Depth[n] = s.Reading[0][n] = -s.Depth[n];
    notes.push_back(
        "the penetration lengths are counted negative downwards: read as their "
        "depths below the start");
  }
  // Header texts in UTF-8 become the model's Windows-1252; others are taken as they are.
  for (std::string* field : {&s.CompanyName, &s.JobNumber, &s.HoleNumber, &s.ConeNumber}) {
    std::string single = utf8ToWindows1252(*field);
    if (windows1252ToUtf8(single) == *field) *field = single;
  }
  s.Source = SoundingSource::Gef;
  settleReadChannels(s, notes);
  return {};
}

}  // namespace pelorin
