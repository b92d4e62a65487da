#include "quality/quality.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "export/readings_table.hpp"
#include "sounding/channel_definitions.hpp"
#include "text/number_text.hpp"

namespace pelorin {

namespace {

// The limits of one application class: zero drift of cone resistance, sleeve friction and
// pore pressure (kPa, or a share of the channel's largest value, whichever is larger) and
// the largest depth step.
struct ClassLimits {
  std::array<double, 3> absolute, share;  // cone, sleeve, pore; a negative absolute: not asked
  long long maxStepMm;
};
constexpr ClassLimits kClasses[5] = {{},
                                     {{35, 5, 10}, {0.05, 0.10, 0.02}, 20},
                                     {{100, 15, 25}, {0.05, 0.15, 0.03}, 20},
                                     {{200, 25, 50}, {0.05, 0.15, 0.05}, 50},
                                     {{500, 50, -1}, {0.05, 0.20, 0}, 50}};

// What a channel measures, by the GEF quantity the channel exchange file gives its type: 0 cone
// resistance (2), 1 sleeve friction (3), 2 pore pressure (5 to 7), else -1.
int driftKind(int quantity) {
  return quantity == 2 ? 0 : quantity == 3 ? 1 : quantity >= 5 && quantity <= 7 ? 2 : -1;
}

// Depths compare in whole millimetres (files hold centimetres), speeds in hundredths of cm/s,
// pressures in whole pascals: a stored 0.0500002 m step is 50 mm. Beyond +-1e15 (and NaN)
// every value is the same, so that sums and differences stay within range.
long long whole(double value) {
  if (!(value > -1e15)) return -1000000000000000;
  return value < 1e15 ? std::llround(value) : 1000000000000000;
}
long long millimetres(float depth) { return whole(static_cast<double>(depth) * 1000); }
bool inBand(float speed) {
  const long long hundredths = whole(static_cast<double>(speed) * 100);
  return hundredths >= whole(RateBandLow * 100) && hundredths <= whole(RateBandHigh * 100);
}
bool within(double value, double limit) { return whole(value * 1000) <= whole(limit * 1000); }

RateFigures assessRate(const Sounding& s) {
  RateFigures rate;
  double sum = 0;
  for (int n = 1; n <= s.NumReadings; ++n) {
    const float speed = s.Speed[n];
    if (speed == NoValue) continue;
    rate.min = rate.readings ? std::min<double>(rate.min, speed) : speed;
    rate.max = rate.readings ? std::max<double>(rate.max, speed) : speed;
    sum += speed;
    ++rate.readings;
    rate.outside += !inBand(speed);
  }
  if (rate.readings) {
    rate.mean = sum / rate.readings;
    rate.shareOutside = static_cast<double>(rate.outside) / rate.readings;
  }
  rate.longRuns = runsOutsideRateBand(s);
  return rate;
}

StepFigures assessSteps(const Sounding& s, long long& maxStepMm) {
  StepFigures steps;
  long long sum = 0;
  maxStepMm = 0;
  for (int n = 2; n <= s.NumReadings; ++n) {
    const long long step = millimetres(s.Depth[n]) - millimetres(s.Depth[n - 1]);
    if (steps.steps == 0 || step > maxStepMm) maxStepMm = step, steps.largestAt = n;
    sum += step;
    ++steps.steps;
    steps.above20mm += step > 20;
    steps.above50mm += step > 50;
    if (step <= 0 && steps.zeroOrNegative++ == 0) steps.firstZeroOrNegative = n;
  }
  if (steps.steps) {
    steps.mean = static_cast<double>(sum) / steps.steps / 1000;
    steps.max = static_cast<double>(maxStepMm) / 1000;
  }
  return steps;
}

QualityChannel named(const Sounding& s, int c) { return {c, s.ChannelType[c], s.ChannelName[c]}; }

ChannelDrift assessDrift(const Sounding& s, int c, int kindOf) {
  ChannelDrift d{named(s, c), 0, 0, {}};
  if (s.ChannelFactor[c] != 0)
    d.drift = std::fabs(s.BaselineDrift[c] / static_cast<double>(s.ChannelFactor[c]));
  for (int n = 1; n <= s.NumReadings; ++n)
    if (auto value = channelBaseValue(s, c, n)) d.largest = std::max(d.largest, std::fabs(*value));
  const auto kind = static_cast<std::size_t>(kindOf);
  for (int k = 1; k <= 4; ++k)
    if (kClasses[k].absolute[kind] >= 0)
      d.limit[static_cast<std::size_t>(k)] =
          std::max(kClasses[k].absolute[kind], kClasses[k].share[kind] * d.largest);
  return d;
}

InclinationFigures assessInclination(const Sounding& s, const ChannelDefinitions& defs) {
  const InclinationChannels channels = inclinationChannels(s, defs);
  InclinationFigures f;
  f.recorded = channels.recorded();
  if (!f.recorded) return f;
  std::optional<double> before;
  for (int n = 1; n <= s.NumReadings; ++n) {
    const std::optional<double> value = inclinationAt(s, channels, n);
    if (!value) continue;
    if (!f.maxAt || *value > f.max) f.max = *value, f.maxAt = n, f.depthAtMax = s.Depth[n];
    if (before && std::fabs(*value - *before) > f.largestChange)
      f.largestChange = std::fabs(*value - *before), f.largestChangeAt = n;
    before = value;
  }
  return f;
}

ChannelCounts countChannel(const Sounding& s, int c, bool positive) {
  ChannelCounts counts{named(s, c), 0, 0, std::nullopt, 0};
  if (positive) counts.zeroOrNegative = 0;
  for (int n = std::max(1, s.ChannelLag[c] + 1); n <= s.NumReadings; ++n) {
    const float value = channelValueAt(s, c, n);
    if (value == NoValue) {
      if (counts.withoutValue++ == 0) counts.firstWithoutValue = n;
    } else if (positive && value <= 0) {
      if ((*counts.zeroOrNegative)++ == 0) counts.firstZeroOrNegative = n;
    }
  }
  return counts;
}

// Readings whose depth, to the millimetre, an earlier reading already has.
void countRepeatedDepths(const Sounding& s, QualityReport& report) {
  std::vector<std::pair<long long, int>> depths;
  depths.reserve(static_cast<std::size_t>(std::max(0, s.NumReadings)));
  for (int n = 1; n <= s.NumReadings; ++n) depths.emplace_back(millimetres(s.Depth[n]), n);
  std::sort(depths.begin(), depths.end());
  for (std::size_t i = 1; i < depths.size(); ++i) {
    if (depths[i].first != depths[i - 1].first) continue;
    ++report.repeatedDepths;
    if (!report.firstRepeatedDepth || depths[i].second < report.firstRepeatedDepth)
      report.firstRepeatedDepth = depths[i].second;
  }
}

std::optional<int> classReached(const QualityReport& r, long long maxStepMm) {
  if (r.steps.steps == 0) return std::nullopt;
  for (int k = 1; k <= 4; ++k) {
    if (k <= 2 && !r.hasPorePressure) continue;
    if (maxStepMm > kClasses[k].maxStepMm) continue;
    const bool driftHolds = std::all_of(r.drift.begin(), r.drift.end(), [&](const ChannelDrift& d) {
      const auto& limit = d.limit[static_cast<std::size_t>(k)];
      return !limit || within(d.drift, *limit);
    });
    if (driftHolds) return k;
  }
  return std::nullopt;
}

}  // namespace

InclinationChannels inclinationChannels(const Sounding& s, const ChannelDefinitions& defs) {
  InclinationChannels channels;
  for (int c = s.NumChannels; c >= 1; --c) {
    const int quantity = gefQuantityOf(defs, s.ChannelType[c]);
    if (quantity == 21) channels.x = c;
    if (quantity == 22) channels.y = c;
    if (quantity == 8) channels.resultant = c;
  }
  return channels;
}

std::optional<double> inclinationAt(const Sounding& s, const InclinationChannels& channels, int n) {
  if (channels.x && channels.y) {
    const auto ix = channelBaseValue(s, channels.x, n), iy = channelBaseValue(s, channels.y, n);
    if (ix && iy) return std::sqrt(*ix * *ix + *iy * *iy);
  } else if (channels.resultant) {
    if (const auto r = channelBaseValue(s, channels.resultant, n)) return std::fabs(*r);
  }
  return std::nullopt;
}

std::vector<ReadingRun> runsOutsideRateBand(const Sounding& s) {
  std::vector<ReadingRun> runs;
  int run = 0;
  for (int n = 1; n <= s.NumReadings + 1; ++n) {
    if (n <= s.NumReadings && s.Speed[n] != NoValue && !inBand(s.Speed[n])) {
      ++run;
      continue;
    }
    if (run >= LongRunOutside) runs.push_back({n - run, n - 1, s.Depth[n - run], s.Depth[n - 1]});
    run = 0;
  }
  return runs;
}

QualityReport assessQuality(const Sounding& s, const ChannelDefinitions& defs) {
  QualityReport report;
  report.readings = s.NumReadings;
  report.rate = assessRate(s);
  long long maxStepMm = 0;
  report.steps = assessSteps(s, maxStepMm);
  report.driftAssessed = s.HasFinalBaseline;
  for (int c = 1; c <= s.NumChannels; ++c) {
    const int kind = driftKind(gefQuantityOf(defs, s.ChannelType[c]));
    report.hasPorePressure = report.hasPorePressure || kind == 2;
    if (kind >= 0 && report.driftAssessed) report.drift.push_back(assessDrift(s, c, kind));
    report.channels.push_back(countChannel(s, c, kind == 0 || kind == 1));
  }
  report.inclination = assessInclination(s, defs);
  countRepeatedDepths(s, report);
  report.classReached = classReached(report, maxStepMm);
  return report;
}

namespace {

std::string fixed(double value, int decimals) {
  return formatPattern(
      value, decimals ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0");
}
std::string count(int n, const char* what) { return std::to_string(n) + " " + what; }

}  // namespace

std::vector<QualityLine> qualityLines(const QualityReport& r) {
  using enum QualityMark;
  std::vector<QualityLine> lines;
  {
    std::string figures = r.classReached ? "class " + std::to_string(*r.classReached) : "none";
    if (!r.driftAssessed)
      figures +=
          "; zero drift not assessed (no final-baseline line), the class rests on the depth steps";
    if (!r.hasPorePressure) figures += "; classes 1 and 2 need a pore-pressure channel";
    lines.push_back({r.classReached ? Met : NotMet, "Class reached", figures, 0});
  }
  const RateFigures& rate = r.rate;
  if (rate.readings == 0) {
    lines.push_back({NotAssessed, "Penetration rate", "no speeds", 0});
  } else {
    std::string figures = "mean " + fixed(rate.mean, 2) + " cm/s, " + fixed(rate.min, 2) + " to " +
                          fixed(rate.max, 2) + "; " + std::to_string(rate.outside) + " of " +
                          std::to_string(rate.readings) + " readings (" +
                          fixed(rate.shareOutside * 100, 1) + " %) outside 1.50 to 2.50 cm/s";
    for (std::size_t i = 0; i < rate.longRuns.size() && i < 3; ++i)
      figures += std::string(i ? ", " : "; 5 or more in a row at ") +
                 fixed(rate.longRuns[i].top, 2) + "-" + fixed(rate.longRuns[i].bottom, 2) + " m";
    if (rate.longRuns.size() > 3)
      figures += " and " + std::to_string(rate.longRuns.size() - 3) + " more";
    lines.push_back({rate.longRuns.empty() ? Met : NotMet, "Penetration rate", figures,
                     rate.longRuns.empty() ? 0 : rate.longRuns[0].first});
  }
  const StepFigures& steps = r.steps;
  if (steps.steps == 0) {
    lines.push_back({NotAssessed, "Depth steps", "fewer than 2 readings", 0});
  } else {
    const bool met = steps.above20mm == 0 && steps.zeroOrNegative == 0;
    lines.push_back({met ? Met : NotMet, "Depth steps",
                     "mean " + fixed(steps.mean, 3) + " m, largest " + fixed(steps.max, 3) +
                         " m; " + count(steps.above20mm, "above 0.020 m, ") +
                         count(steps.above50mm, "above 0.050 m, ") +
                         count(steps.zeroOrNegative, "zero or negative"),
                     met                    ? 0
                     : steps.zeroOrNegative ? steps.firstZeroOrNegative
                                            : steps.largestAt});
  }
  if (!r.driftAssessed) lines.push_back({NotAssessed, "Zero drift", "no final-baseline line", 0});
  for (const ChannelDrift& d : r.drift) {
    std::string figures = fixed(d.drift, 1) + " kPa; limits";
    for (std::size_t k = 1; k <= 4; ++k) {
      figures += ' ';
      figures += d.limit[k] ? fixed(*d.limit[k], 1) : "-";
      figures += k < 4 ? " /" : " kPa";
    }
    figures += " for classes 1 to 4";
    std::string item = "Zero drift ";
    item += d.name;
    lines.push_back({within(d.drift, *d.limit[1]) ? Met : NotMet, item, figures, 0});
  }
  const InclinationFigures& inc = r.inclination;
  if (!inc.recorded || !inc.maxAt)
    lines.push_back(
        {NotAssessed, "Inclination", inc.recorded ? "no values" : "no inclination channel", 0});
  else
    lines.push_back({Met, "Inclination",
                     "largest " + fixed(inc.max, 2) + " deg at " + fixed(inc.depthAtMax, 2) +
                         " m, largest change " + fixed(inc.largestChange, 2) +
                         " deg between readings",
                     inc.maxAt});
  for (const ChannelCounts& c : r.channels) {
    std::string figures = count(c.withoutValue, "readings without a value");
    if (c.zeroOrNegative) figures += ", " + count(*c.zeroOrNegative, "zero or negative");
    const bool met = c.withoutValue == 0 && c.zeroOrNegative.value_or(0) == 0;
    lines.push_back({met ? Met : NotMet, "Values of " + c.name, figures,
                     c.withoutValue ? c.firstWithoutValue : c.firstZeroOrNegative});
  }
  lines.push_back({r.repeatedDepths ? NotMet : Met, "Repeated depths",
                   count(r.repeatedDepths, "readings at the depth of an earlier one"),
                   r.firstRepeatedDepth});
  return lines;
}

const char* markWord(QualityMark mark) {
  return mark == QualityMark::Met      ? "met"
         : mark == QualityMark::NotMet ? "not met"
                                       : "not assessed";
}

std::string qualityText(const QualityReport& report) {
  std::string text;
  for (const QualityLine& line : qualityLines(report)) {
    std::string mark = markWord(line.mark), item = line.item;
    mark.resize(std::max<std::size_t>(mark.size(), 13), ' ');
    item.resize(std::max<std::size_t>(item.size(), 20), ' ');
    text += mark + item + " " + line.figures + "\n";
  }
  return text;
}

std::string assessedClassText(const QualityReport& report) {
  if (!report.classReached) return {};
  return "ISO 22476-1 class " + std::to_string(*report.classReached) +
         " (assessed by Pelorin from the data)";
}

}  // namespace pelorin
