// The SHIFT CHANNEL(S) panel: one row per channel with its final baseline, its lowest
// reading and a box for the offset to shift it by.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/main_form.hpp"
#include "app/widgets.hpp"

namespace pelorin {

void MainForm::buildShiftChannelsPanel(QWidget* area) {
  QGroupBox* p = frmShiftBaselines = makePanel(area, u"frmShiftBaselines"_s, u"SHIFT CHANNEL(S)"_s,
                                               twipsRect(2160, 600, 8175, 7575));
  Label33 =
      makeNote(p, u"Label33"_s, u"WARNING: THIS FUNCTION WILL NOT PERFORM ANY ERROR CHECKING"_s,
               twipsRect(240, 360, 7695, 375));
  Label28 = makeLabel(p, u"Label28"_s, u"FINAL BASELINE"_s, twipsRect(1440, 840, 1695, 255));
  Label30 = makeLabel(p, u"Label30"_s, u"LOWEST READING"_s, twipsRect(3240, 840, 1695, 255));
  Label31 = makeLabel(p, u"Label31"_s, u"SHIFT CHANNEL BY"_s, twipsRect(5160, 840, 1935, 255));

  for (int c = 1; c <= MaxChannels; ++c) {
    int top = 1200 + 360 * (c - 1);
    lblShiftChanLabel[c] = makeElidingLabel(p, u"lblShiftChanLabel_%1"_s.arg(c), QString(),
                                            twipsRect(240, top, 1215, 255));
    lblFinalBaselineChan[c] = makeLabel(p, u"lblFinalBaselineChan_%1"_s.arg(c), QString(),
                                        twipsRect(1680, top, 1215, 255));
    lblLowestReadingChan[c] = makeLabel(p, u"lblLowestReadingChan_%1"_s.arg(c), QString(),
                                        twipsRect(3480, top, 1455, 255));
    txtShiftChannelByChan[c] = makeTextBox(p, u"txtShiftChannelByChan_%1"_s.arg(c), u"Text1"_s,
                                           twipsRect(5520, top, 1335, 285));
    lblShiftUnitsChan[c] =
        makeLabel(p, u"lblShiftUnitsChan_%1"_s.arg(c), QString(), twipsRect(7200, top, 615, 255));
    for (QLabel* label : {lblShiftChanLabel[c], lblFinalBaselineChan[c], lblLowestReadingChan[c],
                          lblShiftUnitsChan[c]})
      label->hide();
  }

  Label32 = makeNote(p, u"Label32"_s,
                     u"TO SHIFT CHANNELS, ENTER OFFSET INTO  'SHIFT CHANNEL BY:' BOX AND CLICK "
                     "'SHIFT READINGS'"_s,
                     twipsRect(240, 4920, 7695, 495));
  Label34 = makeLabel(p, u"Label34"_s, u"<OR>"_s, twipsRect(3720, 5460, 735, 255));
  Label34->setAlignment(Qt::AlignCenter);
  Label35 = makeNote(p, u"Label35"_s,
                     u"CLICK ON 'REMOVE NEGATIVES' TO REMOVE JUST THE NEGATIVES AND ZEROS WITHOUT "
                     "SHIFTING THE OTHER READINGS"_s,
                     twipsRect(240, 5820, 7695, 495));
  Command5 = makeButton(p, u"Command5"_s, u"SHIFT READINGS"_s, twipsRect(2040, 6840, 1335, 495));
  Command7 = makeButton(p, u"Command7"_s, u"REMOVE NEGATIVES"_s, twipsRect(3720, 6840, 1335, 495));
  Command6 = makeButton(p, u"Command6"_s, u"CANCEL"_s, twipsRect(5400, 6840, 1335, 495));

  connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
  connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
  connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
}

}  // namespace pelorin
