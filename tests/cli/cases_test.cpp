// Every line of tests/cases.txt is one pelorin-cli run and what it must give; the file says
// how a line reads.

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/operations.hpp"
#include "cli/run_cli.hpp"
#include "sounding/open_sounding.hpp"

namespace pelorin::test {
namespace {

struct Case {
  int line = 0;
  std::string where;              // "cases.txt:LINE: the line"
  std::vector<std::string> args;  // as written, files not yet resolved
  std::string expected;           // a file, "out:FILE", "prints: TEXT | ..." or "refused N: TEXT"
  std::string told;               // a text standard error must hold, or empty
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.where; }

std::vector<Case> readCases() {
  std::ifstream in(std::string(PELORIN_TEST_DATA) + "/../cases.txt");
  std::vector<Case> cases;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    auto arrow = line.find(" => ");
    if (line.empty() || line[0] == '#' || arrow == std::string::npos) continue;
    Case c{number,
           "cases.txt:" + std::to_string(number) + ": " + line,
           {},
           line.substr(arrow + 4),
           ""};
    std::istringstream words(line.substr(0, arrow));
    for (std::string word; words >> word;) c.args.push_back(word);
    if (auto told = c.expected.find("; told "); told != std::string::npos) {
      c.told = c.expected.substr(told + 7);
      c.expected.resize(told);
    }
    cases.push_back(c);
  }
  return cases;
}

// A fixture of tests/data (a file, or a folder of definitions), a file of data/, or the word
// as it stands.
std::string resolved(const std::string& word) {
  if (word.starts_with("definitions_")) return fixturePath(word);
  for (const std::string& path : {fixturePath(word), dataPath(word)})
    if (word.find('.') != std::string::npos && std::filesystem::is_regular_file(path)) return path;
  return word;
}

// Each line is a test of its own, named by its line number: cases.txt/Row.Gives/line_120.
class Row : public ::testing::TestWithParam<Case> {};

TEST(Cases, TheTableIsRead) { EXPECT_GT(readCases().size(), 50u); }

TEST_P(Row, Gives) {
  ::setenv("SOURCE_DATE_EPOCH", "1765065600", 1);  // the files' date: 2025-12-07
  const Case& c = GetParam();
  SCOPED_TRACE(c.where);
  std::vector<std::string> args;
  for (const auto& word : c.args) args.push_back(resolved(word));

  const bool refused = c.expected.starts_with("refused ");
  const bool toStandardOutput =
      c.expected.starts_with("out:") || c.expected.starts_with("prints: ");
  std::string output;
  if (auto out = std::find(args.begin(), args.end(), "OUT"); out != args.end()) {
    *out = output = temporaryFolder() + "/out";
    std::ofstream(output, std::ios::binary) << "kept";
  } else if (!refused && !toStandardOutput && args[0] != "info") {
    output = temporaryFolder() + "/" + c.expected;
    args.insert(args.begin() + 2, {"-o", output});
  }

  // "OUT" quoted in an expected text stands for the output's path.
  auto expected = [&](std::string text) {
    if (auto at = text.find("\"OUT\""); at != std::string::npos && !output.empty())
      text.replace(at + 1, 3, output);
    return text;
  };
  CliRun run = runCli(args);
  if (refused) {
    EXPECT_EQ(run.status, c.expected[8] - '0') << run.err;
    EXPECT_NE(run.err.find(expected(c.expected.substr(11))), std::string::npos) << run.err;
    if (!output.empty()) {
      EXPECT_EQ(fileBytes(output), "kept");  // the target is untouched
    }
    return;
  }
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(c.told.empty() ? run.err.empty()
                             : run.err.find(expected(c.told)) != std::string::npos)
      << run.err;
  if (c.expected.starts_with("prints: ")) {
    std::string text;  // each text between " | ", "\\n" a line end
    for (std::size_t at = 8; at <= c.expected.size(); ++at) {
      if (at == c.expected.size() || c.expected.compare(at, 3, " | ") == 0) {
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
        text.clear();
        at += 2;
      } else if (c.expected.compare(at, 2, "\\n") == 0 || c.expected.compare(at, 2, "\\r") == 0) {
        text.push_back(c.expected[at + 1] == 'n' ? '\n' : '\r');
        ++at;
      } else {
        text.push_back(c.expected[at]);
      }
    }
    return;
  }
  EXPECT_EQ(toStandardOutput ? run.out : fileBytes(output),
            fileBytes(resolved(toStandardOutput ? c.expected.substr(4) : c.expected)));
}

INSTANTIATE_TEST_SUITE_P(cases_txt, Row, ::testing::ValuesIn(readCases()),
                         [](const ::testing::TestParamInfo<Case>& row) {
                           return "line_" + std::to_string(row.param.line);
                         });

// The saved files hold metres; the grid's depth column is the display depth of every
// reading, which each operation that moves or adds depths brings up to date in feet too.
TEST(Cases, OperationsLeaveTheDisplayDepthsInTheUnitShown) {
  const std::vector<std::vector<std::string>> runs = {
      {"sample_clay_002.cpt", "--depth-unit", "ft", "--start-depth", "2", "--increment-steps", "3",
       "--insert", "12"},
      {"autoclean_off_grid_depths_and_gaps.cpt", "--depth-unit", "ft", "--autoclean"},
      {"combine_first_qc_fs_u2.cpt", "--depth-unit", "ft", "--combine",
       "combine_second_9_50_to_15_30.cpt", "--from", "9.6"},
      {"combine_first_qc_fs_u2.cpt", "--depth-unit", "ft", "--combine",
       "combine_second_9_50_to_15_30.cpt", "--from", "10.5", "--no-normalize"}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.back());
    std::vector<std::string> args;
    for (const auto& word : run) args.push_back(resolved(word));
    auto [s, error, errorNotes] = openSoundingFile(args[0], projectDefinitions());
    ASSERT_TRUE(s) << error.message;
    std::vector<Operation> operations;
    for (std::size_t i = 1; i < args.size();) ASSERT_TRUE(parseOperation(args, i, operations));
    std::ostringstream messages;
    Session session(projectDefinitions());
    session.open(std::move(s), args[0]);
    ASSERT_TRUE(cli::applyOperations(session, operations, messages, args[0])) << messages.str();
    const Sounding& after = session.sounding();
    for (int n = 1; n <= after.NumReadings; ++n)
      ASSERT_EQ(after.Reading[0][n], displayDepth(after.Depth[n], DepthUnit::Feet)) << n;
  }
}

}  // namespace
}  // namespace pelorin::test
