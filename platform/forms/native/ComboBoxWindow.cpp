// The "COMBOBOX" class. The items are kept by a hidden pop-up "LISTBOX" window that shows below
// the combo box while it is dropped down; the combo box holds the mouse capture meanwhile, so a
// click on the list picks the item under it and a click anywhere else closes the list.
#include "platform/forms/native/ComboBoxWindow.h"

#include <algorithm>

#include "platform/forms/native/ComboBoxControls.h"
#include "platform/forms/native/EditControls.h"
#include "platform/forms/native/ListBoxControls.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/forms/native/Notify.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kEdge = 2;  // the sunken border
constexpr UINT_PTR kEditId = 1001;

class TComboBox {
 public:
  explicit TComboBox(HWND h) : hwnd_(h) {}
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  // The combo box's keys, also those its edit field passes on; true when used.
  bool OnKeyDown(UINT vk, bool alt);

 private:
  DWORD Style() const { return WindowStyle(hwnd_); }
  bool DropList() const { return (Style() & CBS_TYPEMASK) == CBS_DROPDOWNLIST; }
  bool OwnerDraw() const { return (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
  LRESULT List(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const { return SendMessage(list_, msg, wParam, lParam); }
  int Count() const { return static_cast<int>(List(LB_GETCOUNT)); }
  String ItemText(int i) const;
  void Notify(WORD code) { NotifyParentCommand(hwnd_, code); }

  void OnCreate();
  void OnDestroy();
  void SetFont(HFONT font);
  RECT ButtonRect() const;
  RECT FieldRect() const;
  RECT DropRect() const;
  // Selects item i (or none) and shows its text; no notification.
  void Select(int i);
  // The user chose item i: the selection and CBN_SELCHANGE when it changed.
  void Choose(int i);
  void DropDown();
  void CloseUp(bool accept);
  LRESULT ItemMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT TextMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnMouseDown(POINT client);
  void OnMouseMove(POINT client);
  void OnMouseUp(POINT client);
  // The list item under a point of our client area, -1 when the point is not on an item.
  int ListItemAt(POINT client) const;
  void OnChar(Char ch);
  void OnFocus(bool gained, HWND other);
  LRESULT ForwardOwnerDraw(UINT msg, LPARAM lParam);
  void Paint(HDC dc);
  void Redraw() { InvalidateRect(hwnd_, nullptr, FALSE); }

  HWND hwnd_;
  HWND list_ = nullptr;
  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
  int selection_ = -1;
  int savedSelection_ = -1;
  int fieldHeight_ = 16;
  int droppedWidth_ = 0;
  int minVisible_ = 8;
  bool dropped_ = false;
  bool focused_ = false;
  bool buttonDown_ = false;  // the click that dropped the list is still held
};

// The edit field of a CBS_DROPDOWN combo box passes the list keys to the combo box.
WNDPROC g_editProc = nullptr;
TComboBox* ComboOf(HWND combo);

LRESULT ComboEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const bool keyDown = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
  if (keyDown) {
    UINT vk = static_cast<UINT>(wParam);
    bool listKey = vk == VK_UP || vk == VK_DOWN || vk == VK_F4 || vk == VK_PRIOR || vk == VK_NEXT ||
                   ((vk == VK_RETURN || vk == VK_ESCAPE) && SendMessage(GetParent(hwnd), CB_GETDROPPEDSTATE, 0, 0));
    if (listKey && ComboOf(GetParent(hwnd))->OnKeyDown(vk, msg == WM_SYSKEYDOWN)) return 0;
  }
  if (msg == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE) && !SendMessage(GetParent(hwnd), CB_GETDROPPEDSTATE, 0, 0))
    return 0;
  return CallWindowProc(g_editProc, hwnd, msg, wParam, lParam);
}

String TComboBox::ItemText(int i) const {
  LRESULT length = List(LB_GETTEXTLEN, static_cast<WPARAM>(i));
  if (length < 0) return String();
  String s(static_cast<size_t>(length) + 1, u'\0');
  List(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(length));
  return s;
}

void TComboBox::OnCreate() {
  DWORD listStyle = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (Style() & CBS_SORT) listStyle |= LBS_SORT;
  if (Style() & CBS_OWNERDRAWFIXED) listStyle |= LBS_OWNERDRAWFIXED;
  if (Style() & CBS_OWNERDRAWVARIABLE) listStyle |= LBS_OWNERDRAWVARIABLE;
  if (!OwnerDraw() || (Style() & CBS_HASSTRINGS)) listStyle |= LBS_HASSTRINGS;
  list_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kListBoxClassName, u"", listStyle, 0, 0, 10, 10, hwnd_,
                         nullptr, nullptr, nullptr);
  if (!DropList()) {
    RECT f = FieldRect();
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    edit_ = CreateWindowEx(0, kEditClassName, u"", editStyle, f.left, f.top, f.right - f.left, f.bottom - f.top,
                           hwnd_, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
    WNDPROC old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboEditProc)));
    if (!g_editProc) g_editProc = old;
  }
  SetFont(nullptr);
}

void TComboBox::OnDestroy() {
  if (dropped_ && GetCapture() == hwnd_) ReleaseCapture();
  dropped_ = false;
  if (list_) DestroyWindow(list_);
  list_ = nullptr;
}

void TComboBox::SetFont(HFONT font) {
  font_ = font;
  if (list_) SendMessage(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (edit_) SendMessage(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!OwnerDraw()) fieldHeight_ = FontLineHeight(ControlFont(font_));
}

RECT TComboBox::ButtonRect() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  InflateRect(&r, -kEdge, -kEdge);
  r.left = std::max(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
  return r;
}

RECT TComboBox::FieldRect() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  InflateRect(&r, -kEdge, -kEdge);
  r.right = ButtonRect().left;
  return r;
}

RECT TComboBox::DropRect() const {
  RECT w;
  GetWindowRect(hwnd_, &w);
  const int rows = std::clamp(Count(), 1, std::max(1, minVisible_));
  int height = 2;
  for (int i = 0; i < rows; ++i) height += static_cast<int>(List(LB_GETITEMHEIGHT, static_cast<WPARAM>(i)));
  const int width = std::max<int>(droppedWidth_, w.right - w.left);
  RECT r{w.left, w.bottom, w.left + width, w.bottom + height};
  // Above the combo box when the list would leave the screen below it.
  if (r.bottom > GetSystemMetrics(SM_CYSCREEN) && w.top - height >= 0) OffsetRect(&r, 0, w.top - height - r.top);
  return r;
}

void TComboBox::Select(int i) {
  selection_ = i >= 0 && i < Count() ? i : -1;
  List(LB_SETCURSEL, static_cast<WPARAM>(selection_));
  if (edit_) {
    SetWindowText(edit_, selection_ >= 0 ? ItemText(selection_).c_str() : u"");
    SendMessage(edit_, EM_SETSEL, 0, -1);
  }
  Redraw();
}

void TComboBox::Choose(int i) {
  if (i < 0 || i >= Count() || i == selection_) return;
  Select(i);
  Notify(CBN_SELCHANGE);
}

void TComboBox::DropDown() {
  if (dropped_ || !IsWindowEnabled(hwnd_)) return;
  Notify(CBN_DROPDOWN);  // the owner may fill the list now
  if (!IsWindow(hwnd_)) return;
  savedSelection_ = selection_;
  RECT r = DropRect();
  List(LB_SETCURSEL, static_cast<WPARAM>(selection_));
  if (selection_ >= 0) List(LB_SETTOPINDEX, static_cast<WPARAM>(selection_));
  SetWindowPos(list_, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  dropped_ = true;
  SetCapture(hwnd_);
  Redraw();
}

void TComboBox::CloseUp(bool accept) {
  if (!dropped_) return;
  dropped_ = false;
  buttonDown_ = false;
  ShowWindow(list_, SW_HIDE);
  if (GetCapture() == hwnd_) ReleaseCapture();
  const int picked = static_cast<int>(List(LB_GETCURSEL));
  Notify(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  Notify(CBN_CLOSEUP);
  if (accept && picked >= 0 && picked != savedSelection_) {
    Select(picked);
    Notify(CBN_SELCHANGE);
  } else {
    List(LB_SETCURSEL, static_cast<WPARAM>(selection_));
  }
  Redraw();
}

LRESULT TComboBox::ItemMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case CB_ADDSTRING: {
      LRESULT at = List(LB_ADDSTRING, 0, lParam);
      if (at >= 0 && at <= selection_) ++selection_;
      return at;
    }
    case CB_INSERTSTRING: {
      LRESULT at = List(LB_INSERTSTRING, wParam, lParam);
      if (at >= 0 && at <= selection_) ++selection_;
      return at;
    }
    case CB_DELETESTRING: {
      const int i = static_cast<int>(wParam);
      LRESULT left = List(LB_DELETESTRING, wParam);
      if (left >= 0) {
        if (i == selection_) Select(-1);
        else if (i < selection_) --selection_;
      }
      return left;
    }
    case CB_RESETCONTENT:
      List(LB_RESETCONTENT);
      Select(-1);
      return CB_OKAY;
    case CB_GETCOUNT: return List(LB_GETCOUNT);
    case CB_GETLBTEXT: return List(LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return List(LB_GETTEXTLEN, wParam);
    case CB_GETITEMDATA: return List(LB_GETITEMDATA, wParam);
    case CB_SETITEMDATA: return List(LB_SETITEMDATA, wParam, lParam);
    case CB_FINDSTRING: return List(LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return List(LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_GETTOPINDEX: return List(LB_GETTOPINDEX);
    case CB_SETTOPINDEX: return List(LB_SETTOPINDEX, wParam);
    case CB_SELECTSTRING: {
      LRESULT at = List(LB_FINDSTRING, wParam, lParam);
      if (at >= 0) Select(static_cast<int>(at));
      return at;
    }
    case CB_GETCURSEL: return selection_;
    case CB_SETCURSEL:
      Select(static_cast<int>(wParam));
      return selection_ == static_cast<int>(wParam) ? selection_ : CB_ERR;
    case CB_SETITEMHEIGHT:
      if (static_cast<int>(wParam) == -1) {
        fieldHeight_ = std::max(1, static_cast<int>(lParam));
        Redraw();
        return CB_OKAY;
      }
      return List(LB_SETITEMHEIGHT, wParam, lParam);
    case CB_GETITEMHEIGHT:
      return static_cast<int>(wParam) == -1 ? fieldHeight_ : List(LB_GETITEMHEIGHT, wParam);
    default: return CB_ERR;
  }
}

LRESULT TComboBox::TextMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (edit_) return SendMessage(edit_, msg, wParam, lParam);
  const String text = selection_ >= 0 ? ItemText(selection_) : String();
  switch (msg) {
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(text.size());
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      const size_t n = std::min<size_t>(text.size(), wParam - 1);
      auto* out = reinterpret_cast<LPWSTR>(lParam);
      std::copy_n(text.begin(), n, out);
      out[n] = u'\0';
      return static_cast<LRESULT>(n);
    }
    default: {  // WM_SETTEXT picks the item with that text
      LRESULT at = lParam ? List(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam) : CB_ERR;
      Select(static_cast<int>(at));
      return at >= 0 ? TRUE : CB_ERR;
    }
  }
}

int TComboBox::ListItemAt(POINT client) const {
  POINT p = client;
  MapWindowPoints(hwnd_, list_, &p, 1);
  RECT r;
  GetClientRect(list_, &r);
  if (!PtInRect(&r, p)) return -1;
  LRESULT hit = List(LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
  return HIWORD(static_cast<std::uintptr_t>(hit)) ? -1 : LOWORD(static_cast<std::uintptr_t>(hit));
}

void TComboBox::OnMouseDown(POINT client) {
  if (dropped_) {
    RECT own;
    GetClientRect(hwnd_, &own);
    if (ListItemAt(client) >= 0) return;  // chosen when the button comes up
    RECT list;
    GetWindowRect(list_, &list);
    POINT screen = client;
    ClientToScreen(hwnd_, &screen);
    if (PtInRect(&list, screen)) return;  // the list's border or scroll bar
    CloseUp(PtInRect(&own, client) != FALSE);
    return;
  }
  if (GetFocus() != hwnd_ && (!edit_ || GetFocus() != edit_)) SetFocus(hwnd_);
  RECT button = ButtonRect();
  if (DropList() || PtInRect(&button, client)) {
    DropDown();
    buttonDown_ = true;
  }
}

void TComboBox::OnMouseMove(POINT client) {
  if (!dropped_) return;
  int i = ListItemAt(client);
  if (i >= 0 && i != static_cast<int>(List(LB_GETCURSEL))) List(LB_SETCURSEL, static_cast<WPARAM>(i));
}

void TComboBox::OnMouseUp(POINT client) {
  if (!dropped_) return;
  const bool dropClick = buttonDown_;
  buttonDown_ = false;
  int i = ListItemAt(client);
  if (i >= 0) {
    List(LB_SETCURSEL, static_cast<WPARAM>(i));
    CloseUp(true);
  } else if (!dropClick) {
    RECT own;
    GetClientRect(hwnd_, &own);
    if (!PtInRect(&own, client)) CloseUp(false);
  }
}

bool TComboBox::OnKeyDown(UINT vk, bool alt) {
  if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
    if (dropped_) CloseUp(true);
    else DropDown();
    return true;
  }
  const int count = Count();
  auto moved = [&](int from) -> int {
    switch (vk) {
      case VK_UP: return std::max(0, from - 1);
      case VK_DOWN: return std::min(count - 1, from + 1);
      case VK_PRIOR: return std::max(0, from - std::max(1, minVisible_ - 1));
      case VK_NEXT: return std::min(count - 1, from + std::max(1, minVisible_ - 1));
      case VK_HOME: return 0;
      case VK_END: return count - 1;
      default: return -2;
    }
  };
  if (dropped_) {
    if (vk == VK_RETURN || vk == VK_ESCAPE) {
      CloseUp(vk == VK_RETURN);
      return true;
    }
    int to = moved(static_cast<int>(List(LB_GETCURSEL)));
    if (to == -2) return false;
    if (count > 0) List(LB_SETCURSEL, static_cast<WPARAM>(to));
    return true;
  }
  if ((vk == VK_HOME || vk == VK_END) && edit_) return false;  // the edit field's own keys
  int to = moved(selection_);
  if (to == -2) return false;
  if (count > 0) Choose(to);
  return true;
}

void TComboBox::OnChar(Char ch) {
  if (!DropList() || ch < u' ') return;
  // Typing a letter selects the next item starting with it.
  const Char text[2] = {ch, 0};
  LRESULT at = List(LB_FINDSTRING, static_cast<WPARAM>(dropped_ ? List(LB_GETCURSEL) : selection_),
                    reinterpret_cast<LPARAM>(text));
  if (at < 0) return;
  if (dropped_) List(LB_SETCURSEL, static_cast<WPARAM>(at));
  else Choose(static_cast<int>(at));
}

void TComboBox::OnFocus(bool gained, HWND other) {
  // Focus passing between the combo box and its own edit field is no change for the owner.
  const bool within = other && (other == hwnd_ || other == edit_);
  if (gained) {
    if (edit_ && GetFocus() == hwnd_) {
      SetFocus(edit_);
      SendMessage(edit_, EM_SETSEL, 0, -1);
    }
    if (!focused_) {
      focused_ = true;
      Notify(CBN_SETFOCUS);
    }
  } else if (!within) {
    if (dropped_) CloseUp(false);
    focused_ = false;
    Notify(CBN_KILLFOCUS);
  }
  Redraw();
}

LRESULT TComboBox::ForwardOwnerDraw(UINT msg, LPARAM lParam) {
  HWND parent = GetParent(hwnd_);
  const UINT id = static_cast<UINT>(GetDlgCtrlID(hwnd_));
  switch (msg) {
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      di->CtlType = ODT_COMBOBOX;
      di->CtlID = id;
      di->hwndItem = hwnd_;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      mi->CtlType = ODT_COMBOBOX;
      mi->CtlID = id;
      break;
    }
    case WM_DELETEITEM: {
      auto* di = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
      di->CtlType = ODT_COMBOBOX;
      di->CtlID = id;
      di->hwndItem = hwnd_;
      break;
    }
  }
  return parent ? SendMessage(parent, msg, id, lParam) : 0;
}

void TComboBox::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  const bool enabled = IsWindowEnabled(hwnd_);
  HBRUSH back = ParentColorBrush(hwnd_, dc, WM_CTLCOLOREDIT, COLOR_WINDOWTEXT, COLOR_WINDOW);
  RECT edge = client;
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  RECT button = ButtonRect();
  DrawFrameControl(dc, &button, DFC_SCROLL,
                   DFCS_SCROLLCOMBOBOX | (dropped_ ? DFCS_PUSHED | DFCS_FLAT : 0) | (enabled ? 0 : DFCS_INACTIVE));
  if (edit_) return;
  RECT field = FieldRect();
  FillRect(dc, &field, enabled ? back : GetSysColorBrush(COLOR_BTNFACE));
  RECT item = field;
  InflateRect(&item, -1, -1);
  const bool highlight = focused_ && !dropped_ && enabled;
  if (OwnerDraw()) {
    DRAWITEMSTRUCT di;
    di.itemID = static_cast<UINT>(selection_);
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    di.hDC = dc;
    di.rcItem = item;
    di.itemData = selection_ >= 0 ? static_cast<ULONG_PTR>(List(LB_GETITEMDATA, static_cast<WPARAM>(selection_))) : 0;
    ForwardOwnerDraw(WM_DRAWITEM, reinterpret_cast<LPARAM>(&di));
    return;
  }
  if (highlight) FillRect(dc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
  if (selection_ >= 0) {
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : highlight ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = item;
    text.left += 2;
    String s = ItemText(selection_);
    DrawText(dc, s.c_str(), static_cast<int>(s.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
  }
  if (highlight) DrawFocusRect(dc, &item);
}

LRESULT TComboBox::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_DELETESTRING:
    case CB_RESETCONTENT:
    case CB_GETCOUNT:
    case CB_GETLBTEXT:
    case CB_GETLBTEXTLEN:
    case CB_GETITEMDATA:
    case CB_SETITEMDATA:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
    case CB_GETCURSEL:
    case CB_SETCURSEL:
    case CB_SETITEMHEIGHT:
    case CB_GETITEMHEIGHT:
    case CB_GETTOPINDEX:
    case CB_SETTOPINDEX: return ItemMessage(msg, wParam, lParam);
    case CB_SHOWDROPDOWN:
      if (wParam) DropDown();
      else CloseUp(false);
      return TRUE;
    case CB_GETDROPPEDSTATE: return dropped_;
    case CB_GETDROPPEDCONTROLRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = DropRect();
      return TRUE;
    case CB_SETDROPPEDWIDTH: droppedWidth_ = static_cast<int>(wParam); return droppedWidth_;
    case CB_GETDROPPEDWIDTH: return std::max<int>(droppedWidth_, [&] { RECT r; GetWindowRect(hwnd_, &r); return r.right - r.left; }());
    case CB_SETMINVISIBLE:
      if (static_cast<int>(wParam) < 1) return FALSE;
      minVisible_ = static_cast<int>(wParam);
      return TRUE;
    case CB_GETMINVISIBLE: return minVisible_;
    case CB_LIMITTEXT: return edit_ ? SendMessage(edit_, EM_LIMITTEXT, wParam, 0) : CB_ERR;
    case CB_GETEDITSEL: return edit_ ? SendMessage(edit_, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      return edit_ ? SendMessage(edit_, EM_SETSEL, LOWORD(static_cast<DWORD>(lParam)),
                                 static_cast<short>(HIWORD(static_cast<DWORD>(lParam))))
                   : CB_ERR;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return TextMessage(msg, wParam, lParam);
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam));
      if (lParam) Redraw();
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnMouseDown(at); return 0;
    case WM_MOUSEMOVE: OnMouseMove(at); return 0;
    case WM_LBUTTONUP: OnMouseUp(at); return 0;
    case WM_CAPTURECHANGED:
      if (dropped_ && reinterpret_cast<HWND>(lParam) != hwnd_) CloseUp(false);
      return 0;
    case WM_KEYDOWN: return OnKeyDown(static_cast<UINT>(wParam), false) ? 0 : DefWindowProc(hwnd_, msg, wParam, lParam);
    case WM_SYSKEYDOWN:
      return OnKeyDown(static_cast<UINT>(wParam), true) ? 0 : DefWindowProc(hwnd_, msg, wParam, lParam);
    case WM_CHAR: OnChar(static_cast<Char>(wParam)); return 0;
    case WM_SETFOCUS: OnFocus(true, reinterpret_cast<HWND>(wParam)); return 0;
    case WM_KILLFOCUS: OnFocus(false, reinterpret_cast<HWND>(wParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (dropped_ ? DLGC_WANTALLKEYS : 0);
    case WM_ENABLE:
      if (edit_) EnableWindow(edit_, static_cast<BOOL>(wParam));
      Redraw();
      return 0;
    case WM_SIZE:
      if (edit_) {
        RECT f = FieldRect();
        MoveWindow(edit_, f.left, f.top, f.right - f.left, f.bottom - f.top, TRUE);
      }
      Redraw();
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == edit_ && HIWORD(wParam) == EN_CHANGE) {
        Notify(CBN_EDITUPDATE);
        Notify(CBN_EDITCHANGE);
      }
      return 0;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM: return ForwardOwnerDraw(msg, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintClient(hwnd_, msg, wParam, [&](HDC dc) { Paint(dc); });
    default: return DefWindowProc(hwnd_, msg, wParam, lParam);
  }
}

TWindowStates<TComboBox>& States() {
  static TWindowStates<TComboBox> states;
  return states;
}

TComboBox* ComboOf(HWND combo) { return States().Get(combo); }

}  // namespace

LRESULT ComboBoxWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    States().Drop(hwnd);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  return States().Get(hwnd)->Handle(msg, wParam, lParam);
}
