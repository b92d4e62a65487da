// Feeds arbitrary bytes to the channel definition file reader. Whatever it reads, a type
// ends up with 0 to 10 unit options, and a file that cannot be used leaves none.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sounding/channel_definitions.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin;
  static ChannelDefinitions defs;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  int type = 1 + static_cast<int>(size % MaxChannelTypes);

  std::string problem = parseChannelDefinition(bytes, type, defs);
  int count = defs.UnitCount[type];
  if (count < 0 || count > MaxUnitOptions) std::abort();
  if (!problem.empty() && count != 0) std::abort();
  return 0;
}
