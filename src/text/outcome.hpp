#pragma once
// How reading or writing a file, appending a second sounding, moving to a reading or a
// clean-up step ends: done, or refused with the sentence the user is told and, where there
// are, the file and the line it concerns.

#include <string>
#include <utility>

namespace pelorin {

struct [[nodiscard]] Outcome {
  std::string message;  // empty: done
  std::string file;     // the file the refusal concerns, or empty
  int line = 0;         // its line, or 0

  explicit operator bool() const { return message.empty(); }
  static Outcome refused(std::string message, std::string file = {}, int line = 0) {
    return {std::move(message), std::move(file), line};
  }
};

}  // namespace pelorin
