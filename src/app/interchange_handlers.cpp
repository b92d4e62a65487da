// Interchange: the cleaned sounding written for the interpretation tools, as GEF-CPT or AGS4.

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/main_form.hpp"
#include "text/file_io.hpp"

namespace pelorin {

void MainForm::buildInterchangeMenu() {
  mnuInterchange = menuBar()->addMenu("&Interchange");
  mnuInterchange->setObjectName("mnuInterchange");
  mnuExportGef = mnuInterchange->addAction("Export &GEF...");
  mnuExportGef->setObjectName("mnuExportGef");
  connect(mnuExportGef, &QAction::triggered, this,
          [this] { exportInterchangeFile(ExchangeFormat::Gef); });
  mnuExportAgs = mnuInterchange->addAction("Export &AGS4...");
  mnuExportAgs->setObjectName("mnuExportAgs");
  connect(mnuExportAgs, &QAction::triggered, this,
          [this] { exportInterchangeFile(ExchangeFormat::Ags); });
}

void MainForm::exportInterchangeFile(ExchangeFormat format) {
  const bool gef = format == ExchangeFormat::Gef;
  FileDialogResult chosen =
      showFileDialog(gef ? "GEF CPT data (*.gef)|*.gef" : "AGS4 data (*.ags)|*.ags", true);
  if (chosen.fileName.isEmpty()) return;
  // The header boxes as they stand, today's date and the clean-up history.
  HeaderTexts texts;
  std::array<QLineEdit*, 12> boxes = headerBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) texts[i] = toModelText(boxes[i]->text());
  std::string bytes, problem;
  if (!exchangeFileBytes(format, *sounding_, *definitions_, texts, session_->descriptions(), bytes,
                         problem)) {
    showMessage("Cannot export \"" + chosen.fileName + "\": " + QString::fromStdString(problem) +
                ".");
    return;
  }
  std::string failure = writeFileSafely(QFile::encodeName(chosen.fileName).toStdString(), bytes);
  if (!failure.empty()) {
    showMessage(QString::fromStdString(failure));
    return;
  }
  tell("Exported " + chosen.fileTitle + (gef ? " (GEF-CPT)" : " (AGS4)"));
}

}  // namespace pelorin
