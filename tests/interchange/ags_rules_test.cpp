// Every AGS4 file the writer produced for tests/cases.txt, held to the rules the AGS4 checker
// applies: line and group layout, value formats, keys and parents, and the ABBR, TYPE and UNIT
// lists with the standard dictionary's descriptions.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <fstream>
#include <map>
#include <optional>
#include <ranges>
#include <regex>
#include <set>
#include <sstream>

#include "test_support.hpp"

namespace pelorin::test {
namespace {

using Row = std::vector<std::string>;

Row words(const std::string& text, char by = ' ') {
  Row out;
  std::istringstream in(text);
  for (std::string word; std::getline(in, word, by);)
    if (!word.empty()) out.push_back(word);
  return out;
}

// The standard groups Pelorin writes: headings in the dictionary's order, key headings,
// required headings.
const std::map<std::string, std::array<std::string, 3>> kDictionary = {
    {"PROJ",
     {"PROJ_ID PROJ_NAME PROJ_LOC PROJ_CLNT PROJ_CONT PROJ_ENG PROJ_MEMO FILE_FSET", "PROJ_ID",
      "PROJ_ID"}},
    {"TRAN",
     {"TRAN_ISNO TRAN_DATE TRAN_PROD TRAN_STAT TRAN_DESC TRAN_AGS TRAN_RECV TRAN_DLIM TRAN_RCON "
      "TRAN_REM FILE_FSET",
      "TRAN_ISNO", "TRAN_ISNO TRAN_DATE TRAN_PROD TRAN_STAT TRAN_AGS TRAN_RECV"}},
    {"ABBR",
     {"ABBR_HDNG ABBR_CODE ABBR_DESC ABBR_LIST ABBR_REM FILE_FSET", "ABBR_HDNG ABBR_CODE",
      "ABBR_HDNG ABBR_CODE ABBR_DESC"}},
    {"TYPE", {"TYPE_TYPE TYPE_DESC FILE_FSET", "TYPE_TYPE", "TYPE_TYPE TYPE_DESC"}},
    {"UNIT", {"UNIT_UNIT UNIT_DESC UNIT_REM FILE_FSET", "UNIT_UNIT", "UNIT_UNIT UNIT_DESC"}},
    {"LOCA",
     {"LOCA_ID LOCA_TYPE LOCA_STAT LOCA_NATE LOCA_NATN LOCA_GREF LOCA_GL LOCA_REM LOCA_FDEP "
      "LOCA_STAR LOCA_PURP LOCA_TERM LOCA_ENDD LOCA_LETT LOCA_LOCX LOCA_LOCY LOCA_LOCZ LOCA_LREF "
      "LOCA_DATM LOCA_ETRV LOCA_NTRV LOCA_LTRV LOCA_XTRL LOCA_YTRL LOCA_ZTRL LOCA_LAT LOCA_LON "
      "LOCA_ELAT LOCA_ELON LOCA_LLZ LOCA_LOCM LOCA_LOCA LOCA_CLST LOCA_ALID LOCA_OFFS LOCA_CNGE "
      "LOCA_TRAN FILE_FSET LOCA_NATD LOCA_ORID LOCA_ORJO LOCA_ORCO",
      "LOCA_ID", ""}},
    {"SCPG",
     {"LOCA_ID SCPG_TESN SCPG_TYPE SCPG_REF SCPG_CSA SCPG_RATE SCPG_FILT SCPG_FRIC SCPG_WAT "
      "SCPG_WATA SCPG_REM SCPG_ENV SCPG_CONT SCPG_METH SCPG_CRED SCPG_CAR SCPG_SLAR FILE_FSET",
      "LOCA_ID SCPG_TESN", ""}},
    {"SCPT",
     {"LOCA_ID SCPG_TESN SCPT_DPTH SCPT_RES SCPT_FRES SCPT_PWP1 SCPT_PWP2 SCPT_PWP3 SCPT_CON "
      "SCPT_TEMP SCPT_PH SCPT_SLP1 SCPT_SLP2 SCPT_REDX SCPT_MAGT SCPT_MAGX SCPT_MAGY SCPT_MAGZ "
      "SCPT_SMP SCPT_NGAM SCPT_REM SCPT_FRR SCPT_QT SCPT_FT SCPT_QE SCPT_BDEN SCPT_CPO SCPT_CPOD "
      "SCPT_QNET SCPT_FRRC SCPT_EXPP SCPT_BQ SCPT_ISPP SCPT_NQT SCPT_NFR FILE_FSET",
      "LOCA_ID SCPG_TESN SCPT_DPTH", ""}},
};

// The standard's descriptions of the abbreviations ("HEADING CODE"), types ("TYPE X") and
// units ("UNIT m") Pelorin may write.
const std::map<std::string, std::string> kStandardText = {
    {"LOCA_TYPE SCP", "Static cone penetrometer"},
    {"LOCA_TYPE CP", "Cable percussion (shell and auger)"},
    {"LOCA_GREF OSGB", "Ordnance Survey Great Britain National Grid"},
    {"SCPG_TYPE EC", "Electric cone"},
    {"SCPG_TYPE PC", "Piezo cone"},
    {"TYPE ID", "Unique Identifier"},
    {"TYPE X", "Text"},
    {"TYPE PA", "Text listed in ABBR Group"},
    {"TYPE DT", "Date time in international format"},
    {"TYPE DMS", "Degrees: Minutes: Seconds"},
    {"TYPE 0DP", "Value; required number of decimal places, 0"},
    {"TYPE 1DP", "Value; required number of decimal places, 1"},
    {"TYPE 2DP", "Value; required number of decimal places, 2"},
    {"TYPE 3DP", "Value; required number of decimal places, 3"},
    {"TYPE 4DP", "Value; required number of decimal places, 4"},
    {"UNIT m", "metre"},
    {"UNIT MPa", "megaPascal"},
    {"UNIT kPa", "kiloPascal"},
    {"UNIT %", "percentage"},
    {"UNIT deg", "degree (angle)"},
    {"UNIT DegC", "degree Celsius"},
    {"UNIT uS/cm", "microSiemens per centimetre"},
    {"UNIT cm2", "square centimetre"},
    {"UNIT mm2", "square millimetre"},
    {"UNIT yyyy-mm-dd", "year month day"}};

struct Group {
  std::string name;  // empty for a group the file lacks
  int line = 0;      // of its GROUP row; HEADING, UNIT and TYPE follow
  Row headings, units, types;
  std::vector<std::pair<int, Row>> rows;  // DATA rows and their lines
  int column(const std::string& heading) const {
    auto at = std::find(headings.begin(), headings.end(), heading);
    return at == headings.end() ? -1 : static_cast<int>(at - headings.begin());
  }
  // A row's fields under some headings, empty where the group lacks one.
  Row fields(const Row& row, const Row& under) const {
    Row out;
    for (const std::string& h : under) out.push_back(column(h) < 0 ? "" : row[column(h)]);
    return out;
  }
};

struct Ags {
  std::vector<Group> groups;
  std::vector<std::string> findings;  // "LINE: Rule N: what is wrong"
  void note(int line, const std::string& text) {
    findings.push_back(std::to_string(line) + ": " + text);
  }
  const Group& group(const std::string& name) const {
    static const Group none;
    auto at = std::ranges::find(groups, name, &Group::name);
    return at == groups.end() ? none : *at;
  }
  std::set<Row> listed(const std::string& name, const Row& under) const {
    std::set<Row> out;
    for (const auto& [line, row] : group(name).rows) out.insert(group(name).fields(row, under));
    return out;
  }
};

// The fields of a line, each in double quotes ("" a quote within) and comma-separated.
std::optional<Row> quotedFields(const std::string& line) {
  Row out(1);
  for (std::size_t at = 0;; out.emplace_back()) {
    if (at >= line.size() || line[at++] != '"') return std::nullopt;
    for (; at < line.size(); ++at) {
      if (line[at] == '"' && line.compare(at, 2, "\"\"") != 0) break;  // the closing quote
      if (line[at] == '"') ++at;                                       // "" stands for one quote
      out.back() += line[at];
    }
    if (++at > line.size()) return std::nullopt;
    if (at == line.size()) return out;
    if (line[at++] != ',') return std::nullopt;
  }
}

// Rules 1, 2, 2a, 2b, 3, 4 and 5 as the lines are read into groups.
Ags parse(const std::string& bytes) {
  Ags a;
  const std::string descriptors[] = {"HEADING", "UNIT", "TYPE", "DATA"};
  int step = 0, number = 0;  // the descriptor the open group expects next
  bool blank = false;
  auto close = [&] {
    if (a.groups.empty()) return;
    Group& g = a.groups.back();
    if (step < 3) a.note(g.line, "Rule 2b: " + g.name + " lacks its HEADING, UNIT or TYPE row");
    if (g.rows.empty()) a.note(g.line, "Rule 2: " + g.name + " has no DATA rows");
    g.units.resize(g.headings.size()), g.types.resize(g.headings.size());
  };
  for (std::size_t start = 0, end; start < bytes.size(); start = end + 1) {
    end = std::min(bytes.find('\n', start), bytes.size());
    std::string line = bytes.substr(start, end - start);
    const bool crlf = end < bytes.size() && line.ends_with('\r');
    if (line.ends_with('\r')) line.pop_back();
    if (++number; !crlf) a.note(number, "Rule 2a: the line does not end with CR LF");
    if (std::ranges::any_of(line, [](char c) { return c < ' ' || c > '~'; }))
      a.note(number, "Rule 1: a byte that is not printable ASCII");
    std::optional<Row> row = quotedFields(line);
    if (line.empty() || !row) {
      if (!line.empty()) a.note(number, "Rule 5: fields not all quoted and comma-separated");
      blank = line.empty();
      continue;
    }
    const std::string descriptor = row->front();
    row->erase(row->begin());
    if (blank && descriptor != "GROUP") a.note(number, "Rule 3: a blank line within a group");
    blank = false;
    if (descriptor == "GROUP") {
      close();
      if (row->size() != 1) a.note(number, "Rule 4: a GROUP row holds one name");
      a.groups.emplace_back().line = number;
      a.groups.back().name = row->empty() ? "" : row->front();
      step = 0;
    } else if (a.groups.empty() || descriptor != descriptors[step]) {
      a.note(number, "Rule 3: " + descriptor + " row where a " + descriptors[step] + " belongs");
    } else {
      Group& g = a.groups.back();
      if (step > 0 && row->size() != g.headings.size())
        a.note(number, "Rule 4: " + std::to_string(row->size()) + " fields, " +
                           std::to_string(g.headings.size()) + " headings");
      if (step > 0) row->resize(g.headings.size());
      if (step < 3) (step == 0 ? g.headings : step == 1 ? g.units : g.types) = *row;
      if (step == 3) g.rows.emplace_back(number, *row);
      step = std::min(step + 1, 3);
    }
  }
  close();
  return a;
}

const std::regex& pattern(const std::string& text) {
  static std::map<std::string, std::regex> made;
  return made.try_emplace(text, text).first->second;
}

// Whether a value is written as its TYPE says; a DT value follows its unit's picture
// (y, m, d, h and s each a digit) and is a real date.
bool fitsType(const std::string& value, const std::string& type, const std::string& unit) {
  if (value.empty()) return true;
  if (std::regex_match(type, pattern("[0-9]DP")))
    return std::regex_match(
        value, pattern(type[0] == '0' ? R"(-?\d+)" : R"(-?\d+\.\d{)" + type.substr(0, 1) + "}"));
  if (type == "DMS") return std::regex_match(value, pattern(R"(-?\d+:[0-5]\d:[0-5]\d(\.\d+)?)"));
  if (type != "DT") return true;
  if (unit.empty() || value.size() != unit.size()) return false;
  for (std::size_t i = 0; i < unit.size(); ++i)
    if (std::string("ymdhs").find(unit[i]) != std::string::npos ? !std::isdigit(value[i] & 0xff)
                                                                : value[i] != unit[i])
      return false;
  auto part = [&](int at, int size) { return std::stoi(value.substr(at, size)); };
  using namespace std::chrono;
  return !unit.starts_with("yyyy-mm-dd") ||
         year_month_day(year(part(0, 4)), month(part(5, 2)), day(part(8, 2))).ok();
}

// Rules 7, 9, 19 and 19a: group names of four capitals, headings of nine capitals, digits or
// underscores at most; in a standard group only its own headings, in the dictionary's order.
void headingRules(Ags& a) {
  for (const Group& g : a.groups) {
    auto standard = kDictionary.find(g.name);
    const Row order = standard == kDictionary.end() ? Row{} : words(standard->second[0]);
    if (!std::regex_match(g.name, pattern("[A-Z]{4}"))) a.note(g.line, "Rule 19: " + g.name);
    std::ptrdiff_t last = -1;
    for (const std::string& h : g.headings) {
      if (!std::regex_match(h, pattern("[A-Z0-9_]{1,9}"))) a.note(g.line + 1, "Rule 19a: " + h);
      if (order.empty()) continue;
      const std::ptrdiff_t at = std::find(order.begin(), order.end(), h) - order.begin();
      if (at == std::ssize(order))
        a.note(g.line + 1, "Rule 9: " + h + " is not a heading of " + g.name);
      else if (at <= last)
        a.note(g.line + 1, "Rule 7: " + h + " repeated or out of the dictionary's order");
      else
        last = at;
    }
  }
}

// Rule 8: every value as its TYPE says.
void valueRules(Ags& a) {
  for (const Group& g : a.groups)
    for (const auto& [line, row] : g.rows)
      for (std::size_t c = 0; c < row.size(); ++c)
        if (!fitsType(row[c], g.types[c], g.units[c]))
          a.note(line, "Rule 8: " + g.headings[c] + " \"" + row[c] + "\" is not " + g.types[c]);
}

// Rules 10a, 10b and 10c: keys present and unique, required fields filled in, each test's
// location and each reading's test written; Rules 13 and 14: one project, one transmission.
void keyRules(Ags& a) {
  for (const auto& [name, standard] : kDictionary) {
    const Group& g = a.group(name);
    const Row key = words(standard[1]);
    for (const std::string& h : key)
      if (!g.name.empty() && g.column(h) < 0) a.note(g.line, "Rule 10a: no key heading " + h);
    std::map<Row, int> seen;
    for (const auto& [line, row] : g.rows) {
      if (auto [first, added] = seen.emplace(g.fields(row, key), line); !added)
        a.note(line, "Rule 10a: the key of line " + std::to_string(first->second) + " again");
      for (const std::string& h : words(standard[2]))
        if (g.fields(row, {h})[0].find_first_not_of(' ') == std::string::npos)
          a.note(line, "Rule 10b: " + h + " missing or empty");
    }
  }
  for (std::string child : {"SCPG", "SCPT"}) {
    const std::string parent = child == "SCPG" ? "LOCA" : "SCPG";
    const Row key = words(kDictionary.at(parent)[1]);
    const std::set<Row> written = a.listed(parent, key);
    for (const auto& [line, row] : a.group(child).rows)
      if (!written.contains(a.group(child).fields(row, key)))
        a.note(line, "Rule 10c: no " + parent + " row for it");
  }
  for (std::string name : {"PROJ", "TRAN"})
    if (const Group& g = a.group(name); g.rows.size() != 1)
      a.note(g.line, (name == "PROJ" ? "Rule 13: " : "Rule 14: ") + std::to_string(g.rows.size()) +
                         " " + name + " DATA rows, not one");
  if (a.listed("TRAN", {"TRAN_AGS"}) != std::set<Row>{{"4.1.1"}})
    a.note(a.group("TRAN").line, "Rule 14: TRAN_AGS is not 4.1.1");
}

// Rules 15, 16 and 17: every unit, abbreviation and type used is listed in UNIT, ABBR and TYPE;
// standard ones with the standard's description (ABBR_DESC ignoring case, as the checker has it).
void listRules(Ags& a) {
  const auto units = a.listed("UNIT", {"UNIT_UNIT"}), types = a.listed("TYPE", {"TYPE_TYPE"});
  const auto codes = a.listed("ABBR", {"ABBR_HDNG", "ABBR_CODE"});
  const auto rcon = a.listed("TRAN", {"TRAN_RCON"});  // joins codes, as in CP+RC
  const char by =
      rcon.size() == 1 && rcon.begin()->front().size() == 1 ? rcon.begin()->front()[0] : '\n';
  for (const Group& g : a.groups)
    for (std::size_t c = 0; c < g.headings.size(); ++c) {
      if (!g.units[c].empty() && !units.contains({g.units[c]}))
        a.note(g.line + 2, "Rule 15: unit " + g.units[c] + " not in UNIT");
      if (!types.contains({g.types[c]}))
        a.note(g.line + 3, "Rule 17: type " + g.types[c] + " not in TYPE");
      for (const auto& [line, row] : g.rows)
        for (const std::string& code : words(g.types[c] == "PA" ? row[c] : "", by))
          if (!codes.contains({g.headings[c], code}))
            a.note(line, "Rule 16: " + g.headings[c] + " " + code + " not in ABBR");
    }
  for (std::string name : {"ABBR", "TYPE", "UNIT"}) {
    const bool abbr = name == "ABBR";
    const Row under = {abbr ? "ABBR_HDNG" : "", abbr ? "ABBR_CODE" : name + "_" + name,
                       name + "_DESC"};
    const std::string rule = abbr ? "Rule 16: " : name == "TYPE" ? "Rule 17: " : "Rule 15: ";
    auto same = [&](char x, char y) { return abbr ? std::tolower(x) == std::tolower(y) : x == y; };
    for (const auto& [line, row] : a.group(name).rows) {
      const Row f = a.group(name).fields(row, under);
      auto text = kStandardText.find((abbr ? f[0] : name) + " " + f[1]);
      if (text != kStandardText.end() && !std::ranges::equal(f[2], text->second, same))
        a.note(line, rule + text->first + " is \"" + f[2] + "\", not \"" + text->second + "\"");
    }
  }
}

std::vector<std::string> check(const std::string& bytes) {
  Ags a = parse(bytes);
  for (auto rule : {headingRules, valueRules, keyRules, listRules}) rule(a);
  return a.findings;
}

TEST(AgsRules, EveryWrittenFileKeepsTheCheckersRules) {
  std::set<std::string> files;  // the .ags files the "ags" lines of cases.txt expect
  std::ifstream cases(fixturePath("../cases.txt"));
  for (std::string line, file; std::getline(cases, line);)
    if (auto arrow = line.find(" => "); line.starts_with("ags ") && arrow != std::string::npos)
      if (std::istringstream(line.substr(arrow + 4)) >> file; file.ends_with(".ags"))
        files.insert(file.starts_with("out:") ? file.substr(4) : file);
  ASSERT_FALSE(files.empty());
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const std::vector<std::string> findings = check(readFixture(file));
    for (std::size_t n = 0; n < std::min<std::size_t>(findings.size(), 30); ++n)
      ADD_FAILURE() << file << ":" << findings[n];
    if (findings.size() > 30) ADD_FAILURE() << file << ": and " << findings.size() - 30 << " more";
  }
}

// A file with faults the checker must find, each told with its line and rule, and lines it
// must let pass; every line but the last ends with CR LF.
TEST(AgsRules, TheCheckerFindsFaults) {
  const std::string text = R"("GROUP","TRAN"
"HEADING","TRAN_ISNO","TRAN_DATE"
"UNIT","","yyyy-mm-dd"
"TYPE","X","DT"
"DATA","1","2025-02-29"

"GROUP","ABBR"
"HEADING","ABBR_HDNG","ABBR_CODE","ABBR_DESC"
"UNIT","","",""
"TYPE","X","X","X"
"DATA","LOCA_TYPE","SCP","static cone penetrometer"
"DATA","SCPG_TYPE","PC","Piezocone"

"GROUP","SCPG"
"HEADING","LOCA_ID","SCPG_TESN","SCPG_TYPE"
"UNIT","","",""
"TYPE","ID","X","PA"
"DATA","CPT-04","1","PC"

"GROUP","SCPT"
"HEADING","LOCA_ID","SCPG_TESN","SCPT_DPTH","SCPT_RES"
"UNIT","","","m","MPa"
"TYPE","ID","X","2DP","3DP"
"DATA","CPT-04","1","0.02","1.887"
"DATA","CPT-04","1","0.04","1.89"
"DATA","CPT-04","2","0.06","1.903")";
  const std::pair<std::string, bool> told[] = {
      {"5: Rule 8:", true},     // no such day
      {"11: ", false},          // the standard's text in other capitals
      {"12: Rule 16:", true},   // not the standard's text
      {"24: ", false},          // a good reading
      {"25: Rule 8:", true},    // a 3DP value with two decimals
      {"26: Rule 10c:", true},  // a reading of a test that is not there
      {"26: Rule 2a:", true},   // the last line without its CR LF
  };
  const auto found = check(std::regex_replace(text, std::regex("\n"), "\r\n"));
  for (const auto& [finding, expected] : told)
    EXPECT_EQ(std::ranges::any_of(found, [&](auto& s) { return s.starts_with(finding); }), expected)
        << finding << " among:\n"
        << testing::PrintToString(found);
}

}  // namespace
}  // namespace pelorin::test
