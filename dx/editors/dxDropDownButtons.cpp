// Class operations of drop-down cells: the edit buttons in the layout and their painting.
#include "dx/editors/dxDropDownEdit.h"
#include "dx/editors/dxEditButtonPaint.h"
#include "platform/forms/Graphic.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

RECT FrameRect(const TdxEditViewInfo& ViewInfo) {
  RECT frame = ViewInfo.BorderRect;
  TdxInplaceEditMetaClass::InflateByBorder(frame, ViewInfo, false);
  return frame;
}

void DrawDots(HDC DC, const RECT& R, int FullWidth, TColor Color) {
  const int s = FullWidth > 15 ? 2 : 1;
  int x = (R.left + R.right - s) / 2;
  int y = (R.top + R.bottom - s / 2) / 2;
  if ((R.bottom - R.top) % 2 != 0) --y;
  for (int dx : {-2 * s, 0, 2 * s}) {
    RECT dot{x + dx, y, x + dx + s, y + s};
    FillSolid(DC, dot, Color);
  }
}

void DrawTriangle(HDC DC, const RECT& R, TColor Color) {
  int w = (R.right - R.left) / 2;
  if (w % 2 == 0) ++w;
  const int x = (R.left + R.right - w) / 2;
  int y = (R.top + R.bottom - w / 2) / 2;
  if ((R.bottom - R.top) % 2 != 0) --y;
  DrawEditButtonArrow(DC, x, y, w, false, Color);
}

void DrawSymbol(HDC DC, const RECT& R, const TdxEditButtonViewInfo& Button, int FullWidth, TColor Color) {
  if (Button.Kind == bkEllipsis)
    DrawDots(DC, R, FullWidth, Color);
  else
    DrawTriangle(DC, R, Color);
}

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TdxDropDownEditViewData)

std::unique_ptr<TdxEditViewData> TdxDropDownEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxDropDownEditViewData>();
}

void TdxDropDownEditMetaClass::CalcButtons(TdxDropDownEditViewData* ViewData) const {
  ViewData->Buttons.fill(TdxEditButtonViewInfo{});
  if (ViewData->NoButtons) {
    ViewData->ButtonCount = 0;
    return;
  }
  ViewData->ButtonCount = 1;
  TdxEditButtonViewInfo& button = ViewData->Buttons[0];
  button.Index = 0;
  button.Glyph = ViewData->ButtonGlyph;
  button.Kind = button.Glyph ? bkGlyph : bkDown;
  button.LeftAlignment = false;
  button.Width = GetButtonWidth(ViewData, button);
}

int TdxDropDownEditMetaClass::GetButtonWidth(TdxDropDownEditViewData* ViewData,
                                              const TdxEditButtonViewInfo& Button) const {
  const TdxEditButtonViewStyle style = ViewData->ButtonStyle;
  const bool flat = style == btsFlat || style == btsSimple;
  if (Button.Kind == bkGlyph && Button.Glyph && Button.Glyph->Width() > 0)
    return Button.Glyph->Width() + (flat ? 1 : style == bts3D ? 4 : 2);
  return GetSystemMetrics(SM_CXVSCROLL) - (flat ? 1 : 0);
}

void TdxDropDownEditMetaClass::CalcViewInfo(TdxEditViewData* ViewData, bool AutoSize,
                                            TdxEditViewInfo& ViewInfo) const {
  TdxTextEditMetaClass::CalcViewInfo(ViewData, AutoSize, ViewInfo);
  auto* v = static_cast<TdxDropDownEditViewData*>(ViewData);
  CalcButtons(v);
  for (int i = 0; i < v->ButtonCount; ++i) {
    if (v->Buttons[i].LeftAlignment)
      ViewInfo.Inner.left += v->Buttons[i].Width;
    else
      ViewInfo.Inner.right -= v->Buttons[i].Width;
  }
  if (ViewInfo.Inner.right < ViewInfo.Inner.left) ViewInfo.Inner.right = ViewInfo.Inner.left;
}

std::array<RECT, dxMaxEditButtons> TdxDropDownEditMetaClass::ButtonRects(const TdxEditViewInfo& ViewInfo,
                                                                       const TdxDropDownEditViewData* ViewData) {
  std::array<RECT, dxMaxEditButtons> rects{};
  RECT free = FrameRect(ViewInfo);
  for (int i = ViewData->ButtonCount - 1; i >= 0; --i) {
    const TdxEditButtonViewInfo& b = ViewData->Buttons[i];
    RECT& r = rects[i];
    r = free;
    if (b.LeftAlignment) {
      r.right = r.left + b.Width;
      free.left = r.right;
    } else {
      r.left = r.right - b.Width;
      free.right = r.left;
    }
  }
  return rects;
}

void TdxDropDownEditMetaClass::DrawBorder(HDC DC, const TdxEditViewInfo& ViewInfo,
                                          TdxEditViewData* ViewData) const {
  TdxTextEditMetaClass::DrawBorder(DC, ViewInfo, ViewData);
  auto* v = static_cast<TdxDropDownEditViewData*>(ViewData);
  const auto rects = ButtonRects(ViewInfo, v);
  for (int i = v->ButtonCount - 1; i >= 0; --i) {
    const TdxEditButtonViewInfo& button = v->Buttons[i];
    const bool hot = v->HotButtonIndex == i;
    TdxEditButtonLook look{v->ButtonStyle, hot && v->PushedButtonIndex == i, hot, v->ButtonTransparent, v->Enabled};
    if (look.style == btsSimple && (look.hot || look.pressed)) look.style = btsFlat;
    const bool isGlyph = button.Kind == bkGlyph;
    RECT r = rects[i];
    const int fullWidth = r.right - r.left + (look.style == btsFlat || look.style == btsSimple ? 1 : 0);
    if (look.transparent && !isGlyph) FillRect(DC, &r, v->Brush);
    HBRUSH face = look.transparent ? v->Brush : GetSysColorBrush(COLOR_BTNFACE);
    const TColor symbol = DrawEditButtonFrame(DC, r, look, isGlyph, v->Brush);
    if (isGlyph && button.Glyph) {
      if (look.pressed && look.style != btsHotFlat) {
        const int shift = look.style == bts3D ? 2 : 1;
        r.left += shift;
        r.top += shift;
      }
      const int freeW = r.right - r.left - button.Glyph->Width();
      const int freeH = r.bottom - r.top - button.Glyph->Height();
      int x = r.left + (freeW > 0 ? freeW / 2 : 0);
      if (look.pressed && (look.style == btsFlat || look.style == btsSimple) && freeW > 0 && freeW % 2 != 0) ++x;
      const int y = r.top + (freeH > 0 ? freeH / 2 : 0);
      RECT g{x, y, x + button.Glyph->Width(), y + button.Glyph->Height()};
      DrawTransparentBitmap(DC, face, g, button.Glyph);
      continue;
    }
    if (look.pressed && look.style != btsHotFlat) OffsetRect(&r, 1, 1);
    if (v->Enabled) {
      DrawSymbol(DC, r, button, fullWidth, symbol);
    } else {
      RECT shifted = r;
      OffsetRect(&shifted, 1, 1);
      DrawSymbol(DC, shifted, button, fullWidth, clBtnHighlight);
      DrawSymbol(DC, r, button, fullWidth, clBtnShadow);
    }
  }
}
