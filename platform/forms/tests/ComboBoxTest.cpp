// Combo boxes through the message path in the fixed-metrics font (items 16 pixels high): the list
// drops down and picks by mouse and keys, a click elsewhere closes it, the edit field types, the
// items survive a new window, and TComboBoxEx draws its items' images.
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FixedFontFormTest.h"
#include "platform/forms/tests/FormsTestUtil.h"

class ComboBoxTest : public FixedFontFormTest {
 protected:
  template <class T = TComboBox>
  T* MakeCombo(TComboBoxStyle style) {
    auto* c = Add<T>(form, "Combo", 10, 10, 150, 24);
    c->SetStyle(style);
    for (auto* s : {u"apple", u"banana", u"cherry", u"damson"}) c->Items()->Add(s);
    c->OnChange = [c](TObject*) { Note("change " + StringToUtf8(c->Text())); };
    c->OnDropDown = [](TObject*) { Note("drop"); };
    c->OnCloseUp = [](TObject*) { Note("close"); };
    return c;
  }
  // The screen point of a row of the dropped-down list.
  static POINT ListRow(TCustomComboBox* c, int row) {
    RECT r;
    SendMessage(c->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return POINT{r.left + 20, r.top + 1 + row * 16 + 8};
  }
  void ClickScreen(POINT p) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, p);
    Pump();
  }
};

TEST_F(ComboBoxTest, TheListDropsDownAndAClickPicksAnItem) {
  auto* c = MakeCombo(csDropDownList);
  EXPECT_EQ(c->ItemIndex(), -1);
  Click(c, 20, 12);
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_TRUE(c->Focused());
  RECT list;
  SendMessage(c->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  RECT own;
  GetWindowRect(c->Handle(), &own);
  EXPECT_EQ(list.top, own.bottom);             // right below the combo box
  EXPECT_EQ(list.bottom - list.top, 4 * 16 + 2);  // all four rows and the border
  ClickScreen(ListRow(c, 2));
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->ItemIndex(), 2);
  EXPECT_EQ(c->Text(), u"cherry");
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"drop", "close", "change cherry"}));
  // Dropping down again and clicking beside the list closes it and keeps the item.
  EventLog().clear();
  Click(c, 20, 12);
  ASSERT_TRUE(c->DroppedDown());
  ClickScreen(At(form, 350, 250));
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->ItemIndex(), 2);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"drop", "close"}));
}

TEST_F(ComboBoxTest, KeysMoveTheSelectionAndWorkTheList) {
  auto* c = MakeCombo(csDropDownList);
  c->SetFocus();
  Key(VK_DOWN);
  EXPECT_EQ(c->ItemIndex(), 0);
  Key(VK_END);
  EXPECT_EQ(c->ItemIndex(), 3);
  Key(VK_DOWN);  // stays on the last
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"change apple", "change damson"}));
  EventLog().clear();
  // F4 drops the list; the arrows move in it; Escape leaves the selection as it was.
  Key(VK_F4);
  ASSERT_TRUE(c->DroppedDown());
  Key(VK_UP);
  Key(VK_ESCAPE);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->ItemIndex(), 3);
  // Alt+Down drops it; Enter takes the item moved to.
  Key(VK_DOWN, 4);
  ASSERT_TRUE(c->DroppedDown());
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_EQ(c->ItemIndex(), 2);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"drop", "close", "drop", "close", "change cherry"}));
  // A letter picks the next item starting with it.
  SimulateText(u"b");
  Pump();
  EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, TheDropDownStyleTypesInItsEditField) {
  auto* c = MakeCombo(csDropDown);
  c->SetFocus();
  SimulateText(u"kiwi");
  Pump();
  EXPECT_EQ(c->Text(), u"kiwi");
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(EventLog().back(), "change kiwi");
  EXPECT_EQ(EventLog().size(), 4u);  // one change per character
  // The arrows reach the list through the edit field and put the item's text in it.
  Key(VK_DOWN);
  EXPECT_EQ(c->ItemIndex(), 0);
  EXPECT_EQ(c->Text(), u"apple");
  // The button drops the list; a click on it picks.
  Click(c, 150 - 10, 12);
  ASSERT_TRUE(c->DroppedDown());
  ClickScreen(ListRow(c, 3));
  EXPECT_EQ(c->Text(), u"damson");
}

TEST_F(ComboBoxTest, ItemsSelectionAndObjectsSurviveChanges) {
  auto* c = MakeCombo(csDropDownList);
  c->Items()->SetObjects(2, form);
  c->SetItemIndex(2);
  c->Items()->Delete(0);  // the selection moves with its item
  EXPECT_EQ(c->ItemIndex(), 1);
  EXPECT_EQ(c->Text(), u"cherry");
  c->Items()->Insert(0, u"avocado");
  EXPECT_EQ(c->ItemIndex(), 2);
  c->Items()->Delete(2);  // the selected item itself: nothing selected
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(c->Text(), u"");
  c->SetItemIndex(1);
  c->SetSorted(true);  // a new window
  EXPECT_EQ(c->Items()->Count(), 3);
  EXPECT_EQ(c->Items()->Strings(0), u"avocado");
  EXPECT_EQ(c->Text(), u"banana");
  EXPECT_EQ(c->Items()->IndexOf(u"DAMSON"), 2);
  EXPECT_THROW(c->Items()->Delete(9), EListError);
  EXPECT_TRUE(EventLog().empty());  // nothing here was the user's doing
}

TEST_F(ComboBoxTest, AFocusedDropDownListHighlightsItsItem) {
  auto* c = MakeCombo(csDropDownList);
  c->SetItemIndex(0);
  c->SetFocus();
  c->Repaint();
  HDC dc = GetDC(c->Handle());
  EXPECT_EQ(GetPixel(dc, 100, 12), ColorToColorRef(clHighlight));
  // The button at the right, the sunken edge around all.
  EXPECT_EQ(GetPixel(dc, 0, 12), ColorToColorRef(clBtnShadow));
  EXPECT_EQ(GetPixel(dc, 140, 2), ColorToColorRef(clBtnHighlight));  // the button's lit top
  EXPECT_EQ(GetPixel(dc, 140, 11), ColorToColorRef(clBtnText));       // its arrow
  ReleaseDC(c->Handle(), dc);
}

TEST_F(ComboBoxTest, ComboBoxExDrawsItemImagesAndKeepsThemWithTheirItems) {
  auto* images = new TImageList(form);
  images->SetWidth(8);
  images->SetHeight(8);
  for (TColor color : {clRed, clBlue}) {
    auto b = FilledBitmap(8, 8, color);
    images->Add(b.get(), nullptr);
  }
  auto* c = Add<TComboBoxEx>(form, "Ex", 10, 10, 150, 24);
  c->SetStyleEx(csExDropDownList);
  c->SetImages(images);
  c->AddItem(u"red", 0);
  c->AddItem(u"blue", 1, 1);
  c->Items()->Insert(0, u"none");
  c->Items()->SetObjects(2, form);
  EXPECT_EQ(c->ItemImageIndex(0), -1);
  EXPECT_EQ(c->ItemImageIndex(2), 1);
  EXPECT_EQ(c->Items()->Objects(2), form);
  c->SetItemIndex(2);
  c->Repaint();
  HDC dc = GetDC(c->Handle());
  EXPECT_EQ(GetPixel(dc, 2 + 1 + 2 + 3, 12), ColorToColorRef(clBlue));  // edge, field, item, image
  ReleaseDC(c->Handle(), dc);
  c->Items()->Delete(0);
  EXPECT_EQ(c->ItemImageIndex(0), 0);
  EXPECT_EQ(c->Items()->Objects(1), form);
  int changes = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  c->SetFocus();
  Key(VK_UP);
  EXPECT_EQ(c->Text(), u"red");
  EXPECT_EQ(changes, 1);
}
