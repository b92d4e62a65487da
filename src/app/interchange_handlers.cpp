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
  for (const ExchangeFormatInfo& format : exchangeFormats()) {
    QAction* item = mnuInterchange->addAction(QString::fromLatin1(format.menuText));
    item->setObjectName(QString::fromLatin1(format.menuName));
    connect(item, &QAction::triggered, this,
            [this, which = format.format] { exportInterchangeFile(which); });
  }
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
