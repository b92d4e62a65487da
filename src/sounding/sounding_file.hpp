#pragma once
// The sounding file (.cpt): twelve header lines, a seven-row channel block and one line
// per reading, channel values stored as raw instrument output.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sounding/header_fields.hpp"
#include "sounding/sounding.hpp"
#include "text/outcome.hpp"

namespace pelorin {

// The first line a sounding file is written with.
inline constexpr std::string_view kSoundingFileIdentification = "Quillbrandt Sounding File";

// The sounding's own header texts.
HeaderTexts headerTexts(const Sounding& s);

// Reads a sounding file's bytes into `out`, which must be a fresh model: header, channel
// block (unit options matched against defs by row 6's name), readings converted from raw
// output with the file's own calibration, lags counted from the no-value markers and the
// final-baseline line. Nothing is derived yet. fileName is used in the message only.
// Refused with the file, line and problem; `out` is then of no use.
Outcome readSoundingFile(std::string_view bytes, const std::string& fileName,
                         const ChannelDefinitions& defs, Sounding& out);

// What the reading lines of a written file stand for: each reading's depth, speed and raw
// channel values, in file order, as the reader will take them from their texts.
struct WrittenReadings {
  int fieldsPerReading = 0;
  std::vector<float> values;
};

// The sounding file for s with the given header texts (the window's text boxes), and when
// asked what its reading lines stand for. Refuses, naming the channel, a channel whose unit
// factor or full-scale value is 0, since its raw values cannot be worked out.
Outcome writeSoundingFile(const Sounding& s, const ChannelDefinitions& defs,
                          const HeaderTexts& header, std::string& out,
                          WrittenReadings* written = nullptr);

// The final-baseline line for the zero readings after the sounding, Baseline[c][2], as the
// reader takes it: one 20-column field per channel.
std::string finalBaselineLine(const Sounding& s);

// The raw output the writer works out for channel c at reading n from its engineering
// value, in the unit the channel is shown in (for a value that is not the no-value marker).
float rawOutputOf(const Sounding& s, const ChannelDefinitions& defs, int c, int n);

// Why bytes written for s, which stand for `written`, would not read back as s: the first reading,
// column and value that the reader would take otherwise (a text wider than its columns, depths that
// go back up, a final-baseline line that would read as a reading); empty when the file reads back
// with the same channel block, the same readings, depths to 0.01 m, speeds to 0.01 cm/s,
// raw values to 0.00001 and the same no-value markers.
std::string readBackProblem(std::string_view bytes, const Sounding& s,
                            const ChannelDefinitions& defs, const WrittenReadings& written);

}  // namespace pelorin
