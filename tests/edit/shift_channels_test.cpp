#include "edit/shift_channels.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "edit/sounding_builder.hpp"
#include "text/number_text.hpp"

namespace pelorin {
namespace {

using test::addChannel;
using test::makeSounding;
using test::projectDefinitions;

constexpr float M = NoValue;

// Channel 2 is a cone resistance channel (full scale 100000 kPa) in KPA ("####0") or MPA
// ("##0.000", factor 0.001): readings at or below -2 % of full scale are taken as faulty.
TEST(ShiftChannels, LowestReadingCaption) {
  struct Case {
    const char* what;
    int option;
    std::vector<float> readings;
    const char* expected;
  };
  const Case cases[] = {
      {"below the threshold passed over", 2, {3.2f, -1.5f, -2.5f, 0.4f}, "-1.500"},
      {"the threshold itself passed over", 2, {1.0f, -2.0f}, "1.000"},
      {"just above the threshold taken", 2, {1.0f, -1.999f}, "-1.999"},
      {"first reading taken untested", 2, {-5.0f, -1.0f, 2.0f}, "-5.000"},
      {"marker never taken later", 2, {1.0f, M, 0.5f}, "0.500"},
      {"marker as first reading stays", 2, {M, -1.0f, 0.5f}, "-32768.000"},
      {"compared as shown, rounded half away", 1, {7.0f, 2.5f}, "3"},
  };
  for (const Case& k : cases) {
    auto s = makeSounding(static_cast<int>(k.readings.size()), 1.0f, 0.02f);
    addChannel(*s, 1, {});
    int c = addChannel(*s, 1, k.readings, k.option, 100000);
    s->Reading[c][s->NumReadings + 1] = -1.0f;  // a left-over past the last reading
    EXPECT_EQ(lowestReadingCaption(*s, projectDefinitions(), c), k.expected) << k.what;
  }
}

// The running minimum is compared with the caption read back; captionValue must give the
// same number as reading the formatted text, ties and signs included.
TEST(ShiftChannels, CaptionValueReadsBackAsTheText) {
  const char* const patterns[] = {"####0", "##0.000", "#0.0000", "##0.0",        "0.0000",
                                  "##.00", "",        "#",       "0.0000000000", "0.000000000000"};
  std::vector<float> values = {0.0f,    -0.0f,   0.5f,    -0.5f,    2.5f,    -2.5f,  0.125f,
                               0.0125f, 1.0005f, 0.0005f, -0.0004f, 9.9995f, 99.95f, 1e14f,
                               1e15f,   1e16f,   -3e38f,  1e-30f,   -1.999f, 0.015f};
  std::uint32_t state = 12345;  // floats over many magnitudes, both signs
  for (int i = 0; i < 20000; ++i) {
    state = state * 1664525u + 1013904223u;
    double mantissa = (state >> 8) / double(1 << 24);
    values.push_back(toSingle((state & 1 ? -1 : 1) * mantissa * std::pow(10.0, state % 17 - 8.0)));
  }
  for (const char* pattern : patterns)
    for (float value : values)
      ASSERT_EQ(captionValue(value, pattern),
                toSingle(numericPrefix(formatPattern(value, pattern))))
          << value << " with \"" << pattern << '"';
}

TEST(ShiftChannels, PanelRowsPerChannel) {
  auto s = makeSounding(3, 1.0f, 0.02f);
  addChannel(*s, 1, {3.2f, -1.5f, 0.4f}, 2, 100000);
  addChannel(*s, 2, {12.5f, 11.25f, 13.0f});
  s->ChannelName[1] = "Qc";
  s->BaselineDrift = {0, 0.0125f, -3.04f};
  EXPECT_EQ(openShiftChannels(*s, projectDefinitions()).Row[2].FinalBaseline, "Not Available");
  s->HasFinalBaseline = true;
  ShiftPanel panel = openShiftChannels(*s, projectDefinitions());
  ASSERT_EQ(panel.NumRows, 2);
  EXPECT_EQ(panel.Row[1].ChannelName + panel.Row[1].UnitName + panel.Row[2].UnitName, "QcMPAKPA");
  EXPECT_EQ(panel.Row[1].ShiftBy, "0");
  EXPECT_EQ(panel.Row[1].LowestReading + " " + panel.Row[2].LowestReading, "-1.500 11.3");
  // The drift in each channel's own pattern: MPA "##0.000", KPA "##0.0".
  EXPECT_EQ(panel.Row[1].FinalBaseline + " " + panel.Row[2].FinalBaseline, "0.013 -3.0");
}

}  // namespace
}  // namespace pelorin
