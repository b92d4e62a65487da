#include "session/operation_words.hpp"

#include "session/step_kinds.hpp"

namespace pelorin {

namespace {

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

}  // namespace

Outcome parseOperation(const std::vector<std::string>& args, std::size_t& i,
                       std::vector<Operation>& operations) {
  const OperationWord* entry = nullptr;
  for (const OperationWord& e : operationWords())
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
