#pragma once
// The operations of `pelorin-cli clean` and `export`: each read into the step the window's
// operation of the same name makes, and applied in the order given.

#include <ostream>
#include <string>
#include <vector>

#include "session/operation_words.hpp"

namespace pelorin::cli {

// Runs the operations in order on the session. False when one is refused; the reason is on
// `messages`, naming the file and the operation. What an operation tells besides (the cone
// of a second file, depths left as they were) goes there too.
bool applyOperations(Session& session, const std::vector<Operation>& operations,
                     std::ostream& messages, const std::string& fileName);

}  // namespace pelorin::cli
