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
  CombinePanel panel = frmSecondFileData->read(path);
  for (const std::string& message : panel.messages) showMessage(QString::fromStdString(message));
  if (!panel.shown) {
    if (!panel.messages.empty())
      tell(u"Combine: "_s + QString::fromStdString(panel.messages.back()));
    return;
  }
  tell(u"Combine: %1 read, %2 readings; choose the depth to start from"_s.arg(chosen.fileTitle)
           .arg(frmSecondFileData->readings()));
}

}  // namespace pelorin
