#include "text/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace pelorin {
namespace {

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool isIgnoredBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

// Length of the longest leading decimal number in text (0 when there is none).
std::size_t numberLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

// Converts a text that numberLength accepted whole.
double convertNumber(std::string_view number) {
  char buffer[64];
  std::string heap;
  char* out = buffer;
  if (number.size() >= sizeof buffer) {
    heap.resize(number.size());
    out = heap.data();
  }
  std::size_t n = 0;
  for (char ch : number) {
    if (ch == '+') continue;  // from_chars takes no plus sign
    out[n++] = (ch == 'd' || ch == 'D') ? 'e' : ch;
  }
  double value = 0;
  auto result = std::from_chars(out, out + n, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond double's range: infinity with the number's sign, or zero for a tiny one.
    const char* e = std::find_if(out, out + n, [](char ch) { return ch == 'e' || ch == 'E'; });
    bool tiny = e != out + n && e + 1 < out + n && e[1] == '-';
    value = tiny ? 0.0 : (out[0] == '-' ? -HUGE_VAL : HUGE_VAL);
  }
  return value;
}

// printf's %.*f and %.*e round exact ties to even; the patterns round them away from zero.
// A tie is exact only when value * 10^decimals is a whole number plus one half, so the
// value is moved one step away from zero in that case.
double breakTieAwayFromZero(double value, int decimals) {
  if (decimals < 0 || decimals > 22 || !std::isfinite(value)) return value;
  double scale = std::pow(10.0, decimals);
  double product = value * scale;
  double error = std::fma(value, scale, -product);
  if (error != 0.0) return value;
  double whole = std::floor(product);
  if (product - whole != 0.5) return value;
  return std::nextafter(value, value < 0 ? -HUGE_VAL : HUGE_VAL);
}

// The %.7g digits of value in the number-text style: no exponent for ordinary magnitudes,
// "1E+07" for large ones, trailing zeros dropped.
std::string sevenDigits(double value) {
  if (value == 0.0) return "0";
  if (!std::isfinite(value)) return value > 0 ? "1E+39" : "-1E+39";
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  double nudged = breakTieAwayFromZero(value, 6 - exponent);
  char text[64];
  std::snprintf(text, sizeof text, "%.7G", nudged);
  std::string s = text;
  auto e = s.find('E');
  std::string mantissa = s.substr(0, e);
  std::string tail = e == std::string::npos ? "" : s.substr(e);
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  if (!tail.empty()) {
    // "E+07": sign and at least two digits.
    char sign = tail[1];
    std::string digits = tail.substr(2);
    while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
    tail = std::string("E") + sign + digits;
  }
  return mantissa + tail;
}

}  // namespace

double numericPrefix(std::string_view text) {
  char buffer[128];
  std::string heap;
  char* packed = buffer;
  if (text.size() > sizeof buffer) {
    heap.resize(text.size());
    packed = heap.data();
  }
  std::size_t n = 0;
  for (char ch : text)
    if (!isIgnoredBlank(ch)) packed[n++] = ch;
  std::string_view compact(packed, n);
  std::size_t length = numberLength(compact);
  return length == 0 ? 0.0 : convertNumber(compact.substr(0, length));
}

std::optional<double> strictNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::size_t length = numberLength(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  return convertNumber(text);
}

std::int64_t roundHalfEven(double value) {
  if (!(std::fabs(value) < 9.2e18)) return value < 0 ? INT64_MIN : INT64_MAX;
  return static_cast<std::int64_t>(std::nearbyint(value));
}

namespace {

// value rounded half away from zero to `decimals` places, as the magnitude scaled by
// 10^decimals, when that is exactly possible with 64-bit integers.
bool roundedScaled(double value, int decimals, std::uint64_t& scaled) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
  if (decimals < 0 || decimals > 10 || !std::isfinite(value)) return false;
  double magnitude = std::fabs(value);
  double product = magnitude * kPowers[decimals];
  if (!(product < 1.0e15)) return false;
  // product + error is the exact value of magnitude * 10^decimals.
  double error = std::fma(magnitude, kPowers[decimals], -product);
  double whole = std::floor(product);
  double belowHalf = (product - whole) - 0.5;  // exact
  bool up = belowHalf >= -error;
  scaled = static_cast<std::uint64_t>(whole) + (up ? 1 : 0);
  return true;
}

}  // namespace

std::string formatPattern(double value, std::string_view pattern) {
  auto point = pattern.find('.');
  std::string_view integerPart = pattern.substr(0, point);
  int decimals = 0;
  if (point != std::string_view::npos)
    for (char ch : pattern.substr(point + 1))
      if (ch == '0' || ch == '#') ++decimals;
  int minimumIntegerDigits = 0;
  for (char ch : integerPart)
    if (ch == '0') ++minimumIntegerDigits;

  char text[400];
  std::uint64_t scaled;
  if (roundedScaled(value, decimals, scaled)) {
    // Fast path for the magnitudes of depths, speeds and channel values.
    char* end = text + sizeof text;
    char* p = end;
    for (int i = 0; i < decimals; ++i, scaled /= 10) *--p = static_cast<char>('0' + scaled % 10);
    if (decimals > 0) *--p = '.';
    do {
      *--p = static_cast<char>('0' + scaled % 10);
      scaled /= 10;
    } while (scaled != 0);
    if (std::signbit(value) && value != 0) *--p = '-';
    std::memmove(text, p, static_cast<std::size_t>(end - p));
    text[end - p] = '\0';
  } else {
    std::snprintf(text, sizeof text, "%.*f", decimals, breakTieAwayFromZero(value, decimals));
  }
  std::string_view digits = text;
  std::string result;
  if (digits.front() == '-') {
    result.push_back('-');
    digits.remove_prefix(1);
  }
  auto dot = digits.find('.');
  std::string_view whole = digits.substr(0, dot);
  if (whole == "0") whole = {};
  for (int i = static_cast<int>(whole.size()); i < minimumIntegerDigits; ++i) result += '0';
  result += whole;
  if (point != std::string_view::npos) {
    result += '.';
    if (dot != std::string_view::npos) result += digits.substr(dot + 1);
  }
  return result;
}

std::string alignRight(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), ' ') + std::string(text);
}

std::string fixedWidth(std::string_view text, std::size_t width) {
  std::string result(text.substr(0, width));
  result.resize(width, ' ');
  return result;
}

std::string blankLedNumber(double value) {
  std::string digits = sevenDigits(value);
  bool negative = digits.front() == '-';
  std::string_view body = digits;
  if (negative) body.remove_prefix(1);
  if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.remove_prefix(1);
  std::string text(1, negative ? '-' : ' ');
  return text.append(body);
}

std::string generalNumber(double value) { return sevenDigits(value); }

}  // namespace pelorin
