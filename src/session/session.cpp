#include "session/session.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "display/navigation.hpp"
#include "edit/autoclean.hpp"
#include "edit/combine.hpp"
#include "edit/depth_increment.hpp"
#include "edit/fill_gaps.hpp"
#include "edit/shift_channels.hpp"
#include "edit/start_depth.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

const char* const kHeaderLabels[12] = {
    "Company Name",  "Operator", "Cone Number", "Location",   "Job Number", "Hole Number",
    "Date and Time", "Header",   "Footnote 1",  "Footnote 2", "GPS Data",   "Water Table Depth"};

std::string metres(float depth) { return formatPattern(depth, "##0.00") + " m"; }

std::string channelName(const Sounding& s, int c) { return windows1252ToUtf8(s.ChannelName[c]); }

std::string unitName(const Sounding& s, const ChannelDefinitions& defs, int c) {
  return windows1252ToUtf8(defs.UnitName[s.ChannelType[c]][s.ChannelUnit[c]]);
}

// Delete and Insert: the reading made current as Up and Down would, then the key.
StepResult readingKey(Sounding& s, int reading, int keyCode) {
  if (Outcome reached = goToReading(s, reading); !reached) return {reached, {}, {}};
  if (depthKey(s, keyCode).kind == GridStep::Nothing)
    return {
        Outcome::refused(s.NumReadings >= MaxReadings ? "the sounding already has 10,000 readings"
                                                      : "a reading can be inserted from reading " +
                                                            std::to_string(s.MaxLag + 2) + " on"),
        {},
        {}};
  return {};
}

// Two steps that type into the same channel cell or the same header box.
bool sameCellOrBox(const Step& a, const Step& b) {
  if (auto* x = std::get_if<SetValue>(&a))
    if (auto* y = std::get_if<SetValue>(&b))
      return x->channel == y->channel && x->reading == y->reading;
  if (auto* x = std::get_if<SetHeader>(&a))
    if (auto* y = std::get_if<SetHeader>(&b)) return x->field == y->field;
  return false;
}

}  // namespace

const std::array<const char*, 12>& headerFieldNames() {
  static const std::array<const char*, 12> names = {
      "CompanyName", "OperatorName", "ConeNumber", "LocationText", "JobNumber", "HoleNumber",
      "DateAndTime", "HeaderText",   "Footnote1",  "Footnote2",    "GPSData",   "WaterTableDepth"};
  return names;
}

Session::Session(const ChannelDefinitions& defs) : defs_(defs) {}

SessionChange Session::open(std::unique_ptr<Sounding> opened, const std::string& path) {
  opened_ = std::move(opened);
  path_ = path;
  history_.clear();
  position_ = 0;
  replay();
  return {SessionChange::Kind::Opened, SessionChange::Everything};
}

const Sounding& Session::opened() const {
  if (opened_) return *opened_;
  static const Sounding none;  // before any file was opened
  return none;
}

Sounding& Session::sounding() {
  if (!current_) current_ = std::make_unique<Sounding>(opened());
  return *current_;
}

void Session::replay() {
  if (current_)
    *current_ = opened();
  else if (position_ > 0)
    current_ = std::make_unique<Sounding>(opened());
  header_ = headerTexts(opened());
  depthUnit_ = DepthUnit::Metres;
  exportSystem_.reset();
  for (std::size_t k = 0; k < position_; ++k) run(history_[k].step, history_[k].description);
}

namespace {

// Whether the grid's texts are written anew after a step: after most steps, some only once
// they are applied, never after a value typed (it stands in its cell already), a header text
// or Combine (its readings show the next time the grid is filled).
bool rewritesGrid(const Step& step, bool applied) {
  if (std::holds_alternative<SetValue>(step) || std::holds_alternative<SetHeader>(step) ||
      std::holds_alternative<Combine>(step))
    return false;
  if (std::holds_alternative<DeleteReading>(step) || std::holds_alternative<InsertReading>(step) ||
      std::holds_alternative<DepthIncrementPresses>(step))
    return applied;
  return true;
}

// What differs between two states of a sounding.
unsigned differences(const Sounding& a, const Sounding& b) {
  unsigned what = 0;
  if (a.NumChannels != b.NumChannels || a.ChannelType != b.ChannelType ||
      a.ChannelName != b.ChannelName)
    what |= SessionChange::Channels;
  if (a.ChannelUnit != b.ChannelUnit) what |= SessionChange::Units;
  if (a.DataIndex != b.DataIndex || a.CurrentRow != b.CurrentRow)
    what |= SessionChange::CurrentReading;
  if (a.NumReadings != b.NumReadings || a.MaxLag != b.MaxLag || a.ChannelLag != b.ChannelLag ||
      a.Depth != b.Depth || a.Speed != b.Speed || a.Reading != b.Reading ||
      a.RawReading != b.RawReading)
    what |= SessionChange::Readings;
  return what;
}

}  // namespace

StepResult Session::apply(const Step& step) {
  // A step that changes nothing is no step: the state before it is kept to tell.
  auto before = std::make_unique<Sounding>(sounding());
  const HeaderTexts header = header_;
  const DepthUnit unit = depthUnit_;
  const auto system = exportSystem_;
  std::string description;
  StepResult result;
  // A step that fails on the way changes nothing, as one that is refused.
  try {
    result = run(step, description);
  } catch (const std::exception& e) {
    result = {Outcome::refused(std::string("the step failed: ") + e.what()), {}, {}};
  }
  using Kind = SessionChange::Kind;
  result.change.what = rewritesGrid(step, result.applied()) ? SessionChange::GridText : 0u;
  if (!result.applied()) {
    *current_ = *before;
    header_ = header, depthUnit_ = unit, exportSystem_ = system;
    result.change.kind = Kind::Refused;
    return result;
  }
  if (*before == *current_ && header == header_ && unit == depthUnit_ && system == exportSystem_)
    return result;
  result.change.what |= differences(*before, *current_) |
                        (header != header_ ? SessionChange::Header : 0u) |
                        (unit != depthUnit_ ? SessionChange::Units : 0u) |
                        (system != exportSystem_ ? SessionChange::ExportChoice : 0u);
  history_.resize(position_);
  // Typing into one cell, or one header box, is one step: the value it ends with.
  if (position_ > 0 && sameCellOrBox(history_[position_ - 1].step, step)) {
    history_[position_ - 1] = {step, description};
    result.change.kind = Kind::Merged;
    return result;
  }
  history_.push_back({step, description});
  ++position_;
  result.change.kind = Kind::Added;
  return result;
}

std::vector<std::string> Session::descriptions() const {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < position_; ++k) lines.push_back(history_[k].description);
  return lines;
}

SessionChange Session::undo() { return position_ == 0 ? SessionChange{} : goTo(position_ - 1); }

SessionChange Session::redo() {
  return position_ >= history_.size() ? SessionChange{} : goTo(position_ + 1);
}

SessionChange Session::goTo(std::size_t position) {
  const Sounding& shown = std::as_const(*this).sounding();
  const int reading = shown.DataIndex, row = shown.CurrentRow;
  position_ = std::min(position, history_.size());
  replay();
  // The user stays where they were: the same reading in the same row, as far as the readings
  // there are now allow.
  if (const Sounding& now = std::as_const(*this).sounding(); now.MaxLag + 1 <= now.NumReadings) {
    Sounding& s = sounding();
    s.DataIndex = std::clamp(reading, s.MaxLag + 1, s.NumReadings);
    s.CurrentRow = static_cast<std::int16_t>(std::min(selectableRow(s, row), s.DataIndex));
  }
  return {SessionChange::Kind::Moved, SessionChange::Everything};
}

StepResult Session::run(const Step& step, std::string& description) {
  Sounding& s = sounding();
  StepResult result;
  struct Runner {
    Session& self;
    Sounding& s;
    StepResult& result;
    std::string& description;

    void operator()(const DeleteReading& d) {
      std::string at = metres(s.Depth[std::clamp(d.reading, 0, MaxReadings)]);
      result = readingKey(s, d.reading, KeyDelete);
      description = "Delete reading " + std::to_string(d.reading) + " (" + at + ")";
    }
    void operator()(const InsertReading& d) {
      std::string at = metres(s.Depth[std::clamp(d.reading, 0, MaxReadings)]);
      result = readingKey(s, d.reading, KeyInsert);
      description = "Insert a reading at reading " + std::to_string(d.reading) + " (" + at + ")";
    }
    void operator()(const SetValue& v) {
      if (v.channel < 1 || v.channel > s.NumChannels || v.reading < 1 || v.reading > MaxReadings) {
        result = {Outcome::refused("the sounding has no channel " + std::to_string(v.channel) +
                                   " at reading " + std::to_string(v.reading)),
                  {},
                  {}};
        return;
      }
      s.Reading[v.channel][v.reading] = v.value;
      description = "Set " + channelName(s, v.channel) + " of reading " +
                    std::to_string(v.reading) + " to " + generalNumber(v.value) + " " +
                    unitName(s, self.defs_, v.channel);
    }
    void operator()(const SetHeader& h) {
      self.header_[static_cast<std::size_t>(std::clamp(h.field, 0, 11))] = h.text;
      description = std::string(kHeaderLabels[std::clamp(h.field, 0, 11)]) + ": \"" +
                    windows1252ToUtf8(h.text) + "\"";
    }
    void operator()(const ChangeDepthUnit& u) {
      self.depthUnit_ = u.unit;
      description = std::string("Depths shown in ") + (u.unit == DepthUnit::Metres ? "m" : "ft");
    }
    void operator()(const ChangeChannelUnit& u) {
      if (u.channel < 1 || u.channel > s.NumChannels) {
        result = {
            Outcome::refused("the sounding has no channel " + std::to_string(u.channel)), {}, {}};
        return;
      }
      const int type = s.ChannelType[u.channel];
      const std::vector<int> named = unitOptionsNamed(self.defs_, type, u.unit);
      const int option = named.empty() ? 0 : named.back();
      if (option == 0) {
        std::string names;
        for (int k = 1; k <= self.defs_.UnitCount[type]; ++k)
          names += (k > 1 ? ", " : "") + self.defs_.UnitName[type][k];
        result = {
            Outcome::refused("channel " + std::to_string(u.channel) + " has no unit \"" + u.unit +
                             "\" (its units: " + (names.empty() ? "none" : names) + ")"),
            {},
            {}};
        return;
      }
      changeChannelUnit(s, self.defs_, u.channel, option);
      description = channelName(s, u.channel) + " shown in " + windows1252ToUtf8(u.unit);
    }
    void operator()(const StartDepth& d) {
      std::string caption = startDepthCaption(s);
      if (!applyStartDepth(s, caption, d.text, self.depthUnit_))
        result.notes.push_back(
            "the depths would leave the range a sounding can hold; they were not moved");
      description = "Start depth " + caption + " -> " + startDepthCaption(s) + " m";
    }
    void operator()(const DepthIncrementPresses& p) {
      DepthIncrementChoice choice;
      std::string from = openDepthIncrement(s, choice);
      // Pressing on once the label stays as it is changes nothing more.
      for (int run : p.runs) {
        for (long k = 0; k < std::labs(run); ++k) {
          float before = choice.NewIncrement;
          if (run > 0)
            increaseIncrement(choice);
          else if (!decreaseIncrement(choice))
            break;
          if (choice.NewIncrement == before) break;
        }
      }
      if (!applyDepthIncrement(s, choice))
        result.notes.push_back("the sounding's depth increment is " +
                               incrementCaption(s.DepthIncrement) +
                               " m, so the depths were not rescaled");
      description = "Depth increment " + from + " -> " + incrementCaption(s.DepthIncrement) +
                    " m: depths and speeds scaled by " + generalNumber(choice.IncrementRatio);
    }
    void operator()(const ShiftReadings& shift) {
      const auto& boxes = shift.boxes;
      std::string shifted;
      for (int c : shiftReadings(s, boxes))
        shifted += (shifted.empty() ? "" : ", ") + channelName(s, c) + " by " +
                   generalNumber(numericPrefix(boxes[c])) + " " + unitName(s, self.defs_, c);
      description = shifted.empty() ? "Shift readings: no channel shifted" : "Shift " + shifted;
    }
    void operator()(const RemoveNegatives&) {
      description =
          "Remove negatives: " + std::to_string(removeNegatives(s)) + " readings replaced";
    }
    void operator()(const Combine& c) {
      auto second = std::make_unique<SecondSounding>();
      std::string name = std::filesystem::path(c.path).filename().string();
      CombinePanel panel = readSecondSounding(c.bytes, c.path, s, self.defs_, *second);
      if (!panel.shown) {
        result = {Outcome::refused(panel.messages.empty() ? "nothing read" : panel.messages.back()),
                  {},
                  {}};
        return;
      }
      result.notes = panel.messages;
      if (Outcome appended = appendSecondSounding(s, *second, c.from, c.normalize, self.depthUnit_);
          !appended)
        result.outcome = appended;
      description = "Combine " + name + " from " + generalNumber(numericPrefix(c.from)) + " m, " +
                    (c.normalize ? "normalised" : "depths as recorded");
    }
    void operator()(const AutoClean&) {
      AutoCleanResult r = autoClean(s, self.defs_);
      description = "AutoClean: " + std::string(r.channelInserted ? "pore channel added, " : "") +
                    std::to_string(r.depthsMoved) + " depths snapped, " +
                    std::to_string(r.readingsInserted) + " readings inserted";
    }
    void operator()(const FillGaps&) { description = fillGapsDescription(s, fillGaps(s)); }
    void operator()(const ExportUnits& e) {
      chooseExportUnitSystem(s, self.defs_, e.system, self.depthUnit_);
      self.exportSystem_ = e.system;
      const ExportUnitSystem& system = exportUnitSystem(e.system);
      description = "Export units: " + windows1252ToUtf8(system.name) + " (" +
                    std::string(system.label) + ")";
    }
  };
  std::visit(Runner{*this, s, result, description}, step);
  // RefreshGrid's first step, as every operation but Combine's OK ends with it.
  if (result.applied() && !std::holds_alternative<Combine>(step)) applyDisplayDepths(s, depthUnit_);
  return result;
}

}  // namespace pelorin
