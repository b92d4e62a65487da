#include "cli/operations.hpp"

#include <utility>

namespace pelorin::cli {

bool applyOperations(Session& session, const std::vector<Operation>& operations,
                     std::ostream& messages, const std::string& fileName) {
  for (const Operation& op : operations) {
    std::string said = "pelorin-cli: \"" + fileName + "\": " + op.flag;
    for (const auto& arg : op.args) said += ' ' + arg;
    Step step;
    if (Outcome made = stepFor(op, std::as_const(session).sounding(), step); !made) {
      messages << said << ": " << made.message << "\n";
      return false;
    }
    StepResult result = session.apply(step);
    // The second file's messages name it; the others the operation that gave them.
    for (const std::string& note : result.notes) {
      if (std::holds_alternative<Combine>(step))
        messages << "pelorin-cli: " << op.args[0] << ": " << note << "\n";
      else
        messages << said << ": " << note << "\n";
    }
    if (!result.applied()) {
      messages << said << ": " << result.outcome.message << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace pelorin::cli
