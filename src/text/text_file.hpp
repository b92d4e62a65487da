#pragma once
// Single-byte text files (Windows-1252, CR LF): reading lines and text items from bytes in
// memory, and the code page.

#include <string>
#include <string_view>

#include "text/outcome.hpp"

namespace pelorin {

// Reads a text file held in memory the two ways the sounding and definition files need:
// whole lines and comma-separated text items, sharing one position.
class TextReader {
 public:
  explicit TextReader(std::string_view bytes) : bytes_(bytes) {}

  bool atEnd() const { return pos_ >= bytes_.size(); }

  // The number (from 1) of the line that the last read started on.
  int lineNumber() const { return line_; }

  // The next line without its line end (CR LF, LF CR, LF or CR), blanks kept. False at the
  // end.
  bool readLine(std::string_view& line);
  bool readLine(std::string& line);

  // The next text item: leading blanks are skipped, a double-quoted item runs to its
  // closing quote, any other item ends at the first comma or the line end and loses its
  // trailing blanks. After an item the reader stands behind its comma or its line end.
  // False at the end of the file.
  // The views point into the bytes read.
  bool readItem(std::string_view& item);
  bool readItem(std::string& item);

 private:
  bool atLineEnd() const { return !atEnd() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n'); }
  void skipLineEnd();

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int nextLine_ = 1;
  int line_ = 0;
};

// The refusal of a file for a problem on one of its lines: Cannot read "FILE": line N: PROBLEM.
Outcome refusedOnLine(const std::string& fileName, int line, const std::string& problem);

// A text from a file as a message quotes it: in double quotes, with control bytes written
// as \x1A so that nothing unseen hides in it.
std::string quotedText(std::string_view text);

// A text of unknown bytes (a file name) as valid UTF-8: UTF-8 sequences as they are, any other
// byte as the character of its number (0xE9 becomes U+00E9).
std::string shownText(std::string_view bytes);

// The same for a message: any byte that is not UTF-8 written as \xE9.
std::string escapedText(std::string_view bytes);

// Windows-1252 bytes to UTF-8 and back (for the window and the batch tool's JSON). A
// character with no Windows-1252 byte becomes "?".
std::string windows1252ToUtf8(std::string_view bytes);
std::string utf8ToWindows1252(std::string_view text);

}  // namespace pelorin
