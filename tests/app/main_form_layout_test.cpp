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

TEST_F(LayoutTest, HeaderFieldsStartEmptyAndDisabledInTwoColumns) {
  struct {
    const char* name;
    int left, top;
  } fields[] = {{"txtCompanyName", 2520, 720},  {"txtOperator", 2520, 1080},
                {"txtConeNumber", 2520, 1440},  {"txtLocation", 2520, 1800},
                {"txtJobNumber", 2520, 2160},   {"txtHoleNumber", 2520, 2520},
                {"txtDateandTime", 7440, 720},  {"txtHeader", 7440, 1080},
                {"txtFootnote1", 7440, 1440},   {"txtFootnote2", 7440, 1800},
                {"txtGPSData", 7440, 2160},     {"txtWaterTableDepth", 7440, 2520}};
  for (auto f : fields) {
    SCOPED_TRACE(f.name);
    auto* box = control<QLineEdit>(f.name);
    EXPECT_EQ(box->geometry(), twipsRect(f.left, f.top, 2535, 285));
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(box->isReadOnly(), std::string(f.name) == "txtGPSData");
  }
  const char* captions[] = {"Company Name", "Operator", "Cone Number", "Location",
                            "Job Number", "Hole Number", "Date and Time", "Header",
                            "Footnote 1", "Footnote 2", "GPS Data", "Water Table Depth"};
  for (const char* caption : captions) {
    bool found = false;
    for (QLabel* label : form->findChildren<QLabel*>())
      found = found || (label->text() == caption && label->isVisible());
    EXPECT_TRUE(found) << caption;
  }
}

TEST_F(LayoutTest, StatusLabelsColumnHeadsAndUnitListsAfterStartUp) {
  EXPECT_EQ(text("lblFileName"), "WELCOME TO PELORIN");
  EXPECT_EQ(text("lblDataIndex"), "");
  EXPECT_EQ(text("lblNumberOfReadings"), "");
  EXPECT_EQ(control("lblDataIndex")->geometry(), twipsRect(10200, 2400, 1695, 255));
  EXPECT_FALSE(control("lblDepthLabel")->isVisible()) << "the load step hides it";
  EXPECT_FALSE(control("cmbDepthUnits_1")->isVisible());
  EXPECT_FALSE(control("lblSpeedLabel")->isVisible());
  EXPECT_FALSE(control("lblSpeedUnitsLabel")->isVisible());
  EXPECT_EQ(text("lblDepthLabel"), "DEPTH");
  EXPECT_EQ(text("lblSpeedLabel"), "SPEED");
  EXPECT_EQ(text("lblSpeedUnitsLabel"), "(cm/sec)");
  auto* depthUnits = control<QComboBox>("cmbDepthUnits_1");
  ASSERT_EQ(depthUnits->count(), 2);
  EXPECT_EQ(depthUnits->itemText(0), "m");
  EXPECT_EQ(depthUnits->itemText(1), "ft");
  for (int c = 1; c <= MaxChannels; ++c) {
    EXPECT_EQ(text(QString("lblChannelLabel_%1").arg(c)), "");
    auto* units = control<QComboBox>(QString("cmbChannelUnits_%1").arg(c));
    EXPECT_FALSE(units->isVisible());
    EXPECT_EQ(units->geometry(), twipsRect(2280 + 960 * (c - 1), 3240, 975, 315));
  }
}

TEST_F(LayoutTest, GridHas24RowsOfTwelveColumns) {
  for (int r = 1; r <= GridRows; ++r) {
    int top = 3720 + 240 * (r - 1);
    EXPECT_EQ(depthCell(r)->geometry(), twipsRect(240, top, 975, 285));
    EXPECT_EQ(speedCell(r)->geometry(), twipsRect(1200, top, 975, 285));
    EXPECT_TRUE(depthCell(r)->isEnabled() && depthCell(r)->isReadOnly());
    EXPECT_TRUE(speedCell(r)->isEnabled() && speedCell(r)->isReadOnly());
    EXPECT_EQ(depthCell(r)->focusPolicy(), Qt::ClickFocus) << "no grid cell is a tab stop";
    for (int c = 1; c <= MaxChannels; ++c) {
      EXPECT_EQ(channelCell(c, r)->geometry(), twipsRect(2160 + 960 * (c - 1), top, 975, 285));
      EXPECT_FALSE(channelCell(c, r)->isEnabled());
      EXPECT_EQ(channelCell(c, r)->focusPolicy(), Qt::ClickFocus);
    }
  }
}

TEST_F(LayoutTest, MessagePanelShowsAndTheOtherPanelsAreHidden) {
  auto* message = control<QGroupBox>("frmMessage");
  EXPECT_TRUE(message->isVisible());
  EXPECT_EQ(message->title(), "Frame1");
  EXPECT_EQ(message->geometry(), twipsRect(3360, 4560, 5415, 975));
  EXPECT_EQ(text("Label13"), "No file selected");
  struct {
    const char* name;
    const char* caption;
    int left, top, width, height;
  } panels[] = {
      {"frmChangeStartDepth", "CHANGE START DEPTH", 5640, 2400, 3135, 2055},
      {"frmDepthIncrement", "DEPTH INCREMENT", 3960, 2760, 4695, 3375},
      {"frmShiftBaselines", "SHIFT CHANNEL(S)", 2160, 600, 8175, 7575},
      {"frmSecondFileData", "COMBINE FILES", 2640, 720, 7335, 6615},
      {"frmExportData", "EXPORT DATA", 3240, 1320, 5655, 6255},
  };
  for (auto p : panels) {
    SCOPED_TRACE(p.name);
    auto* panel = control<QGroupBox>(p.name);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->title(), p.caption);
    EXPECT_EQ(panel->geometry(), twipsRect(p.left, p.top, p.width, p.height));
  }
  EXPECT_TRUE(control("Shape1"));
}

TEST_F(LayoutTest, PanelControlsCarryTheirCaptions) {
  struct {
    const char* name;
    const char* caption;
  } controls[] = {
      {"Label22", "Current Start Depth"}, {"Label23", "New Start Depth"}, {"Label24", "m"},
      {"Command3", "OK"}, {"Command4", "Cancel"}, {"Label36", "CURRENT INCREMENT"},
      {"Label39", "NEW INCREMENT"}, {"Command9", "INCREASE"}, {"Command10", "DECREASE"},
      {"cmdOK", "OK"}, {"Command11", "CANCEL"},
      {"Label42", "WARNING: THE DEPTH INCREMENT SHOULD BE CHANGED ONLY IF IT WAS SET INCORRECTLY IN KESTRO"},
      {"Label28", "FINAL BASELINE"}, {"Label30", "LOWEST READING"}, {"Label31", "SHIFT CHANNEL BY"},
      {"Label32", "TO SHIFT CHANNELS, ENTER OFFSET INTO  'SHIFT CHANNEL BY:' BOX AND CLICK 'SHIFT READINGS'"},
      {"Label34", "<OR>"},
      {"Label35", "CLICK ON 'REMOVE NEGATIVES' TO REMOVE JUST THE NEGATIVES AND ZEROS WITHOUT SHIFTING THE OTHER READINGS"},
      {"Label33", "WARNING: THIS FUNCTION WILL NOT PERFORM ANY ERROR CHECKING"},
      {"Command5", "SHIFT READINGS"}, {"Command7", "REMOVE NEGATIVES"}, {"Command6", "CANCEL"},
      {"lblSecondFileChannels", "SecondFileChannels"}, {"Label29", "Final Depth Of 1st Sounding:"},
      {"Label26", "Start Appending At Depth:"}, {"txtStartDepth", "Text2"}, {"Label27", "m"},
      {"chkNormalizeDepth", "Normalize depth to 1st file"}, {"cmdCombineOK", "OK"},
      {"optEnglish", "English -"}, {"optMetricAbsKPA", "Metric -"}, {"optMetricWtBAR", "Metric -"},
      {"Label15", "Qc in TSF, Fs in TSF, PP in PSI"}, {"Label16", "Qc in MPA, Fs in KPA, PP in KPA"},
      {"Label17", "Qc in MPA, Fs in KPA, PP in BAR"}, {"Label18", "Qc in KSC, Fs in KSC, PP in KSC"},
      {"Label19", "Qc in KSC, Fs in KSC, PP in BAR"},
      {"Label14", "To export digital cone data to old *.cpd file format, select the desired units and press OK."},
      {"Label20", "NOTE: The channel units will revert to the default units for the selected analog format."},
      {"Command1", "OK"}, {"Command2", "Cancel"},
  };
  for (auto c : controls) {
    QWidget* w = control(c.name);
    ASSERT_TRUE(w) << c.name;
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(w)) shown = label->text();
    if (auto* box = qobject_cast<QLineEdit*>(w)) shown = box->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) shown = button->text();
    EXPECT_EQ(shown.toStdString(), c.caption) << c.name;
  }
  EXPECT_EQ(control<QPlainTextEdit>("txtSecondFileData")->toPlainText(), "SecondFileData");
  for (int c = 1; c <= MaxChannels; ++c) {
    EXPECT_EQ(text(QString("txtShiftChannelByChan_%1").arg(c)), "Text1");
    EXPECT_EQ(control(QString("txtShiftChannelByChan_%1").arg(c))->geometry(),
              twipsRect(5520, 1200 + 360 * (c - 1), 1335, 285));
    for (const char* array : {"lblShiftChanLabel", "lblFinalBaselineChan", "lblLowestReadingChan",
                              "lblShiftUnitsChan"})
      EXPECT_TRUE(control(QString("%1_%2").arg(array).arg(c))->isHidden()) << array << c;
  }
  EXPECT_EQ(control<QLabel>("Label42")->palette().color(QPalette::WindowText), QColor(192, 0, 0));
}

TEST_F(LayoutTest, MenusInOrderWithAccessKeysAndStates) {
  QList<QAction*> bar = form->menuBar()->actions();
  ASSERT_EQ(bar.size(), 3);
  EXPECT_EQ(bar[0]->text(), "&File");
  EXPECT_EQ(bar[1]->text(), "&Shift Channel(s)");
  EXPECT_EQ(bar[1]->objectName(), "mnuShiftBaseline");
  EXPECT_FALSE(bar[1]->isEnabled());
  EXPECT_EQ(bar[1]->menu(), nullptr) << "a command without items";
  EXPECT_EQ(bar[2]->text(), "&Edit Depth");

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
