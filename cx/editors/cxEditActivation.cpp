// In-place activation of an edit by a container (a grid cell).
#include "cx/editors/cxEdit.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomEditData)

WPARAM ShiftStateToMouseKeys(TShiftState AShift) {
  WPARAM keys = 0;
  if (AShift.Contains(ssLeft)) keys |= MK_LBUTTON;
  if (AShift.Contains(ssRight)) keys |= MK_RBUTTON;
  if (AShift.Contains(ssShift)) keys |= MK_SHIFT;
  if (AShift.Contains(ssCtrl)) keys |= MK_CONTROL;
  if (AShift.Contains(ssMiddle)) keys |= MK_MBUTTON;
  return keys;
}

void TcxCustomEdit::Activate(std::unique_ptr<TcxCustomEditData>& AEditData) {
  if (!AEditData) {
    if (TcxEditDataFactory factory = GetEditDataClass()) {
      AEditData = factory();
      editData_ = AEditData.get();
      InitializeEditData();
    }
  }
  editData_ = AEditData.get();
  SetVisible(true);
  if (HandleAllocated() && CanFocus()) {
    SetFocus();
    SelectAll();
  }
  SynchronizeDisplayValue();
  SetModified(false);
}

void TcxCustomEdit::HookInnerEditWindowProc() {
  TWinControl* inner = InnerControl();
  if (!inner || IsInnerEditHooked()) return;
  previousInnerWindowProc_ = inner->WindowProc;
  inner->WindowProc = [this](TMessage& Message) { InnerEditWindowProc(Message); };
}

void TcxCustomEdit::UnhookInnerEditWindowProc() {
  if (!IsInnerEditHooked()) return;
  if (TWinControl* inner = InnerControl()) inner->WindowProc = previousInnerWindowProc_;
  previousInnerWindowProc_ = nullptr;
}

void TcxCustomEdit::ActivateByKey(Char AKey, std::unique_ptr<TcxCustomEditData>& AEditData) {
  HookInnerEditWindowProc();
  TScopeExit unhook([this] { UnhookInnerEditWindowProc(); });
  Activate(AEditData);
  // The edit's window hands characters to its inner control.
  if (CanSendActivationKey(AKey)) SendMessage(Handle(), WM_CHAR, AKey, 0);
}

void TcxCustomEdit::ActivateByMouse(TShiftState AShift, int X, int Y,
                                    std::unique_ptr<TcxCustomEditData>& AEditData) {
  Activate(AEditData);
  POINT p{X, Y};
  if (Parent()) p = ScreenToClient(Parent()->ClientToScreen(p));
  SendMessage(Handle(), AShift.Contains(ssLeft) ? WM_LBUTTONDOWN : WM_LBUTTONUP,
              ShiftStateToMouseKeys(AShift), PointToLParam(p.x, p.y));
}

bool TcxCustomEdit::Deactivate() {
  const bool result = ValidateEdit(true);
  if (result) SynchronizeDisplayValue();
  return result;
}
