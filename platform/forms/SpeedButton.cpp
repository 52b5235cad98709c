// TSpeedButton: a windowless tool button with a glyph, grouped buttons staying down.
#include "platform/classes/Published.h"
#include "platform/forms/ButtonFace.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TSpeedButton) {
  P.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  P.Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
  P.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
  P.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
  P.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
  P.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  P.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
  P.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
  P.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
  P.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
  P.Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
}

TRENVIK_MESSAGE_MAP(TSpeedButton) {
  M.On(CM_BUTTONPRESSED, &TSpeedButton::CMButtonPressed);
  M.On(CM_MOUSEENTER, &TSpeedButton::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TSpeedButton::CMMouseLeave);
  M.On(CM_ENABLEDCHANGED, &TSpeedButton::CMEnabledChanged);
  M.On(CM_TEXTCHANGED, &TSpeedButton::CMTextChanged);
  M.On(CM_DIALOGCHAR, &TSpeedButton::CMDialogChar);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), 23, 22);
  SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
  SetColor(clBtnFace);
  SetParentColor(true);
  glyph_ = std::make_unique<TBitmap>();
  glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::Loaded() {
  inherited::Loaded();
  if (!Enabled()) state_ = bsDisabled;
}

void TSpeedButton::Click() { inherited::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!down_) {
    state_ = bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!dragging_) return;
  TButtonState s = down_ ? bsExclusive : bsUp;
  if (X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight()) s = down_ ? bsExclusive : bsDown;
  if (s != state_) {
    state_ = s;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (!dragging_) return;
  dragging_ = false;
  bool doClick = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
  if (groupIndex_ == 0) {
    state_ = bsUp;
    mouseInControl_ = mouseInControl_ && doClick;
    Invalidate();
  } else if (doClick) {
    SetDown(!down_);
    if (down_) Repaint();
  } else {
    if (down_) state_ = bsExclusive;
    Repaint();
  }
  if (doClick) Click();
}

void TSpeedButton::SetDown(bool Value) {
  if (groupIndex_ == 0) Value = false;
  if (Value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = Value;
  state_ = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(m);
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  if (static_cast<int>(Message.WParam) != groupIndex_) return;
  auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
  if (sender == this) return;
  if (sender->Down() && down_) {
    down_ = false;
    state_ = bsUp;
    Invalidate();
  }
  allowAllUp_ = sender->AllowAllUp();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (allowAllUp_ == Value) return;
  allowAllUp_ = Value;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (groupIndex_ == Value) return;
  groupIndex_ = Value;
  UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  if (flat_ == Value) return;
  flat_ = Value;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  glyph_->Assign(Value);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (layout_ == Value) return;
  layout_ = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (margin_ == Value || Value < -1) return;
  margin_ = Value;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (numGlyphs_ == Value) return;
  numGlyphs_ = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (spacing_ == Value) return;
  spacing_ = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  if (transparent_ == Value) return;
  transparent_ = Value;
  Invalidate();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  if (flat_ && !mouseInControl_ && Enabled() && !GetCapture()) {
    mouseInControl_ = true;
    Repaint();
  }
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  if (flat_ && mouseInControl_ && Enabled() && !dragging_) {
    mouseInControl_ = false;
    Invalidate();
  }
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Repaint();
}

void TSpeedButton::CMTextChanged(TMessage&) { Invalidate(); }

void TSpeedButton::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
    Click();
    Message.Result = 1;
  }
}

void TSpeedButton::DrawGlyphAndText(HDC dc, RECT client, bool pressed) {
  const String text = Caption();
  TButtonFace face;
  face.Caption = &text;
  face.Glyph = glyph_.get();
  face.NumGlyphs = numGlyphs_;
  // The glyph's images side by side: up, disabled, down, exclusive.
  if (state_ == bsDisabled && numGlyphs_ > 1) face.GlyphIndex = 1;
  if (state_ == bsDown && numGlyphs_ > 2) face.GlyphIndex = 2;
  if (state_ == bsExclusive && numGlyphs_ > 3) face.GlyphIndex = 3;
  face.Layout = layout_;
  face.Margin = margin_;
  face.Spacing = spacing_;
  face.Pressed = pressed;
  face.Disabled = state_ == bsDisabled;
  face.TextColor = Font()->Color();
  DrawButtonFace(dc, client, face);
}

void TSpeedButton::Paint() {
  if (!Enabled()) {
    state_ = bsDisabled;
    dragging_ = false;
  } else if (state_ == bsDisabled) {
    state_ = (down_ && groupIndex_ != 0) ? bsExclusive : bsUp;
  }
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  HDC dc = c->Handle();
  RECT r{0, 0, Width(), Height()};
  bool pressed = state_ == bsDown || state_ == bsExclusive;
  if (!flat_) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
  } else {
    if (pressed || (mouseInControl_ && state_ != bsDisabled)) {
      DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, (transparent_ ? 0 : BF_MIDDLE) | BF_RECT);
    } else if (!transparent_) {
      c->Brush()->SetColor(Color());
      c->Brush()->SetStyle(bsSolid);
      c->FillRect(r);
    }
    InflateRect(&r, -1, -1);
  }
  if (state_ == bsExclusive && (!flat_ || !mouseInControl_)) {
    // A down button of a group shows a dithered face.
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left + ((y - r.top) & 1); x < r.right; x += 2)
        SetPixelV(dc, x, y, ColorToColorRef(clBtnHighlight));
  }
  DrawGlyphAndText(dc, r, pressed);
}
