// The criteria tree on its own: evaluation, the two texts, tidying and the byte stream, over
// conditions whose node values come from a table of column values.
#include <gtest/gtest.h>

#include <map>

#include "dx/dbgrid/dxFilter.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/StrUtils.h"

namespace {

// Conditions read their node value from the criteria's Row; the filter name is the column name.
class TRowCriteria : public TdxCriteria {
 public:
  class Item : public TdxCriteriaItem {
   public:
    using TdxCriteriaItem::TdxCriteriaItem;
    void GetNodeValue(TdxTreeListNode*, Variant& Value) const override {
      const auto& row = static_cast<TRowCriteria*>(Criteria())->Row;
      auto it = row.find(ColumnName);
      Value = it == row.end() ? Null() : it->second;
    }
    String GetFilterName() const override { return ColumnName; }
  };
  std::unique_ptr<TdxCriteriaItem> NewItem(TdxCriteriaItemList* Parent) override {
    return std::make_unique<Item>(Parent);
  }
  std::map<String, Variant> Row;
};

Variant Ansi(const char* Text) { return VarFromAnsiString(Text); }

std::vector<Byte> Saved(const TdxCriteria& Criteria) {
  TMemoryStream stream;
  Criteria.SaveToStream(&stream);
  const auto* p = static_cast<const Byte*>(stream.Memory());
  return std::vector<Byte>(p, p + stream.Size());
}

void Load(TdxCriteria& Criteria, const std::vector<Byte>& Bytes) {
  TCustomMemoryStream stream(Bytes.data(), static_cast<Int64>(Bytes.size()));
  Criteria.LoadFromStream(&stream);
}

std::vector<Byte> ValueBytes(const Variant& Value) {
  TMemoryStream stream;
  WriteFilterVariant(&stream, Value);
  const auto* p = static_cast<const Byte*>(stream.Memory());
  return std::vector<Byte>(p, p + stream.Size());
}

Variant ValueFromBytes(const std::vector<Byte>& Bytes) {
  TCustomMemoryStream stream(Bytes.data(), static_cast<Int64>(Bytes.size()));
  return ReadFilterVariant(&stream);
}

TEST(DxFilterTest, EmptyTreeIsTrueWithoutTextAndSavesAsFourZeroBytes) {
  TRowCriteria criteria;
  EXPECT_TRUE(criteria.Evaluate(nullptr));
  EXPECT_EQ(criteria.GetDisplayText(), u"");
  EXPECT_EQ(criteria.GetFilterText(), u"");
  EXPECT_EQ(Saved(criteria), (std::vector<Byte>{0, 0, 0, 0}));
}

TEST(DxFilterTest, GroupsFoldTheirChildrenAndNegate) {
  TRowCriteria criteria;
  criteria.Row = {{u"A", Variant(5)}, {u"B", Null()}};
  TdxCriteriaItemList* root = criteria.Root();
  TdxCriteriaItemList* group = root->AddList(fboOr);
  // An OR group whose first child is a false group: the leading True must not leak in.
  TdxCriteriaItemList* inner = group->AddList(fboAnd);
  inner->AddItem(u"A", fokGreater, Variant(10), u"10");
  EXPECT_FALSE(criteria.Evaluate(nullptr));
  group->AddItem(u"B", fokIsNull, Null(), u"")->SetIsNot(true);
  EXPECT_FALSE(criteria.Evaluate(nullptr));
  criteria.Row[u"B"] = Variant(1);
  EXPECT_TRUE(criteria.Evaluate(nullptr));
  group->SetIsNot(true);
  EXPECT_FALSE(criteria.Evaluate(nullptr));
  // An empty group is True, False when negated.
  TdxCriteriaItemList* empty = root->AddList(fboAnd);
  group->SetIsNot(false);
  EXPECT_TRUE(criteria.Evaluate(nullptr));
  empty->SetIsNot(true);
  EXPECT_FALSE(criteria.Evaluate(nullptr));
}

TEST(DxFilterTest, OperatorsCompareNullFirstAndBlanksAreNullOrEmptyAnsi) {
  struct Case {
    Variant node;
    TdxFilterOperatorKind op;
    Variant value;
    bool expected;
  } cases[] = {
      {Null(), fokIsNull, Null(), true},
      {Ansi(""), fokIsNull, Null(), true},
      {Variant(), fokIsNull, Null(), false},
      {Variant(String(u"")), fokIsNull, Null(), false},
      {Variant(3), fokEqual, Variant(3.0), true},
      {Null(), fokLess, Variant(1), true},
      {Variant(1), fokGreater, Null(), true},
      {Null(), fokGreaterEqual, Null(), true},
      {Ansi("b"), fokGreater, Ansi("a"), true},
      {Ansi("B"), fokGreater, Ansi("a"), false},
      {Variant(2), fokLessEqual, Variant(2), true},
      {Variant(Currency::FromScaled(25000)), fokGreater, Variant(2.4), true},
      // Values that cannot be ordered count as less.
      {Ansi("x"), fokGreater, Variant(1), false},
      {Ansi("x"), fokLess, Variant(1), true},
      // Wide texts are equal only character for character, even where the code page maps both to '?'.
      {Variant(String(u"Омск")), fokEqual, Variant(String(u"Омск")), true},
      {Variant(String(u"Омск")), fokEqual, Variant(String(u"Омск ")), false},
      {Variant(String(u"\u4e00")), fokEqual, Variant(String(u"\u4e01")), false},
      {Variant(String(u"Омск")), fokEqual, VarFromAnsiString(StringToAnsi(u"Омск")), true},
      {Variant(String(u"12")), fokEqual, Variant(12), true},
  };
  for (const Case& c : cases) {
    TRowCriteria criteria;
    criteria.Row[u"A"] = c.node;
    criteria.Root()->AddItem(u"A", c.op, c.value, u"");
    EXPECT_EQ(criteria.Evaluate(nullptr), c.expected)
        << StringToUtf8(VarToStrDef(c.node, u"<null>")) << " " << int(c.op) << " "
        << StringToUtf8(VarToStrDef(c.value, u"<null>"));
  }
  // The equality's own conversion error reaches the caller.
  TRowCriteria criteria;
  criteria.Row[u"A"] = Ansi("x");
  criteria.Root()->AddItem(u"A", fokEqual, Variant(1), u"");
  EXPECT_THROW(criteria.Evaluate(nullptr), EVariantError);
}

// Counts what the evaluation asks: node values read (one source per column name) and values prepared
// (each turned to upper case).
class TCountingCriteria : public TRowCriteria {
 public:
  class Item : public TRowCriteria::Item {
   public:
    using TRowCriteria::Item::Item;
    void GetNodeValue(TdxTreeListNode* Node, Variant& Value) const override {
      ++static_cast<TCountingCriteria*>(Criteria())->Reads;
      TRowCriteria::Item::GetNodeValue(Node, Value);
    }
    const void* NodeValueSource() const override {
      return &static_cast<TCountingCriteria*>(Criteria())->Row[ColumnName];
    }
  };
  std::unique_ptr<TdxCriteriaItem> NewItem(TdxCriteriaItemList* Parent) override {
    return std::make_unique<Item>(Parent);
  }
  void PrepareValue(const Variant& Source, Variant& Dest) const override {
    ++Prepares;
    Dest = Variant(UpperCase(VarToStr(Source)));
  }
  bool KeepsValue(const Variant&) const override { return false; }
  mutable int Reads = 0;
  mutable int Prepares = 0;
};

TEST(DxFilterTest, ANodeValueIsReadOncePerColumnAndEvaluation) {
  TCountingCriteria criteria;
  criteria.Row = {{u"A", Variant(String(u"b"))}, {u"B", Variant(String(u"x"))}};
  TdxCriteriaItemList* either = criteria.Root()->AddList(fboOr);
  either->AddItem(u"A", fokEqual, Variant(String(u"a")), u"");
  either->AddItem(u"A", fokEqual, Variant(String(u"B")), u"");
  criteria.Root()->AddItem(u"B", fokEqual, Variant(String(u"X")), u"");
  EXPECT_TRUE(criteria.Evaluate(nullptr));
  EXPECT_EQ(criteria.Reads, 2);
  // Nothing is kept from one evaluation to the next.
  criteria.Row[u"A"] = Variant(String(u"c"));
  EXPECT_FALSE(criteria.Evaluate(nullptr));
  EXPECT_EQ(criteria.Reads, 4);
}

TEST(DxFilterTest, AScopePreparesConditionValuesOnceAndForgetsThemWhenItEnds) {
  TCountingCriteria criteria;
  criteria.Row = {{u"A", Variant(String(u"b"))}};
  TdxCriteriaItem* item = criteria.Root()->AddItem(u"A", fokEqual, Variant(String(u"b")), u"");
  {
    TdxCriteriaEvaluationScope scope(criteria);
    {
      TdxCriteriaEvaluationScope nested(criteria);
    }
    criteria.Prepares = 0;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(criteria.Evaluate(nullptr));
    // The node value each time, the condition value not once: the outer scope still holds it.
    EXPECT_EQ(criteria.Prepares, 3);
  }
  item->Value = Variant(String(u"c"));
  EXPECT_FALSE(criteria.Evaluate(nullptr));
}

TEST(DxFilterTest, TextsOfGroupsConditionsAndNegations) {
  TRowCriteria criteria;
  TdxCriteriaItemList* root = criteria.Root();
  root->AddItem(u"NAME", fokEqual, Ansi("O'Brien"), u"O'Brien");
  TdxCriteriaItemList* group = root->AddList(fboOr);
  group->AddItem(u"A", fokGreater, Variant(1.5), u"1,5");
  group->AddItem(u"B", fokIsNull, Null(), u"")->SetIsNot(true);
  EXPECT_EQ(criteria.GetDisplayText(), u"(NAME = O'Brien) AND ((A > 1,5) OR (NOT (B Is Null)))");
  EXPECT_EQ(criteria.GetFilterText(), u"(NAME = 'O''Brien') AND ((A > 1.5) OR (NOT (B Is Null)))");
  group->SetIsNot(true);
  EXPECT_EQ(criteria.GetDisplayText(), u"(NAME = O'Brien) AND (NOT ((A > 1,5) OR (NOT (B Is Null))))");
}

TEST(DxFilterTest, ExpressionLiteralsReadInAnyLocale) {
  struct Case {
    Variant value;
    const char16_t* literal;
  } cases[] = {
      {Variant(-7), u"-7"},
      {Variant(2.25), u"2.25"},
      {Variant(Currency::FromScaled(12345)), u"1.2345"},
      {Variant(true), u"TRUE"},
      {Variant(String(u"Ив'ан")), u"'Ив''ан'"},
      {VarFromDateTime(EncodeDate(2024, 3, 9)), u"'2024-03-09'"},
      {VarFromDateTime(EncodeDate(2024, 3, 9) + 0.5), u"'2024-03-09 12:00:00'"},
  };
  for (const Case& c : cases) {
    TRowCriteria criteria;
    criteria.Root()->AddItem(u"F", fokEqual, c.value, u"");
    EXPECT_EQ(criteria.GetFilterText(), u"(F = " + String(c.literal) + u")");
  }
}

TEST(DxFilterTest, RemoveColumnConditionsTidiesTheFormerGroup) {
  TRowCriteria criteria;
  TdxCriteriaItemList* root = criteria.Root();
  root->AddItem(u"X", fokEqual, Variant(1), u"1");
  TdxCriteriaItemList* both = root->AddList(fboOr);
  both->AddItem(u"A", fokEqual, Variant(1), u"1");
  both->AddItem(u"A", fokEqual, Variant(2), u"2");
  root->AddItem(u"Y", fokEqual, Variant(3), u"3");
  criteria.RemoveColumnConditions(u"A");
  EXPECT_EQ(criteria.GetDisplayText(), u"(X = 1) AND (Y = 3)");

  TdxCriteriaItemList* one = root->AddList(fboOr);
  one->SetIsNot(true);
  one->AddItem(u"B", fokEqual, Variant(1), u"1");
  one->AddItem(u"C", fokEqual, Variant(2), u"2");
  root->AddItem(u"Z", fokEqual, Variant(4), u"4");
  criteria.RemoveColumnConditions(u"B");
  // The survivor moves to the end of the root; the group's negation goes with the group.
  EXPECT_EQ(criteria.GetDisplayText(), u"(X = 1) AND (Y = 3) AND (Z = 4) AND (C = 2)");
  EXPECT_EQ(criteria.Root()->Items(3)->Parent(), criteria.Root());
  // Names are matched exactly.
  criteria.RemoveColumnConditions(u"c");
  EXPECT_NE(criteria.FindItem(u"C"), nullptr);
}

TEST(DxFilterTest, TaggedValuesHaveTheirBytesAndReadBack) {
  std::vector<Byte> longText(256 + 5, 0);
  longText[0] = 12;
  longText[1] = 0x00;
  longText[2] = 0x01;
  for (size_t i = 5; i < longText.size(); ++i) longText[i] = 'x';
  struct Case {
    Variant value;
    std::vector<Byte> bytes;
    Variant readBack;
  } cases[] = {
      {Null(), {0}, Null()},
      {Variant(), {13}, Variant()},
      {Variant(-5), {2, 0xFB}, Variant(-5)},
      {Variant(300), {3, 0x2C, 0x01}, Variant(std::int16_t(300))},
      {Variant(70000), {4, 0x70, 0x11, 0x01, 0x00}, Variant(70000)},
      {Variant(Byte(200)), {3, 200, 0}, Variant(std::int16_t(200))},
      {Variant(std::int8_t(5)), {6, 1, '5'}, Ansi("5")},
      {Variant(false), {8}, Variant(false)},
      {Variant(true), {9}, Variant(true)},
      {Variant(1.0), {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, Variant(1.0)},
      {Variant(0.5f), {15, 0, 0, 0, 0x3F}, Variant(0.5f)},
      {Variant(Currency::FromScaled(10000)),
       {16, 0x10, 0x27, 0, 0, 0, 0, 0, 0},
       Variant(Currency::FromScaled(10000))},
      {VarFromDateTime(2.0), {17, 0, 0, 0, 0, 0, 0, 0, 0x40}, VarFromDateTime(2.0)},
      {Ansi("ab"), {6, 2, 'a', 'b'}, Ansi("ab")},
      {Ansi(std::string(256, 'x').c_str()), longText, Ansi(std::string(256, 'x').c_str())},
      {Variant(String(u"Я")), {18, 1, 0, 0, 0, 0x2F, 0x04}, Variant(String(u"Я"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(VarToStrDef(c.value, u"<null>")));
    EXPECT_EQ(ValueBytes(c.value), c.bytes);
    Variant back = ValueFromBytes(c.bytes);
    EXPECT_EQ(back.Type(), c.readBack.Type());
    EXPECT_TRUE(back == c.readBack || (VarIsNull(back) && VarIsNull(c.readBack)));
  }
  EXPECT_THROW(ValueBytes(VarArrayOf({Variant(1)})), EWriteError);
}

TEST(DxFilterTest, TreeStreamHasItsBytesAndRoundTrips) {
  TRowCriteria criteria;
  TdxCriteriaItemList* group = criteria.Root()->AddList(fboOr);
  group->SetIsNot(true);
  group->AddItem(u"A", fokLessEqual, Variant(1), u"Я");
  std::vector<Byte> bytes = Saved(criteria);
  const std::vector<Byte> expected = {1, 0, 0, 0,              // root count
                                      1, 1, 1, 1, 0,    0, 0,  // group, negated, OR, one child
                                      0, 0,                    // condition
                                      1, 0, 0, 0, 0xDF,        // display text in the code page
                                      1, 0, 0, 0, 'A',  5, 2, 1};
  EXPECT_EQ(bytes, expected);
  TRowCriteria loaded;
  loaded.Root()->AddItem(u"OLD", fokEqual, Variant(1), u"");
  Load(loaded, bytes);
  EXPECT_EQ(loaded.GetDisplayText(), u"(NOT ((A <= Я)))");
  EXPECT_EQ(Saved(loaded), bytes);
}

TEST(DxFilterTest, DamagedStreamsRaiseReadErrorsKeepingWhatWasRead) {
  const std::vector<Byte> good = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0,   0, 'A', 1,
                                  2, 7, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 'B', 0, 0};
  TRowCriteria criteria;
  Load(criteria, good);
  EXPECT_EQ(criteria.GetFilterText(), u"(A = 7) AND (B Is Null)");
  struct Case {
    const char* what;
    std::vector<Byte> bytes;
  } cases[] = {
      {"nothing", {}},
      {"cut count", {1, 0}},
      {"count past the end", {0xFF, 0xFF, 0xFF, 0x7F}},
      {"negative count", {0xFF, 0xFF, 0xFF, 0xFF}},
      {"huge string length", {1, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}},
      {"operator 6", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0}},
      {"tag 7", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 7}},
      {"tag 19", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 19}},
      {"short string past the end", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 6, 9, 'a'}},
      {"wide string past the end", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 18, 2, 0, 0, 0, 'a', 0}},
      {"cut extended", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 5, 0, 0}},
  };
  for (const Case& c : cases) {
    TRowCriteria damaged;
    EXPECT_THROW(Load(damaged, c.bytes), EReadError) << c.what;
  }
  // Groups nested past any sane depth are refused, not recursed into.
  std::vector<Byte> deep = {1, 0, 0, 0};
  for (int i = 0; i < 10000; ++i) deep.insert(deep.end(), {1, 0, 0, 1, 0, 0, 0});
  TRowCriteria nested;
  EXPECT_THROW(Load(nested, deep), EReadError);
  // A failed load keeps what was read before the damage.
  std::vector<Byte> cut(good.begin(), good.end() - 1);
  TRowCriteria partial;
  EXPECT_THROW(Load(partial, cut), EReadError);
  EXPECT_EQ(partial.GetFilterText(), u"(A = 7)");
}

}  // namespace
