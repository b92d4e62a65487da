#include "cli/operations.hpp"

#include <array>
#include <charconv>
#include <cstdlib>
#include <memory>

#include "display/navigation.hpp"
#include "edit/autoclean.hpp"
#include "edit/combine.hpp"
#include "edit/depth_increment.hpp"
#include "edit/shift_channels.hpp"
#include "edit/start_depth.hpp"

namespace pelorin::cli {

namespace {

// A whole decimal integer, nothing else.
bool wholeNumber(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

bool refuse(Session& session, const Operation& op, const std::string& reason) {
  session.messages << "pelorin-cli: \"" << session.fileName << "\": " << op.flag;
  for (const auto& arg : op.args) session.messages << ' ' << arg;
  session.messages << ": " << reason << "\n";
  return false;
}

// The window's RefreshGrid recomputes the display depths after each of these operations.
void refreshDisplayDepths(Session& session) {
  applyDisplayDepths(session.sounding, session.depthUnit);
}

// --unit C=NAME: selects NAME in channel C's unit list.
bool applyUnit(Session& session, const Operation& op) {
  const std::string& arg = op.args[0];
  auto equals = arg.find('=');
  int c = 0;
  Sounding& s = session.sounding;
  if (equals == std::string::npos || !wholeNumber(arg.substr(0, equals), c))
    return refuse(session, op, "expected C=NAME, a channel number and a unit name");
  if (c < 1 || c > s.NumChannels)
    return refuse(session, op, "the sounding has no channel " + std::to_string(c));
  std::string name = arg.substr(equals + 1);
  int type = s.ChannelType[c];
  int option = 0;
  for (int u = 1; u <= session.defs.UnitCount[type]; ++u)
    if (session.defs.UnitName[type][u] == name) option = u;
  if (option == 0) {
    std::string names;
    for (int u = 1; u <= session.defs.UnitCount[type]; ++u)
      names += (u > 1 ? ", " : "") + session.defs.UnitName[type][u];
    return refuse(session, op, "channel " + std::to_string(c) + " has no unit \"" + name +
                                   "\" (its units: " + (names.empty() ? "none" : names) + ")");
  }
  changeChannelUnit(s, session.defs, c, option);
  refreshDisplayDepths(session);
  return true;
}

// --depth-unit m|ft: the unit the depth column is shown in.
bool applyDepthUnit(Session& session, const Operation& op) {
  if (op.args[0] == "m")
    session.depthUnit = DepthUnit::Metres;
  else if (op.args[0] == "ft")
    session.depthUnit = DepthUnit::Feet;
  else
    return refuse(session, op, "the depth unit is m or ft");
  refreshDisplayDepths(session);
  return true;
}

// --delete N and --insert N: reading N made current as Up and Down would, then the key.
bool applyReadingKey(Session& session, const Operation& op, int keyCode) {
  int n = 0;
  if (!wholeNumber(op.args[0], n)) return refuse(session, op, "N is a reading number");
  std::string problem;
  Sounding& s = session.sounding;
  if (!goToReading(s, n, problem)) return refuse(session, op, problem);
  if (depthKey(s, keyCode).kind == GridStep::Nothing) {
    if (s.NumReadings >= MaxReadings)
      return refuse(session, op, "the sounding already has 10,000 readings");
    return refuse(session, op, "a reading can be inserted from reading " +
                                   std::to_string(s.MaxLag + 2) + " on");
  }
  refreshDisplayDepths(session);
  return true;
}

bool applyDelete(Session& session, const Operation& op) {
  return applyReadingKey(session, op, KeyDelete);
}
bool applyInsert(Session& session, const Operation& op) {
  return applyReadingKey(session, op, KeyInsert);
}

// --start-depth TEXT: Edit Depth, Start Depth; TEXT typed as the new start depth; OK.
bool applyStartDepthText(Session& session, const Operation& op) {
  Sounding& s = session.sounding;
  std::string caption = startDepthCaption(s);
  if (!applyStartDepth(s, caption, op.args[0], session.depthUnit))
    session.messages << "pelorin-cli: \"" << session.fileName << "\": " << op.flag << ' '
                     << op.args[0] << ": the depths would leave the range a sounding can hold;"
                     << " they were not moved\n";
  refreshDisplayDepths(session);
  return true;
}

// --increment-steps K: Edit Depth, Depth Increment; INCREASE K times (DECREASE -K times);
// OK. Pressing on once the label no longer changes would change nothing more.
bool applyIncrementSteps(Session& session, const Operation& op) {
  int steps = 0;
  if (!wholeNumber(op.args[0], steps)) return refuse(session, op, "K is a whole number of steps");
  Sounding& s = session.sounding;
  DepthIncrementChoice choice;
  openDepthIncrement(s, choice);
  for (long long k = 0; k < std::abs(static_cast<long long>(steps)); ++k) {
    float before = choice.NewIncrement;
    if (steps > 0)
      increaseIncrement(choice);
    else if (!decreaseIncrement(choice))
      break;
    if (choice.NewIncrement == before) break;
  }
  if (!applyDepthIncrement(s, choice))
    session.messages << "pelorin-cli: \"" << session.fileName << "\": " << op.flag << ' '
                     << op.args[0] << ": the sounding's depth increment is "
                     << incrementCaption(s.DepthIncrement) << " m, so the depths were not"
                     << " rescaled\n";
  refreshDisplayDepths(session);
  return true;
}

// --shift C=TEXT ...: Shift Channel(s); each TEXT typed in channel C's offset box (one
// panel for a run of consecutive --shift); SHIFT READINGS.
bool applyShift(Session& session, const Operation& op) {
  Sounding& s = session.sounding;
  ShiftPanel panel = openShiftChannels(s, session.defs);
  std::array<std::string, MaxChannels + 1> boxes;
  for (int c = 1; c <= panel.NumRows; ++c) boxes[c] = panel.Row[c].ShiftBy;
  for (const std::string& arg : op.args) {
    auto equals = arg.find('=');
    int c = 0;
    if (equals == std::string::npos || !wholeNumber(arg.substr(0, equals), c))
      return refuse(session, op, "expected C=TEXT, a channel number and an offset");
    if (c < 1 || c > panel.NumRows)
      return refuse(session, op, "the sounding has no channel " + std::to_string(c));
    boxes[c] = arg.substr(equals + 1);
  }
  shiftReadings(s, boxes);
  refreshDisplayDepths(session);
  return true;
}

// --remove-negatives: Shift Channel(s); REMOVE NEGATIVES.
bool applyRemoveNegatives(Session& session, const Operation&) {
  Sounding& s = session.sounding;
  openShiftChannels(s, session.defs);
  removeNegatives(s);
  refreshDisplayDepths(session);
  return true;
}

// --autoclean: File, AutoClean For Interp. It reports nothing.
bool applyAutoClean(Session& session, const Operation&) {
  autoClean(session.sounding, session.defs);
  refreshDisplayDepths(session);
  return true;
}

// --combine FILE --from TEXT [--no-normalize]: File, Combine; FILE chosen in the dialog;
// TEXT typed as the start depth; normalise unticked when asked; OK. op.args holds FILE
// and the options as given.
bool applyCombine(Session& session, const Operation& op) {
  std::string startDepth;
  bool normalize = true;
  for (std::size_t a = 1; a < op.args.size(); ++a) {
    if (op.args[a] == "--from" && a + 1 < op.args.size())
      startDepth = op.args[++a];
    else if (op.args[a] == "--no-normalize")
      normalize = false;
  }
  auto second = std::make_unique<SecondSounding>();
  CombinePanel panel = readSecondSoundingFile(op.args[0], session.sounding, session.defs, *second);
  if (!panel.shown)
    return refuse(session, op, panel.messages.empty() ? "nothing read" : panel.messages.back());
  for (const std::string& message : panel.messages)
    session.messages << "pelorin-cli: " << op.args[0] << ": " << message << "\n";
  CombineResult result =
      appendSecondSounding(session.sounding, *second, startDepth, normalize, session.depthUnit);
  return result.appended || refuse(session, op, result.message);
}

// --from TEXT and --no-normalize after --combine FILE belong to it.
bool takeCombineOptions(const std::vector<std::string>& args, std::size_t& i, Operation& op,
                        std::string& problem) {
  bool from = false, noNormalize = false;
  for (; i < args.size(); ++i) {
    if (args[i] == "--no-normalize" && !noNormalize) {
      noNormalize = true;
      op.args.push_back(args[i]);
    } else if (args[i] == "--from" && !from) {
      if (i + 1 >= args.size()) {
        problem = "--from needs a value";
        return false;
      }
      from = true;
      op.args.push_back(args[i]);
      op.args.push_back(args[++i]);
    } else {
      break;
    }
  }
  if (!from) problem = "--combine needs --from TEXT, the start depth in the 2nd file";
  return from;
}

struct OperationEntry {
  const char* flag;
  int values;
  bool (*apply)(Session&, const Operation&);
};

// Flags, the number of values each takes, and the window's operation behind it.
constexpr OperationEntry kOperations[] = {
    {"--unit", 1, applyUnit},
    {"--depth-unit", 1, applyDepthUnit},
    {"--delete", 1, applyDelete},
    {"--insert", 1, applyInsert},
    {"--start-depth", 1, applyStartDepthText},
    {"--increment-steps", 1, applyIncrementSteps},
    {"--shift", 1, applyShift},
    {"--remove-negatives", 0, applyRemoveNegatives},
    {"--autoclean", 0, applyAutoClean},
    {"--combine", 1, applyCombine},
};

const OperationEntry* findOperation(const std::string& flag) {
  for (const auto& entry : kOperations)
    if (flag == entry.flag) return &entry;
  return nullptr;
}

}  // namespace

bool parseOperation(const std::vector<std::string>& args, std::size_t& i,
                    std::vector<Operation>& operations, std::string& problem) {
  const OperationEntry* entry = findOperation(args[i]);
  if (!entry) {
    problem = "unknown operation \"" + args[i] + "\"";
    return false;
  }
  Operation op{args[i], {}};
  for (int k = 0; k < entry->values; ++k) {
    if (++i >= args.size()) {
      problem = op.flag + " needs a value";
      return false;
    }
    op.args.push_back(args[i]);
  }
  ++i;
  if (op.flag == "--combine" && !takeCombineOptions(args, i, op, problem)) return false;
  // Consecutive --shift fill several boxes of one panel before its SHIFT READINGS.
  if (op.flag == "--shift" && !operations.empty() && operations.back().flag == "--shift") {
    operations.back().args.push_back(std::move(op.args[0]));
    return true;
  }
  operations.push_back(std::move(op));
  return true;
}

bool applyOperations(Session& session, const std::vector<Operation>& operations) {
  for (const Operation& op : operations) {
    const OperationEntry* entry = findOperation(op.flag);
    if (!entry) return refuse(session, op, "unknown operation");
    if (!entry->apply(session, op)) return false;
  }
  return true;
}

}  // namespace pelorin::cli
