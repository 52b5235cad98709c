// The radio button control: owner-drawn in the look and feel, its state following the mouse.
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/cxControls.h"
#include "cx/foundation/dxThemeManager.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/forms/native/ButtonControls.h"
#include "platform/gdi/VsStyle.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Focus.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxRadioButton)

TRENVIK_MESSAGE_MAP(TcxRadioButton) {
  M.On(CN_DRAWITEM, &TcxRadioButton::CNDrawItem);
  M.On(CN_MEASUREITEM, &TcxRadioButton::CNMeasureItem);
  M.On(WM_ERASEBKGND, &TcxRadioButton::WMEraseBkgnd);
  M.On(CM_ENABLEDCHANGED, &TcxRadioButton::CMEnabledChanged);
  M.On(CM_MOUSEENTER, &TcxRadioButton::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TcxRadioButton::CMMouseLeave);
  M.On(CM_SYSCOLORCHANGE, &TcxRadioButton::CMSysColorChange);
}

namespace {

// The Button theme's radio states: unchecked, then checked, by control state.
int ThemedRadioState(TcxRadioButtonState AState, bool AChecked) {
  constexpr int kUnchecked[] = {4, 2, 1, 3};
  return kUnchecked[AState] + (AChecked ? 4 : 0);
}

}  // namespace

TcxRadioButton::TcxRadioButton(TComponent* AOwner) : TRadioButton(AOwner) {
  controlCanvas_ = std::make_unique<TControlCanvas>();
  controlCanvas_->SetControl(this);
  canvas_ = std::make_unique<TcxCanvas>(controlCanvas_.get());
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues AChanged) {
    LookAndFeelChanged(Sender, AChanged);
  };
}

TcxRadioButton::~TcxRadioButton() {
  // The window goes first: its last messages may still ask the look and feel.
  DestroyHandle();
  lookAndFeel_.reset();
  canvas_.reset();
  controlCanvas_.reset();
}

void TcxRadioButton::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TcxRadioButton::Invalidate() { cxInvalidateWinControlRect(this, RECT{0, 0, Width(), Height()}, false); }

void TcxRadioButton::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); }

void TcxRadioButton::WndProc(TMessage& Message) {
  inherited::WndProc(Message);
  if (Message.Msg == BM_SETCHECK) cxInvalidateWinControlRect(this, glyphRect_, false);
}

void TcxRadioButton::CNDrawItem(TMessage& Message) {
  const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  controlCanvas_->SetHandle(item.hDC);
  TScopeExit done([this] { controlCanvas_->SetHandle(nullptr); });
  Paint();
  Message.Result = 1;
}

void TcxRadioButton::CNMeasureItem(TMessage& Message) {
  auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  item.itemWidth = static_cast<UINT>(Width());
  item.itemHeight = static_cast<UINT>(Height());
}

void TcxRadioButton::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TcxRadioButton::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  EnabledChanged();
}

void TcxRadioButton::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  MouseEnter(Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this);
}

void TcxRadioButton::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  MouseLeave(Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this);
}

void TcxRadioButton::CMSysColorChange(TMessage& Message) {
  inherited::Dispatch(Message);
  if (TcxRadioButtonImageList* glyphs = cxRadioButtonImageList()) glyphs->Reset();
  Invalidate();
}

void TcxRadioButton::EnabledChanged() {
  UpdateStateAtCursor();
  Invalidate();
}

void TcxRadioButton::MouseEnter(TControl*) { UpdateStateAtCursor(); }

void TcxRadioButton::MouseLeave(TControl*) { UpdateStateAtCursor(); }

void TcxRadioButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  UpdateState(Shift, POINT{X, Y});
}

void TcxRadioButton::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  UpdateState(Shift, POINT{X, Y});
}

void TcxRadioButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  UpdateState(Shift, POINT{X, Y});
}

void TcxRadioButton::UpdateStateAtCursor() {
  if (!HandleAllocated()) return;
  POINT p{};
  GetCursorPos(&p);
  UpdateState(GetShiftState(), ScreenToClient(p));
}

void TcxRadioButton::UpdateState(TShiftState Shift, POINT P) {
  TcxRadioMouseState mouse;
  mouse.Enabled = Enabled();
  mouse.Designing = ComponentState().Contains(csDesigning);
  mouse.Captured = HandleAllocated() && GetCapture() == Handle();
  mouse.AnyKeyOrButtonDown = !Shift.Empty();
  mouse.Inside = P.x >= 0 && P.y >= 0 && P.x < Width() && P.y < Height();
  SetState(cxRadioButtonStateFor(mouse));
}

void TcxRadioButton::SetState(TcxRadioButtonState Value) {
  if (state_ == Value) return;
  state_ = Value;
  RECT r = glyphRect_;
  InflateRect(&r, 1, 1);
  cxInvalidateWinControlRect(this, r, false);
}

bool TcxRadioButton::IsNativePaint() const { return IsNativeStyleAvailable(lookAndFeel_->NativeStyle(), tcButton); }

void TcxRadioButton::Paint() {
  const bool native = IsNativePaint();
  const RECT client{0, 0, Width(), Height()};
  const TColor background = native && Parent() ? Parent()->Color() : Color();
  canvas_->SetBrushColor(background);
  canvas_->FillRect(client);
  PaintGlyph(native);
  PaintCaption(native);
}

// Places and draws the glyph; answers its size.
SIZE TcxRadioButton::PaintGlyph(bool ANative) {
  if (ANative) {
    HTHEME theme = dxOpenThemeByType(tcButton);
    const int themeState = ThemedRadioState(state_, Checked());
    SIZE size{};
    dxGetThemePartSize(theme, canvas_->Handle(), BP_RADIOBUTTON, themeState, nullptr, TS_TRUE, &size);
    glyphRect_ = cxRadioGlyphRect({Width(), Height()}, size, Alignment(), true, IsInplace());
    const RECT client{0, 0, Width(), Height()};
    if (!IsInplace()) dxDrawThemeParentBackground(Handle(), canvas_->Handle(), &client);
    dxDrawThemeBackground(theme, canvas_->Handle(), BP_RADIOBUTTON, themeState, &glyphRect_, nullptr);
    return size;
  }
  TcxRadioButtonImageList* glyphs = cxRadioButtonImageList();
  const SIZE size = glyphs->GlyphSize();
  glyphRect_ = cxRadioGlyphRect({Width(), Height()}, size, Alignment(), false, IsInplace());
  glyphs->Draw(canvas_.get(), glyphRect_.left, glyphRect_.top, lookAndFeel_->Kind(), cxRadioImageState(state_),
               Checked(), Focused(), ComponentState().Contains(csDesigning));
  return size;
}

void TcxRadioButton::PaintCaption(bool ANative) {
  canvas_->SetFont(Font());
  if (!Enabled()) canvas_->Font()->SetColor(clBtnShadow);
  RECT text{0, 0, Width(), Height()};
  if (Alignment() == taRightJustify)
    text.left = glyphRect_.right;
  else
    text.right = glyphRect_.left;
  const RECT margins = cxRadioTextMargins(Alignment(), ANative, WordWrap(), IsInplace());
  text.left += margins.left;
  text.top += margins.top;
  text.right -= margins.right;
  text.bottom -= margins.bottom;
  const int flags =
      cxtfLeft | cxtfVertCenter | cxtfShowPrefix | (WordWrap() ? cxtfWordBreak | cxtfNoClip : cxtfSingleLine);
  canvas_->Brush()->SetStyle(bsClear);
  canvas_->DrawText(Caption(), text, flags, true);
  canvas_->Brush()->SetStyle(bsSolid);
  if (!Focused() || Caption().empty()) return;
  RECT focus = text;
  canvas_->CalcTextRect(Caption(), focus, flags);
  InflateRect(&focus, 1, 1);
  focus.bottom += 1;
  if (IsInplace()) {
    focus.top = std::max<LONG>(focus.top, 1);
    focus.bottom = std::min<LONG>(focus.bottom, Height() - 1);
  }
  canvas_->SetBrushColor(Color());
  canvas_->DrawFocusRect(focus);
}
