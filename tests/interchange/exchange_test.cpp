// GEF-CPT: every sample written obeys what strict GEF readers demand and reads back as the
// sounding within the decimals written.

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "export/readings_table.hpp"
#include "interchange/gef_file.hpp"
#include "sounding/open_sounding.hpp"
#include "test_support.hpp"

namespace pelorin::test {
namespace {

// The header rules the strictest readers apply: "#GEFID= 1, 1, 0" first, every key as
// "#KEY= " with one blank and none before "=", COLUMNINFO numbered 1..N without gaps, one
// COLUMNVOID per column in column order, "#EOH=" straight before the line end, ASCII, CR LF.
void expectStrictHeader(const std::string& gef) {
  ASSERT_TRUE(gef.starts_with("#GEFID= 1, 1, 0\r\n"));
  std::string header = gef.substr(0, gef.find("#EOH=\r\n"));
  ASSERT_NE(header.size(), gef.size()) << "no #EOH= line";
  static const std::regex key(R"(#[A-Z]+= \S.*)");
  int info = 0, voids = 0;
  for (std::size_t at = 0, end; (end = header.find("\r\n", at)) != std::string::npos;
       at = end + 2) {
    std::string line = header.substr(at, end - at);
    EXPECT_TRUE(std::regex_match(line, key)) << line;
    for (unsigned char ch : line) EXPECT_LT(ch, 0x80) << line;
    if (line.starts_with("#COLUMNINFO= ")) {
      EXPECT_TRUE(line.starts_with("#COLUMNINFO= " + std::to_string(++info) + ","));
    } else if (line.starts_with("#COLUMNVOID= ")) {
      EXPECT_EQ(line, "#COLUMNVOID= " + std::to_string(++voids) + ", -9999");
    }
  }
  EXPECT_EQ(info, voids);
  EXPECT_NE(header.find("#COLUMN= " + std::to_string(info) + "\r\n"), std::string::npos);
  EXPECT_EQ(gef.find('\n'), gef.find("\r\n") + 1);
}

TEST(Gef, SamplesAreStrictAndReadBackWithinTheirDecimals) {
  for (const char* sample : {"sample_clay_002.cpt", "sample_sand_005.cpt", "sample_no_pore.cpt"}) {
    SCOPED_TRACE(sample);
    FileError error;
    auto s = openSoundingFile(dataPath(sample), projectDefinitions(), error);
    ASSERT_TRUE(s) << error.message;
    std::string gef, problem;
    ASSERT_TRUE(gefFileBytes(*s, projectDefinitions(),
                             {headerTexts(*s), "2025, 12, 07", {"Delete reading 7"}}, gef,
                             problem));
    expectStrictHeader(gef);
    EXPECT_NE(gef.find("#COMMENT= Delete reading 7\r\n"), std::string::npos);

    auto back = openSounding(gef, "back.gef", projectDefinitions(), error);
    ASSERT_TRUE(back) << error.message;
    ASSERT_EQ(back->NumReadings, s->NumReadings);
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
}

}  // namespace
}  // namespace pelorin::test
