// The column kinds' value editors in the custom filter dialog: each kind edits a condition's value
// with its own editor (a date with a calendar, a lookup key through its list) and answers the value
// in the kind's representation, with the text the condition shows.
#include <algorithm>
#include <string_view>

#include "dx/dbgrid/dxDBColumnCheck.h"
#include "dx/dbgrid/dxDBColumnDate.h"
#include "dx/dbgrid/dxDBColumnDropDown.h"
#include "dx/dbgrid/dxDBColumnNumber.h"
#include "dx/dbgrid/dxFilterEdit.h"
#include "platform/data/Field.h"

namespace {

// A number edited in a filter editor never counts as blank: no number means 0.
template <class Editor>
void GetNumberFilterValue(TdxInplaceEdit* AEditor, Variant& Value, String& Text) {
  auto* editor = dynamic_cast<Editor*>(AEditor);
  if (!editor) return;
  Value = Variant(editor->GetValue());
  Text = editor->Text();
}

template <class Editor>
void SetNumberFilterValue(TdxInplaceEdit* AEditor, const Variant& Value) {
  if (auto* editor = dynamic_cast<Editor*>(AEditor)) editor->SetValue(VarIsNull(Value) ? 0.0 : Value.AsDouble());
}

}  // namespace

// --- Drop-down kinds ---

void TdxDBTreeListDropDownColumn::PrepareFilterEdit(TdxInplaceEdit* Editor) {
  inherited::PrepareFilterEdit(Editor);
  if (auto* dropDown = dynamic_cast<TdxInplaceDropDownEdit*>(Editor)) {
    dropDown->OnCloseUp = nullptr;
    dropDown->OnEditButtonClick = nullptr;
  }
}

TdxInplaceEdit* TdxDBTreeListPickColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterPickEdit(Owner);
}

void TdxDBTreeListPickColumn::PrepareFilterEdit(TdxInplaceEdit* Editor) {
  inherited::PrepareFilterEdit(Editor);
  if (auto* pick = dynamic_cast<TdxInplacePickEdit*>(Editor)) pick->ImmediateDropDown = false;
}

TdxInplaceEdit* TdxDBTreeListCalcColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterCalcEdit(Owner);
}

TdxInplaceEdit* TdxDBTreeListLookupColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterLookupEdit(Owner);
}

void TdxDBTreeListLookupColumn::PrepareFilterEdit(TdxInplaceEdit* Editor) {
  inherited::PrepareFilterEdit(Editor);
  if (auto* lookup = dynamic_cast<TdxInplaceLookupEdit*>(Editor)) lookup->CanDeleteText = true;
}

// The key picked, shown by the list's text.
void TdxDBTreeListLookupColumn::GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) {
  auto* lookup = dynamic_cast<TdxInplaceLookupEdit*>(Editor);
  if (!lookup) return inherited::GetFilterEditValue(Editor, Value, Text);
  Value = lookup->KeyValue();
  Text = lookup->Text();
}

void TdxDBTreeListLookupColumn::SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) {
  auto* lookup = dynamic_cast<TdxInplaceLookupEdit*>(Editor);
  if (!lookup) return inherited::SetFilterEditValue(Editor, Value);
  lookup->SetKeyValue(Value);
}

// --- Date and time ---

namespace {

// True when Text holds more than the blanks and separators an empty date edit shows.
bool DateTextTyped(const String& Text) {
  return std::any_of(Text.begin(), Text.end(),
                     [](char16_t c) { return std::u16string_view(u" ./-:_").find(c) == std::u16string_view::npos; });
}

}  // namespace

TdxInplaceEdit* TdxDBTreeListDateColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterDateEdit(Owner);
}

void TdxDBTreeListDateColumn::PrepareFilterEdit(TdxInplaceEdit* Editor) {
  inherited::PrepareFilterEdit(Editor);
  if (auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor)) date->OnDateValidateInput = nullptr;
}

void TdxDBTreeListDateColumn::GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) {
  auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor);
  if (!date) return inherited::GetFilterEditValue(Editor, Value, Text);
  Text = date->Text();
  // A text that reads as no date stays the text, so that the dialog refuses it rather than taking
  // it for "no date" (blanks) or for the date the editor held before it was typed.
  auto* filterDate = dynamic_cast<TCustomdxFilterDateEdit*>(Editor);
  if (filterDate && filterDate->HoldsTextThatIsNoDate())
    Value = Variant(Text);
  else if (date->GetDate() != dxNullDate)
    Value = VarFromDateTime(date->GetDate());
  else
    Value = DateTextTyped(Text) ? Variant(Text) : Null();
}

void TdxDBTreeListDateColumn::SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) {
  auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor);
  if (!date) return inherited::SetFilterEditValue(Editor, Value);
  date->SetDate(VarIsNull(Value) ? dxNullDate : Value.AsDateTime());
}

TdxInplaceEdit* TdxDBTreeListTimeColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterTimeEdit(Owner);
}

void TdxDBTreeListTimeColumn::GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) {
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  if (!time) return inherited::GetFilterEditValue(Editor, Value, Text);
  Value = VarFromDateTime(time->GetTime());
  Text = time->Text();
}

void TdxDBTreeListTimeColumn::SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) {
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  if (!time) return inherited::SetFilterEditValue(Editor, Value);
  time->SetTime(VarIsNull(Value) ? 0 : Value.AsDateTime());
}

// --- Numbers ---

TdxInplaceEdit* TdxDBTreeListSpinColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterSpinEdit(Owner);
}

void TdxDBTreeListSpinColumn::GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) {
  GetNumberFilterValue<TdxInplaceSpinEdit>(Editor, Value, Text);
}

void TdxDBTreeListSpinColumn::SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) {
  SetNumberFilterValue<TdxInplaceSpinEdit>(Editor, Value);
}

TdxInplaceEdit* TdxDBTreeListCurrencyColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterCurrencyEdit(Owner);
}

void TdxDBTreeListCurrencyColumn::GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) {
  GetNumberFilterValue<TdxInplaceCurrencyEdit>(Editor, Value, Text);
}

void TdxDBTreeListCurrencyColumn::SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) {
  SetNumberFilterValue<TdxInplaceCurrencyEdit>(Editor, Value);
}

// --- Check: its three value texts picked by their descriptions ---

TdxInplaceEdit* TdxDBTreeListCheckColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterImageEdit(Owner);
}

std::array<String, 3> TdxDBTreeListCheckColumn::FilterDescriptions() {
  return {check_.ValueGrayed, check_.ValueUnchecked, check_.ValueChecked};
}

void TdxDBTreeListCheckColumn::PrepareFilterEdit(TdxInplaceEdit* Editor) {
  inherited::PrepareFilterEdit(Editor);
  auto* image = dynamic_cast<TdxInplaceImageEdit*>(Editor);
  if (!image) return;
  image->Values()->Clear();
  image->Descriptions()->Clear();
  const std::array<String, 3> descriptions = FilterDescriptions();
  const String* values[] = {&check_.ValueGrayed, &check_.ValueUnchecked, &check_.ValueChecked};
  for (size_t i = 0; i < descriptions.size(); ++i) {
    image->Values()->Add(*values[i]);
    image->Descriptions()->Add(descriptions[i]);
  }
  image->ShowDescription = true;
}

// A Boolean field compares with True, False or Null; any other field with the value text, the
// grayed text meaning Null.
void TdxDBTreeListCheckColumn::GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) {
  auto* image = dynamic_cast<TdxInplaceImageEdit*>(Editor);
  if (!image) return inherited::GetFilterEditValue(Editor, Value, Text);
  const TdxCheckBoxState state = StateOfText(image->Text());
  const int index = image->Values()->IndexOf(image->Text());
  Text = index >= 0 ? image->Descriptions()->Strings(index) : image->Text();
  if (Field() && Field()->DataType() == ftBoolean)
    Value = state == cbsGrayed ? Null() : Variant(state == cbsChecked);
  else
    Value = state == cbsGrayed ? Null() : Variant(image->Text());
}

void TdxDBTreeListCheckColumn::SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) {
  auto* image = dynamic_cast<TdxInplaceImageEdit*>(Editor);
  if (!image) return inherited::SetFilterEditValue(Editor, Value);
  if (VarIsNull(Value))
    image->SetText(check_.ValueGrayed);
  else if (Value.Type() == varBoolean)
    image->SetText(Value.AsBoolean() ? check_.ValueChecked : check_.ValueUnchecked);
  else
    image->SetText(TextOfState(StateOfText(VarToStr(Value))));
}

bool TdxDBTreeListCheckColumn::ConvertExportValue(Variant& Value, bool) {
  Value = Variant(ValueToText(Value));
  return true;
}

// --- Image: a value of Values, shown by its description ---

TdxInplaceEdit* TdxDBTreeListImageColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterImageEdit(Owner);
}

void TdxDBTreeListImageColumn::GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) {
  auto* image = dynamic_cast<TdxInplaceImageEdit*>(Editor);
  if (!image) return inherited::GetFilterEditValue(Editor, Value, Text);
  const bool listed = values_->IndexOf(image->Text()) >= 0;
  Value = listed ? Variant(image->Text()) : Null();
  Text = listed ? DescriptionOf(image->Text()) : String();
}

void TdxDBTreeListImageColumn::SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) {
  auto* image = dynamic_cast<TdxInplaceImageEdit*>(Editor);
  if (!image) return inherited::SetFilterEditValue(Editor, Value);
  image->SetText(VarIsNull(Value) ? String() : VarToStr(Value));
}

bool TdxDBTreeListImageColumn::ConvertExportValue(Variant& Value, bool) {
  Value = Variant(ValueToText(Value));
  return true;
}
