// GEF-CPT and AGS4: every sample and BRO XML field file written reads back as the sounding within
// the decimals written. The bytes themselves are lines of tests/cases.txt, each checked once
// against the rules strict readers of the format apply.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <tuple>

#include "edit/fill_gaps.hpp"
#include "export/readings_table.hpp"
#include "interchange/ags_file.hpp"
#include "interchange/exchange_file.hpp"
#include "interchange/exchange_text.hpp"
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
      const ExchangeColumn* row = nullptr;
      for (const ExchangeColumn& q : projectDefinitions().Exchange)
        if (q.type == type) row = &q;
      ASSERT_NE(row, nullptr) << "type " << type;
      // AGS4 has no heading for some types; the export says which it leaves out.
      if (format == ExchangeFormat::Ags && row->agsHeading.empty()) continue;
      int b = 1;
      while (b <= back->NumChannels && back->ChannelType[b] != type) ++b;
      ASSERT_LE(b, back->NumChannels) << "type " << type;
      float meant = channelValueAt(*s, c, n), read = channelValueAt(*back, b, n);
      ASSERT_EQ(read == NoValue, meant == NoValue) << "reading " << n << " channel " << c;
      if (meant == NoValue) continue;
      // Half the last decimal written, in the type's base unit (MPa written, kPa read back).
      const bool gef = format == ExchangeFormat::Gef;
      const double half =
          0.5 * std::pow(10.0, -(gef ? row->gefDecimals : row->agsDecimals)) *
          unitFactor(gef ? row->gefUnit : row->agsUnit, projectDefinitions().UnitName[type][1])
              .value_or(1.0);
      double base = meant / static_cast<double>(s->ChannelFactor[c]);
      ASSERT_NEAR(read, base, half * 1.001 + std::fabs(base) * 1e-6)
          << "reading " << n << " channel " << c;
    }
  }
}

TEST(Exchange, SamplesAreStrictAndReadBackWithinTheirDecimals) {
  for (ExchangeFormat format : {ExchangeFormat::Gef, ExchangeFormat::Ags})
    for (const std::string& path :
         {dataPath("sample_clay_002.cpt"), dataPath("sample_sand_005.cpt"),
          dataPath("sample_no_pore.cpt"), fixturePath("analog_qc_fs_u2_ix_iy.cpt"),
          fixturePath("field/geolib_imbro_3688.xml"), fixturePath("field/pygef_example.xml"),
          fixturePath("field/pygef_155283.xml")})
      expectRoundTrip(format, path);
}

// Every field file, its gaps filled, saved as a sounding file and opened again: each value that
// was there is still at its reading, within the five decimals the file keeps, and each depth
// within the centimetre a sounding file keeps.
TEST(Exchange, FieldFilesFilledAndSavedKeepEveryValueAtItsReading) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(fixturePath("field"))) {
    const std::string path = entry.path().string();
    if (!path.ends_with(".gef") && !path.ends_with(".ags") && !path.ends_with(".xml")) continue;
    SCOPED_TRACE(path);
    ++files;
    auto [s, error, notes] = openSoundingFile(path, projectDefinitions());
    ASSERT_TRUE(s) << error.message;
    auto filled = std::make_unique<Sounding>(*s);
    fillGaps(*filled);
    std::string saved;
    WrittenReadings meant;
    ASSERT_TRUE(
        writeSoundingFile(*filled, projectDefinitions(), headerTexts(*filled), saved, &meant));
    // A length of -999.999 m (a void written wrongly) is more than a sounding file can hold:
    // the save says so.
    if (std::string problem = readBackProblem(saved, *filled, projectDefinitions(), meant);
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
  EXPECT_GE(files, 25);
}

// Dates and positions as header texts hold them, and units as files name them.
TEST(ExchangeText, DatesPositionsAndUnitsAsTheFieldWritesThem) {
  const std::tuple<const char*, DateOrder, const char*> dates[] = {
      {"2014-01-09 10:30", DateOrder::Unambiguous, "2014-01-09 10:30"},
      {"14/03/2024 09:42", DateOrder::Unambiguous, "2024-03-14 09:42"},
      {"03/14/2024", DateOrder::Unambiguous, "2024-03-14"},
      {"12/03/2019", DateOrder::Unambiguous, ""},
      {"12/03/2019", DateOrder::DayFirst, "2019-03-12"},
      {"12/03/2019", DateOrder::MonthFirst, "2019-12-03"},
      {"14/03/2019", DateOrder::MonthFirst, "2019-03-14"},
      {"31/04/2019", DateOrder::DayFirst, ""},
      {"29.02.2023", DateOrder::DayFirst, ""},
      {"29.02.2024", DateOrder::DayFirst, "2024-02-29"},
      {"2024-02-11 25:99", DateOrder::Unambiguous, ""},
      {"14/03/24", DateOrder::DayFirst, ""},
      {"Test 3 of 5", DateOrder::DayFirst, ""},
  };
  for (const auto& [text, order, expected] : dates) {
    std::optional<SoundingDate> date = soundingDate(text, order);
    EXPECT_EQ(date ? yearFirstText(*date) : "", expected) << text;
  }
  const std::tuple<const char*, double, double> places[] = {
      {"N 53.21874 E 6.56702", 53.21874, 6.56702},
      {"53.40012N 2.99021W", 53.40012, -2.99021},
      {"N 53 13.124 E 6 34.021", 53 + 13.124 / 60, 6 + 34.021 / 60},
      {"53.21874, -6.56702", 53.21874, -6.56702},
      {"S 33 51 35.9 E 151 12 40", -(33 + 51 / 60.0 + 35.9 / 3600), 151 + 12 / 60.0 + 40 / 3600.0},
  };
  for (const auto& [text, latitude, longitude] : places) {
    std::optional<LatLon> place = gpsPosition(text);
    ASSERT_TRUE(place) << text;
    EXPECT_NEAR(place->latitude, latitude, 1e-9) << text;
    EXPECT_NEAR(place->longitude, longitude, 1e-9) << text;
  }
  for (const char* text :
       {"", "N 95 E 6", "N 53.2", "53.2 6.5 7.1", "N 53 E 6 N 54", "1e400, 3", "N 53 75.0 E 6 1"})
    EXPECT_FALSE(gpsPosition(text)) << text;
  const std::tuple<const char*, const char*, double> units[] = {
      {"MN/m2", "KPA", 1000}, {"MN/m\xc2\xb2", "kPa", 1000},
      {"kn/M2", "KPA", 1},    {"MPa (megaPascal)", "KPA", 1000},
      {"uS/cm", "MS/M", 0.1}, {"S/m", "MS/M", 1000},
      {"\xc2\xb0", "DEG", 1}, {"DEG C", "DegC", 1},
      {"cm2", "mm2", 100}};
  for (const auto& [from, to, factor] : units) EXPECT_EQ(unitFactor(from, to), factor) << from;
  EXPECT_FALSE(unitFactor("MPa", "DEG"));
  EXPECT_FALSE(unitFactor("kgf/cm2", "KPA"));
}

}  // namespace
}  // namespace pelorin::test
