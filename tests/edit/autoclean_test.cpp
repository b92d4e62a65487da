#include "edit/autoclean.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "edit/autoclean_literal.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "test_support.hpp"
#include "text/number_text.hpp"

namespace pelorin {
namespace {

using test::projectDefinitions;

float sum(float a, double b) { return toSingle(a + b); }

struct ChannelSetUp {
  int type;
  const char* name;
  int lag = 0;
  int option = 1;
};

// A sounding with the given depths at increment 0.05 m, speed 10 + n cm/s, and per channel
// the value 100 c + n for reading n (stored lag positions early, markers at the end).
std::unique_ptr<Sounding> makeSounding(const std::vector<float>& depths,
                                       const std::vector<ChannelSetUp>& channels = {}) {
  const ChannelDefinitions& defs = projectDefinitions();
  auto s = std::make_unique<Sounding>();
  s->DepthIncrement = 0.05f;
  s->NumReadings = static_cast<int>(depths.size());
  for (int n = 1; n <= s->NumReadings; ++n) {
    s->Depth[n] = depths[n - 1];
    s->Speed[n] = static_cast<float>(10 + n);
  }
  s->NoPoreChannel = true;
  for (const ChannelSetUp& setUp : channels) {
    int c = ++s->NumChannels;
    s->ChannelType[c] = static_cast<std::int16_t>(setUp.type);
    s->ChannelName[c] = setUp.name;
    s->ChannelLag[c] = static_cast<std::int16_t>(setUp.lag);
    s->ChannelUnit[c] = static_cast<std::int16_t>(setUp.option);
    s->ChannelFactor[c] = defs.UnitFactor[setUp.type][setUp.option];
    s->FullScaleOutput[c] = 10.0f;
    s->FullScaleValue[c] = 1000.0f * c;
    s->Baseline[c] = {0.0f, 0.5f * c, 0.25f * c};
    s->BaselineDrift[c] = 2.0f * c;
    for (int n = 1; n <= s->NumReadings; ++n) {
      bool marker = n > s->NumReadings - setUp.lag;
      s->RawReading[c][n] = marker ? NoValue : static_cast<float>(c + 0.01 * n);
      s->Reading[c][n] = marker ? NoValue : static_cast<float>(100 * c + n + setUp.lag);
    }
    if (setUp.type == 3) s->NoPoreChannel = false;
  }
  return s;
}

// Where two models first differ, or empty when they are the same bit for bit.
std::string firstDifference(const Sounding& a, const Sounding& b) {
  auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  auto column = [](const std::string& name, const ReadingColumn& x, const ReadingColumn& y) {
    if (std::memcmp(x.data(), y.data(), sizeof x) == 0) return std::string();
    for (std::size_t n = 0; n < x.size(); ++n)
      if (std::memcmp(&x[n], &y[n], sizeof(float)) != 0)
        return name + "[" + std::to_string(n) + "]: " + std::to_string(x[n]) + " vs " +
               std::to_string(y[n]);
    return std::string();
  };
  if (a.NumChannels != b.NumChannels) return "NumChannels";
  if (a.NumReadings != b.NumReadings) return "NumReadings";
  if (a.NoPoreChannel != b.NoPoreChannel) return "NoPoreChannel";
  for (const std::string& d :
       {column("Depth", a.Depth, b.Depth), column("Speed", a.Speed, b.Speed)})
    if (!d.empty()) return d;
  for (int c = 0; c <= MaxChannels; ++c) {
    std::string at = "(" + std::to_string(c) + ")";
    for (const std::string& d : {column("Reading" + at, a.Reading[c], b.Reading[c]),
                                 column("RawReading" + at, a.RawReading[c], b.RawReading[c])})
      if (!d.empty()) return d;
    if (a.ChannelName[c] != b.ChannelName[c] || !same(a.ChannelType[c], b.ChannelType[c]) ||
        !same(a.ChannelUnit[c], b.ChannelUnit[c]) || !same(a.ChannelLag[c], b.ChannelLag[c]) ||
        !same(a.ChannelFactor[c], b.ChannelFactor[c]) ||
        !same(a.FullScaleOutput[c], b.FullScaleOutput[c]) ||
        !same(a.FullScaleValue[c], b.FullScaleValue[c]) ||
        !same(a.BaselineDrift[c], b.BaselineDrift[c]) || !same(a.Baseline[c], b.Baseline[c]))
      return "set-up of channel " + std::to_string(c);
  }
  return "";
}

// --- Pore-pressure channel ---------------------------------------------------------------

TEST(AutoCleanPoreChannel, GoesInAtPositionThreeAndMovesTheRestWithTheirSetUp) {
  const ChannelDefinitions& defs = projectDefinitions();
  auto s = makeSounding({1.00f, 1.05f, 1.10f, 1.15f},
                        {{1, "Qc"}, {2, "Fs", 2}, {6, "Tilt X", 1, 2}, {7, "Tilt Y"}});
  s->HasFinalBaseline = true;
  auto before = std::make_unique<Sounding>(*s);

  AutoCleanResult r = autoClean(*s, defs);

  EXPECT_TRUE(r.channelInserted);
  EXPECT_EQ(r.firstRebuiltChannel, 3);
  EXPECT_FALSE(s->NoPoreChannel);
  ASSERT_EQ(s->NumChannels, 5);
  const std::vector<std::string> names = {"Qc", "Fs", "PRESSURE U2", "Tilt X", "Tilt Y"};
  const std::vector<int> types = {1, 2, 3, 6, 7};
  const std::vector<int> from = {1, 2, 0, 3, 4};  // where each channel stood before
  for (int c = 1; c <= 5; ++c) {
    SCOPED_TRACE("channel " + std::to_string(c));
    EXPECT_EQ(s->ChannelName[c], names[c - 1]);
    EXPECT_EQ(s->ChannelType[c], types[c - 1]);
    int old = from[c - 1];
    if (old == 0) continue;
    EXPECT_EQ(s->ChannelUnit[c], before->ChannelUnit[old]);
    EXPECT_EQ(s->ChannelFactor[c], before->ChannelFactor[old]);
    EXPECT_EQ(s->ChannelLag[c], before->ChannelLag[old]);
    EXPECT_EQ(s->Baseline[c], before->Baseline[old]);
    EXPECT_EQ(s->BaselineDrift[c], before->BaselineDrift[old]);
    EXPECT_EQ(s->FullScaleValue[c], before->FullScaleValue[old]);
    for (int n = 1; n <= 4; ++n) {
      EXPECT_EQ(s->Reading[c][n], before->Reading[old][n]) << "reading " << n;
      EXPECT_EQ(s->RawReading[c][n], before->RawReading[old][n]) << "reading " << n;
    }
  }
  // The new channel: 0 kPa everywhere (not "no value"), no lag, no drift, type 3's first unit.
  EXPECT_EQ(s->ChannelUnit[3], 1);
  EXPECT_EQ(s->ChannelFactor[3], defs.UnitFactor[3][1]);
  EXPECT_EQ(s->FullScaleOutput[3], 1.0f);
  EXPECT_EQ(s->FullScaleValue[3], 3447.5f);
  EXPECT_EQ(s->Baseline[3][1], 1.0f);
  EXPECT_EQ(s->ChannelLag[3], 0);
  EXPECT_EQ(s->BaselineDrift[3], 0.0f);
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(s->RawReading[3][n], 1.0f);
    EXPECT_EQ(s->Reading[3][n], 0.0f);
  }
}

TEST(AutoCleanPoreChannel, OnlyWhenThereIsRoomAndNoPoreChannelYet) {
  struct Case {
    const char* what;
    std::vector<ChannelSetUp> channels;
    bool noPoreChannel;
    int channelsAfter;
  };
  std::vector<ChannelSetUp> ten(10, ChannelSetUp{1, "Qc"});
  const Case cases[] = {
      {"no channels", {}, true, 0},
      {"one channel", {{1, "Qc"}}, true, 1},
      {"two channels", {{1, "Qc"}, {2, "Fs"}}, true, 3},
      {"nine channels", std::vector<ChannelSetUp>(9, ChannelSetUp{1, "Qc"}), true, 10},
      {"ten channels", ten, true, 10},
      {"a pore-pressure channel", {{1, "Qc"}, {2, "Fs"}, {3, "U2"}}, false, 3},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    auto s = makeSounding({1.00f, 1.05f, 1.10f}, k.channels);
    s->NoPoreChannel = k.noPoreChannel;
    auto before = std::make_unique<Sounding>(*s);
    AutoCleanResult r = autoClean(*s, projectDefinitions());
    EXPECT_EQ(s->NumChannels, k.channelsAfter);
    EXPECT_EQ(r.channelInserted, k.channelsAfter != before->NumChannels);
    if (r.channelInserted) {
      EXPECT_EQ(s->ChannelName[3], "PRESSURE U2");
    } else {
      EXPECT_EQ(firstDifference(*s, *before), "");
    }
  }
}

TEST(AutoCleanPoreChannel, ASecondRunAddsNoSecondChannel) {
  auto s = makeSounding({1.00f, 1.05f, 1.10f}, {{1, "Qc"}, {2, "Fs"}, {6, "Tilt"}});
  autoClean(*s, projectDefinitions());
  auto once = std::make_unique<Sounding>(*s);
  EXPECT_FALSE(autoClean(*s, projectDefinitions()).channelInserted);
  EXPECT_EQ(firstDifference(*s, *once), "");
}

TEST(AutoCleanPoreChannel, FactorComesFromThePorePressureUnits) {
  // The channel that moves to 4 has other units; channel 3 must not take its factor.
  ChannelDefinitions defs = projectDefinitions();
  defs.UnitFactor[3][1] = 0.5f;
  defs.UnitFactor[6][1] = 7.0f;
  auto s = makeSounding({1.00f, 1.05f}, {{1, "Qc"}, {2, "Fs"}, {6, "Tilt"}});
  autoClean(*s, defs);
  EXPECT_EQ(s->ChannelFactor[3], 0.5f);
  EXPECT_EQ(s->Reading[3][1], 0.0f);

  // Without definitions for type 3 the list is empty: the factor stays 1, never 0.
  defs.UnitCount[3] = 0;
  s = makeSounding({1.00f, 1.05f}, {{1, "Qc"}, {2, "Fs"}});
  autoClean(*s, defs);
  EXPECT_EQ(s->ChannelFactor[3], 1.0f);
}

TEST(AutoCleanPoreChannel, SavesAndReadsBackAsAnEmptyPressureChannel) {
  const ChannelDefinitions& defs = projectDefinitions();
  auto s = makeSounding({1.00f, 1.05f, 1.10f}, {{1, "Qc"}, {2, "Fs"}});
  autoClean(*s, defs);
  std::string bytes;
  FileError error;
  ASSERT_TRUE(writeSoundingFile(*s, defs, headerTexts(*s), bytes, error)) << error.message;
  auto back = openSounding(bytes, "autoclean.cpt", defs, error);
  ASSERT_TRUE(back) << error.message;
  ASSERT_EQ(back->NumChannels, 3);
  EXPECT_EQ(back->ChannelName[3], "PRESSURE U2");
  EXPECT_EQ(back->ChannelType[3], 3);
  EXPECT_FALSE(back->NoPoreChannel);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(back->Reading[3][n], 0.0f);
}

// --- Depth snapping ----------------------------------------------------------------------

TEST(AutoCleanDepths, SnapDownOntoTheIncrementGridInWholeCentimetres) {
  struct Case {
    const char* what;
    float previous, depth, expected;
  };
  const Case cases[] = {
      {"1.02 goes down to 1.00", 0.95f, 1.02f, 1.00f},
      {"onto the previous depth: one increment above it", 1.00f, 1.02f, sum(1.00f, 0.05f)},
      {"1.0499 is 105 cm, on the grid, kept as it is", 1.00f, 1.0499f, 1.0499f},
      {"1.004 is 100 cm, on the grid, kept", 0.95f, 1.004f, 1.004f},
      {"1.006 is 101 cm, down to 1.00", 0.95f, 1.006f, 1.00f},
      {"negative depths go down too", -0.10f, -0.02f, -0.05f},
      {"the previous depth is compared after its own correction", 0.97f, 0.98f, sum(0.95f, 0.05f)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    auto s = makeSounding({0.50f, k.previous, k.depth});
    snapDepthsToIncrement(*s);
    EXPECT_EQ(s->Depth[3], k.expected);
  }
  // The first reading's predecessor is the surface: 0.02 m would snap to 0 and so goes to 0.05.
  auto s = makeSounding({0.02f, 0.07f});
  EXPECT_EQ(snapDepthsToIncrement(*s), 2);
  EXPECT_EQ(s->Depth[1], sum(0.0f, 0.05f));
  EXPECT_EQ(s->Depth[2], sum(sum(0.0f, 0.05f), 0.05f));
}

// --- Gap filling -------------------------------------------------------------------------

TEST(AutoCleanGaps, FillsWithReadingsOneIncrementApart) {
  struct Case {
    const char* what;
    std::vector<float> depths, expected;
  };
  const float a = sum(1.00f, 0.05f), b = sum(a, 0.05f), c = sum(b, 0.05f);
  const Case cases[] = {
      {"1.00 to 1.20: three readings",
       {0.95f, 1.00f, 1.20f, 1.25f, 1.30f, 1.35f, 1.40f},
       {0.95f, 1.00f, a, b, c, 1.20f, 1.25f, 1.30f, 1.35f, 1.40f}},
      {"two increments: one reading",
       {0.95f, 1.00f, 1.10f, 1.15f},
       {0.95f, 1.00f, a, 1.10f, 1.15f}},
      {"1.5 increments: none", {0.95f, 1.00f, 1.075f, 1.125f}, {0.95f, 1.00f, 1.075f, 1.125f}},
      {"the first gap is never filled", {0.50f, 1.00f, 1.05f}, {0.50f, 1.00f, 1.05f}},
      {"readings pushed past the original count are not examined",
       {0.90f, 0.95f, 1.00f, 1.20f, 1.60f},
       {0.90f, 0.95f, 1.00f, a, b, 1.20f, 1.60f}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    auto s = makeSounding(k.depths);
    EXPECT_EQ(fillDepthGaps(*s), static_cast<int>(k.expected.size() - k.depths.size()));
    std::vector<float> got(&s->Depth[1], &s->Depth[1] + s->NumReadings);
    EXPECT_EQ(got, k.expected);
  }
}

TEST(AutoCleanGaps, InsertedReadingsCarrySpeedBeforeAndChannelValuesAfter) {
  // Readings 1.00 (reading 2) and 1.20 (reading 3); channel 2 trails by two readings.
  auto s =
      makeSounding({0.95f, 1.00f, 1.20f, 1.25f, 1.30f, 1.35f, 1.40f}, {{1, "Qc"}, {2, "Fs", 2}});
  auto before = std::make_unique<Sounding>(*s);
  ASSERT_EQ(fillDepthGaps(*s), 3);
  ASSERT_EQ(s->NumReadings, 10);
  // Reading n of the result came from reading from[n] (0: inserted before reading 3).
  const int from[] = {0, 1, 2, 0, 0, 0, 3, 4, 5, 6, 7};
  for (int n = 1; n <= 10; ++n) {
    SCOPED_TRACE("reading " + std::to_string(n));
    int old = from[n] ? from[n] : 3;
    EXPECT_EQ(s->Speed[n], before->Speed[from[n] ? from[n] : 2]);
    for (int ch = 1; ch <= 2; ++ch) {
      int lag = s->ChannelLag[ch];
      if (n - lag < 1) continue;  // before the channel's first value
      EXPECT_EQ(s->Reading[ch][n - lag], before->Reading[ch][old - lag]) << "channel " << ch;
    }
  }
  // Channel 2 keeps exactly its two markers at the end; channel 1 has none.
  EXPECT_EQ(s->Reading[2][8], before->Reading[2][5]);
  EXPECT_EQ(s->Reading[2][9], NoValue);
  EXPECT_EQ(s->Reading[2][10], NoValue);
  EXPECT_NE(s->Reading[1][10], NoValue);
  // Raw readings are not moved.
  EXPECT_EQ(s->RawReading[2], before->RawReading[2]);
}

// --- Limits ------------------------------------------------------------------------------

TEST(AutoCleanLimits, NoDepthStepsWithoutAPositiveIncrement) {
  for (float increment : {0.0f, -0.05f}) {
    SCOPED_TRACE(increment);
    auto s = makeSounding({0.95f, 1.00f, 1.23f, 1.50f, 1.51f}, {{1, "Qc"}, {2, "Fs"}});
    s->DepthIncrement = increment;
    auto before = std::make_unique<Sounding>(*s);
    AutoCleanResult r = autoClean(*s, projectDefinitions());
    EXPECT_TRUE(r.channelInserted);
    EXPECT_EQ(r.depthsMoved + r.readingsInserted, 0);
    EXPECT_EQ(s->Depth, before->Depth);
  }
}

TEST(AutoCleanLimits, StopsInsertingAtTenThousandReadings) {
  std::vector<float> depths;
  for (int n = 0; n < MaxReadings - 3; ++n) depths.push_back(toSingle(0.5 * n));
  auto s = makeSounding(depths, {{1, "Qc"}, {2, "Fs", 3}});
  auto literal = std::make_unique<Sounding>(*s);
  EXPECT_EQ(fillDepthGaps(*s), 3);
  EXPECT_EQ(s->NumReadings, MaxReadings);
  literal::gapFilling(*literal);
  EXPECT_EQ(firstDifference(*s, *literal), "");
}

// --- The production code against the plain one-at-a-time version ------------------------

// Fills s, which starts out empty, with a random sounding.
void randomSounding(std::mt19937& rng, Sounding* s) {
  const ChannelDefinitions& defs = projectDefinitions();
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto real = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
  };

  const float increments[] = {0.05f, 0.02f, 0.01f, 0.1f, 0.025f, 0.03f, 0.0499f, 0.0f, -0.05f};
  s->DepthIncrement = increments[pick(0, 8)];
  if (pick(0, 9) == 0) s->DepthIncrement = toSingle(real(0.001, 0.3));
  const double step = s->DepthIncrement > 0 ? s->DepthIncrement : 0.05;

  const int sizes = pick(0, 99);
  s->NumReadings = sizes < 2    ? pick(0, 3)
                   : sizes < 97 ? pick(2, 60)
                   : sizes < 99 ? pick(200, 800)
                                : pick(9980, 10000);
  double depth = real(-0.3, 3.0);
  for (int n = 1; n <= s->NumReadings; ++n) {
    const double gaps[] = {1, 1, 1, 1, 1, 2, 3, 1.5, 0, 6, 0.5, -1};
    if (n > 1) depth += step * gaps[pick(0, s->NumReadings > 5000 ? 5 : 11)];
    double jitter = pick(0, 2) == 0 ? real(-0.4, 0.4) * step : 0;
    double d = depth + jitter;
    if (pick(0, 1)) d = std::round(d * 100) / 100;  // files hold whole centimetres
    s->Depth[n] = toSingle(d);
    s->Speed[n] = toSingle(std::round(real(0, 40)) / 10);
  }
  if (s->NumReadings < MaxReadings && pick(0, 4) == 0)
    s->Depth[s->NumReadings + 1] = 99.0f;  // stale values past the end

  const int types[] = {1, 2, 3, 4, 5, 6, 7, 10};
  s->NumChannels = static_cast<std::int16_t>(pick(0, 10));
  bool pore = pick(0, 3) == 0;
  s->HasFinalBaseline = pick(0, 1);
  for (int c = 1; c <= s->NumChannels; ++c) {
    int type = types[pick(0, pore ? 7 : 6)];
    if (type == 3 && !pore) type = 10;
    s->ChannelType[c] = static_cast<std::int16_t>(type);
    s->ChannelName[c] = std::to_string(c);
    s->ChannelUnit[c] = static_cast<std::int16_t>(pick(1, defs.UnitCount[type]));
    s->ChannelFactor[c] = defs.UnitFactor[type][s->ChannelUnit[c]];
    s->FullScaleOutput[c] = toSingle(real(1, 10));
    s->FullScaleValue[c] = toSingle(real(100, 100000));
    s->Baseline[c] = {0.0f, toSingle(real(-1, 1)), toSingle(real(-1, 1))};
    s->BaselineDrift[c] = toSingle(real(-5, 5));
    const int lag = pick(0, 3) == 0 ? 0 : pick(0, 4) == 0 ? pick(5, 15) : pick(1, 4);
    s->ChannelLag[c] = static_cast<std::int16_t>(lag);
    const bool markersAtEnd = pick(0, 5) != 0;
    for (int n = 1; n <= std::min(s->NumReadings + 3, MaxReadings); ++n) {
      s->RawReading[c][n] = toSingle(real(-1, 5));
      bool marker = markersAtEnd && n > s->NumReadings - lag;
      s->Reading[c][n] = marker ? NoValue : toSingle(std::round(real(-50, 5000) * 1000) / 1000);
    }
    if (pick(0, 3) == 0) s->Reading[c][0] = toSingle(real(1, 9));
  }
  s->NoPoreChannel = !pore;
  if (pick(0, 9) == 0) s->NoPoreChannel = true;  // a flag that disagrees with the types
}

TEST(AutoCleanProperty, SameAsTheOneAtATimeStepsOnRandomSoundings) {
  std::mt19937 rng(20240611);
  const ChannelDefinitions& defs = projectDefinitions();
  int inserted = 0, moved = 0, withChannel = 0;
  // Three models reused throughout: a megabyte each.
  auto empty = std::make_unique<Sounding>();
  auto fast = std::make_unique<Sounding>();
  auto slow = std::make_unique<Sounding>();
  for (int k = 0; k < 3000; ++k) {
    *fast = *empty;
    randomSounding(rng, fast.get());
    *slow = *fast;
    for (int run = 1; run <= 2; ++run) {
      AutoCleanResult r = autoClean(*fast, defs);
      literal::autoClean(*slow, defs);
      inserted += r.readingsInserted;
      moved += r.depthsMoved;
      withChannel += r.channelInserted;
      std::string difference = firstDifference(*fast, *slow);
      ASSERT_EQ(difference, "") << "sounding " << k << ", run " << run;
    }
  }
  // The random soundings exercise every step.
  EXPECT_GT(inserted, 10000);
  EXPECT_GT(moved, 10000);
  EXPECT_GT(withChannel, 500);
}

}  // namespace
}  // namespace pelorin
