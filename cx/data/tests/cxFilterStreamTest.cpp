#include <gtest/gtest.h>

#include "cx/data/cxFilter.h"
#include "cx/data/tests/FilterFixture.h"
#include "cx/data/tests/TestHelpers.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

namespace {

std::string Written(TcxFilterCriteria& c) {
  TMemoryStream stream;
  c.WriteData(&stream);
  return Hex(StreamBytes(stream));
}

void Read(TcxFilterCriteria& c, const std::string& hex) {
  TMemoryStream stream;
  LoadBytes(stream, FromHex(hex));
  c.ReadData(&stream);
}

TEST(cxFilterStream, EmptyCriteriaIsNineBytes) {
  TTestCriteria c;
  EXPECT_EQ(Written(c), "FF FF FF FF 00 00 00 00 00");
  c.AddItem(nullptr, c.Age(), foEqual, Variant(1), u"");
  c.Root()->SetBoolOperatorKind(fgkOr);
  c.Notifications = 0;
  Read(c, "FF FF FF FF 00 00 00 00 00");
  EXPECT_TRUE(c.IsEmpty());
  EXPECT_EQ(c.Root()->BoolOperatorKind(), fgkAnd);
  EXPECT_EQ(c.Notifications, 1);
  // The older layout without the marker.
  c.AddItem(nullptr, c.Age(), foEqual, Variant(1), u"");
  Read(c, "00 00 00 00");
  EXPECT_TRUE(c.IsEmpty());
}

TEST(cxFilterStream, OneConditionByteForByte) {
  TTestCriteria c;
  c.Root()->SetBoolOperatorKind(fgkOr);
  TTestColumn* id2 = c.Name();  // id 2
  c.AddItem(nullptr, id2, foGreater, Variant(30), u"30");
  const std::string bytes = "FF FF FF FF 01 01 00 00 00 00 04 02 00 00 00 33 30 02 00 00 00 02 1E";
  EXPECT_EQ(Written(c), bytes);
  TTestCriteria d;
  Read(d, bytes);
  EXPECT_EQ(d.Root()->BoolOperatorKind(), fgkOr);
  auto* item = static_cast<TcxFilterCriteriaItem*>(d.Root()->Items(0));
  EXPECT_EQ(item->ItemLink(), d.Name());
  EXPECT_EQ(item->OperatorKind(), foGreater);
  EXPECT_EQ(item->DisplayValue(), u"30");
  EXPECT_EQ(item->Value().AsInteger(), 30);
  // The legacy layout: the count first, the root an AND group.
  TTestCriteria e;
  Read(e, "01 00 00 00 00 04 02 00 00 00 33 30 02 00 00 00 02 1E");
  EXPECT_EQ(e.FilterText(), u"(Name > 30)");
}

TEST(cxFilterStream, BetweenAndGroups) {
  TTestCriteria c;
  c.AddItem(nullptr, c.Age(), foBetween, VarArrayOf({1, 5}), u"1 and 5");
  TcxFilterCriteriaItemList* group = c.Root()->AddItemList(fgkNotAnd);
  group->AddItem(c.F(), foInList, VarArrayOf({Ansi("a")}), u"");
  EXPECT_EQ(Written(c),
            "FF FF FF FF 00 02 00 00 00 "
            "00 08 07 00 00 00 31 20 61 6E 64 20 35 01 00 00 00 01 02 02 02 01 02 05 "
            "01 02 01 00 00 00 00 0A 00 00 00 00 04 00 00 00 01 02 01 06 01 61");
}

TEST(cxFilterStream, RoundTripKeepsTextAndEvaluation) {
  SetLocale("ru-RU");
  TTestCriteria c;
  c.Root()->SetBoolOperatorKind(fgkOr);
  c.AddItem(nullptr, c.Age(), foGreaterEqual, Variant(static_cast<SmallInt>(300)), u"300");
  c.AddItem(nullptr, c.Age(), foLess, Variant(70000), u"");
  TcxFilterCriteriaItemList* g1 = c.Root()->AddItemList(fgkAnd);
  g1->AddItem(c.Name(), foLike, Wide("Ив%"), S("Ив%"));
  g1->AddItem(c.Name(), foNotEqual, Null(), u"");
  TcxFilterCriteriaItemList* g2 = g1->AddItemList(fgkNotOr);
  g2->AddItem(c.F(), foEqual, Variant(2.5), u"");
  g2->AddItem(c.F(), foEqual, Variant(Currency(1.25)), u"");
  g2->AddItem(c.F(), foEqual, Variant(true), u"");
  g2->AddItem(c.F(), foEqual, Variant(1.5f), u"");
  g2->AddItem(c.F(), foInList, VarArrayOf({Ansi("x"), Wide("y"), Variant()}), u"");
  c.AddItem(nullptr, c.BirthDate(), foEqual, VarFromDateTime(EncodeDate(2000, 1, 2)), u"");
  c.AddItem(nullptr, c.BirthDate(), foToday, Null(), u"");
  std::string first = Written(c);
  TTestCriteria d;
  Read(d, first);
  EXPECT_EQ(Written(d), first);
  EXPECT_EQ(d.FilterText(), c.FilterText());
  EXPECT_EQ(d.FilterCaption(), c.FilterCaption());
  for (const Variant& age : {Variant(10), Variant(500), Variant(80000)}) {
    c.SetRecord(c.Age(), age);
    d.SetRecord(d.Age(), age);
    EXPECT_EQ(c.Satisfies(), d.Satisfies());
  }
  // AssignItems goes through the same stream.
  TTestCriteria e;
  e.Assign(&c);
  EXPECT_EQ(Written(e), first);
}

TEST(cxFilterStream, UnknownIdsKeepTheirConditions) {
  TTestCriteria c;
  Read(c, "FF FF FF FF 00 01 00 00 00 00 00 00 00 00 00 63 00 00 00 02 01");
  ASSERT_EQ(c.Root()->Count(), 1);
  EXPECT_EQ(static_cast<TcxFilterCriteriaItem*>(c.Root()->Items(0))->ItemLink(), nullptr);
}

TEST(cxFilterStream, CorruptStreamsRaiseTheReadErrorAndKeepWhatWasRead) {
  TTestCriteria c;
  c.Notifications = 0;
  // Two conditions announced, the second cut short.
  TMemoryStream stream;
  LoadBytes(stream, FromHex("FF FF FF FF 00 02 00 00 00 00 00 00 00 00 00 01 00 00 00 02 01 00 00 05 00 00"));
  try {
    c.ReadData(&stream);
    ADD_FAILURE();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), u"Stream read error");
  }
  EXPECT_EQ(c.Root()->Count(), 1);
  EXPECT_EQ(c.Notifications, 1);
  // Counts and lengths that the stream cannot hold fail before anything is allocated.
  for (const char* bytes : {"FF FF FF FF 00 FF FF FF 7F 00", "FF FF FF FF 00 01 00 00 00 00 00 FF FF FF 7F",
                            "FF FF FF FF 00 01 00 00 00 00 00 FE FF FF FF", "FF FF FF FF 07 00 00 00 00",
                            "FF FF FF FF 00 01 00 00 00 00 30 00 00 00 00 01 00 00 00 00",
                            "FF FF FF FF 00 01 00 00 00 01 00 FF FF FF 7F", "F0 FF FF FF"}) {
    TTestCriteria d;
    TMemoryStream s;
    LoadBytes(s, FromHex(bytes));
    EXPECT_THROW(d.ReadData(&s), EReadError) << bytes;
  }
}

// Groups nested Depth deep, each holding the next, the innermost empty.
std::vector<Byte> NestedGroups(int Depth) {
  std::vector<Byte> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0, 0};
  for (int i = 0; i < Depth; ++i) {
    const Byte count = i + 1 < Depth ? 1 : 0;
    bytes.insert(bytes.end(), {1, 0, count, 0, 0, 0});
  }
  return bytes;
}

TEST(cxFilterStream, GroupsNestedPastTheLimitAreAReadErrorNotAStackOverflow) {
  for (int depth : {30000, 300000}) {
    TTestCriteria c;
    TMemoryStream s;
    LoadBytes(s, NestedGroups(depth));
    try {
      c.ReadData(&s);
      ADD_FAILURE() << depth << " nested groups were read";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), u"Filter criteria nest deeper than 100 groups");
    }
    EXPECT_NO_THROW(c.FilterText());
  }
  TTestCriteria c;
  TMemoryStream s;
  LoadBytes(s, NestedGroups(100));
  c.ReadData(&s);
  EXPECT_EQ(c.Root()->Count(), 1);
  EXPECT_NO_THROW(c.FilterText());
}

}  // namespace
