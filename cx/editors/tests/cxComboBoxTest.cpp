#include "cx/editors/cxComboBox.h"

#include <string>
#include <vector>

#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/win/Metrics.h"

namespace {

class CxComboBoxTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 300);
    combo = Add<TcxComboBox>(form, 10, 10, 200, 21);
    other = Add<TcxTextEdit>(form, 10, 250, 200, 21);
    for (const char16_t* item : {u"Бухгалтерия", u"Отдел кадров", u"Отдел снабжения", u"Приёмная"})
      Items()->Add(item);
    form->Show();
    Pump();
    combo->SetFocus();
    Pump();
  }

  TStringList* Items() { return combo->ActiveProperties()->Items(); }
  TcxComboBoxListBox* List() { return combo->ComboLookupData()->ListBox(); }
  bool Open() { return combo->DroppedDown(); }
  static void Type(const String& AText) {
    SimulateText(AText);
    Pump();
  }

  TForm* form = nullptr;
  TcxComboBox* combo = nullptr;
  TcxTextEdit* other = nullptr;
};

TEST_F(CxComboBoxTest, KeysOpenMoveAcceptAndCancel) {
  struct Step {
    const char* what;
    UINT key, modifiers;
    bool open;
    const char16_t* text;
  };
  const Step steps[] = {
      {"F4 opens", VK_F4, 0, true, u""},
      {"Down moves the list only", VK_DOWN, 0, true, u""},
      {"Enter accepts the list's row", VK_RETURN, 0, false, u"Бухгалтерия"},
      {"Alt+Down opens", VK_DOWN, 4, true, u"Бухгалтерия"},
      {"Down again", VK_DOWN, 0, true, u"Бухгалтерия"},
      {"Esc closes without accepting", VK_ESCAPE, 0, false, u"Бухгалтерия"},
      {"F4 opens again", VK_F4, 0, true, u"Бухгалтерия"},
      {"Down", VK_DOWN, 0, true, u"Бухгалтерия"},
      {"Alt+Up accepts and closes", VK_UP, 4, false, u"Отдел кадров"},
      {"F4 opens", VK_F4, 0, true, u"Отдел кадров"},
      {"F4 closes accepting", VK_F4, 0, false, u"Отдел кадров"},
      {"Down on a closed list moves the item", VK_DOWN, 0, false, u"Отдел снабжения"},
      {"Ctrl+PgDn goes to the last", VK_NEXT, 2, false, u"Приёмная"},
  };
  for (const Step& s : steps) {
    Key(s.key, s.modifiers);
    EXPECT_EQ(Open(), s.open) << s.what;
    EXPECT_EQ(combo->Text(), s.text) << s.what;
  }
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(VarToStr(combo->EditValue()), u"Приёмная");
}

TEST_F(CxComboBoxTest, TypingIntoAClosedListOpensItAndTheCharacterIsTyped) {
  int initPopups = 0, popups = 0;
  combo->ActiveProperties()->OnInitPopup = [&](TObject*) { ++initPopups; };
  combo->ActiveProperties()->OnPopup = [&](TObject*) { ++popups; };
  Type(u"о");
  EXPECT_TRUE(Open());
  EXPECT_EQ(initPopups, 1);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(combo->Text(), u"Отдел кадров");
  EXPECT_EQ(combo->SelStart(), 1);
  combo->ActiveProperties()->SetImmediateDropDown(false);
  Key(VK_ESCAPE);
  ASSERT_FALSE(Open());
  Type(u"т");
  EXPECT_FALSE(Open());
}

TEST_F(CxComboBoxTest, AFixedListIsChosenByLettersAndOpensOnAClickInItsText) {
  combo->ActiveProperties()->SetDropDownListStyle(lsFixedList);
  combo->ActiveProperties()->SetImmediateDropDown(false);
  Type(u"п");
  EXPECT_EQ(combo->Text(), u"Приёмная");
  EXPECT_EQ(combo->ItemIndex(), 3);
  Type(u"ю");  // no item: nothing changes, nothing is typed
  EXPECT_EQ(combo->Text(), u"Приёмная");
  Key(VK_HOME);
  EXPECT_EQ(combo->Text(), u"Бухгалтерия");
  Key(VK_DELETE);
  EXPECT_EQ(combo->Text(), u"Бухгалтерия");
  EXPECT_FALSE(Open());
  Click(combo, 50, 10);
  EXPECT_TRUE(Open());
  // The click on the text that closes the list does not open it again.
  Click(combo, 50, 10);
  EXPECT_FALSE(Open());
}

TEST_F(CxComboBoxTest, TheDropDownButtonOpensTheListAndAClickOnItWhileOpenOnlyClosesIt) {
  const int buttonX = combo->Width() - 8;
  Click(combo, buttonX, 10);
  EXPECT_TRUE(Open());
  KeepCheckedScreen("opened by its button");
  Click(combo, buttonX, 10);
  EXPECT_FALSE(Open());
  Click(combo, buttonX, 10);
  EXPECT_TRUE(Open());
}

TEST_F(CxComboBoxTest, AComboBoxWithoutItemsDoesNotOpenButAsksFirst) {
  int initPopups = 0;
  combo->ActiveProperties()->OnInitPopup = [&](TObject*) { ++initPopups; };
  Items()->Clear();
  EXPECT_EQ(combo->ItemIndex(), -1);
  Key(VK_F4);
  EXPECT_EQ(initPopups, 1);
  EXPECT_FALSE(Open());
}

TEST_F(CxComboBoxTest, TheListShowsDropDownRowsAndAScrollBarWidensIt) {
  TcxCustomComboBoxProperties* properties = combo->ActiveProperties();
  properties->SetDropDownRows(0);
  properties->SetDropDownRows(-3);
  EXPECT_EQ(properties->DropDownRows(), 8);
  Items()->Clear();
  const String wide(40, u'Ш');
  for (int i = 0; i < 8; ++i) Items()->Add(wide + String(1, char16_t(u'0' + i)));
  Key(VK_F4);
  ASSERT_TRUE(Open());
  TcxCustomEditPopupWindow* popup = combo->PopupWindow();
  const int rowHeight = List()->GetItemHeight(-1);
  const int heightOf8 = popup->Height();
  const int widthOf8 = popup->Width();
  EXPECT_EQ(heightOf8 - List()->Height(), popup->EditViewInfo()->GetBorders().Height());
  EXPECT_EQ(List()->Height(), 8 * rowHeight);
  EXPECT_GT(widthOf8, combo->Width());
  KeepCheckedScreen("combo box list of eight rows");
  Key(VK_ESCAPE);
  for (int i = 8; i < 20; ++i) Items()->Add(u"Ш" + String(1, char16_t(u'0' + i % 10)));
  Key(VK_F4);
  ASSERT_TRUE(Open());
  EXPECT_EQ(popup->Height(), heightOf8);
  EXPECT_EQ(popup->Width(), widthOf8 + GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(CxComboBoxTest, AClickOnARowChoosesItAndAClickElsewhereClosesWithoutChoosing) {
  Key(VK_F4);
  ASSERT_TRUE(Open());
  Pump();
  const int row = List()->GetItemHeight(-1);
  // Pixels: the list under the edit shows its rows' text in the window text colour.
  int ink = 0;
  for (int y = 1; y < 4 * row; ++y)
    for (int x = 2; x < 60; ++x) ink += ScreenPixel(List(), x, y) == ColorToRGB(clWindowText);
  EXPECT_GT(ink, 40);
  KeepCheckedScreen("combo box list open");
  Click(List(), 20, 2 * row + row / 2);
  EXPECT_FALSE(Open());
  EXPECT_EQ(combo->Text(), u"Отдел снабжения");
  EXPECT_EQ(combo->ItemIndex(), 2);
  Key(VK_F4);
  ASSERT_TRUE(Open());
  Key(VK_DOWN);
  Click(other, 5, 5);
  EXPECT_FALSE(Open());
  EXPECT_EQ(combo->Text(), u"Отдел снабжения");
}

TEST_F(CxComboBoxTest, RevertableDoubleClickWrapsAndItemIndexClearsModifiedOnlyOnAChange) {
  combo->ActiveProperties()->SetRevertable(true);
  combo->ActiveProperties()->SetImmediateDropDown(false);
  combo->SetItemIndex(3);
  EXPECT_EQ(combo->Text(), u"Приёмная");
  SimulateClick(TSimButton::Left, At(combo, 100, 10));
  SimulateClick(TSimButton::Left, At(combo, 100, 10));
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), u"Бухгалтерия");
  combo->SetModified(true);
  combo->SetItemIndex(0);
  EXPECT_TRUE(combo->Modified());
  combo->SetItemIndex(1);
  EXPECT_FALSE(combo->Modified());
  combo->SetItemIndex(7);  // outside the list: nothing changes
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(CxComboBoxTest, FreeTextThatIsNoItemStaysWithNoCurrentItemAndIsAnnouncedAfterValidation) {
  std::vector<String> announced;
  combo->ActiveProperties()->OnNewLookupDisplayText = [&](TObject* Sender, const String& AText) {
    EXPECT_EQ(Sender, combo->ActiveProperties());
    announced.push_back(AText);
  };
  combo->ActiveProperties()->SetImmediateDropDown(false);
  Type(u"Склад");
  EXPECT_EQ(combo->Text(), u"Склад");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_TRUE(announced.empty()) << "typing alone announces nothing";
  Key(VK_TAB);
  EXPECT_EQ(VarToStr(combo->EditValue()), u"Склад");
  EXPECT_EQ(announced, std::vector<String>{u"Склад"});

  // An item's text is no new text.
  announced.clear();
  combo->SetFocus();
  Pump();
  combo->SetText(u"");
  Type(u"Приёмная");
  Key(VK_TAB);
  EXPECT_EQ(VarToStr(combo->EditValue()), u"Приёмная");
  EXPECT_TRUE(announced.empty());
}

TEST_F(CxComboBoxTest, TheWheelMovesTheItemOfAClosedListAndAMatchedListRefusesOtherText) {
  combo->ActiveProperties()->SetImmediateDropDown(false);
  SimulateWheel(-120, At(combo, 50, 10));
  Pump();
  EXPECT_EQ(combo->Text(), u"Бухгалтерия");
  SimulateWheel(-120, At(combo, 50, 10));
  SimulateWheel(-120, At(combo, 50, 10));
  Pump();
  EXPECT_EQ(combo->Text(), u"Отдел снабжения");
  SimulateWheel(120, At(combo, 50, 10));
  Pump();
  EXPECT_EQ(combo->Text(), u"Отдел кадров");
  combo->ActiveProperties()->SetDropDownListStyle(lsEditFixedList);
  combo->SetEditValue(String());
  Type(u"пр");
  EXPECT_EQ(combo->Text(), u"Приёмная");
  Type(u"ю");  // no item continues so: refused
  EXPECT_EQ(combo->Text(), u"Приёмная");
  EXPECT_EQ(combo->ItemIndex(), 3);
}

TEST_F(CxComboBoxTest, AButtonGlyphMakesTheDropDownButtonAGlyphButtonUntilItIsCleared) {
  TcxCustomComboBoxProperties* properties = combo->ActiveProperties();
  TBitmap glyph;
  glyph.SetWidth(8);
  glyph.SetHeight(8);
  properties->SetButtonGlyph(&glyph);
  EXPECT_EQ(properties->Buttons()->Items(0)->Kind, bkGlyph);
  properties->SetButtonGlyph(nullptr);
  EXPECT_EQ(properties->Buttons()->Items(0)->Kind, bkDown);
  TBitmap empty;
  properties->SetButtonGlyph(&empty);
  EXPECT_EQ(properties->Buttons()->Items(0)->Kind, bkDown);
  Click(combo, combo->Width() - 8, 10);
  EXPECT_TRUE(Open());
}

TEST_F(CxComboBoxTest, EnterThatClosesTheListOnAKnownItemDoesNotAlsoValidate) {
  combo->ActiveProperties()->SetValidateOnEnter(true);
  int validations = 0;
  combo->ActiveProperties()->OnValidate = [&](TObject*, Variant&, String&, bool&) { ++validations; };
  Key(VK_F4);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_FALSE(Open());
  EXPECT_EQ(combo->Text(), u"Бухгалтерия");
  EXPECT_EQ(validations, 0);
  Key(VK_RETURN);  // with the list closed, Enter validates
  EXPECT_EQ(validations, 1);
}

TEST_F(CxComboBoxTest, AComboBoxFreedWithItsListOpenLeavesNoPopupBehind) {
  Key(VK_F4);
  ASSERT_TRUE(Open());
  delete combo;
  combo = nullptr;
  Pump();
  EXPECT_TRUE(cxShownPopups().empty());
  Click(other, 5, 5);
}

}  // namespace

namespace {

TEST_F(CxComboBoxTest, AShorterListThanTheCurrentItemLeavesTheTextAndNoCurrentItem) {
  for (bool open : {false, true}) {
    SCOPED_TRACE(open ? "list open" : "list closed");
    Items()->Clear();
    for (const char16_t* item : {u"Бухгалтерия", u"Отдел кадров", u"Отдел снабжения", u"Приёмная"})
      Items()->Add(item);
    combo->SetItemIndex(3);
    ASSERT_EQ(combo->Text(), u"Приёмная");
    if (open) Key(VK_F4);
    TStringList shorter;
    shorter.Add(u"Бухгалтерия");
    shorter.Add(u"Отдел кадров");
    EXPECT_NO_THROW(combo->ActiveProperties()->SetItems(&shorter));
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), u"Приёмная");
    if (open) Key(VK_ESCAPE);
    EXPECT_NO_THROW(Key(VK_DOWN));
    EXPECT_EQ(combo->Text(), u"Бухгалтерия") << "the keys walk the new list";
  }
}

}  // namespace
