#include "cli/operations.hpp"

namespace pelorin::cli {

namespace {

struct OperationSpec {
  const char* flag;
  int values;
};

// Flags and the number of values each takes.
constexpr OperationSpec kOperations[] = {
    {"", 0},  // placeholder so the table is never empty
};

const OperationSpec* findSpec(const std::string& flag) {
  for (const auto& spec : kOperations)
    if (flag == spec.flag && !flag.empty()) return &spec;
  return nullptr;
}

}  // namespace

bool parseOperation(const std::vector<std::string>& args, std::size_t& i,
                    std::vector<Operation>& operations, std::string& problem) {
  const OperationSpec* spec = findSpec(args[i]);
  if (!spec) {
    problem = "unknown operation \"" + args[i] + "\"";
    return false;
  }
  Operation op{args[i], {}};
  for (int k = 0; k < spec->values; ++k) {
    if (++i >= args.size()) {
      problem = op.flag + " needs a value";
      return false;
    }
    op.args.push_back(args[i]);
  }
  ++i;
  operations.push_back(std::move(op));
  return true;
}

bool applyOperations(Session& session, const std::vector<Operation>& operations) {
  for (const Operation& op : operations) {
    session.messages << "pelorin-cli: operation " << op.flag << " is not available\n";
    return false;
  }
  return true;
}

}  // namespace pelorin::cli
