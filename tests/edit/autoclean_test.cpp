#include "edit/autoclean.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "edit/autoclean_literal.hpp"
#include "edit/sounding_builder.hpp"

namespace pelorin {
namespace {

using test::addChannel;
using test::projectDefinitions;

// Readings at `depths` (increment 0.05 m) at 10 + n cm/s, with channels of the given types
// in their first unit; no pore-pressure channel unless one is of type 3.
std::unique_ptr<Sounding> makeSounding(const std::vector<float>& depths,
                                       const std::vector<int>& types = {}) {
  auto s = test::makeSounding(depths);
  for (int n = 1; n <= s->NumReadings; ++n) s->Speed[n] = 10.0f + n;
  for (int type : types) s->BaselineDrift[addChannel(*s, type, {})] = 0.125f * type;
  s->NoPoreChannel = std::find(types.begin(), types.end(), 3) == types.end();
  return s;
}

// Channel c trails the depth by `lag` readings: its last lag positions hold no value.
void setLag(Sounding& s, int c, int lag) {
  s.ChannelLag[c] = static_cast<std::int16_t>(lag);
  for (int n = std::max(1, s.NumReadings - lag + 1); n <= s.NumReadings; ++n)
    s.Reading[c][n] = NoValue;
}

// The first part in which two models differ, or empty when they are the same bit for bit.
std::string firstDifference(const Sounding& a, const Sounding& b) {
  auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  if (a.NumChannels != b.NumChannels || a.NumReadings != b.NumReadings) return "counts";
  if (!same(a.Depth, b.Depth) || !same(a.Speed, b.Speed)) return "depth or speed";
  if (!same(a.Reading, b.Reading) || !same(a.RawReading, b.RawReading)) return "channel values";
  auto setUp = [](const Sounding& s) {
    return std::tie(s.ChannelName, s.ChannelType, s.ChannelUnit, s.ChannelLag, s.ChannelFactor,
                    s.FullScaleOutput, s.FullScaleValue, s.Baseline, s.BaselineDrift);
  };
  if (setUp(a) != setUp(b)) return "channel set-up";
  return a.NoPoreChannel == b.NoPoreChannel ? "" : "NoPoreChannel";
}

TEST(AutoCleanPoreChannel, FactorComesFromThePorePressureUnits) {
  // The channel that moves to 4 has other units; channel 3 must not take its factor.
  ChannelDefinitions defs = projectDefinitions();
  defs.UnitFactor[3][1] = 0.5f;
  defs.UnitFactor[6][1] = 7.0f;
  auto s = makeSounding({1.00f, 1.05f}, {1, 2, 6});
  AutoCleanResult r = autoClean(*s, defs);  // the window rebuilds its columns from channel 3 on
  EXPECT_TRUE(r.channelInserted && r.firstRebuiltChannel == 3);
  EXPECT_FALSE(autoClean(*s, defs).channelInserted) << "the second finds it";
  EXPECT_EQ(s->ChannelFactor[3], 0.5f);
  EXPECT_EQ(s->Reading[3][1], 0.0f);

  // Without definitions for type 3 the list is empty: the factor stays 1, never 0.
  defs.UnitCount[3] = 0;
  s = makeSounding({1.00f, 1.05f}, {1, 2});
  autoClean(*s, defs);
  EXPECT_EQ(s->ChannelFactor[3], 1.0f);
}

// Depth snapping and gap filling are lines of tests/cases.txt; the gap filling's single pass
// is held against the one-reading-at-a-time steps below.
TEST(AutoCleanDepths, WithoutAPositiveIncrementNothingMoves) {
  for (float increment : {0.0f, -0.05f}) {
    auto s = makeSounding({0.95f, 1.00f, 1.23f, 1.50f, 1.51f});
    s->DepthIncrement = increment;
    EXPECT_EQ(snapDepthsToIncrement(*s) + fillDepthGaps(*s), 0) << increment;
  }
}

// A random sounding: increments on and off the grid or unusable, gaps, jitter, a stale
// depth past the end, and up to ten channels (a pore-pressure channel going in at 3 or not)
// with lags, markers and a value at position 0.
void randomSounding(std::mt19937& rng, Sounding* s) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto real = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
  };
  const float increments[] = {0.05f, 0.02f, 0.01f, 0.1f, 0.025f, 0.03f, 0.0499f, 0.0f, -0.05f};
  s->DepthIncrement = pick(0, 9) == 0 ? toSingle(real(0.001, 0.3)) : increments[pick(0, 8)];
  const double step = s->DepthIncrement > 0 ? s->DepthIncrement : 0.05;
  const int size = pick(0, 99);
  const int count = s->NumReadings = size < 2    ? pick(0, 3)
                                     : size < 97 ? pick(2, 60)
                                     : size < 99 ? pick(200, 800)
                                                 : pick(9980, 10000);
  const double gaps[] = {1, 1, 1, 1, 1, 2, 3, 1.5, 0, 6, 0.5, -1};
  double depth = real(-0.3, 3.0);
  for (int n = 1; n <= count; depth += step * gaps[pick(0, count > 5000 ? 5 : 11)], ++n) {
    double d = depth + (pick(0, 2) == 0 ? real(-0.4, 0.4) * step : 0);
    s->Depth[n] = toSingle(pick(0, 1) ? std::round(d * 100) / 100 : d);  // often whole cm
    s->Speed[n] = toSingle(std::round(real(0, 40)) / 10);
  }
  if (count < MaxReadings && pick(0, 4) == 0) s->Depth[count + 1] = 99.0f;

  for (int c = pick(0, 10); c > 0; --c) {
    int k = addChannel(*s, 1, {});  // distinct values: 100 k + n
    int lag = pick(0, 3) == 0 ? 0 : pick(0, 4) == 0 ? pick(5, 15) : pick(1, 4);
    s->ChannelLag[k] = static_cast<std::int16_t>(lag);
    if (pick(0, 5) != 0) setLag(*s, k, lag);
    if (pick(0, 3) == 0) s->Reading[k][0] = toSingle(real(1, 9));
  }
  s->NoPoreChannel = pick(0, 1);
}

TEST(AutoCleanProperty, SameAsTheOneAtATimeGapFillingOnRandomSoundings) {
  std::mt19937 rng(20240611);
  int inserted = 0, moved = 0, full = 0;
  // Three models of a megabyte each, reused throughout.
  auto empty = std::make_unique<Sounding>(), fast = std::make_unique<Sounding>(),
       slow = std::make_unique<Sounding>();
  for (int k = 0; k < 3000; ++k) {
    *fast = *empty;
    randomSounding(rng, fast.get());
    *slow = *fast;
    for (int run = 1; run <= 2; ++run) {
      AutoCleanResult r = autoClean(*fast, projectDefinitions());
      literal::autoClean(*slow, projectDefinitions());
      inserted += r.readingsInserted;
      moved += r.depthsMoved;
      full += fast->NumReadings == MaxReadings;
      ASSERT_EQ(firstDifference(*fast, *slow), "") << "sounding " << k << ", run " << run;
    }
  }
  EXPECT_GT(inserted, 10000);  // the random soundings exercise every step
  EXPECT_GT(moved, 10000);
  EXPECT_GT(full, 10);  // insertion stopped at 10,000 readings
}

}  // namespace
}  // namespace pelorin
