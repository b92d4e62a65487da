#include "interchange/exchange_text.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "sounding/channel_definitions.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

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

namespace {

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The run of at most `most` digits at `at`, moving past it; -1 when there is none.
int digitsAt(std::string_view text, std::size_t& at, std::size_t most,
             std::size_t* count = nullptr) {
  std::size_t k = 0;
  int value = 0;
  while (at + k < text.size() && k < most && isDigit(text[at + k]))
    value = value * 10 + (text[at + k++] - '0');
  if (count) *count = k;
  if (k == 0) return -1;
  at += k;
  return value;
}

bool isDateSeparator(char ch) { return ch == '/' || ch == '.' || ch == '-'; }

}  // namespace

bool isCalendarDay(const SoundingDate& d) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > kDays[d.month - 1]) return false;
  const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
  if (d.month == 2 && d.day == 29 && !leap) return false;
  return d.hour < 24 && d.minute < 60 && d.second < 60;
}

std::optional<SoundingDate> soundingDate(std::string_view text, DateOrder order) {
  for (std::size_t from = 0; from < text.size(); ++from) {
    if (!isDigit(text[from])) continue;
    std::size_t at = from, lengthA = 0, lengthC = 0;
    const int a = digitsAt(text, at, 4, &lengthA);
    if (at >= text.size() || !isDateSeparator(text[at++])) continue;
    const int b = digitsAt(text, at, 2);
    if (b < 0 || at >= text.size() || !isDateSeparator(text[at++])) continue;
    const int c = digitsAt(text, at, 4, &lengthC);
    if (c < 0) continue;
    SoundingDate d{};
    // Year last: a day above 12 tells day from month, else the order the user gave.
    const bool both = a <= 12 && b <= 12;
    if (lengthA == 4)
      d.year = a, d.month = b, d.day = c;
    else if (lengthC == 4 && ((a > 12 && b <= 12) || (both && order == DateOrder::DayFirst)))
      d.year = c, d.month = b, d.day = a;
    else if (lengthC == 4 && ((b > 12 && a <= 12) || (both && order == DateOrder::MonthFirst)))
      d.year = c, d.month = a, d.day = b;
    else
      return std::nullopt;
    // A time after the date: anything but digits, then hours and minutes, seconds maybe.
    std::size_t t = at;
    while (t < text.size() && !isDigit(text[t])) ++t;
    if (t > at) {
      const int hour = digitsAt(text, t, 2);
      if (hour >= 0 && t < text.size() && text[t] == ':') {
        std::size_t minuteDigits = 0;
        ++t;
        const int minute = digitsAt(text, t, 2, &minuteDigits);
        if (minuteDigits == 2) {
          d.hour = hour, d.minute = minute;
          std::size_t secondDigits = 0;
          if (t < text.size() && text[t] == ':') {
            ++t;
            const int second = digitsAt(text, t, 2, &secondDigits);
            if (secondDigits == 2) d.second = second;
          }
        }
      }
    }
    if (!isCalendarDay(d)) return std::nullopt;
    return d;
  }
  return std::nullopt;
}

std::string yearFirstText(const SoundingDate& date) {
  char text[48];
  if (date.hour >= 0)
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", date.year, date.month, date.day,
                  date.hour, date.minute);
  else
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::optional<LatLon> gpsPosition(std::string_view text) {
  // The numbers and the hemisphere letters (a letter on its own), in order.
  struct Token {
    char hemisphere = 0;
    double number = 0;
  };
  std::vector<Token> tokens;
  for (std::size_t at = 0; at < text.size() && tokens.size() < 16;) {
    const char ch = text[at];
    const bool sign = (ch == '-' || ch == '+') && at + 1 < text.size() && isDigit(text[at + 1]);
    if (isDigit(ch) || sign) {
      std::size_t end = at + 1;
      while (end < text.size() && (isDigit(text[end]) || text[end] == '.')) ++end;
      if (end - at > 24) return std::nullopt;
      std::optional<double> number = strictNumber(text.substr(at, end - at));
      if (!number) return std::nullopt;
      tokens.push_back({0, *number});
      at = end;
    } else if (std::isalpha(static_cast<unsigned char>(ch))) {
      std::size_t end = at;
      while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) ++end;
      const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      if (end - at == 1 && std::strchr("NSEW", upper)) tokens.push_back({upper, 0});
      at = end;
    } else {
      ++at;
    }
  }
  // Degrees, then minutes and seconds where they follow.
  auto degrees = [](const std::vector<double>& parts) -> std::optional<double> {
    if (parts.empty() || parts.size() > 3) return std::nullopt;
    for (std::size_t k = 1; k < parts.size(); ++k)
      if (parts[k] < 0 || parts[k] >= 60 || parts[0] < 0) return std::nullopt;
    double value = parts[0];
    if (parts.size() > 1) value += parts[1] / 60;
    if (parts.size() > 2) value += parts[2] / 3600;
    return value;
  };
  std::optional<double> lat, lon;
  bool lettered = false;
  for (const Token& t : tokens) lettered = lettered || t.hemisphere;
  if (!lettered) {
    if (tokens.size() != 2) return std::nullopt;
    lat = tokens[0].number, lon = tokens[1].number;
  } else {
    // Letters before their numbers ("N 53.2 E 6.5") or after them ("53.2N 6.5E").
    const bool before = tokens[0].hemisphere != 0;
    std::vector<double> parts;
    char hemisphere = 0;
    auto close = [&]() -> bool {
      std::optional<double> value = degrees(parts);
      if (!value || !hemisphere) return false;
      const double signed_ = (hemisphere == 'S' || hemisphere == 'W') ? -*value : *value;
      std::optional<double>& into = (hemisphere == 'N' || hemisphere == 'S') ? lat : lon;
      if (into) return false;
      into = signed_;
      parts.clear(), hemisphere = 0;
      return true;
    };
    for (const Token& t : tokens) {
      if (t.hemisphere) {
        if (before && hemisphere && !close()) return std::nullopt;
        hemisphere = t.hemisphere;
        if (!before && !close()) return std::nullopt;
      } else {
        parts.push_back(t.number);
      }
    }
    if (before && hemisphere && !close()) return std::nullopt;
    if (!parts.empty()) return std::nullopt;
  }
  if (!lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) return std::nullopt;
  return LatLon{*lat, *lon};
}

namespace {

// A unit of the exchange files: what it measures, its size against the first unit of that
// measure, and the names the field writes for it, in lower case.
struct UnitName {
  int measure;
  double size;
  std::initializer_list<std::string_view> names;
};
const UnitName kUnits[] = {
    {1, 1, {"kpa", "kn/m2", "kn/m\xc2\xb2", "kn/m\xb2", "kn/m^2"}},
    {1, 1000, {"mpa", "mn/m2", "mn/m\xc2\xb2", "mn/m\xb2", "mn/m^2", "n/mm2"}},
    {1, 100, {"bar"}},
    {1, 0.001, {"pa", "n/m2"}},
    {2, 1, {"deg", "degree", "degrees", "graden", "\xc2\xb0", "\xb0"}},
    {2, 57.29577951308232, {"rad"}},
    {3, 1, {"degc", "deg c", "c", "\302\260c", "\260c", "celsius"}},
    {4, 1, {"ms/m"}},
    {4, 1000, {"s/m"}},
    {4, 0.1, {"us/cm", "\xc2\xb5s/cm", "\xb5s/cm"}},
    {4, 100, {"ms/cm"}},
    {5, 1, {"m"}},
    {5, 0.01, {"cm"}},
    {5, 0.001, {"mm"}},
    {6, 1, {"%"}},
    {7, 1, {"-", "", "geen"}},
    {8, 1, {"s", "sec"}},
    {9, 1, {"mm2"}},
    {9, 100, {"cm2"}},
};

const UnitName* unitNamed(std::string_view name) {
  // "MPa (megaPascal)": the unit before its description.
  name = name.substr(0, name.find('('));
  std::string lower;
  for (char ch : name)
    if (ch != ' ' || !lower.empty())
      lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  while (!lower.empty() && lower.back() == ' ') lower.pop_back();
  for (const UnitName& unit : kUnits)
    for (std::string_view alias : unit.names)
      if (alias == lower) return &unit;
  return nullptr;
}

}  // namespace

std::optional<double> unitFactor(std::string_view from, std::string_view to) {
  const UnitName *a = unitNamed(from), *b = unitNamed(to);
  if (!a || !b || a->measure != b->measure) return std::nullopt;
  return a == b ? 1.0 : a->size / b->size;
}

std::vector<ExchangeRank> channelsInOrder(std::vector<ExchangeRank> ranks,
                                          std::vector<std::string>& notes) {
  std::stable_sort(ranks.begin(), ranks.end(),
                   [](const ExchangeRank& a, const ExchangeRank& b) { return a.row < b.row; });
  std::vector<ExchangeRank> kept;
  for (const ExchangeRank& rank : ranks) {
    if (rank.type == 0)
      notes.push_back("left out " + rank.what + ": no channel type stands for it");
    else if (kept.size() >= static_cast<std::size_t>(MaxChannels))
      notes.push_back("left out " + rank.what + ": a sounding holds 10 channels");
    else
      kept.push_back(rank);
  }
  return kept;
}

int addBaseUnitChannel(Sounding& s, const ChannelDefinitions& defs, int type,
                       const std::string& name) {
  const int c = ++s.NumChannels;
  s.ChannelType[c] = static_cast<std::int16_t>(type);
  s.ChannelName[c] = defs.Symbol[type].empty() ? name : defs.Symbol[type];
  s.ChannelUnit[c] = 1;
  s.ChannelFactor[c] = defs.UnitCount[type] > 0 ? defs.UnitFactor[type][1] : 1.0f;
  s.FullScaleOutput[c] = s.FullScaleValue[c] = 1;
  return c;
}

void settleReadChannels(Sounding& s, std::vector<std::string>& notes) {
  // Empty columns go; the channels after them move up.
  int kept = 0;
  for (int c = 1; c <= s.NumChannels; ++c) {
    const auto& values = s.Reading[c];
    if (std::all_of(&values[1], &values[1] + s.NumReadings, [](float v) { return v == NoValue; })) {
      notes.push_back("left out " + windows1252ToUtf8(s.ChannelName[c]) + ": it holds no value");
      continue;
    }
    if (++kept == c) continue;
    s.ChannelType[kept] = s.ChannelType[c], s.ChannelName[kept] = s.ChannelName[c];
    s.ChannelUnit[kept] = s.ChannelUnit[c], s.ChannelFactor[kept] = s.ChannelFactor[c];
    s.FullScaleOutput[kept] = s.FullScaleOutput[c], s.FullScaleValue[kept] = s.FullScaleValue[c];
    s.Reading[kept] = s.Reading[c], s.RawReading[kept] = s.RawReading[c];
  }
  for (int c = kept + 1; c <= s.NumChannels; ++c) {
    s.ChannelType[c] = 0, s.ChannelName[c].clear(), s.ChannelUnit[c] = 0;
    s.ChannelFactor[c] = s.FullScaleOutput[c] = s.FullScaleValue[c] = 0;
    s.Reading[c].fill(0), s.RawReading[c].fill(0);
  }
  s.NumChannels = static_cast<std::int16_t>(kept);
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

void keepZeroReadings(Sounding& s, const ChannelDefinitions& defs,
                      const std::vector<ZeroReading>& zeros) {
  for (const ZeroReading& zero : zeros)
    for (int c = 1; c <= s.NumChannels; ++c) {
      const int type = s.ChannelType[c];
      if (gefQuantityOf(defs, type) != zero.gefQuantity) continue;
      const std::optional<double> toBase = unitFactor(zero.unit, defs.UnitName[type][1]);
      if (!toBase) break;
      s.Baseline[c][2] = toSingle((zero.after - zero.before) * *toBase);
      s.BaselineDrift[c] = toSingle(s.Baseline[c][2] * static_cast<double>(s.ChannelFactor[c]));
      s.HasFinalBaseline = true;
      break;
    }
  if (s.HasFinalBaseline) s.FinalBaselineLine = finalBaselineLine(s);
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
