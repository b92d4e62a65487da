#include "edit/start_depth.hpp"

#include <gtest/gtest.h>

#include "edit/edit_sounding.hpp"
#include "test_support.hpp"
#include "text/number_text.hpp"

namespace pelorin {
namespace {

using test::addChannel;
using test::makeSounding;

struct StartDepthCase {
  const char* name;
  float firstDepth;
  const char* typed;  // txtNewStartDepth as the user left it; nullptr: not edited
  DepthUnit unit;
  double expectedFirstDepth;    // metres
  const char* expectedCaption;  // the panel's caption at the next opening
};

// The shift is measured from the two-decimal caption, so the first depth keeps the
// decimals the caption does not show.
const StartDepthCase kStartDepthCases[] = {
    {"typed_2_from_1_234", 1.234f, "2", DepthUnit::Metres, 2.004, "2.00"},
    {"unedited_text_moves_nothing", 1.234f, nullptr, DepthUnit::Metres, 1.234, "1.23"},
    {"feet_grid_still_takes_metres", 1.234f, "2", DepthUnit::Feet, 2.004, "2.00"},
    {"empty_text_counts_as_0", 1.234f, "", DepthUnit::Metres, 0.004, "0.00"},
    {"text_without_number_counts_as_0", 5.0f, "abc", DepthUnit::Metres, 0.0, "0.00"},
    {"numeric_prefix_of_typed_text", 0.5f, " 3 .25 m", DepthUnit::Metres, 3.25, "3.25"},
    {"negative_start_depth_accepted", 0.5f, "-1.5", DepthUnit::Metres, -1.5, "-1.50"},
    {"caption_rounds_half_away", 0.125f, "1", DepthUnit::Metres, 0.995, "1.00"},
};

class StartDepthTest : public ::testing::TestWithParam<StartDepthCase> {};

TEST_P(StartDepthTest, MovesEveryDepthByTheSameShift) {
  const StartDepthCase& k = GetParam();
  const auto& defs = test::projectDefinitions();
  auto s = makeSounding(5, k.firstDepth, 0.05f);
  addChannel(*s, defs, 1, 2, 100000, {3.2f, -1.5f});
  s->Speed[3] = 12.5f;
  s->Depth[6] = 99.0f;  // a left-over past the last reading
  auto before = std::make_unique<Sounding>(*s);

  std::string caption = startDepthCaption(*s);
  std::string typed = k.typed ? k.typed : caption;
  ASSERT_TRUE(applyStartDepth(*s, caption, typed, k.unit));

  EXPECT_NEAR(s->Depth[1], k.expectedFirstDepth, 1e-6);
  EXPECT_EQ(startDepthCaption(*s), k.expectedCaption);
  for (int n = 2; n <= 5; ++n) {
    // Every reading keeps its distance from the first.
    EXPECT_NEAR(s->Depth[n] - s->Depth[1], before->Depth[n] - before->Depth[1], 1e-5) << n;
    EXPECT_EQ(s->Reading[0][n], displayDepth(s->Depth[n], k.unit)) << n;
  }
  EXPECT_EQ(s->Depth[6], 99.0f);
  EXPECT_EQ(s->Speed, before->Speed);
  EXPECT_EQ(s->Reading[1], before->Reading[1]);
  EXPECT_EQ(s->DepthIncrement, before->DepthIncrement);
  EXPECT_EQ(s->NumReadings, before->NumReadings);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartDepthTest, ::testing::ValuesIn(kStartDepthCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartDepth, ShiftIsRoundedToSingleBeforeItIsAdded) {
  // 0.77 as a float differs from 0.77 as a double; adding the double gives another float.
  auto s = makeSounding(1, 1.234f, 0.02f);
  applyStartDepth(*s, "1.23", "2", DepthUnit::Metres);
  EXPECT_EQ(s->Depth[1], toSingle(static_cast<double>(1.234f) + toSingle(2.0 - 1.23)));
}

TEST(StartDepth, NoSoundingOpenShowsZeroAndChangesNothing) {
  auto s = std::make_unique<Sounding>();
  EXPECT_EQ(startDepthCaption(*s), "0.00");
  EXPECT_TRUE(applyStartDepth(*s, "0.00", "7", DepthUnit::Metres));
  EXPECT_EQ(s->Depth[1], 0.0f);
  EXPECT_EQ(s->Reading[0][1], 0.0f);
}

TEST(StartDepth, ShiftBeyondTheFloatRangeChangesNothing) {
  auto s = makeSounding(3, 1.0f, 0.02f);
  s->Depth[3] = 3.0e38f;
  auto before = std::make_unique<Sounding>(*s);
  for (const char* typed : {"1e40", "1e999", "3e38"}) {
    EXPECT_FALSE(applyStartDepth(*s, "1.00", typed, DepthUnit::Metres)) << typed;
    EXPECT_EQ(s->Depth, before->Depth) << typed;
  }
}

}  // namespace
}  // namespace pelorin
