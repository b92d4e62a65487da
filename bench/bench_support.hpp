#pragma once
// What the core benchmarks share: the project's channel definition files, loaded once.

#include <string>
#include <vector>

#include "sounding/channel_definitions.hpp"

namespace pelorin::bench {

inline const ChannelDefinitions& definitions() {
  static const ChannelDefinitions defs = [] {
    std::vector<std::string> warnings;
    return loadChannelDefinitions(PELORIN_DATA, warnings);
  }();
  return defs;
}

}  // namespace pelorin::bench
