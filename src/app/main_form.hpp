#pragma once
// MainForm: the one window of Pelorin. It owns the sounding model and every control, under
// the controls' own names; control arrays are indexed from 1 like the grid rows and the
// channels. Handlers are named after control and event and are grouped by area in
// file_handlers.cpp, grid_handlers.cpp and unit_handlers.cpp; each panel is built in its
// own file.

#include <QMainWindow>
#include <array>
#include <memory>
#include <unordered_map>

#include "app/combine_panel.hpp"
#include "app/depth_increment_panel.hpp"
#include "app/platform.hpp"
#include "interchange/exchange_file.hpp"
#include "report/cpt_log.hpp"
#include "session/session.hpp"
#include "sounding/sounding.hpp"
#include "sounding/units.hpp"

class QAbstractButton;
class QAction;
class QComboBox;
class QDockWidget;
class QFrame;
class QGroupBox;
class QLabel;
class QKeyEvent;
class QShowEvent;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTableWidget;

namespace pelorin {

class ProfilePanel;
class InterpretationPanel;
enum class ExportSystem;

template <typename T>
using RowArray = std::array<T*, GridRows + 1>;  // [1 .. 24]
template <typename T>
using ChannelArray = std::array<T*, MaxChannels + 1>;  // [1 .. 10]

class MainForm : public QMainWindow {
 public:
  explicit MainForm(Platform platform, QWidget* parent = nullptr);
  ~MainForm() override;

  // --- The model and what the operations share ---
  Session& session() { return *session_; }
  Sounding& sounding() { return *sounding_; }
  const Sounding& sounding() const { return *sounding_; }
  const ChannelDefinitions& definitions() const { return *definitions_; }
  // The depth unit selected in cmbDepthUnits (list index 0 is "m", any other "ft").
  DepthUnit depthUnit() const;
  bool dialogShownBefore() const { return DialogShownBefore; }

  // --- Handlers: start-up, open, exit, save ---
  void Form_Load();
  void MenuFileOpen_Click();
  // File, Open of a file named on the command line: the same steps without the dialog.
  void openFile(const QString& path);
  void MenuFileExit_Click();
  void MenuFileSave_Click();

  // --- Handlers: the readings grid ---
  void RefreshGrid();
  void txtDepth_Click(int row);
  void txtDepth_KeyDown(int row, int keyCode, int shift);
  // txtChannel1_KeyDown ... txtChannel10_KeyDown, all alike: `text` is the cell's text
  // as it was before the key.
  void txtChannel_KeyDown(int channel, int row, const QString& text);

  // --- Handlers: display units ---
  void cmbDepthUnits_Click(int index);
  void cmbChannelUnits_Click(int channel);
  // Sets a unit list's index and raises its click handler, also when the index does not
  // change; every index set from code goes through here.
  void setListIndex(QComboBox* list, int index);

  // --- Handlers: start depth and depth increment (Edit Depth) ---
  void menuStartDepth_Click();
  void Command3_Click();  // OK
  void Command4_Click();  // Cancel

  // --- Handlers: shift channels, remove negatives, AutoClean ---
  void mnuShiftBaseline_Click();
  void Command5_Click();  // SHIFT READINGS
  void Command7_Click();  // REMOVE NEGATIVES
  void Command6_Click();  // CANCEL
  void mnuAutoClean_Click();
  void mnuFillGaps_Click();

  // --- Handlers: combine a second sounding ---
  void menuCombine_Click();

  // --- Handlers: export to the analog format ---
  void MenuExport_Click();
  void optEnglish_Click();
  void optMetricAbsKPA_Click();
  void optMetricAbsBAR_Click();
  void optMetricWtKSC_Click();
  void optMetricWtBAR_Click();
  void Command2_Click();  // Cancel
  void Command1_Click();  // OK: writes the analog file

  // The file dialog with the starting-folder rule shared by Open, Combine, Save and
  // Export. Empty fileName when the user cancelled.
  FileDialogResult showFileDialog(const QString& filter, bool save,
                                  const QString& title = QString());
  void showMessage(const QString& text);
  // The status bar's one line on what the last operation did.
  void tell(const QString& what);
  // The current row's depth cell takes the keys again.
  void returnFocusToGrid();

  // --- Handlers: the View menu and the depth profile beside the grid ---
  void mnuViewProfile_Click();
  void mnuCopyReadings_Click();
  void mnuGoTo_Click();
  void txtGoTo_Return();
  // --- Handlers: the history (Edit, Undo and Redo; View, History and Copy Command) ---
  void mnuUndo_Click();
  void mnuRedo_Click();
  void lstHistory_Click(int line);
  void mnuCopyCommand_Click();
  // --- Handlers: Interchange ---
  void exportInterchangeFile(ExchangeFormat format);
  // Interchange, Export Log... and File, Print...: the CPT log of the sounding as it stands.
  void mnuExportLog_Click();
  void MenuPrint_Click();
  report::LogOptions logOptions() const;
  // A click in the profile at a display depth: the nearest reading becomes current, as the
  // same number of Up or Down presses would make it.
  void picProfile_MouseDown(double displayDepth);
  // Reading n becomes current as Up and Down would make it; a reading they cannot reach is
  // told in the status line.
  void makeReadingCurrent(int n);
  // --- Handlers: View, Quality ---
  void tblQuality_Click(int row);
  // The profile takes the readings again (after RefreshGrid and Combine's OK) or only moves
  // its current-reading line (Up, Down); both just schedule a repaint.
  void profileChanged();
  void profileCurrentChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The status line keeps its message while the menus are looked through.
  bool event(QEvent* event) override;
  // A sounding file, GEF-CPT or AGS4 file dropped on the window opens as File, Open would.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // File, Recent Files: the last files opened, newest first.
  void rememberRecentFile(const QString& path);
  void showRecentFiles();
  // The window's size, place and docks are kept between runs.
  void takePlaceOnDesk();
  void keepPlaceOnDesk();
  void closeEvent(QCloseEvent* event) override;
  // Once the window manager has framed the window: the frame too within the screen.
  void showEvent(QShowEvent* event) override;
  void fitFrameOnScreen();
  // Undo, Redo or another shortcut of the Edit menu; a shortcut of any menu item.
  bool isEditShortcut(const QKeyEvent* key) const;
  bool isMenuShortcut(const QKeyEvent* key) const;

 private:
  // --- Controls ---
  // Header fields and their labels, in file order.
  std::array<QLineEdit*, kHeaderFields.size()> headerBoxes_{};  // in file order (kHeaderFields)
  std::array<QLineEdit*, kHeaderFields.size()> headerBoxes() const;

  QLabel *lblFileName, *lblDataIndex, *lblNumberOfReadings;
  QLabel *lblDepthLabel, *lblSpeedLabel, *lblSpeedUnitsLabel;
  std::array<QComboBox*, 2> cmbDepthUnits{};  // element 1 only
  ChannelArray<QLabel> lblChannelLabel{};
  ChannelArray<QComboBox> cmbChannelUnits{};

  // The readings grid: txtChannel[c][r] is element r of txtChannel<c>.
  RowArray<QLineEdit> txtDepth{}, txtSpeed{};
  std::array<RowArray<QLineEdit>, MaxChannels + 1> txtChannel{};

  QFrame* Shape1;
  QGroupBox* frmMessage;
  QLabel* Label13;

  // Change start depth.
  QGroupBox* frmChangeStartDepth;
  QLabel *Label22, *lblCurrentStartDepth, *Label24, *Label23, *Label25;
  QLineEdit* txtNewStartDepth;
  QPushButton *Command3, *Command4;

  // Depth increment.
  DepthIncrementPanel* frmDepthIncrement = nullptr;

  // Shift channels.
  QGroupBox* frmShiftBaselines;
  ChannelArray<QLabel> lblShiftChanLabel{}, lblFinalBaselineChan{}, lblLowestReadingChan{},
      lblShiftUnitsChan{};
  ChannelArray<QLineEdit> txtShiftChannelByChan{};
  QLabel *Label28, *Label30, *Label31, *Label32, *Label33, *Label34, *Label35;
  QPushButton *Command5, *Command6, *Command7;

  // Combine files.
  CombineFilesPanel* frmSecondFileData = nullptr;

  // Export data.
  QGroupBox* frmExportData;
  QRadioButton *optEnglish, *optMetricAbsKPA, *optMetricAbsBAR, *optMetricWtKSC, *optMetricWtBAR;
  QLabel *Label14, *Label15, *Label16, *Label17, *Label18, *Label19, *Label20;
  QPushButton *Command1, *Command2;

  // Menus.
  QMenu *MenuFile, *mnuEditDepth;
  QAction *MenuFileOpen, *menuCombine, *MenuFileSave, *MenuExport, *mnuAutoClean, *MenuFileExit,
      *mnuShiftBaseline, *menuStartDepth, *mnuDepthIncrement;
  QAction *sep1, *sep2, *sep3, *sep4, *sep5;
  QMenu* mnuView = nullptr;
  QAction *mnuViewProfile = nullptr, *mnuCopyReadings = nullptr, *mnuGoTo = nullptr;
  QLineEdit* txtGoTo = nullptr;
  QMenu* mnuRecentFiles = nullptr;  // View, Go to Reading or Depth: in the status bar
  // Options: a save or export whose file would not read back is refused instead of written
  // with a warning.
  QMenu* mnuOptions = nullptr;
  QAction* mnuRefuseUnreadable = nullptr;
  QAction *mnuDateOrderDayFirst = nullptr, *mnuDateOrderMonthFirst = nullptr;
  DateOrder dateOrder_ = DateOrder::Unambiguous;
  QMenu* mnuInterchange = nullptr;
  QAction *mnuExportLog = nullptr, *MenuPrint = nullptr;
  QMenu* mnuEdit = nullptr;
  QAction *mnuUndo = nullptr, *mnuRedo = nullptr, *mnuFillGaps = nullptr, *mnuViewHistory = nullptr,
          *mnuCopyCommand = nullptr;
  QDockWidget* dockHistory = nullptr;
  QListWidget* lstHistory = nullptr;
  QAction* mnuViewQuality = nullptr;
  QDockWidget* dockQuality = nullptr;
  QTableWidget* tblQuality = nullptr;

  QStatusBar* stbStatus = nullptr;
  // The status line: the last operation's message, elided when long, whole in its tooltip.
  QLabel* lblStatus = nullptr;
  // View, Messages: every message of the session, status line and message boxes alike.
  QAction* mnuViewMessages = nullptr;
  QDockWidget* dockMessages = nullptr;
  QPlainTextEdit* txtMessages = nullptr;

  // The depth profile, right of the client area.
  QDockWidget* dockProfile = nullptr;
  ProfilePanel* picProfile = nullptr;
  // View, Interpretation: beside the profile.
  QAction* mnuViewInterpretation = nullptr;
  QDockWidget* dockInterpretation = nullptr;
  InterpretationPanel* frmInterpretation = nullptr;

  // The increment being chosen on the DEPTH INCREMENT panel, metres, and the ratio its OK
  // scaled the depths and speeds by.

  void buildHeader(QWidget* area);
  void buildOptionsMenu();
  void buildHistoryPanel();
  void buildQualityPanel();
  // A dock beside the profile (under it, or beside it), hidden until its View item shows it:
  // `item`, named after the title, checked while it is shown, with Ctrl and `key`.
  QDockWidget* addViewDock(const QString& title, QWidget* content, Qt::Key key,
                           Qt::Orientation beside, QAction*& item);
  void buildMessagesLog();
  void buildInterpretationPanel();
  void logMessage(const QString& text);
  // The quality report written again, when its panel is shown.
  void qualityChanged();
  void buildInterchangeMenu();
  // The window brought up to date with the session: header boxes, channel columns, unit
  // lists, grid, highlight, counters, the export panel's choice.
  void sessionChanged(const SessionChange& change);
  void showHeaderTexts();
  void showExportChoice();
  void showChannelColumns();
  void showUnitLists();
  void historyChanged();
  void goToStep(std::size_t position);
  void placeOnScreen();
  // Applies a step built from the controls to the session and says in the status line what
  // it did; the handler then shows what changed.
  StepResult applyStep(const Step& step);
  void bindPanelKeys(QGroupBox* panel, QAbstractButton* apply, QAbstractButton* cancel);
  void openChosenFile(const FileDialogResult& chosen, std::int16_t currentRow);
  void buildGrid(QWidget* area);
  void buildMessagePanel(QWidget* area);
  void buildChangeStartDepthPanel(QWidget* area);
  void buildShiftChannelsPanel(QWidget* area);
  void buildExportPanel(QWidget* area);
  void buildMenus();
  void buildProfilePanel();

  void writeCounters();
  // Returns a channel column to the state it has before any file is opened.
  void resetChannelColumn(int c);

  // Cell colours, changed only where they differ from what the cell already shows.
  // Column 0 is depth, 1 speed, 1 + c channel c.
  void setCellTextColour(int column, int row, bool red);
  void setCellBackground(int column, int row, bool grey);
  QLineEdit* cell(int column, int row) const;

  struct CellPlace {
    int column;  // as above
    int row;
  };
  std::unordered_map<const QObject*, CellPlace> cellPlaces_;
  std::array<std::array<bool, GridRows + 1>, MaxChannels + 2> cellRed_{}, cellGrey_{};

  Platform platform_;
  std::unique_ptr<ChannelDefinitions> definitions_;
  // The clean-up session: the sounding as opened, the steps, and the sounding they made,
  // which the handlers read and the navigation keys move through.
  std::unique_ptr<Session> session_;
  Sounding* sounding_;
  std::vector<int> qualityReadings_;  // the first reading each line of the quality panel names
  bool DialogShownBefore = false;
  bool framed_ = false;
  bool RowSelectAllowed = false;

  // Combine: the second sounding's tables, kept after the append until the next read.
  // Runs once Combine's OK has appended the second sounding.

  // Export: the chosen unit system's name (Windows-1252), empty until one is chosen.
  void chooseExportSystem(ExportSystem system);
};

// Twips (1/1440 inch) to pixels at 96 dots per inch: 15 twips make a pixel.
inline int twips(int value) { return (value + 7) / 15; }
// The window's face: a condensed sans-serif at 8 points.
QFont interfaceFont();
QRect twipsRect(int left, int top, int width, int height);

// The window's texts are Windows-1252 bytes in the model and Qt strings in the controls.
QString fromModelText(const std::string& windows1252);
// "# of Readings: " and the count, as the counter beside the header shows it.
QString numberOfReadingsCaption(int readings);
std::string toModelText(const QString& text);

// Qt's key to the virtual-key code the handlers compare against (0 for keys they ignore).
int virtualKeyCode(int qtKey);

}  // namespace pelorin
