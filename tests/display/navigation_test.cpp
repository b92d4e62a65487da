// Up, Down, Delete, Insert and typed channel values on the model.

#include "display/navigation.hpp"

#include <gtest/gtest.h>

#include "display/display_sounding.hpp"

namespace pelorin::test {
namespace {

struct MoveCase {
  const char* name;
  int readings, maxLag, dataIndex, currentRow, key;
  GridStep::Kind kind;
  int row;  // the row to select, for SelectRow
  int dataIndexAfter;
};

TEST(Navigation, UpAndDownMoveTheCurrentReadingAndSayWhatTheGridDoes) {
  const MoveCase cases[] = {
      {"down in a middle row selects the next row", 100, 0, 5, 5, KeyDown, GridStep::SelectRow, 6, 6},
      {"down in row 24 scrolls", 100, 0, 40, 24, KeyDown, GridStep::Refresh, 0, 41},
      {"down on the last reading does nothing", 30, 0, 30, 24, KeyDown, GridStep::Nothing, 0, 30},
      {"up in a middle row selects the row above", 100, 0, 5, 5, KeyUp, GridStep::SelectRow, 4, 4},
      {"up in the first selectable row scrolls back", 100, 2, 30, 3, KeyUp, GridStep::Refresh, 0, 29},
      {"up on the first complete reading does nothing", 100, 2, 3, 3, KeyUp, GridStep::Nothing, 0, 3},
      {"other keys do nothing", 100, 0, 5, 5, 65, GridStep::Nothing, 0, 5},
      {"before any file, down does nothing", 0, 0, 0, 1, KeyDown, GridStep::Nothing, 0, 0},
      {"before any file, up does nothing", 0, 0, 0, 1, KeyUp, GridStep::Nothing, 0, 0},
      {"before any file, delete does nothing", 0, 0, 0, 1, KeyDelete, GridStep::Nothing, 0, 0},
      {"before any file, insert does nothing", 0, 0, 0, 1, KeyInsert, GridStep::Nothing, 0, 0},
  };
  for (const MoveCase& m : cases) {
    SCOPED_TRACE(m.name);
    auto s = displaySounding(m.readings, m.maxLag ? std::vector<int>{0, m.maxLag} : std::vector<int>{0});
    if (m.readings == 0) *s = Sounding{};
    s->DataIndex = m.dataIndex;
    s->CurrentRow = static_cast<std::int16_t>(m.currentRow);
    GridStep step = depthKey(*s, m.key);
    EXPECT_EQ(step.kind, m.kind);
    if (m.kind == GridStep::SelectRow) {
      EXPECT_EQ(step.row, m.row);
    }
    EXPECT_EQ(s->DataIndex, m.dataIndexAfter);
    EXPECT_EQ(s->CurrentRow, m.currentRow) << "the row moves only through the row selection";
  }
}

TEST(Navigation, RowSelectionStaysBetweenTheFirstCompleteReadingAndTheLastRow) {
  struct {
    int maxLag, requested, selected;
  } cases[] = {{0, 1, 1}, {3, 2, 4}, {3, 4, 4}, {0, 24, 24}, {30, 5, 24}, {0, 25, 24}};
  for (auto c : cases) {
    auto s = displaySounding(100, {0, c.maxLag});
    EXPECT_EQ(selectRow(*s, c.requested), c.selected) << c.maxLag << " " << c.requested;
    EXPECT_EQ(s->CurrentRow, c.selected);
  }
}

TEST(Navigation, DeleteRemovesSpeedAndChannelValuesAtTheirLagsButKeepsTheDepths) {
  auto s = displaySounding(10, {0, 3});
  s->DataIndex = 6;
  s->CurrentRow = 6;
  auto before = std::make_unique<Sounding>(*s);
  ASSERT_EQ(deleteCurrentReading(*s).kind, GridStep::Refresh);
  EXPECT_EQ(s->NumReadings, 9);
  EXPECT_EQ(s->DataIndex, 6);
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(s->Depth[n], before->Depth[n]) << n;
  // Channel 1 and the speed lose reading 6; channel 2's value of reading 6 stands at 3.
  for (int n = 1; n <= 9; ++n) {
    EXPECT_EQ(s->Speed[n], before->Speed[n < 6 ? n : n + 1]) << n;
    EXPECT_EQ(s->Reading[1][n], before->Reading[1][n < 6 ? n : n + 1]) << n;
    EXPECT_EQ(s->Reading[2][n], before->Reading[2][n < 3 ? n : n + 1]) << n;
  }
  // The lagging channel still ends in three markers.
  EXPECT_NE(s->Reading[2][6], NoValue);
  for (int n = 7; n <= 9; ++n) EXPECT_EQ(s->Reading[2][n], NoValue) << n;
}

TEST(Navigation, DeleteOnTheLastReadingLeavesTheCurrentReadingPastTheEnd) {
  auto s = displaySounding(10, {0});
  s->DataIndex = 10;
  s->CurrentRow = 10;
  ASSERT_EQ(depthKey(*s, KeyDelete).kind, GridStep::Refresh);
  EXPECT_EQ(s->NumReadings, 9);
  EXPECT_EQ(s->DataIndex, 10);
  EXPECT_EQ(depthKey(*s, KeyDown).kind, GridStep::Nothing);
  EXPECT_EQ(depthKey(*s, KeyDelete).kind, GridStep::Nothing);
  EXPECT_EQ(s->NumReadings, 9);
  EXPECT_EQ(depthKey(*s, KeyUp).kind, GridStep::SelectRow);
  EXPECT_EQ(s->DataIndex, 9);
}

TEST(Navigation, InsertRepeatsTheReadingTwoAboveAndContinuesTheDepths) {
  auto s = displaySounding(10, {0, 3}, 1.0f, 0.05f);
  s->Depth[4] = 1.2f;  // an irregular step before the current reading
  s->DataIndex = 6;
  s->CurrentRow = 6;
  auto before = std::make_unique<Sounding>(*s);
  ASSERT_EQ(insertReading(*s).kind, GridStep::Refresh);
  EXPECT_EQ(s->NumReadings, 11);
  EXPECT_EQ(s->DataIndex, 6);
  // Speed and channel 1: positions up to 4 stay, 4 stands twice, later ones move down.
  for (int n = 1; n <= 11; ++n) {
    int from = n <= 4 ? n : n - 1;
    EXPECT_EQ(s->Speed[n], before->Speed[from]) << n;
    EXPECT_EQ(s->Reading[1][n], before->Reading[1][from]) << n;
  }
  // Channel 2 is stored three places early: position 1 stands twice.
  for (int n = 1; n <= 10; ++n) {
    int from = n <= 1 ? n : n - 1;
    EXPECT_EQ(s->Reading[2][n], before->Reading[2][from]) << n;
  }
  EXPECT_EQ(s->Reading[2][11], NoValue) << "a lagging channel has no value at the new end";
  EXPECT_EQ(s->Reading[1][11], before->Reading[1][10]) << "a channel without lag keeps its value";
  // Depths up to 4 stay; from 5 on each is the old depth above plus the increment.
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(s->Depth[n], before->Depth[n]) << n;
  for (int n = 5; n <= 11; ++n)
    EXPECT_EQ(s->Depth[n], toSingle(static_cast<double>(before->Depth[n - 1]) + 0.05f)) << n;
}

TEST(Navigation, KeysThatWouldReachOutsideTheTableAreIgnored) {
  struct {
    const char* name;
    int readings, lag, dataIndex, key;
  } cases[] = {
      {"insert on the first complete reading", 50, 3, 4, KeyInsert},
      {"insert on the first reading without lag", 50, 0, 1, KeyInsert},
      {"insert with 10,000 readings", MaxReadings, 0, 100, KeyInsert},
      {"delete with 10,000 readings", MaxReadings, 0, 100, KeyDelete},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.name);
    auto s = displaySounding(c.readings, {0, c.lag});
    s->DataIndex = c.dataIndex;
    s->CurrentRow = static_cast<std::int16_t>(std::min(c.dataIndex, GridRows));
    auto before = std::make_unique<Sounding>(*s);
    EXPECT_EQ(depthKey(*s, c.key).kind, GridStep::Nothing);
    EXPECT_EQ(s->NumReadings, before->NumReadings);
    EXPECT_EQ(s->Speed, before->Speed);
    EXPECT_EQ(s->Reading, before->Reading);
    EXPECT_EQ(s->Depth, before->Depth);
  }
  // One reading later the insert works.
  auto s = displaySounding(50, {0, 3});
  s->DataIndex = 5;
  s->CurrentRow = 5;
  EXPECT_EQ(depthKey(*s, KeyInsert).kind, GridStep::Refresh);
}

TEST(Navigation, ATypedChannelValueIsTheNumericPrefixOfTheTextBeforeTheKey) {
  struct {
    const char* text;
    bool stored;
    float value;
  } cases[] = {
      {"12.5", true, 12.5f},  {"12.", true, 12.0f},     {" 1 2.5 ", true, 12.5f},
      {"abc", true, 0.0f},    {"", true, 0.0f},          {"-3e2kPa", true, -300.0f},
      {"0.1", true, 0.1f},    {"1e39", false, 0.0f},     {"-32768", true, NoValue},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.text);
    auto s = displaySounding(100, {0, 0});
    s->DataIndex = 30;
    s->CurrentRow = 24;
    float old = s->Reading[2][10];
    // Row 4 of the grid shows reading 30 - 24 + 4 = 10.
    EXPECT_EQ(setChannelValueFromText(*s, 2, 4, c.text), c.stored);
    EXPECT_EQ(s->Reading[2][10], c.stored ? c.value : old);
    EXPECT_EQ(s->Reading[1][10], toSingle(110.0)) << "other channels are untouched";
  }
}

TEST(Navigation, AChannelKeyOnARowPastReading10000IsIgnored) {
  auto s = displaySounding(MaxReadings, {0});
  s->DataIndex = MaxReadings;
  s->CurrentRow = 10;
  EXPECT_TRUE(setChannelValueFromText(*s, 1, 10, "5"));
  EXPECT_EQ(s->Reading[1][MaxReadings], 5.0f);
  EXPECT_FALSE(setChannelValueFromText(*s, 1, 11, "5"));
}

TEST(Navigation, GoToReadingMovesAsUpAndDownWould) {
  auto s = displaySounding(200, {0, 2});
  std::string problem;
  ASSERT_TRUE(goToReading(*s, 50, problem)) << problem;
  EXPECT_EQ(s->DataIndex, 50);
  EXPECT_EQ(s->CurrentRow, 24) << "the highlight went down to row 24 and the grid scrolled";
  ASSERT_TRUE(goToReading(*s, 40, problem)) << problem;
  EXPECT_EQ(s->CurrentRow, 14);
  ASSERT_TRUE(goToReading(*s, 3, problem)) << problem;
  EXPECT_EQ(s->CurrentRow, 3);
  EXPECT_FALSE(goToReading(*s, 2, problem)) << "above the first complete reading";
  EXPECT_NE(problem.find("readings 3 to 200"), std::string::npos) << problem;
  EXPECT_FALSE(goToReading(*s, 201, problem));
  EXPECT_EQ(s->DataIndex, 3);
}

}  // namespace
}  // namespace pelorin::test
