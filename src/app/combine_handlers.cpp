// File, Combine: a second sounding file read, shown in the COMBINE FILES panel and appended
// to the open sounding from the depth the user types.

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/main_form.hpp"
#include "edit/combine.hpp"
#include "text/number_text.hpp"

namespace pelorin {

SecondSounding& MainForm::secondSounding() {
  // About half a megabyte: taken only once a second file is read.
  if (!second_) second_ = std::make_unique<SecondSounding>();
  return *second_;
}

void MainForm::menuCombine_Click() {
  // A first sounding too short to append to is refused before anything is asked.
  if (std::string refusal = tooShortToAppendTo(*sounding_, false); !refusal.empty()) {
    showMessage(QString::fromStdString(refusal));
    return;
  }
  FileDialogResult chosen = showFileDialog(u"Digital CPT data (*.cpt)|*.cpt"_s, false,
                                           u"Combine: open the second sounding"_s);
  // An empty path (the dialog was cancelled) gives "No File Selected." and reads nothing;
  // a file the reader refuses leaves the second sounding's tables as they were.
  std::string path =
      chosen.fileName.isEmpty() ? std::string() : QFile::encodeName(chosen.fileName).toStdString();
  CombinePanel panel =
      readSecondSoundingFile(path, *sounding_, *definitions_, secondSounding(), &secondBytes_);
  secondPath_ = path;
  for (const std::string& message : panel.messages) showMessage(QString::fromStdString(message));
  if (!panel.shown) {
    if (!panel.messages.empty())
      tell(u"Combine: "_s + QString::fromStdString(panel.messages.back()));
    return;
  }
  tell(u"Combine: %1 read, %2 readings; choose the depth to start from"_s.arg(chosen.fileTitle)
           .arg(secondSounding().NumReadings2));

  lblSecondFileChannels->setText(fromModelText(panel.channelHeads));
  // The readings come as CR LF lines; the text box keeps plain line feeds.
  txtSecondFileData->setPlainText(fromModelText(panel.readingLines).replace(u"\r\n"_s, u"\n"_s));
  frmSecondFileData->show();
  frmSecondFileData->raise();
  lblFinalDepthOfFirstSounding->setText(fromModelText(panel.finalDepthOfFirst));
  txtStartDepth->setText(fromModelText(panel.startDepth));
  chkNormalizeDepth->setChecked(panel.normalizeDepth);
}

void MainForm::cmdCombineOK_Click() {
  // The typed text goes to the core as the batch tool passes --from; the step keeps the
  // second file's bytes.
  StepResult result =
      applyStep(Combine{secondPath_, secondBytes_, toModelText(txtStartDepth->text()),
                        chkNormalizeDepth->isChecked()});
  if (!result.applied()) {
    // Nothing has changed; the user may correct the depth and press OK again.
    showMessage(QString::fromStdString(result.outcome.message));
    return;
  }
  // The grid is left as it is: it shows the appended readings the next time it is filled.
  // The counters and the profile show them at once.
  frmSecondFileData->hide();
}

}  // namespace pelorin
