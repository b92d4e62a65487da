#pragma once
// Soundings for the sounding and display tests: files opened the way File, Open does and the
// file Save writes; soundings built in memory come from sounding_builder.hpp.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "edit/sounding_builder.hpp"
#include "sounding/open_sounding.hpp"
#include "test_support.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {

// The bytes of a fixture of tests/data, or of a sample_*.cpt of data/.
inline std::string cptBytes(const std::string& name) {
  std::string bytes;
  if (Outcome read =
          readWholeFile(name.starts_with("sample_") ? dataPath(name) : fixturePath(name), bytes);
      !read)
    ADD_FAILURE() << read.message;
  return bytes;
}

// Opens a file's bytes (by default those of the file `name`); fails the test when it cannot.
inline std::unique_ptr<Sounding> openCpt(const std::string& name, std::string bytes = "") {
  auto [s, error, notes] =
      openSounding(bytes.empty() ? cptBytes(name) : bytes, name, projectDefinitions());
  EXPECT_TRUE(s) << error.message;
  return std::move(s);
}

// The file Save writes for s with the model's own header texts.
inline std::string savedCpt(const Sounding& s) {
  std::string bytes;
  Outcome written = writeSoundingFile(s, projectDefinitions(), headerTexts(s), bytes);
  EXPECT_TRUE(written) << written.message;
  return bytes;
}

}  // namespace pelorin::test
