// TDataSet: the order of the records (sort keys) and the filtered view of them.
#include <algorithm>
#include <numeric>

#include "platform/data/CollationRanks.h"
#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/data/FilterExpr.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/StrUtils.h"

namespace {
template <class T>
int Cmp(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}
}  // namespace

int TDataSet::CompareCells(TRecordId A, TRecordId B, const TSortKey& Key) const {
  bool na = store_.IsNull(A, Key.Column), nb = store_.IsNull(B, Key.Column);
  int r;
  if (na || nb) {
    r = na == nb ? 0 : (na ? -1 : 1);
  } else {
    switch (store_.ColumnKind(Key.Column)) {
      case TStoreKind::Integer:
      case TStoreKind::Currency:
        r = Cmp(store_.GetInt(A, Key.Column), store_.GetInt(B, Key.Column));
        break;
      case TStoreKind::Float:
      case TStoreKind::DateTime:
        r = Cmp(store_.GetFloat(A, Key.Column), store_.GetFloat(B, Key.Column));
        break;
      case TStoreKind::Text:
        r = CollateCompare(store_.GetText(A, Key.Column), store_.GetText(B, Key.Column), Key.CaseInsensitive);
        r = r < 0 ? -1 : (r > 0 ? 1 : 0);
        break;
      default:
        r = Cmp(store_.GetBytes(A, Key.Column), store_.GetBytes(B, Key.Column));
        break;
    }
  }
  return Key.Descending ? -r : r;
}

int TDataSet::CompareRows(TRecordId A, TRecordId B, const std::vector<TSortKey>& Keys, int KeyCount) const {
  int n =
      KeyCount < 0 ? static_cast<int>(Keys.size()) : std::min<int>(KeyCount, static_cast<int>(Keys.size()));
  for (int i = 0; i < n; ++i)
    if (int r = CompareCells(A, B, Keys[i])) return r;
  return 0;
}

int TDataSet::CompareRowWithKey(TRecordId Row, const std::vector<Variant>& Values,
                                const std::vector<TSortKey>& Keys, bool PartialLast) const {
  std::size_t n = std::min(Values.size(), Keys.size());
  for (std::size_t i = 0; i < n; ++i) {
    const TSortKey& key = Keys[i];
    const Variant& value = Values[i];
    bool nullCell = store_.IsNull(Row, key.Column);
    bool nullKey = VarIsNull(value) || VarIsEmpty(value);
    int r = 0;
    if (nullCell || nullKey) {
      r = nullCell == nullKey ? 0 : (nullCell ? -1 : 1);
    } else {
      switch (store_.ColumnKind(key.Column)) {
        case TStoreKind::Integer:
          if (store_.ColumnType(key.Column) == ftBoolean)
            r = Cmp<Int64>(store_.GetInt(Row, key.Column), value.AsBoolean() ? 1 : 0);
          else
            r = Cmp<double>(static_cast<double>(store_.GetInt(Row, key.Column)), value.AsDouble());
          break;
        case TStoreKind::Currency:
          r = Cmp(store_.GetInt(Row, key.Column), value.AsCurrency().Scaled());
          break;
        case TStoreKind::Float:
          r = Cmp(store_.GetFloat(Row, key.Column), value.AsDouble());
          break;
        case TStoreKind::DateTime:
          r = Cmp(store_.GetFloat(Row, key.Column), value.AsDateTime());
          break;
        case TStoreKind::Text: {
          std::u16string_view cell = store_.GetText(Row, key.Column);
          String text = value.AsString();
          if (PartialLast && i + 1 == n && cell.size() > text.size()) cell = cell.substr(0, text.size());
          r = CollateCompare(cell, text, key.CaseInsensitive);
          r = r < 0 ? -1 : (r > 0 ? 1 : 0);
          break;
        }
        default:
          r = Cmp(store_.GetBytes(Row, key.Column), std::string_view(value.AsAnsiString()));
          break;
      }
    }
    if (key.Descending) r = -r;
    if (r != 0) return r;
  }
  return 0;
}

Int64 TDataSet::LowerBound(const std::vector<Variant>& Values, bool PartialLast) const {
  const std::vector<TRecordId>& view = View();
  auto it = std::partition_point(view.begin(), view.end(), [&](TRecordId row) {
    return CompareRowWithKey(row, Values, sortKeys_, PartialLast) < 0;
  });
  return it - view.begin();
}

void TDataSet::SortOrder() {
  if (sortKeys_.empty()) {
    std::sort(order_.begin(), order_.end());
    return;
  }
  // Text keys are compared as ranks in collation order: a million collator comparisons (or
  // collation keys) per pass would dominate the sort.
  std::vector<std::vector<std::uint32_t>> textRanks(sortKeys_.size());
  for (std::size_t k = 0; k < sortKeys_.size(); ++k)
    if (store_.ColumnKind(sortKeys_[k].Column) == TStoreKind::Text)
      textRanks[k] = CollationRanks(store_, sortKeys_[k].Column, order_, sortKeys_[k].CaseInsensitive);
  std::sort(order_.begin(), order_.end(), [&](TRecordId a, TRecordId b) {
    for (std::size_t k = 0; k < sortKeys_.size(); ++k) {
      const TSortKey& key = sortKeys_[k];
      int r;
      if (!textRanks[k].empty()) {
        r = Cmp(textRanks[k][a], textRanks[k][b]);  // a null ranks 0, first
        if (key.Descending) r = -r;
      } else {
        r = CompareCells(a, b, key);
      }
      if (r != 0) return r < 0;
    }
    return a < b;  // equal keys keep the fetched order
  });
}

void TDataSet::RebuildOrder() {
  order_.clear();
  order_.reserve(store_.LiveCount());
  for (TRecordId row = 0; row < store_.IdCount(); ++row)
    if (!store_.IsDeleted(row)) order_.push_back(row);
  SortOrder();
  ApplyFilter();
}

void TDataSet::SetSortKeys(std::vector<TSortKey> Keys) {
  if (!Active()) {
    sortKeys_ = std::move(Keys);
    return;
  }
  CheckBrowseMode();
  TRecordId row = CurrentRow();
  sortKeys_ = std::move(Keys);
  SortOrder();
  ApplyFilter();
  Int64 pos = row != kNoRecord ? PositionOfRow(row) : 0;
  ResyncAt(pos < 0 ? 0 : pos, (bufferCount_ - 1) / 2);
}

Int64 TDataSet::PositionOfRow(TRecordId Row) const {
  const std::vector<TRecordId>& view = View();
  auto held = [&](Int64 Pos) { return Pos >= 0 && static_cast<std::size_t>(Pos) < view.size() && view[Pos] == Row; };
  if (Row >= store_.IdCount()) return -1;
  if (rowPositions_.size() < store_.IdCount()) rowPositions_.resize(store_.IdCount(), -1);
  const Int64 known = rowPositions_[Row];
  if (held(known) && static_cast<std::size_t>(known) < positionsKnownBefore_) return known;
  // Deleting records from the last selected one backwards asks for positions before each removal,
  // which stay known: only the positions after the first change are counted again.
  for (std::size_t i = std::min(positionsKnownBefore_, view.size()); i < view.size(); ++i)
    rowPositions_[view[i]] = static_cast<Int64>(i);
  positionsKnownBefore_ = view.size();
  return held(rowPositions_[Row]) ? rowPositions_[Row] : -1;
}

Int64 TDataSet::InsertRowInOrder(TRecordId Row, Int64 RequestedPos) {
  OrderChanged();
  std::vector<TRecordId>& view = filtered_ ? view_ : order_;
  Int64 viewPos;
  if (!sortKeys_.empty()) {
    auto after = [&](TRecordId other) {
      int r = CompareRows(other, Row, sortKeys_);
      return r < 0 || (r == 0 && other < Row);
    };
    if (filtered_) order_.insert(std::partition_point(order_.begin(), order_.end(), after), Row);
    auto it = std::partition_point(view.begin(), view.end(), after);
    viewPos = it - view.begin();
    view.insert(it, Row);
    return viewPos;
  }
  viewPos = std::clamp<Int64>(RequestedPos, 0, static_cast<Int64>(view.size()));
  if (filtered_) {
    // Before the record that stood at that place, in the unfiltered order too.
    auto at = viewPos < static_cast<Int64>(view_.size())
                  ? std::find(order_.begin(), order_.end(), view_[viewPos])
                  : order_.end();
    order_.insert(at, Row);
  }
  view.insert(view.begin() + viewPos, Row);
  return viewPos;
}

void TDataSet::RemoveRowFromOrder(TRecordId Row, Int64 ViewPos) {
  std::vector<TRecordId>& view = filtered_ ? view_ : order_;
  if (ViewPos >= 0 && ViewPos < static_cast<Int64>(view.size()) && view[ViewPos] == Row) {
    OrderChangedFrom(ViewPos);
    view.erase(view.begin() + ViewPos);
  } else {
    OrderChanged();
    view.erase(std::remove(view.begin(), view.end(), Row), view.end());
  }
  if (filtered_) order_.erase(std::remove(order_.begin(), order_.end(), Row), order_.end());
}

// ---- Filter ----

void TDataSet::CompileFilter() {
  filterExpr_.reset();
  if (!Trim(filterText_).empty()) filterExpr_ = TFilterExpression::Compile(filterText_, this, filterOptions_);
}

bool TDataSet::RowPassesFilter(TRecordId Row) {
  if (filterExpr_) {
    std::vector<Variant> calc;
    bool calcDone = false;
    auto other = [&](const TField* field) -> Variant {
      if (!calcDone) {
        GetCalcFields(calc, Row, nullptr);
        calcDone = true;
      }
      std::size_t slot = static_cast<std::size_t>(field->slot_);
      return slot < calc.size() ? calc[slot] : Null();
    };
    if (!filterExpr_->Evaluate(store_, Row, other)) return false;
  }
  if (OnFilterRecord) {
    std::vector<Variant> calc;
    GetCalcFields(calc, Row, nullptr);
    TRecordRef saved = temp_;
    TDataSetState old = SetTempState(dsFilter);
    temp_ = {Row, nullptr, &calc};
    bool accept = true;
    try {
      OnFilterRecord(this, accept);
    } catch (...) {
      temp_ = saved;
      RestoreState(old);
      throw;
    }
    temp_ = saved;
    RestoreState(old);
    return accept;
  }
  return true;
}

void TDataSet::ApplyFilter() {
  OrderChanged();
  view_.clear();
  if (!filtered_) return;
  view_.reserve(order_.size());
  if (!filterExpr_ && !OnFilterRecord) {
    view_ = order_;
    return;
  }
  for (TRecordId row : order_)
    if (RowPassesFilter(row)) view_.push_back(row);
}

void TDataSet::SetFilter(const String& Value) {
  if (Active()) {
    CheckBrowseMode();
    std::unique_ptr<TFilterExpression> expr;
    if (!Trim(Value).empty()) expr = TFilterExpression::Compile(Value, this, filterOptions_);
    filterText_ = Value;
    filterExpr_ = std::move(expr);
    if (filtered_) {
      ApplyFilter();
      First();
    }
  } else {
    filterText_ = Value;
  }
}

void TDataSet::SetFiltered(bool Value) {
  if (filtered_ == Value) return;
  if (Active()) {
    CheckBrowseMode();
    filtered_ = Value;
    ApplyFilter();
    First();
  } else {
    filtered_ = Value;
  }
}

void TDataSet::SetFilterOptions(TFilterOptions Value) {
  if (filterOptions_ == Value) return;
  filterOptions_ = Value;
  if (Active()) {
    CheckBrowseMode();
    CompileFilter();
    if (filtered_) {
      ApplyFilter();
      First();
    }
  }
}
