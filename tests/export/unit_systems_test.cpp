#include "export/unit_systems.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "edit/sounding_builder.hpp"

namespace pelorin {
namespace {

// Channels of the given types in their base units, holding `value` at readings 1 and 2 and
// the no-value marker at reading 3.
std::unique_ptr<Sounding> soundingInBaseUnits(const std::vector<int>& types, float value) {
  auto s = test::makeSounding({1.02f, 1.04f, 1.06f});
  for (int type : types) test::addChannel(*s, type, {value, value, NoValue});
  return s;
}

TEST(ExportUnitSystems, SelectsTheUnitsOfQcFsAndAPorePressureChannelThree) {
  struct Case {
    const char* what;
    std::vector<int> types;
    ExportSystem system;
    std::vector<std::pair<int, int>> expectedSelections;  // channel, list index
  };
  const Case cases[] = {
      {"Qc Fs PP in English", {1, 2, 3}, ExportSystem::English, {{1, 3}, {2, 3}, {3, 3}}},
      {"PP in bar", {1, 2, 3}, ExportSystem::MetricWtBAR, {{1, 4}, {2, 4}, {3, 2}}},
      {"channel 3 of type 4 is left alone", {1, 2, 4}, ExportSystem::English, {{1, 3}, {2, 3}}},
      {"pore pressure in position 4 is left alone",
       {1, 2, 6, 3},
       ExportSystem::MetricAbsBAR,
       {{1, 1}, {2, 0}}},
      {"channel types of 1 and 2 are not looked at",
       {3, 1},
       ExportSystem::English,
       {{1, 5}, {2, 3}}},
      {"lists without the unit", {6, 8, 3}, ExportSystem::MetricWtKSC, {{3, 4}}},
      {"one channel only", {1}, ExportSystem::English, {{1, 3}}},
  };
  for (const Case& c : cases) {
    auto s = soundingInBaseUnits(c.types, 1.0f);
    std::vector<std::pair<int, int>> selections;
    chooseExportUnitSystem(*s, test::projectDefinitions(), c.system, [&](int channel, int index) {
      selections.emplace_back(channel, index);
    });
    EXPECT_EQ(selections, c.expectedSelections) << c.what;
  }
}

TEST(ExportUnitSystems, EveryMatchingEntryIsSelectedInTurn) {
  ChannelDefinitions defs;
  defs.UnitCount[1] = 3;
  defs.UnitName[1] = {"", "KPA", "TSF", "TSF"};
  defs.UnitFactor[1] = {0, 1.0f, 0.5f, 0.25f};
  auto s = soundingInBaseUnits({1}, 1000.0f);

  chooseExportUnitSystem(*s, defs, ExportSystem::English, DepthUnit::Feet);
  EXPECT_EQ(s->ChannelUnit[1], 3);
  EXPECT_FLOAT_EQ(s->Reading[1][1], 250.0f);
  EXPECT_EQ(s->Reading[1][3], NoValue);
  // A unit change refreshes the grid, display depths included.
  EXPECT_EQ(s->Reading[0][1], displayDepth(s->Depth[1], DepthUnit::Feet));
}

}  // namespace
}  // namespace pelorin
