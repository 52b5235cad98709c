// The button window class ("BUTTON"): push buttons, check boxes, radio buttons, group boxes and
// owner-drawn buttons.
#pragma once

#include "platform/rtl/WinDef.h"
#include "platform/win/MessageIds.h"

inline const char16_t kButtonClassName[] = u"BUTTON";

constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_USERBUTTON = 0x0008;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_OWNERDRAW = 0x000B;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr DWORD BS_LEFTTEXT = 0x0020;
constexpr DWORD BS_RIGHTBUTTON = BS_LEFTTEXT;
constexpr DWORD BS_LEFT = 0x0100;
constexpr DWORD BS_RIGHT = 0x0200;
constexpr DWORD BS_CENTER = 0x0300;
constexpr DWORD BS_TOP = 0x0400;
constexpr DWORD BS_BOTTOM = 0x0800;
constexpr DWORD BS_VCENTER = 0x0C00;
constexpr DWORD BS_PUSHLIKE = 0x1000;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr DWORD BS_NOTIFY = 0x4000;
constexpr DWORD BS_FLAT = 0x8000;

constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;

constexpr WPARAM BST_UNCHECKED = 0x0000;
constexpr WPARAM BST_CHECKED = 0x0001;
constexpr WPARAM BST_INDETERMINATE = 0x0002;
constexpr LRESULT BST_PUSHED = 0x0004;
constexpr LRESULT BST_FOCUS = 0x0008;

constexpr WORD BN_PAINT = 1;
constexpr WORD BN_HILITE = 2;
constexpr WORD BN_UNHILITE = 3;
constexpr WORD BN_DISABLE = 4;
constexpr WORD BN_SETFOCUS = 6;
constexpr WORD BN_KILLFOCUS = 7;
