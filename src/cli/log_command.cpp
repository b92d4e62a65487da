#include "cli/log_command.hpp"

#include <cmath>

#include "text/number_text.hpp"

namespace pelorin::cli {

std::string readLogScale(std::string_view text, report::LogOptions& options) {
  const std::string problem = "--scale " + std::string(text) +
                              ": expected NAME=LOW:HIGH, NAME qc, fs, u2, rf, inclination or ic, "
                              "LOW below HIGH (qc=0:40)";
  const std::size_t equals = text.find('='), colon = text.find(':', equals);
  if (equals == std::string_view::npos || colon == std::string_view::npos) return problem;
  const std::optional<report::LogGraph> graph = report::logGraphNamed(text.substr(0, equals));
  const std::optional<double> low = strictNumber(text.substr(equals + 1, colon - equals - 1));
  const std::optional<double> high = strictNumber(text.substr(colon + 1));
  if (!graph || !low || !high || !std::isfinite(*low) || !std::isfinite(*high) || !(*low < *high))
    return problem;
  options.scale(*graph) = {*low, *high};
  return {};
}

bool writeLogFiles(const Session& session, const report::LogOptions& options,
                   const std::string& output, report::LogFormat format, std::ostream& messages) {
  const Outcome written = report::writeLog(report::cptLog(session, options), output, format);
  if (!written) messages << "pelorin-cli: " << written.message << "\n";
  return static_cast<bool>(written);
}

}  // namespace pelorin::cli
