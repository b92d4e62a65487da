#include "edit/depth_increment.hpp"

#include <gtest/gtest.h>

#include "edit/sounding_builder.hpp"
#include "text/number_text.hpp"

namespace pelorin {
namespace {

using test::makeSounding;

TEST(DepthIncrement, LabelFollowsEachPress) {
  struct Case {
    float increment;                  // the sounding's DepthIncrement
    const char* presses;              // '+' INCREASE, '-' DECREASE
    std::vector<const char*> labels;  // lblNewIncrement after each press; "" when unchanged
  };
  const Case cases[] = {
      {0.015f, "---+", {"0.010", "0.005", "", "0.010"}},
      {0.0051f, "--", {"0.000", ""}},
      // A little above 0.020 stays a little above each step: a fourth DECREASE still works.
      {0.020000001f, "-----", {"0.015", "0.010", "0.005", "0.000", ""}},
      {0.0f, "++-", {"0.005", "0.010", "0.005"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.presses + std::string(" from ") + std::to_string(k.increment));
    auto s = makeSounding(3, 1.0f, k.increment);
    DepthIncrementChoice choice;
    EXPECT_EQ(openDepthIncrement(*s, choice), incrementCaption(k.increment));
    for (std::size_t i = 0; i < k.labels.size(); ++i) {
      float before = choice.NewIncrement;
      std::optional<std::string> label = k.presses[i] == '+'
                                             ? std::optional(increaseIncrement(choice))
                                             : decreaseIncrement(choice);
      EXPECT_EQ(label.value_or(""), k.labels[i]) << "press " << i;
      if (!label) {
        EXPECT_EQ(choice.NewIncrement, before) << "press " << i;
      }
    }
    EXPECT_EQ(s->DepthIncrement, k.increment);  // only OK changes the sounding
  }
}

TEST(DepthIncrement, ThreeIncreasesAndOkScaleAbout0mBy1_75) {
  auto s = makeSounding(4, 2.0f, 0.020f);
  test::addChannel(*s, 1, {3.2f});
  s->Speed[2] = 4.0f;
  applyDisplayDepths(*s, DepthUnit::Feet);  // the feet column scales with the metres
  auto before = std::make_unique<Sounding>(*s);

  DepthIncrementChoice choice;
  openDepthIncrement(*s, choice);
  for (int i = 0; i < 3; ++i) increaseIncrement(choice);
  ASSERT_TRUE(applyDepthIncrement(*s, choice));

  // 0.035 over 0.020 is exactly 1.75 in single precision; scaling by the unrounded double
  // quotient would move 2.02 m to 3.5350001 instead of 3.5349998.
  EXPECT_EQ(choice.IncrementRatio, 1.75f);
  EXPECT_EQ(s->Depth[2], 3.53499985f);
  EXPECT_EQ(s->Depth[4], 3.6050000f);
  EXPECT_EQ(s->Speed[2], 7.0f);
  EXPECT_EQ(s->Reading[0][2], toSingle(before->Reading[0][2] * 1.75));
  EXPECT_EQ(s->Reading[1], before->Reading[1]);  // channel values untouched
  EXPECT_EQ(s->DepthIncrement, choice.NewIncrement);
  EXPECT_EQ(openDepthIncrement(*s, choice), "0.035");
}

TEST(DepthIncrement, OkChangesNothingWithoutAnIncrementOrBeyondTheFloatRange) {
  // No increment; a ratio that is itself infinite; a finite ratio that overflows a depth.
  for (float increment : {0.0f, 1e-42f, 1e-38f}) {
    SCOPED_TRACE(increment);
    auto s = makeSounding(3, 1.0f, increment);
    s->Depth[3] = 1.0e4f;
    auto before = std::make_unique<Sounding>(*s);
    DepthIncrementChoice choice;
    openDepthIncrement(*s, choice);
    increaseIncrement(choice);
    EXPECT_FALSE(applyDepthIncrement(*s, choice));
    EXPECT_EQ(s->Depth, before->Depth);
    EXPECT_EQ(s->Speed, before->Speed);
    EXPECT_EQ(s->DepthIncrement, increment);
  }
}

}  // namespace
}  // namespace pelorin
