// The texts, speed colours and highlight of the readings grid.

#include "display/grid.hpp"

#include <gtest/gtest.h>

#include "display/display_sounding.hpp"
#include "sounding/units.hpp"
#include "test_support.hpp"

namespace pelorin::test {
namespace {

TEST(Grid, SpeedCellTextAndAlarmFollowTheShownValue) {
  struct {
    float speed;
    const char* text;
    bool red;
  } cases[] = {
      {10.0f, "10.00", false}, {10.01f, "10.01", true}, {0.004f, ".00", true},
      {10.004f, "10.00", false}, {-0.5f, "-.50", false}, {0.0f, ".00", true},
      {2.0f, "2.00", false},     {150.0f, "150.00", true}, {-0.004f, ".00", true},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.speed);
    std::string text = speedCellText(c.speed);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(speedIsAlarm(text), c.red);
  }
}

TEST(Grid, DepthCellsShowTheDisplayDepth) {
  struct {
    float metres;
    DepthUnit unit;
    const char* text;
  } cases[] = {
      {3.048f, DepthUnit::Feet, "10.00"}, {3.048f, DepthUnit::Metres, "3.05"},
      {0.0f, DepthUnit::Metres, "0.00"},  {123.456f, DepthUnit::Metres, "123.46"},
      {1.5f, DepthUnit::Metres, "1.50"},
  };
  for (auto c : cases) EXPECT_EQ(depthCellText(displayDepth(c.metres, c.unit)), c.text);
}

TEST(Grid, RowsShowTheReadingsAroundTheCurrentOne) {
  const ChannelDefinitions& defs = projectDefinitions();
  auto s = displaySounding(100, {0, 2});
  s->ChannelUnit[1] = 2;  // cone resistance in MPA, "##0.000"
  s->Reading[1][40] = NoValue;
  s->DataIndex = 50;
  s->CurrentRow = 20;
  GridRowTexts row;
  gridRowTexts(*s, defs, 1, row);  // reading 31
  EXPECT_TRUE(row.shown);
  EXPECT_EQ(row.depth, "2.50");
  EXPECT_EQ(row.speed, "3.10");
  EXPECT_EQ(row.channel[1], "131.000");
  EXPECT_EQ(row.channel[2], "231.0") << "sleeve friction in KPA, ##0.0";
  gridRowTexts(*s, defs, 10, row);  // reading 40
  EXPECT_EQ(row.channel[1], "-32768.000") << "the no-value marker is shown as a number";
  EXPECT_TRUE(row.channel[3].empty()) << "no text for channels the sounding does not have";
}

TEST(Grid, RowsPastReading10000AreEmpty) {
  auto s = displaySounding(MaxReadings, {0});
  s->DataIndex = MaxReadings;
  s->CurrentRow = 20;
  GridRowTexts row;
  gridRowTexts(*s, projectDefinitions(), 20, row);
  EXPECT_TRUE(row.shown);
  gridRowTexts(*s, projectDefinitions(), 21, row);
  EXPECT_FALSE(row.shown);
  EXPECT_EQ(row.depth, "");
  EXPECT_EQ(row.speed, "");
  EXPECT_EQ(row.channel[1], "");
  EXPECT_FALSE(row.alarm);
}

TEST(Grid, HighlightMarksEachChannelAtItsLag) {
  struct {
    int currentRow;
    int channel2Row;
  } cases[] = {{10, 7}, {4, 1}, {3, 0}, {24, 21}};
  for (auto c : cases) {
    auto s = displaySounding(100, {0, 3});
    s->CurrentRow = static_cast<std::int16_t>(c.currentRow);
    Highlight h = currentHighlight(*s);
    EXPECT_EQ(h.row, c.currentRow);
    EXPECT_EQ(h.channelRow[1], c.currentRow);
    EXPECT_EQ(h.channelRow[2], c.channel2Row) << "row " << c.currentRow;
    EXPECT_EQ(h.channelRow[3], 0);
  }
}

}  // namespace
}  // namespace pelorin::test
