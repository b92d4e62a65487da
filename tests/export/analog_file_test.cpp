// Writing the analog file; its bytes for every kind of sounding and unit system are lines
// of tests/cases.txt.

#include "export/analog_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "edit/sounding_builder.hpp"
#include "text/file_io.hpp"
#include "text/text_file.hpp"

namespace pelorin {
namespace {

AnalogHeaderTexts waterTableBox(const std::string& text) {
  AnalogHeaderTexts h;
  h.WaterTableDepth = text;
  return h;
}

TEST(AnalogFile, WriteReplacesTheFileOrLeavesItWhole) {
  auto s = test::makeSounding({0.5f, 0.52f});
  test::addChannel(*s, 1, {1.0f, 2.0f});
  const std::string system = "Metric kgf/cm\xFD";
  std::string folder = test::temporaryFolder(), path = folder + "/out.cpd", written;
  EXPECT_TRUE(writeAnalogFile(path, *s, waterTableBox("1"), "out.cpd", system));
  ASSERT_TRUE(readWholeFile(path, written));
  EXPECT_EQ(written, analogFileBytes(*s, waterTableBox("1"), "out.cpd", system));

  // A water table beyond single precision is refused; the earlier file stays.
  Outcome refused = writeAnalogFile(path, *s, waterTableBox("1e39"), "out.cpd", system);
  EXPECT_EQ(refused.file, path) << refused.message;
  ASSERT_TRUE(readWholeFile(path, written));
  EXPECT_EQ(written, analogFileBytes(*s, waterTableBox("1"), "out.cpd", system));

  std::string missing = folder + "/no such folder/out.cpd";
  EXPECT_NE(writeAnalogFile(missing, *s, {}, "out.cpd", "English").message.find(missing),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace pelorin
