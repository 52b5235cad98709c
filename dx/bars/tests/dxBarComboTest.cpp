#include "dx/bars/dxBarCombo.h"
#include "dx/bars/dxBarComboControl.h"
#include "dx/bars/dxBarDropDownListBox.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarComboItemTest : public DxBarTest {
 protected:
  TdxBarCombo* MakeCombo(std::initializer_list<const char16_t*> Strings) {
    auto* combo = new TdxBarCombo(form.get());
    for (const char16_t* s : Strings) combo->Items()->Add(s);
    return combo;
  }
};

TEST_F(DxBarComboItemTest, FindPrefixTakesTheFirstWholeMatchElseTheLongestCommonBeginning) {
  TdxBarCombo* combo = MakeCombo({u"Alpha", u"Alps", u"Beta", u"Abe", u"Alpine"});
  struct TCase {
    const char16_t* text;
    int found;
  };
  const TCase cases[] = {
      {u"", -1},      {u"al", 0},    {u"ALPS", 1}, {u"alpi", 4}, {u"alx", 0},  // longest shared: "al", first
      {u"alpx", 0},   {u"abx", 3},   {u"b", 2},    {u"x", -1},   {u"betas", 2},
  };
  for (const TCase& c : cases) EXPECT_EQ(combo->FindPrefix(c.text), c.found) << StringToUtf8(c.text);
  // A later string replaces the candidate only when it shares more.
  TdxBarCombo* other = MakeCombo({u"Ax", u"Abz", u"Abq"});
  EXPECT_EQ(other->FindPrefix(u"abd"), 1);
}

TEST_F(DxBarComboItemTest, ItemIndexAndTextFollowEachOther) {
  TdxBarCombo* combo = MakeCombo({u"One", u"Two", u"Three"});
  std::vector<String> changes;
  combo->OnChange = [&](TObject*) { changes.push_back(combo->Text()); };
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), u"Two");
  combo->SetText(u"three");  // found ignoring case
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->SetText(u"Four");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(0);
  combo->SetItemIndex(3);  // the number of strings: none, and no text
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), u"");
  EXPECT_EQ(changes, (std::vector<String>{u"Two", u"three", u"Four", u"One", u""}));
  combo->SetItemIndex(2);
  combo->Items()->Delete(2);
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST(DxBarDropDownPlacement, TheWindowStaysOnTheWorkArea) {
  const RECT work{0, 0, 1000, 700};
  struct TCase {
    const char* what;
    RECT control;
    SIZE window;
    bool beside;
    POINT expected;
  };
  const TCase cases[] = {
      {"below, room everywhere", {100, 100, 250, 122}, {200, 150}, false, {100, 122}},
      {"below, at the right edge: moved left", {900, 100, 990, 122}, {200, 150}, false, {800, 122}},
      {"below, at the bottom with more room above: opens above", {100, 600, 250, 622}, {200, 150}, false, {100, 450}},
      {"below, too tall either way, more room below: stays", {100, 300, 250, 322}, {200, 500}, false, {100, 322}},
      {"above the top of the work area: raised to it", {100, 340, 250, 362}, {200, 400}, false, {100, 0}},
      {"beside, at the right edge with more room left: opens left", {850, 100, 950, 122}, {200, 150}, true, {650, 100}},
      {"beside, at the bottom: moved up", {100, 650, 250, 672}, {200, 150}, true, {250, 550}},
  };
  for (const TCase& c : cases) {
    POINT from = c.beside ? POINT{c.control.right, c.control.top} : POINT{c.control.left, c.control.bottom};
    EXPECT_EQ(PlaceDropDownWindow(from, c.window, c.control, c.beside, work), c.expected) << c.what;
  }
}

class DxBarComboTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    tools = MakeTopBar(u"Tools", 0);
    combo = new TdxBarCombo(form);
    combo->SetCaption(u"Size");
    combo->SetCategory(0);
    combo->SetWidth(120);
    for (const char16_t* s : {u"Alpha", u"Alps", u"Beta", u"Gamma"}) combo->Items()->Add(s);
    combo->OnChange = [this](TObject*) { changes.push_back(combo->Text()); };
    combo->OnCurChange = [this](TObject*) { ++curChanges; };
    tools->ItemLinks()->Add()->SetItem(combo);
    tools->SetVisible(true);
    SetForegroundWindow(form->Handle());
    Pump();
  }
  TdxBarComboControl* Control() const {
    return static_cast<TdxBarComboControl*>(tools->ItemLinks()->Items(0)->Control());
  }
  TdxBarDropDownListBox* List() const { return combo->ListBox(); }
  bool ListShown() const { return List()->HandleAllocated() && IsWindowVisible(List()->Handle()); }
  RECT ScreenRect() const { return ScreenRectOf(tools->ItemLinks()->Items(0)); }
  void ClickIntoEdit() { ClickAt(POINT{ScreenRect().left + 20, CentreOf(ScreenRect()).y}); }
  void ClickButton() {
    RECT b = Control()->ButtonRect();
    POINT origin = tools->Control()->ClientToScreen(POINT{0, 0});
    ClickAt(POINT{origin.x + (b.left + b.right) / 2, origin.y + (b.top + b.bottom) / 2});
  }

  TdxBar* tools = nullptr;
  TdxBarCombo* combo = nullptr;
  std::vector<String> changes;
  int curChanges = 0;
};

TEST_F(DxBarComboTest, UpAndDownStepThroughTheStringsAndEnterChoosesTheShownOne) {
  combo->SetItemIndex(1);
  changes.clear();
  ClickIntoEdit();
  ASSERT_TRUE(Control()->Focused());
  EXPECT_EQ(Control()->CurItemIndex(), 1);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_DOWN);  // stays on the last string
  EXPECT_EQ(Control()->GetText(), u"Gamma");
  EXPECT_EQ(combo->ItemIndex(), 1);
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes, (std::vector<String>{u"Beta"}));
  EXPECT_FALSE(ListShown());
}

TEST_F(DxBarComboTest, TypingReportsEachChangeAndCommitsOnlyOnEnter) {
  ClickIntoEdit();
  Type(u"Bet");
  EXPECT_EQ(curChanges, 3);
  EXPECT_TRUE(changes.empty());
  Key(VK_RETURN);
  EXPECT_EQ(changes, (std::vector<String>{u"Bet"}));
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(DxBarComboTest, TheOpenListFollowsTheTypedText) {
  ClickIntoEdit();
  Key(VK_F4);
  ASSERT_TRUE(ListShown());
  // Below the edit part, right of the caption.
  RECT list;
  GetWindowRect(List()->Handle(), &list);
  EXPECT_EQ(list.left, ScreenRect().left + Control()->CaptionWidth());
  EXPECT_EQ(list.top, ScreenRect().bottom);
  Type(u"alps");
  EXPECT_EQ(List()->ItemIndex(), 1);  // the same string, ignoring case
  Key(VK_BACK);
  Key(VK_BACK);
  Key('X');
  // "alx" shares "al" with Alpha first: no selection, Alpha scrolled to the top.
  EXPECT_EQ(List()->ItemIndex(), -1);
  EXPECT_EQ(List()->TopIndex(), 0);
  EXPECT_EQ(Control()->CurItemIndex(), 0);
  // The arrows go to the open list, which shows its choice in the edit.
  // Without a selection the top string is taken first.
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(List()->ItemIndex(), 2);
  EXPECT_EQ(Control()->GetText(), u"Beta");
  KeepCheckedScreen();
  Key(VK_RETURN);
  EXPECT_FALSE(ListShown());
  EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(DxBarComboTest, AClickOnAStringChoosesItAndClosesTheBars) {
  ClickButton();
  ASSERT_TRUE(Control()->DroppedDown());
  ASSERT_TRUE(ListShown());
  EXPECT_TRUE(Control()->Focused());
  RECT item = List()->ItemRect(2);
  POINT at = List()->ClientToScreen(CentreOf(item));
  MoveTo(at);
  EXPECT_EQ(List()->ItemIndex(), 2);  // hot tracking
  ClickAt(at);
  EXPECT_FALSE(ListShown());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), u"Beta");
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(DxBarComboTest, TheButtonAltArrowsAndF4ToggleTheList) {
  struct TCase {
    const char* what;
    std::function<void()> toggle;
  };
  const TCase cases[] = {
      {"button", [this] { ClickButton(); }},
      {"F4", [this] { Key(VK_F4); }},
      {"Alt+Down", [this] { Key(VK_DOWN, 4); }},
      {"Alt+Up", [this] { Key(VK_UP, 4); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    ClickIntoEdit();
    c.toggle();
    EXPECT_TRUE(ListShown());
    c.toggle();
    EXPECT_FALSE(ListShown());
    EXPECT_TRUE(Control()->Focused());
    Key(VK_ESCAPE);
    tools->Control()->Close();
    Pump();
  }
}

TEST_F(DxBarComboTest, AReadOnlyComboNeverDropsDown) {
  combo->SetReadOnly(true);
  ClickButton();
  Key(VK_F4);
  EXPECT_FALSE(ListShown());
  EXPECT_FALSE(Control()->DroppedDown());
}

TEST_F(DxBarComboTest, WithoutEditorTheTextIsPaintedAndAClickAnywhereOpensTheList) {
  combo->SetShowEditor(false);
  combo->SetItemIndex(3);
  Pump();
  ClickIntoEdit();
  EXPECT_TRUE(ListShown());
  RECT edit;
  GetWindowRect(Control()->EditHandle(), &edit);
  EXPECT_EQ(edit.right - edit.left, 0);
  KeepCheckedScreen();
}

TEST_F(DxBarComboTest, TheButtonShowsADownArrow) {
  RECT b = Control()->ButtonRect();
  POINT origin = tools->Control()->ClientToScreen(POINT{0, 0});
  int cx = origin.x + (b.left + b.right) / 2;
  int cy = origin.y + (b.top + b.bottom) / 2;
  // The arrow's widest row lies above its tip.
  int top = cy - 3;
  while (top < cy + 3 && ScreenPixel(cx, top) != GetSysColor(COLOR_BTNTEXT)) ++top;
  ASSERT_LT(top, cy + 3);
  int width = 0;
  for (int x = origin.x + b.left; x < origin.x + b.right; ++x) width += ScreenPixel(x, top) == GetSysColor(COLOR_BTNTEXT);
  int below = 0;
  for (int x = origin.x + b.left; x < origin.x + b.right; ++x)
    below += ScreenPixel(x, top + 1) == GetSysColor(COLOR_BTNTEXT);
  EXPECT_GE(width, 3);
  EXPECT_EQ(below, width - 2);
  KeepCheckedScreen();
}

TEST_F(DxBarComboTest, ALongListScrollsAndDropsDownQuickly) {
  combo->Items()->BeginUpdate();
  for (int i = 0; i < 10000; ++i) combo->Items()->Add(u"Entry " + IntToStr(i));
  combo->Items()->EndUpdate();
  ClickIntoEdit();
  Key(VK_F4);
  ASSERT_TRUE(ListShown());
  EXPECT_EQ(List()->Count(), 10004);
  Key(VK_NEXT);
  EXPECT_EQ(List()->ItemIndex(), 7);
  Type(u"entry 99");
  EXPECT_EQ(Control()->CurItemIndex(), 4 + 99);
}

}  // namespace
