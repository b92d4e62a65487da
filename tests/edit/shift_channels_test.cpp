#include "edit/shift_channels.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "edit/edit_sounding.hpp"
#include "test_support.hpp"
#include "text/number_text.hpp"

namespace pelorin {
namespace {

using test::addChannel;
using test::makeSounding;

constexpr float M = NoValue;

// Channel types of the project's definition files: 1 cone resistance (KPA, MPA "##0.000"
// at 0.001, ...), 2 sleeve friction, 6 and 7 inclination X and Y, 10 inclination resultant.
struct LowestCase {
  const char* name;
  int type, option;
  float fullScaleValue;
  std::vector<float> readings;
  const char* expected;
};

const LowestCase kLowestCases[] = {
    // Threshold 100000 x -0.02 x 0.001 = -2.0 MPa.
    {"below_threshold_passed_over", 1, 2, 100000, {3.2f, -1.5f, -2.5f, 0.4f}, "-1.500"},
    {"threshold_itself_passed_over", 1, 2, 100000, {1.0f, -2.0f}, "1.000"},
    {"just_above_threshold_taken", 1, 2, 100000, {1.0f, -1.999f}, "-1.999"},
    {"threshold_follows_the_unit", 1, 1, 100000, {3200, -1500, -2500, 400}, "-1500"},
    {"first_reading_taken_untested", 1, 2, 100000, {-5.0f, -1.0f, 2.0f}, "-5.000"},
    {"marker_never_taken_later", 1, 2, 100000, {1.0f, M, 0.5f}, "0.500"},
    {"marker_as_first_reading_stays", 1, 2, 100000, {M, -1.0f, 0.5f}, "-32768.000"},
    {"shown_rounded_half_away", 1, 1, 100000, {7.0f, 2.5f}, "3"},
};

class LowestReadingTest : public ::testing::TestWithParam<LowestCase> {};

TEST_P(LowestReadingTest, Caption) {
  const LowestCase& k = GetParam();
  const auto& defs = test::projectDefinitions();
  auto s = makeSounding(static_cast<int>(k.readings.size()), 1.0f, 0.02f);
  addChannel(*s, defs, 1, 1, 100000, {});
  int c = addChannel(*s, defs, k.type, k.option, k.fullScaleValue, k.readings);
  s->Reading[c][s->NumReadings + 1] = -1.0f;  // a left-over past the last reading
  EXPECT_EQ(lowestReadingCaption(*s, defs, c), k.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LowestReadingTest, ::testing::ValuesIn(kLowestCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The running minimum is compared with the caption read back; captionValue must give the
// same number as reading the formatted text, ties and signs included.
TEST(ShiftChannels, CaptionValueReadsBackAsTheText) {
  const char* const patterns[] = {"####0",  "##0.000", "#0.0000",      "##0.0",
                                  "###0.0", "#0.00",   "0.0000",       "##.00",
                                  "",       "#",       "0.0000000000", "0.000000000000"};
  std::vector<float> values = {0.0f,    -0.0f,   0.5f,      -0.5f,   2.5f,    -2.5f,
                               0.125f,  -0.125f, 0.0125f,   1.0005f, 0.0005f, -0.0004f,
                               9.9995f, 99.95f,  -32768.0f, 1e14f,   1e15f,   1e16f,
                               -3e38f,  1e-30f,  7.0f,      11.25f,  -1.999f, 0.015f};
  // Floats over many magnitudes, both signs, from a fixed generator.
  std::uint32_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1664525u + 1013904223u;
    double mantissa = (state >> 8) / double(1 << 24);
    int exponent = static_cast<int>(state % 17) - 8;
    values.push_back(toSingle((state & 1 ? -1 : 1) * mantissa * std::pow(10.0, exponent)));
  }
  for (const char* pattern : patterns)
    for (float value : values) {
      float viaText = toSingle(numericPrefix(formatPattern(value, pattern)));
      ASSERT_EQ(captionValue(value, pattern), viaText) << value << " with \"" << pattern << '"';
    }
}

TEST(ShiftChannels, PanelRowsPerChannel) {
  const auto& defs = test::projectDefinitions();
  auto s = makeSounding(3, 1.0f, 0.02f);
  addChannel(*s, defs, 1, 2, 100000, {3.2f, -1.5f, 0.4f}, "Qc");
  addChannel(*s, defs, 2, 1, 1000, {12.5f, 11.25f, 13.0f}, "Fs");
  s->BaselineDrift[1] = 0.0125f;
  s->BaselineDrift[2] = -3.04f;

  ShiftPanel panel = openShiftChannels(*s, defs);
  ASSERT_EQ(panel.NumRows, 2);
  EXPECT_EQ(panel.Row[1].ChannelName, "Qc");
  EXPECT_EQ(panel.Row[1].UnitName, "MPA");
  EXPECT_EQ(panel.Row[1].ShiftBy, "0");
  EXPECT_EQ(panel.Row[1].LowestReading, "-1.500");
  EXPECT_EQ(panel.Row[2].ChannelName, "Fs");
  EXPECT_EQ(panel.Row[2].UnitName, "KPA");
  EXPECT_EQ(panel.Row[2].LowestReading, "11.3");
  for (int c = 1; c <= 2; ++c) EXPECT_EQ(panel.Row[c].FinalBaseline, "Not Available") << c;

  s->HasFinalBaseline = true;
  panel = openShiftChannels(*s, defs);
  EXPECT_EQ(panel.Row[1].FinalBaseline, "0.013");  // MPA "##0.000"
  EXPECT_EQ(panel.Row[2].FinalBaseline, "-3.0");   // KPA "##0.0"
  EXPECT_EQ(panel.Row[3].ChannelName, "");         // no row for a third channel
}

struct OffsetCase {
  const char* box;
  double added;  // to every reading of channel 1 that has a value
};

// Only a box that holds a number as a whole, and not 0, shifts its channel.
const OffsetCase kOffsetCases[] = {
    {"0", 0},       {"0.0", 0},       {"-0", 0},   {"", 0},       {"   ", 0},
    {"abc", 0},     {"1.5x", 0},      {"1e40", 0}, {"1e999", 0},  {"0.5", 0.5},
    {" 0.5 ", 0.5}, {"-1.25", -1.25}, {"+2", 2},   {"1E-1", 0.1}, {".5", 0.5},
};

class ShiftOffsetTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(ShiftOffsetTest, AddsToReadingsWithAValue) {
  const OffsetCase& k = GetParam();
  const auto& defs = test::projectDefinitions();
  auto s = makeSounding(5, 1.0f, 0.02f);
  addChannel(*s, defs, 1, 2, 100000, {3.2f, -1.5f, M, 0.4f, 0.0f});
  addChannel(*s, defs, 2, 1, 1000, {10.0f, 20.0f, 30.0f, 40.0f, M});
  s->Reading[1][6] = 9.0f;  // past the last reading
  auto before = std::make_unique<Sounding>(*s);

  std::array<std::string, MaxChannels + 1> boxes;
  boxes.fill("0");
  boxes[1] = k.box;
  shiftReadings(*s, boxes);

  for (int n = 1; n <= 5; ++n) {
    if (before->Reading[1][n] == NoValue)
      EXPECT_EQ(s->Reading[1][n], NoValue) << n;
    else
      EXPECT_EQ(s->Reading[1][n], toSingle(before->Reading[1][n] + k.added)) << n;
  }
  EXPECT_EQ(s->Reading[1][6], 9.0f);
  EXPECT_EQ(s->Reading[2], before->Reading[2]);
  EXPECT_EQ(s->Reading[0], before->Reading[0]);
  EXPECT_EQ(s->Speed, before->Speed);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShiftOffsetTest, ::testing::ValuesIn(kOffsetCases));

struct RemoveCase {
  const char* name;
  int type, option;
  float fullScaleValue;
  std::vector<float> readings, expected;
};

const RemoveCase kRemoveCases[] = {
    // 100000 x 0.001 x 0.001 = 0.1 MPa.
    {"cone_in_mpa",
     1,
     2,
     100000,
     {3.2f, -1.5f, -2.5f, 0.4f, 0.0f, -0.0f, M},
     {3.2f, 0.1f, 0.1f, 0.4f, 0.1f, 0.1f, M}},
    {"cone_in_kpa", 1, 1, 100000, {-1.0f, 5.0f}, {100.0f, 5.0f}},
    {"sleeve_in_bar", 2, 3, 1000, {-0.2f, 0.0f, 0.3f}, {0.01f, 0.01f, 0.3f}},
    {"inclination_x_kept", 6, 1, 20, {-3.5f, 0.0f, 1.0f}, {-3.5f, 0.0f, 1.0f}},
    {"inclination_y_kept", 7, 1, 20, {-3.5f, 0.0f, 1.0f}, {-3.5f, 0.0f, 1.0f}},
    {"inclination_resultant_replaced", 10, 1, 20, {-3.5f, 0.0f, 1.0f}, {0.02f, 0.02f, 1.0f}},
};

class RemoveNegativesTest : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveNegativesTest, ZeroAndNegativeReadingsReplaced) {
  const RemoveCase& k = GetParam();
  const auto& defs = test::projectDefinitions();
  auto s = makeSounding(static_cast<int>(k.readings.size()), 1.0f, 0.02f);
  int c = addChannel(*s, defs, k.type, k.option, k.fullScaleValue, k.readings);
  s->Reading[c][s->NumReadings + 1] = -7.0f;  // past the last reading
  removeNegatives(*s);
  for (std::size_t i = 0; i < k.expected.size(); ++i)
    EXPECT_EQ(s->Reading[c][i + 1], k.expected[i]) << "reading " << i + 1;
  EXPECT_EQ(s->Reading[c][s->NumReadings + 1], -7.0f);
  EXPECT_EQ(s->NumReadings, static_cast<int>(k.readings.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveNegativesTest, ::testing::ValuesIn(kRemoveCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pelorin
