// File, Combine and File, Export driven through their panels; what they write is compared
// with what the batch tool writes for the same steps.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <sstream>

#include "cli/cli.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

// The core tests' fixtures in tests/data.
QString coreFixture(const char* name) {
  return QDir::cleanPath(QString(PELORIN_APP_TEST_DATA) + "/../../data/" + name);
}

std::string fileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<cannot read " + path.toStdString() + ">";
  return file.readAll().toStdString();
}

// The batch tool's output for args (its output path being `output`).
std::string batchToolBytes(const std::vector<std::string>& args, const QString& output) {
  std::ostringstream out, err;
  int status = cli::run(args, PELORIN_PROGRAM_FOLDER, out, err);
  EXPECT_EQ(status, 0) << err.str();
  return fileBytes(output);
}

void picture(MainForm& form, const char* name) {
  QString path = QString(PELORIN_PICTURES) + "/" + name;
  EXPECT_TRUE(form.grab().save(path)) << path.toStdString();
}

class CombineTest : public WindowTest {
 protected:
  // The first file runs every 0.05 m to 10.00 m, the second from 9.50 m to 15.30 m.
  const QString first = coreFixture("combine_first_qc_fs_u2.cpt");
  const QString second = coreFixture("combine_second_9_50_to_15_30.cpt");

  void combine(const QString& path) {
    dialog->answer(path);
    form->menuCombine->trigger();
  }
  void pressOK(const QString& startDepth, bool normalize) {
    auto* box = control<QLineEdit>("txtStartDepth");
    box->selectAll();
    QTest::keyClicks(box, startDepth);
    auto* check = control<QCheckBox>("chkNormalizeDepth");
    if (check->isChecked() != normalize) QTest::mouseClick(check, Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("cmdCombineOK"), Qt::LeftButton);
  }
  QString gridTexts() const {
    QString all;
    for (int r = 1; r <= GridRows; ++r)
      all += depthCell(r)->text() + speedCell(r)->text() + channelCell(2, r)->text() + "|";
    return all;
  }
  void expectUnchanged(const Sounding& before) const {
    const Sounding& s = form->sounding();
    EXPECT_EQ(s.NumReadings, before.NumReadings);
    EXPECT_EQ(s.MaxLag, before.MaxLag);
    EXPECT_EQ(s.Depth, before.Depth);
    EXPECT_EQ(s.Reading, before.Reading);
  }
};

TEST_F(CombineTest, AppendsThroughThePanelAndSavesWhatTheBatchToolSaves) {
  open(first);
  pressInDepthColumn(Qt::Key_Down, 200);  // the last readings, which the append replaces
  QString grid = gridTexts();

  combine(second);
  ASSERT_EQ(messages->texts.size(), 1u);
  EXPECT_EQ(messages->texts[0],
            "The same cone was used for both test.  The baseline of the first file will be used.");
  EXPECT_TRUE(control("frmSecondFileData")->isVisible());
  QString data = control<QPlainTextEdit>("txtSecondFileData")->toPlainText();
  EXPECT_TRUE(data.startsWith("   9.50")) << data.left(40).toStdString();
  EXPECT_FALSE(data.contains('\r'));
  EXPECT_TRUE(text("lblSecondFileChannels").starts_with(" Depth"));
  EXPECT_EQ(text("txtStartDepth"), " 9.5");
  EXPECT_TRUE(control<QCheckBox>("chkNormalizeDepth")->isChecked());
  picture(*form, "pelorin_combine_filled.png");

  pressOK("9.6", true);
  EXPECT_EQ(messages->texts.size(), 1u) << messages->texts.back().toStdString();
  EXPECT_FALSE(control("frmSecondFileData")->isVisible());
  int count = form->sounding().NumReadings;
  EXPECT_GT(count, 200);
  EXPECT_EQ(text("lblNumberOfReadings"), "# of Readings:  " + std::to_string(count));
  EXPECT_EQ(gridTexts(), grid) << "the grid waits for its next refill";

  QString saved = temporary.filePath("window.cpt");
  save(saved);
  QString batch = temporary.filePath("batch.cpt");
  EXPECT_EQ(fileBytes(saved),
            batchToolBytes({"clean", first.toStdString(), "-o", batch.toStdString(), "--combine",
                            second.toStdString(), "--from", "9.6"},
                           batch));
}

TEST_F(CombineTest, ARefusedDepthLeavesThePanelOpenAndTheSoundingUnchanged) {
  open(first);
  combine(second);
  messages->texts.clear();
  auto before = std::make_unique<Sounding>(form->sounding());
  std::string counter = text("lblNumberOfReadings");

  const struct {
    const char* typed;
    bool normalize;
    const char* message;
  } refusals[] = {
      {"20", true, "Value must be between 9.50 and 15.3."},
      {"9.8", false, "Value must be greater than 10 m."},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.typed);
    pressOK(r.typed, r.normalize);
    ASSERT_FALSE(messages->texts.empty());
    EXPECT_EQ(messages->texts.back(), r.message);
    EXPECT_TRUE(control("frmSecondFileData")->isVisible());
    EXPECT_EQ(text("lblNumberOfReadings"), counter);
    expectUnchanged(*before);
  }

  // The user corrects the depth and presses OK again.
  pressOK("10.5", false);
  EXPECT_EQ(messages->texts.size(), 2u);
  EXPECT_FALSE(control("frmSecondFileData")->isVisible());
  EXPECT_GT(form->sounding().NumReadings, before->NumReadings - before->MaxLag);
}

TEST_F(CombineTest, NoFileOrAnUnreadableOneChangesNothing) {
  open(first);
  auto before = std::make_unique<Sounding>(form->sounding());
  const struct {
    QString path;
    const char* message;  // a part of the one message shown
  } cases[] = {
      {"", "No File Selected."},
      {coreFixture("combine_depth_not_a_number.cpt"), "line 27"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    messages->texts.clear();
    combine(c.path);
    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_TRUE(messages->texts[0].contains(c.message)) << messages->texts[0].toStdString();
    EXPECT_FALSE(control("frmSecondFileData")->isVisible());
    expectUnchanged(*before);
  }
}

struct ExportCase {
  const char* system;  // the batch tool's name
  const char* option;  // the panel's option button
  const char* units[4];
};

const ExportCase kExports[] = {
    {"english", "optEnglish", {"", "TSF", "TSF", "PSI"}},
    {"metric-kpa", "optMetricAbsKPA", {"", "MPA", "KPA", "KPA"}},
    {"metric-bar", "optMetricAbsBAR", {"", "MPA", "KPA", "BAR"}},
    {"kgf-ksc", "optMetricWtKSC", {"", "KSC", "KSC", "KSC"}},
    {"kgf-bar", "optMetricWtBAR", {"", "KSC", "KSC", "BAR"}},
};

void PrintTo(const ExportCase& c, std::ostream* os) { *os << c.system; }

class ExportPanelTest : public WindowTest {
 protected:
  void expectUnits(const char* const units[4]) {
    for (int c = 1; c <= 3; ++c)
      EXPECT_EQ(control<QComboBox>(QString("cmbChannelUnits_%1").arg(c))->currentText(), units[c])
          << "channel " << c;
  }
  void pressExportOK(const QString& path) {
    dialog->answer(path);
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
  }
};

class ExportSystemTest : public ExportPanelTest,
                         public ::testing::WithParamInterface<ExportCase> {};

TEST_P(ExportSystemTest, WritesWhatTheBatchToolWrites) {
  const ExportCase& k = GetParam();
  open(sample("sample_clay_002.cpt"));
  form->MenuExport->trigger();
  ASSERT_TRUE(control("frmExportData")->isVisible());
  EXPECT_TRUE(control<QRadioButton>("optEnglish")->isChecked());
  control<QRadioButton>(k.option)->click();
  expectUnits(k.units);

  // The same file name in two folders: the name is written into the file.
  QString name = QString(k.system) + ".cpd";
  ASSERT_TRUE(QDir(temporary.path()).mkpath("window") && QDir(temporary.path()).mkpath("batch"));
  QString window = temporary.filePath("window/" + name);
  pressExportOK(window);
  EXPECT_TRUE(messages->texts.empty());
  EXPECT_FALSE(control("frmExportData")->isVisible());
  QString batch = temporary.filePath("batch/" + name);
  EXPECT_EQ(fileBytes(window),
            batchToolBytes({"export", sample("sample_clay_002.cpt").toStdString(), "-o",
                            batch.toStdString(), "--system", k.system},
                           batch));
}

INSTANTIATE_TEST_SUITE_P(Systems, ExportSystemTest, ::testing::ValuesIn(kExports),
                         [](const auto& info) {
                           std::string name = info.param.system;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST_F(ExportPanelTest, CancelKeepsTheSystemAndItsUnits) {
  open(sample("sample_clay_002.cpt"));
  std::string mpa = text("txtChannel1_1");
  form->MenuExport->trigger();
  expectUnits(kExports[0].units);
  EXPECT_NE(text("txtChannel1_1"), mpa) << "the grid shows tons per square foot before OK";
  control<QRadioButton>("optMetricWtBAR")->click();
  picture(*form, "pelorin_export_chosen.png");

  // A cancelled save dialog, then one that cannot be written: the panel stays.
  pressExportOK("");
  pressExportOK(temporary.filePath("no/such/folder/out.cpd"));
  ASSERT_EQ(messages->texts.size(), 1u);
  EXPECT_TRUE(messages->texts[0].contains("out.cpd")) << messages->texts[0].toStdString();
  EXPECT_TRUE(control("frmExportData")->isVisible());
  EXPECT_TRUE(QDir(temporary.path()).isEmpty());

  QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
  EXPECT_FALSE(control("frmExportData")->isVisible());
  expectUnits(kExports[4].units);

  // Units the user changes afterwards are not re-applied by the next showing.
  auto* qc = control<QComboBox>("cmbChannelUnits_1");
  form->setListIndex(qc, qc->findText("MPA"));
  form->MenuExport->trigger();
  EXPECT_TRUE(control<QRadioButton>("optMetricWtBAR")->isChecked());
  EXPECT_EQ(qc->currentText(), "MPA");
  pressExportOK(temporary.filePath("out.cpd"));
  EXPECT_FALSE(control("frmExportData")->isVisible());
  std::string line1 = fileBytes(temporary.filePath("out.cpd"));
  line1 = line1.substr(0, line1.find("\r\n"));
  EXPECT_TRUE(line1.ends_with("Metric kgf/cm\xFD")) << line1;
}

}  // namespace
}  // namespace pelorin::test
