// The window's response times, offscreen: a Down key that scrolls the grid, a channel
// unit change, and start-up to the window shown. The sounding is the largest the model
// holds: 10,000 readings of 10 channels.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/main_form.hpp"
#include "app/profile_panel.hpp"
#include "sounding/channel_definitions.hpp"
#include "sounding/sounding_file.hpp"
#include "text/number_text.hpp"

namespace pelorin {
namespace {

// A control of the window by its object name, as a user's script would find it.
template <typename T>
T* named(const QObject& form, const QString& name) {
  return form.findChild<T*>(name);
}

class OneFileDialog : public FileDialog {
 public:
  explicit OneFileDialog(QString path) : path_(std::move(path)) {}
  FileDialogResult show(const FileDialogRequest&) override { return {path_, "large.cpt"}; }

 private:
  QString path_;
};

class NoMessages : public MessageBox {
 public:
  void show(const QString&) override {}
};

class NoExit : public ProgramExit {
 public:
  void exit() override {}
};

class BenchPlace : public ProgramPlace {
 public:
  QString programFolder() const override { return QCoreApplication::applicationDirPath(); }
  QString currentDirectory() const override { return QDir::currentPath(); }
  bool folderExists(const QString& path) const override { return QDir(path).exists(); }
};

// A sounding file of 10,000 readings with one channel of each type 1 to 10.
QString writeLargeSounding(const QString& folder) {
  std::vector<std::string> warnings;
  auto defs = std::make_unique<ChannelDefinitions>(
      loadChannelDefinitions(QCoreApplication::applicationDirPath().toStdString(), warnings));
  auto s = std::make_unique<Sounding>();
  s->NumChannels = MaxChannels;
  for (int c = 1; c <= MaxChannels; ++c) {
    s->ChannelType[c] = static_cast<std::int16_t>(c);
    s->ChannelName[c] = "Ch" + std::to_string(c);
    s->FullScaleOutput[c] = 10;
    s->FullScaleValue[c] = 1000;
    s->ChannelUnit[c] = 1;
    s->ChannelFactor[c] = defs->UnitFactor[c][1];
  }
  s->NumReadings = MaxReadings;
  for (int n = 1; n <= MaxReadings; ++n) {
    s->Depth[n] = toSingle(0.02 * n);
    s->Speed[n] = n % 50 == 0 ? 0.0f : toSingle(1.5 + (n % 7) * 0.1);
    for (int c = 1; c <= MaxChannels; ++c) s->Reading[c][n] = toSingle(c * 10.0 + (n % 100) * 0.37);
  }
  std::string bytes;
  (void)writeSoundingFile(*s, *defs, headerTexts(*s), bytes);
  QString path = QDir(folder).filePath("large.cpt");
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

struct OpenWindow {
  QTemporaryDir folder;
  std::unique_ptr<MainForm> form;
  OpenWindow() {
    QString path = writeLargeSounding(folder.path());
    form = std::make_unique<MainForm>(
        Platform{std::make_shared<OneFileDialog>(path), std::make_shared<NoMessages>(),
                 std::make_shared<BenchPlace>(), std::make_shared<NoExit>(), nullptr, nullptr});
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) std::fprintf(stderr, "window not exposed\n");
    named<QAction>(*form, "MenuFileOpen")->trigger();
  }
};

// Down with the highlight in row 24: the grid scrolls and RefreshGrid rewrites all cells.
// With `paint`, the cells that changed (and the depth profile, unless `profile` is false)
// are also painted before the next key.
void downAtRow24(benchmark::State& state, bool paint, bool profile = true) {
  OpenWindow window;
  MainForm& form = *window.form;
  if (!profile) named<QAction>(form, "mnuViewProfile")->trigger();
  Sounding& s = form.sounding();
  for (int i = 0; i < 40; ++i)
    QTest::keyClick(named<QLineEdit>(form, QString("txtDepth_%1").arg(s.CurrentRow)), Qt::Key_Down);
  for (auto _ : state) {
    if (s.DataIndex >= s.NumReadings) {
      state.PauseTiming();
      s.DataIndex = 100;
      state.ResumeTiming();
    }
    QTest::keyClick(named<QLineEdit>(form, QString("txtDepth_%1").arg(24)), Qt::Key_Down);
    if (paint) QCoreApplication::processEvents();
  }
  if (s.CurrentRow != 24) state.SkipWithError("the highlight left row 24");
}
void BM_DownAtRow24(benchmark::State& state) { downAtRow24(state, false); }
void BM_DownAtRow24Painted(benchmark::State& state) { downAtRow24(state, true); }
BENCHMARK(BM_DownAtRow24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DownAtRow24Painted)->Unit(benchmark::kMicrosecond);
void BM_DownAtRow24PaintedWithoutProfile(benchmark::State& state) {
  downAtRow24(state, true, false);
}
BENCHMARK(BM_DownAtRow24PaintedWithoutProfile)->Unit(benchmark::kMicrosecond);

// The depth profile redrawn in full after a reading changed: the readings taken again and
// every track drawn, into an offscreen picture.
void BM_ProfileRedraw(benchmark::State& state) {
  OpenWindow window;
  ProfilePanel& panel = *named<ProfilePanel>(*window.form, "picProfile");
  float& value = window.form->sounding().Reading[1][5000];
  for (auto _ : state) {
    value = -value;
    panel.readingsChanged();
    QPixmap picture = panel.grab();
    benchmark::DoNotOptimize(picture);
  }
}
BENCHMARK(BM_ProfileRedraw)->Unit(benchmark::kMillisecond);

// The user picks another unit for channel 1 (and back on the next iteration): 10,000
// values converted, then RefreshGrid.
void BM_ChannelUnitChange(benchmark::State& state) {
  OpenWindow window;
  QComboBox* list = named<QComboBox>(*window.form, "cmbChannelUnits_1");
  bool down = true;
  for (auto _ : state) {
    QTest::keyClick(list, down ? Qt::Key_Down : Qt::Key_Up);
    down = !down;
  }
}
BENCHMARK(BM_ChannelUnitChange)->Unit(benchmark::kMicrosecond);

// Edit Depth, Shift Channel(s) and AutoClean as the user runs them: the panel opened and
// filled, the text typed, the button pressed, RefreshGrid. Alternate iterations undo the
// previous one, so the sounding stays the same size and range.
void BM_StartDepthOk(benchmark::State& state) {
  OpenWindow window;
  MainForm& form = *window.form;
  bool down = true;
  for (auto _ : state) {
    named<QAction>(form, "menuStartDepth")->trigger();
    named<QLineEdit>(form, "txtNewStartDepth")->setText(down ? "5" : "0.02");
    named<QPushButton>(form, "Command3")->click();
    down = !down;
  }
}
BENCHMARK(BM_StartDepthOk)->Unit(benchmark::kMicrosecond);

void BM_DepthIncrementOk(benchmark::State& state) {
  OpenWindow window;
  MainForm& form = *window.form;
  bool up = true;
  for (auto _ : state) {
    named<QAction>(form, "mnuDepthIncrement")->trigger();
    named<QPushButton>(form, up ? "Command9" : "Command10")->click();
    named<QPushButton>(form, "cmdOK")->click();
    up = !up;
  }
}
BENCHMARK(BM_DepthIncrementOk)->Unit(benchmark::kMicrosecond);

void BM_ShiftReadings(benchmark::State& state) {
  OpenWindow window;
  MainForm& form = *window.form;
  bool up = true;
  for (auto _ : state) {
    named<QAction>(form, "mnuShiftBaseline")->trigger();
    named<QLineEdit>(form, QString("txtShiftChannelByChan_%1").arg(1))
        ->setText(up ? "0.5" : "-0.5");
    named<QLineEdit>(form, QString("txtShiftChannelByChan_%1").arg(MaxChannels))
        ->setText(up ? "-1.25" : "1.25");
    named<QPushButton>(form, "Command5")->click();
    up = !up;
  }
}
BENCHMARK(BM_ShiftReadings)->Unit(benchmark::kMicrosecond);

// Every third value of every channel zero or below, put back before each press.
void BM_RemoveNegatives(benchmark::State& state) {
  OpenWindow window;
  MainForm& form = *window.form;
  auto before = std::make_unique<Sounding>(form.sounding());
  for (int c = 1; c <= MaxChannels; ++c)
    for (int n = 1; n <= before->NumReadings; n += 3)
      before->Reading[c][n] = -before->Reading[c][n];
  for (auto _ : state) {
    state.PauseTiming();
    form.sounding() = *before;
    state.ResumeTiming();
    named<QAction>(form, "mnuShiftBaseline")->trigger();
    named<QPushButton>(form, "Command7")->click();
  }
}
BENCHMARK(BM_RemoveNegatives)->Unit(benchmark::kMicrosecond);

// AutoClean with work for both depth steps: every seventh depth 7 mm off the increment
// grid, and 9,950 readings with ten stops of five increments to fill.
// With `pore`, channel 3 is no pore-pressure channel, so one is added and the channels
// from 3 on move up and get their unit lists again.
void autoCleanOnce(benchmark::State& state, bool pore) {
  OpenWindow window;
  MainForm& form = *window.form;
  auto before = std::make_unique<Sounding>(form.sounding());
  Sounding& s = *before;
  s.NumReadings = 9950;
  double offset = 0;
  for (int n = 1; n <= s.NumReadings; ++n) {
    if (n % 995 == 0) offset += 0.08;
    s.Depth[n] = toSingle(0.02 * n + offset + (n % 7 == 0 ? 0.007 : 0.0));
  }
  if (pore) {
    // Nine channels: the pore-pressure column taken out.
    for (int c = 3; c < MaxChannels; ++c) {
      s.ChannelType[c] = s.ChannelType[c + 1];
      s.ChannelName[c] = s.ChannelName[c + 1];
      s.ChannelUnit[c] = s.ChannelUnit[c + 1];
      s.ChannelFactor[c] = s.ChannelFactor[c + 1];
      s.Reading[c] = s.Reading[c + 1];
    }
    s.NumChannels = MaxChannels - 1;
    s.NoPoreChannel = true;
  }
  for (auto _ : state) {
    state.PauseTiming();
    form.sounding() = *before;
    state.ResumeTiming();
    named<QAction>(form, "mnuAutoClean")->trigger();
  }
  state.counters["readings"] = form.sounding().NumReadings;
  if (form.sounding().NumReadings <= 9950) state.SkipWithError("the gaps were not filled");
  if (form.sounding().NumChannels != MaxChannels) state.SkipWithError("a channel is missing");
}
void BM_AutoClean(benchmark::State& state) { autoCleanOnce(state, false); }
void BM_AutoCleanAddingPoreChannel(benchmark::State& state) { autoCleanOnce(state, true); }
BENCHMARK(BM_AutoClean)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AutoCleanAddingPoreChannel)->Unit(benchmark::kMicrosecond);

// Start-up: MainForm built, channel definitions read, window shown.
// Edit, Undo with 50 steps of history: the steps before it replayed on the sounding as
// opened, then the window shown as they left it (grid, columns, lists, header boxes).
void BM_UndoInTheWindow(benchmark::State& state) {
  OpenWindow window;
  MainForm& form = *window.form;
  for (int k = 0; k < 50; ++k) {
    named<QAction>(form, "mnuShiftBaseline")->trigger();
    named<QLineEdit>(form, QString("txtShiftChannelByChan_%1").arg(1 + k % MaxChannels))
        ->setText(k % 2 ? "0.5" : "-0.25");
    named<QPushButton>(form, "Command5")->click();
  }
  for (auto _ : state) {
    named<QAction>(form, "mnuUndo")->trigger();
    state.PauseTiming();
    named<QAction>(form, "mnuRedo")->trigger();
    state.ResumeTiming();
  }
  state.counters["steps"] = static_cast<double>(form.session().history().size());
}
BENCHMARK(BM_UndoInTheWindow)->Unit(benchmark::kMillisecond);

void BM_StartUp(benchmark::State& state) {
  for (auto _ : state) {
    MainForm form(Platform{std::make_shared<OneFileDialog>(QString()),
                           std::make_shared<NoMessages>(), std::make_shared<BenchPlace>(),
                           std::make_shared<NoExit>(), nullptr, nullptr});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) state.SkipWithError("window not exposed");
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelorin

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The first start of a run pays for the application object and the fonts too.
  QElapsedTimer cold;
  cold.start();
  QApplication application(argc, argv);
  {
    pelorin::MainForm form(pelorin::Platform{
        std::make_shared<pelorin::OneFileDialog>(QString()),
        std::make_shared<pelorin::NoMessages>(), std::make_shared<pelorin::BenchPlace>(),
        std::make_shared<pelorin::NoExit>(), nullptr, nullptr});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) std::fprintf(stderr, "window not exposed\n");
    QCoreApplication::processEvents();
    std::printf("first start-up, application object included: %.1f ms\n",
                cold.nsecsElapsed() / 1e6);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
