// Reading sounding files: the column windows of the trimmed reading line, channel counting,
// unit matching, the final-baseline line, no-value markers and the files that are refused.

#include <gtest/gtest.h>

#include <cstdio>

#include "sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

// Reads without deriving anything or selecting units: the model as the file gives it.
std::unique_ptr<Sounding> readOnly(const std::string& fixture) {
  auto s = std::make_unique<Sounding>();
  FileError error;
  EXPECT_TRUE(readSoundingFile(readFixture(fixture), fixture, projectDefinitions(), *s, error))
      << error.message;
  return s;
}

TEST(SoundingFileReader, DepthAndSpeedWindowsMoveWithTheTrimmedLine) {
  // 5.00 m is trimmed by two columns, 15.00 m with 150.00 cm/s by one, 120.00 m by none.
  auto s = openFixture("shifted_depth_and_speed.cpt");
  ASSERT_TRUE(s);
  ASSERT_EQ(s->NumReadings, 3);
  const float depth[] = {5.0f, 15.0f, 120.0f}, speed[] = {2.0f, 150.0f, 2.03f};
  const float qc[] = {1.23456f, 2.34567f, 3.45678f}, fs[] = {0.06543f, 0.07654f, 0.08765f};
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(s->Depth[n], depth[n - 1]);
    EXPECT_EQ(s->Speed[n], speed[n - 1]);
    EXPECT_EQ(s->RawReading[1][n], qc[n - 1]);
    EXPECT_EQ(s->RawReading[2][n], fs[n - 1]);
  }
  // (raw - zero) / full-scale output x full-scale value x factor: MPa and kPa.
  EXPECT_FLOAT_EQ(s->Reading[1][1], 6.1228f);
  EXPECT_FLOAT_EQ(s->Reading[2][1], 6.043f);
}

TEST(SoundingFileReader, ChannelsAreCountedFromTheLengthOfRowOne) {
  // Rows 2 to 7 hold five fields each; row 1 decides. A fifth type code cut short at 99
  // characters does not count, one of 100 characters does.
  struct Case {
    const char* fixture;
    int channels;
  } cases[] = {{"channel_row_93_characters.cpt", 4},
               {"channel_row_99_characters.cpt", 4},
               {"channel_row_100_characters.cpt", 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    auto s = openFixture(c.fixture);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->NumChannels, c.channels);
    EXPECT_EQ(s->ChannelType[4], 6);
    EXPECT_EQ(s->ChannelType[5], c.channels == 5 ? 7 : 0);
    EXPECT_EQ(s->ChannelName[4], "Ix");
  }
}

TEST(SoundingFileReader, UnitNameMatchingNoOptionSelectsTheBaseUnit) {
  // Row 6 says "Mpa": the names are compared exactly, so option 1 (KPA) is chosen, and the
  // opening rescales from the file's row 7 factor (0.001) to that option's factor.
  auto read = readOnly("unknown_unit_name.cpt");
  EXPECT_EQ(read->ChannelUnit[1], 1);
  EXPECT_EQ(read->ChannelFactor[1], 0.001f);
  EXPECT_FLOAT_EQ(read->Reading[1][1], 5.0f);

  auto s = openFixture("unknown_unit_name.cpt");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ChannelUnit[1], 1);
  EXPECT_EQ(s->ChannelFactor[1], 1.0f);
  EXPECT_NEAR(s->Reading[1][1], 5000.0f, 1e-3);
  EXPECT_EQ(s->ChannelUnit[2], 1);
}

TEST(SoundingFileReader, UnitNameSelectsTheLastMatchingOption) {
  auto defs = std::make_unique<ChannelDefinitions>(projectDefinitions());
  defs->UnitName[1][5] = "MPA";  // options 2 and 5 now share the name
  auto s = std::make_unique<Sounding>();
  FileError error;
  ASSERT_TRUE(readSoundingFile(readFixture("shifted_depth_and_speed.cpt"), "x", *defs, *s, error));
  EXPECT_EQ(s->ChannelUnit[1], 5);
}

TEST(SoundingFileReader, ChannelWithoutRowSixFieldGetsTheBaseUnit) {
  // Row 6 holds a field for channel 1 only: channel 2 still gets a unit and a factor.
  auto s = openFixture("short_unit_row.cpt");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ChannelUnit[1], 2);
  EXPECT_EQ(s->ChannelUnit[2], 1);
  EXPECT_EQ(s->ChannelFactor[2], 1.0f);
  FileError error;
  std::string bytes;
  EXPECT_TRUE(writeSoundingFile(*s, projectDefinitions(), headerTexts(*s), bytes, error))
      << error.message;
}

TEST(SoundingFileReader, FinalBaselineLineIsStoredWithItsFirstValueEndingInColumn33) {
  struct Case {
    const char* fixture;
    const char* trimmed;
    float qcAfter, qcDrift;
  } cases[] = {
      {"final_baseline_line.cpt", "0.01300             0.00450             0.02100", 0.013f,
       0.015f},
      {"final_baseline_line_negative.cpt", "-0.00300             0.00450             0.02100",
       -0.003f, -0.065f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    auto s = openFixture(c.fixture);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->NumReadings, 4);  // the line is no reading
    EXPECT_EQ(s->Depth[4], 1.06f);
    ASSERT_TRUE(s->HasFinalBaseline);
    std::string stored = std::string(c.trimmed[0] == '-' ? 25 : 26, ' ') + c.trimmed;
    EXPECT_EQ(s->FinalBaselineLine, stored);
    EXPECT_EQ(s->Baseline[1][2], c.qcAfter);
    EXPECT_EQ(s->Baseline[2][2], 0.0045f);
    EXPECT_EQ(s->Baseline[3][2], 0.021f);
    // Drift in the channel's unit: MPa, kPa, kPa.
    EXPECT_FLOAT_EQ(s->BaselineDrift[1], c.qcDrift);
    EXPECT_FLOAT_EQ(s->BaselineDrift[2], -0.05f);
    EXPECT_FLOAT_EQ(s->BaselineDrift[3], 0.2f);
    // Saved back unchanged as the last line.
    std::string bytes = saved(*s);
    EXPECT_EQ(bytes.substr(bytes.size() - stored.size() - 4), "\r\n" + stored + "\r\n");
  }
}

TEST(SoundingFileReader, FirstReadingIsNeverTheFinalBaselineLine) {
  auto s = openFixture("negative_first_depth.cpt");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->NumReadings, 3);
  EXPECT_FALSE(s->HasFinalBaseline);
  EXPECT_EQ(s->Depth[1], -0.02f);
  EXPECT_EQ(s->RawReading[1][1], 0.5f);
}

TEST(SoundingFileReader, NoValueWithDecimalsIsCountedAndNeverConverted) {
  // Channel 2: "-32768.00000" and "-32768"; channel 3: "-32768.0" in the first reading.
  auto s = openFixture("no_value_with_decimals.cpt");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ChannelLag[1], 0);
  EXPECT_EQ(s->ChannelLag[2], 2);
  EXPECT_EQ(s->ChannelLag[3], 1);
  EXPECT_EQ(s->MaxLag, 2);
  for (auto [c, n] : {std::pair{2, 3}, {2, 4}, {3, 1}}) {
    EXPECT_EQ(s->RawReading[c][n], NoValue);
    EXPECT_EQ(s->Reading[c][n], NoValue);
  }
  std::string bytes = saved(*s);
  EXPECT_NE(bytes.find("  2.00   2.00             1.00000             0.10000              -32768\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("  2.04   2.00             1.20000              -32768             0.14000\r\n"),
            std::string::npos);
  EXPECT_EQ(bytes.find("-32768."), std::string::npos);
}

TEST(SoundingFileReader, RefusedFilesNameTheFileTheLineAndTheProblem) {
  struct Case {
    const char* fixture;
    int line;
    const char* problem;
  } cases[] = {
      {"ends_in_header.cpt", 9, "ends"},
      {"ends_in_channel_block.cpt", 19, "ends"},
      {"ends_before_units_line.cpt", 23, "units line"},
      {"eleven_channels.cpt", 16, "11 channels"},
      {"channel_type_21.cpt", 16, "\"21\""},
      {"zero_full_scale_output.cpt", 18, "row 3"},
      {"full_scale_value_out_of_range.cpt", 20, "row 5"},
      {"zero_unit_factor.cpt", 22, "row 7"},
      {"reading_beyond_float_range.cpt", 24, "channel 2 does not fit"},
      {"depth_not_a_number.cpt", 26, "depth \"1.0x"},
      {"speed_not_a_number.cpt", 25, "speed"},
      {"shifted_speed_not_a_number.cpt", 26, "depth \"5.00 1\""},
      {"empty_line_among_readings.cpt", 26, "empty line"},
      {"empty_line_after_readings.cpt", 27, "empty line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    FileError error;
    std::string path = fixturePath(c.fixture);
    EXPECT_FALSE(openSounding(readFixture(c.fixture), path, projectDefinitions(), error));
    EXPECT_NE(error.message.find("\"" + path + "\""), std::string::npos) << error.message;
    EXPECT_NE(error.message.find("line " + std::to_string(c.line) + ":"), std::string::npos)
        << error.message;
    EXPECT_NE(error.message.find(c.problem), std::string::npos) << error.message;
  }
}

TEST(SoundingFileReader, AtMostTenThousandReadings) {
  // A final-baseline line after the last reading is no reading and does not count.
  std::string head = firstLines(readFixture("derived_lag_full_scale_100000.cpt"), 23);
  struct Case {
    int readings;
    bool finalBaseline, accepted;
  } cases[] = {{10000, true, true}, {10001, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.readings);
    std::string bytes = head;
    char line[80];
    for (int n = 1; n <= c.readings; ++n) {
      std::snprintf(line, sizeof line, "%6.2f%7.2f%20.5f%20.5f\r\n", n * 0.01, 2.0,
                    0.5 + n * 1e-5, 0.1);
      bytes += line;
    }
    if (c.finalBaseline) bytes += std::string(26, ' ') + "0.01000             0.00500\r\n";
    FileError error;
    auto s = openSounding(bytes, "long.cpt", projectDefinitions(), error);
    if (c.accepted) {
      ASSERT_TRUE(s) << error.message;
      EXPECT_EQ(s->NumReadings, 10000);
      EXPECT_TRUE(s->HasFinalBaseline);
    } else {
      EXPECT_FALSE(s);
      EXPECT_NE(error.message.find("line 10024:"), std::string::npos) << error.message;
    }
  }
}

}  // namespace
}  // namespace pelorin::test
