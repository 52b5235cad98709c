// The demonstration form's layout saved through an INI file and through the registry, the bars
// changed, and the layout loaded back: the bars come back, each docked one laid out in its dock.
#include <functional>

#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/tests/dxBarDemoUiTest.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "platform/classes/RegistryStore.h"

namespace {

class DxBarDemoLayoutTest : public DxBarDemoUiTest {
 protected:
  void SetUp() override {
    DxBarDemoUiTest::SetUp();
    SetRegistryStoreFileName(Utf8ToString(folder + "/registry.txt"));
  }
  void TearDown() override {
    SetRegistryStoreFileName(String());
    DxBarDemoUiTest::TearDown();
  }
  // Every docked bar's window lies in its dock, where the dock's rows put it.
  void ExpectDockedBarsInTheirDocks() const {
    for (int i = 0; i < manager->Bars()->Count(); ++i) {
      TdxBar* bar = manager->Bars()->Items(i);
      if (!bar->Visible() || bar->DockingStyle() == dsNone) continue;
      RECT window, dock, both;
      GetWindowRect(bar->Control()->Handle(), &window);
      GetWindowRect(manager->Bars()->DockControls(bar->DockingStyle())->Handle(), &dock);
      UnionRect(&both, &window, &dock);
      EXPECT_TRUE(EqualRect(&both, &dock)) << StringToUtf8(bar->Caption());
    }
  }
  // Something of each kind a layout keeps: a user caption and paint style, a user width, a bar
  // docked elsewhere, a floating bar.
  void ArrangeTheBars() {
    TdxBarItemLink* open = LinkOf(u"Standard", 1);
    open->SetUserCaption(u"Open card");
    open->SetUserPaintStyle(psCaptionGlyph);
    open->SetUserDefine(TdxBarUserDefines{udCaption, udPaintStyle});
    TdxBarItemLink* find = LinkOf(u"Search", 0);
    find->SetUserWidth(160);
    find->SetUserDefine(TdxBarUserDefines{udWidth});
    demo->Bar(u"Format")->SetDockingStyle(dsLeft);
    TdxBar* search = demo->Bar(u"Search");
    search->SetFloatLeft(620);
    search->SetFloatTop(520);
    search->SetDockingStyle(dsNone);
    Pump();
  }
  void DisarrangeTheBars() {
    delete LinkOf(u"Standard", 0);
    LinkOf(u"Standard", 0)->SetUserDefine(TdxBarUserDefines{});
    demo->Bar(u"Format")->SetVisible(false);
    demo->Bar(u"Search")->SetDockingStyle(dsTop);
    Pump();
  }

  TTempFolder temp;
  const std::string folder{temp.Path()};
};

TEST_F(DxBarDemoLayoutTest, ALayoutLoadedIntoAShownFormLaysTheDocksOut) {
  const String iniFile = Utf8ToString(folder + "/layout.ini");
  struct TStore {
    const char* what;
    std::function<void()> save, load;
  };
  const TStore stores[] = {
      {"INI file", [&] { manager->SaveToIniFile(iniFile); }, [&] { manager->LoadFromIniFile(iniFile); }},
      {"registry", [&] { manager->SaveToRegistry(u"\\Software\\Cards\\Bars"); },
       [&] { manager->LoadFromRegistry(u"\\Software\\Cards\\Bars"); }},
  };
  for (const TStore& store : stores) {
    SCOPED_TRACE(store.what);
    ArrangeTheBars();
    store.save();
    DisarrangeTheBars();
    store.load();
    Pump();
    EXPECT_EQ(demo->Bar(u"Format")->DockingStyle(), dsLeft);
    EXPECT_EQ(demo->Bar(u"Standard")->ItemLinks()->Count(), 6);
    ExpectDockedBarsInTheirDocks();
    EXPECT_EQ(demo->Bar(u"Search")->DockingStyle(), dsNone);
    KeepCheckedScreen(store.what[0] == 'I' ? "ini" : "registry");
  }
}

}  // namespace
