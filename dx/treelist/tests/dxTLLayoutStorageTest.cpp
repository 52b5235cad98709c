// Layout storage: the INI text of a saved layout, round trips through INI files and the registry,
// the erasing of this control's stale sections only, and the stored orders of bands and columns.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/classes/StringList.h"

namespace {

class DxTLLayoutStorageTest : public DxTreeListTest {
 public:
  void SetUp() override {
    DxTreeListTest::SetUp();
    char pattern[] = "/tmp/tl-layout-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    SetRegistryStoreFileName(Utf8ToString(dir_ + "/registry"));
  }
  void TearDown() override {
    DxTreeListTest::TearDown();
    SetRegistryStoreFileName(String());
    std::filesystem::remove_all(dir_);
  }
  // Grid1 on Form1 with its one band and the given number of columns.
  TTestTreeList* Grid(int Columns) {
    auto* tl = MakeTreeList();
    TWinControl* form = tl->Parent();
    form->SetName(u"Form1");
    tl->SetParent(form);
    for (int i = 0; i < Columns; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass());
    Pump();
    return tl;
  }
  String IniPath(const char* Name) const { return Utf8ToString(dir_ + "/" + Name); }
  std::string ReadFile(const char* Name) const {
    std::ifstream in(dir_ + "/" + Name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void WriteFile(const char* Name, const std::string& Text) const {
    std::ofstream(dir_ + "/" + Name, std::ios::binary) << Text;
  }
  static std::string ColumnOrder(TTestTreeList* tl) {
    std::string s;
    for (int i = 0; i < tl->GetColumnCount(); ++i) s += (i ? " " : "") + StringToUtf8(tl->GetColumn(i)->Name());
    return s;
  }

  std::string dir_;
};

TEST_F(DxTLLayoutStorageTest, TheSavedIniTextOfTheSampleLayout) {
  auto* tl = Grid(1);
  tl->SaveToIniFile(IniPath("edu.ini"));
  std::string height = std::to_string(tl->DefaultRowHeight());
  EXPECT_EQ(ReadFile("edu.ini"),
            "[\\Form1_Grid1]\r\nShowGrid=0\r\nShowPreviewGrid=1\r\nBandRowCount=1\r\nDefaultRowHeight=" + height +
                "\r\nHeaderPanelRowCount=1\r\n\r\n"
                "[\\Form1_Grid1\\Band\\Band0]\r\nID=0\r\nVisible=1\r\nIndex=0\r\nWidth=250\r\n\r\n"
                "[\\Form1_Grid1\\Columns\\Grid1Column1]\r\nBandIndex=0\r\nRowIndex=0\r\nColIndex=0\r\n"
                "Visible=1\r\nIndex=0\r\nWidth=100\r\nSorted=0\r\nSortedOrder=-1\r\nStoredRowIndex=0\r\n");
}

TEST_F(DxTLLayoutStorageTest, SavingErasesThisControlsStaleSectionsOnly) {
  WriteFile("edu.ini",
            "[\\Form1_Grid10]\nWidth=7\n[\\Form1_Grid1\\Columns\\Renamed]\nWidth=5\n[\\Form1_Grid1Extra]\nA=1\n");
  auto* tl = Grid(1);
  tl->SaveToIniFile(IniPath("edu.ini"));
  TMemIniFile ini(IniPath("edu.ini"));
  EXPECT_EQ(ini.ReadInteger(u"\\Form1_Grid10", u"Width", 0), 7);
  EXPECT_TRUE(ini.SectionExists(u"\\Form1_Grid1Extra"));
  EXPECT_FALSE(ini.SectionExists(u"\\Form1_Grid1\\Columns\\Renamed"));
  EXPECT_TRUE(ini.SectionExists(u"\\Form1_Grid1\\Columns\\Grid1Column1"));
}

// Changes the layout, saves it through Save, spoils it, loads it through Load and checks it came back.
void ExpectRoundTrip(TTestTreeList* tl, const std::function<void()>& Save, const std::function<void()>& Load) {
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::MultiSort);
  tl->SetShowGrid(true);
  tl->GetColumn(0)->SetWidth(140);
  tl->GetColumn(1)->SetVisible(false);
  tl->GetColumn(2)->SetIndex(0);  // Grid1Column3 Grid1Column1 Grid1Column2
  tl->GetColumn(1)->SetSorted(csUp);
  tl->GetColumn(0)->SetSorted(csDown);
  Save();
  tl->SetShowGrid(false);
  tl->GetColumn(1)->SetIndex(2);
  for (int i = 0; i < 3; ++i) {
    tl->GetColumn(i)->SetWidth(60);
    tl->GetColumn(i)->SetVisible(true);
    tl->GetColumn(i)->SetSorted(csNone);
  }
  Load();
  EXPECT_TRUE(tl->ShowGrid());
  EXPECT_EQ(DxTLLayoutStorageTest::ColumnOrder(tl), "Grid1Column3 Grid1Column1 Grid1Column2");
  EXPECT_EQ(tl->FindColumnByName(u"Grid1Column1")->Width(), 140);
  EXPECT_FALSE(tl->FindColumnByName(u"Grid1Column2")->Visible());
  ASSERT_EQ(tl->GetSortedColumnCount(), 2);
  EXPECT_EQ(tl->GetSortedColumn(0)->Name(), u"Grid1Column1");
  EXPECT_EQ(tl->GetSortedColumn(1)->Name(), u"Grid1Column3");
  EXPECT_TRUE(tl->IsSortedColumnDescending(1));
}

TEST_F(DxTLLayoutStorageTest, ALayoutRoundTripsThroughAnIniFile) {
  auto* tl = Grid(3);
  String file = IniPath("grid.ini");
  ExpectRoundTrip(tl, [&] { tl->SaveToIniFile(file); }, [&] { tl->LoadFromIniFile(file); });
}

TEST_F(DxTLLayoutStorageTest, ALayoutRoundTripsThroughTheRegistry) {
  auto* tl = Grid(3);
  tl->LoadFromRegistry(u"Software\\Trenvik\\Missing");  // a missing key reads nothing
  EXPECT_EQ(tl->GetColumn(0)->Width(), 100);
  ExpectRoundTrip(tl, [&] { tl->SaveToRegistry(u"Software\\Trenvik\\Grid\\"); },
                  [&] { tl->LoadFromRegistry(u"\\Software\\Trenvik\\Grid"); });
}

TEST_F(DxTLLayoutStorageTest, StoredOrdersAndHeaderRowsAreAppliedAndColIndexIsIgnored) {
  WriteFile("edu.ini",
            "[\\Form1_Grid1]\nHeaderPanelRowCount=2\n"
            "[\\Form1_Grid1\\Band\\Band0]\nID=9\nWidth=10\n"
            "[\\Form1_Grid1\\Columns\\Grid1Column1]\nIndex=2\nColIndex=5\n"
            "[\\Form1_Grid1\\Columns\\Grid1Column2]\nIndex=0\n"
            "[\\Form1_Grid1\\Columns\\Grid1Column3]\nIndex=1\n");
  auto* tl = Grid(3);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::AutoHeaderPanelHeight);
  tl->LoadFromIniFile(IniPath("edu.ini"));
  EXPECT_EQ(ColumnOrder(tl), "Grid1Column2 Grid1Column3 Grid1Column1");
  EXPECT_EQ(tl->Bands()->Items(0)->Width(), 250);  // band ID 9 does not exist
  EXPECT_EQ(tl->HeaderPanelRowCount(), 2);
  EXPECT_FALSE(tl->HasOptionEx(dxtlox::AutoHeaderPanelHeight));

  WriteFile("auto.ini", "[\\Form1_Grid1]\nHeaderPanelRowCount=-1\n");
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::AutoHeaderPanelHeight);
  tl->LoadFromIniFile(IniPath("auto.ini"));
  EXPECT_TRUE(tl->HasOptionEx(dxtlox::AutoHeaderPanelHeight));
}

TEST_F(DxTLLayoutStorageTest, StoredLayoutIsSavedWhenTheControlGoesAndLoadedOnce) {
  auto* tl = Grid(1);
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::StoreToIniFile);
  tl->SetIniFileName(IniPath("stored.ini"));
  tl->SetIniSectionName(u"People");
  tl->GetColumn(0)->SetWidth(123);
  delete tl;
  TMemIniFile ini(IniPath("stored.ini"));
  EXPECT_EQ(ini.ReadInteger(u"\\People\\Columns\\Grid1Column1", u"Width", 0), 123);

  auto* again = Grid(1);
  again->SetOptionFlags(again->OptionFlags() | dxtlo::StoreToIniFile);
  again->SetIniFileName(IniPath("stored.ini"));
  again->SetIniSectionName(u"People");
  again->LoadStoredLayout();
  EXPECT_EQ(again->GetColumn(0)->Width(), 123);
  again->GetColumn(0)->SetWidth(50);
  again->LoadStoredLayout();  // once per control
  EXPECT_EQ(again->GetColumn(0)->Width(), 50);
}

}  // namespace

TEST_F(DxTLLayoutStorageTest, StoredSizesPastAnyScreenAreIgnoredAndTheGridStillPaints) {
  WriteFile("hostile.ini",
            "[\\Form1_Grid1]\nDefaultRowHeight=2147483647\n"
            "[\\Form1_Grid1\\Band\\Band0]\nID=0\nWidth=2147483647\n"
            "[\\Form1_Grid1\\Columns\\Grid1Column1]\nWidth=-2147483648\n"
            "[\\Form1_Grid1\\Columns\\Grid1Column2]\nWidth=2147483647\n");
  auto* tl = Grid(2);
  tl->Add()->AddChild();
  const int rowHeight = tl->DefaultRowHeight();
  const int band = tl->Bands()->Items(0)->Width();
  const int column = tl->GetColumn(0)->Width();
  tl->LoadFromIniFile(IniPath("hostile.ini"));
  EXPECT_EQ(tl->DefaultRowHeight(), rowHeight);
  EXPECT_EQ(tl->Bands()->Items(0)->Width(), band);
  EXPECT_EQ(tl->GetColumn(0)->Width(), column);
  EXPECT_EQ(tl->GetColumn(1)->Width(), column);
  tl->Repaint();

  WriteFile("tall.ini", "[\\Form1_Grid1]\nDefaultRowHeight=40\n");
  tl->LoadFromIniFile(IniPath("tall.ini"));
  EXPECT_EQ(tl->DefaultRowHeight(), 40) << "a size a screen can show is read";
}
