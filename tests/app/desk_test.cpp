// The window on a real desk: texts whole in their boxes, the keys where the user expects
// them, Enter and Escape in the panels, a status line for every operation.

#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QSet>
#include <QTableWidget>
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

  // So is a status message longer than the status line, and the Messages log keeps it.
  const QString longName = name.repeated(3).remove(".cpt") + ".cpt";
  QFile::copy(kClay, temporary.filePath(longName));
  open(temporary.filePath(longName));
  const QString said = "Opened " + longName + ": 600 readings, 3 channels";
  EXPECT_EQ(control<QLabel>("lblStatus")->text(), said);
  control("lblStatus")->grab();
  EXPECT_EQ(control("lblStatus")->toolTip(), said);
  EXPECT_TRUE(control<QPlainTextEdit>("txtMessages")->toPlainText().endsWith(said));
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
  EXPECT_EQ(form->findChild<QLabel*>("lblStatus")->text().toStdString(), "Qc shown in KPA");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(units->currentText(), "KPA") << "the next Down moves the reading, not the unit";
  EXPECT_EQ(counters(), "Data Index:  8|# of Readings:  600");
}

TEST_F(DeskTest, ATypedCorrectionIsStoredByTheNextKeyOrWhenLeaving) {
  open(kClay);
  pressInDepthColumn(Qt::Key_Down, 2);  // reading 8 in row 8
  QLineEdit* cell = channelCell(2, 8);
  QTest::mouseClick(cell, Qt::LeftButton);
  cell->selectAll();
  QTest::keyClicks(cell, "12.5");
  EXPECT_EQ(form->sounding().Reading[2][8], 12.0f) << "one key late: the text before '5' was 12.";
  QTest::keyClick(cell, Qt::Key_Return);
  EXPECT_EQ(form->sounding().Reading[2][8], 12.5f);
  EXPECT_EQ(cell->text(), "12.5") << "the cell keeps the user's text until the next refresh";

  QLineEdit* other = channelCell(1, 9);
  QTest::mouseClick(other, Qt::LeftButton);
  other->selectAll();
  QTest::keyClicks(other, "7.25");
  QTest::mouseClick(channelCell(1, 10), Qt::LeftButton);
  EXPECT_EQ(form->sounding().Reading[1][9], 7.2f) << "left with the mouse";
  QTest::keyClick(other, Qt::Key_Up);
  EXPECT_EQ(form->sounding().Reading[1][9], 7.25f)
      << "Up in a channel cell stores and moves nothing";
  EXPECT_EQ(form->sounding().DataIndex, 8);

  // Fs of reading 8 stands five places early: raw 0.00873 + 12.5 / 1000 x 10 in line 8 of the
  // readings.
  std::string saved = savedBytes();
  std::size_t line = saved.find("   (m) (cm/s)\r\n") + 15;
  for (int n = 1; n < 8; ++n) line = saved.find("\r\n", line) + 2;
  EXPECT_EQ(saved.substr(line + 33, 20), "             0.13373");
}

TEST_F(DeskTest, QualityPanelFollowsTheStepsAndLeadsToTheReadingsItNames) {
  open(kClay);
  menu("mnuViewQuality");
  ASSERT_TRUE(shown("dockQuality"));
  auto* table = control<QTableWidget>("tblQuality");
  auto line = [&](const QString& rule) {
    const auto found = table->findItems(rule, Qt::MatchExactly);
    return found.isEmpty() ? -1 : found[0]->row();
  };
  auto figures = [&](const QString& rule) {
    return table->item(line(rule), 2)->text().toStdString();
  };
  EXPECT_EQ(figures("Class reached"), "class 1");
  EXPECT_EQ(table->item(line("Class reached"), 0)->toolTip(), "met");

  // Shifting Qc by 20 MPa raises its largest value, and with it its relative drift limit.
  for (const char* step : {"mnuShiftBaseline", "txtShiftChannelByChan_1=20", "Command5"}) act(step);
  EXPECT_TRUE(figures("Zero drift Qc").starts_with("3.4 kPa; limits 1755.1 /"))
      << figures("Zero drift Qc");

  // A Qc typed below zero at reading 10; a click on its line comes back to it from afar.
  QLineEdit* cell = channelCell(1, 10);
  QTest::mouseClick(cell, Qt::LeftButton);
  cell->selectAll();
  QTest::keyClicks(cell, "-1");
  QTest::keyClick(cell, Qt::Key_Return);
  EXPECT_EQ(figures("Values of Qc"), "0 readings without a value, 1 zero or negative");
  EXPECT_EQ(table->item(line("Values of Qc"), 0)->toolTip(), "not met");
  pressInDepthColumn(Qt::Key_Down, 100);
  const int row = line("Values of Qc");
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                    table->visualRect(table->model()->index(row, 2)).center());
  EXPECT_EQ(counters(), "Data Index:  10|# of Readings:  600");
  menu("mnuUndo");
  EXPECT_EQ(figures("Values of Qc"), "0 readings without a value, 0 zero or negative");
}

}  // namespace
}  // namespace pelorin::test
