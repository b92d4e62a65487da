// File, Combine and File, Export driven through their panels; what they write is compared
// with what the batch tool writes for the same steps.

#include <QCheckBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

// The core tests' fixtures in tests/data.
QString coreFixture(const char* name) {
  return QDir::cleanPath(QString(PELORIN_APP_TEST_DATA) + "/../../data/" + name);
}

class CombineTest : public WindowTest {
 protected:
  // The first file runs every 0.05 m to 10.00 m, the second from 9.50 m to 15.30 m.
  const QString first = coreFixture("combine_first_qc_fs_u2.cpt");
  const QString second = coreFixture("combine_second_9_50_to_15_30.cpt");

  void pressOK(const QString& startDepth, bool normalize) {
    type("txtStartDepth", startDepth);
    if (control<QCheckBox>("chkNormalizeDepth")->isChecked() != normalize)
      click("chkNormalizeDepth");
    click("cmdCombineOK");
  }
};

TEST_F(CombineTest, AppendsThroughThePanel) {
  open(first);
  pressInDepthColumn(Qt::Key_Down, 200);  // the last readings, which the append replaces
  std::string grid = gridTexts();
  menu("menuCombine", second);
  EXPECT_EQ(dialog->requests.back().title, "Combine: open the second sounding");
  ASSERT_EQ(messages->texts.size(), 1u);
  EXPECT_EQ(lastMessage(),
            "The same cone was used for both test.  The baseline of the first file will be used.");
  QString data = control<QPlainTextEdit>("txtSecondFileData")->toPlainText();
  EXPECT_TRUE(data.startsWith("   9.50") && !data.contains('\r')) << data.left(40).toStdString();
  EXPECT_TRUE(text("lblSecondFileChannels").starts_with(" Depth"));
  EXPECT_EQ(text("txtStartDepth"), " 9.5");
  EXPECT_TRUE(shown("frmSecondFileData") && control<QCheckBox>("chkNormalizeDepth")->isChecked());

  pressOK("9.6", true);
  EXPECT_EQ(messages->texts.size(), 1u) << lastMessage();
  EXPECT_FALSE(shown("frmSecondFileData"));
  EXPECT_EQ(text("lblNumberOfReadings"),
            "# of Readings:  " + std::to_string(form->sounding().NumReadings));
  EXPECT_EQ(gridTexts(), grid) << "the grid waits for its next refill";
}

TEST_F(CombineTest, ARefusedDepthLeavesThePanelOpenAndTheSoundingUnchanged) {
  open(first);
  menu("menuCombine", second);
  auto before = std::make_unique<Sounding>(form->sounding());
  std::string counter = text("lblNumberOfReadings");
  const struct {
    const char* typed;
    bool normalize;
    const char* message;
  } refusals[] = {{"20", true, "Value must be between 9.50 and 15.3."},
                  {"9.8", false, "Value must be greater than 10 m."}};
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.typed);
    pressOK(r.typed, r.normalize);
    EXPECT_EQ(lastMessage(), r.message);
    EXPECT_TRUE(shown("frmSecondFileData"));
    EXPECT_EQ(text("lblNumberOfReadings"), counter);
    EXPECT_EQ(form->sounding().Reading, before->Reading);
  }
  pressOK("10.5", false);  // corrected
  EXPECT_EQ(messages->texts.size(), 3u);
  EXPECT_FALSE(shown("frmSecondFileData"));
  EXPECT_GT(form->sounding().NumReadings, before->NumReadings - before->MaxLag);
}

TEST_F(CombineTest, NoFileOrAnUnreadableOneChangesNothing) {
  open(first);
  auto before = std::make_unique<Sounding>(form->sounding());
  const std::pair<QString, const char*> cases[] = {
      {"", "No File Selected."}, {coreFixture("combine_depth_not_a_number.cpt"), "line 27"}};
  for (const auto& [path, message] : cases) {
    messages->texts.clear();
    menu("menuCombine", path);
    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_NE(lastMessage().find(message), std::string::npos) << lastMessage();
    EXPECT_FALSE(shown("frmSecondFileData"));
    EXPECT_EQ(form->sounding().NumReadings, before->NumReadings);
    EXPECT_EQ(form->sounding().Reading, before->Reading);
  }
}

const struct ExportCase {
  const char* system;  // the batch tool's name
  const char* option;  // the panel's option button
  const char* units;   // channels 1 to 3 afterwards
} kExports[] = {{"english", "optEnglish", "TSF TSF PSI"},
                {"metric-kpa", "optMetricAbsKPA", "MPA KPA KPA"},
                {"metric-bar", "optMetricAbsBAR", "MPA KPA BAR"},
                {"kgf-ksc", "optMetricWtKSC", "KSC KSC KSC"},
                {"kgf-bar", "optMetricWtBAR", "KSC KSC BAR"}};

class ExportTest : public WindowTest {
 protected:
  std::string units() {
    return text("cmbChannelUnits_1") + " " + text("cmbChannelUnits_2") + " " +
           text("cmbChannelUnits_3");
  }
  void pressExportOK(const QString& path) {
    dialog->answer(path);
    click("Command1");
  }
};

TEST_F(ExportTest, EachSystemWritesWhatTheBatchToolWrites) {
  ASSERT_TRUE(QDir(temporary.path()).mkpath("window") && QDir(temporary.path()).mkpath("batch"));
  for (const ExportCase& k : kExports) {
    SCOPED_TRACE(k.system);
    restart();
    open(kClay);
    menu("MenuExport");
    click(k.option);
    EXPECT_EQ(units(), k.units);
    // The same file name in two folders: the name is written into the file.
    QString name = QString(k.system) + ".cpd", window = temporary.filePath("window/" + name),
            batch = temporary.filePath("batch/" + name);
    pressExportOK(window);
    EXPECT_EQ(dialog->requests.back().defaultSuffix, "cpd");
    EXPECT_FALSE(shown("frmExportData"));
    EXPECT_EQ(fileBytes(window), batchBytes({"export", kClay.toStdString(), "-o",
                                             batch.toStdString(), "--system", k.system},
                                            batch));
  }
}

TEST_F(ExportTest, CancelKeepsTheSystemAndItsUnits) {
  open(kClay);
  std::string mpa = text("txtChannel1_1");
  menu("MenuExport");
  EXPECT_EQ(units(), kExports[0].units) << "English at the first showing, before OK";
  EXPECT_NE(text("txtChannel1_1"), mpa);
  click("optMetricWtBAR");
  // A cancelled save dialog, then one that cannot be written: the panel stays.
  pressExportOK("");
  pressExportOK(temporary.filePath("no/such/folder/out.cpd"));
  ASSERT_EQ(messages->texts.size(), 1u);
  EXPECT_NE(lastMessage().find("out.cpd"), std::string::npos) << lastMessage();
  EXPECT_TRUE(shown("frmExportData"));
  EXPECT_TRUE(QDir(temporary.path()).isEmpty());
  click("Command2");
  EXPECT_FALSE(shown("frmExportData"));
  EXPECT_EQ(units(), kExports[4].units);

  // Units the user changes afterwards are not re-applied by the next showing.
  auto* qc = control<QComboBox>("cmbChannelUnits_1");
  form->setListIndex(qc, qc->findText("MPA"));
  menu("MenuExport");
  EXPECT_TRUE(control<QRadioButton>("optMetricWtBAR")->isChecked());
  EXPECT_EQ(qc->currentText(), "MPA");
  pressExportOK(temporary.filePath("out.cpd"));
  std::string written = fileBytes(temporary.filePath("out.cpd"));
  EXPECT_TRUE(written.substr(0, written.find("\r\n")).ends_with("Metric kgf/cm\xFD"))
      << written.substr(0, 80);
}

TEST_F(ExportTest, ExchangeFilesFromTheWindowAreWhatTheBatchToolWrites) {
  ::setenv("SOURCE_DATE_EPOCH", "1765065600", 1);  // both write the same date
  for (const char* name : {"sample_clay_002.cpt", "sample_sand_005.cpt", "sample_no_pore.cpt"}) {
    SCOPED_TRACE(name);
    const QString input = sample(name);
    open(input);
    for (const char* step : {"mnuShiftBaseline", "txtShiftChannelByChan_1=0.5", "Command5"}) act(step);
    for (std::string format : {"gef", "ags"}) {
      QString window = temporary.filePath(QString::fromStdString("window." + format));
      QString batch = temporary.filePath(QString::fromStdString("batch." + format));
      menu(format == "gef" ? "mnuExportGef" : "mnuExportAgs", window);
      EXPECT_EQ(fileBytes(window), batchBytes({format, input.toStdString(), "-o",
                                               batch.toStdString(), "--shift", "1=0.5"},
                                              batch));
    }
  }
  EXPECT_EQ(fileBytes(temporary.filePath("window.gef")).substr(0, 43),
            "#GEFID= 1, 1, 0\r\n#FILEDATE= 2025, 12, 07\r\n#");
}

}  // namespace
}  // namespace pelorin::test
