// Number texts: what a typed box or a channel field reads as, and how depths, speeds,
// raw channel values and counters are written.

#include "text/number_text.hpp"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <tuple>

namespace pelorin {
namespace {

TEST(NumericPrefix, TakesTheLongestLeadingNumberWithBlanksAnywhereIgnored) {
  const std::pair<std::string, double> cases[] = {
      {"abc", 0},
      {"", 0},
      {"-.", 0},
      {"--5", 0},
      {"1.2.3", 1.2},
      {"2e-x", 2},
      {"100000 KPA", 100000},  // row 5 of the channel block: value, blank, unit name
      {"- 1 . 5 d 2", -150},
      {" 1" + std::string(200, ' ') + "5", 15},
      {"1e400", HUGE_VAL},
      {"-1e400", -HUGE_VAL},
      {"1e-400", 0},
      {std::string(300, '9'), 1e300},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(numericPrefix(text), value) << text;
}

// Random texts with blanks scattered through them against strtod on the number written
// plainly: the quick conversion of short numbers must give the very same double.
TEST(NumericPrefix, AgreesWithStrtodOnRandomNumbers) {
  std::mt19937_64 random(99);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto digits = [&](int count) {
    std::string d;
    while (count-- > 0) d += static_cast<char>('0' + below(10));
    return d;
  };
  for (int i = 0, failures = 0; i < 200000 && failures < 20; ++i) {
    std::string whole = below(4) ? digits(1 + below(below(5) ? 8 : 25)) : "";
    std::string fraction = below(3) ? digits(below(below(5) ? 8 : 26)) : "";
    std::string plain = below(3) ? "" : below(2) ? "-" : "+";
    plain += whole.empty() && fraction.empty() ? "0" : whole;
    if (!fraction.empty() || below(4) == 0) plain += "." + fraction;
    std::string written = plain;
    if (below(3) == 0) {
      int e = below(10) ? below(61) - 30 : below(700) - 350;
      std::string exponent = e >= 0 && below(2) ? "+" : "";
      exponent += std::to_string(e);
      plain += "e" + exponent;
      written += "eEdD"[below(4)] + exponent;
    }
    written += std::array{"", "x", " KPA", ",5", "-", "e", "E+", ".", "d"}[below(9)];
    std::string text;  // blanks, tabs and line feeds anywhere
    for (char ch : written) {
      while (below(6) == 0) text += " \t\n"[below(3)];
      text += ch;
    }
    double expected = std::strtod(plain.c_str(), nullptr), actual = numericPrefix(text);
    if (std::memcmp(&expected, &actual, sizeof actual) != 0 && ++failures > 0)
      ADD_FAILURE() << '"' << text << "\" gives " << actual << ", strtod " << expected;
  }
}

TEST(StrictNumber, AcceptsOnlyANumberWithBlanksAroundIt) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {" \t-.5 ", -0.5},
      {"+1e3", 1000},
      {"   ", std::nullopt},
      {"-", std::nullopt},
      {"1.05x", std::nullopt},
      {" 5.00 1", std::nullopt},  // the depth window of a shifted line taking the speed's digit
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(strictNumber(text), value) << text;
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  const std::pair<double, std::int64_t> cases[] = {
      {6.5, 6},       {7.5, 8},
      {-2.5, -2},     {-3.5, -4},
      {2.5000001, 3}, {4503599627370497.0, 4503599627370497}};  // beyond 2^52 every value is whole
  for (auto [value, rounded] : cases) EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

TEST(FormatPattern, WorkedExamples) {
  const std::tuple<double, const char*, const char*> cases[] = {
      {1234.5, "##0.00", "1234.50"},
      {-0.5, "##.00", "-.50"},
      {0.4, "#", ""},
      {7, "0000", "0007"},
      {2, "0.0#", "2.0"},
      {2, "0.##", "2."},  // "#" decimals are shown only when significant
      // The exact value is rounded half away from zero, where printf would go to even.
      {0.125, "0.00", "0.13"},
      {-2.5, "0", "-3"},
      {1.005f, "0.00", "1.00"},  // 1.00499999523...
      // Below zero keeps its sign even when it rounds to zero; a zero of either sign has none.
      {-0.001, "##0.00", "-0.00"},
      {-0.001, "##.00", "-.00"},
      {-0.000001, "####0.00000", "-0.00000"},
      {-0.0, "##0.00", "0.00"},
      {0.0, "##.00", ".00"},
      {HUGE_VAL, "##0.00", "Inf"},
      {-HUGE_VAL, "##0.00", "-Inf"},
      {NAN, "##0.00", "NaN"},
  };
  for (auto [value, pattern, text] : cases)
    EXPECT_EQ(formatPattern(value, pattern), text) << value << " with " << pattern;
}

// The pattern's text the slow way: printf's exact decimal expansion rounded by hand.
std::string referenceFormat(double value, int zeros, int decimals, int optional) {
  static char exact[1500];
  int exactDigits = value == toSingle(value) ? 150 : 1075;  // enough for any float, any double
  std::snprintf(exact, sizeof exact, "%.*f", exactDigits, std::fabs(value));
  std::string digits = exact;
  std::size_t point = digits.find('.'), places = static_cast<std::size_t>(decimals);
  std::string whole = digits.substr(0, point), fraction = digits.substr(point + 1, places);
  if (digits[point + 1 + places] >= '5') {
    std::string all = whole + fraction;
    std::size_t i = all.size();
    while (i > 0 && all[i - 1] == '9') all[--i] = '0';
    if (i == 0)
      all.insert(all.begin(), '1');
    else
      ++all[i - 1];
    whole = all.substr(0, all.size() - places);
    fraction = all.substr(all.size() - places);
  }
  whole.erase(0, whole.find_first_not_of('0'));  // "#" integer places never add anything
  while (static_cast<int>(whole.size()) < zeros) whole.insert(whole.begin(), '0');
  for (int k = 0; k < optional && !fraction.empty() && fraction.back() == '0'; ++k)
    fraction.pop_back();
  return (value < 0 ? "-" : "") + whole + (decimals > 0 ? "." + fraction : "");
}

// Every depth, speed and raw value written to a file goes through formatPattern's fast
// integer path; this says that the fast path, the exact path and the rule agree.
TEST(FormatPattern, AgreesWithTheExactReferenceOnRandomValuesAndPatterns) {
  std::mt19937_64 random(20240611);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto mantissa = [&] { return static_cast<double>(below(199999999) - 99999999); };
  auto repeat = [](int n, char ch) { return std::string(static_cast<std::size_t>(n), ch); };
  auto bits32 = [](std::mt19937_64& r) { return static_cast<std::uint32_t>(r()); };
  for (int i = 0, failures = 0; i < 200000 && failures < 20; ++i) {
    double v = 0;
    switch (below(5)) {
      case 0:  // any finite float or double
        do v = below(2) ? std::bit_cast<double>(random()) : std::bit_cast<float>(bits32(random));
        while (!std::isfinite(v));
        break;
      case 1:  // depths and speeds in centimetres or millimetres
        v = toSingle(std::fmod(mantissa(), 100000) / (below(2) ? 100 : 1000));
        break;
      case 2:
        v = std::ldexp(std::fmod(mantissa(), 4096), -3 * below(5));
        break;  // exact ties
      case 3:   // next to a decimal tie
        v = std::nextafter(toSingle((std::fmod(mantissa(), 100000) + 0.5) / 100),
                           below(2) ? -HUGE_VALF : HUGE_VALF);
        break;
      default:  // ordinary magnitudes with many binary places, up to the fast path's limit
        v = std::ldexp(static_cast<double>(random() >> 11) * (below(2) ? 1 : -1), below(91) - 82);
    }
    int zeros = below(3), decimals = below(17);
    int optional = decimals && !below(5) ? below(decimals + 1) : 0;
    std::string pattern = repeat(below(5), '#') + repeat(zeros, '0');
    if (decimals > 0) pattern += '.' + repeat(decimals - optional, '0') + repeat(optional, '#');
    std::string expected = referenceFormat(v, zeros, decimals, optional);
    std::string actual = formatPattern(v, pattern);
    // The column writer of the reading lines must give the same text, aligned, and know
    // the number the reader takes from it.
    std::size_t width = static_cast<std::size_t>(below(5) * 5);
    std::string column;
    const double read = appendPatternAligned(column, v, NumberPattern(pattern), width);
    if (column != alignRight(expected, width)) actual = column;
    if (std::bit_cast<std::uint64_t>(read) != std::bit_cast<std::uint64_t>(numericPrefix(column)))
      actual = column + " read as " + std::to_string(read);
    if (actual != expected && ++failures > 0)
      ADD_FAILURE() << std::hexfloat << v << " with " << pattern << ": " << actual << ", not "
                    << expected;
  }
}

TEST(BlankLedNumber, SevenSignificantDigitsRoundedHalfAwayFromZero) {
  const std::tuple<double, const char*, const char*> cases[] = {
      {25, " 25", "25"},
      {-0.5, "-.5", "-0.5"},
      {0, " 0", "0"},
      {9999999, " 9999999", "9999999"},
      {9999999.5, " 1E+07", "1E+07"},
      {0.0001, " .0001", "0.0001"},
      {0.00001, " 1E-05", "1E-05"},
      {-12345685, "-1.234569E+07", "-1.234569E+07"},  // an exact tie goes away from zero
      {1e-300, " 1E-300", "1E-300"},
      {999.99996, " 1000", "1000"},
      {0.1f, " .1", "0.1"},                  // the float's seven digits, not its seventeen
      {1.2345675, " 1.234568", "1.234568"},  // 1.23456750000000007...: above the half
  };
  for (auto [value, blankLed, general] : cases) {
    EXPECT_EQ(blankLedNumber(value), blankLed) << value;
    EXPECT_EQ(generalNumber(value), general) << value;
  }
  for (float v : {150000.0f, 0.3048f, 12.7f, -4.25f})  // full-scale values read back the same
    EXPECT_EQ(toSingle(numericPrefix(generalNumber(v))), v) << v;
}

}  // namespace
}  // namespace pelorin
