// The sounding file's limit of 10,000 readings, the reading line written and the channels
// that cannot be saved; what the reader makes of each file, the files it refuses and the
// bytes of whole saves are lines of tests/cases.txt.

#include <gtest/gtest.h>

#include <cstdio>

#include "sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

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
  Outcome error =
      openSounding(bytes + "100.01   2.00\r\n", "long.cpt", projectDefinitions()).outcome;
  EXPECT_EQ(error.line, 10024);
  EXPECT_NE(error.message.find("line 10024: more than 10,000"), std::string::npos) << error.message;
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
  auto noFactor = openCpt("channel_type_without_definitions.cpt");  // type 19: no file
  auto noFullScale = openCpt("final_baseline_line.cpt");
  ASSERT_TRUE(noFactor && noFullScale);
  noFullScale->FullScaleValue[3] = 0;
  for (auto [s, names] :
       {std::pair{noFactor.get(), "channel 2 (Gamma)"}, {noFullScale.get(), "channel 3 (U2)"}}) {
    std::string bytes;
    Outcome error = writeSoundingFile(*s, projectDefinitions(), headerTexts(*s), bytes);
    EXPECT_FALSE(error);
    EXPECT_NE(error.message.find(names), std::string::npos) << error.message;
  }
}

}  // namespace
}  // namespace pelorin::test
