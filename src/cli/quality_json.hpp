#pragma once
// The quality report as one JSON object, figures in base units: m, cm/s, kPa, degrees.

#include <string>

#include "quality/quality.hpp"

namespace pelorin::cli {

std::string qualityJson(const QualityReport& report);

}  // namespace pelorin::cli
