// The add-item, add-group-items and sub-menu editor dialogs, driven by simulated input and checked
// on pixels with the fixed-metrics test font.
#include <functional>
#include <memory>

#include "dx/bars/dxBarAddGroupItems.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarItemAddEditor.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/dxBarSubMenuEditor.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/rtl/NumberText.h"

namespace {

class DxBarCustomizingDialogsTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    manager->Categories()->Add(u"File");
    manager->Categories()->Add(u"Edit");
  }
  void TearDown() override {
    Application->OnIdle = nullptr;
    FreeSubMenuEditor();
    manager->SetCustomizing(false);
    Pump();
    DxBarUiTest::TearDown();
  }

  TFont* TestFont() { return manager->Font(); }

  TdxBarButton* NamedButton(const String& Name, const String& Caption, int Category) {
    auto* button = new TdxBarButton(form);
    button->SetName(Name);
    button->SetCaption(Caption);
    button->SetCategory(Category);
    return button;
  }
  // Replaces the text of the focused edit.
  static void QueueReplaceText(const String& Text) {
    SimulateKeyPress(VK_HOME);
    SimulateKeyPress(VK_END, 1);
    SimulateText(Text);
  }
  // The span of a row of a window's client area, up to Right (the whole width when -1), that shows
  // the ink colour.
  static int InkWidth(HWND Window, int Y, COLORREF Ink, int Right = -1) {
    HDC dc = GetDC(Window);
    RECT client;
    GetClientRect(Window, &client);
    if (Right >= 0) client.right = Right;
    int first = -1, last = -1;
    for (int x = 0; x < client.right; ++x)
      if (GetPixel(dc, x, Y) == Ink) {
        if (first < 0) first = x;
        last = x;
      }
    ReleaseDC(Window, dc);
    return first < 0 ? 0 : last - first + 1;
  }
};

// --- Add item ---

TEST_F(DxBarCustomizingDialogsTest, AddItemProposesTheClassNameWithTheFirstFreeNumberInAnyLetterCase) {
  struct TCase {
    std::vector<String> taken;
    String expected;
  };
  const TCase cases[] = {
      {{}, u"dxBarButton1"},
      {{u"dxBarButton1"}, u"dxBarButton2"},
      {{u"DXBARBUTTON1", u"dxbarbutton2", u"dxBarButton4"}, u"dxBarButton3"},
  };
  for (const TCase& c : cases) {
    std::vector<std::unique_ptr<TdxBarButton>> made;
    for (const String& name : c.taken) made.emplace_back(NamedButton(name, u"x", 0));
    TdxBarItemAddEditor dialog(manager, 0, TestFont());
    EXPECT_EQ(dialog.ComboBox1->Text(), u"TdxBarButton");
    EXPECT_EQ(dialog.Edit1->Text(), c.expected);
  }
  // Another component of the form with the name would make the new item fail to be named.
  auto* other = new TComponent(form);
  other->SetName(u"dxBarButton1");
  TdxBarItemAddEditor dialog(manager, 0, TestFont());
  EXPECT_EQ(dialog.Edit1->Text(), u"dxBarButton2");
}

TEST_F(DxBarCustomizingDialogsTest, AddItemOffersTheAddableClassesAndTheCategoryAskedFor) {
  TdxBarItemAddEditor dialog(manager, 1, TestFont());
  TStrings* types = dialog.ComboBox1->Items();
  EXPECT_GE(types->IndexOf(u"TdxBarSubItem"), 0);
  EXPECT_GE(types->IndexOf(u"TdxBarCombo"), 0);
  EXPECT_EQ(types->IndexOf(u"TCustomdxBarCombo"), -1);
  EXPECT_EQ(types->IndexOf(u"TSystemMenuSubItem"), -1);
  EXPECT_EQ(dialog.ComboBox2->Text(), u"File");
  EXPECT_EQ(dialog.Edit2->Text(), u"New Item");

  TdxBarItemAddEditor outOfRange(manager, 7, TestFont());
  EXPECT_EQ(outOfRange.ComboBox2->ItemIndex(), 0);
  // Choosing another type proposes a name of that type.
  outOfRange.ComboBox1->SetItemIndex(outOfRange.ComboBox1->Items()->IndexOf(u"TdxBarSubItem"));
  outOfRange.ComboBox1->OnChange(outOfRange.ComboBox1);
  EXPECT_EQ(outOfRange.Edit1->Text(), u"dxBarSubItem1");
}

TEST_F(DxBarCustomizingDialogsTest, AddItemCreatesTheItemTypedAndAnInvalidNameKeepsTheDialogOpenWithAFreshProposal) {
  const int before = manager->ItemCount();
  // The name field has the focus: a name that is no identifier is refused without a message, the
  // proposal comes back, and Enter then takes it.
  QueueReplaceText(u"1 bad");
  SimulateKeyPress(VK_RETURN);
  SimulateKeyPress(VK_TAB);  // to the caption
  QueueReplaceText(u"&Open");
  SimulateKeyPress(VK_RETURN);
  TdxBarItem* item = ExecuteItemAddEditor(manager, 1, TestFont());
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(manager->ItemCount(), before + 1);
  EXPECT_EQ(item->Name(), u"dxBarButton1");
  EXPECT_EQ(item->Caption(), u"&Open");
  EXPECT_EQ(item->Category(), 1);
  EXPECT_EQ(item->Owner(), form);
  EXPECT_TRUE(dynamic_cast<TdxBarButton*>(item) != nullptr);

  SimulateKeyPress(VK_ESCAPE);
  EXPECT_EQ(ExecuteItemAddEditor(manager, 0, TestFont()), nullptr);
  EXPECT_EQ(manager->ItemCount(), before + 1);
}

TEST_F(DxBarCustomizingDialogsTest, AddItemShowsItsFieldsInTheDialogFont) {
  TdxBarItemAddEditor dialog(manager, 0, TestFont());
  dialog.Show();
  Pump();
  KeepCheckedWindow(dialog.Handle());
  RECT client;
  GetClientRect(dialog.Handle(), &client);
  EXPECT_EQ(client.right, 263);
  EXPECT_EQ(client.bottom, 150);
  // Glyphs are 8-pixel cells inked one pixel in from each side: the labels left of the fields
  // ("Type:", "Caption:") and the caption field's "New Item".
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  EXPECT_EQ(InkWidth(dialog.Handle(), dialog.LType->Top() + 8, ink, dialog.ComboBox1->Left()), 5 * 8 - 2);
  EXPECT_EQ(InkWidth(dialog.Handle(), dialog.LCaption->Top() + 8, ink, dialog.Edit2->Left()), 8 * 8 - 2);
  EXPECT_EQ(InkWidth(dialog.Edit2->Handle(), dialog.Edit2->ClientHeight() / 2, GetSysColor(COLOR_WINDOWTEXT)),
            8 * 8 - 2);
}

// --- Add group items ---

class DxBarAddGroupItemsTest : public DxBarCustomizingDialogsTest {
 protected:
  void SetUp() override {
    DxBarCustomizingDialogsTest::SetUp();
    group = new TdxBarGroup(form);
    group->SetName(u"Edited");
    other = new TdxBarGroup(form);
    other->SetName(u"Other");
    open = NamedButton(u"OpenCmd", u"Open", 0);
    save = NamedButton(u"SaveCmd", u"Save", 0);
    cut = NamedButton(u"CutCmd", u"Cut", 1);
    group->Add(save);
  }
  TdxBarGroup* group = nullptr;
  TdxBarGroup* other = nullptr;
  TdxBarButton* open = nullptr;
  TdxBarButton* save = nullptr;
  TdxBarButton* cut = nullptr;
};

TEST_F(DxBarAddGroupItemsTest, TheListHasOtherGroupsThenItemsByCategoryUnderHeadings) {
  TfrmAddGroupItems dialog(group, TestFont());
  TStrings* items = dialog.lbGroupItems->Items();
  const std::vector<String> expected{u"~< Groups >", u"Other", u"~Default", u"Open", u"Save", u"~File", u"Cut"};
  ASSERT_EQ(items->Count(), static_cast<int>(expected.size()));
  for (int i = 0; i < items->Count(); ++i) EXPECT_EQ(items->Strings(i), expected[i]) << i;
  EXPECT_EQ(items->Objects(1), other);
  EXPECT_EQ(items->Objects(3), open);

  // With the group alone, no groups heading; a category without items has no heading either.
  delete other;
  other = nullptr;
  TfrmAddGroupItems alone(group, TestFont());
  EXPECT_EQ(alone.lbGroupItems->Items()->Strings(0), u"~Default");
  EXPECT_EQ(alone.lbGroupItems->Items()->IndexOf(u"~Edit"), -1);
}

TEST_F(DxBarAddGroupItemsTest, OkReturnsTheSelectedEntriesInListOrderAndCancelNothing) {
  std::vector<TComponent*> chosen;
  auto pick = [](TfrmAddGroupItems& Dialog) {
    Dialog.lbGroupItems->SetSelected(6, true);
    Dialog.lbGroupItems->SetSelected(0, true);  // a heading is never returned
    Dialog.lbGroupItems->SetSelected(1, true);
  };
  {
    TfrmAddGroupItems dialog(group, TestFont());
    dialog.OnShow = [&](TObject*) { pick(dialog); };
    SimulateKeyPress(VK_RETURN);
    ASSERT_EQ(dialog.ShowModal(), mrOk);
    chosen = dialog.SelectedEntries();
  }
  ASSERT_EQ(chosen.size(), 2u);
  EXPECT_EQ(chosen[0], other);
  EXPECT_EQ(chosen[1], cut);

  SimulateKeyPress(VK_ESCAPE);
  std::vector<TComponent*> untouched{open};
  EXPECT_FALSE(ExecuteAddGroupItems(group, untouched, TestFont()));
  EXPECT_EQ(untouched.size(), 1u);
}

TEST_F(DxBarAddGroupItemsTest, RowsShowHeadingsOnTheFaceAndItemsSplitWithMembersGreyed) {
  TfrmAddGroupItems dialog(group, TestFont());
  dialog.Show();
  Pump();
  TdxBarGroupItemsListBox* list = dialog.lbGroupItems;
  list->SetSelected(4, false);
  Pump();
  KeepCheckedWindow(dialog.Handle());
  HWND window = list->Handle();
  HDC dc = GetDC(window);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF btnText = GetSysColor(COLOR_BTNTEXT);
  const COLORREF windowColor = GetSysColor(COLOR_WINDOW);
  RECT heading = list->ItemRect(2);  // "~Default"
  EXPECT_EQ(heading.bottom - heading.top, 18);
  // Glyphs are 8-pixel cells inked one pixel in from each side. The heading's text without "~":
  // 7 cells from 2 pixels in, on the face.
  const int inkY = heading.top + 8;
  EXPECT_EQ(GetPixel(dc, heading.left + 2, inkY), face);
  EXPECT_EQ(GetPixel(dc, heading.left + 3, inkY), btnText);
  EXPECT_EQ(GetPixel(dc, heading.left + 2 + 7 * 8 - 2, inkY), btnText);
  EXPECT_EQ(GetPixel(dc, heading.left + 2 + 7 * 8 - 1, inkY), face);
  EXPECT_EQ(GetPixel(dc, heading.right - 2, inkY), face);
  // "Open": three blanks, then the caption; the line in the middle; the name in the right half.
  RECT row = list->ItemRect(3);
  const int middle = (row.left + row.right) / 2;
  const int y = (row.top + row.bottom) / 2;
  EXPECT_EQ(GetPixel(dc, row.left + 3 * 8, y), windowColor);
  EXPECT_EQ(GetPixel(dc, row.left + 3 * 8 + 1, y), text);
  EXPECT_EQ(GetPixel(dc, middle, row.top), text);
  EXPECT_EQ(GetPixel(dc, middle - 1, row.top), windowColor);
  EXPECT_EQ(GetPixel(dc, middle + 1 + 3 * 8 + 1, y), text);
  // "Save" is a member: its text in the face colour on the window colour.
  RECT member = list->ItemRect(4);
  EXPECT_EQ(GetPixel(dc, member.left + 3 * 8 + 1, (member.top + member.bottom) / 2), face);
  EXPECT_EQ(GetPixel(dc, member.left + 2, (member.top + member.bottom) / 2), windowColor);
  // Below the last row, the face.
  RECT last = list->ItemRect(list->Count() - 1);
  EXPECT_EQ(GetPixel(dc, 5, last.bottom + 3), face);
  ReleaseDC(window, dc);
}

// --- Sub-menu editor ---

class DxBarSubMenuEditorTest : public DxBarCustomizingDialogsTest {
 protected:
  void SetUp() override {
    DxBarCustomizingDialogsTest::SetUp();
    MakeSubItem();
  }
  void MakeSubItem() {
    subItem = new TdxBarSubItem(form);
    subItem->SetCaption(u"Recent");
    for (const char16_t* caption : {u"One", u"Two", u"Three"}) {
      auto* button = new TdxBarButton(form);
      button->SetCaption(caption);
      subItem->ItemLinks()->Add()->SetItem(button);
    }
  }
  TdxBarSubMenuEditor* Open() {
    ShowSubMenuEditor(subItem->ItemLinks());
    Pump();
    return GetSubMenuEditor();
  }
  TdxBarSubItem* subItem = nullptr;
};

TEST_F(DxBarSubMenuEditorTest, ShowingEntersCustomizingOnTheCommandsPageAndTheMenuHangsBelowTheCaption) {
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(manager->IsCustomizing());
  ASSERT_NE(GetCustomizingForm(), nullptr);
  EXPECT_EQ(GetCustomizingForm()->PageControl->ActivePage(), GetCustomizingForm()->TabSheet2);
  EXPECT_EQ(editor->Caption(), u"dxBar SubMenu Editor");
  EXPECT_EQ(editor->Tag(), 100);
  EXPECT_EQ(editor->ClientHeight(), 0);

  TdxBarSubMenuControl* menu = editor->MenuControl();
  ASSERT_NE(menu, nullptr);
  RECT frame, menuRect;
  GetWindowRect(editor->Handle(), &frame);
  GetWindowRect(menu->Handle(), &menuRect);
  EXPECT_EQ(menuRect.left, frame.left);
  EXPECT_EQ(menuRect.top, frame.bottom);
  EXPECT_EQ(frame.right - frame.left, menuRect.right - menuRect.left);

  // Moved, the menu follows; the width stays the menu's.
  SetWindowPos(editor->Handle(), nullptr, 300, 200, 500, frame.bottom - frame.top, SWP_NOZORDER);
  Pump();
  GetWindowRect(editor->Handle(), &frame);
  GetWindowRect(menu->Handle(), &menuRect);
  EXPECT_EQ(frame.right - frame.left, menuRect.right - menuRect.left);
  EXPECT_EQ(menuRect.left, 300);
  EXPECT_EQ(menuRect.top, frame.bottom);

  // Showing again for the same links keeps the one editor.
  ShowSubMenuEditor(subItem->ItemLinks());
  Pump();
  EXPECT_EQ(GetSubMenuEditor(), editor);
}

TEST_F(DxBarSubMenuEditorTest, TheScreenBelowTheEditorIsTheMenuAsItPaints) {
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor, nullptr);
  TdxBarSubMenuControl* menu = editor->MenuControl();
  ASSERT_NE(menu, nullptr);
  KeepCheckedScreen();
  RECT menuRect;
  GetWindowRect(menu->Handle(), &menuRect);
  const int w = menuRect.right - menuRect.left, h = menuRect.bottom - menuRect.top;
  HDC screen = GetDC(nullptr);
  HDC image = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(image, bitmap);
  menu->PaintInto(image);
  int differing = 0, inked = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF expected = GetPixel(image, x, y);
      differing += GetPixel(screen, menuRect.left + x, menuRect.top + y) != expected;
      inked += expected == GetSysColor(COLOR_MENUTEXT) || expected == GetSysColor(COLOR_BTNTEXT);
    }
  SelectObject(image, old);
  DeleteObject(bitmap);
  DeleteDC(image);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(differing, 0);
  EXPECT_GT(inked, 0);  // the captions are there
}

TEST_F(DxBarSubMenuEditorTest, TheEditorGoesWithTheLinksOwnerWithTheCustomizingFormAndWhenClosed) {
  struct TCase {
    const char* what;
    std::function<void()> end;
  };
  const TCase cases[] = {
      {"sub item freed",
       [this] {
         delete subItem;
         subItem = nullptr;
       }},
      {"customizing ended", [this] { manager->SetCustomizing(false); }},
      {"closed", [] { GetSubMenuEditor()->Close(); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    if (!subItem) MakeSubItem();
    TdxBarSubMenuEditor* editor = Open();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->MenuControl(), nullptr);
    c.end();
    Pump();
    EXPECT_EQ(GetSubMenuEditor(), nullptr);
    if (subItem) {
      EXPECT_EQ(subItem->ItemLinks()->BarControl(), nullptr);
    }
    manager->SetCustomizing(false);
    Pump();
  }
}

TEST_F(DxBarSubMenuEditorTest, TheEditorIsHiddenAndShownWithTheOwnerForm) {
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(IsWindowVisible(editor->Handle()));
  form->Hide();
  Pump();
  EXPECT_FALSE(IsWindowVisible(editor->Handle()));
  form->Show();
  Pump();
  EXPECT_TRUE(IsWindowVisible(editor->Handle()));
  EXPECT_EQ(GetSubMenuEditor(), editor);
}

TEST_F(DxBarSubMenuEditorTest, APressOnTheCloseBoxClosesTheMenuAndTheEditor) {
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor, nullptr);
  RECT frame;
  GetWindowRect(editor->Handle(), &frame);
  LRESULT hit = HTNOWHERE;
  POINT box{};
  for (int x = frame.right - 2; x > frame.left && hit != HTCLOSE; --x) {
    box = POINT{x, frame.top + (frame.bottom - frame.top) / 2};
    hit = SendMessage(editor->Handle(), WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y));
  }
  ASSERT_EQ(hit, HTCLOSE);
  ClickAt(box);
  EXPECT_EQ(GetSubMenuEditor(), nullptr);
  EXPECT_EQ(subItem->ItemLinks()->BarControl(), nullptr);
  EXPECT_TRUE(manager->IsCustomizing());
}

TEST_F(DxBarSubMenuEditorTest, ACommandDraggedOverTheEditorOpensTheMenuUnlessItWouldMakeItRecursive) {
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor, nullptr);
  editor->CloseMenu();
  ASSERT_EQ(editor->MenuControl(), nullptr);
  RECT frame;
  GetWindowRect(editor->Handle(), &frame);
  const POINT overCaption{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};

  // The sub item itself may not go into its own menu: the menu stays closed.
  auto dragOver = [&](TdxBarItem* Item) {
    SimulateMouseMove(overCaption);
    SimulateMouseMove(POINT{overCaption.x + 1, overCaption.y});
    SimulateMouseUp(TSimButton::Left, POINT{overCaption.x + 1, overCaption.y});
    POINT press{overCaption.x - 20, overCaption.y};
    manager->DragItemLink(Item, nullptr, &press);
    Pump();
  };
  dragOver(subItem);
  EXPECT_EQ(editor->MenuControl(), nullptr);
  auto* plain = NamedButton(u"Plain", u"Plain", 0);
  dragOver(plain);
  EXPECT_NE(editor->MenuControl(), nullptr);
  EXPECT_EQ(GetSubMenuEditor(), editor);
}

TEST_F(DxBarSubMenuEditorTest, AMenuTallerThanTheScreenScrollsUnderADraggedCommandThatDropsWhereItIsReleased) {
  for (int i = 0; i < 60; ++i) {
    auto* button = new TdxBarButton(form);
    button->SetCaption(u"Entry " + IntToStr(i));
    subItem->ItemLinks()->Add()->SetItem(button);
  }
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor, nullptr);
  TdxBarSubMenuControl* menu = editor->MenuControl();
  ASSERT_NE(menu, nullptr);
  ASSERT_FALSE(IsRectEmpty(&menu->DownArrowRect()));
  const POINT arrow = menu->ClientToScreen(CentreOf(menu->DownArrowRect()));
  auto* dragged = NamedButton(u"Dragged", u"Dragged", 0);

  int steps = 0;
  Application->OnIdle = [&](TObject*, bool&) {
    switch (steps++) {
      case 0:  // resting on the arrow: one link every 80 ms
      case 1:
      case 2:
        clock->Advance(TdxBarSubMenuControl::kScrollPeriod);
        break;
      case 4: {
        // Off the arrow, onto the first link shown now, and released there.
        TdxBarItemLink* first = subItem->ItemLinks()->VisibleItems()[menu->FirstVisible()];
        RECT r = first->ItemRect();
        POINT at = menu->ClientToScreen(POINT{(r.left + r.right) / 2, r.top + 3});
        SimulateMouseMove(at);
        SimulateMouseMove(POINT{at.x + 1, at.y});
        SimulateMouseUp(TSimButton::Left, POINT{at.x + 1, at.y});
        break;
      }
      default:
        break;
    }
    PostMessage(form->Handle(), WM_NULL, 0, 0);
  };
  SimulateMouseMove(arrow);
  SimulateMouseMove(POINT{arrow.x + 1, arrow.y});
  POINT press{arrow.x - 40, arrow.y};
  manager->DragItemLink(dragged, nullptr, &press);
  Application->OnIdle = nullptr;
  Pump();

  ASSERT_TRUE(IsBarControlAlive(menu));
  EXPECT_EQ(menu->FirstVisible(), 3);
  const int at = menu->FirstVisible();
  ASSERT_EQ(subItem->ItemLinks()->Count(), 64);
  EXPECT_EQ(subItem->ItemLinks()->Items(at)->Item(), dragged);
}

}  // namespace
