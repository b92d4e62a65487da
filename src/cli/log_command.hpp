#pragma once
// `pelorin-cli log`: the CPT log of each sounding after the command's operations.

#include <ostream>
#include <string>
#include <string_view>

#include "report/log_files.hpp"

namespace pelorin::cli {

// Reads one --scale value, NAME=LOW:HIGH (qc=0:40), into the options. Empty when it was
// read; otherwise what is wrong with it.
std::string readLogScale(std::string_view text, report::LogOptions& options);

// Draws the log of the session's sounding and writes it to `output` (a file per page for SVG
// and PNG logs of several pages). False with the reason on `messages` when it cannot be
// written.
bool writeLogFiles(const Session& session, const report::LogOptions& options,
                   const std::string& output, report::LogFormat format, std::ostream& messages);

}  // namespace pelorin::cli
