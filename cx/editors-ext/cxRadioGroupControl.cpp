// The radio group control: one button per item, kept in step with the items, the chosen index and
// the edit value both ways, and arrow keys between the buttons.
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/dxThemeManager.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/gdi/VsStyle.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomRadioGroup)
TRENVIK_IMPLEMENT_CLASS(TcxCustomRadioGroupData)
TRENVIK_PUBLISHED(TcxRadioGroup) {
  PublishEditControl(P, true);
  P.Property("Caption", &TcxCustomRadioGroup::Caption, &TcxCustomRadioGroup::SetCaption)
      .Stored(&TcxCustomRadioGroup::IsCaptionAssigned);
  P.Property("ItemIndex", &TcxCustomRadioGroup::ItemIndex, &TcxCustomRadioGroup::SetItemIndex).Default(-1);
  P.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
}

TRENVIK_MESSAGE_MAP(TcxCustomRadioGroup) {
  M.On(CM_CXRADIOGROUP_FOCUSITEM, &TcxCustomRadioGroup::CMFocusItem);
  M.On(CM_DIALOGCHAR, &TcxCustomRadioGroup::CMDialogChar);
  M.On(WM_ERASEBKGND, &TcxCustomRadioGroup::WMEraseBkgnd);
}

TcxCustomRadioGroup::TcxCustomRadioGroup(TComponent* AOwner) : TcxCustomEdit(AOwner) {
  CreateProperties();
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable});
  SetTabStop(false);
  SetAutoSize(false);
  SetWidth(185);
  SetHeight(105);
  SetParentColor(!IsInplace());
}

TcxCustomRadioGroup::~TcxCustomRadioGroup() { SetButtonCount(0); }

// --- Index, value and caption ---

int TcxCustomRadioGroup::IndexOfButton(const TcxCustomRadioGroupButton* AButton) const {
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i] == AButton) return static_cast<int>(i);
  return -1;
}

void TcxCustomRadioGroup::SetItemIndex(int Value) { WriteItemIndex(Value, false); }

void TcxCustomRadioGroup::WriteItemIndex(int Value, bool AFromClick) {
  if (IsLoading()) {
    itemIndex_ = Value;
    return;
  }
  Value = std::clamp(Value, -1, ButtonCount() - 1);
  if (Value == itemIndex_) {
    if (!AFromClick) SetModified(false);
    return;
  }
  CheckButton(itemIndex_, false);
  Variant value;
  DisplayToEditValue(Value, value, false);
  if (AFromClick) {
    TClearingScope userChange(this);
    SetEditValue(value);
  } else {
    SetEditValue(value);
  }
  itemIndex_ = Value;
  CheckButton(itemIndex_, true);
}

void TcxCustomRadioGroup::CheckButton(int AIndex, bool AChecked) {
  if (AIndex >= 0 && AIndex < ButtonCount()) Buttons(AIndex)->SetCheckedQuietly(AChecked);
}

void TcxCustomRadioGroup::DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  EditValue = ActiveProperties()->ItemEditValue(VarIsOrdinal(DisplayValue) ? DisplayValue.AsInteger() : -1);
}

void TcxCustomRadioGroup::InternalSetEditValue(const Variant& Value, bool AValidateEditValue) {
  inherited::InternalSetEditValue(Value, AValidateEditValue);
  const int index = ActiveProperties()->ItemIndexOf(Value);
  if (index != itemIndex_) {
    CheckButton(itemIndex_, false);
    CheckButton(index, true);
    itemIndex_ = index;
    Click();
    DoChange();
  }
  if (HandleAllocated()) UpdateViewInfoAtCursor(false);
}

void TcxCustomRadioGroup::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  captionAssigned_ = true;
  PropertiesChanged(nullptr);
}

void TcxCustomRadioGroup::SetName(const String& NewName) {
  inherited::SetName(NewName);
  if (captionAssigned_) return;
  caption_ = NewName;
  PropertiesChanged(nullptr);
}

void TcxCustomRadioGroup::ButtonClicked(TcxCustomRadioGroupButton* AButton) {
  if (updatingButtons_ || !DoEditing()) return;
  {
    TcxFlagScope fromClick(changeFromClick_);
    WriteItemIndex(IndexOfButton(AButton), true);
  }
  if (ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEdit(true)) PostEditValue();
}

// --- Buttons ---

TcxCustomRadioGroupButton* TcxCustomRadioGroup::CreateButton() { return new TcxCustomRadioGroupButton(this); }

void TcxCustomRadioGroup::SetButtonCount(int ACount) {
  while (ButtonCount() > ACount) {
    TcxCustomRadioGroupButton* last = buttons_.back();
    buttons_.pop_back();
    delete last;
  }
  while (ButtonCount() < ACount) buttons_.push_back(CreateButton());
}

void TcxCustomRadioGroup::UpdateButtons() {
  if (cxContainerDestroying(this)) return;
  TcxCustomRadioGroupProperties* properties = ActiveProperties();
  {
    TcxFlagScope updating(updatingButtons_);
    SetButtonCount(properties->Items()->Count());
    const TcxLookAndFeelKind kind = cxRadioGroupGlyphKind(cxRadioGroupButtonStyle(Style()->BorderStyle()));
    for (int i = 0; i < ButtonCount(); ++i) {
      TcxCustomRadioGroupButton* button = Buttons(i);
      button->SetCaption(properties->Items()->Item(i)->Caption());
      button->LookAndFeel()->SetKind(kind);
      button->SetWordWrap(properties->WordWrap());
      button->SetCheckedQuietly(i == itemIndex_);
    }
  }
  if (HandleAllocated()) {
    UpdateViewInfoAtCursor(false);
    ArrangeButtons();
  }
}

void TcxCustomRadioGroup::ArrangeButtons() {
  auto* viewInfo = static_cast<TcxCustomRadioGroupViewInfo*>(EditViewInfo());
  const int count = std::min(ButtonCount(), viewInfo->ButtonCount());
  for (int i = 0; i < count; ++i) {
    TcxCustomRadioGroupButton* button = Buttons(i);
    const TcxRadioGroupButtonViewInfo* item = viewInfo->Item(i);
    button->SetBiDiMode(BiDiMode());
    button->Column = item->Column;
    button->Row = item->Row;
    button->SetBoundsRect(item->Bounds);
    button->SetColor(viewInfo->BackgroundColor);
    button->SetVisible(true);
  }
}

bool TcxCustomRadioGroup::RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) {
  const bool result = inherited::RefreshContainer(P, AButton, AShift, AIsMouseEvent);
  if (!updatingButtons_ && ButtonCount() > 0) ArrangeButtons();
  return result;
}

// The caption stands above the frame: the window keeps all of its bounds.
void TcxCustomRadioGroup::UpdateEditRegion() {
  TcxCustomEditViewInfo* viewInfo = EditViewInfo();
  cxUpdateShadowWindowRegion(Handle(), viewInfo->Bounds, viewInfo->Shadow, viewInfo->NativeStyle);
}

void TcxCustomRadioGroup::InitializeViewData(TcxCustomEditViewData* AViewData) {
  inherited::InitializeViewData(AViewData);
  auto* data = dynamic_cast<TcxCustomRadioGroupViewData*>(AViewData);
  if (!data) return;
  data->Caption = caption_;
  data->FocusedItem = -1;
}

void TcxCustomRadioGroup::PropertiesChanged(TObject* Sender) {
  if (!IsLoading()) UpdateButtons();
  inherited::PropertiesChanged(Sender);
}

void TcxCustomRadioGroup::ContainerStyleChanged(TObject* Sender) {
  inherited::ContainerStyleChanged(Sender);
  UpdateButtons();
}

void TcxCustomRadioGroup::CreateHandle() {
  inherited::CreateHandle();
  UpdateButtons();
}

void TcxCustomRadioGroup::Loaded() {
  inherited::Loaded();
  UpdateButtons();
  // The stored index gives the edit value from the items read with it.
  const int stored = itemIndex_;
  itemIndex_ = -1;
  SetItemIndex(stored);
}

void TcxCustomRadioGroup::EnabledChanged() {
  inherited::EnabledChanged();
  for (TcxCustomRadioGroupButton* button : buttons_) button->SetEnabled(Enabled());
}

void TcxCustomRadioGroup::SetDragMode(TDragMode Value) {
  inherited::SetDragMode(Value);
  for (TcxCustomRadioGroupButton* button : buttons_) button->SetDragMode(Value);
}

bool TcxCustomRadioGroup::Focused() {
  if (inherited::Focused()) return true;
  for (TcxCustomRadioGroupButton* button : buttons_)
    if (button->Focused()) return true;
  return false;
}

// --- In place ---

TcxEditDataFactory TcxCustomRadioGroup::GetEditDataClass() {
  return [] { return std::make_unique<TcxCustomRadioGroupData>(); };
}

void TcxCustomRadioGroup::InitializeEditData() {
  if (auto* data = dynamic_cast<TcxCustomRadioGroupData*>(EditData())) data->FocusedItem = 0;
}

void TcxCustomRadioGroup::Activate(std::unique_ptr<TcxCustomEditData>& AEditData) {
  inherited::Activate(AEditData);
  auto* data = dynamic_cast<TcxCustomRadioGroupData*>(EditData());
  if (data && data->FocusedItem >= 0 && data->FocusedItem < ButtonCount() && Buttons(data->FocusedItem)->CanFocus())
    Buttons(data->FocusedItem)->SetFocus();
}

// --- Keys and messages ---

void TcxCustomRadioGroup::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  int focused = -1;
  for (int i = 0; i < ButtonCount(); ++i)
    if (Buttons(i)->Focused()) focused = i;
  const TcxRadioGroupFocusMove move =
      cxRadioGroupFocusMove(focused, Key, ButtonCount(), ActiveProperties()->Columns());
  if (move.Target >= 0 && !move.Wraps) {
    Buttons(move.Target)->SetFocus();
    Key = 0;
  } else if (move.Target >= 0) {
    if (auto* data = dynamic_cast<TcxCustomRadioGroupData*>(EditData())) data->FocusedItem = move.Target;
    if (HandleAllocated()) PostMessage(Handle(), CM_CXRADIOGROUP_FOCUSITEM, static_cast<WPARAM>(move.Target), 0);
  }
  inherited::DoEditKeyDown(Key, Shift);
}

void TcxCustomRadioGroup::CMFocusItem(TMessage& Message) {
  const int index = static_cast<int>(Message.WParam);
  if (index >= 0 && index < ButtonCount() && Buttons(index)->CanFocus()) Buttons(index)->SetFocus();
}

void TcxCustomRadioGroup::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), caption_) && CanFocus()) {
    // The first button takes the focus.
    SelectNext(nullptr, true, false);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TcxCustomRadioGroup::WMEraseBkgnd(TMessage& Message) {
  if (!IsInplace() && HandleAllocated() && IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcButton)) {
    const int state = Enabled() ? 1 : 2;
    if (dxIsThemeBackgroundPartiallyTransparent(dxOpenThemeByType(tcButton), BP_GROUPBOX, state)) {
      const RECT client = ClientRect();
      dxDrawThemeParentBackground(Handle(), reinterpret_cast<HDC>(Message.WParam), &client);
    }
  }
  Message.Result = 1;
}
