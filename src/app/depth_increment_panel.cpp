// The DEPTH INCREMENT panel: the step between readings, raised or lowered a step at a time.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/main_form.hpp"
#include "app/widgets.hpp"

namespace pelorin {

void MainForm::buildDepthIncrementPanel(QWidget* area) {
  QGroupBox* p = frmDepthIncrement =
      makePanel(area, "frmDepthIncrement", "DEPTH INCREMENT", twipsRect(3960, 2760, 4695, 3375));
  Label42 = makeNote(p, "Label42",
                     "WARNING: THE DEPTH INCREMENT SHOULD BE CHANGED ONLY IF IT WAS SET "
                     "INCORRECTLY IN KESTRO",
                     twipsRect(360, 480, 3975, 615));
  QPalette warning = Label42->palette();
  warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
  Label42->setPalette(warning);
  Label36 = makeLabel(p, "Label36", "CURRENT INCREMENT", twipsRect(240, 1200, 2415, 255));
  lblCurrentIncrement =
      makeLabel(p, "lblCurrentIncrement", QString(), twipsRect(2760, 1200, 615, 255));
  Label40 = makeLabel(p, "Label40", "m", twipsRect(3480, 1200, 255, 255));
  Label39 = makeLabel(p, "Label39", "NEW INCREMENT", twipsRect(240, 1560, 2415, 255));
  lblNewIncrement = makeLabel(p, "lblNewIncrement", QString(), twipsRect(2760, 1560, 615, 255));
  Label41 = makeLabel(p, "Label41", "m", twipsRect(3480, 1560, 255, 255));
  Command9 = makeButton(p, "Command9", "INCREASE", twipsRect(840, 1920, 1095, 375));
  Command10 = makeButton(p, "Command10", "DECREASE", twipsRect(2760, 1920, 1095, 375));
  cmdOK = makeButton(p, "cmdOK", "OK", twipsRect(600, 2520, 1575, 615));
  Command11 = makeButton(p, "Command11", "CANCEL", twipsRect(2520, 2520, 1575, 615));

  connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
  connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
}

}  // namespace pelorin
