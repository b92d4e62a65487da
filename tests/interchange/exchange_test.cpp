// GEF-CPT and AGS4: every sample written reads back as the sounding within the decimals
// written. The bytes themselves are lines of tests/cases.txt, each checked once against the
// rules strict readers of the format apply.

#include <gtest/gtest.h>

#include <cmath>

#include "export/readings_table.hpp"
#include "interchange/ags_file.hpp"
#include "interchange/exchange_file.hpp"
#include "interchange/gef_file.hpp"
#include "sounding/open_sounding.hpp"
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
  Outcome made = exchangeFileBytes(format, *s, projectDefinitions(), headerTexts(*s),
                                   {"Delete reading 7"}, bytes);
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

}  // namespace
}  // namespace pelorin::test
