// The filter edit helpers of the extended editors: calc, date, currency, time, MRU, hyperlink, image
// combo box and radio group.
#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxHyperLinkEdit.h"
#include "cx/editors-ext/cxImageComboBox.h"
#include "cx/editors-ext/cxMRUEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "cx/editors/cxComboBox.h"
#include "cx/grid/cxFilterControlUtils.h"

namespace {

// Equal, not equal, blanks and non-blanks; the in-list pair too when extended.
TcxFilterControlOperators FixedListFilterOperators(bool AExtended) {
  TcxFilterControlOperators result;
  for (int op : {fcopEqual, fcopNotEqual, fcopBlanks, fcopNonBlanks}) result.set(static_cast<size_t>(op));
  if (AExtended) result |= cxFilterControlOperatorRange(fcopInList, fcopNotInList);
  return result;
}

// Comparisons, blanks and non-blanks; between and in lists too when extended.
TcxFilterControlOperators NumberFilterOperators(bool AExtended) {
  TcxFilterControlOperators result = cxFilterControlComparisonOperators();
  if (AExtended) result |= cxFilterControlOperatorRange(fcopBetween, fcopNotInList);
  return result;
}

}  // namespace

// --- Calc ---

const TcxFilterCalcEditHelper* TcxFilterCalcEditHelper::Instance() {
  static const TcxFilterCalcEditHelper instance;
  return &instance;
}

TClass TcxFilterCalcEditHelper::GetFilterEditClass() const { return TcxCalcEdit::StaticClass(); }

TcxFilterControlOperators TcxFilterCalcEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                               bool AExtended) const {
  return NumberFilterOperators(AExtended);
}

void TcxFilterCalcEditHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                   TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxFilterMaskEditHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  if (auto* calc = dynamic_cast<TcxCustomCalcEditProperties*>(ATarget)) calc->SetQuickClose(true);
}

// --- Date ---

const TcxFilterDateEditHelper* TcxFilterDateEditHelper::Instance() {
  static const TcxFilterDateEditHelper instance;
  return &instance;
}

TClass TcxFilterDateEditHelper::GetFilterEditClass() const { return TcxDateEdit::StaticClass(); }

TcxFilterControlOperators TcxFilterDateEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                               bool AExtended) const {
  TcxFilterControlOperators result = cxFilterControlComparisonOperators();
  if (AExtended) result |= cxFilterControlOperatorRange(fcopBetween, fcopLast);
  return result;
}

void TcxFilterDateEditHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                   TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxFilterMaskEditHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  auto* date = dynamic_cast<TcxCustomDateEditProperties*>(ATarget);
  if (!date) return;
  date->SetDateButtons(TDateButtons{btnToday, btnClear});
  date->SetDateOnError(deNull);
  date->SetInputKind(ikRegExpr);
  date->SetSaveTime(true);
}

// --- Currency ---

const TcxFilterCurrencyEditHelper* TcxFilterCurrencyEditHelper::Instance() {
  static const TcxFilterCurrencyEditHelper instance;
  return &instance;
}

TClass TcxFilterCurrencyEditHelper::GetFilterEditClass() const { return TcxCurrencyEdit::StaticClass(); }

TcxFilterControlOperators TcxFilterCurrencyEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                                   bool AExtended) const {
  return NumberFilterOperators(AExtended);
}

void TcxFilterCurrencyEditHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                       TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxFilterTextEditHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  auto* currency = dynamic_cast<TcxCustomCurrencyEditProperties*>(ATarget);
  if (!currency) return;
  currency->SetMinValue(0);
  currency->SetMaxValue(0);
  currency->SetNullable(true);
  currency->SetNullString(String());
}

// --- Time ---

const TcxFilterTimeEditHelper* TcxFilterTimeEditHelper::Instance() {
  static const TcxFilterTimeEditHelper instance;
  return &instance;
}

TClass TcxFilterTimeEditHelper::GetFilterEditClass() const { return TcxTimeEdit::StaticClass(); }

void TcxFilterTimeEditHelper::InitializeEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties) const {
  TcxFilterSpinEditHelper::InitializeEdit(AEdit, AProperties);
  if (auto* time = dynamic_cast<TcxCustomTimeEdit*>(AEdit)) time->SetTime(0);
}

// --- MRU, hyperlink ---

const TcxFilterMRUEditHelper* TcxFilterMRUEditHelper::Instance() {
  static const TcxFilterMRUEditHelper instance;
  return &instance;
}

const TcxFilterHyperLinkEditHelper* TcxFilterHyperLinkEditHelper::Instance() {
  static const TcxFilterHyperLinkEditHelper instance;
  return &instance;
}

TClass TcxFilterHyperLinkEditHelper::GetFilterEditClass() const { return TcxHyperLinkEdit::StaticClass(); }

// --- Image combo box ---

const TcxFilterImageComboBoxHelper* TcxFilterImageComboBoxHelper::Instance() {
  static const TcxFilterImageComboBoxHelper instance;
  return &instance;
}

TClass TcxFilterImageComboBoxHelper::GetFilterEditClass() const { return TcxImageComboBox::StaticClass(); }

// The row shows the item's description, not the text the edit happens to hold.
void TcxFilterImageComboBoxHelper::GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties,
                                                  String& AText, Variant& AValue) const {
  AValue = AEdit->EditValue();
  AText = AProperties->GetDisplayText(AValue);
}

TcxFilterControlOperators TcxFilterImageComboBoxHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                                    bool AExtended) const {
  return FixedListFilterOperators(AExtended);
}

void TcxFilterImageComboBoxHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                        TcxCustomEditProperties* ASource, bool AKeepButtons) const {
  TcxFilterComboBoxHelper::InitializeProperties(ATarget, ASource, AKeepButtons);
  auto* combo = dynamic_cast<TcxCustomComboBoxProperties*>(ATarget);
  if (!combo) return;
  combo->SetDropDownListStyle(lsFixedList);
  combo->SetImmediateDropDown(true);
}

// --- Radio group ---

const TcxFilterRadioGroupHelper* TcxFilterRadioGroupHelper::Instance() {
  static const TcxFilterRadioGroupHelper instance;
  return &instance;
}

TClass TcxFilterRadioGroupHelper::GetFilterEditClass() const { return TcxComboBox::StaticClass(); }

TcxFilterControlOperators TcxFilterRadioGroupHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                                 bool AExtended) const {
  return FixedListFilterOperators(AExtended);
}

void TcxFilterRadioGroupHelper::InitializeProperties(TcxCustomEditProperties* ATarget,
                                                     TcxCustomEditProperties* ASource, bool) const {
  auto* combo = dynamic_cast<TcxCustomComboBoxProperties*>(ATarget);
  auto* radio = dynamic_cast<TcxCustomRadioGroupProperties*>(ASource);
  if (!combo || !radio) return;
  combo->Items()->Clear();
  for (int i = 0; i < radio->Items()->Count(); ++i) combo->Items()->Add(radio->Items()->Item(i)->Caption());
  combo->SetDropDownListStyle(lsFixedList);
  ClearPropertiesEvents(combo);
}

void TcxFilterRadioGroupHelper::GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties,
                                               String& AText, Variant& AValue) const {
  auto* radio = static_cast<TcxCustomRadioGroupProperties*>(AProperties);
  const int index = static_cast<TcxCustomComboBox*>(AEdit)->ItemIndex();
  if (index < 0 || index >= radio->Items()->Count()) {
    AValue = radio->DefaultValue();
    AText = radio->DefaultCaption();
    return;
  }
  AValue = radio->ItemEditValue(index);
  AText = radio->Items()->Item(index)->Caption();
}

void TcxFilterRadioGroupHelper::SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties,
                                               const Variant& AValue) const {
  static_cast<TcxCustomComboBox*>(AEdit)->SetItemIndex(
      static_cast<TcxCustomRadioGroupProperties*>(AProperties)->ItemIndexOf(AValue));
}
