// pelorin-cli info and clean: the JSON description of a sounding, the saved file, and the
// exit statuses.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>

#include "cli/cli.hpp"
#include "sounding/open_sounding.hpp"
#include "test_support.hpp"
#include "text/text_file.hpp"

namespace pelorin::test {
namespace {

using nlohmann::json;

struct CliResult {
  int status;
  std::string out, err;
};

CliResult runCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = cli::run(args, dataPath(""), out, err);
  return {status, out.str(), err.str()};
}

std::string fileBytes(const std::string& path) {
  std::string bytes, error;
  EXPECT_TRUE(readWholeFile(path, bytes, error)) << error;
  return bytes;
}

// The number as the model stores it.
float asFloat(const json& number) { return static_cast<float>(number.get<double>()); }

const char* const kSamples[] = {"sample_clay_002.cpt", "sample_sand_005.cpt",
                                "sample_no_pore.cpt"};

TEST(CliInfo, DescribesTheOpenedSounding) {
  const auto& defs = projectDefinitions();
  for (const char* name : kSamples) {
    SCOPED_TRACE(name);
    CliResult run = runCli({"info", dataPath(name)});
    ASSERT_EQ(run.status, 0) << run.err;
    json j = json::parse(run.out);
    FileError error;
    auto s = openSoundingFile(dataPath(name), defs, error);
    ASSERT_TRUE(s) << error.message;

    EXPECT_EQ(j["header"]["CompanyName"], windows1252ToUtf8(s->CompanyName));
    EXPECT_EQ(j["header"]["OperatorName"], windows1252ToUtf8(s->OperatorName));
    EXPECT_EQ(j["header"]["WaterTableDepth"], s->WaterTableDepth);
    EXPECT_EQ(j["header"].size(), 12u);
    EXPECT_EQ(j["NumChannels"], s->NumChannels);
    EXPECT_EQ(j["NumReadings"], s->NumReadings);
    EXPECT_EQ(asFloat(j["DepthIncrement"]), s->DepthIncrement);
    EXPECT_EQ(j["MaxLag"], s->MaxLag);
    EXPECT_EQ(j["DataIndex"], s->DataIndex);
    EXPECT_EQ(j["CurrentRow"], s->CurrentRow);
    EXPECT_EQ(j["NoPoreChannel"], s->NoPoreChannel);
    EXPECT_EQ(j["HasFinalBaseline"], s->HasFinalBaseline);
    ASSERT_EQ(j["channels"].size(), static_cast<std::size_t>(s->NumChannels));
    for (int c = 1; c <= s->NumChannels; ++c) {
      SCOPED_TRACE(c);
      const json& ch = j["channels"][c - 1];
      EXPECT_EQ(ch["ChannelType"], s->ChannelType[c]);
      EXPECT_EQ(ch["ChannelName"], s->ChannelName[c]);
      EXPECT_EQ(ch["ChannelUnit"], s->ChannelUnit[c]);
      EXPECT_EQ(ch["UnitName"], defs.UnitName[s->ChannelType[c]][s->ChannelUnit[c]]);
      EXPECT_EQ(asFloat(ch["ChannelFactor"]), s->ChannelFactor[c]);
      EXPECT_EQ(asFloat(ch["FullScaleOutput"]), s->FullScaleOutput[c]);
      EXPECT_EQ(asFloat(ch["FullScaleValue"]), s->FullScaleValue[c]);
      EXPECT_EQ(asFloat(ch["Baseline"][0]), s->Baseline[c][1]);
      EXPECT_EQ(asFloat(ch["Baseline"][1]), s->Baseline[c][2]);
      EXPECT_EQ(asFloat(ch["BaselineDrift"]), s->BaselineDrift[c]);
      EXPECT_EQ(ch["ChannelLag"], s->ChannelLag[c]);
    }
    EXPECT_EQ(asFloat(j["first"]["Depth"]), s->Depth[1]);
    EXPECT_EQ(asFloat(j["first"]["Speed"]), s->Speed[1]);
    EXPECT_EQ(asFloat(j["last"]["Depth"]), s->Depth[s->NumReadings]);
    EXPECT_EQ(asFloat(j["last"]["Speed"]), s->Speed[s->NumReadings]);
  }
}

TEST(CliInfo, SampleFacts) {
  // What a reader of the samples relies on, independent of the model code.
  json clay = json::parse(runCli({"info", dataPath("sample_clay_002.cpt")}).out);
  EXPECT_EQ(clay["header"]["OperatorName"], "M. S\u00f8rensen");
  EXPECT_EQ(clay["NumReadings"], 600);
  EXPECT_EQ(clay["channels"][1]["ChannelLag"], 5);
  EXPECT_EQ(clay["channels"][0]["UnitName"], "MPA");
  json noPore = json::parse(runCli({"info", dataPath("sample_no_pore.cpt")}).out);
  EXPECT_EQ(noPore["NoPoreChannel"], true);
  EXPECT_EQ(noPore["HasFinalBaseline"], false);
  EXPECT_EQ(noPore["channels"][0]["UnitName"], "BAR");
}

TEST(CliInfo, DefinitionsFromAnotherFolder) {
  // Only Channel1.txt there: Fs (type 2) has no unit options and keeps its row 7 factor;
  // a broken definition file is reported and does not stop the tool.
  std::string folder = temporaryFolder();
  std::ofstream(folder + "/Channel1.txt", std::ios::binary) << fileBytes(dataPath("Channel1.txt"));
  std::ofstream(folder + "/Channel3.txt", std::ios::binary) << "\"too short\"\r\n";
  CliResult run = runCli({"info", dataPath("sample_no_pore.cpt"), "--definitions", folder});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("Channel3.txt"), std::string::npos) << run.err;
  json j = json::parse(run.out);
  EXPECT_EQ(j["channels"][0]["UnitName"], "BAR");
  EXPECT_EQ(j["channels"][1]["UnitName"], "");
  EXPECT_EQ(asFloat(j["channels"][1]["ChannelFactor"]), 1.0f);
}

TEST(CliClean, WithoutOperationsSavesTheSameBytes) {
  std::string folder = temporaryFolder();
  for (const char* name : kSamples) {
    SCOPED_TRACE(name);
    std::string out = folder + "/" + name;
    CliResult run = runCli({"clean", dataPath(name), "-o", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(fileBytes(out), fileBytes(dataPath(name)));
  }
}

TEST(Cli, ExitStatuses) {
  std::string folder = temporaryFolder();
  std::string sample = dataPath("sample_clay_002.cpt");
  std::string missing = folder + "/no such file.cpt";
  std::string out = folder + "/out.cpt";
  std::string broken = fixturePath("depth_not_a_number.cpt");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::vector<std::string> told;  // texts the error output must hold
  } cases[] = {
      {{"info", missing}, 1, {"\"" + missing + "\""}},
      {{"clean", missing, "-o", out}, 1, {"\"" + missing + "\""}},
      {{"info", broken}, 1, {"\"" + broken + "\"", "line 26"}},
      {{"clean", sample, "-o", folder + "/no folder/out.cpt"}, 1, {folder + "/no folder/out.cpt"}},
      {{"clean", fixturePath("channel_type_without_definitions.cpt"), "-o", out},
       1, {out, "channel 2 (Gamma)"}},
      {{}, 2, {"usage"}},
      {{"tidy", sample}, 2, {"usage"}},
      {{"info"}, 2, {"no input file"}},
      {{"info", sample, "--remove-negatives"}, 2, {"usage"}},
      {{"clean", sample}, 2, {"-o"}},
      {{"clean", sample, "-o", out, "--polish"}, 2, {"unknown operation \"--polish\""}},
      {{"clean", sample, "-o"}, 2, {"-o needs a value"}},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const auto& a : c.args) shown += a + " ";
    SCOPED_TRACE(shown);
    std::ofstream(out, std::ios::binary) << "kept";
    CliResult run = runCli(c.args);
    EXPECT_EQ(run.status, c.status);
    for (const auto& text : c.told) EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
    EXPECT_EQ(fileBytes(out), "kept");  // a refused run leaves an earlier file alone
  }
}

TEST(Cli, ProgramFindsItsDefinitionsBesideItself) {
  std::string command = std::string("'") + PELORIN_CLI + "' info '" +
                        dataPath("sample_sand_005.cpt") + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_TRUE(pipe);
  std::string output;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  int status = pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << output;
  json j = json::parse(output);
  EXPECT_EQ(j["channels"][2]["UnitName"], "BAR");
  EXPECT_EQ(j["channels"][1]["ChannelLag"], 2);
}

}  // namespace
}  // namespace pelorin::test
