// The clipboard, kept in the process; the display back end bridges its text to the desktop.
#pragma once

#include <functional>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_LOCALE = 16;

// Movable memory blocks, the currency of clipboard data.
using HGLOBAL = HANDLE;
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
void* GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
size_t GlobalSize(HGLOBAL mem);
HGLOBAL GlobalFree(HGLOBAL mem);

BOOL OpenClipboard(HWND owner);
// Tells the viewer chain (WM_DRAWCLIPBOARD) and the bridge when the contents changed.
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The clipboard takes over `data` (an HGLOBAL, or an HBITMAP for CF_BITMAP).
HANDLE SetClipboardData(UINT format, HANDLE data);
// CF_TEXT and CF_UNICODETEXT are converted into each other (through the locale's code page).
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
UINT RegisterClipboardFormat(LPCWSTR name);
int GetClipboardFormatName(UINT format, LPWSTR buffer, int maxCount);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
DWORD GetClipboardSequenceNumber();

HWND SetClipboardViewer(HWND viewer);
BOOL ChangeClipboardChain(HWND remove, HWND next);
HWND GetClipboardViewer();

// The display back end: `publish` hears the text whenever the clipboard holds new text; the
// desktop's text comes in through ImportClipboardText (owner none, viewers told).
void SetClipboardBridge(std::function<void(const String& text)> publish);
void ImportClipboardText(const String& text);
