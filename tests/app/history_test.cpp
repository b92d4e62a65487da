// The history in the window: steps from the grid, the lists and the panels; Undo leaves the
// window as a run without the undone steps would; View, Copy Command gives the batch tool's
// command for the same file.

#include <QClipboard>
#include <QListWidget>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

class HistoryTest : public WindowTest {
 protected:
  // What the user sees of the sounding: counters, grid, header boxes, channel heads, units.
  std::string windowState() {
    std::string state = counters() + "\n" + gridTexts();
    for (QLineEdit* box : headerBoxes()) state += box->text().toStdString() + "|";
    for (int c = 1; c <= 10; ++c)
      state += text(QString("lblChannelLabel_%1").arg(c)) + ":" +
               text(QString("cmbChannelUnits_%1").arg(c)) + "|";
    return state + text("cmbDepthUnits_1");
  }
  void clickLine(int line) {
    auto* lines = control<QListWidget>("lstHistory");
    QTest::mouseClick(lines->viewport(), Qt::LeftButton, {},
                      lines->visualItemRect(lines->item(line)).center());
  }
};

TEST_F(HistoryTest, UndoIsARunWithoutTheUndoneStepsAndTheCommandMakesTheSameFile) {
  // Six steps: Delete at reading 30, a typed Fs value, Qc in KPA, a start depth, a shift,
  // and a header text.
  const auto steps = [this](int count) {
    open(kClay);
    const std::function<void()> actions[] = {
        [this] {
          pressInDepthColumn(Qt::Key_Down, 24);
          pressInDepthColumn(Qt::Key_Delete);
        },
        [this] {
          QLineEdit* cell = channelCell(2, 10);
          QTest::mouseClick(cell, Qt::LeftButton);
          cell->selectAll();
          QTest::keyClicks(cell, "12.5");
          QTest::keyClick(cell, Qt::Key_Return);
        },
        [this] { chooseInList("cmbChannelUnits_1", Qt::Key_Up); },
        [this] {
          for (const char* step : {"menuStartDepth", "txtNewStartDepth=1.5", "Command3"}) act(step);
        },
        [this] {
          for (const char* step : {"mnuShiftBaseline", "txtShiftChannelByChan_1=0.5", "Command5"})
            act(step);
        },
        [this] { type("txtLocation", "Dyke km 3"); }};
    for (int k = 0; k < count; ++k) actions[k]();
  };
  steps(6);
  ASSERT_EQ(form->session().history().size(), 6u);
  auto* lines = control<QListWidget>("lstHistory");
  EXPECT_EQ(lines->count(), 7) << "the file's name, then one line per step";
  EXPECT_EQ(lines->item(6)->text().toStdString(), "Location: \"Dyke km 3\"");
  menu("mnuUndo");
  menu("mnuUndo");
  EXPECT_EQ(lines->currentRow(), 4);
  const std::string afterUndo = windowState();
  QGuiApplication::clipboard()->clear();
  menu("mnuCopyCommand");
  std::vector<std::string> command = shellWords(QGuiApplication::clipboard()->text().toStdString());
  ASSERT_GE(command.size(), 5u);
  EXPECT_EQ(command[0] + " " + command[1] + " " + command[2],
            "pelorin-cli clean " + kClay.toStdString());
  const std::string saved = savedBytes();

  restart();
  steps(4);
  EXPECT_EQ(windowState(), afterUndo);
  EXPECT_EQ(savedBytes(), saved);
  command[4] = temporary.filePath("batch.cpt").toStdString();  // the output to fill in
  EXPECT_EQ(batchBytes(std::vector<std::string>(command.begin() + 1, command.end()),
                       temporary.filePath("batch.cpt")),
            saved);

  // A click on the file's line goes back to the sounding as opened; Redo forward again. The
  // user stays at reading 30.
  menu("mnuViewHistory");
  clickLine(0);
  EXPECT_EQ(counters(), "Data Index:  30|# of Readings:  600");
  EXPECT_EQ(text("cmbChannelUnits_1"), "MPA");
  menu("mnuRedo");
  EXPECT_EQ(counters(), "Data Index:  30|# of Readings:  599");
}

}  // namespace
}  // namespace pelorin::test
