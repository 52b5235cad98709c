// The controller's filter criteria and the value lists of filter drop-downs.
#include <deque>
#include <string_view>
#include <unordered_set>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxDataUtils.h"
#include "platform/classes/Filer.h"

TRENVIK_IMPLEMENT_CLASS(TcxDataFilterCriteriaItem)
TRENVIK_IMPLEMENT_CLASS(TcxDataFilterValueList)
TRENVIK_PUBLISHED(TcxDataFilterCriteria) {
  P.Property("Active", &TcxDataFilterCriteria::Active, &TcxDataFilterCriteria::SetActive).Default(false);
  P.Event("OnGetValueList", &TcxDataFilterCriteria::OnGetValueList);
}

TcxCustomDataField* TcxDataFilterCriteriaItem::Field() const {
  if (itemLink_ != fieldLink_) {
    field_ = dynamic_cast<TcxCustomDataField*>(itemLink_);
    fieldLink_ = itemLink_;
  }
  return field_;
}

TcxDataFilterCriteria* TcxDataFilterCriteriaItem::DataCriteria() {
  return static_cast<TcxDataFilterCriteria*>(GetCriteria());
}

void TcxDataFilterCriteriaItem::GetDataValue(int ARecordIndex, Variant& AValue) {
  if (TcxCustomDataField* field = Field())
    DataCriteria()->DataController()->GetFilterValue(ARecordIndex, field, AValue);
  else
    AValue = Null();
}

void TcxDataFilterCriteriaItem::GetFieldCaption(String& AText) {
  TcxCustomDataField* field = Field();
  AText =
      field && field->Item() ? DataCriteria()->DataController()->GetItemDisplayName(field->Item()) : String();
}

void TcxDataFilterCriteriaItem::GetFieldName(String& AText) {
  TcxCustomDataField* field = Field();
  AText =
      field && field->Item() ? DataCriteria()->DataController()->GetItemFilterName(field->Item()) : String();
}

TObject* TcxDataFilterCriteriaItem::GetItemLink() {
  TcxCustomDataField* field = Field();
  return field ? field->Item() : nullptr;
}

namespace {

// The values of a column met so far, by texts and ordinals compared bit for bit: a value met again
// would be refused by the sorted list anyway, so a million rows of a few hundred surnames cost a few
// hundred display texts and sorted searches instead of a million. Other kinds are always new.
class TcxFirstFilterValues {
 public:
  bool IsFirst(const Variant& AValue) {
    if (VarIsOrdinal(AValue)) return ordinals_.insert(AValue.AsInt64()).second;
    if (AValue.Type() != varOleStr) return true;
    if (texts_.count(VarOleStrView(AValue))) return false;
    // The set's views point into these copies, which a deque never moves.
    texts_.insert(VarOleStrView(kept_.emplace_back(AValue)));
    return true;
  }

 private:
  std::unordered_set<Int64> ordinals_;
  std::deque<Variant> kept_;
  std::unordered_set<std::u16string_view> texts_;
};

}  // namespace

void TcxDataFilterValueList::Load(int AItemIndex) {
  auto* criteria = static_cast<TcxDataFilterCriteria*>(Criteria());
  TcxCustomDataController* controller = criteria->DataController();
  Clear();
  SortByDisplayText = controller->GetItemValueSource(AItemIndex) != evsText;
  Add(fviAll, Null(), cxGetFilterResourceString(cxSFilterBoxAllCaption), false);
  Add(fviCustom, Null(), cxGetFilterResourceString(cxSFilterBoxCustomCaption), false);
  bool blanks = controller->IsGridMode();
  if (!blanks) {
    TcxCustomDataField* field = controller->GetItemField(AItemIndex);
    TcxFirstFilterValues firsts;
    for (int record = 0; record < controller->GetRecordCount(); ++record) {
      Variant value;
      controller->GetFilterValue(record, field, value);
      if (criteria->IsNullValue(value)) {
        blanks = true;
        continue;
      }
      if (!firsts.IsFirst(value)) continue;
      String text;
      controller->GetFilterDisplayText(record, AItemIndex, text);
      Add(fviValue, value, text, false);
    }
  }
  if (blanks) {
    Add(fviBlanks, Null(), cxGetFilterResourceString(cxSFilterBoxBlanksCaption), false);
    Add(fviNonBlanks, Null(), cxGetFilterResourceString(cxSFilterBoxNonBlanksCaption), false);
  }
  if (criteria->OnGetValueList) criteria->OnGetValueList(criteria, AItemIndex, this);
}

TcxDataFilterCriteria::~TcxDataFilterCriteria() {
  destroying_ = true;
  SetActive(false);
}

void TcxDataFilterCriteria::SetActive(bool AValue) {
  if (active_ == AValue) return;
  active_ = AValue;
  Changed();
}

void TcxDataFilterCriteria::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxDataFilterCriteria*>(ASource);
  if (!source) {
    TcxFilterCriteria::Assign(ASource);
    return;
  }
  BeginUpdate();
  try {
    TcxFilterCriteria::Assign(ASource);
    SetActive(source->Active());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TcxDataFilterCriteria::GetIDByItemLink(TObject* AItemLink) {
  return dataController_->GetItemID(AItemLink);
}

TcxFilterCriteriaItem* TcxDataFilterCriteria::CreateItem(TcxFilterCriteriaItemList* AParent,
                                                         TObject* AItemLink,
                                                         TcxFilterOperatorKind AOperatorKind,
                                                         const Variant& AValue, const String& ADisplayValue) {
  return new TcxDataFilterCriteriaItem(AParent, AItemLink, AOperatorKind, AValue, ADisplayValue);
}

TObject* TcxDataFilterCriteria::GetItemLinkByID(int AID) { return dataController_->FindItemByID(AID); }

void TcxDataFilterCriteria::DoChanged() {
  if (destroying_) return;
  if (TComponent* owner = dataController_->Owner())
    if (owner->ComponentState().Contains(csLoading) || owner->ComponentState().Contains(csDestroying)) return;
  PrepareOperators();
  if (dataController_->DataControllerInfo()) dataController_->CancelAndRefresh();
  if (OnChanged) OnChanged(this);
}

void TcxDataFilterCriteria::AssignEvents(TPersistent* ASource) {
  TcxFilterCriteria::AssignEvents(ASource);
  if (auto* source = dynamic_cast<TcxDataFilterCriteria*>(ASource)) OnGetValueList = source->OnGetValueList;
}

TObject* TcxDataFilterCriteria::FieldOfLink(TObject* AItemLink) {
  if (!AItemLink || dynamic_cast<TcxCustomDataField*>(AItemLink)) return AItemLink;
  return dataController_->Fields()->FindByItem(AItemLink);
}

TcxFilterCriteriaItem* TcxDataFilterCriteria::AddItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                                      TcxFilterOperatorKind AOperatorKind,
                                                      const Variant& AValue, const String& ADisplayValue) {
  return TcxFilterCriteria::AddItem(AParent, FieldOfLink(AItemLink), AOperatorKind, AValue, ADisplayValue);
}

TcxFilterCriteriaItem* TcxDataFilterCriteria::FindItemByItemLink(TObject* AItemLink) {
  return TcxFilterCriteria::FindItemByItemLink(FieldOfLink(AItemLink));
}

bool TcxDataFilterCriteria::IsFiltering() { return active_ && !IsEmpty() && !dataController_->IsGridMode(); }

void TcxDataFilterCriteria::DefineProperties(TFiler* AFiler) {
  TcxFilterCriteria::DefineProperties(AFiler);
  // Always written, also when empty: the stored form carries the property either way.
  AFiler->DefineBinaryProperty(
      u"Criteria", [this](TStream* AStream) { ReadData(AStream); },
      [this](TStream* AStream) { WriteData(AStream); }, true);
}
