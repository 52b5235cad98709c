#include "cx/data/cxDataSort.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "cx/data/cxCustomData.h"

namespace {

template <class Less>
void MergeSort(std::vector<int>& items, Less&& less) {
  size_t n = items.size();
  std::vector<int> buffer(n);
  // Short runs by insertion sort, then bottom-up merging; every index stays within the list.
  const size_t run = 16;
  for (size_t start = 0; start < n; start += run) {
    size_t end = std::min(start + run, n);
    for (size_t i = start + 1; i < end; ++i) {
      int value = items[i];
      size_t j = i;
      while (j > start && less(value, items[j - 1])) {
        items[j] = items[j - 1];
        --j;
      }
      items[j] = value;
    }
  }
  std::vector<int>* from = &items;
  std::vector<int>* to = &buffer;
  for (size_t width = run; width < n; width *= 2) {
    for (size_t left = 0; left < n; left += 2 * width) {
      size_t mid = std::min(left + width, n), right = std::min(left + 2 * width, n);
      size_t i = left, j = mid, k = left;
      while (i < mid && j < right) (*to)[k++] = less((*from)[j], (*from)[i]) ? (*from)[j++] : (*from)[i++];
      while (i < mid) (*to)[k++] = (*from)[i++];
      while (j < right) (*to)[k++] = (*from)[j++];
    }
    std::swap(from, to);
  }
  if (from != &items) items.swap(buffer);
}

enum class KeyKind { Generic, Int, Float, Ansi, Wide };

KeyKind KindOf(TcxValueTypeClass type) {
  if (type == TcxIntegerValueType::Class() || type == TcxSmallintValueType::Class() ||
      type == TcxWordValueType::Class() || type == TcxBooleanValueType::Class() ||
      type == TcxLargeIntValueType::Class() || type == TcxCurrencyValueType::Class())
    return KeyKind::Int;
  if (type == TcxFloatValueType::Class() || type == TcxDateTimeValueType::Class()) return KeyKind::Float;
  if (type == TcxWideStringValueType::Class()) return KeyKind::Wide;
  if (type == TcxStringValueType::Class()) return KeyKind::Ansi;
  return KeyKind::Generic;
}

Int64 LoadInt(TcxValueTypeClass type, const Byte* data) {
  if (type == TcxIntegerValueType::Class()) {
    int32_t v;
    std::memcpy(&v, data, 4);
    return v;
  }
  if (type == TcxSmallintValueType::Class()) {
    int16_t v;
    std::memcpy(&v, data, 2);
    return v;
  }
  if (type == TcxWordValueType::Class()) {
    uint16_t v;
    std::memcpy(&v, data, 2);
    return v;
  }
  if (type == TcxBooleanValueType::Class()) return data[0];
  Int64 v;
  std::memcpy(&v, data, 8);
  return v;
}

// Replaces texts by their rank among the distinct texts (ordinal order): equal texts get equal
// ranks, so sorting and grouping compare integers only.
template <class S>
void RankTexts(const std::vector<const S*>& texts, const std::vector<Byte>& state,
               std::vector<Int64>& ranks) {
  using View = std::basic_string_view<typename S::value_type>;
  std::unordered_map<View, Int64> ids;
  ids.reserve(1024);
  std::vector<View> distinct;
  for (size_t r = 0; r < texts.size(); ++r) {
    if (state[r] != 2) continue;
    View view(*texts[r]);
    auto [it, inserted] = ids.emplace(view, static_cast<Int64>(distinct.size()));
    if (inserted) distinct.push_back(view);
    ranks[r] = it->second;
  }
  std::vector<int> order(distinct.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return distinct[static_cast<size_t>(a)] < distinct[static_cast<size_t>(b)];
  });
  std::vector<Int64> rankOfId(distinct.size());
  for (size_t i = 0; i < order.size(); ++i) rankOfId[static_cast<size_t>(order[i])] = static_cast<Int64>(i);
  for (size_t r = 0; r < texts.size(); ++r)
    if (state[r] == 2) ranks[r] = rankOfId[static_cast<size_t>(ranks[r])];
}

}  // namespace

void TcxRecordSortKeys::Prepare(TcxCustomDataController* ADataController, TcxSortingFieldList* AEntries,
                                const std::vector<int>& ARecordList) {
  entries_.clear();
  entries_.resize(static_cast<size_t>(AEntries->Count()));
  TcxDataStorage* storage = ADataController->DataStorage();
  int recordCount = storage->RecordCount();
  bool usable = !ADataController->OnCompare && !ADataController->HasRecordSource();
  for (int record : ARecordList) usable = usable && record >= 0 && record < recordCount;
  allFast_ = usable;
  for (int e = 0; e < AEntries->Count(); ++e) {
    Entry& k = entries_[static_cast<size_t>(e)];
    const TcxDataSortingEntry& entry = AEntries->GetEntry(e);
    k.sign = entry.SortOrder == soDescending ? -1 : 1;
    TcxCustomDataField* field = entry.Field;
    TcxValueDef* def = field->GetValueDef();
    // Only the storage's own comparison can be read ahead (no value comparison, no handler).
    bool native = usable && def && def->SlotSize() > 0 && !ADataController->IsValueCompareNeeded(field);
    KeyKind kind = native ? KindOf(def->TypeClass()) : KeyKind::Generic;
    if (kind == KeyKind::Generic) {
      allFast_ = false;
      continue;
    }
    k.fast = true;
    k.isFloat = kind == KeyKind::Float;
    k.state.assign(static_cast<size_t>(recordCount), 0);
    if (k.isFloat)
      k.floats.assign(static_cast<size_t>(recordCount), 0);
    else
      k.ints.assign(static_cast<size_t>(recordCount), 0);
    TcxValueTypeClass type = def->TypeClass();
    std::vector<const AnsiString*> ansi;
    std::vector<const String*> wide;
    if (kind == KeyKind::Ansi) ansi.assign(static_cast<size_t>(recordCount), nullptr);
    if (kind == KeyKind::Wide) wide.assign(static_cast<size_t>(recordCount), nullptr);
    for (int record : ARecordList) {
      auto r = static_cast<size_t>(record);
      const Byte* buffer = storage->Buffer(record);
      if (!buffer) continue;
      if (def->IsNull(buffer)) {
        k.state[r] = 1;
        continue;
      }
      k.state[r] = 2;
      const Byte* data = def->Data(buffer);
      switch (kind) {
        case KeyKind::Int:
          k.ints[r] = LoadInt(type, data);
          break;
        case KeyKind::Float:
          std::memcpy(&k.floats[r], data, 8);
          break;
        case KeyKind::Ansi:
          ansi[r] = static_cast<const AnsiString*>(type->ResolveDataPointer(data));
          break;
        case KeyKind::Wide:
          wide[r] = static_cast<const String*>(type->ResolveDataPointer(data));
          break;
        default:
          break;
      }
    }
    if (kind == KeyKind::Ansi) RankTexts(ansi, k.state, k.ints);
    if (kind == KeyKind::Wide) RankTexts(wide, k.state, k.ints);
  }
}

int TcxRecordSortKeys::Compare(int AEntry, int ARecord1, int ARecord2) const {
  const Entry& k = entries_[static_cast<size_t>(AEntry)];
  auto a = static_cast<size_t>(ARecord1), b = static_cast<size_t>(ARecord2);
  int result;
  Byte sa = k.state[a], sb = k.state[b];
  if (sa != 2 || sb != 2) {
    result = sa == sb ? 0 : (sa < sb ? -1 : 1);
  } else if (k.isFloat) {
    double x = k.floats[a], y = k.floats[b];
    bool nx = std::isnan(x), ny = std::isnan(y);
    result = (nx || ny) ? (nx == ny ? 0 : (nx ? 1 : -1)) : (x < y ? -1 : (x > y ? 1 : 0));
  } else {
    Int64 x = k.ints[a], y = k.ints[b];
    result = x < y ? -1 : (x > y ? 1 : 0);
  }
  return k.sign * result;
}

TcxRecordSortKeys::Key TcxRecordSortKeys::EncodedKey(size_t AEntry, int ARecord) const {
  const Entry& k = entries_[AEntry];
  auto r = static_cast<size_t>(ARecord);
  UInt64 value = 0;
  if (k.state[r] == 2) {
    if (k.isFloat) {
      double d = k.floats[r];
      if (std::isnan(d)) {
        value = ~UInt64(0);
      } else {
        if (d == 0) d = 0;  // -0 equals 0
        std::memcpy(&value, &d, 8);
        value = (value & (UInt64(1) << 63)) ? ~value : value | (UInt64(1) << 63);
      }
    } else {
      value = static_cast<UInt64>(k.ints[r]) ^ (UInt64(1) << 63);
    }
  }
  Key key = (static_cast<Key>(k.state[r]) << 64) | value;
  return k.sign < 0 ? ~key : key;
}

namespace {

// Rows carrying their keys, sorted in place: the sort reads memory in order.
template <size_t E, class Key, class KeyOf>
void SortRows(std::vector<int>& list, std::vector<Key>& positionKeys, KeyOf&& keyOf) {
  struct Row {
    Key keys[E];
    int record;
  };
  size_t n = list.size();
  std::vector<Row> rows(n);
  for (size_t p = 0; p < n; ++p) {
    rows[p].record = list[p];
    for (size_t e = 0; e < E; ++e) rows[p].keys[e] = keyOf(e, list[p]);
  }
  // A total order (keys, then record index): std::sort is safe with it.
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    for (size_t e = 0; e < E; ++e)
      if (a.keys[e] != b.keys[e]) return a.keys[e] < b.keys[e];
    return a.record < b.record;
  });
  positionKeys.resize(n * E);
  for (size_t p = 0; p < n; ++p) {
    list[p] = rows[p].record;
    for (size_t e = 0; e < E; ++e) positionKeys[p * E + e] = rows[p].keys[e];
  }
}

}  // namespace

void TcxRecordSortKeys::SortList(std::vector<int>& ARecordList) {
  entryCount_ = entries_.size();
  auto keyOf = [this](size_t e, int record) { return EncodedKey(e, record); };
  switch (entryCount_) {
    case 0:
      std::sort(ARecordList.begin(), ARecordList.end());
      positionKeys_.clear();
      return;
    case 1:
      SortRows<1>(ARecordList, positionKeys_, keyOf);
      return;
    case 2:
      SortRows<2>(ARecordList, positionKeys_, keyOf);
      return;
    case 3:
      SortRows<3>(ARecordList, positionKeys_, keyOf);
      return;
    default: {
      size_t entries = entryCount_;
      MergeSort(ARecordList, [&](int a, int b) {
        for (size_t e = 0; e < entries; ++e) {
          Key ka = EncodedKey(e, a), kb = EncodedKey(e, b);
          if (ka != kb) return ka < kb;
        }
        return a < b;
      });
      positionKeys_.clear();
    }
  }
}

void cxMergeSort(std::vector<int>& AItems, const std::function<int(int, int)>& ACompare) {
  MergeSort(AItems, [&](int a, int b) { return ACompare(a, b) < 0; });
}

void cxSortRecordList(TcxCustomDataController* ADataController, const TcxRecordSortKeys& AKeys,
                      std::vector<int>& ARecordList, const std::function<int(int, int)>& ACompareRecords) {
  if (!AKeys.AllFast()) {
    // Some entry needs the controller's own comparison: the whole chain goes through it.
    MergeSort(ARecordList, [&](int a, int b) { return ACompareRecords(a, b) < 0; });
    return;
  }
  const_cast<TcxRecordSortKeys&>(AKeys).SortList(ARecordList);
  (void)ADataController;
}
