#include "platform/forms/ButtonFace.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"

void DrawButtonFace(HDC dc, RECT client, const TButtonFace& f) {
  const String text = f.Caption ? *f.Caption : String();
  int glyphW = 0, glyphH = 0;
  if (f.Glyph && !f.Glyph->Empty()) {
    glyphW = f.Glyph->Width() / std::max(1, f.NumGlyphs);
    glyphH = f.Glyph->Height();
  }
  SIZE textSize{};
  RECT measure{0, 0, client.right - client.left, 0};
  if (!text.empty()) {
    DrawText(dc, text, &measure, DT_CALCRECT | DT_SINGLELINE);
    textSize = {measure.right - measure.left, measure.bottom - measure.top};
  }
  int w = client.right - client.left, h = client.bottom - client.top;
  bool horizontal = f.Layout == blGlyphLeft || f.Layout == blGlyphRight;
  int gap = (glyphW && textSize.cx) ? f.Spacing : 0;
  int total = horizontal ? glyphW + gap + textSize.cx : glyphH + gap + textSize.cy;
  int extent = horizontal ? w : h;
  int start = f.Margin < 0 ? (extent - total) / 2 : f.Margin;
  POINT glyphPos, textPos;
  if (horizontal) {
    glyphPos.y = (h - glyphH) / 2;
    textPos.y = (h - textSize.cy) / 2;
    if (f.Layout == blGlyphLeft) {
      glyphPos.x = start;
      textPos.x = start + glyphW + gap;
    } else {
      textPos.x = f.Margin < 0 ? start : extent - f.Margin - total;
      glyphPos.x = textPos.x + textSize.cx + gap;
    }
  } else {
    glyphPos.x = (w - glyphW) / 2;
    textPos.x = (w - textSize.cx) / 2;
    if (f.Layout == blGlyphTop) {
      glyphPos.y = start;
      textPos.y = start + glyphH + gap;
    } else {
      textPos.y = f.Margin < 0 ? start : extent - f.Margin - total;
      glyphPos.y = textPos.y + textSize.cy + gap;
    }
  }
  int offset = f.Pressed ? 1 : 0;
  if (glyphW) {
    const int index = std::clamp(f.GlyphIndex, 0, std::max(1, f.NumGlyphs) - 1);
    HDC src = f.Glyph->Canvas()->Handle();
    COLORREF key = GetPixel(src, 0, glyphH - 1);
    TransparentBlt(dc, client.left + glyphPos.x + offset, client.top + glyphPos.y + offset, glyphW, glyphH,
                   src, index * glyphW, 0, glyphW, glyphH, key);
  }
  if (!text.empty()) {
    RECT tr{client.left + textPos.x + offset, client.top + textPos.y + offset, 0, 0};
    tr.right = tr.left + textSize.cx;
    tr.bottom = tr.top + textSize.cy;
    SetBkMode(dc, TRANSPARENT);
    if (f.Disabled) {
      OffsetRect(&tr, 1, 1);
      SetTextColor(dc, ColorToColorRef(clBtnHighlight));
      DrawText(dc, text, &tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
      OffsetRect(&tr, -1, -1);
      SetTextColor(dc, ColorToColorRef(clBtnShadow));
    } else {
      SetTextColor(dc, ColorToColorRef(f.TextColor));
    }
    DrawText(dc, text, &tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}
