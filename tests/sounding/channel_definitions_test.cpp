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

}  // namespace
}  // namespace pelorin::test
