#pragma once
// Shift channels and remove negatives: baseline corrections on the channel values as the
// grid shows them, each channel in its selected unit. The no-value marker is never shifted,
// replaced or taken as a channel's lowest reading.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "sounding/sounding.hpp"

namespace pelorin {

// The texts of one channel's row of the panel.
struct ShiftRow {
  std::string ChannelName;    // lblShiftChanLabel
  std::string UnitName;       // lblShiftUnitsChan
  std::string ShiftBy;        // txtShiftChannelByChan: "0" at every opening
  std::string LowestReading;  // lblLowestReadingChan
  std::string FinalBaseline;  // lblFinalBaselineChan: drift in the channel's unit
};

// Rows 1 .. NumRows (= NumChannels) belong to the channels of the same number.
struct ShiftPanel {
  int NumRows = 0;
  std::array<ShiftRow, MaxChannels + 1> Row;
};

// The text of the final-baseline column when the file held no final-baseline line.
inline constexpr const char* kFinalBaselineNotAvailable = "Not Available";

// The display pattern of channel c's selected unit ("" when the model names none).
std::string channelPattern(const Sounding& s, const ChannelDefinitions& defs, int c);

// The number a caption showing `value` with display pattern `pattern` reads back as (by
// the numeric prefix rule, rounded to a float): the value rounded half away from zero to
// the pattern's decimals. The same as reading formatPattern's text, without the text.
float captionValue(float value, std::string_view pattern);

// Channel c's lowest reading as the panel shows it. The running minimum lives only in the
// caption, so each reading is compared with the caption read back (at the precision the
// pattern shows). Readings at or below -2 % of the channel's full scale count as faulty
// and are passed over; the first reading is the starting value, taken untested.
std::string lowestReadingCaption(const Sounding& s, const ChannelDefinitions& defs, int c);

// Fills the panel from the model: names, units, "0" offsets, lowest readings and final
// baseline drifts (or "Not Available").
ShiftPanel openShiftChannels(const Sounding& s, const ChannelDefinitions& defs);

// SHIFT READINGS: offsetTexts[c] is the text of channel c's offset box, in the channel's
// unit. A box holding a number other than 0 adds it to every reading of its channel that
// has a value; a box holding 0, or anything that is not a number (an empty box too),
// leaves its channel as it is. So does an offset that would push a reading beyond the
// float range. Negative results stay. Returns the channels it shifted.
std::vector<int> shiftReadings(Sounding& s,
                               const std::array<std::string, MaxChannels + 1>& offsetTexts);

// REMOVE NEGATIVES: every zero or negative reading becomes 0.1 % of its channel's full
// scale in the channel's unit; the X and Y inclination channels (types 6 and 7), whose
// angles are negative as often as not, are left as they are. Returns how many readings it
// replaced.
int removeNegatives(Sounding& s);

}  // namespace pelorin
