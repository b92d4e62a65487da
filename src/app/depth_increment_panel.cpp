// The DEPTH INCREMENT panel: the step between readings, raised or lowered a step at a time.

#include "app/depth_increment_panel.hpp"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "app/main_form.hpp"
#include "app/widgets.hpp"
#include "edit/depth_increment.hpp"
#include "text/number_text.hpp"

namespace pelorin {

DepthIncrementPanel::DepthIncrementPanel(QWidget* area, std::function<const Sounding&()> sounding,
                                         std::function<void(const Step&)> apply)
    : QGroupBox(u"DEPTH INCREMENT"_s, area),
      sounding_(std::move(sounding)),
      apply_(std::move(apply)) {
  setUpPanel(this, u"frmDepthIncrement"_s, twipsRect(3960, 2760, 4695, 3375));
  QLabel* warning = makeNote(this, u"Label42"_s,
                             u"WARNING: THE DEPTH INCREMENT SHOULD BE CHANGED ONLY IF IT WAS SET "
                             "INCORRECTLY IN KESTRO"_s,
                             twipsRect(360, 480, 3975, 615));
  QPalette red = warning->palette();
  red.setColor(QPalette::WindowText, QColor(192, 0, 0));
  warning->setPalette(red);
  makeLabel(this, u"Label36"_s, u"CURRENT INCREMENT"_s, twipsRect(240, 1200, 2415, 255));
  lblCurrentIncrement =
      makeLabel(this, u"lblCurrentIncrement"_s, QString(), twipsRect(2760, 1200, 615, 255));
  makeLabel(this, u"Label40"_s, u"m"_s, twipsRect(3480, 1200, 255, 255));
  makeLabel(this, u"Label39"_s, u"NEW INCREMENT"_s, twipsRect(240, 1560, 2415, 255));
  lblNewIncrement =
      makeLabel(this, u"lblNewIncrement"_s, QString(), twipsRect(2760, 1560, 615, 255));
  makeLabel(this, u"Label41"_s, u"m"_s, twipsRect(3480, 1560, 255, 255));
  Command9 = makeButton(this, u"Command9"_s, u"INCREASE"_s, twipsRect(840, 1920, 1095, 375));
  Command10 = makeButton(this, u"Command10"_s, u"DECREASE"_s, twipsRect(2760, 1920, 1095, 375));
  cmdOK = makeButton(this, u"cmdOK"_s, u"OK"_s, twipsRect(600, 2520, 1575, 615));
  Command11 = makeButton(this, u"Command11"_s, u"CANCEL"_s, twipsRect(2520, 2520, 1575, 615));

  connect(Command9, &QPushButton::clicked, this, [this] { increase(); });
  connect(Command10, &QPushButton::clicked, this, [this] { decrease(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { accept(); });
  connect(Command11, &QPushButton::clicked, this, [this] { hide(); });
}

// The increment being chosen lives on between the panel's openings; each button hands it to
// the core and keeps what comes back.
void DepthIncrementPanel::open() {
  DepthIncrementChoice choice{NewIncrement, IncrementRatio};
  QString caption = QString::fromStdString(openDepthIncrement(sounding_(), choice));
  NewIncrement = choice.NewIncrement;
  runs_.clear();
  lblCurrentIncrement->setText(caption);
  lblNewIncrement->setText(caption);
  show();
  raise();  // over any other panel still open
}

void DepthIncrementPanel::increase() {
  DepthIncrementChoice choice{NewIncrement, IncrementRatio};
  lblNewIncrement->setText(QString::fromStdString(increaseIncrement(choice)));
  NewIncrement = choice.NewIncrement;
  press(+1);
}

void DepthIncrementPanel::decrease() {
  DepthIncrementChoice choice{NewIncrement, IncrementRatio};
  // At one step or less the increment stays and so does the label.
  if (auto caption = decreaseIncrement(choice))
    lblNewIncrement->setText(QString::fromStdString(*caption));
  NewIncrement = choice.NewIncrement;
  press(-1);
}

// The presses since the panel opened, as runs of INCREASE (+) and DECREASE (-), for OK's step.
void DepthIncrementPanel::press(int direction) {
  if (!runs_.empty() && (runs_.back() > 0) == (direction > 0))
    runs_.back() += direction;
  else
    runs_.push_back(direction);
}

void DepthIncrementPanel::accept() {
  // With no increment to scale from (0 m) the sounding stays as it is; the panel closes.
  if (const float increment = sounding_().DepthIncrement; increment != 0)
    IncrementRatio = toSingle(static_cast<double>(NewIncrement) / increment);
  apply_(DepthIncrementPresses{runs_});
  hide();
}

}  // namespace pelorin
