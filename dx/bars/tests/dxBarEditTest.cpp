#include "dx/bars/dxBarButtonControl.h"
#include "dx/bars/dxBarEdit.h"
#include "dx/bars/dxBarEditControl.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarEditPropertyTest : public DxBarTest {};

TEST_F(DxBarEditPropertyTest, LengthAndWidthAreKeptInRange) {
  struct TCase {
    int maxLength, storedLength, width, storedWidth;
  };
  const TCase cases[] = {{5, 5, 10, 20}, {-3, 0, 19, 20}, {0, 0, 20, 20}, {300, 300, 150, 150}};
  for (const TCase& c : cases) {
    auto* edit = new TdxBarEdit(form.get());
    edit->SetMaxLength(c.maxLength);
    edit->SetWidth(c.width);
    EXPECT_EQ(edit->MaxLength(), c.storedLength) << c.maxLength;
    EXPECT_EQ(edit->Width(), c.storedWidth) << c.width;
  }
}

TEST_F(DxBarEditPropertyTest, TextChangesAreReportedOnceAndNotWhileLoading) {
  auto* edit = new TdxBarEdit(form.get());
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText(u"abc");
  edit->SetText(u"abc");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit->CurText(), u"abc");
  EXPECT_FALSE(edit->CanClick());
}

class DxBarEditTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    menu = MakeTopBar(u"Main Menu", 0, true);
    file = AddButton(menu, u"&File");
    file->OnClick = [this](TObject*) { ++fileClicks; };
    menu->SetVisible(true);
    tools = MakeTopBar(u"Tools", 1);
    find = AddEdit(u"&Find");
    find->SetShowCaption(true);
    find->SetText(u"old");
    find->OnChange = [this](TObject*) { changes.push_back(find->Text()); };
    AddButton(tools, u"Go");
    second = AddEdit(u"Second");
    tools->SetVisible(true);
    SetForegroundWindow(form->Handle());
    Pump();
  }
  TdxBarEdit* AddEdit(const String& Caption) {
    auto* edit = new TdxBarEdit(form);
    edit->SetCaption(Caption);
    edit->SetCategory(0);
    tools->ItemLinks()->Add()->SetItem(edit);
    return edit;
  }
  TdxBarEditControl* FindControl() const {
    return static_cast<TdxBarEditControl*>(tools->ItemLinks()->Items(0)->Control());
  }
  // Clicks into the editable part of the find edit.
  void ClickIntoFind() {
    RECT r = ScreenRectOf(tools->ItemLinks()->Items(0));
    ClickAt(POINT{r.right - 10, (r.top + r.bottom) / 2});
  }

  TdxBar *menu = nullptr, *tools = nullptr;
  TdxBarButton* file = nullptr;
  TdxBarEdit *find = nullptr, *second = nullptr;
  int fileClicks = 0;
  std::vector<String> changes;
};

TEST_F(DxBarEditTest, AClickShowsTheEditOverTheFramedPartWithTheTextSelected) {
  TdxBarEditControl* control = FindControl();
  ASSERT_NE(control, nullptr);
  RECT link = tools->ItemLinks()->Items(0)->ItemRect();
  // "Find" is 4 characters of 8 pixels: the caption takes 32 + 6, the edit part the item's 100.
  EXPECT_EQ(link.right - link.left, 38 + 100);
  EXPECT_EQ(control->CaptionWidth(), 38);
  EXPECT_FALSE(IsWindowVisible(control->EditHandle()));
  KeepCheckedScreen("idle");
  ClickIntoFind();
  ASSERT_TRUE(control->Focused());
  EXPECT_TRUE(IsWindowVisible(control->EditHandle()));
  EXPECT_EQ(GetFocus(), control->EditHandle());
  RECT edit;
  GetWindowRect(control->EditHandle(), &edit);
  RECT screen = ScreenRectOf(tools->ItemLinks()->Items(0));
  // The standard look frames the editable part twice (sunken edge, background line).
  RECT expected{screen.left + 32 + 2 + 4 + 2, screen.top + 2, screen.right - 2, screen.bottom - 2};
  EXPECT_EQ(edit, expected);
  DWORD selection = static_cast<DWORD>(SendMessage(control->EditHandle(), EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), 3);
  KeepCheckedScreen("focused");
}

TEST_F(DxBarEditTest, EnterEscapeAndTabEndTheEditing) {
  struct TCase {
    UINT key;
    String text;
    bool barActive;
    TdxBarItem* selectedItem;
  };
  const TCase cases[] = {
      {VK_RETURN, u"typed", false, nullptr},  // stored; the bar stops tracking
      {VK_ESCAPE, u"old", true, nullptr},     // discarded; the edit stays selected
      {VK_TAB, u"typed", true, nullptr},      // stored; the next control is selected
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key);
    find->SetText(u"old");
    changes.clear();
    ClickIntoFind();
    ASSERT_TRUE(FindControl()->Focused());
    Type(u"typed");
    Key(c.key);
    EXPECT_FALSE(FindControl()->Focused());
    EXPECT_EQ(find->Text(), c.text);
    EXPECT_EQ(changes.size(), c.text == u"old" ? 0u : 1u);
    EXPECT_EQ(tools->Control()->Active(), c.barActive);
    TdxBarItemControl* selected = tools->Control()->SelectedControl();
    TdxBarItem* expected = c.key == VK_ESCAPE ? static_cast<TdxBarItem*>(find)
                           : c.key == VK_TAB  ? tools->ItemLinks()->Items(1)->Item()
                                              : nullptr;
    EXPECT_EQ(selected ? selected->Item() : nullptr, expected);
    tools->Control()->Close();
    Pump();
  }
}

TEST_F(DxBarEditTest, LeavingByClickStoresTheTextOnlyWhenTheManagerAlwaysSavesIt) {
  for (bool always : {false, true}) {
    SCOPED_TRACE(always);
    manager->SetAlwaysSaveText(always);
    find->SetText(u"old");
    ClickIntoFind();
    Type(u"new");
    ClickAt(POINT{300, 400});
    EXPECT_FALSE(FindControl()->Focused());
    EXPECT_FALSE(tools->Control()->Active());
    EXPECT_EQ(find->Text(), always ? u"new" : u"old");
  }
  // Escape is never a save.
  find->SetText(u"old");
  ClickIntoFind();
  Type(u"new");
  Key(VK_ESCAPE);
  EXPECT_EQ(find->Text(), u"old");
}

TEST_F(DxBarEditTest, ALongTextIsCommittedWhole) {
  ClickIntoFind();
  String typed(300, u'x');
  typed[299] = u'z';
  Type(typed);
  EXPECT_EQ(find->CurText(), typed);
  Key(VK_RETURN);
  EXPECT_EQ(find->Text(), typed);
}

TEST_F(DxBarEditTest, MaxLengthLimitsTyping) {
  find->SetMaxLength(5);
  find->SetText(u"");
  ClickIntoFind();
  Type(u"abcdefgh");
  Key(VK_RETURN);
  EXPECT_EQ(find->Text(), u"abcde");
}

TEST_F(DxBarEditTest, TypingReportsEachChangeAndTheKeyEventsMaySwallowAKey) {
  int curChanges = 0;
  find->OnCurChange = [&](TObject*) { ++curChanges; };
  find->OnKeyPress = [](TObject*, Char& Key) {
    if (Key == u'q') Key = 0;
  };
  std::vector<WORD> downs;
  find->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { downs.push_back(Key); };
  ClickIntoFind();
  EXPECT_EQ(curChanges, 0);  // the control writing the text is no change
  Type(u"aqb");
  EXPECT_EQ(curChanges, 2);
  EXPECT_EQ(find->CurText(), u"ab");
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(downs.size(), 3u);
}

TEST_F(DxBarEditTest, AnAltAcceleratorInAnEditRunsItsItemOnce) {
  ClickIntoFind();
  Key('F', 4);
  EXPECT_EQ(fileClicks, 1);
  EXPECT_FALSE(FindControl()->Focused());
  EXPECT_EQ(find->Text(), u"old");
}

TEST_F(DxBarEditTest, ShiftF10InAnEditDoesNothing) {
  ClickIntoFind();
  Key(VK_F10, 1);
  EXPECT_EQ(fileClicks, 0);
  EXPECT_EQ(menu->Control()->Active(), false);
  EXPECT_TRUE(exceptions.empty());
}

TEST_F(DxBarEditTest, SetFocusFocusesTheFirstShownLink) {
  second->SetFocus(true);
  auto* control = static_cast<TdxBarEditControl*>(tools->ItemLinks()->Items(2)->Control());
  EXPECT_TRUE(control->Focused());
  EXPECT_TRUE(tools->Control()->Active());
  Type(u"zz");
  Key(VK_RETURN);
  EXPECT_EQ(second->Text(), u"zz");
}

TEST_F(DxBarEditTest, TheIdleEditPaintsItsTextOnTheWindowColour) {
  RECT r = ScreenRectOf(tools->ItemLinks()->Items(0));
  // Inside the double frame, right of the caption: the window colour, and the text in the
  // window-text colour somewhere in its first characters.
  int left = r.left + 38 + 2;
  EXPECT_EQ(ScreenPixel(left + 1, r.bottom - 3), ColorToRGB(clWindow));
  bool textDrawn = false;
  for (int x = left + 2; x < left + 26 && !textDrawn; ++x)
    for (int y = r.top + 2; y < r.bottom - 2 && !textDrawn; ++y)
      textDrawn = ScreenPixel(x, y) == GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_TRUE(textDrawn);
  // The caption part is the bar's face.
  EXPECT_EQ(ScreenPixel(r.left + 1, r.top + 1), ColorToRGB(clBtnFace));
  KeepCheckedScreen();
}

}  // namespace

namespace {

TEST_F(DxBarEditTest, AToolbarDrawingRotatedShowsAnEditAsAButton) {
  for (bool rotate : {true, false}) {
    TdxBar* side = MakeTopBar(rotate ? u"Rotated" : u"Upright", 0);
    side->SetDockingStyle(dsLeft);
    side->SetRotateWhenVertical(rotate);
    side->ItemLinks()->Add()->SetItem(find);
    side->SetVisible(true);
    Pump();
    TdxBarItemControl* control = side->ItemLinks()->Items(0)->Control();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(dynamic_cast<TdxBarButtonControl*>(control) != nullptr, rotate);
    EXPECT_EQ(dynamic_cast<TdxBarEditControl*>(control) != nullptr, !rotate);
    side->SetVisible(false);
  }
}

}  // namespace
