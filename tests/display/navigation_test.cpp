// Up, Down, Delete, Insert and typed channel values on the model.

#include "display/navigation.hpp"

#include <gtest/gtest.h>

#include "sounding/sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

// `readings` readings, channel 2 lagging by `lag`, reading dataIndex current in currentRow.
std::unique_ptr<Sounding> at(int readings, int lag, int dataIndex, int currentRow) {
  auto s = builtSounding(readings, {0, lag});
  s->DataIndex = dataIndex;
  s->CurrentRow = static_cast<std::int16_t>(currentRow);
  return s;
}

TEST(Navigation, KeysMoveTheCurrentReadingAndSayWhatTheGridDoes) {
  struct {
    int readings, lag, dataIndex, currentRow, key;
    GridStep::Kind kind;
    int row, dataIndexAfter;  // row: the row to select
  } cases[] = {
      {100, 0, 5, 5, KeyDown, GridStep::SelectRow, 6, 6},
      {100, 0, 40, 24, KeyDown, GridStep::Refresh, 0, 41},  // row 24 scrolls
      {30, 0, 30, 24, KeyDown, GridStep::Nothing, 0, 30},   // the last reading
      {100, 0, 5, 5, KeyUp, GridStep::SelectRow, 4, 4},
      {100, 2, 30, 3, KeyUp, GridStep::Refresh, 0, 29},  // the first selectable row scrolls
      {100, 2, 3, 3, KeyUp, GridStep::Nothing, 0, 3},    // the first complete reading
      {100, 0, 5, 5, 65, GridStep::Nothing, 0, 5},       // any other key
      // Insert on the first complete reading, Insert or Delete with 10,000 readings: the
      // table would be reached outside. One reading later Insert works.
      {50, 3, 4, 4, KeyInsert, GridStep::Nothing, 0, 4},
      {50, 3, 5, 5, KeyInsert, GridStep::Refresh, 0, 5},
      {MaxReadings, 0, 100, 24, KeyInsert, GridStep::Nothing, 0, 100},
      {MaxReadings, 0, 100, 24, KeyDelete, GridStep::Nothing, 0, 100},
  };
  for (const auto& m : cases) {
    auto s = at(m.readings, m.lag, m.dataIndex, m.currentRow);
    GridStep step = depthKey(*s, m.key);  // the row moves only through the row selection
    EXPECT_EQ((std::vector<int>{step.kind, step.row, s->DataIndex, s->CurrentRow}),
              (std::vector<int>{m.kind, m.row, m.dataIndexAfter, m.currentRow}))
        << m.key << " at " << m.dataIndex;
    if (m.kind == GridStep::Nothing) {
      EXPECT_EQ(s->NumReadings, m.readings);
    }
  }
  for (int key : {KeyUp, KeyDown, KeyDelete, KeyInsert})  // before any file
    EXPECT_EQ(depthKey(*std::make_unique<Sounding>(), key).kind, GridStep::Nothing) << key;
  for (auto [lag, requested, selected] : {std::tuple{3, 2, 4}, {3, 4, 4}, {30, 5, 24}, {0, 25, 24}})
    EXPECT_EQ(selectRow(*at(100, lag, 50, 10), requested), selected) << lag << " " << requested;
}

// What Delete and Insert do to the readings is checked by tests/cases.txt.
TEST(Navigation, DeleteOnTheLastReadingLeavesTheCurrentReadingPastTheEnd) {
  auto s = at(10, 3, 10, 10);
  ASSERT_EQ(deleteCurrentReading(*s).kind, GridStep::Refresh);
  EXPECT_EQ(depthKey(*s, KeyDown).kind, GridStep::Nothing);
  EXPECT_EQ(depthKey(*s, KeyDelete).kind, GridStep::Nothing);
  EXPECT_EQ(s->NumReadings, 9);
  EXPECT_EQ(depthKey(*s, KeyUp).kind, GridStep::SelectRow);
  EXPECT_EQ(s->DataIndex, 9);
}

TEST(Navigation, ATypedChannelValueIsTheNumericPrefixOfTheTextBeforeTheKey) {
  auto s = at(100, 0, 30, 24);  // row 4 shows reading 30 - 24 + 4 = 10
  for (auto [text, value] :
       {std::pair{" 1 2.5 ", 12.5f}, {"abc", 0.0f}, {"-3e2kPa", -300.0f}, {"-32768", NoValue}}) {
    auto typed = typedChannelValue(*s, 4, text);
    ASSERT_TRUE(typed) << text;
    EXPECT_EQ(typed->reading, 10);
    EXPECT_EQ(typed->value, value) << text;
  }
  EXPECT_FALSE(typedChannelValue(*s, 4, "1e39")) << "beyond the float range";
  s = at(MaxReadings, 0, MaxReadings, 10);
  EXPECT_EQ(typedChannelValue(*s, 10, "5")->reading, MaxReadings);
  EXPECT_FALSE(typedChannelValue(*s, 11, "5")) << "past reading 10,000";
}

TEST(Navigation, GoToReadingMovesAsUpAndDownWould) {
  auto s = builtSounding(200, {0, 2});
  for (auto [n, row] : {std::pair{50, 24}, {40, 14}, {3, 3}}) {
    ASSERT_TRUE(goToReading(*s, n));
    EXPECT_EQ(s->DataIndex, n);
    EXPECT_EQ(s->CurrentRow, row) << n;
  }
  Outcome above = goToReading(*s, 2);  // above the first complete reading
  EXPECT_NE(above.message.find("readings 3 to 200"), std::string::npos) << above.message;
  EXPECT_FALSE(goToReading(*s, 201));
  EXPECT_EQ(s->DataIndex, 3);
}

}  // namespace
}  // namespace pelorin::test
