// What the native window classes share: per-window state kept beside the window, parent
// notifications, fonts and text measuring.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

// The state of each window of a class, made on the window's first message and dropped at
// WM_NCDESTROY. Kept in a table rather than in window extra bytes, so that a subclass registered
// under another name (with its own extra bytes) still finds it.
template <class T>
class TWindowStates {
 public:
  T* Get(HWND hwnd) {
    auto& slot = states_[hwnd];
    if (!slot) slot = std::make_unique<T>(hwnd);
    return slot.get();
  }
  void Drop(HWND hwnd) { states_.erase(hwnd); }

 private:
  std::unordered_map<HWND, std::unique_ptr<T>> states_;
};

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

// The window's style bits.
DWORD WindowStyle(HWND hwnd);
inline bool HasStyle(HWND hwnd, DWORD bits) { return (WindowStyle(hwnd) & bits) != 0; }
