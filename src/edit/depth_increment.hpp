#pragma once
// Depth increment: the user picks another depth step in steps of 5 mm, and the sounding's
// depths, display depths and speeds are rescaled to it about 0 m (a sounding that starts
// below the surface has its start depth scaled too). Channel values are not touched.

#include <optional>
#include <string>

#include "sounding/sounding.hpp"

namespace pelorin {

// The panel's state, kept by the window between its openings.
struct DepthIncrementChoice {
  float NewIncrement = 0;    // metres, the increment being chosen
  float IncrementRatio = 0;  // NewIncrement / DepthIncrement, worked out by OK
};

// The one step of INCREASE and DECREASE, metres.
constexpr double kIncrementStep = 0.005;

// An increment as the panel's labels show it ("##0.000").
std::string incrementCaption(float metres);

// Opening the panel: NewIncrement starts from the sounding's increment; returns the text
// of both labels.
std::string openDepthIncrement(const Sounding& s, DepthIncrementChoice& choice);

// INCREASE: one step up, no upper limit; returns the new label text.
std::string increaseIncrement(DepthIncrementChoice& choice);

// DECREASE: one step down while the increment is above one step (0.005 m), so it never
// drops to zero or below. Returns the new label text, or nothing when the label stays.
std::optional<std::string> decreaseIncrement(DepthIncrementChoice& choice);

// OK: IncrementRatio = NewIncrement / DepthIncrement, then for every reading the display
// depth, speed and depth are multiplied by it (in that order) and DepthIncrement becomes
// NewIncrement. With no increment to scale from (DepthIncrement 0: no sounding open, or an
// increment that came out as 0), or a ratio that would push a value beyond the float
// range, nothing changes and the result is false. The panel closes either way.
bool applyDepthIncrement(Sounding& s, DepthIncrementChoice& choice);

}  // namespace pelorin
