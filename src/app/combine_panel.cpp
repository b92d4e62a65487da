// The COMBINE FILES panel: the second sounding's data and the depth from which it is
// appended to the first.

#include "app/combine_panel.hpp"

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

CombineFilesPanel::CombineFilesPanel(QWidget* area, std::function<const Sounding&()> sounding,
                                     const ChannelDefinitions& definitions,
                                     std::function<StepResult(const Step&)> apply,
                                     std::function<void(const QString&)> message)
    : QGroupBox(u"COMBINE FILES"_s, area),
      sounding_(std::move(sounding)),
      definitions_(definitions),
      apply_(std::move(apply)),
      message_(std::move(message)) {
  QGroupBox* p = this;
  setUpPanel(p, u"frmSecondFileData"_s, twipsRect(2640, 720, 7335, 6615));
  makeNote(p, u"Label21"_s,
           u"This Is The Data From The 2nd File.  It Will Be Appended To The Data From "
           "The 1st File.  Choose The Depth Of The 2nd File Which Signifies The Start "
           "Of The Actual Data.  All Of The Data Previous To That Depth Will Be "
           "Discarded."_s,
           twipsRect(480, 480, 6375, 1095));
  // The second file's lines are shown in a proportional face, as its channels line up in it.
  QFont arial = area->font();
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
  QLabel* finalDepth = makeLabel(p, u"Label29"_s, u"Final Depth Of 1st Sounding:"_s,
                                 twipsRect(1320, 5160, 2775, 255));
  finalDepth->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblFinalDepthOfFirstSounding =
      makeLabel(p, u"lblFinalDepthOfFirstSounding"_s, QString(), twipsRect(4200, 5160, 1215, 255));
  QLabel* startDepth =
      makeLabel(p, u"Label26"_s, u"Start Appending At Depth:"_s, twipsRect(1560, 5520, 2535, 255));
  startDepth->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  txtStartDepth = makeTextBox(p, u"txtStartDepth"_s, u"Text2"_s, twipsRect(4200, 5520, 1215, 285));
  makeLabel(p, u"Label27"_s, u"m"_s, twipsRect(5520, 5520, 255, 255));
  chkNormalizeDepth = new QCheckBox(u"Normalize depth to 1st file"_s, p);
  chkNormalizeDepth->setObjectName("chkNormalizeDepth");
  chkNormalizeDepth->setGeometry(twipsRect(120, 6120, 2895, 255));
  fitCaption(chkNormalizeDepth, 20);
  cmdCombineOK = makeButton(p, u"cmdCombineOK"_s, u"OK"_s, twipsRect(3120, 6000, 1335, 495));

  // File, Combine opens the panel; its OK, the only button, appends.
  connect(cmdCombineOK, &QPushButton::clicked, this, [this] { accept(); });
}

SecondSounding& CombineFilesPanel::second() {
  if (!second_) second_ = std::make_unique<SecondSounding>();
  return *second_;
}

int CombineFilesPanel::readings() const { return second_ ? second_->NumReadings2 : 0; }

CombinePanel CombineFilesPanel::read(const std::string& path) {
  CombinePanel panel = readSecondSoundingFile(path, sounding_(), definitions_, second(), &bytes_);
  path_ = path;
  if (!panel.shown) return panel;
  lblSecondFileChannels->setText(fromModelText(panel.channelHeads));
  // The readings come as CR LF lines; the text box keeps plain line feeds.
  txtSecondFileData->setPlainText(fromModelText(panel.readingLines).replace(u"\r\n"_s, u"\n"_s));
  lblFinalDepthOfFirstSounding->setText(fromModelText(panel.finalDepthOfFirst));
  txtStartDepth->setText(fromModelText(panel.startDepth));
  chkNormalizeDepth->setChecked(panel.normalizeDepth);
  // Filled before it shows, so that the depth it offers is selected: typing replaces it.
  show();
  raise();
  return panel;
}

void CombineFilesPanel::accept() {
  // The typed text goes to the core as the batch tool passes --from; the step keeps the
  // second file's bytes.
  StepResult result = apply_(
      Combine{path_, bytes_, toModelText(txtStartDepth->text()), chkNormalizeDepth->isChecked()});
  if (!result.applied()) {
    // Nothing has changed; the user may correct the depth and press OK again.
    message_(QString::fromStdString(result.outcome.message));
    return;
  }
  // The grid is left as it is: it shows the appended readings the next time it is filled.
  // The counters and the profile show them at once.
  hide();
}

}  // namespace pelorin
