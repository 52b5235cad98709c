#include "dx/dbgrid/dxDBColumnDefaults.h"

#include "dx/dbgrid/dxDBColumn.h"
#include "dx/dbgrid/dxDBGrid.h"

void TdxDefaultColumnTable::Register(const TdxDefaultColumnProposal& Propose) {
  auto offer = [&](TFieldType Type, bool Lookup, TdxDefaultColumnEntry& Entry) {
    TdxDefaultColumnEntry candidate;
    Propose(Type, Lookup, candidate);
    if (candidate.Class && candidate.Priority > Entry.Priority) Entry = candidate;
  };
  for (int type = 0; type < kTypeCount; ++type) offer(static_cast<TFieldType>(type), false, entries_[type]);
  offer(ftUnknown, true, lookup_);
}

void TdxDefaultColumnTable::Reset() {
  entries_.fill(TdxDefaultColumnEntry{base_, 0});
  entries_[ftUnknown] = TdxDefaultColumnEntry{};
  lookup_ = TdxDefaultColumnEntry{base_, 0};
}

TClass TdxDefaultColumnTable::ClassFor(const TField* Field) const {
  if (Field->Lookup()) return lookup_.Class ? lookup_.Class : base_;
  if (Field->FieldKind() != fkData || Field->DataType() >= kTypeCount) return base_;
  const TClass entry = entries_[Field->DataType()].Class;
  return entry ? entry : base_;
}

TdxDefaultColumnTable& DBTreeListDefaultColumns() {
  static TdxDefaultColumnTable table(TdxDBTreeListColumn::StaticClass());
  return table;
}

TdxDefaultColumnTable& DBGridDefaultColumns() {
  static TdxDefaultColumnTable table(TdxDBGridColumn::StaticClass());
  return table;
}
