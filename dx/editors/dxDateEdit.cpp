#include "dx/editors/dxDateEdit.h"

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxEditConsts.h"
#include "dx/editors/dxEditorRoutines.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxInplaceDateEdit)

TdxInplaceEditClass TdxInplaceDateEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceDateEdit, TdxDropDownEditMetaClass> c("TdxInplaceDateEdit");
  return &c;
}

TdxInplaceDateEdit::TdxInplaceDateEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceDropDownEdit(AOwner, Class) {
  KeysToList = false;  // the calendar takes the focus
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
}

TdxInplaceDateEdit::~TdxInplaceDateEdit() = default;

// --- Date ---

void TdxInplaceDateEdit::SetDate(TDateTime Value) {
  if (Value == editDate_ && !textEdited_) return;
  TCustomdxContainer* container = GetContainer();
  if (CanModify() || (container && container->IsInitialisingEditor())) SetDateInternal(Value);
}

void TdxInplaceDateEdit::SetDateInternal(TDateTime Value) {
  const TDateTime old = editDate_;
  editDate_ = Value;
  {
    TValueScope<bool> internal(internalChange_, true);
    SetText(DateToEditText(IsMasked(), Value));
  }
  textEdited_ = false;
  if (!internalChange_ && old != Value && OnEditDateChange) OnEditDateChange(this);
}

void TdxInplaceDateEdit::SetUseEditMask(bool Value) {
  if (useEditMask_ == Value) return;
  useEditMask_ = Value;
  UpdateEditMask();
}

void TdxInplaceDateEdit::UpdateEditMask() {
  {
    TValueScope<bool> internal(internalChange_, true);
    if (useEditMask_) {
      SetEditMask(GetDateEditMask());
    } else {
      SetEditMask(String());
      SetStoredValues(StoredValues() & ~dxsvEditMask);
    }
  }
  SetDateInternal(editDate_);
}

bool TdxInplaceDateEdit::IsEmptyMaskText() {
  return IsMasked() && StripMask(EditMask(), GetEditText(), ReadMaskBlank(EditMask())).find_first_not_of(u' ') ==
                           String::npos;
}

// --- Value interface ---

void TdxInplaceDateEdit::SetEditValue(const Variant& Value) {
  TValueScope<bool> internal(internalChange_, true);
  const bool empty = VarIsNull(Value) || Value.Type() == varEmpty ||
                     ((Value.Type() == varOleStr || Value.Type() == varString) && Value.AsString().empty());
  SetDateInternal(empty ? dxNullDate : Value.AsDateTime());
}

void TdxInplaceDateEdit::GetEditingValue(Variant& Value) {
  Value = editDate_ == dxNullDate ? Null() : VarFromDateTime(editDate_);
}

void TdxInplaceDateEdit::GetEditingText(String& Text) {
  if (IsEmptyMaskText()) {
    Text.clear();
    return;
  }
  TdxInplaceDropDownEdit::GetEditingText(Text);
}

void TdxInplaceDateEdit::Change() {
  if (internalChange_) return;
  TdxInplaceDropDownEdit::Change();
  textEdited_ = true;
}

void TdxInplaceDateEdit::DoDateValidateInput(const String& Text, TDateTime& Date, bool& Error, String& Message) {
  if (OnDateValidateInput) OnDateValidateInput(this, Text, Date, Message, Error);
}

void TdxInplaceDateEdit::ValidateEdit() {
  TDateTime date = DateOnError == deToday ? Date() : dxNullDate;
  bool failed = false;
  if (GetModified()) {
    const String raw = GetEditText();
    if (IsEmptyMaskText() || (!IsMasked() && raw.empty()))
      date = dxNullDate;
    else
      failed = !ParseDateText(raw, date);
    if (DateValidation || failed) {
      if (Hiding()) {  // the host is closing the editor: its changes are dropped
        Reset();
        TValueScope<bool> internal(internalChange_, true);
        SetText(String());
        return;
      }
      bool error = DateValidation && failed;
      String message = LoadResString(dxSInvalidDate);
      DoDateValidateInput(raw, date, error, message);
      if (error) {
        if (!IsDesigning() && HandleAllocated() && IsWindowVisible(Handle())) ::SetFocus(Handle());
        MessageBeep(0);
        throw Exception(message);
      }
    }
    SetDate(date);
    SetModified(true);
  }
  TdxInplaceDropDownEdit::ValidateEdit();
}

// --- Calendar ---

void TdxInplaceDateEdit::DropDown() {
  if (DropDownShown || !IsEditable()) return;
  if (!calendar_)
    calendar_ = new TdxGridDatePopup(this);
  else if (calendar_->HandleAllocated())
    calendar_->RebuildWindow();
  calendar_->SetOwnerControl(this);
  DropDownWindow = calendar_;
  DoDropDown();
  calendar_->SetPopupBorder(GetActualPopupBorder());
  calendar_->SetShadow(Style()->Shadow());
  calendar_->Font()->Assign(Font());
  calendar_->TodayButtonShown = DateButtons.Contains(btnToday);
  calendar_->ClearButtonShown = DateButtons.Contains(btnClear);
  calendar_->OnDateSelected = nullptr;
  TDateTime start = Date();
  if (!IsEmptyMaskText()) {
    TDateTime parsed = dxNullDate;
    if (ParseDateText(GetEditText(), parsed)) dropDownDate_ = parsed;
  }
  if (dropDownDate_ != dxNullDate) start = TruncWithTolerance(dropDownDate_);
  calendar_->SetMonthStart(start);
  calendar_->SetPickStart(start);
  calendar_->OnDateSelected = [this](TObject* Sender) { CalendarDateSelected(Sender); };
  calendar_->FitToMetrics();
  PlacePopup(calendar_, false);
  DropDownShown = true;
  calendar_->ShowPopup();
  if (calendar_->CanFocus()) calendar_->SetFocus();
}

void TdxInplaceDateEdit::CloseUp(bool Accept) {
  if (calendar_ && DropDownShown) calendar_->ClosePopup(Accept);
  DropDownShown = false;
}

void TdxInplaceDateEdit::CalendarDateSelected(TObject*) {
  TDateTime date = calendar_->GetPickStart();
  if (SaveTime && date != dxNullDate && dropDownDate_ != dxNullDate) {
    const TDateTime time = GetTimePart(dropDownDate_);
    date += date < 0 ? -time : time;
  }
  SetDate(date);
  SetModified(true);
}
