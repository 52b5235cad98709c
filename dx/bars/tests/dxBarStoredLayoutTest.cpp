#include <fstream>
#include <sstream>

#include "dx/bars/tests/dxBarFormText.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/RegistryStore.h"
#include "platform/rtl/FileUtils.h"

namespace {

class DxBarStoredLayoutTest : public DxBarUiTest {
 protected:
  void TearDown() override {
    SetResourceDirectory(String());
    SetRegistryStoreFileName(String());
    DxBarUiTest::TearDown();
  }

  // The form file of a form whose manager keeps its layout in IniFile (and, when given, under
  // RegistryPath): one top toolbar with the buttons Open, Save and Print.
  static String StoringFormText(const String& IniFile, const String& RegistryPath = {}) {
    std::unique_ptr<TForm> designed(NewForm<TForm>(nullptr));
    designed->SetName(u"BarsForm");
    auto* bars = new TdxBarManager(designed.get());
    bars->SetName(u"BarManager");
    bars->SetStoreInIniFile(true);
    bars->SetIniFileName(IniFile);
    bars->SetStoreInRegistry(!RegistryPath.empty());
    bars->SetRegistryPath(RegistryPath);
    TdxBar* bar = bars->Bars()->Add();
    bar->SetCaption(u"Standard");
    bar->SetDockingStyle(dsTop);
    for (const char16_t* name : {u"btnOpen", u"btnSave", u"btnPrint"}) {
      auto* button = new TdxBarButton(designed.get());
      button->SetName(name);
      button->SetCaption(name);
      button->SetCategory(0);
      bar->ItemLinks()->Add()->SetItem(button);
    }
    bar->SetVisible(true);
    const String text = BarsFormText(designed.get());
    bars->SetStoreInIniFile(false);  // the designer's copy is not the user's
    bars->SetStoreInRegistry(false);
    return text;
  }
  static std::unique_ptr<TForm> ReadShown(const String& Text) {
    std::unique_ptr<TForm> read(ReadBarsForm(Text));
    read->Show();
    Pump();
    return read;
  }
  static TdxBar* StandardBar(TForm* Form) { return BarManagerByForm(Form)->Bars()->Items(0); }
  static std::vector<String> LinkNames(TdxBar* Bar) {
    std::vector<String> names;
    for (int i = 0; i < Bar->ItemLinks()->Count(); ++i) names.push_back(Bar->ItemLinks()->Items(i)->Item()->Name());
    return names;
  }
  // The stored layout of the form's one bar, in the INI file's sections.
  void WriteIniLayout(const std::string& BarValues) const {
    std::ofstream(StringToUtf8(iniFile)) << "[BarsForm.BarManager.Main]\nBarCount=1\n[BarsForm.BarManager.Bar0]\nRow=0\n"
                                         << BarValues;
  }
  std::string IniText() const {
    std::ostringstream text;
    text << std::ifstream(StringToUtf8(iniFile)).rdbuf();
    return text.str();
  }

  TTempFolder temp;
  const std::string folder{temp.Path()};
  const String iniFile{Utf8ToString(folder + "/layout.ini")};
};

TEST_F(DxBarStoredLayoutTest, TheLayoutIsSavedWhenTheFormGoesAndLoadedWithTheNextOne) {
  const String text = StoringFormText(iniFile);
  {
    std::unique_ptr<TForm> first = ReadShown(text);
    TdxBar* bar = StandardBar(first.get());
    ASSERT_EQ(LinkNames(bar).size(), 3u);
    EXPECT_FALSE(FileExists(iniFile)) << "nothing is saved before the form goes";
    delete bar->ItemLinks()->Items(1);
    bar->SetDockingStyle(dsBottom);
  }
  ASSERT_TRUE(FileExists(iniFile));
  std::unique_ptr<TForm> second = ReadShown(text);
  TdxBar* bar = StandardBar(second.get());
  EXPECT_EQ(LinkNames(bar), (std::vector<String>{u"btnOpen", u"btnPrint"}));
  EXPECT_EQ(bar->DockingStyle(), dsBottom);
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_EQ(bar->Control()->DockControl(), BarManagerByForm(second.get())->Bars()->DockControls(dsBottom));

  // A reset reads the designed manager again: that copy neither loads the stored layout nor, when
  // it is freed, saves its own over it.
  std::ofstream(folder + "/TForm.dfm") << StringToUtf8(text);
  SetResourceDirectory(Utf8ToString(folder));
  const std::string stored = IniText();
  bar->Reset();
  EXPECT_EQ(LinkNames(bar), (std::vector<String>{u"btnOpen", u"btnSave", u"btnPrint"}));
  EXPECT_EQ(IniText(), stored);
}

TEST_F(DxBarStoredLayoutTest, ASaveFailingAsTheFormGoesReachesTheApplicationAndTheFormStillGoes) {
  std::ofstream(folder + "/blocker") << "x";
  const String unwritable = Utf8ToString(folder + "/blocker/layout.ini");
  std::unique_ptr<TForm> doomed = ReadShown(StoringFormText(unwritable));
  const int managers = BarManagers()->Count();
  HWND window = doomed->Handle();
  doomed.reset();
  ASSERT_EQ(exceptions.size(), 1u);
  EXPECT_NE(exceptions[0].find(u"blocker"), String::npos) << StringToUtf8(exceptions[0]);
  EXPECT_EQ(BarManagers()->Count(), managers - 1);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(DxBarStoredLayoutTest, ADamagedRegistryStoreLetsTheFormLoadAndReachesTheApplication) {
  const std::string store = folder + "/registry.txt";
  std::ofstream(store) << "this is no registry\n";
  SetRegistryStoreFileName(Utf8ToString(store));
  // The INI file's layout still applies; without one the form keeps the designed layout.
  struct TCase {
    bool iniLayout;
    TdxBarDockingStyle style;
    std::vector<String> links;
  };
  const TCase cases[] = {
      {false, dsTop, {u"btnOpen", u"btnSave", u"btnPrint"}},
      {true, dsBottom, {u"btnSave"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.iniLayout);
    DeleteFile(iniFile);
    if (c.iniLayout)
      WriteIniLayout("DockingStyle=4\nVisible=1\nItemLinkCount=1\n[BarsForm.BarManager.Bar0.ItemLink0]\nItemName=btnSave\n");
    exceptions.clear();
    std::unique_ptr<TForm> form;
    ASSERT_NO_THROW(form = ReadShown(StoringFormText(iniFile, u"Software\\Cards\\Bars")));
    ASSERT_EQ(exceptions.size(), 1u);
    EXPECT_NE(exceptions[0].find(u"damaged"), String::npos) << StringToUtf8(exceptions[0]);
    TdxBar* bar = StandardBar(form.get());
    EXPECT_EQ(LinkNames(bar), c.links);
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->DockingStyle(), c.style);
  }
}

TEST_F(DxBarStoredLayoutTest, PositionsAndSizesPastAnyWindowAreKeptInBounds) {
  const String text = StoringFormText(iniFile);
  for (const char* extreme : {"2147483647", "-2147483648"}) {
    SCOPED_TRACE(extreme);
    std::string values = "DockingStyle=0\nVisible=1\n";
    for (const char* name : {"FloatLeft", "FloatTop", "FloatClientWidth", "FloatClientHeight", "DockedLeft", "DockedTop"})
      values += std::string(name) + "=" + extreme + "\n";
    WriteIniLayout(values);
    std::unique_ptr<TForm> form = ReadShown(text);
    TdxBar* bar = StandardBar(form.get());
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->DockingStyle(), dsNone);
    for (int value : {bar->FloatLeft(), bar->FloatTop(), bar->FloatClientWidth(), bar->DockedLeft()})
      EXPECT_LE(std::abs(value), 32767);
  }
}

}  // namespace
