#include "cli/export_command.hpp"

#include <filesystem>

#include "session/session_files.hpp"
#include "text/text_file.hpp"

namespace pelorin::cli {

std::optional<ExportSystem> exportSystemNamed(std::string_view name) {
  for (const ExportUnitSystem& system : exportUnitSystems())
    if (system.option == name) return system.system;
  return std::nullopt;
}

bool exportAsUser(Session& session, const std::string& output, ExportSystem system,
                  bool refuseUnreadable, std::ostream& messages) {
  // The first opening of the panel checks English; the user then clicks SYSTEM's option,
  // which runs its click even when it is English already.
  // Choosing a system changes units only; it is never refused.
  if (session.exportPanelChoosesEnglish()) (void)session.apply(ExportUnits{ExportSystem::English});
  (void)session.apply(ExportUnits{system});

  // The dialog's file title: the name without its folder, in the file's code page.
  std::string title = utf8ToWindows1252(std::filesystem::path(output).filename().string());
  std::string warning;
  Outcome written = exportSession(session, output, title, refuseUnreadable, &warning);
  if (!warning.empty()) messages << "pelorin-cli: warning: " << warning << "\n";
  if (!written) messages << "pelorin-cli: " << written.message << "\n";
  return static_cast<bool>(written);
}

}  // namespace pelorin::cli
