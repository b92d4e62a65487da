#include "export/readings_table.hpp"

#include <gtest/gtest.h>

#include "edit/sounding_builder.hpp"

namespace pelorin {
namespace {

// Qc in MPA without lag, Fs in KPA lagging by one with its marker at the end, and an
// inclination whose name needs quoting in CSV, with no value at reading 2.
TEST(ReadingsTable, AlignsLaggingChannelsAndLeavesMissingValuesEmpty) {
  auto s = test::makeSounding({1.0f, 1.05f, 1.1f});
  test::addChannel(*s, 1, {2.5f, 3.0f, 3.25f}, 2);
  test::addChannel(*s, 2, {40.5f, 41.0f, NoValue});
  test::addChannel(*s, 6, {0.5f, NoValue, -0.25f});
  s->ChannelName = {"", "Qc", "Fs", "Tilt, \"X\""};
  s->ChannelLag[2] = 1;
  EXPECT_EQ(
      readingsTable(*s, test::projectDefinitions(), DepthUnit::Metres, TableStyle::CommaSeparated),
      "Depth (m),Speed (cm/s),Qc (MPA),Fs (KPA),\"Tilt, \"\"X\"\" (DEG)\"\r\n"
      "1,2,2.5,,0.5\r\n"
      "1.05,2,3,40.5,\r\n"
      "1.1,2,3.25,41,-0.25\r\n");
  EXPECT_EQ(
      readingsTable(*s, test::projectDefinitions(), DepthUnit::Feet, TableStyle::TabSeparated),
      "Depth (ft)\tSpeed (cm/s)\tQc (MPA)\tFs (KPA)\tTilt, \"X\" (DEG)\n"
      "3.28084\t2\t2.5\t\t0.5\n"
      "3.4448817\t2\t3\t40.5\t\n"
      "3.608924\t2\t3.25\t41\t-0.25\n");
}

}  // namespace
}  // namespace pelorin
