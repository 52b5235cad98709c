#include <gtest/gtest.h>

#include <cmath>

#include "cx/data/cxFilter.h"
#include "cx/data/cxVariants.h"
#include "cx/data/tests/FilterFixture.h"
#include "cx/data/tests/TestHelpers.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class FilterTest : public testing::Test {
 protected:
  void SetUp() override { SetLocale("ru-RU"); }
  String Expression() { return c.FilterText(); }
  String Caption() { return c.FilterCaption(); }
  TTestCriteria c;
};

TEST_F(FilterTest, OperatorWordsAndSymbols) {
  const struct {
    TcxFilterOperatorKind kind;
    Variant value;
    const char* display;
    const char* expression;
  } cases[] = {
      {foEqual, Variant(1), "equals", "="},
      {foNotEqual, Variant(1), "does not equal", "<>"},
      {foLess, Variant(1), "is less than", "<"},
      {foLessEqual, Variant(1), "is less than or equal to", "<="},
      {foGreater, Variant(1), "is greater than", ">"},
      {foGreaterEqual, Variant(1), "is greater than or equal to", ">="},
      {foLike, Wide("a%c"), "like", "LIKE"},
      {foLike, Wide("abc%"), "begins with", "LIKE"},
      {foLike, Wide("%abc"), "ends with", "LIKE"},
      {foLike, Wide("%abc%"), "contains", "LIKE"},
      {foNotLike, Wide("a%c"), "not like", "NOT LIKE"},
      {foNotLike, Wide("abc%"), "does not begin with", "NOT LIKE"},
      {foNotLike, Wide("%abc"), "does not end with", "NOT LIKE"},
      {foNotLike, Wide("%abc%"), "does not contain", "NOT LIKE"},
      {foBetween, VarArrayOf({1, 5}), "between", "BETWEEN"},
      {foNotBetween, VarArrayOf({1, 5}), "not between", "NOT BETWEEN"},
      {foInList, VarArrayOf({1}), "in", "IN"},
      {foNotInList, VarArrayOf({1}), "not in", "NOT IN"},
      {foEqual, Null(), "is blank", "="},
      {foNotEqual, Null(), "is not blank", "<>"},
      {foLike, Null(), "is blank", "="},
      {foYesterday, Null(), "is yesterday", "is yesterday"},
      {foToday, Null(), "is today", "is today"},
      {foTomorrow, Null(), "is tomorrow", "is tomorrow"},
      {foLastWeek, Null(), "is last week", "is last week"},
      {foLastMonth, Null(), "is last month", "is last month"},
      {foLastYear, Null(), "is last year", "is last year"},
      {foThisWeek, Null(), "is this week", "is this week"},
      {foThisMonth, Null(), "is this month", "is this month"},
      {foThisYear, Null(), "is this year", "is this year"},
      {foNextWeek, Null(), "is next week", "is next week"},
      {foNextMonth, Null(), "is next month", "is next month"},
      {foNextYear, Null(), "is next year", "is next year"},
  };
  for (const auto& k : cases) {
    TcxFilterCriteriaItem* item = c.AddItem(nullptr, c.F(), k.kind, k.value, u"");
    EXPECT_EQ(item->Operator()->DisplayText(), S(k.display)) << k.display;
    EXPECT_EQ(item->Operator()->ExpressionText(), S(k.expression)) << k.display;
    c.Clear();
  }
}

TEST_F(FilterTest, ExpressionAndDisplayTextOfATree) {
  c.AddItem(nullptr, c.Age(), foGreater, Variant(30), u"30");
  TcxFilterCriteriaItemList* group = c.Root()->AddItemList(fgkOr);
  group->AddItem(c.Name(), foLike, Wide("A%"), u"A%");
  group->AddItem(c.Name(), foEqual, Null(), u"");
  EXPECT_EQ(Expression(), u"(Age > 30) AND ((Name LIKE 'A%') OR (Name = NULL))");
  EXPECT_EQ(Caption(), u"(Age > 30) and ((Name LIKE A%) or (Name = blank))");
  c.SetOptions({fcoShowOperatorDescription});
  EXPECT_EQ(Caption(), u"(Age is greater than 30) and ((Name begins with A) or (Name is blank))");
  c.Root()->SetBoolOperatorKind(fgkNotOr);
  EXPECT_EQ(Expression(), u"NOT ((Age > 30) OR ((Name LIKE 'A%') OR (Name = NULL)))");
  EXPECT_EQ(Caption().substr(0, 5), u"not (");
}

TEST_F(FilterTest, ValueFormattingInExpressions) {
  const struct {
    TcxFilterOperatorKind kind;
    Variant value;
    const char* expected;
  } cases[] = {
      {foBetween, VarArrayOf({1, 5}), "F BETWEEN 1 AND 5"},
      {foInList, VarArrayOf({Ansi("a"), Wide("b")}), "F IN ('a', 'b')"},
      {foEqual, Wide("O'Brien"), "F = 'O''Brien'"},
      {foEqual, Ansi("it's"), "F = 'it''s'"},
      {foEqual, Variant(2.5), "F = 2,5"},
      {foEqual, VarFromDateTime(EncodeDate(2024, 3, 1)), "F = '01.03.2024'"},
      {foNotEqual, Null(), "F <> NULL"},
      {foEqual, Variant(true), "F = True"},
  };
  for (const auto& k : cases) {
    c.AddItem(nullptr, c.F(), k.kind, k.value, u"");
    EXPECT_EQ(Expression(), u"(" + S(k.expected) + u")") << k.expected;
    c.Clear();
  }
  c.SetDateTimeFormat(u"yyyy-mm-dd");
  c.AddItem(nullptr, c.F(), foEqual, VarFromDateTime(EncodeDate(2024, 3, 1)), u"");
  EXPECT_EQ(Expression(), u"(F = '2024-03-01')");
}

TEST_F(FilterTest, NullConditionsAndSoftNull) {
  TcxFilterCriteriaItem* item = c.AddItem(nullptr, c.Name(), foEqual, Null(), u"");
  EXPECT_TRUE(item->Operator()->InheritsFrom(TcxFilterNullOperator::StaticClass()));
  EXPECT_EQ(item->DisplayValue(), u"blank");
  EXPECT_EQ(Caption(), u"(Name = blank)");
  c.SetRecord(c.Name(), Null());
  EXPECT_TRUE(c.Satisfies());
  c.SetRecord(c.Name(), Wide(""));
  EXPECT_FALSE(c.Satisfies());
  c.Clear();
  c.SetOptions({fcoSoftNull});
  item = c.AddItem(nullptr, c.Name(), foNotEqual, Wide(""), u"");
  EXPECT_TRUE(item->Operator()->InheritsFrom(TcxFilterNotNullOperator::StaticClass()));
  EXPECT_FALSE(c.Satisfies());
  c.SetRecord(c.Name(), Wide("x"));
  EXPECT_TRUE(c.Satisfies());
}

TEST_F(FilterTest, EvaluationOfOperators) {
  const struct {
    TcxFilterOperatorKind kind;
    Variant value;
    Variant record;
    bool expected;
  } cases[] = {
      {foEqual, Variant(5), Variant(5.0), true},
      {foNotEqual, Variant(5), Variant(6), true},
      {foLess, Variant(5), Null(), true},
      {foGreater, Variant(5), Ansi("abc"), false},
      {foLessEqual, Variant(5), Variant(5), true},
      {foGreaterEqual, Variant(5), Variant(4), false},
      {foBetween, VarArrayOf({1, 5}), Variant(1), true},
      {foBetween, VarArrayOf({1, 5}), Variant(5), true},
      {foBetween, VarArrayOf({1, 5}), Variant(6), false},
      {foNotBetween, VarArrayOf({1, 5}), Variant(0), true},
      {foInList, VarArrayOf({Ansi("a"), Ansi("b")}), Ansi("b"), true},
      {foNotInList, VarArrayOf({Ansi("a"), Ansi("b")}), Ansi("c"), true},
      {foLike, Ansi("a_c%"), Wide("abcd"), true},
      {foLike, Ansi("A%"), Wide("abc"), false},
      {foNotLike, Ansi("%x%"), Ansi("abc"), true},
      {foLike, Wide("Ж%"), Wide("Жук"), true},
      // Values of one kind keep the variant order: dates, doubles (a NaN counts as greater), integers.
      {foLess, VarFromDateTime(EncodeDate(1970, 1, 1)), VarFromDateTime(EncodeDate(1969, 12, 31)), true},
      {foGreaterEqual, VarFromDateTime(EncodeDate(1970, 1, 1)), VarFromDateTime(EncodeDate(1970, 1, 1)), true},
      {foGreater, VarFromDateTime(EncodeDate(1970, 1, 1)), VarFromDateTime(EncodeDate(1970, 1, 1)), false},
      {foLess, Variant(1.0), Variant(std::nan("")), false},
      {foGreater, Variant(1.0), Variant(std::nan("")), true},
      {foLessEqual, Variant(-0.0), Variant(0.0), true},
      {foLessEqual, Variant(100), Variant(99), true},
      {foGreater, Variant(Int64{5}), Variant(Int64{1} << 40), true},
      {foLess, Variant(Int64{5}), Variant(-7), true},
      // Wide texts are equal character for character, even where the code page has neither.
      {foEqual, Wide("Ёж"), Wide("Ёж"), true},
      {foEqual, Wide("一"), Wide("丁"), false},
      {foEqual, Wide("12"), Variant(12), true},
  };
  for (const auto& k : cases) {
    c.AddItem(nullptr, c.F(), k.kind, k.value, u"");
    c.SetRecord(c.F(), k.record);
    EXPECT_EQ(c.Satisfies(), k.expected) << static_cast<int>(k.kind);
    c.Clear();
  }
}

TEST_F(FilterTest, GroupsCombineTheirChildren) {
  // A and B are Age = 1 and Name = 'x'; the record decides each.
  const struct {
    TcxFilterBoolOperatorKind kind;
    bool a, b, expected;
  } cases[] = {
      {fgkAnd, true, true, true},     {fgkAnd, true, false, false},   {fgkOr, false, true, true},
      {fgkOr, false, false, false},   {fgkNotAnd, true, true, false}, {fgkNotAnd, true, false, true},
      {fgkNotOr, false, false, true}, {fgkNotOr, true, false, false},
  };
  for (const auto& k : cases) {
    c.Clear();
    c.Root()->SetBoolOperatorKind(k.kind);
    c.AddItem(nullptr, c.Age(), foEqual, Variant(1), u"");
    c.AddItem(nullptr, c.Name(), foEqual, Wide("x"), u"");
    c.SetRecord(c.Age(), Variant(k.a ? 1 : 2));
    c.SetRecord(c.Name(), Wide(k.b ? "x" : "y"));
    EXPECT_EQ(c.Satisfies(), k.expected) << static_cast<int>(k.kind) << k.a << k.b;
  }
  c.Clear();
  EXPECT_TRUE(c.Satisfies());
  c.Root()->AddItemList(fgkNotOr);
  EXPECT_TRUE(c.Satisfies());  // an empty group is true, whatever its kind
}

TEST_F(FilterTest, CaseInsensitiveFoldsBothStringKinds) {
  c.AddItem(nullptr, c.Name(), foEqual, Ansi("abc"), u"");
  c.SetRecord(c.Name(), Ansi("ABC"));
  EXPECT_FALSE(c.Satisfies());
  c.SetOptions({fcoCaseInsensitive});
  EXPECT_TRUE(c.Satisfies());
  c.SetRecord(c.Name(), Wide("ABC"));
  EXPECT_TRUE(c.Satisfies());
  c.Clear();
  c.AddItem(nullptr, c.Name(), foLike, Wide("ив%"), u"");
  c.SetRecord(c.Name(), Wide("Иванов"));
  EXPECT_TRUE(c.Satisfies());
  // The pattern made for one setting is not kept for the other.
  c.SetOptions({});
  EXPECT_FALSE(c.Satisfies());
  c.SetOptions({fcoCaseInsensitive});
  EXPECT_TRUE(c.Satisfies());
}

TEST_F(FilterTest, SoftCompareSwallowsVariantErrors) {
  c.AddItem(nullptr, c.Age(), foEqual, Variant(5), u"");
  c.SetRecord(c.Age(), Ansi("abc"));
  EXPECT_THROW(c.Satisfies(), EVariantError);
  c.SetOptions({fcoSoftCompare});
  EXPECT_FALSE(c.Satisfies());
}

TEST_F(FilterTest, DateRangesFromTodayAndTheirText) {
  const struct {
    TcxFilterOperatorKind kind;
    int y, m, d;
    const char* locale;
    TDateTime from, to;
  } cases[] = {
      {foThisMonth, 2024, 12, 31, "ru-RU", EncodeDate(2024, 12, 1), EncodeDate(2025, 1, 1)},
      {foNextMonth, 2024, 11, 15, "ru-RU", EncodeDate(2024, 12, 1), EncodeDate(2025, 1, 1)},
      {foNextMonth, 2024, 12, 15, "ru-RU", EncodeDate(2025, 1, 1), EncodeDate(2025, 2, 1)},
      {foLastMonth, 2024, 1, 10, "ru-RU", EncodeDate(2023, 12, 1), EncodeDate(2024, 1, 1)},
      {foYesterday, 2024, 3, 1, "ru-RU", EncodeDate(2024, 2, 29), EncodeDate(2024, 3, 1)},
      {foTomorrow, 2024, 2, 28, "ru-RU", EncodeDate(2024, 2, 29), EncodeDate(2024, 3, 1)},
      {foThisWeek, 2024, 3, 13, "ru-RU", EncodeDate(2024, 3, 11), EncodeDate(2024, 3, 18)},
      {foThisWeek, 2024, 3, 13, "en-US", EncodeDate(2024, 3, 10), EncodeDate(2024, 3, 17)},
      {foLastWeek, 2024, 3, 13, "ru-RU", EncodeDate(2024, 3, 4), EncodeDate(2024, 3, 11)},
      {foNextWeek, 2024, 3, 17, "ru-RU", EncodeDate(2024, 3, 18), EncodeDate(2024, 3, 25)},
      {foLastYear, 2024, 6, 1, "ru-RU", EncodeDate(2023, 1, 1), EncodeDate(2024, 1, 1)},
      {foThisYear, 2024, 6, 1, "ru-RU", EncodeDate(2024, 1, 1), EncodeDate(2025, 1, 1)},
      {foNextYear, 2024, 6, 1, "ru-RU", EncodeDate(2025, 1, 1), EncodeDate(2026, 1, 1)},
  };
  for (const auto& k : cases) {
    SetLocale(k.locale);
    VirtualClockScope clock(
        EncodeDate(static_cast<Word>(k.y), static_cast<Word>(k.m), static_cast<Word>(k.d)) + 0.6);
    c.Clear();
    auto* op = static_cast<TcxFilterDateOperator*>(
        c.AddItem(nullptr, c.BirthDate(), k.kind, Null(), u"")->Operator());
    EXPECT_EQ(op->Date1, k.from) << static_cast<int>(k.kind) << " " << k.m;
    EXPECT_EQ(op->Date2, k.to) << static_cast<int>(k.kind) << " " << k.m;
    c.SetRecord(c.BirthDate(), VarFromDateTime(k.from));
    EXPECT_TRUE(c.Satisfies());
    c.SetRecord(c.BirthDate(), VarFromDateTime(k.to));
    EXPECT_FALSE(c.Satisfies());
    c.SetRecord(c.BirthDate(), Null());
    EXPECT_FALSE(c.Satisfies());
  }
  SetLocale("ru-RU");
  VirtualClockScope clock(EncodeDate(2024, 3, 15));
  c.Clear();
  c.AddItem(nullptr, c.BirthDate(), foThisMonth, Null(), u"");
  EXPECT_EQ(Expression(), u"(('01.03.2024' <= BirthDate) AND (BirthDate < '01.04.2024'))");
  EXPECT_EQ(Caption(), u"(BirthDate is this month)");
}

TEST_F(FilterTest, NotificationsAreBracketed) {
  c.Notifications = 0;
  c.SetOptions(c.Options());
  EXPECT_EQ(c.Notifications, 0);
  c.BeginUpdate();
  c.EndUpdate();
  EXPECT_EQ(c.Notifications, 1);
  c.AddItem(nullptr, c.Age(), foEqual, Variant(1), u"");
  EXPECT_EQ(c.Notifications, 2);
  c.BeginUpdate();
  c.AddItem(nullptr, c.Age(), foEqual, Variant(2), u"");
  c.SetOptions({fcoSoftNull});
  c.SetPercentWildcard(u'*');
  EXPECT_EQ(c.Notifications, 2);
  c.EndUpdate();
  EXPECT_EQ(c.Notifications, 3);
  c.BeginUpdate();
  c.SetOptions({});
  c.CancelUpdate();
  EXPECT_EQ(c.Notifications, 3);
}

TEST_F(FilterTest, RemovingAColumnTidiesGroups) {
  c.AddItem(nullptr, c.Age(), foEqual, Variant(1), u"");
  TcxFilterCriteriaItemList* orGroup = c.Root()->AddItemList(fgkOr);
  orGroup->AddItem(c.Name(), foEqual, Wide("a"), u"");
  orGroup->AddItem(c.F(), foEqual, Variant(2), u"");
  c.AddItem(nullptr, c.Age(), foEqual, Variant(3), u"");
  c.Notifications = 0;
  c.RemoveItemsByItemLink(c.Name());
  EXPECT_EQ(c.Notifications, 1);
  EXPECT_EQ(Expression(), u"(Age = 1) AND (Age = 3) AND (F = 2)");
  c.RemoveItemsByItemLink(c.Name());
  EXPECT_EQ(c.Notifications, 1);

  // A NOT group keeps its negation around its last child.
  c.Clear();
  TcxFilterCriteriaItemList* notGroup = c.Root()->AddItemList(fgkNotOr);
  notGroup->AddItem(c.Name(), foEqual, Wide("a"), u"");
  notGroup->AddItem(c.F(), foEqual, Variant(2), u"");
  c.RemoveItemsByItemLink(c.Name());
  EXPECT_EQ(Expression(), u"(NOT ((F = 2)))");
  c.SetRecord(c.F(), Variant(2));
  EXPECT_FALSE(c.Satisfies());
  c.RemoveItemsByItemLink(c.F());
  EXPECT_TRUE(c.IsEmpty());
}

TEST_F(FilterTest, ValueListOrderLimitsAndLookup) {
  std::unique_ptr<TcxFilterValueList> list(c.CreateValueList());
  list->Add(fviValue, Variant(3), u"3", false);
  list->Add(fviAll, Null(), u"(All)", false);
  list->Add(fviValue, Variant(1), u"1", false);
  list->Add(fviCustom, Null(), u"(Custom...)", false);
  list->Add(fviValue, Variant(3), u"3", false);
  list->Add(fviBlanks, Null(), u"(Blanks)", false);
  ASSERT_EQ(list->Count(), 5);
  EXPECT_EQ(list->Items(0).Kind, fviAll);
  EXPECT_EQ(list->Items(1).Kind, fviCustom);
  EXPECT_EQ(list->Items(2).Kind, fviBlanks);
  EXPECT_EQ(list->Items(3).Value.AsInteger(), 1);
  EXPECT_EQ(list->Items(4).Value.AsInteger(), 3);
  TcxFilterCriteriaItem* item = c.AddItem(nullptr, c.F(), foEqual, Variant(3), u"3");
  EXPECT_EQ(list->GetIndexByCriteriaItem(item), 4);
  item->SetValue(Variant(7));
  EXPECT_EQ(list->GetIndexByCriteriaItem(item), 0);
  item->SetValue(Null());
  EXPECT_EQ(list->GetIndexByCriteriaItem(item), 2);
  item->SetOperatorKind(foLess);
  EXPECT_EQ(list->GetIndexByCriteriaItem(item), 1);
  EXPECT_EQ(list->GetIndexByCriteriaItem(nullptr), -1);

  c.SetMaxValueListCount(3);
  list->Clear();
  list->Add(fviAll, Null(), u"(All)", false);
  list->Add(fviCustom, Null(), u"(Custom...)", false);
  list->Add(fviValue, Variant(2), u"2", false);
  list->Add(fviValue, Variant(1), u"1", false);
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Items(2).Value.AsInteger(), 2);
}

TEST_F(FilterTest, CompositeDisplayTexts) {
  EXPECT_EQ(cxFilterValueDisplayText(Null()), u"blank");
  EXPECT_EQ(cxFilterBetweenDisplayText(VarArrayOf({1, 5})), u"1 and 5");
  EXPECT_EQ(cxFilterInListDisplayText(VarArrayOf({Wide("a"), Null()})), u"(a, blank)");
}

}  // namespace
