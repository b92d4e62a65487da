// formatPattern against a slow reference built from printf's exact decimal expansion and
// rounded by hand, over many random values and patterns. Every depth, speed and raw value
// written to a sounding file goes through formatPattern's fast integer path; this test is
// what says that the fast path and the exact rule agree.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "text/number_text.hpp"

namespace pelorin {
namespace {

// The pattern's text for value, the slow way: all digits, rounded half away from zero.
// fractionDigits must be enough for the value's exact expansion: 149 for any float, 1074
// for any double.
std::string referenceFormat(double value, int hashes, int zeros, int decimals, int optional,
                            int fractionDigits) {
  static char exact[1500];
  std::snprintf(exact, sizeof exact, "%.*f", fractionDigits, std::fabs(value));
  std::string digits = exact;
  std::size_t point = digits.find('.');
  std::string whole = digits.substr(0, point);
  std::string fraction = digits.substr(point + 1, static_cast<std::size_t>(decimals));
  if (digits[point + 1 + static_cast<std::size_t>(decimals)] >= '5') {
    std::string all = whole + fraction;
    int i = static_cast<int>(all.size()) - 1;
    while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') all[static_cast<std::size_t>(i--)] = '0';
    if (i < 0)
      all.insert(all.begin(), '1');
    else
      ++all[static_cast<std::size_t>(i)];
    whole = all.substr(0, all.size() - fraction.size());
    fraction = all.substr(all.size() - fraction.size());
  }
  while (whole.size() > 1 && whole[0] == '0') whole.erase(0, 1);
  if (whole == "0") whole.clear();
  while (static_cast<int>(whole.size()) < zeros) whole.insert(whole.begin(), '0');
  for (int k = 0; k < optional && !fraction.empty() && fraction.back() == '0'; ++k)
    fraction.pop_back();
  (void)hashes;  // "#" integer places never add anything
  // A value that rounds to zero carries no sign.
  bool zero = (whole + fraction).find_first_not_of('0') == std::string::npos;
  std::string text = value < 0 && !zero ? "-" : "";
  text += whole;
  if (decimals > 0 || optional > 0) text += "." + fraction;
  return text;
}

TEST(FormatPatternCheck, AgreesWithTheExactReferenceOnRandomFloats) {
  std::mt19937_64 random(20240611);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_int_distribution<int> pick(0, 5);
  std::uniform_int_distribution<int> small(0, 4);
  std::uniform_int_distribution<int> decimalCount(0, 12);
  std::uniform_int_distribution<std::int64_t> mantissa(-99999999, 99999999);
  int failures = 0;
  constexpr int kValues = 300000;
  for (int i = 0; i < kValues && failures < 20; ++i) {
    float f = 0;
    switch (pick(random)) {
      case 0: {  // any finite float, from subnormal to 3.4e38
        std::uint32_t b;
        do b = bits(random); while (((b >> 23) & 0xFF) == 0xFF);
        std::memcpy(&f, &b, sizeof f);
        break;
      }
      case 1:  // depths and speeds in centimetres or millimetres
        f = toSingle(static_cast<double>(mantissa(random) % 100000) / (small(random) < 2 ? 100 : 1000));
        break;
      case 2:  // raw channel values with five decimals
        f = toSingle(static_cast<double>(mantissa(random)) / 100000);
        break;
      case 3:  // dyadic values: exact ties for some number of decimals
        f = static_cast<float>(std::ldexp(static_cast<double>(mantissa(random) % 4096),
                                          -small(random) * 3));
        break;
      case 4:  // the neighbourhood of a decimal tie
        f = std::nextafter(toSingle((static_cast<double>(mantissa(random) % 100000) + 0.5) / 100),
                           small(random) < 2 ? -HUGE_VALF : HUGE_VALF);
        break;
      default:  // magnitudes around the fast path's limit of 10^15 scaled
        f = toSingle(std::ldexp(1.0, 20 + small(random) * 8) * (1 + bits(random) % 1000 / 1000.0));
        break;
    }
    int hashes = small(random), zeros = small(random) % 3, decimals = decimalCount(random);
    int optional = decimals > 0 && small(random) == 0 ? small(random) % (decimals + 1) : 0;
    std::string pattern(static_cast<std::size_t>(hashes), '#');
    pattern.append(static_cast<std::size_t>(zeros), '0');
    if (decimals > 0) {
      pattern += '.';
      pattern.append(static_cast<std::size_t>(decimals - optional), '0');
      pattern.append(static_cast<std::size_t>(optional), '#');
    }
    std::string expected = referenceFormat(f, hashes, zeros, decimals, optional, 150);
    std::string actual = formatPattern(f, pattern);
    // The column writer of the reading lines must give the same text, aligned.
    std::string column = "|";
    std::size_t width = static_cast<std::size_t>(small(random) * 5);
    appendPatternAligned(column, f, pattern, width);
    std::string expectedColumn = "|";
    expectedColumn += alignRight(expected, width);
    if (column != expectedColumn) actual = column;
    if (actual != expected) {
      ++failures;
      ADD_FAILURE() << "value " << std::hexfloat << f << std::defaultfloat << " (" << f
                    << ") with \"" << pattern << "\": \"" << actual << "\", expected \""
                    << expected << '"';
    }
  }
}

TEST(FormatPatternCheck, AgreesWithTheExactReferenceOnRandomDoubles) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::uniform_int_distribution<int> decimalCount(0, 16);
  std::uniform_int_distribution<int> scale(-30, 60);
  int failures = 0;
  for (int i = 0; i < 50000 && failures < 20; ++i) {
    double d;
    if (i % 2 == 0) {
      std::uint64_t b;
      do b = bits(random); while (((b >> 52) & 0x7FF) == 0x7FF);
      std::memcpy(&d, &b, sizeof d);
    } else {
      // Ordinary magnitudes with fractions that end in binary places: many ties.
      d = std::ldexp(static_cast<double>(bits(random) >> 11), scale(random) - 52);
      if (bits(random) & 1) d = -d;
    }
    int decimals = decimalCount(random);
    std::string pattern = decimals > 0 ? "#0." + std::string(static_cast<std::size_t>(decimals), '0') : "#0";
    std::string expected = referenceFormat(d, 1, 1, decimals, 0, 1075);
    std::string actual = formatPattern(d, pattern);
    if (actual != expected) {
      ++failures;
      ADD_FAILURE() << "value " << std::hexfloat << d << " with \"" << pattern << "\": \""
                    << actual << "\", expected \"" << expected << '"';
    }
  }
}

}  // namespace
}  // namespace pelorin
