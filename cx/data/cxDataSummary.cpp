// Footer and group summaries: items, summary groups, calculation and texts.
#include <cmath>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataUtils.h"
#include "cx/data/cxVariants.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumberText.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDataSummaryItem)
TRENVIK_PUBLISHED(TcxDataSummaryItem) {
  P.Property("Format", &TcxDataSummaryItem::Format, &TcxDataSummaryItem::SetFormat);
  P.Property("Kind", &TcxDataSummaryItem::Kind, &TcxDataSummaryItem::SetKind).Default(skNone);
  P.Property("Position", &TcxDataSummaryItem::StoredPosition, &TcxDataSummaryItem::SetPosition)
      .NoDefault()
      .Stored(&TcxDataSummaryItem::PositionStored);
}
TRENVIK_IMPLEMENT_CLASS(TcxDataSummaryItems)
TRENVIK_IMPLEMENT_CLASS(TcxDataFooterSummaryItems)
TRENVIK_PUBLISHED(TcxDataGroupSummaryItems) {
  P.Property("BeginText", &TcxDataGroupSummaryItems::BeginText, &TcxDataGroupSummaryItems::SetBeginText)
      .Stored(&TcxDataGroupSummaryItems::BeginTextStored);
  P.Property("EndText", &TcxDataGroupSummaryItems::EndText, &TcxDataGroupSummaryItems::SetEndText)
      .Stored(&TcxDataGroupSummaryItems::EndTextStored);
  P.Property("Separator", &TcxDataGroupSummaryItems::Separator, &TcxDataGroupSummaryItems::SetSeparator)
      .Stored(&TcxDataGroupSummaryItems::SeparatorStored);
}
TRENVIK_IMPLEMENT_CLASS(TcxDataSummaryGroupItemLink)
TRENVIK_IMPLEMENT_CLASS(TcxDataSummaryGroupItemLinks)
TRENVIK_PUBLISHED(TcxDataSummaryGroup) {
  P.Property("Links", &TcxDataSummaryGroup::Links);
  P.Property("SummaryItems", &TcxDataSummaryGroup::SummaryItems);
}
TRENVIK_IMPLEMENT_CLASS(TcxDataSummaryGroups)
TRENVIK_PUBLISHED(TcxDataSummary) {
  P.Property("DefaultGroupSummaryItems", &TcxDataSummary::DefaultGroupSummaryItems);
  P.Property("FooterSummaryItems", &TcxDataSummary::FooterSummaryItems);
  P.Property("SummaryGroups", &TcxDataSummary::SummaryGroups);
  P.Property("Options", &TcxDataSummary::Options, &TcxDataSummary::SetOptions).Default(TcxSummaryOptions{});
  P.Event("OnAfterSummary", &TcxDataSummary::OnAfterSummary);
}

namespace {

// Default formats by value type: group row texts (row 0) and footers (row 1), kinds sum .. average.
const char* const kCurrencyFormats[2][5] = {
    {"SUM=%s;SUM=-%s", "MIN=%s;MIN=-%s", "MAX=%s;MAX=-%s", "COUNT=0", "AVG=%s;AVG=-%s"},
    {"%s;-%s", "MIN=%s;MIN=-%s", "MAX=%s;MAX=-%s", "0", "AVG=%s;AVG=-%s"}};
const char* const kDateFormats[2][5] = {{"SUM=", "MIN=", "MAX=", "COUNT=0", "AVG="},
                                        {"", "MIN=", "MAX=", "0", "AVG="}};
const char* const kOtherFormats[2][5] = {
    {"SUM=0.00;SUM=-0.00", "MIN=0.00;MIN=-0.00", "MAX=0.00;MAX=-0.00", "COUNT=0", "AVG=0.00;AVG=-0.00"},
    {"0.00;-0.00", "MIN=0.00;MIN=-0.00", "MAX=0.00;MAX=-0.00", "0", "AVG=0.00;AVG=-0.00"}};

// Adds an item inside the collection's update bracket: the change is reported once the item is
// complete.
template <class T, class C>
T* AddComplete(C* collection) {
  collection->BeginUpdate();
  TCollectionItem* item;
  try {
    item = collection->TCollection::Add();
  } catch (...) {
    collection->EndUpdate();
    throw;
  }
  collection->EndUpdate();
  return static_cast<T*>(item);
}

}  // namespace

TcxDataSummaryItem* TcxDataSummaryItems::Add() { return AddComplete<TcxDataSummaryItem>(this); }
TcxDataSummaryGroupItemLink* TcxDataSummaryGroupItemLinks::Add() {
  return AddComplete<TcxDataSummaryGroupItemLink>(this);
}
TcxDataSummaryGroup* TcxDataSummaryGroups::Add() { return AddComplete<TcxDataSummaryGroup>(this); }

// ---------------------------------------------------------------------------------------------
// Items

TObject* TcxCustomDataSummaryItem::GetItemLink() const { return dataField_ ? dataField_->Item() : nullptr; }

void TcxCustomDataSummaryItem::SetItemLink(TObject* AItem) {
  if (AItem == GetItemLink()) return;
  cxInUpdate(Collection(), [&] {
    TcxCustomDataField* field = AItem ? GetDataController()->Fields()->FindByItem(AItem) : nullptr;
    ItemLinkChanging(field);
    dataField_ = field;
    Changed(true);
  });
}

void TcxCustomDataSummaryItem::Assign(TPersistent* ASource) {
  if (auto* source = dynamic_cast<TcxCustomDataSummaryItem*>(ASource)) {
    TObject* link = source->GetItemLink();
    SetItemLink(link ? GetDataController()->FindSameItem(link) : nullptr);
    return;
  }
  TCollectionItem::Assign(ASource);
}

TcxDataSummaryItems* TcxDataSummaryItem::SummaryItems() const {
  return static_cast<TcxDataSummaryItems*>(Collection());
}

TcxCustomDataController* TcxDataSummaryItem::GetDataController() {
  return SummaryItems()->Summary()->DataController();
}

void TcxDataSummaryItem::SetFormat(const String& AValue) {
  if (format_ == AValue) return;
  format_ = AValue;
  Changed(false);
}

void TcxDataSummaryItem::SetKind(TcxSummaryKind AValue) {
  if (kind_ == AValue) return;
  kind_ = AValue;
  Changed(true);
}

TcxSummaryPosition TcxDataSummaryItem::Position() { return SummaryItems()->GetItemPosition(this); }

void TcxDataSummaryItem::SetPosition(TcxSummaryPosition AValue) {
  if (position_ == AValue) return;
  position_ = AValue;
  Changed(false);
}

bool TcxDataSummaryItem::IsPositionStored() { return SummaryItems()->IsItemPositionStored(this); }

void TcxDataSummaryItem::FormatValue(const Variant& AValue, bool AIsFooter, String& AText) {
  if (VarIsNull(AValue) || VarIsEmpty(AValue)) {
    AText.clear();
    return;
  }
  if (kind_ == skNone) {
    AText = VarToStr(AValue);
    return;
  }
  String format = format_;
  if (format.empty()) SummaryItems()->GetDefaultFormat(VarType(AValue), kind_, format, AIsFooter);
  if (AValue.Type() == varDate && kind_ != skCount) {
    TDateTime value = AValue.AsDateTime();
    double date = std::trunc(value), time = value - date;
    if (time != 0 && date != 0)
      AText = format + DateTimeToStr(value);
    else if (time != 0)
      AText = format + TimeToStr(value);
    else
      AText = format + DateToStr(value);
    return;
  }
  AText = FormatFloat(format, AValue.AsDouble());
}

void TcxDataSummaryItem::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxDataSummaryItem*>(ASource);
  if (!source) {
    TcxCustomDataSummaryItem::Assign(ASource);
    return;
  }
  cxInUpdate(Collection(), [&] {
    TcxCustomDataSummaryItem::Assign(ASource);
    SetFormat(source->Format());
    SetKind(source->Kind());
    SetPosition(source->StoredPosition());
  });
}

// ---------------------------------------------------------------------------------------------
// Item collections

TPersistent* TcxDataSummaryItems::GetOwner() { return summary_; }

void TcxDataSummaryItems::AssignEvents(TPersistent* ASource) {
  if (auto* source = dynamic_cast<TcxDataSummaryItems*>(ASource)) OnSummary = source->OnSummary;
}

void TcxDataSummaryItems::GetDefaultFormat(TVarType AValueType, TcxSummaryKind AKind, String& AFormat,
                                           bool AIsFooter) {
  AFormat.clear();
  if (AKind == skNone) return;
  int row = AIsFooter ? 1 : 0, index = static_cast<int>(AKind) - 1;
  if (AValueType == varCurrency) {
    String currency = cxCurrencyDisplayFormat();
    String pattern = S(kCurrencyFormats[row][index]);
    AFormat = pattern.find(u"%s") == String::npos ? pattern : Format(pattern, {currency, currency});
  } else if (AValueType == varDate) {
    AFormat = S(kDateFormats[row][index]);
  } else {
    AFormat = S(kOtherFormats[row][index]);
  }
}

int TcxDataSummaryItems::IndexOfItemLink(TObject* AItem) const {
  for (int i = 0; i < Count(); ++i)
    if (GetItem(i) && GetItem(i)->GetItemLink() == AItem) return i;
  return -1;
}

void TcxDataSummaryItems::Assign(TPersistent* ASource) {
  TCollection::Assign(ASource);
  AssignEvents(ASource);
}

void TcxDataSummaryItems::Update(TCollectionItem* AItem) { summary_->Changed(AItem != nullptr); }

void TcxDataGroupSummaryItems::SetBeginText(const String& AValue) {
  if (beginText_ == AValue) return;
  beginText_ = AValue;
  TextChanged();
}

void TcxDataGroupSummaryItems::SetEndText(const String& AValue) {
  if (endText_ == AValue) return;
  endText_ = AValue;
  TextChanged();
}

void TcxDataGroupSummaryItems::SetSeparator(const String& AValue) {
  if (separator_ == AValue) return;
  separator_ = AValue;
  TextChanged();
}

void TcxDataGroupSummaryItems::TextChanged() {
  if (Count() > 0) Summary()->Changed(true);
}

void TcxDataGroupSummaryItems::FormatGroupSummaryText(const Variant& AValues, String& AText) {
  AText.clear();
  bool first = true;
  for (int i = 0; i < Count(); ++i) {
    TcxDataSummaryItem* item = GetItem(i);
    if (!item || item->Position() != spGroup) continue;
    String text;
    item->FormatValue(Summary()->IsValidValueIndex(AValues, i) ? VarArrayGet(AValues, {i}) : Null(), false,
                      text);
    AText = first ? text : AText + separator_ + u" " + text;
    first = false;
  }
  if (!AText.empty()) AText = beginText_ + AText + endText_;
}

void TcxDataGroupSummaryItems::Assign(TPersistent* ASource) {
  TcxDataSummaryItems::Assign(ASource);
  if (auto* source = dynamic_cast<TcxDataGroupSummaryItems*>(ASource)) {
    beginText_ = source->beginText_;
    endText_ = source->endText_;
    separator_ = source->separator_;
  }
}

// ---------------------------------------------------------------------------------------------
// Summary groups

TcxDataSummaryGroup* TcxDataSummaryGroupItemLink::SummaryGroup() const {
  return static_cast<TcxDataSummaryGroupItemLinks*>(Collection())->SummaryGroup();
}

TcxCustomDataController* TcxDataSummaryGroupItemLink::GetDataController() {
  return SummaryGroup()->Summary()->DataController();
}

void TcxDataSummaryGroupItemLink::ItemLinkChanging(TcxCustomDataField* AField) {
  if (!AField) return;
  // A grouping column belongs to one summary group at most.
  cxInUpdate(Collection(), [&] {
    TcxDataSummaryGroups* groups = SummaryGroup()->Groups();
    for (int g = 0; g < groups->Count(); ++g) {
      TcxDataSummaryGroupItemLinks* links = groups->GetItem(g) ? groups->GetItem(g)->Links() : nullptr;
      if (!links) continue;
      for (int i = 0; i < links->Count(); ++i) {
        TcxDataSummaryGroupItemLink* link = links->GetItem(i);
        if (link && link != this && link->DataField() == AField) link->SetItemLink(nullptr);
      }
    }
  });
}

TPersistent* TcxDataSummaryGroupItemLinks::GetOwner() { return summaryGroup_; }

int TcxDataSummaryGroupItemLinks::IndexOfItemLink(TObject* AItem) const {
  for (int i = 0; i < Count(); ++i)
    if (GetItem(i) && GetItem(i)->GetItemLink() == AItem) return i;
  return -1;
}

void TcxDataSummaryGroupItemLinks::Update(TCollectionItem*) {
  if (summaryGroup_->Collection()) summaryGroup_->Summary()->Changed(false);
}

TcxDataSummaryGroup::TcxDataSummaryGroup(TCollection* ACollection) : TCollectionItem(ACollection) {
  TcxCustomDataController* controller = Summary()->DataController();
  links_ = std::make_unique<TcxDataSummaryGroupItemLinks>(this, controller->GetSummaryGroupItemLinkClass());
  summaryItems_ = std::make_unique<TcxDataGroupSummaryItems>(Summary(), controller->GetSummaryItemClass());
}

TcxDataSummaryGroup::~TcxDataSummaryGroup() {
  links_.reset();
  summaryItems_.reset();
}

TcxDataSummaryGroups* TcxDataSummaryGroup::Groups() const {
  return static_cast<TcxDataSummaryGroups*>(Collection());
}

TcxDataSummary* TcxDataSummaryGroup::Summary() const { return Groups()->Summary(); }

void TcxDataSummaryGroup::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxDataSummaryGroup*>(ASource);
  if (!source) {
    TCollectionItem::Assign(ASource);
    return;
  }
  links_->Assign(source->Links());
  summaryItems_->Assign(source->SummaryItems());
}

TcxDataSummaryGroups::TcxDataSummaryGroups(TcxDataSummary* ASummary)
    : TCollection(TcxDataSummaryGroup::StaticClass()), summary_(ASummary) {}

TPersistent* TcxDataSummaryGroups::GetOwner() { return summary_; }

TcxDataSummaryGroup* TcxDataSummaryGroups::FindByItemLink(TObject* AItem) const {
  for (int i = 0; i < Count(); ++i) {
    TcxDataSummaryGroup* group = GetItem(i);
    if (group && group->Links() && group->Links()->IndexOfItemLink(AItem) >= 0) return group;
  }
  return nullptr;
}

void TcxDataSummaryGroups::Update(TCollectionItem*) { summary_->Changed(false); }

// ---------------------------------------------------------------------------------------------
// TcxDataSummary

TcxDataSummary::TcxDataSummary(TcxCustomDataController* ADataController) : dataController_(ADataController) {
  defaultGroupSummaryItems_ =
      std::make_unique<TcxDataGroupSummaryItems>(this, ADataController->GetSummaryItemClass());
  footerSummaryItems_ =
      std::make_unique<TcxDataFooterSummaryItems>(this, ADataController->GetSummaryItemClass());
  summaryGroups_ = std::make_unique<TcxDataSummaryGroups>(this);
}

TcxDataSummary::~TcxDataSummary() {
  destroying_ = true;
  summaryGroups_.reset();
  footerSummaryItems_.reset();
  defaultGroupSummaryItems_.reset();
}

TPersistent* TcxDataSummary::GetOwner() { return dataController_; }

void TcxDataSummary::SetOptions(TcxSummaryOptions AValue) {
  if (options_ == AValue) return;
  options_ = AValue;
  Changed(false);
}

void TcxDataSummary::InitValues(TcxDataSummaryItems* AItems, std::vector<int>& ACounts,
                                std::vector<Variant>& AValues) {
  ACounts.assign(static_cast<size_t>(AItems->Count()), 0);
  AValues.assign(static_cast<size_t>(AItems->Count()), Variant());
}

void TcxDataSummary::CalculateRange(TcxDataSummaryItems* AItems, int AFirst, std::vector<Variant>& AValues,
                                    std::vector<int>& ACounts, int ALast) {
  int count = AItems->Count();
  if (count == 0) return;
  std::vector<TcxDataSummaryItem*> items(static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) items[static_cast<size_t>(k)] = AItems->GetItem(k);
  TcxDataStorage* storage = dataController_->DataStorage();
  const std::vector<int>& list = dataController_->DataControllerInfo()->RecordList();
  for (int position = AFirst; position <= ALast; ++position) {
    // The records of a sorted list lie anywhere in memory: ask for one a little ahead.
    int ahead = position + 32;
    if (ahead <= ALast && ahead < static_cast<int>(list.size())) {
      int next = list[static_cast<size_t>(ahead)];
      if (next >= 0 && next < storage->RecordCount()) __builtin_prefetch(storage->Buffer(next));
    }
    int record = GetSummaryRecordIndex(position);
    // A record left out by the selection does not count at all.
    if (record < 0) continue;
    for (int k = 0; k < count; ++k)
      if (TcxDataSummaryItem* item = items[static_cast<size_t>(k)])
        CalculateItem(item, record, ACounts[static_cast<size_t>(k)], AValues[static_cast<size_t>(k)]);
  }
}

void TcxDataSummary::Changed(bool ARedrawOnly) {
  if (destroying_ || lockCount_ > 0 || inAfterSummary_) return;
  DoChanged(ARedrawOnly);
}

void TcxDataSummary::DoChanged(bool ARedrawOnly) { dataController_->SummaryChanged(ARedrawOnly); }

void TcxDataSummary::DoAfterSummary() {
  if (!OnAfterSummary) return;
  if (dataController_->IsLoading()) {
    dataController_->DeferredSummary = true;
    return;
  }
  dataController_->DeferredSummary = false;
  inAfterSummary_ = true;
  try {
    OnAfterSummary(this);
  } catch (...) {
    inAfterSummary_ = false;
    throw;
  }
  inAfterSummary_ = false;
}

void TcxDataSummary::FinishValue(TcxDataSummaryItem* AItem, Variant& AValue, int ACount) {
  if (VarIsEmpty(AValue)) AValue = Null();
  if (AItem->Kind() == skCount)
    AValue = ACount;
  else if (AItem->Kind() == skAverage && ACount > 0 && !VarIsNull(AValue))
    AValue = AValue / Variant(ACount);
}

void TcxDataSummary::CalculateItem(TcxDataSummaryItem* AItem, int ARecordIndex, int& ACount,
                                   Variant& AValue) {
  TcxCustomDataField* field = AItem->GetDataField();
  if (!field) return;
  Variant recordValue;
  dataController_->GetFieldValue(ARecordIndex, field, recordValue);
  bool handled = false;
  TcxDataSummaryItems* items = AItem->SummaryItems();
  if (items->OnSummary) {
    TcxSummaryEventArguments arguments{ARecordIndex, AItem};
    TcxSummaryEventOutArguments out{recordValue, AValue, ACount, false};
    items->OnSummary(items, arguments, out);
    AValue = out.SummaryValue;
    ACount = out.Count;
    recordValue = out.RecordValue;
    handled = out.Handled;
  }
  if (handled) return;
  Accumulate(AItem, recordValue, ACount, AValue);
}

void TcxDataSummary::Accumulate(TcxDataSummaryItem* AItem, const Variant& ARecordValue, int& ACount,
                                Variant& AValue) {
  TcxSummaryKind kind = AItem->Kind();
  if (kind == skNone || (options_.Contains(soNullIgnore) && VarIsNull(ARecordValue))) return;
  if (VarIsEmpty(AValue)) {
    // Min and max start from the first value that is not Null, so the record order does not
    // decide the result.
    bool minMax = kind == skMin || kind == skMax;
    if (kind != skCount && !(minMax && VarIsNull(ARecordValue))) {
      AValue = ARecordValue;
      if (VarIsNull(AValue) && (kind == skSum || kind == skAverage)) AValue = 0;
    }
  } else if (!VarIsNull(AValue) && !VarIsNull(ARecordValue)) {
    switch (kind) {
      case skSum:
      case skAverage:
        if (AValue.Type() == varDouble && ARecordValue.Type() == varDouble)
          AValue = Variant(AValue.AsDouble() + ARecordValue.AsDouble());
        else
          AValue += ARecordValue;
        break;
      case skMin:
        if (cxVariantCompare(ARecordValue, AValue) < 0) AValue = ARecordValue;
        break;
      case skMax:
        if (cxVariantCompare(ARecordValue, AValue) > 0) AValue = ARecordValue;
        break;
      default:
        break;
    }
  }
  ++ACount;
}

void TcxDataSummary::FinishValues(TcxDataSummaryItems* AItems, const std::vector<int>& ACounts,
                                  Variant& AResult, std::vector<Variant>& AValues) {
  for (int k = 0; k < AItems->Count(); ++k) {
    if (TcxDataSummaryItem* item = AItems->GetItem(k))
      FinishValue(item, AValues[static_cast<size_t>(k)], ACounts[static_cast<size_t>(k)]);
    else
      AValues[static_cast<size_t>(k)] = Null();
  }
  AResult = VarArrayOf(AValues);
}

int TcxDataSummary::GetSummaryRecordIndex(int APosition) {
  int record = dataController_->GetRecordListItem(APosition);
  if (!options_.Contains(soSelectedRecords)) return record;
  bool selected =
      dataController_->MultiSelect()
          ? dataController_->DataControllerInfo()->Selection()->IsRecordSelected(record)
          : dataController_->GetSelectedCount() > 0 && dataController_->GetFocusedRecordIndex() == record;
  return selected ? record : -1;
}

bool TcxDataSummary::IsValidValueIndex(const Variant& AValues, int AIndex) {
  return VarIsArray(AValues) && AIndex >= VarArrayLowBound(AValues, 1) &&
         AIndex <= VarArrayHighBound(AValues, 1);
}

void TcxDataSummary::AssignEvents(TPersistent* ASource) {
  if (auto* source = dynamic_cast<TcxDataSummary*>(ASource)) OnAfterSummary = source->OnAfterSummary;
}

void TcxDataSummary::Calculate() {
  CalculateFooterSummary();
  CalculateGroupSummaries();
  DoAfterSummary();
}

void TcxDataSummary::CalculateFooterSummary() {
  std::vector<int> counts;
  std::vector<Variant> values;
  InitValues(footerSummaryItems_.get(), counts, values);
  if (!dataController_->IsGridMode())
    CalculateRange(footerSummaryItems_.get(), 0, values, counts,
                   dataController_->GetFilteredRecordCount() - 1);
  FinishValues(footerSummaryItems_.get(), counts, footerSummaryValues_, values);
}

void TcxDataSummary::CalculateGroupSummaries() {
  TcxDataGroups* groups = dataController_->DataControllerInfo()->DataGroups();
  bool handlers = false;
  for (int level = 0; level < groups->GetLevelCount(); ++level)
    if (TcxDataGroupSummaryItems* items = GetGroupSummaryItems(level))
      handlers = handlers || bool(items->OnSummary);
  // Without handlers every level sees the same record values: they are read once for all levels.
  if (!handlers) {
    CalculateGroupSummariesInOnePass();
    return;
  }
  CalculateGroupSummariesByLevel(groups);
}

void TcxDataSummary::CalculateGroupSummariesInOnePass() {
  TcxDataGroups* groups = dataController_->DataControllerInfo()->DataGroups();
  int levels = groups->GetLevelCount(), deepest = levels - 1;
  struct Level {
    TcxDataGroupSummaryItems* items = nullptr;
    std::vector<TcxDataSummaryItem*> itemList;
    int current = -1;
    std::vector<int> counts;
    std::vector<Variant> values;
  };
  std::vector<Level> state(static_cast<size_t>(levels));
  for (int level = 0; level < levels; ++level)
    state[static_cast<size_t>(level)].items = GetGroupSummaryItems(level);
  auto finish = [&](Level& l) {
    if (l.current >= 0) FinishValues(l.items, l.counts, groups->GetItem(l.current)->SummaryValues, l.values);
  };
  // The distinct fields the items read, with one value per record.
  std::vector<TcxCustomDataField*> fields;
  std::vector<std::vector<int>> fieldOf(static_cast<size_t>(levels));
  for (int level = 0; level < levels; ++level) {
    TcxDataGroupSummaryItems* items = state[static_cast<size_t>(level)].items;
    for (int k = 0; items && k < items->Count(); ++k) {
      TcxDataSummaryItem* item = items->GetItem(k);
      state[static_cast<size_t>(level)].itemList.push_back(item);
      TcxCustomDataField* field = item ? item->GetDataField() : nullptr;
      int index = -1;
      for (size_t f = 0; field && f < fields.size(); ++f)
        if (fields[f] == field) index = static_cast<int>(f);
      if (field && index < 0) {
        index = static_cast<int>(fields.size());
        fields.push_back(field);
      }
      fieldOf[static_cast<size_t>(level)].push_back(index);
    }
  }
  std::vector<Variant> recordValues(fields.size());
  TcxDataStorage* storage = dataController_->DataStorage();
  const std::vector<int>& list = dataController_->DataControllerInfo()->RecordList();
  for (int i = 0; i < groups->GetCount(); ++i) {
    TcxDataGroupInfo* group = groups->GetItem(i);
    Level& own = state[static_cast<size_t>(group->Level)];
    if (own.items) {
      finish(own);
      own.current = i;
      InitValues(own.items, own.counts, own.values);
    }
    if (group->Level != deepest) continue;
    for (int position = group->FirstIndex; position <= group->LastIndex; ++position) {
      int ahead = position + 32;
      if (ahead < static_cast<int>(list.size())) {
        int next = list[static_cast<size_t>(ahead)];
        if (next >= 0 && next < storage->RecordCount()) {
          const Byte* buffer = storage->Buffer(next);
          __builtin_prefetch(buffer);
          __builtin_prefetch(buffer + 63);
        }
      }
      int record = GetSummaryRecordIndex(position);
      if (record < 0) continue;
      for (size_t f = 0; f < fields.size(); ++f)
        dataController_->GetFieldValue(record, fields[f], recordValues[f]);
      for (int level = 0; level < levels; ++level) {
        Level& l = state[static_cast<size_t>(level)];
        if (!l.items || l.current < 0) continue;
        const std::vector<int>& map = fieldOf[static_cast<size_t>(level)];
        for (size_t k = 0; k < map.size(); ++k) {
          if (map[k] < 0) continue;
          TcxDataSummaryItem* item = l.itemList[k];
          if (item) Accumulate(item, recordValues[static_cast<size_t>(map[k])], l.counts[k], l.values[k]);
        }
      }
    }
  }
  for (auto& l : state)
    if (l.items) finish(l);
}

void TcxDataSummary::CalculateGroupSummariesByLevel(TcxDataGroups* groups) {
  int levels = groups->GetLevelCount(), deepest = levels - 1;
  for (int level = 0; level < levels; ++level) {
    TcxDataGroupSummaryItems* items = GetGroupSummaryItems(level);
    if (!items) continue;
    std::vector<int> counts;
    std::vector<Variant> values;
    int current = -1;
    auto finish = [&] {
      if (current >= 0) FinishValues(items, counts, groups->GetItem(current)->SummaryValues, values);
    };
    for (int i = 0; i < groups->GetCount(); ++i) {
      TcxDataGroupInfo* item = groups->GetItem(i);
      if (item->Level == level) {
        finish();
        current = i;
        InitValues(items, counts, values);
      }
      if (item->Level == deepest && current >= 0)
        CalculateRange(items, item->FirstIndex, values, counts, item->LastIndex);
    }
    finish();
  }
}

Variant TcxDataSummary::GetFooterSummaryValue(int AIndex) {
  return IsValidValueIndex(footerSummaryValues_, AIndex) ? VarArrayGet(footerSummaryValues_, {AIndex})
                                                         : Null();
}

String TcxDataSummary::GetFooterSummaryText(int AIndex) {
  String text;
  if (AIndex >= 0 && AIndex < footerSummaryItems_->Count() && footerSummaryItems_->GetItem(AIndex))
    footerSummaryItems_->GetItem(AIndex)->FormatValue(GetFooterSummaryValue(AIndex), true, text);
  return text;
}

TcxDataGroupSummaryItems* TcxDataSummary::GetGroupSummaryItems(int ALevel) {
  TcxGroupingFieldList* grouping = dataController_->DataControllerInfo()->GroupingFieldList();
  if (ALevel < 0 || ALevel >= grouping->Count()) return nullptr;
  if (TcxDataSummaryGroup* group = summaryGroups_->FindByItemLink(grouping->GetEntry(ALevel).Field->Item()))
    return group->SummaryItems();
  return defaultGroupSummaryItems_.get();
}

String TcxDataSummary::GetGroupSummaryText(int ARowIndex) {
  TcxCustomDataControllerInfo* info = dataController_->DataControllerInfo();
  TcxRowInfo row = dataController_->GetRowInfo(ARowIndex);
  if (row.Level >= info->GroupingFieldList()->Count()) return String();
  TcxDataGroupSummaryItems* items = GetGroupSummaryItems(row.Level);
  int group = info->DataGroups()->FindItemIndex(ARowIndex);
  if (!items || items->Count() == 0 || group < 0) return String();
  const Variant& values = info->DataGroups()->GetItem(group)->SummaryValues;
  if (!VarIsArray(values)) return String();
  String text;
  items->FormatGroupSummaryText(values, text);
  return text;
}

int TcxDataSummary::GetGroupFooterItemIndex(int ALevel, TObject* AItem) {
  TcxDataGroupSummaryItems* items = GetGroupSummaryItems(ALevel);
  if (!items) return -1;
  for (int i = 0; i < items->Count(); ++i)
    if (items->GetItem(i) && items->GetItem(i)->Position() == spFooter &&
        items->GetItem(i)->GetItemLink() == AItem)
      return i;
  return -1;
}

bool TcxDataSummary::GetGroupFooterSummaryText(int ARowIndex, int ALevel, String& AText, int AItemIndex) {
  AText.clear();
  TcxDataGroupSummaryItems* items = GetGroupSummaryItems(ALevel);
  if (!items) return false;
  TcxDataGroups* groups = dataController_->DataControllerInfo()->DataGroups();
  int group = groups->GetItemIndexByRowIndex(ARowIndex, ALevel);
  if (group < 0) return false;
  const Variant& values = groups->GetItem(group)->SummaryValues;
  if (!IsValidValueIndex(values, AItemIndex) || AItemIndex >= items->Count() || !items->GetItem(AItemIndex))
    return false;
  items->GetItem(AItemIndex)->FormatValue(VarArrayGet(values, {AItemIndex}), true, AText);
  return true;
}

void TcxDataSummary::BeginUpdate() {
  dataController_->BeginUpdate();
  ++lockCount_;
}

void TcxDataSummary::EndUpdate() {
  --lockCount_;
  Changed(false);
  dataController_->EndUpdate();
}

void TcxDataSummary::CancelUpdate() {
  dataController_->EndUpdate();
  --lockCount_;
}

void TcxDataSummary::FieldRemoved(TcxCustomDataField* AField) {
  BeginUpdate();
  bool any = false;
  auto unbind = [&](auto* collection) {
    if (!collection) return;
    for (int i = 0; i < collection->Count(); ++i)
      if (collection->GetItem(i) && collection->GetItem(i)->DataField() == AField) {
        collection->GetItem(i)->ClearDataField();
        any = true;
      }
  };
  unbind(footerSummaryItems_.get());
  unbind(defaultGroupSummaryItems_.get());
  for (int g = 0; g < summaryGroups_->Count(); ++g) {
    if (!summaryGroups_->GetItem(g)) continue;
    unbind(summaryGroups_->GetItem(g)->SummaryItems());
    unbind(summaryGroups_->GetItem(g)->Links());
  }
  if (any)
    EndUpdate();
  else
    CancelUpdate();
}

void TcxDataSummary::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxDataSummary*>(ASource);
  if (!source) {
    TPersistent::Assign(ASource);
    return;
  }
  BeginUpdate();
  try {
    defaultGroupSummaryItems_->Assign(source->DefaultGroupSummaryItems());
    footerSummaryItems_->Assign(source->FooterSummaryItems());
    summaryGroups_->Assign(source->SummaryGroups());
    SetOptions(source->Options());
    AssignEvents(source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
