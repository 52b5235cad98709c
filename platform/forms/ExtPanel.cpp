// TCustomPanel: a container with bevels and a centred caption.
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomPanel)

TRENVIK_PUBLISHED(TPanel) {
  P.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
  P.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
  P.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
  P.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
  P.Property("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle).Default(bsNone);
  P.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
  P.Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
  P.Property("FullRepaint", &TPanel::FullRepaint, &TPanel::SetFullRepaint).Default(true);
}

namespace {

// One-pixel frames, Width times, each inside the last: top and left in Top, bottom and right in Bottom.
void Frame3D(HDC dc, RECT& r, TColor top, TColor bottom, int width) {
  for (int i = 0; i < width; ++i) {
    HBRUSH t = CreateSolidBrush(ColorToColorRef(top));
    HBRUSH b = CreateSolidBrush(ColorToColorRef(bottom));
    RECT edge{r.left, r.top, r.right - 1, r.top + 1};
    FillRect(dc, &edge, t);
    edge = {r.left, r.top, r.left + 1, r.bottom - 1};
    FillRect(dc, &edge, t);
    edge = {r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &edge, b);
    edge = {r.left, r.bottom - 1, r.right, r.bottom};
    FillRect(dc, &edge, b);
    DeleteObject(t);
    DeleteObject(b);
    InflateRect(&r, -1, -1);
  }
}

void BevelColors(TBevelCut bevel, TColor& top, TColor& bottom) {
  top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

TRENVIK_MESSAGE_MAP(TCustomPanel) { M.On(CM_TEXTCHANGED, &TCustomPanel::CMTextChanged); }

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable});
  SetBounds(Left(), Top(), 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  if (borderStyle_ == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomPanel::AdjustClientRect(RECT& Rect) {
  inherited::AdjustClientRect(Rect);
  InflateRect(&Rect, -panelBorderWidth_, -panelBorderWidth_);
  int bevel = (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
  InflateRect(&Rect, -bevel, -bevel);
}

void TCustomPanel::Paint() {
  RECT r = ClientRect();
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  TColor top, bottom;
  if (bevelOuter_ != bvNone) {
    BevelColors(bevelOuter_, top, bottom);
    Frame3D(dc, r, top, bottom, bevelWidth_);
  }
  Frame3D(dc, r, Color(), Color(), panelBorderWidth_);
  if (bevelInner_ != bvNone) {
    BevelColors(bevelInner_, top, bottom);
    Frame3D(dc, r, top, bottom, bevelWidth_);
  }
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  String text = Caption();
  if (text.empty()) return;
  c->Font()->Assign(Font());
  c->Brush()->SetStyle(bsClear);
  dc = c->Handle();
  int h = c->TextHeight(u"W");
  r.top = (r.bottom + r.top - h) / 2;
  r.bottom = r.top + h;
  UINT align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(Enabled() ? Font()->Color() : clGrayText));
  DrawText(dc, text, &r, DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | align);
}

void TCustomPanel::BevelsChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (bevelInner_ == Value) return;
  bevelInner_ = Value;
  BevelsChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (bevelOuter_ == Value) return;
  bevelOuter_ = Value;
  BevelsChanged();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
  if (bevelWidth_ == Value || Value < 1) return;
  bevelWidth_ = Value;
  BevelsChanged();
}

void TCustomPanel::SetBorderWidth(int Value) {
  if (panelBorderWidth_ == Value || Value < 0) return;
  panelBorderWidth_ = Value;
  BevelsChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomPanel::CMTextChanged(TMessage&) { Invalidate(); }
