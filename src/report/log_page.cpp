#include "report/log_page.hpp"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "interpret/soil_behaviour_chart.hpp"

namespace pelorin::report {

namespace {

// Sizes in tenths of a millimetre.
constexpr double kMargin = 100;
constexpr double kDepthColumn = 100;  // the depth labels left of the graphs
constexpr double kTrackGap = 30;
constexpr double kHeaderRow = 45;
constexpr double kTitleBlockHeight = 440;
constexpr double kFooterHeight = 200;
constexpr int kCaptionSize = 20, kTextSize = 27, kLabelSize = 22;
constexpr double kStepLine = kLabelSize + 5;
// The room a box's lines have below its caption.
constexpr double kBoxLinesTop = 6 + kCaptionSize + 10, kBoxLinesBottom = 6;

const QColor kInk(0, 0, 0), kCaption(90, 90, 90), kGrid(200, 200, 200), kMajorGrid(150, 150, 150);
const QColor kRepeated(238, 238, 238);
// The graphs' colours, in the order of LogGraph.
const QColor kGraphColour[LogGraphCount] = {QColor(0x0b, 0x3d, 0x91), QColor(0x2e, 0x7d, 0x32),
                                            QColor(0x00, 0x83, 0x8f), QColor(0xc6, 0x28, 0x28),
                                            QColor(0x6a, 0x1b, 0x9a), QColor(0x30, 0x30, 0x30)};

const QColor& colourOf(LogGraph graph) { return kGraphColour[static_cast<std::size_t>(graph)]; }

// The width each graph takes in the panels layout, relative to the others.
double panelWeight(LogGraph graph) {
  constexpr double weights[LogGraphCount] = {5, 3, 3, 2.5, 1.6, 2.4};
  return weights[static_cast<std::size_t>(graph)];
}

// The inclination strip and the Ic column keep a column of their own in the overlay too.
bool ownColumn(LogGraph graph) { return graph == LogGraph::Inclination || graph == LogGraph::Ic; }

// A gridline step of 1, 2 or 5 times a power of ten, nearest to `count` steps across.
double niceStep(double range, double count) {
  const double raw = range / std::max(1.0, count);
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double best = magnitude;
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (std::fabs(std::log(m * magnitude / raw)) < std::fabs(std::log(best / raw)))
      best = m * magnitude;
  return best;
}

int decimalsFor(double step) {
  return std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6);
}

QString number(double value, int decimals) {
  return QString::fromStdString(fixedText(value, decimals));
}

std::vector<double> ticks(const LogScale& scale, double step) {
  std::vector<double> values;
  const double low = std::min(scale.low, scale.high), high = std::max(scale.low, scale.high);
  for (double v = std::ceil(low / step - 1e-9) * step; v <= high + step * 1e-9; v += step)
    values.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
  return values;
}

double tickStep(const LogTrack& track) {
  return niceStep(std::fabs(track.scale.high - track.scale.low), track.area.width() / 70);
}

class Page {
 public:
  Page(QPainter& p, const CptLog& log, int page)
      : p_(p), log_(log), page_(page), layout_(logPageLayout(log)) {}

  void draw() {
    p_.fillRect(QRectF(0, 0, LogPageWidth, LogPageHeight), Qt::white);
    titleBlock();
    if (page_ > log_.depthPages) return stepsPage();
    depthAxis();
    for (const LogTrack& track : layout_.tracks) grid(track);
    if (log_.options.layout == LogLayout::Overlay) {
      int row = 0;
      for (const LogTrack& track : layout_.tracks)
        if (!ownColumn(track.graph)) scaleRow(track, row++, true);
    }
    for (const LogTrack& track : layout_.tracks) {
      if (log_.options.layout == LogLayout::Panels || ownColumn(track.graph)) trackHeader(track);
      if (track.graph == LogGraph::U2) hydrostaticLine(track);
      if (track.graph == LogGraph::Ic) zones(track);
      curve(track);
    }
    for (const LogTrack& track : layout_.tracks) frame(track.area);
    footer();
  }

 private:
  void font(int size, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(size);
    f.setBold(bold);
    p_.setFont(f);
  }
  void pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, width, style, Qt::FlatCap, Qt::RoundJoin);
    p_.setPen(pen);
  }
  void text(const QRectF& box, int flags, const QString& s) { p_.drawText(box, flags, s); }
  void text(const QRectF& box, int flags, const std::string& s) {
    text(box, flags, QString::fromStdString(s));
  }
  void frame(const QRectF& box) {
    pen(kInk, 3);
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(box);
  }

  // A cell of the title block: its caption small at the top, its text below, cut with an
  // ellipsis where it is too long for one line unless it may wrap.
  void cell(const QRectF& box, const char* caption, const std::string& value, int size = kTextSize,
            bool bold = false, bool wrap = false) {
    pen(kInk, 2);
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(box);
    const QRectF inside = box.adjusted(12, 6, -12, -4);
    font(kCaptionSize);
    pen(kCaption, 1);
    text(inside, Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(caption));
    font(size, bold);
    pen(kInk, 1);
    const QRectF below = inside.adjusted(0, kCaptionSize + 6, 0, 0);
    QString shown = QString::fromStdString(value.empty() ? "-" : value);
    if (wrap) {
      text(below, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shown);
      return;
    }
    shown = QFontMetricsF(p_.font()).elidedText(shown, Qt::ElideRight, below.width());
    text(below, Qt::AlignLeft | Qt::AlignTop, shown);
  }

  struct Cell {
    const char* caption;
    std::string value;
    double weight;
    int size = kTextSize;
    bool bold = false, wrap = false;
  };
  void row(double top, double height, const std::vector<Cell>& cells) {
    double total = 0;
    for (const Cell& c : cells) total += c.weight;
    double x = layout_.titleBlock.left();
    for (const Cell& c : cells) {
      const double width = layout_.titleBlock.width() * c.weight / total;
      cell(QRectF(x, top, width, height), c.caption, c.value, c.size, c.bold, c.wrap);
      x += width;
    }
  }

  void titleBlock() {
    const TitleBlock& t = log_.title;
    // A line for each channel; more than the cell holds run on, one after the other.
    const char* between = t.zeroReadings.size() <= 4 ? "\n" : ";  ";
    std::string zeros;
    for (const std::string& line : t.zeroReadings) zeros += (zeros.empty() ? "" : between) + line;
    if (zeros.empty()) zeros = "no cone, sleeve or pore-pressure channel";
    const std::string pageText =
        "Page " + std::to_string(page_) + " of " + std::to_string(log_.pageCount);
    double y = layout_.titleBlock.top();
    row(y, 100,
        {{"Company", t.company, 4, 34, true},
         {"Job number", t.jobNumber, 1.8, 30, true},
         {"Test ID", t.testId, 1.8, 34, true},
         {"Sheet", pageText, 1.4, 30}});
    row(y += 100, 68,
        {{"Location", t.location, 4},
         {"Position", t.position, 2.8},
         {"Ground level", t.groundLevel, 1.4},
         {"Test date", t.testDate, 1.8}});
    row(y += 68, 68,
        {{"Cone", t.coneNumber, 2},
         {"Area ratio a", t.areaRatio, 1.1},
         {"Operator", t.operatorName, 2},
         {"Predrill", t.predrill, 1.2},
         {"Water depth", t.waterDepth, 1.2},
         {"Final depth", t.finalDepth, 1.2}});
    row(y += 68, 136,
        {{"Application class reached", t.applicationClass, 3, kTextSize, true, true},
         {"Zero readings before / after (instrument output), drift", zeros, 5, kLabelSize, false,
          true}});
    row(y += 136, 68, {{"Remarks", t.remarks, 1}});
  }

  void depthAxis() {
    const QRectF& plot = layout_.plot;
    const double top = log_.pageTop(page_), bottom = log_.pageBottom(page_);
    font(kLabelSize);
    pen(kInk, 1);
    if (log_.options.layout == LogLayout::Overlay)
      text(QRectF(0, layout_.header.top(), kMargin + kDepthColumn - 15, kHeaderRow),
           Qt::AlignRight | Qt::AlignTop, QStringLiteral("Depth [m]"));
    else
      text(QRectF(kMargin, layout_.header.top(), kDepthColumn - 15, 2 * kHeaderRow),
           Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Depth\n[m]"));
    for (double d = std::ceil(top / depthStep() - 1e-9) * depthStep(); d <= bottom + 1e-9;
         d += depthStep()) {
      const double y = layout_.y(log_, page_, d);
      text(QRectF(kMargin, y - 20, kDepthColumn - 15, 40), Qt::AlignRight | Qt::AlignVCenter,
           number(d, 0));
    }
    // The water table, a triangle on the depth axis.
    if (log_.waterDepth && *log_.waterDepth >= top && *log_.waterDepth <= bottom) {
      const double y = layout_.y(log_, page_, *log_.waterDepth);
      const QColor& water = colourOf(LogGraph::U2);
      p_.setBrush(water);
      pen(water, 1);
      const double x = plot.left() - 22;
      const QPointF corner[3] = {{x, y}, {x - 12, y - 20}, {x + 12, y - 20}};
      p_.drawPolygon(corner, 3);
      p_.setBrush(Qt::NoBrush);
    }
  }

  // A gridline every metre, every 2, 5 or 10 m on pages of many metres.
  double depthStep() const {
    const double perMetre = layout_.plot.height() / log_.pageHeightMetres();
    for (double step : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0})
      if (step * perMetre >= 35) return step;
    return 100.0;
  }

  void grid(const LogTrack& track) {
    const QRectF& a = track.area;
    const double top = log_.pageTop(page_), bottom = log_.pageBottom(page_);
    if (page_ > 1 && log_.options.repeatedMetres > 0)
      p_.fillRect(QRectF(a.left(), a.top(), a.width(),
                         layout_.y(log_, page_, top + log_.options.repeatedMetres) - a.top()),
                  kRepeated);
    const double step = depthStep();
    for (double d = std::ceil(top / step - 1e-9) * step; d <= bottom + 1e-9; d += step) {
      const bool major = std::fmod(std::fabs(std::round(d / step)), 5.0) == 0;
      pen(major ? kMajorGrid : kGrid, major ? 2 : 1);
      const double y = layout_.y(log_, page_, d);
      p_.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
    }
    // The overlay draws the value gridlines of its first scale only.
    if (log_.options.layout == LogLayout::Overlay && !ownColumn(track.graph) &&
        track.graph != layout_.tracks.front().graph)
      return;
    pen(kGrid, 1);
    for (double v : ticks(track.scale, tickStep(track)))
      p_.drawLine(QPointF(track.x(v), a.top()), QPointF(track.x(v), a.bottom()));
  }

  // The scale's numbers above the graph, in the graph's colour, on header row `row` counted
  // from the graph.
  void scaleRow(const LogTrack& track, int row, bool named) {
    const double y = layout_.plot.top() - 8 - (row + 1) * kHeaderRow;
    const QColor& colour = colourOf(track.graph);
    font(kLabelSize);
    pen(colour, 1);
    // Numbers centred on their gridlines, on every gridline or every 2nd, 5th or 10th where
    // they would crowd; those at the graph's edges kept inside it.
    const double step = tickStep(track);
    const int decimals = decimalsFor(step);
    const QFontMetricsF metrics(p_.font());
    const double widest = std::max(metrics.horizontalAdvance(number(track.scale.low, decimals)),
                                   metrics.horizontalAdvance(number(track.scale.high, decimals)));
    const double apart = std::fabs(track.x(track.scale.low + step) - track.x(track.scale.low));
    long every = 1;
    for (long k : {1, 2, 5, 10})
      if ((every = k) * apart >= widest + 25) break;
    for (double v : ticks(track.scale, step)) {
      if (std::lround(v / step) % every != 0) continue;
      const double x = track.x(v);
      const bool atLeft = x - track.area.left() < 30, atRight = track.area.right() - x < 30;
      const QRectF box = atLeft    ? QRectF(x - 5, y, 200, kHeaderRow)
                         : atRight ? QRectF(x - 195, y, 200, kHeaderRow)
                                   : QRectF(x - 100, y, 200, kHeaderRow);
      const int align = atLeft ? Qt::AlignLeft : atRight ? Qt::AlignRight : Qt::AlignHCenter;
      text(box, align | Qt::AlignBottom, number(v, decimals));
    }
    if (!named) return;
    const LogCurve& c = log_.curve(track.graph);
    font(kLabelSize, true);
    text(QRectF(kMargin - 60, y, kDepthColumn + 40, kHeaderRow), Qt::AlignRight | Qt::AlignBottom,
         QString::fromStdString(c.title + " " + c.unit));
  }

  void trackHeader(const LogTrack& track) {
    scaleRow(track, 0, false);
    const LogCurve& c = log_.curve(track.graph);
    font(kTextSize, true);
    pen(colourOf(track.graph), 1);
    const double y = layout_.plot.top() - 8 - 2 * kHeaderRow;
    std::string title = c.title + " [" + c.unit + "]";
    if (track.graph == LogGraph::Inclination) title = "Incl. [deg]";
    if (track.graph == LogGraph::Ic) title = "Ic, zone";
    text(QRectF(track.area.left() - 20, y - 10, track.area.width() + 40, kHeaderRow),
         Qt::AlignHCenter | Qt::AlignBottom, QString::fromStdString(title));
  }

  // Each reading's soil behaviour type zone in its colour, pale, from half way to the reading
  // above to half way to the one below; the Ic bounds between the zones dashed.
  void zones(const LogTrack& track) {
    const double top = log_.pageTop(page_), bottom = log_.pageBottom(page_);
    const auto& depth = log_.depth;
    for (std::size_t i = 0; i < log_.zones.size(); ++i) {
      if (!log_.zones[i] || !(depth[i] >= top && depth[i] <= bottom)) continue;
      const double above = i > 0 ? (depth[i - 1] + depth[i]) / 2.0 : depth[i];
      const double below = i + 1 < depth.size() ? (depth[i] + depth[i + 1]) / 2.0 : depth[i];
      const double y0 = layout_.y(log_, page_, std::max(above, top));
      const double y1 = layout_.y(log_, page_, std::min(below, bottom));
      QColor colour = QColor::fromRgb(zoneRgb(log_.zones[i]));
      colour.setAlpha(150);
      p_.fillRect(QRectF(track.area.left(), y0, track.area.width(), std::max(0.5, y1 - y0)),
                  colour);
    }
    pen(kMajorGrid, 2, Qt::DashLine);
    for (double bound : IcZoneBounds)
      p_.drawLine(QPointF(track.x(bound), track.area.top()),
                  QPointF(track.x(bound), track.area.bottom()));
  }

  // u0 below the water table: the pore pressure of water standing still, dashed.
  void hydrostaticLine(const LogTrack& track) {
    if (!log_.waterDepth) return;
    const double top = std::max(log_.pageTop(page_), *log_.waterDepth);
    const double bottom = log_.pageBottom(page_);
    if (top >= bottom) return;
    auto u0 = [&](double depth) { return (depth - *log_.waterDepth) * 0.00981; };
    pen(colourOf(LogGraph::U2), 2, Qt::DashLine);
    p_.drawLine(QPointF(track.x(u0(top)), layout_.y(log_, page_, top)),
                QPointF(track.x(u0(bottom)), layout_.y(log_, page_, bottom)));
    font(kLabelSize);
    const double labelDepth = top + (bottom - top) * 0.9;
    text(QRectF(track.x(u0(labelDepth)) + 10, layout_.y(log_, page_, labelDepth) - 30, 100, 30),
         Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("u0"));
  }

  // The readings on this page as lines, broken where a reading has no value; a value beyond
  // the scale at the edge, the farthest of each run beyond it written beside the edge.
  void curve(const LogTrack& track) {
    const LogCurve& c = log_.curve(track.graph);
    const double top = log_.pageTop(page_), bottom = log_.pageBottom(page_);
    const double range = std::fabs(track.scale.high - track.scale.low);
    const int decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(range))), 0, 4);
    pen(colourOf(track.graph), 3);
    QPolygonF line;
    auto flush = [&] {
      if (line.size() > 1) p_.drawPolyline(line);
      line.clear();
    };
    struct Beyond {
      int side = 0;  // -1 below the scale, +1 above it
      double value = 0, y = 0;
    } run;
    double lastLabelY[2] = {-1e9, -1e9};
    auto label = [&] {
      if (!run.side) return;
      double& last = lastLabelY[run.side > 0];
      if (std::fabs(run.y - last) >= 30) {
        const double edge = track.x(run.value);
        const bool atRight = edge > track.area.center().x();
        font(kLabelSize, true);
        const QString value = number(run.value, decimals);
        const double width = QFontMetricsF(p_.font()).horizontalAdvance(value) + 8;
        const QRectF box(atRight ? edge - 10 - width : edge + 10,
                         std::clamp(run.y - 28, track.area.top() + 4, track.area.bottom() - 32),
                         width, 28);
        p_.fillRect(box, QColor(255, 255, 255, 210));
        pen(colourOf(track.graph), 1);
        text(box, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, value);
        pen(colourOf(track.graph), 3);
        last = run.y;
      }
      run = {};
    };
    const double low = std::min(track.scale.low, track.scale.high);
    const double high = std::max(track.scale.low, track.scale.high);
    for (std::size_t i = 0; i < c.values.size(); ++i) {
      const double depth = log_.depth[i], value = c.values[i];
      if (!(depth >= top && depth <= bottom)) continue;
      if (std::isnan(value)) {
        flush();
        label();
        continue;
      }
      const double y = layout_.y(log_, page_, depth);
      line << QPointF(track.x(value), y);
      const int side = value > high ? 1 : value < low ? -1 : 0;
      if (side != run.side) label();
      if (side && (!run.side || std::fabs(value) > std::fabs(run.value))) run = {side, value, y};
    }
    flush();
    label();
  }

  // The box of the clean-up steps, framed, with its caption and `aside` at the right; the room
  // for the lines below them.
  QRectF cleanUpBox(const QRectF& box, const QString& aside) {
    pen(kInk, 2);
    p_.drawRect(box);
    const QRectF inside = box.adjusted(12, 6, -12, -kBoxLinesBottom);
    font(kCaptionSize);
    pen(kCaption, 1);
    text(inside, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Clean-up of the data"));
    text(inside, Qt::AlignRight | Qt::AlignTop, aside);
    font(kLabelSize);
    pen(kInk, 1);
    return box.adjusted(12, kBoxLinesTop, -12, -kBoxLinesBottom);
  }

  void footer() {
    const QRectF lines = cleanUpBox(
        layout_.footer,
        QStringLiteral("Depth window %1 m, %2 m repeated at the top of the next page")
            .arg(number(log_.options.metresPerPage, 2), number(log_.options.repeatedMetres, 2)));
    const int stepsFrom = log_.depthPages + 1;
    if (log_.pageCount > log_.depthPages) {
      text(lines, Qt::AlignLeft | Qt::AlignTop,
           log_.pageCount == stepsFrom
               ? QStringLiteral("The %1 steps are listed on page %2.")
                     .arg(log_.steps.size())
                     .arg(stepsFrom)
               : QStringLiteral("The %1 steps are listed on pages %2 to %3.")
                     .arg(log_.steps.size())
                     .arg(stepsFrom)
                     .arg(log_.pageCount));
      return;
    }
    if (page_ < log_.depthPages) {
      text(lines, Qt::AlignLeft | Qt::AlignTop,
           QStringLiteral("The steps are listed on page %1.").arg(log_.depthPages));
      return;
    }
    if (log_.steps.empty()) {
      text(lines, Qt::AlignLeft | Qt::AlignTop,
           QStringLiteral("no clean-up steps: the readings are drawn as the file holds them"));
      return;
    }
    stepList(lines, 0);
  }

  // A page after the readings: the steps the foot of the last one had no room for, all of
  // them from the first, in as many pages as they take.
  void stepsPage() {
    const QRectF box(layout_.titleBlock.left(), layout_.titleBlock.bottom() + 20,
                     layout_.titleBlock.width(),
                     LogPageHeight - kMargin - layout_.titleBlock.bottom() - 20);
    stepList(cleanUpBox(box, QString()), (page_ - log_.depthPages - 1) * logStepsOnPage());
  }

  // Steps from `first` on, numbered, in two columns, as many as the box holds.
  void stepList(const QRectF& lines, int first) {
    const int perColumn = static_cast<int>(lines.height() / kStepLine);
    const int count = std::min(static_cast<int>(log_.steps.size()) - first, 2 * perColumn);
    const double columnWidth = lines.width() / 2;
    const QFontMetricsF metrics(p_.font());
    for (int k = 0; k < count; ++k) {
      const QRectF at(lines.left() + (k / perColumn) * columnWidth,
                      lines.top() + (k % perColumn) * kStepLine, columnWidth - 20, kStepLine);
      const QString step = QString::number(first + k + 1) + QStringLiteral(". ") +
                           QString::fromStdString(log_.steps[static_cast<std::size_t>(first + k)]);
      text(at, Qt::AlignLeft | Qt::AlignTop, metrics.elidedText(step, Qt::ElideRight, at.width()));
    }
  }

  QPainter& p_;
  const CptLog& log_;
  int page_;
  LogPageLayout layout_;
};

}  // namespace

int logStepsOnFoot() {
  return 2 * static_cast<int>((kFooterHeight - kBoxLinesTop - kBoxLinesBottom) / kStepLine);
}

int logStepsOnPage() {
  const double box = LogPageHeight - 2 * kMargin - kTitleBlockHeight - 20;
  return 2 * static_cast<int>((box - kBoxLinesTop - kBoxLinesBottom) / kStepLine);
}

double LogTrack::x(double value) const {
  const double span = scale.high - scale.low;
  double share = span != 0 ? (value - scale.low) / span : 0;
  share = std::clamp(std::isnan(share) ? 0.0 : share, 0.0, 1.0);
  return fromRight ? area.right() - share * area.width() : area.left() + share * area.width();
}

double LogPageLayout::y(const CptLog& log, int page, double depth) const {
  return plot.top() + (depth - log.pageTop(page)) * plot.height() / log.pageHeightMetres();
}

LogPageLayout logPageLayout(const CptLog& log) {
  LogPageLayout layout;
  const double width = LogPageWidth - 2 * kMargin;
  layout.titleBlock = QRectF(kMargin, kMargin, width, kTitleBlockHeight);
  layout.footer = QRectF(kMargin, LogPageHeight - kMargin - kFooterHeight, width, kFooterHeight);

  std::vector<LogGraph> graphs;
  for (int k = 0; k < LogGraphCount; ++k)
    if (log.curves[static_cast<std::size_t>(k)].present())
      graphs.push_back(static_cast<LogGraph>(k));
  if (graphs.empty()) graphs.push_back(LogGraph::Qc);
  const bool overlay = log.options.layout == LogLayout::Overlay;
  // Columns from the left: the graphs each in its own (panels), or all but the inclination
  // in one (overlay); the inclination strip keeps its own column in both.
  struct Column {
    std::vector<LogGraph> graphs;
    double weight;
  };
  std::vector<Column> columns;
  for (LogGraph g : graphs) {
    if (overlay && !ownColumn(g) && !columns.empty() && !ownColumn(columns.back().graphs.front()))
      columns.back().graphs.push_back(g);
    else
      columns.push_back({{g}, overlay && !ownColumn(g) ? 13.0 : panelWeight(g)});
  }
  // The overlay has a row of numbers for each of its scales and one for the depth's name.
  const int rows = overlay ? static_cast<int>(columns.front().graphs.size()) + 1 : 2;
  layout.header =
      QRectF(kMargin, layout.titleBlock.bottom() + 20, width, std::max(rows, 2) * kHeaderRow + 20);
  layout.plot = QRectF(QPointF(kMargin + kDepthColumn, layout.header.bottom()),
                       QPointF(kMargin + width, layout.footer.top() - 40));

  double total = 0;
  for (const Column& c : columns) total += c.weight;
  const double share =
      (layout.plot.width() - kTrackGap * static_cast<double>(columns.size() - 1)) / total;
  double x = layout.plot.left();
  for (const Column& c : columns) {
    const QRectF area(x, layout.plot.top(), c.weight * share, layout.plot.height());
    for (LogGraph g : c.graphs)
      layout.tracks.push_back({g, area, log.options.scale(g), overlay && g == LogGraph::Rf});
    x += area.width() + kTrackGap;
  }
  return layout;
}

void drawLogPage(QPainter& painter, const QRectF& sheet, const CptLog& log, int page) {
  painter.save();
  const double scale = std::min(sheet.width() / LogPageWidth, sheet.height() / LogPageHeight);
  painter.translate(sheet.center());
  painter.scale(scale, scale);
  painter.translate(-LogPageWidth / 2, -LogPageHeight / 2);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  Page(painter, log, std::clamp(page, 1, std::max(1, log.pageCount))).draw();
  painter.restore();
}

}  // namespace pelorin::report
