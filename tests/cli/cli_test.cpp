// pelorin-cli info, clean and csv, and the exit statuses and messages of every command.

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/run_cli.hpp"

namespace pelorin::test {
namespace {

using nlohmann::json;

const char* const kSamples[] = {"sample_clay_002.cpt", "sample_sand_005.cpt", "sample_no_pore.cpt"};

TEST(CliInfo, DescribesTheOpenedSounding) {
  // Every number reads back as the float the model holds; texts in UTF-8.
  CliRun run = runCli({"info", dataPath("sample_clay_002.cpt")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, readFixture("sample_clay_002.info.json"));
}

TEST(CliInfo, DefinitionsFromAnotherFolder) {
  // Only Channel1.txt there: Fs (type 2) has no unit options; a broken definition file is
  // reported and does not stop the tool.
  std::string folder = temporaryFolder();
  std::ofstream(folder + "/Channel1.txt", std::ios::binary) << fileBytes(dataPath("Channel1.txt"));
  std::ofstream(folder + "/Channel3.txt", std::ios::binary) << "\"too short\"\r\n";
  CliRun run = runCli({"info", dataPath("sample_no_pore.cpt"), "--definitions", folder});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("Channel3.txt"), std::string::npos) << run.err;
  json j = json::parse(run.out);
  EXPECT_EQ(j["channels"][0]["UnitName"], "BAR");
  EXPECT_EQ(j["channels"][1]["UnitName"], "");
}

TEST(CliClean, WithoutOperationsSavesTheSameBytes) {
  for (const char* name : kSamples) {
    std::string out = temporaryFolder() + "/" + name;
    CliRun run = runCli({"clean", dataPath(name), "-o", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(fileBytes(out), fileBytes(dataPath(name))) << name;
  }
}

TEST(CliCsv, WritesTheReadingsAfterTheOperations) {
  std::string path = temporaryFolder() + "/out.csv";
  CliRun run = runCli({"csv", fixturePath("export_qc_fs_pp.cpt"), "-o", path, "--unit", "1=MPA",
                       "--depth-unit", "ft"});
  ASSERT_EQ(run.status, 0) << run.err;
  // The friction sleeve lags by one reading: reading 1 has no value of it.
  EXPECT_EQ(fileBytes(path),
            "Depth (ft),Speed (cm/s),Qc (MPA),Fs (KPA),U2 (KPA)\r\n"
            "3.28084,2,1,,50\r\n"
            "3.3464565,2,0.5,10,25\r\n"
            "3.4120734,2,0.25,5,10\r\n");
}

TEST(Cli, ExitStatusesAndMessages) {
  std::string folder = temporaryFolder(), out = folder + "/out.cpt";
  std::string clay = dataPath("sample_clay_002.cpt"), missing = folder + "/no such file.cpt";
  std::string broken = fixturePath("depth_not_a_number.cpt");
  std::string first = fixturePath("combine_first_qc_fs_u2.cpt");
  std::string second = fixturePath("combine_second_9_50_to_15_30.cpt");
  auto clean = [&](const std::string& in, std::vector<std::string> operations) {
    operations.insert(operations.begin(), {"clean", in, "-o", out});
    return operations;
  };
  struct Case {
    std::vector<std::string> args;
    int status;
    std::vector<std::string> told;  // texts standard error must hold
  } cases[] = {
      {{"info", missing}, 1, {"\"" + missing + "\""}},
      {{"info", broken}, 1, {"\"" + broken + "\"", "line 26"}},
      {{"clean", clay, "-o", folder + "/no folder/out.cpt"}, 1, {folder + "/no folder/out.cpt"}},
      {clean(fixturePath("channel_type_without_definitions.cpt"), {}), 1, {out, "(Gamma)"}},
      {{"export", clay, "-o", folder + "/x/out.cpd", "--system", "english"}, 1, {"/x/out.cpd"}},
      // Usage errors.
      {{}, 2, {"usage"}},
      {{"tidy", clay}, 2, {"usage"}},
      {{"info"}, 2, {"no input file"}},
      {{"info", clay, "--remove-negatives"}, 2, {"info takes no operation", "usage"}},
      {{"csv", clay}, 2, {"csv needs -o OUT"}},
      {{"clean", clay, "-o"}, 2, {"-o needs a value"}},
      {clean(clay, {"--polish"}), 2, {"unknown operation \"--polish\""}},
      {clean(clay, {"--delete"}), 2, {"--delete needs a value"}},
      {{"export", clay, "-o", out}, 2, {"export needs --system SYSTEM"}},
      {{"export", clay, "-o", out, "--system", "imperial"}, 2, {"unknown system \"imperial\""}},
      {clean(first, {"--combine", second}), 2, {"--combine needs --from"}},
      {clean(first, {"--combine", second, "--from"}), 2, {"--from needs a value"}},
      // Refused operations name the file and the operation.
      {clean(clay, {"--unit", "1=kpa"}),
       1,
       {"\"" + clay + "\": --unit 1=kpa: channel 1 has no unit \"kpa\" (its units: KPA, MPA"}},
      {clean(clay, {"--unit", "4=KPA"}), 1, {"the sounding has no channel 4"}},
      {clean(clay, {"--unit", "KPA"}), 1, {"expected C=NAME"}},
      {clean(clay, {"--depth-unit", "yd"}), 1, {"the depth unit is m or ft"}},
      {clean(clay, {"--delete", "5"}),
       1,
       {"reading 5 cannot be made current: Up and Down reach readings 6 to 600"}},
      {clean(clay, {"--insert", "6"}), 1, {"a reading can be inserted from reading 7 on"}},
      {clean(clay, {"--insert", "x"}), 1, {"N is a reading number"}},
      {clean(clay, {"--shift", "4=1"}), 1, {"--shift 4=1: the sounding has no channel 4"}},
      {clean(clay, {"--shift", "0=1"}), 1, {"no channel 0"}},
      {clean(clay, {"--shift", "1=0.5", "--shift", "x"}), 1, {"--shift 1=0.5 x: expected C=TEXT"}},
      {clean(clay, {"--increment-steps", "1.5"}), 1, {"K is a whole number"}},
      {clean(first, {"--combine", second, "--no-normalize", "--from", "9.8"}),
       1,
       {"Value must be greater than 10 m."}},
      {clean(first, {"--combine", fixturePath("combine_no_readings.cpt"), "--from", "9"}),
       1,
       {"holds no readings"}},
      // Information messages leave the status at 0.
      {clean(first, {"--combine", fixturePath("combine_second_qc_fs.cpt"), "--from", "9.6"}),
       0,
       {"The same cone was used for both test.", "Only those channels"}},
      {clean(clay, {"--start-depth", "1e39"}), 0, {"--start-depth 1e39: the depths would leave"}},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const auto& a : c.args) shown += a + " ";
    SCOPED_TRACE(shown);
    std::ofstream(out, std::ios::binary) << "kept";
    CliRun run = runCli(c.args);
    EXPECT_EQ(run.status, c.status);
    for (const auto& text : c.told) EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
    EXPECT_EQ(fileBytes(out) == "kept", c.status != 0);  // a refused run leaves it alone
  }
}

TEST(Cli, ProgramFindsItsDefinitionsBesideItself) {
  std::string out = temporaryFolder() + "/info.json", in = dataPath("sample_sand_005.cpt");
  std::string command = std::string("'") + PELORIN_CLI + "' info '" + in + "' > '" + out + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(fileBytes(out), runCli({"info", in}).out);
}

}  // namespace
}  // namespace pelorin::test
