#pragma once
// Opening fixture soundings the way File, Open does, for the sounding tests.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {

// Opens bytes with the project's definitions; fails the test when they cannot be read.
inline std::unique_ptr<Sounding> openBytes(const std::string& bytes, const std::string& name) {
  FileError error;
  auto s = openSounding(bytes, name, projectDefinitions(), error);
  EXPECT_TRUE(s) << error.message;
  return s;
}

inline std::unique_ptr<Sounding> openFixture(const std::string& name) {
  return openBytes(readFixture(name), name);
}

// A sample sounding from data/.
inline std::string readSample(const std::string& name) {
  std::string bytes, error;
  if (!readWholeFile(dataPath(name), bytes, error)) ADD_FAILURE() << error;
  return bytes;
}

// The file Save writes for s with the model's own header texts.
inline std::string saved(const Sounding& s) {
  std::string bytes;
  FileError error;
  EXPECT_TRUE(writeSoundingFile(s, projectDefinitions(), headerTexts(s), bytes, error))
      << error.message;
  return bytes;
}

// The first `lines` lines of a file (each with its CR LF).
inline std::string firstLines(const std::string& bytes, int lines) {
  std::size_t end = 0;
  for (int i = 0; i < lines && end != std::string::npos; ++i) {
    end = bytes.find("\r\n", end);
    if (end != std::string::npos) end += 2;
  }
  return end == std::string::npos ? bytes : bytes.substr(0, end);
}

}  // namespace pelorin::test
