// Start-up, File Open, File Save and File Exit.

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <cstdio>

#include "app/main_form.hpp"
#include "interchange/ags_file.hpp"
#include "session/session_files.hpp"
#include "sounding/channel_definitions.hpp"
#include "sounding/open_sounding.hpp"
#include "sounding/sounding_file.hpp"
#include "text/file_io.hpp"
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {
const QString kSoundingFilter = u"Digital CPT data (*.cpt)|*.cpt"_s;
// File, Open reads the exchange formats too, and anything else a user points it at.
const QString kOpenFilter =
    kSoundingFilter +
    u"|GEF-CPT, AGS4 and BRO XML (*.gef *.ags *.xml)|*.gef;*.ags;*.xml|All files (*)|*"_s;
}  // namespace

FileDialogResult MainForm::showFileDialog(const QString& filter, bool save, const QString& title) {
  FileDialogRequest request;
  request.filter = filter;
  request.fileName = QString();
  request.initialFolder = dialogStartFolder(DialogShownBefore, *platform_.place);
  request.save = save;
  request.title = title;
  // A name typed without an extension gets the filter's ("*.cpt" gives "cpt").
  if (save) request.defaultSuffix = filter.section(u"*."_s, -1);
  return platform_.fileDialog->show(request);
}

void MainForm::showMessage(const QString& text) {
  logMessage(text);
  platform_.messageBox->show(text);
}

void MainForm::Form_Load() {
  lblDepthLabel->hide();
  cmbDepthUnits[1]->hide();
  for (int c = 1; c <= MaxChannels; ++c) {
    lblChannelLabel[c]->setText(QString());
    cmbChannelUnits[c]->hide();
  }
  std::vector<std::string> warnings;
  QByteArray folder = QFile::encodeName(platform_.place->programFolder());
  *definitions_ = loadChannelDefinitions(definitionsFolder(folder.toStdString()), warnings);
  // A definition file that cannot be used leaves its channel type without units; the
  // window still starts, and says so.
  QString skipped;
  for (const auto& warning : warnings) {
    std::fprintf(stderr, "pelorin: %s\n", warning.c_str());
    skipped += u"\n"_s + QString::fromStdString(warning);
  }
  if (!skipped.isEmpty())
    showMessage(u"Channel definition files that could not be used:"_s + skipped);
}

QString numberOfReadingsCaption(int readings) {
  return u"# of Readings: "_s + QString::fromStdString(blankLedNumber(readings));
}

void MainForm::writeCounters() {
  const Sounding& s = *sounding_;
  lblDataIndex->setText(u"Data Index: "_s + QString::fromStdString(blankLedNumber(s.DataIndex)));
  lblNumberOfReadings->setText(numberOfReadingsCaption(s.NumReadings));
}

void MainForm::resetChannelColumn(int c) {
  lblChannelLabel[c]->setText(QString());
  lblChannelLabel[c]->hide();
  cmbChannelUnits[c]->clear();
  cmbChannelUnits[c]->hide();
  for (int r = 1; r <= GridRows; ++r) {
    txtChannel[c][r]->clear();
    txtChannel[c][r]->setEnabled(false);
  }
}

void MainForm::MenuFileOpen_Click() {
  // The current row goes back to the top before the dialog, also when it is cancelled.
  std::int16_t currentRow = sounding_->CurrentRow;
  sounding_->CurrentRow = 1;
  FileDialogResult chosen = showFileDialog(kOpenFilter, false);
  if (chosen.fileName.isEmpty()) return;
  openChosenFile(chosen, currentRow);
}

namespace {

constexpr qsizetype kRecentFiles = 8;

QStringList recentFiles() {
  return QSettings(u"Pelorin"_s, u"Pelorin"_s).value(u"recentFiles"_s).toStringList();
}

// The file of a drop that File, Open reads, or nothing.
QString droppedSounding(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QString path = data->urls().first().toLocalFile();
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == u"cpt"_s || suffix == u"gef"_s || suffix == u"ags"_s || suffix == u"xml"_s
             ? path
             : QString();
}

}  // namespace

void MainForm::rememberRecentFile(const QString& path) {
  QStringList files = recentFiles();
  const QString whole = QFileInfo(path).absoluteFilePath();
  files.removeAll(whole);
  files.prepend(whole);
  while (files.size() > kRecentFiles) files.removeLast();
  QSettings(u"Pelorin"_s, u"Pelorin"_s).setValue(u"recentFiles"_s, files);
  showRecentFiles();
}

void MainForm::showRecentFiles() {
  mnuRecentFiles->clear();
  const QStringList files = recentFiles();
  for (qsizetype k = 0; k < files.size(); ++k) {
    QAction* file =
        mnuRecentFiles->addAction(u"&%1 %2"_s.arg(k + 1).arg(QFileInfo(files[k]).fileName()));
    file->setObjectName(u"mnuRecentFile%1"_s.arg(k + 1));
    file->setToolTip(files[k]);
    connect(file, &QAction::triggered, this, [this, path = files[k]] { openFile(path); });
  }
  mnuRecentFiles->setEnabled(!files.isEmpty());
}

void MainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedSounding(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent* event) {
  const QString path = droppedSounding(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  openFile(path);
}

void MainForm::openFile(const QString& path) {
  std::int16_t currentRow = sounding_->CurrentRow;
  sounding_->CurrentRow = 1;
  openChosenFile({path, QFileInfo(path).fileName()}, currentRow);
}

void MainForm::openChosenFile(const FileDialogResult& chosen, std::int16_t currentRow) {
  // The whole file is read into a fresh model first: a file that cannot be read leaves
  // the open sounding as it was.
  std::string path = QFile::encodeName(chosen.fileName).toStdString();
  // An AGS4 file with several pushes asks which one.
  std::string push;
  std::vector<AgsPush> pushes;
  std::string bytes;
  if (readWholeFile(path, bytes) &&
      exchangeFormatOf(bytes) == &exchangeFormat(ExchangeFormat::Ags) &&
      agsPushes(bytes, path, pushes) && pushes.size() > 1) {
    QStringList items;
    for (const AgsPush& p : pushes)
      items << QString::fromStdString(p.location + ":" + p.test) +
                   u" (%1 readings)"_s.arg(p.readings);
    const int k =
        platform_.chooser
            ? platform_.chooser->choose(
                  chosen.fileTitle + u" holds %1 pushes. Open:"_s.arg(pushes.size()), items)
            : 0;
    if (k < 0) {
      sounding_->CurrentRow = currentRow;
      tell(u"Open cancelled"_s);
      return;
    }
    push = pushes[static_cast<std::size_t>(k)].location + ":" +
           pushes[static_cast<std::size_t>(k)].test;
  }
  auto [opened, outcome, notes] = openSoundingFile(path, *definitions_, push);
  if (!opened) {
    sounding_->CurrentRow = currentRow;
    showMessage(QString::fromStdString(outcome.message));
    tell(u"Open refused: "_s + QString::fromStdString(outcome.message));
    return;
  }
  const SessionChange change = session_->open(std::move(opened), path);
  rememberRecentFile(chosen.fileName);
  const Sounding& s = *sounding_;
  lblFileName->setText(u"FILE:"_s + chosen.fileTitle);

  lblDepthLabel->show();
  lblSpeedLabel->show();
  lblSpeedUnitsLabel->show();
  cmbDepthUnits[1]->show();
  for (QLineEdit* box : headerBoxes()) box->setEnabled(true);
  sessionChanged(change);
  frmMessage->hide();
  MenuFileSave->setEnabled(true);
  MenuExport->setEnabled(true);
  menuCombine->setEnabled(true);
  mnuShiftBaseline->setEnabled(true);
  // Up and Down work at once.
  txtDepth[s.CurrentRow]->setFocus();
  tell(u"Opened %1: %2 readings, %3 channels"_s.arg(chosen.fileTitle)
           .arg(s.NumReadings)
           .arg(s.NumChannels));
  // What the reader left out or found odd in a GEF-CPT or AGS4 file.
  QStringList told;
  for (const std::string& note : notes) told << QString::fromStdString(note);
  if (!told.isEmpty()) showMessage(chosen.fileTitle + u":\n"_s + told.join(u"\n"_s));
  if (std::string missing = channelsWithoutDefinitions(s, *definitions_); !missing.empty())
    showMessage(QString::fromStdString(missing));
}

void MainForm::MenuFileExit_Click() {
  keepPlaceOnDesk();
  platform_.programExit->exit();
}

void MainForm::MenuFileSave_Click() {
  FileDialogResult chosen = showFileDialog(kSoundingFilter, true);
  if (chosen.fileName.isEmpty()) return;

  // The header texts as the user edited them are saved.
  SaveResult saved = saveSession(*session_, QFile::encodeName(chosen.fileName).toStdString(),
                                 mnuRefuseUnreadable->isChecked());
  if (!saved.outcome) {
    // Nothing is lost: the user can correct the sounding or save elsewhere.
    showMessage(QString::fromStdString(saved.outcome.message));
    tell(u"Save refused: "_s + QString::fromStdString(saved.outcome.message));
    return;
  }
  if (!saved.warning.empty()) showMessage(QString::fromStdString(saved.warning));
  showMessage(u"File saved.  To cleanup another file, restart the program."_s);
  keepPlaceOnDesk();
  platform_.programExit->exit();
}

void MainForm::buildOptionsMenu() {
  mnuOptions = menuBar()->addMenu(u"&Options"_s);
  mnuOptions->setObjectName("mnuOptions");
  mnuRefuseUnreadable = mnuOptions->addAction(u"&Refuse Files That Would Not Read Back"_s);
  mnuRefuseUnreadable->setObjectName("mnuRefuseUnreadable");
  mnuRefuseUnreadable->setCheckable(true);
  // How a date with the year last reaches the GEF and AGS4 exports: only when a day above 12
  // tells, or day first, or month first.
  QMenu* order = mnuOptions->addMenu(u"&Date Order"_s);
  order->setObjectName("mnuDateOrder");
  auto* group = new QActionGroup(order);
  const std::pair<QString, DateOrder> choices[] = {
      {u"&Unambiguous Dates Only"_s, DateOrder::Unambiguous},
      {u"&Day First"_s, DateOrder::DayFirst},
      {u"&Month First"_s, DateOrder::MonthFirst}};
  for (const auto& [caption, choice] : choices) {
    QAction* action = order->addAction(caption);
    action->setCheckable(true);
    action->setChecked(choice == dateOrder_);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, choice] { dateOrder_ = choice; });
  }
  mnuDateOrderDayFirst = order->actions().at(1);
  mnuDateOrderMonthFirst = order->actions().at(2);
  mnuDateOrderDayFirst->setObjectName("mnuDateOrderDayFirst");
  mnuDateOrderMonthFirst->setObjectName("mnuDateOrderMonthFirst");
}

}  // namespace pelorin
