// Test support of the data-bound row kinds: a SQLite database holding KAT (categories) and PEOPLE,
// the people query with persistent fields and the lookup field KATNAME (the category's NAME by
// M_KATID), as the program's person card has them.
#pragma once

#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/data/DataSource.h"

class TPersonCardData {
 public:
  // Schema creates KAT (M_KATID, NAME, ...) and PEOPLE (with M_KATID); both are opened.
  TPersonCardData(const TTempFolder& Folder, const char16_t* Schema);
  TADOQuery* Query(const char16_t* Sql);

  TComponent Owner{nullptr};
  TADOConnection* Connection = nullptr;
  TADOQuery* Kats = nullptr;
  TADOQuery* People = nullptr;
  TDataSource* Source = nullptr;
};
