#include "platform/forms/native/ButtonWindow.h"

#include "platform/forms/native/ButtonControls.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/forms/native/Notify.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kCheckSize = 13;

struct TButtonWindow {
  explicit TButtonWindow(HWND h) : hwnd(h) {}
  HWND hwnd;
  HFONT font = nullptr;
  WPARAM check = BST_UNCHECKED;
  bool pushed = false;
  bool focused = false;
  bool tracking = false;  // the left button went down on us and we hold the capture
  bool spaceDown = false;
};

DWORD TypeOf(HWND hwnd) { return WindowStyle(hwnd) & BS_TYPEMASK; }
bool IsPush(DWORD t) { return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON; }
bool IsRadio(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }
bool IsCheck(DWORD t) {
  return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

void Redraw(TButtonWindow& b);

void SetCheck(TButtonWindow& b, WPARAM check) {
  DWORD t = TypeOf(b.hwnd);
  if (!IsRadio(t) && !IsCheck(t)) return;
  if (check == BST_INDETERMINATE && t != BS_3STATE && t != BS_AUTO3STATE) check = BST_CHECKED;
  if (check > BST_INDETERMINATE) check = BST_CHECKED;
  if (b.check == check) return;
  b.check = check;
  Redraw(b);
}

// An auto radio button that becomes checked unchecks the other auto radio buttons of its group.
void UncheckGroup(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  HWND first = hwnd;
  while (!(WindowStyle(first) & WS_GROUP)) {
    HWND prev = GetWindow(first, GW_HWNDPREV);
    if (!prev) break;
    first = prev;
  }
  for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h != first && (WindowStyle(h) & WS_GROUP)) break;
    if (h == hwnd || GetClassNameString(h) != kButtonClassName) continue;
    if ((WindowStyle(h) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(TButtonWindow& b) {
  switch (TypeOf(b.hwnd)) {
    case BS_AUTOCHECKBOX:
      SetCheck(b, b.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(b, (b.check + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      SetCheck(b, BST_CHECKED);
      UncheckGroup(b.hwnd);
      break;
  }
  NotifyParentCommand(b.hwnd, BN_CLICKED);
}

void SetPushed(TButtonWindow& b, bool pushed) {
  if (b.pushed == pushed) return;
  b.pushed = pushed;
  Redraw(b);
}

void DrawOwner(TButtonWindow& b, HDC dc, UINT action) {
  DRAWITEMSTRUCT di;
  di.CtlType = ODT_BUTTON;
  di.itemAction = action;
  di.itemState = (b.pushed ? ODS_SELECTED : 0) | (b.focused ? ODS_FOCUS : 0) |
                 (IsWindowEnabled(b.hwnd) ? 0 : ODS_DISABLED);
  di.hDC = dc;
  GetClientRect(b.hwnd, &di.rcItem);
  SendDrawItem(b.hwnd, di);
}

void Paint(TButtonWindow& b, HDC dc, UINT ownerAction = ODA_DRAWENTIRE) {
  DWORD style = WindowStyle(b.hwnd);
  DWORD t = style & BS_TYPEMASK;
  if (t == BS_OWNERDRAW) {
    DrawOwner(b, dc, ownerAction);
    return;
  }
  RECT r;
  GetClientRect(b.hwnd, &r);
  bool enabled = IsWindowEnabled(b.hwnd);
  HBRUSH brush = ParentColorBrush(b.hwnd, dc, IsPush(t) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC, COLOR_BTNTEXT,
                                  COLOR_BTNFACE);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(b.font));
  SetBkMode(dc, TRANSPARENT);
  String text = GetWindowTextString(b.hwnd);
  UINT fmt = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  bool pushLike = IsPush(t) || ((style & BS_PUSHLIKE) && (IsCheck(t) || IsRadio(t)));
  if (pushLike) {
    bool down = b.pushed || (!IsPush(t) && b.check == BST_CHECKED);
    RECT f = r;
    if (t == BS_DEFPUSHBUTTON || (b.focused && IsPush(t))) {
      FrameRect(dc, &f, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&f, -1, -1);
    }
    DrawFrameControl(dc, &f, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | ((style & BS_FLAT) ? DFCS_FLAT : 0));
    RECT tr = f;
    if (down) OffsetRect(&tr, 1, 1);
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawText(dc, text, &tr, fmt | DT_CENTER | DT_VCENTER);
    if (b.focused) {
      RECT fr = f;
      InflateRect(&fr, -3, -3);
      DrawFocusRect(dc, &fr);
    }
  } else if (t == BS_GROUPBOX) {
    FillRect(dc, &r, brush);
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    RECT frame = r;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
      SIZE sz = TextExtent(dc, text);
      RECT tr{r.left + 8, r.top, r.left + 8 + sz.cx + 4, r.top + tm.tmHeight};
      FillRect(dc, &tr, brush);
      tr.left += 2;
      if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      DrawText(dc, text, &tr, DT_SINGLELINE | DT_LEFT);
    }
  } else {
    FillRect(dc, &r, brush);
    int y = (r.top + r.bottom - kCheckSize) / 2;
    bool leftText = (style & BS_LEFTTEXT) != 0;
    RECT box{leftText ? r.right - kCheckSize : r.left, y, 0, y + kCheckSize};
    box.right = box.left + kCheckSize;
    UINT state = IsRadio(t) ? DFCS_BUTTONRADIO
                            : ((t == BS_3STATE || t == BS_AUTO3STATE) && b.check == BST_INDETERMINATE
                                   ? DFCS_BUTTON3STATE | DFCS_CHECKED
                                   : DFCS_BUTTONCHECK);
    if (b.check == BST_CHECKED) state |= DFCS_CHECKED;
    if (b.pushed) state |= DFCS_PUSHED;
    if (!enabled) state |= DFCS_INACTIVE;
    if (style & BS_FLAT) state |= DFCS_FLAT;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    RECT tr = r;
    if (leftText)
      tr.right = box.left - 4;
    else
      tr.left = box.right + 4;
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawText(dc, text, &tr, fmt | DT_VCENTER | (leftText ? DT_RIGHT : DT_LEFT));
    if (b.focused && !text.empty()) {
      RECT calc = tr;
      DrawText(dc, text, &calc, fmt | DT_CALCRECT);
      int h = calc.bottom - calc.top;
      RECT fr{tr.left - 1, (r.top + r.bottom - h) / 2 - 1, 0, 0};
      fr.right = fr.left + (calc.right - calc.left) + 2;
      fr.bottom = fr.top + h + 2;
      DrawFocusRect(dc, &fr);
    }
  }
  SelectObject(dc, oldFont);
}

void Redraw(TButtonWindow& b) {
  if ((WindowStyle(b.hwnd) & BS_TYPEMASK) == BS_OWNERDRAW && IsWindowVisible(b.hwnd)) {
    // Owner-drawn buttons hear of a state change at once, as a selection or focus action.
    HDC dc = GetDC(b.hwnd);
    Paint(b, dc, ODA_SELECT);
    ReleaseDC(b.hwnd, dc);
    return;
  }
  InvalidateRect(b.hwnd, nullptr, TRUE);
}

LRESULT DialogCode(HWND hwnd) {
  DWORD t = TypeOf(hwnd);
  if (t == BS_GROUPBOX) return DLGC_STATIC;
  if (t == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (t == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (IsRadio(t)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  return DLGC_BUTTON;
}

LRESULT HandleButton(TButtonWindow& b, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = b.hwnd;
  DWORD style = WindowStyle(hwnd);
  DWORD t = style & BS_TYPEMASK;
  switch (msg) {
    case WM_NCHITTEST:
      if (t == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case BM_GETCHECK:
      return static_cast<LRESULT>(b.check);
    case BM_SETCHECK:
      SetCheck(b, wParam);
      return 0;
    case BM_GETSTATE:
      return static_cast<LRESULT>(b.check) | (b.pushed ? BST_PUSHED : 0) | (b.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(b, wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      LONG s = static_cast<LONG>((style & ~0xFFFFu) | (wParam & 0xFFFF));
      SetWindowLong(hwnd, GWL_STYLE, s);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case BM_CLICK:
      if (IsWindowEnabled(hwnd) && t != BS_GROUPBOX) {
        SetPushed(b, true);
        SetPushed(b, false);
        Click(b);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (IsRadio(t) || t == BS_OWNERDRAW || (style & BS_NOTIFY)) {
        NotifyParentCommand(hwnd, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (t == BS_GROUPBOX) return 0;
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (!IsWindow(hwnd)) return 0;
      SetCapture(hwnd);
      b.tracking = true;
      SetPushed(b, true);
      return 0;
    case WM_MOUSEMOVE:
      if (b.tracking) {
        RECT r;
        GetClientRect(hwnd, &r);
        SetPushed(b, PtInRect(&r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      }
      return 0;
    case WM_LBUTTONUP:
      if (b.tracking) {
        bool click = b.pushed;
        b.tracking = false;
        SetPushed(b, false);
        if (GetCapture() == hwnd) ReleaseCapture();
        if (click) Click(b);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (b.tracking) {
        b.tracking = false;
        SetPushed(b, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && t != BS_GROUPBOX) {
        b.spaceDown = true;
        SetPushed(b, true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && b.spaceDown) {
        b.spaceDown = false;
        SetPushed(b, false);
        Click(b);
      }
      return 0;
    case WM_SETFOCUS:
      b.focused = true;
      Redraw(b);
      if (style & BS_NOTIFY) NotifyParentCommand(hwnd, BN_SETFOCUS);
      // Reaching an auto radio button by the keyboard checks it.
      if (t == BS_AUTORADIOBUTTON && b.check != BST_CHECKED && !(GetKeyState(VK_LBUTTON) & 0x8000)) Click(b);
      return 0;
    case WM_KILLFOCUS:
      b.focused = false;
      b.spaceDown = false;
      if (b.tracking && GetCapture() == hwnd) ReleaseCapture();
      b.tracking = false;
      b.pushed = false;
      Redraw(b);
      if (style & BS_NOTIFY) NotifyParentCommand(hwnd, BN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      b.font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(b.font);
    case WM_GETDLGCODE:
      return DialogCode(hwnd);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintClient(hwnd, msg, wParam, [&](HDC dc) { Paint(b, dc); });
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

LRESULT ButtonWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WithWindowState<TButtonWindow>(
      hwnd, msg, wParam, lParam, [&](TButtonWindow& b) { return HandleButton(b, msg, wParam, lParam); });
}
