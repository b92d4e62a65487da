// The View menu and the depth profile beside the grid: showing and hiding the profile,
// copying the readings for a spreadsheet, and a click in the profile that makes a reading
// current.

#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTime>

#include "app/interpretation_panel.hpp"
#include "app/main_form.hpp"
#include "app/profile_panel.hpp"
#include "display/navigation.hpp"
#include "export/readings_table.hpp"

namespace pelorin {

namespace {
// At the least, room for the depth axis and a few narrow tracks.
constexpr int kProfileMinimumWidth = 240;
}  // namespace

void MainForm::buildProfilePanel() {
  // The profile stands right of the client area, which keeps its size and its controls'
  // places: the window grows wider by the profile's width.
  dockProfile = new QDockWidget(this);
  dockProfile->setObjectName("dockProfile");
  dockProfile->setFeatures(QDockWidget::NoDockWidgetFeatures);
  dockProfile->setAllowedAreas(Qt::RightDockWidgetArea);
  // No title bar: the profile is part of the window, not a panel to move about.
  auto* noTitle = new QWidget(dockProfile);
  noTitle->setFixedSize(0, 0);
  dockProfile->setTitleBarWidget(noTitle);
  picProfile = new ProfilePanel(
      {[this]() -> const Sounding& { return *sounding_; },
       [this]() -> const ChannelDefinitions& { return *definitions_; },
       [this] { return depthUnit(); }, [this](double depth) { picProfile_MouseDown(depth); }},
      dockProfile);
  // It takes the width the window leaves beside the client area: the width it asks for
  // when the screen has room, less on a smaller one.
  picProfile->setMinimumSize(kProfileMinimumWidth, 200);
  dockProfile->setWidget(picProfile);
  addDockWidget(Qt::RightDockWidgetArea, dockProfile);

  mnuView = menuBar()->addMenu(u"&View"_s);
  mnuView->setObjectName("mnuView");
  mnuViewProfile = mnuView->addAction(u"&Profile"_s);
  mnuViewProfile->setObjectName("mnuViewProfile");
  mnuViewProfile->setCheckable(true);
  mnuViewProfile->setChecked(true);
  mnuViewProfile->setShortcut(Qt::CTRL | Qt::Key_1);
  mnuCopyReadings = mnuView->addAction(u"&Copy Readings"_s);
  mnuCopyReadings->setObjectName("mnuCopyReadings");
  mnuCopyReadings->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
  mnuGoTo = mnuView->addAction(u"&Go to Reading or Depth..."_s);
  mnuGoTo->setObjectName("mnuGoTo");
  mnuGoTo->setShortcut(Qt::CTRL | Qt::Key_G);
  connect(mnuGoTo, &QAction::triggered, this, [this] { mnuGoTo_Click(); });
  connect(mnuViewProfile, &QAction::triggered, this, [this] { mnuViewProfile_Click(); });
  connect(mnuCopyReadings, &QAction::triggered, this, [this] { mnuCopyReadings_Click(); });
}

QDockWidget* MainForm::addViewDock(const QString& title, QWidget* content, Qt::Key key,
                                   Qt::Orientation beside, QAction*& item) {
  auto* dock = new QDockWidget(title, this);
  dock->setObjectName(u"dock"_s + title);
  dock->setFeatures(QDockWidget::DockWidgetClosable);
  dock->setWidget(content);
  addDockWidget(Qt::RightDockWidgetArea, dock);
  splitDockWidget(dockProfile, dock, beside);
  dock->hide();
  item = dock->toggleViewAction();
  item->setText(u"&"_s + title);
  item->setObjectName(u"mnuView"_s + title);
  item->setShortcut(Qt::CTRL | key);
  mnuView->addAction(item);
  return dock;
}

void MainForm::buildMessagesLog() {
  txtMessages = new QPlainTextEdit(this);
  txtMessages->setObjectName("txtMessages");
  txtMessages->setReadOnly(true);
  // Beside the profile with the other docks: under the grid it would push the status line
  // off a small screen.
  dockMessages = addViewDock(u"Messages"_s, txtMessages, Qt::Key_4, Qt::Vertical, mnuViewMessages);
}

void MainForm::buildInterpretationPanel() {
  frmInterpretation = new InterpretationPanel(
      {[this]() -> const Session& { return *session_; },
       [this](const Step& step) { return applyStep(step).applied(); },
       [this](double metres) { picProfile_MouseDown(toDisplayUnit(metres, depthUnit())); }},
      this);
  dockInterpretation = addViewDock(u"Interpretation"_s, frmInterpretation, Qt::Key_5,
                                   Qt::Horizontal, mnuViewInterpretation);
}

void MainForm::logMessage(const QString& text) {
  if (text.isEmpty()) return;
  txtMessages->appendPlainText(QTime::currentTime().toString(u"HH:mm:ss  "_s) + text);
}

void MainForm::mnuGoTo_Click() {
  if (sounding_->NumReadings == 0) return;
  txtGoTo->clear();
  txtGoTo->show();
  txtGoTo->setFocus();
}

void MainForm::txtGoTo_Return() {
  const std::string typed = toModelText(txtGoTo->text());
  if (std::optional<int> n = readingNamed(*sounding_, depthUnit(), typed)) {
    txtGoTo->hide();
    makeReadingCurrent(*n);  // as Up and Down would; the keys go back to the depth cell
    return;
  }
  tell(u"Go to: \"%1\" is no reading number or depth"_s.arg(txtGoTo->text()));
}

void MainForm::mnuViewProfile_Click() { dockProfile->setVisible(mnuViewProfile->isChecked()); }

void MainForm::mnuCopyReadings_Click() {
  std::string table =
      readingsTable(*sounding_, *definitions_, depthUnit(), TableStyle::TabSeparated);
  QGuiApplication::clipboard()->setText(QString::fromStdString(table));
  tell(u"The readings are on the clipboard: %1 lines, tab-separated"_s.arg(sounding_->NumReadings));
}

void MainForm::picProfile_MouseDown(double displayDepth) {
  if (int n = nearestReading(*sounding_, depthUnit(), displayDepth)) makeReadingCurrent(n);
}

void MainForm::makeReadingCurrent(int n) {
  Sounding& s = *sounding_;
  // Up and Down on the model, pressed as often as it takes; the window then ends where
  // those presses would leave it. The grid text is written again only if one of them
  // scrolled it (the reading in the top row changed), the highlight only if the current
  // row moved.
  const int topBefore = s.DataIndex - s.CurrentRow;
  const int rowBefore = s.CurrentRow;
  if (Outcome reached = goToReading(s, n); !reached) {
    tell(QString::fromStdString(reached.message));
    return;
  }
  if (s.CurrentRow != rowBefore) {
    RowSelectAllowed = true;
    txtDepth_Click(s.CurrentRow);
  }
  txtDepth[s.CurrentRow]->setFocus();
  sessionChanged({SessionChange::Kind::Nothing,
                  SessionChange::CurrentReading |
                      (s.DataIndex - s.CurrentRow != topBefore ? SessionChange::GridText : 0u)});
}

void MainForm::profileChanged() {
  if (picProfile) picProfile->readingsChanged();
}

void MainForm::profileCurrentChanged() {
  if (picProfile) picProfile->currentChanged();
  if (frmInterpretation) frmInterpretation->currentChanged();
}

}  // namespace pelorin
