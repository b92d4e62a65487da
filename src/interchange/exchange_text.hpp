#pragma once
// What the exchange formats share: header texts in plain ASCII, and the date of the sounding
// where its text reads one way only.

#include <optional>
#include <string>

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

}  // namespace pelorin
