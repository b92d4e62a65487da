#pragma once
// The platform as the window tests script it: the file dialog answers from a queue and
// records what it was asked, the message box records its texts, exit is counted.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <deque>
#include <vector>

#include "app/platform.hpp"

namespace pelorin::test {

class ScriptedFileDialog : public FileDialog {
 public:
  // The next dialog returns path (its title is the file name); an empty path cancels.
  void answer(const QString& path) { answers_.push_back(path); }
  FileDialogResult show(const FileDialogRequest& request) override {
    requests.push_back(request);
    unanswered = unanswered || answers_.empty();
    QString path = answers_.empty() ? QString() : answers_.front();
    if (!answers_.empty()) answers_.pop_front();
    return path.isEmpty() ? FileDialogResult{} : FileDialogResult{path, QFileInfo(path).fileName()};
  }
  std::vector<FileDialogRequest> requests;
  bool unanswered = false;  // a dialog came that the test did not expect

 private:
  std::deque<QString> answers_;
};

struct ScriptedMessageBox : MessageBox {
  void show(const QString& text) override { texts.push_back(text); }
  std::vector<QString> texts;
};

struct ScriptedPlace : ProgramPlace {
  QString programFolder() const override { return folder; }
  QString currentDirectory() const override { return current; }
  bool folderExists(const QString& path) const override { return QDir(path).exists(); }
  QString folder, current;
};

// Prints every page onto an A4 picture at 30 dots per inch and counts the pages.
struct ScriptedPrinter : PagePrinter {
  bool print(const QString&, int pages, const Draw& draw) override {
    QImage sheet(248, 351, QImage::Format_RGB32);
    for (int page = 1; page <= pages; ++page) {
      sheet.fill(Qt::white);
      QPainter painter(&sheet);
      draw(painter, QRectF(sheet.rect()), page);
      ++printed;
    }
    return pages > 0;
  }
  int printed = 0;
};

struct ScriptedExit : ProgramExit {
  void exit() override { ++calls; }
  int calls = 0;
};

}  // namespace pelorin::test
