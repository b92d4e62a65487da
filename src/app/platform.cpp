#include "app/platform.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QTreeView>

namespace pelorin {

QString dialogStartFolder(bool& dialogShownBefore, const ProgramPlace& place) {
  if (dialogShownBefore) return place.currentDirectory();
  dialogShownBefore = true;
  QString folder = place.programFolder().left(7) + u"\\data"_s;
  if (place.folderExists(folder)) return folder;
  QString beside = QDir(place.programFolder()).filePath(u"data"_s);
  if (place.folderExists(beside)) return beside;
  return place.currentDirectory();
}

namespace {

// "Digital CPT data (*.cpt)|*.cpt|All files (*)|*" as Qt writes filters: "Digital CPT data
// (*.cpt);;All files (*)"; patterns within a pair are parted by ";".
QString qtFilter(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  if (parts.size() < 2) return filter;
  QStringList filters;
  for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
    const QString pattern = QString(parts[k + 1]).replace(u';', u' ');
    filters << (parts[k].endsWith(u"("_s + pattern + u")"_s)
                    ? parts[k]
                    : parts[k] + u" ("_s + pattern + u")"_s);
  }
  return filters.join(u";;"_s);
}

class QtFileDialog : public FileDialog {
 public:
  FileDialogResult show(const FileDialogRequest& r) override {
    QFileDialog dialog(QApplication::activeWindow(), r.title, r.initialFolder, qtFilter(r.filter));
    dialog.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(r.defaultSuffix);
    if (!r.fileName.isEmpty()) dialog.selectFile(r.fileName);
    // Wide enough for the name, size, type and date columns; the user's own size and column
    // widths are kept for the next time.
    QSettings settings(u"Pelorin"_s, u"Pelorin"_s);
    const QByteArray state = settings.value(u"fileDialog/state"_s).toByteArray();
    if (!dialog.restoreState(state)) {
      // Columns as wide as their usual texts; the name takes the rest.
      if (auto* view = dialog.findChild<QTreeView*>(u"treeView"_s)) {
        const QFontMetrics metrics = view->fontMetrics();
        int k = 1;
        for (const char* widest : {"9999.9 KiB", "plain text document", "07/12/2026 17:12"})
          view->header()->resizeSection(
              k++, metrics.horizontalAdvance(QString::fromLatin1(widest)) + 24);
      }
    }
    QSize size = settings.value(u"fileDialog/size"_s, QSize(820, 500)).toSize();
    if (const QScreen* screen = dialog.screen())
      size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size);
    const int answer = dialog.exec();
    settings.setValue(u"fileDialog/state"_s, dialog.saveState());
    settings.setValue(u"fileDialog/size"_s, dialog.size());
    if (answer != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString path = dialog.selectedFiles().first();
    return {QDir::toNativeSeparators(path), QFileInfo(path).fileName()};
  }
};

class QtMessageBox : public MessageBox {
 public:
  void show(const QString& text) override {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
  }
};

class QtItemChooser : public ItemChooser {
 public:
  int choose(const QString& question, const QStringList& items) override {
    bool ok = false;
    QString item =
        QInputDialog::getItem(QApplication::activeWindow(), QCoreApplication::applicationName(),
                              question, items, 0, false, &ok);
    return ok ? static_cast<int>(items.indexOf(item)) : -1;
  }
};

class QtPagePrinter : public PagePrinter {
 public:
  bool print(const QString& title, int pages, const Draw& draw) override {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);  // the page draws its own margins
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* to) {
      QPainter painter(to);
      const QRectF sheet = to->pageLayout().fullRectPixels(to->resolution());
      for (int page = 1; page <= pages; ++page) {
        if (page > 1) to->newPage();
        draw(painter, sheet, page);
      }
    });
    return dialog.exec() == QDialog::Accepted;
  }
};

class QtProgramPlace : public ProgramPlace {
 public:
  QString programFolder() const override { return QCoreApplication::applicationDirPath(); }
  QString currentDirectory() const override { return QDir::currentPath(); }
  bool folderExists(const QString& path) const override { return QFileInfo(path).isDir(); }
};

class QtProgramExit : public ProgramExit {
 public:
  void exit() override { QCoreApplication::exit(0); }
};

}  // namespace

Platform qtPlatform() {
  return {std::make_shared<QtFileDialog>(),   std::make_shared<QtMessageBox>(),
          std::make_shared<QtProgramPlace>(), std::make_shared<QtProgramExit>(),
          std::make_shared<QtItemChooser>(),  std::make_shared<QtPagePrinter>()};
}

}  // namespace pelorin
