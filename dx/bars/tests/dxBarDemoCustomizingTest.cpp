// Customizing the demonstration form as a person would: its own toolbars kept from renaming and
// deleting, one switched off and on, a command dragged onto a toolbar, links dragged off and
// copied with Ctrl.
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/tests/dxBarDemoForm.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarDemoCustomizingTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    delete form;
    demo = NewBarsDemoForm();
    form = demo;
    manager = demo->BarManager;
    form->Show();
    Pump();
    manager->SetCustomizing(true);
    Pump();
    customizing = GetCustomizingForm();
  }
  void TearDown() override {
    manager->SetCustomizing(false);
    Pump();
    DxBarUiTest::TearDown();
  }
  void Drag(POINT From, POINT To, bool Ctrl = false) {
    clock->Advance(1000);
    if (Ctrl) SimulateKeyDown(VK_CONTROL);
    SimulateMouseDown(TSimButton::Left, From);
    SimulateMouseMove(POINT{From.x + 6, From.y + 6});
    SimulateMouseMove(To);
    SimulateMouseUp(TSimButton::Left, To);
    if (Ctrl) SimulateKeyUp(VK_CONTROL);
    Pump();
  }
  std::vector<TdxBarItem*> ItemsOf(const char16_t* Bar) const {
    std::vector<TdxBarItem*> items;
    TdxBarItemLinks* links = demo->Bar(Bar)->ItemLinks();
    for (int i = 0; i < links->Count(); ++i) items.push_back(links->Items(i)->Item());
    return items;
  }

  TdxBarsDemoForm* demo = nullptr;
  TdxBarCustomizingForm* customizing = nullptr;
};

TEST_F(DxBarDemoCustomizingTest, TheFormsOwnToolbarsAreListedAndSwitchedButNotRenamedOrDeleted) {
  ASSERT_NE(customizing, nullptr);
  EXPECT_FALSE(IsWindowEnabled(form->Handle()));
  TdxBar* standard = demo->Bar(u"Standard");
  int entry = -1;
  for (int i = 0; i < customizing->BarsListBox->Count(); ++i)
    if (customizing->BarsListBox->Bars(i) == standard) entry = i;
  ASSERT_GE(entry, 0);
  RECT r = customizing->BarsListBox->ItemRect(entry);
  ClickAt(customizing->BarsListBox->ClientToScreen(POINT{r.right - 10, (r.top + r.bottom) / 2}));
  EXPECT_FALSE(customizing->BBarRename->Enabled());
  EXPECT_FALSE(customizing->BBarDelete->Enabled());
  EXPECT_TRUE(customizing->BBarReset->Visible());

  ClickAt(customizing->BarsListBox->ClientToScreen(POINT{r.left + 4, (r.top + r.bottom) / 2}));
  EXPECT_FALSE(standard->Visible());
  ClickAt(customizing->BarsListBox->ClientToScreen(POINT{r.left + 4, (r.top + r.bottom) / 2}));
  EXPECT_TRUE(standard->Visible());
  KeepCheckedScreen();
}

TEST_F(DxBarDemoCustomizingTest, ACommandDraggedOntoAToolbarAndLinksDraggedOffOrCopied) {
  ASSERT_NE(customizing, nullptr);
  customizing->PageControl->SetActivePage(customizing->TabSheet2);
  Pump();
  ASSERT_GT(customizing->LCommands->Count(), 0);
  TdxBarItem* command = customizing->LCommands->Commands(0);
  POINT press = customizing->LCommands->ClientToScreen(CentreOf(customizing->LCommands->ItemRect(0)));
  std::vector<TdxBarItem*> standard = ItemsOf(u"Standard");
  RECT first = ScreenRectOf(demo->Bar(u"Standard")->ItemLinks()->Items(0));
  Drag(press, POINT{first.left + 2, (first.top + first.bottom) / 2});
  standard.insert(standard.begin(), command);
  EXPECT_EQ(ItemsOf(u"Standard"), standard);

  // Off every bar: removed; with Ctrl onto the Format toolbar: copied, the original staying.
  std::vector<TdxBarItem*> format = ItemsOf(u"Format");
  RECT formatFirst = ScreenRectOf(demo->Bar(u"Format")->ItemLinks()->Items(0));
  Drag(CentreOf(ScreenRectOf(demo->Bar(u"Standard")->ItemLinks()->Items(1))),
       POINT{formatFirst.left + 2, (formatFirst.top + formatFirst.bottom) / 2}, true);
  format.insert(format.begin(), standard[1]);
  EXPECT_EQ(ItemsOf(u"Format"), format);
  EXPECT_EQ(ItemsOf(u"Standard"), standard);

  Drag(CentreOf(ScreenRectOf(demo->Bar(u"Standard")->ItemLinks()->Items(0))), form->ClientToScreen(POINT{250, 200}));
  standard.erase(standard.begin());
  EXPECT_EQ(ItemsOf(u"Standard"), standard);
  KeepCheckedScreen();
}

}  // namespace
