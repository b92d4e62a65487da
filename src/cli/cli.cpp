#include "cli/cli.hpp"

#include <charconv>
#include <cmath>
#include <memory>

#include "cli/export_command.hpp"
#include "cli/operations.hpp"
#include "cli/quality_json.hpp"
#include "export/readings_table.hpp"
#include "interchange/exchange_file.hpp"
#include "quality/quality.hpp"
#include "sounding/channel_definitions.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/save_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "text/file_io.hpp"
#include "text/text_file.hpp"

namespace pelorin::cli {

namespace {

constexpr const char* kUsage =
    "usage: pelorin-cli info   FILE.cpt [--definitions DIR]\n"
    "       pelorin-cli clean  IN.cpt -o OUT.cpt [--definitions DIR] [--refuse-unreadable] "
    "[--history] [OPERATION ...]\n"
    "       pelorin-cli export IN.cpt -o OUT.cpd --system SYSTEM [--definitions DIR] "
    "[--refuse-unreadable] [OPERATION ...]\n"
    "       pelorin-cli csv    IN.cpt -o OUT.csv [--definitions DIR] [OPERATION ...]\n"
    "       pelorin-cli gef    IN.cpt -o OUT.gef [--definitions DIR] [OPERATION ...]\n"
    "       pelorin-cli ags    IN.cpt -o OUT.ags [--definitions DIR] [OPERATION ...]\n"
    "       pelorin-cli quality IN.cpt [--definitions DIR] [OPERATION ...] [--json]\n"
    "       SYSTEM: english, metric-kpa, metric-bar, kgf-ksc, kgf-bar\n";

// A float as the shortest text that reads back as the same float.
std::string jsonNumber(float value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string jsonString(std::string_view windows1252) {
  std::string text = windows1252ToUtf8(windows1252);
  std::string out = "\"";
  for (unsigned char ch : text) {
    switch (ch) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (ch < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", ch);
          out += escape;
        } else {
          out += static_cast<char>(ch);
        }
    }
  }
  return out + "\"";
}

std::string infoJson(const Sounding& s, const ChannelDefinitions& defs) {
  static constexpr const char* kHeaderNames[] = {
      "CompanyName", "OperatorName", "ConeNumber", "LocationText", "JobNumber", "HoleNumber",
      "DateAndTime", "HeaderText",   "Footnote1",  "Footnote2",    "GPSData",   "WaterTableDepth"};
  HeaderTexts header = headerTexts(s);
  std::string j = "{\n  \"header\": {";
  for (std::size_t i = 0; i < header.size(); ++i)
    j +=
        std::string(i ? ",\n" : "\n") + "    \"" + kHeaderNames[i] + "\": " + jsonString(header[i]);
  j += "\n  },\n";
  j += "  \"NumChannels\": " + std::to_string(s.NumChannels) + ",\n";
  j += "  \"NumReadings\": " + std::to_string(s.NumReadings) + ",\n";
  j += "  \"DepthIncrement\": " + jsonNumber(s.DepthIncrement) + ",\n";
  j += "  \"MaxLag\": " + std::to_string(s.MaxLag) + ",\n";
  j += "  \"DataIndex\": " + std::to_string(s.DataIndex) + ",\n";
  j += "  \"CurrentRow\": " + std::to_string(s.CurrentRow) + ",\n";
  j += std::string("  \"NoPoreChannel\": ") + (s.NoPoreChannel ? "true" : "false") + ",\n";
  j += std::string("  \"HasFinalBaseline\": ") + (s.HasFinalBaseline ? "true" : "false") + ",\n";
  j += "  \"channels\": [";
  for (int c = 1; c <= s.NumChannels; ++c) {
    int type = s.ChannelType[c];
    j += std::string(c > 1 ? "," : "") + "\n    {";
    j += "\"ChannelType\": " + std::to_string(type);
    j += ", \"ChannelName\": " + jsonString(s.ChannelName[c]);
    j += ", \"ChannelUnit\": " + std::to_string(s.ChannelUnit[c]);
    j += ", \"UnitName\": " + jsonString(defs.UnitName[type][s.ChannelUnit[c]]);
    j += ", \"ChannelFactor\": " + jsonNumber(s.ChannelFactor[c]);
    j += ", \"FullScaleOutput\": " + jsonNumber(s.FullScaleOutput[c]);
    j += ", \"FullScaleValue\": " + jsonNumber(s.FullScaleValue[c]);
    j += ", \"Baseline\": [" + jsonNumber(s.Baseline[c][1]) + ", " + jsonNumber(s.Baseline[c][2]) +
         "]";
    j += ", \"BaselineDrift\": " + jsonNumber(s.BaselineDrift[c]);
    j += ", \"ChannelLag\": " + std::to_string(s.ChannelLag[c]) + "}";
  }
  j += s.NumChannels ? "\n  ],\n" : "],\n";
  auto reading = [&](int n) {
    if (n < 1) return std::string("null");
    return "{\"Depth\": " + jsonNumber(s.Depth[n]) + ", \"Speed\": " + jsonNumber(s.Speed[n]) + "}";
  };
  j += "  \"first\": " + reading(s.NumReadings > 0 ? 1 : 0) + ",\n";
  j += "  \"last\": " + reading(s.NumReadings) + "\n}\n";
  return j;
}

struct Arguments {
  std::string command, input, output, definitions, system;
  bool refuseUnreadable = false;  // refuse a file that would not read back, instead of a warning
  bool history = false;           // print the steps applied
  bool json = false;              // the quality report as one JSON object
  std::vector<Operation> operations;
};

// Parses everything after the command; false with the problem on a usage error.
bool parseArguments(const std::vector<std::string>& args, Arguments& a, std::string& problem) {
  a.command = args[0];
  for (std::size_t i = 1; i < args.size();) {
    const std::string& arg = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        problem = arg + " needs a value";
        return false;
      }
      into = args[i + 1];
      i += 2;
      return true;
    };
    if (arg == "-o") {
      if (!value(a.output)) return false;
    } else if (arg == "--definitions") {
      if (!value(a.definitions)) return false;
    } else if (arg == "--refuse-unreadable" && a.command != "info") {
      a.refuseUnreadable = true;
      ++i;
    } else if (arg == "--history" && a.command != "info") {
      a.history = true;
      ++i;
    } else if (arg == "--json" && a.command == "quality") {
      a.json = true;
      ++i;
    } else if (arg == "--system" && a.command == "export") {
      if (!value(a.system)) return false;
    } else if (arg.size() > 1 && arg[0] == '-') {
      if (a.command == "info") {
        problem = "info takes no operation";
        return false;
      }
      if (!parseOperation(args, i, a.operations, problem)) return false;
    } else if (a.input.empty()) {
      a.input = arg;
      ++i;
    } else {
      problem = "unexpected argument \"" + arg + "\"";
      return false;
    }
  }
  if (a.input.empty()) {
    problem = "no input file";
    return false;
  }
  if (a.command == "quality" && !a.output.empty()) {
    problem = "quality prints its report and takes no -o";
    return false;
  }
  if (a.command != "info" && a.command != "quality" && a.output.empty()) {
    problem = a.command + " needs -o OUT";
    return false;
  }
  if (a.command == "export") {
    if (!exportSystemNamed(a.system)) {
      problem =
          a.system.empty() ? "export needs --system SYSTEM" : "unknown system \"" + a.system + "\"";
      return false;
    }
  }
  return true;
}

}  // namespace

int run(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
        std::ostream& err) {
  if (args.empty() ||
      (args[0] != "info" && args[0] != "clean" && args[0] != "export" && args[0] != "csv" &&
       args[0] != "gef" && args[0] != "ags" && args[0] != "quality")) {
    err << kUsage;
    return 2;
  }
  Arguments a;
  std::string problem;
  if (!parseArguments(args, a, problem)) {
    err << "pelorin-cli: " << problem << "\n" << kUsage;
    return 2;
  }

  std::vector<std::string> warnings;
  auto defs = std::make_unique<ChannelDefinitions>(loadChannelDefinitions(
      a.definitions.empty() ? definitionsFolder(programFolder) : a.definitions, warnings));
  for (const auto& warning : warnings) err << "pelorin-cli: " << warning << "\n";

  FileError error;
  auto sounding = openSoundingFile(a.input, *defs, error);
  if (!sounding) {
    err << "pelorin-cli: " << error.message << "\n";
    return 1;
  }
  if (a.command == "info") {
    out << infoJson(*sounding, *defs);
    return 0;
  }

  auto session = std::make_unique<Session>(*defs);
  session->open(*sounding, a.input);
  const bool applied = applyOperations(*session, a.operations, err, a.input);
  // The steps applied, in the History panel's words; before a refusal too.
  if (a.history)
    for (const std::string& line : session->descriptions()) out << line << "\n";
  if (!applied) return 1;

  if (a.command == "quality") {
    const QualityReport report = assessQuality(session->sounding());
    out << (a.json ? qualityJson(report) : windows1252ToUtf8(qualityText(report)));
    return 0;
  }
  if (a.command == "export")
    return exportAsUser(*session, a.output, *exportSystemNamed(a.system), a.refuseUnreadable, err)
               ? 0
               : 1;
  if (a.command == "gef" || a.command == "ags") {
    std::string bytes, problem;
    if (!exchangeFileBytes(a.command == "gef" ? ExchangeFormat::Gef : ExchangeFormat::Ags,
                           session->sounding(), *defs, session->header(), session->descriptions(),
                           bytes, problem)) {
      err << "pelorin-cli: \"" << a.output << "\": " << problem << "\n";
      return 1;
    }
    std::string failure = writeFileSafely(a.output, bytes);
    if (!failure.empty()) err << "pelorin-cli: " << failure << "\n";
    return failure.empty() ? 0 : 1;
  }
  if (a.command == "csv") {
    std::string failure =
        writeFileSafely(a.output, readingsTable(session->sounding(), *defs, session->depthUnit(),
                                                TableStyle::CommaSeparated));
    if (!failure.empty()) err << "pelorin-cli: " << failure << "\n";
    return failure.empty() ? 0 : 1;
  }
  SaveResult saved =
      saveSoundingFile(a.output, session->sounding(), *defs, session->header(), a.refuseUnreadable);
  if (!saved.warning.empty()) err << "pelorin-cli: warning: " << saved.warning << "\n";
  if (!saved.refusal.empty()) err << "pelorin-cli: " << saved.refusal << "\n";
  return saved.refusal.empty() ? 0 : 1;
}

}  // namespace pelorin::cli
