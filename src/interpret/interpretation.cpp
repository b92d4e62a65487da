#include "interpret/interpretation.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "edit/autoclean.hpp"
#include "export/readings_table.hpp"
#include "interchange/exchange_text.hpp"
#include "interpret/soil_behaviour_chart.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

constexpr double kNone = DerivedReading::None;
// Robertson (2009): the exponent n is iterated until it changes by less than this.
constexpr double kExponentTolerance = 1e-6;
// Where sigma'v0 is a fraction of a kPa the iteration can circle instead of settling.
constexpr int kMostRounds = 1000;

// A channel the computation reads, and the factor from its base unit to kPa.
struct Source {
  int channel = 0;  // 0: none
  double toKPa = 1;
};

Source sourceOf(const Sounding& s, const ChannelDefinitions& defs, int type, const char* what,
                std::vector<std::string>& notes) {
  const int c = firstChannelOfType(s, type);
  if (c == 0) return {};
  const std::string& base = defs.UnitName[type][1];
  const std::optional<double> toKPa = unitFactor(base, "kPa");
  if (!toKPa) {
    notes.push_back(std::string(what) + " (channel " + std::to_string(c) + "): its base unit \"" +
                    windows1252ToUtf8(base) + "\" is no pressure; left out");
    return {};
  }
  return {c, *toKPa};
}

double valueKPa(const Sounding& s, const Source& from, int n) {
  if (from.channel == 0) return kNone;
  const std::optional<double> base = channelBaseValue(s, from.channel, n);
  return base ? *base * from.toKPa : kNone;
}

// Robertson & Cabal (2010), from log(qt / pa) and log Rf.
double unitWeightOf(double logQt, double logRf, const InterpretationInputs& in) {
  const double ratio = 0.27 * logRf + 0.36 * logQt + 1.236;
  return std::clamp(in.gammaW.value * ratio, UnitWeightLow, UnitWeightHigh);
}

// The total vertical stress at depth z from the layers, integrated exactly across their
// bounds, and the unit weight of the layer z lies in (the upper one on a bound).
double layerStress(const std::vector<UnitWeightLayer>& layers, double z, double& gamma) {
  double top = 0, sigma = 0;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const bool last = i + 1 == layers.size();
    const double bottom = last ? std::numeric_limits<double>::infinity() : layers[i].bottom;
    if (z > top) sigma += layers[i].gamma * (std::min(z, bottom) - top);
    if (z <= bottom) {
      gamma = layers[i].gamma;
      return sigma;
    }
    top = bottom;
  }
  gamma = kNone;
  return kNone;
}

// The total vertical stress (kPa) of every reading into r.sigmaV0 and the unit weight that
// made it into r.gamma, which holds Robertson & Cabal's where a reading gives one. Per reading,
// the unit weight counts from the reading above (the surface for the first); a reading
// without one takes that of the reading above it, the readings above the first with one take
// the first's.
void totalStresses(std::vector<DerivedReading>& readings, const InterpretationInputs& in,
                   std::vector<std::string>& notes) {
  const UnitWeightMethod method = in.unitWeightMethod.value;
  if (method == UnitWeightMethod::Layers) {
    if (in.layers.empty()) notes.emplace_back("no unit weight layers given: no stresses");
    for (DerivedReading& r : readings) r.sigmaV0 = layerStress(in.layers, r.depth, r.gamma);
    return;
  }
  double carried = kNone;
  for (DerivedReading& r : readings) {
    if (method == UnitWeightMethod::Constant) r.gamma = in.unitWeight;
    if (std::isnan(carried)) carried = r.gamma;
  }
  if (std::isnan(carried)) {
    notes.emplace_back("no reading gives a unit weight (qt and Rf above 0): no stresses");
    return;
  }
  double sigma = 0, above = 0;
  for (DerivedReading& r : readings) {
    if (std::isnan(r.gamma)) r.gamma = carried;
    carried = r.gamma;
    sigma += r.gamma * (r.depth - above);
    above = r.depth;
    r.sigmaV0 = sigma;
  }
}

// Robertson (2009): Qtn = (qnet / pa) (pa / sigma'v0)^n, Ic from Qtn and Fr, n = 0.381 Ic +
// 0.05 sigma'v0 / pa - 0.15 (at most 1), from n = 1 until n settles. In logarithms, so a
// round is a few multiplications and a square root. False when it does not settle.
bool iterate(DerivedReading& r, const InterpretationInputs& in) {
  const double pa = in.pa.value;
  const double logQnet = std::log10(r.qnet / pa), logRatio = std::log10(pa / r.sigmaV0Eff);
  const double logF = std::log10(r.Fr);
  const double logCap =
      in.cnCap.value ? std::log10(*in.cnCap.value) : std::numeric_limits<double>::infinity();
  const double stressTerm = 0.05 * r.sigmaV0Eff / pa - 0.15;
  double n = 1;
  for (int round = 0; round < kMostRounds; ++round) {
    const double logQ = logQnet + std::min(n * logRatio, logCap);
    const double Ic = behaviourIndex(logQ, logF);
    const double next = std::min(1.0, 0.381 * Ic + stressTerm);
    if (std::fabs(next - n) < kExponentTolerance) {
      r.n = n, r.Qtn = std::pow(10.0, logQ), r.Ic = Ic;
      return true;
    }
    n = next;
  }
  return false;
}

std::optional<double> leadingNumber(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  const std::size_t digit = text.find_first_of("0123456789");
  if (digit == std::string_view::npos || text.find_first_not_of("+-.") < digit) return std::nullopt;
  const double value = numericPrefix(text);
  return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

}  // namespace

const char* sourceText(InputSource source) {
  switch (source) {
    case InputSource::File:
      return "file";
    case InputSource::HeaderText:
      return "header text";
    case InputSource::Option:
      return "option";
    case InputSource::Assumed:
      return "assumed";
    case InputSource::Default:
      break;
  }
  return "default";
}

const char* methodText(UnitWeightMethod method) {
  switch (method) {
    case UnitWeightMethod::Constant:
      return "constant";
    case UnitWeightMethod::Layers:
      return "layers";
    case UnitWeightMethod::RobertsonCabal2010:
      break;
  }
  return "robertson2010";
}

InterpretationInputs resolveInputs(const Sounding& s, std::string_view waterTableText,
                                   const InputChoices& choices) {
  InterpretationInputs in;
  if (auto a = strictNumber(s.Site.AreaRatio); a && *a > 0 && *a <= 1)
    in.areaRatio = {*a, InputSource::File};
  else if (choices.areaRatio)
    in.areaRatio = {*choices.areaRatio, InputSource::Option};
  if (choices.waterDepth)
    in.waterDepth = {*choices.waterDepth, InputSource::Option};
  else if (auto zw = leadingNumber(waterTableText))
    in.waterDepth = {*zw, InputSource::HeaderText};
  if (choices.unitWeightMethod) {
    in.unitWeightMethod = {*choices.unitWeightMethod, InputSource::Option};
    in.unitWeight = choices.unitWeight;
  }
  if (choices.cnCap) in.cnCap = {choices.cnCap, InputSource::Option};
  return in;
}

Interpretation interpret(const Sounding& s, const ChannelDefinitions& defs,
                         const InterpretationInputs& inputs) {
  Interpretation out;
  out.inputs = inputs;
  out.depthIncrement = s.DepthIncrement;
  const Source qc = sourceOf(s, defs, 1, "cone resistance qc", out.notes);
  const Source fs = sourceOf(s, defs, 2, "sleeve friction fs", out.notes);
  Source u2 = sourceOf(s, defs, 3, "pore pressure u2", out.notes);
  if (u2.channel && s.ChannelName[u2.channel] == InsertedPoreChannelName) u2 = {};
  out.porePressure = u2.channel != 0;
  if (!qc.channel) out.notes.emplace_back("no cone resistance channel (type 1): no values");
  if (!fs.channel) out.notes.emplace_back("no sleeve friction channel (type 2): no values");
  if (!out.porePressure)
    out.notes.emplace_back("no pore pressure u2 channel (type 3): qt = qc, and no Bq");

  const double a = inputs.areaRatio.value, pa = inputs.pa.value, gammaW = inputs.gammaW.value;
  const int count = std::clamp<int>(s.NumReadings, 0, MaxReadings);
  out.readings.resize(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n) {
    DerivedReading& r = out.readings[static_cast<std::size_t>(n - 1)];
    r.depth = s.Depth[n];
    r.qc = valueKPa(s, qc, n);
    r.fs = valueKPa(s, fs, n);
    r.u2 = valueKPa(s, u2, n);
    // NaN carries "no value" on through every formula below.
    r.qt = out.porePressure ? r.qc + r.u2 * (1 - a) : r.qc;
    r.Rf = r.qt > 0 ? r.fs / r.qt * 100 : kNone;
    if (r.qt > 0 && r.Rf > 0) {
      const double logQt = std::log10(r.qt / pa), logRf = std::log10(r.Rf);
      r.Isbt = behaviourIndex(logQt, logRf);
      r.gamma = unitWeightOf(logQt, logRf, inputs);  // the other methods replace it
    }
  }
  totalStresses(out.readings, inputs, out.notes);

  int unsettled = 0;
  for (DerivedReading& r : out.readings) {
    r.u0 = r.depth > inputs.waterDepth.value ? gammaW * (r.depth - inputs.waterDepth.value) : 0;
    r.sigmaV0Eff = r.sigmaV0 - r.u0;
    const double qnet = r.qt - r.sigmaV0;
    if (!(qnet > 0 && r.fs > 0 && r.sigmaV0Eff > 0)) continue;
    r.qnet = qnet;
    r.Qt = qnet / r.sigmaV0Eff;
    r.Fr = r.fs / qnet * 100;
    r.Bq = (r.u2 - r.u0) / qnet;
    if (!iterate(r, inputs)) {
      ++unsettled;
      continue;
    }
    r.zone = behaviourZone(r.Qtn, r.Fr, r.Ic);
    r.outsideChart = outsideChart(r.Qtn, r.Fr);
  }
  if (unsettled)
    out.notes.push_back(std::to_string(unsettled) +
                        " readings without Qtn and Ic: the exponent n did not settle");
  return out;
}

std::vector<ZoneChange> zoneChanges(const Interpretation& before, const Interpretation& after) {
  std::vector<std::pair<double, int>> zones;  // before's depths and zones, by depth
  zones.reserve(before.readings.size());
  for (const DerivedReading& r : before.readings)
    if (!std::isnan(r.depth)) zones.emplace_back(r.depth, r.zone);
  std::stable_sort(zones.begin(), zones.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  const double reach = before.depthIncrement > 0 ? before.depthIncrement / 2 : 0;

  std::vector<ZoneChange> changes;
  for (std::size_t k = 0; k < after.readings.size(); ++k) {
    const DerivedReading& r = after.readings[k];
    if (std::isnan(r.depth)) continue;
    // The nearest of before's depths; the shallower one on a tie.
    const auto below =
        std::lower_bound(zones.begin(), zones.end(), r.depth,
                         [](const auto& x, double depth) { return x.first < depth; });
    auto at = below;
    if (below != zones.begin() &&
        (below == zones.end() || r.depth - (below - 1)->first <= below->first - r.depth))
      at = below - 1;
    if (at == zones.end() || !(std::fabs(at->first - r.depth) <= reach)) continue;
    if (at->second != r.zone)
      changes.push_back({static_cast<int>(k) + 1, r.depth, at->second, r.zone});
  }
  return changes;
}

}  // namespace pelorin
