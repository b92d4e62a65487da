// Edit Depth: the start depth and the depth increment panels.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "app/main_form.hpp"
#include "edit/depth_increment.hpp"
#include "edit/start_depth.hpp"
#include "text/number_text.hpp"

namespace pelorin {

void MainForm::menuStartDepth_Click() {
  // The panel works in metres whatever unit the depth column shows.
  QString caption = QString::fromStdString(startDepthCaption(*sounding_));
  lblCurrentStartDepth->setText(caption);
  txtNewStartDepth->setText(caption);
  frmChangeStartDepth->show();
  frmChangeStartDepth->raise();  // over any other panel still open
}

void MainForm::Command3_Click() {
  // The shift is measured from the caption as shown (two decimals), not from Depth(1).
  applyStep(StartDepth{toModelText(txtNewStartDepth->text())});
  frmChangeStartDepth->hide();
}

void MainForm::Command4_Click() { frmChangeStartDepth->hide(); }

// The increment being chosen lives on the form (NewIncrement, IncrementRatio) between the
// panel's openings; each handler hands it to the core and keeps what comes back.
void MainForm::mnuDepthIncrement_Click() {
  DepthIncrementChoice choice{NewIncrement, IncrementRatio};
  QString caption = QString::fromStdString(openDepthIncrement(*sounding_, choice));
  NewIncrement = choice.NewIncrement;
  incrementRuns_.clear();
  lblCurrentIncrement->setText(caption);
  lblNewIncrement->setText(caption);
  frmDepthIncrement->show();
  frmDepthIncrement->raise();  // over any other panel still open
}

void MainForm::Command9_Click() {
  DepthIncrementChoice choice{NewIncrement, IncrementRatio};
  lblNewIncrement->setText(QString::fromStdString(increaseIncrement(choice)));
  NewIncrement = choice.NewIncrement;
  press(+1);
}

// The presses since the panel opened, as runs of INCREASE (+) and DECREASE (-), for OK's step.
void MainForm::press(int direction) {
  if (!incrementRuns_.empty() && (incrementRuns_.back() > 0) == (direction > 0))
    incrementRuns_.back() += direction;
  else
    incrementRuns_.push_back(direction);
}

void MainForm::Command10_Click() {
  DepthIncrementChoice choice{NewIncrement, IncrementRatio};
  // At one step or less the increment stays and so does the label.
  if (auto caption = decreaseIncrement(choice))
    lblNewIncrement->setText(QString::fromStdString(*caption));
  NewIncrement = choice.NewIncrement;
  press(-1);
}

void MainForm::cmdOK_Click() {
  // With no increment to scale from (0 m) the sounding stays as it is; the panel closes.
  if (sounding_->DepthIncrement != 0)
    IncrementRatio = toSingle(static_cast<double>(NewIncrement) / sounding_->DepthIncrement);
  applyStep(DepthIncrementPresses{incrementRuns_});
  frmDepthIncrement->hide();
}

void MainForm::Command11_Click() { frmDepthIncrement->hide(); }

}  // namespace pelorin
