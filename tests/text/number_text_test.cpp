// Number texts: what a typed box or a channel field reads as, and how depths, speeds,
// raw channel values and counters are written.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "text/number_text.hpp"

namespace pelorin {
namespace {

struct PrefixCase {
  const char* text;
  double value;
};

TEST(NumericPrefix, TakesTheLongestLeadingNumber) {
  const PrefixCase cases[] = {
      {"25", 25},
      {"1.5e3", 1500},
      {"1.5E3", 1500},
      {"1.5d3", 1500},  // the older exponent letter of field programs
      {"1.5D-2", 0.015},
      {"-.5", -0.5},
      {"+7", 7},
      {".5", 0.5},
      {"5.", 5},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {".", 0},
      {"-.", 0},
      {"--5", 0},
      {"12.5x", 12.5},
      {"1.2.3", 1.2},
      {"1,5", 1},
      {"1e", 1},         // an exponent letter without digits ends the number before it
      {"1e+", 1},
      {"2e-x", 2},
      {"100000 KPA", 100000},  // row 5 of the channel block: value, blank, unit name
      {"  -32768.00000", -32768},
      // Blanks, tabs and line feeds anywhere are ignored.
      {" 1 2 . 5 ", 12.5},
      {"\t-3\n4", -34},
      {"- 1 . 5 e 2", -150},
      {"1 e3", 1000},
      {"        123.45678", 123.45678},
  };
  for (const auto& c : cases) EXPECT_EQ(numericPrefix(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumericPrefix, NeverFailsOnHugeOrTinyExponents) {
  EXPECT_EQ(numericPrefix("1e400"), HUGE_VAL);
  EXPECT_EQ(numericPrefix("-1e400"), -HUGE_VAL);
  EXPECT_EQ(numericPrefix("1e-400"), 0.0);
  std::string longDigits(300, '9');
  EXPECT_GT(numericPrefix(longDigits), 9e298);
  EXPECT_EQ(numericPrefix(std::string(1000, ' ') + "7"), 7);
}

// Random number texts with blanks scattered through them against strtod on the same
// number written plainly: the quick conversion of short numbers must give the very same
// double as a full conversion, and long ones must still be right.
TEST(NumericPrefix, AgreesWithStrtodOnRandomNumbers) {
  std::mt19937_64 random(99);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const char* tails[] = {"", "x", " KPA", ",5", "-", "e", "E+", ".", "d"};
  int failures = 0;
  for (int i = 0; i < 200000 && failures < 20; ++i) {
    std::string plain;
    if (below(3) == 0) plain += below(2) ? '-' : '+';
    int whole = below(4) == 0 ? 0 : 1 + below(below(5) == 0 ? 25 : 8);
    int fraction = below(3) == 0 ? 0 : 1 + below(below(5) == 0 ? 25 : 7);
    if (whole == 0 && fraction == 0) whole = 1;
    for (int k = 0; k < whole; ++k) plain += static_cast<char>('0' + below(10));
    if (fraction > 0 || below(4) == 0) plain += '.';
    for (int k = 0; k < fraction; ++k) plain += static_cast<char>('0' + below(10));
    std::string written = plain;
    if (below(3) == 0) {
      int exponent = below(10) == 0 ? below(700) - 350 : below(61) - 30;
      std::string sign = exponent < 0 ? "-" : below(2) ? "+" : "";
      std::string digits = std::to_string(std::abs(exponent));
      plain += "e" + sign + digits;
      written += std::string(1, "eEdD"[below(4)]) + sign + digits;
    }
    written += tails[below(9)];
    std::string text;  // blanks, tabs and line feeds anywhere
    for (char ch : written) {
      while (below(6) == 0) text += " \t\n"[below(3)];
      text += ch;
    }
    double expected = std::strtod(plain.c_str(), nullptr);
    double actual = numericPrefix(text);
    if (std::memcmp(&expected, &actual, sizeof actual) != 0) {
      ++failures;
      ADD_FAILURE() << '"' << text << "\" gives " << actual << ", strtod of \"" << plain
                    << "\" " << expected;
    }
  }
}

TEST(StrictNumber, AcceptsOnlyAWholeNumber) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"  1.05", 1.05},
      {" 2.00 ", 2.0},
      {"-0.50", -0.5},
      {"15", 15},
      {".5", 0.5},
      {"5.", 5},
      {"1e3", 1000},
      {"+3", 3},
      {"", std::nullopt},
      {"      ", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"1.05x", std::nullopt},
      {"1 5", std::nullopt},   // blanks inside make it no number
      {"  0.0 1", std::nullopt},
      {"abc", std::nullopt},
      {"1,5", std::nullopt},
      {" 5.00 1", std::nullopt},  // depth window of a shifted line taking the speed's digit
  };
  for (const auto& c : cases) EXPECT_EQ(strictNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    std::int64_t rounded;
  };
  const Case cases[] = {
      {6.5, 6},   {7.5, 8},   {-2.5, -2}, {-3.5, -4}, {0.5, 0},    {-0.5, 0},
      {1.5, 2},   {2.4999999, 2},         {2.5000001, 3},          {-6.51, -7},
      {0, 0},     {4503599627370497.0, 4503599627370497},  // beyond 2^52 every value is whole
  };
  for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.value), c.rounded) << c.value;
}

struct PatternCase {
  double value;
  const char* pattern;
  const char* text;
};

TEST(FormatPattern, PatternsOfTheFilesAndTheGrid) {
  const PatternCase cases[] = {
      {0, "##0.00", "0.00"},
      {1.5, "##0.00", "1.50"},
      {123.456, "##0.00", "123.46"},
      {-32768, "##0.00", "-32768.00"},
      {1234.5, "##0.00", "1234.50"},  // integer digits beyond the pattern are all shown
      {0.05, "##0.00", "0.05"},
      {-0.05, "##0.00", "-0.05"},
      {0, "##.00", ".00"},
      {0.5, "##.00", ".50"},
      {-0.5, "##.00", "-.50"},
      {12.5, "##.00", "12.50"},
      {0.4, "#", ""},
      {7, "0000", "0007"},
      {123.45678, "####0.00000", "123.45678"},
      {0, "####0.00000", "0.00000"},
      {-0.00300, "####0.00000", "-0.00300"},
      {0.001, "#####0.00000000", "0.00100000"},
      {0.3048, "#####0.00000000", "0.30480000"},
      {1, "####0", "1"},
      {1.5, "0.0#", "1.5"},  // "#" decimals are shown only when significant
      {1.25, "0.0#", "1.25"},
      {2, "0.0#", "2.0"},
      {2, "0.##", "2."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatPattern(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
}

TEST(FormatPattern, RoundsTheExactValueHalfAwayFromZero) {
  const PatternCase cases[] = {
      // Exact binary ties go away from zero, where printf would go to even.
      {0.125, "0.00", "0.13"},
      {-0.125, "0.00", "-0.13"},
      {2.5, "0", "3"},
      {-2.5, "0", "-3"},
      {0.5, "0", "1"},
      {0.375, "0.00", "0.38"},
      {1.5, "#", "2"},
      {2.25, "0.0", "2.3"},
      // A float's exact value decides, not its shortest decimal text.
      {1.005f, "0.00", "1.00"},   // 1.00499999523...
      {2.675f, "0.00", "2.67"},   // 2.67499995231...
      {1.015f, "0.00", "1.01"},   // 1.01499998569...
      {0.045f, "0.00", "0.05"},   // 0.04500000178...
      {0.995f, "#.00", "1.00"},   // 0.99500000476...
      {8.345f, "##0.00", "8.35"},  // 8.34500026702...
      {0.995, "#.00", ".99"},     // the double 0.99499999999...
      {99.995, "##0.00", "100.00"},  // 99.99500000000000454...
      {9.9999999, "0.00", "10.00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatPattern(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
}

TEST(FormatPattern, LargeValuesAndManyDecimalsAreExactToo) {
  const PatternCase cases[] = {
      {1e20, "##0.00", "100000000000000000000.00"},
      {-1e20, "##0.00", "-100000000000000000000.00"},
      {1e15, "0.00", "1000000000000000.00"},
      {3.4028234663852886e38, "0", "340282346638528859811704183484516925440"},
      // Ties whose scaled value no longer fits a double's 53 bits.
      {562949953421312.125, "0.00", "562949953421312.13"},
      {-562949953421312.125, "0.00", "-562949953421312.13"},
      {1099511627776.0 + 0.0625, "0.000", "1099511627776.063"},
      // More decimals than the fast path takes, with an exact tie in the last place.
      {0.0001220703125, "0.000000000000", "0.000122070313"},
      {9.31322574615478515625e-10, "0.00000000000000000000000000000",
       "0.00000000093132257461547851563"},
      {1.0 / 3, "0.000000000000000", "0.333333333333333"},
      {123456789.5, "####0", "123456790"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatPattern(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
}

TEST(FormatPattern, TextsLongerThanAnyBufferStayWhole) {
  std::string pattern = "0." + std::string(100, '0');
  std::string text = formatPattern(1e308, pattern);
  ASSERT_EQ(text.size(), 309u + 1 + 100);
  EXPECT_EQ(text.substr(0, 5), "10000");
  EXPECT_EQ(text.substr(309), "." + std::string(100, '0'));
  EXPECT_EQ(formatPattern(-1e308, "0").size(), 310u);
  EXPECT_EQ(formatPattern(5e-324, pattern), "0." + std::string(100, '0'));
}

TEST(FormatPattern, NonFiniteValuesGiveAWordNotAPattern) {
  EXPECT_EQ(formatPattern(HUGE_VAL, "##0.00"), "Inf");
  EXPECT_EQ(formatPattern(-HUGE_VAL, "##0.00"), "-Inf");
  EXPECT_EQ(formatPattern(std::numeric_limits<double>::quiet_NaN(), "##0.00"), "NaN");
}

TEST(BlankLedNumber, CountersAndDepths) {
  struct Case {
    double value;
    const char* blankLed;
    const char* general;
  };
  const Case cases[] = {
      {25, " 25", "25"},
      {0.05, " .05", "0.05"},
      {-1.5, "-1.5", "-1.5"},
      {-0.5, "-.5", "-0.5"},
      {0, " 0", "0"},
      {10, " 10", "10"},
      {15.3, " 15.3", "15.3"},
      {10000, " 10000", "10000"},
      {1234567, " 1234567", "1234567"},
      {9999999, " 9999999", "9999999"},
      {1e7, " 1E+07", "1E+07"},
      {12345678, " 1.234568E+07", "1.234568E+07"},
      {12345685, " 1.234569E+07", "1.234569E+07"},  // an exact tie goes away from zero
      {-12345685, "-1.234569E+07", "-1.234569E+07"},
      {9999999.5, " 1E+07", "1E+07"},
      {99999995, " 1E+08", "1E+08"},
      {1234567.5, " 1234568", "1234568"},
      {1234568.5, " 1234569", "1234569"},
      {0.0001, " .0001", "0.0001"},
      {0.00001, " 1E-05", "1E-05"},
      {-0.000012345, "-1.2345E-05", "-1.2345E-05"},
      {1e-300, " 1E-300", "1E-300"},
      {1e300, " 1E+300", "1E+300"},
      {0.1f, " .1", "0.1"},  // the float's seven digits, not its seventeen
      {0.3048f, " .3048", "0.3048"},
      {100000.0f, " 100000", "100000"},
      {1.2345674, " 1.234567", "1.234567"},
      {1.2345675, " 1.234568", "1.234568"},  // 1.23456750000000007...: above the half
      {999.99996, " 1000", "1000"},
      {2.0 / 3, " .6666667", "0.6666667"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(blankLedNumber(c.value), c.blankLed) << c.value;
    EXPECT_EQ(generalNumber(c.value), c.general) << c.value;
  }
}

TEST(GeneralNumber, ReadsBackAsTheSameFloatForOrdinaryFullScaleValues) {
  for (float v : {5.0f, 10.0f, 100000.0f, 150000.0f, 1000.0f, 2000.0f, 0.3048f, 12.7f, -4.25f})
    EXPECT_EQ(toSingle(numericPrefix(generalNumber(v))), v) << v;
}

TEST(FieldTexts, AlignRightAndFixedWidth) {
  struct Case {
    const char* text;
    std::size_t width;
    const char* right;
    const char* fixed;
  };
  const Case cases[] = {
      {"1.05", 6, "  1.05", "1.05  "},
      {"123.45678", 20, "           123.45678", "123.45678           "},
      {"1234.56", 6, "1234.56", "1234.5"},  // longer texts stay whole, or are cut
      {"", 3, "   ", "   "},
      {"abc", 0, "abc", ""},
      {"abc", 3, "abc", "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(alignRight(c.text, c.width), c.right) << c.text;
    EXPECT_EQ(fixedWidth(c.text, c.width), c.fixed) << c.text;
  }
}

}  // namespace
}  // namespace pelorin
