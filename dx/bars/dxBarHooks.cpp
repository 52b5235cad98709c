// The thread hooks of the toolbar library, installed with the first manager and removed with the
// last: keys reach the open menus, the main menu (Alt, F10), the shortcuts and accelerators of the
// active form's bars; clicks outside the open menus close them; the owner forms' messages reach
// their managers.
#include <algorithm>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarKeyboard.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarPopupMenuLinks.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Hooks.h"
#include "platform/win/Windows.h"

namespace {

struct TBarHooks {
  HHOOK keyboard = nullptr;
  HHOOK mouse = nullptr;
  HHOOK callWndProc = nullptr;
  bool altArmed = false;
  bool swallowKeyUp = false;
  WPARAM swallowKey = 0;
  bool mouseHookBusy = false;
};

TBarHooks& BarHooks() {
  static TBarHooks hooks;
  return hooks;
}

bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }

// Whether a key other than Alt itself (whose release is being decided on) is held.
bool AnyOtherKeyDown() {
  BYTE state[256];
  GetKeyboardState(state);
  for (int vk = 0; vk < 256; ++vk) {
    if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) continue;
    if (state[vk] & 0x80) return true;
  }
  return false;
}

TShiftState CurrentShiftState() {
  TShiftState shift;
  if (KeyHeld(VK_SHIFT)) shift.Include(ssShift);
  if (KeyHeld(VK_MENU)) shift.Include(ssAlt);
  if (KeyHeld(VK_CONTROL)) shift.Include(ssCtrl);
  return shift;
}

TdxBarControl* MainMenuControl(TdxBarManager* Manager) {
  TdxBar* menu = Manager->MainMenuBar();
  return menu ? menu->Control() : nullptr;
}

// The manager whose menu and shortcuts the keys of the active window reach.
TdxBarManager* ManagerForKeys() {
  TCustomForm* form = dynamic_cast<TCustomForm*>(FindControl(GetActiveWindow()));
  if (!form || form->ComponentState().Contains(csDesigning)) return nullptr;
  // In an MDI parent the active child's bars come first.
  if (TCustomForm* child = form->ActiveMDIChild()) form = child;
  TdxBarManager* manager = BarManagerByForm(form);
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  TdxBarManager* mainManager = BarManagerByForm(main);
  // A child without a main menu of its own (or with it merged away) uses the parent's.
  if (form->FormStyle() == fsMDIChild && (!manager || !MainMenuControl(manager))) return mainManager;
  if (manager) return manager;
  if (mainManager && mainManager->AllowCallFromAnotherForm() && main->HandleAllocated() &&
      IsWindowEnabled(main->Handle()))
    return mainManager;
  return nullptr;
}

// The bars whose shortcuts and accelerators count: the main menu bar first, then every other
// visible bar in collection order.
std::vector<TdxBar*> KeyBars(TdxBarManager* Manager) {
  std::vector<TdxBar*> bars;
  if (TdxBar* menu = Manager->MainMenuBar()) bars.push_back(menu);
  for (int i = 0; i < Manager->Bars()->Count(); ++i) {
    TdxBar* bar = Manager->Bars()->Items(i);
    if (bar->Visible() && !bar->IsMainMenu()) bars.push_back(bar);
  }
  return bars;
}

// The first window the framework knows, walking up from Window.
TWinControl* KnownControlOf(HWND Window) {
  for (; Window; Window = GetParent(Window))
    if (TWinControl* control = FindControl(Window)) return control;
  return nullptr;
}

// The popup-menu links of the manager on the control's form, or none.
TdxBarPopupMenuLinks* PopupLinksOf(TWinControl* Control) {
  TdxBarManager* manager = Control ? BarManagerByForm(GetParentForm(Control)) : nullptr;
  return manager ? manager->PopupMenuLinks() : nullptr;
}

// Opens the popup menu linked to the control in or around Window; Point (-1, -1) is the keyboard's.
bool ShowLinkedPopup(HWND Window, POINT Point) {
  TWinControl* control = KnownControlOf(Window);
  TdxBarPopupMenuLinks* links = PopupLinksOf(control);
  return links && links->ShowPopupFor(control, Window, Point);
}

// The context key goes on its release, Shift+F10 on its press.
bool IsContextMenuKey(WPARAM Key, bool KeyUp) {
  if (Key == VK_APPS) return KeyUp;
  return Key == VK_F10 && !KeyUp && KeyHeld(VK_SHIFT) && !KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU);
}

bool DispatchShortCut(TdxBarManager* Manager, WPARAM Key) {
  TShortCut shortCut = static_cast<TShortCut>(Key);
  if (KeyHeld(VK_SHIFT)) shortCut += scShift;
  if (KeyHeld(VK_CONTROL)) shortCut += scCtrl;
  if (KeyHeld(VK_MENU)) shortCut += scAlt;
  // Every key typed into the form comes here: one pass over the items rules out most before the
  // bars' links are searched. Any manager's: a merged MDI child's items sit on the parent's menu.
  bool anyItem = false;
  for (int i = 0; i < BarManagers()->Count() && !anyItem; ++i) anyItem = BarManagers()->Items(i)->IsItemShortCut(shortCut);
  if (!anyItem) return false;
  // The menus of the focused control come before every bar.
  TWinControl* focused = KnownControlOf(GetFocus());
  if (TdxBarPopupMenuLinks* links = PopupLinksOf(focused); links && links->HandleShortCut(focused, shortCut))
    return true;
  for (TdxBar* bar : KeyBars(Manager))
    if (bar->ItemLinks()->FindShortCut(shortCut)) return true;
  return false;
}

// Alt+letter: a unique accelerator runs its control at once; a shared one (or one of a control
// that keeps the menus open) only puts its bar into menu mode with it selected.
bool RunAccelerator(TdxBarManager* Manager, WPARAM Key) {
  TShiftState shift = CurrentShiftState();
  shift.Exclude(ssAlt);
  for (TdxBar* bar : KeyBars(Manager)) {
    TdxBarControl* control = bar->Control();
    if (!control || !IsWindowVisible(control->Handle())) continue;
    TdxBarItemLinks* links = bar->ItemLinks();
    TdxBarItemLink* found = links->FindAccelerated(static_cast<WORD>(Key), shift, nullptr);
    if (!found) continue;
    if (!found->Item()->Enabled() || !found->Control()) return false;
    TdxBarItemLink* again = links->FindAccelerated(static_cast<WORD>(Key), shift, found);
    bool unique = !again || again == found;
    TdxBarItemControl* itemControl = found->Control();
    if (!unique || !itemControl->ClosesMenusOnClick()) control->EnterMenuMode(itemControl);
    if (unique) itemControl->ControlClick(false);
    return true;
  }
  return false;
}

bool ProcessBarKey(TdxBarManager* Manager, WPARAM Key) {
  if (DispatchShortCut(Manager, Key)) return true;
  return KeyHeld(VK_MENU) && RunAccelerator(Manager, Key);
}

// The decision for one key event: true discards it.
bool HandleBarKey(WPARAM Key, LPARAM KeyData) {
  TBarHooks& hooks = BarHooks();
  bool keyUp = (static_cast<DWORD>(KeyData) & 0x80000000u) != 0;
  if (Key == VK_PROCESSKEY) return false;
  if (hooks.swallowKeyUp && keyUp && Key == hooks.swallowKey) {
    hooks.swallowKeyUp = false;
    return true;
  }
  TCustomdxBarControl* active = ActiveBarControl();
  // A menu being torn off leaves its keys to the drag loop.
  if (active && !active->BarManager()->SubMenuDragging()) {
    // A bar edit being typed into takes its keys itself.
    TdxBarItemControl* selected = active->SelectedControl();
    bool editing = selected && selected->InnerEditActive();
    if (!active->IsCustomizing() && !editing) {
      if (!keyUp) {
        hooks.swallowKeyUp = true;
        hooks.swallowKey = Key;
      }
      SendMessage(active->Handle(), keyUp ? WM_KEYUP : WM_KEYDOWN, Key, KeyData);
      // Only the key-up of a key that closed the menus is kept from the focused window.
      if (ActiveBarControl() || !KeyHeld(static_cast<int>(Key))) hooks.swallowKeyUp = false;
      return true;
    }
    if (Key == VK_ESCAPE && GetCapture() == active->Handle()) {
      ReleaseCapture();
      return true;
    }
  }
  if (GetCapture()) return false;
  if (IsContextMenuKey(Key, keyUp) && ShowLinkedPopup(GetFocus(), POINT{-1, -1})) return true;
  TdxBarManager* manager = ManagerForKeys();
  if (!manager || manager->IsCustomizing() || manager->IsDesigning() || manager->KeyboardBarControl())
    return false;
  if (keyUp) {
    TdxBarControl* menu = MainMenuControl(manager);
    bool altAlone = Key == VK_MENU && hooks.altArmed && !AnyOtherKeyDown();
    bool f10 = manager->UseF10ForMenu() && Key == VK_F10 && !KeyHeld(VK_SHIFT) && !KeyHeld(VK_CONTROL) &&
               !KeyHeld(VK_MENU);
    hooks.altArmed = false;
    if (menu && (altAlone || f10)) {
      menu->EnterMenuMode(nullptr);
      return true;
    }
    return false;
  }
  if (Key == VK_MENU) {
    hooks.altArmed = true;
    return false;
  }
  hooks.altArmed = false;
  return ProcessBarKey(manager, Key);
}

// A discarded key is pressed or released all the same: the thread's key state must say so, or Alt
// would stay held for everything that follows, and an open menu could not tell Ctrl+Down from Down.
void SetKeyHeld(WPARAM Key, bool Down) {
  BYTE state[256];
  GetKeyboardState(state);
  auto set = [&](int vk) { state[vk] = Down ? (state[vk] | 0x80) : (state[vk] & 0x7F); };
  set(static_cast<int>(Key & 0xFF));
  if (Key == VK_MENU) set(VK_LMENU), set(VK_RMENU);
  if (Key == VK_CONTROL) set(VK_LCONTROL), set(VK_RCONTROL);
  if (Key == VK_SHIFT) set(VK_LSHIFT), set(VK_RSHIFT);
  SetKeyboardState(state);
}

LRESULT BarKeyboardHook(int Code, WPARAM WParam, LPARAM LParam) {
  bool discard = Code >= 0 && HandleBarKey(WParam, LParam);
  if (discard) SetKeyHeld(WParam, !(static_cast<DWORD>(LParam) & 0x80000000u));
  LRESULT next = CallNextHookEx(BarHooks().keyboard, Code, WParam, LParam);
  return discard ? 1 : next;
}

// Whether the window is one of the open bar windows (or a child of one).
bool InsideActiveChain(HWND Window) {
  for (TCustomdxBarControl* c = ActiveBarControl(); IsBarControlAlive(c); c = c->ParentBarControl()) {
    if (!c->HandleAllocated()) continue;
    if (Window == c->Handle() || GetParent(Window) == c->Handle()) return true;
    // A combo's open list belongs to the control that dropped it down.
    if (c->SelectedControl() && c->SelectedControl()->OwnsWindow(Window)) return true;
  }
  return false;
}

bool IsPress(WPARAM Message) {
  switch (Message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

// A press outside the open menus closes them, one level at a time, until it lies inside what is
// left open.
bool CloseMenusForClick(WPARAM Message, const MOUSEHOOKSTRUCT& Info) {
  if (!IsPress(Message)) return false;
  while (TCustomdxBarControl* active = ActiveBarControl()) {
    if (InsideActiveChain(Info.hwnd)) break;
    TCustomdxBarControl* parent = active->ParentBarControl();
    active->SetActive(false);
    if (ActiveBarControl() == active) break;  // nothing changed: do not loop
    if (!IsBarControlAlive(parent)) break;
  }
  return Info.hwnd && !IsWindowVisible(Info.hwnd);
}

LRESULT BarMouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  TBarHooks& hooks = BarHooks();
  bool discard = false;
  if (Code == HC_ACTION && RedirectToCustomizedBar(WParam, *reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam))) {
    CallNextHookEx(hooks.mouse, Code, WParam, LParam);
    return 1;
  }
  if (Code >= 0 && !hooks.mouseHookBusy && ActiveBarControl()) {
    TValueScope busy(hooks.mouseHookBusy, true);
    discard = CloseMenusForClick(WParam, *reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam));
  }
  if (Code >= 0 && !discard && (WParam == WM_RBUTTONUP || WParam == WM_NCRBUTTONUP)) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
    discard = ShowLinkedPopup(info->hwnd, info->pt);
  }
  LRESULT next = CallNextHookEx(hooks.mouse, Code, WParam, LParam);
  return discard ? 1 : next;
}

bool RedirectHelpToMenuOwner(HWND Target, LPARAM HelpInfo) {
  TCustomdxBarControl* active = ActiveBarControl();
  if (!active) return false;
  TdxBarManager* manager = active->BarManager();
  TWinControl* target = FindControl(GetAncestor(Target, GA_ROOT));
  if (!manager->ParentForm() || target == manager->ParentForm()) return false;
  manager->HandleOwnerFormMessage(WM_HELP, 0, HelpInfo);
  return true;
}

// Hands the owner forms' messages to their managers before the forms see them.
LRESULT BarCallWndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && BarManagers()) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(LParam);
    // F1 in another form while a menu is open is the menu's owner form's to answer.
    if (message->message == WM_HELP && RedirectHelpToMenuOwner(message->hwnd, message->lParam)) {
      return CallNextHookEx(BarHooks().callWndProc, Code, WParam, LParam);
    }
    if (message->message == WM_CHILDACTIVATE || message->message == WM_DESTROY ||
        message->message == WM_MDIACTIVATE)
      dxbars_internal::DeliverMDIClientMessage(message->hwnd, message->message, message->wParam, message->lParam);
    for (int i = 0; i < BarManagers()->Count(); ++i) {
      TdxBarManager* manager = BarManagers()->Items(i);
      TCustomForm* form = manager->ParentForm();
      if (!form) continue;
      // A form on its way out may have lost its window part already: it is not asked anything,
      // and only the end of its window is passed on (the manager saves the layout then).
      if (form->ComponentState().Contains(csDestroying)) {
        if (message->message == WM_DESTROY && FindControl(message->hwnd) == form) {
          manager->HandleOwnerFormMessage(message->message, message->wParam, message->lParam);
          break;
        }
        continue;
      }
      if (form->HandleAllocated() && form->Handle() == message->hwnd) {
        manager->HandleOwnerFormMessage(message->message, message->wParam, message->lParam);
        break;
      }
    }
  }
  return CallNextHookEx(BarHooks().callWndProc, Code, WParam, LParam);
}

}  // namespace

bool CallBarKeyboardProcDirectly(WPARAM Key, LPARAM KeyData, bool ArmAlt) {
  if (ArmAlt) BarHooks().altArmed = true;
  return HandleBarKey(Key, KeyData);
}

namespace dxbars_internal {

void InstallBarHooks() {
  TBarHooks& hooks = BarHooks();
  DWORD thread = GetCurrentThreadId();
  if (!hooks.keyboard) hooks.keyboard = SetWindowsHookEx(WH_KEYBOARD, &BarKeyboardHook, nullptr, thread);
  if (!hooks.mouse) hooks.mouse = SetWindowsHookEx(WH_MOUSE, &BarMouseHook, nullptr, thread);
  if (!hooks.callWndProc)
    hooks.callWndProc = SetWindowsHookEx(WH_CALLWNDPROC, &BarCallWndProcHook, nullptr, thread);
}

void RemoveBarHooks() {
  TBarHooks& hooks = BarHooks();
  for (HHOOK* hook : {&hooks.callWndProc, &hooks.mouse, &hooks.keyboard}) {
    if (*hook) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
  }
  hooks.altArmed = false;
  hooks.swallowKeyUp = false;
}

bool BarHooksInstalled() {
  const TBarHooks& hooks = BarHooks();
  return hooks.keyboard && hooks.mouse && hooks.callWndProc;
}

}  // namespace dxbars_internal
