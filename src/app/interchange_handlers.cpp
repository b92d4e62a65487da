// Interchange: the cleaned sounding written for the interpretation tools, as GEF-CPT or AGS4.

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/main_form.hpp"
#include "session/session_files.hpp"
#include "text/file_io.hpp"

namespace pelorin {

void MainForm::buildInterchangeMenu() {
  mnuInterchange = menuBar()->addMenu(u"&Interchange"_s);
  mnuInterchange->setObjectName("mnuInterchange");
  mnuExportGef = mnuInterchange->addAction(u"Export &GEF..."_s);
  mnuExportGef->setObjectName("mnuExportGef");
  connect(mnuExportGef, &QAction::triggered, this,
          [this] { exportInterchangeFile(ExchangeFormat::Gef); });
  mnuExportAgs = mnuInterchange->addAction(u"Export &AGS4..."_s);
  mnuExportAgs->setObjectName("mnuExportAgs");
  connect(mnuExportAgs, &QAction::triggered, this,
          [this] { exportInterchangeFile(ExchangeFormat::Ags); });
}

void MainForm::exportInterchangeFile(ExchangeFormat format) {
  const bool gef = format == ExchangeFormat::Gef;
  FileDialogResult chosen =
      showFileDialog(gef ? u"GEF CPT data (*.gef)|*.gef"_s : u"AGS4 data (*.ags)|*.ags"_s, true);
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
  QString told = u"Exported "_s + chosen.fileTitle + (gef ? u" (GEF-CPT)"_s : u" (AGS4)"_s);
  for (const std::string& note : notes) told += u"; "_s + QString::fromStdString(note);
  tell(told);
}

}  // namespace pelorin
