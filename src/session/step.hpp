#pragma once
// The steps of a clean-up: every change a user makes to the sounding or to what will be
// saved, as a small value. The window builds a step from its controls, the batch tool from
// its operations; a clean-up session applies it, lists it in the history and replays it.
// Each step carries everything it needs to be applied again later (Combine keeps the second
// file's bytes, not only its name). Moving through the readings with Up and Down is no step.

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "export/unit_systems.hpp"
#include "sounding/sounding.hpp"
#include "sounding/units.hpp"

namespace pelorin {

// Delete and Insert in the depth column, on reading `reading` made current as Up and Down
// would make it.
struct DeleteReading {
  int reading = 0;
  bool operator==(const DeleteReading&) const = default;
};
struct InsertReading {
  int reading = 0;
  bool operator==(const InsertReading&) const = default;
};
// A value typed into channel `channel`'s cell of reading `reading`, as the value it stored.
struct SetValue {
  int channel = 0, reading = 0;
  float value = 0;
  bool operator==(const SetValue&) const = default;
};
// A header text box (0 to 11 in file order: company name ... water table depth).
struct SetHeader {
  int field = 0;
  std::string text;  // Windows-1252
  bool operator==(const SetHeader&) const = default;
};
struct ChangeDepthUnit {
  DepthUnit unit = DepthUnit::Metres;
  bool operator==(const ChangeDepthUnit&) const = default;
};
// A unit chosen in channel `channel`'s list, by its name.
struct ChangeChannelUnit {
  int channel = 0;
  std::string unit;
  bool operator==(const ChangeChannelUnit&) const = default;
};
// Edit Depth, Start Depth: `text` typed as the new start depth, then OK.
struct StartDepth {
  std::string text;
  bool operator==(const StartDepth&) const = default;
};
// Edit Depth, Depth Increment: runs of presses in this order, INCREASE n times for a run of
// n > 0 and DECREASE -n times for one of n < 0, then OK.
struct DepthIncrementPresses {
  std::vector<int> runs;
  bool operator==(const DepthIncrementPresses&) const = default;
};
// Shift Channel(s): the offset boxes of channels 1 to 10 as typed, then SHIFT READINGS.
struct ShiftReadings {
  std::array<std::string, MaxChannels + 1> boxes;
  bool operator==(const ShiftReadings&) const = default;
};
// Shift Channel(s), REMOVE NEGATIVES.
struct RemoveNegatives {
  bool operator==(const RemoveNegatives&) const = default;
};
// File, Combine: the second file (its name and bytes), the start depth typed, normalising.
struct Combine {
  std::string path, bytes;
  std::string from;
  bool normalize = true;
  bool operator==(const Combine&) const = default;
};
// File, AutoClean For Interp.
struct AutoClean {
  bool operator==(const AutoClean&) const = default;
};
// Edit, Fill Gaps: every channel made whole (see edit/fill_gaps.hpp).
struct FillGaps {
  bool operator==(const FillGaps&) const = default;
};
// An option button of the export panel: its system and the channel units it switches.
struct ExportUnits {
  ExportSystem system = ExportSystem::English;
  bool operator==(const ExportUnits&) const = default;
};

// An input of the interpretation as the user gave it: the text of the form's box or the
// batch tool's value. An empty text gives the choice back to the file, the header or the
// usual value (no Cn cap; Robertson & Cabal for the unit weight).
struct InterpretationInput {
  enum class Field { AreaRatio, WaterDepth, UnitWeight, CnCap };
  Field field = Field::AreaRatio;
  std::string text;
  bool operator==(const InterpretationInput&) const = default;
};
using Step =
    std::variant<DeleteReading, InsertReading, SetValue, SetHeader, ChangeDepthUnit,
                 ChangeChannelUnit, StartDepth, DepthIncrementPresses, ShiftReadings,
                 RemoveNegatives, Combine, AutoClean, FillGaps, ExportUnits, InterpretationInput>;

}  // namespace pelorin
