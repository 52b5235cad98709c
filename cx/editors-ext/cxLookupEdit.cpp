// The lookup edit control: its value is the key, its text the key's record text; posting and the
// list's own moves raise no list change notification.
#include "cx/data/cxVariants.h"
#include "cx/editors-ext/cxLookupEdit.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomLookupEdit)

TcxCustomLookupEdit::TcxCustomLookupEdit(TComponent* AOwner) : TcxCustomComboBox(AOwner) {
  SetWidth(145);
  CreateProperties();
  InitializeLookup();
}

void TcxCustomLookupEdit::InitializeLookup() {
  CreateLookupData();
  LookupData()->SetOnItemSelected([this](TObject*) { LookupItemSelected(); });
  PropertiesChanged(Properties());
}

void TcxCustomLookupEdit::BeginPosting() {
  ActiveProperties()->LockChanges();
  inherited::BeginPosting();
}

void TcxCustomLookupEdit::EndPosting() {
  inherited::EndPosting();
  ActiveProperties()->UnlockChanges();
}

void TcxCustomLookupEdit::PropertiesChanged(TObject* Sender) {
  // A list change shows in every edit but one whose user is typing.
  if (LookupData() && !(Focused() && Modified())) SynchronizeDisplayValue();
  inherited::PropertiesChanged(Sender);
}

void TcxCustomLookupEdit::SynchronizeDisplayValue() {
  inherited::SynchronizeDisplayValue();
  TcxCustomLookupEditLookupData* lookup = EditLookupData();
  if (!lookup) return;
  if (HasPopupWindow()) lookup->SetCurrentKey(EditValue());
  if (ActiveProperties()->KeyIsListField()) return;
  String text;
  lookup->GetDisplayText(EditValue(), text);
  SaveModified();
  DataBinding()->SetDisplayValue(text);
  RestoreModified();
}

void TcxCustomLookupEdit::DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  TcxCustomLookupEditProperties* properties = ActiveProperties();
  if (properties->KeyIsListField()) {
    EditValue = DisplayValue;
    return;
  }
  TcxCustomLookupEditLookupData* lookup = EditLookupData();
  if (!lookup) {
    properties->GetNullKey(EditValue);
    return;
  }
  const String text = VarToStr(DisplayValue);
  String keyText;
  lookup->GetDisplayText(lookup->Key(), keyText);
  // An unchanged text keeps the key even when other records share that text.
  if (keyText == text)
    EditValue = lookup->Key();
  else if (lookup->LocateExactText(text))
    EditValue = lookup->Key();
  else
    properties->GetNullKey(EditValue);
}

void TcxCustomLookupEdit::DropDown() {
  inherited::DropDown();
  if (TcxCustomLookupEditLookupData* lookup = EditLookupData()) lookup->SetCurrentKey(EditValue());
}

void TcxCustomLookupEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  // While the list is open its own keys move its focused row; the value changes only when the
  // popup closes accepting that row.
  if (DroppedDown() && ActiveProperties()->IsPopupNavigationKey(Key, Shift)) {
    TWinControl* list = ILookupData()->GetPopupListControl();
    if (list && list->HandleAllocated()) {
      SendMessage(list->Handle(), WM_KEYDOWN, Key, 0);
      Key = 0;
      return;
    }
  }
  // Ctrl+Home and Ctrl+End move to the list's ends, in every editing mode.
  if ((Key == VK_HOME || Key == VK_END) && ActiveProperties()->IsPopupNavigationKey(Key, Shift) &&
      CanSelectLookupItemByKey(false) && !ILookupData()->IsEmpty()) {
    const Variant key = CurrentLookupKey();
    {
      ++LookupClickLock;
      TScopeExit unlock([this] { --LookupClickLock; });
      ILookupData()->Navigate(Key == VK_HOME ? lnFirst : lnLast, false);
    }
    if (LookupKeyChanged(key)) {
      DoLookupClick();
      PostImmediately();
    }
    Key = 0;
    return;
  }
  inherited::DoEditKeyDown(Key, Shift);
}

void TcxCustomLookupEdit::LookupKeyToEditValue(const Variant& AKey, Variant& EditValue) {
  String text;
  ILookupData()->GetDisplayText(AKey, text);
  DisplayToEditValue(text, EditValue, true);
}

void TcxCustomLookupEdit::LookupItemSelected() {
  Variant key;
  ILookupData()->GetCurrentKey(key);
  Variant value;
  LookupKeyToEditValue(key, value);
  const bool changed = !cxVariantsEqual(value, EditValue());
  if (changed && !DoEditing()) return;
  SaveModified();
  SetEditValue(value);
  RestoreModified();
  if (changed) SetModifiedAfterEnter(true);
  SelectAll();
}
