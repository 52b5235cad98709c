// A bar reset from its design brings back the links of the sub items it shows, down through the
// sub items in their menus.
#include <fstream>

#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/tests/dxBarFormText.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/classes/FormResources.h"
#include "platform/rtl/FileUtils.h"

namespace {

class DxBarSubItemResetTest : public DxBarUiTest {
 protected:
  void TearDown() override {
    SetResourceDirectory(String());
    DxBarUiTest::TearDown();
  }
  // A menu bar with "File", whose menu holds Open, Save and "Recent", whose menu holds Print.
  static String DesignedFormText() {
    std::unique_ptr<TForm> designed(NewForm<TForm>(nullptr));
    designed->SetName(u"MenuForm");
    auto* bars = new TdxBarManager(designed.get());
    bars->SetName(u"BarManager");
    auto item = [&](TdxBarItem* Item, const char16_t* Name) {
      Item->SetName(Name);
      Item->SetCaption(Name);
      Item->SetCategory(0);
      return Item;
    };
    auto* file = static_cast<TdxBarSubItem*>(item(new TdxBarSubItem(designed.get()), u"subFile"));
    auto* recent = static_cast<TdxBarSubItem*>(item(new TdxBarSubItem(designed.get()), u"subRecent"));
    for (const char16_t* name : {u"btnOpen", u"btnSave"})
      file->ItemLinks()->Add()->SetItem(item(new TdxBarButton(designed.get()), name));
    file->ItemLinks()->Add()->SetItem(recent);
    recent->ItemLinks()->Add()->SetItem(item(new TdxBarButton(designed.get()), u"btnPrint"));
    TdxBar* bar = bars->Bars()->Add();
    bar->SetCaption(u"Menu");
    bar->SetDockingStyle(dsTop);
    bar->ItemLinks()->Add()->SetItem(file);
    bar->SetVisible(true);
    return BarsFormText(designed.get());
  }
  static std::vector<String> LinkNames(TdxBarItemLinks* Links) {
    std::vector<String> names;
    for (int i = 0; i < Links->Count(); ++i) names.push_back(Links->Items(i)->Item()->Name());
    return names;
  }

  TTempFolder temp;
};

TEST_F(DxBarSubItemResetTest, AResetBringsBackTheSubItemsLinksAtEveryDepth) {
  const String text = DesignedFormText();
  std::ofstream(std::string(temp.Path()) + "/TForm.dfm") << StringToUtf8(text);
  SetResourceDirectory(Utf8ToString(temp.Path()));
  std::unique_ptr<TForm> form(ReadBarsForm(text));
  TdxBarManager* bars = BarManagerByForm(form.get());
  auto* file = static_cast<TdxBarSubItem*>(form->FindComponent(u"subFile"));
  auto* recent = static_cast<TdxBarSubItem*>(form->FindComponent(u"subRecent"));
  for (bool full : {false, true}) {
    SCOPED_TRACE(full);
    bars->SetUseFullReset(full);
    delete file->ItemLinks()->Items(0);
    file->ItemLinks()->Items(0)->SetBeginGroup(true);
    recent->ItemLinks()->Clear();
    bars->Bars()->Items(0)->Reset();
    EXPECT_EQ(LinkNames(file->ItemLinks()), (std::vector<String>{u"btnOpen", u"btnSave", u"subRecent"}));
    EXPECT_FALSE(file->ItemLinks()->Items(1)->BeginGroup());
    EXPECT_EQ(LinkNames(recent->ItemLinks()), (std::vector<String>{u"btnPrint"}));
    // The links name the form's own items, not the design copy's.
    EXPECT_EQ(recent->ItemLinks()->Items(0)->Item(), form->FindComponent(u"btnPrint"));
  }
}

}  // namespace
