#include "dx/editors/dxDropDownEdit.h"

#include "dx/editors/dxInplacePopup.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/Graphic.h"

namespace {

// A list as the descendants make them: a pop-up that logs the keys and characters it receives.
class TTestList : public TdxInplacePopupControl {
 public:
  explicit TTestList(TComponent* AOwner) : TdxInplacePopupControl(AOwner) { SetIsPopup(true); }
  std::vector<UINT> Messages;
  String Chars;
  // A list that leaves the focus in the editor, which hands it the keys.
  void ShowPopup() override { ShowWindow(Handle(), SW_SHOWNA); }

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_KEYDOWN) Messages.push_back(static_cast<UINT>(Message.WParam));
    if (Message.Msg == WM_CHAR) Chars += static_cast<Char>(Message.WParam);
    TdxInplacePopupControl::WndProc(Message);
  }
};

// A drop-down editor that opens a list the way every descendant does and logs what it is asked.
class TTestDropDownEdit : public TdxInplaceDropDownEdit {
 public:
  explicit TTestDropDownEdit(TComponent* AOwner) : TdxInplaceDropDownEdit(AOwner) {}
  TTestList* List = nullptr;
  std::vector<bool> CloseUps;
  std::vector<int> Clicks;
  std::vector<int> Steps;

  void DropDown() override {
    if (DropDownShown || !IsEditable()) return;
    if (!List) List = new TTestList(this);
    List->SetOwnerControl(this);
    DropDownWindow = List;
    DoDropDown();
    List->SetPopupBorder(GetActualPopupBorder());
    List->SetBounds(0, 0, 120, 90);
    PlacePopup(List, false);
    DropDownShown = true;
    List->ShowPopup();
  }
  void CloseUp(bool Accept) override {
    if (!List) return;
    List->ClosePopup(Accept);
    DropDownShown = false;
    CloseUps.push_back(Accept);
  }
  void ButtonClick(int Index) override { Clicks.push_back(Index); }
  void SelectNextValue(int Delta, bool) override { Steps.push_back(Delta); }
};

class DxDropDownEditTest : public DxEditorsTest {
 protected:
  TTestDropDownEdit* MakeEditor(RECT Cell = RECT{10, 10, 160, 30}) {
    host_ = MakeHost();
    auto* edit = new TTestDropDownEdit(host_);
    edit->SetParent(host_);
    edit->ShowAt(Cell);
    edit->SetFocus();
    Pump();
    return edit;
  }
  // The centre of the drop-down button in screen coordinates.
  static POINT ButtonCentre(TTestDropDownEdit* Edit) {
    RECT w;
    GetWindowRect(Edit->Handle(), &w);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    return POINT{w.right - 2 - width / 2, (w.top + w.bottom) / 2};
  }
  static TColor ScreenPixel(POINT P) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, P.x, P.y);
    ReleaseDC(nullptr, dc);
    return static_cast<TColor>(c);
  }

  TTestContainer* host_ = nullptr;
};

}  // namespace

TEST_F(DxDropDownEditTest, ButtonWidthAndTextAreaByStyleAndGlyph) {
  TBitmap glyph;
  glyph.SetSize(9, 7);
  const int scroll = GetSystemMetrics(SM_CXVSCROLL);
  struct Case {
    TdxEditButtonViewStyle style;
    bool withGlyph;
    int width;
  } cases[] = {
      {bts3D, false, scroll},      {btsFlat, false, scroll - 1}, {btsSimple, false, scroll - 1},
      {btsHotFlat, false, scroll}, {bts3D, true, 9 + 4},         {btsFlat, true, 9 + 1},
      {btsSimple, true, 9 + 1},    {btsHotFlat, true, 9 + 2},
  };
  auto* cls = static_cast<const TdxDropDownEditMetaClass*>(TdxInplaceDropDownEdit::StaticEditClass());
  for (const Case& c : cases) {
    TdxDropDownEditViewData v;
    v.ButtonStyle = c.style;
    v.ButtonGlyph = c.withGlyph ? &glyph : nullptr;
    v.Bounds = RECT{0, 0, 100, 20};
    TdxEditViewInfo info;
    cls->CalcViewInfo(&v, false, info);
    ASSERT_EQ(v.ButtonCount, 1);
    EXPECT_EQ(v.Buttons[0].Kind, c.withGlyph ? bkGlyph : bkDown);
    EXPECT_EQ(v.Buttons[0].Width, c.width) << c.style << c.withGlyph;
    EXPECT_EQ(info.Inner.right, 100 - 2 - c.width) << "the text area gives the button its width";
    const RECT button = TdxDropDownEditMetaClass::ButtonRects(info, &v)[0];
    EXPECT_EQ(button.right, 98);
    EXPECT_EQ(button.left, 98 - c.width);
  }
  TdxDropDownEditViewData none;
  none.NoButtons = true;
  none.Bounds = RECT{0, 0, 100, 20};
  TdxEditViewInfo info;
  cls->CalcViewInfo(&none, false, info);
  EXPECT_EQ(none.ButtonCount, 0);
  EXPECT_EQ(info.Inner.right, 98);
}

TEST_F(DxDropDownEditTest, HideInactiveShowsNoButtonUntilSelected) {
  auto* edit = MakeEditor();
  edit->Style()->SetButtonTransparence(ebtHideInactive);
  auto shown = edit->CreateViewData(false);
  EXPECT_FALSE(static_cast<TdxDropDownEditViewData*>(shown.get())->NoButtons) << "focused";
  host_->SetFocus();
  Pump();
  auto hidden = edit->CreateViewData(false);
  EXPECT_TRUE(static_cast<TdxDropDownEditViewData*>(hidden.get())->NoButtons);
}

TEST_F(DxDropDownEditTest, ButtonClickOpensBelowAndEscEnterAndToggleKeysClose) {
  auto* edit = MakeEditor();
  int opened = 0;
  edit->OnEditButtonClick = [&](TObject*) { ++opened; };
  const POINT button = ButtonCentre(edit);
  // The drop-down symbol is painted in the button.
  EXPECT_EQ(ScreenPixel(POINT{button.x, button.y}), ColorToRGB(clBtnText));
  KeepCheckedWindow(edit->Handle(), "closed");

  Click(edit, 0, 0);  // focus stays
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, button);
  Pump();
  ASSERT_TRUE(edit->IsDroppedDown());
  EXPECT_EQ(opened, 1);
  RECT e, l;
  GetWindowRect(edit->Handle(), &e);
  GetWindowRect(edit->List->Handle(), &l);
  const bool thin = edit->Style()->BorderStyle() == xbsNone || edit->Style()->BorderStyle() == xbsSingle;
  EXPECT_EQ(l.top, e.bottom - (thin ? 1 : 0)) << "below the frame";
  EXPECT_EQ(l.left, e.left);
  KeepCheckedScreen("open");

  Key(VK_ESCAPE);
  EXPECT_FALSE(edit->IsDroppedDown());
  Key(VK_DOWN, 4);  // Alt+Down opens ...
  EXPECT_TRUE(edit->IsDroppedDown());
  Key(VK_F4);  // ... F4 closes accepting
  EXPECT_FALSE(edit->IsDroppedDown());
  Key(VK_F4);
  ASSERT_TRUE(edit->IsDroppedDown());
  const String before = edit->Text();
  Key(VK_RETURN);
  EXPECT_FALSE(edit->IsDroppedDown());
  EXPECT_EQ(edit->Text(), before) << "the Enter does not reach the text";
  EXPECT_EQ(edit->CloseUps, (std::vector<bool>{false, true, true}));
}

TEST_F(DxDropDownEditTest, LettersTypedWhileOpenReachOnlyTheList) {
  auto* edit = MakeEditor();
  Key(VK_F4);
  ASSERT_TRUE(edit->IsDroppedDown());
  Type("ab");
  Key(VK_DOWN);
  EXPECT_EQ(StringToUtf8(edit->List->Chars), "ab");
  EXPECT_EQ(edit->List->Messages.back(), static_cast<UINT>(VK_DOWN));
  EXPECT_EQ(StringToUtf8(edit->Text()), "");
}

TEST_F(DxDropDownEditTest, ReleasingOutsideThePressedButtonClicksNothing) {
  auto* edit = MakeEditor();
  const POINT button = ButtonCentre(edit);
  const POINT away{button.x - 60, button.y};
  SimulateMouseDown(TSimButton::Left, button);
  Pump();
  EXPECT_EQ(edit->PushedButton(), 0);
  Key(VK_ESCAPE);  // the press opened the list; keep only the button's state in play
  SimulateMouseMove(away);
  Pump();
  EXPECT_EQ(edit->HotButton(), -1);
  SimulateMouseUp(TSimButton::Left, away);
  Pump();
  EXPECT_TRUE(edit->Clicks.empty());
  EXPECT_EQ(edit->PushedButton(), -1);

  clock_->Advance(1000);
  SimulateMouseDown(TSimButton::Left, button);
  Pump();
  Key(VK_ESCAPE);
  SimulateMouseMove(away);
  SimulateMouseMove(button);
  SimulateMouseUp(TSimButton::Left, button);
  Pump();
  EXPECT_EQ(edit->Clicks, std::vector<int>{0});
}

TEST_F(DxDropDownEditTest, PopupOpensAboveOnlyWhenThereIsMoreRoomAbove) {
  SetScreenSize(1024, 768);
  struct Case {
    int top;
    bool above;
  } cases[] = {{640, true}, {100, false}};
  for (const Case& c : cases) {
    auto* edit = MakeEditor();
    GetParentForm(host_)->SetBounds(100, c.top, 400, 120);
    Pump();
    Key(VK_F4);
    RECT e, l;
    GetWindowRect(edit->Handle(), &e);
    GetWindowRect(edit->List->Handle(), &l);
    const int inset = edit->Style()->BorderStyle() == xbsNone ? 1 : 0;
    if (c.above)
      EXPECT_EQ(l.bottom, e.top + inset) << c.top;
    else
      EXPECT_EQ(l.top, e.bottom - inset) << c.top;
    Key(VK_ESCAPE);
  }
}

TEST_F(DxDropDownEditTest, WheelStepsTheClosedValueAndStaysWithTheEditor) {
  auto* edit = MakeEditor();
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  const POINT over{w.left + 5, w.top + 5};
  SimulateWheel(-120, over);
  Pump();
  SimulateWheel(120, over);
  Pump();
  EXPECT_EQ(edit->Steps, (std::vector<int>{1, -1}));
  EXPECT_TRUE(host_->KeysHandedOver.empty());
}

TEST_F(DxDropDownEditTest, FocusLossClosesWithoutAccepting) {
  auto* edit = MakeEditor();
  Key(VK_F4);
  ASSERT_TRUE(edit->IsDroppedDown());
  host_->SetFocus();
  Pump();
  EXPECT_FALSE(edit->IsDroppedDown());
  ASSERT_FALSE(edit->CloseUps.empty());
  EXPECT_FALSE(edit->CloseUps.back());
}
