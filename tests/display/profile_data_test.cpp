// What the depth profile plots: tracks with gaps, the speed alarm, the friction ratio, and
// the reading nearest to a depth.

#include "display/profile_data.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "sounding/sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

TEST(ProfileData, FrictionRatioFromBaseUnitsWithGapsForMissingValues) {
  EXPECT_NEAR(frictionRatio(2.0f, 0.001f, 40.0f, 1.0f), 2.0, 1e-6);  // 2 MPa, 40 kPa
  EXPECT_NEAR(frictionRatio(20.0f, 0.01f, 0.4f, 0.01f), 2.0, 1e-6);  // both in bar
  for (auto [qc, fs] : {std::pair{NoValue, 40.0f}, {2.0f, NoValue}, {0.0f, 40.0f}})
    EXPECT_TRUE(std::isnan(frictionRatio(qc, 0.001f, fs, 1.0f))) << qc << " " << fs;

  auto s = builtSounding(5, {0, 2});  // the sleeve lags by two readings
  s->ChannelName[1] = "Q\xE9";
  s->ChannelUnit[1] = 2, s->ChannelFactor[1] = 0.001f;  // MPA
  s->Reading[1][3] = 2.0f, s->Reading[2][1] = 40.0f;    // reading 3: Rf 2 %
  s->Speed[4] = 0;
  ProfileData p = profileData(*s, projectDefinitions(), DepthUnit::Metres);
  ASSERT_EQ(p.tracks.size(), 3u);
  EXPECT_EQ(p.tracks[0].title + " " + p.tracks[0].unit + " " + p.tracks[2].title,
            "Q\xC3\xA9 MPA Rf");
  const auto& fs = p.tracks[1].values;
  EXPECT_TRUE(std::isnan(fs[0]) && std::isnan(fs[1]) && std::isnan(p.tracks[2].values[1]));
  EXPECT_EQ(fs[2], 40.0f);
  EXPECT_EQ(fs[4], 203.0f);
  EXPECT_NEAR(p.tracks[2].values[2], 2.0, 1e-6);
  EXPECT_NEAR(p.tracks[2].values[4], 203.0 / 105000 * 100, 1e-6);  // the last reading too
  EXPECT_EQ(p.alarm, (std::vector<bool>{false, false, false, true, false}));
  s->ChannelType[2] = 6;  // no sleeve, no friction ratio
  EXPECT_EQ(profileData(*s, projectDefinitions(), DepthUnit::Metres).tracks.size(), 2u);
}

TEST(ProfileData, NearestReachableReading) {
  auto s = builtSounding(5, {0, 2}, 0.25f, 0.25f);  // depths 0.25 .. 1.25, reachable from 3
  for (auto [unit, depth, nearest] : {std::tuple{DepthUnit::Metres, 0.0, 3},
                                      {DepthUnit::Metres, 0.9, 4},
                                      {DepthUnit::Metres, 0.875, 3},  // a tie: the shallower
                                      {DepthUnit::Metres, 9.0, 5},
                                      {DepthUnit::Feet, 1.0 / 0.3048, 4}})
    EXPECT_EQ(nearestReading(*s, unit, depth), nearest) << depth;
  s->NumReadings = 2;
  EXPECT_EQ(nearestReading(*s, DepthUnit::Metres, 0.5), 0);
}

}  // namespace
}  // namespace pelorin::test
