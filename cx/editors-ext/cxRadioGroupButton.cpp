// An item's button of a radio group: a radio button that hands its keys, drags and clicks to the
// group.
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/forms/Forms.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomRadioGroupButton)

TRENVIK_MESSAGE_MAP(TcxCustomRadioGroupButton) {
  M.On(WM_GETDLGCODE, &TcxCustomRadioGroupButton::WMGetDlgCode);
  M.On(CN_COMMAND, &TcxCustomRadioGroupButton::CNCommand);
}

TcxCustomRadioGroupButton::TcxCustomRadioGroupButton(TcxCustomRadioGroup* AGroup)
    : TcxRadioButton(AGroup), group_(AGroup) {
  SetEnabled(AGroup->Enabled());
  SetParentShowHint(false);
  SetVisible(AGroup->Visible());
  OnClick = [this](TObject*) { group_->ButtonClicked(this); };
  SetParent(AGroup);
  LookAndFeel()->SetMasterLookAndFeel(AGroup->Style()->LookAndFeel());
  SetParentColor(true);
}

TcxCustomRadioGroupButton::~TcxCustomRadioGroupButton() = default;

void TcxCustomRadioGroupButton::SetCheckedQuietly(bool Value) {
  const bool saved = ClicksDisabled();
  SetClicksDisabled(true);
  SetChecked(Value);
  SetClicksDisabled(saved);
}

bool TcxCustomRadioGroupButton::IsInplace() { return group_->IsInplace(); }

TcxContainer* TcxCustomRadioGroupButton::GetContainer() { return group_; }

void TcxCustomRadioGroupButton::KeyDown(WORD& Key, TShiftState Shift) {
  group_->KeyDown(Key, Shift);
  if (Key != 0) inherited::KeyDown(Key, Shift);
}

void TcxCustomRadioGroupButton::KeyPress(Char& Key) {
  group_->KeyPress(Key);
  if ((Key == u'\b' || Key == u' ') && !group_->CanModify()) Key = 0;
  if (Key != 0) inherited::KeyPress(Key);
}

void TcxCustomRadioGroupButton::DragDrop(TObject* Source, int X, int Y) {
  group_->DragDrop(Source, X + Left(), Y + Top());
}

void TcxCustomRadioGroupButton::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  group_->DragOver(Source, X + Left(), Y + Top(), State, Accept);
}

void TcxCustomRadioGroupButton::DoEnter() {
  inherited::DoEnter();
  group_->UpdateViewInfoAtCursor(false);
}

void TcxCustomRadioGroupButton::DoExit() {
  inherited::DoExit();
  group_->UpdateViewInfoAtCursor(false);
  if (!group_->IsInplace()) return;
  if (auto* data = dynamic_cast<TcxCustomRadioGroupData*>(group_->EditData()))
    data->FocusedItem = group_->IndexOfButton(this);
}

void TcxCustomRadioGroupButton::WndProc(TMessage& Message) {
  const bool press = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
  if (press && group_->DragMode() == dmAutomatic && !ComponentState().Contains(csDesigning)) {
    group_->BeginAutoDrag();
    return;
  }
  inherited::WndProc(Message);
}

void TcxCustomRadioGroupButton::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (group_->IsInplace()) Message.Result |= DLGC_WANTARROWS;
}

void TcxCustomRadioGroupButton::CNCommand(TWMCommand& Message) {
  const int code = Message.NotifyCode();
  if ((code != BN_CLICKED && code != BN_DOUBLECLICKED) || inClick_) return;
  if (!group_->CanModify() || !group_->DoEditing()) return;
  TcxFlagScope clicking(inClick_);
  try {
    inherited::Dispatch(Message);
  } catch (...) {
    Application->HandleException(this);
  }
}
