#include "cli/derived_output.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/quality_json.hpp"
#include "interpret/soil_behaviour_chart.hpp"

namespace pelorin::cli {

namespace {

using json = nlohmann::ordered_json;

// Seven significant digits, as many as the readings hold; nothing for no value.
void appendValue(std::string& out, double value) {
  if (!std::isfinite(value)) return;
  char text[32];
  out.append(text,
             std::to_chars(text, text + sizeof text, value, std::chars_format::general, 7).ptr);
}

// The inputs as the CSV's first lines and the JSON's "inputs" both tell them.
std::string unitWeightText(const InterpretationInputs& in) {
  switch (in.unitWeightMethod.value) {
    case UnitWeightMethod::Constant: {
      std::string text = "constant ";
      appendValue(text, in.unitWeight);
      return text + " kN/m3";
    }
    case UnitWeightMethod::Layers:
      return "layers";
    case UnitWeightMethod::RobertsonCabal2010:
      break;
  }
  return "Robertson & Cabal (2010), bounded to 14 to 22 kN/m3";
}

json stated(double value, InputSource source) {
  return {{"value", value}, {"source", sourceText(source)}};
}

}  // namespace

std::string derivedCsv(const Interpretation& d) {
  const InterpretationInputs& in = d.inputs;
  std::string out;
  auto input = [&](const char* name, double value, const char* unit, InputSource source) {
    out += std::string("# ") + name + ": ";
    appendValue(out, value);
    out += std::string(unit) + " (" + sourceText(source) + ")\r\n";
  };
  input("area ratio a", in.areaRatio.value, "", in.areaRatio.source);
  input("water depth zw", in.waterDepth.value, " m", in.waterDepth.source);
  out += "# unit weight: " + unitWeightText(in) + " (" + sourceText(in.unitWeightMethod.source) +
         ")\r\n";
  input("gamma_w", in.gammaW.value, " kN/m3", in.gammaW.source);
  input("pa", in.pa.value, " kPa", in.pa.source);
  if (in.cnCap.value)
    input("Cn cap", *in.cnCap.value, "", in.cnCap.source);
  else
    out += std::string("# Cn cap: none (") + sourceText(in.cnCap.source) + ")\r\n";
  for (const std::string& note : d.notes) out += "# note: " + note + "\r\n";

  out +=
      "depth_m,qc_MPa,fs_kPa,u2_kPa,qt_MPa,Rf_pct,gamma_kN_m3,sigma_v0_kPa,u0_kPa,"
      "sigma_v0_eff_kPa,Qt,Fr_pct,Bq,n,Qtn,Ic,Isbt,zone,outside_chart\r\n";
  for (const DerivedReading& r : d.readings) {
    char depth[32];
    out.append(depth, std::to_chars(depth, depth + sizeof depth, static_cast<float>(r.depth)).ptr);
    for (double value : {r.qc / 1000, r.fs, r.u2, r.qt / 1000, r.Rf, r.gamma, r.sigmaV0, r.u0,
                         r.sigmaV0Eff, r.Qt, r.Fr, r.Bq, r.n, r.Qtn, r.Ic, r.Isbt}) {
      out += ',';
      appendValue(out, value);
    }
    out += ',';
    if (r.zone)
      out += std::to_string(r.zone) + (r.outsideChart ? ",1" : ",0");
    else
      out += ',';
    out += "\r\n";
  }
  return out;
}

std::string derivedJson(const Interpretation& d, const std::vector<ZoneChange>& changes) {
  const InterpretationInputs& in = d.inputs;
  json unitWeight = {{"method", methodText(in.unitWeightMethod.value)}};
  if (in.unitWeightMethod.value == UnitWeightMethod::Constant) unitWeight["value"] = in.unitWeight;
  if (in.unitWeightMethod.value == UnitWeightMethod::RobertsonCabal2010)
    unitWeight["bounds"] = {UnitWeightLow, UnitWeightHigh};
  if (in.unitWeightMethod.value == UnitWeightMethod::Layers) {
    unitWeight["layers"] = json::array();
    for (const UnitWeightLayer& layer : in.layers)
      unitWeight["layers"].push_back({{"bottom", layer.bottom}, {"gamma", layer.gamma}});
  }
  unitWeight["source"] = sourceText(in.unitWeightMethod.source);

  std::array<int, 10> perZone{};
  int outside = 0;
  double icLow = INFINITY, icHigh = -INFINITY;
  for (const DerivedReading& r : d.readings) {
    if (!r.zone) continue;
    ++perZone[static_cast<std::size_t>(r.zone)];
    outside += r.outsideChart;
    icLow = std::min(icLow, r.Ic), icHigh = std::max(icHigh, r.Ic);
  }
  json zones = json::object();
  int zoned = 0;
  for (int zone = 1; zone <= 9; ++zone)
    zones[std::to_string(zone)] = perZone[static_cast<std::size_t>(zone)],
    zoned += perZone[static_cast<std::size_t>(zone)];
  json changed = json::array();
  for (const ZoneChange& c : changes)
    changed.push_back({{"reading", c.reading},
                       {"depth", stored(c.depth)},
                       {"before", c.before ? json(c.before) : json(nullptr)},
                       {"after", c.after ? json(c.after) : json(nullptr)}});

  json j = {{"inputs",
             {{"area_ratio", stated(in.areaRatio.value, in.areaRatio.source)},
              {"water_depth", stated(in.waterDepth.value, in.waterDepth.source)},
              {"unit_weight", unitWeight},
              {"gamma_w", stated(in.gammaW.value, in.gammaW.source)},
              {"pa", stated(in.pa.value, in.pa.source)},
              {"cn_cap",
               {{"value", in.cnCap.value ? json(*in.cnCap.value) : json(nullptr)},
                {"source", sourceText(in.cnCap.source)}}}}},
            {"pore_pressure", d.porePressure},
            {"notes", d.notes},
            {"summary",
             {{"readings", d.readings.size()},
              {"with_zone", zoned},
              {"zones", zones},
              {"outside_chart", outside},
              {"Ic", zoned ? json{{"min", icLow}, {"max", icHigh}} : json(nullptr)}}},
            {"zone_changes", changed}};
  return j.dump(2) + "\n";
}

}  // namespace pelorin::cli
