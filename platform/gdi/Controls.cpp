#include "platform/gdi/Controls.h"

#include <algorithm>
#include <cstdint>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/PixelOps.h"
#include "platform/gdi/SysColors.h"

namespace {

// Fills a logical rectangle with a colour, ignoring the ROP2 mode.
void Fill(TDC* dc, const RECT& r, COLORREF c) {
  const RECT s = ToSurfaceRect(dc, r);
  Pixel p = ColorToPixel(c);
  if (dc->Target() && dc->Target()->Monochrome()) p = ToMono(p);
  FillRectRop(dc, s, PatternSource(p), 0xF0);
}

void FillSys(TDC* dc, const RECT& r, int index) { Fill(dc, r, GdiSysColor(index)); }

void Dot(TDC* dc, int x, int y, COLORREF c) { Fill(dc, RECT{x, y, x + 1, y + 1}, c); }

// A 50% checkerboard of two colours, aligned to the rectangle.
void Dither(TDC* dc, const RECT& r, COLORREF a, COLORREF b) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) Dot(dc, x, y, ((x - r.left) + (y - r.top)) % 2 ? b : a);
}

struct BorderColours {
  int topLeft;
  int bottomRight;
};

BorderColours OuterColours(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  if (flags & BF_FLAT) return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
  const bool soft = flags & BF_SOFT;
  if (edge & BDR_RAISEDOUTER) return {soft ? COLOR_3DHILIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
  return {soft ? COLOR_3DDKSHADOW : COLOR_3DSHADOW, COLOR_3DHILIGHT};
}

BorderColours InnerColours(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOW, COLOR_WINDOW};
  if (flags & BF_FLAT) return {COLOR_BTNFACE, COLOR_BTNFACE};
  const bool soft = flags & BF_SOFT;
  if (edge & BDR_RAISEDINNER) return {soft ? COLOR_3DLIGHT : COLOR_3DHILIGHT, COLOR_3DSHADOW};
  return {soft ? COLOR_3DSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// One-pixel border on the flagged sides; the rectangle shrinks on those sides.
void Border(TDC* dc, RECT& r, BorderColours c, UINT sides) {
  if (IsRectEmpty(&r)) return;
  const int bottomEnd = (sides & BF_BOTTOM) ? r.bottom - 1 : r.bottom;
  const int rightEnd = (sides & BF_RIGHT) ? r.right - 1 : r.right;
  if (sides & BF_LEFT) FillSys(dc, {r.left, r.top, r.left + 1, bottomEnd}, c.topLeft);
  if (sides & BF_TOP) FillSys(dc, {r.left, r.top, rightEnd, r.top + 1}, c.topLeft);
  if (sides & BF_RIGHT) FillSys(dc, {r.right - 1, r.top, r.right, r.bottom}, c.bottomRight);
  if (sides & BF_BOTTOM) FillSys(dc, {r.left, r.bottom - 1, r.right, r.bottom}, c.bottomRight);
  if (sides & BF_LEFT) ++r.left;
  if (sides & BF_TOP) ++r.top;
  if (sides & BF_RIGHT) --r.right;
  if (sides & BF_BOTTOM) --r.bottom;
}

// A diagonal edge: a line between two corners of the rectangle, the outer border above the inner.
void DiagonalEdge(TDC* dc, const RECT& r, UINT edge, UINT flags) {
  const int w = r.right - r.left, h = r.bottom - r.top, n = std::min(w, h);
  const bool toRight = (flags & BF_RIGHT) != 0, toTop = (flags & BF_TOP) != 0;
  auto line = [&](int shift, int colour) {
    for (int i = 0; i < n; ++i) {
      const int x = toRight ? r.left + i : r.right - 1 - i;
      const int y = toTop ? r.bottom - 1 - i : r.top + i;
      const int yy = y + (toTop ? -shift : shift);
      if (yy >= r.top && yy < r.bottom) Dot(dc, x, yy, GdiSysColor(colour));
    }
  };
  if (edge & BDR_OUTER) line(0, OuterColours(edge, flags).bottomRight);
  if (edge & BDR_INNER) line(1, InnerColours(edge, flags).bottomRight);
}

// --- Glyphs ---

// A glyph given as rows of '#' drawn at (x, y).
void Glyph(TDC* dc, int x, int y, std::initializer_list<const char*> rows, COLORREF c) {
  int row = 0;
  for (const char* line : rows) {
    for (int i = 0; line[i]; ++i)
      if (line[i] == '#') Dot(dc, x + i, y + row, c);
    ++row;
  }
}

void CheckMark(TDC* dc, int x, int y, COLORREF c) {
  Glyph(dc, x, y, {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}, c);
}

// A solid triangle pointing `dir` (0 up, 1 down, 2 left, 3 right), centred in `r`.
void Arrow(TDC* dc, const RECT& r, int dir, COLORREF c) {
  const int size = std::min(r.right - r.left, r.bottom - r.top);
  const int depth = std::max(2, (size + 1) / 4), base = depth * 2 - 1;
  const bool vertical = dir < 2;
  const int bw = vertical ? base : depth, bh = vertical ? depth : base;
  const int x0 = r.left + (r.right - r.left - bw) / 2, y0 = r.top + (r.bottom - r.top - bh) / 2;
  for (int i = 0; i < depth; ++i) {
    const int len = (dir == 0 || dir == 2) ? 2 * i + 1 : base - 2 * i;
    const int off = (base - len) / 2;
    if (vertical)
      Fill(dc, {x0 + off, y0 + i, x0 + off + len, y0 + i + 1}, c);
    else
      Fill(dc, {x0 + i, y0 + off, x0 + i + 1, y0 + off + len}, c);
  }
}

// Glyphs that dim when inactive: the highlight copy one pixel down-right, then the shadow.
template <class Draw>
void StateGlyph(UINT state, Draw draw) {
  if (state & DFCS_INACTIVE) {
    draw(1, GdiSysColor(COLOR_3DHILIGHT));
    draw(0, GdiSysColor(COLOR_BTNSHADOW));
  } else {
    draw(0, GdiSysColor(COLOR_BTNTEXT));
  }
}

void ButtonFace(TDC* dc, RECT& r, UINT state) {
  const bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
  if (state & DFCS_MONO) {
    RECT b = r;
    DrawEdge(static_cast<HDC>(HandleOf(dc)), &b, BDR_OUTER, BF_RECT | BF_MONO | BF_MIDDLE | BF_ADJUST);
    r = b;
    return;
  }
  if (state & DFCS_FLAT) {
    RECT b = r;
    DrawEdge(static_cast<HDC>(HandleOf(dc)), &b, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
             BF_RECT | BF_MIDDLE | BF_ADJUST | (down ? 0 : BF_FLAT));
    r = b;
    return;
  }
  RECT b = r;
  DrawEdge(static_cast<HDC>(HandleOf(dc)), &b, down ? EDGE_SUNKEN : EDGE_RAISED,
           BF_RECT | BF_SOFT | BF_ADJUST);
  if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED))
    Dither(dc, b, GdiSysColor(COLOR_BTNHIGHLIGHT), GdiSysColor(COLOR_BTNFACE));
  else
    FillSys(dc, b, COLOR_BTNFACE);
  r = b;
}

RECT CentredSquare(const RECT& r, int size) {
  const int x = r.left + (r.right - r.left - size) / 2, y = r.top + (r.bottom - r.top - size) / 2;
  return {x, y, x + size, y + size};
}

void CheckBox(TDC* dc, const RECT& r, UINT state) {
  const int size = std::min(r.right - r.left, r.bottom - r.top);
  RECT box = CentredSquare(r, size);
  const HDC h = static_cast<HDC>(HandleOf(dc));
  if (state & (DFCS_FLAT | DFCS_MONO)) {
    DrawEdge(h, &box, BDR_OUTER, BF_RECT | BF_ADJUST | ((state & DFCS_MONO) ? BF_MONO : BF_FLAT));
  } else {
    DrawEdge(h, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  const bool threeState = (state & DFCS_BUTTON3STATE) == DFCS_BUTTON3STATE;
  const bool grey = state & (DFCS_PUSHED | DFCS_INACTIVE);
  if (threeState && (state & DFCS_CHECKED))
    Dither(dc, box, GdiSysColor(COLOR_BTNHIGHLIGHT), GdiSysColor(COLOR_BTNFACE));
  else
    FillSys(dc, box, grey ? COLOR_BTNFACE : COLOR_WINDOW);
  if (state & DFCS_CHECKED) {
    const int mark = (threeState || (state & DFCS_INACTIVE)) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
    CheckMark(dc, box.left + (box.right - box.left - 7) / 2, box.top + (box.bottom - box.top - 7) / 2,
              GdiSysColor(mark));
  }
}

void Radio(TDC* dc, const RECT& r, UINT state) {
  const int size = std::min(r.right - r.left, r.bottom - r.top);
  const RECT box = CentredSquare(r, std::max(size - 1, 1));
  const int kind = state & 0xFF;
  RECT s = box;
  OffsetRect(&s, dc->Dx(), dc->Dy());
  auto inset = [](RECT q, int n) { return RECT{q.left + n, q.top + n, q.right - n, q.bottom - n}; };
  auto fill = [&](const GdiRegion& g, COLORREF c) {
    Pixel p = ColorToPixel(c);
    if (dc->Target() && dc->Target()->Monochrome()) p = ToMono(p);
    FillRegionRop(dc, g, PatternSource(p), 0xF0);
  };
  const GdiRegion outer = GdiRegion::Ellipse(s), mid = GdiRegion::Ellipse(inset(s, 1)),
                  core = GdiRegion::Ellipse(inset(s, 2));
  if (kind & DFCS_BUTTONRADIOMASK) {
    // The mask: black disc on white.
    fill(GdiRegion(s) - outer, RGB(255, 255, 255));
    fill(outer, RGB(0, 0, 0));
    return;
  }
  // Top-left half (above the anti-diagonal) and bottom-right half of each ring.
  GdiRegion topLeft;
  for (int i = 0; i < s.bottom - s.top; ++i)
    topLeft |= GdiRegion(s.left, s.top + i, s.right - i - 1, s.top + i + 1);
  const GdiRegion ringOut = outer - mid, ringIn = mid - core;
  const bool flat = state & (DFCS_FLAT | DFCS_MONO);
  if (flat) {
    fill(ringOut, GdiSysColor((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));
    fill(mid, GdiSysColor((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW));
  } else {
    fill(ringOut & topLeft, GdiSysColor(COLOR_3DSHADOW));
    fill(ringOut - topLeft, GdiSysColor(COLOR_3DHILIGHT));
    fill(ringIn & topLeft, GdiSysColor(COLOR_3DDKSHADOW));
    fill(ringIn - topLeft, GdiSysColor(COLOR_3DLIGHT));
    fill(core, GdiSysColor((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW));
  }
  if (state & DFCS_CHECKED) {
    // A rounded dot: a square without its corner pixels.
    const RECT dot = CentredSquare(s, std::max(2, (s.right - s.left) / 3));
    GdiRegion g(dot);
    if (dot.right - dot.left >= 4)
      for (const RECT& corner : {RECT{dot.left, dot.top, dot.left + 1, dot.top + 1},
                                 RECT{dot.right - 1, dot.top, dot.right, dot.top + 1},
                                 RECT{dot.left, dot.bottom - 1, dot.left + 1, dot.bottom},
                                 RECT{dot.right - 1, dot.bottom - 1, dot.right, dot.bottom}})
        g -= GdiRegion(corner);
    fill(g, GdiSysColor((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
  }
}

void CaptionGlyph(TDC* dc, const RECT& r, UINT kind, int shift, COLORREF c) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int gw = std::max(4, (w - 4) * 2 / 3), gh = std::max(4, h - 6);
  const int x = r.left + (w - gw) / 2 + shift, y = r.top + (h - gh) / 2 + shift;
  switch (kind) {
    case DFCS_CAPTIONCLOSE: {
      const int n = std::min(gw, gh);
      for (int i = 0; i < n; ++i) {
        Fill(dc, {x + i, y + i, x + i + 2, y + i + 1}, c);
        Fill(dc, {x + n - 2 - i, y + i, x + n - i, y + i + 1}, c);
      }
      break;
    }
    case DFCS_CAPTIONMIN:
      Fill(dc, {x, y + gh - 2, x + std::max(2, gw - 2), y + gh}, c);
      break;
    case DFCS_CAPTIONMAX:
      Fill(dc, {x, y, x + gw, y + 2}, c);
      Fill(dc, {x, y, x + 1, y + gh}, c);
      Fill(dc, {x + gw - 1, y, x + gw, y + gh}, c);
      Fill(dc, {x, y + gh - 1, x + gw, y + gh}, c);
      break;
    case DFCS_CAPTIONRESTORE: {
      const int bw = gw * 2 / 3, bh = gh * 2 / 3;
      for (const POINT o : {POINT{gw - bw, 0}, POINT{0, gh - bh}}) {
        const int bx = x + o.x, by = y + o.y;
        Fill(dc, {bx, by, bx + bw, by + 2}, c);
        Fill(dc, {bx, by, bx + 1, by + bh}, c);
        Fill(dc, {bx + bw - 1, by, bx + bw, by + bh}, c);
        Fill(dc, {bx, by + bh - 1, bx + bw, by + bh}, c);
      }
      break;
    }
    case DFCS_CAPTIONHELP:
      Glyph(dc, x + (gw - 5) / 2, y + (gh - 8) / 2,
            {".###.", "##.##", "...##", "..##.", "..##.", ".....", "..##.", "..##."}, c);
      break;
  }
}

void SizeGrip(TDC* dc, const RECT& r, UINT state) {
  if (!(state & DFCS_TRANSPARENT)) FillSys(dc, r, COLOR_BTNFACE);
  const int n = std::min(r.right - r.left, r.bottom - r.top);
  for (int y = r.bottom - n; y < r.bottom; ++y)
    for (int x = r.right - n; x < r.right; ++x) {
      const int t = (r.right - 1 - x) + (r.bottom - 1 - y);
      if (t < 1 || t >= n - 1) continue;
      const int phase = (t - 1) % 4;
      if (t > 12) continue;
      if (phase == 0) Dot(dc, x, y, GdiSysColor(COLOR_3DHILIGHT));
      if (phase == 1 || phase == 2) Dot(dc, x, y, GdiSysColor(COLOR_3DSHADOW));
    }
}

ResourceBitmapLoader resourceLoader = nullptr;

}  // namespace

BOOL DrawEdge(HDC h, RECT* rect, UINT edge, UINT flags) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !rect) return 0;
  if (flags & BF_DIAGONAL) {
    DiagonalEdge(dc, *rect, edge, flags);
    return 1;
  }
  RECT r = *rect;
  if (edge & BDR_OUTER) Border(dc, r, OuterColours(edge, flags), flags & BF_RECT);
  if (edge & BDR_INNER) Border(dc, r, InnerColours(edge, flags), flags & BF_RECT);
  if ((flags & BF_MIDDLE) && !IsRectEmpty(&r))
    FillSys(dc, r, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
  if (flags & BF_ADJUST) *rect = r;
  return 1;
}

BOOL DrawFrameControl(HDC h, RECT* rect, UINT type, UINT state) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !rect) return 0;
  RECT r = *rect;
  const UINT kind = state & 0xFF;
  switch (type) {
    case DFC_BUTTON:
      if (kind & DFCS_BUTTONPUSH) {
        ButtonFace(dc, r, state);
        if (state & DFCS_ADJUSTRECT) *rect = r;
      } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
        Radio(dc, r, state);
      } else {
        CheckBox(dc, r, state);
      }
      return 1;
    case DFC_CAPTION: {
      ButtonFace(dc, r, state & ~DFCS_CHECKED);
      const int shift = (state & DFCS_PUSHED) ? 1 : 0;
      StateGlyph(state, [&](int off, COLORREF c) { CaptionGlyph(dc, *rect, kind, shift + off, c); });
      return 1;
    }
    case DFC_SCROLL: {
      if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
        SizeGrip(dc, r, state);
        return 1;
      }
      ButtonFace(dc, r, state & ~DFCS_CHECKED);
      const int dir = kind == DFCS_SCROLLUP      ? 0
                      : kind == DFCS_SCROLLLEFT  ? 2
                      : kind == DFCS_SCROLLRIGHT ? 3
                                                 : 1;
      const int shift = (state & DFCS_PUSHED) ? 1 : 0;
      StateGlyph(state, [&](int off, COLORREF c) {
        RECT g = *rect;
        OffsetRect(&g, shift + off, shift + off);
        Arrow(dc, g, dir, c);
      });
      return 1;
    }
    case DFC_MENU:
    case DFC_POPUPMENU: {
      // Menu glyphs are masks: black on white.
      Fill(dc, r, RGB(255, 255, 255));
      const COLORREF black = RGB(0, 0, 0);
      const int w = r.right - r.left, hgt = r.bottom - r.top;
      switch (kind) {
        case DFCS_MENUCHECK:
          CheckMark(dc, r.left + (w - 7) / 2, r.top + (hgt - 7) / 2, black);
          break;
        case DFCS_MENUBULLET: {
          const RECT dot = CentredSquare(r, std::max(2, std::min(w, hgt) / 3));
          Fill(dc, dot, black);
          break;
        }
        case DFCS_MENUARROWRIGHT:
          Arrow(dc, r, 2, black);
          break;
        default:
          Arrow(dc, r, 3, black);
          break;
      }
      return 1;
    }
    default:
      return 0;
  }
}

// --- System bitmaps ---

namespace {

HBITMAP Paint(int width, int height, bool mono, void (*paint)(HDC dc, int width, int height)) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  paint(dc, width, height);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bm;
}

template <UINT Type, UINT State>
void FrameControlBitmap(HDC dc, int w, int h) {
  RECT r{0, 0, w, h};
  DrawFrameControl(dc, &r, Type, State);
}

void CheckBoxes(HDC dc, int, int) {
  const UINT rows[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
  const UINT cols[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
  RECT all{0, 0, 52, 39};
  FillRect(dc, &all, reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1)));
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col) {
      RECT cell{col * 13, row * 13, col * 13 + 13, row * 13 + 13};
      DrawFrameControl(dc, &cell, DFC_BUTTON, rows[row] | cols[col]);
    }
}

}  // namespace

HBITMAP LoadBitmap(HINSTANCE instance, LPCWSTR name) {
  if (instance || !IS_INTRESOURCE(name)) return resourceLoader ? resourceLoader(instance, name) : nullptr;
  switch (static_cast<int>(reinterpret_cast<std::uintptr_t>(name))) {
    case OBM_CHECKBOXES:
      return Paint(52, 39, false, CheckBoxes);
    case OBM_CHECK:
      return Paint(13, 13, true, FrameControlBitmap<DFC_MENU, DFCS_MENUCHECK>);
    case OBM_MNARROW:
      return Paint(13, 13, true, FrameControlBitmap<DFC_MENU, DFCS_MENUARROW>);
    case OBM_UPARROW:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLUP>);
    case OBM_DNARROW:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLDOWN>);
    case OBM_LFARROW:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLLEFT>);
    case OBM_RGARROW:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLRIGHT>);
    case OBM_UPARROWD:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED>);
    case OBM_DNARROWD:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED>);
    case OBM_LFARROWD:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_PUSHED>);
    case OBM_RGARROWD:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_PUSHED>);
    case OBM_UPARROWI:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE>);
    case OBM_DNARROWI:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE>);
    case OBM_LFARROWI:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_INACTIVE>);
    case OBM_RGARROWI:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_INACTIVE>);
    case OBM_COMBO:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLCOMBOBOX>);
    case OBM_CLOSE:
      return Paint(16, 14, false, FrameControlBitmap<DFC_CAPTION, DFCS_CAPTIONCLOSE>);
    case OBM_REDUCE:
      return Paint(16, 14, false, FrameControlBitmap<DFC_CAPTION, DFCS_CAPTIONMIN>);
    case OBM_ZOOM:
      return Paint(16, 14, false, FrameControlBitmap<DFC_CAPTION, DFCS_CAPTIONMAX>);
    case OBM_RESTORE:
      return Paint(16, 14, false, FrameControlBitmap<DFC_CAPTION, DFCS_CAPTIONRESTORE>);
    case OBM_REDUCED:
      return Paint(16, 14, false, FrameControlBitmap<DFC_CAPTION, DFCS_CAPTIONMIN | DFCS_PUSHED>);
    case OBM_ZOOMD:
      return Paint(16, 14, false, FrameControlBitmap<DFC_CAPTION, DFCS_CAPTIONMAX | DFCS_PUSHED>);
    case OBM_RESTORED:
      return Paint(16, 14, false, FrameControlBitmap<DFC_CAPTION, DFCS_CAPTIONRESTORE | DFCS_PUSHED>);
    case OBM_SIZE:
    case OBM_BTSIZE:
      return Paint(16, 16, false, FrameControlBitmap<DFC_SCROLL, DFCS_SCROLLSIZEGRIP>);
    default:
      return nullptr;
  }
}

void SetResourceBitmapLoader(ResourceBitmapLoader loader) { resourceLoader = loader; }
