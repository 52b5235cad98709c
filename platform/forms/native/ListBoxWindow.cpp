#include "platform/forms/native/ListBoxWindow.h"

#include <algorithm>
#include <vector>

#include "platform/forms/native/ListBoxControls.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/forms/native/Notify.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

namespace {

struct TItem {
  String text;
  ULONG_PTR data = 0;
  int height = 0;
  bool selected = false;
};

class TListBox {
 public:
  explicit TListBox(HWND h) : hwnd_(h) {}
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  DWORD Style() const { return WindowStyle(hwnd_); }
  bool OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
  bool Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
  bool HasStrings() const { return !OwnerDraw() || (Style() & LBS_HASSTRINGS); }
  bool Multi() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
  bool MultiColumn() const { return (Style() & LBS_MULTICOLUMN) != 0; }
  int Count() const { return static_cast<int>(items_.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }

  void SetFont(HFONT font);
  int ItemHeight(int i) const { return Variable() && Valid(i) ? items_[i].height : itemHeight_; }
  int ClientHeight() const;
  int ClientWidth() const;
  int RowsPerColumn() const { return std::max(1, ClientHeight() / std::max(1, itemHeight_)); }
  // The items shown from the top index (wholly or partly).
  int VisibleCount(bool whole) const;
  RECT ItemRect(int i) const;
  int ItemFromPoint(int x, int y, bool* outside) const;
  void MeasureItem(int i);

  int Insert(int index, LPARAM value);
  int Delete(int index);
  void Reset();
  void SetTop(int top);
  // The largest top index: the last page is shown full.
  int MaxTop() const;
  void EnsureVisible(int i);
  void UpdateScrollBars();
  void Invalidate() { InvalidateRect(hwnd_, nullptr, TRUE); }
  void InvalidateItem(int i);
  // Single selection: the selected item; multiple: the focused one.
  void SetCurrent(int i, bool notify);
  void SelectRange(int from, int to, bool on);
  int FindString(int start, const String& prefix, bool exact) const;
  void Notify(WORD code) {
    if (Style() & LBS_NOTIFY) NotifyParentCommand(hwnd_, code);
  }

  void OnMouseDown(int x, int y, bool dbl);
  void OnKeyDown(UINT vk);
  void OnChar(Char ch);
  void OnScroll(int bar, WORD code);

  void Paint(HDC dc);
  void DrawItem(HDC dc, int i, UINT action);

  HWND hwnd_;
  std::vector<TItem> items_;
  HFONT font_ = nullptr;
  int itemHeight_ = 16;
  int top_ = 0;
  int current_ = -1;  // single: the selection; multiple: the caret item
  int anchor_ = -1;
  bool focused_ = false;
  bool tracking_ = false;
  int horizontalExtent_ = 0;
  int xOffset_ = 0;
  int columnWidth_ = 0;
  DWORD scrollBars_ = 0;  // the bars asked for at creation (hidden ones lose their style bit)
  bool adjusting_ = false;
  int requestedHeight_ = -1;  // the window height asked for, before cutting to whole items
  void AdjustIntegralHeight();
};

void TListBox::SetFont(HFONT font) {
  font_ = font;
  if (!OwnerDraw()) itemHeight_ = FontLineHeight(ControlFont(font_));
}

int TListBox::ClientHeight() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.bottom - r.top;
}

int TListBox::ClientWidth() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.right - r.left;
}

int TListBox::VisibleCount(bool whole) const {
  if (MultiColumn()) {
    int cols = std::max(1, ClientWidth() / std::max(1, columnWidth_ ? columnWidth_ : ClientWidth()));
    return cols * RowsPerColumn();
  }
  int h = ClientHeight(), y = 0, n = 0;
  for (int i = top_; i < Count(); ++i) {
    y += ItemHeight(i);
    if (y > h) return whole ? std::max(n, 1) : n + 1;
    ++n;
  }
  if (!Variable()) n += std::max(0, (h - y) / std::max(1, itemHeight_));
  return std::max(n, 1);
}

RECT TListBox::ItemRect(int i) const {
  int w = ClientWidth();
  if (MultiColumn()) {
    int rows = RowsPerColumn();
    int colW = columnWidth_ ? columnWidth_ : w;
    int col = i / rows - top_ / rows;
    int row = i % rows;
    return RECT{col * colW, row * itemHeight_, (col + 1) * colW, (row + 1) * itemHeight_};
  }
  int y = 0;
  if (i >= top_)
    for (int k = top_; k < i; ++k) y += ItemHeight(k);
  else
    for (int k = i; k < top_; ++k) y -= ItemHeight(k);
  return RECT{-xOffset_, y, std::max(w, horizontalExtent_) - xOffset_, y + ItemHeight(i)};
}

int TListBox::ItemFromPoint(int x, int y, bool* outside) const {
  *outside = false;
  if (Count() == 0) {
    *outside = true;
    return 0;
  }
  if (MultiColumn()) {
    int rows = RowsPerColumn();
    int colW = columnWidth_ ? columnWidth_ : ClientWidth();
    int i =
        (top_ / rows + std::max(0, x) / std::max(1, colW)) * rows + std::clamp(y / itemHeight_, 0, rows - 1);
    if (i >= Count() || x < 0 || y < 0) {
      *outside = true;
      i = std::clamp(i, 0, Count() - 1);
    }
    return i;
  }
  if (y < 0) {
    *outside = true;
    return top_;
  }
  int pos = 0;
  for (int i = top_; i < Count(); ++i) {
    pos += ItemHeight(i);
    if (y < pos) {
      *outside = x < 0 || x >= ClientWidth();
      return i;
    }
  }
  *outside = true;
  return Count() - 1;
}

void TListBox::MeasureItem(int i) {
  MEASUREITEMSTRUCT mi;
  mi.CtlType = ODT_LISTBOX;
  mi.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
  mi.itemID = static_cast<UINT>(i);
  mi.itemWidth = static_cast<UINT>(ClientWidth());
  mi.itemHeight = static_cast<UINT>(itemHeight_);
  mi.itemData = Valid(i) ? items_[i].data : 0;
  if (HWND parent = GetParent(hwnd_))
    SendMessage(parent, WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
  if (Variable() && Valid(i))
    items_[i].height = std::max<int>(1, static_cast<int>(mi.itemHeight));
  else if (!Variable())
    itemHeight_ = std::max<int>(1, static_cast<int>(mi.itemHeight));
}

int TListBox::Insert(int index, LPARAM value) {
  TItem item;
  if (HasStrings())
    item.text = value ? String(reinterpret_cast<LPCWSTR>(value)) : String();
  else
    item.data = static_cast<ULONG_PTR>(value);
  if (index < 0 || index > Count()) index = Count();
  if ((Style() & LBS_SORT) && HasStrings() && index == Count()) {
    // Sorted lists insert in order (case-insensitive), after equal items.
    index = static_cast<int>(
        std::upper_bound(items_.begin(), items_.end(), item.text,
                         [](const String& s, const TItem& it) { return AnsiCompareText(s, it.text) < 0; }) -
        items_.begin());
  }
  items_.insert(items_.begin() + index, std::move(item));
  if (!Multi() && current_ >= index) ++current_;
  if (Multi() && current_ >= index) ++current_;
  if (anchor_ >= index) ++anchor_;
  items_[index].height = itemHeight_;
  if (Variable()) MeasureItem(index);
  UpdateScrollBars();
  Invalidate();
  return index;
}

int TListBox::Delete(int index) {
  if (!Valid(index)) return LB_ERR;
  if (OwnerDraw()) {
    DELETEITEMSTRUCT di;
    di.CtlType = ODT_LISTBOX;
    di.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
    di.itemID = static_cast<UINT>(index);
    di.hwndItem = hwnd_;
    di.itemData = items_[index].data;
    if (HWND parent = GetParent(hwnd_))
      SendMessage(parent, WM_DELETEITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
  }
  items_.erase(items_.begin() + index);
  if (current_ == index)
    current_ = Multi() ? std::min(index, Count() - 1) : -1;
  else if (current_ > index)
    --current_;
  if (anchor_ >= Count()) anchor_ = Count() - 1;
  top_ = std::clamp(top_, 0, std::max(0, Count() - 1));
  UpdateScrollBars();
  Invalidate();
  return Count();
}

void TListBox::Reset() {
  while (!items_.empty()) Delete(Count() - 1);
  current_ = anchor_ = -1;
  top_ = 0;
  UpdateScrollBars();
  Invalidate();
}

void TListBox::SetTop(int top) {
  top = std::clamp(top, 0, MaxTop());
  if (MultiColumn()) top -= top % RowsPerColumn();
  if (top == top_) return;
  top_ = top;
  UpdateScrollBars();
  Invalidate();
}

void TListBox::AdjustIntegralHeight() {
  // Without LBS_NOINTEGRALHEIGHT the list shows whole items only: its height is cut to them.
  if (adjusting_ || (Style() & LBS_NOINTEGRALHEIGHT) || Variable()) return;
  RECT wr;
  GetWindowRect(hwnd_, &wr);
  int height = wr.bottom - wr.top;
  if (requestedHeight_ < 0) requestedHeight_ = height;
  int frame = height - ClientHeight();
  int inner = requestedHeight_ - frame;
  int whole = inner / std::max(1, itemHeight_) * itemHeight_;
  if (whole <= 0) whole = inner;
  if (frame + whole == height) return;
  adjusting_ = true;
  SetWindowPos(hwnd_, nullptr, 0, 0, wr.right - wr.left, frame + whole,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  adjusting_ = false;
}

int TListBox::MaxTop() const {
  if (Count() == 0) return 0;
  if (MultiColumn()) {
    int rows = RowsPerColumn();
    int cols = std::max(1, ClientWidth() / std::max(1, columnWidth_ ? columnWidth_ : ClientWidth()));
    int lastCol = (Count() - 1) / rows;
    return std::max(0, lastCol - cols + 1) * rows;
  }
  int h = ClientHeight(), used = 0, i = Count();
  while (i > 0 && used + ItemHeight(i - 1) <= h) used += ItemHeight(--i);
  return std::min(i, Count() - 1);
}

void TListBox::EnsureVisible(int i) {
  if (!Valid(i)) return;
  if (i < top_) {
    SetTop(i);
    return;
  }
  if (MultiColumn()) {
    int rows = RowsPerColumn();
    int cols = std::max(1, ClientWidth() / std::max(1, columnWidth_ ? columnWidth_ : ClientWidth()));
    if (i / rows >= top_ / rows + cols) SetTop((i / rows - cols + 1) * rows);
    return;
  }
  RECT r = ItemRect(i);
  if (r.bottom <= ClientHeight()) return;
  // Scroll so that the item is the last one wholly shown.
  int h = ClientHeight(), used = 0, t = i + 1;
  while (t > 0 && used + ItemHeight(t - 1) <= h) used += ItemHeight(--t);
  SetTop(std::min(t, i));
}

void TListBox::UpdateScrollBars() {
  DWORD style = Style();
  UINT disable = (style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
  if (MultiColumn()) {
    if (!(scrollBars_ & WS_HSCROLL)) return;
    int rows = RowsPerColumn();
    int cols = std::max(1, ClientWidth() / std::max(1, columnWidth_ ? columnWidth_ : ClientWidth()));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | disable;
    si.nMax = Count() ? (Count() - 1) / rows : 0;
    si.nPage = static_cast<UINT>(cols);
    si.nPos = top_ / rows;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
    return;
  }
  if (scrollBars_ & WS_VSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | disable;
    si.nMin = 0;
    si.nMax = std::max(0, Count() - 1);
    si.nPage = static_cast<UINT>(Count() ? VisibleCount(true) : 0);
    si.nPos = top_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
  }
  if (scrollBars_ & WS_HSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | disable;
    si.nMin = 0;
    si.nMax = std::max(0, horizontalExtent_ - 1);
    si.nPage = static_cast<UINT>(std::max(1, ClientWidth()));
    si.nPos = xOffset_;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
  }
}

void TListBox::InvalidateItem(int i) {
  if (!Valid(i)) return;
  RECT r = ItemRect(i);
  InvalidateRect(hwnd_, &r, TRUE);
}

void TListBox::SetCurrent(int i, bool notify) {
  if (!Valid(i)) return;
  int old = current_;
  if (!Multi()) {
    if (old == i) {
      EnsureVisible(i);
      return;
    }
    if (Valid(old)) items_[old].selected = false;
    items_[i].selected = true;
  }
  current_ = i;
  InvalidateItem(old);
  InvalidateItem(i);
  EnsureVisible(i);
  if (notify && old != i && !Multi()) Notify(LBN_SELCHANGE);
}

void TListBox::SelectRange(int from, int to, bool on) {
  if (from > to) std::swap(from, to);
  for (int i = std::max(0, from); i <= to && i < Count(); ++i)
    if (items_[i].selected != on) {
      items_[i].selected = on;
      InvalidateItem(i);
    }
}

int TListBox::FindString(int start, const String& prefix, bool exact) const {
  if (Count() == 0 || !HasStrings()) return LB_ERR;
  int from = (start < 0 || start >= Count()) ? 0 : start + 1;
  String key = AnsiUpperCase(prefix);
  for (int k = 0; k < Count(); ++k) {
    int i = (from + k) % Count();
    String t = AnsiUpperCase(items_[i].text);
    if (exact ? t == key : t.compare(0, key.size(), key) == 0) return i;
  }
  return LB_ERR;
}

void TListBox::OnMouseDown(int x, int y, bool dbl) {
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  if (!IsWindow(hwnd_)) return;
  bool outside;
  int i = ItemFromPoint(x, y, &outside);
  if (dbl) {
    if (!outside) Notify(LBN_DBLCLK);
    return;
  }
  if (outside || !Valid(i) || (Style() & LBS_NOSEL)) return;
  if (!Multi()) {
    tracking_ = true;
    SetCapture(hwnd_);
    SetCurrent(i, true);
    return;
  }
  bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  if ((Style() & LBS_MULTIPLESEL) || ctrl) {
    items_[i].selected = !items_[i].selected;
    anchor_ = i;
  } else if (shift && Valid(anchor_)) {
    SelectRange(0, Count() - 1, false);
    SelectRange(anchor_, i, true);
  } else {
    SelectRange(0, Count() - 1, false);
    items_[i].selected = true;
    anchor_ = i;
  }
  SetCurrent(i, false);
  InvalidateItem(i);
  Notify(LBN_SELCHANGE);
}

void TListBox::OnKeyDown(UINT vk) {
  if (Count() == 0) return;
  int cur = Valid(current_) ? current_ : -1;
  int page = std::max(1, VisibleCount(true) - 1);
  int target;
  switch (vk) {
    case VK_UP:
      target = cur - 1;
      break;
    case VK_DOWN:
      target = cur + 1;
      break;
    case VK_LEFT:
      target = MultiColumn() ? cur - RowsPerColumn() : cur - 1;
      break;
    case VK_RIGHT:
      target = MultiColumn() ? cur + RowsPerColumn() : cur + 1;
      break;
    case VK_PRIOR:
      target = cur - page;
      break;
    case VK_NEXT:
      target = cur + page;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = Count() - 1;
      break;
    case VK_SPACE:
      if (Multi() && Valid(cur)) {
        items_[cur].selected = !items_[cur].selected;
        anchor_ = cur;
        InvalidateItem(cur);
        Notify(LBN_SELCHANGE);
      }
      return;
    default:
      return;
  }
  if (cur < 0) target = std::max(0, vk == VK_END ? Count() - 1 : 0);
  target = std::clamp(target, 0, Count() - 1);
  if (!Multi()) {
    SetCurrent(target, true);
    return;
  }
  if ((Style() & LBS_EXTENDEDSEL) && GetKeyState(VK_CONTROL) >= 0) {
    SelectRange(0, Count() - 1, false);
    if (GetKeyState(VK_SHIFT) < 0 && Valid(anchor_)) {
      SelectRange(anchor_, target, true);
    } else {
      items_[target].selected = true;
      anchor_ = target;
    }
    SetCurrent(target, false);
    Notify(LBN_SELCHANGE);
    return;
  }
  SetCurrent(target, false);
}

void TListBox::OnChar(Char ch) {
  if (ch < 0x20 || !HasStrings()) return;
  int i = FindString(current_, String(1, ch), false);
  if (i == LB_ERR) return;
  if (Multi()) {
    SetCurrent(i, false);
    if (Style() & LBS_EXTENDEDSEL) {
      SelectRange(0, Count() - 1, false);
      items_[i].selected = true;
      anchor_ = i;
      Notify(LBN_SELCHANGE);
    }
    return;
  }
  SetCurrent(i, true);
}

void TListBox::OnScroll(int bar, WORD code) {
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &si);
  if (MultiColumn() || bar == SB_VERT) {
    int unit = MultiColumn() ? RowsPerColumn() : 1;
    int page =
        MultiColumn() ? std::max(1, static_cast<int>(si.nPage)) * unit : std::max(1, VisibleCount(true) - 1);
    std::optional<int> top = ScrollRequestTarget(code, top_, unit, page, si.nTrackPos * unit, MaxTop());
    if (top) SetTop(*top);
    return;
  }
  int width = ClientWidth();
  std::optional<int> target = ScrollRequestTarget(code, xOffset_, 8, width, si.nTrackPos, horizontalExtent_);
  if (!target) return;
  int x = std::clamp(*target, 0, std::max(0, horizontalExtent_ - width));
  if (x == xOffset_) return;
  xOffset_ = x;
  UpdateScrollBars();
  Invalidate();
}

void TListBox::DrawItem(HDC dc, int i, UINT action) {
  RECT r = ItemRect(i);
  bool selected = items_[i].selected;
  bool focus = focused_ && i == current_;
  if (OwnerDraw()) {
    DRAWITEMSTRUCT di;
    di.CtlType = ODT_LISTBOX;
    di.itemID = static_cast<UINT>(i);
    di.itemAction = action;
    di.itemState =
        (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (IsWindowEnabled(hwnd_) ? 0 : ODS_DISABLED);
    di.hDC = dc;
    di.rcItem = r;
    di.itemData = items_[i].data;
    SendDrawItem(hwnd_, di);
    return;
  }
  COLORREF oldText = GetTextColor(dc);
  if (selected) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else if (!IsWindowEnabled(hwnd_)) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  const String& t = items_[i].text;
  if (Style() & LBS_USETABSTOPS)
    TabbedTextOut(dc, r.left + 2, r.top, t.data(), static_cast<int>(t.size()), 0, nullptr, r.left + 2);
  else
    TextOut(dc, r.left + 2, r.top, t.data(), static_cast<int>(t.size()));
  SetTextColor(dc, oldText);
  if (focus) DrawFocusRect(dc, &r);
}

void TListBox::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, ParentColorBrush(hwnd_, dc, WM_CTLCOLORLISTBOX, COLOR_WINDOWTEXT, COLOR_WINDOW));
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(font_));
  SetBkMode(dc, TRANSPARENT);
  int n = VisibleCount(false);
  for (int i = top_; i < Count() && i < top_ + n; ++i) DrawItem(dc, i, ODA_DRAWENTIRE);
  SelectObject(dc, oldFont);
}

LRESULT TListBox::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE: {
      LRESULT r = DefWindowProc(hwnd_, msg, wParam, lParam);
      scrollBars_ = Style() & (WS_HSCROLL | WS_VSCROLL);
      SetFont(nullptr);
      return r;
    }
    case WM_CREATE:
      if (Style() & LBS_OWNERDRAWFIXED) MeasureItem(0);
      AdjustIntegralHeight();
      UpdateScrollBars();
      return 0;
    case WM_SIZE:
      if (!adjusting_) {
        RECT wr;
        GetWindowRect(hwnd_, &wr);
        requestedHeight_ = wr.bottom - wr.top;
      }
      AdjustIntegralHeight();
      SetTop(top_);
      UpdateScrollBars();
      Invalidate();
      return 0;
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam));
      AdjustIntegralHeight();
      UpdateScrollBars();
      if (lParam) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case LB_ADDSTRING:
      return Insert(-1, lParam);
    case LB_INSERTSTRING:
      return Insert(static_cast<int>(static_cast<LONG_PTR>(wParam)), lParam);
    case LB_DELETESTRING:
      return Delete(static_cast<int>(wParam));
    case LB_RESETCONTENT:
      Reset();
      return 0;
    case LB_GETCOUNT:
      return Count();
    case LB_SETCURSEL: {
      int i = static_cast<int>(static_cast<LONG_PTR>(wParam));
      if (Multi()) return LB_ERR;
      if (!Valid(i)) {
        if (Valid(current_)) {
          items_[current_].selected = false;
          InvalidateItem(current_);
        }
        current_ = -1;
        return LB_ERR;
      }
      SetCurrent(i, false);
      return i;
    }
    case LB_GETCURSEL:
      if (Multi()) return Valid(current_) ? current_ : 0;
      return Valid(current_) ? current_ : LB_ERR;
    case LB_SETSEL: {
      if (!Multi()) return LB_ERR;
      int i = static_cast<int>(lParam);
      if (i == -1) {
        SelectRange(0, Count() - 1, wParam != 0);
        return 0;
      }
      if (!Valid(i)) return LB_ERR;
      items_[i].selected = wParam != 0;
      InvalidateItem(i);
      if (wParam) {
        current_ = anchor_ = i;
        EnsureVisible(i);
      }
      return 0;
    }
    case LB_GETSEL: {
      int i = static_cast<int>(wParam);
      if (!Valid(i)) return LB_ERR;
      return items_[i].selected ? 1 : 0;
    }
    case LB_GETSELCOUNT: {
      if (!Multi()) return LB_ERR;
      return std::count_if(items_.begin(), items_.end(), [](const TItem& it) { return it.selected; });
    }
    case LB_GETSELITEMS: {
      if (!Multi()) return LB_ERR;
      auto* out = reinterpret_cast<int*>(lParam);
      int n = 0;
      for (int i = 0; i < Count() && n < static_cast<int>(wParam); ++i)
        if (items_[i].selected) out[n++] = i;
      return n;
    }
    case LB_SELITEMRANGE:
      SelectRange(LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)),
                  wParam != 0);
      return Multi() ? 0 : LB_ERR;
    case LB_SELITEMRANGEEX: {
      int a = static_cast<int>(static_cast<LONG_PTR>(wParam)), b = static_cast<int>(lParam);
      if (!Multi()) return LB_ERR;
      SelectRange(std::min(a, b), std::max(a, b), a <= b);
      return 0;
    }
    case LB_SETCARETINDEX:
      if (!Valid(static_cast<int>(wParam))) return LB_ERR;
      if (Multi())
        SetCurrent(static_cast<int>(wParam), false);
      else
        EnsureVisible(static_cast<int>(wParam));
      return 0;
    case LB_GETCARETINDEX:
      return Valid(current_) ? current_ : 0;
    case LB_SETANCHORINDEX:
      anchor_ = static_cast<int>(wParam);
      return 0;
    case LB_GETANCHORINDEX:
      return anchor_;
    case LB_SETTOPINDEX:
      if (Count() && !Valid(static_cast<int>(wParam))) return LB_ERR;
      SetTop(static_cast<int>(wParam));
      return 0;
    case LB_GETTOPINDEX:
      return top_;
    case LB_GETTEXT: {
      int i = static_cast<int>(wParam);
      if (!Valid(i)) return LB_ERR;
      if (!HasStrings()) {
        if (lParam) *reinterpret_cast<ULONG_PTR*>(lParam) = items_[i].data;
        return sizeof(ULONG_PTR);
      }
      auto* buf = reinterpret_cast<LPWSTR>(lParam);
      const String& t = items_[i].text;
      if (buf) {
        std::copy(t.begin(), t.end(), buf);
        buf[t.size()] = 0;
      }
      return static_cast<LRESULT>(t.size());
    }
    case LB_GETTEXTLEN: {
      int i = static_cast<int>(wParam);
      if (!Valid(i)) return LB_ERR;
      return HasStrings() ? static_cast<LRESULT>(items_[i].text.size())
                          : static_cast<LRESULT>(sizeof(ULONG_PTR));
    }
    case LB_SETITEMDATA: {
      int i = static_cast<int>(static_cast<LONG_PTR>(wParam));
      if (i == -1) {
        for (TItem& it : items_) it.data = static_cast<ULONG_PTR>(lParam);
        return 0;
      }
      if (!Valid(i)) return LB_ERR;
      items_[i].data = static_cast<ULONG_PTR>(lParam);
      return 0;
    }
    case LB_GETITEMDATA: {
      int i = static_cast<int>(wParam);
      if (!Valid(i)) return LB_ERR;
      return static_cast<LRESULT>(items_[i].data);
    }
    case LB_SETITEMHEIGHT: {
      int h = LOWORD(static_cast<std::uintptr_t>(lParam));
      if (h <= 0 || h > 255) return LB_ERR;
      if (Variable()) {
        int i = static_cast<int>(wParam);
        if (!Valid(i)) return LB_ERR;
        items_[i].height = h;
      } else {
        itemHeight_ = h;
        AdjustIntegralHeight();
      }
      UpdateScrollBars();
      Invalidate();
      return 0;
    }
    case LB_GETITEMHEIGHT: {
      int i = static_cast<int>(wParam);
      if (Variable() && Valid(i)) return items_[i].height;
      return itemHeight_;
    }
    case LB_ITEMFROMPOINT: {
      bool outside;
      int i = ItemFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), &outside);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(i), outside ? 1 : 0));
    }
    case LB_GETITEMRECT: {
      int i = static_cast<int>(wParam);
      if (!Valid(i) && !(i == 0 && Count() == 0)) return LB_ERR;
      if (lParam) *reinterpret_cast<RECT*>(lParam) = ItemRect(i);
      return 0;
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return FindString(static_cast<int>(static_cast<LONG_PTR>(wParam)),
                        lParam ? String(reinterpret_cast<LPCWSTR>(lParam)) : String(),
                        msg == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
      int i = FindString(static_cast<int>(static_cast<LONG_PTR>(wParam)),
                         lParam ? String(reinterpret_cast<LPCWSTR>(lParam)) : String(), false);
      if (i == LB_ERR) return LB_ERR;
      if (Multi()) {
        items_[i].selected = true;
        SetCurrent(i, false);
      } else {
        SetCurrent(i, false);
      }
      return i;
    }
    case LB_SETHORIZONTALEXTENT:
      horizontalExtent_ = static_cast<int>(wParam);
      xOffset_ = std::clamp(xOffset_, 0, std::max(0, horizontalExtent_ - ClientWidth()));
      UpdateScrollBars();
      Invalidate();
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return horizontalExtent_;
    case LB_SETCOLUMNWIDTH:
      columnWidth_ = static_cast<int>(wParam);
      UpdateScrollBars();
      Invalidate();
      return 0;
    case LB_INITSTORAGE:
      items_.reserve(items_.size() + wParam);
      return static_cast<LRESULT>(items_.capacity());
    case LB_SETTABSTOPS:
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      if (tracking_ && !Multi()) {
        bool outside;
        int i = ItemFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), &outside);
        if (Valid(i) && GET_Y_LPARAM(lParam) >= 0 && GET_Y_LPARAM(lParam) < ClientHeight())
          SetCurrent(i, true);
      }
      return 0;
    case WM_LBUTTONUP:
      if (tracking_) {
        tracking_ = false;
        if (GetCapture() == hwnd_) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      tracking_ = false;
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_CHAR:
      OnChar(static_cast<Char>(wParam));
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      SetTop(top_ - delta / WHEEL_DELTA * 3 * (MultiColumn() ? RowsPerColumn() : 1));
      return 0;
    }
    case WM_SETFOCUS:
      focused_ = true;
      InvalidateItem(current_);
      Notify(LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      InvalidateItem(current_);
      if (tracking_ && GetCapture() == hwnd_) ReleaseCapture();
      tracking_ = false;
      Notify(LBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      Invalidate();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintClient(hwnd_, msg, wParam, [this](HDC dc) { Paint(dc); });
    default:
      return DefWindowProc(hwnd_, msg, wParam, lParam);
  }
}

}  // namespace

LRESULT ListBoxWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WithWindowState<TListBox>(hwnd, msg, wParam, lParam,
                                   [&](TListBox& list) { return list.Handle(msg, wParam, lParam); });
}
