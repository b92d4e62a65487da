// The window as it stands before any file is opened: controls, captions, places, states
// and menus.

#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

using LayoutTest = WindowTest;

TEST_F(LayoutTest, ControlsStandWhereTheyBelongWithTheirCaptions) {
  EXPECT_EQ(form->windowTitle(), "Pelorin");
  EXPECT_EQ(form->centralWidget()->size(), QSize(801, 649));
  const struct {
    const char* name;
    QRect twips;  // left, top, width, height
  } places[] = {{"txtHoleNumber", {2520, 2520, 2535, 285}},
                {"txtWaterTableDepth", {7440, 2520, 2535, 285}},
                {"txtChannel10_24", {2160 + 960 * 9, 3720 + 240 * 23, 975, 285}}};
  for (const auto& p : places)
    EXPECT_EQ(control(p.name)->geometry(),
              twipsRect(p.twips.x(), p.twips.y(), p.twips.width(), p.twips.height()))
        << p.name;
  EXPECT_EQ(text("lblFileName"), "WELCOME TO PELORIN");
  EXPECT_EQ(text("Label13"), "No file selected");
  EXPECT_EQ(control<QGroupBox>("frmMessage")->title(), "Frame1");
  auto* markup = control<QLabel>("Label34");  // a caption that looks like a tag is shown as written
  EXPECT_EQ(markup->text(), "<OR>");
  EXPECT_EQ(markup->textFormat(), Qt::PlainText);
  EXPECT_EQ(control<QLabel>("Label42")->palette().color(QPalette::WindowText), QColor(192, 0, 0));
  EXPECT_EQ(text("txtShiftChannelByChan_10"), "Text1");
  auto* depthUnits = control<QComboBox>("cmbDepthUnits_1");
  EXPECT_EQ(depthUnits->itemText(0) + depthUnits->itemText(1), "mft");
  EXPECT_EQ(form->definitions().UnitCount[1], 6) << "Channel1.txt read from the program's folder";
  for (QAbstractButton* button : form->centralWidget()->findChildren<QAbstractButton*>())
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) +
                  (qobject_cast<QPushButton*>(button) ? 4 : 16),
              button->width())
        << "caption fits: " << button->objectName().toStdString();
}

TEST_F(LayoutTest, StartUpShowsOnlyTheMessagePanelOverAnEmptyGrid) {
  EXPECT_TRUE(shown("frmMessage"));
  for (const char* name :
       {"lblDepthLabel", "cmbDepthUnits_1", "lblSpeedLabel", "lblSpeedUnitsLabel",
        "cmbChannelUnits_1", "cmbChannelUnits_10", "frmChangeStartDepth", "frmDepthIncrement",
        "frmShiftBaselines", "frmSecondFileData", "frmExportData"})
    EXPECT_FALSE(shown(name)) << name;
  for (QLineEdit* box : headerBoxes()) {
    EXPECT_TRUE(box->text().isEmpty() && !box->isEnabled()) << box->objectName().toStdString();
    EXPECT_EQ(box->isReadOnly(), box->objectName() == "txtGPSData");
  }
  for (int r : {1, 24}) {
    EXPECT_TRUE(depthCell(r)->isEnabled() && depthCell(r)->isReadOnly() &&
                speedCell(r)->isReadOnly());
    EXPECT_EQ(depthCell(r)->focusPolicy(), Qt::ClickFocus) << "no grid cell is a tab stop";
    EXPECT_TRUE(!channelCell(10, r)->isEnabled() && !channelCell(10, r)->isReadOnly());
  }
  QWidget* area = form->centralWidget();  // panels are laid over the grid: drawn after its cells
  EXPECT_GT(area->children().indexOf(control("frmShiftBaselines")),
            area->children().indexOf(channelCell(10, 24)));
}

TEST_F(LayoutTest, MenusInOrderWithAccessKeysAndStates) {
  QStringList seen;  // name:caption of every menu and item, "-" for a separator, "!" when disabled
  auto add = [&](QAction* a) {
    QString name = a->menu() ? a->menu()->objectName() : a->objectName();
    seen << (a->isSeparator() ? "-" : name + ":" + a->text() + (a->isEnabled() ? "" : "!"));
  };
  for (QAction* bar : form->menuBar()->actions()) {
    add(bar);
    if (bar->menu())
      for (QAction* item : bar->menu()->actions()) add(item);
  }
  EXPECT_EQ(
      seen.join(' ').toStdString(),
      "MenuFile:&File MenuFileOpen:&Open mnuRecentFiles:&Recent Files! - menuCombine:&Combine! - "
      "MenuFileSave:&Save - "
      "MenuExport:&Export MenuPrint:&Print... - "
      "mnuAutoClean:&AutoClean For Interp - MenuFileExit:&Exit "
      "mnuShiftBaseline:&Shift Channel(s)! mnuEditDepth:&Edit Depth menuStartDepth:&Start Depth "
      "mnuDepthIncrement:&Depth Increment mnuView:&View mnuViewProfile:&Profile "
      "mnuCopyReadings:&Copy Readings mnuGoTo:&Go to Reading or Depth... "
      "mnuViewHistory:&History "
      "mnuCopyCommand:Copy Co&mmand mnuViewQuality:&Quality mnuViewMessages:&Messages "
      "mnuViewInterpretation:&Interpretation "
      "mnuEdit:E&dit mnuUndo:&Undo! "
      "mnuRedo:&Redo! - mnuFillGaps:&Fill Gaps "
      "mnuInterchange:&Interchange mnuExportGef:Export &GEF... mnuExportAgs:Export &AGS4... "
      "mnuExportLog:Export &Log... "
      "mnuOptions:&Options "
      "mnuRefuseUnreadable:&Refuse Files That Would Not Read Back mnuDateOrder:&Date Order");
  auto* profile = control<QAction>("mnuViewProfile");
  auto* refuse = control<QAction>("mnuRefuseUnreadable");
  EXPECT_TRUE(profile->isCheckable() && profile->isChecked());
  EXPECT_TRUE(refuse->isCheckable() && !refuse->isChecked());
}

TEST_F(LayoutTest, KeysBeforeAnyFileChangeNothingButWriteTheCounters) {
  for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Delete, Qt::Key_Insert}) {
    QTest::keyClick(depthCell(1), key);
    EXPECT_EQ(counters(), "Data Index:  0|# of Readings:  0") << key;
  }
}

}  // namespace
}  // namespace pelorin::test
