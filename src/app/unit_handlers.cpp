// The depth unit and the channel units above the grid.

#include <QComboBox>

#include "app/main_form.hpp"

namespace pelorin {

DepthUnit MainForm::depthUnit() const { return session_->depthUnit(); }

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
  // The depths stay in metres; the grid shows them in the selected unit.
  applyStep(
      ChangeDepthUnit{cmbDepthUnits[1]->currentIndex() == 0 ? DepthUnit::Metres : DepthUnit::Feet});
}

void MainForm::cmbChannelUnits_Click(int channel) {
  int index = cmbChannelUnits[channel]->currentIndex();
  const Sounding& s = *sounding_;
  // A list without a selection (its channel type has no definition file) converts nothing.
  if (index >= 0 && channel <= s.NumChannels)
    applyStep(
        ChangeChannelUnit{channel, definitions_->UnitName[s.ChannelType[channel]][index + 1]});
  else
    sessionChanged({SessionChange::Kind::Nothing, SessionChange::GridText});
}

void MainForm::showUnitLists() {
  // Set without their click: the units are those of the sounding as it stands.
  const Sounding& s = *sounding_;
  cmbDepthUnits[1]->setCurrentIndex(session_->depthUnit() == DepthUnit::Metres ? 0 : 1);
  for (int c = 1; c <= s.NumChannels; ++c) {
    QComboBox* list = cmbChannelUnits[c];
    const int type = s.ChannelType[c];
    if (list->count() != definitions_->UnitCount[type]) {
      list->clear();
      for (int u = 1; u <= definitions_->UnitCount[type]; ++u)
        list->addItem(fromModelText(definitions_->UnitName[type][u]));
    }
    list->setCurrentIndex(s.ChannelUnit[c] - 1);
  }
}

}  // namespace pelorin
