// File, Open; File, Save; File, Exit; and the file dialog's starting folder.

#include <QDir>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

using FileTest = WindowTest;

TEST_F(FileTest, OpenFillsTheWindow) {
  open(kClay);
  ASSERT_EQ(lastMessage(), "");
  EXPECT_EQ(text("lblFileName"), "FILE:sample_clay_002.cpt");
  EXPECT_EQ(text("txtCompanyName"), "Brackwater Site Investigation Ltd");
  EXPECT_EQ(text("txtOperator"), "M. S\xc3\xb8rensen") << "Windows-1252 shown as it is meant";
  EXPECT_EQ(text("txtWaterTableDepth"), "1.80");
  for (QLineEdit* box : form->headerBoxes()) EXPECT_TRUE(box->isEnabled());
  EXPECT_FALSE(shown("frmMessage"));
  for (const char* name : {"lblDepthLabel", "lblSpeedLabel", "cmbDepthUnits_1"})
    EXPECT_TRUE(shown(name)) << name;
  for (const char* name : {"MenuFileSave", "MenuExport", "menuCombine", "mnuShiftBaseline"})
    EXPECT_TRUE(control<QAction>(name)->isEnabled()) << name;

  const char* heads[][2] = {{"Qc", "MPA"}, {"Fs", "KPA"}, {"U2", "KPA"}, {"", ""}};
  for (int c = 1; c <= 4; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(text(QString("lblChannelLabel_%1").arg(c)), heads[c - 1][0]);
    EXPECT_EQ(text(QString("cmbChannelUnits_%1").arg(c)), heads[c - 1][1]);
    EXPECT_EQ(shown(QString("cmbChannelUnits_%1").arg(c)), c <= 3);
    EXPECT_EQ(channelCell(c, 1)->isEnabled(), c <= 3);
  }
  // Fs lags five readings: the sixth row is current, Fs's mark five rows higher.
  EXPECT_EQ(counters(), "Data Index:  6|# of Readings:  600");
  EXPECT_EQ(gridTexts().substr(0, gridTexts().find('\n')), "0.02|1.99|1.887|53.4|1.2")
      << "row 1: reading 1";
  for (QLineEdit* cell : {depthCell(6), speedCell(6), channelCell(1, 6), channelCell(2, 1)})
    EXPECT_EQ(background(cell), kGrey) << cell->objectName().toStdString();
  for (QLineEdit* cell : {depthCell(5), channelCell(2, 6)}) EXPECT_EQ(background(cell), kWhite);
}

TEST_F(FileTest, TheFirstDialogStartsInTheDataFolderAndLaterOnesInTheCurrentDirectory) {
  open("");
  open("");
  save("");
  ASSERT_EQ(dialog->requests.size(), 3u);
  EXPECT_EQ(dialog->requests[0].initialFolder, QDir(PELORIN_PROGRAM_FOLDER).filePath("data"));
  EXPECT_EQ(dialog->requests[1].initialFolder, temporary.path());
  EXPECT_EQ(dialog->requests[2].initialFolder, temporary.path());
  for (const auto& request : dialog->requests)
    EXPECT_EQ(request.filter, "Digital CPT data (*.cpt)|*.cpt");
  EXPECT_FALSE(dialog->requests[0].save);
  EXPECT_TRUE(dialog->requests[2].save);
  EXPECT_EQ(dialog->requests[2].defaultSuffix, "cpt") << "a name typed without one gets it";
  EXPECT_EQ(dialog->requests[0].defaultSuffix, "");
}

TEST(DialogStartFolder, WithoutADataFolderBesideTheProgramTheCurrentDirectory) {
  QTemporaryDir root;
  ScriptedPlace place;
  place.folder = root.path();
  place.current = "CURRENT";
  bool shownBefore = false;
  EXPECT_EQ(dialogStartFolder(shownBefore, place), "CURRENT");
  EXPECT_TRUE(shownBefore);
}

TEST_F(FileTest, StartUpSaysWhichDefinitionFilesCouldNotBeUsed) {
  QFile::copy(sample("Channel1.txt"), temporary.filePath("Channel1.txt"));  // the files are here
  QFile broken(temporary.filePath("Channel3.txt"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("\"too short\"\r\n");
  broken.close();
  place->folder = temporary.path();
  restart();
  ASSERT_EQ(messages->texts.size(), 1u);
  EXPECT_TRUE(lastMessage().starts_with("Channel definition files that could not be used:\n"))
      << lastMessage();
  EXPECT_NE(lastMessage().find("Channel3.txt"), std::string::npos) << lastMessage();
}

TEST_F(FileTest, ACancelledOrBrokenOpenKeepsTheOpenSounding) {
  open("");
  EXPECT_EQ(text("lblFileName"), "WELCOME TO PELORIN");
  EXPECT_TRUE(shown("frmMessage"));
  EXPECT_FALSE(control<QAction>("menuCombine")->isEnabled());

  open(kClay);
  pressInDepthColumn(Qt::Key_Down, 30);
  auto before = std::make_unique<Sounding>(form->sounding());
  std::string grid = gridTexts();
  QString broken = appFixture("speed_not_a_number.cpt");
  open(broken);
  ASSERT_EQ(messages->texts.size(), 1u);
  for (std::string part : {broken.toStdString(), std::string("line 25"), std::string("speed")})
    EXPECT_NE(lastMessage().find(part), std::string::npos) << lastMessage();
  EXPECT_EQ(form->sounding().Reading, before->Reading);
  EXPECT_EQ(gridTexts(), grid);
  EXPECT_EQ(background(depthCell(24)), kGrey);
  EXPECT_EQ(counters(), "Data Index:  36|# of Readings:  600");

  open("");  // only the current row goes back to the top
  EXPECT_EQ(form->sounding().DataIndex, 36);
  EXPECT_EQ(form->sounding().CurrentRow, 1);
  EXPECT_EQ(text("lblFileName"), "FILE:sample_clay_002.cpt");
}

TEST_F(FileTest, ASecondOpenStartsFromAnEmptyModelAndEmptyUnitLists) {
  open(kClay);
  open(appFixture("speed_alarms.cpt"));
  EXPECT_EQ(form->sounding().NumChannels, 1);
  EXPECT_FALSE(form->sounding().HasFinalBaseline) << "the first file's final baseline is gone";
  EXPECT_EQ(control<QComboBox>("cmbChannelUnits_1")->count(), 6);
  EXPECT_EQ(control<QComboBox>("cmbChannelUnits_2")->count(), 0);
  EXPECT_FALSE(shown("cmbChannelUnits_2"));
  EXPECT_EQ(text("lblChannelLabel_2") + text("txtChannel2_1"), "");
  EXPECT_EQ(text("txtCompanyName"), "Test Company");
}

TEST_F(FileTest, SaveWritesTheHeaderBoxesAsEditedInWindows1252) {
  open(kClay);
  auto* company = control<QLineEdit>("txtCompanyName");
  company->selectAll();
  QTest::keyClicks(company, "Caf");
  QTest::sendKeyEvent(QTest::Click, company, Qt::Key_Eacute, QString::fromUtf8("\xc3\xa9"),
                      Qt::NoModifier);
  QTest::keyClicks(company, " Drilling");
  EXPECT_EQ(savedBytes().substr(27, 15), "Caf\xe9 Drilling\r\n");
}

TEST_F(FileTest, SaveBeforeAnyFileWritesAnEmptySounding) {
  std::string saved = savedBytes();
  EXPECT_TRUE(saved.starts_with("Quillbrandt Sounding File\r\n\r\n")) << saved;
  EXPECT_TRUE(saved.ends_with(std::string(13, ' ') + "\r\n   (m) (cm/s)\r\n")) << saved;
  EXPECT_EQ(programExit->calls, 1);
}

TEST_F(FileTest, AfterACancelledOrFailedSaveTheUserSavesWhatTheBatchToolWrites) {
  open(kClay);
  save("");
  EXPECT_TRUE(messages->texts.empty());
  save(temporary.filePath("no/such/folder/out.cpt"));
  EXPECT_NE(lastMessage().find("out.cpt"), std::string::npos) << lastMessage();
  EXPECT_EQ(programExit->calls, 0);
  EXPECT_EQ(savedBytes(), cleanBytes(kClay, {}));
  EXPECT_EQ(lastMessage(), "File saved.  To cleanup another file, restart the program.");
  EXPECT_EQ(programExit->calls, 1);
}

TEST_F(FileTest, AFileThatWouldNotReadBackIsSavedWithAWarningOrRefusedAsChosen) {
  open(kClay);
  act("menuStartDepth");
  act("txtNewStartDepth=1000");
  act("Command3");
  menu("mnuRefuseUnreadable");
  save(temporary.filePath("out.cpt"));
  EXPECT_NE(lastMessage().find("its depth \"1000.00\" is wider than its 6 columns"),
            std::string::npos)
      << lastMessage();
  EXPECT_EQ(programExit->calls, 0);
  EXPECT_FALSE(QFile::exists(temporary.filePath("out.cpt")));
  menu("mnuRefuseUnreadable");
  save(temporary.filePath("out.cpt"));
  ASSERT_EQ(messages->texts.size(), 3u);
  EXPECT_NE(messages->texts[1].toStdString().find("will not read back"), std::string::npos);
  EXPECT_EQ(lastMessage(), "File saved.  To cleanup another file, restart the program.");
  EXPECT_EQ(programExit->calls, 1);
}

TEST_F(FileTest, ExitEndsTheProgramWithoutSaving) {
  open(kClay);
  menu("MenuFileExit");
  EXPECT_EQ(programExit->calls, 1);
  EXPECT_TRUE(messages->texts.empty());
  EXPECT_TRUE(QDir(temporary.path()).isEmpty());
}

TEST_F(FileTest, AChannelTypeWithoutDefinitionsOpensButCannotBeSaved) {
  open(appFixture("type_without_definitions.cpt"));
  ASSERT_EQ(messages->texts.size(), 1u) << "told at once";
  EXPECT_NE(lastMessage().find("channel 2 (Xt, type 15): the sounding cannot be saved until"),
            std::string::npos)
      << lastMessage();
  EXPECT_EQ(control<QComboBox>("cmbChannelUnits_2")->count(), 0);
  EXPECT_EQ(text("txtChannel2_1"), "2");
  save(temporary.filePath("out.cpt"));
  EXPECT_NE(lastMessage().find("channel 2"), std::string::npos) << lastMessage();
  EXPECT_NE(lastMessage().find("out.cpt"), std::string::npos) << lastMessage();
  EXPECT_EQ(programExit->calls, 0);
  EXPECT_FALSE(QFile::exists(temporary.filePath("out.cpt")));
}

}  // namespace
}  // namespace pelorin::test
