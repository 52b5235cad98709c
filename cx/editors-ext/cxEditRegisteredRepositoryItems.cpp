#include "cx/editors-ext/cxEditRegisteredRepositoryItems.h"

#include <algorithm>

TRENVIK_IMPLEMENT_CLASS(TcxEditRegisteredRepositoryItems)

namespace {

// Keys and priorities are compared, never subtracted: keys are addresses on 64-bit systems.
bool EntryComesBefore(const TcxEditRegisteredRepositoryItems::TEntry& AEntry, TcxRegisteredItemKey AKey,
                      int APriority) {
  if (AEntry.Key != AKey) return AEntry.Key > AKey;
  return AEntry.Priority > APriority;
}

}  // namespace

TcxEditRegisteredRepositoryItems::TcxEditRegisteredRepositoryItems(TPersistent* AOwner)
    : TcxInterfacedPersistent(AOwner) {}

TcxEditRegisteredRepositoryItems::~TcxEditRegisteredRepositoryItems() { Clear(); }

bool TcxEditRegisteredRepositoryItems::FindEntry(const TEntryList& AList, TcxRegisteredItemKey AKey, int& AIndex,
                                                 int APriority) {
  auto it = std::partition_point(AList.begin(), AList.end(),
                                 [&](const TEntry& AEntry) { return EntryComesBefore(AEntry, AKey, APriority); });
  AIndex = static_cast<int>(it - AList.begin());
  if (it == AList.end() || it->Key != AKey) return false;
  return APriority == AnyPriority || it->Priority == APriority;
}

int TcxEditRegisteredRepositoryItems::AddItem(TEntryList& AList, TcxRegisteredItemKey AKey,
                                              TcxEditRepositoryItem* AItem, int APriority) {
  int index;
  if (FindEntry(AList, AKey, index, APriority)) return index;
  AList.insert(AList.begin() + index, TEntry{AKey, APriority, AItem});
  AItem->AddListener(this);
  Changed();
  return index;
}

void TcxEditRegisteredRepositoryItems::DeleteEntry(TEntryList& AList, int AIndex) {
  TcxEditRepositoryItem* item = AList[AIndex].Item;
  AList.erase(AList.begin() + AIndex);
  // An item registered under several keys keeps telling the registry until its last entry goes.
  if (!UsesItem(item)) item->RemoveListener(this);
  Changed();
}

void TcxEditRegisteredRepositoryItems::DeleteItemEntries(TEntryList& AList, TcxEditRepositoryItem* AItem) {
  for (int i = static_cast<int>(AList.size()) - 1; i >= 0; --i)
    if (AList[i].Item == AItem) DeleteEntry(AList, i);
}

void TcxEditRegisteredRepositoryItems::ClearList(TEntryList& AList) {
  while (!AList.empty()) DeleteEntry(AList, static_cast<int>(AList.size()) - 1);
}

bool TcxEditRegisteredRepositoryItems::ListUsesItem(const TEntryList& AList, TcxEditRepositoryItem* AItem) {
  return std::any_of(AList.begin(), AList.end(), [AItem](const TEntry& AEntry) { return AEntry.Item == AItem; });
}

bool TcxEditRegisteredRepositoryItems::UsesItem(TcxEditRepositoryItem* AItem) const {
  return ListUsesItem(defaultEntries_, AItem) || ListUsesItem(keyedEntries_, AItem);
}

void TcxEditRegisteredRepositoryItems::ItemRemoved(TcxEditRepositoryItem* AItem) {
  DeleteItemEntries(defaultEntries_, AItem);
  DeleteItemEntries(keyedEntries_, AItem);
}

TcxEditRepositoryItem* TcxEditRegisteredRepositoryItems::GetDefaultItem() {
  return defaultEntries_.empty() ? nullptr : defaultEntries_.front().Item;
}

TcxEditRepositoryItem* TcxEditRegisteredRepositoryItems::ItemForKey(TcxRegisteredItemKey AKey) {
  int index;
  if (AKey != 0 && FindEntry(keyedEntries_, AKey, index, AnyPriority)) return keyedEntries_[index].Item;
  return GetDefaultItem();
}

int TcxEditRegisteredRepositoryItems::RegisterDefaultItem(int APriority, TcxEditRepositoryItem* AItem) {
  return AddItem(defaultEntries_, 0, AItem, APriority);
}

int TcxEditRegisteredRepositoryItems::RegisterItem(TcxRegisteredItemKey AKey, int APriority,
                                                   TcxEditRepositoryItem* AItem) {
  return AddItem(keyedEntries_, AKey, AItem, APriority);
}

void TcxEditRegisteredRepositoryItems::UnregisterDefaultItem(int APriority) {
  int index;
  if (FindEntry(defaultEntries_, 0, index, APriority)) DeleteEntry(defaultEntries_, index);
}

void TcxEditRegisteredRepositoryItems::UnregisterItem(TcxRegisteredItemKey AKey, int APriority) {
  int index;
  if (FindEntry(keyedEntries_, AKey, index, APriority)) DeleteEntry(keyedEntries_, index);
}

void TcxEditRegisteredRepositoryItems::Clear() {
  ClearList(keyedEntries_);
  ClearList(defaultEntries_);
}
