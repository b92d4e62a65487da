#pragma once
// `pelorin-cli export`: File, Export run as a user would, after the command's operations.

#include <optional>
#include <string>
#include <string_view>

#include "cli/operations.hpp"
#include "export/unit_systems.hpp"

namespace pelorin::cli {

// The systems by the batch tool's names, the panel's options from top to bottom:
// english, metric-kpa, metric-bar, kgf-ksc, kgf-bar. No value for any other name.
std::optional<ExportSystem> exportSystemNamed(std::string_view name);

// The panel's first opening selects English, then SYSTEM's option is clicked, then OK
// writes the analog file to `output` with its file name as the file title and the
// sounding's own header texts in the header boxes. False with the reason on the
// session's message stream when the file cannot be written, or when its columns would
// overflow and refuseUnreadable asks to refuse that (otherwise a warning).
bool exportAsUser(Session& session, const std::string& output, ExportSystem system,
                  bool refuseUnreadable, std::ostream& messages);

}  // namespace pelorin::cli
