// TWinControl: focus, tab order, keys and the framework's dialog-key routing.
#include <algorithm>

#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

using namespace forms_internal;

// --- Focus ---

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (TControl* c = this; c != form; c = c->Parent())
    if (!c || !(c->Visible() && c->Enabled())) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
  } else if (parentWindow_) {
    ::SetFocus(Handle());
  } else {
    throw EInvalidOperation(StringToUtf8(u"Control '" + Name() + u"' has no parent window"));
  }
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::WMSetFocus(TWMSetFocus& Message) { DefaultHandler(Message); }
void TWinControl::WMKillFocus(TWMSetFocus& Message) { DefaultHandler(Message); }

void TWinControl::CMFocusChanged(TMessage& Message) {
  Broadcast(Message);
  Message.Result = 0;
}

// --- Tab order ---

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (ControlState().Contains(csReadingState)) {
    tabOrderRead_ = Value;
    return;
  }
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  const int count = static_cast<int>(list.size());
  if (Value < 0 || Value > count) Value = count;
  list.insert(list.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (tabStop_ == Value) return;
  tabStop_ = Value;
  if (handle_) {
    LONG style = GetWindowLong(handle_, GWL_STYLE);
    SetWindowLong(handle_, GWL_STYLE,
                  Value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG>(WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::ListTabOrder(std::vector<TWinControl*>& List) {
  for (TWinControl* c : tabList_) {
    List.push_back(c);
    c->ListTabOrder(List);
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) { ListTabOrder(List); }

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  int start = -1;
  auto it = std::find(list.begin(), list.end(), CurControl);
  if (it != list.end()) start = static_cast<int>(it - list.begin());
  if (start < 0) start = GoForward ? count - 1 : 0;
  int i = start;
  for (int n = 0; n < count; ++n) {
    i = GoForward ? (i + 1) % count : (i - 1 + count) % count;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this)) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (next) next->SetFocus();
}

// --- Keys ---

namespace {
std::function<bool(TWinControl*, TWMKey&)>& ShortCutProc() {
  static std::function<bool(TWinControl*, TWMKey&)> proc;
  return proc;
}
}  // namespace

void SetShortCutProc(std::function<bool(TWinControl*, TWMKey&)> Proc) { ShortCutProc() = std::move(Proc); }

namespace {
// Pop-up menus up the parents, then the form's own short cuts.
bool IsMenuKey(TWinControl* Control, TWMKey& Message) {
  if (Control->ComponentState().Contains(csDesigning)) return false;
  if (ShortCutProc() && ShortCutProc()(Control, Message)) return true;
  if (TCustomForm* form = GetParentForm(Control)) return form->IsShortCut(Message);
  return false;
}
}  // namespace

void TWinControl::CNKeyDown(TWMKey& Message) {
  Message.Result = 1;
  if (IsMenuKey(this, Message)) return;
  if (!ComponentState().Contains(csDesigning)) {
    if (Perform(CM_CHILDKEY, Message.CharCode(), reinterpret_cast<LPARAM>(this)) != 0) return;
    LRESULT mask = 0;
    switch (Message.CharCode()) {
      case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
      case VK_RETURN:
      case VK_ESCAPE:
      case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
      default:
        break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.CharCode(), Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
      TCustomForm* form = GetParentForm(this);
      if (form && form->Perform(CM_DIALOGKEY, Message.CharCode(), Message.LParam) != 0) return;
    }
  }
  Message.Result = 0;
}

void TWinControl::CNKeyUp(TWMKey& Message) { Message.Result = 0; }

void TWinControl::CNChar(TWMKey& Message) {
  if (ComponentState().Contains(csDesigning)) return;
  Message.Result = 1;
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, Message.CharCode(), Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TWMKey& Message) {
  Message.Result = 1;
  if (IsMenuKey(this, Message)) return;
  Message.Result = 0;
}

void TWinControl::CNSysChar(TWMKey& Message) {
  Message.Result = 1;
  if (Message.CharCode() != VK_SPACE) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, Message.CharCode(), Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CMDialogKey(TWMKey& Message) { Broadcast(Message); }
void TWinControl::CMDialogChar(TWMKey& Message) { Broadcast(Message); }

bool TWinControl::DoKeyDown(TWMKey& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(Message)) return true;
  if (!ControlStyle().Contains(csNoStdEvents)) {
    WORD key = Message.CharCode();
    KeyDown(key, KeyDataToShiftState(Message.KeyData()));
    Message.SetCharCode(key);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(Message)) return true;
  if (!ControlStyle().Contains(csNoStdEvents)) {
    WORD key = Message.CharCode();
    KeyUp(key, KeyDataToShiftState(Message.KeyData()));
    Message.SetCharCode(key);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
  if (!ControlStyle().Contains(csNoStdEvents)) {
    Char ch = static_cast<Char>(Message.CharCode());
    KeyPress(ch);
    Message.SetCharCode(static_cast<WORD>(ch));
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TWMKey& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TWMKey& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TWMKey& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TWMKey& Message) {
  if (!DoKeyPress(Message)) DefaultHandler(Message);
}
