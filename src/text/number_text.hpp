#pragma once
// Number texts as the sounding files and the window write and read them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelorin {

// The text-to-number rule of every typed box and every channel field: blanks, tabs and
// line feeds anywhere are ignored, the value is the longest leading decimal number
// (sign, digits, point, digits, exponent) and a text without one gives 0. Never fails.
double numericPrefix(std::string_view text);

// A text that, blanks around it ignored, must be a number as a whole (the depth and speed
// windows of a reading line, the shift boxes). Empty or anything else gives no value.
std::optional<double> strictNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (6.5 -> 6, 7.5 -> 8).
std::int64_t roundHalfEven(double value);

// Formats with a numeric pattern: "0" a digit always shown, "#" a digit shown only when
// significant (trailing zeros in "#" decimal places are dropped), "." the decimal point.
// The exact value is rounded half away from zero to the pattern's decimals; integer digits
// beyond the pattern are all shown; a negative value gets a leading "-"; no separators.
std::string formatPattern(double value, std::string_view pattern);

// A pattern read once, for formatting many values with it.
struct NumberPattern {
  explicit constexpr NumberPattern(std::string_view pattern) {
    for (char ch : pattern) {
      if (ch == '.' && !hasPoint) {
        hasPoint = true;
      } else if (!hasPoint) {
        if (ch == '0') ++minimumIntegerDigits;
      } else if (ch == '0') {
        ++decimals;
        optionalDecimals = 0;
      } else if (ch == '#') {
        ++decimals;
        ++optionalDecimals;
      }
    }
  }
  bool hasPoint = false;
  int decimals = 0;
  int optionalDecimals = 0;  // the "#" places at the end of the decimals
  int minimumIntegerDigits = 0;
};
std::string formatPattern(double value, const NumberPattern& pattern);

// The "@@@..." pattern: right-aligns text in width columns; a longer text stays whole.
std::string alignRight(std::string_view text, std::size_t width);

// Appends alignRight(formatPattern(value, pattern), width) to out without a text of its
// own per value, the column writer of the sounding file's reading lines, and returns the
// number numericPrefix reads from the text written.
double appendPatternAligned(std::string& out, double value, const NumberPattern& pattern,
                            std::size_t width);

// Cuts text to width or fills it with blanks on the right.
std::string fixedWidth(std::string_view text, std::size_t width);

// Up to seven significant digits, no trailing zeros, one leading blank for a non-negative
// number ("-" otherwise) and no 0 before the point below 1: " 25", " .05", "-1.5".
std::string blankLedNumber(double value);

// The same without the leading blank and with the 0 before the point: "25", "0.05".
std::string generalNumber(double value);

// The float closest to value; every stored result of the model goes through here.
inline float toSingle(double value) { return static_cast<float>(value); }

}  // namespace pelorin
