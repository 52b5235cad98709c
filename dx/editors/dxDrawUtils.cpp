#include "dx/editors/dxDrawUtils.h"

#include <algorithm>

#include "platform/forms/Graphic.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

HBRUSH g_checkerBrush = nullptr;
HBRUSH g_shadowBrush = nullptr;

// Restores what a routine selected into a DC and deletes what it made, on every path.
class TDCState {
 public:
  explicit TDCState(HDC DC) : dc_(DC), saved_(SaveDC(DC)) {}
  ~TDCState() { RestoreDC(dc_, saved_); }
  TDCState(const TDCState&) = delete;
  TDCState& operator=(const TDCState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

template <class Handle>
struct TGdiObjectGuard {
  Handle handle;
  ~TGdiObjectGuard() {
    if (handle) DeleteObject(handle);
  }
};

struct TMemoryDC {
  HDC dc;
  explicit TMemoryDC(HDC Compatible) : dc(CreateCompatibleDC(Compatible)) {}
  ~TMemoryDC() { DeleteDC(dc); }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
};

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

UINT FormattedPathFlags(Word Flags, bool Fits) {
  UINT f = DT_EXPANDTABS;
  switch (Flags & dxCellHorzMask) {
    case dxCellCenter: f |= DT_CENTER; break;
    case dxCellRight: f |= DT_RIGHT; break;
    default: break;
  }
  if (Fits) f |= DT_NOCLIP;
  if (!(Flags & dxCellPrefix)) f |= DT_NOPREFIX;
  if (Flags & dxCellEndEllipsis) f |= DT_END_ELLIPSIS;
  if (Flags & dxCellPathEllipsis) f |= DT_PATH_ELLIPSIS;
  switch (Flags & dxCellVertMask) {
    case dxCellVCenter: f |= DT_SINGLELINE | DT_VCENTER; break;
    case dxCellBottom: f |= DT_SINGLELINE | DT_BOTTOM; break;
    case dxCellMultiLine: f |= DT_WORDBREAK; break;
    default: f |= DT_SINGLELINE; break;
  }
  return f;
}

bool HasLineBreak(const Char* Text, int Count) {
  return std::any_of(Text, Text + Count, [](Char c) { return c == u'\r' || c == u'\n'; });
}

void DrawInvertingFocusRect(HDC DC, RECT R) {
  InflateRect(&R, 1, 1);
  SetBkColor(DC, RGB(0, 0, 0));
  SetTextColor(DC, RGB(255, 255, 255));
  DrawFocusRect(DC, &R);
}

}  // namespace

int DrawCellText(HDC DC, const Char* Text, int Count, int* LineHeight, TColor TextColor, TColor BkColor,
                 HFONT Font, HBRUSH Brush, Word Flags, const RECT& TextRect, const RECT& BackgroundRect) {
  TDCState state(DC);
  if (Font) SelectObject(DC, Font);
  SetBkColor(DC, ColorToColorRef(BkColor));
  SetTextColor(DC, ColorToColorRef(TextColor));
  const bool measureOnly = Flags & dxCellMeasureOnly;
  const bool fill = !(Flags & dxCellNoFill);
  if (!Text) Count = 0;

  SIZE extent{0, 0};
  GetTextExtentPoint32(DC, Count > 0 ? Text : u"", Count, &extent);
  if (Count == 0) extent.cy = 0;  // an empty text measures nothing
  if (measureOnly && LineHeight) {
    *LineHeight = extent.cy;
    if (extent.cy == 0) return 0;
  }
  if (measureOnly && Count == 0) return 0;

  const bool wider = extent.cx > Width(TextRect);
  const bool formatted = (Flags & (dxCellPrefix | dxCellMultiLine)) ||
                         ((Flags & (dxCellEndEllipsis | dxCellPathEllipsis)) && (wider || HasLineBreak(Text, Count)));
  int measured = extent.cy;
  RECT textBounds = TextRect;  // the text's own rectangle, for a focus rectangle around it

  if (formatted) {
    UINT f = FormattedPathFlags(Flags, !wider);
    if (measureOnly) {
      RECT r = TextRect;
      measured = DrawText(DC, Text, Count, &r, f | DT_CALCRECT);
    } else {
      if (fill) FillRect(DC, &BackgroundRect, Brush);
      if (!(Flags & dxCellKeepBkMode)) SetBkMode(DC, TRANSPARENT);
      RECT r = TextRect;
      DrawText(DC, Text, Count, &r, f);
      if ((Flags & dxCellFocusRect) && (Flags & dxCellFocusAroundText)) {
        RECT calc = TextRect;
        DrawText(DC, Text, Count, &calc, f | DT_CALCRECT);
        textBounds = calc;
      }
    }
  } else {
    RECT clip = BackgroundRect;
    int x = TextRect.left;
    int y = TextRect.top;
    if (wider) {
      if (fill && !measureOnly) {
        RECT right{TextRect.right, BackgroundRect.top, BackgroundRect.right, BackgroundRect.bottom};
        if (right.right > right.left) FillRect(DC, &right, Brush);
      }
      clip.right = TextRect.right;
    } else if ((Flags & dxCellHorzMask) == dxCellCenter) {
      x = (TextRect.left + TextRect.right - extent.cx) / 2;
    } else if ((Flags & dxCellHorzMask) == dxCellRight) {
      x = TextRect.right - extent.cx;
    }
    if ((Flags & dxCellVertMask) == dxCellVCenter)
      y = (TextRect.top + TextRect.bottom - extent.cy) / 2;
    else if ((Flags & dxCellVertMask) == dxCellBottom)
      y = TextRect.bottom - extent.cy;
    textBounds = RECT{x, y, x + extent.cx, y + extent.cy};
    if (!measureOnly) {
      if (fill) {
        ExtTextOut(DC, x, y, ETO_OPAQUE | ETO_CLIPPED, &clip, Text, static_cast<UINT>(Count), nullptr);
      } else {
        if (!(Flags & dxCellKeepBkMode)) SetBkMode(DC, TRANSPARENT);
        ExtTextOut(DC, x, y, ETO_CLIPPED, &clip, Text, static_cast<UINT>(Count), nullptr);
      }
    }
  }

  if ((Flags & dxCellFocusRect) && !measureOnly) {
    if (!(Flags & dxCellFocusAroundText))
      DrawInvertingFocusRect(DC, TextRect);
    else if (Count > 0)
      DrawInvertingFocusRect(DC, textBounds);
  }
  return measureOnly ? measured + (Height(BackgroundRect) - Height(TextRect)) : 0;
}

void GetMonitorWorkArea(POINT Point, RECT& Rect) {
  HMONITOR monitor = MonitorFromPoint(Point, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info;
  if (monitor && GetMonitorInfo(monitor, &info)) {
    Rect = info.rcWork;
    return;
  }
  SystemParametersInfo(SPI_GETWORKAREA, 0, &Rect, 0);
}

void AdjustPopupPosition(POINT& Point, int Width, int Height, int OwnerHeight) {
  RECT w;
  GetMonitorWorkArea(Point, w);
  if (Point.x < w.left) Point.x = w.left;
  if (Point.x + Width > w.right) Point.x = w.right - Width;
  if (Point.y + Height > w.bottom - w.top && w.bottom - (Point.y + OwnerHeight) < Point.y - w.top)
    Point.y = Point.y - OwnerHeight - Height;
}

int GetPopupBarHeight() {
  return std::max(GetSystemMetrics(SM_CYHSCROLL) + 3, GetSystemMetrics(SM_CYSIZE) + 1);
}

TdxSizeGripCorner GetPopupSizeGripCorner(const RECT& OwnerClientRect, const RECT& PopupRect) {
  TdxSizeGripCorner corner = 0;
  if (PopupRect.bottom > OwnerClientRect.bottom) corner += 2;
  if (PopupRect.right > OwnerClientRect.left) corner += 1;
  return corner;
}

int SizeGripCornerToHitTest(TdxSizeGripCorner Corner) {
  static const int kCodes[4] = {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT};
  return Corner >= 0 && Corner < 4 ? kCodes[Corner] : HTNOWHERE;
}

void DrawPopupCloseButton(HDC DC, RECT& Rect, bool Hot, TdxSizeGripCorner Corner, bool Pressed) {
  const int w = GetSystemMetrics(SM_CXSIZE);
  const bool gripRight = Corner == 1 || Corner == 3;
  const bool gripBottom = Corner == 2 || Corner == 3;
  if (gripRight)
    Rect.right = Rect.left + w;
  else
    Rect.left = Rect.right - w;
  Rect.top = (Rect.top + Rect.bottom - w - 1) / 2 + (gripBottom ? 1 : 0);
  Rect.bottom = Rect.top + w + 1;
  InflateRect(&Rect, -1, -2);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  RECT r = Rect;
  if (Hot)
    DrawEdge(DC, &r, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else
    FrameRect(DC, &r, face);
  InflateRect(&r, -1, -1);
  FrameRect(DC, &r, face);

  TDCState state(DC);
  IntersectClipRect(DC, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
  InflateRect(&r, 1, 1);
  if (w != 22) r.top += 1;
  DrawFrameControl(DC, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_FLAT | (Pressed ? DFCS_PUSHED : 0));
}

void DrawPopupSizeGrip(HDC DC, RECT& Rect, TdxSizeGripCorner Corner) {
  const bool left = Corner == 0 || Corner == 2;
  const bool top = Corner == 0 || Corner == 1;
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  const int h = GetSystemMetrics(SM_CYHSCROLL);
  if (left)
    Rect.right = Rect.left + w;
  else
    Rect.left = Rect.right - w;
  if (top)
    Rect.bottom = Rect.top + h;
  else
    Rect.top = Rect.bottom - h;
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  RECT strip = Rect;
  if (left) {
    strip.right = strip.left + 2;
    Rect.left += 2;
  } else {
    strip.left = strip.right - 2;
    Rect.right -= 2;
  }
  FillRect(DC, &strip, face);
  strip = Rect;
  if (top) {
    strip.bottom = strip.top + 2;
    Rect.top += 2;
  } else {
    strip.top = strip.bottom - 2;
    Rect.bottom -= 2;
  }
  FillRect(DC, &strip, face);

  const int gw = Rect.right - Rect.left, gh = Rect.bottom - Rect.top;
  if (gw <= 0 || gh <= 0) return;
  TMemoryDC mem(DC);
  TGdiObjectGuard<HBITMAP> bitmap{CreateCompatibleBitmap(DC, gw, gh)};
  HGDIOBJ old = SelectObject(mem.dc, bitmap.handle);
  RECT glyph{0, 0, gw, gh};
  DrawFrameControl(mem.dc, &glyph, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // The glyph points to the bottom right; mirroring turns it to the grip's corner.
  StretchBlt(DC, left ? Rect.right - 1 : Rect.left, top ? Rect.bottom - 1 : Rect.top, left ? -gw : gw,
             top ? -gh : gh, mem.dc, 0, 0, gw, gh, SRCCOPY);
  SelectObject(mem.dc, old);
}

void EnsureBitmapSize(TBitmap* Bitmap, int Width, int Height) {
  if (!Bitmap) return;
  int w = std::max(Bitmap->Width(), Width);
  int h = std::max(Bitmap->Height(), Height);
  if (w != Bitmap->Width() || h != Bitmap->Height()) Bitmap->SetSize(w, h);
}

void DitherRect(HDC DC, const RECT& Rect, TColor Color) {
  TDCState state(DC);
  SelectObject(DC, dxCheckerBrush());
  // Clear the pattern's black pixels, then put the colour into them.
  SetTextColor(DC, RGB(0, 0, 0));
  SetBkColor(DC, RGB(255, 255, 255));
  PatBlt(DC, Rect.left, Rect.top, Width(Rect), Height(Rect), 0x00A000C9);  // D & P
  SetTextColor(DC, ColorToColorRef(Color));
  SetBkColor(DC, RGB(0, 0, 0));
  PatBlt(DC, Rect.left, Rect.top, Width(Rect), Height(Rect), PATINVERT);
}

void DrawTransparentBitmap(HDC DC, HBRUSH Brush, const RECT& Rect, TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Empty()) return;
  FillRect(DC, &Rect, Brush);
  HDC src = Bitmap->Canvas()->Handle();
  TransparentBlt(DC, Rect.left, Rect.top, Width(Rect), Height(Rect), src, 0, 0, Width(Rect), Height(Rect),
                 ColorToColorRef(Bitmap->TransparentColor()));
}

void DrawBitmapInCell(HDC DC, HBRUSH Brush, const RECT& CellRect, TBitmap* Bitmap, const RECT& BitmapRect) {
  const int w = Width(CellRect), h = Height(CellRect);
  if (w <= 0 || h <= 0) return;
  TMemoryDC mem(DC);
  TGdiObjectGuard<HBITMAP> buffer{CreateCompatibleBitmap(DC, w, h)};
  HGDIOBJ old = SelectObject(mem.dc, buffer.handle);
  RECT all{0, 0, w, h};
  FillRect(mem.dc, &all, Brush);
  if (Bitmap && !Bitmap->Empty()) {
    RECT target = BitmapRect;
    OffsetRect(&target, -CellRect.left, -CellRect.top);
    HDC src = Bitmap->Canvas()->Handle();
    TransparentBlt(mem.dc, target.left, target.top, Width(target), Height(target), src, 0, 0, Width(target),
                   Height(target), ColorToColorRef(Bitmap->TransparentColor()));
  }
  BitBlt(DC, CellRect.left, CellRect.top, w, h, mem.dc, 0, 0, SRCCOPY);
  SelectObject(mem.dc, old);
}

COLORREF ColorToImageListColor(TColor Color) {
  if (Color == clNone) return CLR_NONE;
  if (Color == clDefault) return CLR_DEFAULT;
  return ColorToColorRef(Color);
}

void DrawImageListImage(HDC DC, int X, int Y, TCustomImageList* ImageList, int Index) {
  if (!ImageList || !ImageList->HandleAllocated()) return;
  static const UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  UINT style = kStyles[static_cast<int>(ImageList->DrawingStyle())];
  style |= ImageList->ImageType() == itMask ? ILD_MASK : ILD_IMAGE;
  ImageList_DrawEx(ImageList->Handle(), Index, DC, X, Y, 0, 0, ColorToImageListColor(ImageList->BkColor()),
                   ColorToImageListColor(ImageList->BlendColor()), style);
}

void FillShadowStrips(HDC DC, const RECT& Rect, int Size, HBRUSH Brush) {
  RECT bottom{Rect.left, Rect.bottom - Size, Rect.right, Rect.bottom};
  RECT right{Rect.right - Size, Rect.top, Rect.right, Rect.bottom - Size};
  FillRect(DC, &bottom, Brush);
  FillRect(DC, &right, Brush);
}

void DrawPopupFrameOnDC(HDC DC, RECT& Rect, TdxPopupBorder Border, int ShadowSize, bool Shadow,
                        bool BothScrollBars) {
  RECT shadowRect{};
  if (Shadow) {
    Rect.right -= ShadowSize;
    Rect.bottom -= ShadowSize;
    shadowRect = Rect;
    OffsetRect(&shadowRect, ShadowSize, ShadowSize);
  }
  switch (Border) {
    case pbSingle: DrawEdge(DC, &Rect, BDR_RAISEDOUTER, BF_RECT | BF_MONO | BF_ADJUST); break;
    case pbFrame3D:
      DrawEdge(DC, &Rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
      DrawEdge(DC, &Rect, BDR_SUNKENINNER, BF_RECT | BF_FLAT | BF_ADJUST);
      DrawEdge(DC, &Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
      break;
    case pbFlat: DrawEdge(DC, &Rect, EDGE_RAISED, BF_RECT | BF_ADJUST); break;
    default: break;
  }
  if (Shadow) FillShadowStrips(DC, shadowRect, ShadowSize, dxShadowBrush());
  if (BothScrollBars) {
    RECT corner{Rect.right - GetSystemMetrics(SM_CXVSCROLL), Rect.bottom - GetSystemMetrics(SM_CYHSCROLL),
                Rect.right, Rect.bottom};
    if (Shadow) OffsetRect(&corner, -ShadowSize, -ShadowSize);
    FillRect(DC, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
}

void DrawPopupFrame(HWND Window, TdxPopupBorder Border, bool BothScrollBars, int ShadowSize, bool Shadow) {
  HDC dc = GetWindowDC(Window);
  RECT r;
  GetWindowRect(Window, &r);
  OffsetRect(&r, -r.left, -r.top);
  DrawPopupFrameOnDC(dc, r, Border, ShadowSize, Shadow, BothScrollBars);
  ReleaseDC(Window, dc);
}

void SetShadowRegion(HWND Window, bool Shadow, int ShadowSize) {
  HRGN region = nullptr;
  if (Shadow) {
    RECT r;
    GetWindowRect(Window, &r);
    OffsetRect(&r, -r.left, -r.top);
    region = CreateRectRgn(0, 0, r.right - ShadowSize, r.bottom - ShadowSize);
    TGdiObjectGuard<HRGN> moved{CreateRectRgn(ShadowSize, ShadowSize, r.right, r.bottom)};
    CombineRgn(region, region, moved.handle, RGN_OR);
  }
  SetWindowRgn(Window, region, TRUE);
}

HBRUSH dxCheckerBrush() { return g_checkerBrush; }
HBRUSH dxShadowBrush() { return g_shadowBrush; }

void InitDrawUtilsModule() {
  // Rows are word aligned: black where x and y are both even or both odd.
  static const Word kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kRows);
  g_checkerBrush = CreatePatternBrush(pattern);
  DeleteObject(pattern);
}

void FinalizeDrawUtilsModule() {
  DeleteObject(g_checkerBrush);
  g_checkerBrush = nullptr;
}

void InitShadowBrush() { g_shadowBrush = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)); }

void FinalizeShadowBrush() {
  DeleteObject(g_shadowBrush);
  g_shadowBrush = nullptr;
}

void InsetClientByOwnBorder(LPARAM CalcSizeParams) {
  InflateRect(reinterpret_cast<RECT*>(CalcSizeParams), -1, -1);  // also the first rectangle of the params
}

void PaintOwnBorder(HWND Window, const std::function<void(HDC DC, const RECT& WindowRect)>& Paint) {
  RECT r;
  GetWindowRect(Window, &r);
  OffsetRect(&r, -r.left, -r.top);
  HDC dc = GetWindowDC(Window);
  const TScopeExit release([&] { ReleaseDC(Window, dc); });
  Paint(dc, r);
}
