#pragma once
// Runs pelorin-cli in the test program, with the project's channel definitions.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "test_support.hpp"
#include "text/file_io.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {

struct CliRun {
  int status;
  std::string out, err;
};

inline CliRun runCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = cli::run(args, dataPath(""), out, err);
  return {status, out.str(), err.str()};
}

inline std::string fileBytes(const std::string& path) {
  std::string bytes;
  Outcome read = readWholeFile(path, bytes);
  EXPECT_TRUE(read) << read.message;
  return bytes;
}

}  // namespace pelorin::test
