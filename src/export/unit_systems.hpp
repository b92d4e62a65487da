#pragma once
// The five unit systems of the analog sounding file and the choice of one in the export
// panel: choosing a system names it and switches the units of channels 1 to 3 (Qc, Fs, PP)
// to that system's units through the ordinary channel unit change.
//
// The window's option buttons and the batch tool's --system make the ExportUnits step; each
// system's units and name are in exportUnitSystems(), in the panel's order top to bottom.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "sounding/sounding.hpp"
#include "sounding/units.hpp"

namespace pelorin {

enum class ExportSystem { English, MetricAbsKPA, MetricAbsBAR, MetricWtKSC, MetricWtBAR };

struct ExportUnitSystem {
  ExportSystem system;
  std::string_view label;  // the units of channels 1 to 3, as the panel shows them
  // The system's name as written to the analog file, in Windows-1252: the kgf names end in
  // the byte 0xFD (the superscript two of the old DOS screens).
  std::string_view name;
  // The unit names searched for in the unit lists of channels 1, 2 and 3 (index 0 unused).
  std::array<std::string_view, 4> unit;
  std::string_view option;  // the batch tool's name for it: "english", "metric-kpa", ...
};

// The five systems in the panel's order from top to bottom.
const std::array<ExportUnitSystem, 5>& exportUnitSystems();
const ExportUnitSystem& exportUnitSystem(ExportSystem system);

// The click of a system's option button. Searches the unit lists of channels 1 and 2, and of
// channel 3 when it is a pore-pressure channel (type 3), for the system's unit names and
// selects every matching entry in turn (so with several matches the last one stays); a
// channel whose list lacks the name keeps its unit. Each selection converts the channel as
// its unit list's click does, display depths included (depthUnit is the depth list's unit).
// Returns the system's name, the new ExportUnitSystem.
std::string chooseExportUnitSystem(Sounding& s, const ChannelDefinitions& defs, ExportSystem system,
                                   DepthUnit depthUnit);

}  // namespace pelorin
