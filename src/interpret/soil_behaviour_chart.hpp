#pragma once
// Robertson's normalised soil behaviour type chart (SBTn, Robertson 1990, 2009, 2010): zones
// 1 to 9 from the normalised cone resistance Qtn and the normalised friction ratio Fr (%).

#include <array>
#include <cmath>

namespace pelorin {

// The behaviour index of a point of the chart: sqrt((3.47 - log Q)^2 + (log F + 1.22)^2),
// from the decimal logarithms of its cone resistance and friction ratio (%). With Qtn and Fr
// it is Ic (Robertson 2009); with qt/pa and Rf it is Isbt (Robertson 2010).
inline double behaviourIndex(double logQ, double logF) {
  const double q = 3.47 - logQ, f = logF + 1.22;
  return std::sqrt(q * q + f * f);
}

// The Ic bounds between zones 7|6|5|4|3|2: a zone holds the indices from its lower bound up
// to, not including, its upper one.
inline constexpr std::array<double, 5> IcZoneBounds = {1.31, 2.05, 2.60, 2.95, 3.60};

// The zone of a point with Qtn > 0, Fr > 0 and Ic its behaviour index:
//   1 (sensitive fine-grained) where Qtn <= 12 exp(-1.4 Fr);
//   8 and 9 (very stiff, overconsolidated) above Qtn = 1 / (0.005 (Fr - 1) - 0.0003 (Fr - 1)^2
//     - 0.002) where Fr > 1.5, 8 below Fr = 4.5 and 9 from it;
//   otherwise 7 to 2 by IcZoneBounds.
int behaviourZone(double Qtn, double Fr, double Ic);

// The usual colour of a zone (1 to 9) as 0xRRGGBB: sensitive fine-grained red, organic brown,
// clays blue, silt mixtures blue-green, sand mixtures green, sands yellow, gravelly sands
// orange, the two very stiff soils grey; white for none.
unsigned zoneRgb(int zone);

// The chart's drawn extent: Fr 0.1 to 10 % and Qtn 1 to 1000. A point beyond it keeps its
// zone, marked.
bool outsideChart(double Qtn, double Fr);

}  // namespace pelorin
