// Interchange: the cleaned sounding written for the interpretation tools, as GEF-CPT or AGS4,
// and the CPT log on A4, exported or printed.

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/main_form.hpp"
#include "report/log_files.hpp"
#include "report/log_page.hpp"
#include "session/session_files.hpp"
#include "text/file_io.hpp"

namespace pelorin {

void MainForm::buildInterchangeMenu() {
  mnuInterchange = menuBar()->addMenu(u"&Interchange"_s);
  mnuInterchange->setObjectName("mnuInterchange");
  for (const ExchangeFormatInfo& format : exchangeFormats()) {
    QAction* item = mnuInterchange->addAction(QString::fromLatin1(format.menuText));
    item->setObjectName(QString::fromLatin1(format.menuName));
    connect(item, &QAction::triggered, this,
            [this, which = format.format] { exportInterchangeFile(which); });
  }
  mnuExportLog = mnuInterchange->addAction(u"Export &Log..."_s);
  mnuExportLog->setObjectName("mnuExportLog");
  connect(mnuExportLog, &QAction::triggered, this, [this] { mnuExportLog_Click(); });
}

report::LogOptions MainForm::logOptions() const {
  // The Ic and zone column when View, Interpretation is shown, with its inputs.
  report::LogOptions options;
  options.interpretation = dockInterpretation->isVisible();
  return options;
}

void MainForm::mnuExportLog_Click() {
  if (sounding_->NumReadings == 0) return;
  FileDialogResult chosen = showFileDialog(
      u"CPT log as PDF (*.pdf)|*.pdf|One SVG file a page (*.svg)|*.svg|One PNG file a page "
      "(*.png)|*.png"_s,
      true, u"Export Log"_s);
  if (chosen.fileName.isEmpty()) return;
  const std::string path = QFile::encodeName(chosen.fileName).toStdString();
  const report::LogFormat format = report::logFormatOf(path).value_or(report::LogFormat::Pdf);
  const report::CptLog log = report::cptLog(*session_, logOptions());
  if (Outcome written = report::writeLog(log, path, format); !written) {
    showMessage(QString::fromStdString(written.message));
    return;
  }
  tell(u"Exported the CPT log, %1 page(s): %2"_s.arg(report::logPageCount(log))
           .arg(QString::fromStdString(report::logFilePaths(chosen.fileTitle.toStdString(), format,
                                                            report::logPageCount(log))
                                           .front())));
}

void MainForm::MenuPrint_Click() {
  if (sounding_->NumReadings == 0 || !platform_.printer) return;
  const report::CptLog log = report::cptLog(*session_, logOptions());
  const bool printed =
      platform_.printer->print(fromModelText(session_->path()), report::logPageCount(log),
                               [&log](QPainter& painter, const QRectF& sheet, int page) {
                                 report::drawLogPage(painter, sheet, log, page);
                               });
  tell(printed ? u"Printed the CPT log, %1 page(s)"_s.arg(report::logPageCount(log))
               : u"Print cancelled: nothing printed"_s);
}

void MainForm::exportInterchangeFile(ExchangeFormat format) {
  const ExchangeFormatInfo& info = exchangeFormat(format);
  FileDialogResult chosen = showFileDialog(QString::fromLatin1(info.filter), true);
  if (chosen.fileName.isEmpty()) return;
  // The header texts as edited, today's date and the clean-up history.
  std::string bytes;
  std::vector<std::string> notes;
  if (Outcome made = exchangeSessionBytes(*session_, format, dateOrder_, bytes, notes); !made) {
    showMessage(u"Cannot export \""_s + chosen.fileName + u"\": "_s +
                QString::fromStdString(made.message) + u"."_s);
    return;
  }
  if (Outcome written = writeFileSafely(QFile::encodeName(chosen.fileName).toStdString(), bytes);
      !written) {
    showMessage(QString::fromStdString(written.message));
    return;
  }
  QString told =
      u"Exported "_s + chosen.fileTitle + u" ("_s + QString::fromLatin1(info.title) + u")"_s;
  for (const std::string& note : notes) told += u"; "_s + QString::fromStdString(note);
  tell(told);
}

}  // namespace pelorin
