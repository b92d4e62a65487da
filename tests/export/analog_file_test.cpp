#include "export/analog_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "sounding/units.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin {
namespace {

const std::string kEnglish = "English", kSiKpa = "Metric Absolute [SI]",
                  kSiBar = "Metric Absolute (SI)", kKgfKsc = "Metric [kgf/cm\xFD]",
                  kKgfBar = "Metric kgf/cm\xFD";
const float kNone = NoValue;

// Channels of the given types; each row is a depth in metres, then the channel values.
std::unique_ptr<Sounding> makeSounding(const std::vector<int>& types,
                                       const std::vector<std::vector<float>>& rows) {
  auto s = std::make_unique<Sounding>();
  s->NumChannels = static_cast<std::int16_t>(types.size());
  for (std::size_t c = 0; c < types.size(); ++c)
    s->ChannelType[c + 1] = static_cast<std::int16_t>(types[c]);
  s->NumReadings = static_cast<std::int32_t>(rows.size());
  for (std::size_t n = 0; n < rows.size(); ++n) {
    s->Depth[n + 1] = rows[n][0];
    for (std::size_t c = 1; c < rows[n].size(); ++c) s->Reading[c][n + 1] = rows[n][c];
  }
  applyDisplayDepths(*s, DepthUnit::Metres);
  return s;
}

std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
    end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back("<no CR LF>");
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
  }
  return lines;
}

AnalogHeaderTexts waterTableBox(const std::string& text) {
  AnalogHeaderTexts h;
  h.WaterTableDepth = text;
  return h;
}

TEST(AnalogFile, FirstHeaderLineCutsOrPadsItsFieldsSoTheSystemStartsInColumn38) {
  struct Case {
    std::string title, date, operatorName, system, expected;
  };
  const Case cases[] = {
      {"x.cpd", "", "", kSiKpa, "x.cpd " + std::string(31, ' ') + kSiKpa},
      {"sounding_17.cpd", "02/05/2024 13:15:00", "Operator with a long name", kSiBar,
       "soundi02/05/2024 13:1Operator with a " + kSiBar},
      {"ab.cpd", "d", "o", kKgfBar, "ab.cpdd" + std::string(14, ' ') + "o" +
                                        std::string(15, ' ') + "Metric kgf/cm\xFD"},
  };
  auto s = makeSounding({1}, {{1.0f, 1.0f}});
  for (const Case& c : cases) {
    AnalogHeaderTexts h;
    h.DateAndTime = c.date;
    h.OperatorName = c.operatorName;
    EXPECT_EQ(linesOf(analogFileBytes(*s, h, c.title, c.system))[0], c.expected) << c.title;
  }
}

TEST(AnalogFile, SecondHeaderLineCarriesWaterTableIncrementLagAndColumnCodes) {
  struct Case {
    std::vector<int> types;
    int lag2;
    std::string waterTable;
    float secondDepth;         // the first is 1.00 m
    std::string expectedTail;  // after the three 16-character site fields
  };
  const Case cases[] = {
      {{1, 2, 3}, 2, "1.2", 1.05f, " 3  1.20  .05  .10  1  2  3"},
      {{1, 2, 3, 6, 7}, 2, "", 1.05f, " 3  0.00  .05  .10  1  2  3  4"},
      {{1, 2, 6, 7, 10}, 3, "", 1.05f, " 3  0.00  .05  .15  1  2  4  5"},
      {{8, 9}, 0, "unknown", 1.05f, " 3  0.00  .05  .00"},
      {{1}, 0, " 2 . 5 m", 1.02f, " 3  2.50  .02  .00  1"},
      {{1}, 0, "-1234.567", 1.02f, " 3  -1234.57  .02  .00  1"},
      // 0.005 as a single lies just below the half; as a double it would give 0.01.
      {{1}, 0, "0.005", 1.02f, " 3  0.00  .02  .00  1"},
      {{1, 2}, 1, "", 2.5f, " 3  0.00  1.50  1.50  1  2"},
  };
  for (const Case& c : cases) {
    std::vector<float> first(c.types.size() + 1, 1.0f), second(c.types.size() + 1, 1.0f);
    second[0] = c.secondDepth;
    auto s = makeSounding(c.types, {first, second});
    s->ChannelLag[2] = static_cast<std::int16_t>(c.lag2);
    AnalogHeaderTexts h = waterTableBox(c.waterTable);
    h.LocationText = "Dike reinforcement km 12.4";
    h.ConeNumber = "C10-0388";
    auto lines = linesOf(analogFileBytes(*s, h, "t.cpd", kEnglish));
    EXPECT_EQ(lines[1], "Dike reinforcemeC10-0388" + std::string(24, ' ') + c.expectedTail)
        << c.expectedTail;
  }
}

TEST(AnalogFile, FeetDisplayGivesIncrementAndLagInFeetButDepthsInMetres) {
  auto s = makeSounding({1, 2}, {{1.00f, 10.0f, 0.1f}, {1.05f, 11.0f, 0.2f}});
  s->ChannelLag[2] = 2;
  applyDisplayDepths(*s, DepthUnit::Feet);
  auto lines = linesOf(analogFileBytes(*s, {}, "t.cpd", kEnglish));
  EXPECT_EQ(lines[1].substr(48), " 3  0.00  .16  .33  1  2");
  EXPECT_EQ(lines[3], "  1.05   11.00   0.200");
}

TEST(AnalogFile, ReadingColumnsFollowChannelPositionSystemAndMissingValues) {
  struct Case {
    const char* what;
    std::vector<int> types;
    std::string system;
    std::vector<float> row;  // depth, then channels
    std::string expected;
  };
  const Case cases[] = {
      {"English, PP missing", {1, 2, 3}, kEnglish, {1.05f, 12.5f, 0.125f, kNone},
       "  1.05   12.50   0.125 -32768 "},
      {"wider than its column, negatives", {1, 2, 3}, kEnglish,
       {0.0f, 123456.789f, -0.0625f, -2.0f}, "  0.00123456.79  -0.063   -2.00"},
      {"SI, PP in kPa", {1, 2, 3}, kSiKpa, {1.05f, 3.7255f, 32.125f, 0.125f},
       "  1.05   3.726   32.13    0.13"},
      {"SI, PP in bar", {1, 2, 3}, kSiBar, {1.05f, 3.7255f, 32.125f, 0.125f},
       "  1.05   3.726   32.13   0.125"},
      {"kgf", {1, 2, 3}, kKgfKsc, {1.05f, 38.125f, 0.5f, 1.125f},
       "  1.05   38.13  0.5000    1.13"},
      {"column 1 is channel 1 whatever its type", {7, 1}, kEnglish, {1.0f, 0.125f, 9.0f},
       "  1.00    0.13"},
      {"pair at 3, English", {1, 2, 6, 7}, kEnglish, {1.0f, 1.0f, 0.1f, 3.0f, 4.0f},
       "  1.00    1.00   0.100    5.00"},
      {"pair at 3, kgf", {1, 2, 6, 7}, kKgfBar, {1.0f, 1.0f, 0.1f, 3.0f, 4.0f},
       "  1.00    1.00  0.1000   5.000"},
      {"pair at 4: column 3 plain", {1, 2, 3, 6, 7}, kKgfKsc,
       {1.0f, 1.0f, 0.1f, 7.5f, 3.0f, 4.0f}, "  1.00    1.00  0.1000    7.50    5.00"},
      {"two resultants", {1, 2, 6, 7, 10}, kSiBar, {1.0f, 1.0f, 1.0f, 3.0f, 4.0f, 0.0f},
       "  1.00   1.000    1.00    5.00    4.00"},
      // sqrt(24.72^2 + 15.23^2) is 29.035000 in double but 29.034999 as a single.
      {"resultant rounded to single, down", {1, 2, 6, 7}, kEnglish,
       {1.0f, 1.0f, 0.1f, 24.72f, 15.23f}, "  1.00    1.00   0.100   29.03"},
      {"resultant rounded to single, up", {1, 2, 6, 7}, kEnglish,
       {1.0f, 1.0f, 0.1f, 31.06f, 20.95f}, "  1.00    1.00   0.100   37.47"},
      {"every column missing", {1, 2, 3}, kEnglish, {1.0f, kNone, kNone, kNone},
       "  1.00 -32768  -32768  -32768 "},
      {"resultant's first channel missing", {1, 2, 6, 7}, kEnglish,
       {1.0f, 1.0f, 0.1f, kNone, 4.0f}, "  1.00    1.00   0.100 -32768 "},
      {"resultant's second channel missing", {1, 2, 3, 6, 7}, kEnglish,
       {1.0f, 1.0f, 0.1f, 2.0f, 0.0f, kNone}, "  1.00    1.00   0.100    2.0032768.00"},
      {"column 4's first channel missing", {1, 2, 3, 6, 7}, kEnglish,
       {1.0f, 1.0f, 0.1f, 2.0f, kNone, 4.0f}, "  1.00    1.00   0.100    2.00 -32768 "},
      {"next to the marker is a value", {1}, kEnglish, {1.0f, -32767.5f}, "  1.00-32767.50"},
  };
  for (const Case& c : cases) {
    auto lines = linesOf(analogFileBytes(*makeSounding(c.types, {c.row}), {}, "t.cpd", c.system));
    ASSERT_EQ(lines.size(), 3u) << c.what;
    EXPECT_EQ(lines[2], c.expected) << c.what;
  }
}

TEST(AnalogFile, ReadingLinesOnlyForOneToFourColumnsAndOnlyUpToTheLastReading) {
  struct Case {
    std::vector<int> types;
    std::size_t lines;
  };
  const Case cases[] = {
      {{1, 2, 3, 6, 7}, 5}, {{1, 2, 3, 6, 10}, 2}, {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 2},
      {{8, 9}, 2},          {{}, 2},
  };
  for (const Case& c : cases) {
    std::vector<float> row(c.types.size() + 1, 1.0f);
    auto s = makeSounding(c.types, {row, row, row});
    s->Depth[4] = 9.0f;  // left behind by a deleted reading
    EXPECT_EQ(linesOf(analogFileBytes(*s, {}, "t.cpd", kEnglish)).size(), c.lines)
        << c.types.size() << " channels";
  }
}

TEST(AnalogFile, WriteReplacesTheFileOrLeavesItWhole) {
  auto s = makeSounding({1}, {{0.5f, 1.0f}, {0.52f, 2.0f}});
  std::string folder = test::temporaryFolder(), path = folder + "/out.cpd", written, error;
  EXPECT_EQ(writeAnalogFile(path, *s, waterTableBox("1"), "out.cpd", kKgfBar), "");
  ASSERT_TRUE(readWholeFile(path, written, error));
  EXPECT_EQ(written, analogFileBytes(*s, waterTableBox("1"), "out.cpd", kKgfBar));

  // A water table beyond single precision is refused; the earlier file stays.
  std::string refused = writeAnalogFile(path, *s, waterTableBox("1e39"), "out.cpd", kKgfBar);
  EXPECT_NE(refused.find(path), std::string::npos) << refused;
  std::string after;
  ASSERT_TRUE(readWholeFile(path, after, error));
  EXPECT_EQ(after, written);

  std::string missing = folder + "/no such folder/out.cpd";
  EXPECT_NE(writeAnalogFile(missing, *s, {}, "out.cpd", kEnglish).find(missing), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace pelorin
