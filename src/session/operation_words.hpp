#pragma once
// The batch tool's operations and the steps they stand for, both ways: pelorin-cli reads its
// command line into steps, and View, Copy Command writes a session's steps as the command
// that makes them again.

#include <span>
#include <string>
#include <vector>

#include "session/session.hpp"

namespace pelorin {

// One operation as given on the command line: its flag and values.
struct Operation {
  std::string flag;               // "--unit", "--delete", ...
  std::vector<std::string> args;  // its values in command-line order
};

// An operation's flag as the batch tool takes it, with the name of its value (none for a
// flag alone) and what it does, in the user's words.
struct OperationWord {
  const char* flag;
  const char* value;
  const char* help;
  int order = 0;               // its place in the help
  bool partOfCombine = false;  // --from and --no-normalize follow --combine FILE
  int values() const { return *value ? 1 : 0; }
};
std::span<const OperationWord> operationWords();

// Takes the operation at args[i] (its flag and values) and advances i past it. Refused when
// the flag is unknown or its values are missing (a usage error).
// Consecutive --shift fill the boxes of one panel and so make one operation.
Outcome parseOperation(const std::vector<std::string>& args, std::size_t& i,
                       std::vector<Operation>& operations);

// The step an operation stands for on the sounding as it stands. Refused with the reason when
// the operation cannot run: a malformed value, a channel the sounding lacks,
// a second file that cannot be read.
Outcome stepFor(const Operation& op, const Sounding& s, Step& step);

// The operations that make the session's steps in force again from its opened file.
std::vector<std::string> commandWords(const Session& session);

// The pelorin-cli clean command that makes the session's steps in force again from its
// opened file, writing `output`; words quoted for a POSIX shell where they need it.
std::string commandLine(const Session& session, const std::string& output);

}  // namespace pelorin
