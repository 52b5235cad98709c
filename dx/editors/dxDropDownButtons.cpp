// Class operations of drop-down cells: the edit buttons in the layout and their painting.
#include "dx/editors/dxDropDownEdit.h"
#include "platform/forms/Graphic.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

RECT FrameRect(const TdxEditViewInfo& ViewInfo) {
  RECT frame = ViewInfo.BorderRect;
  TdxInplaceEditMetaClass::InflateByBorder(frame, ViewInfo, false);
  return frame;
}

struct TButtonLook {
  TdxEditButtonViewStyle style;
  bool pressed;
  bool hot;
  bool transparent;
  bool enabled;
};

void FillWith(HDC DC, const RECT& Rect, TColor Color) {
  HBRUSH brush = CreateSolidBrush(ColorToColorRef(Color));
  FillRect(DC, &Rect, brush);
  DeleteObject(brush);
}

// The frame of a button by its style; R is left as the room for the content. Answers the symbol colour.
TColor DrawButtonFrame(HDC DC, RECT& R, const TButtonLook& Look, bool IsGlyph, HBRUSH Background) {
  const bool fillFace = !Look.transparent && !IsGlyph;
  const UINT fill = fillFace ? BF_MIDDLE : 0;
  switch (Look.style) {
    case bts3D:
      if (Look.pressed) {
        DrawEdge(DC, &R, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM | BF_ADJUST | fill);
        DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_LEFT | BF_TOP | BF_ADJUST | fill);
      } else {
        DrawEdge(DC, &R, EDGE_RAISED, BF_RECT | BF_ADJUST | fill);
      }
      break;
    case btsFlat:
      if (!Look.transparent) {
        RECT strip{R.left, R.top, R.left + 1, R.bottom};
        FillRect(DC, &strip, GetSysColorBrush(COLOR_BTNFACE));
        ++R.left;
      }
      DrawEdge(DC, &R, Look.pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST | fill);
      break;
    case btsSimple:
      if (Look.transparent) {
        InflateRect(&R, -1, -1);
      } else {
        ::FrameRect(DC, &R, Background);
        RECT strip{R.left + 1, R.top + 1, R.left + 2, R.bottom - 1};
        FillRect(DC, &strip, Background);
        InflateRect(&R, -1, -1);
        ++R.left;
        if (!IsGlyph) FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    default: {  // btsHotFlat
      HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
      ::FrameRect(DC, &R, shadow);
      InflateRect(&R, -1, -1);
      const bool pressed = Look.pressed && Look.enabled;
      const bool hot = Look.hot && Look.enabled;
      if (!Look.transparent) FillWith(DC, R, pressed ? clBtnText : hot ? clBtnShadow : clBtnFace);
      if ((Look.hot || Look.pressed) && !Look.transparent) return clWindow;
      if (Look.hot && Look.transparent && !Look.pressed) return clBtnShadow;
      return clBtnText;
    }
  }
  return clBtnText;
}

void DrawDots(HDC DC, const RECT& R, int FullWidth, TColor Color) {
  const int s = FullWidth > 15 ? 2 : 1;
  int x = (R.left + R.right - s) / 2;
  int y = (R.top + R.bottom - s / 2) / 2;
  if ((R.bottom - R.top) % 2 != 0) --y;
  for (int dx : {-2 * s, 0, 2 * s}) {
    RECT dot{x + dx, y, x + dx + s, y + s};
    FillWith(DC, dot, Color);
  }
}

void DrawTriangle(HDC DC, const RECT& R, TColor Color) {
  int w = (R.right - R.left) / 2;
  if (w % 2 == 0) ++w;
  const int x = (R.left + R.right - w) / 2;
  int y = (R.top + R.bottom - w / 2) / 2;
  if ((R.bottom - R.top) % 2 != 0) --y;
  // Row by row from the base down to the apex: filled and outlined in one colour.
  for (int row = 0; row <= w / 2; ++row) {
    RECT line{x + row, y + row, x + w - row, y + row + 1};
    FillWith(DC, line, Color);
  }
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
    TButtonLook look{v->ButtonStyle, hot && v->PushedButtonIndex == i, hot, v->ButtonTransparent, v->Enabled};
    if (look.style == btsSimple && (look.hot || look.pressed)) look.style = btsFlat;
    const bool isGlyph = button.Kind == bkGlyph;
    RECT r = rects[i];
    const int fullWidth = r.right - r.left + (look.style == btsFlat || look.style == btsSimple ? 1 : 0);
    if (look.transparent && !isGlyph) FillRect(DC, &r, v->Brush);
    HBRUSH face = look.transparent ? v->Brush : GetSysColorBrush(COLOR_BTNFACE);
    const TColor symbol = DrawButtonFrame(DC, r, look, isGlyph, v->Brush);
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
