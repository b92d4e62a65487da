// pelorin-cli clean --combine FILE --from TEXT [--no-normalize]: the saved combination,
// the messages on standard error and the exit statuses.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {
namespace {

struct CombineRun {
  const char* name;
  std::vector<std::string> options;  // after "--combine"; "@" stands for the fixture folder
  int status;
  const char* err;  // a text standard error must hold
};

// "S" stands for the main second file, running from 9.50 m to 15.30 m.
const CombineRun kRuns[] = {
    {"normalised", {"S", "--from", "9.6"}, 0, "The same cone was used for both test."},
    {"count_differs", {"@combine_second_qc_fs.cpt", "--from", "9.6"}, 0, "Only those channels"},
    {"no_normalize_first",
     {"S", "--no-normalize", "--from", "9.8"},
     1,
     "Value must be greater than 10 m."},
    {"no_normalize_last",
     {"S", "--from", "9.8", "--no-normalize"},
     1,
     "Value must be greater than 10 m."},
    {"outside_second_file", {"S", "--from", "20"}, 1, "Value must be between 9.50 and 15.3."},
    {"unreadable", {"@combine_depth_not_a_number.cpt", "--from", "9.6"}, 1, "line 27"},
    {"no_file", {"", "--from", "9.6"}, 1, "No File Selected."},
    {"without_from", {"S"}, 2, "--combine needs --from"},
    {"from_without_value", {"S", "--from"}, 2, "--from needs a value"},
};

void PrintTo(const CombineRun& k, std::ostream* os) { *os << k.name; }

class CombineOperation : public ::testing::TestWithParam<CombineRun> {};

TEST_P(CombineOperation, SavesOnlyAnAcceptedCombination) {
  const CombineRun& k = GetParam();
  std::string saved = temporaryFolder() + "/combined.cpt";
  std::vector<std::string> args{"clean", fixturePath("combine_first_qc_fs_u2.cpt"), "-o", saved,
                                "--combine"};
  for (std::string option : k.options)
    args.push_back(option == "S"             ? fixturePath("combine_second_9_50_to_15_30.cpt")
                   : option.starts_with("@") ? fixturePath(option.substr(1))
                                             : option);
  std::ostringstream out, err;
  EXPECT_EQ(cli::run(args, dataPath(""), out, err), k.status) << err.str();
  EXPECT_NE(err.str().find(k.err), std::string::npos) << err.str();
  EXPECT_EQ(std::filesystem::exists(saved), k.status == 0);
}

INSTANTIATE_TEST_SUITE_P(Runs, CombineOperation, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CombineOperationSaved, ContinuesTheFirstSoundingsDepthsWithTheSecondFilesRawValues) {
  // Readings 1 to 198 of the first file, then the second file's from 9.60 m on, at 9.95 m,
  // 10.00 m, ... with their raw values; the Fs markers of its last three readings stay.
  std::string saved = temporaryFolder() + "/combined.cpt";
  std::ostringstream out, err;
  ASSERT_EQ(cli::run({"clean", fixturePath("combine_first_qc_fs_u2.cpt"), "-o", saved, "--combine",
                      fixturePath("combine_second_9_50_to_15_30.cpt"), "--from", "9.6"},
                     dataPath(""), out, err),
            0)
      << err.str();
  std::string bytes, problem;
  ASSERT_TRUE(readWholeFile(saved, bytes, problem)) << problem;
  EXPECT_EQ(bytes, readFixture("combine_first_qc_fs_u2.from_9_6.saved.cpt"));
}

}  // namespace
}  // namespace pelorin::test
