// Pictures of the window for a person to look at: with a sample sounding open, and with
// each panel shown over the grid. Written to the build folder.

#include <QGroupBox>
#include <QPixmap>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

using PictureTest = WindowTest;

TEST_F(PictureTest, WindowWithASampleOpen) {
  open(sample("sample_clay_002.cpt"));
  pressInDepthColumn(Qt::Key_Down, 30);
  QString path = QString(PELORIN_PICTURES) + "/pelorin_window.png";
  EXPECT_TRUE(form->grab().save(path)) << path.toStdString();
}

TEST_F(PictureTest, EachPanelOverTheGrid) {
  open(sample("sample_clay_002.cpt"));
  for (const char* name : {"frmChangeStartDepth", "frmDepthIncrement", "frmShiftBaselines",
                           "frmSecondFileData", "frmExportData"}) {
    auto* panel = control<QGroupBox>(name);
    panel->show();
    panel->raise();
    QString path = QString(PELORIN_PICTURES) + "/pelorin_" + name + ".png";
    EXPECT_TRUE(form->grab().save(path)) << path.toStdString();
    panel->hide();
  }
  // Before any file: the message panel.
  auto fresh = std::make_unique<MainForm>(Platform{dialog, messages, place, programExit});
  EXPECT_TRUE(fresh->grab().save(QString(PELORIN_PICTURES) + "/pelorin_start.png"));
}

}  // namespace
}  // namespace pelorin::test
