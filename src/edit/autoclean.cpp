#include "edit/autoclean.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "sounding/units.hpp"
#include "text/number_text.hpp"

namespace pelorin {

namespace {

constexpr int kPoreChannel = 3;      // the interpretation software expects U2 in column 3
constexpr int kPoreChannelType = 3;  // pore pressure U2
// The empty channel: raw output equal to its zero, so every engineering value is 0 kPa.
constexpr float kPoreFullScaleOutput = 1.0f;
constexpr float kPoreZeroReading = 1.0f;
constexpr float kPoreFullScaleValue = 3447.5f;

int readingCount(const Sounding& s) { return std::clamp<int>(s.NumReadings, 0, MaxReadings); }
int channelCount(const Sounding& s) { return std::clamp<int>(s.NumChannels, 0, MaxChannels); }

bool usableIncrement(float increment) { return std::isfinite(increment) && increment > 0; }

// What setting the channel's unit list to the channel's own unit does: the ordinary unit
// change. A type without definitions has an empty list, so nothing is selected.
void selectOwnUnit(Sounding& s, const ChannelDefinitions& defs, int c) {
  int type = s.ChannelType[c];
  if (type < 1 || type > MaxChannelTypes) return;
  int option = s.ChannelUnit[c];
  if (option < 1 || option > std::min<int>(defs.UnitCount[type], MaxUnitOptions)) return;
  changeChannelUnit(s, defs, c, option);
}

void moveChannelUp(Sounding& s, int from, int readings) {
  int to = from + 1;
  s.ChannelName[to] = s.ChannelName[from];
  s.FullScaleOutput[to] = s.FullScaleOutput[from];
  s.Baseline[to] = s.Baseline[from];  // both zero readings: before and after the sounding
  s.FullScaleValue[to] = s.FullScaleValue[from];
  s.ChannelUnit[to] = s.ChannelUnit[from];
  s.ChannelType[to] = s.ChannelType[from];
  s.ChannelFactor[to] = s.ChannelFactor[from];
  s.BaselineDrift[to] = s.BaselineDrift[from];
  s.ChannelLag[to] = s.ChannelLag[from];
  std::copy_n(&s.RawReading[from][1], readings, &s.RawReading[to][1]);
  std::copy_n(&s.Reading[from][1], readings, &s.Reading[to][1]);
}

}  // namespace

bool insertPoreChannel(Sounding& s, const ChannelDefinitions& defs) {
  const int channels = s.NumChannels;
  if (!s.NoPoreChannel || channels < 2 || channels >= MaxChannels) return false;
  const int readings = readingCount(s);

  for (int i = channels; i >= kPoreChannel; --i) {
    moveChannelUp(s, i, readings);
    selectOwnUnit(s, defs, i + 1);
  }

  const int c = kPoreChannel;
  s.ChannelName[c] = InsertedPoreChannelName;
  s.FullScaleOutput[c] = kPoreFullScaleOutput;
  s.Baseline[c][1] = kPoreZeroReading;
  // No drift: the zero after the sounding, where the file has one, equals the zero before.
  s.Baseline[c][2] = s.HasFinalBaseline ? kPoreZeroReading : 0.0f;
  s.FullScaleValue[c] = kPoreFullScaleValue;
  s.ChannelUnit[c] = 1;
  s.ChannelFactor[c] = 1.0f;
  // The type goes in before the unit list is filled, so the selection below derives its
  // factor from the pore-pressure units.
  s.ChannelType[c] = kPoreChannelType;
  s.ChannelLag[c] = 0;
  s.BaselineDrift[c] = 0.0f;
  for (int n = 1; n <= readings; ++n) {
    s.RawReading[c][n] = 1.0f;
    s.Reading[c][n] = toSingle((static_cast<double>(s.RawReading[c][n]) - s.Baseline[c][1]) /
                               s.FullScaleOutput[c] * s.FullScaleValue[c] * s.ChannelFactor[c]);
  }
  selectOwnUnit(s, defs, c);

  s.NumChannels = static_cast<std::int16_t>(channels + 1);
  s.NoPoreChannel = false;
  return true;
}

int snapDepthsToIncrement(Sounding& s) {
  if (!usableIncrement(s.DepthIncrement)) return 0;
  const double increment = s.DepthIncrement;
  const double stepCm = toSingle(increment * 100);
  const int readings = readingCount(s);
  int moved = 0;
  float previous = 0.0f;  // reading 1 has no predecessor: the surface
  for (int n = 1; n <= readings; ++n) {
    const float depth = s.Depth[n];
    const double cm = std::floor(static_cast<double>(depth) * 100 + 0.5);
    const double q = cm / stepCm;
    const double below = std::floor(q);
    // A depth whose whole centimetres lie on the grid stays exactly as it was.
    if (below != static_cast<double>(toSingle(q))) {
      float snapped = toSingle(increment * below);
      if (snapped == previous) snapped = toSingle(previous + increment);
      if (snapped != depth) ++moved;
      s.Depth[n] = snapped;
    }
    previous = s.Depth[n];
  }
  return moved;
}

// The readings are filled in as if each inserted reading were put in on its own, moving
// every later reading one place down: the pass examines readings 2 to the original count
// minus 1 of the growing sounding, and an inserted reading is itself examined next.
// Instead of moving the later readings once per insertion, a first pass works out where
// every reading ends up and the columns are then rewritten once.
int fillDepthGaps(Sounding& s) {
  if (!usableIncrement(s.DepthIncrement)) return 0;
  const double increment = s.DepthIncrement;
  const int original = readingCount(s);
  const int last = original - 1;  // fixed before anything is inserted
  auto gapAfter = [&](float depth, float nextDepth) {
    return toSingle(depth + 2 * increment) <= nextDepth;
  };

  int first = 2;
  while (first <= last && !gapAfter(s.Depth[first], s.Depth[first + 1])) ++first;
  if (first > last || original >= MaxReadings) return 0;

  // Readings first + 1 .. count after filling: depth, speed, and the original reading whose
  // channel values each one carries (an inserted reading carries those of the reading that
  // follows it, and the speed of the one before it).
  std::vector<float> depths, speeds;
  std::vector<std::int32_t> carries;
  const std::size_t room = static_cast<std::size_t>(MaxReadings - first);
  depths.reserve(room);
  speeds.reserve(room);
  carries.reserve(room);
  auto keep = [&](int n) {
    depths.push_back(s.Depth[n]);
    speeds.push_back(s.Speed[n]);
    carries.push_back(n);
  };

  int count = original;
  int next = first + 1;  // the original reading that follows the one examined
  float depth = s.Depth[first];
  float speed = s.Speed[first];
  for (int i = first; i <= last; ++i) {
    if (gapAfter(depth, s.Depth[next])) {
      if (count >= MaxReadings) break;  // no room: the rest stays as it is
      ++count;
      depth = toSingle(depth + increment);
      depths.push_back(depth);
      speeds.push_back(speed);
      carries.push_back(next);
    } else {
      depth = s.Depth[next];
      speed = s.Speed[next];
      keep(next++);
    }
  }
  while (next <= original) keep(next++);

  std::copy(depths.begin(), depths.end(), &s.Depth[first + 1]);
  std::copy(speeds.begin(), speeds.end(), &s.Speed[first + 1]);

  // Channel c's value for reading m stands at position m - lag. Positions are rewritten
  // from the end, each from the same or an earlier position, so nothing is read after it
  // has been overwritten. Where a reading was put in among the first lag readings (which
  // have no value of the channel) the source lies before position 1: it reads element 0,
  // as moving the rows one at a time does.
  for (int c = 1; c <= channelCount(s); ++c) {
    const int lag = std::max<int>(s.ChannelLag[c], 0);
    auto& values = s.Reading[c];
    // The channel's last lag positions: those past the original readings become markers,
    // the others keep what they held.
    if (lag > 0)
      for (int k = std::max({original + 1, count - lag + 1, 1}); k <= count; ++k)
        values[k] = NoValue;
    for (int k = count - lag; k >= std::max(1, first + 1 - lag); --k) {
      int source = carries[static_cast<std::size_t>(k + lag - first - 1)] - lag;
      values[k] = values[std::max(source, 0)];
    }
  }

  s.NumReadings = count;
  return count - original;
}

AutoCleanResult autoClean(Sounding& s, const ChannelDefinitions& defs) {
  AutoCleanResult result;
  if (insertPoreChannel(s, defs)) {
    result.channelInserted = true;
    result.firstRebuiltChannel = kPoreChannel;
  }
  result.depthsMoved = snapDepthsToIncrement(s);
  result.readingsInserted = fillDepthGaps(s);
  return result;
}

}  // namespace pelorin
