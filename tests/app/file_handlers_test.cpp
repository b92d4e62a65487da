// The file dialog's starting folder, the definition files at start-up, the header boxes
// saved in Windows-1252, and the export panel's units.

#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>

#include "window_fixture.hpp"

namespace pelorin::test {
namespace {

class FileTest : public WindowTest {
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

TEST_F(FileTest, TheFirstDialogStartsInTheDataFolderAndLaterOnesInTheCurrentDirectory) {
  open("");
  open("");
  save("");
  ASSERT_EQ(dialog->requests.size(), 3u);
  EXPECT_EQ(dialog->requests[0].initialFolder, QDir(PELORIN_PROGRAM_FOLDER).filePath("data"));
  EXPECT_EQ(dialog->requests[1].initialFolder, temporary.path());
  EXPECT_EQ(dialog->requests[2].initialFolder, temporary.path());
  // Open offers the exchange formats and all files after the sounding files.
  for (const auto& request : dialog->requests)
    EXPECT_EQ(request.filter, request.save ? "Digital CPT data (*.cpt)|*.cpt"
                                           : "Digital CPT data (*.cpt)|*.cpt|GEF-CPT, AGS4 and BRO "
                                             "XML (*.gef *.ags *.xml)|*.gef;*.ags;*.xml|All files "
                                             "(*)|*");
  EXPECT_FALSE(dialog->requests[0].save);
  EXPECT_TRUE(dialog->requests[2].save);
  EXPECT_EQ(dialog->requests[2].defaultSuffix, "cpt") << "a name typed without one gets it";
  EXPECT_EQ(dialog->requests[0].defaultSuffix, "");
}

// File, Recent Files holds the files opened, newest first, and opens them again; a sounding
// file dropped on the window opens as File, Open would, any other file does not.
TEST_F(FileTest, RecentFilesAndADroppedFileOpen) {
  const QString sand = sample("sample_sand_005.cpt");
  open(kClay);
  open(sand);
  open(kClay);
  const QList<QAction*> recent = control<QMenu>("mnuRecentFiles")->actions();
  ASSERT_EQ(recent.size(), 2);
  EXPECT_EQ(recent[0]->text(), "&1 sample_clay_002.cpt");
  EXPECT_EQ(recent[1]->text(), "&2 sample_sand_005.cpt");
  recent[1]->trigger();
  EXPECT_EQ(text("lblFileName"), "FILE:sample_sand_005.cpt");
  for (const QString& dropped : {temporary.filePath("notes.txt"), kClay}) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dropped)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
  }
  EXPECT_EQ(text("lblFileName"), "FILE:sample_clay_002.cpt");
}

// The window's size and its docks are kept from one run to the next.
TEST_F(FileTest, TheWindowKeepsItsSizeAndDocksBetweenRuns) {
  EXPECT_FALSE(shown("dockHistory"));
  form->resize(form->width() + 40, form->height() + 30);
  menu("mnuViewHistory");
  const QSize left = form->size();
  form->close();
  restart();
  EXPECT_EQ(form->size(), left);
  EXPECT_TRUE(shown("dockHistory"));
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

// The units of English at the first showing; a cancelled panel keeps the system chosen, and
// units the user changes afterwards are not re-applied by the next showing.
TEST_F(FileTest, ExportCancelKeepsTheSystemAndItsUnits) {
  open(kClay);
  std::string mpa = text("txtChannel1_1");
  menu("MenuExport");
  EXPECT_EQ(units(), "TSF TSF PSI");
  EXPECT_NE(text("txtChannel1_1"), mpa);
  click("optMetricWtBAR");
  click("Command2");
  EXPECT_FALSE(shown("frmExportData"));
  EXPECT_EQ(units(), "KSC KSC BAR");

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

}  // namespace
}  // namespace pelorin::test
