// The month calendar window class ("SysMonthCal32"): one month of days under a title with arrows
// to the months before and after; a click or Enter picks a day.
#pragma once

#include "platform/forms/native/Notify.h"
#include "platform/rtl/Locale.h"
#include "platform/rtl/WinDef.h"

inline const char16_t kMonthCalClassName[] = u"SysMonthCal32";

constexpr UINT MCM_FIRST = 0x1000;
constexpr UINT MCM_GETCURSEL = MCM_FIRST + 1;
constexpr UINT MCM_SETCURSEL = MCM_FIRST + 2;
constexpr UINT MCM_GETMINREQRECT = MCM_FIRST + 9;
constexpr UINT MCM_SETTODAY = MCM_FIRST + 12;
constexpr UINT MCM_GETTODAY = MCM_FIRST + 13;
constexpr UINT MCM_HITTEST = MCM_FIRST + 14;
constexpr UINT MCM_SETFIRSTDAYOFWEEK = MCM_FIRST + 15;
constexpr UINT MCM_GETRANGE = MCM_FIRST + 17;
constexpr UINT MCM_SETRANGE = MCM_FIRST + 18;

constexpr DWORD GDTR_MIN = 0x0001;
constexpr DWORD GDTR_MAX = 0x0002;

constexpr UINT MCN_FIRST = 0u - 750u;
constexpr UINT MCN_SELCHANGE = MCN_FIRST + 1;
constexpr UINT MCN_SELECT = MCN_FIRST + 4;

struct NMSELCHANGE {
  NMHDR nmhdr;
  SYSTEMTIME stSelStart;
  SYSTEMTIME stSelEnd;
};

// MCM_HITTEST: the day under a client point (its date in st) and what part was hit.
constexpr UINT MCHT_NOWHERE = 0x00000000;
constexpr UINT MCHT_TITLEBTNNEXT = 0x01020003;
constexpr UINT MCHT_TITLEBTNPREV = 0x02020003;
constexpr UINT MCHT_TITLE = 0x00010000;
constexpr UINT MCHT_CALENDARDAY = 0x00020001;
constexpr UINT MCHT_CALENDARDATEPREV = 0x02020001;
constexpr UINT MCHT_CALENDARDATENEXT = 0x01020001;
struct MCHITTESTINFO {
  UINT cbSize = sizeof(MCHITTESTINFO);
  POINT pt;
  UINT uHit = 0;
  SYSTEMTIME st;
};
