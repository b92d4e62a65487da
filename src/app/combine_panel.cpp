// The COMBINE FILES panel: the second sounding's data and the depth from which it is
// appended to the first.

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/main_form.hpp"
#include "app/widgets.hpp"

namespace pelorin {

void MainForm::buildCombinePanel(QWidget* area) {
  QGroupBox* p = frmSecondFileData =
      makePanel(area, u"frmSecondFileData"_s, u"COMBINE FILES"_s, twipsRect(2640, 720, 7335, 6615));
  Label21 = makeNote(p, u"Label21"_s,
                     u"This Is The Data From The 2nd File.  It Will Be Appended To The Data From "
                     "The 1st File.  Choose The Depth Of The 2nd File Which Signifies The Start "
                     "Of The Actual Data.  All Of The Data Previous To That Depth Will Be "
                     "Discarded."_s,
                     twipsRect(480, 480, 6375, 1095));
  // The second file's lines are shown in a proportional face, as its channels line up in it.
  QFont arial = font();
  arial.setFamily(u"Arial"_s);
  arial.setStyleHint(QFont::SansSerif);
  lblSecondFileChannels = makeLabel(p, u"lblSecondFileChannels"_s, u"SecondFileChannels"_s,
                                    twipsRect(480, 1440, 6375, 255));
  lblSecondFileChannels->setFont(arial);
  txtSecondFileData = new QPlainTextEdit(u"SecondFileData"_s, p);
  txtSecondFileData->setObjectName("txtSecondFileData");
  txtSecondFileData->setGeometry(twipsRect(480, 1680, 6375, 3375));
  txtSecondFileData->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtSecondFileData->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtSecondFileData->setFont(arial);
  Label29 = makeLabel(p, u"Label29"_s, u"Final Depth Of 1st Sounding:"_s,
                      twipsRect(1320, 5160, 2775, 255));
  Label29->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblFinalDepthOfFirstSounding =
      makeLabel(p, u"lblFinalDepthOfFirstSounding"_s, QString(), twipsRect(4200, 5160, 1215, 255));
  Label26 =
      makeLabel(p, u"Label26"_s, u"Start Appending At Depth:"_s, twipsRect(1560, 5520, 2535, 255));
  Label26->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  txtStartDepth = makeTextBox(p, u"txtStartDepth"_s, u"Text2"_s, twipsRect(4200, 5520, 1215, 285));
  Label27 = makeLabel(p, u"Label27"_s, u"m"_s, twipsRect(5520, 5520, 255, 255));
  chkNormalizeDepth = new QCheckBox(u"Normalize depth to 1st file"_s, p);
  chkNormalizeDepth->setObjectName("chkNormalizeDepth");
  chkNormalizeDepth->setGeometry(twipsRect(120, 6120, 2895, 255));
  fitCaption(chkNormalizeDepth, 20);
  cmdCombineOK = makeButton(p, u"cmdCombineOK"_s, u"OK"_s, twipsRect(3120, 6000, 1335, 495));

  // File, Combine opens the panel; its OK, the only button, appends.
  connect(cmdCombineOK, &QPushButton::clicked, this, [this] { cmdCombineOK_Click(); });
}

}  // namespace pelorin
