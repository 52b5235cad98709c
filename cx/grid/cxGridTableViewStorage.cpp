// The stored properties of record-based views: the filter settings and summary options as texts,
// the items and summary objects as stored children.
#include <memory>

#include "cx/data/cxDBFilter.h"
#include "cx/grid/cxGridCustomTableView.h"
#include "cx/grid/cxGridStoredValues.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Streams.h"

namespace {

const std::vector<String>& FilterOptionNames() {
  static const std::vector<String> names{u"fcoCaseInsensitive", u"fcoShowOperatorDescription", u"fcoSoftNull",
                                         u"fcoSoftCompare"};
  return names;
}

const std::vector<String>& SummaryOptionNames() {
  static const std::vector<String> names{u"soNullIgnore", u"soSelectedRecords"};
  return names;
}

String WildcardText(Char AWildcard) { return String(1, AWildcard); }

// An empty value stores the character of code 0.
Char WildcardOf(const Variant& AValue) {
  const String text = VarToStr(AValue);
  return text.empty() ? Char(0) : text.front();
}

String FilterToHexText(TcxDataFilterCriteria* AFilter) {
  TMemoryStream stream;
  AFilter->WriteData(&stream);
  const auto* bytes = static_cast<const char*>(stream.Memory());
  return u"Hex:" + StringToHexString(AnsiString(bytes, static_cast<size_t>(stream.Size())));
}

// The "Hex:" prefix is dropped unchecked. The value is read into separate criteria first: a bad value
// raises and the view keeps its filter.
void ReadFilterFromHexText(TcxCustomDataController* ADataController, const String& AText) {
  const AnsiString bytes = HexStringToString(AText.size() > 4 ? AText.substr(4) : String());
  TMemoryStream stream;
  stream.Write(bytes.data(), static_cast<Int64>(bytes.size()));
  stream.SetPosition(0);
  TcxDataFilterCriteria* filter = ADataController->Filter();
  std::unique_ptr<TcxDataFilterCriteria> parsed(ADataController->CreateFilterCriteria());
  // Held in its update bracket for its whole life, so it never refreshes the data controller.
  parsed->BeginUpdate();
  parsed->Assign(filter);
  parsed->ReadData(&stream);
  filter->Assign(parsed.get());
}

const String kFooterSummaryItem = u"FooterSummaryItem";
const String kDefaultGroupSummaryItem = u"DefaultGroupSummaryItem";
const String kSummaryGroup = u"SummaryGroup";

// The group number of a "SummaryGroup<n>[_...]" name; -1 when the digits are no number.
int SummaryGroupNumber(const String& AObjectName) {
  const String rest = AObjectName.substr(kSummaryGroup.size());
  const size_t underscore = rest.find(u'_');
  return StrToIntDef(rest.substr(0, underscore), -1);
}

}  // namespace

bool TcxCustomGridTableView::GetStoredPropertyNames(TStrings* AProperties) {
  if (StorageOptions().Contains(gsoFilter))
    for (const char16_t* name :
         {u"FilterActive", u"FilterAutoDataSetFilter", u"FilterDateTimeFormat", u"FilterMaxValueListCount",
          u"FilterOptions", u"FilterPercentWildcard", u"FilterUnderscoreWildcard", u"Filter"})
      AProperties->Add(name);
  if (StorageOptions().Contains(gsoSummary)) AProperties->Add(u"SummaryOptions");
  return true;
}

void TcxCustomGridTableView::GetStoredPropertyValue(const String& AName, Variant& AValue) {
  TcxDataFilterCriteria* filter = DataController()->Filter();
  if (AName == u"FilterActive") {
    AValue = filter->Active();
  } else if (AName == u"FilterAutoDataSetFilter") {
    auto* dbFilter = dynamic_cast<TcxDBDataFilterCriteria*>(filter);
    AValue = dbFilter ? Variant(dbFilter->AutoDataSetFilter()) : Null();
  } else if (AName == u"FilterDateTimeFormat") {
    AValue = filter->DateTimeFormat();
  } else if (AName == u"FilterMaxValueListCount") {
    AValue = filter->MaxValueListCount();
  } else if (AName == u"FilterOptions") {
    AValue = SetToString(static_cast<unsigned>(filter->Options().Bits()), FilterOptionNames());
  } else if (AName == u"FilterPercentWildcard") {
    AValue = WildcardText(filter->PercentWildcard());
  } else if (AName == u"FilterUnderscoreWildcard") {
    AValue = WildcardText(filter->UnderscoreWildcard());
  } else if (AName == u"Filter") {
    AValue = FilterToHexText(filter);
  } else if (AName == u"SummaryOptions") {
    AValue = SetToString(static_cast<unsigned>(DataController()->Summary()->Options().Bits()),
                         SummaryOptionNames());
  }
}

void TcxCustomGridTableView::SetStoredPropertyValue(const String& AName, const Variant& AValue) {
  TcxDataFilterCriteria* filter = DataController()->Filter();
  if (AName == u"FilterActive") {
    filter->SetActive(StringToBoolean(VarToStr(AValue)));
  } else if (AName == u"FilterAutoDataSetFilter") {
    const bool value = StringToBoolean(VarToStr(AValue));
    if (auto* dbFilter = dynamic_cast<TcxDBDataFilterCriteria*>(filter))
      dbFilter->SetAutoDataSetFilter(value);
  } else if (AName == u"FilterDateTimeFormat") {
    filter->SetDateTimeFormat(VarToStr(AValue));
  } else if (AName == u"FilterMaxValueListCount") {
    filter->SetMaxValueListCount(AValue.AsInteger());
  } else if (AName == u"FilterOptions") {
    filter->SetOptions(
        TcxFilterCriteriaOptions::FromBits(StringToSet(VarToStr(AValue), FilterOptionNames())));
  } else if (AName == u"FilterPercentWildcard") {
    filter->SetPercentWildcard(WildcardOf(AValue));
  } else if (AName == u"FilterUnderscoreWildcard") {
    filter->SetUnderscoreWildcard(WildcardOf(AValue));
  } else if (AName == u"Filter") {
    ReadFilterFromHexText(DataController(), VarToStr(AValue));
  } else if (AName == u"SummaryOptions") {
    DataController()->Summary()->SetOptions(
        TcxSummaryOptions::FromBits(StringToSet(VarToStr(AValue), SummaryOptionNames())));
  }
}

TObject* TcxCustomGridTableView::CreateStoredChild(const String& AObjectName, const String& AClassName) {
  if (AClassName == GetItemClass()->ClassName()) {
    TcxCustomGridTableItem* item = CreateItem();
    if (StorageName().empty() && !AObjectName.empty()) item->SetName(AObjectName);
    return item;
  }
  if (!StorageOptions().Contains(gsoSummary)) return nullptr;
  TcxDataSummary* summary = DataController()->Summary();
  if (AObjectName.starts_with(kFooterSummaryItem)) return summary->FooterSummaryItems()->Add();
  if (AObjectName.starts_with(kDefaultGroupSummaryItem)) return summary->DefaultGroupSummaryItems()->Add();
  if (!AObjectName.starts_with(kSummaryGroup)) return nullptr;
  const int group = SummaryGroupNumber(AObjectName);
  if (group < 0) return nullptr;
  TcxDataSummaryGroups* groups = summary->SummaryGroups();
  const bool groupExists = group < groups->Count();
  if (AObjectName.find(u"Item") != String::npos)
    return groupExists ? groups->GetItem(group)->SummaryItems()->Add() : nullptr;
  if (AObjectName.find(u"Link") == String::npos) return groups->Add();
  return groupExists ? groups->GetItem(group)->Links()->Add() : nullptr;
}

void TcxCustomGridTableView::GetStoredChildren(TStringList* AChildren) {
  for (TcxCustomGridTableItem* item : items_) {
    String name;
    item->GetStoredObjectName(name);
    AChildren->AddObject(name, item);
  }
  if (!StorageOptions().Contains(gsoSummary)) return;
  TcxDataSummary* summary = DataController()->Summary();
  auto addAll = [AChildren](TCollection* ACollection, const String& APrefix) {
    for (int i = 0; i < ACollection->Count(); ++i)
      AChildren->AddObject(APrefix + IntToStr(i), ACollection->Items(i));
  };
  addAll(summary->FooterSummaryItems(), kFooterSummaryItem);
  addAll(summary->DefaultGroupSummaryItems(), kDefaultGroupSummaryItem);
  TcxDataSummaryGroups* groups = summary->SummaryGroups();
  for (int i = 0; i < groups->Count(); ++i) {
    const String groupName = kSummaryGroup + IntToStr(i);
    AChildren->AddObject(groupName, groups->Items(i));
    addAll(groups->GetItem(i)->SummaryItems(), groupName + u"_Item");
    addAll(groups->GetItem(i)->Links(), groupName + u"_Link");
  }
}
