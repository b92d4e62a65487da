#pragma once
// Change start depth: moves the whole sounding up or down so that its first reading stands
// at the depth the user types. The panel works in metres whatever the grid's depth unit.

#include <string>
#include <string_view>

#include "sounding/sounding.hpp"
#include "sounding/units.hpp"

namespace pelorin {

// The first reading's depth in metres as the panel shows it ("##0.00"); 0.00 when no
// sounding is open.
std::string startDepthCaption(const Sounding& s);

// Moves every depth by (new start depth - current start depth), both read from the texts
// by the numeric prefix rule, so the shift is measured from the two-decimal caption and
// the first depth keeps its extra decimals. Then recomputes the display depths for `unit`.
// A text that would push a depth beyond the float range changes nothing; returns whether
// the depths were moved (a shift of 0 counts as moved).
bool applyStartDepth(Sounding& s, std::string_view currentCaption, std::string_view newText,
                     DepthUnit unit);

}  // namespace pelorin
