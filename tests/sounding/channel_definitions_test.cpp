// Loading the channel definition files Channel1.txt ... Channel20.txt.

#include <gtest/gtest.h>

#include <fstream>

#include "sounding/channel_definitions.hpp"
#include "test_support.hpp"

namespace pelorin::test {
namespace {

// Thirteen descriptive items (one of them quoted with a comma inside), then the count.
std::string definition(const std::string& countAndOptions) {
  return "\"Pelorin channel definition file\",\"Format\",1\r\n"
         "\"Channel type\",4\r\n\"Name\",\"Pore pressure, shoulder\"\r\n\"Symbol\",\"U1\"\r\n"
         "\"Base unit\",\"KPA\"\r\n\"Unit options\",\"name, pattern, factor\"\r\n" +
         countAndOptions;
}

void writeFile(const std::string& folder, int type, const std::string& bytes) {
  std::ofstream(folder + "/Channel" + std::to_string(type) + ".txt", std::ios::binary) << bytes;
}

TEST(ChannelDefinitions, ProjectFilesLoadWithoutWarnings) {
  std::vector<std::string> warnings;
  ChannelDefinitions defs = loadChannelDefinitions(dataPath(""), warnings);
  EXPECT_TRUE(warnings.empty()) << warnings.front();
  EXPECT_EQ(defs.UnitCount[1], 6);
  EXPECT_EQ(defs.UnitName[1][2], "MPA");
  EXPECT_EQ(defs.UnitFormat[1][2], "##0.000");
  EXPECT_EQ(defs.UnitFactor[1][2], 0.001f);
  EXPECT_EQ(defs.UnitName[8][1], "DEG C");
  EXPECT_EQ(defs.UnitCount[11], 0);  // no Channel11.txt
}

TEST(ChannelDefinitions, WhatEachFileGivesItsType) {
  std::string folder = temporaryFolder();
  // Type 1 and 2 only: every other type is missing and has no options.
  writeFile(folder, 1, definition("1\r\n\"KPA\",\"####0\",1\r\n"));
  // A count of 0 gives no options, whatever follows.
  writeFile(folder, 2, definition("0\r\n\"KPA\",\"####0\",1\r\n"));
  // A count of 3 reads nine items; the tenth and later are not read.
  writeFile(folder, 3,
            definition("3\r\n\"KPA\",\"###0.0\",1\r\n\"BAR\",\"##0.000\",0.01\r\n"
                       "\"PSI\",\"##0.00\",0.14503774\r\n\"MPA\",\"#0.0000\",0.001\r\n"));
  // Too short for its count, and a count above 10: skipped with a warning naming the file.
  writeFile(folder, 4, definition("2\r\n\"KPA\",\"###0.0\",1\r\n\"BAR\",\"##0.000\"\r\n"));
  std::string eleven = "11\r\n";
  for (int u = 1; u <= 11; ++u) eleven += "\"U" + std::to_string(u) + "\",\"0.0\",1\r\n";
  writeFile(folder, 5, definition(eleven));
  writeFile(folder, 6, "\"Pelorin channel definition file\"\r\n");

  std::vector<std::string> warnings;
  ChannelDefinitions defs = loadChannelDefinitions(folder, warnings);
  EXPECT_EQ(defs.UnitCount[1], 1);
  EXPECT_EQ(defs.UnitCount[2], 0);
  EXPECT_EQ(defs.UnitName[2][1], "");
  ASSERT_EQ(defs.UnitCount[3], 3);
  EXPECT_EQ(defs.UnitName[3][3], "PSI");
  EXPECT_EQ(defs.UnitFormat[3][3], "##0.00");
  EXPECT_EQ(defs.UnitFactor[3][3], 0.14503774f);
  EXPECT_EQ(defs.UnitName[3][4], "");
  for (int type : {4, 5, 6, 7, 20}) {
    EXPECT_EQ(defs.UnitCount[type], 0) << type;
    EXPECT_EQ(defs.UnitName[type][1], "") << type;
  }
  ASSERT_EQ(warnings.size(), 3u);
  for (std::size_t i = 0; i < warnings.size(); ++i)
    EXPECT_NE(warnings[i].find("Channel" + std::to_string(i + 4) + ".txt"), std::string::npos)
        << warnings[i];
}

}  // namespace
}  // namespace pelorin::test
