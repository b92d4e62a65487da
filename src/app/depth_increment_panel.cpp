// The DEPTH INCREMENT panel: the step between readings, raised or lowered a step at a time.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/main_form.hpp"
#include "app/widgets.hpp"

namespace pelorin {

void MainForm::buildDepthIncrementPanel(QWidget* area) {
  QGroupBox* p = frmDepthIncrement = makePanel(area, u"frmDepthIncrement"_s, u"DEPTH INCREMENT"_s,
                                               twipsRect(3960, 2760, 4695, 3375));
  Label42 = makeNote(p, u"Label42"_s,
                     u"WARNING: THE DEPTH INCREMENT SHOULD BE CHANGED ONLY IF IT WAS SET "
                     "INCORRECTLY IN KESTRO"_s,
                     twipsRect(360, 480, 3975, 615));
  QPalette warning = Label42->palette();
  warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
  Label42->setPalette(warning);
  Label36 = makeLabel(p, u"Label36"_s, u"CURRENT INCREMENT"_s, twipsRect(240, 1200, 2415, 255));
  lblCurrentIncrement =
      makeLabel(p, u"lblCurrentIncrement"_s, QString(), twipsRect(2760, 1200, 615, 255));
  Label40 = makeLabel(p, u"Label40"_s, u"m"_s, twipsRect(3480, 1200, 255, 255));
  Label39 = makeLabel(p, u"Label39"_s, u"NEW INCREMENT"_s, twipsRect(240, 1560, 2415, 255));
  lblNewIncrement = makeLabel(p, u"lblNewIncrement"_s, QString(), twipsRect(2760, 1560, 615, 255));
  Label41 = makeLabel(p, u"Label41"_s, u"m"_s, twipsRect(3480, 1560, 255, 255));
  Command9 = makeButton(p, u"Command9"_s, u"INCREASE"_s, twipsRect(840, 1920, 1095, 375));
  Command10 = makeButton(p, u"Command10"_s, u"DECREASE"_s, twipsRect(2760, 1920, 1095, 375));
  cmdOK = makeButton(p, u"cmdOK"_s, u"OK"_s, twipsRect(600, 2520, 1575, 615));
  Command11 = makeButton(p, u"Command11"_s, u"CANCEL"_s, twipsRect(2520, 2520, 1575, 615));

  connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
  connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
}

}  // namespace pelorin
