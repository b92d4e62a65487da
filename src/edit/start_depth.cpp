#include "edit/start_depth.hpp"

#include <cmath>

#include "text/number_text.hpp"

namespace pelorin {

std::string startDepthCaption(const Sounding& s) { return formatPattern(s.Depth[1], "##0.00"); }

bool applyStartDepth(Sounding& s, std::string_view currentCaption, std::string_view newText,
                     DepthUnit unit) {
  double oldStart = numericPrefix(currentCaption);
  double newStart = numericPrefix(newText);
  float shift = toSingle(newStart - oldStart);

  // A typed "1e40" would turn every depth into infinity, which no sounding file can hold.
  if (!std::isfinite(shift)) return false;
  for (int n = 1; n <= s.NumReadings; ++n)
    if (!std::isfinite(toSingle(static_cast<double>(s.Depth[n]) + shift))) return false;

  for (int n = 1; n <= s.NumReadings; ++n)
    s.Depth[n] = toSingle(static_cast<double>(s.Depth[n]) + shift);
  applyDisplayDepths(s, unit);
  return true;
}

}  // namespace pelorin
