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
  QGroupBox* p = frmChangeStartDepth = makePanel(
      area, u"frmChangeStartDepth"_s, u"CHANGE START DEPTH"_s, twipsRect(5640, 2400, 3135, 2055));
  Label22 = makeLabel(p, u"Label22"_s, u"Current Start Depth"_s, twipsRect(120, 480, 1695, 255));
  lblCurrentStartDepth =
      makeLabel(p, u"lblCurrentStartDepth"_s, QString(), twipsRect(2040, 480, 735, 255));
  Label24 = makeLabel(p, u"Label24"_s, u"m"_s, twipsRect(2760, 480, 255, 255));
  Label23 = makeLabel(p, u"Label23"_s, u"New Start Depth"_s, twipsRect(360, 840, 1455, 255));
  txtNewStartDepth =
      makeTextBox(p, u"txtNewStartDepth"_s, QString(), twipsRect(2040, 840, 735, 285));
  Label25 = makeLabel(p, u"Label25"_s, u"m"_s, twipsRect(2760, 840, 255, 255));
  Command3 = makeButton(p, u"Command3"_s, u"OK"_s, twipsRect(600, 1440, 855, 375));
  Command4 = makeButton(p, u"Command4"_s, u"Cancel"_s, twipsRect(1680, 1440, 855, 375));

  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

}  // namespace pelorin
