#pragma once
// What the exchange formats share: header texts in plain ASCII, the date of the sounding where
// its text reads one way only, and the channels a file read back becomes.

#include <optional>
#include <string>

#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// A Windows-1252 text in ASCII: accented letters lose their accents ("Grundung"), other bytes
// beyond ASCII and control bytes go.
std::string asciiText(const std::string& windows1252);

struct SoundingDate {
  int year, month, day;
  int hour = -1, minute = 0, second = 0;  // hour -1: no time in the text
};

// "14/03/2024 09:42" or "2024-03-14 09:42": the date when the text reads one way only, year
// first or a day above 12 telling day from month ("02/05/2024" could be either).
std::optional<SoundingDate> soundingDate(const std::string& text);

// A channel of the given type in its base unit with an identity calibration (full-scale
// output and value 1, zero reading 0), appended to s; its number.
int addBaseUnitChannel(Sounding& s, const ChannelDefinitions& defs, int type,
                       const std::string& name);

// What a sounding file would tell of the channels read: the leading readings without a value
// are the channel's lag (its values move up to the first reading, as the file keeps them),
// and NoPoreChannel is set unless a channel measures pore pressure u2.
void settleReadChannels(Sounding& s);

// The day a file is written, in UTC, as `pattern` writes year, month and day ("%04d-%02d-%02d");
// SOURCE_DATE_EPOCH, when set, stands for today so that a file can be made again byte for byte.
std::string writingDay(const char* pattern);

}  // namespace pelorin
