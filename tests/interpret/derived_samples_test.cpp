// pelorin-cli derived on the samples against the formulas worked here once more, plainly and on
// their own: for a given a, zw and a constant unit weight, from the channel values in the model.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "cli/operations.hpp"
#include "cli/run_cli.hpp"
#include "sounding/open_sounding.hpp"

namespace pelorin::test {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr double a = 0.75, zw = 1.0, gamma = 18.5, gammaW = 9.81, pa = 100;

struct Worked {
  double qt = kNone, sigmaV0 = kNone, u0 = kNone, Qt = kNone, Fr = kNone, Bq = kNone, n = kNone,
         Qtn = kNone, Ic = kNone, Isbt = kNone;
  int zone = 0;
};

// A channel's value at reading n in kPa (every base unit of data/Channel1..3.txt is kPa).
double kPa(const Sounding& s, int type, int n) {
  for (int c = 1; c <= s.NumChannels; ++c) {
    if (s.ChannelType[c] != type) continue;
    const int at = n - s.ChannelLag[c];
    if (at < 1 || s.Reading[c][at] == NoValue) return kNone;
    return s.Reading[c][at] / static_cast<double>(s.ChannelFactor[c]);
  }
  return kNone;
}

// Robertson (2009, 2010) as the papers write them, with sigma_v0 = gamma z.
Worked work(const Sounding& s, int n) {
  Worked w;
  const double z = s.Depth[n], qc = kPa(s, 1, n), fs = kPa(s, 2, n);
  bool porePressure = false;
  for (int c = 1; c <= s.NumChannels; ++c) porePressure = porePressure || s.ChannelType[c] == 3;
  const double u2 = porePressure ? kPa(s, 3, n) : 0;
  w.sigmaV0 = gamma * z;
  w.u0 = z > zw ? gammaW * (z - zw) : 0;
  const double effective = w.sigmaV0 - w.u0;
  w.qt = qc + u2 * (1 - a);  // none without qc or u2
  if (std::isnan(w.qt) || std::isnan(fs)) return w;
  const double Rf = fs / w.qt * 100;
  if (w.qt > 0 && fs > 0)
    w.Isbt =
        std::sqrt(std::pow(3.47 - std::log10(w.qt / pa), 2) + std::pow(std::log10(Rf) + 1.22, 2));
  const double qnet = w.qt - w.sigmaV0;
  if (qnet <= 0 || fs <= 0 || effective <= 0) return w;
  w.Qt = qnet / effective;
  w.Fr = fs / qnet * 100;
  w.Bq = porePressure ? (u2 - w.u0) / qnet : kNone;
  for (double exponent = 1;;) {
    const double Qtn = qnet / pa * std::pow(pa / effective, exponent);
    const double Ic =
        std::sqrt(std::pow(3.47 - std::log10(Qtn), 2) + std::pow(std::log10(w.Fr) + 1.22, 2));
    const double next = std::min(1.0, 0.381 * Ic + 0.05 * effective / pa - 0.15);
    if (std::fabs(next - exponent) < 1e-6) {
      w.n = exponent, w.Qtn = Qtn, w.Ic = Ic;
      break;
    }
    exponent = next;
  }
  const double x = w.Fr - 1, curve = 0.005 * x - 0.0003 * x * x - 0.002;
  if (w.Qtn <= 12 * std::exp(-1.4 * w.Fr))
    w.zone = 1;
  else if (w.Fr > 1.5 && curve > 0 && w.Qtn > 1 / curve)
    w.zone = w.Fr < 4.5 ? 8 : 9;
  else
    w.zone = w.Ic < 1.31   ? 7
             : w.Ic < 2.05 ? 6
             : w.Ic < 2.60 ? 5
             : w.Ic < 2.95 ? 4
             : w.Ic < 3.60 ? 3
                           : 2;
  return w;
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out(1);
  for (char ch : line) {
    if (ch == ',')
      out.emplace_back();
    else
      out.back().push_back(ch);
  }
  return out;
}

std::unique_ptr<Sounding> opened(const std::string& path) {
  auto [s, error, notes] = openSoundingFile(path, projectDefinitions());
  EXPECT_TRUE(s) << error.message;
  return std::move(s);
}

const std::vector<std::string> kOptions = {"--area-ratio",  "0.75", "--water-depth", "1",
                                           "--unit-weight", "18.5"};

TEST(Derived, SamplesAgreeWithTheFormulasWorkedApart) {
  for (const char* sample : {"sample_clay_002.cpt", "sample_sand_005.cpt", "sample_no_pore.cpt"}) {
    SCOPED_TRACE(sample);
    std::vector<std::string> args = {"derived", dataPath(sample), "-o", "-"};
    args.insert(args.end(), kOptions.begin(), kOptions.end());
    const CliRun run = runCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto s = opened(dataPath(sample));
    std::istringstream csv(run.out);
    std::string line;
    while (std::getline(csv, line) && line.starts_with("#")) {
    }
    ASSERT_TRUE(line.starts_with("depth_m,qc_MPa,"));
    int n = 0, zoned = 0;
    while (std::getline(csv, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const std::vector<std::string> f = fields(line);
      ASSERT_EQ(f.size(), 19u) << line;
      const Worked w = work(*s, ++n);
      SCOPED_TRACE(line);
      // qt_MPa, sigma_v0, u0, Qt, Fr, Bq, n, Qtn, Ic, Isbt: seven significant digits.
      const std::pair<int, double> columns[] = {
          {4, w.qt / 1000}, {7, w.sigmaV0}, {8, w.u0},   {10, w.Qt}, {11, w.Fr},
          {12, w.Bq},       {13, w.n},      {14, w.Qtn}, {15, w.Ic}, {16, w.Isbt}};
      for (auto [column, expected] : columns) {
        if (std::isnan(expected)) {
          EXPECT_EQ(f[column], "") << column;
          continue;
        }
        ASSERT_FALSE(f[column].empty()) << column;
        EXPECT_NEAR(std::stod(f[column]), expected, 1e-6 * std::max(1.0, std::fabs(expected)))
            << column;
      }
      EXPECT_EQ(f[17], w.zone ? std::to_string(w.zone) : "");
      zoned += w.zone != 0;
    }
    EXPECT_EQ(n, s->NumReadings);
    EXPECT_GT(zoned, s->NumReadings * 9 / 10);
  }
}

// Several files: each DIR/NAME.csv holds what a run of its own prints.
TEST(Derived, SeveralFilesWriteWhatOneRunPrints) {
  const std::string folder = temporaryFolder();
  std::vector<std::string> args = {"derived", dataPath("sample_clay_002.cpt"),
                                   dataPath("sample_no_pore.cpt"), "--output-dir", folder};
  args.insert(args.end(), kOptions.begin(), kOptions.end());
  const CliRun several = runCli(args);
  ASSERT_EQ(several.status, 0) << several.err;
  EXPECT_EQ(several.err, "2 done, 0 refused\n");
  for (const char* sample : {"sample_clay_002", "sample_no_pore"}) {
    std::vector<std::string> one = {"derived", dataPath(std::string(sample) + ".cpt"), "-o", "-"};
    one.insert(one.end(), kOptions.begin(), kOptions.end());
    EXPECT_EQ(fileBytes(folder + "/" + sample + ".csv"), runCli(one).out) << sample;
  }
}

// A shift of the cone resistance moves readings across zone bounds: --json names exactly the
// readings whose zone the formulas above change, with both zones.
TEST(Derived, ZoneChangesAreTheReadingsTheStepsMoved) {
  const std::string path = dataPath("sample_clay_002.cpt");
  std::vector<std::string> args = {"derived", path, "--json", "--shift", "1=0.25"};
  args.insert(args.end(), kOptions.begin(), kOptions.end());
  const CliRun run = runCli(args);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto changes = nlohmann::json::parse(run.out).at("zone_changes");

  Session session(projectDefinitions());
  session.open(opened(path), path);
  std::vector<Operation> operations;
  const std::vector<std::string> words = {"--shift", "1=0.25"};
  for (std::size_t i = 0; i < words.size();) ASSERT_TRUE(parseOperation(words, i, operations));
  std::ostringstream messages;
  ASSERT_TRUE(cli::applyOperations(session, operations, messages, path));
  std::vector<std::array<int, 3>> expected;
  for (int n = 1; n <= session.opened().NumReadings; ++n) {
    const int before = work(session.opened(), n).zone, after = work(session.sounding(), n).zone;
    if (before != after) expected.push_back({n, before, after});
  }
  ASSERT_GT(expected.size(), 10u);
  ASSERT_EQ(changes.size(), expected.size());
  auto zone = [](const nlohmann::json& value) { return value.is_null() ? 0 : value.get<int>(); };
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(changes[k].at("reading"), expected[k][0]);
    EXPECT_EQ(zone(changes[k].at("before")), expected[k][1]);
    EXPECT_EQ(zone(changes[k].at("after")), expected[k][2]);
  }
}

}  // namespace
}  // namespace pelorin::test
