#pragma once
// A MainForm on the offscreen platform with a scripted dialog, message box and exit, and
// helpers to find its controls by name and read what they show.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/main_form.hpp"
#include "scripted_platform.hpp"

namespace pelorin::test {

inline QString sample(const char* name) { return QString(PELORIN_DATA) + "/" + name; }
inline QString appFixture(const char* name) { return QString(PELORIN_APP_TEST_DATA) + "/" + name; }

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temporary.isValid());
    place->folder = PELORIN_PROGRAM_FOLDER;
    place->current = temporary.path();
    form = std::make_unique<MainForm>(Platform{dialog, messages, place, programExit});
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    EXPECT_FALSE(dialog->unanswered) << "a file dialog came that the test did not answer";
    form.reset();
  }

  // File, Open with the dialog answering path ("" cancels).
  void open(const QString& path) {
    dialog->answer(path);
    form->MenuFileOpen->trigger();
  }
  void save(const QString& path) {
    dialog->answer(path);
    form->MenuFileSave->trigger();
  }

  template <typename T = QWidget>
  T* control(const QString& name) const {
    T* found = form->findChild<T*>(name);
    EXPECT_TRUE(found) << name.toStdString();
    return found;
  }
  QLineEdit* depthCell(int row) const { return control<QLineEdit>(QString("txtDepth_%1").arg(row)); }
  QLineEdit* speedCell(int row) const { return control<QLineEdit>(QString("txtSpeed_%1").arg(row)); }
  QLineEdit* channelCell(int c, int row) const {
    return control<QLineEdit>(QString("txtChannel%1_%2").arg(c).arg(row));
  }
  std::string text(const QString& name) const {
    QWidget* w = control(name);
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
    if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text().toStdString();
    return {};
  }
  static QColor background(QLineEdit* box) { return box->palette().color(QPalette::Base); }
  static QColor foreground(QLineEdit* box) { return box->palette().color(QPalette::Text); }

  // A key pressed in the depth cell of the current row, where the focus is.
  void pressInDepthColumn(Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(depthCell(form->sounding().CurrentRow), key);
  }
  // The unit list chosen with the keyboard, as a user does.
  void chooseInList(const QString& name, Qt::Key key) { QTest::keyClick(control<QComboBox>(name), key); }

  QTemporaryDir temporary;
  std::shared_ptr<ScriptedFileDialog> dialog = std::make_shared<ScriptedFileDialog>();
  std::shared_ptr<ScriptedMessageBox> messages = std::make_shared<ScriptedMessageBox>();
  std::shared_ptr<ScriptedPlace> place = std::make_shared<ScriptedPlace>();
  std::shared_ptr<ScriptedExit> programExit = std::make_shared<ScriptedExit>();
  std::unique_ptr<MainForm> form;
};

}  // namespace pelorin::test
