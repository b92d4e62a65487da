// Interchange: the cleaned sounding written for the interpretation tools, as GEF-CPT.

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/main_form.hpp"
#include "interchange/gef_file.hpp"
#include "text/file_io.hpp"

namespace pelorin {

void MainForm::buildInterchangeMenu() {
  mnuInterchange = menuBar()->addMenu("&Interchange");
  mnuInterchange->setObjectName("mnuInterchange");
  mnuExportGef = mnuInterchange->addAction("Export &GEF...");
  mnuExportGef->setObjectName("mnuExportGef");
  connect(mnuExportGef, &QAction::triggered, this, [this] { mnuExportGef_Click(); });
}

void MainForm::mnuExportGef_Click() {
  FileDialogResult chosen = showFileDialog("GEF CPT data (*.gef)|*.gef", true);
  if (chosen.fileName.isEmpty()) return;
  // The header boxes as they stand, today's date and the clean-up history.
  GefHeader header{{}, gefFileDate(), session_->descriptions()};
  std::array<QLineEdit*, 12> boxes = headerBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) header.texts[i] = toModelText(boxes[i]->text());
  std::string bytes, problem;
  std::string path = QFile::encodeName(chosen.fileName).toStdString();
  if (!gefFileBytes(*sounding_, *definitions_, header, bytes, problem)) {
    showMessage("Cannot export \"" + chosen.fileName + "\": " + QString::fromStdString(problem) +
                ".");
    return;
  }
  std::string failure = writeFileSafely(path, bytes);
  if (!failure.empty()) {
    showMessage(QString::fromStdString(failure));
    return;
  }
  tell("Exported " + chosen.fileTitle + " (GEF-CPT)");
}

}  // namespace pelorin
