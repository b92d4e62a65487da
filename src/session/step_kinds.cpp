#include "session/step_kinds.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <type_traits>
#include <utility>

#include "display/navigation.hpp"
#include "edit/autoclean.hpp"
#include "edit/combine.hpp"
#include "edit/depth_increment.hpp"
#include "edit/fill_gaps.hpp"
#include "edit/shift_channels.hpp"
#include "edit/start_depth.hpp"
#include "session/operation_words.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

using Words = std::vector<std::string>;

// When the grid's texts are written anew after a step.
enum class Grid { Always, WhenApplied, Never };

std::string metres(float depth) { return formatPattern(depth, "##0.00") + " m"; }

std::string channelName(const Sounding& s, int c) { return windows1252ToUtf8(s.ChannelName[c]); }

std::string unitName(const Sounding& s, const ChannelDefinitions& defs, int c) {
  return windows1252ToUtf8(defs.UnitName[s.ChannelType[c]][s.ChannelUnit[c]]);
}

Outcome refuse(const std::string& why) { return Outcome::refused(why); }

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

std::string valueOf(const Operation& op) { return op.args.empty() ? std::string() : op.args[0]; }

// Delete and Insert: the reading made current as Up and Down would, then the key.
void readingKey(Sounding& s, int reading, int keyCode, StepResult& result) {
  if (Outcome reached = goToReading(s, reading); !reached) {
    result.outcome = reached;
    return;
  }
  // Both keys move the values of the readings below by one place, which needs the room of
  // one more reading.
  const std::string what = keyCode == KeyDelete ? "Delete" : "Insert";
  if (depthKey(s, keyCode).kind == GridStep::Nothing)
    result.outcome = refuse(s.NumReadings >= MaxReadings
                                ? what +
                                      " needs the room of one more reading while it moves the "
                                      "readings below, and the sounding already has 10,000 "
                                      "readings"
                                : "a reading can be inserted from reading " +
                                      std::to_string(s.MaxLag + 2) + " on");
}

// Each kind of step. Declared only: a kind without its description does not compile.
// Each holds: `operations`, its flags on the batch tool's command line in the help's order
// (`order`); `read`, the step an operation stands for on the sounding as it stands;
// `words`, the operation that makes the step again; `grid`; and `apply`, which changes the
// session's state and says what it did in the history's words.
template <typename T>
struct Kind;

template <>
struct Kind<DeleteReading> {
  static constexpr OperationWord operations[] = {
      {"--delete", "N", "delete reading N's channel values and speed, as Delete in the grid", 3}};
  static Outcome read(const Operation& op, const Sounding&, DeleteReading& step) {
    return wholeNumber(valueOf(op), step.reading) ? Outcome() : refuse("N is a reading number");
  }
  static Words words(const DeleteReading& d, const Sounding&, const ChannelDefinitions&) {
    return {"--delete", std::to_string(d.reading)};
  }
  static constexpr Grid grid = Grid::WhenApplied;
  static void apply(StepContext& c, const DeleteReading& d, StepResult& result,
                    std::string& description) {
    std::string at = metres(c.s.Depth[std::clamp(d.reading, 0, MaxReadings)]);
    readingKey(c.s, d.reading, KeyDelete, result);
    description = "Delete reading " + std::to_string(d.reading) + " (" + at + ")";
  }
};

template <>
struct Kind<InsertReading> {
  static constexpr OperationWord operations[] = {
      {"--insert", "N", "open a place for a reading at reading N, as Insert in the grid", 4}};
  static Outcome read(const Operation& op, const Sounding&, InsertReading& step) {
    return wholeNumber(valueOf(op), step.reading) ? Outcome() : refuse("N is a reading number");
  }
  static Words words(const InsertReading& d, const Sounding&, const ChannelDefinitions&) {
    return {"--insert", std::to_string(d.reading)};
  }
  static constexpr Grid grid = Grid::WhenApplied;
  static void apply(StepContext& c, const InsertReading& d, StepResult& result,
                    std::string& description) {
    std::string at = metres(c.s.Depth[std::clamp(d.reading, 0, MaxReadings)]);
    readingKey(c.s, d.reading, KeyInsert, result);
    description = "Insert a reading at reading " + std::to_string(d.reading) + " (" + at + ")";
  }
};

template <>
struct Kind<SetValue> {
  static constexpr OperationWord operations[] = {
      {"--set", "C:N=TEXT", "type TEXT into channel C's cell of reading N", 14}};
  static Outcome read(const Operation& op, const Sounding& s, SetValue& step) {
    const std::string value = valueOf(op);
    auto colon = value.find(':');
    int channel = 0, reading = 0;
    std::string text;
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
    return {};
  }
  static Words words(const SetValue& v, const Sounding&, const ChannelDefinitions&) {
    return {"--set",
            std::to_string(v.channel) + ":" + std::to_string(v.reading) + "=" + floatText(v.value)};
  }
  // The value typed stands in its cell already.
  static constexpr Grid grid = Grid::Never;
  static void apply(StepContext& c, const SetValue& v, StepResult& result,
                    std::string& description) {
    if (v.channel < 1 || v.channel > c.s.NumChannels || v.reading < 1 || v.reading > MaxReadings) {
      result.outcome = refuse("the sounding has no channel " + std::to_string(v.channel) +
                              " at reading " + std::to_string(v.reading));
      return;
    }
    c.s.Reading[v.channel][v.reading] = v.value;
    description = "Set " + channelName(c.s, v.channel) + " of reading " +
                  std::to_string(v.reading) + " to " + generalNumber(v.value) + " " +
                  unitName(c.s, c.defs, v.channel);
  }
};

template <>
struct Kind<SetHeader> {
  static constexpr OperationWord operations[] = {
      {"--header", "FIELD=TEXT", "set a header box, CompanyName to WaterTableDepth", 15}};
  static Outcome read(const Operation& op, const Sounding&, SetHeader& step) {
    const std::string value = valueOf(op);
    auto equals = value.find('=');
    for (std::size_t f = 0; equals != std::string::npos && f < kHeaderFields.size(); ++f)
      if (std::string_view(value).substr(0, equals) == kHeaderFields[f].name) {
        // A header box holds one line.
        if (value.find_first_of("\r\n", equals) != std::string::npos)
          return refuse("a header text is one line; the text holds a line break");
        step = SetHeader{static_cast<int>(f), utf8ToWindows1252(value.substr(equals + 1))};
        return {};
      }
    return refuse("expected FIELD=TEXT with a header field from CompanyName to WaterTableDepth");
  }
  static Words words(const SetHeader& h, const Sounding&, const ChannelDefinitions&) {
    return {"--header", std::string(kHeaderFields[static_cast<std::size_t>(h.field)].name) + "=" +
                            windows1252ToUtf8(h.text)};
  }
  static constexpr Grid grid = Grid::Never;
  static void apply(StepContext& c, const SetHeader& h, StepResult&, std::string& description) {
    const auto field =
        std::min(static_cast<std::size_t>(std::max(h.field, 0)), kHeaderFields.size() - 1);
    c.header[field] = h.text;
    description =
        std::string(kHeaderFields[field].label) + ": \"" + windows1252ToUtf8(h.text) + "\"";
  }
};

template <>
struct Kind<ChangeDepthUnit> {
  static constexpr OperationWord operations[] = {
      {"--depth-unit", "m|ft", "show the depths in metres or feet; the file keeps metres", 2}};
  static Outcome read(const Operation& op, const Sounding&, ChangeDepthUnit& step) {
    const std::string value = valueOf(op);
    if (value != "m" && value != "ft") return refuse("the depth unit is m or ft");
    step = ChangeDepthUnit{value == "m" ? DepthUnit::Metres : DepthUnit::Feet};
    return {};
  }
  static Words words(const ChangeDepthUnit& u, const Sounding&, const ChannelDefinitions&) {
    return {"--depth-unit", u.unit == DepthUnit::Metres ? "m" : "ft"};
  }
  static constexpr Grid grid = Grid::Always;
  static void apply(StepContext& c, const ChangeDepthUnit& u, StepResult&,
                    std::string& description) {
    c.depthUnit = u.unit;
    description = std::string("Depths shown in ") + (u.unit == DepthUnit::Metres ? "m" : "ft");
  }
};

template <>
struct Kind<ChangeChannelUnit> {
  static constexpr OperationWord operations[] = {
      {"--unit", "C=NAME", "show channel C in the unit NAME; its values are converted", 1}};
  static Outcome read(const Operation& op, const Sounding& s, ChangeChannelUnit& step) {
    int channel = 0;
    std::string text;
    if (!channelAndText(valueOf(op), channel, text))
      return refuse("expected C=NAME, a channel number and a unit name");
    if (channel < 1 || channel > s.NumChannels)
      return refuse("the sounding has no channel " + std::to_string(channel));
    step = ChangeChannelUnit{channel, utf8ToWindows1252(text)};
    return {};
  }
  static Words words(const ChangeChannelUnit& u, const Sounding&, const ChannelDefinitions&) {
    return {"--unit", std::to_string(u.channel) + "=" + windows1252ToUtf8(u.unit)};
  }
  static constexpr Grid grid = Grid::Always;
  static void apply(StepContext& c, const ChangeChannelUnit& u, StepResult& result,
                    std::string& description) {
    if (u.channel < 1 || u.channel > c.s.NumChannels) {
      result.outcome = refuse("the sounding has no channel " + std::to_string(u.channel));
      return;
    }
    const int type = c.s.ChannelType[u.channel];
    const std::vector<int> named = unitOptionsNamed(c.defs, type, u.unit);
    const int option = named.empty() ? 0 : named.back();
    if (option == 0) {
      std::string names;
      for (int k = 1; k <= c.defs.UnitCount[type]; ++k)
        names += (k > 1 ? ", " : "") + c.defs.UnitName[type][k];
      result.outcome = refuse("channel " + std::to_string(u.channel) + " has no unit \"" + u.unit +
                              "\" (its units: " + (names.empty() ? "none" : names) + ")");
      return;
    }
    changeChannelUnit(c.s, c.defs, u.channel, option);
    description = channelName(c.s, u.channel) + " shown in " + windows1252ToUtf8(u.unit);
  }
};

template <>
struct Kind<StartDepth> {
  static constexpr OperationWord operations[] = {
      {"--start-depth", "TEXT", "move the sounding so that its first reading lies at TEXT m", 5}};
  static Outcome read(const Operation& op, const Sounding&, StartDepth& step) {
    step.text = valueOf(op);
    return std::isfinite(toSingle(numericPrefix(step.text)))
               ? Outcome()
               : refuse("the start depth is beyond the range of a depth");
  }
  static Words words(const StartDepth& d, const Sounding&, const ChannelDefinitions&) {
    return {"--start-depth", windows1252ToUtf8(d.text)};
  }
  static constexpr Grid grid = Grid::Always;
  static void apply(StepContext& c, const StartDepth& d, StepResult& result,
                    std::string& description) {
    std::string caption = startDepthCaption(c.s);
    if (!applyStartDepth(c.s, caption, d.text, c.depthUnit))
      result.notes.push_back(
          "the depths would leave the range a sounding can hold; they were not moved");
    description = "Start depth " + caption + " -> " + startDepthCaption(c.s) + " m";
  }
};

template <>
struct Kind<DepthIncrementPresses> {
  static constexpr OperationWord operations[] = {
      {"--increment-steps", "K",
       "change the depth increment by K steps of 5 mm (down when negative), scaling depths and "
       "speeds",
       6},
      {"--increment-presses", "RUNS", "press INCREASE and DECREASE in runs, such as 3,-1", 16}};
  static Outcome read(const Operation& op, const Sounding&, DepthIncrementPresses& step) {
    const std::string value = valueOf(op);
    int number = 0;
    if (op.flag == "--increment-steps") {
      if (!wholeNumber(value, number)) return refuse("K is a whole number of steps");
      step.runs = {number};
      return {};
    }
    for (std::size_t at = 0; at <= value.size();) {
      std::size_t comma = std::min(value.find(',', at), value.size());
      if (!wholeNumber(std::string_view(value).substr(at, comma - at), number))
        return refuse("expected runs of presses such as 3,-1,2");
      step.runs.push_back(number);
      at = comma + 1;
    }
    return {};
  }
  static Words words(const DepthIncrementPresses& p, const Sounding&, const ChannelDefinitions&) {
    if (p.runs.size() == 1) return {"--increment-steps", std::to_string(p.runs[0])};
    std::string runs;
    for (int run : p.runs) {
      if (!runs.empty()) runs += ',';
      runs += std::to_string(run);
    }
    return {"--increment-presses", runs};
  }
  static constexpr Grid grid = Grid::WhenApplied;
  static void apply(StepContext& c, const DepthIncrementPresses& p, StepResult& result,
                    std::string& description) {
    DepthIncrementChoice choice;
    std::string from = openDepthIncrement(c.s, choice);
    // Pressing on once the label stays as it is changes nothing more.
    for (int run : p.runs) {
      for (long k = 0; k < std::labs(run); ++k) {
        float before = choice.NewIncrement;
        if (run > 0)
          increaseIncrement(choice);
        else if (!decreaseIncrement(choice))
          break;
        if (choice.NewIncrement == before) break;
      }
    }
    if (!applyDepthIncrement(c.s, choice))
      result.notes.push_back("the sounding's depth increment is " +
                             incrementCaption(c.s.DepthIncrement) +
                             " m, so the depths were not rescaled");
    description = "Depth increment " + from + " -> " + incrementCaption(c.s.DepthIncrement) +
                  " m: depths and speeds scaled by " + generalNumber(choice.IncrementRatio);
  }
};

template <>
struct Kind<ShiftReadings> {
  // Consecutive --shift fill the boxes of one panel (see parseOperation).
  static constexpr OperationWord operations[] = {
      {"--shift", "C=TEXT", "add TEXT to channel C; consecutive ones fill one panel", 7}};
  static Outcome read(const Operation& op, const Sounding& s, ShiftReadings& step) {
    step.boxes.fill("0");
    for (const std::string& arg : op.args) {
      int channel = 0;
      std::string text;
      if (!channelAndText(arg, channel, text))
        return refuse("expected C=TEXT, a channel number and an offset");
      if (channel < 1 || channel > s.NumChannels)
        return refuse("the sounding has no channel " + std::to_string(channel));
      if (!std::isfinite(toSingle(numericPrefix(text))))
        return refuse("the offset " + text + " is beyond the range of a reading");
      step.boxes[static_cast<std::size_t>(channel)] = text;
    }
    return {};
  }
  static Words words(const ShiftReadings& shift, const Sounding& s, const ChannelDefinitions&) {
    Words words;
    for (int c = 1; c <= s.NumChannels; ++c)
      if (shift.boxes[c] != "0")
        words.insert(words.end(),
                     {"--shift", std::to_string(c) + "=" + windows1252ToUtf8(shift.boxes[c])});
    return words;
  }
  static constexpr Grid grid = Grid::Always;
  static void apply(StepContext& c, const ShiftReadings& shift, StepResult&,
                    std::string& description) {
    const auto& boxes = shift.boxes;
    std::string shifted;
    for (int channel : shiftReadings(c.s, boxes))
      shifted += (shifted.empty() ? "" : ", ") + channelName(c.s, channel) + " by " +
                 generalNumber(numericPrefix(boxes[channel])) + " " +
                 unitName(c.s, c.defs, channel);
    description = shifted.empty() ? "Shift readings: no channel shifted" : "Shift " + shifted;
  }
};

template <>
struct Kind<RemoveNegatives> {
  static constexpr OperationWord operations[] = {
      {"--remove-negatives", "", "replace zero and negative readings by 0.1 % of full scale", 8}};
  static Outcome read(const Operation&, const Sounding&, RemoveNegatives&) { return {}; }
  static Words words(const RemoveNegatives&, const Sounding&, const ChannelDefinitions&) {
    return {"--remove-negatives"};
  }
  static constexpr Grid grid = Grid::Always;
  static void apply(StepContext& c, const RemoveNegatives&, StepResult&, std::string& description) {
    description =
        "Remove negatives: " + std::to_string(removeNegatives(c.s)) + " readings replaced";
  }
};

template <>
struct Kind<Combine> {
  // --from TEXT and --no-normalize follow --combine FILE (see parseOperation).
  static constexpr OperationWord operations[] = {
      {"--combine", "FILE", "append the sounding FILE, from the depth --from gives", 9},
      {"--from", "TEXT", "the depth (m) from which --combine appends", 10, true},
      {"--no-normalize", "", "keep the appended readings' own depths (after --combine)", 11, true}};
  static Outcome read(const Operation& op, const Sounding&, Combine& step) {
    step = Combine{valueOf(op), {}, {}, true};
    for (std::size_t a = 1; a < op.args.size(); ++a) {
      if (op.args[a] == "--from" && a + 1 < op.args.size())
        step.from = op.args[++a];
      else if (op.args[a] == "--no-normalize")
        step.normalize = false;
    }
    return readWholeFile(step.path, step.bytes);
  }
  static Words words(const Combine& c, const Sounding&, const ChannelDefinitions&) {
    Words words = {"--combine", c.path, "--from", windows1252ToUtf8(c.from)};
    if (!c.normalize) words.push_back("--no-normalize");
    return words;
  }
  // The appended readings show the next time the grid is filled.
  static constexpr Grid grid = Grid::Never;
  static void apply(StepContext& c, const Combine& step, StepResult& result,
                    std::string& description) {
    auto second = std::make_unique<SecondSounding>();
    std::string name = std::filesystem::path(step.path).filename().string();
    CombinePanel panel = readSecondSounding(step.bytes, step.path, c.s, c.defs, *second);
    if (!panel.shown) {
      result.outcome = refuse(panel.messages.empty() ? "nothing read" : panel.messages.back());
      return;
    }
    result.notes = panel.messages;
    if (Outcome appended =
            appendSecondSounding(c.s, *second, step.from, step.normalize, c.depthUnit);
        !appended)
      result.outcome = appended;
    description = "Combine " + name + " from " + generalNumber(numericPrefix(step.from)) + " m, " +
                  (step.normalize ? "normalised" : "depths as recorded");
  }
};

template <>
struct Kind<AutoClean> {
  static constexpr OperationWord operations[] = {
      {"--autoclean", "",
       "add a pore-pressure channel where there is none, snap the depths to the increment and "
       "fill gaps",
       12}};
  static Outcome read(const Operation&, const Sounding&, AutoClean&) { return {}; }
  static Words words(const AutoClean&, const Sounding&, const ChannelDefinitions&) {
    return {"--autoclean"};
  }
  static constexpr Grid grid = Grid::Always;
  static void apply(StepContext& c, const AutoClean&, StepResult&, std::string& description) {
    AutoCleanResult r = autoClean(c.s, c.defs);
    description = "AutoClean: " + std::string(r.channelInserted ? "pore channel added, " : "") +
                  std::to_string(r.depthsMoved) + " depths snapped, " +
                  std::to_string(r.readingsInserted) + " readings inserted";
  }
};

template <>
struct Kind<FillGaps> {
  static constexpr OperationWord operations[] = {
      {"--fill-gaps", "",
       "fill each channel's missing values along depth and end the sounding where every channel "
       "has a value",
       13}};
  static Outcome read(const Operation&, const Sounding&, FillGaps&) { return {}; }
  static Words words(const FillGaps&, const Sounding&, const ChannelDefinitions&) {
    return {"--fill-gaps"};
  }
  static constexpr Grid grid = Grid::Always;
  static void apply(StepContext& c, const FillGaps&, StepResult&, std::string& description) {
    description = fillGapsDescription(c.s, fillGaps(c.s));
  }
};

template <>
struct Kind<ExportUnits> {
  static constexpr OperationWord operations[] = {
      {"--export-units", "SYSTEM",
       "click the export panel's option SYSTEM (english, metric-kpa, metric-bar, kgf-ksc, "
       "kgf-bar): the units of channels 1 to 3 it names",
       17}};
  static Outcome read(const Operation& op, const Sounding&, ExportUnits& step) {
    for (const ExportUnitSystem& system : exportUnitSystems())
      if (system.option == valueOf(op)) {
        step.system = system.system;
        return {};
      }
    return refuse("the system is english, metric-kpa, metric-bar, kgf-ksc or kgf-bar");
  }
  static Words words(const ExportUnits& e, const Sounding&, const ChannelDefinitions&) {
    return {"--export-units", std::string(exportUnitSystem(e.system).option)};
  }
  static constexpr Grid grid = Grid::Always;
  static void apply(StepContext& c, const ExportUnits& e, StepResult&, std::string& description) {
    chooseExportUnitSystem(c.s, c.defs, e.system, c.depthUnit);
    c.exportSystem = e.system;
    const ExportUnitSystem& system = exportUnitSystem(e.system);
    description =
        "Export units: " + windows1252ToUtf8(system.name) + " (" + std::string(system.label) + ")";
  }
};

template <>
struct Kind<InterpretationInput> {
  using Field = InterpretationInput::Field;
  // One flag per input, in Field's order; the value that gives the choice back comes last.
  static constexpr OperationWord operations[] = {
      {"--area-ratio", "A|auto",
       "the cone's net area ratio for the interpretation; auto: the file's, else 0.8", 18},
      {"--water-depth", "M|auto",
       "the water level in m below the surface; auto: the Water Table Depth header text's "
       "leading number, else 0",
       19},
      {"--unit-weight", "KN|robertson2010",
       "a constant unit weight in kN/m3, or by Robertson & Cabal (2010), the default", 20},
      {"--cn-cap", "C|none", "cap (pa / sigma'v0)^n of the normalisation at C; none: no cap", 21}};
  static constexpr const char* expected[] = {
      "a number above 0 and at most 1, or auto", "a depth in m, or auto",
      "a unit weight above 0 in kN/m3, or robertson2010", "a number above 0, or none"};
  static std::size_t index(Field f) { return static_cast<std::size_t>(f); }

  // The choice the text makes; nothing when the text is no such value.
  static bool choose(InputChoices& c, Field field, const std::string& text) {
    const std::string_view back = operations[index(field)].value;
    const bool unset = text.empty() || text == back.substr(back.find('|') + 1);
    const std::optional<double> typed = unset ? std::nullopt : strictNumber(text);
    if (!unset && !(typed && std::isfinite(*typed))) return false;
    switch (field) {
      case Field::AreaRatio:
        if (typed && !(*typed > 0 && *typed <= 1)) return false;
        c.areaRatio = typed;
        return true;
      case Field::WaterDepth:
        c.waterDepth = typed;
        return true;
      case Field::UnitWeight:
        if (typed && !(*typed > 0)) return false;
        c.unitWeightMethod = typed          ? UnitWeightMethod::Constant
                             : text.empty() ? std::optional<UnitWeightMethod>()
                                            : UnitWeightMethod::RobertsonCabal2010;
        c.unitWeight = typed.value_or(InputChoices{}.unitWeight);
        return true;
      case Field::CnCap:
        if (typed && !(*typed > 0)) return false;
        c.cnCap = typed;
        return true;
    }
    return false;
  }
  static Outcome read(const Operation& op, const Sounding&, InterpretationInput& step) {
    for (std::size_t k = 0; k < std::size(operations); ++k)
      if (op.flag == operations[k].flag) step.field = static_cast<Field>(k);
    // "auto" and "none" give the choice back, as an empty box does.
    const std::string_view value = operations[index(step.field)].value;
    step.text = valueOf(op) == value.substr(value.find('|') + 1) && step.field != Field::UnitWeight
                    ? std::string()
                    : valueOf(op);
    InputChoices scratch;
    return choose(scratch, step.field, step.text)
               ? Outcome()
               : refuse(std::string("expected ") + expected[index(step.field)]);
  }
  static Words words(const InterpretationInput& i, const Sounding&, const ChannelDefinitions&) {
    const std::string_view value = operations[index(i.field)].value;
    return {operations[index(i.field)].flag,
            i.text.empty() ? std::string(value.substr(value.find('|') + 1)) : i.text};
  }
  static constexpr Grid grid = Grid::Never;
  static void apply(StepContext& c, const InterpretationInput& i, StepResult& result,
                    std::string& description) {
    if (!choose(c.interpretation, i.field, i.text)) {
      result.outcome = refuse("\"" + i.text + "\": expected " + expected[index(i.field)]);
      return;
    }
    const InputChoices& now = c.interpretation;
    switch (i.field) {
      case Field::AreaRatio:
        description = now.areaRatio ? "Area ratio " + generalNumber(*now.areaRatio)
                                    : "Area ratio from the file, else 0.8";
        break;
      case Field::WaterDepth:
        description = now.waterDepth ? "Water depth " + generalNumber(*now.waterDepth) + " m"
                                     : "Water depth from the header, else 0 m";
        break;
      case Field::UnitWeight:
        description = now.unitWeightMethod == UnitWeightMethod::Constant
                          ? "Unit weight " + generalNumber(now.unitWeight) + " kN/m3"
                          : "Unit weight by Robertson & Cabal (2010)";
        break;
      case Field::CnCap:
        description = now.cnCap ? "Cn capped at " + generalNumber(*now.cnCap) : "Cn not capped";
        break;
    }
  }
};

// Calls f with std::type_identity<T>{} for every kind of step T.
template <typename F>
void forEachKind(F&& f) {
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    (f(std::type_identity<std::variant_alternative_t<I, Step>>{}), ...);
  }
  (std::make_index_sequence<std::variant_size_v<Step>>{});
}

template <typename T>
using KindOf = Kind<std::remove_cvref_t<T>>;

}  // namespace

std::span<const OperationWord> operationWords() {
  static const std::vector<OperationWord> words = [] {
    std::vector<OperationWord> all;
    forEachKind([&]<typename T>(std::type_identity<T>) {
      for (const OperationWord& word : Kind<T>::operations) all.push_back(word);
    });
    std::sort(all.begin(), all.end(),
              [](const OperationWord& a, const OperationWord& b) { return a.order < b.order; });
    return all;
  }();
  return words;
}

Outcome stepFor(const Operation& op, const Sounding& s, Step& step) {
  Outcome read = refuse("unknown operation");
  forEachKind([&]<typename T>(std::type_identity<T>) {
    for (const OperationWord& word : Kind<T>::operations) {
      if (word.partOfCombine || op.flag != word.flag) continue;
      T made{};
      read = Kind<T>::read(op, s, made);
      if (read) step = std::move(made);
    }
  });
  return read;
}

std::vector<std::string> wordsFor(const Step& step, const Sounding& s,
                                  const ChannelDefinitions& defs) {
  return std::visit([&](const auto& kind) { return KindOf<decltype(kind)>::words(kind, s, defs); },
                    step);
}

bool rewritesGrid(const Step& step, bool applied) {
  return std::visit(
      [&](const auto& kind) {
        const Grid grid = KindOf<decltype(kind)>::grid;
        return grid == Grid::Always || (grid == Grid::WhenApplied && applied);
      },
      step);
}

StepResult runStep(StepContext& context, const Step& step, std::string& description) {
  StepResult result;
  std::visit(
      [&](const auto& kind) {
        using T = std::remove_cvref_t<decltype(kind)>;
        Kind<T>::apply(context, kind, result, description);
        // What the grid shows in its depth column follows, as after every operation but
        // Combine's OK.
        if (result.applied() && !std::is_same_v<T, Combine>)
          applyDisplayDepths(context.s, context.depthUnit);
      },
      step);
  return result;
}

}  // namespace pelorin
