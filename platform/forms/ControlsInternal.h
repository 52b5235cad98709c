// What the controls, forms and application files share and component authors do not see.
#pragma once

#include <functional>

#include "platform/forms/Controls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Messages.h"

namespace forms_internal {

// The graphic control that has the mouse captured through its parent's window.
TControl* CaptureControl();
void SetCaptureControl(TControl* Control);
// The control that captured the mouse: the windowed control owning the capture window, or the
// graphic control it captured for.
TControl* GetCaptureControl();

// The application's part in the controls' lives (set by the application module).
struct TApplicationHooks {
  std::function<void(TControl*, const TMessage&)> HintMouseMessage;
  std::function<void(TControl*)> ControlDestroying;
  // Called inside a catch block; see HandleEventException.
  std::function<void(TObject*)> HandleException;
  std::function<void()> CancelHint;
};
TApplicationHooks& ApplicationHooks();

// The menus module's part (set at its start-up): the idle update of actions, and the form's menu
// bar taking Alt, F10 and Alt+letter (SC_KEYMENU; the key's character, 0 for Alt and F10).
struct TMenuHooks {
  std::function<void()> UpdateActions;
  std::function<bool(TWinControl* Form, LPARAM Key)> KeyMenu;
};
TMenuHooks& MenuHooks();

// Called inside a catch block: what an event handler raised goes to the application's exception
// handler, or on to the caller when no application exists. Every event is routed the same way.
void HandleEventException(TObject* Sender);

// Runs `event`, routing what it raises through HandleEventException.
template <class Event>
void RunEvent(TObject* Sender, Event&& event) {
  try {
    event();
  } catch (...) {
    HandleEventException(Sender);
  }
}

// The windowed control of a window, and the link set when its window is made.
void RegisterHandle(HWND Wnd, TWinControl* Control);
void UnregisterHandle(HWND Wnd);

// The drag in progress reacts to the mouse through these.
bool DragActive();
void DragToPoint(POINT Pos);
void FinishDrag(bool Drop);
void ForgetDragControl(TControl* Control);

inline POINT PointFromLParam(LPARAM L) {
  return POINT{static_cast<SHORT>(LOWORD(L)), static_cast<SHORT>(HIWORD(L))};
}
inline LPARAM PointToLParam(POINT P) {
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(P.x)), static_cast<WORD>(static_cast<SHORT>(P.y)));
}

// Runs `paint` with `canvas` drawing on `DC` and locked; the canvas lets go of the DC after.
template <class Paint>
void PaintOnCanvas(TControlCanvas& canvas, HDC DC, Paint&& paint) {
  canvas.Lock();
  canvas.FreeHandle();
  canvas.SetHandle(DC);
  TScopeExit release([&] {
    canvas.SetHandle(nullptr);
    canvas.Unlock();
  });
  paint();
}

// A test answers message boxes through SetMessageBoxHook.
bool MessageBoxHooked();

}  // namespace forms_internal
