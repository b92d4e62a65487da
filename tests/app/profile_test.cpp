// The depth profile beside the grid and the View menu, driven with the mouse and the menu
// as a user does: a click makes a reading current exactly as Up and Down would, the wheel
// zooms about the pointer, the profile follows the grid's operations, Profile shows and
// hides it, Copy Readings puts the readings table on the clipboard.

#include <QClipboard>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWheelEvent>
#include <cmath>

#include "app/profile_panel.hpp"
#include "export/readings_table.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

// What a user sees of the grid: the counters, every cell's text and background.
std::vector<std::string> gridState(MainForm& form) {
  std::vector<std::string> state{form.lblDataIndex->text().toStdString(),
                                 form.lblNumberOfReadings->text().toStdString()};
  auto add = [&](QLineEdit* box) {
    state.push_back(box->objectName().toStdString() + "=" + box->text().toStdString() + " " +
                    box->palette().color(QPalette::Base).name().toStdString());
  };
  for (int r = 1; r <= GridRows; ++r) {
    add(form.txtDepth[r]);
    add(form.txtSpeed[r]);
    for (int c = 1; c <= MaxChannels; ++c) add(form.txtChannel[c][r]);
  }
  return state;
}

class ProfileTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    open(sample("sample_clay_002.cpt"));
    panel = form->picProfile;
    ASSERT_TRUE(panel && panel->isVisible());
  }
  int plotHeight(double share) const {
    QRect plot = panel->plotRect();
    return plot.top() + static_cast<int>(share * (plot.height() - 1));
  }
  // The row of the panel where the current-reading line is drawn, -1 without one.
  int currentLineRow() const {
    QImage picture = panel->grab().toImage();
    int x = panel->plotRect().center().x();
    for (int y = 0; y < picture.height(); ++y)
      if (picture.pixelColor(x, y) == QColor(0, 90, 220)) return y;
    return -1;
  }
  void wheel(int y, int notches) {
    QPointF at(panel->plotRect().center().x(), y);
    QWheelEvent event(at, panel->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(panel, &event);
  }
  ProfilePanel* panel = nullptr;
};

TEST_F(ProfileTest, ClickMakesTheNearestReadingCurrentAsUpAndDownWould) {
  // A second window, moved with the keys, must end in the same state after each click.
  dialog->answer(sample("sample_clay_002.cpt"));
  MainForm keys(Platform{dialog, messages, place, programExit});
  keys.MenuFileOpen->trigger();
  const Sounding& s = form->sounding();
  const double spacing = 0.02;  // m between readings of this sample

  struct Case {
    const char* what;
    double share;  // of the plot's height, from the top
  };
  const Case cases[] = {{"far down: the grid scrolls", 0.6},
                        {"a little up: only the highlight moves", 0.58},
                        {"far up", 0.2},
                        {"above the first reading", 0.0},
                        {"below the last reading", 1.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int y = plotHeight(c.share);
    double depth = panel->depthAt(y);
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(panel->plotRect().center().x(), y));

    int n = s.DataIndex;
    if (c.share == 0.0)
      EXPECT_EQ(n, s.MaxLag + 1);
    else if (c.share == 1.0)
      EXPECT_EQ(n, s.NumReadings);
    else
      EXPECT_NEAR(s.Depth[n], depth, spacing / 2 + 1e-6);

    Sounding& k = keys.sounding();
    int presses = n - k.DataIndex;
    for (int i = 0; i < std::abs(presses); ++i)
      QTest::keyClick(keys.txtDepth[k.CurrentRow], presses > 0 ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(s.CurrentRow, k.CurrentRow);
    EXPECT_EQ(gridState(*form), gridState(keys));
    EXPECT_EQ(QApplication::focusWidget(), depthCell(s.CurrentRow));
    EXPECT_NEAR(currentLineRow(), std::floor(panel->heightOf(s.Reading[0][n])), 0.5);
  }
  // Up and Down move the line with the grid.
  pressInDepthColumn(Qt::Key_Up, 5);
  EXPECT_NEAR(currentLineRow(), std::floor(panel->heightOf(s.Reading[0][s.DataIndex])), 0.5);
}

TEST_F(ProfileTest, WheelZoomsAboutThePointerAndDoubleClickShowsAll) {
  const double top = panel->viewTop(), bottom = panel->viewBottom();
  int y = plotHeight(0.7);
  double under = panel->depthAt(y);
  wheel(y, 3);
  EXPECT_TRUE(panel->zoomed());
  EXPECT_NEAR(panel->depthAt(y), under, 1e-6) << "the depth under the pointer stays";
  EXPECT_NEAR(panel->viewBottom() - panel->viewTop(), (bottom - top) * std::pow(0.8, 3), 1e-6);
  // The zoomed view follows the current reading out of it.
  pressInDepthColumn(Qt::Key_Down, 3);
  EXPECT_GE(currentLineRow(), panel->plotRect().top());
  EXPECT_TRUE(panel->grab().save(QString(PELORIN_PICTURES) + "/pelorin_profile_zoomed.png"));

  QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(panel->plotRect().center().x(), y));
  EXPECT_FALSE(panel->zoomed());
  EXPECT_DOUBLE_EQ(panel->viewTop(), top);
  EXPECT_DOUBLE_EQ(panel->viewBottom(), bottom);
}

TEST_F(ProfileTest, ProfileTakesTheReadingsAgainAfterARefreshAndAfterCombine) {
  panel->grab();
  ASSERT_EQ(panel->data().tracks.size(), 4u) << "Qc, Fs, U2 and Rf";
  const float rf = panel->data().tracks[3].values[100];
  chooseInList("cmbChannelUnits_1", Qt::Key_Down);
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  panel->grab();
  const ProfileData& p = panel->data();
  EXPECT_EQ(QString::fromStdString(p.tracks[0].unit), form->cmbChannelUnits[1]->currentText());
  EXPECT_FLOAT_EQ(p.depth.back(), form->sounding().Reading[0][form->sounding().NumReadings]);
  EXPECT_NEAR(p.tracks[3].values[100], rf, 1e-4 * rf) << "Rf does not depend on the units shown";

  // Combine's OK leaves the grid as it is, but the profile shows the appended readings.
  dialog->answer(sample("sample_clay_002.cpt"));
  form->menuCombine->trigger();
  form->txtStartDepth->setText("6");
  form->cmdCombineOK->click();
  ASSERT_GT(form->sounding().NumReadings, 600);
  EXPECT_EQ(panel->data().depth.size(), static_cast<std::size_t>(form->sounding().NumReadings));
}

TEST_F(ProfileTest, ViewMenuShowsAndHidesTheProfile) {
  QList<QAction*> items = form->mnuView->actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0]->text(), "&Profile");
  EXPECT_TRUE(items[0]->isCheckable() && items[0]->isChecked());
  EXPECT_EQ(items[1]->text(), "&Copy Readings");

  const int wide = form->width();
  EXPECT_GE(wide, 801 + 500);
  form->mnuViewProfile->trigger();
  EXPECT_FALSE(form->mnuViewProfile->isChecked());
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(form->width(), 801);
  EXPECT_EQ(form->centralWidget()->geometry(),
            QRect(QPoint(0, form->menuBar()->height()), QSize(801, 649)));
  // Hidden, it still takes what changes, and shows it when it comes back.
  pressInDepthColumn(Qt::Key_Down, 40);
  form->mnuViewProfile->trigger();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(form->width(), wide);
  EXPECT_NEAR(currentLineRow(),
              std::floor(panel->heightOf(form->sounding().Reading[0][form->sounding().DataIndex])),
              0.5);
}

TEST_F(ProfileTest, CopyReadingsPutsTheReadingsTableOnTheClipboard) {
  // Friction lags in this sample: its last readings have no sleeve value.
  chooseInList("cmbDepthUnits_1", Qt::Key_Down);
  QGuiApplication::clipboard()->clear();
  form->mnuCopyReadings->trigger();
  QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith("Depth (ft)\tSpeed (cm/s)\tQc (")) << copied.left(60).toStdString();
  EXPECT_EQ(copied.toStdString(), readingsTable(form->sounding(), form->definitions(),
                                                DepthUnit::Feet, TableStyle::TabSeparated));
}

}  // namespace
}  // namespace pelorin::test
