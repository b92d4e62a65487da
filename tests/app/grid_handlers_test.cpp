// Moving, editing and changing units in the window with the keyboard, checked on the grid
// and on the saved file.

#include <QFile>
#include <sstream>

#include "cli/cli.hpp"
#include "display/grid.hpp"
#include "text/number_text.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

class GridTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    open(sample("sample_clay_002.cpt"));
    ASSERT_EQ(form->sounding().NumReadings, 600);
  }

  // Every cell of the 24 rows shows the reading its row stands for.
  void expectGridShowsTheReadings() {
    const Sounding& s = form->sounding();
    for (int r = 1; r <= GridRows; ++r) {
      int n = s.DataIndex - s.CurrentRow + r;
      SCOPED_TRACE("row " + std::to_string(r) + ", reading " + std::to_string(n));
      EXPECT_EQ(depthCell(r)->text().toStdString(), depthCellText(displayDepth(s.Depth[n], form->depthUnit())));
      EXPECT_EQ(speedCell(r)->text().toStdString(), speedCellText(s.Speed[n]));
      for (int c = 1; c <= s.NumChannels; ++c)
        EXPECT_EQ(channelCell(c, r)->text().toStdString(), channelCellText(s, form->definitions(), c, n));
    }
  }
  void expectHighlightAt(int row) {
    const QColor grey(200, 200, 200), white(255, 255, 255);
    for (int r = 1; r <= GridRows; ++r) {
      EXPECT_EQ(background(depthCell(r)), r == row ? grey : white) << r;
      EXPECT_EQ(background(speedCell(r)), r == row ? grey : white) << r;
      EXPECT_EQ(background(channelCell(1, r)), r == row ? grey : white) << r;
      EXPECT_EQ(background(channelCell(2, r)), r == row - 5 ? grey : white) << r;
      EXPECT_EQ(background(channelCell(4, r)), white) << r;
    }
  }
  std::string counters() { return text("lblDataIndex") + "|" + text("lblNumberOfReadings"); }
  std::string savedBytes() {
    QString out = temporary.filePath("window.cpt");
    save(out);
    QFile file(out);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
  }
  std::string batchBytes(const std::vector<std::string>& operations) {
    std::string out = temporary.filePath("batch.cpt").toStdString();
    std::vector<std::string> args = {"clean", (QString(PELORIN_DATA) + "/sample_clay_002.cpt").toStdString(), "-o", out};
    args.insert(args.end(), operations.begin(), operations.end());
    std::ostringstream o, e;
    EXPECT_EQ(cli::run(args, PELORIN_PROGRAM_FOLDER, o, e), 0) << e.str();
    QFile file(QString::fromStdString(out));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
  }
};

TEST_F(GridTest, DownPastRow24ScrollsAndUpComesBack) {
  struct Step {
    Qt::Key key;
    int times, dataIndex, currentRow;
  } steps[] = {
      {Qt::Key_Down, 1, 7, 7},   {Qt::Key_Down, 17, 24, 24}, {Qt::Key_Down, 1, 25, 24},
      {Qt::Key_Down, 10, 35, 24}, {Qt::Key_Up, 1, 34, 23},   {Qt::Key_Up, 17, 17, 6},
      {Qt::Key_Up, 11, 6, 6},     {Qt::Key_Up, 1, 6, 6},
  };
  for (const Step& step : steps) {
    pressInDepthColumn(step.key, step.times);
    const Sounding& s = form->sounding();
    SCOPED_TRACE("DataIndex " + std::to_string(step.dataIndex));
    EXPECT_EQ(s.DataIndex, step.dataIndex);
    EXPECT_EQ(s.CurrentRow, step.currentRow);
    EXPECT_EQ(QApplication::focusWidget(), depthCell(step.currentRow));
    EXPECT_EQ(text("lblDataIndex"), "Data Index:  " + std::to_string(step.dataIndex));
    expectHighlightAt(step.currentRow);
    expectGridShowsTheReadings();
  }
  // Scrolled back to the top: reading 1 in row 1.
  EXPECT_EQ(text("txtDepth_1"), "0.02");
}

TEST_F(GridTest, DownOnTheLastReadingChangesNothingButTheCounters) {
  pressInDepthColumn(Qt::Key_Down, 594);
  EXPECT_EQ(form->sounding().DataIndex, 600);
  EXPECT_EQ(text("lblDataIndex"), "Data Index:  600");
  pressInDepthColumn(Qt::Key_Down);
  EXPECT_EQ(form->sounding().DataIndex, 600);
  EXPECT_EQ(text("txtDepth_24"), "12.00");
}

TEST_F(GridTest, SpeedsOfZeroOrAbove10AreRed) {
  open(appFixture("speed_alarms.cpt"));
  const bool red[] = {false, false, true, false, true, false, true, false};
  const char* texts[] = {"", "2.00", ".00", "10.00", "10.01", "-.50", "15.00", "3.00"};
  for (int r = 1; r <= 7; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(text(QString("txtSpeed_%1").arg(r)), texts[r]);
    QColor expected = red[r] ? QColor(255, 0, 0) : QColor(0, 0, 0);
    EXPECT_EQ(foreground(speedCell(r)), expected);
    EXPECT_EQ(foreground(depthCell(r)), expected);
  }
  // Rows past the last reading show the empty table: speed .00 in red.
  EXPECT_EQ(text("txtSpeed_8"), ".00");
  EXPECT_EQ(foreground(speedCell(8)), QColor(255, 0, 0));
}

TEST_F(GridTest, ClickingADepthCellSelectsNothing) {
  QTest::mouseClick(depthCell(12), Qt::LeftButton);
  EXPECT_EQ(form->sounding().CurrentRow, 6);
  expectHighlightAt(6);
}

TEST_F(GridTest, ATypedCorrectionIsStoredByTheNextKey) {
  pressInDepthColumn(Qt::Key_Down, 2);  // reading 8 in row 8
  QLineEdit* cell = channelCell(2, 8);
  QTest::mouseClick(cell, Qt::LeftButton);
  cell->selectAll();
  QTest::keyClicks(cell, "12.5");
  EXPECT_EQ(form->sounding().Reading[2][8], 12.0f) << "one key late: the text before '5' was 12.";
  QTest::keyClick(cell, Qt::Key_Return);
  EXPECT_EQ(form->sounding().Reading[2][8], 12.5f);
  EXPECT_EQ(cell->text(), "12.5") << "the cell keeps the user's text until the next refresh";

  // Typing 7.25 and leaving with the mouse stores 7.2.
  QLineEdit* other = channelCell(1, 9);
  QTest::mouseClick(other, Qt::LeftButton);
  other->selectAll();
  QTest::keyClicks(other, "7.25");
  QTest::mouseClick(channelCell(1, 10), Qt::LeftButton);
  EXPECT_EQ(form->sounding().Reading[1][9], 7.2f);

  // Up in a channel cell stores the value and moves nothing.
  QTest::keyClick(other, Qt::Key_Up);
  EXPECT_EQ(form->sounding().Reading[1][9], 7.25f);
  EXPECT_EQ(form->sounding().DataIndex, 8);

  // Fs of reading 8 stands five places early: its raw value in line 8 of the readings.
  std::string saved = savedBytes();
  std::size_t units = saved.find("   (m) (cm/s)\r\n");
  std::size_t line = units + 15;
  for (int n = 1; n < 8; ++n) line = saved.find("\r\n", line) + 2;
  std::string reading8 = saved.substr(line, saved.find("\r\n", line) - line);
  EXPECT_EQ(reading8.substr(33, 20), "             0.13373") << "0.00873 + 12.5 / 1000 x 10";
}

TEST_F(GridTest, DeleteAndInsertInTheWindowMatchTheBatchTool) {
  pressInDepthColumn(Qt::Key_Down, 24);  // reading 30
  EXPECT_EQ(counters(), "Data Index:  30|# of Readings:  600");
  pressInDepthColumn(Qt::Key_Delete);
  EXPECT_EQ(counters(), "Data Index:  30|# of Readings:  599");
  expectGridShowsTheReadings();
  pressInDepthColumn(Qt::Key_Up, 10);  // reading 20
  pressInDepthColumn(Qt::Key_Insert);
  pressInDepthColumn(Qt::Key_Insert);
  EXPECT_EQ(counters(), "Data Index:  20|# of Readings:  601");
  expectGridShowsTheReadings();
  EXPECT_EQ(savedBytes(), batchBytes({"--delete", "30", "--insert", "20", "--insert", "20"}));
}

TEST_F(GridTest, InsertOnTheFirstCompleteReadingIsIgnored) {
  pressInDepthColumn(Qt::Key_Insert);
  EXPECT_EQ(counters(), "Data Index:  6|# of Readings:  600");
  pressInDepthColumn(Qt::Key_Down);
  pressInDepthColumn(Qt::Key_Insert);
  EXPECT_EQ(counters(), "Data Index:  7|# of Readings:  601");
}

TEST_F(GridTest, UnitChangesConvertTheChannelAndFeetOnlyChangeTheView) {
  const Sounding& s = form->sounding();
  float qc = s.Reading[1][10];
  float depth = s.Depth[10];
  chooseInList("cmbChannelUnits_1", Qt::Key_Up);  // MPA -> KPA
  EXPECT_EQ(control<QComboBox>("cmbChannelUnits_1")->currentText(), "KPA");
  EXPECT_EQ(s.ChannelUnit[1], 1);
  EXPECT_FLOAT_EQ(s.Reading[1][10], qc * 1000);
  EXPECT_EQ(text("txtChannel1_10"), channelCellText(s, form->definitions(), 1, 10));
  chooseInList("cmbChannelUnits_1", Qt::Key_Down);  // back to MPA
  EXPECT_EQ(s.ChannelUnit[1], 2);
  EXPECT_FLOAT_EQ(s.Reading[1][10], qc);
  EXPECT_EQ(text("txtChannel1_10").find('.'), text("txtChannel1_10").size() - 4) << "##0.000";

  chooseInList("cmbDepthUnits_1", Qt::Key_Down);  // ft
  EXPECT_EQ(form->depthUnit(), DepthUnit::Feet);
  EXPECT_EQ(s.Depth[10], depth) << "the depths stay in metres";
  EXPECT_EQ(text("txtDepth_10"), depthCellText(toSingle(depth / 0.3048)));
  expectGridShowsTheReadings();

  // The same steps in the batch tool give the same file, depths in metres.
  EXPECT_EQ(savedBytes(), batchBytes({"--unit", "1=KPA", "--unit", "1=MPA", "--depth-unit", "ft"}));
}

TEST_F(GridTest, SelectingTheUnitInForceLeavesTheValues) {
  auto before = std::make_unique<Sounding>(form->sounding());
  form->setListIndex(control<QComboBox>("cmbChannelUnits_2"), 0);
  EXPECT_EQ(form->sounding().Reading, before->Reading);
}

}  // namespace
}  // namespace pelorin::test

namespace pelorin::test {
namespace {

TEST_F(GridTest, OnlyTheNavigationKeysActInTheDepthColumn) {
  // '&', '(', '-' and '.' share their Qt codes with the virtual keys of Up, Down, Insert
  // and Delete; they must not act as those keys.
  for (Qt::Key key : {Qt::Key_Ampersand, Qt::Key_ParenLeft, Qt::Key_Minus, Qt::Key_Period,
                      Qt::Key_PageDown, Qt::Key_A, Qt::Key_Return}) {
    pressInDepthColumn(key);
    EXPECT_EQ(counters(), "Data Index:  6|# of Readings:  600") << key;
  }
  QTest::keyClick(depthCell(6), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(counters(), "Data Index:  7|# of Readings:  600") << "Shift+Down acts as Down";
}

TEST_F(GridTest, ALagBeyondTheGridPutsTheCurrentReadingInTheLastRow) {
  open(appFixture("lag_30_markers.cpt"));
  const Sounding& s = form->sounding();
  ASSERT_EQ(s.MaxLag, 30);
  EXPECT_EQ(s.DataIndex, 31);
  EXPECT_EQ(s.CurrentRow, 24);
  EXPECT_EQ(text("txtDepth_1"), "0.16") << "row 1 shows reading 8";
  EXPECT_EQ(text("txtDepth_24"), "0.62");
  EXPECT_EQ(background(depthCell(24)), QColor(200, 200, 200));
  for (int r = 1; r <= GridRows; ++r)
    EXPECT_EQ(background(channelCell(2, r)), QColor(255, 255, 255)) << "Fs's mark lies above the grid";
  pressInDepthColumn(Qt::Key_Up);
  EXPECT_EQ(counters(), "Data Index:  31|# of Readings:  60");
  pressInDepthColumn(Qt::Key_Down);
  EXPECT_EQ(counters(), "Data Index:  32|# of Readings:  60");
  EXPECT_EQ(text("txtDepth_24"), "0.64");
  pressInDepthColumn(Qt::Key_Up);
  EXPECT_EQ(text("txtDepth_24"), "0.62");
}

}  // namespace
}  // namespace pelorin::test
