#pragma once
// Fill Gaps: makes every channel whole, so that the sounding can be saved as a sounding file
// with every value at its depth.
//   - A value missing between a channel's first and last value becomes the straight line in
//     depth between the nearest values of that channel above and below it.
//   - Values missing above a channel's first value become its lag, as a sounding file tells it.
//   - A sounding file cannot tell a value missing below a channel's last value either: the
//     sounding ends at the deepest reading where every channel still has a value.

#include <array>
#include <string>

#include "sounding/sounding.hpp"

namespace pelorin {

struct FillGapsResult {
  PerChannel<int> filled{};     // values put in by channel
  PerChannel<int> lagAdded{};   // readings added to each channel's lag
  int readingsRemoved = 0;      // readings taken off the bottom
  PerChannel<bool> shortest{};  // the channels whose last value ends the sounding
};

FillGapsResult fillGaps(Sounding& s);

// "Fill gaps: Fs 12 values, U2 3 values; 2 readings at the bottom without Fs removed".
std::string fillGapsDescription(const Sounding& s, const FillGapsResult& r);

}  // namespace pelorin
