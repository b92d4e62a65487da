// Every case of window_cases.txt is a user's session in a new window and what it must show;
// the file says how a line reads.

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <fstream>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

struct Line {
  std::string where;  // "window_cases.txt:LINE: the line"
  QString word, rest;
};

struct Case {
  int line = 0;  // of its title
  std::string title;
  std::vector<Line> lines;
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.title; }

std::vector<Case> readCases() {
  std::ifstream in(std::string(PELORIN_APP_TEST_DATA) + "/../window_cases.txt");
  std::vector<Case> cases;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    QString line = QString::fromUtf8(text).trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    if (line.startsWith("== ")) {
      cases.push_back({number, line.mid(3).toStdString(), {}});
      continue;
    }
    if (cases.empty()) continue;
    // "NAME = TEXT" reads as the check "= NAME TEXT"; TEXT may be empty or hold blanks.
    QString word = line.section(' ', 0, 0), rest = line.section(' ', 1);
    if ((rest == "=" || rest.startsWith("= ")) && word != "message" && word != "status") {
      rest = word + " " + rest.mid(2);
      word = "=";
    }
    cases.back().lines.push_back(
        {"window_cases.txt:" + std::to_string(number) + ": " + text, word, rest});
  }
  return cases;
}

// Each case is a test of its own, named by the line of its title:
// window_cases_txt/WindowCases.Shows/line_40.
class WindowCases : public WindowTest, public ::testing::WithParamInterface<Case> {
 protected:
  // A file of tmp/ (the current directory), the window tests' data, the samples or the core
  // tests' fixtures; "-" cancels the dialog.
  QString file(const QString& name) const {
    if (name == "-") return {};
    if (name.startsWith("tmp/")) return temporary.filePath(name.mid(4));
    for (const QString& folder : {QString(PELORIN_APP_TEST_DATA), QString(PELORIN_DATA),
                                  QString(PELORIN_APP_TEST_DATA) + "/../../data"})
      if (QFile::exists(folder + "/" + name)) return QDir::cleanPath(folder + "/" + name);
    ADD_FAILURE() << "no file " << name.toStdString();
    return name;
  }
  static void press(QWidget* where, const QString& key) {
    const QKeyCombination k = QKeySequence::fromString(key, QKeySequence::PortableText)[0];
    QTest::keyClick(where, k.key(), k.keyboardModifiers());
  }
  // The batch tool's words with OUT standing for out and files resolved.
  std::vector<std::string> batchWords(const QStringList& words, const QString& out) const {
    std::vector<std::string> args;
    for (const QString& word : words)
      args.push_back((word == "OUT"           ? out
                      : word.contains(".cpt") ? file(word)
                                              : word)
                         .toStdString());
    return args;
  }

  void run(const Line& line) {
    SCOPED_TRACE(line.where);
    const QString& w = line.word;
    const QStringList words = line.rest.split(' ', Qt::SkipEmptyParts);
    auto first = [&](int n) { return words.value(n); };
    if (w == "open") {
      open(file(line.rest));
      opened = file(line.rest);
    } else if (w == "menu") {
      if (words.size() > 1) dialog->answer(file(first(1)));
      menu(first(0).toLatin1());
    } else if (w == "act") {
      for (const QString& step : words) act(step);
    } else if (w == "type") {
      type(first(0), line.rest.section(' ', 1));
    } else if (w == "key") {
      for (int k = words.size() > 1 ? first(1).toInt() : 1; k > 0; --k)
        press(depthCell(form->sounding().CurrentRow), first(0));
    } else if (w == "focuskey") {
      press(QApplication::focusWidget(), first(0));
    } else if (w == "popupkey") {
      press(QApplication::activePopupWidget(), first(0));
    } else if (w == "focustype") {
      QTest::keyClicks(QApplication::focusWidget(), line.rest);
    } else if (w == "list") {
      press(control(first(0)), first(1));
    } else if (w == "click") {
      QTest::mouseClick(control(first(0)), Qt::LeftButton);
    } else if (w == "answer") {
      dialog->answer(file(line.rest));
    } else if (w == "remember") {
      grid = gridTexts();
    } else if (w == "=") {
      EXPECT_EQ(first(0) == "counters" ? counters() : text(first(0)),
                line.rest.section(' ', 1).toStdString());
    } else if (w == "starts") {
      auto* plain = form->findChild<QPlainTextEdit*>(first(0));
      const QString shows = plain ? plain->toPlainText() : QString::fromStdString(text(first(0)));
      EXPECT_TRUE(shows.startsWith(line.rest.section(' ', 1))) << shows.left(60).toStdString();
    } else if (w == "message") {
      const QString said = QString::fromStdString(lastMessage());
      if (first(0) == "has")
        EXPECT_TRUE(said.contains(line.rest.section(' ', 1))) << said.toStdString();
      else
        EXPECT_EQ(said.toStdString(), line.rest.section(' ', 1).toStdString());
    } else if (w == "messages") {
      EXPECT_EQ(messages->texts.size(), first(0).toULong());
    } else if (w == "status") {
      EXPECT_EQ(text("lblStatus"), line.rest.mid(2).toStdString());
    } else if (w == "logged") {  // the View, Messages log holds TEXT
      const QString log = control<QPlainTextEdit>("txtMessages")->toPlainText();
      EXPECT_TRUE(log.contains(line.rest)) << log.right(200).toStdString();
    } else if (w == "tooltip") {  // tooltip NAME TEXT, as the control is drawn now
      control(first(0))->grab();
      EXPECT_EQ(control(first(0))->toolTip(), line.rest.section(' ', 1));
    } else if (w == "shown" || w == "hidden") {
      for (const QString& name : words) EXPECT_EQ(shown(name), w == "shown") << name.toStdString();
    } else if (w == "enabled" || w == "disabled") {
      for (const QString& name : words) {
        QObject* o = form->findChild<QObject*>(name);
        ASSERT_TRUE(o) << name.toStdString();
        EXPECT_EQ(o->property("enabled").toBool(), w == "enabled") << name.toStdString();
      }
    } else if (w == "checked") {
      EXPECT_TRUE(control<QAbstractButton>(first(0))->isChecked());
    } else if (w == "grey" || w == "white") {
      for (const QString& name : words)
        EXPECT_EQ(background(control<QLineEdit>(name)), w == "grey" ? kGrey : kWhite)
            << name.toStdString();
    } else if (w == "red" || w == "black") {
      for (const QString& name : words)
        EXPECT_EQ(foreground(control<QLineEdit>(name)), w == "red" ? Qt::red : Qt::black)
            << name.toStdString();
    } else if (w == "grid") {
      if (first(0) == "model")
        expectGridShowsTheModel();
      else
        EXPECT_EQ(gridTexts(), grid);
    } else if (w == "focus") {
      EXPECT_EQ(QApplication::focusWidget(), control(first(0)))
          << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                          : "none");
    } else if (w == "saves") {  // saves as clean ARGS
      EXPECT_EQ(savedBytes(), cleanBytes(opened, batchWords(words.mid(2), {})));
    } else if (w == "file") {  // file FILE as COMMAND ARGS
      const QString out = temporary.filePath("batch/" + QFileInfo(file(first(0))).fileName());
      EXPECT_EQ(fileBytes(file(first(0))), batchBytes(batchWords(words.mid(2), out), out));
    } else if (w == "copied") {  // copied FILE as COMMAND: the copied command's steps
      std::vector<std::string> args =
          shellWords(QGuiApplication::clipboard()->text().toStdString());
      ASSERT_GE(args.size(), 5u);
      const QString out = temporary.filePath("batch/" + QFileInfo(file(first(0))).fileName());
      args[1] = first(2).toStdString();
      args[4] = out.toStdString();
      EXPECT_EQ(fileBytes(file(first(0))), batchBytes({args.begin() + 1, args.end()}, out));
    } else if (w == "missing") {
      EXPECT_FALSE(QFile::exists(file(first(0))));
    } else if (w == "exits") {
      EXPECT_EQ(programExit->calls, first(0).toInt());
    } else if (w == "dialog") {  // dialog FIELD TEXT: what the last file dialog was asked
      ASSERT_FALSE(dialog->requests.empty());
      const FileDialogRequest& asked = dialog->requests.back();
      const QString wanted = line.rest.section(' ', 1), field = first(0);
      EXPECT_EQ(field == "title"    ? asked.title
                : field == "suffix" ? asked.defaultSuffix
                                    : asked.filter,
                wanted);
    } else {
      ADD_FAILURE() << "no such step or check";
    }
  }

  QString opened;
  std::string grid;
};

TEST(WindowCaseTable, IsRead) { EXPECT_GT(readCases().size(), 10u); }

TEST_P(WindowCases, Shows) {
  ::setenv("SOURCE_DATE_EPOCH", "1765065600", 1);  // window and batch tool write the same date
  const Case& c = GetParam();
  SCOPED_TRACE(c.title);
  dialog = std::make_shared<ScriptedFileDialog>();
  messages = std::make_shared<ScriptedMessageBox>();
  programExit = std::make_shared<ScriptedExit>();
  QDir folder(temporary.path());
  ASSERT_TRUE(folder.removeRecursively() && folder.mkpath("batch"));
  restart();
  for (const Line& line : c.lines) run(line);
  EXPECT_FALSE(dialog->unanswered) << "a file dialog came that the case did not answer";
}

INSTANTIATE_TEST_SUITE_P(window_cases_txt, WindowCases, ::testing::ValuesIn(readCases()),
                         [](const ::testing::TestParamInfo<Case>& c) {
                           return "line_" + std::to_string(c.param.line);
                         });

}  // namespace
}  // namespace pelorin::test
