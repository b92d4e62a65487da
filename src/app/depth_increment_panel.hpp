#pragma once
// Edit Depth, Depth Increment: the DEPTH INCREMENT panel. It keeps what is being chosen (the
// new increment, the ratio of the last OK and the runs of presses since it opened) between
// its openings, and hands the window the step its OK makes.

#include <QGroupBox>
#include <functional>
#include <vector>

#include "session/step.hpp"

class QLabel;
class QPushButton;

namespace pelorin {

class DepthIncrementPanel : public QGroupBox {
 public:
  // `sounding` is the sounding as it stands; `apply` takes the step of OK.
  DepthIncrementPanel(QWidget* area, std::function<const Sounding&()> sounding,
                      std::function<void(const Step&)> apply);

  void open();  // the menu item
  QPushButton* ok() const { return cmdOK; }
  QPushButton* cancel() const { return Command11; }

 private:
  void increase();  // INCREASE
  void decrease();  // DECREASE
  void press(int direction);
  void accept();  // OK

  std::function<const Sounding&()> sounding_;
  std::function<void(const Step&)> apply_;
  float NewIncrement = 0;
  float IncrementRatio = 0;
  std::vector<int> runs_;  // the presses since the panel opened: + INCREASE, - DECREASE
  QLabel *lblCurrentIncrement, *lblNewIncrement;
  QPushButton *Command9, *Command10, *cmdOK, *Command11;
};

}  // namespace pelorin
