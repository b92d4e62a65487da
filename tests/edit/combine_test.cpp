#include "edit/combine.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "sounding/open_sounding.hpp"
#include "test_support.hpp"
#include "text/number_text.hpp"

// The first sounding (combine_first_*) runs every 0.05 m from 0.05 m to 10.00 m, 200
// readings, MaxLag 2. The main second file runs from 9.50 m to 15.30 m (117 readings) on
// the same cone "C1234"; its Fs channel has no value at the last three readings. Raw values
// and calibrations are chosen so that every engineering value is exact: reading 3 of the
// second file (9.60 m) gives Qc 137500, Fs 2531.25, U2 7468.75 with the first file's
// calibration and Qc 140625, Fs 2562.5 with the second file's.

namespace pelorin {
namespace {

constexpr const char* kFirst = "first_qc_fs_u2";
constexpr const char* kSecond = "second_9_50_to_15_30";
constexpr const char* kSame =
    "The same cone was used for both test.  The baseline of the first file will be used.";
// The fixture combine_NAME.cpt.
std::string fixture(const std::string& name) {
  return test::fixturePath("combine_" + name + ".cpt");
}

std::unique_ptr<Sounding> openFixture(const char* name) {
  auto [s, error, errorNotes] = openSoundingFile(fixture(name), test::projectDefinitions());
  EXPECT_TRUE(s) << error.message;
  return std::move(s);
}

CombinePanel readSecond(const Sounding& first, const char* name, SecondSounding& second) {
  return readSecondSoundingFile(fixture(name), first, test::projectDefinitions(), second);
}

TEST(CombineRead, FillsThePanelWithTheAppendedChannelsInMetres) {
  auto first = openFixture(kFirst);
  auto second = std::make_unique<SecondSounding>();
  CombinePanel panel = readSecond(*first, kSecond, *second);

  EXPECT_EQ(panel.messages, std::vector<std::string>{kSame});
  ASSERT_TRUE(panel.shown);
  EXPECT_EQ(panel.channelHeads,
            " Depth" + alignRight("Qc", 15) + alignRight("Fs", 15) + alignRight("U2", 15));
  EXPECT_EQ(panel.finalDepthOfFirst, " 10 m");
  EXPECT_EQ(panel.startDepth, " 9.5");
  EXPECT_TRUE(panel.normalizeDepth);
  EXPECT_EQ(second->NumReadings2, 117);  // the final-baseline line is no reading
  std::string line3 = "   9.60" + alignRight("137500.000", 15) + alignRight("2531.250", 15) +
                      alignRight("7468.750", 15) + "\r\n";
  EXPECT_EQ(panel.readingLines.substr(2 * line3.size(), line3.size()), line3);
  std::string last = "  15.30" + alignRight("850000.000", 15) + alignRight("-32768.000", 15) +
                     alignRight("11031.250", 15) + "\r\n";
  EXPECT_EQ(panel.readingLines.size(), 117 * line3.size());
  EXPECT_EQ(panel.readingLines.substr(116 * line3.size()), last);
}

TEST(CombineRead, TakesTheLagFromTheMarkersOrTheFirstIncrement) {
  // Readings every 0.02 m: the second file's own increment would give 5 or 8.
  const std::pair<const char*, int> cases[] = {{kSecond, 3},
                                               {"lag_markers_4_and_1", 4},
                                               {"lag_full_scale_100000", 2},
                                               {"lag_full_scale_150000", 3},
                                               {"lag_full_scale_60000", 0}};
  auto first = openFixture(kFirst);
  for (auto [name, lag] : cases) {
    auto second = std::make_unique<SecondSounding>();
    ASSERT_TRUE(readSecond(*first, name, *second).shown) << name;
    EXPECT_EQ(second->MaxLag2, lag) << name;
  }
}

TEST(CombineRead, RefusesAFileItCannotReadAndKeepsTheTables) {
  const std::pair<const char*, const char*> cases[] = {
      {"depth_not_a_number", "line 27: the depth \"9.6x"},
      {"ends_in_channel_block", "line 19: the file ends"},
      {"no_readings", "the file holds no readings"},
      {"missing", "combine_missing.cpt"},
      {"", "No File Selected."},  // the dialog was cancelled
  };
  auto first = openFixture(kFirst);
  auto second = std::make_unique<SecondSounding>();
  readSecond(*first, kSecond, *second);
  for (auto [name, problem] : cases) {
    CombinePanel panel = readSecondSoundingFile(*name ? fixture(name) : "", *first,
                                                test::projectDefinitions(), *second);
    EXPECT_FALSE(panel.shown) << name;
    ASSERT_EQ(panel.messages.size(), 1u) << name;
    EXPECT_NE(panel.messages[0].find(problem), std::string::npos) << panel.messages[0];
    EXPECT_EQ(second->NumReadings2, 117) << name;
    EXPECT_EQ(second->MaxLag2, 3) << name;
  }
}

TEST(CombineAppend, RefusesWithoutChangingAnything) {
  const char* between = "Value must be between 9.50 and 15.3.";
  struct Case {
    const char* typed;
    bool normalize;
    int numReadings, maxLag;  // of the first sounding; -1: as opened (200 and 2)
    const char* message;      // nullptr: accepted
  } cases[] = {
      {"9.45", true, -1, -1, between},
      {"9.6", false, 2, -1, "Cannot combine: the 1st file needs at least 3 readings and has 2."},
      {"9.6", true, 3, -1, nullptr},
      {"9.6", true, 1, 0, "Cannot combine: the 1st file needs at least 2 readings and has 1."},
      {"9.6", false, 1, 0, nullptr},     // no reference reading needed
      {"9.6", true, 9887, -1, nullptr},  // 9887 - 2 + 115 makes exactly 10,000
      {"9.6", true, 9888, -1,
       "Cannot combine: the combined file would have 10001 readings, more than the 10,000 a "
       "sounding can hold."},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.typed) + " " + std::to_string(k.numReadings));
    auto first = openFixture(kFirst);
    if (k.numReadings >= 0) first->NumReadings = k.numReadings;
    if (k.maxLag >= 0) first->MaxLag = static_cast<std::int16_t>(k.maxLag);
    auto second = std::make_unique<SecondSounding>();
    readSecond(*first, kSecond, *second);
    auto before = std::make_unique<Sounding>(*first);

    Outcome result = appendSecondSounding(*first, *second, k.typed, k.normalize, DepthUnit::Metres);
    EXPECT_EQ(static_cast<bool>(result), k.message == nullptr);
    if (!k.message) continue;
    EXPECT_EQ(result.message, k.message);
    EXPECT_EQ(first->NumReadings, before->NumReadings);
    EXPECT_EQ(first->MaxLag, before->MaxLag);
    EXPECT_EQ(first->Reading, before->Reading);
  }
}

}  // namespace
}  // namespace pelorin
