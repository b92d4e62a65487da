#pragma once
// What the exchange formats share: header texts in plain ASCII, the date of the sounding where
// its text reads one way only, and the channels a file read back becomes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A day that is in the calendar (no 31 April, 29 February in leap years only), and a time of
// day when the date has one.
bool isCalendarDay(const SoundingDate& date);

// How a date whose year comes last is read: only when a day above 12 tells day from month
// ("02/05/2024" could be either), or day first, or month first, as the user said.
enum class DateOrder : std::uint8_t { Unambiguous, DayFirst, MonthFirst };

// "14/03/2024 09:42" or "2024-03-14 09:42": the date when the text reads one way in the
// given order, year first always.
std::optional<SoundingDate> soundingDate(std::string_view text,
                                         DateOrder order = DateOrder::Unambiguous);

// What an exchange file's header carries besides the sounding.
struct ExchangeHeader {
  HeaderTexts texts;                 // the twelve header texts, Windows-1252
  std::string fileDate;              // the day the file is written, as the format writes it
  std::vector<std::string> history;  // the clean-up steps and the class reached
  DateOrder dateOrder = DateOrder::Unambiguous;  // how the date text is read
};

// A date as Pelorin writes it into the header, year first: "2014-01-09 10:30".
std::string yearFirstText(const SoundingDate& date);

// A position in the forms a GPS text takes: "N 53.21874 E 6.56702", "53.40012N 2.99021W",
// degrees and minutes ("N 53 13.124 E 6 34.021"), or a signed pair "53.21874, -6.56702"
// (latitude first). Latitude and longitude in decimal degrees.
struct LatLon {
  double latitude, longitude;
};
std::optional<LatLon> gpsPosition(std::string_view text);

// The factor that turns a value in unit `from` into unit `to`: units compared without case
// and with the names the field writes for them ("MN/m2" is MPa, "kN/m2" kPa). Nothing when
// either is unknown or they measure different things.
std::optional<double> unitFactor(std::string_view from, std::string_view to);

// A channel of the given type in its base unit with an identity calibration (full-scale
// output and value 1, zero reading 0), appended to s; its number. It is named by the type's
// symbol ("Qc"), or by `name` when the type's definitions give none.
int addBaseUnitChannel(Sounding& s, const ChannelDefinitions& defs, int type,
                       const std::string& name);

// A column of an exchange file that may become a channel: the channel type that stands for it
// (0: none) and its row in the channel exchange file, which ranks it.
struct ExchangeRank {
  std::size_t column = 0;
  int type = 0;
  const ExchangeColumn* mapped = nullptr;
  std::size_t row = 0;  // past the exchange file's rows for a type of its own
  std::string what;     // the column in the user's words
};

// The row of the channel exchange file that `matches`, with its type.
template <typename Matches>
ExchangeRank exchangeRank(const ChannelDefinitions& defs, Matches matches) {
  ExchangeRank rank;
  rank.row = defs.Exchange.size();
  for (std::size_t k = 0; k < defs.Exchange.size() && !rank.mapped; ++k)
    if (matches(defs.Exchange[k]))
      rank.mapped = &defs.Exchange[k], rank.type = defs.Exchange[k].type, rank.row = k;
  return rank;
}

// The columns that become channels, in the order of the channel exchange file (cone, sleeve
// and pore pressures first) while a sounding has room for them; the others are named in
// `notes` with the reason.
std::vector<ExchangeRank> channelsInOrder(std::vector<ExchangeRank> ranks,
                                          std::vector<std::string>& notes);

// What a sounding file would tell of the channels read: the leading readings without a value
// are the channel's lag (its values move up to the first reading, as the file keeps them),
// and NoPoreChannel is set unless a channel measures pore pressure u2. A column without a
// single value is no channel: it is left out, named in `notes`.
void settleReadChannels(Sounding& s, std::vector<std::string>& notes);

// The zero readings of a quantity before and after the test, in `unit`, by its GEF quantity
// (2 cone, 3 sleeve, 5 to 7 pore pressures).
struct ZeroReading {
  int gefQuantity;
  double before, after;
  std::string unit;
};

// The zero readings as the final-baseline information of the channels they belong to: the
// readings of an exchange file are already zero-corrected, so the zero before stays 0 and the
// one after is the drift over the test, in the channel's base unit (the form GEF-CPT is written
// in). Nothing when none belongs to a channel.
void keepZeroReadings(Sounding& s, const ChannelDefinitions& defs,
                      const std::vector<ZeroReading>& zeros);

// The day a file is written, in UTC, as `pattern` writes year, month and day ("%04d-%02d-%02d");
// SOURCE_DATE_EPOCH, when set, stands for today so that a file can be made again byte for byte.
std::string writingDay(const char* pattern);

}  // namespace pelorin
