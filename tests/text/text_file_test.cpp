// Text files: whole lines and text items from bytes, the Windows-1252 code page, and
// writing a file so that a failure never costs the user the earlier file.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <iterator>
#include <csignal>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "test_support.hpp"
#include "text/text_file.hpp"

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
      {"a\n\rb", {{"a", 1}, {"", 2}, {"b", 3}}},  // LF CR is two line ends
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
      {"K\xE9vin 20 \xB0" "C", "K\xC3\xA9vin 20 \xC2\xB0" "C"}, {"\x80", "\xE2\x82\xAC"},
      {"\x9F", "\xC5\xB8"}, {"\x81", "\xC2\x81"}};  // unassigned: the C1 control
  for (const auto& [cp1252, utf8] : both) {
    EXPECT_EQ(windows1252ToUtf8(cp1252), utf8);
    EXPECT_EQ(utf8ToWindows1252(utf8), cp1252);
  }
  const std::pair<std::string, std::string> outside[] = {
      {"a\xF0\x9F\x98\x80" "b", "a?b"}, {"\xE4\xB8\xAD", "?"}, {"\xFF", "?"}, {"\xC3(", "?("},
      {"\xE2\x82", "??"}, {"\xC0\x80", "?"}};  // cut short; an overlong NUL is no character
  for (const auto& [utf8, cp1252] : outside) EXPECT_EQ(utf8ToWindows1252(utf8), cp1252);
}

namespace fs = std::filesystem;

// The number of files in folder, to see that no temporary file is left behind.
long filesIn(const std::string& folder) {
  return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

std::string contentOf(const std::string& path) {
  std::string bytes, error;
  return readWholeFile(path, bytes, error) ? bytes : error;
}

TEST(WriteFileSafely, ReplacesTheFileReadableByOthersAndLeavesNothingElse) {
  std::string folder = test::temporaryFolder(), path = folder + "/sounding.cpt";
  std::string binary;
  for (int i = 0; i < 200000; ++i) binary += static_cast<char>(i * 7);
  mode_t mask = ::umask(022);
  for (const std::string& bytes : {std::string("first\r\n\xFD"), binary, std::string()}) {
    EXPECT_EQ(writeFileSafely(path, bytes), "");
    EXPECT_EQ(contentOf(path), bytes);
  }
  ::umask(mask);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  EXPECT_EQ(filesIn(folder), 1);
}

TEST(WriteFileSafely, FailuresNameThePathAndLeaveTheEarlierFileAndNoTemporaryFile) {
  std::string folder = test::temporaryFolder(), path = folder + "/sounding.cpt";
  std::string error = writeFileSafely(folder + "/no such folder/out.cpt", "data");
  EXPECT_NE(error.find(folder + "/no such folder/out.cpt"), std::string::npos) << error;

  fs::create_directories(folder + "/taken/inside");  // a folder cannot be replaced
  error = writeFileSafely(folder + "/taken", "data");
  EXPECT_NE(error.find(folder + "/taken"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory(folder + "/taken/inside"));

  // A full disk, as the file-size limit makes it: the write stops part of the way.
  ASSERT_EQ(writeFileSafely(path, "earlier"), "");
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tight{1000, old.rlim_max};
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  error = writeFileSafely(path, std::string(100000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_EQ(contentOf(path), "earlier");
  EXPECT_EQ(filesIn(folder), 2);  // the file and the folder "taken"

  std::string bytes;
  EXPECT_FALSE(readWholeFile(folder + "/missing.cpt", bytes, error));
  EXPECT_NE(error.find(folder + "/missing.cpt"), std::string::npos) << error;
}

}  // namespace
}  // namespace pelorin
