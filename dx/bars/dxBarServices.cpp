#include "dx/bars/dxBarServices.h"

#include <algorithm>
#include <memory>

#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/forms/GraphicsObjects.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Region.h"
#include "platform/win/Input.h"
#include "platform/win/Libraries.h"
#include "platform/win/Messages.h"
#include "platform/win/MessageIds.h"
#include "platform/win/NonClientMetrics.h"
#include "platform/win/Paint.h"
#include "platform/win/Sound.h"
#include "platform/win/SysColors.h"

namespace {

using TMonitorFromPointFunc = HMONITOR (*)(POINT, DWORD);
using TGetMonitorInfoFunc = BOOL (*)(HMONITOR, MONITORINFO*);

struct TBarLibraryState {
  std::vector<TdxBarItemClassEntry> itemClasses;
  std::unique_ptr<TdxBarManagerList> managers;
  std::vector<TdxBarItem*> temporaryItems;
  std::vector<TCustomdxBarControl*> barControls;
  TCustomdxBarControl* activeBarControl = nullptr;
  bool menusExpanded = false;
  bool resettingFromDesign = false;
  bool rebuildingDesignForm = false;
  TdxWindowsVersion version;
  int bitsPerPixel = 32;
  HBRUSH checkerBrush = nullptr;
  HMODULE user32 = nullptr;
};

TBarLibraryState& BarState() {
  static TBarLibraryState state;
  return state;
}

void DeleteCheckerBrush() {
  if (BarState().checkerBrush) DeleteObject(BarState().checkerBrush);
  BarState().checkerBrush = nullptr;
}

}  // namespace

void RegisterBarItemClass(TClass ItemClass, TClass ItemControlClass, bool ShowInAddDialog) {
  BarState().itemClasses.push_back({ItemClass, ItemControlClass, ShowInAddDialog});
  RegisterClass(ItemClass);
}

void UnregisterBarItemClass(TClass ItemClass) {
  auto& entries = BarState().itemClasses;
  auto it = std::find_if(entries.begin(), entries.end(),
                         [&](const TdxBarItemClassEntry& e) { return e.ItemClass == ItemClass; });
  if (it == entries.end()) return;
  entries.erase(it);
  UnRegisterClass(ItemClass);
}

int RegisteredItemClassCount() {
  return static_cast<int>(std::count_if(BarState().itemClasses.begin(), BarState().itemClasses.end(),
                                        [](const TdxBarItemClassEntry& e) { return e.ShowInAddDialog; }));
}

TClass GetRegisteredItemClass(int N) {
  if (N < 0) return nullptr;
  for (const TdxBarItemClassEntry& e : BarState().itemClasses) {
    if (!e.ShowInAddDialog) continue;
    if (N-- == 0) return e.ItemClass;
  }
  return nullptr;
}

TClass GetItemControlClass(const TdxBarItem* Item) {
  if (!Item) return nullptr;
  for (const TdxBarItemClassEntry& e : BarState().itemClasses)
    if (e.ItemClass == Item->ClassType()) return e.ItemControlClass;
  return nullptr;
}

void AddBarControl(TCustomdxBarControl* Control) { BarState().barControls.push_back(Control); }

void RemoveBarControl(TCustomdxBarControl* Control) {
  std::erase(BarState().barControls, Control);
  if (BarState().activeBarControl == Control) BarState().activeBarControl = nullptr;
}

bool IsBarControlAlive(const TCustomdxBarControl* Control) {
  if (!Control) return false;
  const auto& controls = BarState().barControls;
  return std::find(controls.begin(), controls.end(), Control) != controls.end();
}

TCustomdxBarControl* ActiveBarControl() { return BarState().activeBarControl; }

void SetActiveBarControl(TCustomdxBarControl* Control) {
  // A new chain starts with short menus again.
  if (!BarState().activeBarControl && Control) BarState().menusExpanded = false;
  BarState().activeBarControl = Control;
}

bool MenusExpanded() { return BarState().menusExpanded; }

void SetMenusExpanded(bool Value) { BarState().menusExpanded = Value; }

bool ResettingFromDesign() { return BarState().resettingFromDesign; }

void SetResettingFromDesign(bool Value) { BarState().resettingFromDesign = Value; }

bool RebuildingDesignForm() { return BarState().rebuildingDesignForm; }

void SetRebuildingDesignForm(bool Value) { BarState().rebuildingDesignForm = Value; }

TdxBarManagerList* BarManagers() { return BarState().managers.get(); }

TdxBarManager* BarManagerByForm(TCustomForm* Form) {
  if (!Form || !BarManagers()) return nullptr;
  for (int i = 0; i < BarManagers()->Count(); ++i)
    if (BarManagers()->Items(i)->ParentForm() == Form) return BarManagers()->Items(i);
  return nullptr;
}

void ManagerChanged(TdxBarManager* Manager) {
  if (Manager) Manager->DesignerModified();
}

void AddTemporaryItem(TdxBarItem* Item) { BarState().temporaryItems.push_back(Item); }

void RemoveTemporaryItem(TdxBarItem* Item) { std::erase(BarState().temporaryItems, Item); }

const std::vector<TdxBarItem*>& TemporaryItems() { return BarState().temporaryItems; }

void FreeTemporaryItems() {
  // A freed item takes itself out of the list, so walk a copy.
  std::vector<TdxBarItem*> items = BarState().temporaryItems;
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    if (!(*it)->HasControls()) delete *it;
}

TdxWindowsVersion WindowsVersionOf(const OSVERSIONINFO& Info) {
  TdxWindowsVersion v;
  bool windows9x = Info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  v.IsWin9x = windows9x;
  v.IsWin95 = windows9x && Info.dwMinorVersion == 0;
  // Every NT from 5 on takes the larger record; a test for exactly 5 would hand later systems
  // a record they read short.
  v.IsWin98MEOr2000XP = (windows9x && Info.dwMinorVersion != 0) ||
                        (Info.dwPlatformId == VER_PLATFORM_WIN32_NT && Info.dwMajorVersion >= 5);
  return v;
}

void DetectWindowsVersion() {
  OSVERSIONINFO info;
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
  if (GetVersionEx(&info)) BarState().version = WindowsVersionOf(info);
}

const TdxWindowsVersion& WindowsVersion() { return BarState().version; }

UINT MenuItemInfoSize(const TdxWindowsVersion& Version) { return Version.IsWin98MEOr2000XP ? 48 : 44; }

int ScreenBitsPerPixel() { return BarState().bitsPerPixel; }

void dxbars_internal::SetScreenBitsPerPixelForTesting(int Bits) { BarState().bitsPerPixel = Bits; }

void RefreshDeviceConsts() {
  HDC dc = GetDC(nullptr);
  BarState().bitsPerPixel = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(nullptr, dc);
}

HBRUSH CheckerBrush() { return BarState().checkerBrush; }

void CreateCheckerBrush() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, (x % 2) == (y % 2) ? face : highlight);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteCheckerBrush();
  BarState().checkerBrush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);
}

TdxBarItemVisible ItemVisibleOf(bool Value) { return Value ? ivAlways : ivNever; }

String StripAccelerators(const String& Text) {
  String result;
  result.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'&' && i + 1 < Text.size()) {
      // The character after an "&" is kept as it stands, so "&&" leaves one "&".
      ++i;
    }
    result += Text[i];
  }
  return result;
}

String GetPlainCaption(const String& Caption) {
  String result = Caption;
  if (size_t amp = result.find(u'&'); amp != String::npos) result.erase(amp, 1);
  if (size_t dots = result.find(u"..."); dots != String::npos) result.erase(dots, 3);
  return result;
}

Char AcceleratorOf(const String& Caption) {
  Char found = 0;
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    ++i;
    if (Caption[i] != u'&') found = Caption[i];
  }
  return found;
}

int ClampWidth(int Value) { return std::max(Value, 20); }

int ArrowSizeFor(const RECT& R, bool Horizontal) {
  int d = Horizontal ? (R.right - R.left) - 8 : (R.bottom - R.top) - 6;
  int size = (d % 2 != 0 ? 1 : 0) + (d - 1) / 2;
  return std::max(size, 3);
}

TModalPeek PeekModalMessage(MSG& Msg) {
  if (!PeekMessage(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    Application->HandleMessage();
    return TModalPeek::Handled;
  }
  if (Msg.message != WM_QUIT) return TModalPeek::Message;
  PostQuitMessage(static_cast<int>(Msg.wParam));
  return TModalPeek::Quit;
}

RECT GetWorkAreaAt(POINT P) {
  RECT work{};
  if (HMODULE user32 = BarState().user32) {
    auto monitorFromPoint = reinterpret_cast<TMonitorFromPointFunc>(GetProcAddress(user32, "MonitorFromPoint"));
    auto getMonitorInfo = reinterpret_cast<TGetMonitorInfoFunc>(GetProcAddress(user32, "GetMonitorInfoA"));
    if (monitorFromPoint && getMonitorInfo) {
      MONITORINFO info;
      if (getMonitorInfo(monitorFromPoint(P, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    }
  }
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

int SmallCaptionHeight() { return GetSystemMetrics(SM_CYSMCAPTION); }

bool IsMouseLeaveTracked(HWND Window) {
  TRACKMOUSEEVENT query;
  query.dwFlags = TME_QUERY;
  query.hwndTrack = Window;
  return TrackMouseEvent(&query) && (query.dwFlags & TME_LEAVE) && query.hwndTrack == Window;
}

void StartMouseLeaveTracking(HWND Window) {
  if (IsMouseLeaveTracked(Window)) return;
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = Window;
  TrackMouseEvent(&track);
}

void StopMouseLeaveTracking(HWND Window) {
  if (!IsMouseLeaveTracked(Window)) return;
  TRACKMOUSEEVENT cancel;
  cancel.dwFlags = TME_CANCEL | TME_LEAVE;
  cancel.hwndTrack = Window;
  TrackMouseEvent(&cancel);
  SendMessage(Window, WM_MOUSELEAVE, 0, 0);
}

void PlayMenuSound(int Index) {
  static constexpr const char16_t* kSounds[] = {u"MenuPopup", u"MenuCommand"};
  if (Index < 0 || Index > 1) return;
  PlaySound(kSounds[Index], nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT);
}

void CreateBarFont(TFont* Font, HFONT& Handle, bool Scaled) {
  if (Handle) DeleteObject(Handle);
  LOGFONT description = Font->LogFont();
  if (Scaled) {
    LOGFONT iconTitle{};
    SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &iconTitle, 0);
    description.lfHeight = std::min<LONG>(iconTitle.lfHeight, -11);
  }
  Handle = CreateFontIndirect(&description);
}

namespace dxbars_internal {

void InitServices() {
  DetectWindowsVersion();
  BarState().user32 = LoadLibrary(u"USER32");
  BarState().managers = std::make_unique<TdxBarManagerList>();
  RefreshDeviceConsts();
  CreateCheckerBrush();
}

void FinalizeServices() {
  DeleteCheckerBrush();
  BarState().managers.reset();
  BarState().temporaryItems.clear();
  BarState().itemClasses.clear();
  if (BarState().user32) FreeLibrary(BarState().user32);
  BarState().user32 = nullptr;
}

}  // namespace dxbars_internal
