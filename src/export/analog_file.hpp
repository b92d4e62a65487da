#pragma once
// The analog sounding file (.cpd): the older fixed-layout text format of analog cone data.
// Two header lines, then one line per reading with the depth and up to four columns (Qc, Fs,
// PP or an inclination resultant), in the units the export panel switched the channels to.
// The writer converts nothing: it copies Reading as it stands and picks its number formats
// by the unit system's name.
//
// Wiring of the export panel's OK (Command1_Click):
//   1. the save dialog with filter "Analog CPT data (*.cpd)|*.cpd" (the shared start folder);
//      an empty file name ends the handler with the panel still shown;
//   2. error = writeAnalogFile(path, model, header, fileTitle, ExportUnitSystem), with the
//      header box texts and the dialog's file title converted to Windows-1252;
//   3. a non-empty error goes to the message box and the panel stays; otherwise the panel
//      is hidden. No message on success.

#include <string>
#include <string_view>

#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// The header boxes as they stand in the window (not the texts stored at open), in
// Windows-1252 bytes.
struct AnalogHeaderTexts {
  std::string DateAndTime;      // txtDateandTime
  std::string OperatorName;     // txtOperator
  std::string LocationText;     // txtLocation
  std::string ConeNumber;       // txtConeNumber
  std::string JobNumber;        // txtJobNumber
  std::string WaterTableDepth;  // txtWaterTableDepth; its leading number is written
};

// The boxes of the analog header among the twelve header texts (file order).
AnalogHeaderTexts analogHeaderTexts(const HeaderTexts& header);

// The number of analog columns the sounding's channels announce (types 1, 2, 3, 6 and 10
// count); reading lines are written only for 1 to 4 of them.
int exportChannelCount(const Sounding& s);

// The whole analog file for s. fileTitle is the chosen file's name without its folder;
// exportUnitSystem is the system's name from the panel (Windows-1252). When overflow is
// given it receives the first reading field wider than its columns, which shifts the
// columns after it, or stays empty.
std::string analogFileBytes(const Sounding& s, const AnalogHeaderTexts& header,
                            std::string_view fileTitle, std::string_view exportUnitSystem,
                            std::string* overflow = nullptr);

// Writes the analog file to path through a temporary file renamed over it. Refused with
// what went wrong, naming the file; an earlier file of that name is then left as it was. A
// field wider than its columns is written whole with a warning, or refused when
// refuseUnreadable asks for that.
Outcome writeAnalogFile(const std::string& path, const Sounding& s, const AnalogHeaderTexts& header,
                        std::string_view fileTitle, std::string_view exportUnitSystem,
                        bool refuseUnreadable = false, std::string* warning = nullptr);

}  // namespace pelorin
