// The filter-expression dialect: which records a table of expressions accepts, and the errors of
// malformed ones.
#include <gtest/gtest.h>

#include "platform/data/testing/DataTesting.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

namespace {
struct FilterExprFixture {
  TComponent owner{nullptr};
  TMemoryDataSet* ds = new TMemoryDataSet(&owner);
  FilterExprFixture() {
    ds->AddFieldDef(u"ID", ftInteger);
    ds->AddFieldDef(u"NAME", ftWideString, 50);
    ds->AddFieldDef(u"Full Name", ftWideString, 50);
    ds->AddFieldDef(u"BORN", ftDateTime);
    ds->AddFieldDef(u"PAY", ftFloat);
    ds->AddFieldDef(u"OK", ftBoolean);
    ds->AddFieldDef(u"KIND", ftInteger);
    ds->AddRow({1, S("Иванов"), S("Иванов Иван"), VarFromDateTime(EncodeDate(2024, 3, 1)), 10.5, true, 3});
    ds->AddRow(
        {2, S("иванова"), S("O'Brien"), VarFromDateTime(EncodeDate(2024, 3, 1) + 0.5), 20.0, false, 4});
    ds->AddRow({3, S("Петров"), Null(), VarFromDateTime(EncodeDate(2024, 3, 2)), 30.25, true, 1});
    ds->AddRow({4, Null(), S("100%"), Null(), Null(), Null(), 2});
    ds->AddRow({5, S("Ёлкин"), S("a_b"), VarFromDateTime(EncodeDate(1999, 12, 31)), -5.0, false, 3});
    ds->Open();
    ds->FieldByName(u"NAME")->SetOrigin(u"O_PEOPLE.FSTNAME");
  }
  std::string Accepted(const String& filter, TFilterOptions options = {}) {
    ds->SetFilterOptions(options);
    ds->SetFilter(filter);
    ds->SetFiltered(true);
    std::string ids;
    for (ds->First(); !ds->Eof(); ds->Next()) ids += std::to_string(ds->FieldByName(u"ID")->AsInteger());
    ds->SetFiltered(false);
    return ids;
  }
};
}  // namespace

TEST(FilterExpr, AcceptedRecords) {
  SetLocale("ru-RU");
  FilterExprFixture f;
  struct Case {
    const char* filter;
    const char* ids;
    TFilterOptions options;
  };
  const Case cases[] = {
      {"ID = 3", "3", {}},
      {" KIND = 3 OR KIND = 4 ", "125", {}},
      {"(ID > 1) AND (ID <= 3)", "23", {}},
      {"ID <> 2", "1345", {}},
      {"NOT (ID < 4)", "45", {}},
      {"NOT ID = 1 AND NOT ID = 2", "345", {}},
      {"(NAME = 'Иванов')", "1", {}},
      {"NAME = 'иванов'", "1", {foCaseInsensitive}},
      {"NAME = 'ИВАНОВ'", "", {}},
      {"NAME = 'Ив*'", "1", {}},
      {"NAME = 'ив*'", "12", {foCaseInsensitive}},
      {"NAME = 'Ив*'", "", {foNoPartialCompare}},
      {"NAME LIKE '%ов'", "13", {}},
      {"NAME LIKE 'и%'", "2", {}},
      {"NAME LIKE 'И%'", "12", {foCaseInsensitive}},
      {"NAME NOT LIKE '%ов%'", "5", {}},
      {"[Full Name] LIKE '100_'", "4", {}},
      {"[Full Name] = 'O''Brien'", "2", {}},
      {"NAME IS NULL", "4", {}},
      {"NAME IS NOT NULL", "1235", {}},
      {"NAME = NULL", "4", {}},
      {"NAME <> NULL", "1235", {}},
      {"NOT (NAME = 'Петров')", "125", {}},  // a null NAME is neither equal nor unequal
      {"PAY > 10,5", "23", {}},
      {"PAY > 10.5", "23", {}},
      {"PAY BETWEEN 0 AND 20", "12", {}},
      {"PAY NOT BETWEEN 0 AND 20", "35", {}},
      {"ID IN (1, 3, 5)", "135", {}},
      {"ID NOT IN (1,3,5)", "24", {}},
      {"NAME IN ('Петров', 'Ёлкин')", "35", {}},
      {"BORN = '01.03.2024'", "1", {}},
      {"(BORN >= '01.03.2024') AND (BORN < '02.03.2024')", "12", {}},
      {"BORN < '01.01.2000'", "5", {}},
      {"OK = TRUE", "13", {}},
      {"OK", "13", {}},
      {"NOT OK", "25", {}},
      {"O_PEOPLE.FSTNAME = 'Петров'", "3", {}},
      {"T.ID = 2", "2", {}},
      {"\"Full Name\" = 'a_b'", "5", {}},
      {"(ID = 1 OR ID = 2) AND (KIND = 4)", "2", {}},
      {"ID = 1 OR ID = 2 AND KIND = 4", "12", {}},
      {"3 = KIND", "15", {}},
      {"2 < ID", "345", {}},
      {"NAME > 'П'", "3", {}},  // by collation: Ё sorts with Е, before П
      {"id = 2", "2", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(f.Accepted(S(c.filter), c.options), c.ids) << c.filter;
  SetLocale("en-US");
}

TEST(FilterExpr, SyntaxErrorsSayWhatAndWhere) {
  SetLocale("en-US");
  FilterExprFixture f;
  struct Case {
    const char* filter;
    const char* message;
  };
  const Case cases[] = {
      {"(ID = 1", "Filter expression error: ')' expected at position 8 in: (ID = 1"},
      {"ID = ", "Filter expression error: operand expected at position 6 in: ID = "},
      {"ID = 1 ID = 2",
       "Filter expression error: operator or end of expression expected, found 'ID' at position 8 in: ID = 1 "
       "ID = 2"},
      {"NAME = 'abc", "Filter expression error: ' expected at position 12 in: NAME = 'abc"},
      {"NOPE = 1", "Filter expression error: field 'NOPE' not found at position 1 in: NOPE = 1"},
      {"ID IN (1, 2",
       "Filter expression error: ',' or ')' expected in IN list at position 12 in: ID IN (1, 2"},
      {"PAY BETWEEN 1 OR 2",
       "Filter expression error: AND expected in BETWEEN at position 15 in: PAY BETWEEN 1 OR 2"},
      {"BORN = 'yesterday'",
       "Filter expression error: 'yesterday' is not a valid date at position 19 in: BORN = 'yesterday'"},
      {"NAME IS 5", "Filter expression error: NULL expected at position 9 in: NAME IS 5"},
      {"ID # 2", "Filter expression error: unexpected character '#' at position 4 in: ID # 2"},
      {"NAME", "Filter expression error: comparison operator expected at position 5 in: NAME"},
  };
  for (const Case& c : cases) {
    try {
      f.ds->SetFilter(S(c.filter));
      ADD_FAILURE() << c.filter;
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(StringToUtf8(e.Message()), c.message);
    }
  }
  // A refused expression leaves the previous filter in force.
  f.ds->SetFilter(u"ID = 2");
  f.ds->SetFiltered(true);
  EXPECT_THROW(f.ds->SetFilter(u"ID = "), EDatabaseError);
  EXPECT_EQ(f.ds->Filter(), u"ID = 2");
  EXPECT_EQ(f.ds->RecordCount(), 1);
}

TEST(FilterExpr, FilterRecordEventAndToggling) {
  FilterExprFixture f;
  f.ds->OnFilterRecord = [](TDataSet* ds, bool& accept) {
    EXPECT_EQ(ds->State(), dsFilter);
    accept = ds->FieldByName(u"KIND")->AsInteger() >= 3;
  };
  f.ds->SetFilter(u"ID < 5");
  f.ds->SetFiltered(true);
  EXPECT_EQ(f.ds->RecordCount(), 2);  // both the expression and the event must accept
  f.ds->SetFiltered(false);
  EXPECT_EQ(f.ds->RecordCount(), 5);
  // A filter set while closed applies at open.
  f.ds->Close();
  f.ds->OnFilterRecord = nullptr;
  f.ds->SetFilter(u"KIND = 3");
  f.ds->SetFiltered(true);
  f.ds->Open();
  EXPECT_EQ(f.ds->RecordCount(), 2);
  // Posting keeps a new record in view until the filter is applied again.
  f.ds->Append();
  f.ds->FieldByName(u"ID")->SetAsInteger(6);
  f.ds->FieldByName(u"KIND")->SetAsInteger(9);
  f.ds->Post();
  EXPECT_EQ(f.ds->RecordCount(), 3);
  f.ds->Refresh();
  EXPECT_EQ(f.ds->RecordCount(), 2);
}
