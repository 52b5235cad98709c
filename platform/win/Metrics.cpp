// System metrics of the classic look, parameters, the screen size and its one monitor.
#include "platform/win/Metrics.h"

#include <algorithm>
#include <cstring>

#include "platform/win/Messages.h"
#include "platform/win/Paint.h"
#include "platform/win/Timers.h"
#include "platform/win/WinInternal.h"

namespace {

int g_screenWidth = 1024;
int g_screenHeight = 768;
bool g_workAreaSet = false;
RECT g_workArea{0, 0, 1024, 768};
UINT g_wheelLines = 3;
BOOL g_dragFullWindows = TRUE;
HMONITOR const kMonitor = reinterpret_cast<HMONITOR>(0x10001);

void BroadcastSetting(UINT action) {
  static const WCHAR kEmpty[] = u"";
  SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, action, reinterpret_cast<LPARAM>(kEmpty));
}

}  // namespace

RECT ScreenRect() { return RECT{0, 0, g_screenWidth, g_screenHeight}; }

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
      return g_screenWidth;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
      return g_screenHeight;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
      return 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
      return 16;
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 16;
    case SM_CYCAPTION:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
      return 75;
    case SM_CYMENU:
      return 19;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
      return 18;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
      return 13;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return 18;
    case SM_CYSMCAPTION:
      return 16;
    case SM_CXSMSIZE:
      return 12;
    case SM_CYSMSIZE:
      return 15;
    case SM_CXFULLSCREEN:
      return g_workArea.right - g_workArea.left;
    case SM_CYFULLSCREEN:
      return g_workArea.bottom - g_workArea.top - 19;
    case SM_CXMAXIMIZED:
      return g_workArea.right - g_workArea.left + 8;
    case SM_CYMAXIMIZED:
      return g_workArea.bottom - g_workArea.top + 8;
    case SM_CXMIN:
    case SM_CXMINTRACK:
      return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK:
      return 27;
    case SM_CXMAXTRACK:
      return g_screenWidth + 12;
    case SM_CYMAXTRACK:
      return g_screenHeight + 12;
    case SM_CXMINIMIZED:
      return 160;
    case SM_CYMINIMIZED:
      return 24;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
      return 1;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
      return 1;
    case SM_CMOUSEBUTTONS:
      return 3;
    case SM_SWAPBUTTON:
    case SM_DEBUG:
    case SM_MENUDROPALIGNMENT:
    case SM_CYKANJIWINDOW:
      return 0;
    default:
      return 0;
  }
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni) {
  switch (action) {
    case SPI_GETWORKAREA:
      if (!pvParam) return FALSE;
      *static_cast<RECT*>(pvParam) = g_workArea;
      return TRUE;
    case SPI_SETWORKAREA:
      if (!pvParam) return FALSE;
      g_workArea = *static_cast<RECT*>(pvParam);
      g_workAreaSet = true;
      FitMaximizedWindowsToWorkArea();
      if (winIni & SPIF_SENDCHANGE) BroadcastSetting(SPI_SETWORKAREA);
      return TRUE;
    case SPI_GETWHEELSCROLLLINES:
      if (!pvParam) return FALSE;
      *static_cast<UINT*>(pvParam) = g_wheelLines;
      return TRUE;
    case SPI_SETWHEELSCROLLLINES:
      g_wheelLines = uiParam;
      if (winIni & SPIF_SENDCHANGE) BroadcastSetting(action);
      return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
      if (!pvParam) return FALSE;
      *static_cast<BOOL*>(pvParam) = g_dragFullWindows;
      return TRUE;
    case SPI_SETDRAGFULLWINDOWS:
      g_dragFullWindows = uiParam != 0;
      return TRUE;
    case SPI_SETDOUBLECLICKTIME:
      SetDoubleClickTime(uiParam);
      return TRUE;
    case SPI_GETBORDER:
      if (!pvParam) return FALSE;
      *static_cast<int*>(pvParam) = 1;
      return TRUE;
    case SPI_GETKEYBOARDDELAY:
      if (!pvParam) return FALSE;
      *static_cast<int*>(pvParam) = 1;
      return TRUE;
    case SPI_GETKEYBOARDSPEED:
      if (!pvParam) return FALSE;
      *static_cast<DWORD*>(pvParam) = 31;
      return TRUE;
    case SPI_GETMENUSHOWDELAY:
    case SPI_GETMOUSEHOVERTIME:
      if (!pvParam) return FALSE;
      *static_cast<UINT*>(pvParam) = 400;
      return TRUE;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
      if (!pvParam) return FALSE;
      *static_cast<UINT*>(pvParam) = 4;
      return TRUE;
    case SPI_GETCARETWIDTH:
      if (!pvParam) return FALSE;
      *static_cast<DWORD*>(pvParam) = 1;
      return TRUE;
    // Effects and accessibility: all off in the classic look.
    case SPI_GETMENUANIMATION:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETKEYBOARDCUES:
    case SPI_GETHOTTRACKING:
    case SPI_GETMENUFADE:
    case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETFLATMENU:
    case SPI_GETDROPSHADOW:
    case SPI_GETSCREENREADER:
    case SPI_GETKEYBOARDPREF:
    case SPI_GETFONTSMOOTHING:
    case SPI_GETSHOWIMEUI:
      if (!pvParam) return FALSE;
      *static_cast<BOOL*>(pvParam) = FALSE;
      return TRUE;
    default:
      return SystemParametersInfoFonts(action, uiParam, pvParam, winIni);
  }
}

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  RECT s = ScreenRect();
  if (PtInRect(&s, pt) || flags != MONITOR_DEFAULTTONULL) return kMonitor;
  return nullptr;
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
  RECT s = ScreenRect(), i;
  if ((rect && IntersectRect(&i, rect, &s)) || flags != MONITOR_DEFAULTTONULL) return kMonitor;
  return nullptr;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return flags != MONITOR_DEFAULTTONULL ? kMonitor : nullptr;
  return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != kMonitor || !info) return FALSE;
  info->rcMonitor = ScreenRect();
  info->rcWork = g_workArea;
  info->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}

void SetScreenSize(int width, int height) {
  if (!IsUiThread()) return MarshalToUi([&] { SetScreenSize(width, height); });
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == g_screenWidth && height == g_screenHeight) return;
  // A work area that was the whole screen stays the whole screen.
  const RECT oldScreen = ScreenRect();
  const bool workFollows = !g_workAreaSet || EqualRect(&g_workArea, &oldScreen);
  g_screenWidth = width;
  g_screenHeight = height;
  if (workFollows) g_workArea = ScreenRect();
  TWindow* desktop = WinState().desktop;
  desktop->rect = desktop->client = ScreenRect();
  ScreenSurface();
  RedrawWindow(nullptr, nullptr, nullptr, 0x0001 | 0x0004 | 0x0400 | 0x0080);
  SendMessage(HWND_BROADCAST, WM_DISPLAYCHANGE, 32,
              MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
  // A maximised window follows the screen (the desktop window's size on a real desktop).
  if (workFollows) FitMaximizedWindowsToWorkArea();
}

void SetWorkArea(const RECT& work) {
  if (!IsUiThread()) return MarshalToUi([&] { SetWorkArea(work); });
  RECT r = work;
  SystemParametersInfo(SPI_SETWORKAREA, 0, &r, SPIF_SENDCHANGE);
}

BOOL GetVersionEx(OSVERSIONINFO* info) {
  if (!info) return FALSE;
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 2600;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  return TRUE;
}

DWORD GetVersion() { return 0x0A280105; }
