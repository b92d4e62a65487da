#pragma once
// View, Interpretation: what the clean-up does to the interpretation. Tracks of qt, Bq and Ic
// (with the zone bounds) against depth and the soil behaviour type zone in the usual colours,
// for the sounding as it stands and, in a thin column beside it, as it was opened. Above
// them the inputs, each with where it came from, and a form to choose them; every choice is
// a step of the history.

#include <QWidget>
#include <array>
#include <functional>

#include "interpret/interpretation.hpp"
#include "session/session.hpp"

class QLabel;
class QLineEdit;

namespace pelorin {

struct InterpretationSource {
  std::function<const Session&()> session;
  // A choice typed into the form, as a step; whether it was taken.
  std::function<bool(const Step&)> apply;
  // A click at a depth in metres: the nearest reading becomes current.
  std::function<void(double metres)> clicked;
};

class InterpretationPanel : public QWidget {
 public:
  explicit InterpretationPanel(InterpretationSource source, QWidget* parent = nullptr);

  QSize sizeHint() const override { return {300, 600}; }

  // The session changed (a sounding opened, when `reopened`): computed again, when shown.
  void sessionChanged(bool reopened);
  // Only the current reading moved.
  void currentChanged();

  const Interpretation& now() const { return now_; }
  const Interpretation& asOpened() const { return opened_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  class Tracks;
  void compute();
  void showChoices();

  InterpretationSource source_;
  Interpretation now_, opened_;
  bool stale_ = true, reopened_ = true;
  std::array<QLineEdit*, 4> boxes_{};  // by InterpretationInput::Field
  QLabel *lblInputs_, *lblZoneChanges_;
  Tracks* tracks_;
};

// The usual colour of a soil behaviour type zone (1 to 9); white for none.
QColor zoneColour(int zone);

}  // namespace pelorin
