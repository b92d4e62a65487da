#pragma once
// A MainForm on the offscreen platform with a scripted dialog, message box and exit, and
// helpers to drive its controls by name, read what they show and compare its files with
// pelorin-cli's.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sstream>

#include "app/main_form.hpp"
#include "cli/cli.hpp"
#include "display/grid.hpp"
#include "scripted_platform.hpp"

namespace pelorin::test {

inline QString sample(const char* name) { return QString(PELORIN_DATA) + "/" + name; }
inline const QString kClay = sample("sample_clay_002.cpt");  // 600 readings, Fs lags 5
const QColor kGrey(200, 200, 200), kWhite(255, 255, 255);

inline std::string fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString()
                                        : "<cannot read " + path.toStdString() + ">";
}
// The file pelorin-cli writes to `out` when run with args.
inline std::string batchBytes(const std::vector<std::string>& args, const QString& out) {
  std::ostringstream o, e;
  EXPECT_EQ(cli::run(args, PELORIN_PROGRAM_FOLDER, o, e), 0) << e.str();
  return fileBytes(out);
}

// The words of a command as a POSIX shell splits them (single quotes only, as it writes them).
inline std::vector<std::string> shellWords(const std::string& command) {
  std::vector<std::string> words(1);
  bool quoted = false;
  for (char ch : command) {
    if (ch == '\'')
      quoted = !quoted;
    else if (ch == ' ' && !quoted)
      words.emplace_back();
    else
      words.back() += ch;
  }
  return words;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temporary.isValid());
    QSettings(u"Pelorin"_s, u"Pelorin"_s).clear();  // each test starts without recent files
    place->folder = PELORIN_PROGRAM_FOLDER;
    place->current = temporary.path();
    restart();
  }
  // A new window, as when the program starts.
  void restart() {
    form = std::make_unique<MainForm>(
        Platform{dialog, messages, place, programExit, nullptr, printer});
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    EXPECT_FALSE(dialog->unanswered) << "a file dialog came that the test did not answer";
    form.reset();
  }

  // A menu item or a dialog-opening menu item with the dialog answering path ("" cancels).
  void menu(const char* item) { control<QAction>(item)->trigger(); }
  void menu(const char* item, const QString& path) {
    dialog->answer(path);
    menu(item);
  }
  void open(const QString& path) { menu("MenuFileOpen", path); }
  void save(const QString& path) { menu("MenuFileSave", path); }
  void click(const QString& button) {
    QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton);
  }
  // A user's step: "box=text" types text into the box, a menu item's name triggers it,
  // anything else clicks the button of that name.
  void act(const QString& step) {
    if (step.contains('=')) return type(step.section('=', 0, 0), step.section('=', 1));
    if (auto* item = form->findChild<QAction*>(step)) return item->trigger();
    click(step);
  }
  void type(const QString& box, const QString& typed) {
    auto* edit = control<QLineEdit>(box);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typed);
  }
  bool shown(const QString& name) const { return control(name)->isVisible(); }
  std::string lastMessage() const {
    return messages->texts.empty() ? "" : messages->texts.back().toStdString();
  }

  template <typename T = QWidget>
  T* control(const QString& name) const {
    T* found = form->findChild<T*>(name);
    EXPECT_TRUE(found) << name.toStdString();
    return found;
  }
  QLineEdit* depthCell(int row) const {
    return control<QLineEdit>(QString("txtDepth_%1").arg(row));
  }
  QLineEdit* speedCell(int row) const {
    return control<QLineEdit>(QString("txtSpeed_%1").arg(row));
  }
  QLineEdit* channelCell(int c, int row) const {
    return control<QLineEdit>(QString("txtChannel%1_%2").arg(c).arg(row));
  }
  // The twelve header boxes in the file's order.
  std::vector<QLineEdit*> headerBoxes() const {
    std::vector<QLineEdit*> boxes;
    for (const char* name : {"txtCompanyName", "txtOperator", "txtConeNumber", "txtLocation",
                             "txtJobNumber", "txtHoleNumber", "txtDateandTime", "txtHeader",
                             "txtFootnote1", "txtFootnote2", "txtGPSData", "txtWaterTableDepth"})
      boxes.push_back(control<QLineEdit>(name));
    return boxes;
  }
  std::string text(const QString& name) const {
    QWidget* w = control(name);
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
    if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text().toStdString();
    if (auto* list = qobject_cast<QComboBox*>(w)) return list->currentText().toStdString();
    return {};
  }
  static QColor background(QLineEdit* box) { return box->palette().color(QPalette::Base); }
  static QColor foreground(QLineEdit* box) { return box->palette().color(QPalette::Text); }
  std::string counters() const { return text("lblDataIndex") + "|" + text("lblNumberOfReadings"); }

  // A key pressed in the depth cell of the current row, where the focus is.
  void pressInDepthColumn(Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(depthCell(form->sounding().CurrentRow), key);
  }
  // A unit list changed with the keyboard, as a user does.
  void chooseInList(const QString& name, Qt::Key key) {
    QTest::keyClick(control<QComboBox>(name), key);
  }

  // What the 24 rows show; a cancel leaves it as it was.
  std::string gridTexts() const {
    std::string all;
    for (int r = 1; r <= GridRows; ++r) {
      QStringList cells = {depthCell(r)->text(), speedCell(r)->text()};
      for (int c = 1; c <= form->sounding().NumChannels; ++c) cells << channelCell(c, r)->text();
      all += cells.join('|').toStdString() + "\n";
    }
    return all;
  }
  // The grid rewritten from the model: a refresh that did not happen shows here.
  void expectGridShowsTheModel() const {
    const Sounding& s = form->sounding();
    std::string expected;
    for (int r = 1; r <= GridRows; ++r) {
      int n = gridReading(s, r);
      expected += depthCellText(displayDepth(s.Depth[n], form->depthUnit())) + "|" +
                  speedCellText(s.Speed[n]);
      for (int c = 1; c <= s.NumChannels; ++c)
        expected.append("|").append(channelCellText(s, form->definitions(), c, n));
      expected += "\n";
    }
    EXPECT_EQ(gridTexts(), expected);
  }
  // File, Save to a temporary file; its bytes.
  std::string savedBytes() {
    QString out = temporary.filePath("window.cpt");
    save(out);
    return fileBytes(out);
  }
  // pelorin-cli clean on input with the operations.
  std::string cleanBytes(const QString& input, std::vector<std::string> operations) {
    QString out = temporary.filePath("batch.cpt");
    operations.insert(operations.begin(), {"clean", input.toStdString(), "-o", out.toStdString()});
    return batchBytes(operations, out);
  }

  QTemporaryDir temporary;
  std::shared_ptr<ScriptedFileDialog> dialog = std::make_shared<ScriptedFileDialog>();
  std::shared_ptr<ScriptedMessageBox> messages = std::make_shared<ScriptedMessageBox>();
  std::shared_ptr<ScriptedPlace> place = std::make_shared<ScriptedPlace>();
  std::shared_ptr<ScriptedExit> programExit = std::make_shared<ScriptedExit>();
  std::shared_ptr<ScriptedPrinter> printer = std::make_shared<ScriptedPrinter>();
  std::unique_ptr<MainForm> form;
};

}  // namespace pelorin::test
