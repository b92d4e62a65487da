// Loading the channel definition files Channel1.txt ... Channel20.txt.

#include "sounding/channel_definitions.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "test_support.hpp"

namespace pelorin::test {
namespace {

TEST(ChannelDefinitions, ThirteenItemsThenTheCountThenThreeItemsPerOption) {
  // The descriptive items hold a quoted comma; a file short of its count, or with a count
  // above 10, is skipped with a warning naming it; a type without a file has no options.
  const std::string head =
      "\"Pelorin channel definition file\",\"Format\",1\r\n\"Channel type\",4\r\n"
      "\"Name\",\"Pore pressure, shoulder\"\r\n\"Symbol\",\"U1\"\r\n\"Base unit\",\"KPA\"\r\n"
      "\"Unit options\",\"name, pattern, factor\"\r\n";
  const std::string options = "\"KPA\",\"###0.0\",1\r\n\"PSI\",\"##0.00\",0.14503774\r\n";
  // A factor beyond the float range, or one that row 7 of a sounding file would write as 0.
  const std::string files[] = {
      head + "2\r\n" + options + "\"MPA\",\"#0.0000\",0.001\r\n",
      head + "0\r\n" + options,
      head + "3\r\n" + options,
      head + "11\r\n" + options + options + options + options + options + options,
      head + "2\r\n\"KPA\",\"###0.0\",1e39\r\n" + options,
      head + "2\r\n" + options.substr(0, 18) + "\"PSI\",\"0\",0.000000004\r\n"};
  std::string folder = temporaryFolder();
  for (int type = 1; type <= 6; ++type)
    std::ofstream(folder + "/Channel" + std::to_string(type) + ".txt") << files[type - 1];

  std::vector<std::string> warnings;
  ChannelDefinitions defs = loadChannelDefinitions(folder, warnings);
  EXPECT_EQ(defs.UnitCount[1], 2);
  EXPECT_EQ(defs.UnitName[1][2] + defs.UnitFormat[1][2] + defs.UnitName[1][3], "PSI##0.00");
  EXPECT_EQ(defs.UnitFactor[1][2], 0.14503774f);
  for (int type : {2, 3, 4, 5, 6, 7})
    EXPECT_EQ(defs.UnitCount[type] + defs.UnitName[type][1].size(), 0u) << type;
  ASSERT_EQ(warnings.size(), 4u);
  const char* named[][2] = {
      {"Channel3.txt", "item 21"},
      {"Channel4.txt", "not a whole number from 0 to 10"},
      {"Channel5.txt", "line 8: the factor \"1e39\" of unit option 1 (item 17) is beyond"},
      {"Channel6.txt",
       "line 9: the factor \"0.000000004\" of unit option 2 (item 20) writes as 0"}};
  for (int i = 0; i < 4; ++i)
    for (const char* part : named[i])
      EXPECT_NE(warnings[i].find(part), std::string::npos) << warnings[i];
}

// The shipped ChannelExchange.txt is the mapping an installation without one falls back on; a
// row that would clash with the depth, the friction ratio or another row is refused by line.
TEST(ChannelExchange, ShippedFileIsTheDefaultAndClashingRowsAreRefused) {
  std::vector<ExchangeColumn> read;
  ASSERT_EQ(parseExchangeColumns(readFixture("../../data/ChannelExchange.txt"), read), "");
  const std::vector<ExchangeColumn> shipped = defaultExchangeColumns();
  ASSERT_EQ(read.size(), shipped.size());
  for (std::size_t k = 0; k < read.size(); ++k) {
    EXPECT_EQ(read[k].type, shipped[k].type) << k;
    EXPECT_EQ(read[k].gefQuantity, shipped[k].gefQuantity) << k;
    EXPECT_EQ(read[k].gefUnit + read[k].gefName + read[k].agsHeading + read[k].agsUnit,
              shipped[k].gefUnit + shipped[k].gefName + shipped[k].agsHeading + shipped[k].agsUnit)
        << k;
    EXPECT_EQ(read[k].gefDecimals * 10 + read[k].agsDecimals,
              shipped[k].gefDecimals * 10 + shipped[k].agsDecimals)
        << k;
  }
  const std::string head =
      "\"Pelorin channel exchange file\",\"Format\",1\r\n\"Columns\",\"...\"\r\n";
  const std::pair<std::string, std::string> rows[] = {
      {"1\r\n1,2,\"MPa\",\"cone\",3,\"SCPT_RES\",\"MPa\",3\r\n", ""},
      {"1\r\n1,1,\"m\",\"depth\",3,\"\",\"\",0\r\n", "line 4: GEF quantity 1"},
      {"1\r\n1,4,\"%\",\"ratio\",2,\"\",\"\",0\r\n", "line 4: GEF quantity 4"},
      {"1\r\n1,105,\"MPa\",\"x\",3,\"\",\"\",0\r\n", "line 4: GEF quantity 105"},
      {"1\r\n1,2,\"MPa\",\"cone\",3,\"RES\",\"MPa\",3\r\n", "\"RES\" is no SCPT heading"},
      {"1\r\n1,2,\"MPa\",\"cone\",3,\"SCPT_FRR\",\"%\",2\r\n", "\"SCPT_FRR\" is no SCPT heading"},
      {"2\r\n1,2,\"MPa\",\"a\",3,\"\",\"\",0\r\n2,2,\"MPa\",\"b\",3,\"\",\"\",0\r\n",
       "line 5: the row of type 2 repeats"},
      {"2\r\n1,2,\"MPa\",\"a\",3,\"\",\"\",0\r\n1,3,\"MPa\",\"b\",3,\"\",\"\",0\r\n",
       "line 5: the row of type 1 repeats"},
      {"1\r\n21,2,\"MPa\",\"a\",3,\"\",\"\",0\r\n", "line 4: a row holds a channel type (1 to 20)"},
      {"2\r\n1,2,\"MPa\",\"a\",3,\"\",\"\",0\r\n", "the file ends within row 2"},
  };
  for (const auto& [body, problem] : rows) {
    std::vector<ExchangeColumn> columns = shipped;
    const std::string said = parseExchangeColumns(head + body, columns);
    if (problem.empty()) {
      EXPECT_EQ(said, "") << body;
      EXPECT_EQ(columns.size(), 1u);
    } else {
      EXPECT_NE(said.find(problem), std::string::npos) << body << said;
      EXPECT_EQ(columns.size(), shipped.size()) << "a refused file changes nothing";
    }
  }
}

}  // namespace
}  // namespace pelorin::test
