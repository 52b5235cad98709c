#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxEditPublishing.h"

#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Controls.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomCheckBox)
TRENVIK_PUBLISHED(TcxCheckBox) {
  PublishAutoSize(P);
  PublishEditControl(P, true);
  P.Property("Checked", &TcxCustomCheckBox::Checked, &TcxCustomCheckBox::SetChecked).Default(false);
  P.Property("State", &TcxCustomCheckBox::State, &TcxCustomCheckBox::SetState).Default(cbsUnchecked);
}

TRENVIK_MESSAGE_MAP(TcxCustomCheckBox) { M.On(CM_DIALOGCHAR, &TcxCustomCheckBox::CMDialogChar); }

namespace {


}  // namespace

TcxCustomCheckBox::TcxCustomCheckBox(TComponent* AOwner) : TcxCustomEdit(AOwner) {
  CreateProperties();
  SetParentColor(!IsInplace());
  SetWidth(121);
  SetHeight(21);
  Variant value;
  DisplayToEditValue(static_cast<int>(cbsUnchecked), value, false);
  SetEditValue(value);
}

TcxCheckBoxState TcxCustomCheckBox::State() { return ActiveProperties()->StateOf(EditValue()); }

void TcxCustomCheckBox::SetState(TcxCheckBoxState Value) {
  Variant value;
  DisplayToEditValue(static_cast<int>(Value), value, false);
  SetEditValue(value);
}

void TcxCustomCheckBox::DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  if (!VarIsOrdinal(DisplayValue)) return;
  const int state = DisplayValue.AsInteger();
  if (state >= cbsUnchecked && state <= cbsGrayed)
    EditValue = ActiveProperties()->ValueOf(TcxCheckBoxState(state));
}

void TcxCustomCheckBox::InternalSetEditValue(const Variant& Value, bool AValidateEditValue) {
  const TcxCheckBoxState old = State();
  inherited::InternalSetEditValue(Value, AValidateEditValue);
  if (State() != old) {
    shownState_ = State();
    Click();
    DoChange();
  }
  RefreshCheck();
}

void TcxCustomCheckBox::PropertiesChanged(TObject* Sender) {
  // New state values give the shown state a matching edit value.
  if (Properties()) SetState(shownState_);
  inherited::PropertiesChanged(Sender);
  RefreshCheck();
}

void TcxCustomCheckBox::SetName(const String& NewName) {
  inherited::SetName(NewName);
  if (!Properties()->IsCaptionSet()) Properties()->FollowName(NewName);
}

void TcxCustomCheckBox::Toggle() {
  {
    TClearingScope clearing(this);
    switch (State()) {
      case cbsUnchecked:
        SetState(ActiveProperties()->AllowGrayed() ? cbsGrayed : cbsChecked);
        break;
      case cbsChecked:
        SetState(cbsUnchecked);
        break;
      case cbsGrayed:
        SetState(cbsChecked);
        break;
    }
  }
  if (ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEdit(true)) PostEditValue();
}

void TcxCustomCheckBox::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  inherited::DoEditKeyDown(Key, Shift);
  if (Key == VK_SPACE && !spacePressed_) {
    spacePressed_ = true;
    RefreshCheck();
    Key = 0;
  }
}

void TcxCustomCheckBox::DoEditKeyPress(Char& Key) {
  inherited::DoEditKeyPress(Key);
  if (Key == u' ') Key = 0;
}

void TcxCustomCheckBox::DoEditKeyUp(WORD& Key, TShiftState Shift) {
  inherited::DoEditKeyUp(Key, Shift);
  if (Key == VK_SPACE && spacePressed_) {
    spacePressed_ = false;
    RefreshCheck();
    Toggle();
  }
}

void TcxCustomCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) mousePressed_ = true;
}

void TcxCustomCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !mousePressed_) return;
  mousePressed_ = false;
  // A press released outside the control does not toggle.
  const RECT bounds = ClientRect();
  if (X >= bounds.left && X < bounds.right && Y >= bounds.top && Y < bounds.bottom) Toggle();
}

void TcxCustomCheckBox::InitializeViewData(TcxCustomEditViewData* AViewData) {
  inherited::InitializeViewData(AViewData);
  if (auto* data = dynamic_cast<TcxCustomCheckBoxViewData*>(AViewData)) data->SpacePressed = spacePressed_;
}

void TcxCustomCheckBox::CMDialogChar(TWMKey& Message) {
  if (!IsAccel(Message.CharCode(), ActiveProperties()->Caption()) || !CanFocus()) {
    inherited::Dispatch(Message);
    return;
  }
  SetFocus();
  if (Focused()) Toggle();
  Message.Result = 1;
}

void TcxCustomCheckBox::GetEditSizeProperties(TcxEditSizeProperties& ASizeProperties) {
  ASizeProperties.MaxLineCount = ActiveProperties()->MultiLine() ? 0 : 1;
  const RECT& text = EditViewInfo()->TextRect;
  ASizeProperties.Width = text.right - text.left;
}

// The view info takes the state and caption the edit shows now.
void TcxCustomCheckBox::RefreshCheck() {
  if (!HandleAllocated() || cxContainerDestroying(this)) return;
  CalculateViewInfoAtCursor();
  Invalidate();
}
