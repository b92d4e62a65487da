// File, Open; File, Save; File, Exit; and the file dialog's starting folder.

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <sstream>

#include "cli/cli.hpp"
#include "display/grid.hpp"
#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

using FileTest = WindowTest;

std::string fileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

TEST_F(FileTest, OpenFillsTheWindow) {
  open(sample("sample_clay_002.cpt"));
  ASSERT_TRUE(messages->texts.empty()) << messages->texts[0].toStdString();
  const Sounding& s = form->sounding();
  EXPECT_EQ(s.NumReadings, 600);
  EXPECT_EQ(text("lblFileName"), "FILE:sample_clay_002.cpt");
  EXPECT_EQ(text("txtCompanyName"), "Brackwater Site Investigation Ltd");
  EXPECT_EQ(text("txtOperator"), "M. S\xc3\xb8rensen") << "Windows-1252 shown as it is meant";
  EXPECT_EQ(text("txtWaterTableDepth"), "1.80");
  for (QLineEdit* box : form->headerBoxes()) EXPECT_TRUE(box->isEnabled());
  EXPECT_FALSE(control("frmMessage")->isVisible());
  EXPECT_TRUE(control("lblDepthLabel")->isVisible());
  EXPECT_TRUE(control("lblSpeedLabel")->isVisible());
  EXPECT_TRUE(control("cmbDepthUnits_1")->isVisible());

  // Three channels: Qc in MPA, Fs in KPA lagging five readings, U2 in KPA.
  const char* names[] = {"", "Qc", "Fs", "U2"};
  const char* units[] = {"", "MPA", "KPA", "KPA"};
  for (int c = 1; c <= 3; ++c) {
    EXPECT_EQ(text(QString("lblChannelLabel_%1").arg(c)), names[c]);
    auto* list = control<QComboBox>(QString("cmbChannelUnits_%1").arg(c));
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 6);
    EXPECT_EQ(list->currentText().toStdString(), units[c]);
    EXPECT_TRUE(channelCell(c, 1)->isEnabled());
  }
  EXPECT_FALSE(control(QString("cmbChannelUnits_4"))->isVisible());
  EXPECT_FALSE(channelCell(4, 1)->isEnabled());

  // MaxLag 5: the sixth row is current, the top row shows reading 1.
  EXPECT_EQ(s.DataIndex, 6);
  EXPECT_EQ(s.CurrentRow, 6);
  EXPECT_EQ(text("lblDataIndex"), "Data Index:  6");
  EXPECT_EQ(text("lblNumberOfReadings"), "# of Readings:  600");
  EXPECT_EQ(text("txtDepth_1"), "0.02");
  EXPECT_EQ(text("txtSpeed_1"), "1.99");
  EXPECT_EQ(text("txtChannel1_1"), "1.887") << "(0.38969 - 0.01234) / 10 x 50000 KPA in MPA";
  EXPECT_EQ(text("txtChannel2_1"), "53.4");
  EXPECT_EQ(background(depthCell(6)), QColor(200, 200, 200));
  EXPECT_EQ(background(speedCell(6)), QColor(200, 200, 200));
  EXPECT_EQ(background(channelCell(1, 6)), QColor(200, 200, 200));
  EXPECT_EQ(background(channelCell(2, 1)), QColor(200, 200, 200)) << "Fs five rows higher";
  EXPECT_EQ(background(channelCell(2, 6)), QColor(255, 255, 255));
  EXPECT_EQ(background(depthCell(5)), QColor(255, 255, 255));

  for (const char* name : {"MenuFileSave", "MenuExport", "menuCombine", "mnuShiftBaseline"})
    EXPECT_TRUE(control<QAction>(name)->isEnabled()) << name;
}

TEST_F(FileTest, TheFirstDialogStartsInTheDataFolderAndLaterOnesInTheCurrentDirectory) {
  open("");
  open("");
  save("");
  ASSERT_EQ(dialog->requests.size(), 3u);
  // "<first seven characters>\data" is no folder here, so the data folder beside the program.
  EXPECT_EQ(dialog->requests[0].initialFolder, QDir(PELORIN_PROGRAM_FOLDER).filePath("data"));
  EXPECT_EQ(dialog->requests[1].initialFolder, temporary.path());
  EXPECT_EQ(dialog->requests[2].initialFolder, temporary.path());
  for (const auto& request : dialog->requests) {
    EXPECT_EQ(request.filter, "Digital CPT data (*.cpt)|*.cpt");
    EXPECT_TRUE(request.fileName.isEmpty());
  }
  EXPECT_FALSE(dialog->requests[0].save);
  EXPECT_TRUE(dialog->requests[2].save);
  EXPECT_TRUE(form->dialogShownBefore());
}

TEST(DialogStartFolder, FollowsTheRuleAndFallsBackToFoldersThatExist) {
  QTemporaryDir root;
  ASSERT_TRUE(QDir(root.path()).mkpath("program/data"));
  struct {
    const char* name;
    QString program;
    bool shownBefore;
    QString expected;
  } cases[] = {
      {"later dialogs: the current directory", root.path() + "/program", true, "CURRENT"},
      {"first dialog: data beside the program", root.path() + "/program", false,
       root.path() + "/program/data"},
      {"first dialog without a data folder: the current directory", root.path(), false, "CURRENT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPlace place;
    place.folder = c.program;
    place.current = "CURRENT";
    bool shownBefore = c.shownBefore;
    EXPECT_EQ(dialogStartFolder(shownBefore, place), c.expected);
    EXPECT_TRUE(shownBefore);
  }
  // Where "<seven characters>\data" names a folder, the dialog starts there.
  QString seven = root.path().left(7);
  ScriptedPlace place;
  place.folder = root.path();
  place.current = "CURRENT";
  if (QDir().mkpath(seven + "\\data")) {
    bool shownBefore = false;
    EXPECT_EQ(dialogStartFolder(shownBefore, place), seven + "\\data");
    QDir().rmdir(seven + "\\data");
  }
}

TEST_F(FileTest, CancellingOpenChangesNothingButTheCurrentRow) {
  open("");
  EXPECT_EQ(text("lblFileName"), "WELCOME TO PELORIN");
  EXPECT_TRUE(control("frmMessage")->isVisible());
  EXPECT_FALSE(control<QAction>("menuCombine")->isEnabled());
  EXPECT_TRUE(messages->texts.empty());

  open(sample("sample_clay_002.cpt"));
  pressInDepthColumn(Qt::Key_Down, 3);
  auto before = std::make_unique<Sounding>(form->sounding());
  open("");
  EXPECT_EQ(form->sounding().DataIndex, before->DataIndex);
  EXPECT_EQ(form->sounding().CurrentRow, 1);
  EXPECT_EQ(form->sounding().Reading, before->Reading);
  EXPECT_EQ(text("lblFileName"), "FILE:sample_clay_002.cpt");
}

TEST_F(FileTest, ABrokenFileIsReportedAndTheOpenSoundingStays) {
  open(sample("sample_clay_002.cpt"));
  pressInDepthColumn(Qt::Key_Down, 30);
  auto before = std::make_unique<Sounding>(form->sounding());
  QString grid = depthCell(24)->text() + speedCell(24)->text() + channelCell(1, 24)->text();

  QString broken = appFixture("speed_not_a_number.cpt");
  open(broken);
  ASSERT_EQ(messages->texts.size(), 1u);
  std::string message = messages->texts[0].toStdString();
  EXPECT_NE(message.find(broken.toStdString()), std::string::npos) << message;
  EXPECT_NE(message.find("line 25"), std::string::npos) << message;
  EXPECT_NE(message.find("speed"), std::string::npos) << message;

  const Sounding& s = form->sounding();
  EXPECT_EQ(s.NumReadings, before->NumReadings);
  EXPECT_EQ(s.DataIndex, before->DataIndex);
  EXPECT_EQ(s.CurrentRow, before->CurrentRow);
  EXPECT_EQ(s.Reading, before->Reading);
  EXPECT_EQ(text("lblFileName"), "FILE:sample_clay_002.cpt");
  EXPECT_EQ(depthCell(24)->text() + speedCell(24)->text() + channelCell(1, 24)->text(), grid);
  EXPECT_EQ(background(depthCell(24)), QColor(200, 200, 200));
}

TEST_F(FileTest, ASecondOpenStartsFromAnEmptyModelAndEmptyUnitLists) {
  open(sample("sample_clay_002.cpt"));
  open(appFixture("speed_alarms.cpt"));
  const Sounding& s = form->sounding();
  EXPECT_EQ(s.NumChannels, 1);
  EXPECT_FALSE(s.HasFinalBaseline) << "the first file's final baseline is gone";
  EXPECT_EQ(control<QComboBox>("cmbChannelUnits_1")->count(), 6);
  EXPECT_EQ(control<QComboBox>("cmbChannelUnits_1")->currentText(), "MPA");
  EXPECT_FALSE(control("cmbChannelUnits_2")->isVisible());
  EXPECT_EQ(control<QComboBox>("cmbChannelUnits_2")->count(), 0);
  EXPECT_EQ(text("lblChannelLabel_2"), "");
  EXPECT_FALSE(channelCell(2, 1)->isEnabled());
  EXPECT_EQ(text("txtChannel2_1"), "");
  EXPECT_EQ(text("txtCompanyName"), "Test Company");
  EXPECT_EQ(text("lblFileName"), "FILE:speed_alarms.cpt");
}

TEST_F(FileTest, SavingAnUnchangedSoundingWritesWhatTheBatchToolWrites) {
  open(sample("sample_clay_002.cpt"));
  QString out = temporary.filePath("out.cpt");
  save(out);
  ASSERT_EQ(messages->texts.size(), 1u);
  EXPECT_EQ(messages->texts[0], "File saved.  To cleanup another file, restart the program.");
  EXPECT_EQ(programExit->calls, 1);

  std::string cliOut = temporary.filePath("cli.cpt").toStdString();
  std::ostringstream o, e;
  ASSERT_EQ(cli::run({"clean", (QString(PELORIN_DATA) + "/sample_clay_002.cpt").toStdString(),
                      "-o", cliOut},
                     PELORIN_PROGRAM_FOLDER, o, e),
            0)
      << e.str();
  std::string saved = fileBytes(out);
  EXPECT_EQ(saved, fileBytes(QString::fromStdString(cliOut)));
  EXPECT_EQ(saved.substr(0, 27), "Quillbrandt Sounding File\r\n");
}

TEST_F(FileTest, SaveWritesTheHeaderBoxesAsEdited) {
  open(sample("sample_clay_002.cpt"));
  auto* company = control<QLineEdit>("txtCompanyName");
  company->selectAll();
  QTest::keyClicks(company, "Caf");
  QTest::sendKeyEvent(QTest::Click, company, Qt::Key_Eacute, QString::fromUtf8("\xc3\xa9"), Qt::NoModifier);
  QTest::keyClicks(company, " Drilling");
  QString out = temporary.filePath("edited.cpt");
  save(out);
  std::string saved = fileBytes(out);
  EXPECT_EQ(saved.substr(27, 15), "Caf\xe9 Drilling\r\n") << "written in Windows-1252";
}

TEST_F(FileTest, SaveBeforeAnyFileWritesAnEmptySounding) {
  QString out = temporary.filePath("empty.cpt");
  save(out);
  std::string expected = "Quillbrandt Sounding File\r\n";
  for (int i = 0; i < 12; ++i) expected += "\r\n";
  expected += "\r\n\r\n";
  for (int i = 0; i < 7; ++i) expected += std::string(13, ' ') + "\r\n";
  expected += "   (m) (cm/s)\r\n";
  EXPECT_EQ(fileBytes(out), expected);
  EXPECT_EQ(programExit->calls, 1);
}

TEST_F(FileTest, ASaveThatFailsIsReportedAndTheProgramGoesOn) {
  open(sample("sample_clay_002.cpt"));
  save("");  // cancelled
  EXPECT_TRUE(messages->texts.empty());
  EXPECT_EQ(programExit->calls, 0);

  QString unwritable = temporary.filePath("no/such/folder/out.cpt");
  save(unwritable);
  ASSERT_EQ(messages->texts.size(), 1u);
  EXPECT_NE(messages->texts[0].toStdString().find("out.cpt"), std::string::npos)
      << messages->texts[0].toStdString();
  EXPECT_EQ(programExit->calls, 0);
  EXPECT_EQ(form->sounding().NumReadings, 600);

  // The user saves elsewhere.
  save(temporary.filePath("out.cpt"));
  EXPECT_EQ(programExit->calls, 1);
  EXPECT_TRUE(QFile::exists(temporary.filePath("out.cpt")));
}

TEST_F(FileTest, ExitEndsTheProgramWithoutSaving) {
  open(sample("sample_clay_002.cpt"));
  form->MenuFileExit->trigger();
  EXPECT_EQ(programExit->calls, 1);
  EXPECT_TRUE(messages->texts.empty());
  EXPECT_TRUE(QDir(temporary.path()).isEmpty());
}

}  // namespace
}  // namespace pelorin::test

namespace pelorin::test {
namespace {

TEST_F(FileTest, AChannelTypeWithoutDefinitionsOpensButCannotBeSaved) {
  open(appFixture("type_without_definitions.cpt"));
  ASSERT_TRUE(messages->texts.empty());
  auto* list = control<QComboBox>("cmbChannelUnits_2");
  EXPECT_EQ(list->count(), 0);
  EXPECT_EQ(list->currentIndex(), -1);
  EXPECT_EQ(form->sounding().Reading[2][1], 2.0f) << "(0.2 - 0) / 10 x 100 x the file's factor 1";
  EXPECT_EQ(text("txtChannel2_1"), "2");

  save(temporary.filePath("out.cpt"));
  ASSERT_EQ(messages->texts.size(), 1u);
  EXPECT_NE(messages->texts[0].toStdString().find("channel 2"), std::string::npos)
      << messages->texts[0].toStdString();
  EXPECT_EQ(programExit->calls, 0);
  EXPECT_FALSE(QFile::exists(temporary.filePath("out.cpt")));
}

}  // namespace
}  // namespace pelorin::test
