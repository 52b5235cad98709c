#include "platform/forms/native/NativeCommon.h"

#include <algorithm>
#include <cstring>

#include "platform/forms/native/Notify.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

void NotifyParentCommand(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
              reinterpret_cast<LPARAM>(hwnd));
}

LRESULT NotifyParent(HWND hwnd, UINT code, NMHDR* header) {
  header->hwndFrom = hwnd;
  header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
  header->code = code;
  HWND parent = GetParent(hwnd);
  if (!parent) return 0;
  return SendMessage(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

HBRUSH ParentColorBrush(HWND hwnd, HDC dc, UINT colorMsg, int textColor, int backColor) {
  HWND parent = GetParent(hwnd);
  SetTextColor(dc, GetSysColor(textColor));
  SetBkColor(dc, GetSysColor(backColor));
  HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(SendMessage(parent, colorMsg, reinterpret_cast<WPARAM>(dc),
                                                               reinterpret_cast<LPARAM>(hwnd)))
                        : nullptr;
  return brush ? brush : GetSysColorBrush(backColor);
}

void SendDrawItem(HWND hwnd, DRAWITEMSTRUCT& item) {
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  item.hwndItem = hwnd;
  if (HWND parent = GetParent(hwnd))
    SendMessage(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

HFONT ControlFont(HFONT set) { return set ? set : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

int FontLineHeight(HFONT font) {
  TMeasureDC dc;
  dc.SetFont(font);
  TEXTMETRIC tm;
  GetTextMetrics(dc.Handle(), &tm);
  return std::max<int>(1, tm.tmHeight);
}

TMeasureDC::TMeasureDC() : dc_(CreateCompatibleDC(nullptr)) {}

TMeasureDC::~TMeasureDC() {
  if (dc_) DeleteDC(dc_);
}

void TMeasureDC::SetFont(HFONT font) { SelectObject(dc_, ControlFont(font)); }

void TMeasureDC::Extents(const Char* text, int count, std::vector<int>& extents) const {
  extents.resize(std::max(count, 0));
  if (count <= 0) return;
  SIZE size;
  GetTextExtentExPoint(dc_, text, count, 0, nullptr, extents.data(), &size);
}

int TMeasureDC::Width(const String& text) const {
  if (text.empty()) return 0;
  SIZE size;
  GetTextExtentPoint32(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

bool PutClipboardText(HWND owner, const String& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(Char));
  if (mem) {
    auto* p = static_cast<Char*>(GlobalLock(mem));
    std::memcpy(p, text.c_str(), (text.size() + 1) * sizeof(Char));
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
  }
  CloseClipboard();
  return mem != nullptr;
}

bool GetClipboardText(HWND owner, String* text) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) && !IsClipboardFormatAvailable(CF_TEXT)) return false;
  if (!OpenClipboard(owner)) return false;
  bool ok = false;
  HANDLE mem = GetClipboardData(CF_UNICODETEXT);
  if (mem) {
    const auto* p = static_cast<const Char*>(GlobalLock(mem));
    size_t max = GlobalSize(mem) / sizeof(Char);
    if (p) {
      size_t n = 0;
      while (n < max && p[n]) ++n;
      text->assign(p, n);
      ok = true;
    }
    GlobalUnlock(mem);
  }
  CloseClipboard();
  return ok;
}

std::optional<int> ScrollRequestTarget(WORD code, int pos, int line, int page, int track, int end) {
  switch (code) {
    case SB_LINEUP:
      return pos - line;
    case SB_LINEDOWN:
      return pos + line;
    case SB_PAGEUP:
      return pos - page;
    case SB_PAGEDOWN:
      return pos + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return track;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return end;
    default:
      return std::nullopt;
  }
}

DWORD WindowStyle(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
