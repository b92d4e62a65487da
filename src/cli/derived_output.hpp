#pragma once
// What `pelorin-cli derived` writes: the derived values per reading as CSV, or the inputs, a
// summary and the zone changes as one JSON object. Both state every input with its source.

#include <string>
#include <vector>

#include "interpret/interpretation.hpp"

namespace pelorin::cli {

// "# " lines with the inputs and notes, the header row, then one row per reading (CR LF).
std::string derivedCsv(const Interpretation& d);

std::string derivedJson(const Interpretation& d, const std::vector<ZoneChange>& changes);

}  // namespace pelorin::cli
