// Opening a sounding: the depth increment, the lag of channel 2 when the file has no
// no-value markers, the first complete reading, and the unit each channel is shown in.

#include <gtest/gtest.h>

#include "sounding/units.hpp"
#include "sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

struct Derived {
  const char* file;
  bool sample;  // data/ rather than tests/data/
  float increment;
  int lag2, lag3, maxLag, dataIndex, currentRow;
};

TEST(OpenSounding, DerivesIncrementLagsAndFirstCompleteReading) {
  const Derived cases[] = {
      // Friction taken to trail the cone by 0.1 m or 0.15 m, told by the cone's full scale.
      {"derived_lag_full_scale_100000.cpt", false, 0.05f, 2, 0, 2, 3, 3},
      {"derived_lag_full_scale_150000.cpt", false, 0.05f, 3, 0, 3, 4, 4},
      {"no_derived_lag_full_scale_50000.cpt", false, 0.05f, 0, 0, 0, 1, 1},
      // Readings 2 to 12 set the step, not the last reading.
      {"depth_gap_after_reading_12.cpt", false, 0.05f, 2, 0, 2, 3, 3},
      // Markers in the file: counted, nothing derived whatever channel 1's full scale.
      {"channel_lags_5_and_3.cpt", false, 0.05f, 5, 3, 5, 6, 6},
      // The first complete reading lies below the grid: the current row stays the last.
      {"lag_30_markers.cpt", false, 0.01f, 30, 0, 30, 31, 24},
      // No step at all: no lag is derived from it.
      {"equal_depths.cpt", false, 0.0f, 0, 0, 0, 1, 1},
      {"sample_clay_002.cpt", true, 0.02f, 5, 0, 5, 6, 6},
      {"sample_sand_005.cpt", true, 0.05f, 2, 0, 2, 3, 3},
      {"sample_no_pore.cpt", true, 0.02f, 0, 0, 0, 1, 1},
  };
  for (const Derived& c : cases) {
    SCOPED_TRACE(c.file);
    auto s = c.sample ? openBytes(readSample(c.file), c.file) : openFixture(c.file);
    ASSERT_TRUE(s);
    EXPECT_FLOAT_EQ(s->DepthIncrement, c.increment);
    EXPECT_EQ(s->ChannelLag[2], c.lag2);
    EXPECT_EQ(s->ChannelLag[3], c.lag3);
    EXPECT_EQ(s->MaxLag, c.maxLag);
    EXPECT_EQ(s->DataIndex, c.dataIndex);
    EXPECT_EQ(s->CurrentRow, c.currentRow);
  }
}

TEST(OpenSounding, IncrementFromTheReadingsThatExist) {
  // Depths 1.00, 1.05, 1.10, 1.20, 1.30 m; the cone's full scale is 100000.
  const std::string whole = readFixture("few_readings.cpt");
  struct Case {
    int readings;
    float increment;
    int lag2;
  } cases[] = {
      {5, 0.25f / 3, 1},  // (Depth(5) - Depth(2)) / 3: 0.1 / 0.0833 rounds to 1
      {4, 0.075f, 1},     // (Depth(4) - Depth(2)) / 2
      {3, 0.05f, 2},      // Depth(3) - Depth(2)
      {2, 0.05f, 2},      // Depth(2) - Depth(1)
      {1, 0.0f, 0},
      {0, 0.0f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.readings);
    auto s = openBytes(firstLines(whole, 23 + c.readings), "few_readings.cpt");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->NumReadings, c.readings);
    EXPECT_NEAR(s->DepthIncrement, c.increment, 1e-6);
    EXPECT_EQ(s->ChannelLag[2], c.lag2);
    EXPECT_EQ(s->DataIndex, c.lag2 + 1);
  }
}

TEST(OpenSounding, ChannelTypeWithoutDefinitionsKeepsTheFilesFactor) {
  auto s = openFixture("channel_type_without_definitions.cpt");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ChannelType[2], 12);
  EXPECT_EQ(s->ChannelFactor[2], 2.5f);
  EXPECT_FLOAT_EQ(s->Reading[2][1], 500.0f);  // 4 / 10 x 500 x 2.5
  EXPECT_EQ(s->ChannelFactor[1], 0.001f);      // channel 1 selected as usual
}

TEST(ChannelUnitChange, RescalesValuesAndDriftAndPassesNoValueThrough) {
  auto s = openBytes(readSample("sample_clay_002.cpt"), "sample_clay_002.cpt");
  ASSERT_TRUE(s);
  const auto beforeCopy = std::make_unique<Sounding>(*s);
  const Sounding& before = *beforeCopy;
  const auto& defs = projectDefinitions();

  changeChannelUnit(*s, defs, 1, 1);  // Qc from MPA to KPA
  changeChannelUnit(*s, defs, 2, 2);  // Fs from KPA to MPA; its last five readings have no value
  EXPECT_EQ(s->ChannelUnit[1], 1);
  EXPECT_EQ(s->ChannelFactor[1], 1.0f);
  EXPECT_EQ(s->ChannelFactor[2], 0.001f);
  int markers = 0;
  for (int n = 1; n <= s->NumReadings; ++n) {
    EXPECT_FLOAT_EQ(s->Reading[1][n], before.Reading[1][n] * 1000);
    if (before.Reading[2][n] == NoValue) {
      ++markers;
      EXPECT_EQ(s->Reading[2][n], NoValue);
    } else {
      EXPECT_FLOAT_EQ(s->Reading[2][n], before.Reading[2][n] / 1000);
    }
    EXPECT_EQ(s->Reading[3][n], before.Reading[3][n]);
  }
  EXPECT_EQ(markers, 5);
  EXPECT_FLOAT_EQ(s->BaselineDrift[1], before.BaselineDrift[1] * 1000);
  EXPECT_FLOAT_EQ(s->BaselineDrift[2], before.BaselineDrift[2] / 1000);

  // The raw output does not depend on the unit shown: only rows 6 and 7 change.
  std::string original = saved(before), changed = saved(*s);
  EXPECT_EQ(changed.substr(changed.find("   (m) (cm/s)")),
            original.substr(original.find("   (m) (cm/s)")));
  const std::string lead(13, ' ');
  EXPECT_NE(changed.find(lead + std::string(17, ' ') + "KPA" + std::string(17, ' ') + "MPA"),
            std::string::npos);
  EXPECT_NE(changed.find(lead + std::string(10, ' ') + "1.00000000" + std::string(10, ' ') +
                         "0.00100000"),
            std::string::npos);
}

}  // namespace
}  // namespace pelorin::test
