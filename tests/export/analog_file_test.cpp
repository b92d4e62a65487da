#include "export/analog_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "edit/sounding_builder.hpp"
#include "text/text_file.hpp"

namespace pelorin {
namespace {

const std::string kEn = "English", kSiKpa = "Metric Absolute [SI]", kSiBar = "Metric Absolute (SI)",
                  kKgfKsc = "Metric [kgf/cm\xFD]", kKgfBar = "Metric kgf/cm\xFD";
const float kNone = NoValue;

// Channels of the given types; each row is a depth in metres, then the channel values.
std::unique_ptr<Sounding> makeSounding(const std::vector<int>& types,
                                       const std::vector<std::vector<float>>& rows) {
  std::vector<float> depths;
  for (const auto& row : rows) depths.push_back(row[0]);
  auto s = test::makeSounding(depths);
  for (std::size_t c = 1; c <= types.size(); ++c) {
    std::vector<float> values;
    for (const auto& row : rows) values.push_back(row[c]);
    test::addChannel(*s, types[c - 1], values);
  }
  return s;
}

// The CR LF lines of the file; text after the last CR LF is left out.
std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(bytes.substr(at, end - at));
  return lines;
}

AnalogHeaderTexts waterTableBox(const std::string& text) {
  AnalogHeaderTexts h;
  h.WaterTableDepth = text;
  return h;
}

TEST(AnalogFile, FirstHeaderLineCutsOrPadsItsFieldsSoTheSystemStartsInColumn38) {
  auto s = makeSounding({1}, {{1.0f, 1.0f}});
  AnalogHeaderTexts h;
  h.DateAndTime = "02/05/2024 13:15:00";
  h.OperatorName = "Operator with a long name";
  EXPECT_EQ(linesOf(analogFileBytes(*s, h, "sounding_17.cpd", kSiBar))[0],
            "soundi02/05/2024 13:1Operator with a " + kSiBar);
  h.DateAndTime = "d";
  h.OperatorName = "o";
  EXPECT_EQ(linesOf(analogFileBytes(*s, h, "ab.cpd", kKgfBar))[0],
            "ab.cpdd" + std::string(14, ' ') + "o" + std::string(15, ' ') + kKgfBar);
}

TEST(AnalogFile, SecondHeaderLineCarriesWaterTableIncrementLagAndColumnCodes) {
  struct Case {
    std::vector<int> types;
    int lag2;
    std::string waterTable;
    float secondDepth;         // the first is 1.00 m
    std::string expectedTail;  // after the three 16-character site fields
  } cases[] = {
      {{1, 2, 3}, 2, "1.2", 1.05f, " 3  1.20  .05  .10  1  2  3"},
      {{1, 2, 6, 7, 10}, 3, "", 1.05f, " 3  0.00  .05  .15  1  2  4  5"},
      {{8, 9}, 0, "unknown", 1.05f, " 3  0.00  .05  .00"},
      // 0.005 as a single lies just below the half; as a double it would give 0.01.
      {{1}, 0, "0.005", 1.02f, " 3  0.00  .02  .00  1"},
      {{1, 2}, 1, "", 2.5f, " 3  0.00  1.50  1.50  1  2"},
  };
  for (const Case& c : cases) {
    std::vector<float> first(c.types.size() + 1, 1.0f), second = first;
    second[0] = c.secondDepth;
    auto s = makeSounding(c.types, {first, second});
    s->ChannelLag[2] = static_cast<std::int16_t>(c.lag2);
    AnalogHeaderTexts h = waterTableBox(c.waterTable);
    h.LocationText = "Dike reinforcement km 12.4";
    h.ConeNumber = "C10-0388";
    EXPECT_EQ(linesOf(analogFileBytes(*s, h, "t.cpd", kEn))[1],
              "Dike reinforcemeC10-0388" + std::string(24, ' ') + c.expectedTail);
  }
}

TEST(AnalogFile, FeetDisplayGivesIncrementAndLagInFeetButDepthsInMetres) {
  auto s = makeSounding({1, 2}, {{1.00f, 10.0f, 0.1f}, {1.05f, 11.0f, 0.2f}});
  s->ChannelLag[2] = 2;
  applyDisplayDepths(*s, DepthUnit::Feet);
  auto lines = linesOf(analogFileBytes(*s, {}, "t.cpd", kEn));
  EXPECT_EQ(lines[1].substr(48), " 3  0.00  .16  .33  1  2");
  EXPECT_EQ(lines[3], "  1.05   11.00   0.200");
}

// Columns come from channel positions 1 to 5 whatever their types, an inclination pair
// (type 6 and the next) as its resultant; only a column's first channel is tested for the
// no-value marker.
TEST(AnalogFile, ReadingColumnsFollowChannelPositionSystemAndMissingValues) {
  struct Case {
    std::vector<int> types;
    std::string system;
    std::vector<float> row;  // depth, then channels
    std::string expected;
  } cases[] = {
      {{1, 2, 3}, kEn, {1.05f, 12.5f, 0.125f, kNone}, "  1.05   12.50   0.125 -32768 "},
      {{1, 2, 3}, kEn, {0, 123456.789f, -0.0625f, -2}, "  0.00123456.79  -0.063   -2.00"},
      {{1, 2, 3}, kSiKpa, {1.05f, 3.7255f, 32.125f, 0.125f}, "  1.05   3.726   32.13    0.13"},
      {{1, 2, 3}, kSiBar, {1.05f, 3.7255f, 32.125f, 0.125f}, "  1.05   3.726   32.13   0.125"},
      {{1, 2, 3}, kKgfKsc, {1.05f, 38.125f, 0.5f, 1.125f}, "  1.05   38.13  0.5000    1.13"},
      {{7, 1}, kEn, {1, 0.125f, 9}, "  1.00    0.13"},
      {{1, 2, 6, 7}, kEn, {1, 1, 0.1f, 3, 4}, "  1.00    1.00   0.100    5.00"},
      {{1, 2, 6, 7}, kKgfBar, {1, 1, 0.1f, 3, 4}, "  1.00    1.00  0.1000   5.000"},
      {{1, 2, 3, 6, 7},
       kKgfKsc,
       {1, 1, 0.1f, 7.5f, 3, 4},
       "  1.00    1.00  0.1000    7.50    5.00"},
      {{1, 2, 6, 7, 10}, kSiBar, {1, 1, 1, 3, 4, 0}, "  1.00   1.000    1.00    5.00    4.00"},
      // sqrt(24.72^2 + 15.23^2) is 29.035000 in double but 29.034999 as a single.
      {{1, 2, 6, 7}, kEn, {1, 1, 0.1f, 24.72f, 15.23f}, "  1.00    1.00   0.100   29.03"},
      {{1, 2, 6, 7}, kEn, {1, 1, 0.1f, kNone, 4}, "  1.00    1.00   0.100 -32768 "},
      {{1, 2, 3, 6, 7}, kEn, {1, 1, 0.1f, 2, 0, kNone}, "  1.00    1.00   0.100    2.0032768.00"},
      {{1, 2, 3, 6, 7}, kEn, {1, 1, 0.1f, 2, kNone, 4}, "  1.00    1.00   0.100    2.00 -32768 "},
      {{1}, kEn, {1, -32767.5f}, "  1.00-32767.50"},  // next to the marker: a value
  };
  for (const Case& c : cases) {
    auto lines = linesOf(analogFileBytes(*makeSounding(c.types, {c.row}), {}, "t.cpd", c.system));
    ASSERT_EQ(lines.size(), 3u) << c.expected;
    EXPECT_EQ(lines[2], c.expected);
  }
}

TEST(AnalogFile, ReadingLinesOnlyForOneToFourColumnsAndOnlyUpToTheLastReading) {
  const std::pair<std::vector<int>, std::size_t> cases[] = {
      {{1, 2, 3, 6, 7}, 5}, {{1, 2, 3, 6, 10}, 2}, {std::vector(10, 1), 2}, {{8, 9}, 2}};
  for (const auto& [types, lines] : cases) {
    std::vector<float> row(types.size() + 1, 1.0f);
    auto s = makeSounding(types, {row, row, row});
    s->Depth[4] = 9.0f;  // left behind by a deleted reading
    EXPECT_EQ(linesOf(analogFileBytes(*s, {}, "t.cpd", kEn)).size(), lines) << types.size();
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
  ASSERT_TRUE(readWholeFile(path, written, error));
  EXPECT_EQ(written, analogFileBytes(*s, waterTableBox("1"), "out.cpd", kKgfBar));

  std::string missing = folder + "/no such folder/out.cpd";
  EXPECT_NE(writeAnalogFile(missing, *s, {}, "out.cpd", kEn).find(missing), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace pelorin
