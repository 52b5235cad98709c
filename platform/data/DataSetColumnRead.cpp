// TDataSet: a stored column read for every visible record at once, for a control that matches
// records it copied by key after the order changed, without walking the cursor over them.
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

bool TDataSet::ReadIntegerColumn(const TField* Field, std::vector<Int64>& Values) const {
  if (!Active() || state_ != dsBrowse || !Field || Field->DataSet() != this) return false;
  const int column = FieldColumn(Field);
  if (column < 0 || column >= store_.ColumnCount() || store_.ColumnKind(column) != TStoreKind::Integer) return false;
  const std::vector<TRecordId>& rows = View();
  Values.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (store_.IsNull(rows[i], column)) return false;
    Values[i] = store_.GetInt(rows[i], column);
  }
  return true;
}
