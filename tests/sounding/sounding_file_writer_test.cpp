// Writing sounding files: the exact reading line, the file Save makes of a loosely written
// one, byte-for-byte round trips, and the channels whose raw values cannot be worked out.

#include <gtest/gtest.h>

#include <functional>

#include "sounding_fixtures.hpp"

namespace pelorin::test {
namespace {

TEST(SoundingFileWriter, ReadingLineColumns) {
  // Channel values in kPa with a full scale of 1 output per kPa and no zero offset, so the
  // raw value is the engineering value.
  auto s = std::make_unique<Sounding>();
  s->NumChannels = 2;
  for (int c = 1; c <= 2; ++c) {
    s->ChannelType[c] = static_cast<std::int16_t>(c);
    s->ChannelUnit[c] = 1;
    s->ChannelFactor[c] = 1;
    s->FullScaleOutput[c] = 1;
    s->FullScaleValue[c] = 1;
  }
  s->NumReadings = 1;
  s->Depth[1] = 1.05f;
  s->Speed[1] = 2.0f;
  s->Reading[1][1] = 123.45678f;
  s->Reading[2][1] = NoValue;
  std::string bytes = saved(*s);
  std::string line = bytes.substr(bytes.find("   (m) (cm/s)\r\n") + 15);
  EXPECT_EQ(line, "  1.05   2.00           123.45678              -32768\r\n");
  EXPECT_EQ(line.size(), 53u + 2);
}

TEST(SoundingFileWriter, EachStepBackToRawOutputIsRoundedToAFloat) {
  // Friction shown in MPa, full scale 1000 kPa at 60000 counts: raw values large enough for
  // a float's last bit to show in the fifth decimal. Dividing in another order, or rounding
  // only once, gives 234.78000 and 237.29999.
  auto s = std::make_unique<Sounding>();
  s->NumChannels = 1;
  s->ChannelType[1] = 2;
  s->ChannelUnit[1] = 2;
  s->ChannelFactor[1] = 0.001f;
  s->FullScaleOutput[1] = 60000;
  s->FullScaleValue[1] = 1000;
  s->NumReadings = 2;
  s->Depth[1] = 1.0f, s->Depth[2] = 1.02f;
  s->Reading[1][1] = 0.003913f;
  s->Reading[1][2] = 0.003955f;
  std::string bytes = saved(*s);
  EXPECT_NE(bytes.find("  1.00   0.00           234.78001\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("  1.02   0.00           237.30000\r\n"), std::string::npos) << bytes;
}

TEST(SoundingFileWriter, SavingBeforeAnyFileWasOpened) {
  auto s = std::make_unique<Sounding>();
  HeaderTexts header;
  for (std::size_t i = 0; i < header.size(); ++i) header[i] = "box " + std::to_string(i + 1);
  std::string bytes;
  FileError error;
  ASSERT_TRUE(writeSoundingFile(*s, projectDefinitions(), header, bytes, error));
  std::string expected = "Quillbrandt Sounding File\r\n";
  for (const auto& text : header) expected += text + "\r\n";
  expected += "\r\n\r\n";
  for (int row = 1; row <= 7; ++row) expected += std::string(13, ' ') + "\r\n";
  expected += "   (m) (cm/s)\r\n";
  EXPECT_EQ(bytes, expected);
}

TEST(SoundingFileWriter, SaveOfAFileNotWrittenByPelorin) {
  // loose_formatting.cpt: another identification line, spare lines with text, a different
  // units line, numbers without their decimals, a row 5 without the unit name, "-32768.00".
  // unknown_unit_name.cpt: row 6 "Mpa" is saved as the base unit with its factor; the raw
  // values stay.
  struct Case {
    const char* input;
    const char* expected;
  } cases[] = {{"loose_formatting.cpt", "loose_formatting.saved.cpt"},
               {"unknown_unit_name.cpt", "unknown_unit_name.saved.cpt"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    auto s = openFixture(c.input);
    ASSERT_TRUE(s);
    EXPECT_EQ(saved(*s), readFixture(c.expected));
  }
}

TEST(SoundingFileWriter, OpenedAndSavedAgainComesBackByteForByte) {
  const char* samples[] = {"sample_clay_002.cpt", "sample_sand_005.cpt", "sample_no_pore.cpt"};
  for (const char* name : samples) {
    SCOPED_TRACE(name);
    std::string bytes = readSample(name);
    auto s = openBytes(bytes, name);
    ASSERT_TRUE(s);
    EXPECT_EQ(saved(*s), bytes);
  }
  for (const char* name : {"loose_formatting.saved.cpt", "unknown_unit_name.saved.cpt"}) {
    SCOPED_TRACE(name);
    auto s = openFixture(name);
    ASSERT_TRUE(s);
    EXPECT_EQ(saved(*s), readFixture(name));
  }
}

TEST(SoundingFileWriter, RefusesChannelsWhoseRawValuesCannotBeWorkedOut) {
  struct Case {
    const char* fixture;
    std::function<void(Sounding&)> change;
    const char* names;
  } cases[] = {
      // Type 12 has no definition file: no unit factor to divide by.
      {"channel_type_without_definitions.cpt", [](Sounding&) {}, "channel 2 (Gamma)"},
      {"final_baseline_line.cpt", [](Sounding& s) { s.FullScaleValue[3] = 0; },
       "channel 3 (U2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    auto s = openFixture(c.fixture);
    ASSERT_TRUE(s);
    c.change(*s);
    std::string bytes;
    FileError error;
    EXPECT_FALSE(writeSoundingFile(*s, projectDefinitions(), headerTexts(*s), bytes, error));
    EXPECT_NE(error.message.find(c.names), std::string::npos) << error.message;
  }
}

}  // namespace
}  // namespace pelorin::test
