#include "session/operation_words.hpp"

#include <charconv>
#include <cmath>

#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

// A whole decimal integer, nothing else.
bool wholeNumber(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

// "C=TEXT" with C a channel number.
bool channelAndText(const std::string& arg, int& channel, std::string& text) {
  auto equals = arg.find('=');
  if (equals == std::string::npos || !wholeNumber(std::string_view(arg).substr(0, equals), channel))
    return false;
  text = arg.substr(equals + 1);
  return true;
}

// The shortest text that the numeric prefix reads back as the same float.
std::string floatText(float value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// The operations in the order the batch tool's help and README give them.
constexpr OperationWord kOperations[] = {
    {"--unit", "C=NAME", "show channel C in the unit NAME; its values are converted"},
    {"--depth-unit", "m|ft", "show the depths in metres or feet; the file keeps metres"},
    {"--delete", "N", "delete reading N's channel values and speed, as Delete in the grid"},
    {"--insert", "N", "open a place for a reading at reading N, as Insert in the grid"},
    {"--start-depth", "TEXT", "move the sounding so that its first reading lies at TEXT m"},
    {"--increment-steps", "K",
     "change the depth increment by K steps of 5 mm (down when negative), scaling depths and "
     "speeds"},
    {"--shift", "C=TEXT", "add TEXT to channel C; consecutive ones fill one panel"},
    {"--remove-negatives", "", "replace zero and negative readings by 0.1 % of full scale"},
    {"--combine", "FILE", "append the sounding FILE, from the depth --from gives"},
    {"--from", "TEXT", "the depth (m) from which --combine appends", true},
    {"--no-normalize", "", "keep the appended readings' own depths (after --combine)", true},
    {"--autoclean", "",
     "add a pore-pressure channel where there is none, snap the depths to the increment and "
     "fill gaps"},
    {"--fill-gaps", "",
     "fill each channel's missing values along depth and end the sounding where every channel "
     "has a value"},
    {"--set", "C:N=TEXT", "type TEXT into channel C's cell of reading N"},
    {"--header", "FIELD=TEXT", "set a header box, CompanyName to WaterTableDepth"},
    {"--increment-presses", "RUNS", "press INCREASE and DECREASE in runs, such as 3,-1"},
};

// --from TEXT and --no-normalize after --combine FILE belong to it.
Outcome takeCombineOptions(const std::vector<std::string>& args, std::size_t& i, Operation& op) {
  bool from = false, noNormalize = false;
  for (; i < args.size(); ++i) {
    if (args[i] == "--no-normalize" && !noNormalize) {
      noNormalize = true;
      op.args.push_back(args[i]);
    } else if (args[i] == "--from" && !from) {
      if (i + 1 >= args.size()) return Outcome::refused("--from needs a value");
      from = true;
      op.args.push_back(args[i]);
      op.args.push_back(args[++i]);
    } else {
      break;
    }
  }
  if (!from)
    return Outcome::refused("--combine needs --from TEXT, the start depth in the 2nd file");
  return {};
}

std::string quotedForShell(const std::string& word) {
  if (!word.empty() && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                              "0123456789_./:=,+-@%") == std::string::npos)
    return word;
  std::string quoted = "'";
  for (char ch : word) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
  return quoted + "'";
}

// The words of a step, on the sounding as it stands before it.
std::vector<std::string> wordsFor(const Step& step, const Sounding& s,
                                  const ChannelDefinitions& defs) {
  struct Words {
    const Sounding& s;
    const ChannelDefinitions& defs;
    using List = std::vector<std::string>;
    List operator()(const DeleteReading& d) { return {"--delete", std::to_string(d.reading)}; }
    List operator()(const InsertReading& d) { return {"--insert", std::to_string(d.reading)}; }
    List operator()(const SetValue& v) {
      return {"--set", std::to_string(v.channel) + ":" + std::to_string(v.reading) + "=" +
                           floatText(v.value)};
    }
    List operator()(const SetHeader& h) {
      return {"--header", std::string(headerFieldNames()[static_cast<std::size_t>(h.field)]) + "=" +
                              windows1252ToUtf8(h.text)};
    }
    List operator()(const ChangeDepthUnit& u) {
      return {"--depth-unit", u.unit == DepthUnit::Metres ? "m" : "ft"};
    }
    List operator()(const ChangeChannelUnit& u) {
      return {"--unit", std::to_string(u.channel) + "=" + windows1252ToUtf8(u.unit)};
    }
    List operator()(const StartDepth& d) { return {"--start-depth", windows1252ToUtf8(d.text)}; }
    List operator()(const DepthIncrementPresses& p) {
      if (p.runs.size() == 1) return {"--increment-steps", std::to_string(p.runs[0])};
      std::string runs;
      for (int run : p.runs) {
        if (!runs.empty()) runs += ',';
        runs += std::to_string(run);
      }
      return {"--increment-presses", runs};
    }
    List operator()(const ShiftReadings& shift) {
      List words;
      for (int c = 1; c <= s.NumChannels; ++c)
        if (shift.boxes[c] != "0")
          words.insert(words.end(),
                       {"--shift", std::to_string(c) + "=" + windows1252ToUtf8(shift.boxes[c])});
      return words;
    }
    List operator()(const RemoveNegatives&) { return {"--remove-negatives"}; }
    List operator()(const Combine& c) {
      List words = {"--combine", c.path, "--from", windows1252ToUtf8(c.from)};
      if (!c.normalize) words.push_back("--no-normalize");
      return words;
    }
    List operator()(const AutoClean&) { return {"--autoclean"}; }
    List operator()(const FillGaps&) { return {"--fill-gaps"}; }
    // The option's unit switch as the unit choices it makes.
    List operator()(const ExportUnits& e) {
      const ExportUnitSystem& system = exportUnitSystem(e.system);
      List words;
      for (int c = 1; c <= 3 && c <= s.NumChannels; ++c) {
        if (c == 3 && s.ChannelType[3] != 3) continue;
        const std::string_view unit = system.unit[static_cast<std::size_t>(c)];
        if (!unitOptionsNamed(defs, s.ChannelType[c], unit).empty())
          words.insert(words.end(), {"--unit", std::to_string(c) + "=" + std::string(unit)});
      }
      return words;
    }
  };
  return std::visit(Words{s, defs}, step);
}

}  // namespace

Outcome parseOperation(const std::vector<std::string>& args, std::size_t& i,
                       std::vector<Operation>& operations) {
  const OperationWord* entry = nullptr;
  for (const OperationWord& e : kOperations)
    if (args[i] == e.flag && !e.partOfCombine) entry = &e;
  if (!entry) return Outcome::refused("unknown operation \"" + args[i] + "\"");
  Operation op{args[i], {}};
  for (int k = 0; k < entry->values(); ++k) {
    if (++i >= args.size()) return Outcome::refused(op.flag + " needs a value");
    op.args.push_back(args[i]);
  }
  ++i;
  if (op.flag == "--combine")
    if (Outcome taken = takeCombineOptions(args, i, op); !taken) return taken;
  // Consecutive --shift fill several boxes of one panel before its SHIFT READINGS.
  if (op.flag == "--shift" && !operations.empty() && operations.back().flag == "--shift") {
    operations.back().args.push_back(std::move(op.args[0]));
    return {};
  }
  operations.push_back(std::move(op));
  return {};
}

std::span<const OperationWord> operationWords() { return kOperations; }

Outcome stepFor(const Operation& op, const Sounding& s, Step& step) {
  const std::string& flag = op.flag;
  const std::string value = op.args.empty() ? std::string() : op.args[0];
  int number = 0, channel = 0;
  std::string text;
  auto refuse = [](const std::string& why) { return Outcome::refused(why); };
  if (flag == "--unit") {
    if (!channelAndText(value, channel, text))
      return refuse("expected C=NAME, a channel number and a unit name");
    if (channel < 1 || channel > s.NumChannels)
      return refuse("the sounding has no channel " + std::to_string(channel));
    step = ChangeChannelUnit{channel, utf8ToWindows1252(text)};
  } else if (flag == "--depth-unit") {
    if (value != "m" && value != "ft") return refuse("the depth unit is m or ft");
    step = ChangeDepthUnit{value == "m" ? DepthUnit::Metres : DepthUnit::Feet};
  } else if (flag == "--delete" || flag == "--insert") {
    if (!wholeNumber(value, number)) return refuse("N is a reading number");
    step = flag == "--delete" ? Step(DeleteReading{number}) : Step(InsertReading{number});
  } else if (flag == "--set") {
    auto colon = value.find(':');
    int reading = 0;
    if (colon == std::string::npos ||
        !wholeNumber(std::string_view(value).substr(0, colon), channel) ||
        !channelAndText(value.substr(colon + 1), reading, text))
      return refuse("expected C:N=TEXT, a channel, a reading number and the value typed");
    float typed = toSingle(numericPrefix(text));
    if (!std::isfinite(typed)) return refuse("the value is beyond the range of a reading");
    if (channel < 1 || channel > s.NumChannels || reading < 1 || reading > s.NumReadings)
      return refuse("the sounding has no channel " + std::to_string(channel) + " at reading " +
                    std::to_string(reading) + " (it has " + std::to_string(s.NumChannels) +
                    " channels and " + std::to_string(s.NumReadings) + " readings)");
    step = SetValue{channel, reading, typed};
  } else if (flag == "--header") {
    auto equals = value.find('=');
    const auto& names = headerFieldNames();
    for (std::size_t f = 0; equals != std::string::npos && f < names.size(); ++f)
      if (value.compare(0, equals, names[f]) == 0 && std::string_view(names[f]).size() == equals) {
        // A header box holds one line.
        if (value.find_first_of("\r\n", equals) != std::string::npos)
          return refuse("a header text is one line; the text holds a line break");
        step = SetHeader{static_cast<int>(f), utf8ToWindows1252(value.substr(equals + 1))};
        return {};
      }
    return refuse("expected FIELD=TEXT with a header field from CompanyName to WaterTableDepth");
  } else if (flag == "--start-depth") {
    if (!std::isfinite(toSingle(numericPrefix(value))))
      return refuse("the start depth is beyond the range of a depth");
    step = StartDepth{value};
  } else if (flag == "--increment-steps") {
    if (!wholeNumber(value, number)) return refuse("K is a whole number of steps");
    step = DepthIncrementPresses{{number}};
  } else if (flag == "--increment-presses") {
    DepthIncrementPresses presses;
    for (std::size_t at = 0; at <= value.size();) {
      std::size_t comma = std::min(value.find(',', at), value.size());
      if (!wholeNumber(std::string_view(value).substr(at, comma - at), number))
        return refuse("expected runs of presses such as 3,-1,2");
      presses.runs.push_back(number);
      at = comma + 1;
    }
    step = presses;
  } else if (flag == "--shift") {
    ShiftReadings shift;
    shift.boxes.fill("0");
    for (const std::string& arg : op.args) {
      if (!channelAndText(arg, channel, text))
        return refuse("expected C=TEXT, a channel number and an offset");
      if (channel < 1 || channel > s.NumChannels)
        return refuse("the sounding has no channel " + std::to_string(channel));
      if (!std::isfinite(toSingle(numericPrefix(text))))
        return refuse("the offset " + text + " is beyond the range of a reading");
      shift.boxes[static_cast<std::size_t>(channel)] = text;
    }
    step = shift;
  } else if (flag == "--remove-negatives") {
    step = RemoveNegatives{};
  } else if (flag == "--autoclean") {
    step = AutoClean{};
  } else if (flag == "--fill-gaps") {
    step = FillGaps{};
  } else if (flag == "--combine") {
    Combine combine{value, {}, {}, true};
    for (std::size_t a = 1; a < op.args.size(); ++a) {
      if (op.args[a] == "--from" && a + 1 < op.args.size())
        combine.from = op.args[++a];
      else if (op.args[a] == "--no-normalize")
        combine.normalize = false;
    }
    if (Outcome read = readWholeFile(value, combine.bytes); !read) return read;
    step = combine;
  } else {
    return refuse("unknown operation");
  }
  return {};
}

std::vector<std::string> commandWords(const Session& session) {
  // The steps again on a copy of the opened sounding: each one's words depend on the sounding
  // as it stands before it (the channels an export option switches).
  std::vector<std::string> words;
  Session again(session.definitions());
  again.open(std::make_unique<Sounding>(session.opened()), session.path());
  bool lastShift = false;
  for (std::size_t k = 0; k < session.position(); ++k) {
    const Step& step = session.history()[k].step;
    const bool shift = std::holds_alternative<ShiftReadings>(step);
    // Consecutive --shift fill one panel: a second panel straight after another is kept apart
    // by the depth unit in force, which changes nothing.
    if (shift && lastShift)
      words.insert(words.end(),
                   {"--depth-unit", again.depthUnit() == DepthUnit::Metres ? "m" : "ft"});
    for (std::string& word : wordsFor(step, again.sounding(), again.definitions()))
      words.push_back(std::move(word));
    lastShift = shift;
    // The steps in force were applied before: replayed, they give the same sounding.
    (void)again.apply(step);
  }
  return words;
}

std::string commandLine(const Session& session, const std::string& output) {
  std::string command =
      "pelorin-cli clean " + quotedForShell(session.path()) + " -o " + quotedForShell(output);
  for (const std::string& word : commandWords(session)) {
    command += ' ';
    command += quotedForShell(word);
  }
  return command;
}

}  // namespace pelorin
