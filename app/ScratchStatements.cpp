#include "app/ScratchStatements.h"

#include "app/DataModule.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

namespace {
void SetScratchParams(TParameters* Parameters, TScratchParams Params) {
  for (const auto& [name, value] : Params) Parameters->ParamByName(name)->SetValue(value);
}

template <class Read>
auto WithScratchQuery(const String& Sql, TScratchParams Params, Read read) {
  TADOQuery* q = DataModule2->Q;
  q->Close();
  q->SQL()->SetText(Sql);
  SetScratchParams(q->Parameters(), Params);
  q->Open();
  TScopeExit close([q] { q->Close(); });
  return read(q);
}
}  // namespace

Variant ScratchQueryValue(const String& Sql, TScratchParams Params) {
  return WithScratchQuery(Sql, Params, [](TADOQuery* q) { return q->Eof() ? Null() : q->Fields()->Fields(0)->Value(); });
}

std::vector<String> ScratchQueryRow(const String& Sql, TScratchParams Params) {
  return WithScratchQuery(Sql, Params, [](TADOQuery* q) {
    std::vector<String> row;
    if (q->Eof()) return row;
    for (int i = 0; i < q->Fields()->Count(); ++i) row.push_back(q->Fields()->Fields(i)->AsString());
    return row;
  });
}

void ScratchExecute(const String& Sql, TScratchParams Params) {
  TADOCommand* command = DataModule2->ADOCommand1;
  command->SetCommandText(Sql);
  SetScratchParams(command->Parameters(), Params);
  command->Execute();
}

int InsertWithOwnKey(const String& Table, const std::vector<std::pair<String, Variant>>& Columns,
                    const String& KeyColumn) {
  std::vector<String> names;
  std::vector<Variant> values;
  for (const auto& [name, value] : Columns) {
    names.push_back(name);
    values.push_back(value);
  }
  return DataModule2->ADOConnection1->DbConnection().InsertRow(Table, names, values, {KeyColumn}).at(0).AsInteger();
}
