#include "text/text_file.hpp"

#include <cstdio>
#include <cstring>

namespace pelorin {

void TextReader::skipLineEnd() {
  if (atEnd()) return;
  // CR LF and LF CR are one line end each, as are a lone CR and a lone LF.
  char first = bytes_[pos_++];
  if (!atEnd() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n') && bytes_[pos_] != first) ++pos_;
  ++nextLine_;
}

namespace {
// The first byte ch in [from, to), or to.
const char* find(const char* from, const char* to, char ch) {
  const void* found = std::memchr(from, ch, static_cast<std::size_t>(to - from));
  return found ? static_cast<const char*>(found) : to;
}

// The first line end in [from, to), or the first byte ch before it. memchr looks at many
// bytes at once, which matters for the 200-column reading lines of a sounding.
const char* findLineEndOr(const char* from, const char* to, char ch) {
  to = find(from, to, '\n');
  to = find(from, to, '\r');
  return ch == '\n' ? to : find(from, to, ch);
}
}  // namespace

bool TextReader::readLine(std::string_view& line) {
  if (atEnd()) return false;
  line_ = nextLine_;
  const char* begin = bytes_.data();
  const char* start = begin + pos_;
  const char* stop = findLineEndOr(start, begin + bytes_.size(), '\n');
  pos_ = static_cast<std::size_t>(stop - begin);
  line = std::string_view(start, static_cast<std::size_t>(stop - start));
  skipLineEnd();
  return true;
}

bool TextReader::readLine(std::string& line) {
  std::string_view view;
  if (!readLine(view)) return false;
  line.assign(view);
  return true;
}

bool TextReader::readItem(std::string& item) {
  std::string_view view;
  if (!readItem(view)) return false;
  item.assign(view);
  return true;
}

bool TextReader::readItem(std::string_view& item) {
  while (!atEnd() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) ++pos_;
  if (atEnd()) return false;
  line_ = nextLine_;
  const char* begin = bytes_.data();
  const char* end = begin + bytes_.size();
  if (bytes_[pos_] == '"') {
    const char* start = begin + ++pos_;
    const char* close = findLineEndOr(start, end, '"');
    item = std::string_view(start, static_cast<std::size_t>(close - start));
    if (close < end && *close == '"') ++close;
    // Whatever stands between the closing quote and the delimiter is passed over.
    pos_ = static_cast<std::size_t>(findLineEndOr(close, end, ',') - begin);
  } else {
    const char* start = begin + pos_;
    const char* stop = findLineEndOr(start, end, ',');
    pos_ = static_cast<std::size_t>(stop - begin);
    while (stop > start && (stop[-1] == ' ' || stop[-1] == '\t')) --stop;
    item = std::string_view(start, static_cast<std::size_t>(stop - start));
  }
  if (!atEnd() && bytes_[pos_] == ',')
    ++pos_;
  else
    skipLineEnd();
  return true;
}

namespace {
// Code points of the bytes 0x80 to 0x9F; the other bytes are Latin-1. Unassigned bytes map
// to the C1 control of the same number so that every byte survives a round trip.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}
}  // namespace

Outcome refusedOnLine(const std::string& fileName, int line, const std::string& problem) {
  return Outcome::refused(
      "Cannot read \"" + fileName + "\": line " + std::to_string(line) + ": " + problem + ".",
      fileName, line);
}

std::string quotedText(std::string_view text) {
  std::string out = "\"";
  for (unsigned char ch : text) {
    if (ch < 0x20 || ch == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", ch);
      out += escape;
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out + "\"";
}

namespace {

// The length of the well-formed UTF-8 sequence at `at` (no overlong form, no surrogate,
// nothing beyond U+10FFFF), 0 when there is none.
std::size_t utf8Length(std::string_view bytes, std::size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  std::size_t length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
  for (std::size_t k = 1; k < length; ++k)
    if (at + k >= bytes.size() || (static_cast<unsigned char>(bytes[at + k]) & 0xC0) != 0x80)
      return 0;
  if (length > 2) {
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
      return 0;
  }
  return length;
}

// UTF-8 sequences as they are, any other byte as `other` writes it.
template <typename Other>
std::string validUtf8(std::string_view bytes, Other other) {
  std::string out;
  for (std::size_t at = 0; at < bytes.size();) {
    if (std::size_t length = utf8Length(bytes, at); length > 0) {
      out.append(bytes.substr(at, length));
      at += length;
    } else {
      other(out, static_cast<unsigned char>(bytes[at++]));
    }
  }
  return out;
}

}  // namespace

std::string shownText(std::string_view bytes) {
  return validUtf8(bytes, [](std::string& out, unsigned char byte) {
    out += static_cast<char>(0xC0 | (byte >> 6));
    out += static_cast<char>(0x80 | (byte & 0x3F));
  });
}

std::string escapedText(std::string_view bytes) {
  return validUtf8(bytes, [](std::string& out, unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    out += text;
  });
}

std::string windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) {
    char32_t cp = (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : b;
    appendUtf8(out, cp);
  }
  return out;
}

std::string utf8ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    char32_t cp;
    std::size_t length;
    // A lead byte counts only with its continuation bytes; a broken sequence costs one "?"
    // for its lead byte and the bytes after it are taken as they come.
    auto continues = [&](std::size_t count) {
      if (i + count >= text.size()) return false;
      for (std::size_t k = 1; k <= count; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
      return true;
    };
    if (b < 0x80) {
      cp = b, length = 1;
    } else if ((b & 0xE0) == 0xC0 && continues(1)) {
      cp = ((b & 0x1F) << 6) | (text[i + 1] & 0x3F), length = 2;
    } else if ((b & 0xF0) == 0xE0 && continues(2)) {
      cp = ((b & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F), length = 3;
    } else if ((b & 0xF8) == 0xF0 && continues(3)) {
      cp = 0x110000, length = 4;  // outside the code page
    } else {
      cp = 0x110000, length = 1;
    }
    if ((length == 2 && cp < 0x80) || (length == 3 && cp < 0x800)) cp = 0x110000;  // overlong
    i += length;
    if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) {
      out += static_cast<char>(cp);
      continue;
    }
    char replacement = '?';
    for (int k = 0; k < 32; ++k)
      if (kHighControls[k] == cp) replacement = static_cast<char>(0x80 + k);
    out += replacement;
  }
  return out;
}

}  // namespace pelorin
