// The criteria tree: building, evaluation, filter texts, the stream and the value list.
#include "cx/data/cxFilter.h"

#include "cx/data/cxDataConsts.h"
#include "cx/data/cxDataUtils.h"
#include "cx/data/cxVariants.h"
#include <string>

#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomFilterCriteriaItem)
TRENVIK_IMPLEMENT_CLASS(TcxFilterCriteriaItemList)
TRENVIK_IMPLEMENT_CLASS(TcxFilterCriteriaItem)
TRENVIK_IMPLEMENT_CLASS(TcxFilterValueList)
TRENVIK_PUBLISHED(TcxFilterCriteria) {
  P.Property("MaxValueListCount", &TcxFilterCriteria::MaxValueListCount,
             &TcxFilterCriteria::SetMaxValueListCount)
      .Default(0);
  P.Property("Options", &TcxFilterCriteria::Options, &TcxFilterCriteria::SetOptions)
      .Default(TcxFilterCriteriaOptions{});
  P.Property("PercentWildcard", &TcxFilterCriteria::PercentWildcard, &TcxFilterCriteria::SetPercentWildcard)
      .Default(u'%');
  P.Property("UnderscoreWildcard", &TcxFilterCriteria::UnderscoreWildcard,
             &TcxFilterCriteria::SetUnderscoreWildcard)
      .Default(u'_');
  P.Event("OnChanged", &TcxFilterCriteria::OnChanged);
}

namespace {

String Res(int id) { return cxGetFilterResourceString(id); }

[[noreturn]] void ReadError() { throw EReadError("Stream read error"); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Nodes

TcxCustomFilterCriteriaItem::~TcxCustomFilterCriteriaItem() {
  if (parent_) parent_->RemoveItem(this);
}

void TcxCustomFilterCriteriaItem::Changed() {
  if (TcxFilterCriteria* criteria = GetCriteria()) criteria->Changed();
}

TcxFilterCriteria* TcxCustomFilterCriteriaItem::GetCriteria() {
  return parent_ ? parent_->GetCriteria() : nullptr;
}

TcxFilterCriteriaItemList::TcxFilterCriteriaItemList(TcxFilterCriteriaItemList* AParent,
                                                     TcxFilterBoolOperatorKind ABoolOperatorKind)
    : TcxCustomFilterCriteriaItem(AParent), boolOperatorKind_(ABoolOperatorKind) {}

TcxFilterCriteriaItemList::~TcxFilterCriteriaItemList() {
  while (!items_.empty()) {
    TcxCustomFilterCriteriaItem* child = items_.back();
    items_.pop_back();
    child->parent_ = nullptr;
    delete child;
  }
}

void TcxFilterCriteriaItemList::SetBoolOperatorKind(TcxFilterBoolOperatorKind AValue) {
  if (boolOperatorKind_ == AValue) return;
  boolOperatorKind_ = AValue;
  Changed();
}

TcxFilterCriteria* TcxFilterCriteriaItemList::GetCriteria() {
  return criteria_ ? criteria_ : TcxCustomFilterCriteriaItem::GetCriteria();
}

void TcxFilterCriteriaItemList::WriteData(TStream* AStream) {
  cxWriteBoolean(AStream, true);
  cxWriteByte(AStream, static_cast<Byte>(boolOperatorKind_));
  cxWriteInteger(AStream, Count());
  for (auto* item : items_) item->WriteData(AStream);
}

void TcxFilterCriteriaItemList::RemoveItem(TcxCustomFilterCriteriaItem* AItem) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] == AItem) {
      items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
      AItem->parent_ = nullptr;
      Changed();
      return;
    }
  }
}

TcxFilterCriteriaItem* TcxFilterCriteriaItemList::AddItem(TObject* AItemLink,
                                                          TcxFilterOperatorKind AOperatorKind,
                                                          const Variant& AValue,
                                                          const String& ADisplayValue) {
  return GetCriteria()->AddItem(this, AItemLink, AOperatorKind, AValue, ADisplayValue);
}

TcxFilterCriteriaItemList* TcxFilterCriteriaItemList::AddItemList(
    TcxFilterBoolOperatorKind ABoolOperatorKind) {
  auto* list = new TcxFilterCriteriaItemList(this, ABoolOperatorKind);
  items_.push_back(list);
  Changed();
  return list;
}

TcxCustomFilterCriteriaItem* TcxFilterCriteriaItemList::Items(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) return nullptr;
  return items_[static_cast<size_t>(AIndex)];
}

bool TcxFilterCriteriaItemList::Evaluate(int ARecordIndex) {
  bool result = true;
  bool first = true;
  // Every child is visited, so that an error of a later child is not hidden by an earlier answer.
  for (auto* item : items_) {
    bool r = item->IsItemList() ? static_cast<TcxFilterCriteriaItemList*>(item)->Evaluate(ARecordIndex)
                                : static_cast<TcxFilterCriteriaItem*>(item)->Evaluate(ARecordIndex);
    if (first) {
      result = (boolOperatorKind_ == fgkAnd || boolOperatorKind_ == fgkOr) ? r : !r;
      first = false;
      continue;
    }
    switch (boolOperatorKind_) {
      case fgkAnd:
        result = result && r;
        break;
      case fgkOr:
        result = result || r;
        break;
      case fgkNotAnd:
        result = result || !r;
        break;
      case fgkNotOr:
        result = result && !r;
        break;
    }
  }
  return result;
}

TcxFilterCriteriaItem::TcxFilterCriteriaItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                             TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                             const String& ADisplayValue)
    : TcxCustomFilterCriteriaItem(AParent),
      itemLink_(AItemLink),
      operatorKind_(AOperatorKind),
      value_(AValue),
      displayValue_(ADisplayValue) {}

TcxFilterCriteriaItem::~TcxFilterCriteriaItem() = default;

void TcxFilterCriteriaItem::SetOperatorKind(TcxFilterOperatorKind AValue) {
  if (operatorKind_ == AValue) return;
  operatorKind_ = AValue;
  RecreateOperator();
}

void TcxFilterCriteriaItem::SetValue(const Variant& AValue) {
  value_ = AValue;
  RecreateOperator();
}

void TcxFilterCriteriaItem::SetDisplayValue(const String& AValue) {
  if (displayValue_ == AValue) return;
  displayValue_ = AValue;
  Changed();
}

void TcxFilterCriteriaItem::WriteData(TStream* AStream) {
  cxWriteBoolean(AStream, false);
  cxWriteByte(AStream, static_cast<Byte>(operatorKind_));
  cxWriteString(AStream, StringToAnsi(displayValue_));
  TcxFilterCriteria* criteria = GetCriteria();
  cxWriteInteger(AStream, criteria ? criteria->GetIDByItemLink(ItemLink()) : -1);
  cxWriteVariant(AStream, value_);
}

void TcxFilterCriteriaItem::GetDisplayValue(String& AText) {
  AText = displayValue_;
  if (operator_) operator_->AdjustDisplayValue(AText);
}

void TcxFilterCriteriaItem::GetValueText(bool ADisplayMode, String& AText) {
  if (ADisplayMode)
    GetDisplayValue(AText);
  else if (operator_)
    operator_->FormatValue(value_, AText);
}

TClass TcxFilterCriteriaItem::GetOperatorClass() {
  bool blank = IsNullValue(value_);
  if (blank && (operatorKind_ == foEqual || operatorKind_ == foLike))
    return TcxFilterNullOperator::StaticClass();
  if (blank && (operatorKind_ == foNotEqual || operatorKind_ == foNotLike))
    return TcxFilterNotNullOperator::StaticClass();
  return cxFilterOperatorClassOfKind(operatorKind_);
}

void TcxFilterCriteriaItem::RecreateOperator() {
  operator_.reset();
  operator_.reset(static_cast<TcxFilterOperator*>(GetOperatorClass()->NewInstance(this)));
  Changed();
}

bool TcxFilterCriteriaItem::IsNullValue(const Variant& AValue) {
  TcxFilterCriteria* criteria = GetCriteria();
  return criteria ? criteria->IsNullValue(AValue) : VarIsNull(AValue);
}

bool TcxFilterCriteriaItem::Evaluate(int ARecordIndex) {
  TcxFilterCriteria* criteria = GetCriteria();
  try {
    if (preparedGeneration_ != criteria->generation_) {
      criteria->PrepareValue(value_, preparedValue_);
      preparedGeneration_ = criteria->generation_;
    }
    // Prepared in place: a second variant a record costs a copy and a release a million times over.
    Variant value;
    GetDataValue(ARecordIndex, value);
    criteria->PrepareValue(value, value);
    return operator_->Evaluate(value, preparedValue_);
  } catch (const EVariantError&) {
    if (criteria->Options().Contains(fcoSoftCompare)) return false;
    throw;
  }
}

// ---------------------------------------------------------------------------------------------
// Value list

int TcxFilterValueList::Compare(int AIndex, const Variant& AValue, const String& ADisplayText) {
  const TcxFilterValueItem& item = items_[static_cast<size_t>(AIndex)];
  if (SortByDisplayText) {
    if (criteria_->Options().Contains(fcoCaseInsensitive))
      return AnsiCompareStr(AnsiUpperCase(item.DisplayText), AnsiUpperCase(ADisplayText));
    return AnsiCompareStr(item.DisplayText, ADisplayText);
  }
  Variant a, b;
  criteria_->PrepareValue(item.Value, a);
  criteria_->PrepareValue(AValue, b);
  return cxVariantCompare(a, b);
}

int TcxFilterValueList::GetValuesStartIndex() const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)].Kind == fviValue) return i;
  return Count();
}

void TcxFilterValueList::Add(TcxFilterValueItemKind AKind, const Variant& AValue, const String& ADisplayText,
                             bool AUnsorted) {
  TcxFilterValueItem item{AKind, AValue, ADisplayText};
  if (AKind != fviValue) {
    items_.insert(items_.begin() + GetValuesStartIndex(), item);
    return;
  }
  if (AUnsorted) {
    items_.push_back(item);
    return;
  }
  int maxCount = criteria_->MaxValueListCount();
  if (maxCount != 0 && Count() >= maxCount) return;
  int index;
  if (!Find(AValue, ADisplayText, index)) items_.insert(items_.begin() + index, item);
}

bool TcxFilterValueList::Find(const Variant& AValue, const String& ADisplayText, int& AIndex) {
  int low = GetValuesStartIndex(), high = Count() - 1;
  bool found = false;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = Compare(mid, AValue, ADisplayText);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) found = true;
    }
  }
  AIndex = low;
  return found;
}

int TcxFilterValueList::IndexOfKind(TcxFilterValueItemKind AKind) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)].Kind == AKind) return i;
  return -1;
}

int TcxFilterValueList::GetIndexByCriteriaItem(TcxFilterCriteriaItem* AItem) {
  if (!AItem) return -1;
  if (AItem->IsNullValue(AItem->Value())) {
    if (AItem->OperatorKind() == foEqual) return IndexOfKind(fviBlanks);
    if (AItem->OperatorKind() == foNotEqual) return IndexOfKind(fviNonBlanks);
  } else if (AItem->OperatorKind() == foEqual && AItem->Parent() == criteria_->Root()) {
    int index;
    if (Find(AItem->Value(), AItem->DisplayValue(), index)) return index;
    return IndexOfKind(fviAll);
  }
  return IndexOfKind(fviCustom);
}

// ---------------------------------------------------------------------------------------------
// Criteria

TcxFilterCriteria::TcxFilterCriteria() : root_(std::make_unique<TcxFilterCriteriaItemList>(nullptr, fgkAnd)) {
  root_->criteria_ = this;
}

TcxFilterCriteria::~TcxFilterCriteria() {
  OnChanged = nullptr;
  ++updateCount_;
  root_.reset();
}

void TcxFilterCriteria::SetOptions(TcxFilterCriteriaOptions AValue) {
  if (options_ == AValue) return;
  options_ = AValue;
  Changed();
}

void TcxFilterCriteria::SetPercentWildcard(Char AValue) {
  if (percentWildcard_ == AValue) return;
  percentWildcard_ = AValue;
  Changed();
}

void TcxFilterCriteria::SetUnderscoreWildcard(Char AValue) {
  if (underscoreWildcard_ == AValue) return;
  underscoreWildcard_ = AValue;
  Changed();
}

void TcxFilterCriteria::SetDateTimeFormat(const String& AValue) {
  if (dateTimeFormat_ == AValue) return;
  dateTimeFormat_ = AValue;
  Changed();
}

void TcxFilterCriteria::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxFilterCriteria*>(ASource);
  if (!source) {
    TPersistent::Assign(ASource);
    return;
  }
  cxInUpdate(this, [&] {
    SetDateTimeFormat(source->DateTimeFormat());
    SetMaxValueListCount(source->MaxValueListCount());
    SetOptions(source->Options());
    SetPercentWildcard(source->PercentWildcard());
    SetUnderscoreWildcard(source->UnderscoreWildcard());
    AssignItems(source);
    AssignEvents(source);
  });
}

void TcxFilterCriteria::Changed() {
  ++generation_;
  if (updateCount_ == 0) DoChanged();
}

void TcxFilterCriteria::EndUpdate() {
  --updateCount_;
  Changed();
}

void TcxFilterCriteria::DoChanged() {
  PrepareOperators();
  if (OnChanged) OnChanged(this);
}

void TcxFilterCriteria::FormatDateValue(const Variant& AValue, String& AText) {
  if (dateTimeFormat_.empty())
    AText = VarToStr(AValue);
  else
    AText = FormatDateTime(dateTimeFormat_, AValue.AsDateTime());
}

void TcxFilterCriteria::BuildGroupText(TcxFilterCriteriaItemList* AList, bool ADisplayMode, String& AText) {
  bool isOr = AList->BoolOperatorKind() == fgkOr || AList->BoolOperatorKind() == fgkNotOr;
  String word =
      ADisplayMode ? Res(isOr ? cxSFilterOrCaption : cxSFilterAndCaption) : String(isOr ? u"OR" : u"AND");
  String result;
  for (int i = 0; i < AList->Count(); ++i) {
    TcxCustomFilterCriteriaItem* child = AList->Items(i);
    String text;
    if (child->IsItemList())
      BuildGroupText(static_cast<TcxFilterCriteriaItemList*>(child), ADisplayMode, text);
    else
      GetItemText(static_cast<TcxFilterCriteriaItem*>(child), ADisplayMode, text);
    if (i > 0) result += u" " + word + u" ";
    result += u"(" + text + u")";
  }
  if (AList->BoolOperatorKind() == fgkNotAnd || AList->BoolOperatorKind() == fgkNotOr)
    result = (ADisplayMode ? Res(cxSFilterNotCaption) : String(u"NOT")) + u" (" + result + u")";
  AText = result;
}

void TcxFilterCriteria::BuildFilterText(bool ADisplayMode, String& AText) {
  if (IsEmpty()) {
    AText.clear();
    return;
  }
  BuildGroupText(root_.get(), ADisplayMode, AText);
}

void TcxFilterCriteria::GetItemText(TcxFilterCriteriaItem* AItem, bool ADisplayMode, String& AText) {
  if (!ADisplayMode && AItem->Operator()->BuildsExpression()) {
    AItem->Operator()->BuildExpression(AItem->Value(), AText);
    return;
  }
  String field, op, value;
  GetItemFieldText(AItem, ADisplayMode, field);
  GetItemOperatorText(AItem, ADisplayMode, op);
  GetItemValueText(AItem, ADisplayMode, value);
  AText = field + u" " + op;
  if (!value.empty()) AText += u" " + value;
}

void TcxFilterCriteria::GetItemFieldText(TcxFilterCriteriaItem* AItem, bool ADisplayMode, String& AText) {
  if (ADisplayMode)
    AItem->GetFieldCaption(AText);
  else
    AItem->GetFieldName(AText);
}

void TcxFilterCriteria::GetItemOperatorText(TcxFilterCriteriaItem* AItem, bool ADisplayMode, String& AText) {
  TcxFilterOperator* op = AItem->Operator();
  if (ADisplayMode && (op->ShowsDescription() || options_.Contains(fcoShowOperatorDescription)))
    op->GetDisplayText(AText);
  else
    op->GetExpressionText(AText);
}

void TcxFilterCriteria::GetItemValueText(TcxFilterCriteriaItem* AItem, bool ADisplayMode, String& AText) {
  AItem->GetValueText(ADisplayMode, AText);
}

TcxFilterValueList* TcxFilterCriteria::CreateValueList() { return new TcxFilterValueList(this); }

void TcxFilterCriteria::PrepareOperators() {
  std::vector<TcxFilterCriteriaItemList*> lists{root_.get()};
  while (!lists.empty()) {
    TcxFilterCriteriaItemList* list = lists.back();
    lists.pop_back();
    for (int i = 0; i < list->Count(); ++i) {
      TcxCustomFilterCriteriaItem* child = list->Items(i);
      if (child->IsItemList())
        lists.push_back(static_cast<TcxFilterCriteriaItemList*>(child));
      else if (auto* op = static_cast<TcxFilterCriteriaItem*>(child)->Operator())
        op->Prepare();
    }
  }
}

void TcxFilterCriteria::PrepareValue(const Variant& AValue, Variant& AResult) {
  switch (AValue.Type()) {
    case varCurrency:
      AResult = AValue.AsDouble();
      return;
    case varString:
      if (options_.Contains(fcoCaseInsensitive)) {
        AResult = VarFromAnsiString(StringToAnsi(AnsiUpperCase(AValue.AsString())));
        return;
      }
      break;
    case varOleStr:
      // Most text columns hold wide strings: they are folded too, or case-insensitive filters
      // would silently be case-sensitive on them.
      if (options_.Contains(fcoCaseInsensitive)) {
        AResult = AnsiUpperCase(AValue.AsString());
        return;
      }
      break;
  }
  AResult = AValue;
}

bool TcxFilterCriteria::IsNullValue(const Variant& AValue) {
  return options_.Contains(fcoSoftNull) ? cxVarIsBlank(AValue) : VarIsNull(AValue);
}

void TcxFilterCriteria::WriteData(TStream* AStream) {
  cxWriteInteger(AStream, -1);
  cxWriteByte(AStream, static_cast<Byte>(root_->BoolOperatorKind()));
  cxWriteInteger(AStream, root_->Count());
  for (int i = 0; i < root_->Count(); ++i) root_->Items(i)->WriteData(AStream);
}

void TcxFilterCriteria::ReadNodes(TStream* AStream, TcxFilterCriteriaItemList* AParent, Integer ACount,
                                  int ADepth) {
  // Every node takes at least one byte: a count beyond the stream is corrupt.
  if (ACount < 0 || ACount > AStream->Size() - AStream->Position()) ReadError();
  if (ADepth > kMaxReadDepth)
    throw EReadError("Filter criteria nest deeper than " + std::to_string(kMaxReadDepth) + " groups");
  for (Integer i = 0; i < ACount; ++i) {
    if (cxReadBoolean(AStream)) {
      Byte kind = cxReadByte(AStream);
      if (kind > fgkNotOr) ReadError();
      TcxFilterCriteriaItemList* list = AParent->AddItemList(static_cast<TcxFilterBoolOperatorKind>(kind));
      ReadNodes(AStream, list, cxReadInteger(AStream), ADepth + 1);
      list->ReadData(AStream);
    } else {
      Byte kind = cxReadByte(AStream);
      if (kind > foNextYear) ReadError();
      String displayValue = AnsiToString(cxReadString(AStream));
      Integer id = cxReadInteger(AStream);
      Variant value = cxReadVariant(AStream);
      TcxFilterCriteriaItem* item = AddItem(AParent, GetItemLinkByID(id),
                                            static_cast<TcxFilterOperatorKind>(kind), value, displayValue);
      item->ReadData(AStream);
    }
  }
}

void TcxFilterCriteria::ReadData(TStream* AStream) {
  cxInUpdate(this, [&] {
    Clear();
    Integer count = cxReadInteger(AStream);
    if (count == -1) {
      Byte kind = cxReadByte(AStream);
      if (kind > fgkNotOr) ReadError();
      root_->SetBoolOperatorKind(static_cast<TcxFilterBoolOperatorKind>(kind));
      count = cxReadInteger(AStream);
    }
    ReadNodes(AStream, root_.get(), count, 0);
  });
}

void TcxFilterCriteria::AssignEvents(TPersistent* ASource) {
  if (auto* source = dynamic_cast<TcxFilterCriteria*>(ASource)) OnChanged = source->OnChanged;
}

void TcxFilterCriteria::AssignItems(TcxFilterCriteria* ASource) {
  cxInUpdate(this, [&] {
    Clear();
    TMemoryStream stream;
    ASource->WriteData(&stream);
    stream.SetPosition(0);
    ReadData(&stream);
  });
}

TcxFilterCriteriaItem* TcxFilterCriteria::AddItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                                  TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                                  const String& ADisplayValue) {
  TcxFilterCriteriaItem* item = nullptr;
  cxInUpdate(this, [&] {
    if (!AParent) AParent = root_.get();
    item = CreateItem(AParent, AItemLink, AOperatorKind, AValue, ADisplayValue);
    AParent->items_.push_back(item);
    item->RecreateOperator();
    if (item->Operator()->InheritsFrom(TcxFilterNullOperator::StaticClass()) && item->displayValue_.empty())
      item->displayValue_ = Res(cxSFilterBlankCaption);
  });
  return item;
}

TcxFilterCriteriaItem* TcxFilterCriteria::FindItemByItemLink(TObject* AItemLink) {
  std::function<TcxFilterCriteriaItem*(TcxFilterCriteriaItemList*)> find =
      [&](TcxFilterCriteriaItemList* list) {
        for (int i = 0; i < list->Count(); ++i) {
          TcxCustomFilterCriteriaItem* child = list->Items(i);
          if (child->IsItemList()) {
            if (auto* found = find(static_cast<TcxFilterCriteriaItemList*>(child))) return found;
          } else if (static_cast<TcxFilterCriteriaItem*>(child)->itemLink_ == AItemLink) {
            return static_cast<TcxFilterCriteriaItem*>(child);
          }
        }
        return static_cast<TcxFilterCriteriaItem*>(nullptr);
      };
  return find(root_.get());
}

void TcxFilterCriteria::RestoreDefaults() {
  cxInUpdate(this, [&] {
    SetOptions({});
    SetPercentWildcard(u'%');
    SetUnderscoreWildcard(u'_');
  });
}

void TcxFilterCriteria::Clear() {
  cxInUpdate(this, [&] {
    while (root_->Count() > 0) delete root_->Items(root_->Count() - 1);
    root_->SetBoolOperatorKind(fgkAnd);
  });
}

void TcxFilterCriteria::RemoveItemsByItemLink(TObject* AItemLink) {
  BeginUpdate();
  bool removed = false;
  try {
    while (TcxFilterCriteriaItem* item = FindItemByItemLink(AItemLink)) {
      removed = true;
      TcxFilterCriteriaItemList* group = item->Parent();
      delete item;
      if (group == root_.get()) continue;
      if (group->Count() == 0) {
        delete group;
      } else if (group->Count() == 1 &&
                 (group->BoolOperatorKind() == fgkAnd || group->BoolOperatorKind() == fgkOr)) {
        // Only a plain group gives way to its last child: a NOT group keeps its negation.
        TcxCustomFilterCriteriaItem* child = group->items_.front();
        group->items_.clear();
        TcxFilterCriteriaItemList* parent = group->Parent();
        child->parent_ = parent;
        parent->items_.push_back(child);
        delete group;
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  if (removed)
    EndUpdate();
  else
    CancelUpdate();
}

bool TcxFilterCriteria::IsRecordSatisfied(int ARecordIndex) { return root_->Evaluate(ARecordIndex); }

String cxFilterValueDisplayText(const Variant& AValue) {
  return VarIsNull(AValue) ? cxGetFilterResourceString(cxSFilterBlankCaption) : VarToStr(AValue);
}

String cxFilterBetweenDisplayText(const Variant& APair) {
  int low = VarArrayLowBound(APair, 1);
  return cxFilterValueDisplayText(VarArrayGet(APair, {low})) + u" " +
         cxGetFilterResourceString(cxSFilterAndCaption) + u" " +
         cxFilterValueDisplayText(VarArrayGet(APair, {low + 1}));
}

String cxFilterInListDisplayText(const Variant& AList) {
  String result = u"(";
  int low = VarArrayLowBound(AList, 1), high = VarArrayHighBound(AList, 1);
  for (int i = low; i <= high; ++i) {
    if (i > low) result += u", ";
    result += cxFilterValueDisplayText(VarArrayGet(AList, {i}));
  }
  return result + u")";
}
