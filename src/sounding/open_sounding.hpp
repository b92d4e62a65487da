#pragma once
// Opening a sounding: read the file, derive the depth increment, lags and first complete
// reading, and select each channel's unit as the file names it.

#include <memory>
#include <string>
#include <string_view>

#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// The values a sounding derives once its readings are read: the depth increment, the
// trailing lag of channel 2 when no channel carries no-value markers, and the first
// complete reading as the current one.
void deriveSoundingValues(Sounding& s);

// A sounding as opened: the model the window and the batch tool work on, or none and why.
struct [[nodiscard]] Opened {
  std::unique_ptr<Sounding> sounding;
  Outcome outcome;
};

// Reads, derives and selects units. Refused with the file, line and problem when the file
// cannot be read; nothing else is touched.
Opened openSounding(std::string_view bytes, const std::string& path,
                    const ChannelDefinitions& defs);

// The channels whose type has no channel definition file, as the user is told at once:
// the sounding cannot be saved until one is installed. Empty when every type has one.
std::string channelsWithoutDefinitions(const Sounding& s, const ChannelDefinitions& defs);

// The same from a file on disk.
Opened openSoundingFile(const std::string& path, const ChannelDefinitions& defs);

}  // namespace pelorin
