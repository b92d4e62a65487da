#include "export/readings_table.hpp"

#include <charconv>
#include <cmath>

#include "text/text_file.hpp"

namespace pelorin {

namespace {

void appendNumber(std::string& out, float value) {
  if (!std::isfinite(value)) return;
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void appendText(std::string& out, const std::string& utf8, TableStyle style) {
  if (style == TableStyle::TabSeparated) {
    for (char ch : utf8) out += (ch == '\t' || ch == '\n' || ch == '\r') ? ' ' : ch;
    return;
  }
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
    out += utf8;
    return;
  }
  out += '"';
  for (char ch : utf8) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
}

}  // namespace

float channelValueAt(const Sounding& s, int c, int n) {
  int position = n - s.ChannelLag[c];
  return position >= 1 ? s.Reading[c][position] : NoValue;
}

int firstChannelOfType(const Sounding& s, int type) {
  for (int c = 1; c <= s.NumChannels; ++c)
    if (s.ChannelType[c] == type) return c;
  return 0;
}

std::optional<double> channelBaseValue(const Sounding& s, int c, int n) {
  const float value = channelValueAt(s, c, n);
  if (value == NoValue || s.ChannelFactor[c] == 0) return std::nullopt;
  return value / static_cast<double>(s.ChannelFactor[c]);
}

std::string readingsTable(const Sounding& s, const ChannelDefinitions& defs, DepthUnit unit,
                          TableStyle style) {
  const char separator = style == TableStyle::TabSeparated ? '\t' : ',';
  const char* lineEnd = style == TableStyle::TabSeparated ? "\n" : "\r\n";
  std::string out;
  out.reserve(static_cast<std::size_t>(s.NumReadings + 1) * (16 + 12 * s.NumChannels));

  out += unit == DepthUnit::Metres ? "Depth (m)" : "Depth (ft)";
  out += separator;
  out += "Speed (cm/s)";
  for (int c = 1; c <= s.NumChannels; ++c) {
    out += separator;
    std::string head = windows1252ToUtf8(s.ChannelName[c]);
    const std::string& unitName = defs.UnitName[s.ChannelType[c]][s.ChannelUnit[c]];
    if (!unitName.empty()) head += " (" + windows1252ToUtf8(unitName) + ")";
    appendText(out, head, style);
  }
  out += lineEnd;

  for (int n = 1; n <= s.NumReadings; ++n) {
    appendNumber(out, displayDepth(s.Depth[n], unit));
    out += separator;
    appendNumber(out, s.Speed[n]);
    for (int c = 1; c <= s.NumChannels; ++c) {
      out += separator;
      float value = channelValueAt(s, c, n);
      if (value != NoValue) appendNumber(out, value);
    }
    out += lineEnd;
  }
  return out;
}

}  // namespace pelorin
