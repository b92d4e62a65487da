#pragma once
// Soundings for the sounding and display tests: files opened the way File, Open does, the
// file Save writes, and a small sounding built in memory.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sounding/open_sounding.hpp"
#include "test_support.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {

// The bytes of a fixture of tests/data, or of a sample_*.cpt of data/.
inline std::string cptBytes(const std::string& name) {
  std::string bytes, error;
  if (!readWholeFile(name.starts_with("sample_") ? dataPath(name) : fixturePath(name), bytes,
                     error))
    ADD_FAILURE() << error;
  return bytes;
}

// Opens a file's bytes (by default those of the file `name`); fails the test when it cannot.
inline std::unique_ptr<Sounding> openCpt(const std::string& name, std::string bytes = "") {
  FileError error;
  auto s = openSounding(bytes.empty() ? cptBytes(name) : bytes, name, projectDefinitions(), error);
  EXPECT_TRUE(s) << error.message;
  return s;
}

// The file Save writes for s with the model's own header texts.
inline std::string savedCpt(const Sounding& s) {
  std::string bytes;
  FileError error;
  EXPECT_TRUE(writeSoundingFile(s, projectDefinitions(), headerTexts(s), bytes, error))
      << error.message;
  return bytes;
}

// Readings every `increment` metres from `first` at n / 10 cm/s. Channel c is of type c, in
// its base unit with raw output equal to value, holds 100 c + n at position n and, as the
// reader leaves a lagging channel, no value at its last lags[c - 1] positions.
inline std::unique_ptr<Sounding> builtSounding(int readings, const std::vector<int>& lags,
                                               float first = 1.0f, float increment = 0.05f) {
  auto s = std::make_unique<Sounding>();
  s->NumReadings = readings;
  s->NumChannels = static_cast<std::int16_t>(lags.size());
  s->DepthIncrement = increment;
  for (int n = 1; n <= readings; ++n) {
    s->Reading[0][n] = s->Depth[n] = toSingle(first + static_cast<double>(increment) * (n - 1));
    s->Speed[n] = toSingle(n / 10.0);
  }
  for (int c = 1; c <= s->NumChannels; ++c) {
    s->ChannelType[c] = static_cast<std::int16_t>(c);
    s->ChannelUnit[c] = 1;
    s->ChannelFactor[c] = s->FullScaleOutput[c] = s->FullScaleValue[c] = 1;
    s->ChannelLag[c] = static_cast<std::int16_t>(lags[c - 1]);
    s->MaxLag = std::max(s->MaxLag, s->ChannelLag[c]);
    for (int n = 1; n <= readings; ++n)
      s->Reading[c][n] = n > readings - lags[c - 1] ? NoValue : toSingle(100.0 * c + n);
  }
  s->DataIndex = s->CurrentRow = static_cast<std::int16_t>(s->MaxLag + 1);
  return s;
}

}  // namespace pelorin::test
