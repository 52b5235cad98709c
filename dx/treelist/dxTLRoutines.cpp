#include "dx/treelist/dxTLRoutines.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/Gdi.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

namespace {

// The groups of CompareVariantValues, in their order.
int ValueGroup(const Variant& V) {
  TVarType t = VarType(V);
  if (t == varNull || t == varEmpty) return 0;
  if (VarIsNumeric(V) || t == varDate || t == varBoolean) return 1;
  if (VarIsStr(V)) return 2;
  return 3;
}

bool IsNaN(const Variant& V) { return VarIsFloat(V) && std::isnan(V.AsDouble()); }

// A screen-compatible DC for measuring, made on first use.
HDC MeasureDC() {
  static HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

SIZE MeasureText(TFont* Font, const String& Text) {
  HDC dc = MeasureDC();
  HGDIOBJ old = SelectObject(dc, Font->Handle());
  SIZE size{};
  GetTextExtentPoint32(dc, Text.data(), static_cast<int>(Text.size()), &size);
  SelectObject(dc, old);
  return size;
}

void FillSolid(HDC DC, const RECT& Rect, TColor Color) {
  HBRUSH b = CreateSolidBrush(ColorToRGB(Color));
  FillRect(DC, &Rect, b);
  DeleteObject(b);
}

void HLine(HDC DC, int X1, int X2, int Y, TColor Color) { FillSolid(DC, RECT{X1, Y, X2, Y + 1}, Color); }
void VLine(HDC DC, int X, int Y1, int Y2, TColor Color) { FillSolid(DC, RECT{X, Y1, X + 1, Y2}, Color); }

}  // namespace

int CompareVariantValues(const Variant& A, const Variant& B) {
  // Whatever the variant comparison can order goes by value ("3" before 5, Null before Empty).
  try {
    switch (VarCompareValue(A, B)) {
      case vrEqual:
        return 0;
      case vrLessThan:
        return -1;
      case vrGreaterThan:
        return 1;
      case vrNotEqual:
        break;
    }
  } catch (const EVariantError&) {
  }
  // What it cannot order (a text that is no number, a NaN, arrays) still gets one consistent
  // place: by group, so a sort over mixed values sees the same answer both ways round.
  int ga = ValueGroup(A), gb = ValueGroup(B);
  if (ga != gb) return ga < gb ? -1 : 1;
  if (ga == 1) {
    bool na = IsNaN(A), nb = IsNaN(B);
    if (na || nb) return na == nb ? 0 : na ? -1 : 1;
  }
  if (VarType(A) != VarType(B)) return VarType(A) < VarType(B) ? -1 : 1;
  int c = CompareStr(VarToStr(A), VarToStr(B));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CompareIntegers(int A, int B) { return A < B ? -1 : A > B ? 1 : 0; }

bool TextEqualIgnoreCase(const String& A, const String& B) { return AnsiUpperCase(A) == AnsiUpperCase(B); }

bool RangesOverlap(int A1, int A2, int B1, int B2) {
  return (A1 >= B1 && A1 <= B2) || (A2 >= B1 && A2 <= B2) || (A1 <= B1 && A2 >= B2);
}

int FontTextHeight(TFont* Font) { return MeasureText(Font, u"Wg").cy; }
int FontDigitWidth(TFont* Font) { return MeasureText(Font, u"0").cx; }

int MeasureTextLines(const String& Text, int Width, int LineHeight, int& Height, int Indent, bool Wide,
                     TFont* Font, int MaxLines) {
  Height = 0;
  if (Text.empty() || MaxLines == 0) return 0;
  RECT r{0, 0, Width - Indent, 0};
  InflateRect(&r, -2, Wide ? -2 : -1);
  HDC dc = MeasureDC();
  HGDIOBJ old = SelectObject(dc, Font->Handle());
  DrawText(dc, Text, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  Height = r.bottom - r.top;
  if (LineHeight == 0) LineHeight = FontTextHeight(Font);
  int lines = LineHeight > 0 ? Height / LineHeight : 0;
  if (MaxLines != -1 && lines > MaxLines) {
    lines = MaxLines;
    Height = MaxLines * LineHeight;
  }
  Height += 3;
  return lines;
}

void DrawHeaderFrame(HDC DC, RECT& Rect, HBRUSH Brush, TdxLookAndFeel Look, int Position, bool Pressed) {
  if (Look == lfStandard) {
    DrawEdge(DC, &Rect, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM | BF_ADJUST);
    if (!Pressed)
      DrawEdge(DC, &Rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    else
      DrawEdge(DC, &Rect, BDR_SUNKENOUTER, BF_LEFT | BF_TOP | BF_ADJUST);
    FillRect(DC, &Rect, Brush);
    return;
  }
  if (Position == 0) {
    if (Look == lfUltraFlat) {
      HBRUSH b = CreateSolidBrush(ColorToRGB(clBtnShadow));
      FrameRect(DC, &Rect, b);
      DeleteObject(b);
      InflateRect(&Rect, -1, -1);
    } else {
      DrawEdge(DC, &Rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    FillRect(DC, &Rect, Brush);
    InflateRect(&Rect, -1, 0);
    return;
  }
  FillRect(DC, &Rect, Brush);
  RECT r = Rect;
  DrawEdge(DC, &r, Look == lfFlat ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
           BF_TOP | BF_BOTTOM | (Look == lfFlat ? 0 : BF_FLAT));
  RECT right{Rect.right - 1, Rect.top + ((Position == 2 || Position == 3) ? 2 : 0), Rect.right,
             Rect.bottom - ((Position == 2 || Position == 3) ? 2 : 1)};
  DrawEdge(DC, &right, BDR_RAISEDINNER, BF_RIGHT);
  InflateRect(&Rect, -2, -1);
}

void DrawSortMark(HDC DC, const RECT& Rect, bool Up) {
  int x = (Rect.left + Rect.right - 8) / 2, y = (Rect.top + Rect.bottom - 7) / 2;
  if (Up) {
    for (int i = 0; i < 7; ++i) {
      int half = i / 2;
      HLine(DC, x + 3 - half, x + 4 - half + 1, y + i, clBtnShadow);
      HLine(DC, x + 4 + half, x + 5 + half, y + i, clBtnHighlight);
    }
    HLine(DC, x, x + 8, y + 6, clBtnHighlight);
  } else {
    HLine(DC, x, x + 8, y, clBtnShadow);
    for (int i = 0; i < 7; ++i) {
      int half = (6 - i) / 2;
      HLine(DC, x + 3 - half, x + 4 - half + 1, y + i, clBtnShadow);
      HLine(DC, x + 4 + half, x + 5 + half, y + i, clBtnHighlight);
    }
  }
}

void DrawHeaderCell(HDC DC, const RECT& Rect, const RECT& Clip, HBRUSH Brush, TdxLookAndFeel Look,
                    int Position, TdxTreeListColumnSort Sort, TAlignment Alignment, bool MultiLine,
                    bool Pressed, const String& Text, HFONT Font, TColor TextColor, TBitmap* Glyph) {
  int saved = SaveDC(DC);
  IntersectClipRect(DC, Clip.left, Clip.top, Clip.right, Clip.bottom);
  RECT r = Rect;
  DrawHeaderFrame(DC, r, Brush, Look, Position, Pressed);
  if (Look == lfStandard && Pressed) OffsetRect(&r, 3, 3);
  InflateRect(&r, -1, -1);
  --r.bottom;
  if (Sort != csNone && r.right - r.left > 15) {
    RECT mark{r.right - 16, r.top, r.right, r.bottom};
    DrawSortMark(DC, mark, Sort == csUp);
    r.right -= 16;
  }
  if (Glyph && !Glyph->Empty()) {
    const int w = std::min(Glyph->Width(), static_cast<int>(r.right - r.left)), h = Glyph->Height();
    const int x = Look == lfStandard ? r.left : r.left - 1;
    TransparentBlt(DC, x, (r.top + r.bottom - h) / 2, w, h, Glyph->Canvas()->Handle(), 0, 0, w, h,
                   ColorToRGB(Glyph->TransparentColor()));
    r.left = x + w + 2;
  }
  SelectObject(DC, Font);
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToRGB(TextColor));
  UINT align = Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
  UINT format = MultiLine ? DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX
                          : DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_EXPANDTABS | DT_NOPREFIX;
  DrawText(DC, Text, &r, format | align);
  if (Look != lfStandard && Pressed) InvertRect(DC, &Rect);
  RestoreDC(DC, saved);
}

void DrawFlatExpandButton(HDC DC, const RECT& Rect, int CenterY, bool Collapsed) {
  int x = (Rect.left + Rect.right - 9) / 2, y = CenterY - 4;
  RECT box{x, y, x + 9, y + 9};
  HBRUSH frame = CreateSolidBrush(ColorToRGB(clGrayText));
  FrameRect(DC, &box, frame);
  DeleteObject(frame);
  RECT inner{x + 1, y + 1, x + 8, y + 8};
  FillSolid(DC, inner, clWindow);
  HLine(DC, x + 2, x + 7, y + 4, clWindowText);
  if (Collapsed) VLine(DC, x + 4, y + 2, y + 7, clWindowText);
}

void Draw3DExpandButton(HDC DC, const RECT& Rect, bool Collapsed) {
  int x = (Rect.left + Rect.right - 11) / 2, y = (Rect.top + Rect.bottom - 11) / 2;
  RECT shadow{x + 1, y + 1, x + 12, y + 12};
  DrawEdge(DC, &shadow, BDR_RAISEDINNER, BF_RECT);
  RECT box{x, y, x + 11, y + 11};
  HBRUSH frame = CreateSolidBrush(ColorToRGB(clWindowFrame));
  FrameRect(DC, &box, frame);
  DeleteObject(frame);
  HLine(DC, x + 3, x + 8, y + 5, clWindowFrame);
  if (Collapsed) VLine(DC, x + 5, y + 3, y + 8, clWindowFrame);
}

void DrawIndicatorCell(HDC DC, const RECT& Rect, const RECT& Clip, TdxLookAndFeel Look, int Glyph,
                       HBRUSH Brush) {
  int saved = SaveDC(DC);
  IntersectClipRect(DC, Clip.left, Clip.top, Clip.right, Clip.bottom);
  RECT r = Rect;
  if (Look == lfUltraFlat) {
    DrawEdge(DC, &r, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM | BF_FLAT | BF_ADJUST);
    FillRect(DC, &r, Brush);
  } else {
    DrawHeaderFrame(DC, r, Brush, Look, 0, false);
  }
  if (Glyph > 0 && !DrawIndicatorGlyph(DC, Rect, Glyph)) {
    // The focused-row arrow: a small triangle pointing right.
    int cx = (Rect.left + Rect.right) / 2, cy = (Rect.top + Rect.bottom) / 2;
    for (int i = 0; i < 4; ++i) VLine(DC, cx - 2 + i, cy - 3 + i, cy + 4 - i, clWindowText);
  }
  RestoreDC(DC, saved);
}

void DrawFocusMark(HDC DC, const RECT& Rect) {
  COLORREF oldText = SetTextColor(DC, RGB(255, 255, 255));
  COLORREF oldBk = SetBkColor(DC, RGB(0, 0, 0));
  DrawFocusRect(DC, &Rect);
  SetTextColor(DC, oldText);
  SetBkColor(DC, oldBk);
}

void InvertFrame(HDC DC, const RECT& Rect) {
  RECT top{Rect.left, Rect.top, Rect.right, Rect.top + 1};
  RECT right{Rect.right - 1, Rect.top + 1, Rect.right, Rect.bottom};
  RECT left{Rect.left, Rect.top + 1, Rect.left + 1, Rect.bottom};
  RECT bottom{Rect.left + 1, Rect.bottom - 1, Rect.right - 1, Rect.bottom};
  InvertRect(DC, &top);
  InvertRect(DC, &right);
  InvertRect(DC, &left);
  InvertRect(DC, &bottom);
}
