// pelorin-cli export: the panel's option for each SYSTEM, as a user opens the panel.

#include <filesystem>
#include <fstream>

#include "cli/run_cli.hpp"

namespace pelorin::test {
namespace {

// Qc, Fs and U2 in kPa at 1.00, 1.02 and 1.04 m; the friction sleeve lags by one reading.
const std::string kSounding = "export_qc_fs_pp.cpt";

// The file title is the output's name cut to six characters; the header texts are the
// file's own.
std::string exported(const std::vector<std::string>& options) {
  std::string output = temporaryFolder() + "/sounding.cpd";
  std::vector<std::string> args = {"export", fixturePath(kSounding), "-o", output};
  args.insert(args.end(), options.begin(), options.end());
  CliRun run = runCli(args);
  EXPECT_EQ(run.status, 0) << run.err;
  return fileBytes(output);
}

TEST(ExportCommand, EachSystemIsThePanelsOption) {
  const std::pair<const char*, std::string> systems[] = {{"english", "English"},
                                                         {"metric-kpa", "Metric Absolute [SI]"},
                                                         {"metric-bar", "Metric Absolute (SI)"},
                                                         {"kgf-ksc", "Metric [kgf/cm\xFD]"},
                                                         {"kgf-bar", "Metric kgf/cm\xFD"}};
  for (auto [option, name] : systems)
    EXPECT_EQ(exported({"--system", option}).substr(0, 39 + name.size()),
              "soundi21/09/2023 08:0R. Bakker       " + name + "\r\n");
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
  CliRun run = runCli({"export", fixturePath(kSounding), "-o", output, "--system", "kgf-ksc",
                       "--definitions", definitions});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(fileBytes(output).find("  1.00   10.20  0.1044    0.51\r\n"), std::string::npos);
}

}  // namespace
}  // namespace pelorin::test
