#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "display/profile_data.hpp"
#include "test_support.hpp"

namespace pelorin {
namespace {

TEST(FrictionRatio, UsesBaseUnitsAndGapsForMissingValues) {
  struct Case {
    float qc, qcFactor, fs, fsFactor;
    double expected;  // NaN: a gap
  } cases[] = {
      {2.0f, 0.001f, 40.0f, 1.0f, 2.0},         // 2 MPa, 40 kPa
      {2000.0f, 1.0f, 40.0f, 1.0f, 2.0},        // both in kPa
      {20.0f, 0.01f, 0.4f, 0.01f, 2.0},         // both in bar
      {NoValue, 0.001f, 40.0f, 1.0f, NAN},      // no cone value
      {2.0f, 0.001f, NoValue, 1.0f, NAN},       // no sleeve value
      {0.0f, 0.001f, 40.0f, 1.0f, NAN},         // no resistance
      {-1.0f, 0.001f, 40.0f, 1.0f, NAN},
  };
  for (const auto& c : cases) {
    double rf = frictionRatio(c.qc, c.qcFactor, c.fs, c.fsFactor);
    if (std::isnan(c.expected))
      EXPECT_TRUE(std::isnan(rf)) << c.qc << " " << c.fs;
    else
      EXPECT_NEAR(rf, c.expected, 1e-6) << c.qc << " " << c.fs;
  }
}

std::unique_ptr<Sounding> smallSounding() {
  auto s = std::make_unique<Sounding>();
  s->NumChannels = 2;
  s->NumReadings = 5;
  s->ChannelType = {0, 1, 2};
  s->ChannelName = {"", "Qc", "Fs"};
  s->ChannelUnit = {0, 2, 1};
  s->ChannelFactor = {0, 0.001f, 1.0f};
  s->ChannelLag[2] = 2;
  s->MaxLag = 2;
  for (int n = 1; n <= 5; ++n) {
    s->Depth[n] = 0.05f * n;
    s->Speed[n] = n == 4 ? 0.0f : 2.0f;
    s->Reading[1][n] = 2.0f;
    s->Reading[2][n] = n <= 3 ? 40.0f : NoValue;
  }
  return s;
}

TEST(ProfileData, TracksGapsAlarmsAndFrictionRatio) {
  auto s = smallSounding();
  ProfileData p = profileData(*s, test::projectDefinitions(), DepthUnit::Metres);
  ASSERT_EQ(p.tracks.size(), 3u);  // Qc, Fs, Rf
  EXPECT_EQ(p.tracks[0].unit, "MPA");
  EXPECT_EQ(p.tracks[2].title, "Rf");
  // Fs lags by two: no value at readings 1 and 2, its values belong to readings 3 to 5.
  const auto& fs = p.tracks[1].values;
  EXPECT_TRUE(std::isnan(fs[0]) && std::isnan(fs[1]));
  EXPECT_EQ(fs[2], 40.0f);
  EXPECT_EQ(fs[4], 40.0f);
  EXPECT_TRUE(std::isnan(p.tracks[2].values[0]));
  EXPECT_NEAR(p.tracks[2].values[2], 2.0, 1e-6);
  EXPECT_EQ(p.alarm, (std::vector<bool>{false, false, false, true, false}));
}

TEST(ProfileData, NoFrictionRatioWithoutConeAndSleeve) {
  auto s = smallSounding();
  s->ChannelType[2] = 6;
  EXPECT_EQ(profileData(*s, test::projectDefinitions(), DepthUnit::Metres).tracks.size(), 2u);
}

TEST(ProfileData, NearestReachableReading) {
  auto s = smallSounding();  // depths 0.05 .. 0.25, readings 1 and 2 out of reach
  struct Case {
    DepthUnit unit;
    double depth;
    int expected;
  } cases[] = {
      {DepthUnit::Metres, 0.0, 3},     // above the first reachable reading
      {DepthUnit::Metres, 0.19, 4},
      {DepthUnit::Metres, 0.175, 3},   // a tie goes to the shallower reading
      {DepthUnit::Metres, 9.0, 5},
      {DepthUnit::Feet, 0.2 / 0.3048, 4},
  };
  for (const auto& c : cases) EXPECT_EQ(nearestReading(*s, c.unit, c.depth), c.expected) << c.depth;
  s->NumReadings = 2;
  EXPECT_EQ(nearestReading(*s, DepthUnit::Metres, 0.1), 0);
}

}  // namespace
}  // namespace pelorin
