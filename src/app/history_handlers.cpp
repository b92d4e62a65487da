// The clean-up history: every step through the session, the window brought up to date with
// what the steps made, Undo and Redo, the History panel and View, Copy Command.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include "app/interpretation_panel.hpp"
#include "app/main_form.hpp"
#include "session/operation_words.hpp"

namespace pelorin {

StepResult MainForm::applyStep(const Step& step) {
  StepResult result = session_->apply(step);
  sessionChanged(result.change);
  // The status line says what the step did or why it was refused, and what it told besides
  // (a start depth beyond what a sounding can hold, an increment of 0): nothing is dropped.
  QStringList said;
  // A value or header text typed that stays as it was is no news; any other step that
  // changes nothing says so.
  const bool typing =
      std::holds_alternative<SetValue>(step) || std::holds_alternative<SetHeader>(step);
  if (result.change.historyChanged())
    said << QString::fromStdString(session_->history()[session_->position() - 1].description);
  else if (!result.applied() && sounding_->NumReadings > 0)
    said << u"Refused: "_s + QString::fromStdString(result.outcome.message);
  else if (result.applied() && !typing && result.notes.empty() && sounding_->NumReadings > 0)
    said << QString::fromStdString(result.description) + u": nothing to change"_s;
  for (const std::string& note : result.notes) said << QString::fromStdString(note);
  if (!said.isEmpty()) tell(said.join(u"; "_s));
  return result;
}

// The one place that brings the window up to date with the session: after a step, Undo,
// Redo, a line of the history, a file opened, or a move through the readings.
void MainForm::sessionChanged(const SessionChange& change) {
  using Kind = SessionChange::Kind;
  const bool whole = change.kind == Kind::Opened || change.kind == Kind::Moved;
  // The columns of an earlier sounding are emptied; the new one's channels are shown, each
  // in the unit the file names.
  if (change.kind == Kind::Opened)
    for (int c = 1; c <= MaxChannels; ++c) resetChannelColumn(c);
  // A box being typed into is never written back.
  if (whole) showHeaderTexts();
  if (change.has(SessionChange::Channels))
    showChannelColumns();  // with their unit lists
  else if (change.has(SessionChange::Units))
    showUnitLists();
  if (change.has(SessionChange::ExportChoice)) showExportChoice();
  if (change.has(SessionChange::GridText))
    RefreshGrid();  // and the profile
  else if (change.has(SessionChange::Readings))
    profileChanged();
  if (whole) {
    RowSelectAllowed = true;
    txtDepth_Click(std::clamp<int>(sounding_->CurrentRow, 1, GridRows));
  }
  if (change.has(SessionChange::Readings) || change.has(SessionChange::CurrentReading)) {
    writeCounters();
    profileCurrentChanged();
  }
  if (change.historyChanged()) historyChanged();
  if (change.what & ~(SessionChange::CurrentReading | SessionChange::GridText))
    frmInterpretation->sessionChanged(change.kind == Kind::Opened);
}

void MainForm::showChannelColumns() {
  const Sounding& s = *sounding_;
  for (int c = 1; c <= MaxChannels; ++c) {
    if (c > s.NumChannels) {
      resetChannelColumn(c);
      continue;
    }
    lblChannelLabel[c]->setText(fromModelText(s.ChannelName[c]));
    lblChannelLabel[c]->show();
    cmbChannelUnits[c]->show();
    for (int r = 1; r <= GridRows; ++r) txtChannel[c][r]->setEnabled(true);
  }
  showUnitLists();
}

void MainForm::showHeaderTexts() {
  std::array<QLineEdit*, kHeaderFields.size()> boxes = headerBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    QString text = fromModelText(session_->header()[i]);
    if (boxes[i]->text() == text) continue;
    boxes[i]->setText(text);
    boxes[i]->setCursorPosition(0);  // a long text is shown from its start
  }
}

// The export panel's choice, as the steps left it.
void MainForm::showExportChoice() {
  const auto& system = session_->exportSystem();
  const std::pair<QRadioButton*, ExportSystem> options[] = {
      {optEnglish, ExportSystem::English},
      {optMetricAbsKPA, ExportSystem::MetricAbsKPA},
      {optMetricAbsBAR, ExportSystem::MetricAbsBAR},
      {optMetricWtKSC, ExportSystem::MetricWtKSC},
      {optMetricWtBAR, ExportSystem::MetricWtBAR}};
  for (auto [option, which] : options) {
    option->setAutoExclusive(false);
    option->setChecked(system == which);
    option->setAutoExclusive(true);
  }
}

void MainForm::buildHistoryPanel() {
  lstHistory = new QListWidget(this);
  lstHistory->setObjectName("lstHistory");
  dockHistory = addViewDock(u"History"_s, lstHistory, Qt::Key_2, Qt::Vertical, mnuViewHistory);
  connect(lstHistory, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { lstHistory_Click(lstHistory->row(item)); });
  mnuCopyCommand = mnuView->addAction(u"Copy Co&mmand"_s);
  mnuCopyCommand->setObjectName("mnuCopyCommand");
  mnuCopyCommand->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_K);
  connect(mnuCopyCommand, &QAction::triggered, this, [this] { mnuCopyCommand_Click(); });

  mnuEdit = menuBar()->addMenu(u"E&dit"_s);  // Alt+E is Edit Depth's
  mnuEdit->setObjectName("mnuEdit");
  mnuUndo = mnuEdit->addAction(u"&Undo"_s);
  mnuUndo->setObjectName("mnuUndo");
  mnuUndo->setShortcut(QKeySequence::Undo);
  mnuRedo = mnuEdit->addAction(u"&Redo"_s);
  mnuRedo->setObjectName("mnuRedo");
  mnuRedo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  mnuEdit->addSeparator();
  mnuFillGaps = mnuEdit->addAction(u"&Fill Gaps"_s);
  mnuFillGaps->setObjectName("mnuFillGaps");
  mnuFillGaps->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_F);
  connect(mnuFillGaps, &QAction::triggered, this, [this] { mnuFillGaps_Click(); });
  connect(mnuUndo, &QAction::triggered, this, [this] { mnuUndo_Click(); });
  connect(mnuRedo, &QAction::triggered, this, [this] { mnuRedo_Click(); });
  historyChanged();
}

void MainForm::historyChanged() {
  qualityChanged();
  mnuUndo->setEnabled(session_->position() > 0);
  mnuRedo->setEnabled(session_->position() < session_->history().size());
  // The opened file, then one line per step; the current position marked, undone steps grey.
  lstHistory->clear();
  if (session_->path().empty()) return;
  lstHistory->addItem(QFileInfo(QString::fromStdString(session_->path())).fileName());
  for (const HistoryEntry& entry : session_->history())
    lstHistory->addItem(QString::fromStdString(entry.description));
  for (int k = 0; k < lstHistory->count(); ++k) {
    QListWidgetItem* item = lstHistory->item(k);
    if (k > static_cast<int>(session_->position()))
      item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
  }
  QListWidgetItem* current = lstHistory->item(static_cast<int>(session_->position()));
  QFont bold = current->font();
  bold.setBold(true);
  current->setFont(bold);
  lstHistory->setCurrentItem(current);
}

void MainForm::goToStep(std::size_t position) {
  const SessionChange change = session_->goTo(position);
  // Panels show what the sounding was when they opened: they close.
  for (QGroupBox* panel : std::initializer_list<QGroupBox*>{frmChangeStartDepth, frmDepthIncrement,
                                                            frmShiftBaselines, frmSecondFileData})
    panel->hide();
  sessionChanged(change);
  tell(position == 0
           ? u"As opened"_s
           : u"After: "_s + QString::fromStdString(session_->history()[position - 1].description));
}

void MainForm::mnuUndo_Click() {
  if (session_->position() > 0) goToStep(session_->position() - 1);
}

void MainForm::mnuRedo_Click() {
  if (session_->position() < session_->history().size()) goToStep(session_->position() + 1);
}

void MainForm::lstHistory_Click(int line) {
  // The first line is the file as opened; line k is just after step k.
  if (line >= 0 && static_cast<std::size_t>(line) != session_->position())
    goToStep(static_cast<std::size_t>(line));
}

void MainForm::mnuCopyCommand_Click() {
  QString output =
      QFileInfo(QString::fromStdString(session_->path())).completeBaseName() + u"_cleaned.cpt"_s;
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(commandLine(*session_, output.toStdString())));
  tell(u"The pelorin-cli command for these steps is on the clipboard"_s);
}

}  // namespace pelorin
