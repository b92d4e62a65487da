#include "session/session.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "display/navigation.hpp"
#include "session/step_kinds.hpp"
#include "sounding/header_fields.hpp"

namespace pelorin {

namespace {

// Two steps that type into the same channel cell or the same header box.
bool sameCellOrBox(const Step& a, const Step& b) {
  if (auto* x = std::get_if<SetValue>(&a))
    if (auto* y = std::get_if<SetValue>(&b))
      return x->channel == y->channel && x->reading == y->reading;
  if (auto* x = std::get_if<SetHeader>(&a))
    if (auto* y = std::get_if<SetHeader>(&b)) return x->field == y->field;
  if (auto* x = std::get_if<InterpretationInput>(&a))
    if (auto* y = std::get_if<InterpretationInput>(&b)) return x->field == y->field;
  return false;
}

}  // namespace

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
  interpretation_ = {};
  for (std::size_t k = 0; k < position_; ++k) run(history_[k].step, history_[k].description);
}

namespace {

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
  const InputChoices choices = interpretation_;
  std::string description;
  StepResult result;
  // A step that fails on the way changes nothing, as one that is refused.
  try {
    result = run(step, description);
  } catch (const std::exception& e) {
    result = {Outcome::refused(std::string("the step failed: ") + e.what()), {}, {}, {}};
  }
  using Kind = SessionChange::Kind;
  result.description = description;
  result.change.what = rewritesGrid(step, result.applied()) ? SessionChange::GridText : 0u;
  if (!result.applied()) {
    *current_ = *before;
    header_ = header, depthUnit_ = unit, exportSystem_ = system, interpretation_ = choices;
    result.change.kind = Kind::Refused;
    return result;
  }
  if (*before == *current_ && header == header_ && unit == depthUnit_ && system == exportSystem_ &&
      choices == interpretation_)
    return result;
  result.change.what |= differences(*before, *current_) |
                        (header != header_ ? SessionChange::Header : 0u) |
                        (unit != depthUnit_ ? SessionChange::Units : 0u) |
                        (system != exportSystem_ ? SessionChange::ExportChoice : 0u) |
                        (choices != interpretation_ ? SessionChange::Interpretation : 0u);
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

InterpretationInputs Session::interpretationInputs() const {
  return resolveInputs(sounding(), text(header_, HeaderField::WaterTableDepth), interpretation_);
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
  StepContext context{sounding(), defs_, header_, depthUnit_, exportSystem_, interpretation_};
  return runStep(context, step, description);
}

}  // namespace pelorin
