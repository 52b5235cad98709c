#include "dx/editors/dxEditButtonPaint.h"

#include "platform/gdi/Gdi.h"

void FillSolid(HDC DC, const RECT& Rect, TColor Color) {
  HBRUSH brush = CreateSolidBrush(ColorToColorRef(Color));
  FillRect(DC, &Rect, brush);
  DeleteObject(brush);
}

TColor DrawEditButtonFrame(HDC DC, RECT& R, const TdxEditButtonLook& Look, bool IsGlyph, HBRUSH Background) {
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
      if (!Look.transparent) FillSolid(DC, R, pressed ? clBtnText : hot ? clBtnShadow : clBtnFace);
      if ((Look.hot || Look.pressed) && !Look.transparent) return clWindow;
      if (Look.hot && Look.transparent && !Look.pressed) return clBtnShadow;
      return clBtnText;
    }
  }
  return clBtnText;
}

void DrawEditButtonArrow(HDC DC, int X, int Y, int Width, bool Up, TColor Color) {
  // Row by row from the base to the apex.
  const int rows = Width / 2 + 1;
  for (int row = 0; row < rows; ++row) {
    const int y = Up ? Y + rows - 1 - row : Y + row;
    RECT line{X + row, y, X + Width - row, y + 1};
    FillSolid(DC, line, Color);
  }
}
