#pragma once
// What the readings say about the ground: corrected cone resistance qt, friction ratio Rf,
// stresses, the normalised values Qt, Fr, Bq, Qtn (Robertson 2009, iterated), the behaviour
// indices Ic and Isbt and the soil behaviour type zone, for the sounding as it stands. Every
// input is stated with where it came from. Units: m, kPa, kN/m3, percent.

#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sounding/sounding.hpp"

namespace pelorin {

enum class InputSource {
  File,        // the sounding's file (GEF #MEASUREMENTVAR 3, AGS SCPG_CAR)
  HeaderText,  // the leading number of the Water Table Depth header text
  Option,      // chosen by the user (a batch-tool option, the window's form)
  Assumed,     // nothing told: a usual value taken
  Default,     // the method's own constant or choice
};
// "file", "header text", "option", "assumed", "default".
const char* sourceText(InputSource source);

template <typename T>
struct Stated {
  T value{};
  InputSource source = InputSource::Default;
  bool operator==(const Stated&) const = default;
};

enum class UnitWeightMethod {
  Constant,            // InterpretationInputs::unitWeight everywhere
  RobertsonCabal2010,  // gamma / gamma_w = 0.27 log Rf + 0.36 log(qt / pa) + 1.236, 14 to 22
  Layers,              // InterpretationInputs::layers
};
// "constant", "robertson2010", "layers".
const char* methodText(UnitWeightMethod method);

// Robertson & Cabal (2010): the unit weight is bounded to these (kN/m3).
inline constexpr double UnitWeightLow = 14, UnitWeightHigh = 22;

// A layer of the ground from the bottom of the one above it (the surface for the first) down
// to `bottom` (m); the last one reaches down for ever.
struct UnitWeightLayer {
  double bottom = 0;  // m below the surface
  double gamma = 0;   // kN/m3
  bool operator==(const UnitWeightLayer&) const = default;
};

struct InterpretationInputs {
  Stated<double> areaRatio{0.8, InputSource::Assumed};  // net area ratio a of the cone
  Stated<double> waterDepth{0, InputSource::Assumed};   // water level, m below the surface
  Stated<UnitWeightMethod> unitWeightMethod{UnitWeightMethod::RobertsonCabal2010};
  double unitWeight = 18;               // kN/m3, for Constant
  std::vector<UnitWeightLayer> layers;  // for Layers, from the top down
  Stated<double> gammaW{9.81};          // unit weight of the pore water, kN/m3
  Stated<double> pa{100};               // atmospheric pressure, kPa
  Stated<std::optional<double>> cnCap;  // largest (pa / sigma'v0)^n; none: not capped
  bool operator==(const InterpretationInputs&) const = default;
};

// What the user chose; unset: not chosen.
struct InputChoices {
  std::optional<double> areaRatio, waterDepth, cnCap;
  std::optional<UnitWeightMethod> unitWeightMethod;  // unset: Robertson & Cabal (2010)
  double unitWeight = 18;                            // kN/m3, with Constant
  bool operator==(const InputChoices&) const = default;
};

// The inputs for a sounding: the area ratio from the file (0 < a <= 1), else the choice, else
// 0.8 assumed; the water depth chosen, else the leading number of waterTableText (the Water
// Table Depth header text as it stands), else 0 assumed; the unit weight method chosen, else
// Robertson & Cabal (2010); a Cn cap only when chosen.
InterpretationInputs resolveInputs(const Sounding& s, std::string_view waterTableText,
                                   const InputChoices& choices);

// One reading's values, pressures in kPa; NaN where it has none (zone 0). A reading without a
// cone resistance, sleeve friction or (with a u2 channel) pore pressure has stresses only.
struct DerivedReading {
  static constexpr double None = std::numeric_limits<double>::quiet_NaN();
  double depth = None;                     // m
  double qc = None, fs = None, u2 = None;  // kPa
  double qt = None, Rf = None;             // kPa, %
  double gamma = None;                     // kN/m3, from the reading above down
  double sigmaV0 = None, u0 = None, sigmaV0Eff = None, qnet = None;  // kPa
  double Qt = None, Fr = None, Bq = None;                            // -, %, -
  double n = None, Qtn = None, Ic = None, Isbt = None;
  int zone = 0;  // 1 to 9
  bool outsideChart = false;
};

struct Interpretation {
  InterpretationInputs inputs;
  bool porePressure = false;             // a u2 channel was measured; without one qt = qc
  std::vector<std::string> notes;        // what was left out and why, in the user's words
  std::vector<DerivedReading> readings;  // reading n at index n - 1
  double depthIncrement = 0;             // m, the sounding's
};

// qc, fs and u2 are the first channels of types 1, 2 and 3, in the base units of their
// definitions turned into kPa. AutoClean's empty pore-pressure channel counts as none.
Interpretation interpret(const Sounding& s, const ChannelDefinitions& defs,
                         const InterpretationInputs& inputs);

// A reading whose zone differs between two interpretations: `after`'s reading, at its depth,
// against `before`'s reading nearest in depth (within half `before`'s depth increment).
struct ZoneChange {
  int reading = 0;  // in `after`
  double depth = 0;
  int before = 0, after = 0;  // 0: no zone
};
std::vector<ZoneChange> zoneChanges(const Interpretation& before, const Interpretation& after);

}  // namespace pelorin
