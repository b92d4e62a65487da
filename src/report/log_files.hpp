#pragma once
// The CPT log as files: one PDF of all pages, or an SVG or PNG file per page. Each file is
// written safely (a temporary file renamed over the target).

#include <optional>
#include <string>
#include <vector>

#include "report/cpt_log.hpp"
#include "text/outcome.hpp"

namespace pelorin::report {

enum class LogFormat { Pdf, Svg, Png };

// The format a file name asks for by its extension (.pdf, .svg, .png, any case).
std::optional<LogFormat> logFormatOf(const std::string& path);
const char* logFormatExtension(LogFormat format);

// The files a log of `pages` pages goes to: the path itself for a PDF or a single page,
// otherwise one per page with the page number before the extension (log-1.svg, log-2.svg).
std::vector<std::string> logFilePaths(const std::string& path, LogFormat format, int pages);

// A log of more pages than this is refused: readings that reach absurd depths.
inline constexpr int MaxLogPages = 2000;

// PDF: A4 portrait, vector, fonts embedded. PNG: 150 dots per inch.
Outcome writeLog(const CptLog& log, const std::string& path, LogFormat format);

// The PDF's bytes, for a caller that puts them elsewhere.
std::string logPdfBytes(const CptLog& log);

// Text and drawing need a QGuiApplication. A program without one (the batch tool) gets one
// on the offscreen platform, so that no display is needed; call it before any thread draws.
void ensureGuiApplication();

}  // namespace pelorin::report
