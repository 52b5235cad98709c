// The messages as framework controls receive them: the message record, its typed views, the
// message-handler tables, and the records carried by the framework's CM_ notifications. The CM_
// and CN_ numbers themselves are the window system's (platform/win/MessageIds.h).
#pragma once

#include <functional>
#include <type_traits>
#include <unordered_map>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"
#include "platform/win/MessageIds.h"

class TControl;
class TWinControl;
class TDragObject;

// A message as a control's WndProc, Dispatch and handlers see it.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage& Message)>;

// Typed views of a message: a handler may take one of these instead of TMessage.
struct TWMKey : TMessage {
  WORD CharCode() const { return static_cast<WORD>(WParam); }
  void SetCharCode(WORD Value) { WParam = Value; }
  LONG KeyData() const { return static_cast<LONG>(LParam); }
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMSysChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;
using TCMChildKey = TWMKey;

struct TWMMouse : TMessage {
  WPARAM Keys() const { return WParam; }
  SHORT XPos() const { return static_cast<SHORT>(LOWORD(LParam)); }
  SHORT YPos() const { return static_cast<SHORT>(HIWORD(LParam)); }
  POINT Pos() const { return POINT{XPos(), YPos()}; }
};

// WM_MOUSEWHEEL: the position is in screen coordinates.
struct TWMMouseWheel : TMessage {
  WORD Keys() const { return LOWORD(WParam); }
  SHORT WheelDelta() const { return static_cast<SHORT>(HIWORD(WParam)); }
  SHORT XPos() const { return static_cast<SHORT>(LOWORD(LParam)); }
  SHORT YPos() const { return static_cast<SHORT>(HIWORD(LParam)); }
  POINT Pos() const { return POINT{XPos(), YPos()}; }
};

struct TWMPaint : TMessage {
  HDC DC() const { return reinterpret_cast<HDC>(WParam); }
};
using TWMEraseBkgnd = TWMPaint;

struct TWMSize : TMessage {
  WPARAM SizeType() const { return WParam; }
  WORD Width() const { return LOWORD(LParam); }
  WORD Height() const { return HIWORD(LParam); }
};

struct TWMSetFocus : TMessage {
  HWND FocusedWnd() const { return reinterpret_cast<HWND>(WParam); }
};
using TWMKillFocus = TWMSetFocus;

struct TWMCommand : TMessage {
  WORD ItemID() const { return LOWORD(WParam); }
  WORD NotifyCode() const { return HIWORD(WParam); }
  HWND Ctl() const { return reinterpret_cast<HWND>(LParam); }
};

// CM_CANCELMODE, CM_FOCUSCHANGED, CM_CONTROLCHANGE...: the control concerned in LParam.
struct TCMControlMessage : TMessage {
  TControl* Sender() const { return reinterpret_cast<TControl*>(LParam); }
};
using TCMCancelMode = TCMControlMessage;
using TCMFocusChanged = TCMControlMessage;
// CM_MOUSEENTER / CM_MOUSELEAVE: LParam is the control the mouse entered or left (a parent hears of
// its children's).
using TCMMouseEnterLeave = TCMControlMessage;

// The steps of the framework's drag and drop, sent as CM_DRAG (WParam) with a TDragRec (LParam).
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };

struct TDragRec {
  POINT Pos;  // screen coordinates
  TDragObject* Source = nullptr;
  void* Target = nullptr;
  bool Docking = false;
};

struct TCMDrag : TMessage {
  TDragMessage DragMessage() const { return static_cast<TDragMessage>(WParam); }
  TDragRec* DragRec() const { return reinterpret_cast<TDragRec*>(LParam); }
};

// CM_HINTSHOW: LParam points to the hint being shown; a non-zero Result stops it.
struct THintInfo;
struct TCMHintShow : TMessage {
  THintInfo* HintInfo() const { return reinterpret_cast<THintInfo*>(LParam); }
};

// Message-handler tables. A class that handles messages declares them in its body:
//
//   class TFoo : public TCustomControl {
//     TRENVIK_CLASS(TFoo, TCustomControl);
//     TRENVIK_MESSAGES(TFoo);
//     void WMSize(TWMSize& Message);
//     void CMEnter(TMessage& Message);
//   };
//
// and fills the table in its source:
//
//   TRENVIK_MESSAGE_MAP(TFoo) {
//     M.On(WM_SIZE, &TFoo::WMSize);
//     M.On(CM_ENTER, &TFoo::CMEnter);
//   }
//
// Dispatch calls the handler of the most derived class that has one for the message, else the
// DefaultHandler. Inside a handler, `inherited::Dispatch(Message)` is the framework's `inherited`:
// the ancestors' handler of that message, or the default handling.
template <class T>
class TMessageMap {
 public:
  template <class C, class R>
  void On(UINT Msg, void (C::*Handler)(R&)) {
    static_assert(std::is_base_of_v<C, T>, "a handler of the class or an ancestor");
    static_assert(std::is_base_of_v<TMessage, R> && sizeof(R) == sizeof(TMessage),
                  "a handler takes TMessage or one of its typed views");
    handlers_[Msg] = [Handler](T* self, TMessage& m) {
      (static_cast<C*>(self)->*Handler)(static_cast<R&>(m));
    };
  }
  // True when the class has a handler for the message (it was called).
  bool Call(T* self, TMessage& Message) const {
    auto it = handlers_.find(Message.Msg);
    if (it == handlers_.end()) return false;
    it->second(self, Message);
    return true;
  }

 private:
  std::unordered_map<UINT, std::function<void(T*, TMessage&)>> handlers_;
};

#define TRENVIK_MESSAGES(Class)                  \
 public:                                         \
  void Dispatch(TMessage& Message) override;     \
                                                 \
 private:                                        \
  static void MessageMap(TMessageMap<Class>& M); \
  static_assert(true)

#define TRENVIK_MESSAGE_MAP(Class)                              \
  void Class::Dispatch(TMessage& Message) {                     \
    static const TMessageMap<Class> map = [] {                  \
      TMessageMap<Class> m;                                     \
      Class::MessageMap(m);                                     \
      return m;                                                 \
    }();                                                        \
    if (!map.Call(this, Message)) inherited::Dispatch(Message); \
  }                                                             \
  void Class::MessageMap(TMessageMap<Class>& M)

// A hidden window whose messages go to Method (the framework's utility windows: timers, the
// drag capture). DeallocateHWnd destroys it.
HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);
