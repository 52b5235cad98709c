#include "app/ImportStatements.h"

#include "app/DataModule.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

namespace {
void SetImportParams(TParameters* Parameters, TImportParams Params) {
  for (const auto& [name, value] : Params) Parameters->ParamByName(name)->SetValue(value);
}

template <class Read>
auto WithImportQuery(const String& Sql, TImportParams Params, Read read) {
  TADOQuery* q = DataModule2->Q;
  q->Close();
  q->SQL()->SetText(Sql);
  SetImportParams(q->Parameters(), Params);
  q->Open();
  TScopeExit close([q] { q->Close(); });
  return read(q);
}
}  // namespace

Variant ImportQueryValue(const String& Sql, TImportParams Params) {
  return WithImportQuery(Sql, Params, [](TADOQuery* q) { return q->Eof() ? Null() : q->Fields()->Fields(0)->Value(); });
}

std::vector<String> ImportQueryRow(const String& Sql, TImportParams Params) {
  return WithImportQuery(Sql, Params, [](TADOQuery* q) {
    std::vector<String> row;
    if (q->Eof()) return row;
    for (int i = 0; i < q->Fields()->Count(); ++i) row.push_back(q->Fields()->Fields(i)->AsString());
    return row;
  });
}

void ImportExecute(const String& Sql, TImportParams Params) {
  TADOCommand* command = DataModule2->ADOCommand1;
  command->SetCommandText(Sql);
  SetImportParams(command->Parameters(), Params);
  command->Execute();
}

int ImportInsertKey(const String& Table, const std::vector<std::pair<String, Variant>>& Columns,
                    const String& KeyColumn) {
  std::vector<String> names;
  std::vector<Variant> values;
  for (const auto& [name, value] : Columns) {
    names.push_back(name);
    values.push_back(value);
  }
  return DataModule2->ADOConnection1->DbConnection().InsertRow(Table, names, values, {KeyColumn}).at(0).AsInteger();
}
