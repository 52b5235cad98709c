// What the native window classes share: per-window state kept beside the window, painting, parent
// notifications, fonts and text measuring.
#pragma once

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"
#include "platform/win/Messages.h"
#include "platform/win/Paint.h"

// The state of each window of a class, made on the window's first message and dropped from the
// table at WM_NCDESTROY. Kept in a table rather than in window extra bytes, so that a subclass
// registered under another name (with its own extra bytes) still finds it. Shared, because a
// handler that destroys its own window (a parent reacting to a notification) still runs on it.
template <class T>
class TWindowStates {
 public:
  std::shared_ptr<T> Get(HWND hwnd) {
    auto& slot = states_[hwnd];
    if (!slot) slot = std::make_shared<T>(hwnd);
    return slot;
  }
  void Drop(HWND hwnd) { states_.erase(hwnd); }

 private:
  std::unordered_map<HWND, std::shared_ptr<T>> states_;
};

// A window procedure's body: hands the message to `handle` with the window's state of type T; at
// WM_NCDESTROY drops the state and lets the default procedure finish. The state lives until the
// outermost message of the window returns, even when the window is destroyed inside it.
template <class T, class Handler>
LRESULT WithWindowState(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, Handler&& handle) {
  static TWindowStates<T> states;
  if (msg == WM_NCDESTROY) {
    states.Drop(hwnd);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<T> alive = states.Get(hwnd);
  return handle(*alive);
}

// WM_PAINT and WM_PRINTCLIENT: `paint` draws on the DC in wParam, or, for a WM_PAINT without one,
// on the DC of BeginPaint.
template <class Paint>
LRESULT PaintClient(HWND hwnd, UINT msg, WPARAM wParam, Paint&& paint) {
  if (msg == WM_PRINTCLIENT || wParam) {
    paint(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  paint(dc);
  EndPaint(hwnd, &ps);
  return 0;
}

// Sets the DC's default colours (system colours `textColor`, `backColor`) and asks the parent with
// `colorMsg` (WM_CTLCOLOR...) for the background brush; the system brush of `backColor` when the
// parent gives none.
HBRUSH ParentColorBrush(HWND hwnd, HDC dc, UINT colorMsg, int textColor, int backColor);

// WM_DRAWITEM to the parent for an owner-drawn control; fills in the control's id and handle.
struct DRAWITEMSTRUCT;
void SendDrawItem(HWND hwnd, DRAWITEMSTRUCT& item);

// WM_COMMAND to the parent (the owner for a pop-up) with the control's id and `code`.
void NotifyParentCommand(HWND hwnd, WORD code);
// WM_NOTIFY to the parent; `header` starts the record and is filled in here.
struct NMHDR;
LRESULT NotifyParent(HWND hwnd, UINT code, NMHDR* header);

// The font a control draws with: the one set by WM_SETFONT or the default GUI font.
HFONT ControlFont(HFONT set);
// The height of a line of the font (its cell height).
int FontLineHeight(HFONT font);
// A memory DC for measuring text in a font; freed by its destructor.
class TMeasureDC {
 public:
  TMeasureDC();
  ~TMeasureDC();
  TMeasureDC(const TMeasureDC&) = delete;
  TMeasureDC& operator=(const TMeasureDC&) = delete;
  void SetFont(HFONT font);
  HDC Handle() const { return dc_; }
  // extents[i] = width of text[0..i].
  void Extents(const Char* text, int count, std::vector<int>& extents) const;
  int Width(const String& text) const;

 private:
  HDC dc_ = nullptr;
};

// Copies `text` to the clipboard as text; false when the clipboard could not be opened.
bool PutClipboardText(HWND owner, const String& text);
// The clipboard's text, when it has some.
bool GetClipboardText(HWND owner, String* text);

// Where a scroll-bar request (SB_LINEUP ... SB_BOTTOM or the horizontal ones) moves a position
// from `pos`: a `line` or a `page` either way, to the thumb's `track`, to 0 or to `end`. Nothing
// for a request that does not move it.
std::optional<int> ScrollRequestTarget(WORD code, int pos, int line, int page, int track, int end);

// The window's style bits.
DWORD WindowStyle(HWND hwnd);
inline bool HasStyle(HWND hwnd, DWORD bits) { return (WindowStyle(hwnd) & bits) != 0; }
