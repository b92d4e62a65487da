// File, AutoClean For Interp.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/main_form.hpp"
#include "edit/autoclean.hpp"

namespace pelorin {

void MainForm::mnuAutoClean_Click() {
  Sounding& s = *sounding_;
  AutoCleanResult result = autoClean(s, *definitions_);
  if (result.channelInserted) {
    // The columns from the new pore-pressure channel on now hold other channels: their
    // heads, unit lists and cells follow.
    const ChannelDefinitions& defs = *definitions_;
    for (int c = result.firstRebuiltChannel; c <= s.NumChannels; ++c) {
      lblChannelLabel[c]->setText(fromModelText(s.ChannelName[c]));
      lblChannelLabel[c]->show();
      QComboBox* list = cmbChannelUnits[c];
      list->show();
      list->clear();
      int type = s.ChannelType[c];
      for (int u = 1; u <= defs.UnitCount[type]; ++u)
        list->addItem(fromModelText(defs.UnitName[type][u]));
      // The unit in force: the unit change it raises leaves the values as they are.
      setListIndex(list, s.ChannelUnit[c] - 1);
      for (int r = 1; r <= GridRows; ++r) txtChannel[c][r]->setEnabled(true);
    }
  }
  RefreshGrid();
  tell(QString("AutoClean: %1%2 depths snapped, %3 readings inserted")
           .arg(result.channelInserted ? "pore channel added, " : "")
           .arg(result.depthsMoved)
           .arg(result.readingsInserted));
}

}  // namespace pelorin
