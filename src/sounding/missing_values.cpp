#include "sounding/missing_values.hpp"

#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

std::vector<MissingValues> missingValues(const Sounding& s) {
  std::vector<MissingValues> found;
  for (int c = 1; c <= s.NumChannels; ++c) {
    MissingValues m{c, 0, 0};
    for (int p = 1; p <= s.NumReadings - s.ChannelLag[c]; ++p)
      if (s.Reading[c][p] == NoValue && m.count++ == 0) m.firstReading = p + s.ChannelLag[c];
    if (m.count > 0) found.push_back(m);
  }
  return found;
}

std::string missingValuesProblem(const Sounding& s) {
  if (s.Source == SoundingSource::SoundingFile) return {};
  const std::vector<MissingValues> missing = missingValues(s);
  if (missing.empty()) return {};
  std::string channels;
  for (const MissingValues& m : missing)
    channels += std::string(channels.empty() ? "" : ", ") + "channel " + std::to_string(m.channel) +
                " (" + windows1252ToUtf8(s.ChannelName[m.channel]) + ") has no value at " +
                std::to_string(m.count) + (m.count == 1 ? " reading" : " readings") +
                ", the first reading " + std::to_string(m.firstReading) + " at " +
                formatPattern(s.Depth[m.firstReading], "##0.00") + " m";
  return channels +
         ": a sounding file tells a missing value only as lag, so the values below it would "
         "move. Fill the gaps (Edit, Fill Gaps; --fill-gaps), or export GEF or AGS4 "
         "(Interchange), which keep missing values";
}

}  // namespace pelorin
