#pragma once
// A clean-up session: the sounding as opened, the steps applied to it in order, and what
// they made of it. Every change goes through apply(); Undo and Redo move along the history
// and replay the steps before the new position on a copy of the sounding as opened, so an
// undone step leaves nothing behind and nothing can drift.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "interpret/interpretation.hpp"
#include "session/step.hpp"
#include "sounding/sounding_file.hpp"

namespace pelorin {

// What a call of the session did and what it changed, for whatever shows the session.
struct SessionChange {
  enum class Kind {
    Refused,  // a step that was refused: nothing changed
    Nothing,  // a step that changed nothing, or Undo with nothing to undo
    Added,    // a step recorded after the current position
    Merged,   // a step that took the place of the one before it (typing on in one cell)
    Moved,    // Undo, Redo or a line of the history
    Opened,   // a sounding opened
  };
  enum What : unsigned {
    Readings = 1u << 0,        // depths, speeds, values, their number or the lags
    Channels = 1u << 1,        // the channels there are, their types, names and order
    Units = 1u << 2,           // the depth unit or a channel's unit
    Header = 1u << 3,          // a header text
    ExportChoice = 1u << 4,    // the export panel's system
    CurrentReading = 1u << 5,  // the current reading or its row
    GridText = 1u << 6,        // the grid's texts are written anew
    Interpretation = 1u << 7,  // an input of the interpretation
    Everything = (1u << 8) - 1,
  };
  Kind kind = Kind::Nothing;
  unsigned what = 0;
  bool has(What flag) const { return (what & flag) != 0; }
  // The history has a new line or stands elsewhere.
  bool historyChanged() const { return kind != Kind::Refused && kind != Kind::Nothing; }
};

struct StepResult {
  Outcome outcome;                 // refused: why the step changed nothing (it is not recorded)
  std::vector<std::string> notes;  // what the user is told besides (Combine's cone message...)
  SessionChange change;
  std::string description;  // what it did, in the history's words (also when nothing changed)
  bool applied() const { return static_cast<bool>(outcome); }
};

struct HistoryEntry {
  Step step;
  std::string description;  // one line in the user's terms, with the step's numbers
};

class Session {
 public:
  explicit Session(const ChannelDefinitions& defs);

  // A sounding just opened from `path`, taken over; the history starts anew.
  SessionChange open(std::unique_ptr<Sounding> opened, const std::string& path);

  const ChannelDefinitions& definitions() const { return defs_; }
  // The sounding as opened, before any step.
  const Sounding& opened() const;
  // The sounding as the steps in force left it. Until a step or the window wants to change
  // it, that is the sounding as opened itself; the working copy is made on first use and then
  // stays where it is.
  Sounding& sounding();
  const Sounding& sounding() const { return current_ ? *current_ : opened(); }
  const std::string& path() const { return path_; }
  // The header texts as edited (the model's own until a SetHeader step).
  const HeaderTexts& header() const { return header_; }
  DepthUnit depthUnit() const { return depthUnit_; }
  // The export panel's system once one of its options was chosen.
  const std::optional<ExportSystem>& exportSystem() const { return exportSystem_; }
  // File, Export's first showing, before any system was chosen, selects English; later
  // showings keep the choice and the units changed since.
  bool exportPanelChoosesEnglish() const { return !exportSystem_; }
  // The interpretation's inputs as the user chose them.
  const InputChoices& interpretationChoices() const { return interpretation_; }
  // The interpretation's inputs for the sounding as it stands: the choices, else the file's,
  // the Water Table Depth header text's or the usual values.
  InterpretationInputs interpretationInputs() const;

  // Applies the step and records it after the current position (any undone steps after it
  // are dropped). A step that changes nothing, or is refused, is not recorded; one that types
  // into the cell or header box of the step before it takes that step's place.
  [[nodiscard]] StepResult apply(const Step& step);

  const std::vector<HistoryEntry>& history() const { return history_; }
  // How many steps of the history are in force.
  std::size_t position() const { return position_; }
  // The descriptions of the steps in force, in order.
  std::vector<std::string> descriptions() const;
  SessionChange undo();
  SessionChange redo();
  // The state just after the first `position` steps of the history, the current reading
  // kept (the nearest there is).
  SessionChange goTo(std::size_t position);

 private:
  StepResult run(const Step& step, std::string& description);
  void replay();

  const ChannelDefinitions& defs_;
  std::unique_ptr<const Sounding> opened_;
  std::unique_ptr<Sounding> current_;
  std::string path_;
  HeaderTexts header_;
  DepthUnit depthUnit_ = DepthUnit::Metres;
  std::optional<ExportSystem> exportSystem_;
  InputChoices interpretation_;
  std::vector<HistoryEntry> history_;
  std::size_t position_ = 0;
};

}  // namespace pelorin
