// The readings grid: RefreshGrid, the row selection, the depth-column keys and the values
// typed into channel cells.

#include <QLabel>
#include <QLineEdit>

#include "app/main_form.hpp"
#include "display/grid.hpp"
#include "display/navigation.hpp"

namespace pelorin {

void MainForm::RefreshGrid() {
  const Sounding& s = *sounding_;
  GridRowTexts texts;
  for (int r = 1; r <= GridRows; ++r) {
    gridRowTexts(s, *definitions_, r, texts);
    txtDepth[r]->setText(QString::fromLatin1(texts.depth));
    txtSpeed[r]->setText(QString::fromLatin1(texts.speed));
    // The speed cell first, then the depth cell.
    setCellTextColour(1, r, texts.alarm);
    setCellTextColour(0, r, texts.alarm);
    for (int c = 1; c <= s.NumChannels; ++c)
      txtChannel[c][r]->setText(QString::fromLatin1(texts.channel[c]));
  }
  profileChanged();
}

void MainForm::txtDepth_Click(int row) {
  // A mouse click on a depth cell selects nothing; only the program selects rows.
  if (!RowSelectAllowed) {
    RowSelectAllowed = false;
    return;
  }
  Sounding& s = *sounding_;
  selectRow(s, row);
  Highlight mark = currentHighlight(s);
  for (int r = 1; r <= GridRows; ++r) {
    setCellBackground(0, r, r == mark.row);
    setCellBackground(1, r, r == mark.row);
    for (int c = 1; c <= MaxChannels; ++c) setCellBackground(1 + c, r, r == mark.channelRow[c]);
  }
  RowSelectAllowed = false;
}

void MainForm::txtDepth_KeyDown(int /*row*/, int keyCode, int /*shift*/) {
  Sounding& s = *sounding_;
  unsigned moved = SessionChange::CurrentReading;
  if (keyCode == KeyDelete || keyCode == KeyInsert) {
    // A change of the readings is a step, on the current reading; one that cannot be made
    // changes nothing but the labels.
    Step step =
        keyCode == KeyDelete ? Step(DeleteReading{s.DataIndex}) : Step(InsertReading{s.DataIndex});
    if (s.NumReadings > 0) applyStep(step);
  } else {
    GridStep step = depthKey(s, keyCode);
    if (step.kind == GridStep::SelectRow) {
      RowSelectAllowed = true;
      txtDepth_Click(step.row);
      txtDepth[s.CurrentRow]->setFocus();
    } else if (step.kind == GridStep::Refresh) {
      moved |= SessionChange::GridText;
    }
  }
  sessionChanged({SessionChange::Kind::Nothing, moved});
}

void MainForm::txtChannel_KeyDown(int channel, int row, const QString& text) {
  // The value reaches the readings one key late: the text before this key is stored.
  if (auto typed = typedChannelValue(*sounding_, row, text.toStdString()))
    applyStep(SetValue{channel, typed->reading, typed->value});
}

}  // namespace pelorin
