// pelorin-cli with the definitions beside itself, and the export's first showing of the
// panel; every other run is a line of tests/cases.txt.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/run_cli.hpp"
#include "session/operation_words.hpp"

namespace pelorin::test {
namespace {

TEST(Cli, ProgramFindsItsDefinitionsBesideItself) {
  std::string out = temporaryFolder() + "/info.json", in = dataPath("sample_sand_005.cpt");
  std::string command = std::string("'") + PELORIN_CLI + "' info '" + in + "' > '" + out + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(fileBytes(out), runCli({"info", in}).out);
}

TEST(ExportCommand, FirstOpeningOfThePanelSelectsEnglish) {
  // Without KSC for the friction sleeve, the kgf system leaves it in English's TSF rather
  // than in the kPa it was opened in.
  std::string output = temporaryFolder() + "/ksc.cpd";
  CliRun run = runCli({"export", fixturePath("export_qc_fs_pp.cpt"), "-o", output, "--system",
                       "kgf-ksc", "--definitions", fixturePath("definitions_fs_without_ksc")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(fileBytes(output).find("  1.00   10.20  0.1044    0.51\r\n"), std::string::npos);
}

// The help of each command and the bash completion name every operation.
TEST(Cli, EachCommandsHelpListsEveryOperationWithItsValue) {
  const std::string completion = fileBytes(fixturePath("../../packaging/pelorin-cli.bash"));
  for (const OperationWord& word : operationWords())
    EXPECT_NE(completion.find(std::string(word.flag) + " "), std::string::npos) << word.flag;
  for (const char* command :
       {"clean", "export", "csv", "gef", "ags", "quality", "derived", "log"}) {
    CliRun run = runCli({command, "--help"});
    ASSERT_EQ(run.status, 0) << command;
    EXPECT_EQ(run.err, "");
    for (const OperationWord& word : operationWords())
      EXPECT_NE(run.out.find(std::string(word.flag) + (word.values() ? " " : "") + word.value),
                std::string::npos)
          << command << " " << word.flag;
  }
}

// A sounding whose date (line 8) runs to 50,000 characters and whose GPS text (line 12)
// holds a number of 400 digits: texts that once ended the whole run.
std::string hostileCopy(const std::string& from) {
  std::string bytes = fileBytes(from), out;
  std::size_t at = 0;
  for (int line = 1; at < bytes.size(); ++line) {
    std::size_t end = bytes.find("\r\n", at) + 2;
    out += line == 8    ? std::string(50000, '1') + "\r\n"
           : line == 12 ? "N" + std::string(400, '9') + " E5\r\n"
                        : bytes.substr(at, end - at);
    at = end;
  }
  const std::string path = temporaryFolder() + "/hostile_texts.cpt";
  std::ofstream(path, std::ios::binary) << out;
  return path;
}

// Several files at once: each output the file one run of its own writes, whatever the number
// of jobs; a file that cannot be read is told and skipped.
TEST(Cli, SeveralFilesWriteWhatSingleRunsWriteAndSkipABrokenOne) {
  const std::vector<std::string> inputs = {
      dataPath("sample_clay_002.cpt"), fixturePath("combine_depth_not_a_number.cpt"),
      hostileCopy(dataPath("sample_clay_002.cpt")), dataPath("sample_sand_005.cpt"),
      fixturePath("lags_2_and_3_speeds_apart.cpt")};
  const std::string one = temporaryFolder();
  for (const std::string& input : {inputs[0], inputs[2], inputs[3], inputs[4]}) {
    const std::string out = one + "/" + std::filesystem::path(input).stem().string() + ".gef";
    ASSERT_EQ(runCli({"gef", input, "-o", out, "--shift", "1=0.5"}).status, 0);
  }
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(jobs);
    const std::string folder = temporaryFolder();
    std::vector<std::string> args = {"gef", "--output-dir", folder, "-j", jobs, "--shift", "1=0.5"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    CliRun run = runCli(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("combine_depth_not_a_number.cpt"), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with("4 done, 1 refused\n")) << run.err;
    for (const char* name : {"sample_clay_002.gef", "hostile_texts.gef", "sample_sand_005.gef",
                             "lags_2_and_3_speeds_apart.gef"})
      EXPECT_EQ(fileBytes(folder + "/" + name), fileBytes(one + "/" + name)) << name;
    EXPECT_FALSE(std::filesystem::exists(folder + "/combine_depth_not_a_number.gef"));
  }
  // info and quality --json: a line each, with the file; a name that is no UTF-8 keeps its
  // bytes as characters (0xE9 as U+00E9).
  const std::string latin = temporaryFolder() + "/lat\xe9.cpt";
  std::filesystem::copy_file(inputs[3], latin);
  CliRun info = runCli({"quality", "--json", inputs[0], latin});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.err, "2 done, 0 refused\n");
  EXPECT_TRUE(info.out.starts_with("{\"file\":\"" + inputs[0] + "\",\"class\":1,"))
      << info.out.substr(0, 80);
  EXPECT_NE(info.out.find("lat\xc3\xa9.cpt\",\"class\":3,"), std::string::npos) << info.out;
  // A message names such a file with the byte written out: standard error stays UTF-8.
  CliRun gone = runCli({"info", temporaryFolder() + "/gone\xe9.cpt"});
  EXPECT_NE(gone.err.find("gone\\xE9.cpt\": "), std::string::npos) << gone.err;
  EXPECT_EQ(std::count(info.out.begin(), info.out.end(), '\n'), 2);
}

}  // namespace
}  // namespace pelorin::test
