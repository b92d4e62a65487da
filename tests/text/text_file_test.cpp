// Text files: whole lines and text items from bytes, the Windows-1252 code page, and
// writing a file so that a failure never costs the user the earlier file.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin {
namespace {

namespace fs = std::filesystem;

// Every line (or item) of bytes with the number of the line it started on.
using Read = std::vector<std::pair<std::string, int>>;

Read allLines(std::string_view bytes) {
  TextReader reader(bytes);
  Read out;
  std::string line;
  while (reader.readLine(line)) out.emplace_back(line, reader.lineNumber());
  return out;
}

Read allItems(std::string_view bytes) {
  TextReader reader(bytes);
  Read out;
  std::string item;
  while (reader.readItem(item)) out.emplace_back(item, reader.lineNumber());
  return out;
}

TEST(TextReader, WholeLines) {
  struct Case {
    const char* name;
    std::string bytes;
    Read lines;
  };
  const Case cases[] = {
      {"CR LF", "first\r\nsecond\r\n", {{"first", 1}, {"second", 2}}},
      {"LF", "first\nsecond\n", {{"first", 1}, {"second", 2}}},
      {"CR", "first\rsecond", {{"first", 1}, {"second", 2}}},
      {"last line without CR LF", "first\r\nsecond", {{"first", 1}, {"second", 2}}},
      {"blanks kept", "  Harbour quay, bay 3  \r\n", {{"  Harbour quay, bay 3  ", 1}}},
      {"empty lines", "\r\n\r\nthird\r\n", {{"", 1}, {"", 2}, {"third", 3}}},
      {"mixed ends", "a\r\nb\nc\rd", {{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}}},
      {"LF CR is two ends", "a\n\rb", {{"a", 1}, {"", 2}, {"b", 3}}},
      {"empty file", "", {}},
      {"only CR LF", "\r\n", {{"", 1}}},
      {"NUL bytes kept", std::string("a\0b\r\n", 5), {{std::string("a\0b", 3), 1}}},
  };
  for (const auto& c : cases) EXPECT_EQ(allLines(c.bytes), c.lines) << c.name;
}

TEST(TextReader, TextItems) {
  struct Case {
    const char* name;
    std::string bytes;
    Read items;
  };
  const Case cases[] = {
      {"commas", "KPA,####0,1\r\n", {{"KPA", 1}, {"####0", 1}, {"1", 1}}},
      {"quoted with comma", "\"name, pattern\",7\r\n", {{"name, pattern", 1}, {"7", 1}}},
      {"blanks around", "  12.5  ,  x \r\n", {{"12.5", 1}, {"x", 1}}},
      {"tabs around", "\t12.5\t,x", {{"12.5", 1}, {"x", 1}}},
      {"blanks inside kept", "Cone Resistance , Qc", {{"Cone Resistance", 1}, {"Qc", 1}}},
      {"blanks inside quotes kept", "\"  a b  \"", {{"  a b  ", 1}}},
      {"one item per line", "6\r\n\"KPA\"\r\n1", {{"6", 1}, {"KPA", 2}, {"1", 3}}},
      {"empty item at an empty line", "a\r\n\r\nb\r\n", {{"a", 1}, {"", 2}, {"b", 3}}},
      {"blank line is an empty item", "a\r\n   \r\nb", {{"a", 1}, {"", 2}, {"b", 3}}},
      {"empty item between commas", "a,,b", {{"a", 1}, {"", 1}, {"b", 1}}},
      {"comma before the line end", "a,\r\nb", {{"a", 1}, {"", 1}, {"b", 2}}},
      {"text after a closing quote", "\"ab\"cd,e\r\n", {{"ab", 1}, {"e", 1}}},
      {"quote open at the line end", "\"ab\r\nc", {{"ab", 1}, {"c", 2}}},
      {"quote open at the file end", "\"ab", {{"ab", 1}}},
      {"empty quotes", "\"\",x", {{"", 1}, {"x", 1}}},
      {"units line", "   (m) (cm/s)\r\n", {{"(m) (cm/s)", 1}}},
      {"reading line", "  1.05   2.00           123.45678\r\n",
       {{"1.05   2.00           123.45678", 1}}},
      {"blanks at the file end", "a\r\n   ", {{"a", 1}}},
      {"empty file", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(allItems(c.bytes), c.items) << c.name;
}

TEST(TextReader, LinesAndItemsShareOnePosition) {
  // Header lines read whole, then the units line and readings as items.
  TextReader reader("Sounding, one\r\n   (m) (cm/s)\r\n  0.05   2.00, 7\r\n");
  std::string text;
  ASSERT_TRUE(reader.readLine(text));
  EXPECT_EQ(text, "Sounding, one");
  ASSERT_TRUE(reader.readItem(text));
  EXPECT_EQ(text, "(m) (cm/s)");
  EXPECT_EQ(reader.lineNumber(), 2);
  ASSERT_TRUE(reader.readItem(text));
  EXPECT_EQ(text, "0.05   2.00");
  ASSERT_TRUE(reader.readLine(text));  // the rest of the line after the comma
  EXPECT_EQ(text, " 7");
  EXPECT_EQ(reader.lineNumber(), 3);
  EXPECT_TRUE(reader.atEnd());
  EXPECT_FALSE(reader.readLine(text));
  EXPECT_FALSE(reader.readItem(text));
}

TEST(Windows1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string utf8 = windows1252ToUtf8(all);
  EXPECT_EQ(utf8ToWindows1252(utf8), all);
  for (int b = 0; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(one)), one) << b;
  }
}

TEST(Windows1252, CharactersOfTheCodePage) {
  struct Case {
    std::string cp1252;
    std::string utf8;
  };
  const Case cases[] = {
      {"\xFD", "\xC3\xBD"},              // y acute, U+00FD
      {"\xB0", "\xC2\xB0"},              // degree sign of "20 \xB0C"
      {"\x80", "\xE2\x82\xAC"},          // euro sign
      {"\x96", "\xE2\x80\x93"},          // en dash
      {"\x9F", "\xC5\xB8"},              // Y diaeresis
      {"\x81", "\xC2\x81"},              // unassigned: the C1 control of the same number
      {"K\xE9vin 5\xB5m", "K\xC3\xA9vin 5\xC2\xB5m"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windows1252ToUtf8(c.cp1252), c.utf8);
    EXPECT_EQ(utf8ToWindows1252(c.utf8), c.cp1252);
  }
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string cp1252;
  };
  const Case cases[] = {
      {"\xE4\xB8\xAD", "?"},                 // a CJK character
      {"a\xF0\x9F\x98\x80" "b", "a?b"},      // a four-byte character counts once
      {"\xFF", "?"},                          // no UTF-8 at all
      {"\xC3(", "?("},                        // lead byte without its continuation
      {"\xE2\x82", "??"},                     // cut short at the end
      {"\xC0\x80", "?"},                      // an overlong NUL is no character
      {"\xE0\x80\xAF", "?"},
  };
  for (const auto& c : cases) EXPECT_EQ(utf8ToWindows1252(c.utf8), c.cp1252);
}

// Names in folder, to see that no temporary file is left behind.
std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string contentOf(const std::string& path) {
  std::string bytes, error;
  EXPECT_TRUE(readWholeFile(path, bytes, error)) << error;
  return bytes;
}

TEST(WriteFileSafely, WritesAndReplaces) {
  std::string folder = test::temporaryFolder();
  std::string path = folder + "/sounding.cpt";
  std::string first = "Quillbrandt Sounding File\r\n\xFD\r\n";
  EXPECT_EQ(writeFileSafely(path, first), "");
  EXPECT_EQ(contentOf(path), first);
  EXPECT_EQ(writeFileSafely(path, "second"), "");
  EXPECT_EQ(contentOf(path), "second");
  EXPECT_EQ(writeFileSafely(path, ""), "");
  EXPECT_EQ(contentOf(path), "");
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"sounding.cpt"});

  // Others may read the saved file, as with any file the user makes.
  mode_t mask = ::umask(022);
  EXPECT_EQ(writeFileSafely(path, "x"), "");
  ::umask(mask);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(WriteFileSafely, AMissingFolderIsReportedWithThePath) {
  std::string folder = test::temporaryFolder();
  std::string path = folder + "/no such folder/out.cpt";
  std::string error = writeFileSafely(path, "data");
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_TRUE(namesIn(folder).empty());
}

TEST(WriteFileSafely, AFailedRenameLeavesTheTargetAndNoTemporaryFile) {
  std::string folder = test::temporaryFolder();
  std::string path = folder + "/taken";
  fs::create_directories(path + "/inside");  // a folder of that name cannot be replaced
  std::string error = writeFileSafely(path, "data");
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"taken"});
  EXPECT_TRUE(fs::is_directory(path + "/inside"));
}

TEST(WriteFileSafely, AFailedWriteKeepsTheEarlierFile) {
  std::string folder = test::temporaryFolder();
  std::string path = folder + "/sounding.cpt";
  ASSERT_EQ(writeFileSafely(path, "earlier"), "");

  // A full disk, as the file-size limit makes it: the write stops part of the way.
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tight = old;
  tight.rlim_cur = 1000;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  std::string error = writeFileSafely(path, std::string(100000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_EQ(contentOf(path), "earlier");
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"sounding.cpt"});
}

TEST(ReadWholeFile, ReadsBytesAsTheyAreAndNamesAMissingFile) {
  std::string folder = test::temporaryFolder();
  std::string path = folder + "/bytes.bin";
  std::string all;
  for (int i = 0; i < 200000; ++i) all += static_cast<char>(i * 7);
  ASSERT_EQ(writeFileSafely(path, all), "");
  EXPECT_EQ(contentOf(path), all);

  std::string bytes = "left over", error;
  EXPECT_FALSE(readWholeFile(folder + "/missing.cpt", bytes, error));
  EXPECT_NE(error.find(folder + "/missing.cpt"), std::string::npos) << error;
}

}  // namespace
}  // namespace pelorin
