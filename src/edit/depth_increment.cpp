#include "edit/depth_increment.hpp"

#include <cmath>

#include "text/number_text.hpp"

namespace pelorin {

namespace {

float scaled(float value, float ratio) { return toSingle(static_cast<double>(value) * ratio); }

// Whether every value the OK step scales stays a finite float.
bool scalingStaysFinite(const Sounding& s, float ratio) {
  for (int n = 1; n <= s.NumReadings; ++n)
    if (!std::isfinite(scaled(s.Reading[0][n], ratio)) ||
        !std::isfinite(scaled(s.Speed[n], ratio)) || !std::isfinite(scaled(s.Depth[n], ratio)))
      return false;
  return true;
}

}  // namespace

std::string incrementCaption(float metres) { return formatPattern(metres, "##0.000"); }

std::string openDepthIncrement(const Sounding& s, DepthIncrementChoice& choice) {
  choice.NewIncrement = s.DepthIncrement;
  return incrementCaption(s.DepthIncrement);
}

std::string increaseIncrement(DepthIncrementChoice& choice) {
  choice.NewIncrement = toSingle(choice.NewIncrement + kIncrementStep);
  return incrementCaption(choice.NewIncrement);
}

std::optional<std::string> decreaseIncrement(DepthIncrementChoice& choice) {
  // Compared as the floats the form holds: 0.005 rounded to single precision.
  if (!(toSingle(kIncrementStep) < choice.NewIncrement)) return std::nullopt;
  choice.NewIncrement = toSingle(choice.NewIncrement - kIncrementStep);
  return incrementCaption(choice.NewIncrement);
}

bool applyDepthIncrement(Sounding& s, DepthIncrementChoice& choice) {
  if (s.DepthIncrement == 0 || !std::isfinite(s.DepthIncrement)) return false;
  float ratio = toSingle(static_cast<double>(choice.NewIncrement) / s.DepthIncrement);
  if (!std::isfinite(ratio) || !scalingStaysFinite(s, ratio)) return false;

  choice.IncrementRatio = ratio;
  for (int n = 1; n <= s.NumReadings; ++n) {
    s.Reading[0][n] = scaled(s.Reading[0][n], ratio);
    s.Speed[n] = scaled(s.Speed[n], ratio);
    s.Depth[n] = scaled(s.Depth[n], ratio);
  }
  s.DepthIncrement = choice.NewIncrement;
  return true;
}

}  // namespace pelorin
