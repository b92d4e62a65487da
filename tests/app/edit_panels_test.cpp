// Edit Depth (start depth, depth increment), Shift Channel(s) and AutoClean driven through
// their menus and buttons; the saved file is compared with pelorin-cli's for the same steps.

#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <cstdlib>
#include <sstream>

#include "cli/cli.hpp"
#include "display/grid.hpp"
#include "edit/shift_channels.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

class EditPanelTest : public WindowTest {
 protected:
  void click(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
  void menu(const char* item) { control<QAction>(item)->trigger(); }
  void type(const QString& box, const QString& text) {
    auto* edit = control<QLineEdit>(box);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  bool shown(const char* name) { return control(name)->isVisible(); }

  // What the 24 rows show; a cancel leaves it as it was.
  std::string gridTexts() {
    std::string all;
    for (int r = 1; r <= GridRows; ++r) {
      QStringList cells = {depthCell(r)->text(), speedCell(r)->text()};
      for (int c = 1; c <= form->sounding().NumChannels; ++c) cells << channelCell(c, r)->text();
      all += cells.join('|').toStdString() + "\n";
    }
    return all;
  }
  // The grid rewritten from the model: a refresh that did not happen shows here.
  void expectGridShowsTheModel() {
    const Sounding& s = form->sounding();
    for (int r = 1; r <= GridRows; ++r) {
      int n = gridReading(s, r);
      EXPECT_EQ(depthCell(r)->text().toStdString(), depthCellText(displayDepth(s.Depth[n], form->depthUnit())));
      EXPECT_EQ(speedCell(r)->text().toStdString(), speedCellText(s.Speed[n]));
      for (int c = 1; c <= s.NumChannels; ++c)
        EXPECT_EQ(channelCell(c, r)->text().toStdString(), channelCellText(s, form->definitions(), c, n))
            << "channel " << c << ", row " << r;
    }
  }
  std::string fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
  }
  std::string savedBytes() {
    QString out = temporary.filePath("window.cpt");
    save(out);
    return fileBytes(out);
  }
  std::string batchBytes(const QString& input, const std::vector<std::string>& operations) {
    QString out = temporary.filePath("batch.cpt");
    std::vector<std::string> args = {"clean", input.toStdString(), "-o", out.toStdString()};
    args.insert(args.end(), operations.begin(), operations.end());
    std::ostringstream o, e;
    EXPECT_EQ(cli::run(args, PELORIN_PROGRAM_FOLDER, o, e), 0) << e.str();
    return fileBytes(out);
  }
};

TEST_F(EditPanelTest, StartDepthInMetresAndFeet) {
  struct Case {
    const char* name;
    bool feet;
    const char* typed;
    const char* firstDepthCell;  // after OK
  } cases[] = {
      {"metres", false, "1.5", "1.50"},
      {"feet: the panel still takes metres", true, "3.048", "10.00"},
      {"OK without a number moves the first reading to 0 m", false, "", "0.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(sample("sample_clay_002.cpt"));
    if (c.feet) chooseInList("cmbDepthUnits_1", Qt::Key_Down);
    menu("menuStartDepth");
    EXPECT_TRUE(shown("frmChangeStartDepth"));
    EXPECT_EQ(text("lblCurrentStartDepth"), "0.02");
    EXPECT_EQ(text("txtNewStartDepth"), "0.02");
    type("txtNewStartDepth", c.typed);
    click("Command3");
    EXPECT_FALSE(shown("frmChangeStartDepth"));
    EXPECT_EQ(text("txtDepth_1"), c.firstDepthCell);
    expectGridShowsTheModel();
    EXPECT_EQ(savedBytes(), batchBytes(sample("sample_clay_002.cpt"), {"--start-depth", c.typed}));
  }
}

TEST_F(EditPanelTest, DepthIncrementStepsAndOk) {
  struct Case {
    int steps;  // INCREASE when positive, DECREASE when negative
    const char* newIncrement;
  } cases[] = {
      {3, "0.035"},
      {-1, "0.015"},
      {-5, "0.005"},  // the label stops one step above 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    open(sample("sample_clay_002.cpt"));
    menu("mnuDepthIncrement");
    EXPECT_TRUE(shown("frmDepthIncrement"));
    EXPECT_EQ(text("lblCurrentIncrement"), "0.020");
    EXPECT_EQ(text("lblNewIncrement"), "0.020");
    for (int k = 0; k < std::abs(c.steps); ++k) click(c.steps > 0 ? "Command9" : "Command10");
    EXPECT_EQ(text("lblNewIncrement"), c.newIncrement);
    EXPECT_EQ(text("lblCurrentIncrement"), "0.020");
    click("cmdOK");
    EXPECT_FALSE(shown("frmDepthIncrement"));
    expectGridShowsTheModel();
    // The next opening starts from the new increment.
    menu("mnuDepthIncrement");
    EXPECT_EQ(text("lblCurrentIncrement"), c.newIncrement);
    EXPECT_EQ(text("lblNewIncrement"), c.newIncrement);
    click("Command11");
    EXPECT_EQ(savedBytes(), batchBytes(sample("sample_clay_002.cpt"), {"--increment-steps", std::to_string(c.steps)}));
  }
}

TEST_F(EditPanelTest, DepthIncrementOkBeforeAnyFileChangesNothing) {
  menu("mnuDepthIncrement");
  EXPECT_EQ(text("lblCurrentIncrement"), "0.000");
  click("Command9");
  std::string grid = gridTexts();
  click("cmdOK");
  EXPECT_FALSE(shown("frmDepthIncrement"));
  EXPECT_EQ(gridTexts(), grid);
  EXPECT_EQ(form->sounding().DepthIncrement, 0.0f);
}

TEST_F(EditPanelTest, ShiftPanelShowsOneRowPerChannel) {
  open(sample("sample_no_pore.cpt"));  // four channels
  open(sample("sample_clay_002.cpt"));  // three, with a final baseline
  menu("mnuShiftBaseline");
  EXPECT_TRUE(shown("frmShiftBaselines"));
  ShiftPanel panel = openShiftChannels(form->sounding(), form->definitions());
  ASSERT_EQ(panel.NumRows, 3);
  for (int c = 1; c <= MaxChannels; ++c) {
    SCOPED_TRACE(c);
    const char* columns[] = {"lblShiftChanLabel", "lblShiftUnitsChan", "txtShiftChannelByChan",
                             "lblLowestReadingChan", "lblFinalBaselineChan"};
    for (const char* column : columns)
      EXPECT_EQ(control(QString("%1_%2").arg(column).arg(c))->isVisible(), c <= 3) << column;
    if (c > 3) continue;
    const ShiftRow& row = panel.Row[c];
    EXPECT_EQ(text(QString("lblShiftChanLabel_%1").arg(c)), row.ChannelName);
    EXPECT_EQ(text(QString("lblShiftUnitsChan_%1").arg(c)), row.UnitName);
    EXPECT_EQ(text(QString("txtShiftChannelByChan_%1").arg(c)), "0");
    EXPECT_EQ(text(QString("lblLowestReadingChan_%1").arg(c)), row.LowestReading);
    EXPECT_EQ(text(QString("lblFinalBaselineChan_%1").arg(c)), row.FinalBaseline);
  }
}

TEST_F(EditPanelTest, ShiftReadingsAndRemoveNegatives) {
  struct Case {
    const char* name;
    const char* sampleName;
    std::vector<std::pair<int, QString>> offsets;
    const char* button;
    std::vector<std::string> batch;
  } cases[] = {
      {"shift two channels", "sample_clay_002.cpt", {{1, "0.5"}, {3, "-2"}}, "Command5", {"--shift", "1=0.5", "--shift", "3=-2"}},
      {"a box that is not a number", "sample_clay_002.cpt", {{2, "abc"}}, "Command5", {"--shift", "2=abc"}},
      {"remove negatives ignores the boxes", "sample_sand_005.cpt", {{1, "7"}}, "Command7", {"--remove-negatives"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(sample(c.sampleName));
    menu("mnuShiftBaseline");
    for (const auto& [channel, offset] : c.offsets) type(QString("txtShiftChannelByChan_%1").arg(channel), offset);
    click(c.button);
    EXPECT_FALSE(shown("frmShiftBaselines"));
    expectGridShowsTheModel();
    EXPECT_EQ(savedBytes(), batchBytes(sample(c.sampleName), c.batch));
  }
}

TEST_F(EditPanelTest, CancelLeavesEverythingAsItWas) {
  struct Case {
    const char* menuItem;
    const char* panel;
    std::vector<const char*> buttons;  // pressed before Cancel
    QString box, typed;
    const char* cancel;
  } cases[] = {
      {"menuStartDepth", "frmChangeStartDepth", {}, "txtNewStartDepth", "9.99", "Command4"},
      {"mnuDepthIncrement", "frmDepthIncrement", {"Command9", "Command9"}, "", "", "Command11"},
      {"mnuShiftBaseline", "frmShiftBaselines", {}, "txtShiftChannelByChan_1", "5", "Command6"},
  };
  open(sample("sample_clay_002.cpt"));
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  std::string grid = gridTexts();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.panel);
    menu(c.menuItem);
    for (const char* button : c.buttons) click(button);
    if (!c.box.isEmpty()) type(c.box, c.typed);
    click(c.cancel);
    EXPECT_FALSE(shown(c.panel));
    EXPECT_EQ(gridTexts(), grid);
  }
  EXPECT_EQ(form->sounding().DepthIncrement, 0.02f);
  EXPECT_EQ(savedBytes(), batchBytes(sample("sample_clay_002.cpt"), {}));
}

TEST_F(EditPanelTest, AutoCleanMatchesTheBatchTool) {
  struct Case {
    QString file;
    const char* startDepth;  // typed on the start depth panel first, unless empty
    std::vector<std::string> labels;  // channel heads afterwards
  } cases[] = {
      {sample("sample_no_pore.cpt"), "", {"Qc", "Fs", "PRESSURE U2", "Ix", "Iy"}},
      // A lagging Fs, a depth off the grid and a gap of four increments: readings added.
      {appFixture("no_pore_channel_off_grid_depth_and_gap.cpt"), "", {"Qc", "Fs", "PRESSURE U2", "Ix"}},
      // With a pore-pressure channel the heads stay; every depth is off the grid.
      {sample("sample_clay_002.cpt"), "0.013", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    open(c.file);
    std::vector<std::string> batch = {"--autoclean"};
    if (*c.startDepth) {
      menu("menuStartDepth");
      type("txtNewStartDepth", c.startDepth);
      click("Command3");
      batch.insert(batch.begin(), {"--start-depth", c.startDepth});
    }
    std::vector<std::string> units;
    for (int ch = 1; ch <= form->sounding().NumChannels; ++ch)
      units.push_back(control<QComboBox>(QString("cmbChannelUnits_%1").arg(ch))->currentText().toStdString());
    menu("mnuAutoClean");
    const Sounding& s = form->sounding();
    if (!c.labels.empty()) {
      ASSERT_EQ(s.NumChannels, static_cast<int>(c.labels.size()));
      units.insert(units.begin() + 2, form->definitions().UnitName[3][1]);
      auto* pore = control<QComboBox>("cmbChannelUnits_3");
      EXPECT_EQ(pore->count(), form->definitions().UnitCount[3]);
      EXPECT_EQ(pore->currentIndex(), 0);
    }
    for (int ch = 1; ch <= s.NumChannels; ++ch) {
      SCOPED_TRACE(ch);
      if (!c.labels.empty()) {
        EXPECT_EQ(text(QString("lblChannelLabel_%1").arg(ch)), c.labels[ch - 1]);
      }
      auto* list = control<QComboBox>(QString("cmbChannelUnits_%1").arg(ch));
      EXPECT_TRUE(list->isVisible());
      EXPECT_EQ(list->currentText().toStdString(), units[ch - 1]);
      EXPECT_TRUE(channelCell(ch, 1)->isEnabled());
    }
    expectGridShowsTheModel();
    EXPECT_EQ(savedBytes(), batchBytes(c.file, batch));
  }
}

// The panels filled from a sounding, for a person to look at; written to the build folder.
TEST_F(EditPanelTest, PicturesOfTheFilledPanels) {
  open(sample("sample_clay_002.cpt"));
  const std::pair<const char*, const char*> panels[] = {
      {"menuStartDepth", "Command4"}, {"mnuDepthIncrement", "Command11"}, {"mnuShiftBaseline", "Command6"}};
  for (const auto& [item, cancel] : panels) {
    menu(item);
    QString path = QString(PELORIN_PICTURES) + "/pelorin_filled_" + item + ".png";
    EXPECT_TRUE(form->grab().save(path)) << path.toStdString();
    click(cancel);
  }
}

}  // namespace
}  // namespace pelorin::test
