#include "text/number_text.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace pelorin {
namespace {

// The powers of ten that a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool isIgnoredBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }
bool isBlankOrTab(char ch) { return ch == ' ' || ch == '\t'; }

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

// The value of a number text of at most 19 significant digits and a small exponent, when
// double arithmetic gives it exactly as correctly rounded as from_chars would: the digits
// as an integer of at most 2^53 times or divided by a power of ten of at most 10^22, both
// exact, so the one multiplication or division rounds once.
bool quickConvert(std::string_view number, double& value) {
  const char* p = number.data();
  const char* end = p + number.size();
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  std::uint64_t mantissa = 0;
  int significant = 0;
  int exponent = 0;
  for (; p < end && isDigit(*p); ++p) {
    if (mantissa == 0 && *p == '0') continue;
    if (++significant > 19) return false;
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
  }
  if (p < end && *p == '.') {
    for (++p; p < end && isDigit(*p); ++p) {
      --exponent;
      if (mantissa == 0 && *p == '0') continue;
      if (++significant > 19) return false;
      mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
  }
  if (p < end) {  // the exponent: a letter, maybe a sign, digits
    ++p;
    bool negativeExponent = false;
    if (p < end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    int written = 0;
    for (; p < end; ++p) {
      if (written > 1000) return false;
      written = written * 10 + (*p - '0');
    }
    exponent += negativeExponent ? -written : written;
  }
  if (mantissa > (std::uint64_t{1} << 53)) return false;
  double m = static_cast<double>(mantissa);
  if (mantissa == 0)
    value = 0;
  else if (exponent >= 0 && exponent <= 22)
    value = m * kPowersOfTen[exponent];
  else if (exponent < 0 && exponent >= -22)
    value = m / kPowersOfTen[-exponent];
  else
    return false;
  if (negative) value = -value;
  return true;
}

// Converts a text that numberLength accepted whole.
double convertNumber(std::string_view number) {
  double value = 0;
  if (quickConvert(number, value)) return value;
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
  auto result = std::from_chars(out, out + n, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond double's range: infinity with the number's sign, or zero for a tiny one.
    const char* e = std::find_if(out, out + n, [](char ch) { return ch == 'e' || ch == 'E'; });
    bool tiny = e != out + n && e + 1 < out + n && e[1] == '-';
    value = out[0] == '-' ? -(tiny ? 0.0 : HUGE_VAL) : (tiny ? 0.0 : HUGE_VAL);
  }
  return value;
}

bool mayBePartOfNumber(char ch) {
  return isDigit(ch) || ch == '.' || ch == '+' || ch == '-' || ch == 'e' || ch == 'E' ||
         ch == 'd' || ch == 'D';
}

// The exact decimal expansion of a finite, non-negative value: integer digits, and after a
// point as many digits as the value has binary fraction digits (so nothing is rounded).
std::string exactDecimal(double magnitude) {
  int exponent = 0;
  std::frexp(magnitude, &exponent);  // magnitude = f * 2^exponent, 0.5 <= f < 1
  int fractionDigits = std::max(0, 53 - exponent);
  std::string text(320 + static_cast<std::size_t>(fractionDigits), '\0');
  int n = std::snprintf(text.data(), text.size(), "%.*f", fractionDigits, magnitude);
  text.resize(static_cast<std::size_t>(n));
  return text;
}

// Adds one unit in the last place to a digit text ("129.99" -> "130.00", "99" -> "100").
void incrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == '.') continue;
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The magnitude of value rounded half away from zero to `decimals` places, from its exact
// decimal expansion: "123.46" for 123.455 and 2 decimals, "3" for 2.5 and none.
std::string roundedDecimal(double magnitude, int decimals) {
  std::string digits = exactDecimal(magnitude);
  std::size_t point = digits.find('.');
  if (point == std::string::npos) {
    point = digits.size();
    digits += '.';
  }
  std::size_t keep = point + 1 + static_cast<std::size_t>(decimals);
  if (digits.size() <= keep) digits.resize(keep + 1, '0');
  bool up = digits[keep] >= '5';  // a tie, 5 followed by zeros only, goes up too
  digits.resize(decimals > 0 ? keep : point);
  if (up) incrementDigits(digits);
  return digits;
}

// Up to seven significant digits in the number-text style, rounded half away from zero:
// plain for magnitudes from 0.0001 to below 10^7, otherwise "1.234568E+07", "1E-05";
// trailing zeros dropped.
std::string sevenDigits(double value) {
  if (value == 0.0) return "0";
  if (!std::isfinite(value)) return value > 0 ? "1E+39" : "-1E+39";
  std::string exact = exactDecimal(std::fabs(value));
  std::size_t point = exact.find('.');
  if (point == std::string::npos) point = exact.size();
  std::string all;  // every digit, the point left out
  all.reserve(exact.size());
  for (char ch : exact)
    if (ch != '.') all += ch;
  std::size_t first = all.find_first_not_of('0');
  // value = 0.d1d2d3... * 10^(exponent + 1), d1 the first significant digit.
  int exponent = static_cast<int>(point) - static_cast<int>(first) - 1;
  std::string significant = all.substr(first, 7);
  significant.resize(7, '0');
  if (first + 7 < all.size() && all[first + 7] >= '5') {
    incrementDigits(significant);
    if (significant.size() > 7) {  // 9999999.5 -> 10000000
      significant.pop_back();
      ++exponent;
    }
  }
  while (significant.size() > 1 && significant.back() == '0') significant.pop_back();

  std::string text;
  if (value < 0) text += '-';
  std::string_view digits = significant;
  if (exponent < -4 || exponent >= 7) {
    text += digits[0];
    if (digits.size() > 1) {
      text += '.';
      text += digits.substr(1);
    }
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    text += tail;
  } else if (exponent >= 0) {
    auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      text += digits;
      text.append(integerDigits - digits.size(), '0');
    } else {
      text += digits.substr(0, integerDigits);
      text += '.';
      text += digits.substr(integerDigits);
    }
  } else {
    text += '0';
    text += '.';
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  }
  return text;
}

}  // namespace

namespace {

// The common field, blanks, a sign, digits, a point and digits, blanks, read in one pass:
// false when the text is anything else or has more digits than double arithmetic converts
// exactly (see quickConvert), and the full rules must read it.
template <bool (*blank)(char)>
bool plainNumber(std::string_view text, double& value) {
  const char* p = text.data();
  const char* end = p + text.size();
  // A field's leading spaces eight at a time.
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kSpaces = 0x2020202020202020;
    for (std::uint64_t word; end - p >= 8; p += 8) {
      std::memcpy(&word, p, 8);
      if (word != kSpaces) {
        p += std::countr_zero(word ^ kSpaces) / 8;
        break;
      }
    }
  }
  while (p < end && blank(*p)) ++p;
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '+' || *p == '-')) ++p;
  std::uint64_t mantissa = 0;
  auto readDigits = [&] {
    const char* first = p;
    for (unsigned digit;
         p < end && (digit = static_cast<unsigned>(static_cast<unsigned char>(*p)) - 48u) <= 9; ++p)
      mantissa = mantissa * 10 + digit;
    return p - first;
  };
  auto digits = readDigits();
  std::ptrdiff_t decimals = 0;
  if (p < end && *p == '.') {
    ++p;
    decimals = readDigits();
    digits += decimals;
  }
  while (p < end && blank(*p)) ++p;
  // Up to 19 digits the mantissa cannot overflow.
  if (p != end || digits == 0 || digits > 19 || mantissa > (std::uint64_t{1} << 53)) return false;
  value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  if (negative) value = -value;
  return true;
}

}  // namespace

double numericPrefix(std::string_view text) {
  if (double value; plainNumber<isIgnoredBlank>(text, value)) return value;
  std::size_t start = 0;
  while (start < text.size() && isIgnoredBlank(text[start])) ++start;
  std::string_view rest = text.substr(start);
  // The usual field: blanks, then the number with nothing blank inside it.
  std::size_t stop = 0;
  while (stop < rest.size() && mayBePartOfNumber(rest[stop])) ++stop;
  if (stop == rest.size() || !isIgnoredBlank(rest[stop])) {
    std::size_t length = numberLength(rest);
    return length == 0 ? 0.0 : convertNumber(rest.substr(0, length));
  }
  // Blanks within: the number is read with them taken out.
  char buffer[128];
  std::string heap;
  char* packed = buffer;
  if (rest.size() > sizeof buffer) {
    heap.resize(rest.size());
    packed = heap.data();
  }
  std::size_t n = 0;
  for (char ch : rest)
    if (!isIgnoredBlank(ch)) packed[n++] = ch;
  std::string_view compact(packed, n);
  std::size_t length = numberLength(compact);
  return length == 0 ? 0.0 : convertNumber(compact.substr(0, length));
}

std::optional<double> strictNumber(std::string_view text) {
  if (double value; plainNumber<isBlankOrTab>(text, value)) return value;
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
  if (decimals < 0 || decimals > 10 || !std::isfinite(value)) return false;
  double magnitude = std::fabs(value);
  double product = magnitude * kPowersOfTen[decimals];
  if (!(product < 1.0e15)) return false;
  // product + error is the exact value of magnitude * 10^decimals.
  double error = std::fma(magnitude, kPowersOfTen[decimals], -product);
  double whole = std::floor(product);
  double belowHalf = (product - whole) - 0.5;  // exact
  bool up = belowHalf >= -error;
  scaled = static_cast<std::uint64_t>(whole) + (up ? 1 : 0);
  return true;
}

// Lays out rounded digits ("123.46", "0", "3.50") by the pattern: a whole part of 0 is
// dropped, then "0" places pad it; "#" decimals lose their trailing zeros. Every value below
// zero keeps its "-", also one that rounds to zero ("-0.00", "-.00").
std::string layOut(bool negative, std::string_view digits, const NumberPattern& shape) {
  auto dot = digits.find('.');
  std::string_view whole = digits.substr(0, dot);
  std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : digits.substr(dot + 1);
  for (int k = 0; k < shape.optionalDecimals && !fraction.empty() && fraction.back() == '0'; ++k)
    fraction.remove_suffix(1);
  if (whole == "0") whole = {};
  std::string result;
  result.reserve(whole.size() + fraction.size() +
                 static_cast<std::size_t>(shape.minimumIntegerDigits) + 2);
  if (negative) result += '-';
  if (static_cast<int>(whole.size()) < shape.minimumIntegerDigits)
    result.append(static_cast<std::size_t>(shape.minimumIntegerDigits) - whole.size(), '0');
  result += whole;
  if (shape.hasPoint) {
    result += '.';
    result += fraction;
  }
  return result;
}

}  // namespace

namespace {

// The fast path of formatPattern, for a value that roundedScaled could scale: the text is
// built from the right, ending at end, without a second pass. Returns its first character.
char* formatScaled(std::uint64_t scaled, bool negative, const NumberPattern& shape, char* end) {
  char* p = end;
  int decimals = shape.decimals;
  int optional = shape.optionalDecimals;
  for (; optional > 0 && scaled % 10 == 0; --optional, --decimals) scaled /= 10;  // "#" decimals
  for (int i = 0; i < decimals; ++i, scaled /= 10) *--p = static_cast<char>('0' + scaled % 10);
  if (shape.hasPoint) *--p = '.';
  int integerDigits = 0;
  for (; scaled != 0; scaled /= 10, ++integerDigits) *--p = static_cast<char>('0' + scaled % 10);
  for (; integerDigits < shape.minimumIntegerDigits; ++integerDigits) *--p = '0';
  if (negative) *--p = '-';
  return p;
}

// Room for a fast-path text: 15 digits, the decimals, sign, point and "0" places.
constexpr std::size_t kQuickRoom = 40;

}  // namespace

std::string formatPattern(double value, const NumberPattern& pattern) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : value < 0 ? "-Inf" : "Inf";
  std::uint64_t scaled = 0;
  if (pattern.minimumIntegerDigits <= 10 && roundedScaled(value, pattern.decimals, scaled)) {
    char buffer[kQuickRoom];
    // A float zero, -0 included, is not below zero.
    return std::string(formatScaled(scaled, value < 0, pattern, buffer + sizeof buffer),
                       buffer + sizeof buffer);
  }
  return layOut(value < 0, roundedDecimal(std::fabs(value), pattern.decimals), pattern);
}

std::string formatPattern(double value, std::string_view pattern) {
  return formatPattern(value, NumberPattern(pattern));
}

double appendPatternAligned(std::string& out, double value, const NumberPattern& pattern,
                            std::size_t width) {
  std::uint64_t scaled = 0;
  if (pattern.minimumIntegerDigits <= 10 && roundedScaled(value, pattern.decimals, scaled)) {
    char buffer[kQuickRoom];
    char* end = buffer + sizeof buffer;
    char* p = formatScaled(scaled, value < 0, pattern, end);
    auto length = static_cast<std::size_t>(end - p);
    if (length < width) out.append(width - length, ' ');
    out.append(p, length);
    // The text's digits over its decimals, as the reader divides them; a zero may have no
    // digit at all ("-", "-.").
    if (scaled == 0) return numericPrefix(std::string_view(p, length));
    const double read = static_cast<double>(scaled) / kPowersOfTen[pattern.decimals];
    return value < 0 ? -read : read;
  }
  std::string text = formatPattern(value, pattern);
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
  return numericPrefix(text);
}

std::string alignRight(std::string_view text, std::size_t width) {
  std::string result;
  result.reserve(std::max(width, text.size()));
  if (text.size() < width) result.append(width - text.size(), ' ');
  result += text;
  return result;
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
