// pelorin-cli with the definitions beside itself, and the export's first showing of the
// panel; every other run is a line of tests/cases.txt.

#include <cstdlib>

#include "cli/run_cli.hpp"

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

}  // namespace
}  // namespace pelorin::test
