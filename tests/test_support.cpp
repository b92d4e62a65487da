#include "test_support.hpp"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "sounding/channel_definitions.hpp"
#include "text/file_io.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {

std::string fixturePath(const std::string& name) {
  return std::string(PELORIN_TEST_DATA) + "/" + name;
}
std::string dataPath(const std::string& name) { return std::string(PELORIN_DATA) + "/" + name; }

std::string readFixture(const std::string& name) {
  std::string bytes;
  if (Outcome read = readWholeFile(fixturePath(name), bytes); !read)
    throw std::runtime_error(read.message);
  return bytes;
}

const ChannelDefinitions& projectDefinitions() {
  static const ChannelDefinitions defs = [] {
    std::vector<std::string> warnings;
    return loadChannelDefinitions(PELORIN_DATA, warnings);
  }();
  return defs;
}

namespace {
struct TemporaryRoot {
  std::filesystem::path path;
  TemporaryRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pelorin-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path = pattern;
  }
  ~TemporaryRoot() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};
}  // namespace

std::string temporaryFolder() {
  static TemporaryRoot root;
  static int counter = 0;
  auto folder = root.path / std::to_string(++counter);
  std::filesystem::create_directories(folder);
  return folder.string();
}

}  // namespace pelorin::test
