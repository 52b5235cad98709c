// The upper-cased, sorted texts of a lookup list column and the search for the first record, in
// list order, that starts with a typed text.
#include "cx/editors-ext/cxLookupTextIndex.h"

#include <algorithm>

#include "cx/data/cxCustomData.h"
#include "platform/rtl/StrUtils.h"

bool TcxLookupTextIndex::IsValidFor(TcxCustomDataController* AController, int AItemIndex) {
  // A new column or a reloaded list is a new field or another record count, heard or not.
  return valid_ && controller_ == AController && itemIndex_ == AItemIndex &&
         field_ == AController->GetItemField(AItemIndex) && recordCount_ == AController->GetRecordCount();
}

void TcxLookupTextIndex::Build(TcxCustomDataController* AController, int AItemIndex) {
  controller_ = AController;
  itemIndex_ = AItemIndex;
  field_ = AController->GetItemField(AItemIndex);
  recordCount_ = AController->GetRecordCount();
  entries_.clear();
  entries_.reserve(static_cast<size_t>(recordCount_));
  String text;
  for (int record = 0; record < recordCount_; ++record) {
    AController->GetDisplayText(record, AItemIndex, text);
    entries_.emplace_back(AnsiUpperCase(text), record);
  }
  std::sort(entries_.begin(), entries_.end());
  matches_.assign(static_cast<size_t>(recordCount_), 0);
  valid_ = true;
}

int TcxLookupTextIndex::Find(TcxCustomDataController* AController, int AItemIndex, const String& AText,
                             bool APartial) {
  if (!IsValidFor(AController, AItemIndex)) Build(AController, AItemIndex);
  const String key = AnsiUpperCase(AText);
  auto first = std::lower_bound(entries_.begin(), entries_.end(), std::pair<String, int>(key, -1));
  auto last = first;
  while (last != entries_.end() && (APartial ? last->first.starts_with(key) : last->first == key)) ++last;
  if (first == last) return -1;
  for (auto it = first; it != last; ++it) matches_[static_cast<size_t>(it->second)] = 1;
  int result = -1;
  const int count = AController->GetFilteredRecordCount();
  for (int position = 0; position < count && result == -1; ++position) {
    const int record = AController->GetRecordListItem(position);
    if (record >= 0 && record < recordCount_ && matches_[static_cast<size_t>(record)]) result = record;
  }
  for (auto it = first; it != last; ++it) matches_[static_cast<size_t>(it->second)] = 0;
  return result;
}
