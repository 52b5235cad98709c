// The default column class per field type: what the data-aware controls make for a field when they
// build their columns themselves. A proposal replaces an entry only with a higher priority.
#pragma once

#include <array>
#include <functional>

#include "platform/data/Field.h"

struct TdxDefaultColumnEntry {
  TClass Class = nullptr;
  int Priority = 0;
};

// Asked once per field type 0..21 (Lookup false), then once for lookup fields (Lookup true).
using TdxDefaultColumnProposal =
    std::function<void(TFieldType Type, bool Lookup, TdxDefaultColumnEntry& Candidate)>;

class TdxDefaultColumnTable {
 public:
  static constexpr int kTypeCount = 22;

  // BaseClass stands for every entry at the start (the unknown type's entry stays empty).
  explicit TdxDefaultColumnTable(TClass BaseClass) : base_(BaseClass) { Reset(); }
  void Register(const TdxDefaultColumnProposal& Propose);
  void Reset();
  // The lookup entry for a lookup field; the base class for other calculated or non-data fields
  // and for types beyond the table; else the type's entry.
  TClass ClassFor(const TField* Field) const;
  const TdxDefaultColumnEntry& Entry(TFieldType Type) const { return entries_[Type]; }
  const TdxDefaultColumnEntry& LookupEntry() const { return lookup_; }

 private:
  TClass base_;
  std::array<TdxDefaultColumnEntry, kTypeCount> entries_{};
  TdxDefaultColumnEntry lookup_;
};

// The tables of the data-aware tree list and of the grid.
TdxDefaultColumnTable& DBTreeListDefaultColumns();
TdxDefaultColumnTable& DBGridDefaultColumns();
