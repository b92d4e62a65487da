#pragma once
// The operations of `pelorin-cli clean` and `export`, each run exactly as the window's
// operation of the same name, in the order given on the command line.

#include <ostream>
#include <string>
#include <vector>

#include "sounding/sounding.hpp"
#include "sounding/units.hpp"

namespace pelorin::cli {

struct Operation {
  std::string flag;               // "--unit", "--delete", ...
  std::vector<std::string> args;  // its values in command-line order
};

// What the batch tool keeps between operations, as the window keeps it in its controls.
struct Session {
  Sounding& sounding;
  const ChannelDefinitions& defs;
  std::ostream& messages;  // an operation's information messages and refusals
  std::string fileName;    // the opened file, for messages
  DepthUnit depthUnit = DepthUnit::Metres;
};

// Takes the operation at args[i] (its flag and values) and advances i past it.
// False with `problem` filled when the flag is unknown or its values are missing.
bool parseOperation(const std::vector<std::string>& args, std::size_t& i,
                    std::vector<Operation>& operations, std::string& problem);

// Runs the operations in order. False when one refuses; its message is on `messages`.
bool applyOperations(Session& session, const std::vector<Operation>& operations);

}  // namespace pelorin::cli
