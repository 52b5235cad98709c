#include "platform/gdi/testing/TestThemeProvider.h"

#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"

namespace {

String Lower(const String& s) {
  String r = s;
  for (auto& c : r)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return r;
}

}  // namespace

TestThemeProvider::TestThemeProvider()
    : TestThemeProvider({u"Button",   u"Clock",      u"ComboBox", u"Edit",       u"ExplorerBar", u"Header",
                         u"ListView", u"Menu",       u"Page",     u"Progress",   u"Rebar",       u"ScrollBar",
                         u"Spin",     u"StartPanel", u"Status",   u"Tab",        u"TaskBand",    u"TaskBar",
                         u"ToolBar",  u"ToolTip",    u"TrackBar", u"TrayNotify", u"TreeView",    u"Window"}) {
}

TestThemeProvider::TestThemeProvider(std::vector<String> classes) {
  for (const String& c : classes) classes_.insert(Lower(c));
}

void TestThemeProvider::SetPartSize(const String& cls, int part, int state, SIZE size) {
  sizes_[{Lower(cls), part, state}] = size;
}
void TestThemeProvider::SetColor(const String& cls, int part, int state, int property, COLORREF color) {
  colors_[{Lower(cls), part, state, property}] = color;
}
void TestThemeProvider::SetInt(const String& cls, int part, int state, int property, int value) {
  ints_[{Lower(cls), part, state, property}] = value;
}
void TestThemeProvider::SetContentMargins(const String& cls, int part, MARGINS margins) {
  margins_[{Lower(cls), part}] = margins;
}
void TestThemeProvider::SetPartiallyTransparent(const String& cls, int part, bool transparent) {
  if (transparent)
    transparent_.insert({Lower(cls), part});
  else
    transparent_.erase({Lower(cls), part});
}

template <class V>
const V* TestThemeProvider::Find(const std::map<Key, V>& m, const String& cls, int part, int state) const {
  auto it = m.find({Lower(cls), part, state});
  if (it == m.end()) it = m.find({Lower(cls), part, 0});
  return it == m.end() ? nullptr : &it->second;
}

bool TestThemeProvider::HasClass(const String& className) const {
  return classes_.contains(Lower(className));
}

bool TestThemeProvider::IsPartDefined(const String& className, int part, int) const {
  return HasClass(className) && part > 0;
}

bool TestThemeProvider::PartSize(const String& className, int part, int state, THEMESIZE, SIZE* size) const {
  const SIZE* s = Find(sizes_, className, part, state);
  if (!s) return false;
  *size = *s;
  return true;
}

bool TestThemeProvider::Color(const String& className, int part, int state, int property,
                              COLORREF* color) const {
  auto it = colors_.find({Lower(className), part, state, property});
  if (it == colors_.end()) it = colors_.find({Lower(className), part, 0, property});
  if (it == colors_.end()) return false;
  *color = it->second;
  return true;
}

bool TestThemeProvider::Int(const String& className, int part, int state, int property, int* value) const {
  auto it = ints_.find({Lower(className), part, state, property});
  if (it == ints_.end()) it = ints_.find({Lower(className), part, 0, property});
  if (it == ints_.end()) return false;
  *value = it->second;
  return true;
}

RECT TestThemeProvider::ContentRect(const String& className, int part, int, const RECT& bounds) const {
  MARGINS m{1, 1, 1, 1};
  if (auto it = margins_.find({Lower(className), part}); it != margins_.end()) m = it->second;
  return {bounds.left + m.cxLeftWidth, bounds.top + m.cyTopHeight, bounds.right - m.cxRightWidth,
          bounds.bottom - m.cyBottomHeight};
}

bool TestThemeProvider::PartiallyTransparent(const String& className, int part, int) const {
  return transparent_.contains({Lower(className), part});
}

COLORREF TestThemeProvider::FillColor(const String& cls, int part, int state) const {
  COLORREF c;
  if (Color(cls, part, state, TMT_FILLCOLOR, &c)) return c;
  return RGB((part * 40) & 0xFF, (state * 30) & 0xFF, 0xC0);
}

void TestThemeProvider::DrawBackground(const String& className, HDC dc, int part, int state, const RECT& rect,
                                       const RECT* clip) {
  draws_.push_back({className, part, state, rect});
  RECT r = rect;
  if (clip && !IntersectRect(&r, &r, clip)) return;
  HBRUSH fill = CreateSolidBrush(FillColor(className, part, state));
  FillRect(dc, &r, fill);
  DeleteObject(fill);
  COLORREF border;
  if (Color(className, part, state, TMT_BORDERCOLOR, &border)) {
    HBRUSH b = CreateSolidBrush(border);
    const int saved = SaveDC(dc);
    if (clip) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    FrameRect(dc, &rect, b);
    RestoreDC(dc, saved);
    DeleteObject(b);
  }
}
