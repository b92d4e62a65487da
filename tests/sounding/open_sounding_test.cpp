// Opening a sounding: the depth increment, the lag of channel 2 when the file has no
// no-value markers, the first complete reading, and the unit each channel is shown in.

#include <gtest/gtest.h>

#include "sounding/units.hpp"
#include "sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

TEST(OpenSounding, DerivesIncrementLagsAndFirstCompleteReading) {
  // few_readings.cpt: depths 1.00, 1.05, 1.10, 1.20, 1.30 m, one line of 55 bytes each.
  const std::string few = cptBytes("few_readings.cpt");
  const std::string head = few.substr(0, few.find("(cm/s)\r\n") + 8);
  struct {
    const char* file;
    int readings;  // of few_readings.cpt
    float increment;
    int lag2, lag3, currentRow;
  } cases[] = {
      // Friction taken to trail the cone by 0.1 m or 0.15 m, told by the cone's full scale.
      {"derived_lag_full_scale_100000.cpt", 0, 0.05f, 2, 0, 3},
      {"derived_lag_full_scale_150000.cpt", 0, 0.05f, 3, 0, 4},
      {"no_derived_lag_full_scale_50000.cpt", 0, 0.05f, 0, 0, 1},
      {"depth_gap_after_reading_12.cpt", 0, 0.05f, 2, 0, 3},  // readings 2 to 12 set the step
      {"channel_lags_5_and_3.cpt", 0, 0.05f, 5, 3, 6},  // markers in the file: nothing derived
      {"lag_30_markers.cpt", 0, 0.01f, 30, 0, 24},  // the first complete reading below the grid
      {"equal_depths.cpt", 0, 0.0f, 0, 0, 1},       // no step: no lag
      {"few", 5, 0.25f / 3, 1, 0, 2},  // (D5 - D2) / 3: 0.1 / 0.0833 rounds to 1
      {"few", 3, 0.05f, 2, 0, 3},      // D3 - D2
      {"few", 2, 0.05f, 2, 0, 3},      // D2 - D1
      {"few", 1, 0.0f, 0, 0, 1},
  };
  for (const auto& c : cases) {
    auto s = openCpt(c.file, c.readings ? head + few.substr(head.size(), 55 * c.readings) : "");
    ASSERT_TRUE(s);
    EXPECT_NEAR(s->DepthIncrement, c.increment, 1e-6) << c.file << c.readings;
    EXPECT_EQ((std::vector<int>{s->ChannelLag[2], s->ChannelLag[3], s->MaxLag, s->DataIndex,
                                s->CurrentRow}),
              (std::vector<int>{c.lag2, c.lag3, std::max(c.lag2, c.lag3),
                                std::max(c.lag2, c.lag3) + 1, c.currentRow}))
        << c.file << c.readings;
  }
}

TEST(ChannelUnitChange, RescalesValuesAndDriftButNotTheRawOutputOrNoValue) {
  auto s = openCpt("sample_clay_002.cpt");  // Fs ends in five no-value markers
  ASSERT_TRUE(s);
  const auto before = std::make_unique<Sounding>(*s);
  changeChannelUnit(*s, projectDefinitions(), 1, 1);  // Qc from MPA to KPA
  changeChannelUnit(*s, projectDefinitions(), 2, 2);  // Fs from KPA to MPA
  EXPECT_FLOAT_EQ(s->Reading[1][1], before->Reading[1][1] * 1000);
  EXPECT_FLOAT_EQ(s->Reading[2][1], before->Reading[2][1] / 1000);
  EXPECT_FLOAT_EQ(s->BaselineDrift[2], before->BaselineDrift[2] / 1000);
  // The raw output, markers included, does not depend on the unit shown: only rows 6 and 7
  // change.
  std::string original = savedCpt(*before), changed = savedCpt(*s);
  auto readings = [](const std::string& file) { return file.substr(file.find("(m) (cm/s)")); };
  EXPECT_EQ(readings(changed), readings(original));
  EXPECT_NE(changed.find("KPA                 MPA                 KPA\r\n"
                         "                       1.00000000          0.00100000"),
            std::string::npos);

  s = openCpt("channel_type_without_definitions.cpt");  // type 12 keeps the file's factor
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ChannelFactor[2], 2.5f);
}

}  // namespace
}  // namespace pelorin::test
