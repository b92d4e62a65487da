#include "interchange/exchange_text.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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

int addBaseUnitChannel(Sounding& s, const ChannelDefinitions& defs, int type,
                       const std::string& name) {
  const int c = ++s.NumChannels;
  s.ChannelType[c] = static_cast<std::int16_t>(type);
  s.ChannelName[c] = name;
  s.ChannelUnit[c] = 1;
  s.ChannelFactor[c] = defs.UnitCount[type] > 0 ? defs.UnitFactor[type][1] : 1.0f;
  s.FullScaleOutput[c] = s.FullScaleValue[c] = 1;
  return c;
}

void settleReadChannels(Sounding& s) {
  s.NoPoreChannel = true;
  s.MaxLag = 0;
  for (int c = 1; c <= s.NumChannels; ++c) {
    if (s.ChannelType[c] == 3) s.NoPoreChannel = false;
    int lag = 0;
    while (lag < s.NumReadings && s.Reading[c][lag + 1] == NoValue) ++lag;
    for (int n = 1; n <= s.NumReadings; ++n) {
      const bool moved = n + lag <= s.NumReadings;
      s.Reading[c][n] = moved ? s.Reading[c][n + lag] : NoValue;
      s.RawReading[c][n] = moved ? s.RawReading[c][n + lag] : NoValue;
    }
    s.ChannelLag[c] = static_cast<std::int16_t>(lag);
    s.MaxLag = std::max(s.MaxLag, s.ChannelLag[c]);
  }
}

std::string writingDay(const char* pattern) {
  std::time_t now = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"))
    now = static_cast<std::time_t>(std::atoll(epoch));
  std::tm day{};
  gmtime_r(&now, &day);
  char text[32];
  std::snprintf(text, sizeof text, pattern, day.tm_year + 1900, day.tm_mon + 1, day.tm_mday);
  return text;
}

}  // namespace pelorin
