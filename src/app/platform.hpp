#pragma once
// The services the window takes from the platform, behind small interfaces so that the
// tests can script them: the file dialog, the message box, the program's folder and the
// current directory, and ending the program.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QPainter;
class QRectF;

namespace pelorin {

// Texts for Qt are QStrings from u"..."_s literals: the window is built without the implicit
// conversion from char*, so that every model text goes through fromModelText.
using namespace Qt::Literals::StringLiterals;

struct FileDialogRequest {
  QString filter;         // "description|pattern", e.g. "Digital CPT data (*.cpt)|*.cpt"
  QString fileName;       // the initial file name (the window always passes it empty)
  QString initialFolder;  // where the dialog starts
  bool save = false;      // the save dialog, otherwise the open dialog
  QString title;          // the dialog's title; the platform's own when empty
  QString defaultSuffix;  // added to a typed name without an extension ("cpt"); save only
};

struct FileDialogResult {
  QString fileName;   // full path of the chosen file; empty when the user cancelled
  QString fileTitle;  // its name without the folder, extension included
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  virtual FileDialogResult show(const FileDialogRequest& request) = 0;
};

// A message with an OK button only.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void show(const QString& text) = 0;
};

// A choice among a few items ("Which push?"): the index chosen, or -1 when cancelled.
class ItemChooser {
 public:
  virtual ~ItemChooser() = default;
  virtual int choose(const QString& question, const QStringList& items) = 0;
};

// The platform's print dialog with a preview, for `pages` pages that `draw` paints, page 1 to
// pages, each on a painter over the whole sheet. Whether they were printed.
class PagePrinter {
 public:
  using Draw = std::function<void(QPainter& painter, const QRectF& sheet, int page)>;
  virtual ~PagePrinter() = default;
  virtual bool print(const QString& title, int pages, const Draw& draw) = 0;
};
class ProgramPlace {
 public:
  virtual ~ProgramPlace() = default;
  virtual QString programFolder() const = 0;  // where the executable and Channel*.txt lie
  virtual QString currentDirectory() const = 0;
  virtual bool folderExists(const QString& path) const = 0;
};

class ProgramExit {
 public:
  virtual ~ProgramExit() = default;
  virtual void exit() = 0;
};

struct Platform {
  std::shared_ptr<FileDialog> fileDialog;
  std::shared_ptr<MessageBox> messageBox;
  std::shared_ptr<ProgramPlace> place;
  std::shared_ptr<ProgramExit> programExit;
  std::shared_ptr<ItemChooser> chooser;  // none: the first item is taken
  std::shared_ptr<PagePrinter> printer;  // none: nothing is printed
};

// Qt's dialogs, the executable's folder, and QCoreApplication::exit.
Platform qtPlatform();

// The folder a file dialog starts in. The first dialog of a run starts in the folder made
// of the first seven characters of the program's folder and "\data", and uses up
// dialogShownBefore; every later one starts in the current directory. Where the folder of
// the first rule does not exist (a Windows-style path seldom names a folder here), the
// dialog starts in "data" beside the program, or else in the current directory.
QString dialogStartFolder(bool& dialogShownBefore, const ProgramPlace& place);

}  // namespace pelorin
