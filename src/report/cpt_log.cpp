#include "report/cpt_log.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "export/readings_table.hpp"
#include "interchange/exchange_text.hpp"
#include "quality/quality.hpp"
#include "report/log_page.hpp"
#include "sounding/channel_definitions.hpp"
#include "sounding/header_fields.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin::report {

namespace {

constexpr float kGap = std::numeric_limits<float>::quiet_NaN();
// The unit weight of water, MPa per metre of head: u0 = 0.00981 MPa per metre below the
// water table.
constexpr double kWaterMPaPerMetre = 0.00981;

// The first channel whose type the exchange file maps to one of the GEF quantities, in the
// order given; 0 when there is none.
int channelMeasuring(const Sounding& s, const ChannelDefinitions& defs,
                     std::initializer_list<int> quantities) {
  for (int quantity : quantities)
    for (int c = 1; c <= s.NumChannels; ++c)
      if (gefQuantityOf(defs, s.ChannelType[c]) == quantity) return c;
  return 0;
}

// Channel c in MPa at every reading; no values when its base unit is not a pressure.
std::vector<float> valuesInMPa(const Sounding& s, const ChannelDefinitions& defs, int c) {
  if (!c) return {};
  const std::optional<double> toMPa = unitFactor(defs.UnitName[s.ChannelType[c]][1], "MPa");
  if (!toMPa) return {};
  std::vector<float> values(static_cast<std::size_t>(s.NumReadings), kGap);
  for (int n = 1; n <= s.NumReadings; ++n)
    if (const std::optional<double> base = channelBaseValue(s, c, n))
      values[static_cast<std::size_t>(n - 1)] = toSingle(*base * *toMPa);
  return values;
}

std::string utf8(const std::string& windows1252) { return windows1252ToUtf8(windows1252); }

std::string metres(double value) { return fixedText(value, 2) + " m"; }

// A GEF code of a reference system by its name where the Dutch ones are meant: 31000 is the
// national grid (RD) for a position and NAP for a level, 28992 the grid's EPSG code.
std::string systemText(const std::string& code, bool level) {
  if (code == "31000") return level ? "NAP" : "RD";
  if (code == "28992" && !level) return "RD";
  return utf8(code);
}

std::string positionText(const Sounding& s, const std::string& gps) {
  const SiteInfo& site = s.Site;
  if (!site.X.empty())
    return "X " + utf8(site.X) + ", Y " + utf8(site.Y) +
           (site.CoordinateSystem.empty() ? ""
                                          : " (" + systemText(site.CoordinateSystem, false) + ")");
  if (!site.Latitude.empty())
    return utf8(site.Latitude) + ", " + utf8(site.Longitude) + " (WGS 84)";
  return utf8(gps);
}

// The zero readings of a channel before and after the test as the instrument gave them, and
// the drift between them in kPa, as the quality report weighs it.
std::string zeroReadingText(const Sounding& s, const ChannelDefinitions& defs, int c) {
  std::string text = utf8(s.ChannelName[c]) + " " + generalNumber(s.Baseline[c][1]) + " / ";
  if (!s.HasFinalBaseline) return text + "not recorded";
  text += generalNumber(s.Baseline[c][2]);
  const std::optional<double> toKPa = unitFactor(defs.UnitName[s.ChannelType[c]][1], "kPa");
  if (toKPa && s.ChannelFactor[c] != 0) {
    const double drift = s.BaselineDrift[c] / static_cast<double>(s.ChannelFactor[c]) * *toKPa;
    const std::string shown = fixedText(drift, 1);
    text += ", drift " + (drift > 0 && shown != "0.0" ? "+" + shown : shown) + " kPa";
  }
  return text;
}

TitleBlock titleBlock(const Session& session, const CptLog& log) {
  const Sounding& s = session.sounding();
  const HeaderTexts& h = session.header();
  auto header = [&](HeaderField field) { return utf8(text(h, field)); };
  TitleBlock t;
  t.company = header(HeaderField::CompanyName);
  t.jobNumber = header(HeaderField::JobNumber);
  t.testId = header(HeaderField::HoleNumber);
  t.location = header(HeaderField::LocationText);
  t.position = positionText(s, text(h, HeaderField::GPSData));
  if (!s.Site.GroundLevel.empty()) {
    t.groundLevel = utf8(s.Site.GroundLevel) + " m";
    if (!s.Site.LevelDatum.empty()) t.groundLevel += ' ' + systemText(s.Site.LevelDatum, true);
  }
  t.testDate = header(HeaderField::DateAndTime);
  t.operatorName = header(HeaderField::OperatorName);
  for (HeaderField field :
       {HeaderField::HeaderText, HeaderField::Footnote1, HeaderField::Footnote2})
    if (const std::string remark = header(field); !remark.empty())
      t.remarks += (t.remarks.empty() ? "" : "; ") + remark;
  t.coneNumber = header(HeaderField::ConeNumber);
  if (!s.Site.ConeArea.empty()) t.coneNumber += " (" + utf8(s.Site.ConeArea) + " mm²)";
  t.areaRatio = utf8(s.Site.AreaRatio);
  if (!s.Site.PredrillDepth.empty()) t.predrill = utf8(s.Site.PredrillDepth) + " m";
  if (log.waterDepth) t.waterDepth = metres(*log.waterDepth);
  float deepest = 0;
  for (float d : log.depth)
    if (std::isfinite(d)) deepest = std::max(deepest, d);
  if (!log.depth.empty()) t.finalDepth = metres(deepest);

  const QualityReport report = assessQuality(s, session.definitions());
  t.applicationClass = report.classReached ? assessedClassText(report) : "no class reached";
  // Cone resistance, sleeve friction and the pore pressures: the channels whose zero drift
  // the application classes limit.
  for (int c = 1; c <= s.NumChannels; ++c)
    if (const int quantity = gefQuantityOf(session.definitions(), s.ChannelType[c]);
        quantity == 2 || quantity == 3 || (quantity >= 5 && quantity <= 7))
      t.zeroReadings.push_back(zeroReadingText(s, session.definitions(), c));
  return t;
}

// The depth of the water table below the surface: the file's own, or the header's text when
// it is a number.
std::optional<double> waterDepth(const Sounding& s, const HeaderTexts& h) {
  std::optional<double> depth = strictNumber(s.Site.WaterDepth);
  if (!depth) depth = strictNumber(text(h, HeaderField::WaterTableDepth));
  if (depth && !std::isfinite(*depth)) depth.reset();
  return depth;
}

}  // namespace

std::string fixedText(double value, int decimals) {
  std::string pattern = decimals > 0 ? "0." : "0";
  pattern.append(static_cast<std::size_t>(std::max(0, decimals)), '0');
  std::string text = formatPattern(value, pattern);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

const char* logGraphName(LogGraph graph) {
  constexpr const char* names[LogGraphCount] = {"qc", "fs", "u2", "rf", "inclination", "ic"};
  return names[static_cast<std::size_t>(graph)];
}

std::optional<LogGraph> logGraphNamed(std::string_view name) {
  for (int k = 0; k < LogGraphCount; ++k)
    if (name == logGraphName(static_cast<LogGraph>(k))) return static_cast<LogGraph>(k);
  return std::nullopt;
}

double CptLog::pageTop(int page) const { return firstPageTop + (page - 1) * options.metresPerPage; }

CptLog cptLog(const Session& session, const LogOptions& options) {
  const Sounding& s = session.sounding();
  const ChannelDefinitions& defs = session.definitions();
  CptLog log;
  log.options = options;
  log.depth.assign(s.Depth.begin() + 1, s.Depth.begin() + 1 + std::max(0, s.NumReadings));

  const int qc = channelMeasuring(s, defs, {2}), fs = channelMeasuring(s, defs, {3});
  // u2 where the cone has it, otherwise the pore pressure it has.
  const int u = channelMeasuring(s, defs, {6, 5, 7});
  const int uQuantity = u ? gefQuantityOf(defs, s.ChannelType[u]) : 6;
  auto& curves = log.curves;
  curves[0] = {"qc", "MPa", valuesInMPa(s, defs, qc)};
  curves[1] = {"fs", "MPa", valuesInMPa(s, defs, fs)};
  curves[2] = {uQuantity == 5   ? "u1"
               : uQuantity == 7 ? "u3"
                                : "u2",
               "MPa", valuesInMPa(s, defs, u)};
  if (curves[0].present() && curves[1].present()) {
    curves[3] = {"Rf", "%", std::vector<float>(log.depth.size(), kGap)};
    for (std::size_t i = 0; i < log.depth.size(); ++i)
      if (curves[0].values[i] > 0)
        curves[3].values[i] = toSingle(curves[1].values[i] * 100.0 / curves[0].values[i]);
  }
  if (const InclinationChannels inclination = inclinationChannels(s, defs);
      inclination.recorded()) {
    curves[4] = {"Inclination", "deg", std::vector<float>(log.depth.size(), kGap)};
    for (int n = 1; n <= s.NumReadings; ++n)
      if (const std::optional<double> value = inclinationAt(s, inclination, n))
        curves[4].values[static_cast<std::size_t>(n - 1)] = toSingle(*value);
  }
  log.waterDepth = waterDepth(s, session.header());
  if (options.interpretation) {
    const Interpretation derived = interpret(s, defs, session.interpretationInputs());
    curves[5] = {"Ic", "-", std::vector<float>(log.depth.size(), kGap)};
    log.zones.assign(log.depth.size(), 0);
    for (std::size_t i = 0; i < derived.readings.size() && i < log.depth.size(); ++i) {
      if (std::isfinite(derived.readings[i].Ic))
        curves[5].values[i] = toSingle(derived.readings[i].Ic);
      log.zones[i] = derived.readings[i].zone;
    }
  }

  // Pages start at a whole number of page windows, the surface for a sounding from the top,
  // and follow each other every metresPerPage until the deepest reading is on one.
  double shallowest = std::numeric_limits<double>::infinity(), deepest = -shallowest;
  for (float d : log.depth)
    if (std::isfinite(d))
      shallowest = std::min<double>(shallowest, d), deepest = std::max<double>(deepest, d);
  const double step = options.metresPerPage;
  if (std::isfinite(shallowest) && step > 0) {
    log.firstPageTop = std::floor(shallowest / step) * step;
    const double pages = std::ceil((deepest - log.firstPageTop - options.repeatedMetres) / step);
    log.depthPages = static_cast<int>(std::clamp(pages, 1.0, 1e9));
  }
  log.steps = session.descriptions();
  const int steps = static_cast<int>(log.steps.size());
  log.pageCount =
      log.depthPages +
      (steps <= logStepsOnFoot() ? 0 : (steps + logStepsOnPage() - 1) / logStepsOnPage());
  log.title = titleBlock(session, log);
  return log;
}

}  // namespace pelorin::report
