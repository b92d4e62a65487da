#include "interpret/soil_behaviour_chart.hpp"

#include <cmath>

namespace pelorin {

int behaviourZone(double Qtn, double Fr, double Ic) {
  if (Qtn <= 12 * std::exp(-1.4 * Fr)) return 1;
  if (Fr > 1.5) {
    const double x = Fr - 1;
    // The curve's denominator is positive for Fr from about 1.41 to 17.3 only.
    const double denominator = 0.005 * x - 0.0003 * x * x - 0.002;
    if (denominator > 0 && Qtn > 1 / denominator) return Fr < 4.5 ? 8 : 9;
  }
  int zone = 7;
  for (double bound : IcZoneBounds) {
    if (Ic < bound) break;
    --zone;
  }
  return zone;
}

unsigned zoneRgb(int zone) {
  constexpr unsigned colours[] = {0xffffff, 0xd63a28, 0x8c5a32, 0x3c6eb4, 0x46aabe,
                                  0x78c88c, 0xf0d25a, 0xf0963c, 0xa0a0a0, 0x646464};
  return colours[zone >= 1 && zone <= 9 ? zone : 0];
}

bool outsideChart(double Qtn, double Fr) { return Fr < 0.1 || Fr > 10 || Qtn < 1 || Qtn > 1000; }

}  // namespace pelorin
