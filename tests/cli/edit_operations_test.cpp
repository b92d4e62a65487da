// pelorin-cli clean with the depth and baseline corrections: --start-depth,
// --increment-steps, --shift and --remove-negatives, checked on the saved file.

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "cli/cli.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {
namespace {

// Qc in MPA (raw x 10), Fs in KPA (raw x 100), Ix in DEG (raw x 2); twelve readings from
// 1.234 m every 0.02 m at 2 cm/s (12 cm/s at reading 3), Fs without a value at reading 12.
// Lines end in LF here and CR LF in the file.
const char* const kSounding = R"(Quillbrandt Sounding File
Test Drilling BV
A. Tester
C10-0002
Depth and baseline corrections
T-004
CPT-D
05/02/2024 11:30
Fixture



1.50


                                1                   2                   6
                               Qc                  Fs                  Ix
                               10                  10                  10
                          0.00000             0.00000             0.00000
                       100000 KPA            1000 KPA              20 DEG
                              MPA                 KPA                 DEG
                       0.00100000          1.00000000          1.00000000
   (m) (cm/s)
 1.234   2.00             0.32000             0.10000            -1.75000
 1.254   2.00            -0.15000             0.11000             0.00000
 1.274  12.00            -0.25000            -0.02000             0.50000
 1.294   2.00             0.04000             0.00000             0.25000
 1.314   2.00             0.00000             0.12000            -0.10000
 1.334   2.00             0.50000             0.13000             0.10000
 1.354   2.00             0.51000             0.14000             0.10000
 1.374   2.00             0.52000             0.15000             0.10000
 1.394   2.00             0.53000             0.16000             0.10000
 1.414   2.00             0.54000             0.17000             0.10000
 1.434   2.00             0.55000             0.18000             0.10000
 1.454   2.00             0.56000              -32768             0.10000
)";

// The sounding above as a file of its own.
const std::string& inputPath() {
  static const std::string path = [] {
    std::string bytes;
    for (const char* p = kSounding; *p; ++p)
      bytes += *p == '\n' ? std::string("\r\n") : std::string(1, *p);
    std::string path = temporaryFolder() + "/corrections_qc_fs_ix.cpt";
    std::string failure = writeFileSafely(path, bytes);
    if (!failure.empty()) throw std::runtime_error(failure);
    return path;
  }();
  return path;
}

struct CleanResult {
  int status;
  std::string err, saved;
};

CleanResult clean(const std::vector<std::string>& operations) {
  std::string out = temporaryFolder() + "/out.cpt";
  std::vector<std::string> args = {"clean", inputPath(), "-o", out};
  args.insert(args.end(), operations.begin(), operations.end());
  std::ostringstream stdoutText, stderrText;
  int status = cli::run(args, dataPath(""), stdoutText, stderrText);
  std::string saved, error;
  if (status == 0) {
    EXPECT_TRUE(readWholeFile(out, saved, error)) << error;
  }
  return {status, stderrText.str(), saved};
}

// The blank-separated texts of reading line n: depth, speed and the channels' raw values.
std::vector<std::string> readingFields(const std::string& saved, int n) {
  std::istringstream lines(saved);
  std::string line;
  while (std::getline(lines, line) && line.rfind("   (m) (cm/s)", 0) != 0) {
  }
  for (int k = 0; k < n; ++k) std::getline(lines, line);
  std::istringstream words(line);
  std::vector<std::string> fields;
  for (std::string word; words >> word;) fields.push_back(word);
  return fields;
}

struct Field {
  int reading;
  int column;  // 0 depth, 1 speed, 2 + c - 1 channel c
  const char* text;
};

struct CleanCase {
  const char* name;
  std::vector<std::string> operations;
  std::vector<Field> expected;
};

const CleanCase kCleanCases[] = {
    {"start_depth_from_the_two_decimal_caption",
     {"--start-depth", "2"},
     {{1, 0, "2.00"}, {3, 0, "2.04"}, {12, 0, "2.22"}, {3, 1, "12.00"}, {1, 2, "0.32000"}}},
    {"start_depth_in_metres_with_feet_shown",
     {"--depth-unit", "ft", "--start-depth", "2"},
     {{1, 0, "2.00"}, {12, 0, "2.22"}}},
    {"three_increases_scale_by_1_75",
     {"--increment-steps", "3"},
     {{1, 0, "2.16"}, {3, 0, "2.23"}, {1, 1, "3.50"}, {3, 1, "21.00"}, {2, 2, "-0.15000"}}},
    {"three_decreases_to_0_005",
     {"--increment-steps", "-3"},
     {{1, 0, "0.31"}, {1, 1, "0.50"}, {3, 1, "3.00"}}},
    {"consecutive_shifts_fill_one_panel",
     {"--shift", "1=0.5", "--shift", "2=-1"},
     {{1, 2, "0.37000"},
      {2, 2, "-0.10000"},
      {1, 3, "0.09000"},
      {12, 3, "-32768"},
      {1, 4, "-1.75000"},
      {1, 0, "1.23"}}},
    {"shifts_apart_are_two_panels",
     {"--shift", "1=0.5", "--start-depth", "2", "--shift", "2=-1"},
     {{1, 2, "0.37000"}, {1, 3, "0.09000"}, {12, 3, "-32768"}, {1, 0, "2.00"}}},
    {"later_box_text_wins", {"--shift", "1=5", "--shift", "1=0.5"}, {{1, 2, "0.37000"}}},
    {"remove_negatives_leaves_inclination",
     {"--remove-negatives"},
     {{1, 2, "0.32000"},
      {2, 2, "0.01000"},
      {3, 2, "0.01000"},
      {5, 2, "0.01000"},
      {3, 3, "0.01000"},
      {4, 3, "0.01000"},
      {12, 3, "-32768"},
      {1, 4, "-1.75000"},
      {2, 4, "0.00000"}}},
    {"shift_then_remove_negatives",
     {"--shift", "1=-0.4", "--remove-negatives"},
     {{1, 2, "0.28000"}, {2, 2, "0.01000"}, {5, 2, "0.01000"}, {6, 2, "0.46000"}}},
};

class CleanCorrectionsTest : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanCorrectionsTest, SavedReadings) {
  const CleanCase& k = GetParam();
  CleanResult run = clean(k.operations);
  ASSERT_EQ(run.status, 0) << run.err;
  for (const Field& f : k.expected) {
    auto fields = readingFields(run.saved, f.reading);
    ASSERT_GT(fields.size(), static_cast<std::size_t>(f.column)) << "reading " << f.reading;
    EXPECT_EQ(fields[f.column], f.text) << "reading " << f.reading << " column " << f.column;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CleanCorrectionsTest, ::testing::ValuesIn(kCleanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CleanCorrections, OffsetsThatShiftNothingSaveTheSameFile) {
  std::string plain = clean({}).saved;
  ASSERT_FALSE(plain.empty());
  for (const char* box : {"1=0", "1=0.0", "1=-0", "1=", "1=abc", "3=1.5x"}) {
    CleanResult run = clean({"--shift", box});
    EXPECT_EQ(run.status, 0) << box << ": " << run.err;
    EXPECT_EQ(run.saved, plain) << box;
  }
}

TEST(CleanCorrections, RefusedOperations) {
  struct Refusal {
    std::vector<std::string> operations;
    int status;
    const char* message;  // part of the text on standard error
  };
  const Refusal refusals[] = {
      {{"--shift", "4=1"}, 1, "no channel 4"},
      {{"--shift", "0=1"}, 1, "no channel 0"},
      {{"--shift", "1"}, 1, "C=TEXT"},
      {{"--shift", "1=0.5", "--shift", "x=1"}, 1, "C=TEXT"},
      {{"--increment-steps", "1.5"}, 1, "whole number"},
      {{"--increment-steps", ""}, 1, "whole number"},
      {{"--increment-steps"}, 2, "needs a value"},
      {{"--start-depth"}, 2, "needs a value"},
  };
  for (const Refusal& r : refusals) {
    CleanResult run = clean(r.operations);
    EXPECT_EQ(run.status, r.status) << r.operations[0];
    EXPECT_NE(run.err.find(r.message), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace pelorin::test
