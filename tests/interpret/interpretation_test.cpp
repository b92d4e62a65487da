// The derived values against figures published with the open CPT libraries and worked by hand
// from the papers' formulas.

#include "interpret/interpretation.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "edit/sounding_builder.hpp"
#include "interpret/soil_behaviour_chart.hpp"

namespace pelorin::test {
namespace {

// Ic as Robertson (2009) writes it.
double ic(double Qtn, double Fr) {
  return std::hypot(3.47 - std::log10(Qtn), std::log10(Fr) + 1.22);
}

struct ChartCase {
  double Fr, Qtn;
  int zone;
  bool outside;
};

TEST(SoilBehaviourChart, PointsInEachZoneAndBesideEachBound) {
  const ChartCase cases[] = {
      // GEOLib-Plus, tests/robertson_cpt_interpretation/test_robertson_cpt_interpretation.py,
      // test_lithology: one (Fr, Qtn) in each of zones 1 to 9.
      {0.2, 2, 1, false},
      {9, 2, 2, false},
      {8, 10, 3, false},
      {1, 7, 4, false},
      {0.2, 20, 5, false},
      {0.5, 100, 6, false},
      {0.2, 900, 7, false},
      {3, 700, 8, false},
      {9, 700, 9, false},
      // Zone 1 up to 12 exp(-1.4 Fr): 5.95902 at Fr = 0.5.
      {0.5, 5.953, 1, false},
      {0.5, 5.965, 4, false},
      // Zones 8 and 9 above 1 / (0.005 (Fr - 1) - 0.0003 (Fr - 1)^2 - 0.002): 147.059 at Fr = 3,
      // 58.140 at Fr = 7; 8 below Fr = 4.5, 9 from it; neither at Fr 1.5 and below.
      {3, 147.2, 8, false},
      {3, 146.9, 5, false},
      {7, 58.2, 9, false},
      {7, 58.08, 4, false},
      {4.49, 500, 8, false},
      {4.51, 500, 9, false},
      {1.51, 2500, 8, true},
      {1.49, 2500, 6, true},
      // The chart's extent, Fr 0.1 to 10 and Qtn 1 to 1000: a zone beyond it, marked.
      {0.0999, 100, 6, true},
      {0.1, 100, 6, false},
      {10, 50, 4, false},
      {10.01, 50, 4, true},
      {5, 0.999, 2, true},
      {5, 1, 2, false},
      {0.5, 1000, 7, false},
      {0.5, 1000.1, 7, true},
  };
  for (const ChartCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "Fr " << c.Fr << ", Qtn " << c.Qtn);
    EXPECT_EQ(behaviourZone(c.Qtn, c.Fr, ic(c.Qtn, c.Fr)), c.zone);
    EXPECT_EQ(outsideChart(c.Qtn, c.Fr), c.outside);
  }
  // Ic 0.001 below and above each bound 1.31 | 2.05 | 2.60 | 2.95 | 3.60, at a Fr where
  // neither zone 1 nor zones 8 and 9 reach: Qtn = 10^(3.47 - sqrt(Ic^2 - (log Fr + 1.22)^2)).
  const double bounds[] = {1.31, 2.05, 2.60, 2.95, 3.60}, frictions[] = {0.5, 1, 1, 2, 5};
  for (int i = 0; i < 5; ++i)
    for (double step : {-0.001, 0.001}) {
      const double Ic = bounds[i] + step, f = std::log10(frictions[i]) + 1.22;
      const double Qtn = std::pow(10.0, 3.47 - std::sqrt(Ic * Ic - f * f));
      SCOPED_TRACE(testing::Message() << "Ic " << Ic);
      EXPECT_EQ(behaviourZone(Qtn, frictions[i], ic(Qtn, frictions[i])), step < 0 ? 7 - i : 6 - i);
    }
}

// groundhog's tests/siteinvestigation/insitutests/test_pcpt_processing.py on its
// debeer_example.xlsx: layer unit weights, a = 0.8, gamma_w 10.25 and water at the surface.
struct Published {
  double depth;
  double DerivedReading::*value;
  double expected;
  int places;  // assertAlmostEqual's: |value - expected| < 0.5 10^-places
  const char* what;
};

TEST(Interpretation, GroundhogPcptProcessingFigures) {
  std::ifstream in(fixturePath("interpret/groundhog_debeer_rows.txt"));
  std::vector<float> depths, qc, fs, u2;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with('#')) continue;
    std::istringstream row(line);
    float z, c, f, u;
    if (row >> z >> c >> f >> u)
      depths.push_back(z), qc.push_back(c), fs.push_back(f), u2.push_back(u);
  }
  ASSERT_EQ(depths.size(), 5u);
  auto s = makeSounding(depths, 0.02f);
  addChannel(*s, 1, qc, 2);  // MPa
  addChannel(*s, 2, fs, 2);  // MPa
  addChannel(*s, 3, u2, 1);  // kPa

  InterpretationInputs inputs;
  inputs.areaRatio = {0.8, InputSource::Option};
  inputs.waterDepth = {0, InputSource::Option};
  inputs.gammaW = {10.25, InputSource::Option};
  inputs.unitWeightMethod = {UnitWeightMethod::Layers, InputSource::Option};
  inputs.layers = {{3.16, 18}, {5.9, 17}, {14.86, 19.5}, {15.7, 20}, {20, 20}};
  const Published uncapped[] = {
      {4.12, &DerivedReading::u0, 42.23, 2, "water pressure, row 206"},
      {4.20, &DerivedReading::sigmaV0Eff, 31.51, 2, "vertical effective stress, row 210"},
      {12.00, &DerivedReading::Qt, 173.50, 2, "Qt, row 600"},
      {12.00, &DerivedReading::Fr, 0.4349, 4, "Fr, row 600"},
      {12.00, &DerivedReading::Bq, -0.00145, 5, "Bq, row 600"},
      {12.00, &DerivedReading::qnet, 17247.2, 1, "qnet 17.2472 MPa, row 600"},
      {12.10, &DerivedReading::Ic, 1.505, 3, "Ic, row 605"},
      // By Robertson (2009) as written; groundhog caps Cn at 1.7 (below).
      {5.50, &DerivedReading::Ic, 2.993, 2, "Ic, row 275, no cap"},
  };
  const Published capped[] = {{5.50, &DerivedReading::Ic, 3.102, 2, "Ic, row 275, Cn cap 1.7"}};
  auto check = [&](const Interpretation& d, const auto& figures) {
    for (const Published& p : figures) {
      SCOPED_TRACE(p.what);
      auto at = std::find_if(d.readings.begin(), d.readings.end(), [&](const DerivedReading& r) {
        return std::fabs(r.depth - p.depth) < 1e-4;
      });
      ASSERT_NE(at, d.readings.end());
      EXPECT_NEAR(*at.*p.value, p.expected, 0.5 * std::pow(10.0, -p.places));
    }
  };
  const Interpretation d = interpret(*s, projectDefinitions(), inputs);
  check(d, uncapped);
  // Ic 2.993 lies in zone 3 (2.95 to 3.60), Fr 11.4 % beyond the chart; Ic 1.50 in zone 6.
  EXPECT_EQ(d.readings[2].zone, 3);
  EXPECT_TRUE(d.readings[2].outsideChart);
  EXPECT_EQ(d.readings[3].zone, 6);
  inputs.cnCap = {1.7, InputSource::Option};
  check(interpret(*s, projectDefinitions(), inputs), capped);
}

// Robertson & Cabal (2010), gamma_w 9.81, pa 100 kPa: qt 2 MPa and Rf 2 % give
// 9.81 (0.27 log 2 + 0.36 log 20 + 1.236) = 17.5172 kN/m3; qt 30 MPa and Rf 10 % give 23.5,
// bounded to 22; qt 0.1 MPa and Rf 0.1 % give 9.48, bounded to 14. A reading without a
// sleeve friction takes the unit weight above it; the first's counts from the surface.
TEST(Interpretation, UnitWeightByRobertsonCabalAndTheStressesItGives) {
  auto s = makeSounding({1.0f, 2.0f, 2.5f, 4.0f}, 0.5f);
  addChannel(*s, 1, {2.0f, 30.0f, 1.0f, 0.1f}, 2);  // MPa
  addChannel(*s, 2, {40.0f, 3000.0f, NoValue, 0.1f});
  InputChoices none;
  const Interpretation d = interpret(*s, projectDefinitions(), resolveInputs(*s, "", none));
  const double expected[][2] = {{17.5172, 17.5172},
                                {22, 17.5172 + 22},
                                {22, 17.5172 + 22 + 11},
                                {14, 17.5172 + 22 + 11 + 21}};
  for (std::size_t k = 0; k < 4; ++k) {
    SCOPED_TRACE(k + 1);
    EXPECT_NEAR(d.readings[k].gamma, expected[k][0], 1e-4);
    EXPECT_NEAR(d.readings[k].sigmaV0, expected[k][1], 1e-4);
    // Water at the surface: u0 = 9.81 z.
    EXPECT_NEAR(d.readings[k].u0, 9.81 * s->Depth[k + 1], 1e-9);
  }
  EXPECT_TRUE(std::isnan(d.readings[2].Rf));
  EXPECT_EQ(d.readings[2].zone, 0);
  EXPECT_FALSE(d.porePressure);
  EXPECT_EQ(d.readings[0].qt, d.readings[0].qc);
}

struct InputsCase {
  std::string fileAreaRatio, waterTable;
  std::optional<double> areaRatio, waterDepth;
  double a;
  InputSource aFrom;
  double zw;
  InputSource zwFrom;
};

TEST(Interpretation, InputsComeFromTheFileTheHeaderOrTheUser) {
  const InputsCase cases[] = {
      {"0.59", "", 0.7, {}, 0.59, InputSource::File, 0, InputSource::Assumed},
      {"", "1.80", 0.7, {}, 0.7, InputSource::Option, 1.8, InputSource::HeaderText},
      {"1.5", " 2.5 m below", {}, 3.0, 0.8, InputSource::Assumed, 3.0, InputSource::Option},
      {"x", "about 2 m", {}, {}, 0.8, InputSource::Assumed, 0, InputSource::Assumed},
      {"", "-0.4", {}, {}, 0.8, InputSource::Assumed, -0.4, InputSource::HeaderText},
  };
  for (const InputsCase& c : cases) {
    SCOPED_TRACE(c.fileAreaRatio + " | " + c.waterTable);
    Sounding s;
    s.Site.AreaRatio = c.fileAreaRatio;
    InputChoices choices;
    choices.areaRatio = c.areaRatio, choices.waterDepth = c.waterDepth;
    const InterpretationInputs in = resolveInputs(s, c.waterTable, choices);
    EXPECT_EQ(in.areaRatio.value, c.a);
    EXPECT_EQ(in.areaRatio.source, c.aFrom);
    EXPECT_EQ(in.waterDepth.value, c.zw);
    EXPECT_EQ(in.waterDepth.source, c.zwFrom);
    EXPECT_EQ(in.unitWeightMethod.value, UnitWeightMethod::RobertsonCabal2010);
    EXPECT_FALSE(in.cnCap.value);
  }
}

}  // namespace
}  // namespace pelorin::test
