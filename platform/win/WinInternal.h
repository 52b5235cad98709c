// The window system's own state, shared by its source files and by nothing else.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Draw.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"
#include "platform/win/Hooks.h"
#include "platform/win/Messages.h"
#include "platform/win/WindowTree.h"

struct TWndClassEntry {
  ATOM atom = 0;
  String name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSm = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  int windowCount = 0;
};

struct TScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool tracking = false;
  UINT arrowsDisabled = 0;  // ESB_* bits
  int flatStyle = 0;        // FSB_*_MODE
  int pressedPart = 0;      // part held down while tracking (for drawing)
};

struct TWindow {
  HWND handle = nullptr;
  TWndClassEntry* cls = nullptr;
  TWindow* parent = nullptr;  // the desktop for top-level windows; nullptr for the desktop itself
  TWindow* owner = nullptr;
  std::vector<TWindow*> children;  // z-order: the first is on top
  RECT rect{};                     // window rectangle in the parent's client coordinates
  RECT client{};                   // client rectangle in the parent's client coordinates
  DWORD style = 0;
  DWORD exStyle = 0;
  WNDPROC proc = nullptr;
  LONG_PTR userData = 0;
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  String text;
  std::vector<std::pair<String, HANDLE>> props;
  std::vector<LONG_PTR> extra;
  std::optional<GdiRegion> windowRgn;  // window coordinates
  RECT normalRect{};                   // restored placement while minimised or maximised
  DWORD threadId = 0;
  bool destroying = false;
  bool redrawOff = false;  // WM_SETREDRAW(FALSE)
  bool sentSizeMove = false;

  // Painting: the update region in screen coordinates, and what the next paint must do first.
  GdiRegion update;
  bool needErase = false;
  bool needNcPaint = false;
  bool internalPaint = false;
  bool inPaint = false;

  // Scroll bars (index 0 horizontal, 1 vertical).
  TScrollBarState bars[2];
  bool flatSB = false;

  // Layered windows: attributes, and the image UpdateLayeredWindow gave (composed over the screen).
  BYTE layeredAlpha = 255;
  COLORREF layeredKey = 0;
  DWORD layeredFlags = 0;
  std::unique_ptr<TSurface> layer;
  BLENDFUNCTION layerBlend{};
  bool layeredByAttributes = false;  // SetLayeredWindowAttributes: painted like other windows
  bool ncActive = false;
  bool eraseFailed = false;
  bool altArmed = false;
  bool hiddenWithOwner = false;  // hidden because its owner was minimised

  // Saved screen bits of a CS_SAVEBITS window while shown.
  struct TSavedBits {
    RECT rect{};
    std::vector<uint32_t> pixels;
    bool valid = false;
  };
  std::unique_ptr<TSavedBits> savedBits;

  HMENU sysMenu = nullptr;
  // The system-menu commands the window's state greyed (and ungreys when the state allows them);
  // what the program greyed itself stays greyed.
  std::vector<UINT> sysMenuGreyedByState;
  // WM_SETICON's icons (ICON_SMALL, ICON_BIG); the class's stand in for those not set.
  HICON icons[2]{};

  bool IsDesktop() const { return parent == nullptr; }
  bool IsChild() const { return (style & WS_CHILD) != 0 && parent && !parent->IsDesktop(); }
  bool IsTopLevel() const { return parent && parent->IsDesktop(); }
  bool Visible() const { return (style & WS_VISIBLE) != 0; }
};

struct TWinState {
  std::unordered_map<HWND, std::unique_ptr<TWindow>> windows;
  TWindow* desktop = nullptr;
  std::uintptr_t nextHandle = 0x10010;
  std::vector<std::unique_ptr<TWndClassEntry>> classes;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  bool appActive = false;
  int paintCount = 0;  // windows with something to paint
};

TWinState& WinState();
// The window behind a handle, or nullptr when it is not a live window (or is the desktop's 0).
TWindow* Wnd(HWND hwnd);
inline HWND H(const TWindow* w) { return w ? w->handle : nullptr; }
inline bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

// Geometry.
POINT ClientOrigin(const TWindow* w);  // screen position of the client area's top-left
RECT ScreenWindowRect(const TWindow* w);
RECT ScreenClientRect(const TWindow* w);
bool IsReallyVisible(const TWindow* w);  // it and all its ancestors are visible
TWindow* TopLevelOf(TWindow* w);
bool IsDescendant(const TWindow* ancestor, const TWindow* w);  // w is ancestor or below it
// Whether the screen point lies in the window (its rectangle and region, inside its ancestors).
bool WindowContainsPoint(const TWindow* w, POINT screen);

// Calls the window procedure through the hooks, as SendMessage does on the window's own thread.
LRESULT CallWndProcHooked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls the window procedure directly (no hooks).
LRESULT CallWndProcRaw(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Marshalling of window calls made on other threads.
template <class F>
auto MarshalToUi(F&& f) -> decltype(f()) {
  using R = decltype(f());
  if constexpr (std::is_void_v<R>) {
    RunOnUiThread([&] { f(); });
  } else {
    R result{};
    RunOnUiThread([&] { result = f(); });
    return result;
  }
}
#define WIN_MARSHAL(expr) \
  if (!IsUiThread()) return MarshalToUi([&] { return expr; })

// Queue internals used by other parts of the layer.
void WakeUiThread();
void WakeUiThread(UINT bits);
void PurgeWindowMessages(HWND hwnd);
void SetMessageTimeAndPos(DWORD time, POINT pt);
DWORD CurrentTickCount();

// Shell internals: joins the thread that reaps started openers (module shut-down).
void StopShellReaper();
// Waits for and joins every thread made by CreateThread, open or closed (module shut-down).
void JoinThreadsAtExit();

// Input internals.
bool PeekInputMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove);
bool HasPendingInput();
void UpdateKeyStateFromMessage(const MSG& msg);
int HitTestScreen(POINT pt, HWND* target);  // WM_NCHITTEST walk; returns the hit code

// Timers.
bool PeekTimerMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove);
Int64 NextTimerDue();  // -1 when none
void KillWindowTimers(HWND hwnd);
bool IsTimerProc(LPARAM proc);

// Hooks.
bool HasHooks(int idHook);
LRESULT CallHooks(int idHook, int code, WPARAM wParam, LPARAM lParam);

// Painting.
bool PeekPaintMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove);
void OnWindowDestroyedPaint(TWindow* w);
void ValidateAfterPaintDispatch(HWND hwnd);
// Geometry changed: invalidates what the change exposed and what the window newly shows.
void WindowGeometryChanged(TWindow* w, const RECT& oldScreenRect, bool wasVisible, UINT swpFlags,
                           const RECT& oldClientScreen);
void EraseNowForExposed();
void SaveBitsBeforeShow(TWindow* w);
bool RestoreSavedBits(TWindow* w);
void PaintNonClient(TWindow* w, HRGN clip);
// WS_EX_LAYERED was set or cleared: the window starts over without a layer.
void LayeredStyleChanged(TWindow* w);

// Focus and activation.
void ActivateWindowInternal(HWND hwnd, WORD how);
void OnWindowDestroyedFocus(TWindow* w);
void OnWindowHiddenFocus(TWindow* w);

// Non-client metrics of a window (frame thickness etc.).
RECT NonClientInsets(DWORD style, DWORD exStyle, bool hasHScroll, bool hasVScroll);
int DefaultHitTest(TWindow* w, POINT screen);
void DefaultCalcClient(TWindow* w, RECT* windowInParent);

// Scroll bars.
void ScrollBarNcLButtonDown(HWND hwnd, int hit, POINT screen);
void DrawWindowScrollBars(TWindow* w, HDC windowDC);

// Maximised top-level windows take the current work area (after the screen or work area changed).
void FitMaximizedWindowsToWorkArea();

// Caret.
void UpdateCaretBlink();
// When the caret next changes phase (a tick count); -1 when no caret is shown.
Int64 NextCaretBlinkDue();
void OnWindowDestroyedCaret(HWND hwnd);
void HideCaretForPaint(HWND hwnd);
void ShowCaretAfterPaint(HWND hwnd);

// Menus (system menus).
void DestroySystemMenu(TWindow* w);
// Whether the default handling may carry out a system command: not when the window's system menu
// lost the command's item or has it greyed.
bool SystemCommandAllowed(HWND hwnd, UINT command);

// The screen.
TSurface* ScreenSurface();
GdiRegion VisibleRegion(const TWindow* w, bool client, bool clipChildren);
RECT ScreenRect();

// Non-client defaults.
void MoveSizeLoop(HWND hwnd, WPARAM edge, POINT start);  // edge 0 moves
void NcButtonLoop(HWND hwnd, int hit);
RECT CaptionButtonRect(TWindow* w, int hit);  // screen coordinates; empty when absent
void DefWindowPosChanged(HWND hwnd, const WINDOWPOS* wp);
MINMAXINFO WindowMinMaxInfo(HWND hwnd);
// A window created with WS_MAXIMIZE or WS_MINIMIZE takes that placement before it is first shown.
void PlaceCreatedMinMax(HWND hwnd);

// The name registered for an atom (class names, messages, clipboard formats); empty when none.
String AtomName(ATOM atom);
// Names compare without regard to ASCII case: the folded form.
String FoldCase(const String& s);
// A name given as a string or as an atom (MAKEINTATOM), as text.
String NameOf(LPCWSTR name);
// The registered class of that name; nullptr when none.
TWndClassEntry* FindWindowClass(const String& name);
BOOL SystemParametersInfoFonts(UINT action, UINT uiParam, void* pvParam, UINT winIni);
void InstallSysColorSource();
// Connects the drawing layer's drag images, theme-change broadcast and parent backgrounds.
void InstallDrawingHosts();
// The maximised children of the window take its client area again (after it was resized).
void FitMaximizedChildren(HWND parent);
// The "MDICLIENT" class: the area of an MDI frame holding its child windows.
void RegisterMdiClientClass();
// The window is an MDI child: WS_EX_MDICHILD inside an "MDICLIENT" window.
bool IsMdiChild(const TWindow* w);
void RemoveDrawingHosts();
void SetUiThreadToCurrent();
