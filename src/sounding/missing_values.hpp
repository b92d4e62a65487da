#pragma once
// Channel values missing within a channel: between the lag at its top and the markers at its
// bottom. A sounding file tells a missing value only as lag, so these would move the values
// below them when the sounding is saved as one.

#include <string>
#include <vector>

#include "sounding/sounding.hpp"

namespace pelorin {

struct MissingValues {
  int channel = 0;
  int count = 0;         // readings of the channel without a value
  int firstReading = 0;  // the first of them, counted as the grid counts readings
};

// Each channel that misses values within its stored readings, in channel order.
std::vector<MissingValues> missingValues(const Sounding& s);

// Why a sounding read from a GEF-CPT or AGS4 file cannot be saved as a sounding file, with
// the ways on; empty when it can (read from a sounding file, or no value missing).
std::string missingValuesProblem(const Sounding& s);

}  // namespace pelorin
