#pragma once
// AutoClean for interpretation: prepares an opened sounding for the interpretation software
// in one pass, without asking or reporting anything.
//
//   1. A sounding without a pore-pressure channel gets an empty one, "PRESSURE U2", at
//      position 3; channels 3 and up move one position up.
//   2. Depths off the depth-increment grid are moved down onto it (whole centimetres), or one
//      increment above the previous reading where moving down would repeat its depth.
//   3. Gaps of two or more increments are filled with readings one increment apart.
//
// Wiring for the window and the batch tool:
//   mnuAutoClean_Click   calls autoClean(model, definitions). When the result says a channel
//                        was inserted, it rebuilds for c = firstRebuiltChannel .. NumChannels:
//                        lblChannelLabel(c) caption ChannelName(c), visible;
//                        cmbChannelUnits(c) visible, items UnitName(ChannelType(c), 1 ..
//                        UnitCount(ChannelType(c))), list index ChannelUnit(c) - 1;
//                        txtChannel<c>(1..24) enabled. autoClean has already run the unit
//                        change each of those selections stands for; dispatching the click
//                        again selects the unit already in force and leaves the values as
//                        they are. Then RefreshGrid.
//   pelorin-cli --autoclean  calls autoClean, then recomputes the display depths.

#include "sounding/sounding.hpp"

namespace pelorin {

// The name of the pore-pressure channel AutoClean adds.
inline constexpr const char* InsertedPoreChannelName = "PRESSURE U2";

struct AutoCleanResult {
  // A "PRESSURE U2" channel now stands at position 3 and the channels from there on moved:
  // the window rebuilds labels, unit lists and grid columns from firstRebuiltChannel on.
  bool channelInserted = false;
  int firstRebuiltChannel = 0;  // 3 when channelInserted, else 0
  int depthsMoved = 0;          // readings whose depth was put on the increment grid
  int readingsInserted = 0;     // readings added in the gaps
};

// The three steps in order on the model. Step 1 runs only while NoPoreChannel is set and
// the sounding has 2 to 9 channels; it clears NoPoreChannel, so a second AutoClean adds no
// second channel. Moved channels take their lag, final zero reading and drift along; the
// new one has no lag and no drift. A DepthIncrement that is not a positive number skips steps 2
// and 3. Gap filling never takes the sounding past 10,000 readings. Reading[0][n] (display depths)
// is left to the caller's refresh.
AutoCleanResult autoClean(Sounding& s, const ChannelDefinitions& defs);

// The steps one by one, in the order autoClean runs them.
bool insertPoreChannel(Sounding& s, const ChannelDefinitions& defs);
int snapDepthsToIncrement(Sounding& s);
int fillDepthGaps(Sounding& s);

}  // namespace pelorin
