#include <gtest/gtest.h>

#include <memory>

#include "export/readings_table.hpp"
#include "test_support.hpp"

namespace pelorin {
namespace {

// Three readings, Qc without lag, Fs lagging by one with its marker at the end, a channel
// whose name needs quoting in CSV.
std::unique_ptr<Sounding> laggingSounding() {
  auto s = std::make_unique<Sounding>();
  s->NumChannels = 3;
  s->NumReadings = 3;
  s->ChannelType = {0, 1, 2, 6};
  s->ChannelName[1] = "Qc";
  s->ChannelName[2] = "Fs";
  s->ChannelName[3] = "Tilt, \"X\"";
  s->ChannelUnit = {0, 2, 1, 1};  // MPA, KPA, DEG
  s->ChannelLag[2] = 1;
  s->MaxLag = 1;
  const float depth[] = {0, 1.0f, 1.05f, 1.1f};
  const float qc[] = {0, 2.5f, 3.0f, 3.25f};
  const float fs[] = {0, 40.5f, 41.0f, NoValue};
  const float tilt[] = {0, 0.5f, NoValue, -0.25f};
  for (int n = 1; n <= 3; ++n) {
    s->Depth[n] = depth[n];
    s->Speed[n] = 2.0f;
    s->Reading[1][n] = qc[n];
    s->Reading[2][n] = fs[n];
    s->Reading[3][n] = tilt[n];
  }
  return s;
}

TEST(ReadingsTable, AlignsLaggingChannelsAndLeavesMissingValuesEmpty) {
  auto s = laggingSounding();
  const auto& defs = test::projectDefinitions();
  struct Case {
    TableStyle style;
    DepthUnit unit;
    const char* expected;
  } cases[] = {
      {TableStyle::CommaSeparated, DepthUnit::Metres,
       "Depth (m),Speed (cm/s),Qc (MPA),Fs (KPA),\"Tilt, \"\"X\"\" (DEG)\"\r\n"
       "1,2,2.5,,0.5\r\n"
       "1.05,2,3,40.5,\r\n"
       "1.1,2,3.25,41,-0.25\r\n"},
      {TableStyle::TabSeparated, DepthUnit::Feet,
       "Depth (ft)\tSpeed (cm/s)\tQc (MPA)\tFs (KPA)\tTilt, \"X\" (DEG)\n"
       "3.28084\t2\t2.5\t\t0.5\n"
       "3.4448817\t2\t3\t40.5\t\n"
       "3.608924\t2\t3.25\t41\t-0.25\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(readingsTable(*s, defs, c.unit, c.style), c.expected);
}

TEST(ReadingsTable, ChannelValueAtLooksBackByTheLag) {
  auto s = laggingSounding();
  EXPECT_EQ(channelValueAt(*s, 2, 1), NoValue);
  EXPECT_EQ(channelValueAt(*s, 2, 2), 40.5f);
  EXPECT_EQ(channelValueAt(*s, 1, 3), 3.25f);
}

}  // namespace
}  // namespace pelorin
