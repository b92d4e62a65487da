#include "display/profile_data.hpp"

#include <cmath>
#include <limits>

#include "display/grid.hpp"
#include "export/readings_table.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {
constexpr float kGap = std::numeric_limits<float>::quiet_NaN();
}  // namespace

double frictionRatio(float qc, float qcFactor, float fs, float fsFactor) {
  if (qc == NoValue || fs == NoValue || qcFactor == 0 || fsFactor == 0)
    return std::numeric_limits<double>::quiet_NaN();
  double qcBase = qc / static_cast<double>(qcFactor);
  double fsBase = fs / static_cast<double>(fsFactor);
  if (!(qcBase > 0)) return std::numeric_limits<double>::quiet_NaN();
  return fsBase / qcBase * 100.0;
}

ProfileData profileData(const Sounding& s, const ChannelDefinitions& defs, DepthUnit unit) {
  ProfileData p;
  const int count = s.NumReadings;
  p.depth.resize(count);
  p.alarm.resize(count);
  for (int n = 1; n <= count; ++n) {
    p.depth[n - 1] = displayDepth(s.Depth[n], unit);
    p.alarm[n - 1] = speedIsAlarm(speedCellText(s.Speed[n]));
  }
  p.rateRuns = runsOutsideRateBand(s);
  for (int c = 1; c <= s.NumChannels; ++c) {
    ProfileTrack track;
    track.title = windows1252ToUtf8(s.ChannelName[c]);
    track.unit = windows1252ToUtf8(defs.UnitName[s.ChannelType[c]][s.ChannelUnit[c]]);
    track.values.resize(count);
    for (int n = 1; n <= count; ++n) {
      float v = channelValueAt(s, c, n);
      track.values[n - 1] = v == NoValue ? kGap : v;
    }
    p.tracks.push_back(std::move(track));
  }
  int qc = firstChannelOfType(s, 1), fs = firstChannelOfType(s, 2);
  if (qc && fs) {
    ProfileTrack rf{"Rf", "%", std::vector<float>(count)};
    for (int n = 1; n <= count; ++n)
      rf.values[n - 1] =
          static_cast<float>(frictionRatio(channelValueAt(s, qc, n), s.ChannelFactor[qc],
                                           channelValueAt(s, fs, n), s.ChannelFactor[fs]));
    p.tracks.push_back(std::move(rf));
  }
  return p;
}

int nearestReading(const Sounding& s, DepthUnit unit, double target) {
  int best = 0;
  double bestDistance = 0;
  for (int n = s.MaxLag + 1; n <= s.NumReadings; ++n) {
    double distance = std::fabs(displayDepth(s.Depth[n], unit) - target);
    if (best == 0 || distance < bestDistance) best = n, bestDistance = distance;
  }
  return best;
}

std::optional<int> readingNamed(const Sounding& s, DepthUnit unit, std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  const bool metres = text.ends_with('m') || text.ends_with('M');
  if (metres) text.remove_suffix(1);
  const std::optional<double> value = strictNumber(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  if (!metres && text.find('.') == std::string_view::npos) {
    if (*value < 1 || *value > MaxReadings) return std::nullopt;
    return static_cast<int>(*value);
  }
  const double shown = metres ? displayDepth(toSingle(*value), unit) : *value;
  if (const int n = nearestReading(s, unit, shown); n > 0) return n;
  return std::nullopt;
}

}  // namespace pelorin
