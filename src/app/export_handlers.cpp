// File, Export: the EXPORT DATA panel's five unit systems and the analog sounding file its
// OK writes.

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/main_form.hpp"
#include "export/unit_systems.hpp"
#include "session/session_files.hpp"

namespace pelorin {

void MainForm::MenuExport_Click() {
  frmExportData->show();
  frmExportData->raise();
  if (!session_->exportPanelChoosesEnglish()) return;
  optEnglish->setChecked(true);
  optEnglish_Click();
}

void MainForm::chooseExportSystem(ExportSystem system) {
  // Each unit found in a channel's list is selected as the user would select it, so the
  // channel's readings are converted and the grid refilled.
  applyStep(ExportUnits{system});
}

void MainForm::optEnglish_Click() { chooseExportSystem(ExportSystem::English); }
void MainForm::optMetricAbsKPA_Click() { chooseExportSystem(ExportSystem::MetricAbsKPA); }
void MainForm::optMetricAbsBAR_Click() { chooseExportSystem(ExportSystem::MetricAbsBAR); }
void MainForm::optMetricWtKSC_Click() { chooseExportSystem(ExportSystem::MetricWtKSC); }
void MainForm::optMetricWtBAR_Click() { chooseExportSystem(ExportSystem::MetricWtBAR); }

void MainForm::Command2_Click() {
  // Cancel: the chosen system and the channel units it set stay.
  frmExportData->hide();
}

void MainForm::Command1_Click() {
  FileDialogResult chosen = showFileDialog(u"Analog CPT data (*.cpd)|*.cpd"_s, true);
  if (chosen.fileName.isEmpty()) return;  // cancelled: the panel stays, nothing is written

  // The header texts as the user edited them.
  std::string warning;
  Outcome written =
      exportSession(*session_, QFile::encodeName(chosen.fileName).toStdString(),
                    toModelText(chosen.fileTitle), mnuRefuseUnreadable->isChecked(), &warning);
  if (!warning.empty()) showMessage(QString::fromStdString(warning));
  tell(written ? u"Exported "_s + chosen.fileTitle + u" ("_s +
                     QString::fromLatin1(exportUnitSystem(*session_->exportSystem()).name) + u")"_s
               : u"Export refused: "_s + QString::fromStdString(written.message));
  if (!written) {
    // An earlier file of that name is left as it was; the user can choose another.
    showMessage(QString::fromStdString(written.message));
    return;
  }
  frmExportData->hide();
}

}  // namespace pelorin
