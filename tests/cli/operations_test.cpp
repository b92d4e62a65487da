// pelorin-cli clean OPERATION ...: each operation saves what the window's steps on the
// model give.

#include "cli/operations.hpp"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "cli/run_cli.hpp"
#include "display/navigation.hpp"
#include "edit/autoclean.hpp"
#include "edit/depth_increment.hpp"
#include "edit/shift_channels.hpp"
#include "edit/start_depth.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin::test {
namespace {

using Steps = std::function<void(Sounding&)>;

// The file File, Save writes after opening `path` and the given steps.
std::string savedAfter(const std::string& path, const Steps& steps) {
  FileError error;
  auto s = openSoundingFile(path, projectDefinitions(), error);
  EXPECT_TRUE(s) << error.message;
  steps(*s);
  std::string bytes;
  EXPECT_TRUE(writeSoundingFile(*s, projectDefinitions(), headerTexts(*s), bytes, error));
  return bytes;
}

// Up and Down to reading n, then the key.
void key(Sounding& s, int n, int keyCode) {
  std::string problem;
  ASSERT_TRUE(goToReading(s, n, problem)) << problem;
  ASSERT_EQ(depthKey(s, keyCode).kind, GridStep::Refresh);
}

Steps incrementSteps(int steps) {
  return [steps](Sounding& s) {
    DepthIncrementChoice choice;
    openDepthIncrement(s, choice);
    for (int k = 0; k < std::abs(steps); ++k)
      steps > 0 ? (void)increaseIncrement(choice) : (void)decreaseIncrement(choice);
    applyDepthIncrement(s, choice);
  };
}

// One Shift Channel(s) panel with the texts of boxes 1, 2, ..., then SHIFT READINGS.
void shift(Sounding& s, const std::vector<std::string>& texts) {
  std::array<std::string, MaxChannels + 1> boxes;
  boxes.fill("0");
  std::copy(texts.begin(), texts.end(), &boxes[1]);
  shiftReadings(s, boxes);
}

TEST(CliOperations, SaveWhatTheWindowsStepsGive) {
  const ChannelDefinitions& defs = projectDefinitions();
  const std::string clay = dataPath("sample_clay_002.cpt"), sand = dataPath("sample_sand_005.cpt"),
                    noPore = dataPath("sample_no_pore.cpt");
  struct Case {
    std::string input;
    std::vector<std::string> operations;
    Steps steps;
  } cases[] = {
      {clay,
       {"--unit", "1=KPA", "--unit", "3=BAR", "--depth-unit", "ft"},
       [&](Sounding& s) {
         changeChannelUnit(s, defs, 1, 1);
         changeChannelUnit(s, defs, 3, 3);
       }},
      {clay,
       {"--delete", "300", "--insert", "12", "--delete", "600"},
       [](Sounding& s) {
         key(s, 300, KeyDelete);
         key(s, 12, KeyInsert);
         key(s, 600, KeyDelete);
       }},
      {clay,
       {"--depth-unit", "ft", "--start-depth", "2"},
       [](Sounding& s) { applyStartDepth(s, startDepthCaption(s), "2", DepthUnit::Feet); }},
      {clay, {"--increment-steps", "3"}, incrementSteps(3)},
      {clay, {"--increment-steps", "-2"}, incrementSteps(-2)},
      // Consecutive --shift fill the boxes of one panel: the later text for a box wins.
      {clay,
       {"--shift", "1=0.5", "--shift", "3=-1"},
       [](Sounding& s) {
         shift(s, {"0.5", "0", "-1"});
       }},
      {clay, {"--shift", "1=5", "--shift", "1=0.5"}, [](Sounding& s) { shift(s, {"0.5"}); }},
      {clay,
       {"--shift", "1=5", "--start-depth", "0.02", "--shift", "1=0.5"},
       [](Sounding& s) {
         shift(s, {"5"});
         shift(s, {"0.5"});
       }},
      {sand, {"--remove-negatives"}, removeNegatives},
      {noPore, {"--autoclean"}, [&](Sounding& s) { autoClean(s, defs); }},
  };
  for (const Case& c : cases) {
    std::string out = temporaryFolder() + "/out.cpt", shown;
    for (const auto& op : c.operations) shown += op + " ";
    SCOPED_TRACE(shown);
    std::vector<std::string> args = {"clean", c.input, "-o", out};
    args.insert(args.end(), c.operations.begin(), c.operations.end());
    CliRun run = runCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::string saved = fileBytes(out);
    EXPECT_EQ(saved, savedAfter(c.input, c.steps));
    EXPECT_TRUE(saved != fileBytes(c.input));  // the operation did something

    // Every operation leaves the display depths in the unit shown, as RefreshGrid does.
    FileError error;
    auto s = openSoundingFile(c.input, defs, error);
    std::vector<cli::Operation> parsed;
    std::string problem;
    for (std::size_t i = 0; i < c.operations.size();)
      ASSERT_TRUE(cli::parseOperation(c.operations, i, parsed, problem)) << problem;
    std::ostringstream messages;
    cli::Session session{*s, defs, messages, c.input, DepthUnit::Feet};
    ASSERT_TRUE(cli::applyOperations(session, parsed));
    for (int n = 1; n <= s->NumReadings; ++n)
      ASSERT_EQ(s->Reading[0][n], displayDepth(s->Depth[n], DepthUnit::Feet)) << n;
  }
}

TEST(CliOperations, CombineContinuesTheFirstSoundingWithTheSecondFilesRawValues) {
  // Readings 1 to 198 of the first file, then the second file's from 9.60 m on, at 9.95 m,
  // 10.00 m, ...; the Fs markers of its last three readings stay.
  std::string out = temporaryFolder() + "/combined.cpt";
  CliRun run = runCli({"clean", fixturePath("combine_first_qc_fs_u2.cpt"), "-o", out, "--combine",
                       fixturePath("combine_second_9_50_to_15_30.cpt"), "--from", "9.6"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(fileBytes(out), readFixture("combine_first_qc_fs_u2.from_9_6.saved.cpt"));
}

}  // namespace
}  // namespace pelorin::test
