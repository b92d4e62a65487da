#include "edit/combine.hpp"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

constexpr const char* kNoFileSelected = "No File Selected.";
constexpr const char* kSameCone =
    "The same cone was used for both test.  The baseline of the first file will be used.";
constexpr const char* kDifferentCones =
    "Different cones have been used.  The conversion factors of the second file will be used.";
constexpr const char* kChannelCountDiffers =
    "There number of channels recorded in the 1st file do not match the number of channels in "
    "the 2nd file.  Only those channels that are in both files will be recorded.";

constexpr std::size_t kDepthColumns = 7;     // "@@@@@@@"
constexpr std::size_t kChannelColumns = 15;  // "@@@@@@@@@@@@@@@"

void appendRight(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

// Raw output to engineering value with one channel's calibration, left to right.
float engineering(float raw, float baseline, float fullScaleOutput, float fullScaleValue,
                  float factor) {
  return toSingle((static_cast<double>(raw) - baseline) / fullScaleOutput * fullScaleValue *
                  factor);
}

// The tables of the second sounding from the file as the reader left it.
void takeSecondSounding(const Sounding& file, const Sounding& first, bool sameCone,
                        SecondSounding& t) {
  t.ConeNumber2 = file.ConeNumber;
  t.Source2 = file.Source;
  t.NumChannels2 = file.NumChannels;
  t.ChannelMap.fill(0);
  for (int k = 1; k <= t.NumChannels2; ++k) {
    t.ChannelType2[k] = file.ChannelType[k];
    t.ChannelName2[k] = file.ChannelName[k];
    t.FullScaleOutput2[k] = file.FullScaleOutput[k];
    t.Baseline2[k] = file.Baseline[k][1];
    t.FullScaleValue2[k] = file.FullScaleValue[k];
    t.ChannelFactor2[k] = file.ChannelFactor[k];
    // The last channel of the open sounding with the same type receives the values.
    for (int j = 1; j <= first.NumChannels; ++j)
      if (first.ChannelType[j] == t.ChannelType2[k]) t.ChannelMap[k] = static_cast<std::int16_t>(j);
  }

  const int count = file.NumReadings;
  t.NumReadings2 = count;
  std::copy_n(file.Depth.begin() + 1, count, t.Depth2.begin() + 1);
  std::copy_n(file.Speed.begin() + 1, count, t.Speed2.begin() + 1);
  for (int k = 1; k <= t.NumChannels2; ++k) {
    // The reader converted with the second file's own calibration. With the same cone the
    // first file's zero reading and calibration hold, in the unit now shown for channel j.
    const int j = t.ChannelMap[k];
    const auto& raw = file.RawReading[k];
    auto& values = t.Reading2[k];
    if (file.Source != SoundingSource::SoundingFile && j > 0) {
      // A GEF or AGS4 file holds values, not instrument output: its reader left them in the
      // base unit, which turns into the unit channel j is shown in.
      for (int n = 1; n <= count; ++n)
        values[n] = raw[n] == NoValue
                        ? NoValue
                        : toSingle(raw[n] * static_cast<double>(first.ChannelFactor[j]));
    } else if (sameCone && j > 0) {
      for (int n = 1; n <= count; ++n)
        values[n] = raw[n] == NoValue
                        ? NoValue
                        : engineering(raw[n], first.Baseline[j][1], first.FullScaleOutput[j],
                                      first.FullScaleValue[j], first.ChannelFactor[j]);
    } else {
      std::copy_n(file.Reading[k].begin() + 1, count, values.begin() + 1);
    }
  }

  // Lag as counted from the markers; without markers the friction sleeve is taken to
  // trail the tip by 0.1 m or 0.15 m as the second cone's full scale tells, in steps of
  // the open sounding's depth increment.
  t.MaxLag2 = file.MaxLag;
  if (t.MaxLag2 == 0 && first.DepthIncrement > 0) {
    double trail = t.FullScaleValue2[1] == 100000.0f   ? 0.1
                   : t.FullScaleValue2[1] == 150000.0f ? 0.15
                                                       : 0.0;
    t.MaxLag2 = static_cast<std::int16_t>(
        std::min<std::int64_t>(roundHalfEven(trail / first.DepthIncrement), MaxReadings));
  }
}

void fillPanel(const Sounding& first, const SecondSounding& t, CombinePanel& panel) {
  std::vector<int> shownChannels;
  for (int k = 1; k <= t.NumChannels2; ++k)
    if (t.ChannelMap[k] > 0) shownChannels.push_back(k);

  panel.channelHeads = " Depth";
  for (int k : shownChannels) appendRight(panel.channelHeads, t.ChannelName2[k], kChannelColumns);

  std::string& data = panel.readingLines;
  data.clear();
  data.reserve(static_cast<std::size_t>(t.NumReadings2) *
               (kDepthColumns + kChannelColumns * shownChannels.size() + 2));
  for (int n = 1; n <= t.NumReadings2; ++n) {
    // Metres whatever the grid's depth unit.
    appendRight(data, formatPattern(t.Depth2[n], "##0.00"), kDepthColumns);
    for (int k : shownChannels)
      appendRight(data, formatPattern(t.Reading2[k][n], "##########0.000"), kChannelColumns);
    data += "\r\n";
  }

  panel.shown = true;
  panel.finalDepthOfFirst = blankLedNumber(first.Depth[first.NumReadings]) + " m";
  panel.startDepth = blankLedNumber(t.Depth2[1]);
  panel.normalizeDepth = true;
}

// How many of the second sounding's depths the typed depth reaches, each depth taken at
// the precision it is written in (seven significant digits), so a typed 1.2 reaches a
// depth stored as the float nearest to 1.2. Writing every depth out is slow; it is done
// only where the depth lies close enough to the typed value for the rounding to matter.
int startIndex(double typed, const SecondSounding& t, int count) {
  int reached = 0;
  for (int i = 1; i <= count; ++i) {
    double depth = t.Depth2[i];
    double margin = std::fabs(depth) * 1e-6;  // seven digits move a value by at most half that
    if (typed > depth + margin ||
        (typed >= depth - margin && typed >= numericPrefix(generalNumber(depth))))
      ++reached;
  }
  return reached;
}

}  // namespace

CombinePanel readSecondSounding(std::string_view bytes, const std::string& fileName,
                                const Sounding& first, const ChannelDefinitions& defs,
                                SecondSounding& second) {
  CombinePanel panel;
  // The one sounding file reader, into a scratch model: the tables and the open sounding
  // change only once the whole file has been read.
  auto file = std::make_unique<Sounding>();
  std::vector<std::string> notes;
  if (Outcome read = readAnySoundingFile(bytes, fileName, defs, *file, notes); !read) {
    panel.messages.push_back(read.message);
    return panel;
  }
  if (file->NumReadings == 0) {
    panel.messages.push_back("Cannot combine \"" + fileName + "\": the file holds no readings.");
    return panel;
  }

  // The cone as line 4 of each file names it, exactly: case and blanks count.
  const bool sameCone = file->ConeNumber == first.ConeNumber;
  panel.messages.push_back(sameCone ? kSameCone : kDifferentCones);
  if (file->NumChannels != first.NumChannels) panel.messages.push_back(kChannelCountDiffers);

  takeSecondSounding(*file, first, sameCone, second);
  fillPanel(first, second, panel);
  for (const std::string& note : notes)
    panel.messages.push_back(std::string("\"").append(fileName).append("\": ").append(note));
  return panel;
}

CombinePanel readSecondSoundingFile(const std::string& path, const Sounding& first,
                                    const ChannelDefinitions& defs, SecondSounding& second,
                                    std::string* fileBytes) {
  if (path.empty()) {
    CombinePanel cancelled;
    cancelled.messages.push_back(kNoFileSelected);
    return cancelled;
  }
  std::string bytes;
  if (Outcome read = readWholeFile(path, bytes); !read) {
    CombinePanel unreadable;
    unreadable.messages.push_back(read.message);
    return unreadable;
  }
  if (fileBytes) *fileBytes = bytes;
  return readSecondSounding(bytes, path, first, defs, second);
}

std::string tooShortToAppendTo(const Sounding& s, bool normalizeDepth) {
  // The last MaxLag readings are replaced, and normalising continues from the reading
  // before the last one: both must exist.
  const int needed = std::max(s.MaxLag + 1, normalizeDepth ? 2 : 1);
  if (s.NumReadings >= needed) return {};
  return "Cannot combine: the 1st file needs at least " + std::to_string(needed) +
         " readings and has " + std::to_string(s.NumReadings) + ".";
}

Outcome appendSecondSounding(Sounding& s, const SecondSounding& t, std::string_view startDepthText,
                             bool normalizeDepth, DepthUnit unit) {
  const int count2 = std::clamp(t.NumReadings2, 0, MaxReadings);
  if (count2 == 0) {
    return Outcome::refused("Cannot combine: no 2nd file has been read.");
  }
  // The reading before the last one, as the sounding stands when OK is pressed.
  const int reference = s.NumReadings - 1;
  const double typed = numericPrefix(startDepthText);
  const float start = toSingle(typed);

  if (start < t.Depth2[1] || start > t.Depth2[count2]) {
    return Outcome::refused("Value must be between " + formatPattern(t.Depth2[1], "##0.00") +
                            " and " + generalNumber(t.Depth2[count2]) + ".");
  }
  const float finalDepth = s.Depth[std::clamp(s.NumReadings, 0, MaxReadings)];
  if (!normalizeDepth && start <= finalDepth) {
    return Outcome::refused("Value must be greater than " + generalNumber(finalDepth) + " m.");
  }
  if (std::string refusal = tooShortToAppendTo(s, normalizeDepth); !refusal.empty()) {
    return Outcome::refused(refusal);
  }
  int appended = 0;
  for (int i = 1; i <= count2; ++i)
    if (start <= t.Depth2[i]) ++appended;
  const long total = static_cast<long>(s.NumReadings) - s.MaxLag + appended;
  if (total > MaxReadings) {
    return Outcome::refused("Cannot combine: the combined file would have " +
                            std::to_string(total) +
                            " readings, more than the 10,000 a sounding can hold.");
  }

  // A typed depth just below the first depth can round up to it in single precision and
  // reach no depth at all; the depths are then measured from the first reading.
  const int startAt = std::max(1, startIndex(typed, t, count2));
  const double depthAtStart = t.Depth2[startAt];

  // Which channel of the open sounding each second-file channel feeds; a later channel of
  // the same type overwrites an earlier one's value.
  std::vector<std::pair<int, int>> feeds;  // (k, j)
  std::array<bool, MaxChannels + 1> fed{};
  for (int k = 1; k <= std::min<int>(t.NumChannels2, MaxChannels); ++k) {
    const int j = t.ChannelMap[k];
    if (j < 1 || j > MaxChannels) continue;
    feeds.emplace_back(k, j);
    fed[j] = true;
  }
  const int channels = std::clamp<int>(s.NumChannels, 0, MaxChannels);

  s.NumReadings -= s.MaxLag;
  for (int i = 1; i <= count2; ++i) {
    if (!(start <= t.Depth2[i])) continue;
    const int m = ++s.NumReadings;
    // The reference depth is read as it stands now: with a MaxLag of 2 the first appended
    // reading took the reference position, so later ones continue from its new depth.
    s.Depth[m] =
        normalizeDepth
            ? toSingle(t.Depth2[i] - depthAtStart + static_cast<double>(s.Depth[reference]))
            : t.Depth2[i];
    s.Reading[0][m] = displayDepth(s.Depth[m], unit);
    s.Speed[m] = t.Speed2[i];
    for (auto [k, j] : feeds) s.Reading[j][m] = t.Reading2[k][i];
    for (int j = 1; j <= channels; ++j)
      if (!fed[j]) s.Reading[j][m] = NoValue;
  }
  s.MaxLag = t.MaxLag2;
  // Values missing amid the appended channels are voids, as the second file held them.
  if (t.Source2 != SoundingSource::SoundingFile) s.Source = t.Source2;

  return {};
}

}  // namespace pelorin
