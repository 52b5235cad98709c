// The framework's list of untyped pointers, with its growth, sort and error behaviour.
#pragma once

#include <memory>

#include "platform/rtl/Types.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Compare function for Sort: <0, 0 or >0.
using TListSortCompare = int (*)(void* item1, void* item2);

class TList {
 public:
  TList() = default;
  virtual ~TList();
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  int Count() const { return count_; }
  // Growing fills the new slots with nil; shrinking drops items (with a deletion notice for each).
  void SetCount(int count);
  int Capacity() const { return capacity_; }
  // A capacity below Count raises EListError "List capacity out of bounds (%d)".
  void SetCapacity(int capacity);

  // An index outside 0..Count-1 raises EListError "List index out of bounds (%d)".
  void* Items(int index) const;
  void SetItems(int index, void* item);
  void* operator[](int index) const { return Items(index); }
  // The item array itself (Count entries), for fast scans.
  void** List() const { return items_.get(); }

  int Add(void* item);
  void Insert(int index, void* item);  // index may be Count
  void Delete(int index);
  // Removes the first occurrence; the result is its former index, or -1.
  int Remove(void* item);
  // Removes the first occurrence without the deletion notice; the result is the item, or nil.
  void* Extract(void* item);
  int IndexOf(void* item) const;
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void* First() const { return Items(0); }
  void* Last() const { return Items(count_ - 1); }
  // Removes the nil items.
  void Pack();
  void Clear();
  TList* Expand();
  // Quicksort, not stable. Safe with an inconsistent compare function: the order is then
  // unspecified, but nothing outside the list is touched.
  void Sort(TListSortCompare compare);

 protected:
  // Called after an item was added and after one was removed (extracted or deleted).
  virtual void Notify(void* item, TListNotification action);
  void Grow();

 private:
  [[noreturn]] static void Error(const char* format, int value);
  void CheckIndex(int index) const;

  std::unique_ptr<void*[]> items_;
  int count_ = 0;
  int capacity_ = 0;
};
