// Menus as data: the system menu of a window and the item calls made on menus. Menus
// are not shown by this layer; the framework draws its own.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_CHANGE = 0x0080;
constexpr UINT MF_APPEND = 0x0100;
constexpr UINT MF_DELETE = 0x0200;
constexpr UINT MF_REMOVE = 0x1000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_HILITE = 0x0080;

constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

// Predefined item bitmaps.
inline HBITMAP HBMMENU_SYSTEM() { return reinterpret_cast<HBITMAP>(1); }
inline HBITMAP HBMMENU_MBAR_RESTORE() { return reinterpret_cast<HBITMAP>(2); }
inline HBITMAP HBMMENU_MBAR_MINIMIZE() { return reinterpret_cast<HBITMAP>(3); }
inline HBITMAP HBMMENU_MBAR_CLOSE() { return reinterpret_cast<HBITMAP>(5); }
inline HBITMAP HBMMENU_POPUP_CLOSE() { return reinterpret_cast<HBITMAP>(8); }
inline HBITMAP HBMMENU_POPUP_RESTORE() { return reinterpret_cast<HBITMAP>(9); }
inline HBITMAP HBMMENU_POPUP_MAXIMIZE() { return reinterpret_cast<HBITMAP>(10); }
inline HBITMAP HBMMENU_POPUP_MINIMIZE() { return reinterpret_cast<HBITMAP>(11); }

struct MENUITEMINFO {
  UINT cbSize = sizeof(MENUITEMINFO);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  HBITMAP hbmpChecked = nullptr;
  HBITMAP hbmpUnchecked = nullptr;
  ULONG_PTR dwItemData = 0;
  LPWSTR dwTypeData = nullptr;
  UINT cch = 0;
  HBITMAP hbmpItem = nullptr;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// The window's system menu (Restore, Move, Size, Minimize, Maximize, separator, Close), created on
// first use; revert TRUE puts the default one back and returns nullptr.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int pos);
HMENU GetSubMenu(HMENU menu, int pos);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuString(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR text);
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCWSTR text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR text);
// DeleteMenu destroys a sub-menu of the item; RemoveMenu keeps it.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
