// Shift Channel(s): the baseline panel, SHIFT READINGS and REMOVE NEGATIVES.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <initializer_list>

#include "app/main_form.hpp"
#include "edit/shift_channels.hpp"

namespace pelorin {

void MainForm::mnuShiftBaseline_Click() {
  ShiftPanel panel = openShiftChannels(*sounding_, *definitions_);
  for (int c = 1; c <= MaxChannels; ++c) {
    bool used = c <= panel.NumRows;
    if (used) {
      const ShiftRow& row = panel.Row[c];
      lblShiftChanLabel[c]->setText(fromModelText(row.ChannelName));
      lblShiftUnitsChan[c]->setText(fromModelText(row.UnitName));
      txtShiftChannelByChan[c]->setText(QString::fromStdString(row.ShiftBy));
      lblLowestReadingChan[c]->setText(QString::fromStdString(row.LowestReading));
      lblFinalBaselineChan[c]->setText(QString::fromStdString(row.FinalBaseline));
    }
    // Only the sounding's channels have a row; the others stand empty.
    for (QWidget* w : std::initializer_list<QWidget*>{
             lblShiftChanLabel[c], lblFinalBaselineChan[c], lblLowestReadingChan[c],
             txtShiftChannelByChan[c], lblShiftUnitsChan[c]})
      w->setVisible(used);
  }
  frmShiftBaselines->show();
  frmShiftBaselines->raise();  // over any other panel still open
}

void MainForm::Command5_Click() {
  // Offsets are typed in each channel's selected unit.
  std::array<std::string, MaxChannels + 1> offsets;
  for (int c = 1; c <= MaxChannels; ++c) offsets[c] = toModelText(txtShiftChannelByChan[c]->text());
  applyStep(ShiftReadings{offsets});
  frmShiftBaselines->hide();
}

void MainForm::Command7_Click() {
  applyStep(RemoveNegatives{});
  frmShiftBaselines->hide();
}

void MainForm::Command6_Click() {
  frmShiftBaselines->hide();
  tell(u"Shift Channel(s) cancelled: nothing shifted"_s);
}

}  // namespace pelorin
