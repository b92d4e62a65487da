#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "cli/cli.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin {
namespace {

namespace fs = std::filesystem;

struct CliResult {
  int status;
  std::string out, err;
};

CliResult runCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = cli::run(args, test::dataPath(""), out, err);
  return {status, out.str(), err.str()};
}

std::string readBytes(const std::string& path) {
  std::string bytes, error;
  if (!readWholeFile(path, bytes, error)) return "<" + error + ">";
  return bytes;
}

// Qc, Fs and U2 in kPa: 1000, 10, 50 / 500, 5, 25 / 250, no value, 10 at 1.00, 1.02 and
// 1.04 m; the friction sleeve's one no-value marker gives it a lag of one reading.
const std::string kSounding = "export_qc_fs_pp.cpt";
const std::string kHeader2 =
    "Dike km 12.4    C10-0388        PG-0931          3  1.50  .02  .02  1  2  3\r\n";

TEST(ExportCommand, WritesTheAnalogFileInEachSystem) {
  struct Case {
    const char* system;
    std::string name, readings;
  };
  const Case cases[] = {
      {"english", "English",
       "  1.00   10.44   0.104    7.25\r\n"
       "  1.02    5.22   0.052    3.63\r\n"
       "  1.04    2.61 -32768     1.45\r\n"},
      {"metric-kpa", "Metric Absolute [SI]",
       "  1.00   1.000   10.00   50.00\r\n"
       "  1.02   0.500    5.00   25.00\r\n"
       "  1.04   0.250 -32768    10.00\r\n"},
      {"metric-bar", "Metric Absolute (SI)",
       "  1.00   1.000   10.00   0.500\r\n"
       "  1.02   0.500    5.00   0.250\r\n"
       "  1.04   0.250 -32768    0.100\r\n"},
      {"kgf-ksc", "Metric [kgf/cm\xFD]",
       "  1.00   10.20  0.1020    0.51\r\n"
       "  1.02    5.10  0.0510    0.25\r\n"
       "  1.04    2.55 -32768     0.10\r\n"},
      {"kgf-bar", "Metric kgf/cm\xFD",
       "  1.00   10.20  0.1020    0.50\r\n"
       "  1.02    5.10  0.0510    0.25\r\n"
       "  1.04    2.55 -32768     0.10\r\n"},
  };
  std::string folder = test::temporaryFolder();
  for (const Case& c : cases) {
    std::string output = folder + "/" + c.system + ".cpd";
    CliResult r = runCli({"export", test::fixturePath(kSounding), "-o", output, "--system", c.system});
    ASSERT_EQ(r.status, 0) << c.system << ": " << r.err;
    std::string title = (std::string(c.system) + ".cpd").substr(0, 6);
    title.resize(6, ' ');
    EXPECT_EQ(readBytes(output),
              title + "21/09/2023 08:0R. Bakker       " + c.name + "\r\n" + kHeader2 + c.readings)
        << c.system;
  }
}

TEST(ExportCommand, FirstOpeningOfThePanelSelectsEnglish) {
  // Without KSC for the friction sleeve, the kgf system leaves it in English's TSF rather
  // than in the kPa it was opened in.
  std::string definitions = test::temporaryFolder();
  for (int t = 1; t <= 10; ++t) {
    std::string name = "Channel" + std::to_string(t) + ".txt";
    fs::copy_file(test::dataPath(name), definitions + "/" + name);
  }
  std::string channel2 = readBytes(definitions + "/Channel2.txt");
  auto ksc = channel2.find("\"KSC\"");
  ASSERT_NE(ksc, std::string::npos);
  channel2.erase(ksc, channel2.find('\n', ksc) + 1 - ksc);
  channel2.replace(channel2.find("\n6\r\n") + 1, 1, "5");
  std::ofstream(definitions + "/Channel2.txt", std::ios::binary) << channel2;

  std::string output = test::temporaryFolder() + "/ksc.cpd";
  CliResult r = runCli({"export", test::fixturePath(kSounding), "-o", output, "--system", "kgf-ksc",
                  "--definitions", definitions});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string bytes = readBytes(output);
  EXPECT_NE(bytes.find("  1.00   10.20  0.1044    0.51\r\n"), std::string::npos) << bytes;
}

TEST(ExportCommand, UsageErrorsAndFailures) {
  std::string folder = test::temporaryFolder();
  std::string in = test::fixturePath(kSounding);
  std::string out = folder + "/out.cpd";
  struct Case {
    const char* what;
    std::vector<std::string> args;
    int status;
    std::string errorMentions;
  };
  const Case cases[] = {
      {"no system", {"export", in, "-o", out}, 2, "--system"},
      {"unknown system", {"export", in, "-o", out, "--system", "imperial"}, 2, "imperial"},
      {"no output", {"export", in, "--system", "english"}, 2, "-o"},
      {"unwritable output",
       {"export", in, "-o", folder + "/no folder/out.cpd", "--system", "english"}, 1,
       "no folder/out.cpd"},
  };
  for (const Case& c : cases) {
    CliResult r = runCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err;
    EXPECT_NE(r.err.find(c.errorMentions), std::string::npos) << c.what << ": " << r.err;
    EXPECT_FALSE(fs::exists(out)) << c.what;
  }
}

}  // namespace
}  // namespace pelorin
