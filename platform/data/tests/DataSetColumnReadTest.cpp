// An integer column read for every visible record at once: the cursor's filter (its order: see the
// client dataset's indexes), without moving the cursor, and a refusal wherever the stored values
// are not what the field reads.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "platform/data/ClientDataSet.h"
#include "platform/data/testing/DataTesting.h"

namespace {

struct TColumnReadCase {
  const char* name;
  std::function<void(TMemoryDataSet*)> prepare;
  const char16_t* field;
  bool read;
  std::vector<Int64> ids;  // when read
};

const TColumnReadCase kColumnReadCases[] = {
    {"fetch order", [](TMemoryDataSet*) {}, u"ID", true, {1, 2, 3, 4, 5, 6}},
    {"filtered",
     [](TMemoryDataSet* ds) {
       ds->SetFilter(u"ID > 2");
       ds->SetFiltered(true);
     },
     u"ID", true, {3, 4, 5, 6}},
    {"a Null value",
     [](TMemoryDataSet* ds) {
       ds->SetRecNo(4);
       ds->Edit();
       ds->FieldByName(u"ID")->Clear();
       ds->Post();
     },
     u"ID", false, {}},
    {"while editing", [](TMemoryDataSet* ds) { ds->Edit(); }, u"ID", false, {}},
    {"a text field", [](TMemoryDataSet*) {}, u"NAME", false, {}},
    {"a float field", [](TMemoryDataSet*) {}, u"SALARY", false, {}},
};

void PrintTo(const TColumnReadCase& Case, std::ostream* Out) { *Out << Case.name; }

class DataSetColumnRead : public ::testing::TestWithParam<TColumnReadCase> {};

TEST_P(DataSetColumnRead, ReadsTheVisibleRecordsInCursorOrder) {
  const TColumnReadCase& c = GetParam();
  TComponent owner{nullptr};
  TMemoryDataSet* ds = MakeNumberedDataSet(&owner, 6);
  ds->Open();
  ds->SetRecNo(2);
  c.prepare(ds);
  const int recNo = ds->RecNo();
  std::vector<Int64> ids;
  EXPECT_EQ(ds->ReadIntegerColumn(ds->FieldByName(c.field), ids), c.read);
  if (c.read) {
    EXPECT_EQ(ids, c.ids);
  }
  EXPECT_EQ(ds->RecNo(), recNo);
}

INSTANTIATE_TEST_SUITE_P(Table, DataSetColumnRead, ::testing::ValuesIn(kColumnReadCases));

TEST(DataSetColumnReadRefusal, AFieldOfAnotherOrAClosedDataSet) {
  TComponent owner{nullptr};
  TMemoryDataSet* ds = MakeNumberedDataSet(&owner, 3);
  TMemoryDataSet* other = MakeNumberedDataSet(&owner, 3);
  ds->Open();
  other->Open();
  std::vector<Int64> ids;
  EXPECT_FALSE(ds->ReadIntegerColumn(other->FieldByName(u"ID"), ids));
  EXPECT_FALSE(ds->ReadIntegerColumn(nullptr, ids));
  ds->Close();
  EXPECT_FALSE(ds->ReadIntegerColumn(other->FieldByName(u"ID"), ids));
}

}  // namespace
