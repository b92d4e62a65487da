// Text files: whole lines and text items from bytes, and the Windows-1252 code page.

#include "text/text_file.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace pelorin {
namespace {

// Every line (or item) of bytes with the number of the line it started on.
using Read = std::vector<std::pair<std::string, int>>;

Read readAll(std::string_view bytes, bool items) {
  TextReader reader(bytes);
  Read out;
  std::string text;
  while (items ? reader.readItem(text) : reader.readLine(text))
    out.emplace_back(text, reader.lineNumber());
  return out;
}

TEST(TextReader, WholeLinesEndAtCrLfLfOrCrAndKeepTheirBlanks) {
  const std::pair<std::string, Read> cases[] = {
      {"a\r\nb\nc\rd", {{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}}},
      {"a\n\rb\n\r", {{"a", 1}, {"b", 2}}},  // LF CR is one line end
      {"a\n\nb\r\rc", {{"a", 1}, {"", 2}, {"b", 3}, {"", 4}, {"c", 5}}},
      {"\r\n\r\n  bay 3  \r\n", {{"", 1}, {"", 2}, {"  bay 3  ", 3}}},
      {"", {}},
      {std::string("a\0b", 3), {{std::string("a\0b", 3), 1}}},
  };
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(readAll(bytes, false), lines) << bytes;
}

TEST(TextReader, TextItems) {
  const std::pair<std::string, Read> cases[] = {
      {"KPA,####0,1\r\n", {{"KPA", 1}, {"####0", 1}, {"1", 1}}},
      {"\"name, pattern\",7", {{"name, pattern", 1}, {"7", 1}}},
      {" \t12.5\t , Cone Resistance ", {{"12.5", 1}, {"Cone Resistance", 1}}},
      {"6\r\n\"KPA\"\r\n1", {{"6", 1}, {"KPA", 2}, {"1", 3}}},
      {"a\r\n   \r\nb", {{"a", 1}, {"", 2}, {"b", 3}}},  // a blank line is an empty item
      {"a,,b,\r\nc", {{"a", 1}, {"", 1}, {"b", 1}, {"", 1}, {"c", 2}}},
      {"\"ab\"cd,\"e\r\nf", {{"ab", 1}, {"e", 1}, {"f", 2}}},  // after the quote: dropped
      {"  1.05   2.00  \r\n   ", {{"1.05   2.00", 1}}},
  };
  for (const auto& [bytes, items] : cases) EXPECT_EQ(readAll(bytes, true), items) << bytes;
}

TEST(Windows1252, EveryByteRoundTripsAndOtherCharactersBecomeQuestionMarks) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
  const std::pair<std::string, std::string> both[] = {
      {"K\xE9vin 20 \xB0"
       "C",
       "K\xC3\xA9vin 20 \xC2\xB0"
       "C"},
      {"\x80", "\xE2\x82\xAC"},
      {"\x9F", "\xC5\xB8"},
      {"\x81", "\xC2\x81"}};  // unassigned: the C1 control
  for (const auto& [cp1252, utf8] : both) {
    EXPECT_EQ(windows1252ToUtf8(cp1252), utf8);
    EXPECT_EQ(utf8ToWindows1252(utf8), cp1252);
  }
  const std::pair<std::string, std::string> outside[] = {
      {"a\xF0\x9F\x98\x80"
       "b",
       "a?b"},
      {"\xE4\xB8\xAD", "?"},
      {"\xFF", "?"},
      {"\xC3(", "?("},
      {"\xE2\x82", "??"},
      {"\xC0\x80", "?"},  // cut short; an overlong NUL is no character
      {"\xC2\x80", "?"},  // U+0080 and U+0100 lie just outside the code page
      {"\xC4\x80", "?"}};
  for (const auto& [utf8, cp1252] : outside) EXPECT_EQ(utf8ToWindows1252(utf8), cp1252);
}

}  // namespace
}  // namespace pelorin
