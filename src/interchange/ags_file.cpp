#include "interchange/ags_file.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "export/readings_table.hpp"
#include "interchange/exchange_text.hpp"
#include "sounding/channel_definitions.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

constexpr NumberPattern kCentimetres("0.00");

// SCPT's headings in the dictionary's order: a heading the channel exchange file names is
// written in this place, others are left out (they would need a dictionary of their own).
constexpr std::string_view kScptOrder[] = {
    "SCPT_RES",  "SCPT_FRES", "SCPT_PWP1", "SCPT_PWP2", "SCPT_PWP3", "SCPT_CON",  "SCPT_TEMP",
    "SCPT_PH",   "SCPT_SLP1", "SCPT_SLP2", "SCPT_REDX", "SCPT_MAGT", "SCPT_MAGX", "SCPT_MAGY",
    "SCPT_MAGZ", "SCPT_SMP",  "SCPT_NGAM", "SCPT_FRR",  "SCPT_QT",   "SCPT_FT",   "SCPT_QE",
    "SCPT_BDEN", "SCPT_CPO",  "SCPT_CPOD", "SCPT_QNET", "SCPT_FRRC", "SCPT_EXPP", "SCPT_BQ",
    "SCPT_ISPP", "SCPT_NQT",  "SCPT_NFR"};

// The standard dictionary's words for the units, types and codes the file may use.
const std::map<std::string, std::string>& unitNames() {
  static const std::map<std::string, std::string> names = {{"m", "metre"},
                                                           {"MPa", "megaPascal"},
                                                           {"kPa", "kiloPascal"},
                                                           {"%", "percentage"},
                                                           {"deg", "degree (angle)"},
                                                           {"DegC", "degree Celsius"},
                                                           {"uS/cm", "microSiemens per centimetre"},
                                                           {"mS/cm", "milliSiemens per centimetre"},
                                                           {"S/m", "Siemens per metre"},
                                                           {"cm2", "square centimetre"},
                                                           {"mm2", "square millimetre"},
                                                           {"yyyy-mm-dd", "year month day"},
                                                           {"bar", "bar"},
                                                           {"mV", "milliVolt"},
                                                           {"nT", "nano Tesla"},
                                                           {"counts/s", "counts per second"},
                                                           {"Mg/m3", "megagrams per cubic metre"}};
  return names;
}

std::string typeName(const std::string& type) {
  static const std::map<std::string, std::string> names = {
      {"ID", "Unique Identifier"},
      {"X", "Text"},
      {"PA", "Text listed in ABBR Group"},
      {"DT", "Date time in international format"},
      {"DMS", "Degrees: Minutes: Seconds"}};
  if (auto at = names.find(type); at != names.end()) return at->second;
  // nDP
  return "Value; required number of decimal places, " + type.substr(0, type.size() - 2);
}

// A field in double quotes, a quote within doubled.
void appendField(std::string& out, std::string_view text) {
  out += '"';
  for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;
       text.remove_prefix(quote + 1)) {
    out.append(text.substr(0, quote + 1));
    out += '"';
  }
  out.append(text);
  out += '"';
}

// One group: its headings with their units and types, then its rows.
struct Group {
  explicit Group(std::string groupName) : name(std::move(groupName)) {}
  std::string name;
  std::vector<std::string> headings, units, types;
  std::vector<std::vector<std::string>> rows;
  std::string data;  // DATA lines written already, after the rows

  void add(const std::string& heading, const std::string& unit, const std::string& type) {
    headings.push_back(heading), units.push_back(unit), types.push_back(type);
  }
  void write(std::string& out) const {
    auto line = [&out](const char* descriptor, const std::vector<std::string>& fields) {
      appendField(out, descriptor);
      for (const std::string& f : fields) {
        out += ',';
        appendField(out, f);
      }
      out += "\r\n";
    };
    if (!out.empty()) out += "\r\n";
    line("GROUP", {name});
    line("HEADING", headings);
    line("UNIT", units);
    line("TYPE", types);
    for (const auto& row : rows) line("DATA", row);
    out += data;
  }
};

std::string orDash(const std::string& windows1252) {
  std::string text = asciiText(windows1252);
  return text.empty() ? "-" : text;
}

// A carried number with the decimals its heading's type asks for.
std::string decimals(const std::string& text, const char* pattern) {
  return formatPattern(numericPrefix(text), pattern);
}

// Decimal degrees as degrees, minutes and seconds ("51:28:52.498").
std::string dms(double degrees) {
  const double whole = std::round(std::fabs(degrees) * 3600000);  // in thousandths of seconds
  const long long ms = static_cast<long long>(whole);
  char text[48];
  std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld.%03lld", degrees < 0 ? "-" : "",
                ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
  return text;
}

// Degrees written as "51:28:52.498" or as a decimal number.
std::optional<double> degreesOf(const std::string& text) {
  if (text.find(':') == std::string::npos) return strictNumber(text);
  double value = 0, unit = 1;
  std::size_t at = 0;
  const bool negative = text.find('-') != std::string::npos;
  for (int part = 0; part < 3 && at <= text.size(); ++part, unit *= 60) {
    std::size_t colon = std::min(text.find(':', at), text.size());
    std::optional<double> number = strictNumber(std::string_view(text).substr(at, colon - at));
    if (!number) return std::nullopt;
    value += std::fabs(*number) / unit;
    at = colon + 1;
  }
  return negative ? -value : value;
}

// The grid a position is in, as an AGS code with its description: the Dutch grid by its
// usual name, another GEF number as it is.
std::pair<std::string, std::string> gridCode(const std::string& system) {
  if (system == "31000" || system == "28992")
    return {"RD", "Rijksdriehoeksstelsel, the Dutch national grid"};
  if (strictNumber(system)) return {"GEF" + system, "GEF coordinate system " + system};
  static const std::map<std::string, std::string> standard = {
      {"ITM", "Ordnance Survey Ireland Irish Transverse Mercator"},
      {"LOCAL", "Local Grid"},
      {"OSGB", "Ordnance Survey Great Britain National Grid"},
      {"OSI", "Ordnance Survey Ireland Irish Grid"}};
  const std::string code = asciiText(system);
  auto at = standard.find(code);
  return {code, at != standard.end() ? at->second : code};
}

}  // namespace

std::string agsFileDate() { return writingDay("%04d-%02d-%02d"); }

Outcome agsFileBytes(const Sounding& s, const ChannelDefinitions& defs,
                     const ExchangeHeader& header, std::string& out) {
  // The depths as SCPT_DPTH writes them, each once: sorted, equal texts stand side by side;
  // of the repeats, the one reached first in reading order is told, with its earlier twin.
  std::vector<std::pair<std::string, int>> depths;
  depths.reserve(static_cast<std::size_t>(std::max(0, s.NumReadings)));
  for (int n = 1; n <= s.NumReadings; ++n)
    depths.emplace_back(formatPattern(s.Depth[n], kCentimetres), n);
  std::sort(depths.begin(), depths.end());
  const std::pair<std::string, int>* twin = nullptr;
  int repeat = 0;
  for (std::size_t k = 1; k < depths.size(); ++k)
    if (depths[k].first == depths[k - 1].first && (!repeat || depths[k].second < repeat) &&
        (k < 2 || depths[k - 2].first != depths[k].first))
      twin = &depths[k - 1], repeat = depths[k].second;
  if (twin)
    return Outcome::refused("readings " + std::to_string(twin->second) + " and " +
                            std::to_string(repeat) + " both lie at " + twin->first +
                            " m to two decimals, and SCPT_DPTH must tell them apart (AutoClean "
                            "snaps the depths to the increment)");
  // The deepest reading is the location's final depth.
  float finalDepth = s.NumReadings ? s.Depth[1] : 0;
  for (int n = 1; n <= s.NumReadings; ++n) finalDepth = std::max(finalDepth, s.Depth[n]);
  const HeaderTexts& h = header.texts;
  const SiteInfo& site = s.Site;
  const std::string hole = asciiText(text(h, HeaderField::HoleNumber));
  const std::string location = hole.empty() ? "CPT" : hole;

  // The SCPT columns: the first channel of each type the exchange file gives a heading, in
  // the dictionary's order, and the friction ratio where cone and sleeve are both there.
  struct ScptColumn {
    std::string heading, unit;
    int decimals = 2;
    int channel = 0;  // -1: the friction ratio
    double factor = 1;
  };
  std::vector<ScptColumn> columns;
  int cone = 0, sleeve = 0;
  for (std::string_view heading : kScptOrder) {
    if (heading == "SCPT_FRR") {
      if (cone && sleeve) columns.push_back({"SCPT_FRR", "%", 2, -1, 1});
      continue;
    }
    for (const ExchangeColumn& q : defs.Exchange) {
      if (q.agsHeading != heading) continue;
      int c = 1;
      while (c <= s.NumChannels && s.ChannelType[c] != q.type) ++c;
      const std::optional<double> factor = unitFactor(defs.UnitName[q.type][1], q.agsUnit);
      if (c > s.NumChannels || !factor) continue;
      columns.push_back({q.agsHeading, q.agsUnit, q.agsDecimals, c, *factor});
      if (heading == "SCPT_RES") cone = c;
      if (heading == "SCPT_FRES") sleeve = c;
      break;
    }
  }
  bool pore = false;
  for (int c = 1; c <= s.NumChannels; ++c) {
    const int quantity = gefQuantityOf(defs, s.ChannelType[c]);
    pore = pore || (quantity >= 5 && quantity <= 7);
  }
  auto date = soundingDate(text(h, HeaderField::DateAndTime), header.dateOrder);
  char testDate[16] = "";
  if (date)
    std::snprintf(testDate, sizeof testDate, "%04d-%02d-%02d", date->year, date->month, date->day);
  std::string remarks;
  for (const std::string& step : header.history)
    remarks += (remarks.empty() ? "" : "; ") + asciiText(step);

  Group abbr{"ABBR"};
  for (const char* heading : {"ABBR_HDNG", "ABBR_CODE", "ABBR_DESC"}) abbr.add(heading, "", "X");
  abbr.rows = {{"LOCA_TYPE", "SCP", "Static cone penetrometer"},
               {"SCPG_TYPE", pore ? "PC" : "EC", pore ? "Piezo cone" : "Electric cone"}};

  Group proj{"PROJ"};
  for (const char* heading :
       {"PROJ_ID", "PROJ_NAME", "PROJ_LOC", "PROJ_CLNT", "PROJ_CONT", "PROJ_ENG", "PROJ_MEMO"})
    proj.add(heading, "", heading == std::string("PROJ_ID") ? "ID" : "X");
  proj.rows.push_back({orDash(text(h, HeaderField::JobNumber)), "",
                       asciiText(text(h, HeaderField::LocationText)), "",
                       asciiText(text(h, HeaderField::CompanyName)), "", ""});

  Group tran{"TRAN"};
  const std::pair<const char*, const char*> tranHeadings[] = {
      {"TRAN_ISNO", "X"}, {"TRAN_DATE", "DT"}, {"TRAN_PROD", "X"}, {"TRAN_STAT", "X"},
      {"TRAN_DESC", "X"}, {"TRAN_AGS", "X"},   {"TRAN_RECV", "X"}, {"TRAN_DLIM", "X"},
      {"TRAN_RCON", "X"}, {"TRAN_REM", "X"}};
  for (auto [heading, type] : tranHeadings)
    tran.add(heading, heading == std::string("TRAN_DATE") ? "yyyy-mm-dd" : "", type);
  // The recipient is not Pelorin's to know; the field must not be empty.
  tran.rows.push_back({"1", header.fileDate, "Pelorin", "FINAL", "Cleaned CPT sounding", "4.1.1",
                       "Not stated", "|", "+", ""});

  // The location with what is known of its position and level.
  Group loca{"LOCA"};
  std::vector<std::string> place = {location, "SCP"};
  loca.add("LOCA_ID", "", "ID"), loca.add("LOCA_TYPE", "", "PA");
  if (!site.X.empty()) {
    auto [code, description] = gridCode(site.CoordinateSystem);
    loca.add("LOCA_NATE", "m", "2DP"), loca.add("LOCA_NATN", "m", "2DP");
    place.push_back(decimals(site.X, "0.00")), place.push_back(decimals(site.Y, "0.00"));
    if (!code.empty()) {
      loca.add("LOCA_GREF", "", "PA"), place.push_back(code);
      abbr.rows.push_back({"LOCA_GREF", code, description});
    }
  }
  if (!site.GroundLevel.empty())
    loca.add("LOCA_GL", "m", "2DP"), place.push_back(decimals(site.GroundLevel, "0.00"));
  loca.add("LOCA_REM", "", "X"), loca.add("LOCA_FDEP", "m", "2DP"),
      loca.add("LOCA_STAR", "yyyy-mm-dd", "DT");
  place.insert(place.end(), {asciiText(text(h, HeaderField::HeaderText)),
                             s.NumReadings ? formatPattern(finalDepth, "0.00") : "", testDate});
  if (!site.GroundLevel.empty() && !site.LevelDatum.empty()) {
    const std::string datum = site.LevelDatum == "31000" ? "NAP"
                              : strictNumber(site.LevelDatum)
                                  ? "GEF level system " + site.LevelDatum
                                  : asciiText(site.LevelDatum);
    loca.add("LOCA_DATM", "", "X"), place.push_back(datum);
  }
  std::optional<LatLon> latLon = gpsPosition(s.GPSData);
  if (!site.Latitude.empty())
    latLon = LatLon{numericPrefix(site.Latitude), numericPrefix(site.Longitude)};
  if (latLon) {
    loca.add("LOCA_LAT", "", "DMS"), loca.add("LOCA_LON", "", "DMS");
    place.push_back(dms(latLon->latitude)), place.push_back(dms(latLon->longitude));
  }
  loca.rows.push_back(place);

  // The test, with the cone's area and area ratio and the groundwater where known.
  Group scpg{"SCPG"};
  std::vector<std::string> test = {location, "1", pore ? "PC" : "EC",
                                   asciiText(text(h, HeaderField::ConeNumber))};
  scpg.add("LOCA_ID", "", "ID"), scpg.add("SCPG_TESN", "", "X"), scpg.add("SCPG_TYPE", "", "PA"),
      scpg.add("SCPG_REF", "", "X");
  if (!site.ConeArea.empty())
    scpg.add("SCPG_CSA", "cm2", "0DP"),
        test.push_back(formatPattern(numericPrefix(site.ConeArea) / 100, "0"));
  std::string water = site.WaterDepth;
  if (water.empty() && strictNumber(text(h, HeaderField::WaterTableDepth)))
    water = text(h, HeaderField::WaterTableDepth);
  if (!water.empty()) scpg.add("SCPG_WAT", "m", "2DP"), test.push_back(decimals(water, "0.00"));
  scpg.add("SCPG_REM", "", "X"), test.push_back(remarks);
  if (!site.AreaRatio.empty())
    scpg.add("SCPG_CAR", "", "3DP"), test.push_back(decimals(site.AreaRatio, "0.000"));
  scpg.rows.push_back(test);

  Group scpt{"SCPT"};
  scpt.add("LOCA_ID", "", "ID"), scpt.add("SCPG_TESN", "", "X"), scpt.add("SCPT_DPTH", "m", "2DP");
  std::vector<NumberPattern> patterns;
  for (const ScptColumn& column : columns) {
    patterns.emplace_back(column.decimals > 0
                              ? "0." + std::string(static_cast<std::size_t>(column.decimals), '0')
                              : "0");
    scpt.add(column.heading, column.unit, std::to_string(column.decimals) + "DP");
  }
  // The readings go straight into the group's DATA lines: 10,000 rows of fields add up.
  for (int n = 1; n <= s.NumReadings; ++n) {
    scpt.data += "\"DATA\",";
    appendField(scpt.data, location);
    scpt.data += ",\"1\",";
    appendField(scpt.data, formatPattern(s.Depth[n], kCentimetres));
    for (std::size_t k = 0; k < columns.size(); ++k) {
      std::optional<double> value;
      if (columns[k].channel > 0) {
        if (auto base = channelBaseValue(s, columns[k].channel, n))
          value = *base * columns[k].factor;
      } else if (auto qc = channelBaseValue(s, cone, n), fs = channelBaseValue(s, sleeve, n);
                 qc && fs && *qc != 0) {
        value = *fs / *qc * 100;
      }
      scpt.data += ',';
      appendField(scpt.data, value ? formatPattern(*value, patterns[k]) : std::string());
    }
    scpt.data += "\r\n";
  }

  // The dictionary groups: every data type and unit the file uses.
  std::set<std::string> units, types = {"X"};
  for (const Group* group : {&proj, &tran, &loca, &scpg, &scpt})
    for (std::size_t k = 0; k < group->headings.size(); ++k) {
      if (!group->units[k].empty()) units.insert(group->units[k]);
      types.insert(group->types[k]);
    }
  Group type{"TYPE"};
  type.add("TYPE_TYPE", "", "X"), type.add("TYPE_DESC", "", "X");
  for (const std::string& t : types) type.rows.push_back({t, typeName(t)});
  Group unit{"UNIT"};
  unit.add("UNIT_UNIT", "", "X"), unit.add("UNIT_DESC", "", "X");
  for (const std::string& u : units) {
    auto at = unitNames().find(u);
    unit.rows.push_back({u, at != unitNames().end() ? at->second : u});
  }

  out.clear();
  for (const Group* group : {&proj, &tran, &abbr, &type, &unit, &loca, &scpg, &scpt})
    group->write(out);
  return {};
}

namespace {

// The quoted, comma-separated fields of one AGS line, a doubled quote standing for one; false
// when the quotes do not close. The vector's strings are reused from line to line.
bool fieldsOf(std::string_view line, std::vector<std::string>& fields) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < line.size();) {
    if (line[at] != '"') return false;
    if (count == fields.size()) fields.emplace_back();
    std::string& value = fields[count++];
    value.clear();
    std::size_t k = at + 1;
    for (;;) {
      std::size_t quote = line.find('"', k);
      if (quote == std::string_view::npos) return false;
      value.append(line.substr(k, quote - k));
      if (quote + 1 < line.size() && line[quote + 1] == '"') {
        value += '"';
        k = quote + 2;
        continue;
      }
      at = quote + 1;
      break;
    }
    if (at < line.size() && line[at++] != ',') return false;
  }
  fields.resize(count);
  return true;
}

// The groups of an AGS4 file as read: headings, units and DATA rows with their lines.
struct AgsGroup {
  std::vector<std::string> headings, units;
  int headingLine = 0, unitLine = 0;
  std::vector<std::pair<int, std::vector<std::string>>> rows;

  int column(std::string_view heading) const {
    for (std::size_t k = 0; k < headings.size(); ++k)
      if (headings[k] == heading) return static_cast<int>(k);
    return -1;
  }
  // The row's field under `heading`, or empty.
  const std::string& field(const std::vector<std::string>& row, std::string_view heading) const {
    static const std::string none;
    const int k = column(heading);
    return k >= 0 ? row[static_cast<std::size_t>(k)] : none;
  }
};
using AgsGroups = std::map<std::string, AgsGroup>;

Outcome parseAgs(std::string_view bytes, const std::string& fileName, AgsGroups& groups) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  TextReader text(bytes);
  std::string line, name;
  std::vector<std::string> fields;
  AgsGroup* group = nullptr;
  while (text.readLine(line)) {
    const int number = text.lineNumber();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (!fieldsOf(line, fields) || fields.empty())
      return refusedOnLine(fileName, number, "the line is no row of quoted fields");
    const std::string& descriptor = fields[0];
    if (descriptor == "GROUP") {
      name = fields.size() > 1 ? fields[1] : "";
      if (name == "SCPT" && groups.count(name))
        return refusedOnLine(fileName, number, "the file has a second SCPT group");
      group = &groups[name];
      *group = AgsGroup{};
      continue;
    }
    if (!group || (descriptor != "HEADING" && group->headings.empty()))
      return refusedOnLine(fileName, number,
                           quotedText(descriptor) + " comes before the group's HEADING line");
    if (descriptor == "HEADING") {
      if (!group->headings.empty())
        return refusedOnLine(fileName, number,
                             "the group " + quotedText(name) + " has a second HEADING line");
      group->headings.assign(fields.begin() + 1, fields.end());
      group->headingLine = number;
      continue;
    }
    if (fields.size() != group->headings.size() + 1)
      return refusedOnLine(fileName, number,
                           "the line has " + std::to_string(fields.size() - 1) + " fields for " +
                               std::to_string(group->headings.size()) + " headings");
    if (descriptor == "UNIT") {
      group->units.assign(fields.begin() + 1, fields.end());
      group->unitLine = number;
    } else if (descriptor == "DATA") {
      group->rows.emplace_back(number, std::vector<std::string>(fields.begin() + 1, fields.end()));
    }
  }
  return {};
}

// The SCPT group and its key columns, or the refusal.
Outcome scptOf(const AgsGroups& groups, const std::string& fileName, int lines,
               const AgsGroup*& scpt) {
  auto at = groups.find("SCPT");
  if (at == groups.end() || at->second.rows.empty())
    return refusedOnLine(fileName, lines, "the file holds no SCPT rows");
  scpt = &at->second;
  if (scpt->column("SCPT_DPTH") < 0)
    return refusedOnLine(fileName, scpt->headingLine, "SCPT has no SCPT_DPTH heading");
  return {};
}

std::vector<AgsPush> pushesOf(const AgsGroup& scpt) {
  std::vector<AgsPush> pushes;
  for (const auto& [line, row] : scpt.rows) {
    const std::string &location = scpt.field(row, "LOCA_ID"), &test = scpt.field(row, "SCPG_TESN");
    auto same = [&](const AgsPush& p) { return p.location == location && p.test == test; };
    auto at = std::find_if(pushes.begin(), pushes.end(), same);
    if (at == pushes.end()) at = pushes.insert(pushes.end(), {location, test, 0});
    ++at->readings;
  }
  return pushes;
}

std::string pushName(const AgsPush& push) { return push.location + ":" + push.test; }

int lineCount(std::string_view bytes) {
  return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
}

}  // namespace

Outcome agsPushes(std::string_view bytes, const std::string& fileName,
                  std::vector<AgsPush>& pushes) {
  AgsGroups groups;
  const AgsGroup* scpt = nullptr;
  if (Outcome parsed = parseAgs(bytes, fileName, groups); !parsed) return parsed;
  if (Outcome found = scptOf(groups, fileName, lineCount(bytes), scpt); !found) return found;
  pushes = pushesOf(*scpt);
  return {};
}

Outcome readAgsFile(std::string_view bytes, const std::string& fileName,
                    const ChannelDefinitions& defs, Sounding& s, std::vector<std::string>& notes,
                    const std::string& push) {
  AgsGroups groups;
  const AgsGroup* scpt = nullptr;
  if (Outcome parsed = parseAgs(bytes, fileName, groups); !parsed) return parsed;
  if (Outcome found = scptOf(groups, fileName, lineCount(bytes), scpt); !found) return found;

  // The push: the one asked for, else the first.
  const std::vector<AgsPush> pushes = pushesOf(*scpt);
  const AgsPush* chosen = &pushes.front();
  if (!push.empty()) {
    chosen = nullptr;
    for (const AgsPush& p : pushes)
      if (!chosen && (pushName(p) == push || p.location == push)) chosen = &p;
    if (!chosen) {
      std::string names;
      for (const AgsPush& p : pushes) names += (names.empty() ? "" : ", ") + pushName(p);
      return Outcome::refused("Cannot read \"" + fileName + "\": it holds no push " +
                                  quotedText(push) + " (LOCA_ID:SCPG_TESN); its pushes: " + names,
                              fileName);
    }
  } else if (pushes.size() > 1) {
    notes.push_back("the file holds " + std::to_string(pushes.size()) + " pushes; the first, " +
                    pushName(pushes.front()) + ", is read");
  }

  // A channel for each heading the exchange file gives a channel type, while there is room,
  // its values converted from the UNIT line's unit to the type's base unit.
  struct Field {
    int channel;
    double toBase;
  };
  std::vector<std::pair<std::size_t, Field>> channels;
  std::vector<ExchangeRank> ranks;
  for (std::size_t k = 0; k < scpt->headings.size(); ++k) {
    const std::string& heading = scpt->headings[k];
    if (heading == "LOCA_ID" || heading == "SCPG_TESN" || heading == "SCPT_DPTH" ||
        heading == "SCPT_FRR" || heading == "SCPT_REM" || heading == "FILE_FSET")
      continue;
    ranks.push_back(exchangeRank(defs, [&](const ExchangeColumn& q) {
      return !q.agsHeading.empty() && q.agsHeading == heading;
    }));
    ranks.back().column = k;
    ranks.back().what =
        heading.empty() ? "the heading without a name, field " + std::to_string(k + 1) : heading;
  }
  for (const ExchangeRank& rank : channelsInOrder(ranks, notes)) {
    const std::size_t k = rank.column;
    const std::string& heading = scpt->headings[k];
    const ExchangeColumn* mapped = rank.mapped;
    const std::string& base = defs.UnitName[mapped->type][1];
    const std::string unit = k < scpt->units.size() ? scpt->units[k] : std::string();
    std::optional<double> toBase = unitFactor(unit.empty() ? mapped->agsUnit : unit, base);
    if (!toBase && base.empty()) toBase = 1;  // a type without definitions keeps the file's unit
    if (!toBase)
      return refusedOnLine(fileName, scpt->unitLine,
                           std::string(heading)
                               .append(" is in ")
                               .append(quotedText(unit))
                               .append(", which Pelorin cannot turn into ")
                               .append(base));
    channels.push_back(
        {k,
         {addBaseUnitChannel(s, defs, mapped->type,
                             heading.starts_with("SCPT_") ? heading.substr(5) : heading),
          *toBase}});
  }
  const auto depthAt = static_cast<std::size_t>(scpt->column("SCPT_DPTH"));
  const int locationAt = scpt->column("LOCA_ID"), testAt = scpt->column("SCPG_TESN");
  auto key = [](const std::vector<std::string>& row, int k) -> const std::string& {
    static const std::string none;
    return k >= 0 ? row[static_cast<std::size_t>(k)] : none;
  };
  for (const auto& [number, row] : scpt->rows) {
    if (key(row, locationAt) != chosen->location || key(row, testAt) != chosen->test) continue;
    const std::optional<double> depth = strictNumber(row[depthAt]);
    if (!depth) {
      notes.push_back("line " + std::to_string(number) + ": the row is left out: SCPT_DPTH " +
                      (row[depthAt].empty() ? std::string("is empty")
                                            : "holds " + quotedText(row[depthAt]) + ", no number"));
      continue;
    }
    if (s.NumReadings >= MaxReadings)
      return refusedOnLine(fileName, number, "more than 10,000 readings");
    if (!std::isfinite(toSingle(*depth)))
      return refusedOnLine(
          fileName, number,
          "SCPT_DPTH holds " + quotedText(row[depthAt]) + ", beyond the range of a reading");
    const int n = ++s.NumReadings;
    s.Depth[n] = s.Reading[0][n] = toSingle(*depth);
    for (const auto& [k, f] : channels) {
      const int c = f.channel;
      if (row[k].empty()) {
        s.RawReading[c][n] = s.Reading[c][n] = NoValue;
        continue;
      }
      auto value = strictNumber(row[k]);
      if (!value)
        return refusedOnLine(fileName, number,
                             scpt->headings[k] + " holds " + quotedText(row[k]) + ", no number");
      s.RawReading[c][n] = toSingle(*value * f.toBase);
      if (!std::isfinite(s.RawReading[c][n]))
        return refusedOnLine(
            fileName, number,
            scpt->headings[k] + " holds " + quotedText(row[k]) + ", beyond the range of a reading");
      s.Reading[c][n] = toSingle(s.RawReading[c][n] * static_cast<double>(s.ChannelFactor[c]));
    }
  }
  if (s.NumReadings == 0)
    return refusedOnLine(fileName, lineCount(bytes),
                         "the push " + pushName(*chosen) + " holds no SCPT row with a depth");

  // What the groups around the test tell: the project, the location and the test.
  auto rowOf = [&](const char* name,
                   auto matches) -> std::pair<const AgsGroup*, const std::vector<std::string>*> {
    auto at = groups.find(name);
    if (at == groups.end()) return {nullptr, nullptr};
    for (const auto& [line, row] : at->second.rows)
      if (matches(at->second, row)) return {&at->second, &row};
    return {nullptr, nullptr};
  };
  auto number = [](const std::string& text) { return strictNumber(text) ? text : std::string(); };
  s.HoleNumber = chosen->location;
  if (auto [proj, row] = rowOf("PROJ", [](auto&, auto&) { return true; }); row) {
    s.JobNumber = proj->field(*row, "PROJ_ID"), s.LocationText = proj->field(*row, "PROJ_LOC");
    s.CompanyName = proj->field(*row, "PROJ_CONT");
  }
  if (auto [loca, row] = rowOf("LOCA",
                               [&](const AgsGroup& g, const std::vector<std::string>& r) {
                                 return g.field(r, "LOCA_ID") == chosen->location;
                               });
      row) {
    SiteInfo& site = s.Site;
    s.HeaderText = loca->field(*row, "LOCA_REM");
    site.X = number(loca->field(*row, "LOCA_NATE")),
    site.Y = number(loca->field(*row, "LOCA_NATN"));
    if (site.X.empty() || site.Y.empty()) site.X = site.Y = "";
    if (!site.X.empty()) site.CoordinateSystem = loca->field(*row, "LOCA_GREF");
    site.GroundLevel = number(loca->field(*row, "LOCA_GL"));
    site.LevelDatum = loca->field(*row, "LOCA_DATM");
    if (site.LevelDatum.empty()) site.LevelDatum = loca->field(*row, "LOCA_NATD");
    auto lat = degreesOf(loca->field(*row, "LOCA_LAT")),
         lon = degreesOf(loca->field(*row, "LOCA_LON"));
    if (lat && lon && std::fabs(*lat) <= 90 && std::fabs(*lon) <= 180) {
      char text[64];
      std::snprintf(text, sizeof text, "%.7f", *lat), site.Latitude = text;
      std::snprintf(text, sizeof text, "%.7f", *lon), site.Longitude = text;
      std::snprintf(text, sizeof text, "%c %.6f %c %.6f", *lat < 0 ? 'S' : 'N', std::fabs(*lat),
                    *lon < 0 ? 'W' : 'E', std::fabs(*lon));
      s.GPSData = text;
    }
    if (auto day = soundingDate(loca->field(*row, "LOCA_STAR")))
      s.DateAndTime = yearFirstText(*day);
  }
  if (auto [scpg, row] = rowOf("SCPG",
                               [&](const AgsGroup& g, const std::vector<std::string>& r) {
                                 return g.field(r, "LOCA_ID") == chosen->location &&
                                        g.field(r, "SCPG_TESN") == chosen->test;
                               });
      row) {
    s.ConeNumber = scpg->field(*row, "SCPG_REF");
    s.Site.WaterDepth = number(scpg->field(*row, "SCPG_WAT"));
    s.WaterTableDepth = s.Site.WaterDepth;
    s.Site.AreaRatio = number(scpg->field(*row, "SCPG_CAR"));
    if (auto area = strictNumber(scpg->field(*row, "SCPG_CSA")))
      s.Site.ConeArea = generalNumber(*area * 100);
  }
  for (std::string* field : {&s.CompanyName, &s.JobNumber, &s.HoleNumber, &s.ConeNumber,
                             &s.LocationText, &s.HeaderText}) {
    std::string single = utf8ToWindows1252(*field);
    if (windows1252ToUtf8(single) == *field) *field = single;
  }
  s.Source = SoundingSource::Ags;
  settleReadChannels(s, notes);
  return {};
}

}  // namespace pelorin
