#pragma once
// Opening a sounding: read the file, derive the depth increment, lags and first complete
// reading, and select each channel's unit as the file names it.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// The values a sounding derives once its readings are read: the depth increment, the
// trailing lag of channel 2 when no channel carries no-value markers, and the first
// complete reading as the current one.
void deriveSoundingValues(Sounding& s);

// Reads a file of any of the formats, told by its content (exchangeFormatOf: GEF-CPT by its
// #GEFID, #COLUMNINFO or #EOH= lines, AGS4 by its "GROUP" and "HEADING" rows, BRO XML by its
// opening "<", anything else a
// sounding file; a byte-order mark and a damaged first line do not mislead it), into `s`, a fresh
// model, without the derived values: what File, Open and Combine share. `push` chooses the push of
// an AGS4 file
// ("LOCA_ID:SCPG_TESN"); what a reader left out or found odd goes to `notes`.
Outcome readAnySoundingFile(std::string_view bytes, const std::string& path,
                            const ChannelDefinitions& defs, Sounding& s,
                            std::vector<std::string>& notes, const std::string& push = {});

// A sounding as opened: the model the window and the batch tool work on, or none and why,
// and what the user is told besides (a record left out, the other pushes of a file).
struct [[nodiscard]] Opened {
  std::unique_ptr<Sounding> sounding;
  Outcome outcome;
  std::vector<std::string> notes;
};

// Reads, derives and selects units. Refused with the file, line and problem when the file
// cannot be read; nothing else is touched.
Opened openSounding(std::string_view bytes, const std::string& path, const ChannelDefinitions& defs,
                    const std::string& push = {});

// The channels whose full-scale value (row 5) is 0, so that every reading reads as 0: their
// readings are no measurements, which the user is told on opening and the exports refuse to
// pass on. Empty when there are none.
std::string unmeasuredChannels(const Sounding& s);

// The channels whose type has no channel definition file, as the user is told at once:
// the sounding cannot be saved until one is installed. Empty when every type has one.
std::string channelsWithoutDefinitions(const Sounding& s, const ChannelDefinitions& defs);

// The same from a file on disk.
Opened openSoundingFile(const std::string& path, const ChannelDefinitions& defs,
                        const std::string& push = {});

}  // namespace pelorin
