#include "interchange/ags_file.hpp"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "export/readings_table.hpp"
#include "interchange/exchange_text.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

// SCPT's headings in the dictionary's order, each with the channel type it takes its values
// from (0 the depth, -1 the friction ratio) and the factor from that type's base unit.
struct Heading {
  const char* name;
  const char* unit;
  const char* type;
  int channelType;
  const char* pattern;
  double fromBase;
};
constexpr Heading kScpt[] = {
    {"SCPT_DPTH", "m", "2DP", 0, "0.00", 1},
    {"SCPT_RES", "MPa", "3DP", 1, "0.000", 0.001},
    {"SCPT_FRES", "MPa", "4DP", 2, "0.0000", 0.001},
    {"SCPT_PWP1", "MPa", "4DP", 4, "0.0000", 0.001},
    {"SCPT_PWP2", "MPa", "4DP", 3, "0.0000", 0.001},
    {"SCPT_PWP3", "MPa", "4DP", 5, "0.0000", 0.001},
    {"SCPT_CON", "mS/m", "1DP", 9, "0.0", 1},
    {"SCPT_TEMP", "DegC", "1DP", 8, "0.0", 1},
    {"SCPT_SLP1", "deg", "2DP", 6, "0.00", 1},
    {"SCPT_SLP2", "deg", "2DP", 7, "0.00", 1},
    {"SCPT_FRR", "%", "2DP", -1, "0.00", 1},
};

const std::map<std::string, std::string>& unitNames() {
  static const std::map<std::string, std::string> names = {{"m", "metre"},
                                                           {"MPa", "megapascal"},
                                                           {"%", "percentage"},
                                                           {"mS/m", "millisiemens per metre"},
                                                           {"DegC", "degrees Celsius"},
                                                           {"deg", "degrees"},
                                                           {"yyyy-mm-dd", "date"}};
  return names;
}

const std::map<std::string, std::string>& typeNames() {
  static const std::map<std::string, std::string> names = {
      {"ID", "Unique identifier"},         {"X", "Text"},
      {"PA", "Text listed in ABBR Group"}, {"DT", "Date time in international format"},
      {"1DP", "Value; 1 decimal place"},   {"2DP", "Value; 2 decimal places"},
      {"3DP", "Value; 3 decimal places"},  {"4DP", "Value; 4 decimal places"}};
  return names;
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

  void add(const char* heading, const char* unit, const char* type) {
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

}  // namespace

std::string agsFileDate() { return writingDay("%04d-%02d-%02d"); }

Outcome agsFileBytes(const Sounding& s, const ChannelDefinitions&, const AgsHeader& header,
                     std::string& out) {
  // The depths as SCPT_DPTH writes them, each once: sorted, equal texts stand side by side;
  // of the repeats, the one reached first in reading order is told, with its earlier twin.
  std::vector<std::pair<std::string, int>> depths;
  depths.reserve(static_cast<std::size_t>(std::max(0, s.NumReadings)));
  for (int n = 1; n <= s.NumReadings; ++n)
    depths.emplace_back(formatPattern(s.Depth[n], "0.00"), n);
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
  const std::string location = asciiText(h[5]).empty() ? "CPT" : asciiText(h[5]);
  // The SCPT headings this sounding has values for: the first channel of each type.
  std::vector<std::pair<const Heading*, int>> columns;
  bool qc = false, fs = false;
  for (const Heading& heading : kScpt) {
    int channel = heading.channelType <= 0 ? heading.channelType : 0;
    for (int c = s.NumChannels; c >= 1 && heading.channelType > 0; --c)
      if (s.ChannelType[c] == heading.channelType) channel = c;
    if (heading.channelType > 0 && channel == 0) continue;
    if (heading.channelType == -1 && !(qc && fs)) continue;
    qc = qc || heading.channelType == 1, fs = fs || heading.channelType == 2;
    columns.emplace_back(&heading, channel);
  }
  bool pore = false;
  for (int c = 1; c <= s.NumChannels; ++c)
    pore = pore || (s.ChannelType[c] >= 3 && s.ChannelType[c] <= 5);
  auto date = soundingDate(h[6]);
  char testDate[16] = "";
  if (date)
    std::snprintf(testDate, sizeof testDate, "%04d-%02d-%02d", date->year, date->month, date->day);
  std::string remarks;
  for (const std::string& step : header.history)
    remarks += (remarks.empty() ? "" : "; ") + asciiText(step);

  Group proj{"PROJ"};
  for (const char* heading :
       {"PROJ_ID", "PROJ_NAME", "PROJ_LOC", "PROJ_CLNT", "PROJ_CONT", "PROJ_ENG", "PROJ_MEMO"})
    proj.add(heading, "", heading == std::string("PROJ_ID") ? "ID" : "X");
  proj.rows.push_back(
      {orDash(h[4]), asciiText(h[7]), asciiText(h[3]), "", asciiText(h[0]), asciiText(h[1]), ""});

  Group tran{"TRAN"};
  const std::pair<const char*, const char*> tranHeadings[] = {
      {"TRAN_ISNO", "X"}, {"TRAN_DATE", "DT"}, {"TRAN_PROD", "X"}, {"TRAN_STAT", "PA"},
      {"TRAN_DESC", "X"}, {"TRAN_AGS", "X"},   {"TRAN_RECV", "X"}, {"TRAN_DLIM", "X"},
      {"TRAN_RCON", "X"}, {"TRAN_REM", "X"}};
  for (auto [heading, type] : tranHeadings)
    tran.add(heading, heading == std::string("TRAN_DATE") ? "yyyy-mm-dd" : "", type);
  tran.rows.push_back({"1", header.fileDate, "Pelorin", "FINAL", "Cleaned CPT sounding", "4.1.1",
                       "", "|", "+", ""});

  Group loca{"LOCA"};
  loca.add("LOCA_ID", "", "ID"), loca.add("LOCA_TYPE", "", "PA"), loca.add("LOCA_REM", "", "X"),
      loca.add("LOCA_FDEP", "m", "2DP"), loca.add("LOCA_STAR", "yyyy-mm-dd", "DT");
  loca.rows.push_back({location, "CP", asciiText(h[3]),
                       s.NumReadings ? formatPattern(finalDepth, "0.00") : "", testDate});

  Group scpg{"SCPG"};
  scpg.add("LOCA_ID", "", "ID"), scpg.add("SCPG_TESN", "", "X"), scpg.add("SCPG_TYPE", "", "PA"),
      scpg.add("SCPG_REF", "", "X"), scpg.add("SCPG_REM", "", "X");
  scpg.rows.push_back({location, "1", pore ? "PC" : "EC", asciiText(h[2]), remarks});

  Group scpt{"SCPT"};
  scpt.add("LOCA_ID", "", "ID"), scpt.add("SCPG_TESN", "", "X");
  for (auto [heading, channel] : columns) scpt.add(heading->name, heading->unit, heading->type);
  // The readings go straight into the group's DATA lines: 10,000 rows of fields add up.
  for (int n = 1; n <= s.NumReadings; ++n) {
    scpt.data += "\"DATA\",";
    appendField(scpt.data, location);
    scpt.data += ",\"1\"";
    std::optional<double> qcValue, fsValue;
    for (auto [heading, channel] : columns) {
      std::optional<double> value;
      if (channel == 0) {
        value = s.Depth[n];
      } else if (channel > 0) {
        float v = channelValueAt(s, channel, n);
        if (v != NoValue && s.ChannelFactor[channel] != 0)
          value = v / static_cast<double>(s.ChannelFactor[channel]) * heading->fromBase;
        if (heading->channelType == 1) qcValue = value;
        if (heading->channelType == 2) fsValue = value;
      } else if (qcValue && fsValue && *qcValue != 0) {
        value = *fsValue / *qcValue * 100;
      }
      scpt.data += ',';
      appendField(scpt.data, value ? formatPattern(*value, heading->pattern) : std::string());
    }
    scpt.data += "\r\n";
  }

  // The dictionary groups: every PA value, data type and unit the file uses.
  Group abbr{"ABBR"};
  for (const char* heading : {"ABBR_HDNG", "ABBR_CODE", "ABBR_DESC"}) abbr.add(heading, "", "X");
  abbr.rows = {{"TRAN_STAT", "FINAL", "Final"},
               {"LOCA_TYPE", "CP", "Static cone penetration test"},
               {"SCPG_TYPE", pore ? "PC" : "EC", pore ? "Piezocone" : "Electric cone"}};
  std::set<std::string> units, types;
  for (const Group* group : {&proj, &tran, &loca, &scpg, &scpt})
    for (std::size_t k = 0; k < group->headings.size(); ++k) {
      if (!group->units[k].empty()) units.insert(group->units[k]);
      types.insert(group->types[k]);
    }
  Group type{"TYPE"};
  type.add("TYPE_TYPE", "", "X"), type.add("TYPE_DESC", "", "X");
  types.insert("X");
  for (const std::string& t : types) type.rows.push_back({t, typeNames().at(t)});
  Group unit{"UNIT"};
  unit.add("UNIT_UNIT", "", "X"), unit.add("UNIT_DESC", "", "X");
  for (const std::string& u : units) unit.rows.push_back({u, unitNames().at(u)});

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

}  // namespace

Outcome readAgsFile(std::string_view bytes, const std::string& fileName,
                    const ChannelDefinitions& defs, Sounding& s) {
  TextReader text(bytes);
  std::string line, group, testLocation, testNumber;
  std::vector<std::string> fields, headings;
  std::map<std::size_t, int> channelOf;  // field of the SCPT row -> channel
  std::map<std::size_t, double> toBase;  // field of the SCPT row -> factor to its base unit
  std::size_t depthAt = 0;
  while (text.readLine(line)) {
    const int number = text.lineNumber();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (!fieldsOf(line, fields) || fields.empty())
      return refusedOnLine(fileName, number, "the line is no row of quoted fields");
    const std::string& descriptor = fields[0];
    if (descriptor == "GROUP") {
      group = fields.size() > 1 ? fields[1] : "";
      headings.clear();
      continue;
    }
    if (descriptor == "HEADING") {
      if (!headings.empty())
        return refusedOnLine(fileName, number,
                             "the group " + quotedText(group) + " has a second HEADING line");
      headings.assign(fields.begin() + 1, fields.end());
    } else if (headings.empty()) {
      return refusedOnLine(fileName, number,
                           quotedText(descriptor) + " comes before the group's HEADING line");
    } else if (fields.size() != headings.size() + 1) {
      return refusedOnLine(fileName, number,
                           "the line has " + std::to_string(fields.size() - 1) + " fields for " +
                               std::to_string(headings.size()) + " headings");
    }
    if (group == "SCPT" && descriptor == "HEADING") {
      if (depthAt != 0) return refusedOnLine(fileName, number, "the file has a second SCPT group");
      for (std::size_t k = 0; k < headings.size(); ++k) {
        if (headings[k] == "SCPT_DPTH") depthAt = k + 1;
        for (const Heading& heading : kScpt)
          if (headings[k] == heading.name && heading.channelType > 0 &&
              s.NumChannels < MaxChannels) {
            channelOf[k + 1] = addBaseUnitChannel(s, defs, heading.channelType, heading.name + 5);
            toBase[k + 1] = 1 / heading.fromBase;
          }
      }
      if (depthAt == 0) return refusedOnLine(fileName, number, "SCPT has no SCPT_DPTH heading");
    } else if (group == "SCPT" && descriptor == "UNIT") {
      // Pressures in MPa, as the dictionary has them, or in kPa.
      for (auto [k, c] : channelOf) {
        const bool pressure = toBase[k] != 1;
        if (pressure && fields[k] == "kPa")
          toBase[k] = 1;
        else if (pressure && fields[k] != "MPa")
          return refusedOnLine(
              fileName, number,
              headings[k - 1] + " is in " + quotedText(fields[k]) + ", not in MPa or kPa");
      }
    } else if (group == "SCPT" && descriptor == "DATA") {
      // The first test of the first location only.
      const std::string& push = fields.size() > 2 ? fields[2] : fields[0];
      if (s.NumReadings == 0) testLocation = fields[1], testNumber = push;
      if (fields[1] != testLocation || push != testNumber) continue;
      if (s.NumReadings >= MaxReadings)
        return refusedOnLine(fileName, number, "more than 10,000 readings");
      auto depth = strictNumber(fields[depthAt]);
      if (!depth)
        return refusedOnLine(fileName, number,
                             "SCPT_DPTH holds " + quotedText(fields[depthAt]) + ", no number");
      const int n = ++s.NumReadings;
      s.Depth[n] = s.Reading[0][n] = toSingle(*depth);
      for (auto [k, c] : channelOf) {
        if (fields[k].empty()) {
          s.RawReading[c][n] = s.Reading[c][n] = NoValue;
          continue;
        }
        auto value = strictNumber(fields[k]);
        if (!value)
          return refusedOnLine(fileName, number,
                               headings[k - 1] + " holds " + quotedText(fields[k]) + ", no number");
        s.RawReading[c][n] = toSingle(*value * toBase[k]);
        s.Reading[c][n] = toSingle(s.RawReading[c][n] * static_cast<double>(s.ChannelFactor[c]));
      }
    } else if (descriptor == "DATA") {
      // The header texts from the first row of the groups around the test.
      auto value = [&](const char* heading) {
        for (std::size_t k = 0; k < headings.size(); ++k)
          if (headings[k] == heading) return fields[k + 1];
        return std::string();
      };
      auto take = [&](std::string& text, const char* from) {
        if (text.empty()) text = value(from);
      };
      if (group == "PROJ") {
        take(s.JobNumber, "PROJ_ID"), take(s.HeaderText, "PROJ_NAME");
        take(s.CompanyName, "PROJ_CONT"), take(s.OperatorName, "PROJ_ENG");
      }
      if (group == "LOCA") take(s.HoleNumber, "LOCA_ID"), take(s.LocationText, "LOCA_REM");
      if (group == "SCPG") take(s.ConeNumber, "SCPG_REF");
      if (group == "LOCA" && s.DateAndTime.empty()) {
        std::string day = value("LOCA_STAR");
        if (day.size() == 10 && day[4] == '-' && day[7] == '-')
          s.DateAndTime = day.substr(8, 2) + "/" + day.substr(5, 2) + "/" + day.substr(0, 4);
      }
    }
  }
  if (s.NumReadings == 0)
    return refusedOnLine(fileName, text.lineNumber(), "the file holds no SCPT rows");
  settleReadChannels(s);
  return {};
}

}  // namespace pelorin
