#include "sounding/open_sounding.hpp"

#include <algorithm>

#include "interchange/exchange_file.hpp"
#include "sounding/units.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

void deriveSoundingValues(Sounding& s) {
  // The mean step from reading 2 on: over ten steps when there are enough readings.
  int k = s.NumReadings;
  if (k >= 12)
    s.DepthIncrement = toSingle((static_cast<double>(s.Depth[12]) - s.Depth[2]) / 10);
  else if (k >= 3)
    s.DepthIncrement = toSingle((static_cast<double>(s.Depth[k]) - s.Depth[2]) / (k - 2));
  else if (k == 2)
    s.DepthIncrement = toSingle(static_cast<double>(s.Depth[2]) - s.Depth[1]);
  else
    s.DepthIncrement = 0;

  // Without markers in the file the friction sleeve is taken to trail the cone tip by
  // 0.1 m or 0.15 m, told apart by the cone's full-scale value.
  if (s.MaxLag == 0) {
    if (s.DepthIncrement > 0) {
      if (s.FullScaleValue[1] == 100000.0f)
        s.ChannelLag[2] = static_cast<std::int16_t>(
            std::min<std::int64_t>(roundHalfEven(0.1 / s.DepthIncrement), MaxReadings));
      else if (s.FullScaleValue[1] == 150000.0f)
        s.ChannelLag[2] = static_cast<std::int16_t>(
            std::min<std::int64_t>(roundHalfEven(0.15 / s.DepthIncrement), MaxReadings));
    }
    s.MaxLag = s.ChannelLag[2];
  }

  s.DataIndex = s.MaxLag + 1;
  s.CurrentRow = static_cast<std::int16_t>(std::min(s.MaxLag + 1, GridRows));
}

Outcome readAnySoundingFile(std::string_view bytes, const std::string& path,
                            const ChannelDefinitions& defs, Sounding& s,
                            std::vector<std::string>& notes, const std::string& push) {
  if (const ExchangeFormatInfo* format = exchangeFormatOf(bytes))
    return format->read(bytes, path, defs, s, notes, push);
  return readSoundingFile(bytes, path, defs, s);
}

Opened openSounding(std::string_view bytes, const std::string& path, const ChannelDefinitions& defs,
                    const std::string& push) {
  auto s = std::make_unique<Sounding>();
  std::vector<std::string> notes;
  Outcome read = readAnySoundingFile(bytes, path, defs, *s, notes, push);
  if (!read) return {nullptr, read, {}};
  if (std::string unmeasured = unmeasuredChannels(*s); !unmeasured.empty())
    notes.push_back(unmeasured);
  deriveSoundingValues(*s);
  s->SoundingFilePath = path;
  applyDisplayDepths(*s, DepthUnit::Metres);
  // The unit the file names; a type without definitions keeps the file's factor.
  for (int c = 1; c <= s->NumChannels; ++c)
    if (defs.UnitCount[s->ChannelType[c]] > 0) changeChannelUnit(*s, defs, c, s->ChannelUnit[c]);
  return {std::move(s), {}, std::move(notes)};
}

Opened openSoundingFile(const std::string& path, const ChannelDefinitions& defs,
                        const std::string& push) {
  std::string bytes;
  if (Outcome read = readWholeFile(path, bytes); !read) return {nullptr, read, {}};
  return openSounding(bytes, path, defs, push);
}

std::string unmeasuredChannels(const Sounding& s) {
  std::string channels;
  for (int c = 1; c <= s.NumChannels; ++c)
    if (s.FullScaleValue[c] == 0)
      channels += (channels.empty() ? "channel " : ", channel ") + std::to_string(c) + " (" +
                  windows1252ToUtf8(s.ChannelName[c]) + ")";
  if (channels.empty()) return {};
  return channels +
         ": a full-scale value of 0 (row 5) makes every reading 0, so its readings are " +
         "no measurements";
}

std::string channelsWithoutDefinitions(const Sounding& s, const ChannelDefinitions& defs) {
  std::string channels;
  for (int c = 1; c <= s.NumChannels; ++c) {
    int type = s.ChannelType[c];
    if (type >= 1 && defs.UnitCount[type] > 0) continue;
    channels += std::string(channels.empty() ? "" : ", ") + "channel " + std::to_string(c) + " (" +
                windows1252ToUtf8(s.ChannelName[c]) + ", type " + std::to_string(type) + ")";
  }
  if (channels.empty()) return {};
  return "No channel definition file describes the units of " + channels +
         ": the sounding cannot be saved until one (Channel<type>.txt) is installed beside the "
         "program.";
}

}  // namespace pelorin
