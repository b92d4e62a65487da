#include "interchange/exchange_file.hpp"

#include <algorithm>
#include <iterator>
#include <memory>

#include "interchange/ags_file.hpp"
#include "interchange/bro_xml_file.hpp"
#include "interchange/gef_file.hpp"
#include "quality/quality.hpp"
#include "sounding/open_sounding.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

// AGS4 has no heading for a channel the channel exchange file gives none, nor for a second
// channel of a type.
void agsLeftOut(const Sounding& s, const ChannelDefinitions& defs,
                std::vector<std::string>& notes) {
  for (int c = 1; c <= s.NumChannels; ++c) {
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
}

constexpr ExchangeFormatInfo kFormats[] = {
    {ExchangeFormat::Gef,
     "gef",
     "GEF-CPT",
     "write GEF-CPT for the interpretation tools",
     "GEF CPT data (*.gef)|*.gef",
     "Export &GEF...",
     "mnuExportGef",
     "#GEFID",
     {"#EOH", "#COLUMNINFO", "#GEFID"},
     [](std::string_view bytes, const std::string& fileName, const ChannelDefinitions& defs,
        Sounding& s, std::vector<std::string>& notes, const std::string&) {
       return readGefFile(bytes, fileName, defs, s, notes);  // one push a file
     },
     gefFileBytes,
     gefFileDate,
     nullptr},
    {ExchangeFormat::Ags,
     "ags",
     "AGS4",
     "write AGS4",
     "AGS4 data (*.ags)|*.ags",
     "Export &AGS4...",
     "mnuExportAgs",
     "\"GROUP\"",
     {"\"GROUP\",", "\"HEADING\",", nullptr},
     readAgsFile,
     agsFileBytes,
     agsFileDate,
     agsLeftOut},
    // Any XML: the reader tells a document that holds no BRO CPT.
    {ExchangeFormat::BroXml,
     "xml",
     "BRO XML",
     nullptr,
     "BRO CPT XML (*.xml)|*.xml",
     nullptr,
     nullptr,
     "<",
     {nullptr, nullptr, nullptr},
     [](std::string_view bytes, const std::string& fileName, const ChannelDefinitions& defs,
        Sounding& s, std::vector<std::string>& notes, const std::string&) {
       return readBroXmlFile(bytes, fileName, defs, s, notes);  // its first CPT
     },
     nullptr,
     nullptr,
     nullptr},
};

// The formats written come first: those up to the first that is only read.
std::size_t writtenFormats() {
  return static_cast<std::size_t>(
      std::find_if(std::begin(kFormats), std::end(kFormats),
                   [](const ExchangeFormatInfo& f) { return f.write == nullptr; }) -
      std::begin(kFormats));
}

}  // namespace

std::span<const ExchangeFormatInfo> exchangeFormats() {
  return std::span<const ExchangeFormatInfo>(kFormats).first(writtenFormats());
}

const ExchangeFormatInfo& exchangeFormat(ExchangeFormat format) {
  return *std::find_if(std::begin(kFormats), std::end(kFormats),
                       [format](const ExchangeFormatInfo& f) { return f.format == format; });
}

const ExchangeFormatInfo* exchangeFormatNamed(std::string_view name) {
  for (const ExchangeFormatInfo& f : exchangeFormats())
    if (name == f.name) return &f;
  return nullptr;
}

const ExchangeFormatInfo* exchangeFormatOf(std::string_view bytes) {
  // The first key tells; failing that, the lines of the header that only one format has.
  std::size_t first = bytes.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  std::string_view start = bytes.substr(std::min(first, bytes.size()));
  if (start.starts_with(kSoundingFileIdentification)) return nullptr;
  for (const ExchangeFormatInfo& f : kFormats)
    if (start.starts_with(f.firstKey)) return &f;
  std::size_t at = 0;
  for (int line = 0; line < 200 && at < bytes.size(); ++line) {
    std::size_t end = std::min(bytes.find('\n', at), bytes.size());
    std::string_view text = bytes.substr(at, end - at);
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    for (const ExchangeFormatInfo& f : kFormats)
      for (const char* key : f.lineKeys)
        if (key && text.starts_with(key)) return &f;
    at = end + 1;
  }
  return nullptr;
}

Outcome exchangeFileBytes(ExchangeFormat format, const Sounding& s, const ChannelDefinitions& defs,
                          const HeaderTexts& texts, const std::vector<std::string>& history,
                          std::string& bytes, std::vector<std::string>& notes, DateOrder order) {
  const ExchangeFormatInfo& info = exchangeFormat(format);
  if (!info.write) return Outcome::refused(std::string("Pelorin does not write ") + info.title);
  if (std::string unmeasured = unmeasuredChannels(s); !unmeasured.empty())
    return Outcome::refused(unmeasured);
  // The class the readings reach goes with the remarks, said to be assessed from the data:
  // it is no statement of how the test was done.
  std::vector<std::string> remarks = history;
  if (std::string assessed = assessedClassText(assessQuality(s, defs)); !assessed.empty())
    remarks.push_back(assessed);
  const ExchangeHeader header{texts, info.fileDate(), remarks, order};
  if (Outcome written = info.write(s, defs, header, bytes); !written) return written;
  if (info.leftOut) info.leftOut(s, defs, notes);
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
  Outcome read = info.read(bytes, "the written file", defs, *back, readNotes, "");
  if (!read) return Outcome::refused(read.message);
  if (back->NumReadings != s.NumReadings)
    return Outcome::refused("the written file reads back with " +
                            std::to_string(back->NumReadings) + " readings instead of " +
                            std::to_string(s.NumReadings));
  return {};
}

}  // namespace pelorin
