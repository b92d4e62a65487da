// pelorin-cli clean with --unit, --depth-unit, --delete and --insert: the same core steps
// as the window's unit lists and depth-column keys.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.hpp"
#include "display/navigation.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "sounding/units.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {
namespace {

// sample_clay_002: 600 readings, Qc in MPA, Fs in KPA lagging 5 readings, U2 in KPA.
const char* const kSample = "sample_clay_002.cpt";

struct Result {
  int status;
  std::string err, saved;
};

Result clean(const std::vector<std::string>& operations) {
  std::string out = temporaryFolder() + "/display_operations.cpt";
  std::vector<std::string> args = {"clean", dataPath(kSample), "-o", out};
  args.insert(args.end(), operations.begin(), operations.end());
  std::ostringstream o, e;
  int status = cli::run(args, dataPath(""), o, e);
  std::string saved, error;
  if (status == 0) {
    EXPECT_TRUE(readWholeFile(out, saved, error)) << error;
  }
  return {status, e.str(), saved};
}

// The file the window saves after the same steps on the model.
template <typename Steps>
std::string savedAfter(Steps steps) {
  FileError error;
  auto s = openSoundingFile(dataPath(kSample), projectDefinitions(), error);
  EXPECT_TRUE(s) << error.message;
  steps(*s);
  std::string bytes;
  EXPECT_TRUE(writeSoundingFile(*s, projectDefinitions(), headerTexts(*s), bytes, error));
  return bytes;
}

TEST(DisplayOperations, DeleteAndInsertMakeTheReadingCurrentFirst) {
  Result r = clean({"--delete", "300", "--insert", "12", "--delete", "600"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string expected = savedAfter([](Sounding& s) {
    std::string problem;
    ASSERT_TRUE(goToReading(s, 300, problem));
    ASSERT_EQ(deleteCurrentReading(s).kind, GridStep::Refresh);
    ASSERT_TRUE(goToReading(s, 12, problem));
    ASSERT_EQ(insertReading(s).kind, GridStep::Refresh);
    ASSERT_TRUE(goToReading(s, 600, problem));
    ASSERT_EQ(deleteCurrentReading(s).kind, GridStep::Refresh);
    EXPECT_EQ(s.NumReadings, 599);
  });
  EXPECT_EQ(r.saved, expected);
}

TEST(DisplayOperations, UnitsConvertTheChannelAndTheDepthUnitChangesNoFileDepth) {
  Result r = clean({"--unit", "1=KPA", "--unit", "3=BAR", "--depth-unit", "ft"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string expected = savedAfter([](Sounding& s) {
    changeChannelUnit(s, projectDefinitions(), 1, 1);
    changeChannelUnit(s, projectDefinitions(), 3, 3);
  });
  EXPECT_EQ(r.saved, expected);
  EXPECT_NE(r.saved.find("                 KPA                 KPA                 BAR\r\n"),
            std::string::npos)
      << "row 6 names the new units";
}

TEST(DisplayOperations, RefusalsNameTheProblemAndWriteNothing) {
  struct {
    std::vector<std::string> operations;
    int status;
    const char* message;
  } cases[] = {
      {{"--unit", "1=kpa"}, 1, "channel 1 has no unit \"kpa\" (its units: KPA, MPA, BAR"},
      {{"--unit", "4=KPA"}, 1, "the sounding has no channel 4"},
      {{"--unit", "KPA"}, 1, "expected C=NAME"},
      {{"--depth-unit", "yd"}, 1, "the depth unit is m or ft"},
      {{"--delete", "5"}, 1, "reading 5 cannot be made current: Up and Down reach readings 6 to 600"},
      {{"--delete", "601"}, 1, "reading 601 cannot be made current"},
      {{"--insert", "6"}, 1, "a reading can be inserted from reading 7 on"},
      {{"--insert", "x"}, 1, "N is a reading number"},
      {{"--delete"}, 2, "--delete needs a value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.operations[0] + (c.operations.size() > 1 ? " " + c.operations[1] : ""));
    Result r = clean(c.operations);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace pelorin::test
