// A cell painted by its editor class from view data, without an editor, looks exactly like a live
// editor showing the same value.
#include <gtest/gtest.h>

#include <memory>

#include "dx/editors/dxCheckEdit.h"
#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/dxMemoEdit.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Graphic.h"

namespace {

class DxClassPaintingTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    SetFixedTestFontForAllFaces(true);
    host_ = MakeHost();
    host_->SetColor(clBtnFace);
    font_.SetName(u"MS Sans Serif");
    font_.SetHeight(-16);
    brush_.SetColor(clWindow);
  }
  void TearDown() override {
    DxEditorsTest::TearDown();
    SetFixedTestFontForAllFaces(false);
  }

  // The pixels of a window as the screen shows them.
  static std::unique_ptr<TBitmap> Capture(HWND Window) {
    RECT r;
    GetWindowRect(Window, &r);
    auto b = std::make_unique<TBitmap>();
    b->SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(b->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return b;
  }
  // The cell painted by the editor class alone.
  static std::unique_ptr<TBitmap> ClassPaint(TdxInplaceEditClass Class, TdxEditViewData& Data, int W, int H) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(W, H);
    Data.Bounds = RECT{0, 0, W, H};
    Class->Draw(b->Canvas()->Handle(), Data.Bounds, nullptr, &Data);
    return b;
  }
  // Differing pixels inside Area (the whole bitmaps when empty).
  static int Differences(TBitmap& a, TBitmap& b, RECT Area = RECT{}) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    if (IsRectEmpty(&Area)) Area = RECT{0, 0, a.Width(), a.Height()};
    int n = 0;
    for (int y = Area.top; y < Area.bottom; ++y)
      for (int x = Area.left; x < Area.right; ++x) n += a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y);
    return n;
  }
  static int InkPixels(TBitmap& a) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x) n += a.Canvas()->Pixels(x, y) == clBlack;
    return n;
  }
  // What a host puts into the view data of an unfocused cell.
  void FillCell(TdxEditViewData& v, const Variant& Value, TdxEditBorderStyle Border) {
    v.Enabled = true;
    v.BorderStyle = Border;
    v.ButtonStyle = Border == xbsNone ? btsSimple : bts3D;
    v.Font = font_.Handle();
    v.Brush = brush_.Handle();
    v.BkColor = clWindow;
    v.TextColor = clWindowText;
    v.Data = Value;
  }
  // A live in-place editor over a cell of the host, shown without the focus.
  template <class T>
  T* LiveEditor(const Variant& Value, const RECT& Cell, const char* Mask = nullptr) {
    auto* edit = new T(host_);
    edit->SetParent(host_);
    edit->Font()->Assign(&font_);
    edit->SetColor(clWindow);
    if constexpr (std::is_base_of_v<TdxInplaceMaskEdit, T>) {
      if (Mask) edit->SetEditMask(Utf8ToString(Mask));
    }
    edit->SetEditValue(Value);
    RECT r = Cell;
    InflateRect(&r, 2, 2);
    edit->SetBoundsRect(r);
    edit->ShowEdit();
    Pump();
    return edit;
  }

  TTestContainer* host_ = nullptr;
  TFont font_;
  TBrush brush_;
};

TEST_F(DxClassPaintingTest, ATextCell) {
  auto* edit = LiveEditor<TdxInplaceTextEdit>(Variant(u"Иванов И.И."), RECT{20, 20, 180, 40});
  KeepCheckedWindow(host_->Handle(), "text");
  auto live = Capture(edit->Handle());
  TdxTextEditViewData v;
  FillCell(v, Variant(u"Иванов И.И."), edit->Style()->BorderStyle());
  v.IsEditClass = true;
  auto cell = ClassPaint(TdxInplaceTextEdit::StaticEditClass(), v, live->Width(), live->Height());
  EXPECT_GT(InkPixels(*cell), 100);
  EXPECT_EQ(Differences(*live, *cell), 0);
}

TEST_F(DxClassPaintingTest, AMaskedCell) {
  auto* edit = LiveEditor<TdxInplaceMaskEdit>(Variant(u"(495) 123-4567"), RECT{20, 20, 180, 40},
                                              "(999) 000-0000;1;_");
  KeepCheckedWindow(host_->Handle(), "mask");
  auto live = Capture(edit->Handle());
  TdxTextEditViewData v;
  FillCell(v, Variant(edit->GetEditText()), edit->Style()->BorderStyle());
  v.IsEditClass = true;
  auto cell = ClassPaint(TdxInplaceMaskEdit::StaticEditClass(), v, live->Width(), live->Height());
  EXPECT_GT(InkPixels(*cell), 100);
  EXPECT_EQ(Differences(*live, *cell), 0);
}

TEST_F(DxClassPaintingTest, AMemoCell) {
  auto* edit = LiveEditor<TdxInplaceMemoEdit>(Variant(u"Первая строка\r\nВторая"), RECT{20, 20, 200, 80});
  KeepCheckedWindow(host_->Handle(), "memo");
  auto live = Capture(edit->Handle());
  TdxTextEditViewData v;
  FillCell(v, Variant(u"Первая строка\r\nВторая"), edit->Style()->BorderStyle());
  v.IsEditClass = true;
  v.SelectionBar = true;
  v.VertAlignment = dxVertMultiLine;
  auto cell = ClassPaint(TdxInplaceMemoEdit::StaticEditClass(), v, live->Width(), live->Height());
  EXPECT_GT(InkPixels(*cell), 100);
  EXPECT_EQ(Differences(*live, *cell), 0);
}

TEST_F(DxClassPaintingTest, TheThreeCheckStates) {
  TForm* form = static_cast<TForm*>(GetParentForm(host_));
  for (int state = 0; state < 3; ++state) {
    auto* check = new TdxCheckEdit(form);
    check->SetParent(form);
    check->SetTabStop(false);
    check->SetBounds(10, 220 + 0, 120, 21);
    check->SetLeft(10 + state * 125);
    check->Font()->Assign(&font_);
    check->SetColor(clWindow);
    check->SetCaption(u"Да");
    check->SetAllowGrayed(true);
    check->SetState(static_cast<TdxCheckBoxState>(state));
    Pump();
    auto live = Capture(check->Handle());
    TdxCheckEditViewData v;
    FillCell(v, Variant(state), xbsNone);
    v.ButtonStyle = bts3D;
    v.CaptionText = u"Да";
    v.VertAlignment = dxVertCenter;
    auto cell = ClassPaint(TdxCheckEdit::StaticEditClass(), v, live->Width(), live->Height());
    EXPECT_GT(InkPixels(*cell), 20) << "state " << state;
    // Without a border the cell is its inner rectangle: the margin around it is the host's.
    TdxEditViewInfo info;
    TdxCheckEdit::StaticEditClass()->CalcViewInfo(&v, false, info);
    EXPECT_EQ(Differences(*live, *cell, info.BorderRect), 0) << "state " << state;
  }
  KeepCheckedWindow(form->Handle(), "check");
}

}  // namespace

namespace {

// A form of the four editors driven as a user would: Cyrillic typing, Tab between the editors,
// Escape, the clipboard; then the unfocused editors are checked against their class painting.
class DxEditorsFormTest : public DxClassPaintingTest {
 protected:
  template <class T>
  T* OnForm(TForm* Form, int Top, int Height) {
    auto* edit = new T(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, Top, 200, Height);
    edit->Font()->Assign(&font_);
    edit->SetColor(clWindow);
    edit->SetTabStop(true);
    return edit;
  }
};

TEST_F(DxEditorsFormTest, TypingTabbingEscapeAndClipboard) {
  TForm* form = MakeForm(450, 100, 300, 260);
  auto* text = OnForm<TdxInplaceTextEdit>(form, 10, 24);
  auto* mask = OnForm<TdxInplaceMaskEdit>(form, 44, 24);
  mask->SetEditMask(u"(999) 000-0000;1;_");
  auto* memo = OnForm<TdxInplaceMemoEdit>(form, 78, 80);
  auto* check = new TdxCheckEdit(form);
  check->SetParent(form);
  check->SetBounds(10, 170, 200, 21);
  check->SetCaption(u"Муниципальный");
  form->Show();
  // In-place classes show themselves only through ShowEdit, as a host shows them.
  for (TdxInplaceEdit* e : std::initializer_list<TdxInplaceEdit*>{text, mask, memo}) e->ShowEdit();
  Pump();
  const HKL previous = ActivateKeyboardLayout(HKL_RUSSIAN, 0);

  text->SetFocus();
  Pump();
  Type("Иванов");
  EXPECT_EQ(text->Text(), u"Иванов");
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), mask->Handle());
  Key(VK_HOME);
  Type("4951234567");
  EXPECT_EQ(mask->GetEditText(), u"(495) 123-4567");
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), memo->Handle());
  Type("строка");
  Key(VK_RETURN);
  Type("вторая");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(1), u"вторая");
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), check->Handle());
  Key(VK_SPACE);
  EXPECT_EQ(check->State(), cbsChecked);

  // Back to the name: entering selects it all, Escape gives back what it held when entered.
  Key(VK_TAB, 1);
  Key(VK_TAB, 1);
  Key(VK_TAB, 1);
  ASSERT_EQ(GetFocus(), text->Handle());
  Type("Петров");
  EXPECT_EQ(text->Text(), u"Петров");
  Key(VK_ESCAPE);
  EXPECT_EQ(text->Text(), u"Иванов");

  // Copy the name and paste it at the end of the memo.
  text->SelectAll();
  Key('C', 2);
  EXPECT_EQ(Clipboard()->AsText(), u"Иванов");
  memo->SetFocus();
  Pump();
  Key(VK_END, 2);
  Key('V', 2);
  EXPECT_EQ(memo->Lines()->Strings(1), u"втораяИванов");
  ActivateKeyboardLayout(previous, 0);

  check->SetFocus();
  Pump();
  KeepCheckedWindow(form->Handle());
  for (TdxInplaceTextEdit* edit : {text, static_cast<TdxInplaceTextEdit*>(mask)}) {
    auto live = Capture(edit->Handle());
    TdxTextEditViewData v;
    FillCell(v, Variant(edit->TdxInplaceTextEdit::Text()), edit->Style()->BorderStyle());
    v.IsEditClass = true;
    auto cell = ClassPaint(TdxInplaceTextEdit::StaticEditClass(), v, live->Width(), live->Height());
    EXPECT_EQ(Differences(*live, *cell), 0) << StringToUtf8(edit->TdxInplaceTextEdit::Text());
  }
}

}  // namespace
