// Keys and window messages of the editor base: how an in-place editor routes keys between itself and
// its host, and the focus, mouse and notification messages.
#include "dx/editors/dxContainer.h"
#include "dx/editors/dxInplaceEdit.h"
#include "platform/forms/Forms.h"
#include "platform/forms/native/EditControls.h"
#include "platform/win/Windows.h"

namespace {

// Keys an in-place editor validates before and hands to its host.
bool IsNavigationKey(WORD Key) {
  switch (Key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
    case VK_INSERT: return true;
    default: return false;
  }
}

bool IsHandedToContainer(WORD Key, TShiftState Shift) {
  switch (Key) {
    case VK_TAB: return !Shift.Contains(ssAlt);
    case VK_INSERT: return Shift.Empty();
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN: return true;
    default: return false;
  }
}

struct TValidationLockScope {
  TdxInplaceEdit& edit;
  explicit TValidationLockScope(TdxInplaceEdit& Edit) : edit(Edit) { edit.LockValidation(); }
  ~TValidationLockScope() { edit.UnlockValidation(); }
};

}  // namespace

void TdxInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) CancelStep();
  if (IsInplace()) {
    RouteInplaceKeyDown(Key, Shift);
    return;
  }
  if (IsTextChangingKey(Key, Shift) && (!IsEditable() || !CanModify())) Key = 0;
  if (Key == VK_RETURN && ValidatesOnEnter()) ValidateEdit();
  if (Key) EditKeyDown(Key, Shift);
}

void TdxInplaceEdit::RouteInplaceKeyDown(WORD& Key, TShiftState Shift) {
  TCustomdxContainer* container = GetContainer();
  if (IsNavigationKey(Key)) ValidateEdit();  // an invalid value stops the key here
  TValidationLockScope lock(*this);
  if (container && IsHandedToContainer(Key, Shift)) {
    container->EditorKeyDown(Key, Shift);
    Key = 0;
    return;
  }
  if (Key == VK_INSERT && Shift == TShiftState{ssShift} && container && !container->CanEditModify()) Key = 0;
  if (Key == VK_F2) {
    if (container) container->DoEditKeyDown(Key, Shift);
    if (Key == VK_F2) {
      CaretToEnd();
      Key = 0;
    }
    return;
  }
  if (Key == VK_DELETE && container && !container->CanEditModify()) Key = 0;
  if (!Key) return;
  if (container) container->DoEditKeyDown(Key, Shift);
  if (Key && IsTextChangingKey(Key, Shift) && (!IsEditable() || !CanModify())) Key = 0;
  if (Key) EditKeyDown(Key, Shift);
}

void TdxInplaceEdit::EditKeyDown(WORD& Key, TShiftState Shift) { inherited::KeyDown(Key, Shift); }

void TdxInplaceEdit::EditKeyPress(Char& Key) { inherited::KeyPress(Key); }

void TdxInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
  if (TCustomdxContainer* container = GetContainer())
    container->EditorKeyUp(Key, Shift);
  else
    inherited::KeyUp(Key, Shift);
}

void TdxInplaceEdit::KeyPress(Char& Key) {
  TCustomdxContainer* container = GetContainer();
  if (container) container->EditorKeyPress(Key);
  if (Key >= 32 && !IsValidChar(Key)) {
    MessageBeep(0);
    Key = 0;
    return;
  }
  if (IsInplace() && Key == u'\t' && !WantsTabs()) Key = 0;
  // Backspace, Ctrl+V and Ctrl+X change the text as typed characters do.
  const bool changesText = Key == u'\t' || Key == u'\b' || Key == 0x16 || Key == 0x18 || Key >= 32;
  if (changesText && IsEditClass() && !CanModify()) Key = 0;
  if (Key == 27) Key = 0;
  if (Key) EditKeyPress(Key);
}

void TdxInplaceEdit::WndProc(TMessage& Message) {
  TCustomdxContainer* container = GetContainer();
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
      if (container && container->IsEditCellChanged()) return;
      if (Message.Msg == WM_KEYDOWN && IsInplace() && HandleAllocated() &&
          (Message.WParam == VK_RETURN || (Message.WParam == VK_TAB && !WantsTabs())))
        RemovePendingMessage(Handle(), WM_CHAR);
      break;
    case WM_SETFOCUS:
      if (container) {
        TCustomForm* form = GetParentForm(this);
        if (!form || form->SetFocusedControl(container) || container->ControlState().Contains(csFocusing)) {
          container->EditorFocusChanged();
          DoSetFocus();
          DefaultHandler(Message);
        }
        return;
      }
      break;
    default: break;
  }
  inherited::WndProc(Message);
}

void TdxInplaceEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  Message.Result |= DLGC_WANTCHARS;
  if (IsInplace()) Message.Result |= DLGC_WANTALLKEYS;
  TCustomdxContainer* container = GetContainer();
  if (container && container->WantTabs())
    Message.Result |= DLGC_WANTTAB;
  else
    Message.Result &= ~DLGC_WANTTAB;
}

void TdxInplaceEdit::WMSetFocus(TWMSetFocus& Message) {
  DoSetFocus();
  inherited::Dispatch(Message);
}

void TdxInplaceEdit::WMKillFocus(TWMSetFocus& Message) {
  DoKillFocus(Message.FocusedWnd());
  inherited::Dispatch(Message);
}

void TdxInplaceEdit::WMButtonDown(TWMMouse& Message) {
  if (!IsEditClass() && !IsDesigning() && CanFocus() && GetFocus() != Handle()) SetFocus();
  TCustomdxContainer* container = GetContainer();
  if (Message.Msg == WM_LBUTTONDOWN && container && container->IsEditDblClickTracked()) {
    const DWORD now = GetMessageTime();
    const bool isDouble = clickTime_ != 0 && now - clickTime_ < GetDoubleClickTime();
    clickTime_ = 0;
    if (isDouble) Message.Msg = WM_LBUTTONDBLCLK;
  }
  inherited::Dispatch(Message);
}

void TdxInplaceEdit::WMMouseWheel(TWMMouseWheel& Message) {
  TCustomdxContainer* container = GetContainer();
  if (container && !HandlesMouseWheel() && container->HandleAllocated()) {
    container->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(this));
    SendMessage(container->Handle(), Message.Msg, Message.WParam, Message.LParam);
    // A window with no lines of its own to scroll would hand the wheel to its parent, the
    // container, a second time: the host would scroll twice as far.
    const bool multiLine = IsEditClass() && (GetWindowLong(Handle(), GWL_STYLE) & ES_MULTILINE);
    if (!multiLine) return;
  }
  inherited::Dispatch(Message);
}

void TdxInplaceEdit::WMEditCommand(TMessage& Message) {
  if (CanModify()) inherited::Dispatch(Message);
}

void TdxInplaceEdit::WMImeComposition(TMessage& Message) {
  constexpr LPARAM GCS_RESULTSTR = 0x0800;
  if ((Message.LParam & GCS_RESULTSTR) && IsEditClass() && !CanModify()) return;
  inherited::Dispatch(Message);
}

void TdxInplaceEdit::WMSize(TWMSize& Message) {
  inherited::Dispatch(Message);
  UpdateBounds();
}

void TdxInplaceEdit::CMStyleChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  StyleChanged();
}

void TdxInplaceEdit::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  UpdateBounds();
}

void TdxInplaceEdit::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.LParam != 0 && Message.LParam != reinterpret_cast<LPARAM>(this)) return;
  SetSelected(true);
  RefreshHotLook();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TdxInplaceEdit::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.LParam != 0 && Message.LParam != reinterpret_cast<LPARAM>(this)) return;
  SetSelected(false);
  RefreshHotLook();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TdxInplaceEdit::CMShowingChanged(TMessage& Message) {
  // In-place editors show and hide themselves (ShowEdit, HideEdit), never through Visible.
  if (!IsInplace()) inherited::Dispatch(Message);
}

void TdxInplaceEdit::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!IsEditClass()) Invalidate();
}

void TdxInplaceEdit::CMEnter(TMessage& Message) {
  SetActive(true);
  inherited::Dispatch(Message);
}

void TdxInplaceEdit::CMExit(TMessage& Message) {
  ValidateEdit();  // an invalid value keeps the focus here
  SetActive(false);
  inherited::Dispatch(Message);
}
