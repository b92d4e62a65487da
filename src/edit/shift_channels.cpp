#include "edit/shift_channels.hpp"

#include <cmath>

#include "text/number_text.hpp"

namespace pelorin {

namespace {

// Readings at or below this share of the full scale are taken as faulty, not as the
// channel's true lowest reading.
constexpr double kFaultyShare = -0.02;
// What REMOVE NEGATIVES puts in place of a zero or negative reading: 0.1 % of full scale.
constexpr double kReplacementShare = 0.001;
// Every offset box starts at no shift.
constexpr std::string_view kOffsetAtOpening = "0";

bool isXYInclination(int type) { return type == 6 || type == 7; }

bool knownOption(const Sounding& s, int c) {
  int type = s.ChannelType[c];
  int option = s.ChannelUnit[c];
  return type >= 0 && type <= MaxChannelTypes && option >= 0 && option <= MaxUnitOptions;
}

// A share of channel c's full scale, in its selected unit.
float fullScaleShare(const Sounding& s, int c, double share) {
  return toSingle(static_cast<double>(s.FullScaleValue[c]) * share * s.ChannelFactor[c]);
}

}  // namespace

std::string channelPattern(const Sounding& s, const ChannelDefinitions& defs, int c) {
  if (!knownOption(s, c)) return {};
  return defs.UnitFormat[s.ChannelType[c]][s.ChannelUnit[c]];
}

float captionValue(float value, std::string_view pattern) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
  int decimals = 0;
  if (auto point = pattern.find('.'); point != std::string_view::npos)
    for (char ch : pattern.substr(point + 1))
      if (ch == '0' || ch == '#') ++decimals;

  double magnitude = std::fabs(static_cast<double>(value));
  if (decimals <= 10 && std::isfinite(magnitude)) {
    double scale = kPowers[decimals];
    double product = magnitude * scale;
    if (product < 1.0e15) {
      // The caption's digits as a whole number: magnitude x 10^decimals rounded half away
      // from zero, decided on the exact product (product + error).
      double error = std::fma(magnitude, scale, -product);
      double whole = std::floor(product);
      double digits = whole + ((product - whole) - 0.5 >= -error ? 1.0 : 0.0);
      // Both operands are exact, so the quotient is the double nearest the decimal text,
      // as reading the text back gives it.
      double shown = digits / scale;
      return toSingle(value < 0 ? -shown : shown);
    }
  }
  return toSingle(numericPrefix(formatPattern(value, pattern)));
}

std::string lowestReadingCaption(const Sounding& s, const ChannelDefinitions& defs, int c) {
  const std::string pattern = channelPattern(s, defs, c);
  const auto& values = s.Reading[c];
  const float threshold = fullScaleShare(s, c, kFaultyShare);

  // The running minimum lives in the caption; only its last value needs to become text.
  float lowest = values[1];
  float shown = captionValue(lowest, pattern);
  for (int n = 1; n <= s.NumReadings; ++n) {
    float value = values[n];
    if (shown > value && value != NoValue && value > threshold) {
      lowest = value;
      shown = captionValue(value, pattern);
    }
  }
  return formatPattern(lowest, pattern);
}

ShiftPanel openShiftChannels(const Sounding& s, const ChannelDefinitions& defs) {
  ShiftPanel panel;
  panel.NumRows = s.NumChannels;
  for (int c = 1; c <= s.NumChannels; ++c) {
    std::string pattern = channelPattern(s, defs, c);
    panel.Row[c] = ShiftRow{
        s.ChannelName[c],
        knownOption(s, c) ? defs.UnitName[s.ChannelType[c]][s.ChannelUnit[c]] : std::string(),
        std::string(kOffsetAtOpening),
        lowestReadingCaption(s, defs, c),
        s.HasFinalBaseline ? formatPattern(s.BaselineDrift[c], pattern)
                           : std::string(kFinalBaselineNotAvailable),
    };
  }
  return panel;
}

std::vector<int> shiftReadings(Sounding& s,
                               const std::array<std::string, MaxChannels + 1>& offsetTexts) {
  std::vector<int> shifted;
  for (int c = 1; c <= s.NumChannels; ++c) {
    // Whether to shift is decided on the box as a whole number text; anything else in the
    // box leaves the channel alone rather than being read as some part of it.
    std::optional<double> strict = strictNumber(offsetTexts[c]);
    if (!strict || *strict == 0) continue;
    double offset = numericPrefix(offsetTexts[c]);

    auto& values = s.Reading[c];
    bool staysFinite = std::isfinite(offset);
    for (int n = 1; staysFinite && n <= s.NumReadings; ++n)
      if (values[n] != NoValue && !std::isfinite(toSingle(values[n] + offset))) staysFinite = false;
    if (!staysFinite) continue;

    for (int n = 1; n <= s.NumReadings; ++n)
      if (values[n] != NoValue) values[n] = toSingle(values[n] + offset);
    shifted.push_back(c);
  }
  return shifted;
}

int removeNegatives(Sounding& s) {
  int replaced = 0;
  for (int c = 1; c <= s.NumChannels; ++c) {
    if (isXYInclination(s.ChannelType[c])) continue;
    const float replacement = fullScaleShare(s, c, kReplacementShare);
    auto& values = s.Reading[c];
    for (int n = 1; n <= s.NumReadings; ++n)
      if (values[n] <= 0 && values[n] != NoValue) values[n] = replacement, ++replaced;
  }
  return replaced;
}

}  // namespace pelorin
