#include "app/interpretation_panel.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/profile_panel.hpp"
#include "interpret/soil_behaviour_chart.hpp"
#include "text/number_text.hpp"

using namespace Qt::Literals::StringLiterals;

namespace pelorin {

QColor zoneColour(int zone) { return QColor::fromRgb(zoneRgb(zone)); }

namespace {

const QColor kGrid(222, 222, 222);
const QColor kCurve(30, 30, 30);
const QColor kCurrentLine(0, 90, 220);

struct Track {
  QString title, unit;
  double low, high;
  double DerivedReading::*value;  // null: the zone column
  bool opened = false;            // the zone of the sounding as opened
  double factor = 1;              // from the value's unit to the track's
};

}  // namespace

// The tracks against depth in metres, from the surface to the deepest reading.
class InterpretationPanel::Tracks : public QWidget {
 public:
  Tracks(InterpretationPanel* panel) : QWidget(panel), panel_(panel) {
    setObjectName("picInterpretation");
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(200, 200);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const Interpretation& now = panel_->now_;
    const QFontMetrics metrics = fontMetrics();
    const QRect plot = plotRect();
    if (now.readings.empty() || plot.width() < 20 || plot.height() < 20) return;

    double qtHigh = 10;
    for (const DerivedReading& r : now.readings)
      if (std::isfinite(r.qt)) qtHigh = std::max(qtHigh, r.qt / 1000);
    qtHigh = std::ceil(qtHigh / niceStep(qtHigh, 2)) * niceStep(qtHigh, 2);
    const std::array<Track, 5> tracks = {{
        {u"qt (MPa)"_s, u"MPa"_s, 0, qtHigh, &DerivedReading::qt, false, 1e-3},
        {u"Bq"_s, u"-"_s, -0.2, 1, &DerivedReading::Bq},
        {u"Ic"_s, u"-"_s, 1, 4, &DerivedReading::Ic},
        {u"Zone"_s, u"now"_s, 0, 1, nullptr},
        {u""_s, u"was"_s, 0, 1, nullptr, true},
    }};
    const std::array<double, 5> widths = {3, 2, 3, 1.3, 1};
    double total = 0;
    for (double w : widths) total += w;

    // The depth axis: ticks and grid lines across every track.
    const double step = niceStep(bottom_, std::max(2, plot.height() / (4 * metrics.height())));
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, plot.left() - 4, plot.top() - 4), Qt::AlignRight | Qt::AlignBottom,
                     u"Depth\n(m)"_s);
    for (double d = 0; d <= bottom_ + step * 1e-9; d += step) {
      const int y = heightOf(d);
      painter.setPen(kGrid);
      painter.drawLine(plot.left(), y, plot.right(), y);
      painter.setPen(Qt::black);
      painter.drawText(QRect(0, y - metrics.height() / 2, plot.left() - 4, metrics.height()),
                       Qt::AlignRight | Qt::AlignVCenter, tickText(d, step));
    }

    double left = plot.left();
    const Interpretation& opened = panel_->opened_;
    for (std::size_t t = 0; t < tracks.size(); ++t) {
      const Track& track = tracks[t];
      const QRect box(static_cast<int>(left) + 2, plot.top(),
                      static_cast<int>(plot.width() * widths[t] / total) - 4, plot.height());
      left += plot.width() * widths[t] / total;
      // The title above, the scale's ends (or which sounding) under it.
      const int line = metrics.height();
      painter.setPen(Qt::black);
      painter.drawText(QRect(box.left(), plot.top() - 2 * line - 4, box.width(), line),
                       Qt::AlignHCenter, track.title);
      const QRect under(box.left(), plot.top() - line - 2, box.width(), line);
      if (track.value) {
        painter.drawText(under, Qt::AlignLeft, tickText(track.low, 0.1));
        painter.drawText(under, Qt::AlignRight, tickText(track.high, 0.1));
      } else {
        painter.drawText(under.adjusted(-2, 0, 2, 0), Qt::AlignHCenter, track.unit);
      }
      if (track.value)
        drawCurve(painter, box, track);
      else
        drawZones(painter, box, track.opened ? opened : now);
      painter.setPen(Qt::gray);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(box);
    }
    // The current reading, across every track.
    const int current = panel_->source_.session().sounding().DataIndex;
    if (current >= 1 && current <= static_cast<int>(now.readings.size())) {
      const int y = heightOf(now.readings[static_cast<std::size_t>(current - 1)].depth);
      painter.setPen(QPen(kCurrentLine, 1));
      painter.drawLine(plot.left(), y, plot.right(), y);
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    const QRect plot = plotRect();
    if (panel_->now_.readings.empty() || plot.height() <= 0) return;
    const double y = std::clamp<double>(event->position().y(), plot.top(), plot.bottom());
    panel_->source_.clicked((y - plot.top()) / plot.height() * bottom_);
  }

 private:
  QRect plotRect() const {
    const int line = fontMetrics().height();
    return rect().adjusted(fontMetrics().horizontalAdvance(u"000.0"_s) + 8, 2 * line + 8, -4, -4);
  }
  int heightOf(double metres) const {
    const QRect plot = plotRect();
    return plot.top() + static_cast<int>(std::lround(metres / bottom_ * plot.height()));
  }

  void drawCurve(QPainter& painter, const QRect& box, const Track& track) const {
    const Interpretation& now = panel_->now_;
    // The zone bounds of Ic, as the chart draws them.
    if (track.value == &DerivedReading::Ic) {
      painter.setPen(QPen(QColor(180, 180, 180), 1, Qt::DashLine));
      for (double bound : IcZoneBounds) {
        const int x = box.left() + static_cast<int>((bound - track.low) / (track.high - track.low) *
                                                    box.width());
        painter.drawLine(x, box.top(), x, box.bottom());
      }
    }
    QPainterPath path;
    bool drawing = false;
    for (const DerivedReading& r : now.readings) {
      const double v = r.*track.value * track.factor;
      if (!std::isfinite(v)) {
        drawing = false;
        continue;
      }
      // Beyond the scale at its edge.
      const double at = std::clamp((v - track.low) / (track.high - track.low), 0.0, 1.0);
      const QPointF p(box.left() + at * box.width(), heightOf(r.depth));
      drawing ? path.lineTo(p) : path.moveTo(p);
      drawing = true;
    }
    painter.setPen(QPen(kCurve, 1));
    painter.drawPath(path);
  }

  void drawZones(QPainter& painter, const QRect& box, const Interpretation& which) const {
    // Each reading's zone from half way to the reading above to half way to the one below.
    const auto& readings = which.readings;
    for (std::size_t k = 0; k < readings.size(); ++k) {
      if (readings[k].zone == 0) continue;
      const double above = k > 0 ? (readings[k - 1].depth + readings[k].depth) / 2
                                 : readings[k].depth - which.depthIncrement / 2;
      const double below = k + 1 < readings.size() ? (readings[k].depth + readings[k + 1].depth) / 2
                                                   : readings[k].depth + which.depthIncrement / 2;
      const int top = heightOf(above), height = std::max(1, heightOf(below) - top);
      painter.fillRect(box.left(), top, box.width(), height, zoneColour(readings[k].zone));
    }
  }

 public:
  double bottom_ = 1;  // m

 private:
  InterpretationPanel* panel_;
};

InterpretationPanel::InterpretationPanel(InterpretationSource source, QWidget* parent)
    : QWidget(parent), source_(std::move(source)) {
  setObjectName("frmInterpretation");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* form = new QGridLayout;
  using Field = InterpretationInput::Field;
  const struct {
    const char *name, *caption, *hint;
  } boxes[] = {
      {"txtAreaRatio", "a", "the file's, else 0.8"},
      {"txtWaterDepth", "zw (m)", "the header's, else 0"},
      {"txtUnitWeight", "γ (kN/m³)", "Robertson & Cabal"},
      {"txtCnCap", "Cn cap", "none"},
  };
  for (std::size_t k = 0; k < boxes_.size(); ++k) {
    auto* label = new QLabel(QString::fromUtf8(boxes[k].caption), this);
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(boxes[k].name));
    box->setPlaceholderText(QString::fromUtf8(boxes[k].hint));
    label->setBuddy(box);
    form->addWidget(label, static_cast<int>(k / 2), static_cast<int>(k % 2) * 2);
    form->addWidget(box, static_cast<int>(k / 2), static_cast<int>(k % 2) * 2 + 1);
    boxes_[k] = box;
    // A choice is a step once it is typed: Enter, or the keys leaving the box.
    connect(box, &QLineEdit::editingFinished, this, [this, k, box] {
      if (!box->isModified()) return;
      box->setModified(false);
      // An empty unit weight box is Robertson & Cabal's method, as chosen.
      std::string typed = box->text().trimmed().toStdString();
      if (typed.empty() && static_cast<Field>(k) == Field::UnitWeight) typed = "robertson2010";
      // A refused choice leaves the box showing the one in force.
      if (!source_.apply(InterpretationInput{static_cast<Field>(k), typed})) showChoices();
    });
  }
  layout->addLayout(form);
  lblInputs_ = new QLabel(this);
  lblInputs_->setObjectName("lblInterpretationInputs");
  lblInputs_->setWordWrap(true);
  lblZoneChanges_ = new QLabel(this);
  lblZoneChanges_->setObjectName("lblZoneChanges");
  layout->addWidget(lblInputs_);
  layout->addWidget(lblZoneChanges_);
  tracks_ = new Tracks(this);
  layout->addWidget(tracks_, 1);
}

void InterpretationPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) compute();
}

void InterpretationPanel::sessionChanged(bool reopened) {
  stale_ = true;
  reopened_ = reopened_ || reopened;
  if (isVisible()) compute();
}

void InterpretationPanel::currentChanged() { tracks_->update(); }

namespace {

QString stated(const QString& what, const QString& value, InputSource source) {
  return what + u" "_s + value + u" ("_s + QString::fromLatin1(sourceText(source)) + u")"_s;
}

QString number(double value) { return QString::fromStdString(generalNumber(value)); }

}  // namespace

void InterpretationPanel::compute() {
  stale_ = false;
  const Session& session = source_.session();
  const InterpretationInputs inputs = session.interpretationInputs();
  now_ = interpret(session.sounding(), session.definitions(), inputs);
  // The sounding as opened is worked out again only when it or the inputs changed.
  if (reopened_ || !(inputs == opened_.inputs))
    opened_ = interpret(session.opened(), session.definitions(), inputs);
  reopened_ = false;
  showChoices();

  const InterpretationInputs& in = now_.inputs;
  QStringList said = {
      stated(u"a"_s, number(in.areaRatio.value), in.areaRatio.source),
      stated(u"zw"_s, number(in.waterDepth.value) + u" m"_s, in.waterDepth.source),
      stated(u"γ"_s,
             in.unitWeightMethod.value == UnitWeightMethod::Constant
                 ? number(in.unitWeight) + u" kN/m³"_s
                 : u"by Robertson & Cabal (2010), %1 to %2 kN/m³"_s.arg(UnitWeightLow)
                       .arg(UnitWeightHigh),
             in.unitWeightMethod.source),
      u"γw %1 kN/m³, pa %2 kPa"_s.arg(number(in.gammaW.value), number(in.pa.value)),
      in.cnCap.value ? stated(u"Cn cap"_s, number(*in.cnCap.value), in.cnCap.source)
                     : u"Cn not capped"_s};
  if (!now_.porePressure) said << u"no u2: qt = qc"_s;
  for (const std::string& note : now_.notes) said << QString::fromStdString(note);
  lblInputs_->setText(said.join(u"; "_s));
  const std::size_t changed = zoneChanges(opened_, now_).size();
  lblZoneChanges_->setText(changed == 1
                               ? u"1 reading changed zone through the clean-up"_s
                               : u"%1 readings changed zone through the clean-up"_s.arg(changed));
  double bottom = 1;
  for (const Interpretation* which : {&now_, &opened_})
    if (!which->readings.empty()) bottom = std::max(bottom, which->readings.back().depth);
  tracks_->bottom_ = std::ceil(bottom);
  tracks_->update();
}

void InterpretationPanel::showChoices() {
  // The boxes show the choices in force, unless the user is typing in one.
  const InputChoices& c = source_.session().interpretationChoices();
  auto shown = [](std::optional<double> v) {
    return v ? QString::fromStdString(generalNumber(*v)) : QString();
  };
  const QString texts[] = {
      shown(c.areaRatio), shown(c.waterDepth),
      c.unitWeightMethod == UnitWeightMethod::Constant ? shown(c.unitWeight) : QString(),
      shown(c.cnCap)};
  for (std::size_t k = 0; k < boxes_.size(); ++k)
    if (!boxes_[k]->hasFocus() || !boxes_[k]->isModified()) boxes_[k]->setText(texts[k]);
}

}  // namespace pelorin
