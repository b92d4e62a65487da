#include "app/profile_panel.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "app/platform.hpp"

namespace pelorin {

namespace {

constexpr int kDepthAxisWidth = 54;  // depth labels, then the speed-alarm margin
constexpr int kAlarmMargin = 6;
constexpr int kTrackGap = 5;
constexpr int kOuterMargin = 6;
// Values at the ends of a track's axis stay clear of its frame (a zero baseline too).
constexpr int kValueInset = 3;
// A wheel notch shows this share of the depth range it showed before.
constexpr double kZoomPerNotch = 0.8;
// The deepest zoom shows this share of the whole sounding.
constexpr double kSmallestView = 0.002;

const QColor kTrackColours[] = {QColor(200, 30, 30),  QColor(20, 90, 200), QColor(0, 130, 60),
                                QColor(150, 60, 170), QColor(200, 120, 0), QColor(0, 140, 150),
                                QColor(120, 80, 40),  QColor(90, 90, 90),  QColor(220, 60, 140),
                                QColor(60, 60, 160)};
const QColor kFrictionRatioColour(30, 30, 30);
const QColor kCurrentLine(0, 90, 220);
const QColor kGrid(222, 222, 222);
const QColor kAlarm(255, 0, 0);
const QColor kRateOutside(255, 236, 200);  // a pale orange behind the tracks

}  // namespace

// 1, 2 or 5 times a power of ten, giving about `intervals` steps over `span`.
double niceStep(double span, double intervals) {
  if (!(span > 0) || !std::isfinite(span) || !(intervals > 0)) return 1;
  double raw = span / intervals;
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double fraction = raw / magnitude;
  return (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * magnitude;
}

QString tickText(double value, double step) {
  if (std::fabs(value) < step * 1e-9) value = 0;
  if (std::fabs(value) >= 1e6 || step < 1e-6) return QString::number(value, 'g', 3);
  int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6);
  return QString::number(value, 'f', decimals);
}

ProfilePanel::ProfilePanel(ProfileSource source, QWidget* parent)
    : QWidget(parent), model_(std::move(source)) {
  setObjectName("picProfile");
  // The keys stay with the grid: a click here moves the current reading, not the focus.
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProfilePanel::readingsChanged() {
  dataStale_ = true;
  update();
}

void ProfilePanel::currentChanged() { update(); }

QRect ProfilePanel::plotRect() const {
  int lineHeight = fontMetrics().lineSpacing();
  int top = kOuterMargin + 3 * lineHeight + 4;
  return QRect(QPoint(kDepthAxisWidth, top),
               QPoint(width() - 1 - kOuterMargin, height() - 1 - kOuterMargin));
}

double ProfilePanel::metresOf(double depth) const { return toMetres(depth, unit_); }
double ProfilePanel::displayOf(double metres) const { return toDisplayUnit(metres, unit_); }

const ProfileData& ProfilePanel::data() {
  takeDataIfStale();
  return data_;
}

double ProfilePanel::viewTop() {
  takeDataIfStale();
  return zoomed_ ? displayOf(zoomTopMetres_) : wholeTop_;
}
double ProfilePanel::viewBottom() {
  takeDataIfStale();
  return zoomed_ ? displayOf(zoomBottomMetres_) : wholeBottom_;
}

double ProfilePanel::depthAt(double y) {
  QRect r = plotRect();
  double share = std::clamp((y - r.top()) / std::max(1, r.height()), 0.0, 1.0);
  return viewTop() + share * (viewBottom() - viewTop());
}

double ProfilePanel::heightOf(double depth) {
  QRect r = plotRect();
  return r.top() + (depth - viewTop()) / (viewBottom() - viewTop()) * r.height();
}

void ProfilePanel::showWholeSounding() {
  zoomed_ = false;
  pictureStale_ = true;
  update();
}

bool ProfilePanel::sourceUnchanged() const {
  const Sounding& s = model_.sounding();
  const Source& k = source_;
  if (model_.depthUnit() != k.unit || s.NumReadings != k.readings || s.NumChannels != k.channels)
    return false;
  for (int c = 1; c <= s.NumChannels; ++c)
    if (s.ChannelType[c] != k.type[c] || s.ChannelUnit[c] != k.option[c] ||
        s.ChannelLag[c] != k.lag[c] || s.ChannelFactor[c] != k.factor[c] ||
        s.ChannelName[c] != k.name[c])
      return false;
  // Bit for bit: any change, a NaN or a signed zero included, counts as one.
  const auto count = static_cast<std::size_t>(std::clamp(s.NumReadings, 0, MaxReadings));
  const float* kept = k.columns.data();
  auto same = [&](const ReadingColumn& column) {
    bool equal = count == 0 || std::memcmp(column.data() + 1, kept, count * sizeof(float)) == 0;
    kept += count;
    return equal;
  };
  if (!same(s.Depth) || !same(s.Speed)) return false;
  for (int c = 1; c <= s.NumChannels; ++c)
    if (!same(s.Reading[c])) return false;
  return true;
}

void ProfilePanel::keepSource() {
  const Sounding& s = model_.sounding();
  Source& k = source_;
  k.unit = unit_;
  k.readings = s.NumReadings;
  k.channels = s.NumChannels;
  for (int c = 1; c <= s.NumChannels; ++c) {
    k.type[c] = s.ChannelType[c];
    k.option[c] = s.ChannelUnit[c];
    k.lag[c] = s.ChannelLag[c];
    k.factor[c] = s.ChannelFactor[c];
    k.name[c] = s.ChannelName[c];
  }
  const auto count = static_cast<std::size_t>(std::clamp(s.NumReadings, 0, MaxReadings));
  k.columns.resize(count * (2 + s.NumChannels));
  float* to = k.columns.data();
  auto keep = [&](const ReadingColumn& column) {
    std::copy_n(column.begin() + 1, count, to);
    to += count;
  };
  keep(s.Depth);
  keep(s.Speed);
  for (int c = 1; c <= s.NumChannels; ++c) keep(s.Reading[c]);
}

void ProfilePanel::takeDataIfStale() {
  if (!dataStale_) return;
  if (sourceUnchanged())
    dataStale_ = false;
  else
    takeData();
}

void ProfilePanel::takeData() {
  unit_ = model_.depthUnit();
  data_ = profileData(model_.sounding(), model_.definitions(), unit_);
  keepSource();

  double top = std::numeric_limits<double>::infinity(), bottom = -top;
  for (float d : data_.depth)
    if (std::isfinite(d)) top = std::min<double>(top, d), bottom = std::max<double>(bottom, d);
  if (top > bottom) top = bottom = 0;
  // A little room above the first reading and below the last, so neither sits on the frame.
  double pad = bottom > top ? (bottom - top) * 0.01 : std::max(0.5, std::fabs(top) * 1e-3);
  wholeTop_ = top - pad;
  wholeBottom_ = bottom + pad;

  // Each track's axis spans its values and zero, so a negative baseline stands out.
  axes_.clear();
  for (const ProfileTrack& track : data_.tracks) {
    double low = 0, high = 0;
    for (float v : track.values)
      if (std::isfinite(v)) low = std::min<double>(low, v), high = std::max<double>(high, v);
    if (high == low) high = low + 1;
    Axis axis;
    axis.step = niceStep(high - low, 4);
    axis.low = std::floor(low / axis.step) * axis.step;
    axis.high = std::ceil(high / axis.step) * axis.step;
    if (!(axis.high > axis.low)) axis = Axis{};
    axes_.push_back(axis);
  }
  dataStale_ = false;
  pictureStale_ = true;
}

void ProfilePanel::followCurrentReading() {
  const Sounding& s = model_.sounding();
  if (!zoomed_ || s.DataIndex < 1 || s.DataIndex > static_cast<int>(data_.depth.size())) return;
  double current = data_.depth[s.DataIndex - 1];
  double top = viewTop(), bottom = viewBottom();
  if (current >= top && current <= bottom) return;
  // The view moves by the least that brings the current reading back into it.
  double span = bottom - top;
  double newTop = current < top ? current - span * 0.1 : current - span * 0.9;
  newTop = std::clamp(newTop, wholeTop_, std::max(wholeTop_, wholeBottom_ - span));
  zoomTopMetres_ = metresOf(newTop);
  zoomBottomMetres_ = metresOf(newTop + span);
  pictureStale_ = true;
}

void ProfilePanel::drawTrack(QPainter& painter, const ProfileTrack& track, const Axis& axis,
                             const QRect& box, const std::vector<char>& near,
                             const QColor& colour) {
  const int count = static_cast<int>(track.values.size());
  const double left = box.left() + kValueInset;
  const double scale = (box.width() - 2 * kValueInset) / (axis.high - axis.low);
  const double top = viewTop(), span = viewBottom() - viewTop();
  const double limit = 4.0 * box.height();  // beyond the frame, far enough for any slope

  // Consecutive readings that fall in one pixel row are drawn as that row's span of values
  // (first, lowest, highest, last), so a redraw costs the plot's height, not the readings.
  QPolygonF line;
  line.reserve(4 * box.height() + 8);
  bool inRow = false;
  double row = 0, first = 0, lowest = 0, highest = 0, last = 0;
  auto add = [&](double x) {
    if (line.isEmpty() || line.back() != QPointF(x, row)) line.append(QPointF(x, row));
  };
  auto closeRow = [&] {
    if (!inRow) return;
    add(first);
    add(lowest);
    add(highest);
    add(last);
    inRow = false;
  };
  auto closeLine = [&] {
    closeRow();
    if (line.size() == 1)
      painter.drawPoint(line.front());
    else if (line.size() > 1)
      painter.drawPolyline(line);
    line.clear();
  };

  painter.setPen(QPen(colour, 1));
  for (int i = 0; i < count; ++i) {
    float v = track.values[i];
    if (!near[i] || !std::isfinite(v) || !std::isfinite(data_.depth[i])) {
      closeLine();  // a gap: no value here, or a reading far outside the view
      continue;
    }
    double y = box.top() + (data_.depth[i] - top) / span * box.height();
    y = std::floor(std::clamp(y, box.top() - limit, box.bottom() + limit));
    double x = left + (v - axis.low) * scale;
    if (inRow && y == row) {
      lowest = std::min(lowest, x);
      highest = std::max(highest, x);
      last = x;
      continue;
    }
    closeRow();
    inRow = true;
    row = y;
    first = lowest = highest = last = x;
  }
  closeLine();
}

void ProfilePanel::drawPicture() {
  const qreal ratio = devicePixelRatioF();
  if (picture_.size() != size() * ratio)
    picture_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
  picture_.setDevicePixelRatio(ratio);
  picture_.fill(palette().color(QPalette::Window));
  pictureStale_ = false;

  QPainter painter(&picture_);
  painter.setFont(font());
  const QFontMetrics metrics = fontMetrics();
  const int lineHeight = metrics.lineSpacing();
  const QRect plot = plotRect();
  const int headTop = kOuterMargin;
  if (plot.height() < 10 || plot.width() < 10) return;

  // The depth axis: its name and unit above, the ticks at its right edge.
  const QRect depthHead(0, headTop, kDepthAxisWidth - kAlarmMargin, lineHeight);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(depthHead, Qt::AlignCenter, u"Depth"_s);
  painter.drawText(depthHead.translated(0, lineHeight), Qt::AlignCenter,
                   unit_ == DepthUnit::Metres ? u"(m)"_s : u"(ft)"_s);

  const int trackCount = static_cast<int>(data_.tracks.size());
  const int trackWidth =
      trackCount > 0 ? (plot.width() - kTrackGap * (trackCount - 1)) / trackCount : plot.width();
  auto trackBox = [&](int t) {
    return QRect(plot.left() + t * (trackWidth + kTrackGap), plot.top(), trackWidth, plot.height());
  };
  for (int t = 0; t < std::max(trackCount, 1); ++t) painter.fillRect(trackBox(t), Qt::white);

  const int count = static_cast<int>(data_.depth.size());
  if (count == 0) return;

  // Depth ticks: a grid line across every track and the depth at the axis.
  const double top = viewTop(), bottom = viewBottom();
  const double depthStep = niceStep(bottom - top, std::max(2, plot.height() / (4 * lineHeight)));
  const double firstTick = std::ceil(top / depthStep) * depthStep;
  for (int i = 0; i < 200 && firstTick + i * depthStep <= bottom; ++i) {
    const double d = firstTick + i * depthStep;
    int y = static_cast<int>(std::floor(heightOf(d)));
    painter.setPen(kGrid);
    for (int t = 0; t < trackCount; ++t) {
      QRect box = trackBox(t);
      painter.drawLine(box.left(), y, box.right(), y);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(kDepthAxisWidth - kAlarmMargin - 4, y, kDepthAxisWidth - kAlarmMargin - 1, y);
    painter.drawText(QRect(0, y - lineHeight / 2, kDepthAxisWidth - kAlarmMargin - 6, lineHeight),
                     Qt::AlignRight | Qt::AlignVCenter, tickText(d, depthStep));
  }

  // Where the penetration rate keeps outside its band: shaded across the tracks.
  for (const ReadingRun& run : data_.rateRuns) {
    const double runTop = heightOf(data_.depth[run.first - 1]),
                 runBottom = heightOf(data_.depth[run.last - 1]);
    for (int t = 0; t < trackCount; ++t) {
      QRect box = trackBox(t);
      painter.fillRect(QRectF(box.left(), runTop, box.width(), std::max(1.0, runBottom - runTop))
                           .intersected(box),
                       kRateOutside);
    }
  }

  // Readings that are plotted: those in the view and their neighbours, so that lines run on
  // to the frame.
  std::vector<char> inView(count), near(count);
  for (int i = 0; i < count; ++i) inView[i] = data_.depth[i] >= top && data_.depth[i] <= bottom;
  for (int i = 0; i < count; ++i)
    near[i] = inView[i] || (i > 0 && inView[i - 1]) || (i + 1 < count && inView[i + 1]);

  // Readings whose speed the grid shows in red: a mark in the depth axis's margin.
  painter.setPen(kAlarm);
  int lastMark = -1;
  for (int i = 0; i < count; ++i) {
    if (!data_.alarm[i] || !inView[i]) continue;
    int y = static_cast<int>(std::floor(heightOf(data_.depth[i])));
    if (y == lastMark) continue;
    lastMark = y;
    painter.drawLine(kDepthAxisWidth - kAlarmMargin, y, kDepthAxisWidth - 2, y);
  }

  for (int t = 0; t < trackCount; ++t) {
    const ProfileTrack& track = data_.tracks[t];
    const Axis& axis = axes_[t];
    const QRect box = trackBox(t);
    // The tracks after the channels' own are derived: the friction ratio.
    const QColor colour = t >= model_.sounding().NumChannels
                              ? kFrictionRatioColour
                              : kTrackColours[t % std::size(kTrackColours)];

    // Heading: the channel's name, its unit, the axis's ends.
    QRect head(box.left(), headTop, box.width(), lineHeight);
    painter.setPen(colour);
    painter.drawText(
        head, Qt::AlignHCenter | Qt::AlignVCenter,
        metrics.elidedText(QString::fromStdString(track.title), Qt::ElideRight, box.width()));
    QString unitText =
        track.unit.empty() ? QString() : u"("_s + QString::fromStdString(track.unit) + u")"_s;
    painter.drawText(head.translated(0, lineHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                     metrics.elidedText(unitText, Qt::ElideRight, box.width()));
    QString low = tickText(axis.low, axis.step), high = tickText(axis.high, axis.step);
    painter.setPen(palette().color(QPalette::WindowText));
    QRect ends = head.translated(0, 2 * lineHeight);
    if (metrics.horizontalAdvance(low) + metrics.horizontalAdvance(high) + 4 <= box.width())
      painter.drawText(ends, Qt::AlignLeft | Qt::AlignVCenter, low);
    painter.drawText(ends, Qt::AlignRight | Qt::AlignVCenter, high);

    // Value grid lines, and zero darker where the axis crosses it.
    const double scale = (box.width() - 2 * kValueInset) / (axis.high - axis.low);
    for (int i = 0; i < 50 && axis.low + i * axis.step <= axis.high + axis.step * 1e-9; ++i) {
      const double v = axis.low + i * axis.step;
      int x = box.left() + kValueInset + static_cast<int>(std::lround((v - axis.low) * scale));
      painter.setPen(std::fabs(v) < axis.step * 1e-9 ? QColor(150, 150, 150) : kGrid);
      painter.drawLine(x, box.top(), x, box.bottom());
    }

    painter.save();
    painter.setClipRect(box);
    drawTrack(painter, track, axis, box, near, colour);
    painter.restore();
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
}

void ProfilePanel::paintEvent(QPaintEvent*) {
  takeDataIfStale();
  followCurrentReading();
  if (pictureStale_ || picture_.size() != size() * devicePixelRatioF()) drawPicture();

  QPainter painter(this);
  painter.drawImage(0, 0, picture_);

  // The current reading: the row the grid highlights.
  const Sounding& s = model_.sounding();
  if (s.DataIndex < 1 || s.DataIndex > static_cast<int>(data_.depth.size())) return;
  QRect plot = plotRect();
  double y = std::floor(heightOf(data_.depth[s.DataIndex - 1]));
  if (!(y >= plot.top() && y <= plot.bottom())) return;
  painter.setPen(QPen(kCurrentLine, 1));
  painter.drawLine(QPointF(kDepthAxisWidth - kAlarmMargin - 4, y), QPointF(plot.right(), y));
  painter.setBrush(kCurrentLine);
  painter.drawConvexPolygon(QPolygonF({QPointF(kDepthAxisWidth - kAlarmMargin - 10, y - 4),
                                       QPointF(kDepthAxisWidth - kAlarmMargin - 4, y),
                                       QPointF(kDepthAxisWidth - kAlarmMargin - 10, y + 4)}));
}

void ProfilePanel::resizeEvent(QResizeEvent* event) {
  pictureStale_ = true;
  QWidget::resizeEvent(event);
}

void ProfilePanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  takeDataIfStale();
  QRect plot = plotRect();
  double y = event->position().y();
  if (data_.depth.empty() || y < plot.top() || y > plot.bottom()) return;
  model_.clicked(depthAt(y));
}

void ProfilePanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) showWholeSounding();
}

void ProfilePanel::wheelEvent(QWheelEvent* event) {
  takeDataIfStale();
  double notches = event->angleDelta().y() / 120.0;
  if (notches == 0 || data_.depth.empty()) return;
  event->accept();
  // The depth under the pointer stays where it is; the range around it shrinks or grows.
  double at = depthAt(event->position().y());
  double factor = std::pow(kZoomPerNotch, notches);
  double top = at - (at - viewTop()) * factor, bottom = at + (viewBottom() - at) * factor;
  double whole = wholeBottom_ - wholeTop_;
  if (bottom - top >= whole) {
    showWholeSounding();
    return;
  }
  if (bottom - top < whole * kSmallestView) return;
  double shift = top < wholeTop_         ? wholeTop_ - top
                 : bottom > wholeBottom_ ? wholeBottom_ - bottom
                                         : 0;
  zoomed_ = true;
  zoomTopMetres_ = metresOf(top + shift);
  zoomBottomMetres_ = metresOf(bottom + shift);
  pictureStale_ = true;
  update();
}

}  // namespace pelorin
