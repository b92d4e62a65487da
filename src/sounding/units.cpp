#include "sounding/units.hpp"

#include "text/number_text.hpp"

namespace pelorin {

namespace {
constexpr double kMetresPerFoot = 0.3048;
}

float displayDepth(float metres, DepthUnit unit) {
  return unit == DepthUnit::Metres ? metres : toSingle(toDisplayUnit(metres, unit));
}

double toDisplayUnit(double metres, DepthUnit unit) {
  return unit == DepthUnit::Feet ? metres / kMetresPerFoot : metres;
}

double toMetres(double displayDepth, DepthUnit unit) {
  return unit == DepthUnit::Feet ? displayDepth * kMetresPerFoot : displayDepth;
}

std::vector<int> unitOptionsNamed(const ChannelDefinitions& defs, int type, std::string_view name) {
  std::vector<int> options;
  if (type < 1 || type > MaxChannelTypes) return options;
  for (int k = 1; k <= defs.UnitCount[type] && k <= MaxUnitOptions; ++k)
    if (defs.UnitName[type][k] == name) options.push_back(k);
  return options;
}

void applyDisplayDepths(Sounding& s, DepthUnit unit) {
  for (int n = 1; n <= s.NumReadings; ++n) s.Reading[0][n] = displayDepth(s.Depth[n], unit);
}

void changeChannelUnit(Sounding& s, const ChannelDefinitions& defs, int c, int option) {
  s.ChannelUnit[c] = static_cast<std::int16_t>(option);
  double oldFactor = s.ChannelFactor[c];
  s.ChannelFactor[c] = defs.UnitFactor[s.ChannelType[c]][option];
  double newFactor = s.ChannelFactor[c];
  // A factor of 0 would turn every value into infinity or nothing; the values then stay.
  if (oldFactor == 0 || newFactor == 0) return;
  auto& values = s.Reading[c];
  for (int n = 1; n <= s.NumReadings; ++n)
    if (values[n] != NoValue) values[n] = toSingle(values[n] / oldFactor * newFactor);
  if (s.HasFinalBaseline) s.BaselineDrift[c] = toSingle(s.BaselineDrift[c] / oldFactor * newFactor);
}

}  // namespace pelorin
