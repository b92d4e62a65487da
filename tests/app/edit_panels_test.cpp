// Edit Depth (start depth, depth increment), Shift Channel(s) and AutoClean driven through
// their menus and buttons; the saved file is compared with pelorin-cli's for the same steps.

#include "edit/shift_channels.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

using EditPanelTest = WindowTest;

TEST_F(EditPanelTest, EachPanelsOkSavesWhatTheBatchToolSaves) {
  const QString sand = sample("sample_sand_005.cpt"), noPore = sample("sample_no_pore.cpt"),
                offGrid = appFixture("no_pore_channel_off_grid_depth_and_gap.cpt");
  const struct {
    QString file;
    QStringList steps;
    std::vector<std::string> batch;
  } cases[] = {
      {kClay, {"menuStartDepth", "txtNewStartDepth=1.5", "Command3"}, {"--start-depth", "1.5"}},
      {kClay, {"menuStartDepth", "txtNewStartDepth=", "Command3"}, {"--start-depth", ""}},
      {kClay, {"mnuDepthIncrement", "Command9", "Command9", "Command9", "cmdOK"}, {"--increment-steps", "3"}},
      {kClay, {"mnuDepthIncrement", "Command10", "cmdOK"}, {"--increment-steps", "-1"}},
      {kClay, {"mnuShiftBaseline", "txtShiftChannelByChan_1=0.5", "txtShiftChannelByChan_3=-2", "Command5"},
       {"--shift", "1=0.5", "--shift", "3=-2"}},
      {kClay, {"mnuShiftBaseline", "txtShiftChannelByChan_2=abc", "Command5"}, {"--shift", "2=abc"}},
      {sand, {"mnuShiftBaseline", "txtShiftChannelByChan_1=7", "Command7"}, {"--remove-negatives"}},
      {noPore, {"mnuAutoClean"}, {"--autoclean"}},
      // A lagging Fs, a depth off the grid and a gap of four increments: readings added.
      {offGrid, {"mnuAutoClean"}, {"--autoclean"}},
      {kClay, {"menuStartDepth", "txtNewStartDepth=0.013", "Command3", "mnuAutoClean"},
       {"--start-depth", "0.013", "--autoclean"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps.join(' ').toStdString());
    open(c.file);
    for (const QString& step : c.steps) act(step);
    for (const char* panel : {"frmChangeStartDepth", "frmDepthIncrement", "frmShiftBaselines"})
      EXPECT_FALSE(shown(panel)) << panel;
    expectGridShowsTheModel();
    EXPECT_EQ(savedBytes(), cleanBytes(c.file, c.batch));
  }
}

TEST_F(EditPanelTest, PanelsOpenWithTheSoundingsValues) {
  open(sample("sample_no_pore.cpt"));  // four channels, then three: the fourth shift row must go
  open(kClay);
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  act("menuStartDepth");
  EXPECT_EQ(text("lblCurrentStartDepth") + " " + text("txtNewStartDepth"), "0.02 0.02") << "metres in the feet view";
  act("txtNewStartDepth=3.048");
  act("Command3");
  EXPECT_EQ(text("txtDepth_1"), "10.00");
  act("mnuDepthIncrement");
  for (int k = 0; k < 5; ++k) act("Command10");
  EXPECT_EQ(text("lblCurrentIncrement") + " " + text("lblNewIncrement"), "0.020 0.005") << "one step above 0";
  act("cmdOK");
  act("mnuDepthIncrement");
  EXPECT_EQ(text("lblCurrentIncrement") + " " + text("lblNewIncrement"), "0.005 0.005");
  act("Command11");

  act("mnuShiftBaseline");
  ShiftPanel panel = openShiftChannels(form->sounding(), form->definitions());
  for (int c = 1; c <= 4; ++c) {
    const ShiftRow& row = panel.Row[c];
    const std::pair<const char*, std::string> columns[] = {
        {"lblShiftChanLabel", row.ChannelName}, {"lblShiftUnitsChan", row.UnitName}, {"txtShiftChannelByChan", "0"},
        {"lblLowestReadingChan", row.LowestReading}, {"lblFinalBaselineChan", row.FinalBaseline}};
    for (const auto& [column, expected] : columns) {
      QString name = QString("%1_%2").arg(column).arg(c);
      EXPECT_EQ(shown(name) ? text(name) : "hidden", c <= 3 ? expected : "hidden") << name.toStdString();
    }
  }
}

TEST_F(EditPanelTest, CancelLeavesEverythingAsItWas) {
  open(kClay);
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  std::string grid = gridTexts();
  for (QStringList steps : {QStringList{"menuStartDepth", "txtNewStartDepth=9.99", "Command4"},
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
  for (const auto& [file, expectedHeads] : {std::pair{"sample_no_pore.cpt", "Qc|Fs|PRESSURE U2|Ix|Iy|"},
                                             std::pair{"sample_clay_002.cpt", "Qc|Fs|U2|"}}) {
    open(sample(file));
    act("mnuAutoClean");
    const Sounding& s = form->sounding();
    std::string heads;
    for (int ch = 1; ch <= s.NumChannels; ++ch) {
      QString units = QString("cmbChannelUnits_%1").arg(ch);
      heads += text(QString("lblChannelLabel_%1").arg(ch)) + "|";
      EXPECT_TRUE(shown(units) && channelCell(ch, 1)->isEnabled()) << ch;
      EXPECT_EQ(text(units), form->definitions().UnitName[s.ChannelType[ch]][s.ChannelUnit[ch]]) << ch;
    }
    EXPECT_EQ(heads, expectedHeads) << file;
  }
}

}  // namespace
}  // namespace pelorin::test
