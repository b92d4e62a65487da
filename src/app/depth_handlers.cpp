// Edit Depth: the start depth panel (the depth increment has a class of its own).

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

void MainForm::Command4_Click() {
  frmChangeStartDepth->hide();
  tell(u"Start Depth cancelled: the depths stay as they are"_s);
}

}  // namespace pelorin
