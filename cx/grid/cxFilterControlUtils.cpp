// The filter control's operator texts and kinds, and the filter edit helpers of the editors this
// library has, with their registry.
#include "cx/grid/cxFilterControlUtils.h"

#include <algorithm>
#include <map>

#include "cx/data/cxDataStorage.h"
#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxHyperLinkEdit.h"
#include "cx/editors-ext/cxImageComboBox.h"
#include "cx/editors-ext/cxMRUEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringTable.h"

namespace {

// The string table's texts: operators 1..26 at their id above the base, then the boolean operators.
constexpr int cxSFilterOperatorBase = 64800;
constexpr int cxSFilterBoolOperatorBase = 64830;

const char16_t* const kOperatorTexts[fcopLast] = {
    u"equals",         u"does not equal", u"is less than",  u"is less than or equal to",
    u"is greater than", u"is greater than or equal to",      u"like",
    u"not like",       u"is blank",       u"is not blank",  u"between",
    u"not between",    u"in",             u"not in",        u"is yesterday",
    u"is today",       u"is tomorrow",    u"is last week",  u"is last month",
    u"is last year",   u"is this week",   u"is this month", u"is this year",
    u"is next week",   u"is next month",  u"is next year"};
const char16_t* const kBoolOperatorTexts[] = {u"AND", u"OR", u"NOT AND", u"NOT OR"};

TcxFilterControlOperators EqualityOperators() {
  TcxFilterControlOperators result;
  for (int op : {fcopEqual, fcopNotEqual, fcopBlanks, fcopNonBlanks}) result.set(static_cast<size_t>(op));
  return result;
}

TcxFilterControlOperators ExtendedOperators() { return cxFilterControlOperatorRange(fcopBetween, fcopNotInList); }

}  // namespace

TcxFilterControlOperators cxFilterControlOperatorRange(int AFrom, int ATo) {
  TcxFilterControlOperators result;
  for (int op = std::max(AFrom, 1); op <= std::min(ATo, static_cast<int>(fcopLast)); ++op) result.set(static_cast<size_t>(op));
  return result;
}

TcxFilterControlOperators cxFilterControlComparisonOperators() {
  return cxFilterControlOperatorRange(fcopEqual, fcopGreaterEqual) | cxFilterControlOperatorRange(fcopBlanks, fcopNonBlanks);
}

String FilterOperatorText(int AOperator) {
  return AOperator >= 1 && AOperator <= fcopLast ? cxGetResourceString(cxSFilterOperatorBase + AOperator) : String();
}

String FilterBoolOperatorText(TcxFilterBoolOperatorKind AKind) {
  return cxGetResourceString(cxSFilterBoolOperatorBase + static_cast<int>(AKind));
}

TcxFilterOperatorKind cxFilterControlOperatorKind(TcxFilterControlOperator AOperator) {
  switch (AOperator) {
    case fcopBlanks:
      return foEqual;
    case fcopNonBlanks:
      return foNotEqual;
    case fcopNone:
      return foEqual;
    default:
      // 1..8 map onto the first eight kinds; 11..26 onto between and everything after it.
      return AOperator < fcopBlanks ? static_cast<TcxFilterOperatorKind>(AOperator - 1)
                                    : static_cast<TcxFilterOperatorKind>(AOperator - 3);
  }
}

TcxFilterControlOperator cxFilterControlOperatorOf(TcxFilterOperatorKind AKind, bool AValueIsNull) {
  if (AKind == foEqual && AValueIsNull) return fcopBlanks;
  if (AKind == foNotEqual && AValueIsNull) return fcopNonBlanks;
  const int kind = static_cast<int>(AKind);
  return static_cast<TcxFilterControlOperator>(kind < static_cast<int>(foBetween) ? kind + 1 : kind + 3);
}

bool cxFilterControlOperatorHasValues(int AOperator) {
  return AOperator != fcopBlanks && AOperator != fcopNonBlanks && AOperator < fcopYesterday;
}

void cxFilterControlConstsInitialize() {
  for (int op = 1; op <= fcopLast; ++op) RegisterResourceString(cxSFilterOperatorBase + op, kOperatorTexts[op - 1]);
  for (int kind = 0; kind < 4; ++kind) RegisterResourceString(cxSFilterBoolOperatorBase + kind, kBoolOperatorTexts[kind]);
  RegisterResourceString(cxSFilterInvalidValue, u"Invalid value");
  RegisterResourceString(cxSFilterErrorBuilding, u"Can't build filter from source");
  RegisterResourceString(cxSFilterBlankValue, u"blank");
  RegisterResourceString(cxSFilterInvalidCondition, u"A filter condition has no column or no operator");
  RegisterResourceString(cxSFilterRootCaption, u"<root>");
  RegisterResourceString(cxSFilterAddCondition, u"press button to add new condition");
  RegisterResourceString(cxSFilterNullString, u"<empty>");
  RegisterResourceString(cxSFilterMenuAddCondition, u"Add &Condition");
  RegisterResourceString(cxSFilterMenuAddGroup, u"Add &Group");
  RegisterResourceString(cxSFilterMenuClearAll, u"Clear &All");
  RegisterResourceString(cxSFilterMenuRemoveRow, u"&Remove Row");
  RegisterResourceString(cxSFilterBetweenSeparator, u"and");
}

// --- TcxCustomFilterEditHelper ---

void TcxCustomFilterEditHelper::ClearPropertiesEvents(TcxCustomEditProperties* AProperties) const {
  AProperties->OnButtonClick = nullptr;
  AProperties->OnChange = nullptr;
  AProperties->OnEditValueChanged = nullptr;
  AProperties->OnValidate = nullptr;
  AProperties->OnPropertiesChanged = nullptr;
}

bool TcxCustomFilterEditHelper::EditPropertiesHasButtons(TcxCustomEdit* AEdit) const {
  return dynamic_cast<TcxCustomDropDownEdit*>(AEdit) || dynamic_cast<TcxCustomSpinEdit*>(AEdit);
}

void TcxCustomFilterEditHelper::InitializeEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties) const {
  InitializeProperties(AEdit->GetActiveProperties(), AProperties, EditPropertiesHasButtons(AEdit));
}

TcxFilterControlOperators TcxCustomFilterEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                                 bool AExtended) const {
  TcxFilterControlOperators result = cxFilterControlOperatorRange(fcopEqual, fcopNonBlanks);
  if (AExtended) result |= ExtendedOperators();
  return result;
}

void TcxCustomFilterEditHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                     TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  ATarget->Assign(ASource);
  ATarget->Alignment()->SetHorz(taLeftJustify);
  ATarget->Alignment()->SetVert(taTopJustify);
  ATarget->SetBeepOnError(false);
  if (!AKeepButtons) ATarget->Buttons()->Clear();
  ATarget->SetReadOnly(false);
  ATarget->SetValidateOnEnter(true);
  ClearPropertiesEvents(ATarget);
}

TClass TcxCustomFilterEditHelper::GetFilterEditPropertiesClass() const {
  TClass editClass = GetFilterEditClass();
  if (!editClass) return nullptr;
  // The edit class names its properties class only through an instance, which is costly to make:
  // asked once per edit class (every condition row asks).
  static std::map<TClass, TClass> propertiesClasses;
  auto found = propertiesClasses.find(editClass);
  if (found == propertiesClasses.end()) {
    std::unique_ptr<TcxCustomEdit> probe(TcxCustomEdit::CreateInplace(editClass, nullptr));
    found = propertiesClasses.emplace(editClass, probe->GetPropertiesClass()).first;
  }
  return found->second;
}

// --- Text, memo, mask, combo box, spin ---

const TcxFilterTextEditHelper* TcxFilterTextEditHelper::Instance() {
  static const TcxFilterTextEditHelper instance;
  return &instance;
}

TClass TcxFilterTextEditHelper::GetFilterEditClass() const { return TcxTextEdit::StaticClass(); }

void TcxFilterTextEditHelper::GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties*, String& AText,
                                             Variant& AValue) const {
  AValue = AEdit->EditValue();
  auto* textEdit = dynamic_cast<TcxCustomTextEdit*>(AEdit);
  AText = textEdit ? textEdit->Text() : VarToStr(AValue);
}

void TcxFilterTextEditHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                   TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxCustomFilterEditHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  if (auto* text = dynamic_cast<TcxCustomTextEditProperties*>(ATarget)) {
    text->SetAutoSelect(true);
    text->SetHideCursor(false);
    text->SetHideSelection(true);
  }
}

void TcxFilterTextEditHelper::SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties*,
                                             const Variant& AValue) const {
  AEdit->SetEditValue(AValue);
}

const TcxFilterMemoHelper* TcxFilterMemoHelper::Instance() {
  static const TcxFilterMemoHelper instance;
  return &instance;
}

TcxFilterControlOperators TcxFilterMemoHelper::GetSupportedFilterOperators(TcxCustomEditProperties*, bool) const {
  return cxFilterControlOperatorRange(fcopLike, fcopNonBlanks);
}

const TcxFilterMaskEditHelper* TcxFilterMaskEditHelper::Instance() {
  static const TcxFilterMaskEditHelper instance;
  return &instance;
}

TClass TcxFilterMaskEditHelper::GetFilterEditClass() const { return TcxMaskEdit::StaticClass(); }

TcxFilterControlOperators TcxFilterMaskEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                                               bool AExtended) const {
  auto* mask = dynamic_cast<TcxCustomMaskEditProperties*>(AProperties);
  // A masked text cannot hold the like wildcards.
  TcxFilterControlOperators result = mask && !mask->EditMask().empty()
                                         ? cxFilterControlComparisonOperators()
                                         : cxFilterControlOperatorRange(fcopEqual, fcopNonBlanks);
  if (AExtended) result |= ExtendedOperators();
  return result;
}

void TcxFilterMaskEditHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                   TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxFilterTextEditHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  auto* target = dynamic_cast<TcxCustomMaskEditProperties*>(ATarget);
  if (!target) return;
  auto* source = dynamic_cast<TcxCustomMaskEditProperties*>(ASource);
  if (source && source->MaskKind() == emkRegExpr) target->SetMaskKind(emkRegExprEx);
  target->SetAutoSelect(target->EditMask().empty());
}

const TcxFilterComboBoxHelper* TcxFilterComboBoxHelper::Instance() {
  static const TcxFilterComboBoxHelper instance;
  return &instance;
}

TClass TcxFilterComboBoxHelper::GetFilterEditClass() const { return TcxComboBox::StaticClass(); }

void TcxFilterComboBoxHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                   TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxFilterMaskEditHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  auto* combo = dynamic_cast<TcxCustomComboBoxProperties*>(ATarget);
  if (!combo) return;
  combo->SetButtonGlyph(nullptr);
  combo->SetDropDownRows(7);
  combo->SetDropDownListStyle(lsEditList);
  combo->SetImmediateDropDown(false);
  combo->SetPopupAlignment(taLeftJustify);
  combo->SetRevertable(false);
}

const TcxFilterSpinEditHelper* TcxFilterSpinEditHelper::Instance() {
  static const TcxFilterSpinEditHelper instance;
  return &instance;
}

TClass TcxFilterSpinEditHelper::GetFilterEditClass() const { return TcxSpinEdit::StaticClass(); }

TcxFilterControlOperators TcxFilterSpinEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                               bool AExtended) const {
  TcxFilterControlOperators result = cxFilterControlComparisonOperators();
  if (AExtended) result |= ExtendedOperators();
  return result;
}

void TcxFilterSpinEditHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                   TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxFilterMaskEditHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  if (auto* spin = dynamic_cast<TcxCustomSpinEditProperties*>(ATarget)) spin->SetCanEdit(true);
}

// --- Lookup combo box ---

const TcxFilterLookupComboBoxHelper* TcxFilterLookupComboBoxHelper::Instance() {
  static const TcxFilterLookupComboBoxHelper instance;
  return &instance;
}

TClass TcxFilterLookupComboBoxHelper::GetFilterEditClass() const { return TcxLookupComboBox::StaticClass(); }

TcxFilterControlOperators TcxFilterLookupComboBoxHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                                     bool) const {
  return EqualityOperators();
}

void TcxFilterLookupComboBoxHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                         TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxFilterComboBoxHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  auto* lookup = dynamic_cast<TcxCustomLookupEditProperties*>(ATarget);
  if (!lookup) return;
  lookup->SetDropDownAutoSize(false);
  lookup->SetDropDownListStyle(lsFixedList);
  lookup->SetDropDownSizeable(true);
  lookup->SetIncrementalFiltering(true);
}

// --- Check box ---

const TcxFilterCheckBoxHelper* TcxFilterCheckBoxHelper::Instance() {
  static const TcxFilterCheckBoxHelper instance;
  return &instance;
}

TClass TcxFilterCheckBoxHelper::GetFilterEditClass() const { return TcxComboBox::StaticClass(); }

TcxFilterControlOperators TcxFilterCheckBoxHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                               bool) const {
  return EqualityOperators();
}

void TcxFilterCheckBoxHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                   TcxCustomEditProperties* ASource, bool) const {
  auto* combo = dynamic_cast<TcxCustomComboBoxProperties*>(ATarget);
  auto* check = dynamic_cast<TcxCheckBoxProperties*>(ASource);
  if (!combo || !check) return;
  combo->Items()->Clear();
  combo->Items()->Add(check->GetDisplayText(check->ValueChecked()));
  combo->Items()->Add(check->GetDisplayText(check->ValueUnchecked()));
  combo->SetDropDownListStyle(lsFixedList);
  ClearPropertiesEvents(combo);
}

void TcxFilterCheckBoxHelper::GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties,
                                             String& AText, Variant& AValue) const {
  auto* combo = static_cast<TcxCustomComboBox*>(AEdit);
  auto* check = static_cast<TcxCheckBoxProperties*>(AProperties);
  switch (combo->ItemIndex()) {
    case 0:
      AValue = check->ValueChecked();
      break;
    case 1:
      AValue = check->ValueUnchecked();
      break;
    default:
      AValue = Null();
      AText.clear();
      return;
  }
  AText = check->GetDisplayText(AValue);
}

void TcxFilterCheckBoxHelper::SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties,
                                             const Variant& AValue) const {
  auto* combo = static_cast<TcxCustomComboBox*>(AEdit);
  switch (static_cast<TcxCheckBoxProperties*>(AProperties)->StateOf(AValue)) {
    case cbsChecked:
      combo->SetItemIndex(0);
      break;
    case cbsUnchecked:
      combo->SetItemIndex(1);
      break;
    default:
      combo->SetItemIndex(-1);
      break;
  }
}

// --- Registry ---

void TcxFilterEditsController::Register(TClass APropertiesClass, const TcxCustomFilterEditHelper* AHelper) {
  TClass key = APropertiesClass->ClassParent();
  for (TEntry& entry : entries_)
    if (entry.PropertiesClass == key) {
      entry.Helper = AHelper;
      return;
    }
  entries_.push_back({key, AHelper});
}

void TcxFilterEditsController::Unregister(TClass APropertiesClass, const TcxCustomFilterEditHelper* AHelper) {
  TClass key = APropertiesClass->ClassParent();
  std::erase_if(entries_, [&](const TEntry& e) { return e.PropertiesClass == key && e.Helper == AHelper; });
}

const TcxCustomFilterEditHelper* TcxFilterEditsController::FindHelper(TClass APropertiesClass) const {
  for (TClass c = APropertiesClass ? APropertiesClass->ClassParent() : nullptr; c; c = c->ClassParent())
    for (const TEntry& entry : entries_)
      if (entry.PropertiesClass == c) return entry.Helper;
  return nullptr;
}

namespace {
std::unique_ptr<TcxFilterEditsController> g_filterEditsController;
}  // namespace

TcxFilterEditsController* FilterEditsController() { return g_filterEditsController.get(); }

void cxFilterEditsControllerInitialize() {
  g_filterEditsController = std::make_unique<TcxFilterEditsController>();
  TcxFilterEditsController* c = g_filterEditsController.get();
  c->Register(TcxCalcEditProperties::StaticClass(), TcxFilterCalcEditHelper::Instance());
  c->Register(TcxCheckBoxProperties::StaticClass(), TcxFilterCheckBoxHelper::Instance());
  c->Register(TcxComboBoxProperties::StaticClass(), TcxFilterComboBoxHelper::Instance());
  c->Register(TcxCurrencyEditProperties::StaticClass(), TcxFilterCurrencyEditHelper::Instance());
  c->Register(TcxDateEditProperties::StaticClass(), TcxFilterDateEditHelper::Instance());
  c->Register(TcxHyperLinkEditProperties::StaticClass(), TcxFilterHyperLinkEditHelper::Instance());
  c->Register(TcxImageComboBoxProperties::StaticClass(), TcxFilterImageComboBoxHelper::Instance());
  c->Register(TcxLookupComboBoxProperties::StaticClass(), TcxFilterLookupComboBoxHelper::Instance());
  c->Register(TcxMaskEditProperties::StaticClass(), TcxFilterMaskEditHelper::Instance());
  c->Register(TcxMemoProperties::StaticClass(), TcxFilterMemoHelper::Instance());
  c->Register(TcxMRUEditProperties::StaticClass(), TcxFilterMRUEditHelper::Instance());
  c->Register(TcxRadioGroupProperties::StaticClass(), TcxFilterRadioGroupHelper::Instance());
  c->Register(TcxSpinEditProperties::StaticClass(), TcxFilterSpinEditHelper::Instance());
  c->Register(TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::Instance());
  c->Register(TcxTimeEditProperties::StaticClass(), TcxFilterTimeEditHelper::Instance());
}

void cxFilterEditsControllerFinalize() { g_filterEditsController.reset(); }

// --- Value edits and values ---

TcxCustomEdit* CreateFilterValueEdit(const TcxCustomFilterEditHelper* AHelper, TcxCustomEditProperties* AProperties,
                                     TcxInplaceEditList* AEditList, TWinControl* AParent) {
  TClass propertiesClass = AHelper->GetFilterEditPropertiesClass();
  if (!propertiesClass) propertiesClass = AProperties->ClassType();
  TcxCustomEdit* edit;
  if (AEditList) {
    edit = AEditList->GetEditByPropertiesClass(propertiesClass);
  } else {
    // A stand-alone editor with its own border, as a dialog shows it.
    auto probe = cxCreateEditProperties(propertiesClass, nullptr);
    std::unique_ptr<TObject> instance(probe->GetContainerClass()->NewInstance(nullptr));
    edit = dynamic_cast<TcxCustomEdit*>(instance.get());
    if (!edit) throw Exception(u"Not an editor: " + probe->GetContainerClass()->ClassName());
    instance.release();
  }
  edit->SetParent(AParent);
  AHelper->InitializeEdit(edit, AProperties);
  return edit;
}

// Whether the value type stores the value: a value it cannot convert raises while being stored.
static bool cxFilterValueTypeAccepts(const TcxValueType* AValueType, const Variant& AValue) {
  std::vector<Byte> slot(static_cast<size_t>(std::max(AValueType->GetValueSize(), 0)) + sizeof(void*) * 2, 0);
  try {
    AValueType->StoreValue(slot.data(), AValue);
  } catch (const Exception&) {
    return false;
  }
  AValueType->FreeValue(slot.data());
  return true;
}

void CheckFilterValue(TcxCustomEdit* AEdit, Variant& AValue, int AOperator, const TcxValueType* AValueType) {
  if (!AValueType) return;
  if (!AValueType->IsStringType() && VarIsStr(AValue) && VarToStr(AValue).empty()) AValue = Null();
  if (VarIsNull(AValue) || AOperator == fcopLike || AOperator == fcopNotLike) return;
  if (cxFilterValueTypeAccepts(AValueType, AValue)) return;
  if (AEdit && AEdit->CanFocus()) AEdit->SetFocus();
  throw Exception(cxGetResourceString(cxSFilterInvalidValue));
}

void cxFilterRemoveWildcards(TcxCustomEdit* AEdit, TcxFilterCriteria* ACriteria, int AOperator) {
  auto* text = dynamic_cast<TcxCustomTextEdit*>(AEdit);
  if (!text || AOperator == fcopLike || AOperator == fcopNotLike) return;
  const String wildcards{ACriteria->PercentWildcard(), ACriteria->UnderscoreWildcard()};
  String value = text->Text();
  if (std::erase_if(value, [&](Char c) { return wildcards.find(c) != String::npos; }) > 0) text->SetText(value);
}
