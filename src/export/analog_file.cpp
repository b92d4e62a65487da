#include "export/analog_file.hpp"

#include <cmath>
#include <cstdint>

#include "sounding/sounding_file.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The analog format's own no-value text; with the 8-column alignment it reads " -32768 ".
constexpr std::string_view kMissingText = "-32768 ";
constexpr int kMaxColumns = 4;

// The column code a channel type announces in header line 2; empty for types without one.
std::string_view columnCode(int type) {
  switch (type) {
    case 1:
      return "  1";  // cone resistance Qc
    case 2:
      return "  2";  // sleeve friction Fs
    case 3:
      return "  3";  // pore pressure PP
    case 6:
      return "  4";  // inclination: resultant of this channel and the next
    case 10:
      return "  5";
    default:
      return {};
  }
}

// The number patterns of the reading columns, chosen by the unit system's name.
struct ColumnFormats {
  std::string_view qc, fs, plainThird, resultantThird, fourth;
};

ColumnFormats columnFormats(std::string_view system) {
  if (system == "English") return {"#####0.00", "###0.000", "####0.00", "####0.00", "####0.00"};
  if (system == "Metric kgf/cm\xFD" || system == "Metric [kgf/cm\xFD]")
    return {"###0.00", "##0.0000", "####0.00", "###0.000", "####0.00"};
  // The absolute (SI) systems; PP in BAR gets a third decimal.
  std::string_view plainThird = system == "Metric Absolute [SI]" ? "####0.00" : "###0.000";
  return {"###0.000", "####0.00", plainThird, "####0.00", "####0.00"};
}

// The "@@@..." alignment straight into the file's bytes: blanks on the left up to width, a
// longer text whole.
void appendAligned(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

// sqrt(a^2 + b^2) of two inclinations, worked in double and stored as a single.
float resultant(float a, float b) {
  double x = a, y = b;
  return toSingle(std::sqrt(x * x + y * y));
}

// The water table as the analog header carries it: the box's leading number in single
// precision.
float waterTable(const AnalogHeaderTexts& header) {
  return toSingle(numericPrefix(header.WaterTableDepth));
}

}  // namespace

AnalogHeaderTexts analogHeaderTexts(const HeaderTexts& h) {
  // Date and time, operator, location, cone number, job number, water table depth.
  return {text(h, HeaderField::DateAndTime),  text(h, HeaderField::OperatorName),
          text(h, HeaderField::LocationText), text(h, HeaderField::ConeNumber),
          text(h, HeaderField::JobNumber),    text(h, HeaderField::WaterTableDepth)};
}

int exportChannelCount(const Sounding& s) {
  int count = 0;
  for (int c = 1; c <= s.NumChannels && c <= MaxChannels; ++c)
    if (!columnCode(s.ChannelType[c]).empty()) ++count;
  return count;
}

std::string analogFileBytes(const Sounding& s, const AnalogHeaderTexts& header,
                            std::string_view fileTitle, std::string_view exportUnitSystem,
                            std::string* overflow) {
  int channels =
      s.NumChannels < 0 ? 0 : (s.NumChannels > MaxChannels ? MaxChannels : s.NumChannels);
  int readings =
      s.NumReadings < 0 ? 0 : (s.NumReadings > MaxReadings ? MaxReadings : s.NumReadings);

  std::string out;
  out.reserve(128 + static_cast<std::size_t>(readings) * (6 + 8 * kMaxColumns + 2));

  // Line 1: file title, date and time, operator, then the system's name from column 38.
  out += fixedWidth(fileTitle, 6);
  out += fixedWidth(header.DateAndTime, 15);
  out += fixedWidth(header.OperatorName, 16);
  out += exportUnitSystem;
  out += kLineEnd;

  // Line 2: site fields, water table, then the depth step and the friction sleeve's lag
  // distance, both in the displayed depth unit (feet when the grid shows feet).
  out += fixedWidth(header.LocationText, 16);
  out += fixedWidth(header.ConeNumber, 16);
  out += fixedWidth(header.JobNumber, 16);
  out += " 3  ";
  out += formatPattern(waterTable(header), "##0.00");
  out += "  ";
  float increment = toSingle(static_cast<double>(s.Reading[0][2]) - s.Reading[0][1]);
  out += formatPattern(increment, "#.00");
  out += "  ";
  float lagDistance = toSingle(static_cast<double>(s.ChannelLag[2]) * increment);
  out += formatPattern(lagDistance, "#.00");

  int columns = 0;
  int pairPosition = 0;  // the last inclination channel; at 3 it takes column 3's place
  for (int c = 1; c <= channels; ++c) {
    std::string_view code = columnCode(s.ChannelType[c]);
    if (code.empty()) continue;
    ++columns;
    out += code;
    if (s.ChannelType[c] == 6) pairPosition = c;
  }
  out += kLineEnd;

  // The analog format has four columns at most, and a file without any has no readings.
  if (columns < 1 || columns > kMaxColumns) return out;

  const ColumnFormats formats = columnFormats(exportUnitSystem);
  const auto& r = s.Reading;
  int n = 0, column = 0;
  // A field wider than its columns is written whole; the first one is reported.
  auto append = [&](std::string_view text, std::size_t width) {
    if (overflow && overflow->empty() && text.size() > width)
      *overflow = "reading " + std::to_string(n) + ": " +
                  (column == 0 ? std::string("the depth") : "column " + std::to_string(column)) +
                  " \"" + std::string(text) + "\" is wider than its " + std::to_string(width) +
                  " columns";
    appendAligned(out, text, width);
  };
  auto appendColumn = [&](bool missing, float value, std::string_view pattern) {
    ++column;
    append(missing ? std::string(kMissingText) : formatPattern(value, pattern), 8);
  };
  // Columns come from fixed channel positions; only a column's first channel is tested for
  // the no-value marker, a resultant's second channel is taken as it stands.
  for (n = 1; n <= readings; ++n) {
    column = 0;
    append(formatPattern(s.Depth[n], "##0.00"), 6);
    appendColumn(r[1][n] == NoValue, r[1][n], formats.qc);
    if (columns >= 2) appendColumn(r[2][n] == NoValue, r[2][n], formats.fs);
    if (columns >= 3) {
      if (pairPosition == 3)
        appendColumn(r[3][n] == NoValue, resultant(r[4][n], r[3][n]), formats.resultantThird);
      else
        appendColumn(r[3][n] == NoValue, r[3][n], formats.plainThird);
    }
    if (columns >= 4) appendColumn(r[4][n] == NoValue, resultant(r[5][n], r[4][n]), formats.fourth);
    out += kLineEnd;
  }
  return out;
}

Outcome writeAnalogFile(const std::string& path, const Sounding& s, const AnalogHeaderTexts& header,
                        std::string_view fileTitle, std::string_view exportUnitSystem,
                        bool refuseUnreadable, std::string* warning) {
  if (!std::isfinite(waterTable(header)))
    return Outcome::refused("Cannot write \"" + path + "\": the water table depth is too large.",
                            path);
  std::string overflow;
  std::string bytes = analogFileBytes(s, header, fileTitle, exportUnitSystem, &overflow);
  if (!overflow.empty() && refuseUnreadable)
    return Outcome::refused(
        "Cannot write \"" + path + "\": its columns would not line up: " + overflow + ".", path);
  Outcome written = writeFileSafely(path, bytes);
  if (warning && written && !overflow.empty())
    *warning = "\"" + path + "\" was written, but its columns do not line up: " + overflow + ".";
  return written;
}

}  // namespace pelorin
