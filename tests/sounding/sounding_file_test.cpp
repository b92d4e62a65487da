// The sounding file: the column windows of the trimmed reading line, channel counting, unit
// matching, the final-baseline line, no-value markers, the limit of 10,000 readings, the
// exact reading line written and the channels that cannot be saved. Refused files and the
// bytes of whole saves are lines of tests/cases.txt.

#include <gtest/gtest.h>

#include <cstdio>

#include "sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

TEST(SoundingFileReader, DepthAndSpeedWindowsMoveWithTheTrimmedLine) {
  // 5.00 m is trimmed by two columns, 15.00 m with 150.00 cm/s by one, 120.00 m by none.
  auto s = openCpt("shifted_depth_and_speed.cpt");
  ASSERT_TRUE(s);
  ASSERT_EQ(s->NumReadings, 3);
  const std::vector<float> expected[] = {{5.0f, 2.0f, 1.23456f, 0.06543f},
                                         {15.0f, 150.0f, 2.34567f, 0.07654f},
                                         {120.0f, 2.03f, 3.45678f, 0.08765f}};
  for (int n = 1; n <= 3; ++n)
    EXPECT_EQ((std::vector{s->Depth[n], s->Speed[n], s->RawReading[1][n], s->RawReading[2][n]}),
              expected[n - 1]);
  // (raw - zero) / full-scale output x full-scale value x factor: MPa and kPa.
  EXPECT_FLOAT_EQ(s->Reading[1][1], 6.1228f);
  EXPECT_FLOAT_EQ(s->Reading[2][1], 6.043f);
}

TEST(SoundingFileReader, ChannelsAreCountedFromTheLengthOfRowOne) {
  // Rows 2 to 7 hold five fields each; row 1 decides. A fifth type code cut short at 99
  // characters does not count, one of 100 characters does.
  for (auto [fixture, type5] : {std::pair{"channel_row_93_characters.cpt", 0},
                                {"channel_row_99_characters.cpt", 0},
                                {"channel_row_100_characters.cpt", 7}}) {
    auto s = openCpt(fixture);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->NumChannels, type5 ? 5 : 4) << fixture;
    EXPECT_EQ(s->ChannelType[5], type5) << fixture;
  }
}

TEST(SoundingFileReader, RowSixSelectsTheOptionOfThatNameOrElseTheBaseUnit) {
  // "Mpa" matches no option, names being compared exactly: the base unit KPA, which opening
  // rescales to from the file's row 7 factor (0.001).
  auto s = openCpt("unknown_unit_name.cpt");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ChannelFactor[1], 1.0f);
  EXPECT_NEAR(s->Reading[1][1], 5000.0f, 1e-3);
  s = openCpt("short_unit_row.cpt");  // row 6 holds channel 1's "MPA" only
  ASSERT_TRUE(s);
  EXPECT_EQ((std::vector{s->ChannelUnit[1], s->ChannelUnit[2]}), (std::vector<std::int16_t>{2, 1}));
  EXPECT_EQ(s->ChannelFactor[2], 1.0f);
}

TEST(SoundingFileReader, FinalBaselineLineGivesTheDriftInTheChannelsUnit) {
  // Its saving, the first value ending in column 33, is pinned by tests/cases.txt.
  for (auto [fixture, qcDrift] : {std::pair{"final_baseline_line.cpt", 0.015f},
                                  {"final_baseline_line_negative.cpt", -0.065f}}) {
    auto s = openCpt(fixture);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->NumReadings, 4);  // the line is no reading
    EXPECT_EQ(s->Baseline[3][2], 0.021f);
    EXPECT_FLOAT_EQ(s->BaselineDrift[1], qcDrift);  // MPa
    EXPECT_FLOAT_EQ(s->BaselineDrift[2], -0.05f);   // kPa
    EXPECT_FLOAT_EQ(s->BaselineDrift[3], 0.2f);
  }
  auto s = openCpt("negative_first_depth.cpt");  // the first reading is always a reading
  ASSERT_TRUE(s);
  EXPECT_EQ(s->NumReadings, 3);
  EXPECT_FALSE(s->HasFinalBaseline);
}

TEST(SoundingFileReader, NoValueWithDecimalsIsCountedAndNeverConverted) {
  // Channel 2: "-32768.00000" and "-32768"; channel 3: "-32768.0" in the first reading.
  auto s = openCpt("no_value_with_decimals.cpt");
  ASSERT_TRUE(s);
  EXPECT_EQ((std::vector{s->ChannelLag[1], s->ChannelLag[2], s->ChannelLag[3], s->MaxLag}),
            (std::vector<std::int16_t>{0, 2, 1, 2}));
  for (auto [c, n] : {std::pair{2, 3}, {2, 4}, {3, 1}}) EXPECT_EQ(s->Reading[c][n], NoValue);
}

TEST(SoundingFileReader, AtMostTenThousandReadingsAndTheFinalBaselineLine) {
  std::string bytes = cptBytes("derived_lag_full_scale_100000.cpt");
  bytes.resize(bytes.find("(cm/s)\r\n") + 8);
  char line[40];
  for (int n = 1; n <= MaxReadings; ++n) {
    std::snprintf(line, sizeof line, "%6.2f%7.2f%20.5f\r\n", n * 0.01, 2.0, 0.5 + n * 1e-5);
    bytes += line;
  }
  auto s = openCpt("long.cpt", bytes + std::string(26, ' ') + "0.01000\r\n");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->NumReadings, MaxReadings);
  EXPECT_TRUE(s->HasFinalBaseline);
  FileError error;
  EXPECT_FALSE(openSounding(bytes + "100.01   2.00\r\n", "long.cpt", projectDefinitions(), error));
  EXPECT_NE(error.message.find("line 10024: more than 10,000"), std::string::npos)
      << error.message;
}

TEST(SoundingFileWriter, ReadingLineColumnsAndEachStepBackToRawOutputRoundedToAFloat) {
  auto s = builtSounding(1, {0, 1}, 1.05f);  // channel 2 lags: no value in the only reading
  s->Reading[1][1] = 123.45678f;
  std::string bytes = savedCpt(*s);
  EXPECT_EQ(bytes.substr(bytes.find("(cm/s)\r\n") + 8),
            "  1.05   0.10           123.45678              -32768\r\n");

  // Friction shown in MPa, full scale 1000 kPa at 60000 counts: raw values large enough for
  // a float's last bit to show in the fifth decimal. Dividing in another order, or rounding
  // only once, gives 234.78000 and 237.29999.
  s = builtSounding(2, {0}, 1.0f, 0.02f);
  s->ChannelType[1] = 2, s->ChannelUnit[1] = 2, s->ChannelFactor[1] = 0.001f;
  s->FullScaleOutput[1] = 60000, s->FullScaleValue[1] = 1000;
  s->Reading[1][1] = 0.003913f, s->Reading[1][2] = 0.003955f;
  bytes = savedCpt(*s);
  EXPECT_NE(bytes.find("  1.00   0.10           234.78001\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("  1.02   0.20           237.30000\r\n"), std::string::npos) << bytes;
}

TEST(SoundingFileWriter, RefusesChannelsWhoseRawValuesCannotBeWorkedOut) {
  auto noFactor = openCpt("channel_type_without_definitions.cpt");  // type 12: no file
  auto noFullScale = openCpt("final_baseline_line.cpt");
  ASSERT_TRUE(noFactor && noFullScale);
  noFullScale->FullScaleValue[3] = 0;
  for (auto [s, names] : {std::pair{noFactor.get(), "channel 2 (Gamma)"},
                          {noFullScale.get(), "channel 3 (U2)"}}) {
    std::string bytes;
    FileError error;
    EXPECT_FALSE(writeSoundingFile(*s, projectDefinitions(), headerTexts(*s), bytes, error));
    EXPECT_NE(error.message.find(names), std::string::npos) << error.message;
  }
}

}  // namespace
}  // namespace pelorin::test
