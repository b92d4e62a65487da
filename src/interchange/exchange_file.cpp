#include "interchange/exchange_file.hpp"

#include <memory>

#include "interchange/ags_file.hpp"
#include "interchange/gef_file.hpp"
#include "quality/quality.hpp"
#include "sounding/open_sounding.hpp"
#include "text/text_file.hpp"

namespace pelorin {

Outcome exchangeFileBytes(ExchangeFormat format, const Sounding& s, const ChannelDefinitions& defs,
                          const HeaderTexts& texts, const std::vector<std::string>& history,
                          std::string& bytes, std::vector<std::string>& notes, DateOrder order) {
  const bool gef = format == ExchangeFormat::Gef;
  if (std::string unmeasured = unmeasuredChannels(s); !unmeasured.empty())
    return Outcome::refused(unmeasured);
  // The class the readings reach goes with the remarks, said to be assessed from the data:
  // it is no statement of how the test was done.
  std::vector<std::string> remarks = history;
  if (std::string assessed = assessedClassText(assessQuality(s, defs)); !assessed.empty())
    remarks.push_back(assessed);
  const ExchangeHeader header{texts, gef ? gefFileDate() : agsFileDate(), remarks, order};
  if (Outcome written =
          gef ? gefFileBytes(s, defs, header, bytes) : agsFileBytes(s, defs, header, bytes);
      !written)
    return written;
  // AGS4 has no heading for a channel the channel exchange file gives none, nor for a second
  // channel of a type.
  for (int c = 1; c <= s.NumChannels && !gef; ++c) {
    bool heading = false, second = false;
    for (const ExchangeColumn& q : defs.Exchange)
      heading = heading || (q.type == s.ChannelType[c] && !q.agsHeading.empty());
    for (int earlier = 1; earlier < c; ++earlier)
      second = second || s.ChannelType[earlier] == s.ChannelType[c];
    if (!heading || second)
      notes.push_back("channel " + std::to_string(c) + " (" + windows1252ToUtf8(s.ChannelName[c]) +
                      ") is left out: " +
                      (second ? "SCPT has one heading per kind of channel"
                              : "no SCPT heading stands for its type"));
  }
  // A date such as 02/05/2024 is not guessed.
  const std::string& when = text(texts, HeaderField::DateAndTime);
  if (when.find_first_of("0123456789") != std::string::npos && !soundingDate(when, order)) {
    const bool twoWays =
        soundingDate(when, DateOrder::DayFirst) || soundingDate(when, DateOrder::MonthFirst);
    const std::string date = when.size() > 60 ? when.substr(0, 60) + "..." : when;
    notes.push_back("the date " + quotedText(windows1252ToUtf8(date)) +
                    (twoWays ? " does not read one way only (day or month first?): it is left "
                               "out; --date-order dmy or mdy (Options, Date Order) tells which"
                             : " is no date with a four-digit year Pelorin can read: it is left "
                               "out"));
  }
  auto back = std::make_unique<Sounding>();
  std::vector<std::string> readNotes;
  Outcome read = gef ? readGefFile(bytes, "the written file", defs, *back, readNotes)
                     : readAgsFile(bytes, "the written file", defs, *back, readNotes);
  if (!read) return Outcome::refused(read.message);
  if (back->NumReadings != s.NumReadings)
    return Outcome::refused("the written file reads back with " +
                            std::to_string(back->NumReadings) + " readings instead of " +
                            std::to_string(s.NumReadings));
  return {};
}

}  // namespace pelorin
