#pragma once
// The installation's channel definitions, loaded once for all the inputs of a fuzz run.

#include <string>
#include <vector>

#include "sounding/channel_definitions.hpp"

namespace pelorin::fuzz {

inline const ChannelDefinitions& definitions() {
  static const ChannelDefinitions defs = [] {
    std::vector<std::string> warnings;
    return loadChannelDefinitions(PELORIN_DATA, warnings);
  }();
  return defs;
}

}  // namespace pelorin::fuzz
