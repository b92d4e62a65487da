#include "session/session_files.hpp"

#include "export/analog_file.hpp"

namespace pelorin {

SaveResult saveSession(const Session& session, const std::string& path, bool refuseUnreadable) {
  return saveSoundingFile(path, session.sounding(), session.definitions(), session.header(),
                          refuseUnreadable);
}

Outcome exportSession(const Session& session, const std::string& path, const std::string& fileTitle,
                      bool refuseUnreadable, std::string* warning) {
  const auto& system = session.exportSystem();
  if (!system)
    return Outcome::refused("Cannot export \"" + path + "\": no unit system is chosen.", path);
  return writeAnalogFile(path, session.sounding(), analogHeaderTexts(session.header()), fileTitle,
                         std::string(exportUnitSystem(*system).name), refuseUnreadable, warning);
}

Outcome exchangeSessionBytes(const Session& session, ExchangeFormat format, DateOrder order,
                             std::string& bytes, std::vector<std::string>& notes) {
  return exchangeFileBytes(format, session.sounding(), session.definitions(), session.header(),
                           session.descriptions(), bytes, notes, order);
}

}  // namespace pelorin
