#pragma once
// File, Combine: the COMBINE FILES panel. It holds the second sounding it shows, with the
// file's name and bytes for the step of its OK, until another is read.

#include <QGroupBox>
#include <functional>
#include <memory>
#include <string>

#include "edit/combine.hpp"
#include "session/session.hpp"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pelorin {

class CombineFilesPanel : public QGroupBox {
 public:
  // `sounding` is the first sounding as it stands; `apply` takes the step of OK; `message`
  // shows a message box.
  CombineFilesPanel(QWidget* area, std::function<const Sounding&()> sounding,
                    const ChannelDefinitions& definitions,
                    std::function<StepResult(const Step&)> apply,
                    std::function<void(const QString&)> message);

  // Reads the second file (an empty path: none was chosen) and, when it can be appended,
  // shows the panel with its data. A file that cannot be read leaves the panel's second
  // sounding as it was.
  CombinePanel read(const std::string& path);
  int readings() const;  // of the second sounding
  QPushButton* ok() const { return cmdCombineOK; }

 private:
  void accept();  // OK
  SecondSounding& second();

  std::function<const Sounding&()> sounding_;
  const ChannelDefinitions& definitions_;
  std::function<StepResult(const Step&)> apply_;
  std::function<void(const QString&)> message_;
  std::unique_ptr<SecondSounding> second_;  // about half a megabyte: made once a file is read
  std::string path_, bytes_;
  QLabel *lblSecondFileChannels, *lblFinalDepthOfFirstSounding;
  QPlainTextEdit* txtSecondFileData;
  QLineEdit* txtStartDepth;
  QCheckBox* chkNormalizeDepth;
  QPushButton* cmdCombineOK;
};

}  // namespace pelorin
