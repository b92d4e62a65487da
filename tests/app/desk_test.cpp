// The window on a real desk: texts whole in their boxes, the keys where the user expects
// them, Enter and Escape in the panels, a status line for every operation.

#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QSet>
#include <QStatusBar>
#include <QTextStream>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

using DeskTest = WindowTest;

// The name item (the third) of each channel definition file of the installation.
QStringList definitionNames() {
  QStringList names;
  for (int t = 1; t <= 20; ++t) {
    QFile file(sample(("Channel" + std::to_string(t) + ".txt").c_str()));
    if (!file.open(QIODevice::ReadOnly)) continue;
    QString third = QString::fromLatin1(file.readAll()).section("\r\n", 2, 2);
    names << third.section(',', 1).remove('"');
  }
  return names;
}

TEST_F(DeskTest, TheLongestTextsFitTheirBoxes) {
  auto fits = [](QWidget* box, const QString& text) {
    QFontMetrics metrics(box->font());
    QRect needed = metrics.boundingRect(QRect(0, 0, box->width(), 1000), Qt::TextWordWrap, text);
    return needed.width() <= box->width() && needed.height() <= box->height() + 1;
  };
  EXPECT_TRUE(fits(control("lblNumberOfReadings"), "# of Readings:  10000"));
  EXPECT_TRUE(fits(control("lblDataIndex"), "Data Index:  10000"));
  // Channel names fit the grid's heads on two lines; in the shift panel's one line a long one
  // is elided in its middle, so that "Pore Pressure U1" and "U2" stay apart.
  const QStringList names = definitionNames();
  ASSERT_GE(names.size(), 10);
  QSet<QString> shown;
  for (const QString& name : names) {
    EXPECT_TRUE(fits(control("lblChannelLabel_1"), name)) << name.toStdString();
    QWidget* row = control("lblShiftChanLabel_1");
    shown << QFontMetrics(row->font()).elidedText(name, Qt::ElideMiddle, row->width());
  }
  EXPECT_EQ(shown.size(), names.size());
  // Every caption of the window and its panels, as it is described.
  for (QLabel* label : form->centralWidget()->findChildren<QLabel*>()) {
    if (!label->text().isEmpty() && label->objectName() != "lblFileName") {
      EXPECT_TRUE(fits(label, label->text())) << label->objectName().toStdString();
    }
  }
  for (QGroupBox* panel : form->centralWidget()->findChildren<QGroupBox*>())
    EXPECT_TRUE(fits(panel, panel->title())) << panel->objectName().toStdString();

  // A file name longer than its label is shown elided, whole in the tooltip.
  QString name = "a sounding file with a name far longer than the label above the header boxes.cpt";
  QFile::copy(kClay, temporary.filePath(name));
  open(temporary.filePath(name));
  control("lblFileName")->grab();  // painted
  EXPECT_EQ(control("lblFileName")->toolTip(), "FILE:" + name);
}

TEST_F(DeskTest, OpenAUnitChangeAndDownWithTheKeys) {
  dialog->answer(kClay);
  QTest::keyClick(form.get(), Qt::Key_F, Qt::AltModifier);
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_O);
  ASSERT_EQ(form->sounding().NumReadings, 600);
  EXPECT_EQ(QApplication::focusWidget(), depthCell(6)) << "Up and Down work at once";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(counters(), "Data Index:  7|# of Readings:  600");

  auto* units = control<QComboBox>("cmbChannelUnits_1");
  units->setFocus();
  QTest::keyClick(units, Qt::Key_Up);  // MPA to KPA, as the list's own key does
  EXPECT_EQ(units->currentText(), "KPA");
  EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), "Qc shown in KPA");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(units->currentText(), "KPA") << "the next Down moves the reading, not the unit";
  EXPECT_EQ(counters(), "Data Index:  8|# of Readings:  600");
}

TEST_F(DeskTest, EnterAppliesAndEscapeCancelsEachPanel) {
  open(kClay);
  const std::string grid = gridTexts(), saved = cleanBytes(kClay, {});
  for (const char* item : {"menuStartDepth", "mnuDepthIncrement", "mnuShiftBaseline"}) {
    SCOPED_TRACE(item);
    menu(item);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(gridTexts(), grid);
  }
  menu("menuCombine", kClay);
  ASSERT_TRUE(shown("frmSecondFileData"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(shown("frmSecondFileData")) << "Escape is the way out of COMBINE FILES";
  EXPECT_EQ(gridTexts(), grid);
  EXPECT_EQ(form->sounding().NumReadings, 600);
  menu("MenuExport");  // Escape is Cancel: the units of English, chosen as it opened, stay
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_EQ(text("cmbChannelUnits_1"), "TSF");
  for (const char* panel :
       {"frmChangeStartDepth", "frmDepthIncrement", "frmShiftBaselines", "frmExportData"})
    EXPECT_FALSE(shown(panel)) << panel;
  EXPECT_EQ(QApplication::focusWidget(), depthCell(6)) << "the keys are back in the grid";

  menu("menuStartDepth");  // the box's text is selected: typing replaces it
  QTest::keyClicks(QApplication::focusWidget(), "1.5");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(text("txtDepth_1"), "1.50");
  EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), "Start depth 0.02 -> 1.50 m");
  EXPECT_NE(savedBytes(), saved);
}

TEST_F(DeskTest, EveryOperationSaysWhatItDid) {
  const std::pair<QStringList, std::string> steps[] = {
      {{"open:sample_no_pore.cpt"}, "Opened sample_no_pore.cpt: 400 readings, 4 channels"},
      {{"mnuAutoClean"}, "AutoClean: pore channel added, 0 depths snapped, 0 readings inserted"},
      {{"mnuShiftBaseline", "txtShiftChannelByChan_1=0.5", "Command5"}, "Shift Qc by 0.5 BAR"},
      // The new pore-pressure channel's zeros are zero readings too.
      {{"mnuShiftBaseline", "Command7"}, "Remove negatives: 400 readings replaced"},
      {{"mnuDepthIncrement", "Command9", "cmdOK"},
       "Depth increment 0.020 -> 0.025 m: depths and speeds scaled by 1.25"},
      {{"menuStartDepth", "Command4", "MenuExport", "optMetricAbsKPA", "Command2"},
       "Export units: Metric Absolute [SI] (Qc in MPA, Fs in KPA, PP in KPA)"},
  };
  for (const auto& [actions, said] : steps) {
    for (const QString& step : actions)
      step.startsWith("open:") ? open(sample(step.mid(5).toLatin1())) : act(step);
    EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), said);
  }
  pressInDepthColumn(Qt::Key_Delete);
  EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), "Delete reading 1 (0.65 m)");
}

}  // namespace
}  // namespace pelorin::test
