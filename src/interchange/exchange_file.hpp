#pragma once
// The exchange files: those the window and the batch tool write, the bytes of a GEF-CPT or AGS4
// file read back before they go to disk, and those only read (BRO XML).

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/exchange_text.hpp"
#include "sounding/sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

enum class ExchangeFormat { Gef, Ags, BroXml };

// Each exchange format in one row: what the batch tool, the window's Interchange menu,
// File, Open and the check after writing know of it. A new format is a row, its reader and
// its writer; a format only read has no writer, command or menu item.
struct ExchangeFormatInfo {
  ExchangeFormat format;
  const char* name;      // the batch tool's command and the file's extension: "gef"
  const char* title;     // "GEF-CPT", as the status line names what was written
  const char* help;      // the batch tool's help for its command
  const char* filter;    // the window's file dialog
  const char* menuText;  // the Interchange menu's item
  const char* menuName;  // and its object name
  // A file is of this format when it starts with firstKey, or when one of the first 200
  // lines starts with one of lineKeys.
  const char* firstKey;
  std::array<const char*, 3> lineKeys;
  Outcome (*read)(std::string_view bytes, const std::string& fileName,
                  const ChannelDefinitions& defs, Sounding& s, std::vector<std::string>& notes,
                  const std::string& push);
  Outcome (*write)(const Sounding& s, const ChannelDefinitions& defs, const ExchangeHeader& header,
                   std::string& out);
  std::string (*fileDate)();  // today, as the format writes a date
  // The channels the format has no place for, each told; none for a format that takes all.
  void (*leftOut)(const Sounding& s, const ChannelDefinitions& defs,
                  std::vector<std::string>& notes);
};
// The formats written, each a command of the batch tool and an item of the Interchange menu.
std::span<const ExchangeFormatInfo> exchangeFormats();
const ExchangeFormatInfo& exchangeFormat(ExchangeFormat format);
// By the batch tool's name; none for another.
const ExchangeFormatInfo* exchangeFormatNamed(std::string_view name);
// The exchange format a file's bytes are in; none for a sounding file.
const ExchangeFormatInfo* exchangeFormatOf(std::string_view bytes);

// The file of the given format for s with the header texts, today's date and the clean-up
// history; `order` tells how a date text with the year last is read, and a date that reads
// two ways is left out with a note. Refused with the problem when the writer refuses the
// sounding or the bytes would not read back as many readings as s holds.
Outcome exchangeFileBytes(ExchangeFormat format, const Sounding& s, const ChannelDefinitions& defs,
                          const HeaderTexts& texts, const std::vector<std::string>& history,
                          std::string& bytes, std::vector<std::string>& notes,
                          DateOrder order = DateOrder::Unambiguous);

}  // namespace pelorin
