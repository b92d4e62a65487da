#include "interchange/exchange_text.hpp"

#include <regex>

namespace pelorin {

std::string asciiText(const std::string& windows1252) {
  static const char* const kLatin =
      "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYPsaaaaaaaceeeeiiiidnooooo/ouuuuypy";
  std::string out;
  for (unsigned char ch : windows1252) {
    if (ch >= 0x20 && ch < 0x7F)
      out += static_cast<char>(ch);
    else if (ch == 0xDF)
      out += "ss";
    else if (ch == 0xC6)
      out += "AE";
    else if (ch == 0xE6)
      out += "ae";
    else if (ch >= 0xC0)
      out += kLatin[ch - 0xC0];
  }
  return out;
}

std::optional<SoundingDate> soundingDate(const std::string& text) {
  std::smatch m;
  static const std::regex date(
      R"((\d{1,4})[/.-](\d{1,2})[/.-](\d{1,4})(?:\D+(\d{1,2}):(\d{2})(?::(\d{2}))?)?)");
  if (!std::regex_search(text, m, date)) return std::nullopt;
  int a = std::stoi(m[1]), b = std::stoi(m[2]), c = std::stoi(m[3]);
  SoundingDate d{};
  if (m[1].length() == 4)
    d.year = a, d.month = b, d.day = c;
  else if (m[3].length() == 4 && a > 12 && b <= 12)
    d.year = c, d.month = b, d.day = a;
  else if (m[3].length() == 4 && b > 12 && a <= 12)
    d.year = c, d.month = a, d.day = b;
  else
    return std::nullopt;
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return std::nullopt;
  if (m[4].matched)
    d.hour = std::stoi(m[4]), d.minute = std::stoi(m[5]),
    d.second = m[6].matched ? std::stoi(m[6]) : 0;
  return d;
}

}  // namespace pelorin
