#include "cli/quality_json.hpp"

#include <charconv>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "text/text_file.hpp"

namespace pelorin::cli {

namespace {

using json = nlohmann::ordered_json;

json runs(const std::vector<ReadingRun>& runs) {
  json list = json::array();
  for (const ReadingRun& run : runs)
    list.push_back({{"first", run.first},
                    {"last", run.last},
                    {"top", stored(run.top)},
                    {"bottom", stored(run.bottom)}});
  return list;
}

json optional(const std::optional<double>& value) { return value ? json(*value) : json(nullptr); }

}  // namespace

double stored(double value) {
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, static_cast<float>(value)).ptr;
  *end = '\0';
  return std::strtod(text, nullptr);
}

std::string qualityJson(const QualityReport& r) {
  json drift = json::array();
  for (const ChannelDrift& d : r.drift) {
    json limits = json::array();
    for (std::size_t k = 1; k <= 4; ++k) limits.push_back(optional(d.limit[k]));
    drift.push_back({{"channel", d.channel},
                     {"name", windows1252ToUtf8(d.name)},
                     {"type", d.type},
                     {"drift", d.drift},
                     {"largest", d.largest},
                     {"limits", limits}});
  }
  json channels = json::array();
  for (const ChannelCounts& c : r.channels)
    channels.push_back(
        {{"channel", c.channel},
         {"name", windows1252ToUtf8(c.name)},
         {"type", c.type},
         {"without_value", c.withoutValue},
         {"zero_or_negative", c.zeroOrNegative ? json(*c.zeroOrNegative) : json(nullptr)}});
  const InclinationFigures& inc = r.inclination;
  json j = {
      {"class", r.classReached ? json(*r.classReached) : json(nullptr)},
      {"readings", r.readings},
      {"rate",
       {{"band", {RateBandLow, RateBandHigh}},
        {"readings", r.rate.readings},
        {"mean", r.rate.mean},
        {"min", stored(r.rate.min)},
        {"max", stored(r.rate.max)},
        {"outside", r.rate.outside},
        {"share_outside", r.rate.shareOutside},
        {"runs_outside", runs(r.rate.longRuns)}}},
      {"steps",
       {{"steps", r.steps.steps},
        {"mean", r.steps.mean},
        {"max", r.steps.max},
        {"above_0_020", r.steps.above20mm},
        {"above_0_050", r.steps.above50mm},
        {"zero_or_negative", r.steps.zeroOrNegative}}},
      {"pore_pressure_channel", r.hasPorePressure},
      {"drift_assessed", r.driftAssessed},
      {"drift", drift},
      {"inclination", inc.recorded && inc.maxAt ? json{{"max", inc.max},
                                                       {"depth_at_max", stored(inc.depthAtMax)},
                                                       {"largest_change", inc.largestChange}}
                                                : json(nullptr)},
      {"channels", channels},
      {"repeated_depths", r.repeatedDepths}};
  return j.dump(2) + "\n";
}

}  // namespace pelorin::cli
