// Sorting of a controller's record list. The order is that of the record comparison (the sorting
// entries in turn, then the record indexes), computed with a merge sort that stays within the list
// whatever a comparison answers. Fields compared natively by the storage have their keys read once
// into typed arrays (texts become ranks among their distinct values), so that a million records
// sort and group without a call chain per comparison.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Types.h"

class TcxCustomDataController;
class TcxSortingFieldList;

class TcxRecordSortKeys {
 public:
  // Reads the keys of the entries the storage compares natively, for the records of the list.
  void Prepare(TcxCustomDataController* ADataController, TcxSortingFieldList* AEntries,
               const std::vector<int>& ARecordList);
  void Clear() {
    entries_.clear();
    positionKeys_.clear();
  }
  // The entry's comparison of two records is answered from the keys (the entry's order applied).
  bool IsFast(int AEntry) const {
    return AEntry < static_cast<int>(entries_.size()) && entries_[static_cast<size_t>(AEntry)].fast;
  }
  bool AllFast() const { return allFast_; }
  int Compare(int AEntry, int ARecord1, int ARecord2) const;
  // Sorts the list by the keys (all entries fast), then the record indexes; afterwards the keys are
  // also known by list position.
  void SortList(std::vector<int>& ARecordList);
  bool HasPositionKeys() const { return !positionKeys_.empty(); }
  // Compares the entry's keys of two list positions of the sorted list (order applied).
  int ComparePositions(int AEntry, int APosition1, int APosition2) const {
    auto a = positionKeys_[static_cast<size_t>(APosition1) * entryCount_ + static_cast<size_t>(AEntry)];
    auto b = positionKeys_[static_cast<size_t>(APosition2) * entryCount_ + static_cast<size_t>(AEntry)];
    return a < b ? -1 : (a > b ? 1 : 0);
  }

 private:
  using Key = unsigned __int128;
  // The entry's key of a record as one number whose order is the entry's order.
  Key EncodedKey(size_t AEntry, int ARecord) const;
  struct Entry {
    bool fast = false;
    bool isFloat = false;
    int sign = 1;
    std::vector<Byte> state;  // 0 no buffer, 1 Null, 2 a value
    std::vector<Int64> ints;  // integers, or the rank of a text among the distinct texts
    std::vector<double> floats;
  };
  std::vector<Entry> entries_;
  bool allFast_ = false;
  std::vector<Key> positionKeys_;
  size_t entryCount_ = 0;
};

void cxSortRecordList(TcxCustomDataController* ADataController, const TcxRecordSortKeys& AKeys,
                      std::vector<int>& ARecordList, const std::function<int(int, int)>& ACompareRecords);

// Sorts AItems by ACompare (<0, 0, >0) with a stable merge sort; safe with any compare function.
void cxMergeSort(std::vector<int>& AItems, const std::function<int(int, int)>& ACompare);
