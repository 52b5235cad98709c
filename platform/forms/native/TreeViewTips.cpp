// Tool tips over labels cut off by the client edge: the text is asked for with TTN_NEEDTEXT sent
// to the tree view itself (the framework may answer it), then shown in a pop-up over the label.
#include "platform/forms/native/TreeViewState.h"
#include "platform/forms/native/TreeViewWindow.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

void TNativeTreeView::HideTip() {
  tipItem_ = nullptr;
  if (tip_) ShowWindow(tip_, SW_HIDE);
}

bool TNativeTreeView::AnswerTipText(NMTTDISPINFO& info) {
  if (!tipItem_ || !items_.count(tipItem_)) return false;
  String text = ItemText(tipItem_);
  size_t n = std::min<size_t>(text.size(), 79);
  std::copy_n(text.data(), n, info.szText);
  info.szText[n] = 0;
  info.lpszText = info.szText;
  return true;
}

void TNativeTreeView::UpdateTip(TTreeItem* item) {
  if (item == tipItem_) return;
  HideTip();
  if (!item || (Style() & TVS_NOTOOLTIPS) || edit_) return;
  RECT label;
  if (!ItemRect(item, true, label)) return;
  if (label.left >= 0 && label.right <= ClientWidth()) return;
  if (!tip_) {
    tip_ = CreateWindowEx(WS_EX_TOPMOST, kTreeTipClassName, u"", WS_POPUP | WS_BORDER, 0, 0, 10, 10, hwnd_,
                          nullptr, nullptr, nullptr);
    if (!tip_) return;
  }
  tipItem_ = item;
  NMTTDISPINFO info;
  info.hdr.hwndFrom = tip_;
  info.hdr.idFrom = reinterpret_cast<UINT_PTR>(hwnd_);
  info.hdr.code = TTN_NEEDTEXT;
  SendMessage(hwnd_, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  String text = info.lpszText ? String(info.lpszText) : String(info.szText);
  if (text.empty() || tipItem_ != item) {
    tipItem_ = nullptr;
    return;
  }
  SendMessage(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(font_)), FALSE);
  SetWindowText(tip_, text.c_str());
  POINT at{label.left, label.top};
  ClientToScreen(hwnd_, &at);
  if (!measure_) measure_ = std::make_unique<TMeasureDC>();
  measure_->SetFont(ControlFont(font_));
  SetWindowPos(tip_, HWND_TOPMOST, at.x, at.y, measure_->Width(text) + 6, label.bottom - label.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = hwnd_;
  TrackMouseEvent(&tme);
}

// The tip pop-up: the text on the info colours.
LRESULT TreeTipWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETFONT:
      SetProp(hwnd, u"TipFont", reinterpret_cast<HANDLE>(wParam));
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
      String text(static_cast<size_t>(GetWindowTextLength(hwnd)), u'\0');
      GetWindowText(hwnd, text.data(), static_cast<int>(text.size()) + 1);
      HGDIOBJ old = SelectObject(dc, ControlFont(static_cast<HFONT>(GetProp(hwnd, u"TipFont"))));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      r.left += 2;
      DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      SelectObject(dc, old);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}
