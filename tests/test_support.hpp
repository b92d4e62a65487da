#pragma once
// Fixture paths and small helpers shared by the tests.

#include <string>

#include "sounding/sounding.hpp"

namespace pelorin::test {

// A fixture under tests/data, and a file of the installation data under data/.
std::string fixturePath(const std::string& name);
std::string dataPath(const std::string& name);
std::string readFixture(const std::string& name);

// The project's channel definition files (data/Channel*.txt).
const ChannelDefinitions& projectDefinitions();

// A fresh folder under the system's temporary folder, removed when the test program ends.
std::string temporaryFolder();

}  // namespace pelorin::test
