#pragma once
// The depth profile beside the grid: every channel of the open sounding (and the friction
// ratio) plotted against depth, depth pointing down on one shared axis, as engineers read a
// CPT log. The current reading is a line across all tracks.
//
// Drawn with QPainter: a log is a handful of polylines, ticks and texts, and drawing them
// directly keeps a redraw of 10,000 readings within a few milliseconds and lets the tracks
// share one depth axis exactly. The plotted tracks are kept as a picture; moving the
// current reading only draws the line again over it.

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "display/profile_data.hpp"

namespace pelorin {

// What the profile plots and where a click goes: the sounding as it stands (the session may
// put another in its place), its channel definitions, the depth unit shown, and the
// window's handler for a click at a display depth.
struct ProfileSource {
  std::function<const Sounding&()> sounding;
  std::function<const ChannelDefinitions&()> definitions;
  std::function<DepthUnit()> depthUnit;
  std::function<void(double displayDepth)> clicked;
};

// 1, 2 or 5 times a power of ten, giving about `intervals` steps over `span`.
double niceStep(double span, double intervals);
// A tick value with the decimals its step needs.
QString tickText(double value, double step);

class ProfilePanel : public QWidget {
 public:
  explicit ProfilePanel(ProfileSource source, QWidget* parent = nullptr);

  // Room for a depth axis and eleven tracks (ten channels and Rf) of about 45 pixels.
  QSize sizeHint() const override { return {560, 600}; }

  // The readings, depths or units changed: the data is taken again before the next paint.
  void readingsChanged();
  // Only the current reading moved: the line is drawn again over the kept picture.
  void currentChanged();

  // What is plotted, taken again first if the sounding changed since.
  const ProfileData& data();
  // The display depth at height y of the plot (y clamped to the plot), and back.
  double depthAt(double y);
  double heightOf(double depth);
  // The depth range shown, display unit: top (shallow) and bottom (deep).
  double viewTop();
  double viewBottom();
  bool zoomed() const { return zoomed_; }
  // Drops the zoom: the whole sounding is shown.
  void showWholeSounding();
  // The rectangle the tracks are plotted in, depth axis excluded.
  QRect plotRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  struct Axis {
    double low = 0, high = 1, step = 1;
  };
  // Takes the readings again when they differ from those last plotted. A grid refresh that
  // only scrolled (Down in row 24) changes nothing here: the picture is kept.
  void takeDataIfStale();
  void takeData();
  bool sourceUnchanged() const;
  void keepSource();
  void drawPicture();
  void drawTrack(QPainter& painter, const ProfileTrack& track, const Axis& axis, const QRect& box,
                 const std::vector<char>& near, const QColor& colour);
  void followCurrentReading();
  double metresOf(double depth) const;
  double displayOf(double metres) const;

  ProfileSource model_;
  ProfileData data_;
  DepthUnit unit_ = DepthUnit::Metres;
  std::vector<Axis> axes_;                 // one per track
  double wholeTop_ = 0, wholeBottom_ = 1;  // display unit
  bool dataStale_ = true, pictureStale_ = true;
  // What the plot was taken from: the depth unit, channel set-up and readings.
  struct Source {
    DepthUnit unit = DepthUnit::Metres;
    int readings = -1, channels = 0;
    std::array<int, MaxChannels + 1> type{}, option{}, lag{};
    std::array<float, MaxChannels + 1> factor{};
    std::array<std::string, MaxChannels + 1> name;
    std::vector<float> columns;  // depths, speeds, then each channel's readings
  };
  Source source_;
  // The zoomed view, kept in metres so that it survives a change of depth unit.
  bool zoomed_ = false;
  double zoomTopMetres_ = 0, zoomBottomMetres_ = 0;
  QImage picture_;
};

}  // namespace pelorin
