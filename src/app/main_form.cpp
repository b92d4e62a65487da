#include "app/main_form.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "app/widgets.hpp"
#include "edit/combine.hpp"  // the second sounding's tables, owned here
#include "text/number_text.hpp"
#include "text/text_file.hpp"

namespace pelorin {

QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twips(left), twips(top), twips(width), twips(height));
}

QString fromModelText(const std::string& windows1252) {
  return QString::fromStdString(windows1252ToUtf8(windows1252));
}

std::string toModelText(const QString& text) { return utf8ToWindows1252(text.toStdString()); }

int virtualKeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      break;
  }
  // Letters and digits have the same codes in both.
  if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
    return qtKey;
  return 0;
}

MainForm::MainForm(Platform platform, QWidget* parent)
    : QMainWindow(parent),
      platform_(std::move(platform)),
      definitions_(std::make_unique<ChannelDefinitions>()),
      session_(std::make_unique<Session>(*definitions_)),
      sounding_(&session_->sounding()) {
  setObjectName("MainForm");
  setWindowTitle(u"Pelorin"_s);
  setFont(interfaceFont());

  auto* area = new QWidget(this);
  area->setObjectName("clientArea");
  area->setFixedSize(twips(12015), twips(9735));
  setCentralWidget(area);

  buildMenus();
  buildHeader(area);
  buildGrid(area);
  // The panels lie over the grid: built after it, so they are drawn on top.
  buildMessagePanel(area);
  buildChangeStartDepthPanel(area);
  frmDepthIncrement = new DepthIncrementPanel(
      area, [this]() -> const Sounding& { return *sounding_; },
      [this](const Step& step) { applyStep(step); });
  buildShiftChannelsPanel(area);
  frmSecondFileData = new CombineFilesPanel(
      area, [this]() -> const Sounding& { return *sounding_; }, *definitions_,
      [this](const Step& step) { return applyStep(step); },
      [this](const QString& text) { showMessage(text); });
  buildExportPanel(area);
  // Beside the client area, not over it.
  buildProfilePanel();
  buildHistoryPanel();
  buildQualityPanel();
  buildMessagesLog();
  buildInterpretationPanel();
  buildInterchangeMenu();
  buildOptionsMenu();

  bindPanelKeys(frmChangeStartDepth, Command3, Command4);
  bindPanelKeys(frmDepthIncrement, frmDepthIncrement->ok(), frmDepthIncrement->cancel());
  connect(frmDepthIncrement->cancel(), &QAbstractButton::clicked, this,
          [this] { tell(u"Depth Increment cancelled: the increment stays"_s); });
  bindPanelKeys(frmShiftBaselines, Command5, Command6);
  bindPanelKeys(frmSecondFileData, frmSecondFileData->ok(), nullptr);
  bindPanelKeys(frmExportData, Command1, Command2);

  // Every box, text pane and unit list: Undo and Redo reach the history from each, and Escape
  // leaves a list.
  for (QWidget* w : findChildren<QWidget*>())
    if ((qobject_cast<QLineEdit*>(w) && !cellPlaces_.contains(w)) ||
        qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w) || w == lstHistory ||
        w == tblQuality)
      w->installEventFilter(this);

  showRecentFiles();
  setAcceptDrops(true);

  stbStatus = statusBar();
  stbStatus->setObjectName("stbStatus");
  stbStatus->setSizeGripEnabled(true);
  lblStatus = makeElidingLabel(stbStatus, u"lblStatus"_s, QString(), QRect(), Qt::ElideRight);
  lblStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  stbStatus->addWidget(lblStatus, 1);
  // View, Go to Reading or Depth: a box at the status line's end, shown while it is asked.
  txtGoTo = new QLineEdit(stbStatus);
  txtGoTo->setObjectName("txtGoTo");
  txtGoTo->setPlaceholderText(u"reading, or depth (1.5 or 1.5 m)"_s);
  txtGoTo->setFixedWidth(twips(3600));
  stbStatus->addPermanentWidget(txtGoTo);
  txtGoTo->hide();
  connect(txtGoTo, &QLineEdit::returnPressed, this, [this] { txtGoTo_Return(); });
  auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), txtGoTo);
  leave->setContext(Qt::WidgetShortcut);
  connect(leave, &QShortcut::activated, this, [this] {
    txtGoTo->hide();
    returnFocusToGrid();
  });
  placeOnScreen();
  takePlaceOnDesk();

  Form_Load();
}

MainForm::~MainForm() = default;

QFont interfaceFont() {
  // The controls were laid out for an 8-point face narrower than today's defaults: a
  // condensed sans-serif of that size keeps every caption whole in its box.
  QFont face(u"DejaVu Sans"_s);
  face.setStyleHint(QFont::SansSerif);
  face.setStretch(QFont::Condensed);
  face.setPointSizeF(8);
  return face;
}

void MainForm::placeOnScreen() {
  // The client area keeps its size and its controls' places; the window is resizable and
  // the profile takes the width that is left. By default the window takes the width it
  // wants, as far as the screen has room, and stands in the middle of the screen's
  // available area, never outside it.
  QSize wanted = sizeHint();
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return resize(wanted);
  QRect available = screen->availableGeometry();
  resize(wanted.boundedTo(available.size()));
  QRect frame(QPoint(), size());
  frame.moveCenter(available.center());
  move(std::max(frame.left(), available.left()), std::max(frame.top(), available.top()));
}

void MainForm::tell(const QString& what) {
  lblStatus->setText(what);
  logMessage(what);
}

void MainForm::returnFocusToGrid() {
  txtDepth[std::clamp<int>(sounding_->CurrentRow, 1, GridRows)]->setFocus();
}

void MainForm::bindPanelKeys(QGroupBox* panel, QAbstractButton* apply, QAbstractButton* cancel) {
  // Enter presses the button that has the focus, else the applying one, while the focus is
  // in the panel; Escape presses the cancelling one, and a panel without one (COMBINE FILES)
  // is closed by Escape with nothing done. When a panel closes, the keys go back to the grid.
  for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), panel);
    enter->setContext(Qt::WidgetWithChildrenShortcut);
    connect(enter, &QShortcut::activated, panel, [panel, apply] {
      auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
      (focused && panel->isAncestorOf(focused) ? focused : apply)->click();
    });
  }
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), panel);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, panel, [panel, cancel] {
    if (cancel)
      cancel->click();
    else
      panel->hide();
  });
  panel->installEventFilter(this);
}

std::array<QLineEdit*, kHeaderFields.size()> MainForm::headerBoxes() const { return headerBoxes_; }

void MainForm::buildMenus() {
  QMenuBar* bar = menuBar();
  auto item = [](QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  auto separator = [](QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
  };

  MenuFile = bar->addMenu(u"&File"_s);
  MenuFile->setObjectName("MenuFile");
  MenuFileOpen = item(MenuFile, "MenuFileOpen", u"&Open"_s);
  MenuFileOpen->setShortcut(QKeySequence::Open);
  mnuRecentFiles = MenuFile->addMenu(u"&Recent Files"_s);
  mnuRecentFiles->setObjectName("mnuRecentFiles");
  sep1 = separator(MenuFile, "sep1");
  menuCombine = item(MenuFile, "menuCombine", u"&Combine"_s);
  sep2 = separator(MenuFile, "sep2");
  MenuFileSave = item(MenuFile, "MenuFileSave", u"&Save"_s);
  MenuFileSave->setShortcut(QKeySequence::Save);
  sep3 = separator(MenuFile, "sep3");
  MenuExport = item(MenuFile, "MenuExport", u"&Export"_s);
  MenuPrint = item(MenuFile, "MenuPrint", u"&Print..."_s);
  MenuPrint->setShortcut(QKeySequence::Print);
  sep4 = separator(MenuFile, "sep4");
  mnuAutoClean = item(MenuFile, "mnuAutoClean", u"&AutoClean For Interp"_s);
  sep5 = separator(MenuFile, "sep5");
  // Exit asks nothing and saves nothing: no shortcut to press by mistake.
  MenuFileExit = item(MenuFile, "MenuFileExit", u"&Exit"_s);
  menuCombine->setEnabled(false);
  // Shortcuts beside the menus' own letters: Ctrl+Shift and a letter that no text box takes
  // for itself, so they work from every control.
  menuCombine->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
  MenuExport->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_E);
  mnuAutoClean->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_L);

  // A command on the menu bar itself, without items.
  mnuShiftBaseline = bar->addAction(u"&Shift Channel(s)"_s);
  mnuShiftBaseline->setObjectName("mnuShiftBaseline");
  mnuShiftBaseline->setEnabled(false);
  mnuShiftBaseline->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_B);

  mnuEditDepth = bar->addMenu(u"&Edit Depth"_s);
  mnuEditDepth->setObjectName("mnuEditDepth");
  menuStartDepth = item(mnuEditDepth, "menuStartDepth", u"&Start Depth"_s);
  mnuDepthIncrement = item(mnuEditDepth, "mnuDepthIncrement", u"&Depth Increment"_s);
  menuStartDepth->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
  mnuDepthIncrement->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_I);

  connect(MenuFileOpen, &QAction::triggered, this, [this] { MenuFileOpen_Click(); });
  connect(MenuFileSave, &QAction::triggered, this, [this] { MenuFileSave_Click(); });
  connect(MenuFileExit, &QAction::triggered, this, [this] { MenuFileExit_Click(); });
  connect(mnuAutoClean, &QAction::triggered, this, [this] { mnuAutoClean_Click(); });
  connect(menuCombine, &QAction::triggered, this, [this] { menuCombine_Click(); });
  connect(MenuExport, &QAction::triggered, this, [this] { MenuExport_Click(); });
  connect(MenuPrint, &QAction::triggered, this, [this] { MenuPrint_Click(); });
  connect(mnuShiftBaseline, &QAction::triggered, this, [this] { mnuShiftBaseline_Click(); });
  connect(menuStartDepth, &QAction::triggered, this, [this] { menuStartDepth_Click(); });
  connect(mnuDepthIncrement, &QAction::triggered, this, [this] { frmDepthIncrement->open(); });
}

void MainForm::buildHeader(QWidget* area) {
  // Two columns, label and box, in file order.
  constexpr std::size_t perColumn = (kHeaderFields.size() + 1) / 2;
  for (std::size_t f = 0; f < kHeaderFields.size(); ++f) {
    const bool right = f >= perColumn;
    const int top = 720 + 360 * static_cast<int>(f % perColumn);
    makeLabel(area, u"lblHeader%1"_s.arg(f + 1), QString::fromLatin1(kHeaderFields[f].label),
              twipsRect(right ? 5520 : 600, top, 1815, 255));
    QLineEdit* box = makeTextBox(area, QString::fromLatin1(kHeaderFields[f].box), QString(),
                                 twipsRect(right ? 7440 : 2520, top, 2535, 285));
    // A header line is saved as it stands, however long it is.
    box->setMaxLength(INT_MAX);
    box->setEnabled(false);
    showWholeInTooltip(box);
    // What the user types is a step; typing on in the same box is the same step.
    connect(box, &QLineEdit::textEdited, this, [this, f](const QString& text) {
      applyStep(SetHeader{static_cast<int>(f), toModelText(text)});
    });
    headerBoxes_[f] = box;
  }
  // The GPS position is shown, not typed.
  headerBoxes_[static_cast<std::size_t>(HeaderField::GPSData)]->setReadOnly(true);

  lblFileName = makeElidingLabel(area, u"lblFileName"_s, u"WELCOME TO PELORIN"_s,
                                 twipsRect(3000, 120, 5775, 375));
  QFont banner = lblFileName->font();
  banner.setPointSize(12);
  banner.setBold(true);
  lblFileName->setFont(banner);
  lblFileName->setAlignment(Qt::AlignCenter);
  lblDataIndex = makeLabel(area, u"lblDataIndex"_s, QString(), twipsRect(10200, 2400, 1695, 255));
  lblNumberOfReadings =
      makeLabel(area, u"lblNumberOfReadings"_s, QString(), twipsRect(10200, 2640, 1695, 255));

  Shape1 = new QFrame(area);
  Shape1->setObjectName("Shape1");
  Shape1->setFrameShape(QFrame::HLine);
  Shape1->setFrameShadow(QFrame::Plain);
  Shape1->setGeometry(twipsRect(240, 570, 11535, 30));
}

void MainForm::buildGrid(QWidget* area) {
  lblDepthLabel = makeLabel(area, u"lblDepthLabel"_s, u"DEPTH"_s, twipsRect(360, 3000, 975, 255));
  cmbDepthUnits[1] = makeList(area, u"cmbDepthUnits_1"_s, twipsRect(360, 3240, 975, 315));
  cmbDepthUnits[1]->addItems({u"m"_s, u"ft"_s});
  // After the user's choice the keys go back to the grid, so that the next Down moves the
  // current reading instead of choosing again.
  connect(cmbDepthUnits[1], &QComboBox::activated, this, [this] {
    cmbDepthUnits_Click(1);
    returnFocusToGrid();
  });
  lblSpeedLabel = makeLabel(area, u"lblSpeedLabel"_s, u"SPEED"_s, twipsRect(1320, 3000, 975, 255));
  lblSpeedUnitsLabel =
      makeLabel(area, u"lblSpeedUnitsLabel"_s, u"(cm/sec)"_s, twipsRect(1320, 3240, 975, 255));
  lblSpeedLabel->hide();
  lblSpeedUnitsLabel->hide();

  for (int c = 1; c <= MaxChannels; ++c) {
    int left = 2280 + 960 * (c - 1);
    lblChannelLabel[c] = makeElidingLabel(area, u"lblChannelLabel_%1"_s.arg(c), QString(),
                                          twipsRect(left, 2880, 975, 375));
    lblChannelLabel[c]->setWordWrap(true);
    cmbChannelUnits[c] =
        makeList(area, u"cmbChannelUnits_%1"_s.arg(c), twipsRect(left, 3240, 975, 315));
    connect(cmbChannelUnits[c], &QComboBox::activated, this, [this, c] {
      cmbChannelUnits_Click(c);
      returnFocusToGrid();
    });
  }

  auto makeCell = [&](const QString& name, int left, int row, int column) {
    QLineEdit* box =
        makeTextBox(area, name, QString(), twipsRect(left, 3720 + 240 * (row - 1), 975, 285));
    // Cells are reached by the keys and the mouse, never by Tab.
    box->setFocusPolicy(Qt::ClickFocus);
    box->installEventFilter(this);
    cellPlaces_[box] = {column, row};
    // Every cell starts white with black text.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
    return box;
  };
  for (int r = 1; r <= GridRows; ++r) {
    txtDepth[r] = makeCell(u"txtDepth_%1"_s.arg(r), 240, r, 0);
    txtDepth[r]->setReadOnly(true);
    txtSpeed[r] = makeCell(u"txtSpeed_%1"_s.arg(r), 1200, r, 1);
    txtSpeed[r]->setReadOnly(true);
    for (int c = 1; c <= MaxChannels; ++c) {
      txtChannel[c][r] =
          makeCell(u"txtChannel%1_%2"_s.arg(c).arg(r), 2160 + 960 * (c - 1), r, 1 + c);
      txtChannel[c][r]->setEnabled(false);
    }
  }
}

void MainForm::buildMessagePanel(QWidget* area) {
  frmMessage = makePanel(area, u"frmMessage"_s, u"Frame1"_s, twipsRect(3360, 4560, 5415, 975));
  Label13 =
      makeLabel(frmMessage, u"Label13"_s, u"No file selected"_s, twipsRect(120, 240, 5175, 615));
  Label13->setAlignment(Qt::AlignCenter);
  frmMessage->show();
}

QLineEdit* MainForm::cell(int column, int row) const {
  if (column == 0) return txtDepth[row];
  if (column == 1) return txtSpeed[row];
  return txtChannel[column - 1][row];
}

namespace {
void setPaletteColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}
}  // namespace

void MainForm::setCellTextColour(int column, int row, bool red) {
  if (cellRed_[column][row] == red) return;
  cellRed_[column][row] = red;
  setPaletteColour(cell(column, row), QPalette::Text, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
}

void MainForm::setCellBackground(int column, int row, bool grey) {
  if (cellGrey_[column][row] == grey) return;
  cellGrey_[column][row] = grey;
  setPaletteColour(cell(column, row), QPalette::Base,
                   grey ? QColor(200, 200, 200) : QColor(255, 255, 255));
}

// The window's size and place and its docks, as the last run left them.
void MainForm::takePlaceOnDesk() {
  const QSettings settings(u"Pelorin"_s, u"Pelorin"_s);
  restoreGeometry(settings.value(u"geometry"_s).toByteArray());
  restoreState(settings.value(u"docks"_s).toByteArray());
  mnuViewProfile->setChecked(!dockProfile->isHidden());
}

void MainForm::keepPlaceOnDesk() {
  QSettings settings(u"Pelorin"_s, u"Pelorin"_s);
  settings.setValue(u"geometry"_s, saveGeometry());
  settings.setValue(u"docks"_s, saveState());
}

void MainForm::closeEvent(QCloseEvent* event) {
  keepPlaceOnDesk();
  QMainWindow::closeEvent(event);
}

void MainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The frame is known only once the window manager has put it round the window.
  if (!framed_) QTimer::singleShot(250, this, [this] { fitFrameOnScreen(); });
  framed_ = true;
}

void MainForm::fitFrameOnScreen() {
  QScreen* screen = this->screen();
  if (!screen || isMaximized()) return;
  const QRect available = screen->availableGeometry(), frame = frameGeometry();
  if (available.contains(frame)) return;
  // A window that does not fit with its frame opens maximised; one that fits is moved in.
  if (frame.width() > available.width() || frame.height() > available.height()) {
    showMaximized();
    return;
  }
  const QPoint inside(
      std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1),
      std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
  move(inside);
}

bool MainForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) return true;
  return QMainWindow::event(event);
}

bool MainForm::isMenuShortcut(const QKeyEvent* key) const {
  const QKeySequence pressed(key->keyCombination());
  for (const QAction* action : findChildren<QAction*>())
    if (action->isEnabled() && action->shortcuts().contains(pressed)) return true;
  return false;
}

bool MainForm::isEditShortcut(const QKeyEvent* key) const {
  const QKeySequence pressed(key->keyCombination());
  for (const QAction* action : mnuEdit->actions())
    if (action->shortcuts().contains(pressed)) return true;
  return false;
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (auto* panel = qobject_cast<QGroupBox*>(watched)) {
    // A panel that opens takes the keys at its first box (or control); one that closes
    // gives them back to the grid.
    if (event->type() == QEvent::Show) {
      QList<QWidget*> controls = panel->findChildren<QWidget*>();
      auto takes = [](QWidget* w) {
        return w->isVisibleTo(w->window()) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
      };
      QWidget* first = nullptr;
      for (QWidget* w : controls) {
        auto* box = qobject_cast<QLineEdit*>(w);
        if (box && !box->isReadOnly() && takes(w)) {
          first = w;
          break;
        }
        if (!first && takes(w) && !qobject_cast<QPlainTextEdit*>(w)) first = w;
      }
      if (first) first->setFocus();
      if (auto* box = qobject_cast<QLineEdit*>(first)) box->selectAll();  // typing replaces it
    } else if (event->type() == QEvent::Hide) {
      returnFocusToGrid();
    }
    return QMainWindow::eventFilter(watched, event);
  }
  // The Edit menu's shortcuts act on the history wherever the focus is: no box keeps them
  // for an undo of its own.
  if (event->type() == QEvent::ShortcutOverride && isEditShortcut(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  // Another menu item's shortcut in a channel cell stores the cell's text first, as any key
  // does, and then runs the item.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto place = cellPlaces_.find(watched);
    if (place != cellPlaces_.end() && place->second.column >= 2 &&
        isMenuShortcut(static_cast<QKeyEvent*>(event))) {
      const auto [column, row] = place->second;
      txtChannel_KeyDown(column - 1, row, cell(column, row)->text());
    }
    return QMainWindow::eventFilter(watched, event);
  }
  // In the History and Quality docks Up and Down go to the step or line above or below;
  // Enter and Escape give the keys back to the grid.
  if (event->type() == QEvent::KeyPress && (watched == lstHistory || watched == tblQuality)) {
    const int k = static_cast<QKeyEvent*>(event)->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape) {
      returnFocusToGrid();
      return true;
    }
    if (k != Qt::Key_Up && k != Qt::Key_Down) return QMainWindow::eventFilter(watched, event);
    const int step = k == Qt::Key_Up ? -1 : 1;
    if (watched == lstHistory) {
      lstHistory_Click(std::clamp(lstHistory->currentRow() + step, 0, lstHistory->count() - 1));
    } else if (tblQuality->rowCount() > 0) {
      const int row = std::clamp(tblQuality->currentRow() + step, 0, tblQuality->rowCount() - 1);
      tblQuality->setCurrentCell(row, 0);
      tblQuality_Click(row);
      tblQuality->setFocus();  // the keys stay with the lines
    }
    return true;
  }
  // Escape in a unit list gives the keys back to the grid.
  if (event->type() == QEvent::KeyPress && qobject_cast<QComboBox*>(watched) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    returnFocusToGrid();
    return true;
  }
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::MouseButtonPress)
    return QMainWindow::eventFilter(watched, event);
  auto place = cellPlaces_.find(watched);
  if (place == cellPlaces_.end()) return QMainWindow::eventFilter(watched, event);
  auto [column, row] = place->second;

  if (event->type() == QEvent::MouseButtonPress) {
    if (column == 0) txtDepth_Click(row);
    return false;
  }
  auto* key = static_cast<QKeyEvent*>(event);
  int shift = static_cast<int>(key->modifiers() &
                               (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
  const bool tab = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
  const bool backTab = key->key() == Qt::Key_Backtab ||
                       (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
  const int channels = sounding_->NumChannels;
  if (column == 0) {
    // Tab leads from the depth cell into the reading's channel cells.
    if (tab && channels > 0) {
      txtChannel[1][row]->setFocus(Qt::TabFocusReason);
      return true;
    }
    txtDepth_KeyDown(row, virtualKeyCode(key->key()), shift);
    // The depth cells take no typing; the menu bar's access keys still reach the window.
    return !(key->modifiers() & Qt::AltModifier);
  }
  // Every key stores the cell's text as it stood before it, but a modifier pressed alone and
  // the Edit menu's shortcuts.
  const bool modifierAlone = key->key() == Qt::Key_Control || key->key() == Qt::Key_Shift ||
                             key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta ||
                             key->key() == Qt::Key_AltGr;
  if (column >= 2 && !modifierAlone && !isEditShortcut(key))
    txtChannel_KeyDown(column - 1, row, cell(column, row)->text());
  // Tab and Shift+Tab go through the reading's channel cells; Shift+Tab from the first and
  // Escape go back to the depth cell.
  const int channel = column - 1;
  if (column >= 2 && tab && channel < channels) {
    txtChannel[channel + 1][row]->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (column >= 2 && backTab && channel > 1) {
    txtChannel[channel - 1][row]->setFocus(Qt::BacktabFocusReason);
    return true;
  }
  if (column >= 2 && (backTab || key->key() == Qt::Key_Escape)) {
    returnFocusToGrid();
    return true;
  }
  // The key then goes on to the cell and changes its text.
  return false;
}

}  // namespace pelorin
