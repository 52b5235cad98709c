// The program's spreadsheet reports on the demo database: the print list and the duplicate list
// exported to "Text" under the program's folder, read back by python3-xlrd, and handed to the
// shell's opener; a missing "Text" folder fails before anything is opened.
#include <cstdio>
#include <memory>

#include "app/SheetExport.h"
#include "app/tests/AppTestSupport.h"
#include "dx/dbgrid/tests/XlsReadBack.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Shell.h"

namespace {

class SheetExportTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SetShellLauncher([this](const std::vector<std::string>& Argv) {
      opened.push_back(Argv.back());
      return true;
    });
  }
  void TearDown() override {
    SetShellLauncher(nullptr);
    AppTest::TearDown();
  }
  // A grid with a column per field of Source's dataset, every record loaded.
  TdxDBGrid* GridOver(TDataSource* Source) {
    auto* grid = new TdxDBGrid(MainForm);
    grid->SetParent(MainForm);
    grid->SetOptionsDB(grid->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
    grid->SetDefaultFields(true);
    grid->SetDataSource(Source);
    Source->DataSet()->Open();
    Pump();
    return grid;
  }
  std::vector<std::string> opened;
};

TEST_F(SheetExportTest, ThePrintListAndTheDoublesGoToTextAndAreOpened) {
  StartShowingList(20);
  ASSERT_TRUE(CreateDir(ProgramFolder() + u"Text"));
  // The print list shows the people the user's filter table names: all of them.
  DataModule2->ADOConnection1->Execute(
      u"INSERT INTO O_FILTER ([USER], O_PEOPLEID) SELECT 'tester', O_PEOPLEID FROM O_PEOPLE");
  // A second card of the first person's name: the duplicate list's one entry.
  DataModule2->ADOConnection1->Execute(
      u"INSERT INTO O_PEOPLE (M_RAYON_DEPID, M_KATID, M_SEXID, FSTNAME, SECNAME, LASTNAME, M_RecordStatusID) "
      u"SELECT M_RAYON_DEPID, M_KATID, M_SEXID, FSTNAME, SECNAME, LASTNAME, M_RecordStatusID FROM O_PEOPLE "
      u"LIMIT 1");
  struct Case {
    TDataSource* source;
    const char16_t* sheet;
    const char* caption;
  } cases[] = {
      {DataModule2->PrintList_DS, kPeopleListSheet, "фамилия"},
      {DataModule2->Doubles_DS, kDoublesSheet, "кол-во совпадений"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.sheet));
    TdxDBGrid* grid = GridOver(c.source);
    ASSERT_GT(c.source->DataSet()->RecordCount(), 0);
    const String path = ExportGridToSheet(grid, c.sheet, true, MainForm->Handle());
    EXPECT_EQ(path, ProgramFolder() + c.sheet);
    ASSERT_FALSE(opened.empty());
    EXPECT_EQ(opened.back(), Text(path));
    const std::string sheet = ReadBackWithXlrd(path);
    // A caption row, then a row per record.
    EXPECT_NE(sheet.find("rows " + std::to_string(c.source->DataSet()->RecordCount() + 1) + "\n"),
              std::string::npos)
        << sheet;
    EXPECT_NE(sheet.find(c.caption), std::string::npos) << sheet;
  }
}

TEST_F(SheetExportTest, WithoutTheTextFolderTheExportFailsAndNothingIsOpened) {
  StartShowingList(5);
  TdxDBGrid* grid = GridOver(DataModule2->Doubles_DS);
  EXPECT_THROW(ExportGridToSheet(grid, kDoublesSheet, false, nullptr), Exception);
  EXPECT_TRUE(opened.empty());
}

}  // namespace
