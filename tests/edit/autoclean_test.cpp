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

float sum(float a, double b) { return toSingle(a + b); }

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

// Channel c's set-up and first four readings (value/raw), as text.
std::string channel(const Sounding& s, int c) {
  std::ostringstream o;
  o << s.ChannelName[c] << " type " << s.ChannelType[c] << " unit " << s.ChannelUnit[c]
    << " factor " << s.ChannelFactor[c] << " lag " << s.ChannelLag[c] << " full scale "
    << s.FullScaleOutput[c] << "/" << s.FullScaleValue[c] << " zero " << s.Baseline[c][1] << "/"
    << s.Baseline[c][2] << " drift " << s.BaselineDrift[c] << " readings";
  for (int n = 1; n <= 4; ++n) o << " " << s.Reading[c][n] << "/" << s.RawReading[c][n];
  return o.str();
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

TEST(AutoCleanPoreChannel, GoesInAtPositionThreeAndMovesTheRestWithTheirSetUp) {
  for (bool finalBaseline : {true, false}) {
    auto s = makeSounding({1.00f, 1.05f, 1.10f, 1.15f}, {1, 2, 6, 7});
    setLag(*s, 2, 2);
    setLag(*s, 3, 1);
    s->HasFinalBaseline = finalBaseline;
    auto before = std::make_unique<Sounding>(*s);

    AutoCleanResult r = autoClean(*s, projectDefinitions());
    EXPECT_TRUE(r.channelInserted);
    EXPECT_EQ(r.firstRebuiltChannel, 3);
    EXPECT_FALSE(s->NoPoreChannel);
    ASSERT_EQ(s->NumChannels, 5);
    for (auto [now, was] : {std::pair{1, 1}, {2, 2}, {4, 3}, {5, 4}})
      EXPECT_EQ(channel(*s, now), channel(*before, was)) << now;
    // 0 kPa everywhere (not "no value"), no lag, no drift; the zero after the sounding
    // equals the one before where the file has one.
    EXPECT_EQ(channel(*s, 3), std::string("PRESSURE U2 type 3 unit 1 factor 1 lag 0 full scale "
                                          "1/3447.5 zero 1/") +
                                  (finalBaseline ? "1" : "0") +
                                  " drift 0 readings 0/1 0/1 0/1 0/1");
  }
}

TEST(AutoCleanPoreChannel, OnlyWhenThereIsRoomAndNoPoreChannelYet) {
  const std::pair<std::vector<int>, int> cases[] = {
      {{}, 0},        {{1}, 1}, {{1, 2}, 3}, {std::vector(9, 1), 10}, {std::vector(10, 1), 10},
      {{1, 2, 3}, 3},  // a pore-pressure channel already
  };
  for (const auto& [types, channelsAfter] : cases) {
    auto s = makeSounding({1.00f, 1.05f, 1.10f}, types);
    auto before = std::make_unique<Sounding>(*s);
    bool inserted = autoClean(*s, projectDefinitions()).channelInserted;
    EXPECT_EQ(s->NumChannels, channelsAfter) << types.size();
    EXPECT_EQ(firstDifference(*s, *before), inserted ? "counts" : "") << types.size();
  }
}

TEST(AutoCleanPoreChannel, FactorComesFromThePorePressureUnits) {
  // The channel that moves to 4 has other units; channel 3 must not take its factor.
  ChannelDefinitions defs = projectDefinitions();
  defs.UnitFactor[3][1] = 0.5f;
  defs.UnitFactor[6][1] = 7.0f;
  auto s = makeSounding({1.00f, 1.05f}, {1, 2, 6});
  autoClean(*s, defs);
  EXPECT_EQ(s->ChannelFactor[3], 0.5f);
  EXPECT_EQ(s->Reading[3][1], 0.0f);

  // Without definitions for type 3 the list is empty: the factor stays 1, never 0.
  defs.UnitCount[3] = 0;
  s = makeSounding({1.00f, 1.05f}, {1, 2});
  autoClean(*s, defs);
  EXPECT_EQ(s->ChannelFactor[3], 1.0f);
}

TEST(AutoCleanDepths, SnapDownOntoTheIncrementGridInWholeCentimetres) {
  struct Case {
    const char* what;
    float previous, depth, expected;
  } cases[] = {
      {"1.02 goes down to 1.00", 0.95f, 1.02f, 1.00f},
      {"onto the previous depth: one increment above it", 1.00f, 1.02f, sum(1.00f, 0.05f)},
      {"1.0499 is 105 cm, on the grid, kept as it is", 1.00f, 1.0499f, 1.0499f},
      {"1.006 is 101 cm, down to 1.00", 0.95f, 1.006f, 1.00f},
      {"negative depths go down too", -0.10f, -0.02f, -0.05f},
      {"the previous depth is compared after its own correction", 0.97f, 0.98f, sum(0.95f, 0.05f)},
  };
  for (const Case& k : cases) {
    auto s = makeSounding({0.50f, k.previous, k.depth});
    snapDepthsToIncrement(*s);
    EXPECT_EQ(s->Depth[3], k.expected) << k.what;
  }
  // The first reading's predecessor is the surface: 0.02 m would snap to 0 and so goes to 0.05.
  auto s = makeSounding({0.02f, 0.07f});
  EXPECT_EQ(snapDepthsToIncrement(*s), 2);
  EXPECT_EQ(s->Depth[1], sum(0.0f, 0.05f));
  EXPECT_EQ(s->Depth[2], sum(sum(0.0f, 0.05f), 0.05f));
  // Without a positive increment no depth moves and no reading is put in.
  for (float increment : {0.0f, -0.05f}) {
    s = makeSounding({0.95f, 1.00f, 1.23f, 1.50f, 1.51f});
    s->DepthIncrement = increment;
    EXPECT_EQ(snapDepthsToIncrement(*s) + fillDepthGaps(*s), 0) << increment;
  }
}

TEST(AutoCleanGaps, FillsWithReadingsOneIncrementApart) {
  const float a = sum(1.00f, 0.05f), b = sum(a, 0.05f), c = sum(b, 0.05f);
  const std::pair<std::vector<float>, std::vector<float>> cases[] = {
      {{0.95f, 1.00f, 1.20f, 1.25f, 1.30f, 1.35f, 1.40f},
       {0.95f, 1.00f, a, b, c, 1.20f, 1.25f, 1.30f, 1.35f, 1.40f}},
      {{0.95f, 1.00f, 1.10f, 1.15f}, {0.95f, 1.00f, a, 1.10f, 1.15f}},
      {{0.95f, 1.00f, 1.075f, 1.125f}, {0.95f, 1.00f, 1.075f, 1.125f}},  // 1.5 increments
      {{0.50f, 1.00f, 1.05f}, {0.50f, 1.00f, 1.05f}},  // the first gap is never filled
      // Readings pushed past the original count are not examined.
      {{0.90f, 0.95f, 1.00f, 1.20f, 1.60f}, {0.90f, 0.95f, 1.00f, a, b, 1.20f, 1.60f}},
  };
  for (const auto& [depths, expected] : cases) {
    auto s = makeSounding(depths);
    EXPECT_EQ(fillDepthGaps(*s), static_cast<int>(expected.size() - depths.size()));
    EXPECT_EQ(std::vector<float>(&s->Depth[1], &s->Depth[1] + s->NumReadings), expected);
  }
}

TEST(AutoCleanGaps, InsertedReadingsCarrySpeedBeforeAndChannelValuesAfter) {
  // 1.00 m (reading 2) to 1.20 m (reading 3); channel 2 trails by two readings.
  auto s = makeSounding({0.95f, 1.00f, 1.20f, 1.25f, 1.30f, 1.35f, 1.40f}, {1, 2});
  setLag(*s, 2, 2);
  ASSERT_EQ(fillDepthGaps(*s), 3);
  auto column = [&](const ReadingColumn& values) {
    return std::vector<float>(&values[1], &values[11]);
  };
  EXPECT_EQ(column(s->Speed), (std::vector<float>{11, 12, 12, 12, 12, 13, 14, 15, 16, 17}));
  EXPECT_EQ(column(s->Reading[1]),
            (std::vector<float>{101, 102, 103, 103, 103, 103, 104, 105, 106, 107}));
  // Channel 2's value for reading n stands at n - 2; it keeps exactly its two markers.
  EXPECT_EQ(column(s->Reading[2]),
            (std::vector<float>{201, 201, 201, 201, 202, 203, 204, 205, NoValue, NoValue}));
  EXPECT_EQ(s->RawReading[2][3], 203.0f);  // raw readings are not moved
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
