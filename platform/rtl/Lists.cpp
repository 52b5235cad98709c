#include "platform/rtl/Lists.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"

TList::~TList() { Clear(); }

void TList::Error(const char* format, int value) {
  throw EListError(std::string(format) + " (" + std::to_string(value) + ")");
}

void TList::CheckIndex(int index) const {
  if (index < 0 || index >= count_) Error("List index out of bounds", index);
}

void TList::Notify(void*, TListNotification) {}

void TList::SetCapacity(int capacity) {
  if (capacity < count_) Error("List capacity out of bounds", capacity);
  if (capacity == capacity_) return;
  std::unique_ptr<void*[]> items(capacity > 0 ? new void*[static_cast<size_t>(capacity)] : nullptr);
  if (items && count_ > 0) std::copy(items_.get(), items_.get() + count_, items.get());
  items_ = std::move(items);
  capacity_ = capacity;
}

void TList::Grow() {
  const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
  SetCapacity(capacity_ + delta);
}

void TList::SetCount(int count) {
  if (count < 0) Error("List count out of bounds", count);
  if (count > capacity_) SetCapacity(count);
  if (count > count_) {
    std::fill(items_.get() + count_, items_.get() + count, nullptr);
    count_ = count;
  } else {
    for (int i = count_ - 1; i >= count; --i) Delete(i);
  }
}

void* TList::Items(int index) const {
  CheckIndex(index);
  return items_[index];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index);
  void* old = items_[index];
  if (old == item) return;
  items_[index] = item;
  if (old) Notify(old, lnDeleted);
  if (item) Notify(item, lnAdded);
}

int TList::Add(void* item) {
  if (count_ == capacity_) Grow();
  items_[count_] = item;
  const int index = count_++;
  if (item) Notify(item, lnAdded);
  return index;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > count_) Error("List index out of bounds", index);
  if (count_ == capacity_) Grow();
  std::memmove(items_.get() + index + 1, items_.get() + index,
               sizeof(void*) * static_cast<size_t>(count_ - index));
  items_[index] = item;
  ++count_;
  if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
  CheckIndex(index);
  void* item = items_[index];
  --count_;
  std::memmove(items_.get() + index, items_.get() + index + 1,
               sizeof(void*) * static_cast<size_t>(count_ - index));
  if (item) Notify(item, lnDeleted);
}

int TList::IndexOf(void* item) const {
  for (int i = 0; i < count_; ++i)
    if (items_[i] == item) return i;
  return -1;
}

int TList::Remove(void* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  const int index = IndexOf(item);
  if (index < 0) return nullptr;
  --count_;
  std::memmove(items_.get() + index, items_.get() + index + 1,
               sizeof(void*) * static_cast<size_t>(count_ - index));
  Notify(item, lnExtracted);
  return item;
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[index1], items_[index2]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  void* item = items_[curIndex];
  if (curIndex < newIndex)
    std::memmove(items_.get() + curIndex, items_.get() + curIndex + 1,
                 sizeof(void*) * static_cast<size_t>(newIndex - curIndex));
  else
    std::memmove(items_.get() + newIndex + 1, items_.get() + newIndex,
                 sizeof(void*) * static_cast<size_t>(curIndex - newIndex));
  items_[newIndex] = item;
}

void TList::Pack() {
  int kept = 0;
  for (int i = 0; i < count_; ++i)
    if (items_[i]) items_[kept++] = items_[i];
  count_ = kept;
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

TList* TList::Expand() {
  if (count_ == capacity_) Grow();
  return this;
}

namespace {

// The framework's quicksort (middle pivot, Hoare partition), so that equal items end in the same
// order as they always did. The scans are bounded by the range, which a consistent compare never
// needs but an inconsistent one would otherwise run past.
void QuickSort(void** items, int l, int r, TListSortCompare compare) {
  while (l < r) {
    int i = l;
    int j = r;
    int p = l + (r - l) / 2;
    do {
      while (i < r && compare(items[i], items[p]) < 0) ++i;
      while (j > l && compare(items[j], items[p]) > 0) --j;
      if (i <= j) {
        std::swap(items[i], items[j]);
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    // Recurse into the smaller part and loop on the larger one: the stack stays logarithmic, and
    // the result is the same as in either order, since the parts are disjoint.
    if (j - l < r - i) {
      if (l < j) QuickSort(items, l, j, compare);
      l = i;
    } else {
      if (i < r) QuickSort(items, i, r, compare);
      r = j;
    }
  }
}

}  // namespace

void TList::Sort(TListSortCompare compare) {
  if (count_ > 1) QuickSort(items_.get(), 0, count_ - 1, compare);
}
