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

TEST(DepthIncrement, OkChangesNothingBeyondTheFloatRange) {
  // A ratio that is itself infinite; a finite ratio that overflows a depth.
  for (float increment : {1e-42f, 1e-38f}) {
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
