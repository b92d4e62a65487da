// The CHANGE START DEPTH panel: the sounding's first depth and the one to move it to.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/main_form.hpp"
#include "app/widgets.hpp"

namespace pelorin {

void MainForm::buildChangeStartDepthPanel(QWidget* area) {
  QGroupBox* p = frmChangeStartDepth = makePanel(area, "frmChangeStartDepth", "CHANGE START DEPTH",
                                                 twipsRect(5640, 2400, 3135, 2055));
  Label22 = makeLabel(p, "Label22", "Current Start Depth", twipsRect(120, 480, 1695, 255));
  lblCurrentStartDepth =
      makeLabel(p, "lblCurrentStartDepth", QString(), twipsRect(2040, 480, 735, 255));
  Label24 = makeLabel(p, "Label24", "m", twipsRect(2760, 480, 255, 255));
  Label23 = makeLabel(p, "Label23", "New Start Depth", twipsRect(360, 840, 1455, 255));
  txtNewStartDepth = makeTextBox(p, "txtNewStartDepth", QString(), twipsRect(2040, 840, 735, 285));
  Label25 = makeLabel(p, "Label25", "m", twipsRect(2760, 840, 255, 255));
  Command3 = makeButton(p, "Command3", "OK", twipsRect(600, 1440, 855, 375));
  Command4 = makeButton(p, "Command4", "Cancel", twipsRect(1680, 1440, 855, 375));

  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

}  // namespace pelorin
