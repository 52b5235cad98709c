#include <filesystem>
#include <fstream>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/classes/RegistryStore.h"

namespace {

class DxBarLayoutIniTest : public DxBarTest {
 protected:
  void SetUp() override {
    DxBarTest::SetUp();
    file = Utf8ToString(folder + "/layout.ini");
    form->SetName(u"MainForm");
    manager->SetName(u"Bars");
    open = MakeButton(u"OpenCmd", u"&Open");
    save = MakeButton(u"SaveCmd", u"&Save");
    print = MakeButton(u"PrintCmd", u"&Print");
    fileMenu = new TdxBarSubItem(form.get());
    fileMenu->SetName(u"FileMenu");
    fileMenu->SetCategory(0);
    fileMenu->ItemLinks()->Add()->SetItem(open);
    tools = manager->Bars()->Add();
    tools->SetCaption(u"Tools");
    for (TdxBarItem* item : {open, save, print}) tools->ItemLinks()->Add()->SetItem(item);
    tools->SetDockingStyle(dsTop);
    tools->SetRow(1);
    tools->SetVisible(true);
  }

  TdxBarButton* MakeButton(const String& Name, const String& Caption) {
    auto* button = new TdxBarButton(form.get());
    button->SetName(Name);
    button->SetCaption(Caption);
    button->SetCategory(0);
    return button;
  }
  std::vector<String> Names(TdxBarItemLinks* Links) const {
    std::vector<String> names;
    for (int i = 0; i < Links->Count(); ++i) names.push_back(Links->Items(i)->Item()->Name());
    return names;
  }
  void Edit(const String& Section, const String& Name, const String& Value) {
    TMemIniFile ini(file);
    ini.WriteString(u"MainForm.Bars." + Section, Name, Value);
    ini.UpdateFile();
  }

  TTempFolder temp;
  const std::string folder{temp.Path()};
  String file;
  TdxBarButton *open = nullptr, *save = nullptr, *print = nullptr;
  TdxBarSubItem* fileMenu = nullptr;
  TdxBar* tools = nullptr;
};

TEST_F(DxBarLayoutIniTest, ALayoutComesBackAsItWasSaved) {
  TdxBarItemLink* saveLink = tools->ItemLinks()->Items(1);
  saveLink->SetUserCaption(u"Keep");
  saveLink->SetUserDefine(TdxBarUserDefines{udCaption, udWidth});
  saveLink->SetUserWidth(70);
  tools->ItemLinks()->Items(2)->SetBeginGroup(true);
  tools->SetFloatLeft(321);
  tools->SetFloatClientWidth(150);
  fileMenu->ItemLinks()->Add()->SetItem(print);
  manager->SetMenuAnimations(maSlide);
  manager->SaveToIniFile(file);

  tools->ItemLinks()->Clear();
  tools->SetFloatLeft(0);
  tools->SetFloatClientWidth(0);
  tools->SetRow(0);
  tools->SetCaption(u"Other");
  fileMenu->ItemLinks()->Clear();
  manager->SetMenuAnimations(maNone);
  manager->LoadFromIniFile(file);

  EXPECT_EQ(Names(tools->ItemLinks()), (std::vector<String>{u"OpenCmd", u"SaveCmd", u"PrintCmd"}));
  EXPECT_EQ(tools->ItemLinks()->Items(1)->Caption(), u"Keep");
  EXPECT_EQ(tools->ItemLinks()->Items(1)->UserWidth(), 70);
  EXPECT_TRUE(tools->ItemLinks()->Items(2)->BeginGroup());
  EXPECT_EQ(tools->Caption(), u"Tools");
  EXPECT_EQ(tools->Row(), 1);
  EXPECT_EQ(tools->FloatLeft(), 321);
  EXPECT_EQ(tools->FloatClientWidth(), 150);
  EXPECT_EQ(tools->DockingStyle(), dsTop);
  EXPECT_TRUE(tools->Visible());
  EXPECT_EQ(Names(fileMenu->ItemLinks()), (std::vector<String>{u"OpenCmd", u"PrintCmd"}));
  EXPECT_EQ(manager->MenuAnimations(), maSlide);
}

TEST_F(DxBarLayoutIniTest, StaleExtraAndRenamedPartsOfALayout) {
  TdxBar* second = manager->Bars()->Add();
  second->SetCaption(u"Second");
  second->ItemLinks()->Add()->SetItem(save);
  manager->SaveToIniFile(file);
  // Saving a layout with fewer bars leaves no section of the old second bar behind.
  delete second;
  manager->SaveToIniFile(file);
  TMemIniFile ini(file);
  EXPECT_FALSE(ini.SectionExists(u"MainForm.Bars.Bar1"));
  // A layout naming more bars than the form has makes them; a renamed item's links are dropped.
  Edit(u"Main", u"BarCount", u"2");
  Edit(u"Bar1", u"Caption", u"Extra");
  Edit(u"Bar1", u"Row", u"2");
  print->SetName(u"PrintNow");
  manager->LoadFromIniFile(file);
  ASSERT_EQ(manager->Bars()->Count(), 2);
  EXPECT_EQ(manager->Bars()->Items(1)->Caption(), u"Extra");
  EXPECT_EQ(Names(tools->ItemLinks()), (std::vector<String>{u"OpenCmd", u"SaveCmd"}));
}

TEST_F(DxBarLayoutIniTest, BadValuesKeepWhatTheManagerHas) {
  tools->ItemLinks()->Items(0)->SetUserCaption(u"Mine");
  tools->ItemLinks()->Items(0)->SetUserDefine(TdxBarUserDefines{udCaption});
  manager->SaveToIniFile(file);
  struct TCase {
    const char* what;
    const char16_t* section;
    const char16_t* name;
    const char16_t* value;
    std::function<void()> check;
  };
  const TCase cases[] = {
      {"docking style of 9", u"Bar0", u"DockingStyle", u"9", [this] { EXPECT_EQ(tools->DockingStyle(), dsTop); }},
      {"docked style of -1", u"Bar0", u"DockedDockingStyle", u"-1",
       [this] { EXPECT_EQ(tools->DockedDockingStyle(), dsTop); }},
      {"text for an integer", u"Bar0", u"FloatLeft", u"left", [this] { EXPECT_EQ(tools->FloatLeft(), 77); }},
      {"animations of 7", u"Main", u"MenuAnimations", u"7", [this] { EXPECT_EQ(manager->MenuAnimations(), maUnfold); }},
      {"unknown user-define bits", u"Bar0.ItemLink0", u"UserDefine", u"17",
       [this] { EXPECT_EQ(tools->ItemLinks()->Items(0)->Caption(), u"&Open"); }},
      {"paint style of 9", u"Bar0.ItemLink0", u"UserDefine", u"4",
       [this] { EXPECT_EQ(tools->ItemLinks()->Items(0)->UserPaintStyle(), psStandard); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    manager->SaveToIniFile(file);
    Edit(c.section, c.name, c.value);
    if (String(c.value) == u"4") Edit(c.section, u"UserPaintStyle", u"9");
    tools->SetFloatLeft(77);
    manager->SetMenuAnimations(maUnfold);
    manager->LoadFromIniFile(file);
    c.check();
  }
}

// A link of an unnamed item is not written, so the stored links have a gap; the count beside them
// may be damaged in any direction.
TEST_F(DxBarLayoutIniTest, StoredLinksAreReadAcrossGapsWhateverTheirCountSays) {
  auto* unnamed = new TdxBarButton(form.get());
  unnamed->SetCategory(0);
  TdxBarItemLink* gap = tools->ItemLinks()->Add();
  gap->SetItem(unnamed);
  gap->SetIndex(1);
  manager->SaveToIniFile(file);
  {
    TMemIniFile ini(file);
    EXPECT_FALSE(ini.SectionExists(u"MainForm.Bars.Bar0.ItemLink1"));
    EXPECT_TRUE(ini.SectionExists(u"MainForm.Bars.Bar0.ItemLink3"));
  }
  for (const char16_t* count : {u"2147483647", u"0", u"2", u"-1", u"many"}) {
    SCOPED_TRACE(StringToUtf8(count));
    Edit(u"Bar0", u"ItemLinkCount", count);
    tools->ItemLinks()->Clear();
    manager->LoadFromIniFile(file);
    EXPECT_EQ(Names(tools->ItemLinks()), (std::vector<String>{u"OpenCmd", u"SaveCmd", u"PrintCmd"}));
  }
  // Only sections named as the writer names them are links.
  Edit(u"Bar0.ItemLink03", u"ItemName", u"OpenCmd");
  Edit(u"Bar0.ItemLink-4", u"ItemName", u"OpenCmd");
  Edit(u"Bar0.ItemLinkX", u"ItemName", u"OpenCmd");
  manager->LoadFromIniFile(file);
  EXPECT_EQ(Names(tools->ItemLinks()), (std::vector<String>{u"OpenCmd", u"SaveCmd", u"PrintCmd"}));
}

TEST_F(DxBarLayoutIniTest, ABarSectionWithoutItsRowIsNoBar) {
  manager->SaveToIniFile(file);
  {
    TMemIniFile ini(file);
    ini.DeleteKey(u"MainForm.Bars.Bar0", u"Row");
    ini.WriteString(u"MainForm.Bars.Bar0", u"Caption", u"Changed");
    ini.UpdateFile();
  }
  manager->LoadFromIniFile(file);
  EXPECT_EQ(tools->Caption(), u"Tools");
}

TEST_F(DxBarLayoutIniTest, AUserGlyphFlagReadFromAFileShowsTheItemsGlyph) {
  tools->ItemLinks()->Items(0)->SetUserDefine(TdxBarUserDefines{udGlyph});
  manager->SaveToIniFile(file);
  manager->LoadFromIniFile(file);
  EXPECT_FALSE(tools->ItemLinks()->Items(0)->UserDefine().Contains(udGlyph));
}

TEST_F(DxBarLayoutIniTest, UsageIsStoredOnlyOutsideTheStandardStyle) {
  for (TdxBarManagerStyle style : {bmsStandard, bmsEnhanced}) {
    SCOPED_TRACE(static_cast<int>(style));
    std::filesystem::remove(folder + "/layout.ini");
    manager->SetStyle(style);
    manager->SaveToIniFile(file);
    TMemIniFile ini(file);
    EXPECT_EQ(ini.ValueExists(u"MainForm.Bars.Bar0.ItemLink0", u"UseCount"), style != bmsStandard);
    EXPECT_EQ(ini.ValueExists(u"MainForm.Bars.Main", u"MenusShowRecentItemsFirst"), style != bmsStandard);
  }
}

TEST_F(DxBarLayoutIniTest, AFailedSaveRaisesAndAnEmptyNameDoesNothing) {
  manager->SaveToIniFile(u"");
  manager->LoadFromIniFile(u"");
  std::ofstream(folder + "/blocker") << "x";
  EXPECT_THROW(manager->SaveToIniFile(Utf8ToString(folder + "/blocker/layout.ini")), Exception);
  EXPECT_EQ(tools->ItemLinks()->Count(), 3);
}

class DxBarLayoutRegistryTest : public DxBarLayoutIniTest {
 protected:
  void SetUp() override {
    DxBarLayoutIniTest::SetUp();
    SetRegistryStoreFileName(Utf8ToString(folder + "/registry.txt"));
  }
  void TearDown() override {
    SetRegistryStoreFileName(String());
  }
  static bool KeyExists(const String& Key) {
    TRegistry registry;
    return registry.KeyExists(Key);
  }
};

TEST_F(DxBarLayoutRegistryTest, ALayoutComesBackFromTheRegistry) {
  tools->ItemLinks()->Items(1)->SetUserCaption(u"Keep");
  tools->ItemLinks()->Items(1)->SetUserDefine(TdxBarUserDefines{udCaption});
  tools->SetFloatTop(222);
  manager->SaveToRegistry(u"Software\\Cards\\Bars\\");
  EXPECT_TRUE(KeyExists(u"\\Software\\Cards\\Bars\\Bar0\\ItemLink1"));
  EXPECT_FALSE(KeyExists(u"\\Software\\Cards\\Bars (saving)"));
  tools->ItemLinks()->Clear();
  tools->SetFloatTop(0);
  manager->LoadFromRegistry(u"\\Software\\Cards\\Bars");
  EXPECT_EQ(Names(tools->ItemLinks()), (std::vector<String>{u"OpenCmd", u"SaveCmd", u"PrintCmd"}));
  EXPECT_EQ(tools->ItemLinks()->Items(1)->Caption(), u"Keep");
  EXPECT_EQ(tools->FloatTop(), 222);
}

TEST_F(DxBarLayoutRegistryTest, AnEndlessLinkCountReadsTheLinksThatAreThere) {
  tools->ItemLinks()->Items(2)->SetBeginGroup(true);
  manager->SaveToRegistry(u"\\Software\\Cards");
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(u"\\Software\\Cards\\Bar0", false));
    registry.WriteInteger(u"ItemLinkCount", 2147483647);
    registry.CloseKey();
  }
  tools->ItemLinks()->Clear();
  manager->LoadFromRegistry(u"\\Software\\Cards");
  EXPECT_EQ(Names(tools->ItemLinks()), (std::vector<String>{u"OpenCmd", u"SaveCmd", u"PrintCmd"}));
  EXPECT_TRUE(tools->ItemLinks()->Items(2)->BeginGroup());
}

TEST_F(DxBarLayoutRegistryTest, AnOldLayoutWithMoreBarsLeavesNoKeysBehind) {
  TdxBar* second = manager->Bars()->Add();
  second->SetCaption(u"Second");
  manager->SaveToRegistry(u"\\Software\\Cards");
  EXPECT_TRUE(KeyExists(u"\\Software\\Cards\\Bar1"));
  delete second;
  manager->SaveToRegistry(u"\\Software\\Cards");
  EXPECT_FALSE(KeyExists(u"\\Software\\Cards\\Bar1"));
  EXPECT_TRUE(KeyExists(u"\\Software\\Cards\\Bar0"));
}

TEST_F(DxBarLayoutRegistryTest, APathThatNormalisesToNothingStoresNothing) {
  for (const char16_t* path : {u"", u"\\", u"\\\\"}) {
    manager->SaveToRegistry(path);
    manager->LoadFromRegistry(path);
  }
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(u"\\"));
  auto keys = std::make_unique<TStringList>();
  registry.GetKeyNames(keys.get());
  EXPECT_EQ(keys->Count(), 0);
  EXPECT_EQ(tools->ItemLinks()->Count(), 3);
}

TEST_F(DxBarLayoutRegistryTest, TheStoresFileGetsTheFinishedLayoutOnlyAndAFailedWriteRaises) {
  manager->SaveToRegistry(u"\\Software\\Cards");
  std::ifstream file(folder + "/registry.txt");
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Software\\Cards\\Bar0\\ItemLink1]"), std::string::npos);
  EXPECT_EQ(text.find("(saving)"), std::string::npos);

  std::ofstream(folder + "/blocker") << "x";
  SetRegistryStoreFileName(Utf8ToString(folder + "/blocker/registry.txt"));
  EXPECT_THROW(manager->SaveToRegistry(u"\\Software\\Cards"), Exception);
}

}  // namespace
