#include "cli/cli.hpp"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>

#include "cli/derived_output.hpp"
#include "cli/export_command.hpp"
#include "cli/log_command.hpp"
#include "cli/operations.hpp"
#include "cli/quality_json.hpp"
#include "export/readings_table.hpp"
#include "interchange/ags_file.hpp"
#include "interchange/exchange_file.hpp"
#include "interpret/interpretation.hpp"
#include "quality/quality.hpp"
#include "session/operation_words.hpp"
#include "session/session_files.hpp"
#include "sounding/channel_definitions.hpp"
#include "sounding/header_fields.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin::cli {

namespace {

// A float as the shortest text that reads back as the same float.
std::string jsonNumber(float value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// A model text as a JSON string.
std::string jsonString(std::string_view windows1252) {
  return nlohmann::json(windows1252ToUtf8(windows1252)).dump();
}

std::string infoJson(const Sounding& s, const ChannelDefinitions& defs) {
  HeaderTexts header = headerTexts(s);
  std::string j = "{\n  \"header\": {";
  for (std::size_t i = 0; i < header.size(); ++i)
    j += std::string(i ? ",\n" : "\n") + "    \"" + kHeaderFields[i].name +
         "\": " + jsonString(header[i]);
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

// The commands: what each does and the extension of the file it writes (none: it prints).
struct Command {
  const char* name;
  const char* extension;
  const char* help;
  bool operations;
  const ExchangeFormatInfo* exchange = nullptr;  // one command for each exchange format
};
const std::vector<Command>& commandList() {
  static const std::vector<Command> commands = [] {
    std::vector<Command> all = {
        {"info", "", "print the sounding's header, channels and counts as JSON", false},
        {"clean", "cpt", "run the operations in order and save the sounding, as the window would",
         true},
        {"export", "cpd", "write the analog file in a unit system, as File, Export would", true},
        {"csv", "csv", "write the readings table: depth, speed and every channel in its unit",
         true}};
    for (const ExchangeFormatInfo& f : exchangeFormats())
      all.push_back({f.name, f.name, f.help, true, &f});
    all.push_back(
        {"quality", "", "print the quality report against the application classes", true});
    all.push_back({"derived", "csv",
                   "write qt, the normalised values, Ic and the soil behaviour type per reading",
                   true});
    all.push_back({"log", "pdf",
                   "draw the CPT log on A4 pages: a PDF, or an SVG or PNG file per page", true});
    return all;
  }();
  return commands;
}

struct Arguments {
  const Command* command = nullptr;
  std::vector<std::string> inputs;
  std::string output, outputFolder, definitions, system;
  std::string push;               // the push of an AGS4 file, LOCA_ID:SCPG_TESN
  std::string dateOrder;          // dmy or mdy: how a date with the year last is read
  bool refuseUnreadable = false;  // refuse a file that would not read back, instead of a warning
  bool history = false;           // print the steps applied
  bool json = false;              // the quality report, the derived values' summary as JSON
  unsigned jobs = 0;              // files at once; 0: one per core
  std::vector<Operation> operations;
  // log: the pages' layout and scales, and the format (-o's extension or --format)
  std::string layout = "panels", format;
  std::vector<std::string> scales;
  report::LogOptions log;
  report::LogFormat logFormat = report::LogFormat::Pdf;
};

// The command line as CLI11 reads it into `a`: a subcommand per command, each operation an
// option that may come again. CLI11 keeps the order in which options came, which is the order
// the operations run in.
struct CommandLine {
  CLI::App app{"pelorin-cli: the window's clean-up of CPT soundings, on files.", "pelorin-cli"};
  std::vector<std::pair<const Command*, CLI::App*>> commands;

  explicit CommandLine(Arguments& a) {
    app.set_version_flag("--version", std::string("pelorin-cli ") + PELORIN_VERSION);
    app.require_subcommand(1);
    app.footer(
        "Exit status: 0 done, 1 a file could not be read or written or an operation refused, "
        "2 a usage error.");
    for (const Command& command : commandList()) {
      const std::string_view name = command.name;
      CLI::App* sub = app.add_subcommand(command.name, command.help);
      commands.emplace_back(&command, sub);
      sub->add_option("IN", a.inputs, "sounding files (.cpt, .gef, .ags)")->required();
      sub->add_option("--definitions", a.definitions,
                      "the channel definition files from DIR instead of the program's folder")
          ->type_name("DIR");
      if (*command.extension) {
        const bool text = name != "clean" && name != "export" && name != "log";
        sub->add_option("-o", a.output,
                        text ? "the output file for one IN; - for standard output"
                             : "the output file for one IN")
            ->type_name("OUT");
        sub->add_option("--output-dir", a.outputFolder,
                        std::string("write each IN to DIR/NAME.") + command.extension)
            ->type_name("DIR");
      }
      sub->add_option("--push", a.push,
                      "the push of an AGS4 file to open, LOCA_ID:SCPG_TESN (default: the first)")
          ->type_name("ID:TEST");
      if (command.exchange)
        sub->add_option("--date-order", a.dateOrder,
                        "read a date whose year comes last day first (dmy) or month first (mdy)")
            ->type_name("dmy|mdy")
            ->check(CLI::IsMember({"dmy", "mdy"}));
      if (name != "info")
        sub->add_option("-j,--jobs", a.jobs, "files at once (default: one per core)")
            ->type_name("N")
            ->check(CLI::PositiveNumber);
      if (name == "clean" || name == "export")
        sub->add_flag("--refuse-unreadable", a.refuseUnreadable,
                      "refuse a file that would not read back as the sounding stands");
      if (command.operations && *command.extension && name != "derived")
        sub->add_flag("--history", a.history,
                      "print the steps applied, in the History panel's words");
      if (name == "export")
        sub->add_option("--system", a.system, "english, metric-kpa, metric-bar, kgf-ksc or kgf-bar")
            ->type_name("SYSTEM")
            ->required();
      if (name == "quality")
        sub->add_flag("--json", a.json, "one JSON object, figures in m, cm/s, kPa and degrees");
      if (name == "derived") {
        sub->add_flag("--json", a.json,
                      "print the inputs, a summary and the readings whose zone the operations "
                      "changed, as JSON");
      }
      if (name == "log") {
        sub->add_option("--layout", a.layout, "panels (default) or overlay")
            ->type_name("LAYOUT")
            ->check(CLI::IsMember({"panels", "overlay"}));
        sub->add_option("--metres-per-page", a.log.metresPerPage,
                        "the depth each page adds (default 20; 1 m more is repeated)")
            ->type_name("M");
        sub->add_option("--scale", a.scales,
                        "a graph's scale, qc=0:20 fs=0:0.5 u2=-0.2:1 (MPa) rf=0:10 (%) "
                        "inclination=0:10 (deg) ic=1:4")
            ->type_name("NAME=LOW:HIGH")
            ->allow_extra_args(false);
        sub->add_flag("--interpretation", a.log.interpretation,
                      "add an Ic column over the soil behaviour type zones, with the inputs the "
                      "operations --area-ratio, --water-depth, --unit-weight and --cn-cap give");
        sub->add_option("--format", a.format, "the files --output-dir writes: pdf, svg or png")
            ->type_name("FORMAT")
            ->check(CLI::IsMember({"pdf", "svg", "png"}));
      }
      if (!command.operations) continue;
      CLI::Option_group* group = sub->add_option_group("Operations", "run in the order given");
      for (const OperationWord& word : operationWords()) {
        CLI::Option* option = word.values() ? group->add_option(word.flag)->type_name(word.value)
                                            : group->add_flag(word.flag);
        option->description(word.help)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            ->allow_extra_args(false);
      }
    }
  }
};

// The operations' words in the order they came, for parseOperation.
std::vector<std::string> operationsInOrder(CLI::App& sub) {
  std::vector<std::string> words;
  std::map<const CLI::Option*, std::size_t> taken;
  for (const CLI::Option* option : sub.get_option_group("Operations")->parse_order())
    for (const OperationWord& word : operationWords()) {
      if (option->get_name() != word.flag) continue;
      words.push_back(word.flag);
      const std::size_t k = taken[option]++;
      if (word.values()) words.push_back(option->results().at(k));
    }
  return words;
}

// The log's layout, scales and format from the command line; empty, or the problem.
std::string logArguments(Arguments& a) {
  a.log.layout = a.layout == "overlay" ? report::LogLayout::Overlay : report::LogLayout::Panels;
  if (!(a.log.metresPerPage >= 1 && a.log.metresPerPage <= 1000))
    return "--metres-per-page takes 1 to 1000 m";
  for (const std::string& scale : a.scales)
    if (std::string problem = readLogScale(scale, a.log); !problem.empty()) return problem;
  if (a.output.empty()) {
    a.logFormat = a.format == "svg"   ? report::LogFormat::Svg
                  : a.format == "png" ? report::LogFormat::Png
                                      : report::LogFormat::Pdf;
    return {};
  }
  const std::optional<report::LogFormat> format = report::logFormatOf(a.output);
  if (!format) return "log writes .pdf, .svg or .png files, not \"" + a.output + "\"";
  if (!a.format.empty() && a.format != report::logFormatExtension(*format))
    return "--format " + a.format + " and -o " + a.output + " disagree";
  a.logFormat = *format;
  return {};
}

// Parses args into `a`. No value to go on; otherwise the exit status, with the help, the
// version or the usage error written.
std::optional<int> parseArguments(const std::vector<std::string>& args, Arguments& a,
                                  std::ostream& out, std::ostream& err) {
  CommandLine line(a);
  std::string hint = "pelorin-cli --help";
  if (!args.empty() && !args[0].starts_with("-") &&
      std::none_of(commandList().begin(), commandList().end(),
                   [&](const Command& c) { return args[0] == c.name; })) {
    err << "pelorin-cli: unknown command \"" << args[0] << "\" (see " << hint << ")\n";
    return 2;
  }
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    line.app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return line.app.exit(e, out, err);
    for (auto [command, sub] : line.commands)
      if (sub->parsed()) hint = std::string("pelorin-cli ") + command->name + " --help";
    err << "pelorin-cli: " << e.what() << " (see " << hint << ")\n";
    return 2;
  }
  std::string problem;
  for (auto [command, sub] : line.commands) {
    if (!sub->parsed()) continue;
    a.command = command;
    hint = std::string("pelorin-cli ") + command->name + " --help";
    if (!command->operations) continue;
    const std::vector<std::string> words = operationsInOrder(*sub);
    for (std::size_t i = 0; i < words.size();)
      if (Outcome taken = parseOperation(words, i, a.operations); !taken) {
        problem = taken.message;
        break;
      }
  }
  const std::string_view name = a.command->name;
  if (!problem.empty()) {
    // the operation's own words
  } else if (name == "derived" && a.json && !(a.output.empty() && a.outputFolder.empty())) {
    problem = "--json prints to standard output: no -o or --output-dir with it";
  } else if (*a.command->extension && a.output.empty() && a.outputFolder.empty() && !a.json) {
    problem = std::string(name) + " needs -o OUT or --output-dir DIR" +
              (name == "derived" ? " or --json" : "");
  } else if (!a.output.empty() && !a.outputFolder.empty()) {
    problem = "-o and --output-dir exclude each other";
  } else if (!a.output.empty() && a.inputs.size() > 1) {
    problem = "several files need --output-dir DIR instead of -o";
  } else if (a.output == "-" && (name == "clean" || name == "export" || name == "log")) {
    problem = "-o - writes text to standard output: csv, gef and ags";
  } else if (name == "export" && !exportSystemNamed(a.system)) {
    problem = "unknown system \"" + a.system + "\"";
  } else if (name == "log" && !(problem = logArguments(a)).empty()) {
    // the log's own words
  } else {
    return std::nullopt;
  }
  err << "pelorin-cli: " << problem << " (see " << hint << ")\n";
  return 2;
}

// Whether OUT is IN: a save that replaces its own input must read back, or it is refused.
bool sameFile(const std::string& input, const std::string& output) {
  std::error_code ec;
  return std::filesystem::equivalent(input, output, ec) && !ec;
}

// One file through the command: opened, the operations run, the result written or printed.
// Returns 0 done, 1 refused; what it prints goes to out, what it tells to err.
int runOnFileAsIs(const Arguments& a, const ChannelDefinitions& defs, const std::string& input,
                  const std::string& output, bool severalFiles, std::ostream& out,
                  std::ostream& err) {
  const std::string command = a.command->name;
  auto [sounding, opened, notes] = openSoundingFile(input, defs, a.push);
  if (!sounding) {
    err << "pelorin-cli: " << opened.message << "\n";
    return 1;
  }
  for (const std::string& note : notes) err << "pelorin-cli: \"" << input << "\": " << note << "\n";
  if (a.push.empty() && !notes.empty() && notes.front().ends_with(", is read"))
    err << "pelorin-cli: --push LOCA_ID:SCPG_TESN reads another push\n";
  // Several files print one JSON object a line, each with its file.
  auto jsonLine = [&](const std::string& json) {
    auto j = nlohmann::ordered_json::parse(json);
    nlohmann::ordered_json line = {{"file", shownText(input)}};
    line.update(j);
    return line.dump() + "\n";
  };
  if (command == "info") {
    std::string json = infoJson(*sounding, defs);
    // An AGS4 file lists its pushes.
    std::vector<AgsPush> pushes;
    std::string bytes;
    if (sounding->Source == SoundingSource::Ags && readWholeFile(input, bytes) &&
        agsPushes(bytes, input, pushes)) {
      nlohmann::ordered_json list = nlohmann::ordered_json::array();
      for (const AgsPush& p : pushes)
        list.push_back({{"LOCA_ID", p.location}, {"SCPG_TESN", p.test}, {"readings", p.readings}});
      json.resize(json.size() - 3);  // "\n}\n"
      json += ",\n  \"pushes\": " +
              list.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n}\n";
    }
    out << (severalFiles ? jsonLine(json) : json);
    return 0;
  }

  auto session = std::make_unique<Session>(defs);
  session->open(std::move(sounding), input);
  const bool applied = applyOperations(*session, a.operations, err, input);
  // The steps applied, in the History panel's words; before a refusal too.
  if (a.history)
    for (const std::string& line : session->descriptions()) out << line << "\n";
  if (!applied) return 1;
  // What the steps made; without steps, the sounding as opened, not a copy of it.
  const Sounding& done = std::as_const(*session).sounding();

  if (command == "quality") {
    const QualityReport report = assessQuality(done, defs);
    if (a.json)
      out << (severalFiles ? jsonLine(qualityJson(report)) : qualityJson(report));
    else
      out << (severalFiles ? input + "\n" : "") << windows1252ToUtf8(qualityText(report));
    return 0;
  }
  if (command == "log") return writeLogFiles(*session, a.log, output, a.logFormat, err) ? 0 : 1;
  if (command == "export")
    return exportAsUser(*session, output, *exportSystemNamed(a.system), a.refuseUnreadable, err)
               ? 0
               : 1;
  // Text to a file, or to standard output for "-o -".
  auto write = [&](const std::string& bytes) {
    if (output == "-") {
      out << bytes;
      return 0;
    }
    Outcome written = writeFileSafely(output, bytes);
    if (!written) err << "pelorin-cli: " << written.message << "\n";
    return written ? 0 : 1;
  };
  if (command == "derived") {
    const InterpretationInputs inputs = session->interpretationInputs();
    const Interpretation now = interpret(done, defs, inputs);
    if (!a.json) return write(derivedCsv(now));
    // Both with the same inputs: the changes are the operations' alone.
    const Interpretation opened = interpret(session->opened(), defs, inputs);
    const std::string json = derivedJson(now, zoneChanges(opened, now));
    out << (severalFiles ? jsonLine(json) : json);
    return 0;
  }
  if (const ExchangeFormatInfo* format = exchangeFormatNamed(command)) {
    std::string bytes;
    std::vector<std::string> notes;
    if (Outcome made = exchangeSessionBytes(*session, format->format,
                                            a.dateOrder == "dmy"   ? DateOrder::DayFirst
                                            : a.dateOrder == "mdy" ? DateOrder::MonthFirst
                                                                   : DateOrder::Unambiguous,
                                            bytes, notes);
        !made) {
      err << "pelorin-cli: \"" << output << "\": " << made.message << "\n";
      return 1;
    }
    for (const std::string& note : notes)
      err << "pelorin-cli: \"" << output << "\": " << note << "\n";
    return write(bytes);
  }
  if (command == "csv") {
    if (std::string unmeasured = unmeasuredChannels(done); !unmeasured.empty()) {
      err << "pelorin-cli: \"" << output << "\": " << unmeasured << "\n";
      return 1;
    }
    return write(readingsTable(done, defs, session->depthUnit(), TableStyle::CommaSeparated));
  }
  SaveResult saved = saveSession(*session, output, a.refuseUnreadable || sameFile(input, output));
  if (!saved.warning.empty()) err << "pelorin-cli: warning: " << saved.warning << "\n";
  if (!saved.outcome) err << "pelorin-cli: " << saved.outcome.message << "\n";
  return saved.outcome ? 0 : 1;
}

// The same, and whatever goes wrong on the way is this file's refusal, never the run's end.
int runOnFile(const Arguments& a, const ChannelDefinitions& defs, const std::string& input,
              const std::string& output, bool severalFiles, std::ostream& out, std::ostream& err) {
  try {
    return runOnFileAsIs(a, defs, input, output, severalFiles, out, err);
  } catch (const std::exception& e) {
    err << "pelorin-cli: \"" << shownText(input) << "\": failed: " << shownText(e.what()) << "\n";
  } catch (...) {
    err << "pelorin-cli: \"" << shownText(input) << "\": failed\n";
  }
  return 1;
}

// Where each input's output goes: -o, or DIR/NAME.EXT. Empty with the problem when two
// inputs would write the same file.
std::vector<std::string> outputsFor(const Arguments& a, std::string& problem) {
  std::vector<std::string> outputs;
  std::map<std::string, std::string> writer;
  for (const std::string& input : a.inputs) {
    if (a.outputFolder.empty()) {
      outputs.push_back(a.output);
      continue;
    }
    const std::string name =
        std::filesystem::path(input).stem().string() + "." +
        (a.command->name == std::string_view("log") ? report::logFormatExtension(a.logFormat)
                                                    : a.command->extension);
    const std::string output = (std::filesystem::path(a.outputFolder) / name).string();
    if (auto [at, fresh] = writer.emplace(output, input); !fresh) {
      problem = "\"" + at->second + "\" and \"" + input + "\" would both write \"" + output + "\"";
      return {};
    }
    outputs.push_back(output);
  }
  return outputs;
}

// Several files, `jobs` at a time: each independent, what each prints and tells written in
// the order of the files as soon as the files before it are done, a progress line on a
// terminal, and "N done, M refused" at the end.
int runOnFiles(const Arguments& a, const ChannelDefinitions& defs,
               const std::vector<std::string>& outputs, std::ostream& out, std::ostream& err,
               bool progress) {
  const std::size_t count = a.inputs.size();
  struct Result {
    std::ostringstream out, err;
    int status = 0;
    bool done = false;
  };
  std::vector<Result> results(count);
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t k; (k = next++) < count;) {
      Result& r = results[k];
      r.status = runOnFile(a, defs, a.inputs[k], outputs[k], true, r.out, r.err);
      std::lock_guard lock(mutex);
      r.done = true;
      finished.notify_one();
    }
  };
  const unsigned jobs = static_cast<unsigned>(std::min<std::size_t>(
      count, a.jobs ? a.jobs : std::max(1u, std::thread::hardware_concurrency())));
  std::vector<std::jthread> workers;
  for (unsigned w = 0; w < jobs; ++w) workers.emplace_back(work);

  std::size_t refused = 0;
  for (std::size_t k = 0; k < count; ++k) {
    std::unique_lock lock(mutex);
    finished.wait(lock, [&] { return results[k].done; });
    lock.unlock();
    if (progress) err << "\r\033[K";
    out << results[k].out.str();
    err << results[k].err.str();
    refused += results[k].status != 0;
    if (progress && k + 1 < count)
      err << "[" << k + 1 << "/" << count << "] " << a.inputs[k] << std::flush;
  }
  err << count - refused << " done, " << refused << " refused\n";
  return refused ? 1 : 0;
}

}  // namespace

namespace {

// Standard error as valid UTF-8: each line's bytes that are not UTF-8 (a file name, a text
// from a file) written as \xE9.
class EscapingBuffer : public std::streambuf {
 public:
  explicit EscapingBuffer(std::ostream& to) : to_(to) {}
  EscapingBuffer(const EscapingBuffer&) = delete;
  EscapingBuffer& operator=(const EscapingBuffer&) = delete;
  ~EscapingBuffer() override { sync(); }

 protected:
  int overflow(int ch) override {
    if (ch == traits_type::eof()) return traits_type::not_eof(ch);
    line_ += static_cast<char>(ch);
    if (ch == '\n') sync();
    return ch;
  }
  int sync() override {
    to_ << escapedText(line_);
    line_.clear();
    return to_.flush() ? 0 : -1;
  }

 private:
  std::ostream& to_;
  std::string line_;
};

}  // namespace

int run(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
        std::ostream& rawErr) {
  EscapingBuffer escaping(rawErr);
  std::ostream err(&escaping);
  Arguments a;
  if (std::optional<int> status = parseArguments(args, a, out, err)) return *status;

  std::string problem;
  const std::vector<std::string> outputs = outputsFor(a, problem);
  if (outputs.empty()) {
    err << "pelorin-cli: " << problem << "\n";
    return 2;
  }
  if (a.command->name == std::string_view("log")) report::ensureGuiApplication();
  std::vector<std::string> warnings;
  auto defs = std::make_unique<ChannelDefinitions>(loadChannelDefinitions(
      a.definitions.empty() ? definitionsFolder(programFolder) : a.definitions, warnings));
  for (const auto& warning : warnings) err << "pelorin-cli: " << warning << "\n";
  if (a.inputs.size() == 1) return runOnFile(a, *defs, a.inputs[0], outputs[0], false, out, err);
  const bool progress = &rawErr == &std::cerr && ::isatty(STDERR_FILENO);
  return runOnFiles(a, *defs, outputs, out, err, progress);
}

}  // namespace pelorin::cli
