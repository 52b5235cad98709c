// DrawText: prefixes, tabs, line and word breaking, ellipses, alignment and clipping.
#include <algorithm>
#include <vector>

#include "platform/gdi/Text.h"
#include "platform/gdi/TextImpl.h"

namespace {

struct Line {
  std::u16string text;
  std::vector<bool> underline;  // per unit: '&' prefix marks
};

struct Layout {
  TDC* dc;
  TFontInstance& font;
  UINT format;
  int tabWidth;

  // Width of a line with tabs expanded when asked.
  int Width(const std::u16string& s) const {
    if (!(format & DT_EXPANDTABS) || s.find(u'\t') == std::u16string::npos)
      return RunWidth(dc, font, s.data(), static_cast<int>(s.size()));
    int pen = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
      if (i < s.size() && s[i] != u'\t') continue;
      pen += RunWidth(dc, font, s.data() + start, static_cast<int>(i - start));
      if (i < s.size() && tabWidth > 0) pen = (pen / tabWidth + 1) * tabWidth;
      start = i + 1;
    }
    return pen;
  }
};

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

// Removes '&' prefixes: "&&" is one '&', "&x" marks x for underlining.
Line StripPrefixes(const char16_t* text, int length, bool process) {
  Line out;
  out.text.reserve(length);
  for (int i = 0; i < length; ++i) {
    if (process && text[i] == u'&') {
      if (i + 1 < length && text[i + 1] == u'&') {
        out.text.push_back(u'&');
        out.underline.push_back(false);
        ++i;
        continue;
      }
      if (i + 1 < length) {
        out.text.push_back(text[++i]);
        out.underline.push_back(true);
      }
      continue;
    }
    out.text.push_back(text[i]);
    out.underline.push_back(false);
  }
  return out;
}

Line Slice(const Line& l, std::size_t from, std::size_t to) {
  Line s;
  s.text = l.text.substr(from, to - from);
  s.underline.assign(l.underline.begin() + static_cast<std::ptrdiff_t>(from),
                     l.underline.begin() + static_cast<std::ptrdiff_t>(to));
  return s;
}

// Breaks one paragraph into lines no wider than `width`, at spaces; a word wider than the line stays
// whole unless `breakWords` (edit-control rules) splits it between characters.
void WrapParagraph(const Layout& layout, const Line& para, int width, bool breakWords,
                   std::vector<Line>& out) {
  const std::u16string& t = para.text;
  std::size_t start = 0;
  if (t.empty()) {
    out.push_back(para);
    return;
  }
  while (start < t.size()) {
    // The longest prefix [start, end) that fits, ending before a space.
    std::size_t lastBreak = std::u16string::npos;  // end of the last fitting word
    std::size_t i = start;
    std::size_t fitEnd = start;
    while (i < t.size()) {
      // Extend by one word (and the spaces before it).
      std::size_t j = i;
      while (j < t.size() && IsSpace(t[j])) ++j;
      while (j < t.size() && !IsSpace(t[j])) ++j;
      if (layout.Width(t.substr(start, j - start)) <= width) {
        fitEnd = j;
        lastBreak = j;
        i = j;
      } else {
        break;
      }
    }
    std::size_t end;
    if (lastBreak != std::u16string::npos && fitEnd > start) {
      end = fitEnd;
    } else {
      // The first word alone is too wide.
      std::size_t j = start;
      while (j < t.size() && IsSpace(t[j])) ++j;
      while (j < t.size() && !IsSpace(t[j])) ++j;
      end = j;
      if (breakWords) {
        std::size_t k = start + 1;
        while (k < end && layout.Width(t.substr(start, k + 1 - start)) <= width) ++k;
        end = k;
      }
    }
    // Spaces at the break are dropped.
    std::size_t lineEnd = end;
    while (lineEnd > start && IsSpace(t[lineEnd - 1]) && t[lineEnd - 1] == u' ') --lineEnd;
    out.push_back(Slice(para, start, lineEnd));
    start = end;
    while (start < t.size() && t[start] == u' ') ++start;
  }
}

const std::u16string kEllipsis = u"...";

Line WithEllipsis(const Line& l, std::size_t keep) {
  Line r = Slice(l, 0, keep);
  r.text += kEllipsis;
  r.underline.insert(r.underline.end(), kEllipsis.size(), false);
  return r;
}

// Shortens a line to fit, with "..." at the end (DT_END_ELLIPSIS, DT_WORD_ELLIPSIS) or in place of
// the middle of a path (DT_PATH_ELLIPSIS).
Line Ellipsize(const Layout& layout, const Line& l, int width, UINT format) {
  if (layout.Width(l.text) <= width) return l;
  const std::u16string& t = l.text;
  if (format & DT_PATH_ELLIPSIS) {
    const std::size_t sep = t.find_last_of(u"\\/");
    if (sep != std::u16string::npos && sep > 0) {
      const Line tail = Slice(l, sep, t.size());
      for (std::size_t keep = sep; keep-- > 0;) {
        Line r = WithEllipsis(l, keep);
        r.text += tail.text;
        r.underline.insert(r.underline.end(), tail.underline.begin(), tail.underline.end());
        if (layout.Width(r.text) <= width) return r;
      }
      // Not even the last part fits after "...": shorten it from its end.
      Line r;
      r.text = kEllipsis + tail.text;
      r.underline.assign(kEllipsis.size(), false);
      r.underline.insert(r.underline.end(), tail.underline.begin(), tail.underline.end());
      return Ellipsize(layout, r, width, DT_END_ELLIPSIS);
    }
  }
  const bool words = (format & DT_WORD_ELLIPSIS) && !(format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS));
  for (std::size_t keep = t.size(); keep-- > 0;) {
    if (words && keep > 0 && !IsSpace(t[keep]) && !IsSpace(t[keep - 1])) continue;
    std::size_t k = keep;
    while (k > 0 && t[k - 1] == u' ') --k;
    const Line r = WithEllipsis(l, k);
    if (layout.Width(r.text) <= width) return r;
  }
  return WithEllipsis(l, 0);
}

// Draws a line's runs between tabs; the underline marks follow the text.
void DrawLine(const Layout& layout, const Line& line, int x, int y, const RECT* clip, bool underlineOnly,
              bool hideUnderlines) {
  TDC* dc = layout.dc;
  const std::u16string& s = line.text;
  std::vector<bool> marks = hideUnderlines ? std::vector<bool>() : line.underline;
  int pen = 0;
  std::size_t start = 0;
  const bool tabs = layout.format & DT_EXPANDTABS;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i < s.size() && !(tabs && s[i] == u'\t')) continue;
    if (i > start) {
      std::vector<bool> part;
      if (!marks.empty())
        part.assign(marks.begin() + static_cast<std::ptrdiff_t>(start),
                    marks.begin() + static_cast<std::ptrdiff_t>(i));
      RunPaint how;
      how.x = x + pen;
      how.top = y;
      how.clip = clip;
      how.fillBackground = dc->st.bkMode == OPAQUE && !underlineOnly;
      how.underline = part.empty() ? nullptr : &part;
      how.underlineOnly = underlineOnly;
      pen += PaintRun(dc, s.data() + start, static_cast<int>(i - start), how);
    }
    if (i < s.size() && layout.tabWidth > 0) pen = (pen / layout.tabWidth + 1) * layout.tabWidth;
    start = i + 1;
  }
}

int DrawTextCore(HDC h, const WCHAR* text, int length, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !rect) return 0;
  if (length < 0) {
    length = 0;
    if (text)
      while (text[length]) ++length;
  }
  if (length == 0 || !text) {
    if (format & DT_CALCRECT) {
      rect->right = rect->left;
      rect->bottom = rect->top;
    }
    return 0;
  }
  TFontInstance& font = CurrentFont(dc)->Instance();
  const FontMetrics& m = font.Metrics();
  int tabChars = 8;
  if (format & DT_TABSTOP) {
    tabChars = static_cast<int>((format >> 8) & 0xFF);
    // The tab length borrows the flag byte; those flags are off then.
    format &= ~static_cast<UINT>(0xFF00);
    format |= DT_TABSTOP;
  }
  if (params && params->iTabLength > 0) tabChars = params->iTabLength;
  const Layout layout{dc, font, format, tabChars * m.aveCharWidth};
  const int leftMargin = params ? params->iLeftMargin : 0, rightMargin = params ? params->iRightMargin : 0;
  const int left = rect->left + leftMargin, right = rect->right - rightMargin;
  const int width = right - left;
  const int lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
  const bool prefixes = !(format & DT_NOPREFIX);
  const Line all = StripPrefixes(text, length, prefixes);

  // Paragraphs, then lines.
  std::vector<Line> lines;
  if (format & DT_SINGLELINE) {
    Line l;
    for (std::size_t i = 0; i < all.text.size(); ++i) {
      if (all.text[i] == u'\r' || all.text[i] == u'\n') continue;
      l.text.push_back(all.text[i]);
      l.underline.push_back(all.underline[i]);
    }
    lines.push_back(std::move(l));
  } else {
    std::size_t start = 0;
    const std::u16string& t = all.text;
    for (std::size_t i = 0; i <= t.size(); ++i) {
      if (i < t.size() && t[i] != u'\r' && t[i] != u'\n') continue;
      const Line para = Slice(all, start, i);
      if (format & DT_WORDBREAK)
        WrapParagraph(layout, para, width, (format & DT_EDITCONTROL) != 0, lines);
      else
        lines.push_back(para);
      if (i < t.size() && t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') ++i;
      start = i + 1;
      if (i >= t.size()) break;
    }
  }
  if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
    for (Line& l : lines) l = Ellipsize(layout, l, width, format);

  std::vector<int> widths;
  int maxWidth = 0;
  for (const Line& l : lines) {
    widths.push_back(layout.Width(l.text));
    maxWidth = std::max(maxWidth, widths.back());
  }
  const int textHeight = lineHeight * static_cast<int>(lines.size());
  if (params) params->uiLengthDrawn = static_cast<UINT>(length);

  int top = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      top = rect->top + ((rect->bottom - rect->top) - textHeight) / 2;
    else if (format & DT_BOTTOM)
      top = rect->bottom - textHeight;
  }
  if (format & DT_CALCRECT) {
    rect->right = rect->left + maxWidth + leftMargin + rightMargin;
    rect->bottom = rect->top + textHeight;
    return textHeight;
  }
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
  int y = top;
  for (std::size_t i = 0; i < lines.size(); ++i, y += lineHeight) {
    // Edit controls show no partly visible last line.
    if ((format & DT_EDITCONTROL) && i > 0 && y + lineHeight > rect->bottom) break;
    if (clip && y >= rect->bottom) break;
    int x = left;
    if (format & DT_CENTER)
      x = left + (width - widths[i]) / 2;
    else if (format & DT_RIGHT)
      x = right - widths[i];
    if (format & DT_PREFIXONLY)
      DrawLine(layout, lines[i], x, y, clip, true, false);
    else
      DrawLine(layout, lines[i], x, y, clip, false, (format & DT_HIDEPREFIX) != 0);
  }
  return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? top - rect->top + textHeight
                                                                         : textHeight;
}

}  // namespace

int DrawText(HDC dc, const WCHAR* text, int length, RECT* rect, UINT format) {
  return DrawTextCore(dc, text, length, rect, format, nullptr);
}

int DrawTextEx(HDC dc, WCHAR* text, int length, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  return DrawTextCore(dc, text, length, rect, format, params);
}
