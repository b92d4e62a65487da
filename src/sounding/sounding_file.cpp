#include "sounding/sounding_file.hpp"

#include <charconv>
#include <cmath>
#include <vector>

#include "sounding/units.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

constexpr int kChannelBlockRows = 7;
constexpr std::size_t kLeadColumns = 13;  // depth and speed columns before channel 1
constexpr std::size_t kFieldWidth = 20;
// Depths and speeds to the centimetre, raw values to 0.00001.
constexpr NumberPattern kDepthPattern("##0.00");
constexpr NumberPattern kRawPattern("####0.00000");

// Mid$(text, start, length) with a 1-based start: the part that exists, maybe empty.
std::string_view mid(std::string_view text, std::size_t start, std::size_t length) {
  if (start - 1 >= text.size()) return {};
  return text.substr(start - 1, length);
}

std::string_view channelField(std::string_view row, int c) {
  return mid(row, kLeadColumns + 1 + kFieldWidth * (c - 1), kFieldWidth);
}

std::string_view withoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// A raw channel value that fits a float.
bool rawValue(std::string_view field, float& value) {
  double v = numericPrefix(field);
  value = toSingle(v);
  return std::isfinite(value);
}

// Raw output to engineering value, left to right, stored as a float.
float engineering(float raw, float baseline, float fullScaleOutput, float fullScaleValue,
                  float factor) {
  return toSingle((static_cast<double>(raw) - baseline) / fullScaleOutput * fullScaleValue *
                  factor);
}

// The shortest text that reads back as the same float, in the number-text style when that
// style is exact enough (rows 3 and 5 only need to read back to the same value).
std::string exactNumber(float value) {
  std::string text = generalNumber(value);
  if (toSingle(numericPrefix(text)) == value) return text;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

class Reader {
 public:
  Reader(std::string_view bytes, const std::string& fileName, const ChannelDefinitions& defs,
         Sounding& s)
      : text_(bytes), fileName_(fileName), defs_(defs), s_(s) {}

  Outcome read() {
    readHeader() && readChannelBlock() && readReadings();
    return outcome_;
  }

 private:
  bool fail(int line, const std::string& problem) {
    outcome_ = refusedOnLine(fileName_, line, problem);
    return false;
  }
  bool endsEarly(const char* what) {
    return fail(text_.lineNumber() + 1, std::string("the file ends before ") + what);
  }

  bool readHeader() {
    std::string line;
    if (!text_.readLine(line)) return endsEarly("the header");  // identification, not examined
    for (const HeaderFieldInfo& field : kHeaderFields)
      if (!text_.readLine(s_.*field.text)) return endsEarly("the end of the header");
    for (int spare = 0; spare < 2; ++spare)
      if (!text_.readLine(line)) return endsEarly("the channel block");
    return true;
  }

  bool readChannelBlock() {
    std::array<std::string_view, kChannelBlockRows + 1> rows;
    for (int r = 1; r <= kChannelBlockRows; ++r)
      if (!text_.readLine(rows[r])) return endsEarly("the end of the channel block");
    int firstRowLine = text_.lineNumber() - kChannelBlockRows + 1;

    std::size_t fields = rows[1].size() / kFieldWidth;
    if (fields > MaxChannels)
      return fail(firstRowLine,
                  "the channel block has " + std::to_string(fields) + " channels, more than 10");
    s_.NumChannels = static_cast<std::int16_t>(fields);
    s_.NoPoreChannel = true;
    auto fieldsOf = [&](int row) {
      return std::min<std::size_t>(MaxChannels, rows[row].size() / kFieldWidth);
    };
    for (std::size_t c = 1; c <= fieldsOf(1); ++c) {
      std::string_view field = channelField(rows[1], static_cast<int>(c));
      double code = numericPrefix(field);
      if (!(code >= -0.5 && code <= 20.5) || roundHalfEven(code) < 0 || roundHalfEven(code) > 20)
        return fail(firstRowLine, "channel " + std::to_string(c) + " has the type " +
                                      quotedText(withoutLeadingBlanks(field)) +
                                      ", not a type from 0 to 20");
      s_.ChannelType[c] = static_cast<std::int16_t>(roundHalfEven(code));
      if (s_.ChannelType[c] == 3) s_.NoPoreChannel = false;
    }
    for (std::size_t c = 1; c <= fieldsOf(2); ++c)
      s_.ChannelName[c] = withoutLeadingBlanks(channelField(rows[2], static_cast<int>(c)));
    for (std::size_t c = 1; c <= fieldsOf(3); ++c)
      s_.FullScaleOutput[c] = toSingle(numericPrefix(channelField(rows[3], static_cast<int>(c))));
    for (std::size_t c = 1; c <= fieldsOf(4); ++c)
      s_.Baseline[c][1] = toSingle(numericPrefix(channelField(rows[4], static_cast<int>(c))));
    for (std::size_t c = 1; c <= fieldsOf(5); ++c)
      s_.FullScaleValue[c] = toSingle(numericPrefix(channelField(rows[5], static_cast<int>(c))));
    // Every channel gets a unit option: one whose row 6 is short of its field counts as a
    // name that matches none, so it is not left without a factor.
    for (int c = 1; c <= s_.NumChannels; ++c) {
      std::string_view name = withoutLeadingBlanks(channelField(rows[6], c));
      const std::vector<int> named = unitOptionsNamed(defs_, s_.ChannelType[c], name);
      s_.ChannelUnit[c] = static_cast<std::int16_t>(named.empty() ? 1 : named.back());
    }
    for (std::size_t c = 1; c <= fieldsOf(7); ++c)
      s_.ChannelFactor[c] = toSingle(numericPrefix(channelField(rows[7], static_cast<int>(c))));

    for (int c = 1; c <= s_.NumChannels; ++c) {
      if (s_.FullScaleOutput[c] == 0 || !std::isfinite(s_.FullScaleOutput[c]))
        return fail(firstRowLine + 2,
                    "channel " + std::to_string(c) + " has no usable full-scale output (row 3)");
      if (!std::isfinite(s_.Baseline[c][1]))
        return fail(firstRowLine + 3,
                    "channel " + std::to_string(c) + " has a zero reading out of range (row 4)");
      if (!std::isfinite(s_.FullScaleValue[c]))
        return fail(firstRowLine + 4, "channel " + std::to_string(c) +
                                          " has a full-scale value out of range (row 5)");
      if (s_.ChannelFactor[c] == 0 || !std::isfinite(s_.ChannelFactor[c]))
        return fail(firstRowLine + 6,
                    "channel " + std::to_string(c) + " has no usable unit factor (row 7)");
    }

    std::string units;  // line 23, "   (m) (cm/s)", not examined
    if (!text_.readItem(units)) return endsEarly("the units line");
    return true;
  }

  bool readReadings() {
    s_.NumReadings = 0;
    s_.MaxLag = 0;
    s_.ChannelLag.fill(0);
    std::string_view t;
    while (text_.readItem(t)) {
      int line = text_.lineNumber();
      if (t.empty()) return fail(line, "empty line among the readings");
      // A depth written wider than its six columns pushes the speed aside: when the line
      // cannot be read, the depth is to blame rather than the speed.
      auto wideDepth = [&] {
        std::string_view written = t.substr(0, t.find(' '));
        return written.size() > 6 && strictNumber(written)
                   ? fail(line, "the depth " + quotedText(written) + " is wider than its 6 columns")
                   : true;
      };
      auto depth = strictNumber(mid(t, 1, 6));
      if (!depth || !std::isfinite(toSingle(*depth)))
        return wideDepth() &&
               fail(line, "the depth " + quotedText(mid(t, 1, 6)) + " is not a number");
      float d = toSingle(*depth);
      int n = s_.NumReadings + 1;
      if (n >= 2 && d < s_.Depth[n - 1]) {
        readFinalBaseline(t);
        continue;
      }
      if (n > MaxReadings) return fail(line, "more than 10,000 readings");
      auto speed = strictNumber(mid(t, 7, 7));
      if (!speed || !std::isfinite(toSingle(*speed)))
        return wideDepth() &&
               fail(line, "the speed " + quotedText(mid(t, 7, 7)) + " is not a number");
      s_.NumReadings = n;
      s_.Depth[n] = d;
      s_.Reading[0][n] = d;
      s_.Speed[n] = toSingle(*speed);
      for (int c = 1; c <= s_.NumChannels; ++c) {
        float raw;
        if (!rawValue(channelField(t, c), raw))
          return fail(line, "the value of channel " + std::to_string(c) + " is out of range");
        s_.RawReading[c][n] = raw;
        if (raw == NoValue) {
          ++s_.ChannelLag[c];
          if (s_.ChannelLag[c] > s_.MaxLag) s_.MaxLag = s_.ChannelLag[c];
          s_.Reading[c][n] = NoValue;
        } else {
          s_.Reading[c][n] = engineering(raw, s_.Baseline[c][1], s_.FullScaleOutput[c],
                                         s_.FullScaleValue[c], s_.ChannelFactor[c]);
          // A calibration that blows a reading up beyond the float range is no calibration.
          if (!std::isfinite(s_.Reading[c][n]))
            return fail(line, "the value of channel " + std::to_string(c) +
                                  " does not fit its calibration");
        }
      }
    }
    return true;
  }

  // The zero readings taken after the sounding: no depth or speed, one 20-column field
  // per channel counted from the start of the trimmed line.
  void readFinalBaseline(std::string_view t) {
    for (int c = 1; c <= s_.NumChannels; ++c) {
      float after;
      if (!rawValue(mid(t, 1 + kFieldWidth * (c - 1), kFieldWidth), after)) after = 0;
      s_.Baseline[c][2] = after;
      s_.BaselineDrift[c] = engineering(after, s_.Baseline[c][1], s_.FullScaleOutput[c],
                                        s_.FullScaleValue[c], s_.ChannelFactor[c]);
    }
    s_.HasFinalBaseline = true;
    s_.FinalBaselineLine = std::string(t.front() == '-' ? 25 : 26, ' ') + std::string(t);
  }

  TextReader text_;
  const std::string& fileName_;
  const ChannelDefinitions& defs_;
  Sounding& s_;
  Outcome outcome_;
};

// The raw output to write for channel c at position n, worked back from its engineering
// value in the unit now shown, each step rounded to a float before the next. Readings nobody
// changed take the same road, so their raw output agrees with the file's up to float rounding.
float rawOutput(const Sounding& s, int c, int n, float unitFactor) {
  float w = toSingle(static_cast<double>(s.Reading[c][n]) / unitFactor);
  w = toSingle(static_cast<double>(w) / s.FullScaleValue[c] * s.FullScaleOutput[c]);
  return toSingle(static_cast<double>(s.Baseline[c][1]) + w);
}

void appendRow(std::string& out) { out.append(kLeadColumns, ' '); }
void appendField(std::string& out, std::string_view text) {
  if (text.size() < kFieldWidth) out.append(kFieldWidth - text.size(), ' ');
  out += text;
}
void endLine(std::string& out) { out += "\r\n"; }

}  // namespace

std::string finalBaselineLine(const Sounding& s) {
  // The reader trims the line and counts the fields from its first character; it keeps the
  // line with 25 blanks before a sign and 26 before a digit.
  std::string fields;
  for (int c = 1; c <= s.NumChannels; ++c) {
    std::string field = formatPattern(s.Baseline[c][2], kRawPattern);
    if (c < s.NumChannels) field.resize(kFieldWidth, ' ');
    fields += field;
  }
  return std::string(fields.starts_with('-') ? 25 : 26, ' ') + fields;
}

HeaderTexts headerTexts(const Sounding& s) {
  HeaderTexts texts;
  for (std::size_t f = 0; f < kHeaderFields.size(); ++f) texts[f] = s.*kHeaderFields[f].text;
  return texts;
}

Outcome readSoundingFile(std::string_view bytes, const std::string& fileName,
                         const ChannelDefinitions& defs, Sounding& out) {
  return Reader(bytes, fileName, defs, out).read();
}

Outcome writeSoundingFile(const Sounding& s, const ChannelDefinitions& defs,
                          const HeaderTexts& header, std::string& out, WrittenReadings* written) {
  for (int c = 1; c <= s.NumChannels; ++c) {
    float factor = defs.UnitFactor[s.ChannelType[c]][s.ChannelUnit[c]];
    if (factor == 0 || s.FullScaleValue[c] == 0) {
      return Outcome::refused("Cannot save: channel " + std::to_string(c) + " (" +
                              windows1252ToUtf8(s.ChannelName[c]) + ") has " +
                              (factor == 0
                                   ? "no unit factor (Channel" + std::to_string(s.ChannelType[c]) +
                                         ".txt, its channel definition file, is missing "
                                         "or could not be used)"
                                   : std::string("a full-scale value of 0")) +
                              ", so its raw values cannot be worked out.");
    }
  }
  out.clear();
  out.reserve(400 + static_cast<std::size_t>(s.NumReadings + 8) * (15 + 20 * s.NumChannels));
  out += kSoundingFileIdentification;
  out += "\r\n";
  for (const std::string& text : header) {
    out += text;
    endLine(out);
  }
  out += "\r\n\r\n";

  auto unitName = [&](int c, int u) -> const std::string& {
    return defs.UnitName[s.ChannelType[c]][u];
  };
  appendRow(out);
  for (int c = 1; c <= s.NumChannels; ++c) appendField(out, std::to_string(s.ChannelType[c]));
  endLine(out);
  appendRow(out);
  for (int c = 1; c <= s.NumChannels; ++c) appendField(out, s.ChannelName[c]);
  endLine(out);
  appendRow(out);
  for (int c = 1; c <= s.NumChannels; ++c) appendField(out, exactNumber(s.FullScaleOutput[c]));
  endLine(out);
  appendRow(out);
  for (int c = 1; c <= s.NumChannels; ++c)
    appendField(out, formatPattern(s.Baseline[c][1], kRawPattern));
  endLine(out);
  appendRow(out);
  for (int c = 1; c <= s.NumChannels; ++c)
    appendField(out, exactNumber(s.FullScaleValue[c]) + " " + unitName(c, 1));
  endLine(out);
  appendRow(out);
  for (int c = 1; c <= s.NumChannels; ++c) appendField(out, unitName(c, s.ChannelUnit[c]));
  endLine(out);
  appendRow(out);
  for (int c = 1; c <= s.NumChannels; ++c)
    appendField(
        out, formatPattern(defs.UnitFactor[s.ChannelType[c]][s.ChannelUnit[c]], "#####0.00000000"));
  endLine(out);
  out += "   (m) (cm/s)\r\n";

  std::array<float, MaxChannels + 1> factor{};
  for (int c = 1; c <= s.NumChannels; ++c)
    factor[c] = defs.UnitFactor[s.ChannelType[c]][s.ChannelUnit[c]];
  const int perReading = 2 + s.NumChannels;
  float* meant = nullptr;
  if (written) {
    written->fieldsPerReading = perReading;
    written->values.resize(static_cast<std::size_t>(s.NumReadings) *
                           static_cast<std::size_t>(perReading));
    meant = written->values.data();
  }
  float ignored[2 + MaxChannels];
  for (int n = 1; n <= s.NumReadings; ++n) {
    float* read = meant ? meant + static_cast<std::ptrdiff_t>(n - 1) * perReading : ignored;
    read[0] = toSingle(appendPatternAligned(out, s.Depth[n], kDepthPattern, 6));
    read[1] = toSingle(appendPatternAligned(out, s.Speed[n], kDepthPattern, 7));
    for (int c = 1; c <= s.NumChannels; ++c) {
      if (s.Reading[c][n] == NoValue) {
        appendField(out, "-32768");
        read[1 + c] = NoValue;
      } else {
        read[1 + c] = toSingle(
            appendPatternAligned(out, rawOutput(s, c, n, factor[c]), kRawPattern, kFieldWidth));
      }
    }
    endLine(out);
  }
  if (s.HasFinalBaseline) {
    out += s.FinalBaselineLine;
    endLine(out);
  }
  return {};
}

namespace {

// One reading's texts as the writer lays them out, each with the columns it has.
struct WrittenField {
  std::string name, text;
  std::size_t columns;
};

std::vector<WrittenField> writtenFields(const Sounding& s, const ChannelDefinitions& defs, int n) {
  std::vector<WrittenField> fields = {{"depth", formatPattern(s.Depth[n], kDepthPattern), 6},
                                      {"speed", formatPattern(s.Speed[n], kDepthPattern), 7}};
  for (int c = 1; c <= s.NumChannels; ++c) {
    fields.push_back(
        {"channel " + std::to_string(c) + " (" + windows1252ToUtf8(s.ChannelName[c]) +
             ") raw value",
         s.Reading[c][n] == NoValue
             ? "-32768"
             : formatPattern(
                   rawOutput(s, c, n, defs.UnitFactor[s.ChannelType[c]][s.ChannelUnit[c]]),
                   kRawPattern),
         kFieldWidth});
  }
  return fields;
}

std::string aboutReading(const Sounding& s, int n, const std::string& what) {
  return "reading " + std::to_string(n) + " (" + formatPattern(s.Depth[n], kDepthPattern) +
         " m): " + what;
}

// The first of a reading's texts that is wider than its columns. The reader takes the depth
// from the line without its leading blanks, so a speed that fills its columns after a short
// depth runs into the depth's six.
std::string tooWide(const Sounding& s, const ChannelDefinitions& defs, int n) {
  std::vector<WrittenField> fields = writtenFields(s, defs, n);
  for (const WrittenField& f : fields)
    if (f.text.size() > f.columns)
      return aboutReading(s, n,
                          "its " + f.name + " \"" + f.text + "\" is wider than its " +
                              std::to_string(f.columns) + " columns");
  if (fields[1].text.size() > fields[0].text.size() + 1)
    return aboutReading(s, n,
                        "its speed \"" + fields[1].text + "\" is too wide to follow the depth \"" +
                            fields[0].text +
                            "\", whose six columns would take in its first character");
  return {};
}

}  // namespace

float rawOutputOf(const Sounding& s, const ChannelDefinitions& defs, int c, int n) {
  return rawOutput(s, c, n, defs.UnitFactor[s.ChannelType[c]][s.ChannelUnit[c]]);
}

std::string readBackProblem(std::string_view bytes, const Sounding& s,
                            const ChannelDefinitions& defs, const WrittenReadings& written) {
  auto back = std::make_unique<Sounding>();
  if (Outcome read = readSoundingFile(bytes, "", defs, *back); !read) {
    for (int n = 1; n <= s.NumReadings; ++n)
      if (std::string wide = tooWide(s, defs, n); !wide.empty()) return wide;
    return read.message.substr(read.message.find(": ") + 2);
  }
  if (back->NumChannels != s.NumChannels)
    return "its channel block would read back with " + std::to_string(back->NumChannels) +
           " channels";
  for (int c = 1; c <= s.NumChannels; ++c) {
    if (back->ChannelType[c] != s.ChannelType[c] || back->ChannelName[c] != s.ChannelName[c] ||
        back->FullScaleOutput[c] != s.FullScaleOutput[c] ||
        back->FullScaleValue[c] != s.FullScaleValue[c] ||
        back->ChannelUnit[c] != s.ChannelUnit[c] ||
        back->Baseline[c][1] !=
            toSingle(numericPrefix(formatPattern(s.Baseline[c][1], kRawPattern))))
      return "the channel block of channel " + std::to_string(c) + " (" +
             windows1252ToUtf8(s.ChannelName[c]) + ") would read back otherwise";
    // The file tells the lags by the readings without a value, wherever they lie; a file
    // without any has the sleeve's lag worked out again on opening.
    if (back->MaxLag > 0 && back->ChannelLag[c] != s.ChannelLag[c])
      return "channel " + std::to_string(c) + " (" + windows1252ToUtf8(s.ChannelName[c]) +
             ") would read back with a lag of " + std::to_string(back->ChannelLag[c]) +
             " readings instead of " + std::to_string(s.ChannelLag[c]) +
             " (the file tells a lag by the readings without a value)";
  }
  // A depth below the one before it makes the reader take the line for the final baseline.
  auto goesBackUp = [&](int n) {
    return aboutReading(s, n,
                        "its depth lies above the " + formatPattern(s.Depth[n - 1], kDepthPattern) +
                            " m of the reading before it, so the file would take it for the "
                            "final-baseline line");
  };
  const int common = std::min(back->NumReadings, s.NumReadings);
  const auto per = static_cast<std::size_t>(written.fieldsPerReading);
  for (int n = 1; n <= common; ++n) {
    const float* meant = written.values.data() + static_cast<std::size_t>(n - 1) * per;
    float values[2 + MaxChannels] = {back->Depth[n], back->Speed[n]};
    for (int c = 1; c <= s.NumChannels; ++c) values[1 + c] = back->RawReading[c][n];
    for (std::size_t i = 0; i < per; ++i) {
      if (values[i] == meant[i]) continue;
      if (i == 0 && n >= 2 && meant[0] < meant[-static_cast<std::ptrdiff_t>(per)])
        return goesBackUp(n);
      if (std::string wide = tooWide(s, defs, n); !wide.empty()) return wide;
      const WrittenField field = writtenFields(s, defs, n)[i];
      return aboutReading(s, n,
                          "its " + field.name + " \"" + field.text + "\" would read back as " +
                              generalNumber(values[i]));
    }
  }
  if (back->NumReadings < s.NumReadings) return goesBackUp(back->NumReadings + 1);
  if (back->NumReadings != s.NumReadings || back->HasFinalBaseline != s.HasFinalBaseline)
    return "the final-baseline line would read back as a reading";
  return {};
}

}  // namespace pelorin
