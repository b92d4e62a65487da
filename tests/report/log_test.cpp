// The CPT log as pelorin-cli log writes it, read back with poppler's pdfinfo and pdftotext
// and, for the curves, from the SVG's own coordinates: the pages, the title block, the
// clean-up and the qc line against the readings of the readings table.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>

#include "cli/run_cli.hpp"
#include "report/log_page.hpp"
#include "session/session.hpp"
#include "sounding/open_sounding.hpp"

namespace pelorin::test {
namespace {

// Standard output of a shell command.
std::string outputOf(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
    out.append(buffer, n);
  return out;
}

// A sounding of 10,000 readings, 0.02 m to 200 m, made once by scripts/big_sounding.py.
const std::string& bigSounding() {
  static const std::string path = [] {
    const std::string file = temporaryFolder() + "/big.cpt";
    outputOf("python3 " PELORIN_SCRIPTS "/big_sounding.py " + file);
    return file;
  }();
  return path;
}

std::string input(const std::string& name) {
  if (name == "big") return bigSounding();
  return std::filesystem::exists(fixturePath(name)) ? fixturePath(name) : dataPath(name);
}

struct LogCase {
  const char* what;
  const char* input;
  std::vector<std::string> args;  // operations and options
  const char* output;             // the file name given to -o
  int pages;
  std::vector<std::string> texts;   // pdftotext finds each
  std::vector<std::string> absent;  // and none of these
  std::vector<std::string> files;   // the files written, for SVG and PNG
};

TEST(Log, PagesTitleBlockAndCleanUp) {
  const LogCase cases[] = {
      {"the clay sample as opened",
       "sample_clay_002.cpt",
       {},
       "log.pdf",
       1,
       {"Brackwater Site Investigation Ltd",
        "BW-2214",
        "CPT-04",
        "Harbour Road extension, test location CPT-04",
        "N 53.21874 E 6.56702",
        "14/03/2024 09:42",
        "C10-0457",
        "M. Sørensen",
        "ISO 22476-1 class 1",
        "Qc 0.01234 / 0.01302, drift +3.4 kPa",
        "U2 0.02011 / 0.02015",
        "1.80 m",
        "12.00 m",
        "Page 1 of 1",
        "no clean-up steps",
        "qc [MPa]",
        "fs [MPa]",
        "u2 [MPa]",
        "Rf [%]",
        "u0"},
       {"Incl.", "Ic, zone"},
       {}},
      {"more steps than the foot holds: a page of steps after the readings",
       "sample_clay_002.cpt",
       {"--delete", "20", "--delete", "21", "--delete", "22", "--delete", "23",
        "--delete", "24", "--delete", "25", "--delete", "26", "--delete", "27",
        "--delete", "28", "--delete", "29", "--delete", "30"},
       "log.pdf",
       2,
       {"The 11 steps are listed on page 2.", "Page 2 of 2", "1. Delete reading 20",
        "11. Delete reading 30"},
       {"more steps"},
       {}},
      {"the Dutch grid and datum by their names",
       "field/pygef_cpt4.gef",
       {},
       "log.pdf",
       1,
       {"X 114918.9500, Y 472853.3400 (RD)", "-4.2500 m NAP"},
       {"31000"},
       {}},
      {"the interpretation's column, with its input as a step",
       "sample_clay_002.cpt",
       {"--interpretation", "--area-ratio", "0.7"},
       "log.pdf",
       1,
       {"Ic, zone", "1. Area ratio 0.7"},
       {},
       {}},
      {"the sand sample after two steps: 25 m on two pages, the steps on the last",
       "sample_sand_005.cpt",
       {"--shift", "1=20", "--delete", "5"},
       "log.pdf",
       2,
       {"Page 1 of 2", "Page 2 of 2", "The steps are listed on page 2.", "1. Shift Qc by 20 MPA",
        "2. Delete reading 5 (0.25 m)", "Incl. [deg]"},
       {"no clean-up steps"},
       {}},
      {"no pore pressure, no final baseline, the overlay",
       "sample_no_pore.cpt",
       {"--layout", "overlay"},
       "log.pdf",
       1,
       {"Polder Geotechniek", "PG-0931", "S-17", "Qc 0.0188 / not recorded", "qc MPa", "Rf %",
        "ISO 22476-1 class 3"},
       {"u2"},
       {}},
      {"position, level, cone area, area ratio and predrill from a GEF file",
       "gef_voids_amid.gef",
       {},
       "log.pdf",
       1,
       {"X 108025.00, Y 432600.00", "-1.53 m", "1500 mm²", "0.80", "1.00 m"},
       {},
       {}},
      {"10,000 readings to 200 m: 20 m a page",
       "big",
       {},
       "log.pdf",
       10,
       {"Page 10 of 10", "200.00 m", "Throughput BV"},
       {},
       {}},
      {"10,000 readings, 50 m a page",
       "big",
       {"--metres-per-page", "50"},
       "log.pdf",
       4,
       {"Page 4 of 4"},
       {},
       {}},
      {"an SVG file per page",
       "sample_sand_005.cpt",
       {},
       "log.svg",
       2,
       {},
       {},
       {"log-1.svg", "log-2.svg"}},
      {"a single page keeps its name",
       "sample_clay_002.cpt",
       {},
       "log.png",
       1,
       {},
       {},
       {"log.png"}},
  };
  for (const LogCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = temporaryFolder();
    std::vector<std::string> args = {"log", input(c.input), "-o", folder + "/" + c.output};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = runCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    if (!c.files.empty()) {
      std::vector<std::string> written;
      for (const auto& entry : std::filesystem::directory_iterator(folder))
        written.push_back(entry.path().filename().string());
      std::sort(written.begin(), written.end());
      EXPECT_EQ(written, c.files);
      continue;
    }
    const std::string pdf = folder + "/" + c.output;
    // "Pages: N", then "Page K size: W x H pts (A4)" for every page.
    std::istringstream info(outputOf("pdfinfo -f 1 -l 9999 " + pdf));
    int pages = 0, sized = 0;
    for (std::string line; std::getline(info, line);) {
      int page = 0;
      double width = 0, height = 0;
      std::sscanf(line.c_str(), "Pages: %d", &pages);
      if (std::sscanf(line.c_str(), "Page %d size: %lf x %lf pts", &page, &width, &height) == 3) {
        ++sized;
        EXPECT_NEAR(width, 595.276, 1) << line;  // 210 mm
        EXPECT_NEAR(height, 841.89, 1) << line;  // 297 mm
      }
    }
    EXPECT_EQ(pages, c.pages);
    EXPECT_EQ(sized, c.pages);
    const std::string text = outputOf("pdftotext -layout " + pdf + " -");
    for (const std::string& t : c.texts) EXPECT_NE(text.find(t), std::string::npos) << t;
    for (const std::string& t : c.absent) EXPECT_EQ(text.find(t), std::string::npos) << t;
  }
}

// The points of the polylines drawn 0.3 mm wide (the curves), and the texts, of an SVG page.
struct SvgPage {
  std::vector<QPointF> curvePoints;
  struct Text {
    double x, y;
    std::string text;
  };
  std::vector<Text> texts;
};

std::string attribute(const std::string& tag, const std::string& name) {
  const std::size_t at = tag.find(" " + name + "=\"");
  if (at == std::string::npos) return {};
  const std::size_t from = at + name.size() + 3;
  return tag.substr(from, tag.find('"', from) - from);
}

SvgPage readSvg(const std::string& svg, const QRectF& within) {
  SvgPage page;
  for (std::size_t g = svg.find("<g "); g != std::string::npos; g = svg.find("<g ", g + 1)) {
    const std::string tag = svg.substr(g, svg.find('>', g) - g);
    const std::size_t end = svg.find("</g>", g);
    if (attribute(tag, "stroke-width") != "3") continue;
    for (std::size_t p = svg.find("<polyline", g); p < end; p = svg.find("<polyline", p + 1)) {
      std::istringstream points(attribute(svg.substr(p, svg.find('>', p) - p), "points"));
      std::vector<QPointF> line;
      double x, y;
      for (char comma; points >> x >> comma >> y;) line.emplace_back(x, y);
      if (!line.empty() && within.adjusted(-0.01, 0, 0.01, 0).contains(line.front()))
        page.curvePoints.insert(page.curvePoints.end(), line.begin(), line.end());
    }
  }
  for (std::size_t t = svg.find("<text"); t != std::string::npos; t = svg.find("<text", t + 1)) {
    const std::size_t close = svg.find('>', t), end = svg.find("</text>", close);
    const std::string tag = svg.substr(t, close - t);
    page.texts.push_back({std::stod(attribute(tag, "x")), std::stod(attribute(tag, "y")),
                          svg.substr(close + 1, end - close - 1)});
  }
  return page;
}

// Depth and qc (MPa) of every reading with a qc, from the readings table.
std::vector<std::pair<double, double>> qcReadings(const std::string& file) {
  const std::string csv = temporaryFolder() + "/readings.csv";
  EXPECT_EQ(runCli({"csv", file, "-o", csv}).status, 0);
  std::istringstream lines(fileBytes(csv));
  std::string line;
  std::getline(lines, line);
  const double toMPa = line.find("Qc (KPA)") != std::string::npos ? 0.001 : 1.0;
  EXPECT_TRUE(line.find("Depth (m),Speed (cm/s),Qc (") == 0) << line;
  std::vector<std::pair<double, double>> readings;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string depth, speed, qc;
    std::getline(fields, depth, ',');
    std::getline(fields, speed, ',');
    std::getline(fields, qc, ',');
    if (!qc.empty()) readings.emplace_back(std::stod(depth), std::stod(qc) * toMPa);
  }
  return readings;
}

// The qc line of page 1, its x read back through the scale and its y through the depth
// window, gives each reading's qc and depth within 0.1 mm on the sheet; a qc beyond the
// scale lies on the right edge and the largest has its value written beside it.
TEST(Log, QcCurveMapsBackToTheReadings) {
  const std::string file = dataPath("sample_sand_005.cpt");
  const std::string folder = temporaryFolder();
  const CliRun run = runCli({"log", file, "-o", folder + "/log.svg", "--scale", "qc=0:10"});
  ASSERT_EQ(run.status, 0) << run.err;

  auto [sounding, opened, notes] = openSoundingFile(file, projectDefinitions());
  ASSERT_TRUE(sounding) << opened.message;
  Session session(projectDefinitions());
  session.open(std::move(sounding), file);
  report::LogOptions options;
  options.scale(report::LogGraph::Qc) = {0, 10};
  const report::CptLog log = report::cptLog(session, options);
  const report::LogPageLayout layout = report::logPageLayout(log);
  const QRectF area = layout.tracks.front().area;
  ASSERT_EQ(layout.tracks.front().graph, report::LogGraph::Qc);

  const SvgPage page = readSvg(fileBytes(folder + "/log-1.svg"), area);
  std::vector<std::pair<double, double>> onPage;
  for (auto [depth, qc] : qcReadings(file))
    if (depth <= log.pageBottom(1)) onPage.emplace_back(depth, qc);
  ASSERT_EQ(page.curvePoints.size(), onPage.size());

  const double mmPerMetre = layout.plot.height() / 10 / log.pageHeightMetres();
  const double mmPerMPa = area.width() / 10 / 10;
  std::pair<double, double> largest{0, 0};
  for (std::size_t i = 0; i < onPage.size(); ++i) {
    const auto [depth, qc] = onPage[i];
    const QPointF at = page.curvePoints[i];
    const double depthBack = log.pageTop(1) + (at.y() - layout.plot.top()) / 10 / mmPerMetre;
    const double qcBack = (at.x() - area.left()) / 10 / mmPerMPa;
    EXPECT_NEAR(depthBack * mmPerMetre, depth * mmPerMetre, 0.1) << depth;
    if (qc <= 10)
      EXPECT_NEAR(qcBack * mmPerMPa, qc * mmPerMPa, 0.1) << depth << " m, " << qc << " MPa";
    else
      EXPECT_NEAR(at.x(), area.right(), 0.01) << depth << " m, " << qc << " MPa at the edge";
    if (qc > largest.second) largest = {depth, qc};
  }
  ASSERT_GT(largest.second, 10);
  char label[32];
  std::snprintf(label, sizeof label, "%.1f", largest.second);
  const double y = layout.plot.top() + (largest.first - log.pageTop(1)) * mmPerMetre * 10;
  bool labelled = false;
  for (const SvgPage::Text& t : page.texts)
    labelled = labelled || (t.text == label && std::fabs(t.y - y) < 40 && t.x > area.center().x() &&
                            t.x < area.right());
  EXPECT_TRUE(labelled) << label << " beside the edge at " << largest.first << " m";
}

}  // namespace
}  // namespace pelorin::test
