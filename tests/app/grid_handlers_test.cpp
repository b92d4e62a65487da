// Moving, editing and changing units in the window with the keyboard, checked on the grid
// and on the saved file.

#include "text/number_text.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

class GridTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    open(kClay);
  }
  // The grey row, with Fs's mark five rows higher; the rest white.
  void expectHighlightAt(int row) {
    for (int r = 1; r <= GridRows; ++r) {
      SCOPED_TRACE(r);
      for (QLineEdit* cell : {depthCell(r), speedCell(r), channelCell(1, r)})
        EXPECT_EQ(background(cell), r == row ? kGrey : kWhite);
      EXPECT_EQ(background(channelCell(2, r)), r == row - 5 ? kGrey : kWhite);
    }
  }
};

TEST_F(GridTest, DownPastRow24ScrollsAndUpComesBack) {
  const struct {
    Qt::Key key;
    int times, dataIndex, currentRow;
  } steps[] = {{Qt::Key_Down, 1, 7, 7}, {Qt::Key_Down, 17, 24, 24}, {Qt::Key_Down, 1, 25, 24},
               {Qt::Key_Up, 1, 24, 23}, {Qt::Key_Up, 18, 6, 6},     {Qt::Key_Up, 1, 6, 6}};
  for (const auto& step : steps) {
    pressInDepthColumn(step.key, step.times);
    SCOPED_TRACE("DataIndex " + std::to_string(step.dataIndex));
    EXPECT_EQ(form->sounding().CurrentRow, step.currentRow);
    EXPECT_EQ(QApplication::focusWidget(), depthCell(step.currentRow));
    EXPECT_EQ(text("lblDataIndex"), "Data Index:  " + std::to_string(step.dataIndex));
    expectHighlightAt(step.currentRow);
    expectGridShowsTheModel();
  }
  EXPECT_EQ(text("txtDepth_1"), "0.02");
  pressInDepthColumn(Qt::Key_Down, 595);
  EXPECT_EQ(text("lblDataIndex"), "Data Index:  600") << "Down stops at the last reading";
  EXPECT_EQ(text("txtDepth_24"), "12.00");
}

TEST_F(GridTest, SpeedsOfZeroOrAbove10AreRed) {
  open(appFixture("speed_alarms.cpt"));
  const char* texts[] = {"2.00", ".00", "10.00", "10.01", "-.50", "15.00", "3.00", ".00"};
  const bool red[] = {false, true, false, true, false, true, false, true};  // row 8: no reading
  for (int r = 1; r <= 8; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(speedCell(r)->text().toStdString(), texts[r - 1]);
    for (QLineEdit* cell : {speedCell(r), depthCell(r)})
      EXPECT_EQ(foreground(cell), red[r - 1] ? Qt::red : Qt::black);
  }
}

TEST_F(GridTest, ATypedCorrectionIsStoredByTheNextKeyOrWhenLeaving) {
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

TEST_F(GridTest, DeleteAndInsertUpdateTheCountersAndTheGrid) {
  pressInDepthColumn(Qt::Key_Insert);
  EXPECT_EQ(counters(), "Data Index:  6|# of Readings:  600")
      << "not on the first complete reading";
  pressInDepthColumn(Qt::Key_Down, 24);  // reading 30
  pressInDepthColumn(Qt::Key_Delete);
  EXPECT_EQ(counters(), "Data Index:  30|# of Readings:  599");
  expectGridShowsTheModel();
  pressInDepthColumn(Qt::Key_Up, 10);
  pressInDepthColumn(Qt::Key_Insert, 2);
  EXPECT_EQ(counters(), "Data Index:  20|# of Readings:  601");
  expectGridShowsTheModel();
}

TEST_F(GridTest, UnitChangesConvertTheChannelAndFeetOnlyChangeTheView) {
  const Sounding& s = form->sounding();
  const auto before = std::make_unique<Sounding>(s);
  form->setListIndex(control<QComboBox>("cmbChannelUnits_2"), 0);  // the unit in force
  EXPECT_EQ(s.Reading, before->Reading);
  chooseInList("cmbChannelUnits_1", Qt::Key_Up);
  EXPECT_EQ(text("cmbChannelUnits_1"), "KPA");
  EXPECT_FLOAT_EQ(s.Reading[1][10], before->Reading[1][10] * 1000);
  expectGridShowsTheModel();
  chooseInList("cmbChannelUnits_1", Qt::Key_Down);
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  EXPECT_EQ(s.Depth, before->Depth) << "the depths stay in metres";
  EXPECT_EQ(text("txtDepth_10"), depthCellText(toSingle(s.Depth[10] / 0.3048)));
  expectGridShowsTheModel();
}

TEST_F(GridTest, OnlyTheNavigationKeysActInTheDepthColumnAndClicksSelectNothing) {
  // '&', '(', '-' and '.' share their Qt codes with the virtual keys of Up, Down, Insert and
  // Delete.
  for (Qt::Key key : {Qt::Key_Ampersand, Qt::Key_ParenLeft, Qt::Key_Minus, Qt::Key_Period,
                      Qt::Key_PageDown, Qt::Key_A, Qt::Key_Return})
    pressInDepthColumn(key);
  QTest::mouseClick(depthCell(12), Qt::LeftButton);
  EXPECT_EQ(counters(), "Data Index:  6|# of Readings:  600");
  expectHighlightAt(6);
  QTest::keyClick(depthCell(6), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(counters(), "Data Index:  7|# of Readings:  600") << "Shift+Down acts as Down";
}

TEST_F(GridTest, ALagBeyondTheGridPutsTheCurrentReadingInTheLastRow) {
  open(appFixture("lag_30_markers.cpt"));
  EXPECT_EQ(counters(), "Data Index:  31|# of Readings:  60");
  EXPECT_EQ(text("txtDepth_1") + " " + text("txtDepth_24"), "0.16 0.62") << "row 1 shows reading 8";
  EXPECT_EQ(background(depthCell(24)), kGrey);
  for (int r = 1; r <= GridRows; ++r)
    EXPECT_EQ(background(channelCell(2, r)), kWhite) << "Fs's mark lies above";
  pressInDepthColumn(Qt::Key_Up);
  EXPECT_EQ(counters(), "Data Index:  31|# of Readings:  60");
  pressInDepthColumn(Qt::Key_Down);
  EXPECT_EQ(text("txtDepth_24") + " " + text("lblDataIndex"), "0.64 Data Index:  32");
}

}  // namespace
}  // namespace pelorin::test
