#pragma once
// The quality report as one JSON object, figures in base units: m, cm/s, kPa, degrees.

#include <string>

#include "quality/quality.hpp"

namespace pelorin::cli {

std::string qualityJson(const QualityReport& report);

// A depth or speed as the sounding stores it: the shortest text of the float, not the digits
// of its double.
double stored(double value);

}  // namespace pelorin::cli
