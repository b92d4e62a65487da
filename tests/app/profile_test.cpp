// The depth profile beside the grid and the View menu, driven with the mouse and the menu
// as a user does: a click makes a reading current exactly as Up and Down would, the wheel
// zooms about the pointer, the profile follows the grid's operations, Profile shows and
// hides it, Copy Readings puts the readings table on the clipboard.

#include <QClipboard>
#include <QMenuBar>
#include <QWheelEvent>
#include <cmath>

#include "app/profile_panel.hpp"
#include "export/readings_table.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

// A control of a window by its name.
template <typename T>
T* named(const MainForm& form, const QString& name) {
  return form.findChild<T*>(name);
}

// What a user sees of the grid: the counters, every cell's text and background.
std::string gridState(const MainForm& form) {
  std::string state = (named<QLabel>(form, "lblDataIndex")->text() +
                       named<QLabel>(form, "lblNumberOfReadings")->text())
                          .toStdString();
  for (int r = 1; r <= GridRows; ++r) {
    QStringList cells = {QString("txtDepth_%1").arg(r), QString("txtSpeed_%1").arg(r)};
    for (int c = 1; c <= MaxChannels; ++c) cells << QString("txtChannel%1_%2").arg(c).arg(r);
    for (const QString& cell : cells) {
      auto* box = named<QLineEdit>(form, cell);
      state +=
          (box->text() + " " + box->palette().color(QPalette::Base).name() + "|").toStdString();
    }
  }
  return state;
}

class ProfileTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    open(kClay);
    panel = named<ProfilePanel>(*form, "picProfile");
    ASSERT_TRUE(panel && panel->isVisible());
  }
  int plotHeight(double share) const {
    QRect plot = panel->plotRect();
    return plot.top() + static_cast<int>(share * (plot.height() - 1));
  }
  // The current-reading line is drawn where the current reading's depth lies.
  void expectLineAtTheCurrentReading() const {
    QImage picture = panel->grab().toImage();
    int x = panel->plotRect().center().x(), row = -1;
    for (int y = 0; y < picture.height() && row < 0; ++y)
      if (picture.pixelColor(x, y) == QColor(0, 90, 220)) row = y;
    const Sounding& s = form->sounding();
    EXPECT_NEAR(row, std::floor(panel->heightOf(s.Reading[0][s.DataIndex])), 0.5);
  }
  ProfilePanel* panel = nullptr;
};

TEST_F(ProfileTest, ClickMakesTheNearestReadingCurrentAsUpAndDownWould) {
  // A second window, moved with the keys, must end in the same state after each click.
  dialog->answer(kClay);
  MainForm keys(Platform{dialog, messages, place, programExit, nullptr, nullptr});
  named<QAction>(keys, "MenuFileOpen")->trigger();
  const Sounding& s = form->sounding();
  // Far down (the grid scrolls), a little up (only the highlight moves), far up, above the
  // first reading, below the last.
  for (double share : {0.6, 0.58, 0.2, 0.0, 1.0}) {
    SCOPED_TRACE(share);
    int y = plotHeight(share);
    double depth = panel->depthAt(y);
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(panel->plotRect().center().x(), y));
    int n = s.DataIndex;
    if (share == 0.0 || share == 1.0)
      EXPECT_EQ(n, share == 0.0 ? s.MaxLag + 1 : s.NumReadings);
    else
      EXPECT_NEAR(s.Depth[n], depth, 0.01 + 1e-6) << "half the 0.02 m between readings";
    Sounding& k = keys.sounding();
    for (int presses = n - k.DataIndex, i = 0; i < std::abs(presses); ++i)
      QTest::keyClick(named<QLineEdit>(keys, QString("txtDepth_%1").arg(k.CurrentRow)),
                      presses > 0 ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(gridState(*form), gridState(keys));
    EXPECT_EQ(QApplication::focusWidget(), depthCell(s.CurrentRow));
    expectLineAtTheCurrentReading();
  }
  pressInDepthColumn(Qt::Key_Up, 5);
  expectLineAtTheCurrentReading();
}

TEST_F(ProfileTest, WheelZoomsAboutThePointerAndDoubleClickShowsAll) {
  const double top = panel->viewTop(), bottom = panel->viewBottom();
  QPointF at(panel->plotRect().center().x(), plotHeight(0.7));
  double under = panel->depthAt(at.y());
  QWheelEvent wheel(at, panel->mapToGlobal(at), QPoint(), QPoint(0, 360), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(panel, &wheel);
  EXPECT_NEAR(panel->depthAt(at.y()), under, 1e-6) << "the depth under the pointer stays";
  EXPECT_NEAR(panel->viewBottom() - panel->viewTop(), (bottom - top) * std::pow(0.8, 3), 1e-6);
  pressInDepthColumn(Qt::Key_Down, 3);  // the zoomed view follows the current reading
  expectLineAtTheCurrentReading();
  QTest::mouseDClick(panel, Qt::LeftButton, {}, at.toPoint());
  EXPECT_FALSE(panel->zoomed());
  EXPECT_DOUBLE_EQ(panel->viewTop(), top);
  EXPECT_DOUBLE_EQ(panel->viewBottom(), bottom);
}

TEST_F(ProfileTest, ProfileTakesTheReadingsAgainAfterARefreshAndAfterCombine) {
  panel->grab();
  ASSERT_EQ(panel->data().tracks.size(), 4u) << "Qc, Fs, U2 and Rf";
  const float rf = panel->data().tracks[3].values[100];
  chooseInList("cmbChannelUnits_1", Qt::Key_Down);
  panel->grab();
  EXPECT_EQ(panel->data().tracks[0].unit, text("cmbChannelUnits_1"));
  EXPECT_NEAR(panel->data().tracks[3].values[100], rf, 1e-4 * rf)
      << "Rf does not depend on the units shown";
  // Combine's OK leaves the grid as it is, but the profile shows the appended readings.
  menu("menuCombine", kClay);
  type("txtStartDepth", "6");
  click("cmdCombineOK");
  ASSERT_GT(form->sounding().NumReadings, 600);
  EXPECT_EQ(panel->data().depth.size(), static_cast<std::size_t>(form->sounding().NumReadings));
}

TEST_F(ProfileTest, ViewMenuShowsAndHidesTheProfile) {
  menu("mnuViewProfile");
  EXPECT_FALSE(control<QAction>("mnuViewProfile")->isChecked() || panel->isVisible());
  EXPECT_EQ(form->centralWidget()->geometry(),
            QRect(QPoint(0, form->menuBar()->height()), QSize(801, 649)));
  pressInDepthColumn(Qt::Key_Down, 40);  // hidden, it still takes what changes
  menu("mnuViewProfile");
  EXPECT_TRUE(panel->isVisible());
  expectLineAtTheCurrentReading();
}

TEST_F(ProfileTest, CopyReadingsPutsTheReadingsTableOnTheClipboard) {
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  QGuiApplication::clipboard()->clear();
  menu("mnuCopyReadings");
  QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith("Depth (ft)\tSpeed (cm/s)\tQc (")) << copied.left(60).toStdString();
  EXPECT_EQ(copied.toStdString(), readingsTable(form->sounding(), form->definitions(),
                                                DepthUnit::Feet, TableStyle::TabSeparated));
}

}  // namespace
}  // namespace pelorin::test
