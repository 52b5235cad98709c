// Cursors: the standard shapes, cursors from resources and files, the current cursor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

inline LPCWSTR IDC_ARROW = MAKEINTRESOURCE(32512);
inline LPCWSTR IDC_IBEAM = MAKEINTRESOURCE(32513);
inline LPCWSTR IDC_WAIT = MAKEINTRESOURCE(32514);
inline LPCWSTR IDC_CROSS = MAKEINTRESOURCE(32515);
inline LPCWSTR IDC_UPARROW = MAKEINTRESOURCE(32516);
inline LPCWSTR IDC_SIZENWSE = MAKEINTRESOURCE(32642);
inline LPCWSTR IDC_SIZENESW = MAKEINTRESOURCE(32643);
inline LPCWSTR IDC_SIZEWE = MAKEINTRESOURCE(32644);
inline LPCWSTR IDC_SIZENS = MAKEINTRESOURCE(32645);
inline LPCWSTR IDC_SIZEALL = MAKEINTRESOURCE(32646);
inline LPCWSTR IDC_NO = MAKEINTRESOURCE(32648);
inline LPCWSTR IDC_HAND = MAKEINTRESOURCE(32649);
inline LPCWSTR IDC_APPSTARTING = MAKEINTRESOURCE(32650);
inline LPCWSTR IDC_HELP = MAKEINTRESOURCE(32651);

// A standard cursor (instance nullptr) or one from the resources: the loader below is asked, then
// "<name>.cur" under the resource folder set with SetCursorResourceFolder. nullptr when not found.
HCURSOR LoadCursor(HINSTANCE instance, LPCWSTR name);
// Reads a .cur file (the icon-directory format with a hot spot).
HCURSOR LoadCursorFromFile(LPCWSTR fileName);
// From monochrome AND and XOR masks (1 bit per pixel, rows padded to 16 bits).
HCURSOR CreateCursor(HINSTANCE instance, int xHotSpot, int yHotSpot, int width, int height,
                     const void* andPlane, const void* xorPlane);
BOOL DestroyCursor(HCURSOR cursor);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// Counter: the cursor shows while it is >= 0.
int ShowCursor(BOOL show);

struct TCursorInfo {
  int standardId = 0;  // 32512 ... for the standard shapes, else 0
  POINT hotSpot;
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, transparent where alpha is 0
};
// What the display back end shows for a cursor; false when the handle is not a cursor.
bool GetCursorDetails(HCURSOR cursor, TCursorInfo* info);
// The display back end hears of cursor changes (nullptr: none shown).
void SetCursorChangedHook(std::function<void(HCURSOR)> hook);
void SetCursorResourceFolder(const std::string& folder);
void SetCursorResourceLoader(std::function<HCURSOR(HINSTANCE, LPCWSTR)> loader);
