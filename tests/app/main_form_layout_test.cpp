// The window as it stands before any file is opened: controls, captions, places, states
// and menus.

#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

using LayoutTest = WindowTest;

TEST_F(LayoutTest, WindowHasItsCaptionAndClientArea) {
  EXPECT_EQ(form->windowTitle(), "Pelorin");
  EXPECT_EQ(form->objectName(), "MainForm");
  EXPECT_EQ(form->centralWidget()->size(), QSize(801, 649));
}

TEST_F(LayoutTest, HeaderFieldsStartEmptyAndDisabled) {
  for (QLineEdit* box : form->headerBoxes()) {
    SCOPED_TRACE(box->objectName().toStdString());
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(box->isReadOnly(), box->objectName() == "txtGPSData");
  }
  // Two columns: the left one at 2520 twips, the right one at 7440.
  EXPECT_EQ(control("txtHoleNumber")->geometry(), twipsRect(2520, 2520, 2535, 285));
  EXPECT_EQ(control("txtWaterTableDepth")->geometry(), twipsRect(7440, 2520, 2535, 285));
}

TEST_F(LayoutTest, StartUpHidesTheDepthHeadAndTheUnitLists) {
  EXPECT_EQ(text("lblFileName"), "WELCOME TO PELORIN");
  EXPECT_EQ(text("lblDataIndex"), "");
  for (const char* name : {"lblDepthLabel", "cmbDepthUnits_1", "lblSpeedLabel", "lblSpeedUnitsLabel",
                           "cmbChannelUnits_1", "cmbChannelUnits_10"})
    EXPECT_FALSE(control(name)->isVisible()) << name;
  EXPECT_EQ(text("lblChannelLabel_1"), "");
  auto* depthUnits = control<QComboBox>("cmbDepthUnits_1");
  ASSERT_EQ(depthUnits->count(), 2);
  EXPECT_EQ(depthUnits->itemText(0) + depthUnits->itemText(1), "mft");
  EXPECT_EQ(form->definitions().UnitCount[1], 6) << "Channel1.txt read from the program's folder";
}

TEST_F(LayoutTest, GridCellsTakeTheKeysButOnlyChannelCellsTakeTyping) {
  for (int r : {1, 24}) {
    EXPECT_TRUE(depthCell(r)->isEnabled() && depthCell(r)->isReadOnly());
    EXPECT_TRUE(speedCell(r)->isEnabled() && speedCell(r)->isReadOnly());
    EXPECT_EQ(depthCell(r)->focusPolicy(), Qt::ClickFocus) << "no grid cell is a tab stop";
    EXPECT_FALSE(channelCell(10, r)->isEnabled());
    EXPECT_FALSE(channelCell(10, r)->isReadOnly());
  }
  EXPECT_EQ(channelCell(10, 24)->geometry(), twipsRect(2160 + 960 * 9, 3720 + 240 * 23, 975, 285));
}

TEST_F(LayoutTest, MessagePanelShowsAndTheOtherPanelsAreHidden) {
  EXPECT_TRUE(control("frmMessage")->isVisible());
  EXPECT_EQ(control<QGroupBox>("frmMessage")->title(), "Frame1");
  EXPECT_EQ(text("Label13"), "No file selected");
  for (const char* name : {"frmChangeStartDepth", "frmDepthIncrement", "frmShiftBaselines",
                           "frmSecondFileData", "frmExportData"})
    EXPECT_FALSE(control(name)->isVisible()) << name;
  // Laid over the grid: drawn after its cells.
  QWidget* area = form->centralWidget();
  EXPECT_GT(area->children().indexOf(form->frmShiftBaselines), area->children().indexOf(form->txtChannel[10][24]));
}

TEST_F(LayoutTest, CaptionsThatLookLikeMarkupAreShownAsWritten) {
  form->frmShiftBaselines->show();
  auto* label = control<QLabel>("Label34");
  EXPECT_EQ(label->text(), "<OR>");
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  EXPECT_GT(label->sizeHint().width(), 20) << "not swallowed as a tag";
  EXPECT_EQ(control<QLabel>("Label42")->palette().color(QPalette::WindowText), QColor(192, 0, 0));
  for (int c = 1; c <= MaxChannels; ++c) {
    EXPECT_EQ(text(QString("txtShiftChannelByChan_%1").arg(c)), "Text1");
    EXPECT_TRUE(control(QString("lblShiftChanLabel_%1").arg(c))->isHidden());
  }
}

TEST_F(LayoutTest, ButtonCaptionsFitTheirButtons) {
  for (QAbstractButton* button : form->centralWidget()->findChildren<QAbstractButton*>()) {
    if (button->text().isEmpty()) continue;
    int chrome = qobject_cast<QPushButton*>(button) ? 4 : 16;
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + chrome, button->width())
        << button->objectName().toStdString();
  }
}

TEST_F(LayoutTest, MenusInOrderWithAccessKeysAndStates) {
  QList<QAction*> bar = form->menuBar()->actions();
  ASSERT_EQ(bar.size(), 4);  // the View menu comes last (profile_test.cpp)
  EXPECT_EQ(bar[0]->text(), "&File");
  EXPECT_EQ(bar[1]->text(), "&Shift Channel(s)");
  EXPECT_EQ(bar[1]->objectName(), "mnuShiftBaseline");
  EXPECT_FALSE(bar[1]->isEnabled());
  EXPECT_EQ(bar[1]->menu(), nullptr) << "a command without items";
  EXPECT_EQ(bar[2]->text(), "&Edit Depth");
  EXPECT_EQ(bar[3]->text(), "&View");

  struct Item {
    const char* name;
    const char* caption;  // empty for a separator
    bool enabled;
  };
  const Item file[] = {{"MenuFileOpen", "&Open", true}, {"sep1", "", true},
                       {"menuCombine", "&Combine", false}, {"sep2", "", true},
                       {"MenuFileSave", "&Save", true}, {"sep3", "", true},
                       {"MenuExport", "&Export", true}, {"sep4", "", true},
                       {"mnuAutoClean", "&AutoClean For Interp", true}, {"sep5", "", true},
                       {"MenuFileExit", "&Exit", true}};
  QList<QAction*> items = control<QMenu>("MenuFile")->actions();
  ASSERT_EQ(items.size(), 11);
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(items[i]->objectName(), file[i].name);
    EXPECT_EQ(items[i]->isSeparator(), file[i].caption[0] == '\0') << file[i].name;
    EXPECT_EQ(items[i]->text().toStdString(), file[i].caption);
    EXPECT_EQ(items[i]->isEnabled(), file[i].enabled) << file[i].name;
  }
  QList<QAction*> edit = control<QMenu>("mnuEditDepth")->actions();
  ASSERT_EQ(edit.size(), 2);
  EXPECT_EQ(edit[0]->objectName(), "menuStartDepth");
  EXPECT_EQ(edit[0]->text(), "&Start Depth");
  EXPECT_EQ(edit[1]->objectName(), "mnuDepthIncrement");
  EXPECT_EQ(edit[1]->text(), "&Depth Increment");
}

TEST_F(LayoutTest, KeysBeforeAnyFileChangeNothingButWriteTheCounters) {
  for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Delete, Qt::Key_Insert}) {
    QTest::keyClick(depthCell(1), key);
    EXPECT_EQ(text("lblDataIndex"), "Data Index:  0");
    EXPECT_EQ(text("lblNumberOfReadings"), "# of Readings:  0");
    EXPECT_EQ(form->sounding().NumReadings, 0);
  }
}

}  // namespace
}  // namespace pelorin::test
