// Sending and posting messages, the thread message queue and the message loop.
#pragma once

#include <functional>

#include "platform/rtl/WinDef.h"
#include "platform/win/MessageIds.h"
#include "platform/win/WindowTree.h"

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

// PeekMessage options.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
constexpr UINT PM_NOYIELD = 0x0002;

// Wake masks for MsgWaitForMultipleObjects and GetQueueStatus.
constexpr UINT QS_KEY = 0x0001;
constexpr UINT QS_MOUSEMOVE = 0x0002;
constexpr UINT QS_MOUSEBUTTON = 0x0004;
constexpr UINT QS_POSTMESSAGE = 0x0008;
constexpr UINT QS_TIMER = 0x0010;
constexpr UINT QS_PAINT = 0x0020;
constexpr UINT QS_SENDMESSAGE = 0x0040;
constexpr UINT QS_MOUSE = QS_MOUSEMOVE | QS_MOUSEBUTTON;
constexpr UINT QS_INPUT = QS_MOUSE | QS_KEY;
constexpr UINT QS_ALLEVENTS = QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT;
constexpr UINT QS_ALLINPUT = QS_ALLEVENTS | QS_SENDMESSAGE;

constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD INFINITE = 0xFFFFFFFF;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Returns without waiting when the window belongs to another thread.
BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// True while the current thread is processing a message sent from another thread.
BOOL InSendMessage();
BOOL ReplyMessage(LRESULT result);

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
// Waits for a message; 0 on WM_QUIT, -1 on an invalid window filter.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL WaitMessage();
DWORD GetQueueStatus(UINT flags);
DWORD GetMessageTime();
DWORD GetMessagePos();
LPARAM GetMessageExtraInfo();
UINT RegisterWindowMessage(LPCWSTR name);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Events: a kernel-object stand-in for MsgWaitForMultipleObjects and WaitForSingleObject.
HANDLE CreateEvent(void* attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL CloseHandle(HANDLE handle);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// Waits until one of the handles is signalled (WAIT_OBJECT_0 + i) or input of `wakeMask` arrives
// (WAIT_OBJECT_0 + count); sent messages are serviced while waiting. Time-outs read the clock.
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask);

DWORD GetCurrentThreadId();
// The user-interface thread: all windows belong to it; window calls made on other threads are
// carried out there as sent messages.
DWORD GetUiThreadId();
bool IsUiThread();
// Runs `call` on the user-interface thread and waits for it, servicing messages sent to the caller.
void RunOnUiThread(const std::function<void()>& call);
// Starts a thread that has a message queue (the thread function gets `param`).
HANDLE CreateThread(void* attributes, size_t stackSize, DWORD (*start)(void*), void* param, DWORD flags,
                    DWORD* threadId);

// Hands every pending message of the current thread to DispatchMessage (after TranslateMessage)
// until the queue is empty; WM_QUIT is put back. Returns false when WM_QUIT was seen.
bool ProcessPendingMessages();
