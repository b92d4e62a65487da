#pragma once
// The CPT log as a contractor hands it over: qc, fs, u2 and Rf against depth on A4 pages of a
// fixed depth window, each page with a title block, and the clean-up the data went through.
// This part gathers what the log shows from a session; log_page.hpp draws a page of it.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/session.hpp"

namespace pelorin::report {

// Panels: qc | fs | u2 (with u0) | Rf | inclination, side by side. Overlay: qc, fs and u2
// drawn from the left and Rf from the right in one graph, as Dutch logs have them.
enum class LogLayout { Panels, Overlay };

// The values at the left and at the right edge of a graph.
struct LogScale {
  double low = 0, high = 1;
  bool operator==(const LogScale&) const = default;
};

// The graphs of the log, in the order the panels layout draws them from the left.
// Ic with the soil behaviour type zones behind it, when the log is asked to show the
// interpretation.
enum class LogGraph { Qc, Fs, U2, Rf, Inclination, Ic };
inline constexpr int LogGraphCount = 6;

struct LogOptions {
  LogLayout layout = LogLayout::Panels;
  double metresPerPage = 20;  // new depth on each page
  double repeatedMetres = 1;  // the foot of a page drawn again at the top of the next
  // qc, fs and u2 in MPa, Rf in %, inclination in degrees: fixed, so that logs compare.
  std::array<LogScale, LogGraphCount> scales = {
      {{0, 20}, {0, 0.5}, {-0.2, 1}, {0, 10}, {0, 10}, {1, 4}}};
  // An Ic and zone column (the interpretation with the session's inputs).
  bool interpretation = false;

  LogScale& scale(LogGraph graph) { return scales[static_cast<std::size_t>(graph)]; }
  const LogScale& scale(LogGraph graph) const { return scales[static_cast<std::size_t>(graph)]; }
};

// A value with `decimals` decimals as the log writes it, never "-0.0".
std::string fixedText(double value, int decimals);

// The names the batch tool gives the graphs: qc, fs, u2, rf, inclination.
const char* logGraphName(LogGraph graph);
std::optional<LogGraph> logGraphNamed(std::string_view name);

// One value against depth; NaN where the reading has none (a gap in the line).
struct LogCurve {
  std::string title, unit;  // "qc", "MPa"
  std::vector<float> values;
  bool present() const { return !values.empty(); }
};

// The texts of the title block, UTF-8; an empty text is not known.
struct TitleBlock {
  std::string company, jobNumber, testId, location, position, groundLevel, testDate;
  std::string operatorName, coneNumber, areaRatio, predrill, waterDepth, finalDepth;
  std::string remarks;                    // the header's remark and footnotes
  std::string applicationClass;           // the class the data reaches (quality report)
  std::vector<std::string> zeroReadings;  // cone, sleeve, pore pressures: before, after, drift
};

struct CptLog {
  LogOptions options;
  std::vector<float> depth;  // m below the surface, reading n at index n - 1
  std::vector<int> zones;    // with the interpretation: the soil behaviour type zone, 0 none
  std::array<LogCurve, LogGraphCount> curves;
  std::optional<double> waterDepth;  // m below the surface: the hydrostatic line u0
  double firstPageTop = 0;           // m: the depth at the top of page 1
  // Pages 1 to depthPages draw the readings; when the steps are more than the last one's
  // foot holds, the pages after it list them all.
  int depthPages = 1;
  int pageCount = 1;

  TitleBlock title;
  std::vector<std::string> steps;  // the clean-up steps in the History panel's words

  const LogCurve& curve(LogGraph graph) const { return curves[static_cast<std::size_t>(graph)]; }
  // The depths page `page` (1-based) shows, top and bottom, m.
  double pageTop(int page) const;
  double pageBottom(int page) const { return pageTop(page) + pageHeightMetres(); }
  double pageHeightMetres() const { return options.metresPerPage + options.repeatedMetres; }
};

// What the log of the session's sounding shows, as its steps left it, with the header texts
// as edited. Values are taken at each channel's lag and turned into MPa from the channel
// type's base unit; a channel whose unit does not turn into MPa is left out.
CptLog cptLog(const Session& session, const LogOptions& options);

// The number of pages: enough windows of metresPerPage to reach the deepest reading.
inline int logPageCount(const CptLog& log) { return log.pageCount; }

}  // namespace pelorin::report
