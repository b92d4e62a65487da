#pragma once
// What a clean-up session writes, the same from the window and the batch tool: always the
// session's own state (the sounding as the steps left it, the header texts as edited, the
// export panel's system and the history), never what a window control happens to show.

#include <string>
#include <vector>

#include "interchange/exchange_file.hpp"
#include "session/session.hpp"
#include "sounding/save_sounding.hpp"

namespace pelorin {

// File, Save.
SaveResult saveSession(const Session& session, const std::string& path, bool refuseUnreadable);

// File, Export's OK: the analog file in the export panel's system, with `fileTitle` in it.
// Refused when no system was chosen yet.
Outcome exportSession(const Session& session, const std::string& path, const std::string& fileTitle,
                      bool refuseUnreadable, std::string* warning);

// Interchange: the GEF-CPT or AGS4 file's bytes and what its writer noted.
Outcome exchangeSessionBytes(const Session& session, ExchangeFormat format, DateOrder order,
                             std::string& bytes, std::vector<std::string>& notes);

}  // namespace pelorin
