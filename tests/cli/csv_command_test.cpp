#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin {
namespace {

int runCli(const std::vector<std::string>& args, std::string& err) {
  std::ostringstream out, errors;
  int status = cli::run(args, test::dataPath(""), out, errors);
  err = errors.str();
  return status;
}

// The friction sleeve of this sounding lags by one reading: its value for reading n stands
// one place earlier in the file, and reading 1 has none.
TEST(CsvCommand, WritesTheReadingsAtTheirDepthsInTheChosenUnits) {
  std::string path = test::temporaryFolder() + "/out.csv", err;
  ASSERT_EQ(runCli({"csv", test::fixturePath("export_qc_fs_pp.cpt"), "-o", path, "--unit",
                    "1=MPA", "--depth-unit", "ft"},
                   err),
            0)
      << err;
  std::string bytes, error;
  ASSERT_TRUE(readWholeFile(path, bytes, error));
  std::istringstream lines(bytes);
  std::string header, first, third;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, third);
  std::getline(lines, third);
  EXPECT_EQ(header, "Depth (ft),Speed (cm/s),Qc (MPA),Fs (KPA),U2 (KPA)\r");
  // 1.00 m is 3.28084 ft; Qc 1000 kPa is 1 MPa; the sleeve has no value yet.
  EXPECT_EQ(first.substr(0, first.find(',')), "3.28084");
  EXPECT_NE(first.find(",1,,"), std::string::npos) << first;
  EXPECT_EQ(third.substr(0, third.find(',')), "3.4120734");
}

TEST(CsvCommand, NeedsAnOutputFile) {
  std::string err;
  EXPECT_EQ(runCli({"csv", test::fixturePath("export_qc_fs_pp.cpt")}, err), 2);
  EXPECT_NE(err.find("csv needs -o OUT"), std::string::npos);
}

}  // namespace
}  // namespace pelorin
