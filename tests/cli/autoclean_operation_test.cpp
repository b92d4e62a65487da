// pelorin-cli clean --autoclean: the same steps as the window's AutoClean, saved.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "cli/operations.hpp"
#include "edit/autoclean.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {
namespace {

// Qc and Fs (Fs trailing by one reading), no pore-pressure channel, a depth off the grid
// and a gap of four increments after reading 2.
std::unique_ptr<Sounding> soundingWithGap() {
  const ChannelDefinitions& defs = projectDefinitions();
  auto s = std::make_unique<Sounding>();
  const std::vector<float> depths = {0.95f, 1.00f, 1.20f, 1.27f, 1.30f, 1.35f, 1.40f};
  s->NumReadings = static_cast<int>(depths.size());
  s->DepthIncrement = 0.05f;
  s->NoPoreChannel = true;
  s->NumChannels = 2;
  for (int c = 1; c <= 2; ++c) {
    s->ChannelType[c] = static_cast<std::int16_t>(c);
    s->ChannelName[c] = c == 1 ? "Qc" : "Fs";
    s->ChannelUnit[c] = 1;
    s->ChannelFactor[c] = defs.UnitFactor[c][1];
    s->FullScaleOutput[c] = 10;
    s->FullScaleValue[c] = 1000;
  }
  s->ChannelLag[2] = 1;
  for (int n = 1; n <= s->NumReadings; ++n) {
    s->Depth[n] = depths[n - 1];
    s->Speed[n] = 2.0f;
    s->Reading[1][n] = static_cast<float>(10 * n);
    s->Reading[2][n] = n == s->NumReadings ? NoValue : static_cast<float>(n);
  }
  return s;
}

TEST(AutoCleanOperation, SavesWhatTheCoreStepsGive) {
  const ChannelDefinitions& defs = projectDefinitions();
  std::string folder = temporaryFolder(), in = folder + "/gap.cpt", out = folder + "/clean.cpt";
  std::string bytes, problem;
  FileError error;
  auto s = soundingWithGap();
  ASSERT_TRUE(writeSoundingFile(*s, defs, headerTexts(*s), bytes, error)) << error.message;
  ASSERT_EQ(writeFileSafely(in, bytes), "");

  auto expected = openSoundingFile(in, defs, error);
  ASSERT_TRUE(expected) << error.message;
  AutoCleanResult r = autoClean(*expected, defs);
  ASSERT_TRUE(r.channelInserted);
  ASSERT_GT(r.readingsInserted, 0);  // with the increment the reader derives
  std::string expectedBytes;
  ASSERT_TRUE(writeSoundingFile(*expected, defs, headerTexts(*expected), expectedBytes, error));

  std::ostringstream stdOut, stdErr;
  ASSERT_EQ(cli::run({"clean", in, "-o", out, "--autoclean"}, dataPath(""), stdOut, stdErr), 0)
      << stdErr.str();
  EXPECT_EQ(stdErr.str(), "");
  std::string saved;
  ASSERT_TRUE(readWholeFile(out, saved, problem)) << problem;
  EXPECT_EQ(saved, expectedBytes);
}

TEST(AutoCleanOperation, RecomputesTheDisplayDepthsInTheChosenUnit) {
  const ChannelDefinitions& defs = projectDefinitions();
  auto s = soundingWithGap();
  std::vector<std::string> args = {"--autoclean"};
  std::vector<cli::Operation> operations;
  std::size_t i = 0;
  std::string problem;
  ASSERT_TRUE(cli::parseOperation(args, i, operations, problem)) << problem;
  std::ostringstream messages;
  cli::Session session{*s, defs, messages, "gap.cpt", DepthUnit::Feet};
  ASSERT_TRUE(cli::applyOperations(session, operations));
  EXPECT_EQ(messages.str(), "");
  ASSERT_EQ(s->NumReadings, 10);
  for (int n = 1; n <= s->NumReadings; ++n)
    EXPECT_EQ(s->Reading[0][n], displayDepth(s->Depth[n], DepthUnit::Feet)) << "reading " << n;
}

}  // namespace
}  // namespace pelorin::test
