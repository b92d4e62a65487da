// Edit Depth (start depth, depth increment), Shift Channel(s) and AutoClean driven through
// their menus and buttons, and one sequence of every operation against pelorin-cli.

#include "edit/shift_channels.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

using EditPanelTest = WindowTest;

// Every operation's arithmetic is checked through the batch tool's cases; the window runs the
// same steps when driven through its keys, lists, menus and panels.
TEST_F(EditPanelTest, ASequenceOfOperationsSavesWhatTheBatchToolSaves) {
  open(kClay);
  pressInDepthColumn(Qt::Key_Down, 24);  // reading 30
  pressInDepthColumn(Qt::Key_Delete);
  pressInDepthColumn(Qt::Key_Up, 10);
  pressInDepthColumn(Qt::Key_Insert, 2);
  chooseInList("cmbChannelUnits_1", Qt::Key_Up);  // Qc in KPA
  for (const char* step :
       {"menuStartDepth", "txtNewStartDepth=1.5", "Command3", "mnuDepthIncrement", "Command9",
        "Command9", "Command10", "cmdOK", "mnuShiftBaseline", "txtShiftChannelByChan_1=0.5",
        "txtShiftChannelByChan_3=-2", "Command5", "mnuShiftBaseline", "Command7", "mnuAutoClean"})
    act(step);
  for (const char* panel : {"frmChangeStartDepth", "frmDepthIncrement", "frmShiftBaselines"})
    EXPECT_FALSE(shown(panel)) << panel;
  expectGridShowsTheModel();
  menu("menuCombine", kClay);
  type("txtStartDepth", "6");
  click("cmdCombineOK");
  EXPECT_EQ(savedBytes(), cleanBytes(kClay, {"--delete",
                                             "30",
                                             "--insert",
                                             "20",
                                             "--insert",
                                             "20",
                                             "--unit",
                                             "1=KPA",
                                             "--start-depth",
                                             "1.5",
                                             "--increment-steps",
                                             "1",
                                             "--shift",
                                             "1=0.5",
                                             "--shift",
                                             "3=-2",
                                             "--remove-negatives",
                                             "--autoclean",
                                             "--combine",
                                             kClay.toStdString(),
                                             "--from",
                                             "6"}));
}

TEST_F(EditPanelTest, PanelsOpenWithTheSoundingsValues) {
  open(sample("sample_no_pore.cpt"));  // four channels, then three: the fourth shift row must go
  open(kClay);
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  act("menuStartDepth");
  EXPECT_EQ(text("lblCurrentStartDepth") + " " + text("txtNewStartDepth"), "0.02 0.02")
      << "metres in the feet view";
  act("txtNewStartDepth=3.048");
  act("Command3");
  EXPECT_EQ(text("txtDepth_1"), "10.00");
  act("mnuDepthIncrement");
  for (int k = 0; k < 5; ++k) act("Command10");
  EXPECT_EQ(text("lblCurrentIncrement") + " " + text("lblNewIncrement"), "0.020 0.005")
      << "one step above 0";
  act("cmdOK");
  act("mnuDepthIncrement");
  EXPECT_EQ(text("lblCurrentIncrement") + " " + text("lblNewIncrement"), "0.005 0.005");
  act("Command11");

  act("mnuShiftBaseline");
  ShiftPanel panel = openShiftChannels(form->sounding(), form->definitions());
  for (int c = 1; c <= 4; ++c) {
    const ShiftRow& row = panel.Row[c];
    const std::pair<const char*, std::string> columns[] = {
        {"lblShiftChanLabel", row.ChannelName},
        {"lblShiftUnitsChan", row.UnitName},
        {"txtShiftChannelByChan", "0"},
        {"lblLowestReadingChan", row.LowestReading},
        {"lblFinalBaselineChan", row.FinalBaseline}};
    for (const auto& [column, expected] : columns) {
      QString name = QString("%1_%2").arg(column).arg(c);
      EXPECT_EQ(shown(name) ? text(name) : "hidden", c <= 3 ? expected : "hidden")
          << name.toStdString();
    }
  }
}

TEST_F(EditPanelTest, CancelLeavesEverythingAsItWas) {
  open(kClay);
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  std::string grid = gridTexts();
  for (QStringList steps :
       {QStringList{"menuStartDepth", "txtNewStartDepth=9.99", "Command4"},
        QStringList{"mnuDepthIncrement", "Command9", "Command9", "Command11"},
        QStringList{"mnuShiftBaseline", "txtShiftChannelByChan_1=5", "Command6"}}) {
    for (const QString& step : steps) act(step);
    EXPECT_EQ(gridTexts(), grid) << steps.join(' ').toStdString();
  }
  for (const char* panel : {"frmChangeStartDepth", "frmDepthIncrement", "frmShiftBaselines"})
    EXPECT_FALSE(shown(panel)) << panel;
  EXPECT_EQ(savedBytes(), cleanBytes(kClay, {"--depth-unit", "ft"}));
}

TEST_F(EditPanelTest, DepthIncrementOkBeforeAnyFileChangesNothing) {
  for (const char* step : {"mnuDepthIncrement", "Command9", "cmdOK"}) act(step);
  EXPECT_EQ(form->sounding().DepthIncrement, 0.0f);
  EXPECT_EQ(counters(), "|");
}

TEST_F(EditPanelTest, AutoCleanBringsTheChannelColumnsUpToDate) {
  // Without a pore-pressure channel one is added as channel 3, with its unit list.
  for (const auto& [file, expectedHeads] :
       {std::pair{"sample_no_pore.cpt", "Qc|Fs|PRESSURE U2|Ix|Iy|"},
        std::pair{"sample_clay_002.cpt", "Qc|Fs|U2|"}}) {
    open(sample(file));
    act("mnuAutoClean");
    const Sounding& s = form->sounding();
    std::string heads;
    for (int ch = 1; ch <= s.NumChannels; ++ch) {
      QString units = QString("cmbChannelUnits_%1").arg(ch);
      heads += text(QString("lblChannelLabel_%1").arg(ch)) + "|";
      EXPECT_TRUE(shown(units) && channelCell(ch, 1)->isEnabled()) << ch;
      EXPECT_EQ(text(units), form->definitions().UnitName[s.ChannelType[ch]][s.ChannelUnit[ch]])
          << ch;
    }
    EXPECT_EQ(heads, expectedHeads) << file;
  }
}

}  // namespace
}  // namespace pelorin::test
