#include "platform/gdi/Text.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gdi/PixelOps.h"
#include "platform/gdi/TextImpl.h"
#include "platform/rtl/String.h"

namespace {

bool IsHigh(WCHAR c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(WCHAR c) { return c >= 0xDC00 && c <= 0xDFFF; }

char32_t CodePointAt(const WCHAR* text, int i, int length) {
  const WCHAR c = text[i];
  if (IsHigh(c) && i + 1 < length && IsLow(text[i + 1]))
    return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  return c;
}

int Length(const WCHAR* text, int length) {
  if (length >= 0 || !text) return std::max(length, 0);
  int n = 0;
  while (text[n]) ++n;
  return n;
}

// Coverage of text pixels over the destination, clipped.
void Composite(TDC* dc, const GdiRegion& clip, int left, int top, int width, int height,
               const unsigned char* coverage, int pitch, Pixel color, RECT& touched) {
  TSurface* s = dc->Target();
  const bool mono = s->Monochrome();
  const int cr = (color >> 16) & 0xFF, cg = (color >> 8) & 0xFF, cb = color & 0xFF;
  ForEachClipped(clip, RECT{left, top, left + width, top + height}, [&](const RECT& part) {
    UnionRect(&touched, &touched, &part);
    for (int y = part.top; y < part.bottom; ++y) {
      const unsigned char* cov = coverage + static_cast<std::ptrdiff_t>(y - top) * pitch - left;
      Pixel* row = s->Row(y);
      for (int x = part.left; x < part.right; ++x) {
        const unsigned a = cov[x];
        if (a == 0) continue;
        if (a == 255 || (mono && a >= 128)) {
          row[x] = color;
          continue;
        }
        if (mono) continue;
        const Pixel d = row[x];
        const int dr = (d >> 16) & 0xFF, dg = (d >> 8) & 0xFF, db = d & 0xFF;
        const int r = dr + ((cr - dr) * static_cast<int>(a) + 127) / 255;
        const int g = dg + ((cg - dg) * static_cast<int>(a) + 127) / 255;
        const int b = db + ((cb - db) * static_cast<int>(a) + 127) / 255;
        row[x] = 0xFF000000u | (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) |
                 static_cast<Pixel>(b);
      }
    }
  });
}

// Rotation of the text direction, in quarter turns counter-clockwise (escapement / 900).
int QuarterTurns(const LOGFONT& lf) {
  const int e = ((static_cast<int>(lf.lfEscapement) % 3600) + 3600) % 3600;
  return (e + 450) / 900 % 4;
}

}  // namespace

int UnitAdvance(TFontInstance& font, const WCHAR* text, int i, int length) {
  if (IsLow(text[i]) && i > 0 && IsHigh(text[i - 1])) return 0;
  return font.Advance(CodePointAt(text, i, length));
}

void RunAdvances(TDC* dc, TFontInstance& font, const WCHAR* text, int length, std::vector<int>& out) {
  out.resize(length);
  const int extra = dc->st.textCharExtra;
  int breaks = dc->st.breakCount, breakExtra = dc->st.breakExtra;
  for (int i = 0; i < length; ++i) {
    int a = UnitAdvance(font, text, i, length);
    if (a > 0 || !IsLow(text[i])) a += extra;
    if (text[i] == u' ' && breaks > 0) {
      // The remainder goes to the first breaks, as the platform spreads it.
      const int share = breakExtra / breaks + (breakExtra % breaks ? 1 : 0);
      a += share;
      breakExtra -= share;
      --breaks;
    }
    out[i] = a;
  }
}

int RunWidth(TDC* dc, TFontInstance& font, const WCHAR* text, int length) {
  if (dc->st.textCharExtra == 0 && dc->st.breakCount == 0) {
    int w = 0;
    for (int i = 0; i < length; ++i) w += UnitAdvance(font, text, i, length);
    return w;
  }
  std::vector<int> adv;
  RunAdvances(dc, font, text, length, adv);
  int w = 0;
  for (int a : adv) w += a;
  return w;
}

int PaintRun(TDC* dc, const WCHAR* text, int length, const RunPaint& how) {
  TFontObject* fontObject = CurrentFont(dc);
  TSurface* s = dc->Target();
  if (!fontObject || !s) return 0;
  TFontInstance& font = fontObject->Instance();
  const LOGFONT& lf = fontObject->logFont;
  const FontMetrics& m = font.Metrics();
  std::vector<int> measured;
  const int* adv = how.advances;
  if (!adv) {
    RunAdvances(dc, font, text, length, measured);
    adv = measured.data();
  }
  int width = 0;
  for (int i = 0; i < length; ++i) width += adv[i];

  // The DC's clip, narrowed by the run's own rectangle when it has one.
  GdiRegion narrowed;
  const GdiRegion* clipRegion = &dc->Clip();
  if (how.clip) {
    narrowed = *clipRegion & ToSurfaceRect(dc, *how.clip);
    clipRegion = &narrowed;
  }
  const GdiRegion& clip = *clipRegion;
  if (clip.IsEmpty()) return width;
  const Pixel color =
      s->Monochrome() ? ToMono(ColorToPixel(dc->st.textColor)) : ColorToPixel(dc->st.textColor);
  const int turns = QuarterTurns(lf);
  RECT touched{};

  if (turns == 0) {
    const int sx = how.x + dc->Dx(), sy = how.top + dc->Dy();
    if (how.fillBackground) {
      const Pixel bk = s->Monochrome() ? ToMono(ColorToPixel(dc->st.bkColor)) : ColorToPixel(dc->st.bkColor);
      ForEachClipped(clip, RECT{sx, sy, sx + width, sy + m.height}, [&](const RECT& part) {
        UnionRect(&touched, &touched, &part);
        for (int y = part.top; y < part.bottom; ++y)
          std::fill(s->Row(y) + part.left, s->Row(y) + part.right, bk);
      });
    }
    const int baseline = sy + m.ascent;
    int pen = sx;
    for (int i = 0; i < length; ++i) {
      if (!how.underlineOnly && !(IsLow(text[i]) && i > 0 && IsHigh(text[i - 1]))) {
        if (const GlyphBitmap* g = font.Glyph(CodePointAt(text, i, length)))
          Composite(dc, clip, pen + g->left, baseline - g->top, g->width, g->height, g->coverage.data(),
                    g->width, color, touched);
      }
      if (how.underline && i < static_cast<int>(how.underline->size()) && (*how.underline)[i]) {
        std::vector<unsigned char> line(static_cast<std::size_t>(std::max(adv[i], 0)) * m.underlineThickness,
                                        255);
        if (!line.empty())
          Composite(dc, clip, pen, baseline + m.underlinePosition, adv[i], m.underlineThickness, line.data(),
                    adv[i], color, touched);
      }
      pen += adv[i];
    }
    if (!how.underlineOnly && width > 0) {
      std::vector<unsigned char> line(
          static_cast<std::size_t>(width) * std::max(m.underlineThickness, m.strikeoutThickness), 255);
      if (lf.lfUnderline)
        Composite(dc, clip, sx, baseline + m.underlinePosition, width, m.underlineThickness, line.data(),
                  width, color, touched);
      if (lf.lfStrikeOut)
        Composite(dc, clip, sx, baseline - m.strikeoutPosition, width, m.strikeoutThickness, line.data(),
                  width, color, touched);
    }
  } else {
    // Rotated text: the run is rendered upright into a coverage buffer, then turned onto the surface.
    const int bw = std::max(width, 1), bh = m.height;
    std::vector<unsigned char> buf(static_cast<std::size_t>(bw) * bh, 0);
    auto put = [&](int left, int top, int w, int h, const unsigned char* cov, int pitch) {
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const int bx = left + x, by = top + y;
          if (bx < 0 || by < 0 || bx >= bw || by >= bh) continue;
          unsigned char& d = buf[static_cast<std::size_t>(by) * bw + bx];
          d = std::max(d, cov[y * pitch + x]);
        }
    };
    int pen = 0;
    for (int i = 0; i < length; ++i) {
      if (!(IsLow(text[i]) && i > 0 && IsHigh(text[i - 1])))
        if (const GlyphBitmap* g = font.Glyph(CodePointAt(text, i, length)))
          put(pen + g->left, m.ascent - g->top, g->width, g->height, g->coverage.data(), g->width);
      pen += adv[i];
    }
    std::vector<unsigned char> line(static_cast<std::size_t>(bw) * 4, 255);
    if (lf.lfUnderline) put(0, m.ascent + m.underlinePosition, width, m.underlineThickness, line.data(), 0);
    if (lf.lfStrikeOut) put(0, m.ascent - m.strikeoutPosition, width, m.strikeoutThickness, line.data(), 0);
    // Turned buffer in surface space.
    const int tw = turns % 2 ? bh : bw, th = turns % 2 ? bw : bh;
    std::vector<unsigned char> out(static_cast<std::size_t>(tw) * th, 0);
    for (int v = 0; v < bh; ++v)
      for (int u = 0; u < bw; ++u) {
        int ox = u, oy = v;
        switch (turns) {
          case 1:
            ox = v, oy = bw - 1 - u;
            break;  // text runs upwards
          case 2:
            ox = bw - 1 - u, oy = bh - 1 - v;
            break;  // upside down
          case 3:
            ox = bh - 1 - v, oy = u;
            break;  // text runs downwards
        }
        out[static_cast<std::size_t>(oy) * tw + ox] = buf[static_cast<std::size_t>(v) * bw + u];
      }
    // The reference point is the cell's top-left corner in text space.
    int left = how.x + dc->Dx(), top = how.top + dc->Dy();
    switch (turns) {
      case 1:
        top -= bw;
        break;
      case 2:
        left -= bw, top -= bh;
        break;
      case 3:
        left -= bh;
        break;
    }
    Composite(dc, clip, left, top, tw, th, out.data(), tw, color, touched);
  }
  if (!IsRectEmpty(&touched)) Damage(dc, touched);
  return width;
}

// --- Metrics ---

BOOL GetTextMetrics(HDC h, TEXTMETRIC* tm) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !tm) return 0;
  TFontObject* f = CurrentFont(dc);
  const FontMetrics& m = f->Instance().Metrics();
  *tm = TEXTMETRIC{};
  tm->tmHeight = m.height;
  tm->tmAscent = m.ascent;
  tm->tmDescent = m.descent;
  tm->tmInternalLeading = m.internalLeading;
  tm->tmExternalLeading = m.externalLeading;
  tm->tmAveCharWidth = m.aveCharWidth;
  tm->tmMaxCharWidth = m.maxCharWidth;
  tm->tmWeight = f->logFont.lfWeight ? f->logFont.lfWeight : FW_NORMAL;
  tm->tmItalic = f->logFont.lfItalic;
  tm->tmUnderlined = f->logFont.lfUnderline;
  tm->tmStruckOut = f->logFont.lfStrikeOut;
  tm->tmCharSet = f->logFont.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : f->logFont.lfCharSet;
  tm->tmPitchAndFamily = static_cast<BYTE>((m.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                           TMPF_TRUETYPE | (f->logFont.lfPitchAndFamily & 0xF0));
  return 1;
}

String GetTextFaceName(HDC h) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return {};
  TFontObject* f = CurrentFont(dc);
  String name = LogFontFaceName(f->logFont);
  return name.empty() ? Utf8ToString(f->Instance().FamilyName()) : name;
}

int GetTextFace(HDC h, int count, WCHAR* name) {
  if (!DCFromHandle(h)) return 0;
  const String face = GetTextFaceName(h);
  if (!name) return static_cast<int>(face.size()) + 1;
  if (count <= 0) return 0;
  const int n = std::min<int>(count - 1, static_cast<int>(face.size()));
  std::copy_n(face.data(), n, name);
  name[n] = 0;
  return n;
}

BOOL GetTextExtentPoint32(HDC h, const WCHAR* text, int length, SIZE* size) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !size || length < 0 || (length > 0 && !text)) return 0;
  TFontInstance& font = CurrentFont(dc)->Instance();
  *size = {RunWidth(dc, font, text, length), font.Metrics().height};
  return 1;
}

SIZE TextExtent(HDC dc, const String& text) {
  SIZE s{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &s);
  return s;
}

BOOL GetTextExtentExPoint(HDC h, const WCHAR* text, int length, int maxExtent, int* fit, int* dx,
                          SIZE* size) {
  TDC* dc = DCFromHandle(h);
  if (!dc || length < 0 || (length > 0 && !text)) return 0;
  TFontInstance& font = CurrentFont(dc)->Instance();
  std::vector<int> adv;
  RunAdvances(dc, font, text, length, adv);
  int total = 0, fitted = 0;
  bool stopped = false;
  for (int i = 0; i < length; ++i) {
    total += adv[i];
    if (dx) dx[i] = total;
    if (!stopped && total <= maxExtent)
      fitted = i + 1;
    else
      stopped = true;
  }
  if (fit) *fit = fitted;
  if (size) *size = {total, font.Metrics().height};
  return 1;
}

BOOL GetCharWidth32(HDC h, UINT first, UINT last, int* widths) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !widths || last < first) return 0;
  TFontInstance& font = CurrentFont(dc)->Instance();
  for (UINT c = first; c <= last; ++c) widths[c - first] = font.Advance(static_cast<char32_t>(c));
  return 1;
}

UINT SetTextAlign(HDC h, UINT align) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return GDI_ERROR;
  return std::exchange(dc->st.textAlign, align);
}

UINT GetTextAlign(HDC h) {
  TDC* dc = DCFromHandle(h);
  return dc ? dc->st.textAlign : GDI_ERROR;
}

int SetTextCharacterExtra(HDC h, int extra) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return static_cast<int>(0x80000000);
  return std::exchange(dc->st.textCharExtra, extra);
}

int GetTextCharacterExtra(HDC h) {
  TDC* dc = DCFromHandle(h);
  return dc ? dc->st.textCharExtra : static_cast<int>(0x80000000);
}

BOOL SetTextJustification(HDC h, int breakExtra, int breakCount) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  dc->st.breakExtra = breakCount > 0 ? breakExtra : 0;
  dc->st.breakCount = std::max(breakCount, 0);
  return 1;
}

// --- Output ---

BOOL ExtTextOut(HDC h, int x, int y, UINT options, const RECT* rect, const WCHAR* text, UINT length,
                const int* dx) {
  TDC* dc = DCFromHandle(h);
  if (!dc || (length > 0 && !text)) return 0;
  TFontObject* f = CurrentFont(dc);
  const FontMetrics& m = f->Instance().Metrics();
  if (rect && (options & ETO_OPAQUE)) {
    FillRectRop(dc, ToSurfaceRect(dc, *rect), PatternSource(ColorToPixel(dc->st.bkColor)), 0xF0);
  }
  if (length == 0) return 1;
  std::vector<int> adv;
  if (dx)
    adv.assign(dx, dx + length);
  else
    RunAdvances(dc, f->Instance(), text, static_cast<int>(length), adv);
  int width = 0;
  for (int a : adv) width += a;
  const UINT align = dc->st.textAlign;
  if (align & TA_UPDATECP) {
    x = dc->st.curPos.x;
    y = dc->st.curPos.y;
  }
  int left = x;
  switch (align & TA_CENTER) {
    case TA_RIGHT:
      left = x - width;
      break;
    case TA_CENTER:
      left = x - width / 2;
      break;
  }
  int top = y;
  if ((align & TA_BASELINE) == TA_BASELINE)
    top = y - m.ascent;
  else if (align & TA_BOTTOM)
    top = y - m.height;
  RunPaint how;
  how.x = left;
  how.top = top;
  how.advances = adv.data();
  how.clip = rect && (options & ETO_CLIPPED) ? rect : nullptr;
  how.fillBackground = dc->st.bkMode == OPAQUE && !(rect && (options & ETO_OPAQUE));
  PaintRun(dc, text, static_cast<int>(length), how);
  if (align & TA_UPDATECP) {
    if ((align & TA_CENTER) == TA_LEFT) dc->st.curPos.x = x + width;
    if ((align & TA_CENTER) == TA_RIGHT) dc->st.curPos.x = x - width;
  }
  return 1;
}

BOOL TextOut(HDC h, int x, int y, const WCHAR* text, int length) {
  if (length < 0) return 0;
  return ExtTextOut(h, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

namespace {

// Tabbed text: runs between tabs measured or drawn; returns the total width.
LONG Tabbed(HDC h, int x, int y, const WCHAR* text, int length, int count, const int* positions,
            int tabOrigin, bool draw) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  TFontInstance& font = CurrentFont(dc)->Instance();
  const int defaultTab = 8 * font.Metrics().aveCharWidth;
  auto nextStop = [&](int pos) {
    const int rel = pos - tabOrigin;
    if (count <= 0 || !positions) return tabOrigin + (rel / defaultTab + 1) * defaultTab;
    for (int i = 0; i < count; ++i)
      if (std::abs(positions[i]) > rel) return tabOrigin + std::abs(positions[i]);
    const int last = count == 1 ? std::abs(positions[0]) : defaultTab;
    return tabOrigin + (last > 0 ? (rel / last + 1) * last : rel + 1);
  };
  int pen = x;
  int start = 0;
  for (int i = 0; i <= length; ++i) {
    if (i < length && text[i] != u'\t') continue;
    const int n = i - start;
    if (n > 0) {
      if (draw) {
        RunPaint how;
        how.x = pen;
        how.top = y;
        how.fillBackground = dc->st.bkMode == OPAQUE;
        pen += PaintRun(dc, text + start, n, how);
      } else {
        pen += RunWidth(dc, font, text + start, n);
      }
    }
    if (i < length) pen = std::max(nextStop(pen), pen);
    start = i + 1;
  }
  return MAKELONG(static_cast<WORD>(pen - x), static_cast<WORD>(font.Metrics().height));
}

}  // namespace

LONG TabbedTextOut(HDC h, int x, int y, const WCHAR* text, int length, int count, const int* positions,
                   int tabOrigin) {
  return Tabbed(h, x, y, text, Length(text, length), count, positions, tabOrigin, true);
}

DWORD GetTabbedTextExtent(HDC h, const WCHAR* text, int length, int count, const int* positions) {
  return static_cast<DWORD>(Tabbed(h, 0, 0, text, Length(text, length), count, positions, 0, false));
}
