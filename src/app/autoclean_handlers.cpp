// File, AutoClean For Interp, and Edit, Fill Gaps.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/main_form.hpp"
#include "edit/autoclean.hpp"

namespace pelorin {

void MainForm::mnuAutoClean_Click() {
  // A new pore-pressure channel moves the channels from 3 on: their heads, unit lists and
  // cells follow.
  applyStep(AutoClean{});
}

void MainForm::mnuFillGaps_Click() {
  // Filling may add lag at a channel's top and take readings off the bottom: the counters
  // follow.
  applyStep(FillGaps{});
}

}  // namespace pelorin
