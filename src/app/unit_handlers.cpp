// The depth unit and the channel units above the grid.

#include <QComboBox>

#include "app/main_form.hpp"

namespace pelorin {

DepthUnit MainForm::depthUnit() const {
  return cmbDepthUnits[1]->currentIndex() == 0 ? DepthUnit::Metres : DepthUnit::Feet;
}

void MainForm::setListIndex(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  if (list == cmbDepthUnits[1]) {
    cmbDepthUnits_Click(1);
    return;
  }
  for (int c = 1; c <= MaxChannels; ++c)
    if (list == cmbChannelUnits[c]) cmbChannelUnits_Click(c);
}

void MainForm::cmbDepthUnits_Click(int /*index*/) {
  // The depths stay in metres; RefreshGrid shows them in the selected unit.
  RefreshGrid();
}

void MainForm::cmbChannelUnits_Click(int channel) {
  int index = cmbChannelUnits[channel]->currentIndex();
  Sounding& s = *sounding_;
  // A list without a selection (its channel type has no definition file) converts nothing.
  if (index >= 0 && channel <= s.NumChannels)
    changeChannelUnit(s, *definitions_, channel, index + 1);
  RefreshGrid();
}

}  // namespace pelorin
