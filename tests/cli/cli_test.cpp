// pelorin-cli with definitions from another folder and from its own; every other run is a
// line of tests/cases.txt.

#include <cstdlib>
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

}  // namespace
}  // namespace pelorin::test
