#include <filesystem>
#include <iostream>

#include "cli/cli.hpp"

int main(int argc, char** argv) {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  std::string folder = ec ? std::string(".") : exe.parent_path().string();
  return pelorin::cli::run(std::vector<std::string>(argv + 1, argv + argc), folder, std::cout,
                           std::cerr);
}
