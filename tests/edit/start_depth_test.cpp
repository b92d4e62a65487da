#include "edit/start_depth.hpp"

#include <gtest/gtest.h>

#include "edit/sounding_builder.hpp"

namespace pelorin {
namespace {

using test::makeSounding;

// The shift itself is checked by tests/cases.txt; here a shift that would take a depth
// beyond the float range.
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
