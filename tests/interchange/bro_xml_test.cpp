// BRO XML against the same test as the registry delivers it in GEF-CPT, and against the figures
// pygef's own test publishes for its example.

#include <gtest/gtest.h>

#include <cmath>

#include "export/readings_table.hpp"
#include "sounding/open_sounding.hpp"
#include "test_support.hpp"

namespace pelorin::test {
namespace {

// The channel of a type, 0 when there is none.
int channelOfType(const Sounding& s, int type) {
  for (int c = 1; c <= s.NumChannels; ++c)
    if (s.ChannelType[c] == type) return c;
  return 0;
}

// Each XML file and its GEF twin: the same readings (depth, qc, fs, u2 within the 0.001 MPa and
// 0.001 m both files write) and the metadata both carry.
TEST(BroXml, ReadsAsItsGefTwin) {
  const std::pair<const char*, const char*> twins[] = {
      {"field/geolib_imbro_217393.xml", "field/geolib_imbro_217393.gef"},
      {"field/geolib_imbro_3688.xml", "field/geolib_imbro_3688.gef"},
      {"field/geolib_imbro_3688_new_version.xml", "field/geolib_imbro_3688.gef"}};
  for (auto [xmlName, gefName] : twins) {
    SCOPED_TRACE(xmlName);
    auto [xml, xmlRead, xmlNotes] = openSoundingFile(fixturePath(xmlName), projectDefinitions());
    auto [gef, gefRead, gefNotes] = openSoundingFile(fixturePath(gefName), projectDefinitions());
    ASSERT_TRUE(xml) << xmlRead.message;
    ASSERT_TRUE(gef) << gefRead.message;
    ASSERT_EQ(xml->NumReadings, gef->NumReadings);
    for (auto field : {&Sounding::HoleNumber, &Sounding::ConeNumber, &Sounding::DateAndTime})
      EXPECT_EQ(xml.get()->*field, gef.get()->*field);
    EXPECT_EQ(xml->Site.CoordinateSystem, gef->Site.CoordinateSystem);
    EXPECT_EQ(xml->Site.X, gef->Site.X);
    EXPECT_EQ(xml->Site.Y, gef->Site.Y);
    EXPECT_EQ(xml->Site.GroundLevel, gef->Site.GroundLevel);
    EXPECT_EQ(xml->Site.LevelDatum, gef->Site.LevelDatum);
    EXPECT_EQ(xml->Site.ConeArea, gef->Site.ConeArea);
    EXPECT_EQ(xml->Site.AreaRatio, gef->Site.AreaRatio);
    EXPECT_EQ(xml->Site.PredrillDepth, gef->Site.PredrillDepth);
    for (int n = 1; n <= xml->NumReadings; ++n) {
      ASSERT_NEAR(xml->Depth[n], gef->Depth[n], 0.0005) << n;
      for (int type : {1, 2, 3}) {  // qc, fs, u2 in kPa
        const int a = channelOfType(*xml, type), b = channelOfType(*gef, type);
        ASSERT_EQ(a == 0, b == 0) << "type " << type;
        if (a == 0) continue;
        const float x = channelValueAt(*xml, a, n), g = channelValueAt(*gef, b, n);
        ASSERT_EQ(x == NoValue, g == NoValue) << "reading " << n << " type " << type;
        if (x != NoValue) {
          ASSERT_NEAR(x, g, 0.5) << "reading " << n << " type " << type;
        }
      }
    }
  }
}

// pygef's test of its example: 372 rows, a cone surface quotient of 0.67, a final depth of 7.439 m
// (the depth column of the last reading), and the zero-load readings of the cone (0.173 and 0.109
// MPa) as a drift of -64 kPa.
TEST(BroXml, PygefExampleHasItsPublishedFigures) {
  auto [s, read, notes] =
      openSoundingFile(fixturePath("field/pygef_example.xml"), projectDefinitions());
  ASSERT_TRUE(s) << read.message;
  EXPECT_EQ(s->NumReadings, 372);
  EXPECT_EQ(s->Site.AreaRatio, "0.67");
  EXPECT_EQ(s->HoleNumber, "CPT000000099543");
  const int depth = channelOfType(*s, 14);
  ASSERT_GT(depth, 0);
  EXPECT_FLOAT_EQ(channelValueAt(*s, depth, s->NumReadings), 7.439f);
  EXPECT_TRUE(s->HasFinalBaseline);
  EXPECT_FLOAT_EQ(s->BaselineDrift[channelOfType(*s, 1)], -64.0f);
}

}  // namespace
}  // namespace pelorin::test
