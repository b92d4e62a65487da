#include "edit/depth_increment.hpp"

#include <gtest/gtest.h>

#include "edit/edit_sounding.hpp"
#include "sounding/units.hpp"
#include "test_support.hpp"
#include "text/number_text.hpp"

namespace pelorin {
namespace {

using test::addChannel;
using test::makeSounding;

struct StepCase {
  const char* name;
  float increment;                  // the sounding's DepthIncrement
  const char* presses;              // '+' INCREASE, '-' DECREASE
  std::vector<const char*> labels;  // lblNewIncrement after each press; "" when unchanged
};

const StepCase kStepCases[] = {
    {"three_increases_from_0_020", 0.020f, "+++", {"0.025", "0.030", "0.035"}},
    {"decrease_stops_at_0_005", 0.015f, "---+", {"0.010", "0.005", "", "0.010"}},
    {"decrease_below_one_step_does_nothing", 0.004f, "--", {"", ""}},
    {"decrease_from_just_above_one_step", 0.0051f, "--", {"0.000", ""}},
    // An increment derived a little above 0.020 stays a little above each step, so a
    // fourth DECREASE still finds it above 0.005.
    {"decrease_from_just_above_0_020",
     0.020000001f,
     "-----",
     {"0.015", "0.010", "0.005", "0.000", ""}},
    {"increase_from_zero_increment", 0.0f, "++-", {"0.005", "0.010", "0.005"}},
};

class IncrementStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(IncrementStepTest, LabelFollowsEachPress) {
  const StepCase& k = GetParam();
  auto s = makeSounding(3, 1.0f, k.increment);
  DepthIncrementChoice choice;
  std::string opened = openDepthIncrement(*s, choice);
  EXPECT_EQ(opened, incrementCaption(k.increment));
  ASSERT_EQ(std::string(k.presses).size(), k.labels.size());
  for (std::size_t i = 0; k.presses[i]; ++i) {
    float before = choice.NewIncrement;
    if (k.presses[i] == '+') {
      EXPECT_EQ(increaseIncrement(choice), k.labels[i]) << "press " << i;
    } else {
      auto label = decreaseIncrement(choice);
      if (*k.labels[i] == '\0') {
        EXPECT_FALSE(label) << "press " << i;
        EXPECT_EQ(choice.NewIncrement, before) << "press " << i;
      } else {
        ASSERT_TRUE(label) << "press " << i;
        EXPECT_EQ(*label, k.labels[i]) << "press " << i;
      }
    }
  }
  EXPECT_EQ(s->DepthIncrement, k.increment);  // only OK changes the sounding
}

INSTANTIATE_TEST_SUITE_P(Cases, IncrementStepTest, ::testing::ValuesIn(kStepCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DepthIncrement, ThreeIncreasesAndOkScaleAbout0mBy1_75) {
  const auto& defs = test::projectDefinitions();
  auto s = makeSounding(4, 2.0f, 0.020f);
  addChannel(*s, defs, 1, 2, 100000, {3.2f, -1.5f, -32768.0f, 0.4f});
  s->Speed[2] = 4.0f;
  applyDisplayDepths(*s, DepthUnit::Feet);  // the feet column scales with the metres
  auto before = std::make_unique<Sounding>(*s);

  DepthIncrementChoice choice;
  openDepthIncrement(*s, choice);
  for (int i = 0; i < 3; ++i) increaseIncrement(choice);
  ASSERT_TRUE(applyDepthIncrement(*s, choice));

  // 0.035 over 0.020 comes out as exactly 1.75 in single precision; scaling by the
  // unrounded double quotient would move 2.02 m to 3.5350001 instead of 3.5349998.
  EXPECT_EQ(choice.IncrementRatio, 1.75f);
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(s->Depth[n], toSingle(before->Depth[n] * 1.75)) << n;
    EXPECT_EQ(s->Speed[n], toSingle(before->Speed[n] * 1.75)) << n;
    EXPECT_EQ(s->Reading[0][n], toSingle(before->Reading[0][n] * 1.75)) << n;
  }
  EXPECT_EQ(s->Depth[2], 3.53499985f);
  EXPECT_EQ(s->Reading[1], before->Reading[1]);  // channel values untouched
  EXPECT_EQ(s->DepthIncrement, choice.NewIncrement);
  EXPECT_EQ(openDepthIncrement(*s, choice), "0.035");
  EXPECT_EQ(choice.NewIncrement, s->DepthIncrement);
}

TEST(DepthIncrement, OkWithoutStepsKeepsEveryValue) {
  auto s = makeSounding(50, 1.23f, 0.0217f);
  s->Speed[7] = 1.7f;
  auto before = std::make_unique<Sounding>(*s);
  DepthIncrementChoice choice;
  openDepthIncrement(*s, choice);
  ASSERT_TRUE(applyDepthIncrement(*s, choice));
  EXPECT_EQ(choice.IncrementRatio, 1.0f);
  EXPECT_EQ(s->Depth, before->Depth);
  EXPECT_EQ(s->Speed, before->Speed);
  EXPECT_EQ(s->Reading[0], before->Reading[0]);
}

TEST(DepthIncrement, OkWithoutAnIncrementChangesNothing) {
  // No sounding open, and a sounding whose increment came out as 0.
  auto empty = std::make_unique<Sounding>();
  auto flat = makeSounding(3, 1.0f, 0.0f);
  for (Sounding* s : {empty.get(), flat.get()}) {
    auto before = std::make_unique<Sounding>(*s);
    DepthIncrementChoice choice;
    EXPECT_EQ(openDepthIncrement(*s, choice), "0.000");
    increaseIncrement(choice);
    EXPECT_FALSE(applyDepthIncrement(*s, choice));
    EXPECT_EQ(s->DepthIncrement, 0.0f);
    EXPECT_EQ(s->Depth, before->Depth);
    EXPECT_EQ(s->Speed, before->Speed);
    EXPECT_EQ(s->Reading[0], before->Reading[0]);
  }
}

TEST(DepthIncrement, ScalingBeyondTheFloatRangeChangesNothing) {
  // A ratio that is itself infinite, and a finite ratio that overflows one depth.
  for (float increment : {1e-42f, 1e-38f}) {
    auto s = makeSounding(3, 1.0f, increment);
    s->Depth[3] = 1.0e4f;
    auto before = std::make_unique<Sounding>(*s);
    DepthIncrementChoice choice;
    openDepthIncrement(*s, choice);
    increaseIncrement(choice);
    EXPECT_FALSE(applyDepthIncrement(*s, choice)) << increment;
    EXPECT_EQ(s->Depth, before->Depth) << increment;
    EXPECT_EQ(s->Speed, before->Speed) << increment;
    EXPECT_EQ(s->DepthIncrement, before->DepthIncrement) << increment;
  }
}

}  // namespace
}  // namespace pelorin
