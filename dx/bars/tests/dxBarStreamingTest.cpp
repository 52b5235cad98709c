#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "dx/bars/dxBarPopupMenuLinks.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/tests/dxBarFormText.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/forms/ActnList.h"
#include "platform/forms/StdCtrls.h"

namespace {

bool Has(const String& Text, const char16_t* Part) { return Text.find(Part) != String::npos; }

class DxBarStreamingTest : public DxBarUiTest {
 protected:
  TdxBarButton* NamedButton(const char16_t* Name, const char16_t* Caption, int Category) {
    auto* button = new TdxBarButton(form);
    button->SetName(Name);
    button->SetCaption(Caption);
    button->SetCategory(Category);
    return button;
  }
};

TEST_F(DxBarStreamingTest, TheManagerReadBackFromItsFormFileIsTheSame) {
  form->SetName(u"BarsForm");
  manager->SetName(u"BarManager");
  for (const char16_t* name : {u"File", u"Edit"}) manager->Categories()->Add(name);
  TdxBarButton* open = NamedButton(u"btnOpen", u"&Open", 1);
  open->SetShortCut(TextToShortCut(u"Ctrl+O"));
  TdxBarButton* save = NamedButton(u"btnSave", u"&Save", 1);
  TdxBarButton* cut = NamedButton(u"btnCut", u"Cu&t", 2);
  TdxBarButton* paste = NamedButton(u"btnPaste", u"&Paste", 2);
  auto* onTheFly = new TdxBarButton(form);  // category -1: never written
  onTheFly->SetName(u"btnTemporary");
  auto* group = new TdxBarGroup(form);
  group->SetName(u"grpEdit");
  group->Add(cut);
  group->Add(paste);
  manager->SetCategoryItemsVisible(2, ivInCustomizing);
  manager->SetCategoryVisible(1, false);

  TdxBar* toolbar = manager->Bars()->Add();
  toolbar->SetCaption(u"Standard");
  toolbar->SetDockingStyle(dsTop);
  for (TdxBarItem* item : std::initializer_list<TdxBarItem*>{open, save, cut}) toolbar->ItemLinks()->Add()->SetItem(item);
  toolbar->ItemLinks()->Items(2)->SetBeginGroup(true);
  toolbar->SetVisible(true);
  auto* menu = new TdxBarPopupMenu(form);
  menu->SetName(u"pmEdit");
  menu->ItemLinks()->Add()->SetItem(paste);
  Pump();

  const String text = BarsFormText(form);
  EXPECT_TRUE(Has(text, u"DockControlHeights = (")) << StringToUtf8(text);
  EXPECT_TRUE(Has(text, u"ItemsVisibles = (\r\n      2\r\n      2\r\n      1)") ||
              Has(text, u"ItemsVisibles = (\n      2\n      2\n      1)"))
      << StringToUtf8(text);
  EXPECT_TRUE(Has(text, u"Visibles = (")) << StringToUtf8(text);
  EXPECT_TRUE(Has(text, u"'btnCut'")) << "the group's members";
  EXPECT_FALSE(Has(text, u"btnTemporary"));

  std::unique_ptr<TForm> copy(ReadBarsForm(text));
  copy->Show();
  Pump();
  EXPECT_EQ(BarsFormText(copy.get()), text);

  TdxBarManager* read = BarManagerByForm(copy.get());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->ReadStateCount(), 1);
  EXPECT_EQ(read->Categories()->Count(), 3);
  EXPECT_EQ(read->GetCategoryItemsVisible(2), ivInCustomizing);
  EXPECT_FALSE(read->GetCategoryVisible(1));
  EXPECT_TRUE(read->GetCategoryVisible(2));
  auto* readCut = dynamic_cast<TdxBarButton*>(copy->FindComponent(u"btnCut"));
  ASSERT_NE(readCut, nullptr);
  EXPECT_EQ(readCut->Visible(), ivInCustomizing);
  EXPECT_EQ(readCut->BarManager(), read);
  EXPECT_EQ(copy->FindComponent(u"btnOpen") ? static_cast<TdxBarButton*>(copy->FindComponent(u"btnOpen"))->ShortCut() : 0,
            TextToShortCut(u"Ctrl+O"));
  ASSERT_EQ(read->GroupCount(), 1);
  ASSERT_EQ(read->Groups(0)->Count(), 2);
  EXPECT_EQ(read->Groups(0)->Items(0), readCut);

  ASSERT_EQ(read->Bars()->Count(), 1);
  TdxBar* bar = read->Bars()->Items(0);
  EXPECT_EQ(bar->DockingStyle(), dsTop);
  EXPECT_TRUE(bar->Visible());
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_TRUE(IsWindowVisible(bar->Control()->Handle()));
  ASSERT_EQ(bar->ItemLinks()->Count(), 3);
  EXPECT_EQ(bar->ItemLinks()->Items(2)->Item(), readCut);
  EXPECT_TRUE(bar->ItemLinks()->Items(2)->BeginGroup());
  // Outside customizing the cut button is not shown; its link is still there.
  EXPECT_EQ(bar->ItemLinks()->VisibleItems().size(), 2u);
  auto* readMenu = dynamic_cast<TdxBarPopupMenu*>(copy->FindComponent(u"pmEdit"));
  ASSERT_NE(readMenu, nullptr);
  ASSERT_EQ(readMenu->ItemLinks()->Count(), 1);
  EXPECT_EQ(readMenu->ItemLinks()->Items(0)->Item(), copy->FindComponent(u"btnPaste"));
}

TEST_F(DxBarStreamingTest, APopupMenuLinkIsReadBackToTheFormsControlAndMenu) {
  form->SetName(u"BarsForm");
  manager->SetName(u"BarManager");
  auto* edit = new TEdit(form);
  edit->SetName(u"edName");
  edit->SetParent(form);
  auto* menu = new TdxBarPopupMenu(form);
  menu->SetName(u"pmName");
  TdxBarPopupMenuLink* link = manager->PopupMenuLinks()->Add();
  link->SetControl(edit);
  link->SetPopupMenu(menu);
  const String text = BarsFormText(form);
  EXPECT_TRUE(Has(text, u"PopupMenuLinks = <")) << StringToUtf8(text);

  std::unique_ptr<TForm> copy(ReadBarsForm(text));
  TdxBarManager* read = BarManagerByForm(copy.get());
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->PopupMenuLinks()->Count(), 1);
  EXPECT_EQ(read->PopupMenuLinks()->Items(0)->Control(), copy->FindComponent(u"edName"));
  EXPECT_EQ(read->PopupMenuLinks()->Items(0)->PopupMenu(), copy->FindComponent(u"pmName"));
  EXPECT_NE(read->PopupMenuLinks()->Items(0)->Control(), nullptr);
}

TEST_F(DxBarStreamingTest, ASubItemsDetachingBarIsReadBack) {
  form->SetName(u"BarsForm");
  manager->SetName(u"BarManager");
  for (const char16_t* caption : {u"Main", u"Tools"}) manager->Bars()->Add()->SetCaption(caption);
  auto* tools = new TdxBarSubItem(form);
  tools->SetName(u"subTools");
  tools->SetCategory(0);
  tools->SetDetachable(true);
  tools->SetDetachingBar(1);
  std::unique_ptr<TForm> copy(ReadBarsForm(BarsFormText(form)));
  auto* read = dynamic_cast<TdxBarSubItem*>(copy->FindComponent(u"subTools"));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->Detachable());
  EXPECT_EQ(read->DetachingBar(), 1);
}

// A damaged form file still gives a usable manager: what can be resolved is kept.
TEST_F(DxBarStreamingTest, AMissingGroupMemberOrAnOutOfRangeCategoryLoadsWithTheRestKept) {
  const String text =
      u"object BarsForm: TForm\n"
      u"  object BarManager: TdxBarManager\n"
      u"    Bars = <\n"
      u"      item\n"
      u"        Caption = 'Standard'\n"
      u"        DockingStyle = dsTop\n"
      u"        ItemLinks = <\n"
      u"          item\n"
      u"            Item = btnOpen\n"
      u"          end\n"
      u"          item\n"
      u"            Item = btnGone\n"
      u"          end>\n"
      u"        Visible = True\n"
      u"      end>\n"
      u"    Categories.Strings = (\n"
      u"      'Default'\n"
      u"      'File')\n"
      u"    Categories.ItemsVisibles = (\n"
      u"      2\n"
      u"      2\n"
      u"      2\n"
      u"      0)\n"
      u"    Categories.Visibles = (\n"
      u"      True)\n"
      u"    object grpFile: TdxBarGroup\n"
      u"      Items = (\n"
      u"        'btnMissing'\n"
      u"        'btnOpen'\n"
      u"        'grpFile')\n"
      u"    end\n"
      u"    object btnOpen: TdxBarButton\n"
      u"      Caption = '&Open'\n"
      u"      Category = 7\n"
      u"      Visible = ivAlways\n"
      u"    end\n"
      u"  end\n"
      u"end\n";
  std::unique_ptr<TForm> copy(ReadBarsForm(text));
  TdxBarManager* read = BarManagerByForm(copy.get());
  ASSERT_NE(read, nullptr);
  auto* open = dynamic_cast<TdxBarButton*>(copy->FindComponent(u"btnOpen"));
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->Category(), 0);
  ASSERT_EQ(read->GroupCount(), 1);
  ASSERT_EQ(read->Groups(0)->Count(), 1);
  EXPECT_EQ(read->Groups(0)->Items(0), open);
  EXPECT_EQ(read->Categories()->Count(), 2);
  EXPECT_TRUE(read->GetCategoryVisible(1));
  ASSERT_EQ(read->Bars()->Count(), 1);
  TdxBarItemLinks* links = read->Bars()->Items(0)->ItemLinks();
  ASSERT_EQ(links->Count(), 2);
  EXPECT_EQ(links->Items(0)->Item(), open);
  EXPECT_EQ(links->VisibleItems().size(), 1u);
  // Written again, the item is in its category and streamed under the manager.
  EXPECT_TRUE(Has(BarsFormText(copy.get()), u"Category = 0"));
}

// Values an action supplies are left out of the form file and come back from the action once read;
// an item's own caption stays its own.
TEST_F(DxBarStreamingTest, ActionLinkedValuesAreNotWrittenAndReturnFromTheAction) {
  form->SetName(u"BarsForm");
  manager->SetName(u"BarManager");
  auto* action = new TAction(form);
  action->SetName(u"actSave");
  action->SetCaption(u"&Save");
  action->SetShortCut(TextToShortCut(u"Ctrl+S"));
  TdxBarButton* linked = NamedButton(u"btnSave", u"", 0);
  linked->SetAction(action);
  TdxBarButton* own = NamedButton(u"btnSaveAs", u"Save &as", 0);
  own->SetAction(action);
  own->SetCaption(u"Save &as");
  const String text = BarsFormText(form);
  const String items = text.substr(0, text.find(u"object actSave"));
  EXPECT_FALSE(Has(items, u"Caption = '&Save'")) << StringToUtf8(text);
  EXPECT_TRUE(Has(items, u"Caption = 'Save &as'"));
  EXPECT_FALSE(Has(items, u"ShortCut = ")) << "the short cut is the action's on both";
  EXPECT_TRUE(Has(text, u"Action = actSave"));

  std::unique_ptr<TForm> copy(ReadBarsForm(text));
  auto* readLinked = static_cast<TdxBarButton*>(copy->FindComponent(u"btnSave"));
  auto* readOwn = static_cast<TdxBarButton*>(copy->FindComponent(u"btnSaveAs"));
  ASSERT_TRUE(readLinked && readOwn);
  EXPECT_EQ(readLinked->Action(), copy->FindComponent(u"actSave"));
  EXPECT_EQ(readLinked->Caption(), u"&Save");
  EXPECT_EQ(readLinked->ShortCut(), TextToShortCut(u"Ctrl+S"));
  EXPECT_EQ(readOwn->Caption(), u"Save &as");
}

}  // namespace
