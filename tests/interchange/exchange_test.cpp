// GEF-CPT and AGS4: every sample written reads back as the sounding within the decimals
// written. The bytes themselves are lines of tests/cases.txt, each checked once against the
// rules strict readers of the format apply.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "edit/fill_gaps.hpp"
#include "export/readings_table.hpp"
#include "interchange/ags_file.hpp"
#include "interchange/exchange_file.hpp"
#include "interchange/gef_file.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "test_support.hpp"

namespace pelorin::test {
namespace {

// The sample written in the format and read back: the same readings, each value within half the
// last decimal written, markers still voids.
void expectRoundTrip(ExchangeFormat format, const std::string& path) {
  SCOPED_TRACE(path);
  auto [s, error, errorNotes] = openSoundingFile(path, projectDefinitions());
  ASSERT_TRUE(s) << error.message;
  std::string bytes;
  std::vector<std::string> notes;
  Outcome made = exchangeFileBytes(format, *s, projectDefinitions(), headerTexts(*s),
                                   {"Delete reading 7"}, bytes, notes);
  ASSERT_TRUE(made) << made.message;
  // The history, then the class the readings reach.
  const char* comment = format == ExchangeFormat::Gef
                            ? "#COMMENT= Delete reading 7\r\n#COMMENT= ISO 22476-1 class "
                            : ",\"Delete reading 7; ISO 22476-1 class ";
  EXPECT_NE(bytes.find(comment), std::string::npos);

  auto [back, read, readNotes] = openSounding(bytes, "back", projectDefinitions());
  ASSERT_TRUE(back) << read.message;
  ASSERT_EQ(back->NumReadings, s->NumReadings);
  EXPECT_EQ(back->HoleNumber, s->HoleNumber);
  for (int n = 1; n <= s->NumReadings; ++n) {
    ASSERT_NEAR(back->Depth[n], s->Depth[n], 0.005 + 1e-6) << n;
    for (int c = 1; c <= s->NumChannels; ++c) {
      const int type = s->ChannelType[c];
      int b = 1;
      while (b <= back->NumChannels && back->ChannelType[b] != type) ++b;
      ASSERT_LE(b, back->NumChannels) << "type " << type;
      float meant = channelValueAt(*s, c, n), read = channelValueAt(*back, b, n);
      ASSERT_EQ(read == NoValue, meant == NoValue) << "reading " << n << " channel " << c;
      if (meant == NoValue) continue;
      // Written in MPa with 3 (cone) or 4 decimals, in degrees with 2; read back in kPa.
      double base = meant / static_cast<double>(s->ChannelFactor[c]);
      double half = type == 1 ? 0.5 : type <= 5 ? 0.05 : 0.005;
      ASSERT_NEAR(read, base, half * 1.001 + std::fabs(base) * 1e-6)
          << "reading " << n << " channel " << c;
    }
  }
}

TEST(Exchange, SamplesAreStrictAndReadBackWithinTheirDecimals) {
  for (ExchangeFormat format : {ExchangeFormat::Gef, ExchangeFormat::Ags})
    for (const std::string& path :
         {dataPath("sample_clay_002.cpt"), dataPath("sample_sand_005.cpt"),
          dataPath("sample_no_pore.cpt"), fixturePath("analog_qc_fs_u2_ix_iy.cpt")})
      expectRoundTrip(format, path);
}

// Every field file, its gaps filled, saved as a sounding file and opened again: each value that
// was there is still at its reading, within the five decimals the file keeps, and each depth
// within the centimetre a sounding file keeps.
TEST(Exchange, FieldFilesFilledAndSavedKeepEveryValueAtItsReading) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(fixturePath("field"))) {
    const std::string path = entry.path().string();
    if (!path.ends_with(".gef") && !path.ends_with(".ags")) continue;
    SCOPED_TRACE(path);
    ++files;
    auto [s, error, notes] = openSoundingFile(path, projectDefinitions());
    ASSERT_TRUE(s) << error.message;
    auto filled = std::make_unique<Sounding>(*s);
    fillGaps(*filled);
    std::string saved;
    ASSERT_TRUE(writeSoundingFile(*filled, projectDefinitions(), headerTexts(*filled), saved));
    // A length of -999.999 m (a void written wrongly) is more than a sounding file can hold:
    // the save says so.
    if (std::string problem = readBackProblem(saved, *filled, projectDefinitions());
        !problem.empty()) {
      EXPECT_TRUE(path.ends_with("geolib_missing_predrilled.gef")) << problem;
      continue;
    }
    auto [back, read, readNotes] = openSounding(saved, "back.cpt", projectDefinitions());
    ASSERT_TRUE(back) << read.message;
    ASSERT_EQ(back->NumReadings, filled->NumReadings);
    for (int n = 1; n <= back->NumReadings; ++n) {
      ASSERT_NEAR(back->Depth[n], s->Depth[n], 0.005 + 1e-6) << n;
      for (int c = 1; c <= s->NumChannels; ++c) {
        const float was = channelValueAt(*s, c, n);
        if (was == NoValue) continue;
        const double base = was / static_cast<double>(s->ChannelFactor[c]);
        const double now =
            channelValueAt(*back, c, n) / static_cast<double>(back->ChannelFactor[c]);
        ASSERT_NEAR(now, base, 0.5e-5 + std::fabs(base) * 1e-6)
            << "reading " << n << ", channel " << c;
      }
    }
  }
  EXPECT_GE(files, 20);
}

}  // namespace
}  // namespace pelorin::test
