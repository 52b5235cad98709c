// The list view in report style through the message path, in the fixed-metrics font (rows 18
// pixels high under a 22-pixel header): check boxes tick by click and Space, rows select by
// mouse and keys, removal forgets the selection, and the rows scroll with the keys and the bar.
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FixedFontFormTest.h"

class ListViewTest : public FixedFontFormTest {
 protected:
  void SetUp() override {
    FixedFontFormTest::SetUp();
    view = Add<TListView>(form, "Rows", 10, 10, 300, 22 + 4 * 18 + 4);  // four whole rows
    view->SetViewStyle(vsReport);
    view->SetCheckboxes(true);
    auto* name = view->Columns()->Add();
    name->SetCaption(u"name");
    name->SetWidth(140);
    view->Columns()->Add()->SetCaption(u"value");
    for (const char* row : {"surname", "first name", "patronymic", "birth date", "sex", "position"}) {
      TListItem* item = view->Items()->Add();
      item->SetCaption(Utf8ToString(row));
      item->SubItems()->Add(u"v:" + Utf8ToString(row));
    }
    view->OnChange = [](TObject*, TListItem* item, TItemChange change) {
      if (change == ctState) Note("state " + StringToUtf8(item->Caption()) + (item->Checked() ? " on" : " off"));
    };
    view->OnSelectItem = [](TObject*, TListItem* item, bool selected) {
      Note((selected ? "select " : "unselect ") + StringToUtf8(item->Caption()));
    };
    Pump();
  }
  TListView* view = nullptr;
};

TEST_F(ListViewTest, ClickingTheBoxTicksClickingTheTextSelects) {
  EXPECT_EQ(view->HeaderHeight(), 22);
  EXPECT_EQ(view->RowHeight(), 18);
  RECT box = view->CheckBoxRect(1);
  EXPECT_EQ(box, (RECT{2, 22 + 18 + 2, 15, 22 + 18 + 15}));
  Click(view, 8, 22 + 18 + 8);  // the second row's box
  EXPECT_TRUE(view->Items()->Item(1)->Checked());
  EXPECT_EQ(view->Selected(), view->Items()->Item(1));
  Click(view, 60, 22 + 2 * 18 + 8);  // the third row's text
  EXPECT_FALSE(view->Items()->Item(2)->Checked());
  EXPECT_EQ(view->ItemIndex(), 2);
  Key(VK_SPACE);
  EXPECT_TRUE(view->Items()->Item(2)->Checked());
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"state first name on", "select first name", "unselect first name",
                                                  "select patronymic", "state patronymic on"}));
  // Without check boxes neither the click nor Space ticks.
  view->SetCheckboxes(false);
  Click(view, 8, 22 + 8);
  Key(VK_SPACE);
  EXPECT_FALSE(view->Items()->Item(0)->Checked());
  EXPECT_EQ(view->ItemIndex(), 0);
}

TEST_F(ListViewTest, HitTestsSubItemsAndRemoval) {
  EXPECT_EQ(view->GetItemAt(200, 22 + 3 * 18 + 1), view->Items()->Item(3));
  EXPECT_EQ(view->GetItemAt(200, 10), nullptr);  // the header
  EXPECT_EQ(view->GetItemAt(10, 22 + 4 * 18 + 2), nullptr);  // below the client area
  EXPECT_EQ(view->Items()->Item(4)->SubItems()->Strings(0), u"v:sex");
  view->SetItemIndex(4);
  view->Items()->Item(4)->Delete();
  EXPECT_EQ(view->Selected(), nullptr);
  EXPECT_EQ(view->Items()->Count(), 5);
  EXPECT_EQ(view->Items()->Item(4)->Caption(), u"position");
  EXPECT_THROW(view->Items()->Delete(7), EListError);
  // Columns report clicks on their header sections.
  std::string clicked;
  view->OnColumnClick = [&](TObject*, TListColumn* c) { clicked = StringToUtf8(c->Caption()); };
  Click(view, 150, 5);
  EXPECT_EQ(clicked, "value");
  view->Items()->Clear();
  EXPECT_EQ(view->Items()->Count(), 0);
  EXPECT_EQ(view->GetItemAt(20, 30), nullptr);
}

TEST_F(ListViewTest, KeysAndTheScrollBarScrollTheRows) {
  view->SetFocus();
  Key(VK_DOWN);
  EXPECT_EQ(view->ItemIndex(), 0);
  Key(VK_END);
  EXPECT_EQ(view->ItemIndex(), 5);
  EXPECT_EQ(view->TopIndex(), 2);  // the last row brought into view
  Key(VK_HOME);
  EXPECT_EQ(view->TopIndex(), 0);
  SendMessage(view->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(view->TopIndex(), 2);  // no further than the last full page
  SendMessage(view->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(view->TopIndex(), 1);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(view->Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, 1);
  EXPECT_EQ(si.nPage, 4u);
  EXPECT_EQ(si.nMax, 5);
  // The rows under the header follow the top index.
  EXPECT_EQ(view->GetItemAt(20, 22 + 1), view->Items()->Item(1));
}

TEST_F(ListViewTest, TicksHeaderAndSelectionOnThePixels) {
  view->Items()->Item(0)->SetChecked(true);
  view->SetItemIndex(1);
  view->SetFocus();
  view->Repaint();
  HDC dc = GetDC(view->Handle());
  // A ticked box has its dark tick in the middle, an unticked one is white there.
  EXPECT_EQ(GetPixel(dc, 8, 22 + 9), ColorToColorRef(clWindowText));
  EXPECT_EQ(GetPixel(dc, 8, 22 + 18 + 9), ColorToColorRef(clWindow));
  // The header's sections are raised buttons; the selected row's caption is highlighted.
  EXPECT_EQ(GetPixel(dc, 1, 10), ColorToColorRef(clBtnHighlight));
  EXPECT_EQ(GetPixel(dc, 139 - 1, 10), ColorToColorRef(clBtnShadow));
  EXPECT_EQ(GetPixel(dc, 19, 22 + 18 + 1), ColorToColorRef(clHighlight));
  EXPECT_EQ(GetPixel(dc, 250, 22 + 18 + 1), ColorToColorRef(clWindow));  // not the whole row
  ReleaseDC(view->Handle(), dc);
}
