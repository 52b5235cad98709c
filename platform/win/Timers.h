// Timers and time: WM_TIMER is generated when the queue is read and a timer is due on the clock.
#pragma once

#include "platform/rtl/WinDef.h"

using TIMERPROC = void (*)(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);

constexpr UINT USER_TIMER_MINIMUM = 10;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// With a window, `id` names the timer (setting it again restarts it); without one, a new id is
// returned. The answer is 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

DWORD GetTickCount();
UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT milliseconds);
// Waits on the clock (a virtual clock makes this return at once, moved on by `milliseconds`).
void Sleep(DWORD milliseconds);
