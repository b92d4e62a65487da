// pelorin-cli with definitions from another folder and from its own, and the export's first
// showing of the panel; every other run is a line of tests/cases.txt.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/run_cli.hpp"

namespace pelorin::test {
namespace {

using nlohmann::json;

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

TEST(Cli, ProgramFindsItsDefinitionsBesideItself) {
  std::string out = temporaryFolder() + "/info.json", in = dataPath("sample_sand_005.cpt");
  std::string command = std::string("'") + PELORIN_CLI + "' info '" + in + "' > '" + out + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(fileBytes(out), runCli({"info", in}).out);
}

TEST(ExportCommand, FirstOpeningOfThePanelSelectsEnglish) {
  // Without KSC for the friction sleeve, the kgf system leaves it in English's TSF rather
  // than in the kPa it was opened in.
  std::string definitions = temporaryFolder();
  for (int t = 1; t <= 10; ++t) {
    std::string name = "Channel" + std::to_string(t) + ".txt";
    std::filesystem::copy_file(dataPath(name), definitions + "/" + name);
  }
  std::string channel2 = fileBytes(definitions + "/Channel2.txt");
  std::size_t ksc = channel2.find("\"KSC\""), count = channel2.find("\n6\r\n");
  ASSERT_NE(ksc, std::string::npos);
  ASSERT_NE(count, std::string::npos);
  channel2[count + 1] = '5';
  channel2.erase(ksc, channel2.find('\n', ksc) + 1 - ksc);
  std::ofstream(definitions + "/Channel2.txt", std::ios::binary) << channel2;

  std::string output = temporaryFolder() + "/ksc.cpd";
  CliRun run = runCli({"export", fixturePath("export_qc_fs_pp.cpt"), "-o", output, "--system", "kgf-ksc",
                       "--definitions", definitions});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(fileBytes(output).find("  1.00   10.20  0.1044    0.51\r\n"), std::string::npos);
}

}  // namespace
}  // namespace pelorin::test
