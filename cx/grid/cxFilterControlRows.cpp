// The filter control's criteria and rows, and the two conversions between them.
#include "cx/grid/cxFilterControlRows.h"

#include <algorithm>
#include <cstdint>

#include "cx/data/cxDataStorage.h"
#include "cx/data/cxVariants.h"
#include "cx/editors/cxEditProperties.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxFilterControlCriteria)
TRENVIK_IMPLEMENT_CLASS(TcxFilterControlCriteriaItem)

TObject* cxFilterControlItemLink(int AID) { return reinterpret_cast<TObject*>(static_cast<intptr_t>(AID)); }

int cxFilterControlItemID(TObject* AItemLink) { return static_cast<int>(reinterpret_cast<intptr_t>(AItemLink)); }

int cxFilterControlFindItem(IcxFilterControl* ALink, TObject* AItemLink) {
  if (!ALink) return -1;
  // Links are what the component hands out, not positions: search them.
  for (int i = 0; i < ALink->GetCount(); ++i)
    if (ALink->GetItemLink(i) == AItemLink) return i;
  return -1;
}

// --- Criteria ---

TcxFilterCriteriaItem* TcxFilterControlCriteria::CreateItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                                            TcxFilterOperatorKind AOperatorKind,
                                                            const Variant& AValue, const String& ADisplayValue) {
  return new TcxFilterControlCriteriaItem(AParent, AItemLink, AOperatorKind, AValue, ADisplayValue);
}

IcxFilterControl* TcxFilterControlCriteriaItem::Link() {
  auto* criteria = dynamic_cast<TcxFilterControlCriteria*>(GetCriteria());
  return criteria && criteria->Owner() ? criteria->Owner()->Link() : nullptr;
}

void TcxFilterControlCriteriaItem::GetFieldCaption(String& AText) {
  IcxFilterControl* link = Link();
  const int index = cxFilterControlFindItem(link, ItemLink());
  AText = index == -1 ? String() : link->GetCaption(index);
}

void TcxFilterControlCriteriaItem::GetFieldName(String& AText) {
  IcxFilterControl* link = Link();
  const int index = cxFilterControlFindItem(link, ItemLink());
  AText = index == -1 ? String() : link->GetFieldName(index);
}

// --- Rows ---

TcxCustomRowViewInfo::TcxCustomRowViewInfo(TcxFilterControlRowList* AOwner, TcxCustomFilterCriteriaItem* ACriteriaItem,
                                           TcxGroupViewInfo* AParent)
    : owner_(AOwner), criteriaItem_(ACriteriaItem), parent_(AParent), level_(AParent ? AParent->Level() + 1 : 0) {}

TcxCustomRowViewInfo::~TcxCustomRowViewInfo() = default;

TcxGroupViewInfo::TcxGroupViewInfo(TcxFilterControlRowList* AOwner, TcxFilterCriteriaItemList* ACriteriaList,
                                   TcxGroupViewInfo* AParent)
    : TcxCustomRowViewInfo(AOwner, ACriteriaList, AParent),
      Caption(u"applies to the following conditions"),
      boolOperator_(ACriteriaList ? ACriteriaList->BoolOperatorKind() : fgkAnd) {}

TcxCustomRowViewInfo* TcxGroupViewInfo::Add(std::unique_ptr<TcxCustomRowViewInfo> ARow) {
  rows_.push_back(std::move(ARow));
  return rows_.back().get();
}

void TcxGroupViewInfo::Remove(TcxCustomRowViewInfo* ARow) {
  std::erase_if(rows_, [ARow](const auto& row) { return row.get() == ARow; });
}

TcxConditionViewInfo::TcxConditionViewInfo(TcxFilterControlRowList* AOwner, TcxFilterCriteriaItem* ACriteriaItem,
                                           TcxGroupViewInfo* AParent)
    : TcxCustomRowViewInfo(AOwner, ACriteriaItem, AParent) {
  IcxFilterControl* link = AOwner->Link();
  itemLink_ = ACriteriaItem->ItemLink();
  itemIndex_ = cxFilterControlFindItem(link, itemLink_);
  if (!AOwner->HasUsableLink() || itemIndex_ == -1)
    throw EcxFilterControlError(cxGetResourceString(cxSFilterErrorBuilding));
  itemText_ = link->GetCaption(itemIndex_);
  operator_ = cxFilterControlOperatorOf(ACriteriaItem->OperatorKind(), ACriteriaItem->IsNullValue(ACriteriaItem->Value()));
  const Variant& value = ACriteriaItem->Value();
  if (operator_ >= fcopBetween && operator_ <= fcopNotInList && VarIsArray(value)) {
    for (int i = VarArrayLowBound(value, 1); i <= VarArrayHighBound(value, 1); ++i) {
      const Variant element = VarArrayGet(value, {i});
      values_.push_back({element, VarToStr(element)});
    }
  } else {
    values_.push_back({value, ACriteriaItem->DisplayValue()});
  }
  // A stream may hold a between without its pair: the row gets the values its operator takes.
  ResetValues(true);
  InitializeEditor();
}

TcxConditionViewInfo::TcxConditionViewInfo(TcxFilterControlRowList* AOwner, TcxGroupViewInfo* AParent)
    : TcxCustomRowViewInfo(AOwner, nullptr, AParent) {
  SetItem(0);
}

TcxConditionViewInfo::~TcxConditionViewInfo() = default;

void TcxConditionViewInfo::InitializeEditor() {
  editorProperties_.reset();
  TcxFilterControlRowList* owner = Owner();
  IcxFilterControl* link = owner->Link();
  const bool known = owner->HasUsableLink() && itemIndex_ >= 0 && itemIndex_ < link->GetCount();
  TcxCustomEditProperties* itemProperties = known ? link->GetProperties(itemIndex_) : nullptr;
  if (!itemProperties) itemProperties = owner->DefaultProperties();
  helper_ = FilterEditsController() ? FilterEditsController()->FindHelper(itemProperties->ClassType()) : nullptr;
  if (!helper_) helper_ = TcxFilterTextEditHelper::Instance();
  TClass propertiesClass = helper_->GetFilterEditPropertiesClass();
  editorProperties_ = cxCreateEditProperties(propertiesClass ? propertiesClass : itemProperties->ClassType(), nullptr);
  helper_->InitializeProperties(editorProperties_.get(), itemProperties, true);
  supportedOperators_ = helper_->GetSupportedFilterOperators(itemProperties, true);
  valueType_ = known ? link->GetValueType(itemIndex_) : nullptr;
  if (valueType_ && !valueType_->IsStringType()) {
    supportedOperators_.reset(fcopLike);
    supportedOperators_.reset(fcopNotLike);
  }
}

void TcxConditionViewInfo::SetItem(int AIndex) {
  if (AIndex == itemIndex_) return;
  itemIndex_ = AIndex;
  IcxFilterControl* link = Owner()->Link();
  const bool known = Owner()->HasUsableLink() && AIndex >= 0 && AIndex < link->GetCount();
  itemLink_ = known ? link->GetItemLink(AIndex) : nullptr;
  itemText_ = known ? link->GetCaption(AIndex) : String();
  InitializeEditor();
  operator_ = fcopNone;
  for (int op = 1; op <= fcopLast; ++op)
    if (supportedOperators_.test(static_cast<size_t>(op))) {
      operator_ = op;
      break;
    }
  ResetValues(false);
}

void TcxConditionViewInfo::SetOperator(int AOperator) {
  operator_ = AOperator;
  ResetValues(true);
}

void TcxConditionViewInfo::ResetValues(bool AKeep) {
  const bool pair = IsBetweenOperator();
  const bool list = IsListOperator();
  if (AKeep && HasValues()) {
    // A list read from a stream may be empty: the row still shows one value.
    if (list) {
      if (values_.empty()) values_.emplace_back();
      return;
    }
    const size_t wanted = pair ? 2 : 1;
    if (values_.size() > wanted) values_.resize(wanted);
    while (values_.size() < wanted) values_.push_back({});
    return;
  }
  values_.clear();
  values_.resize(pair ? 2 : 1);
}

void TcxConditionViewInfo::MakeCriteriaValue(Variant& AValue, String& ADisplayText) const {
  const String blank = cxGetResourceString(cxSFilterBlankValue);
  const TcxValueInfo& first = values_.front();
  switch (operator_) {
    case fcopBetween:
    case fcopNotBetween: {
      const bool ordered = cxVariantCompare(values_[0].Value, values_[1].Value) < 0;
      const TcxValueInfo& low = ordered ? values_[0] : values_[1];
      const TcxValueInfo& high = ordered ? values_[1] : values_[0];
      cxVarBetweenArrayCreate(low.Value, high.Value, AValue);
      Variant texts;
      cxVarBetweenArrayCreate(Variant(low.ValueText), Variant(high.ValueText), texts);
      ADisplayText = cxFilterBetweenDisplayText(texts);
      return;
    }
    case fcopInList:
    case fcopNotInList: {
      Variant texts;
      cxVarListArrayCreate(first.Value, AValue);
      cxVarListArrayCreate(Variant(first.ValueText), texts);
      for (size_t i = 1; i < values_.size(); ++i) {
        cxVarListArrayAddValue(AValue, values_[i].Value);
        cxVarListArrayAddValue(texts, Variant(values_[i].ValueText));
      }
      ADisplayText = cxFilterInListDisplayText(texts);
      return;
    }
    case fcopBlanks:
    case fcopNonBlanks:
      AValue = Null();
      ADisplayText = blank;
      return;
    default:
      AValue = first.Value;
      ADisplayText = VarIsNull(first.Value) || (VarIsStr(first.Value) && VarToStr(first.Value).empty())
                         ? blank
                         : first.ValueText;
      return;
  }
}

// --- The row list ---

TcxFilterControlRowList::TcxFilterControlRowList()
    : criteria_(std::make_unique<TcxFilterControlCriteria>(this)),
      defaultProperties_(std::make_unique<TcxTextEditProperties>(nullptr)),
      root_(std::make_unique<TcxGroupViewInfo>(this, criteria_->Root(), nullptr)) {
  rows_.push_back(root_.get());
}

TcxFilterControlRowList::~TcxFilterControlRowList() = default;

int TcxFilterControlRowList::IndexOf(const TcxCustomRowViewInfo* ARow) const {
  const auto found = std::find(rows_.begin(), rows_.end(), ARow);
  return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

void TcxFilterControlRowList::AddRows(TcxGroupViewInfo* AGroup) {
  rows_.push_back(AGroup);
  for (int i = 0; i < AGroup->RowCount(); ++i) {
    TcxCustomRowViewInfo* row = AGroup->Rows(i);
    if (auto* group = dynamic_cast<TcxGroupViewInfo*>(row))
      AddRows(group);
    else
      rows_.push_back(row);
  }
}

void TcxFilterControlRowList::RefreshRows() {
  rows_.clear();
  AddRows(root_.get());
}

void TcxFilterControlRowList::Clear() {
  root_->Clear();
  root_->SetBoolOperator(fgkAnd);
  RefreshRows();
}

void TcxFilterControlRowList::BuildGroupRows(TcxGroupViewInfo* AGroup, TcxFilterCriteriaItemList* AList) {
  AGroup->SetBoolOperator(AList->BoolOperatorKind());
  for (int i = 0; i < AList->Count(); ++i) {
    TcxCustomFilterCriteriaItem* item = AList->Items(i);
    if (auto* list = dynamic_cast<TcxFilterCriteriaItemList*>(item)) {
      auto* group = static_cast<TcxGroupViewInfo*>(AGroup->Add(std::make_unique<TcxGroupViewInfo>(this, list, AGroup)));
      BuildGroupRows(group, list);
    } else {
      AGroup->Add(std::make_unique<TcxConditionViewInfo>(this, static_cast<TcxFilterCriteriaItem*>(item), AGroup));
    }
  }
}

void TcxFilterControlRowList::BuildRows() {
  Clear();
  // The rows made before a failure stay and are listed.
  TScopeExit refresh([this] { RefreshRows(); });
  BuildGroupRows(root_.get(), criteria_->Root());
}

bool TcxFilterControlRowList::IsValid() const {
  return std::all_of(rows_.begin(), rows_.end(), [](const TcxCustomRowViewInfo* row) { return row->IsValid(); });
}

void TcxFilterControlRowList::BuildGroupCriteria(TcxGroupViewInfo* AGroup, TcxFilterCriteriaItemList* AList) {
  AList->SetBoolOperatorKind(AGroup->BoolOperator());
  for (int i = 0; i < AGroup->RowCount(); ++i) {
    TcxCustomRowViewInfo* row = AGroup->Rows(i);
    if (auto* group = dynamic_cast<TcxGroupViewInfo*>(row)) {
      BuildGroupCriteria(group, AList->AddItemList(fgkAnd));
    } else {
      auto* condition = static_cast<TcxConditionViewInfo*>(row);
      Variant value;
      String displayText;
      condition->MakeCriteriaValue(value, displayText);
      AList->AddItem(condition->ItemLink(),
                     cxFilterControlOperatorKind(static_cast<TcxFilterControlOperator>(condition->Operator())), value,
                     displayText);
    }
  }
}

bool TcxFilterControlRowList::BuildCriteria() {
  if (!IsValid()) return false;
  criteria_->BeginUpdate();
  TScopeExit endUpdate([this] { criteria_->EndUpdate(); });
  criteria_->Clear();
  BuildGroupCriteria(root_.get(), criteria_->Root());
  return true;
}

TcxConditionViewInfo* TcxFilterControlRowList::AddCondition(TcxGroupViewInfo* AGroup) {
  if (!HasUsableLink()) return nullptr;
  if (!AGroup) AGroup = root_.get();
  auto* condition =
      static_cast<TcxConditionViewInfo*>(AGroup->Add(std::make_unique<TcxConditionViewInfo>(this, AGroup)));
  RefreshRows();
  return condition;
}

TcxGroupViewInfo* TcxFilterControlRowList::AddGroup(TcxGroupViewInfo* AGroup) {
  if (!HasUsableLink()) return nullptr;
  if (!AGroup) AGroup = root_.get();
  auto* group = static_cast<TcxGroupViewInfo*>(AGroup->Add(std::make_unique<TcxGroupViewInfo>(this, nullptr, AGroup)));
  AddCondition(group);
  return group;
}

void TcxFilterControlRowList::RemoveRow(TcxCustomRowViewInfo* ARow) {
  if (!ARow || ARow == root_.get()) return;
  // A group left empty by the removal goes with it.
  while (ARow->Parent() != root_.get() && ARow->Parent()->RowCount() == 1) ARow = ARow->Parent();
  ARow->Parent()->Remove(ARow);
  RefreshRows();
}
