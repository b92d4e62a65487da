// The quality report on small soundings built at each limit: one just inside and one just
// outside each class boundary, the rate band and its runs, inclination and counts. The
// report of the samples, its JSON and the report after an operation are lines of
// tests/cases.txt.

#include "quality/quality.hpp"

#include <gtest/gtest.h>

#include "edit/sounding_builder.hpp"

namespace pelorin {
namespace {

using test::addChannel;

// Ten readings `stepMm` apart, a cone, a sleeve and, when poreDrift is given, a pore-pressure
// channel, each holding `largest` kPa with the given zero drift (kPa); drifts count only with
// a final-baseline line.
struct ClassCase {
  const char* what;
  int stepMm;
  bool finalBaseline;
  double coneDrift, sleeveDrift;
  std::optional<double> poreDrift;
  float largest;
  std::optional<int> expected;
};

TEST(Quality, ClassIsTheBestWhoseEveryLimitHolds) {
  const std::optional<int> none;
  const ClassCase cases[] = {
      {"steps at the 0.020 m limit", 20, false, 0, 0, 0, 100, 1},
      {"steps above it", 21, false, 0, 0, 0, 100, 3},
      {"steps at the 0.050 m limit", 50, false, 0, 0, 0, 100, 3},
      {"steps above it", 51, false, 0, 0, 0, 100, none},
      {"classes 1 and 2 need a pore-pressure channel", 20, false, 0, 0, {}, 100, 3},
      {"drift without a final baseline is not assessed", 20, false, 900, 900, 900, 100, 1},
      {"cone at 35 kPa", 20, true, 35, 0, 0, 100, 1},
      {"cone above 35 kPa", 20, true, 35.01, 0, 0, 100, 2},
      {"cone above 100 kPa", 20, true, 100.01, 0, 0, 100, 3},
      {"cone at 200 kPa", 20, true, 200, 0, 0, 100, 3},
      {"cone above 200 kPa", 20, true, 200.01, 0, 0, 100, 4},
      {"cone above 500 kPa", 20, true, 500.01, 0, 0, 100, none},
      {"cone at 5 % of 2000 kPa", 20, true, 100, 0, 0, 2000, 1},
      {"cone above 5 % of 2000 kPa, the limit of class 2 too", 20, true, 100.01, 0, 0, 2000, 3},
      {"sleeve at 5 kPa", 20, true, 0, 5, 0, 10, 1},
      {"sleeve above 5 kPa", 20, true, 0, 5.01, 0, 10, 2},
      {"sleeve above 15 kPa", 20, true, 0, 15.01, 0, 10, 3},
      {"sleeve above 25 kPa", 20, true, 0, 25.01, 0, 10, 4},
      {"sleeve above 50 kPa", 20, true, 0, 50.01, 0, 10, none},
      {"sleeve at 10 % of 100 kPa", 20, true, 0, 10, 0, 100, 1},
      {"sleeve at 20 % of 300 kPa", 20, true, 0, 60, 0, 300, 4},
      {"pore pressure at 10 kPa", 20, true, 0, 0, 10, 10, 1},
      {"pore pressure above 10 kPa", 20, true, 0, 0, 10.01, 10, 2},
      {"pore pressure above 25 kPa", 20, true, 0, 0, 25.01, 10, 3},
      {"pore pressure at 2 % of 1000 kPa", 20, true, 0, 0, 20, 1000, 1},
      {"pore pressure is not asked in class 4", 50, true, 0, 0, 999, 10, 4},
      {"the worst channel decides", 20, true, 35.01, 15.01, 0, 100, 3},
  };
  for (const ClassCase& k : cases) {
    SCOPED_TRACE(k.what);
    auto s = test::makeSounding(10, 1.0f, k.stepMm / 1000.0f);
    s->HasFinalBaseline = k.finalBaseline;
    const std::vector<float> values(10, k.largest);
    s->BaselineDrift[addChannel(*s, 1, values)] = static_cast<float>(k.coneDrift);
    s->BaselineDrift[addChannel(*s, 2, values)] = static_cast<float>(k.sleeveDrift);
    if (k.poreDrift) s->BaselineDrift[addChannel(*s, 3, values)] = static_cast<float>(*k.poreDrift);
    const QualityReport report = assessQuality(*s, test::projectDefinitions());
    EXPECT_EQ(report.classReached, k.expected);
    EXPECT_EQ(report.driftAssessed, k.finalBaseline);
  }
}

TEST(Quality, RateBandStepsInclinationAndCounts) {
  auto s =
      test::makeSounding({1.00f, 1.02f, 1.02f, 1.05f, 1.04f, 1.10f, 1.12f, 1.14f, 1.16f, 1.18f});
  const float speeds[] = {1.5f, 2.5f, 1.49f, 2.51f, 0, 3, 3, NoValue, 3, 2};
  for (int n = 1; n <= 10; ++n) s->Speed[n] = speeds[n - 1];
  addChannel(*s, 1, {5, 0, -1, 5, 5, 5, 5, 5, 5, 5});
  const int x = addChannel(*s, 6, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  addChannel(*s, 7, {4, 0, 0, 0, 0, 0, 0, 1, 0, 0});
  s->Reading[x][4] = NoValue;
  const QualityReport r = assessQuality(*s, test::projectDefinitions());

  // 1.5 and 2.5 cm/s lie inside; five outside in a row (readings 3 to 7) make a run, the
  // reading without a speed ends the next.
  EXPECT_EQ(r.rate.readings, 9);
  EXPECT_EQ(r.rate.outside, 6);
  ASSERT_EQ(r.rate.longRuns.size(), 1u);
  EXPECT_EQ(r.rate.longRuns[0].first, 3);
  EXPECT_EQ(r.rate.longRuns[0].last, 7);
  EXPECT_DOUBLE_EQ(r.rate.min, 0);
  EXPECT_DOUBLE_EQ(r.rate.max, 3);

  EXPECT_EQ(r.steps.steps, 9);
  EXPECT_EQ(r.steps.zeroOrNegative, 2);  // 1.02 again and 1.05 up to 1.04
  EXPECT_EQ(r.steps.firstZeroOrNegative, 3);
  EXPECT_EQ(r.steps.above20mm, 2);  // 30 and 60 mm
  EXPECT_EQ(r.steps.above50mm, 1);
  EXPECT_DOUBLE_EQ(r.steps.max, 0.06);
  EXPECT_EQ(r.repeatedDepths, 1);
  EXPECT_EQ(r.firstRepeatedDepth, 3);

  EXPECT_TRUE(r.inclination.recorded);
  EXPECT_DOUBLE_EQ(r.inclination.max, 5);  // 3 and 4 degrees
  EXPECT_EQ(r.inclination.maxAt, 1);
  EXPECT_DOUBLE_EQ(r.inclination.largestChange, 5);
  ASSERT_EQ(r.channels.size(), 3u);
  EXPECT_EQ(r.channels[0].zeroOrNegative, 2);
  EXPECT_EQ(r.channels[0].firstZeroOrNegative, 2);
  EXPECT_EQ(r.channels[1].withoutValue, 1);
  EXPECT_EQ(r.channels[1].zeroOrNegative, std::nullopt);
  EXPECT_FALSE(r.classReached) << "a negative step and no pore pressure: steps of 60 mm";
}

}  // namespace
}  // namespace pelorin
