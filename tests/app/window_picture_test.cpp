// Pictures of the window for a person to look at: before any file, with a sample open,
// each panel shown empty over the grid and each panel filled from the sample. Written to
// the build folder.

#include <QGroupBox>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

class PictureTest : public WindowTest {
 protected:
  void picture(const QString& name) {
    QString path = QString(PELORIN_PICTURES) + "/pelorin_" + name + ".png";
    EXPECT_TRUE(form->grab().save(path)) << path.toStdString();
  }
};

TEST_F(PictureTest, TheWindowAndEachPanel) {
  picture("start");
  open(kClay);
  pressInDepthColumn(Qt::Key_Down, 30);
  picture("window");
  for (const char* name : {"frmChangeStartDepth", "frmDepthIncrement", "frmShiftBaselines",
                           "frmSecondFileData", "frmExportData"}) {
    auto* panel = control<QGroupBox>(name);
    panel->show();
    panel->raise();
    picture(name);
    panel->hide();
  }
  const std::pair<const char*, const char*> filled[] = {
      {"menuStartDepth", "Command4"}, {"mnuDepthIncrement", "Command11"}, {"mnuShiftBaseline", "Command6"},
      {"MenuExport", "Command2"}};
  for (const auto& [item, cancel] : filled) {
    menu(item);
    picture(QString("filled_") + item);
    click(cancel);
  }
  menu("menuCombine", kClay);
  picture("combine_filled");
}

}  // namespace
}  // namespace pelorin::test
