#include "export/unit_systems.hpp"

#include <functional>

namespace pelorin {

namespace {

constexpr int kPorePressureType = 3;

constexpr std::array<ExportUnitSystem, 5> kSystems{{
    {ExportSystem::English,
     "Qc in TSF, Fs in TSF, PP in PSI",
     "English",
     {"", "TSF", "TSF", "PSI"},
     "english"},
    {ExportSystem::MetricAbsKPA,
     "Qc in MPA, Fs in KPA, PP in KPA",
     "Metric Absolute [SI]",
     {"", "MPA", "KPA", "KPA"},
     "metric-kpa"},
    {ExportSystem::MetricAbsBAR,
     "Qc in MPA, Fs in KPA, PP in BAR",
     "Metric Absolute (SI)",
     {"", "MPA", "KPA", "BAR"},
     "metric-bar"},
    {ExportSystem::MetricWtKSC,
     "Qc in KSC, Fs in KSC, PP in KSC",
     "Metric [kgf/cm\xFD]",
     {"", "KSC", "KSC", "KSC"},
     "kgf-ksc"},
    {ExportSystem::MetricWtBAR,
     "Qc in KSC, Fs in KSC, PP in BAR",
     "Metric kgf/cm\xFD",
     {"", "KSC", "KSC", "BAR"},
     "kgf-bar"},
}};

using UnitListSetter = std::function<void(int channel, int listIndex)>;

// Selects, in list order, every entry of channel c's unit list that is exactly `unit`.
void selectMatching(const Sounding& s, const ChannelDefinitions& defs, int c, std::string_view unit,
                    const UnitListSetter& setListIndex) {
  if (c > s.NumChannels) return;  // an unused channel's list is empty
  for (int k : unitOptionsNamed(defs, s.ChannelType[c], unit)) setListIndex(c, k - 1);
}

}  // namespace

const std::array<ExportUnitSystem, 5>& exportUnitSystems() { return kSystems; }

std::string chooseExportUnitSystem(Sounding& s, const ChannelDefinitions& defs, ExportSystem system,
                                   DepthUnit depthUnit) {
  // Each entry found is selected as the user would select it: the channel is converted and
  // the display depths follow, as the grid's refresh makes them.
  UnitListSetter select = [&](int c, int listIndex) {
    changeChannelUnit(s, defs, c, listIndex + 1);
    applyDisplayDepths(s, depthUnit);
  };
  const ExportUnitSystem& row = exportUnitSystem(system);
  selectMatching(s, defs, 1, row.unit[1], select);
  selectMatching(s, defs, 2, row.unit[2], select);
  // Only a pore-pressure channel in position 3 follows the system's PP unit.
  if (s.ChannelType[3] == kPorePressureType) selectMatching(s, defs, 3, row.unit[3], select);
  return std::string(row.name);
}

const ExportUnitSystem& exportUnitSystem(ExportSystem system) {
  return kSystems[static_cast<std::size_t>(system)];
}

}  // namespace pelorin
