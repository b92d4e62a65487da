// The texts, speed colours and highlight of the readings grid.

#include "display/grid.hpp"

#include <gtest/gtest.h>

#include "sounding/sounding_fixtures.hpp"
#include "sounding/units.hpp"

namespace pelorin::test {
namespace {

TEST(Grid, SpeedAlarmFollowsTheShownValueAndDepthsTheDisplayUnit) {
  for (auto [speed, text, red] : {std::tuple{10.004f, "10.00", false},
                                  {10.01f, "10.01", true},
                                  {0.004f, ".00", true},
                                  {-0.004f, "-.00", true},
                                  {-0.5f, "-.50", false}}) {
    EXPECT_EQ(speedCellText(speed), text) << speed;
    EXPECT_EQ(speedIsAlarm(text), red) << speed;
  }
  EXPECT_EQ(depthCellText(displayDepth(3.048f, DepthUnit::Feet)), "10.00");
  EXPECT_EQ(depthCellText(0.004f), "0.00");  // a depth keeps its 0 before the point
}

TEST(Grid, RowsShowTheReadingsAroundTheCurrentOneUpToReading10000) {
  auto s = builtSounding(100, {0, 2});
  s->ChannelUnit[1] = 2;  // cone resistance in MPA, "##0.000"; sleeve friction in KPA, "##0.0"
  s->Reading[1][40] = NoValue;
  s->DataIndex = 50;
  s->CurrentRow = 20;
  GridRowTexts row;
  gridRowTexts(*s, projectDefinitions(), 1, row);  // reading 31
  EXPECT_TRUE(row.shown);
  EXPECT_EQ(row.depth + "|" + row.speed + "|" + row.channel[1] + "|" + row.channel[2] + "|" +
                row.channel[3],
            "2.50|3.10|131.000|231.0|");
  gridRowTexts(*s, projectDefinitions(), 10, row);  // reading 40: the marker is shown as is
  EXPECT_EQ(row.channel[1], "-32768.000");

  s->DataIndex = MaxReadings;  // row 20 shows reading 10,000, row 21 none
  gridRowTexts(*s, projectDefinitions(), 20, row);
  EXPECT_TRUE(row.shown);
  gridRowTexts(*s, projectDefinitions(), 21, row);
  EXPECT_FALSE(row.shown || row.alarm);
  EXPECT_EQ(row.depth + row.speed + row.channel[1], "");
}

TEST(Grid, HighlightMarksEachChannelAtItsLag) {
  for (auto [currentRow, channel2Row] : {std::pair{10, 7}, {4, 1}, {3, 0}}) {
    auto s = builtSounding(100, {0, 3});
    s->CurrentRow = static_cast<std::int16_t>(currentRow);
    Highlight h = currentHighlight(*s);
    EXPECT_EQ((std::vector{h.row, h.channelRow[1], h.channelRow[2], h.channelRow[3]}),
              (std::vector{currentRow, currentRow, channel2Row, 0}));
  }
}

}  // namespace
}  // namespace pelorin::test
