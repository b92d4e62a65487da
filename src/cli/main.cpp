#include <filesystem>
#include <iostream>

#include "cli/cli.hpp"

int main(int argc, char** argv) {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  std::string folder = ec ? std::string(".") : exe.parent_path().string();
  int status = pelorin::cli::run(std::vector<std::string>(argv + 1, argv + argc), folder, std::cout,
                                 std::cerr);
  // What could not be written out (a full disk, a closed pipe) is a failure too.
  if (!std::cout.flush()) {
    std::cerr << "pelorin-cli: standard output could not be written\n";
    return 1;
  }
  return status;
}
