#include "edit/start_depth.hpp"

#include <gtest/gtest.h>

#include "edit/sounding_builder.hpp"

namespace pelorin {
namespace {

using test::makeSounding;

// The shift is measured from the two-decimal caption, so the first depth keeps the
// decimals the caption does not show; it is rounded to single precision before it is added.
TEST(StartDepth, MovesEveryDepthByTheShiftFromTheCaption) {
  struct Case {
    float firstDepth;
    const char* typed;  // as the user left the box
    DepthUnit unit;
    float expectedFirstDepth;     // metres
    const char* expectedCaption;  // at the next opening
  };
  const Case cases[] = {
      {1.234f, "2", DepthUnit::Metres, 2.00399995f, "2.00"},
      {1.234f, "2", DepthUnit::Feet, 2.00399995f, "2.00"},
      // An added double shift of -1.23 would give 0.00399996759.
      {1.234f, "", DepthUnit::Metres, 0.0039999485f, "0.00"},
      {0.5f, "-1.5", DepthUnit::Metres, -1.5f, "-1.50"},
      {0.125f, "1", DepthUnit::Metres, 0.995000005f, "1.00"},  // caption 0.13: half away
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.firstDepth) + " " + k.typed);
    auto s = makeSounding(5, k.firstDepth, 0.05f);
    s->Depth[6] = 99.0f;  // a left-over past the last reading
    auto before = std::make_unique<Sounding>(*s);

    ASSERT_TRUE(applyStartDepth(*s, startDepthCaption(*s), k.typed, k.unit));
    EXPECT_EQ(s->Depth[1], k.expectedFirstDepth);
    EXPECT_EQ(startDepthCaption(*s), k.expectedCaption);
    for (int n = 2; n <= 5; ++n) {
      EXPECT_NEAR(s->Depth[n] - s->Depth[1], before->Depth[n] - before->Depth[1], 1e-5) << n;
      EXPECT_EQ(s->Reading[0][n], displayDepth(s->Depth[n], k.unit)) << n;
    }
    EXPECT_EQ(s->Depth[6], 99.0f);
    EXPECT_EQ(s->Speed, before->Speed);
  }
}

TEST(StartDepth, ShiftBeyondTheFloatRangeChangesNothing) {
  auto s = makeSounding(3, 1.0f, 0.02f);
  s->Depth[3] = 3.0e38f;
  auto before = std::make_unique<Sounding>(*s);
  for (const char* typed : {"1e40", "3e38"}) {
    EXPECT_FALSE(applyStartDepth(*s, "1.00", typed, DepthUnit::Metres)) << typed;
    EXPECT_EQ(s->Depth, before->Depth) << typed;
  }
}

}  // namespace
}  // namespace pelorin
