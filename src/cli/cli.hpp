#pragma once
// pelorin-cli: the window's operations on sounding files from the command line.

#include <ostream>
#include <string>
#include <vector>

namespace pelorin::cli {

// Runs the batch tool on args (without the program name). programFolder holds the
// default channel definition files. Returns the exit status: 0 done, 1 a file could not
// be read or written or an operation refused, 2 a usage error.
int run(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
        std::ostream& err);

}  // namespace pelorin::cli
