#include <gtest/gtest.h>

#include "cx/data/cxDataStorage.h"
#include "cx/data/cxVariants.h"
#include "cx/data/tests/TestHelpers.h"
#include "platform/rtl/DateTime.h"

namespace {

struct Tracked : public TObject {
  explicit Tracked(int* AFreed) : freed(AFreed) {}
  ~Tracked() override { ++*freed; }
  int* freed;
};

struct ValueTypeCase {
  const char* name;
  TcxValueTypeClass type;
  Variant a, b;  // a < b
  TVarType kind;
};

TEST(cxValueTypes, StoreLoadCompareAndStreamEachKind) {
  const ValueTypeCase cases[] = {
      {"String", TcxStringValueType::Class(), Ansi("B"), Ansi("a"), varString},
      {"WideString", TcxWideStringValueType::Class(), Wide("B"), Wide("a"), varOleStr},
      {"Smallint", TcxSmallintValueType::Class(), Variant(-300), Variant(2), varSmallint},
      {"Integer", TcxIntegerValueType::Class(), Variant(-2147483647 - 1), Variant(1), varInteger},
      {"Word", TcxWordValueType::Class(), Variant(1), Variant(65535), varWord},
      {"Boolean", TcxBooleanValueType::Class(), Variant(false), Variant(true), varBoolean},
      {"Float", TcxFloatValueType::Class(), Variant(0.1), Variant(0.2), varDouble},
      {"Currency", TcxCurrencyValueType::Class(), Variant(Currency(1.0001)), Variant(Currency(1.0002)),
       varCurrency},
      {"DateTime", TcxDateTimeValueType::Class(), VarFromDateTime(1.5), VarFromDateTime(2.25), varDate},
      {"FMTBcd", TcxFMTBcdValueType::Class(), Variant(-12.5), Variant(3.25), varDouble},
      {"LargeInt", TcxLargeIntValueType::Class(), Variant(static_cast<Int64>(-5000000000)),
       Variant(static_cast<Int64>(1)), varInt64},
      {"SQLTimeStamp", TcxSQLTimeStampValueType::Class(), VarFromDateTime(EncodeDate(2020, 1, 1)),
       VarFromDateTime(EncodeDate(2020, 1, 1) + 0.5), varDate},
      {"Variant", TcxVariantValueType::Class(), Variant(1), Ansi("x"), varInteger},
  };
  for (const auto& c : cases) {
    std::vector<Byte> a(static_cast<size_t>(c.type->GetValueSize())), b(a.size());
    c.type->StoreValue(a.data(), c.a);
    c.type->StoreValue(b.data(), c.b);
    EXPECT_EQ(c.type->LoadValue(a.data()).Type(), c.kind) << c.name;
    EXPECT_EQ(cxVariantCompare(c.type->LoadValue(a.data()), c.a), 0) << c.name;
    EXPECT_LT(c.type->Compare(a.data(), b.data()), 0) << c.name;
    EXPECT_GT(c.type->Compare(b.data(), a.data()), 0) << c.name;
    EXPECT_EQ(c.type->Compare(a.data(), a.data()), 0) << c.name;
    TMemoryStream stream;
    c.type->WriteValue(b.data(), &stream);
    stream.SetPosition(0);
    std::vector<Byte> back(a.size());
    c.type->ReadValue(back.data(), &stream);
    EXPECT_EQ(c.type->Compare(back.data(), b.data()), 0) << c.name;
    EXPECT_EQ(stream.Position(), stream.Size()) << c.name;
    c.type->FreeValue(a.data());
    c.type->FreeValue(b.data());
    c.type->FreeValue(back.data());
  }
}

TEST(cxValueTypes, TextsConvertibilityAndObjects) {
  std::vector<Byte> data(8);
  TcxBooleanValueType::Class()->StoreValue(data.data(), Variant(true));
  EXPECT_EQ(TcxBooleanValueType::Class()->GetValueText(data.data()), u"True");
  EXPECT_FALSE(TcxIntegerValueType::Class()->IsValueConvertible(Ansi("abc")));
  EXPECT_TRUE(TcxIntegerValueType::Class()->IsValueConvertible(Ansi("12")));
  for (TcxValueTypeClass type : {TcxIntegerValueType::Class(), TcxStringValueType::Class(),
                                 TcxDateTimeValueType::Class(), TcxObjectValueType::Class()})
    EXPECT_TRUE(type->IsValueConvertible(Null()));
  EXPECT_THROW(TcxIntegerValueType::Class()->StoreValue(data.data(), Ansi("abc")), EVariantError);

  int freed = 0;
  std::vector<Byte> slot(sizeof(void*));
  TcxObjectValueType::Class()->StoreValue(slot.data(), Variant(static_cast<TObject*>(new Tracked(&freed))));
  TMemoryStream stream;
  TcxObjectValueType::Class()->WriteValue(slot.data(), &stream);
  EXPECT_EQ(stream.Size(), 0);
  TcxObjectValueType::Class()->FreeValue(slot.data());
  EXPECT_EQ(freed, 1);
}

class StorageTest : public testing::Test {
 protected:
  TcxDataStorage storage;
  TObject link1, link2, link3;
};

TEST_F(StorageTest, NeverWrittenRecordsAreNullWithoutBuffers) {
  TcxValueDef* s = storage.ValueDefs()->Add(TcxStringValueType::Class(), true, &link1, false);
  TcxValueDef* i = storage.ValueDefs()->Add(TcxIntegerValueType::Class(), true, &link2, false);
  storage.SetRecordCount(3);
  EXPECT_TRUE(VarIsNull(storage.GetValue(1, s)));
  EXPECT_TRUE(VarIsNull(storage.GetValue(1, i)));
  EXPECT_EQ(storage.Buffer(1), nullptr);
  storage.SetValue(1, s, Ansi(""));
  EXPECT_EQ(storage.GetValue(1, s).Type(), varString);
  EXPECT_LT(storage.CompareRecords(0, 1, s), 0);  // absent before present
  storage.SetValue(2, s, Null());
  EXPECT_EQ(storage.CompareRecords(0, 2, s), -1);  // no buffer before a buffer holding Null
  storage.SetValue(1, s, Null());
  EXPECT_TRUE(VarIsNull(storage.GetValue(1, s)));
  storage.SetValue(1, s, Ansi("again"));
  EXPECT_EQ(storage.GetValue(1, s).AsString(), u"again");
  storage.SetRecordCount(-5);
  EXPECT_EQ(storage.RecordCount(), 0);
}

TEST_F(StorageTest, AddingAndRemovingFieldsKeepsTheOthersValues) {
  TcxValueDef* a = storage.ValueDefs()->Add(TcxIntegerValueType::Class(), true, &link1, false);
  TcxValueDef* b = storage.ValueDefs()->Add(TcxWideStringValueType::Class(), true, &link2, false);
  storage.SetRecordCount(1000);
  for (int r = 0; r < 1000; ++r) {
    storage.SetValue(r, a, Variant(r));
    storage.SetValue(r, b, Variant(String(u"v") + static_cast<Char>(u'0' + r % 10)));
  }
  TcxValueDef* c = storage.ValueDefs()->Add(TcxFloatValueType::Class(), true, &link3, false);
  for (int r = 0; r < 1000; r += 111) {
    EXPECT_EQ(storage.GetValue(r, a).AsInteger(), r);
    EXPECT_EQ(storage.GetValue(r, b).AsString()[1], static_cast<Char>(u'0' + r % 10));
    EXPECT_TRUE(VarIsNull(storage.GetValue(r, c)));
  }
  storage.SetValue(5, c, Variant(2.5));
  delete a;  // two stored definitions remain: values stay
  EXPECT_EQ(storage.GetValue(5, c).AsDouble(), 2.5);
  EXPECT_EQ(storage.GetValue(7, b).AsString(), u"v7");
  delete b;  // the last but one: the remaining field keeps its values too
  EXPECT_EQ(storage.GetValue(5, c).AsDouble(), 2.5);
  delete c;  // nothing stored is left: the buffers go
  EXPECT_EQ(storage.Buffer(5), nullptr);
}

TEST_F(StorageTest, TextStoredChangeDiscardsValues) {
  TcxValueDef* a = storage.ValueDefs()->Add(TcxIntegerValueType::Class(), true, &link1, false);
  storage.SetRecordCount(2);
  storage.SetValue(0, a, Variant(7));
  storage.SetDisplayText(0, a, u"seven");
  EXPECT_EQ(storage.GetDisplayText(0, a), u"7");
  a->SetTextStored(true);
  EXPECT_TRUE(VarIsNull(storage.GetValue(0, a)));
  storage.SetValue(0, a, Variant(7));
  storage.SetDisplayText(0, a, u"seven");
  EXPECT_EQ(storage.GetDisplayText(0, a), u"seven");
  EXPECT_EQ(storage.GetValue(0, a).AsInteger(), 7);
}

TEST_F(StorageTest, InternalRecordsAreReusedAndMirrorTheFields) {
  TcxValueDef* a = storage.ValueDefs()->Add(TcxIntegerValueType::Class(), true, &link1, false);
  EXPECT_EQ(storage.AddInternalRecord(), -1);
  EXPECT_EQ(storage.AddInternalRecord(), -2);
  storage.SetValue(-2, a, Variant(42));
  EXPECT_EQ(storage.GetValue(-2, a).AsInteger(), 42);
  storage.DeleteRecord(-1);
  EXPECT_EQ(storage.AddInternalRecord(), -1);
  EXPECT_TRUE(VarIsNull(storage.GetValue(-1, a)));
  int cleared = 0;
  storage.OnClearInternalRecords = [&](TObject*) { ++cleared; };
  storage.ClearInternalRecords();
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(storage.AddInternalRecord(), -1);
}

TEST_F(StorageTest, StoredValuesOnlyDropsFieldsOutsideTheRecord) {
  TcxValueDef* kept = storage.ValueDefs()->Add(TcxIntegerValueType::Class(), true, &link1, false);
  TcxValueDef* outside = storage.ValueDefs()->Add(TcxIntegerValueType::Class(), false, &link2, false);
  storage.SetRecordCount(1);
  storage.SetValue(0, outside, Variant(1));
  EXPECT_EQ(storage.GetValue(0, outside).AsInteger(), 1);
  storage.SetStoredValuesOnly(true);
  storage.SetValue(0, kept, Variant(2));
  storage.SetValue(0, outside, Variant(3));
  EXPECT_EQ(storage.GetValue(0, kept).AsInteger(), 2);
  EXPECT_EQ(outside->SlotSize(), 0);
}

TEST(cxLookupList, FindGivesTheInsertionPoint) {
  TcxLookupList list;
  int index = -1;
  EXPECT_FALSE(list.Find(Variant(1), index));
  EXPECT_EQ(index, 0);
  for (int key : {1, 3, 5}) {
    list.Find(Variant(key), index);
    list.Insert(index, Variant(key), u"");
  }
  EXPECT_FALSE(list.Find(Variant(4), index));
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(list.Find(Variant(5), index));
  EXPECT_EQ(index, 2);
}

}  // namespace
