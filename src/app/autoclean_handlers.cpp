// File, AutoClean For Interp.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/main_form.hpp"
#include "edit/autoclean.hpp"

namespace pelorin {

void MainForm::mnuAutoClean_Click() {
  // A new pore-pressure channel moves the channels from 3 on: their heads, unit lists and
  // cells follow.
  if (applyStep(AutoClean{}).applied()) showChannelColumns();
  RefreshGrid();
}

}  // namespace pelorin
