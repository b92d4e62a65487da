#include "export/unit_systems.hpp"

#include <gtest/gtest.h>

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

// Which units each system selects is checked by the analog files of tests/cases.txt.
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
