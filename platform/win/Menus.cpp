// Menus as data, and the system menu with its items enabled as the window's state allows.
#include "platform/win/Menus.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/win/WinInternal.h"

namespace {

struct TMenuItem {
  UINT type = MFT_STRING;
  UINT state = 0;
  UINT id = 0;
  HMENU subMenu = nullptr;
  String text;
  HBITMAP bitmap = nullptr;
  ULONG_PTR data = 0;
};

struct TMenu {
  std::vector<TMenuItem> items;
  bool popup = false;
};

std::unordered_map<HMENU, std::unique_ptr<TMenu>>& Menus() {
  static std::unordered_map<HMENU, std::unique_ptr<TMenu>> menus;
  return menus;
}
std::uintptr_t g_nextMenu = 0x20010;

TMenu* M(HMENU h) {
  auto it = Menus().find(h);
  return it == Menus().end() ? nullptr : it->second.get();
}

HMENU NewMenu(bool popup) {
  HMENU h = reinterpret_cast<HMENU>(g_nextMenu);
  g_nextMenu += 2;
  auto m = std::make_unique<TMenu>();
  m->popup = popup;
  Menus().emplace(h, std::move(m));
  return h;
}

// Finds an item by position or by command (searching sub-menus); the menu holding it is returned.
TMenuItem* Find(HMENU menu, UINT item, bool byPosition, TMenu** owner = nullptr, size_t* index = nullptr) {
  TMenu* m = M(menu);
  if (!m) return nullptr;
  if (byPosition) {
    if (item >= m->items.size()) return nullptr;
    if (owner) *owner = m;
    if (index) *index = item;
    return &m->items[item];
  }
  for (size_t i = 0; i < m->items.size(); ++i) {
    TMenuItem& it = m->items[i];
    if (!it.subMenu && it.id == item && !(it.type & MFT_SEPARATOR)) {
      if (owner) *owner = m;
      if (index) *index = i;
      return &it;
    }
    if (it.subMenu)
      if (TMenuItem* found = Find(it.subMenu, item, false, owner, index)) return found;
  }
  return nullptr;
}

TMenuItem ItemFromFlags(UINT flags, UINT_PTR id, LPCWSTR text) {
  TMenuItem item;
  if (flags & MF_SEPARATOR)
    item.type = MFT_SEPARATOR;
  else if (flags & MF_BITMAP)
    item.type = MFT_BITMAP, item.bitmap = reinterpret_cast<HBITMAP>(const_cast<WCHAR*>(text));
  else if (flags & MF_OWNERDRAW)
    item.type = MFT_OWNERDRAW;
  item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT);
  if (flags & MF_POPUP)
    item.subMenu = reinterpret_cast<HMENU>(id);
  else
    item.id = static_cast<UINT>(id);
  if (text && !(flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR))) item.text = text;
  return item;
}

// The window commands carry the predefined pop-up bitmaps, which a menu drawn by a program of its
// own shows as glyphs. An MDI child closes with Ctrl+F4 and moves to the next child with Ctrl+F6.
void FillSystemMenu(HMENU h, const TWindow* w) {
  const bool mdiChild = IsMdiChild(w);
  auto command = [h](UINT flags, UINT id, const WCHAR* text, HBITMAP bitmap) {
    AppendMenu(h, MF_STRING | flags, id, text);
    if (!bitmap) return;
    MENUITEMINFO info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = bitmap;
    SetMenuItemInfo(h, id, FALSE, &info);
  };
  command(0, SC_RESTORE, u"&Restore", HBMMENU_POPUP_RESTORE());
  command(0, SC_MOVE, u"&Move", nullptr);
  command(0, SC_SIZE, u"&Size", nullptr);
  command(0, SC_MINIMIZE, u"Mi&nimize", HBMMENU_POPUP_MINIMIZE());
  command(0, SC_MAXIMIZE, u"Ma&ximize", HBMMENU_POPUP_MAXIMIZE());
  AppendMenu(h, MF_SEPARATOR, 0, nullptr);
  command(MF_DEFAULT, SC_CLOSE, mdiChild ? u"&Close\tCtrl+F4" : u"&Close\tAlt+F4", HBMMENU_POPUP_CLOSE());
  if (!mdiChild) return;
  AppendMenu(h, MF_SEPARATOR, 0, nullptr);
  command(0, SC_NEXTWINDOW, u"Nex&t\tCtrl+F6", nullptr);
}

// Items follow the window: what the current state or the styles do not allow is greyed, and
// ungreyed again when allowed; an item the program greyed itself keeps its state.
void UpdateSystemMenu(TWindow* w) {
  HMENU h = w->sysMenu;
  bool minimized = w->style & WS_MINIMIZE, maximized = w->style & WS_MAXIMIZE;
  auto& byState = w->sysMenuGreyedByState;
  auto set = [&](UINT id, bool enabled) {
    auto marked = std::find(byState.begin(), byState.end(), id);
    if (!enabled) {
      if (marked == byState.end() && (GetMenuState(h, id, MF_BYCOMMAND) & MF_GRAYED)) return;
      EnableMenuItem(h, id, MF_BYCOMMAND | MF_GRAYED);
      if (marked == byState.end()) byState.push_back(id);
    } else if (marked != byState.end()) {
      EnableMenuItem(h, id, MF_BYCOMMAND | MF_ENABLED);
      byState.erase(marked);
    }
  };
  set(SC_RESTORE, minimized || maximized);
  set(SC_MOVE, !maximized);
  set(SC_SIZE, !minimized && !maximized && (w->style & WS_THICKFRAME));
  set(SC_MINIMIZE, !minimized && (w->style & WS_MINIMIZEBOX));
  set(SC_MAXIMIZE, !maximized && (w->style & WS_MAXIMIZEBOX));
  set(SC_CLOSE, !(w->cls->style & CS_NOCLOSE));
}

}  // namespace

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu) {
  TMenu* m = M(menu);
  if (!m) return FALSE;
  std::vector<HMENU> subs;
  for (auto& it : m->items)
    if (it.subMenu) subs.push_back(it.subMenu);
  Menus().erase(menu);
  for (HMENU s : subs) DestroyMenu(s);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return M(menu) != nullptr; }

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  TWindow* w = Wnd(hwnd);
  if (!w) return nullptr;
  if (revert) {
    DestroySystemMenu(w);
    return nullptr;
  }
  if (!(w->style & WS_SYSMENU) && !w->sysMenu) return nullptr;
  if (!w->sysMenu) {
    w->sysMenu = NewMenu(true);
    FillSystemMenu(w->sysMenu, w);
  }
  UpdateSystemMenu(w);
  return w->sysMenu;
}

void DestroySystemMenu(TWindow* w) {
  if (w->sysMenu) DestroyMenu(w->sysMenu);
  w->sysMenu = nullptr;
  w->sysMenuGreyedByState.clear();
}

bool SystemCommandAllowed(HWND hwnd, UINT command) {
  TWindow* w = Wnd(hwnd);
  // A window whose menu nobody asked for has the default one: everything its state allows.
  if (!w || !w->sysMenu) return true;
  UpdateSystemMenu(w);
  UINT state = GetMenuState(w->sysMenu, command & 0xFFF0, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

int GetMenuItemCount(HMENU menu) {
  TMenu* m = M(menu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int pos) {
  TMenu* m = M(menu);
  if (!m || pos < 0 || pos >= static_cast<int>(m->items.size())) return static_cast<UINT>(-1);
  const TMenuItem& it = m->items[pos];
  return it.subMenu ? static_cast<UINT>(-1) : it.id;
}

HMENU GetSubMenu(HMENU menu, int pos) {
  TMenu* m = M(menu);
  if (!m || pos < 0 || pos >= static_cast<int>(m->items.size())) return nullptr;
  return m->items[pos].subMenu;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  TMenuItem* it = Find(menu, item, flags & MF_BYPOSITION);
  if (!it) return static_cast<UINT>(-1);
  UINT state = it->state | it->type;
  if (it->subMenu) state |= MF_POPUP | (static_cast<UINT>(GetMenuItemCount(it->subMenu)) << 8);
  return state;
}

int GetMenuString(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
  TMenuItem* it = Find(menu, item, flags & MF_BYPOSITION);
  if (!it) return 0;
  int n = static_cast<int>(it->text.size());
  if (!buffer || maxCount <= 0) return n;
  n = std::min(n, maxCount - 1);
  std::copy_n(it->text.begin(), n, buffer);
  buffer[n] = 0;
  return n;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
  TMenuItem* it = Find(menu, item, byPosition);
  if (!it || !info) return FALSE;
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = it->type;
  if (info->fMask & MIIM_STATE) info->fState = it->state;
  if (info->fMask & MIIM_ID)
    info->wID = it->subMenu ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(it->subMenu)) : it->id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = it->subMenu;
  if (info->fMask & MIIM_DATA) info->dwItemData = it->data;
  if (info->fMask & MIIM_BITMAP) info->hbmpItem = it->bitmap;
  if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
    if (info->dwTypeData && info->cch > 0) {
      UINT n = std::min<UINT>(static_cast<UINT>(it->text.size()), info->cch - 1);
      std::copy_n(it->text.begin(), n, info->dwTypeData);
      info->dwTypeData[n] = 0;
    }
    info->cch = static_cast<UINT>(it->text.size());
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
  TMenuItem* it = Find(menu, item, byPosition);
  if (!it || !info) return FALSE;
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) it->type = info->fType;
  if (info->fMask & MIIM_STATE) it->state = info->fState;
  if (info->fMask & MIIM_ID) it->id = info->wID;
  if (info->fMask & MIIM_SUBMENU) it->subMenu = info->hSubMenu;
  if (info->fMask & MIIM_DATA) it->data = info->dwItemData;
  if (info->fMask & MIIM_BITMAP) it->bitmap = info->hbmpItem;
  if ((info->fMask & (MIIM_STRING | MIIM_TYPE)) && info->dwTypeData) it->text = info->dwTypeData;
  return TRUE;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
  TMenu* m = M(menu);
  if (!m || !info) return FALSE;
  TMenuItem n;
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) n.type = info->fType;
  if (info->fMask & MIIM_STATE) n.state = info->fState;
  if (info->fMask & MIIM_ID) n.id = info->wID;
  if (info->fMask & MIIM_SUBMENU) n.subMenu = info->hSubMenu;
  if (info->fMask & MIIM_DATA) n.data = info->dwItemData;
  if (info->fMask & MIIM_BITMAP) n.bitmap = info->hbmpItem;
  if ((info->fMask & (MIIM_STRING | MIIM_TYPE)) && info->dwTypeData) n.text = info->dwTypeData;
  size_t pos = m->items.size();
  if (byPosition) {
    pos = std::min<size_t>(item, m->items.size());
  } else {
    TMenu* owner = nullptr;
    size_t index = 0;
    if (Find(menu, item, false, &owner, &index) && owner == m) pos = index;
  }
  m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(pos), n);
  return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR text) {
  TMenu* m = M(menu);
  if (!m) return FALSE;
  TMenu* target = m;
  size_t pos = m->items.size();
  if (flags & MF_BYPOSITION) {
    if (position != static_cast<UINT>(-1)) pos = std::min<size_t>(position, m->items.size());
  } else {
    TMenu* owner = nullptr;
    size_t index = 0;
    if (Find(menu, position, false, &owner, &index)) {
      target = owner;
      pos = index;
    }
  }
  target->items.insert(target->items.begin() + static_cast<std::ptrdiff_t>(pos),
                       ItemFromFlags(flags, idNewItem, text));
  return TRUE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCWSTR text) {
  TMenu* m = M(menu);
  if (!m) return FALSE;
  m->items.push_back(ItemFromFlags(flags, idNewItem, text));
  return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR text) {
  TMenuItem* it = Find(menu, position, flags & MF_BYPOSITION);
  if (!it) return FALSE;
  *it = ItemFromFlags(flags, idNewItem, text);
  return TRUE;
}

namespace {
BOOL RemoveItem(HMENU menu, UINT position, UINT flags, bool destroySub) {
  TMenu* owner = nullptr;
  size_t index = 0;
  TMenuItem* it = Find(menu, position, flags & MF_BYPOSITION, &owner, &index);
  if (!it) return FALSE;
  HMENU sub = it->subMenu;
  owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(index));
  if (destroySub && sub) DestroyMenu(sub);
  return TRUE;
}
}  // namespace

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return RemoveItem(menu, position, flags, true); }
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return RemoveItem(menu, position, flags, false); }

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  TMenuItem* it = Find(menu, item, enable & MF_BYPOSITION);
  if (!it) return static_cast<UINT>(-1);
  UINT old = it->state & (MF_GRAYED | MF_DISABLED);
  it->state = (it->state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
  TMenuItem* it = Find(menu, item, check & MF_BYPOSITION);
  if (!it) return static_cast<DWORD>(-1);
  DWORD old = it->state & MF_CHECKED;
  it->state = (it->state & ~MF_CHECKED) | (check & MF_CHECKED);
  return old;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT) {
  TMenu* m = M(menu);
  if (!m) return static_cast<UINT>(-1);
  for (size_t i = 0; i < m->items.size(); ++i)
    if (m->items[i].state & MFS_DEFAULT) return byPosition ? static_cast<UINT>(i) : m->items[i].id;
  return static_cast<UINT>(-1);
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  TMenu* m = M(menu);
  if (!m) return FALSE;
  for (auto& it : m->items) it.state &= ~MFS_DEFAULT;
  if (item == static_cast<UINT>(-1)) return TRUE;
  TMenuItem* it = Find(menu, item, byPosition);
  if (!it) return FALSE;
  it->state |= MFS_DEFAULT;
  return TRUE;
}
