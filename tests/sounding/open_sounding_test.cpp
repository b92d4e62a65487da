// The unit each channel is shown in; what opening derives is checked by tests/cases.txt.

#include <gtest/gtest.h>

#include "sounding/units.hpp"
#include "sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

TEST(ChannelUnitChange, RescalesValuesAndDriftButNotTheRawOutputOrNoValue) {
  auto s = openCpt("sample_clay_002.cpt");  // Fs ends in five no-value markers
  ASSERT_TRUE(s);
  const auto before = std::make_unique<Sounding>(*s);
  changeChannelUnit(*s, projectDefinitions(), 1, 1);  // Qc from MPA to KPA
  changeChannelUnit(*s, projectDefinitions(), 2, 2);  // Fs from KPA to MPA
  EXPECT_FLOAT_EQ(s->Reading[1][1], before->Reading[1][1] * 1000);
  EXPECT_FLOAT_EQ(s->Reading[2][1], before->Reading[2][1] / 1000);
  EXPECT_FLOAT_EQ(s->BaselineDrift[2], before->BaselineDrift[2] / 1000);
  // The raw output, markers included, does not depend on the unit shown: only rows 6 and 7
  // change.
  std::string original = savedCpt(*before), changed = savedCpt(*s);
  auto readings = [](const std::string& file) { return file.substr(file.find("(m) (cm/s)")); };
  EXPECT_EQ(readings(changed), readings(original));
  EXPECT_NE(changed.find("KPA                 MPA                 KPA\r\n"
                         "                       1.00000000          0.00100000"),
            std::string::npos);

  s = openCpt("channel_type_without_definitions.cpt");  // type 19 keeps the file's factor
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ChannelFactor[2], 2.5f);
}

}  // namespace
}  // namespace pelorin::test
