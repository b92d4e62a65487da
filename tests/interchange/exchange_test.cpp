// GEF-CPT and AGS4: every sample written obeys what strict readers of the format demand and
// reads back as the sounding within the decimals written.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <set>

#include "export/readings_table.hpp"
#include "interchange/ags_file.hpp"
#include "interchange/exchange_file.hpp"
#include "interchange/gef_file.hpp"
#include "sounding/open_sounding.hpp"
#include "test_support.hpp"

namespace pelorin::test {
namespace {

// The header rules the strictest readers apply: "#GEFID= 1, 1, 0" first, every key as
// "#KEY= " with one blank and none before "=", COLUMNINFO numbered 1..N without gaps, one
// COLUMNVOID per column in column order, "#EOH=" straight before the line end, ASCII, CR LF.
void expectStrictHeader(const std::string& gef) {
  ASSERT_TRUE(gef.starts_with("#GEFID= 1, 1, 0\r\n"));
  std::string header = gef.substr(0, gef.find("#EOH=\r\n"));
  ASSERT_NE(header.size(), gef.size()) << "no #EOH= line";
  static const std::regex key(R"(#[A-Z]+= \S.*)");
  int info = 0, voids = 0;
  for (std::size_t at = 0, end; (end = header.find("\r\n", at)) != std::string::npos;
       at = end + 2) {
    std::string line = header.substr(at, end - at);
    EXPECT_TRUE(std::regex_match(line, key)) << line;
    for (unsigned char ch : line) EXPECT_LT(ch, 0x80) << line;
    if (line.starts_with("#COLUMNINFO= ")) {
      EXPECT_TRUE(line.starts_with("#COLUMNINFO= " + std::to_string(++info) + ","));
    } else if (line.starts_with("#COLUMNVOID= ")) {
      EXPECT_EQ(line, "#COLUMNVOID= " + std::to_string(++voids) + ", -9999");
    }
  }
  EXPECT_EQ(info, voids);
  EXPECT_NE(header.find("#COLUMN= " + std::to_string(info) + "\r\n"), std::string::npos);
  EXPECT_EQ(gef.find('\n'), gef.find("\r\n") + 1);
}

// The AGS4 rules a writer can break, checked line by line: ASCII (1), CR LF (2a), rows of
// quoted fields led by a descriptor (4, 5), GROUP, HEADING, UNIT and TYPE before the DATA
// (2, 3), headings in the dictionary's order (7), values as their TYPE says (8), unique and
// filled keys with their parent rows (10a, 10b, 10c), one PROJ and one TRAN row (13, 14) and
// every unit, type and PA code listed in UNIT, TYPE and ABBR (15, 16, 17).
std::vector<std::string> agsRuleBreaches(const std::string& ags) {
  // The dictionary order of the headings this writer may use.
  static const std::map<std::string, std::vector<std::string>> order = {
      {"PROJ",
       {"PROJ_ID", "PROJ_NAME", "PROJ_LOC", "PROJ_CLNT", "PROJ_CONT", "PROJ_ENG", "PROJ_MEMO"}},
      {"TRAN",
       {"TRAN_ISNO", "TRAN_DATE", "TRAN_PROD", "TRAN_STAT", "TRAN_DESC", "TRAN_AGS", "TRAN_RECV",
        "TRAN_DLIM", "TRAN_RCON", "TRAN_REM"}},
      {"ABBR", {"ABBR_HDNG", "ABBR_CODE", "ABBR_DESC"}},
      {"TYPE", {"TYPE_TYPE", "TYPE_DESC"}},
      {"UNIT", {"UNIT_UNIT", "UNIT_DESC"}},
      {"LOCA",
       {"LOCA_ID", "LOCA_TYPE", "LOCA_STAT", "LOCA_NATE", "LOCA_NATN", "LOCA_GREF", "LOCA_GL",
        "LOCA_REM", "LOCA_FDEP", "LOCA_STAR"}},
      {"SCPG",
       {"LOCA_ID", "SCPG_TESN", "SCPG_TYPE", "SCPG_REF", "SCPG_CSA", "SCPG_RATE", "SCPG_FILT",
        "SCPG_FRIC", "SCPG_WAT", "SCPG_WATA", "SCPG_REM"}},
      {"SCPT",
       {"LOCA_ID", "SCPG_TESN", "SCPT_DPTH", "SCPT_RES", "SCPT_FRES", "SCPT_PWP1", "SCPT_PWP2",
        "SCPT_PWP3", "SCPT_CON", "SCPT_TEMP", "SCPT_PH", "SCPT_SLP1", "SCPT_SLP2", "SCPT_FRR"}}};
  static const std::map<std::string, std::size_t> keys = {{"PROJ", 1}, {"TRAN", 0}, {"ABBR", 2},
                                                          {"TYPE", 1}, {"UNIT", 1}, {"LOCA", 1},
                                                          {"SCPG", 2}, {"SCPT", 3}};
  struct Table {
    std::vector<std::string> headings, units, types;
    std::vector<std::vector<std::string>> rows;
  };
  std::map<std::string, Table> groups;
  std::vector<std::string> breaches;
  std::string group;
  int number = 0;
  for (std::size_t at = 0; at < ags.size();) {
    std::size_t end = ags.find("\r\n", at);
    if (end == std::string::npos) return {"the file does not end with CR LF"};
    std::string line = ags.substr(at, end - at);
    at = end + 2, ++number;
    auto breach = [&](const std::string& what) {
      breaches.push_back("line " + std::to_string(number) + ": " + what);
    };
    if (line.find_first_of("\r\n") != std::string::npos) breach("a lone CR or LF");
    for (unsigned char ch : line)
      if (ch >= 0x80 || ch < 0x20) breach("a byte beyond ASCII");
    if (line.empty()) continue;
    static const std::regex row(R"x("([^"]|"")*"(,"([^"]|"")*")*)x"),
        field(R"x("((?:[^"]|"")*)")x");
    if (!std::regex_match(line, row)) {
      breach("not a row of quoted fields");
      continue;
    }
    std::vector<std::string> fields;
    for (std::sregex_iterator it(line.begin(), line.end(), field), end; it != end; ++it)
      fields.push_back((*it)[1]);
    const std::string descriptor = fields[0];
    fields.erase(fields.begin());
    if (descriptor == "GROUP") {
      group = fields.at(0);
      if (groups.count(group)) breach("a second " + group + " group");
      groups[group];
      continue;
    }
    Table& table = groups[group];
    if (descriptor == "HEADING") {
      table.headings = fields;
      std::size_t last = 0;
      for (const std::string& heading : fields) {
        const auto& known = order.at(group);
        auto it = std::find(known.begin(), known.end(), heading);
        if (it == known.end())
          breach(heading + " is no heading of " + group);
        else if (static_cast<std::size_t>(it - known.begin()) < last)
          breach(heading + " out of order");
        else
          last = static_cast<std::size_t>(it - known.begin());
      }
    } else if (descriptor == "UNIT" || descriptor == "TYPE") {
      (descriptor == "UNIT" ? table.units : table.types) = fields;
      if (fields.size() != table.headings.size()) breach(descriptor + " does not match HEADING");
    } else if (descriptor == "DATA") {
      if (table.types.size() != table.headings.size() || fields.size() != table.headings.size()) {
        breach("DATA before UNIT and TYPE or with the wrong number of fields");
        continue;
      }
      for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::string& type = table.types[k];
        const std::string& value = fields[k];
        if (value.empty()) continue;
        if (type.size() == 3 && type.ends_with("DP")) {
          static const std::regex number(R"(-?\d+(\.\d+)?)");
          std::size_t dot = value.find('.');
          std::size_t decimals = dot == std::string::npos ? 0 : value.size() - dot - 1;
          if (!std::regex_match(value, number) ||
              decimals != static_cast<std::size_t>(type[0] - '0'))
            breach(table.headings[k] + " " + value + " is no " + type);
        } else if (type == "DT" && !std::regex_match(value, std::regex(R"(\d{4}-\d\d-\d\d)"))) {
          breach(table.headings[k] + " " + value + " is no date");
        }
      }
      table.rows.push_back(fields);
    } else {
      breach("the descriptor " + descriptor);
    }
  }
  auto rows = [&](const std::string& name) {
    return groups.count(name) ? groups[name].rows.size() : 0;
  };
  if (rows("PROJ") != 1) breaches.push_back("PROJ needs one row");
  if (rows("TRAN") != 1) breaches.push_back("TRAN needs one row");
  // Keys unique and filled; each child row with its parent.
  std::map<std::string, std::set<std::vector<std::string>>> keySets;
  for (auto& [name, table] : groups) {
    const std::size_t count = keys.count(name) ? keys.at(name) : 0;
    for (const auto& row : table.rows) {
      std::vector<std::string> key(row.begin(),
                                   row.begin() + static_cast<long>(std::min(count, row.size())));
      for (const std::string& field : key)
        if (field.empty()) breaches.push_back(name + " has an empty key field");
      if (count && !keySets[name].insert(key).second) breaches.push_back(name + " repeats a key");
    }
  }
  for (auto [child, parent] : {std::pair{"SCPG", "LOCA"}, std::pair{"SCPT", "SCPG"}})
    for (const auto& row : groups[child].rows) {
      std::vector<std::string> key(row.begin(), row.begin() + static_cast<long>(keys.at(parent)));
      if (!keySets[parent].count(key))
        breaches.push_back(std::string(child) + " row without its " + parent + " row");
    }
  // Every unit, type and PA code in the dictionary groups.
  auto listed = [&](const std::string& name, std::size_t field) {
    std::set<std::string> values;
    for (const auto& row : groups[name].rows) values.insert(row.at(field));
    return values;
  };
  const auto units = listed("UNIT", 0), types = listed("TYPE", 0);
  std::set<std::pair<std::string, std::string>> codes;
  for (const auto& row : groups["ABBR"].rows) codes.insert({row.at(0), row.at(1)});
  for (auto& [name, table] : groups)
    for (std::size_t k = 0; k < table.types.size() && k < table.units.size(); ++k) {
      if (!table.units.at(k).empty() && !units.count(table.units[k]))
        breaches.push_back("unit " + table.units[k] + " not in UNIT");
      if (!types.count(table.types.at(k)))
        breaches.push_back("type " + table.types[k] + " not in TYPE");
      if (table.types[k] == "PA")
        for (const auto& row : table.rows)
          if (!row[k].empty() && !codes.count({table.headings[k], row[k]}))
            breaches.push_back(table.headings[k] + " " + row[k] + " not in ABBR");
    }
  return breaches;
}

// The sample written in the format, checked against the format's rules and read back: the
// same readings, each value within half the last decimal written, markers still voids.
void expectRoundTrip(ExchangeFormat format, const std::string& path) {
  SCOPED_TRACE(path);
  FileError error;
  auto s = openSoundingFile(path, projectDefinitions(), error);
  ASSERT_TRUE(s) << error.message;
  std::string bytes, problem;
  ASSERT_TRUE(exchangeFileBytes(format, *s, projectDefinitions(), headerTexts(*s),
                                {"Delete reading 7"}, bytes, problem))
      << problem;
  if (format == ExchangeFormat::Gef) {
    expectStrictHeader(bytes);
    EXPECT_NE(bytes.find("#COMMENT= Delete reading 7\r\n"), std::string::npos);
  } else {
    for (const std::string& breach : agsRuleBreaches(bytes)) ADD_FAILURE() << breach;
    EXPECT_NE(bytes.find(",\"Delete reading 7\"\r\n"), std::string::npos);
  }

  auto back = openSounding(bytes, "back", projectDefinitions(), error);
  ASSERT_TRUE(back) << error.message;
  ASSERT_EQ(back->NumReadings, s->NumReadings);
  EXPECT_EQ(back->HoleNumber, s->HoleNumber);
  for (int n = 1; n <= s->NumReadings; ++n) {
    ASSERT_NEAR(back->Depth[n], s->Depth[n], 0.005 + 1e-6) << n;
    for (int c = 1; c <= s->NumChannels; ++c) {
      const int type = s->ChannelType[c];
      int b = 1;
      while (b <= back->NumChannels && back->ChannelType[b] != type) ++b;
      ASSERT_LE(b, back->NumChannels) << "type " << type;
      float meant = channelValueAt(*s, c, n), read = channelValueAt(*back, b, n);
      ASSERT_EQ(read == NoValue, meant == NoValue) << "reading " << n << " channel " << c;
      if (meant == NoValue) continue;
      // Written in MPa with 3 (cone) or 4 decimals, in degrees with 2; read back in kPa.
      double base = meant / static_cast<double>(s->ChannelFactor[c]);
      double half = type == 1 ? 0.5 : type <= 5 ? 0.05 : 0.005;
      ASSERT_NEAR(read, base, half * 1.001 + std::fabs(base) * 1e-6)
          << "reading " << n << " channel " << c;
    }
  }
}

TEST(Exchange, SamplesAreStrictAndReadBackWithinTheirDecimals) {
  for (ExchangeFormat format : {ExchangeFormat::Gef, ExchangeFormat::Ags})
    for (const std::string& path :
         {dataPath("sample_clay_002.cpt"), dataPath("sample_sand_005.cpt"),
          dataPath("sample_no_pore.cpt"), fixturePath("analog_qc_fs_u2_ix_iy.cpt")})
      expectRoundTrip(format, path);
}

// The checker itself: a file that breaks each rule is told.
TEST(Exchange, AgsRuleCheckerFindsBreaches) {
  const std::string head =
      "\"GROUP\",\"PROJ\"\r\n\"HEADING\",\"PROJ_ID\"\r\n\"UNIT\",\"\"\r\n\"TYPE\","
      "\"ID\"\r\n\"DATA\",\"J\"\r\n\r\n"
      "\"GROUP\",\"TRAN\"\r\n\"HEADING\",\"TRAN_ISNO\"\r\n\"UNIT\",\"\"\r\n\"TYPE\","
      "\"X\"\r\n\"DATA\",\"1\"\r\n\r\n"
      "\"GROUP\",\"TYPE\"\r\n\"HEADING\",\"TYPE_TYPE\",\"TYPE_DESC\"\r\n\"UNIT\",\"\","
      "\"\"\r\n\"TYPE\",\"X\",\"X\"\r\n"
      "\"DATA\",\"ID\",\"\"\r\n\"DATA\",\"X\",\"\"\r\n\"DATA\",\"2DP\",\"\"\r\n\"DATA\",\"PA\","
      "\"\"\r\n\r\n"
      "\"GROUP\",\"UNIT\"\r\n\"HEADING\",\"UNIT_UNIT\",\"UNIT_DESC\"\r\n\"UNIT\",\"\","
      "\"\"\r\n\"TYPE\",\"X\",\"X\"\r\n"
      "\"DATA\",\"m\",\"\"\r\n\r\n";
  EXPECT_TRUE(agsRuleBreaches(head).empty());
  const struct {
    std::string tail, breach;
  } cases[] = {
      {"\"GROUP\",\"LOCA\"\n", "does not end with CR LF"},
      {"\"GROUP\",\"LOCA\"\r\n\"HEADING\",\"LOCA_FDEP\",\"LOCA_ID\"\r\n", "LOCA_ID out of order"},
      {"\"GROUP\",\"LOCA\"\r\n\"HEADING\",\"LOCA_ID\",\"LOCA_FDEP\"\r\n\"UNIT\",\"\","
       "\"m\"\r\n\"TYPE\",\"ID\",\"2DP\"\r\n"
       "\"DATA\",\"A\",\"1.5\"\r\n",
       "LOCA_FDEP 1.5 is no 2DP"},
      {"\"GROUP\",\"LOCA\"\r\n\"HEADING\",\"LOCA_ID\"\r\n\"UNIT\",\"\"\r\n\"TYPE\","
       "\"ID\"\r\n\"DATA\",\"A\"\r\n\"DATA\",\"A\"\r\n",
       "LOCA repeats a key"},
      {"\"GROUP\",\"SCPG\"\r\n\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\"\r\n\"UNIT\",\"\","
       "\"\"\r\n\"TYPE\",\"ID\",\"X\"\r\n"
       "\"DATA\",\"A\",\"1\"\r\n",
       "SCPG row without its LOCA row"},
      {"\"GROUP\",\"LOCA\"\r\n\"HEADING\",\"LOCA_ID\",\"LOCA_TYPE\"\r\n\"UNIT\",\"\","
       "\"\"\r\n\"TYPE\",\"ID\",\"PA\"\r\n"
       "\"DATA\",\"A\",\"CP\"\r\n",
       "LOCA_TYPE CP not in ABBR"},
      {"\"GROUP\",\"LOCA\"\r\n\"HEADING\",\"LOCA_ID\",\"LOCA_FDEP\"\r\n\"UNIT\",\"\","
       "\"ft\"\r\n\"TYPE\",\"ID\",\"2DP\"\r\n",
       "unit ft not in UNIT"},
      {"\"GROUP\",\"LOCA\"\r\n\"HEADING\",\"LOCA_ID\",\"LOCA_STAR\"\r\n\"UNIT\",\"\","
       "\"\"\r\n\"TYPE\",\"ID\",\"DT\"\r\n",
       "type DT not in TYPE"},
      {"\"GROUP\",\"LOCA\"\r\n\"HEADING\",\"LOCA_ID\"\r\n\"UNIT\",\"\"\r\n\"TYPE\","
       "\"ID\"\r\n\"DATA\",\"Gr\xFCnd\"\r\n",
       "beyond ASCII"},
  };
  for (const auto& c : cases) {
    std::string all;
    for (const std::string& breach : agsRuleBreaches(head + c.tail)) all += breach + "\n";
    EXPECT_NE(all.find(c.breach), std::string::npos) << c.breach << "\n" << all;
  }
}

}  // namespace
}  // namespace pelorin::test
