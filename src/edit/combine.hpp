#pragma once
// Combine: appends the readings of a second sounding file to the open sounding, for a
// sounding recorded in two files. The second file is read with the calibration that fits
// and shown in a panel; its readings from a chosen depth on are appended, their depths
// either continuing the open sounding or left as recorded.
//
// Texts taken from the files (channel names) stay in the files' Windows-1252 bytes, like
// the model's own texts.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sounding/sounding.hpp"
#include "sounding/units.hpp"
#include "text/outcome.hpp"

namespace pelorin {

// The second sounding as Combine keeps it. The first sounding's header and channel set-up
// stay as they are; of the second file only its cone, channel block and readings count.
// Kept after the append and overwritten by the next successful read.
struct SecondSounding {
  std::string ConeNumber2;  // line 4 of the second file
  std::int16_t NumChannels2 = 0;
  PerChannel<std::int16_t> ChannelType2{};
  PerChannel<std::string> ChannelName2;  // leading blanks removed
  PerChannel<float> FullScaleOutput2{};  // raw output at full scale
  PerChannel<float> Baseline2{};         // raw zero reading before the sounding
  PerChannel<float> FullScaleValue2{};   // base unit
  PerChannel<float> ChannelFactor2{};    // factor of the unit the second file was written in
  // The channel of the open sounding that receives channel k's values, 0 when none.
  std::array<std::int16_t, MaxChannelTypes + 1> ChannelMap{};
  std::int32_t NumReadings2 = 0;
  ReadingColumn Depth2{};  // metres
  ReadingColumn Speed2{};  // cm/s
  // Engineering value of channel k at reading n (in the unit of the calibration used), or
  // NoValue. Channels without a counterpart hold the second file's own conversion.
  PerChannel<ReadingColumn> Reading2{};
  std::int16_t MaxLag2 = 0;  // readings by which the second sounding's channels trail
  SoundingSource Source2 = SoundingSource::SoundingFile;  // the kind of file it was read from
};

// What menuCombine_Click shows after the dialog.
struct CombinePanel {
  std::vector<std::string> messages;  // one OK message box each, in this order
  bool shown = false;                 // the second file was read; show the panel
  std::string channelHeads;           // " Depth" and the appended channels' names
  std::string readingLines;           // one CR LF line per reading of the second file
  std::string finalDepthOfFirst;      // the open sounding's last depth, " 10 m"
  std::string startDepth;             // the depth offered to append from: the second file's first
  bool normalizeDepth = false;        // the depths continue the open sounding's
};

// Reads the bytes of a second sounding file (a sounding file, GEF-CPT or AGS4), matches its
// channels to the open sounding's by channel type and converts its readings: with the open
// sounding's calibration when both files name the same cone (line 4 exactly as each file
// holds it: first.ConeNumber, not the edited text box), else with its own. A file the
// reader refuses, or one without readings, leaves `second` and the model as they were and
// gives the one message that says why. fileName is used in messages only.
CombinePanel readSecondSounding(std::string_view bytes, const std::string& fileName,
                                const Sounding& first, const ChannelDefinitions& defs,
                                SecondSounding& second);

// The same from the path the open dialog returned; an empty path (the dialog was
// cancelled) gives "No File Selected." and reads nothing. fileBytes, when given, receives the
// file's bytes, which a Combine step keeps.
CombinePanel readSecondSoundingFile(const std::string& path, const Sounding& first,
                                    const ChannelDefinitions& defs, SecondSounding& second,
                                    std::string* fileBytes = nullptr);

// What cmdCombineOK_Click does with the panel.
// Why the open sounding is too short for an append (it needs MaxLag + 1 readings, and a
// reference reading before the last when normalising); empty when it is long enough.
std::string tooShortToAppendTo(const Sounding& s, bool normalizeDepth);

// Appends the second sounding's readings (t) to the open sounding s from the typed start
// depth on. The open
// sounding's last MaxLag readings (whose lagging channels have no values) are replaced;
// with normalizeDepth the depths continue from the reading before the last one, otherwise
// they stay as recorded and must lie below the open sounding's final depth. Channels of
// the open sounding without a counterpart get NoValue at the appended readings. The
// display depths of the appended readings follow `unit`; no other reading is touched.
Outcome appendSecondSounding(Sounding& s, const SecondSounding& t, std::string_view startDepthText,
                             bool normalizeDepth, DepthUnit unit);

}  // namespace pelorin
