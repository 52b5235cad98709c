#include <gtest/gtest.h>

#include <cmath>

#include "dx/treelist/dxTLRoutines.h"
#include "dx/treelist/tests/dxTreeListTestSupport.h"

namespace {

class DxTLRoutinesTest : public DxTreeListTest {};

TEST_F(DxTLRoutinesTest, CompareVariantValuesTable) {
  struct TCase {
    Variant a, b;
    int expected;
  } cases[] = {
      {Null(), Variant(5), -1},
      {Variant(5), Null(), 1},
      {Null(), Null(), 0},
      {Variant(2), Variant(10), -1},
      {Variant(2.5), Variant(2), 1},
      {Variant(u"abc"), Variant(u"abd"), -1},
      {Variant(u"x"), Variant(u"x"), 0},
      // Different kinds the variant comparison can order go by value.
      {Variant(u"3"), Variant(5), -1},
      {Variant(5), Variant(u"3"), 1},
      {Variant(u"5"), Variant(5), 0},
      {Variant(u"10"), Variant(9.5), 1},
      {Null(), Unassigned(), -1},
      {Unassigned(), Null(), 1},
      {Unassigned(), Variant(-7), -1},
      {Variant(true), Variant(u"True"), 0},
      // A pair it cannot order: numbers before texts, both ways round.
      {Variant(u"abc"), Variant(5), 1},
      {Variant(5), Variant(u"abc"), -1},
      {Variant(std::nan("")), Variant(u"3"), -1},
      {Variant(u"3"), Variant(std::nan("")), 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(StringToUtf8(VarToStr(c.a)) + " vs " + StringToUtf8(VarToStr(c.b)));
    EXPECT_EQ(CompareVariantValues(c.a, c.b), c.expected);
  }
}

TEST_F(DxTLRoutinesTest, CompareVariantValuesAnswersTheSameBothWaysRound) {
  // Numeric texts among numbers cannot be ordered transitively ("10" < "9" as texts, 9 < "10" by
  // value), but no pair may answer -1 both ways.
  std::vector<Variant> values = {Null(),        Unassigned(),          Variant(1),     Variant(10),
                                 Variant(2.5),  Variant(u"2"),         Variant(u"10"), Variant(u"abc"),
                                 Variant(true), Variant(std::nan("")), Variant(-3),    Variant(u""),
                                 Variant(u"True")};
  for (const Variant& a : values)
    for (const Variant& b : values)
      ASSERT_EQ(CompareVariantValues(a, b), -CompareVariantValues(b, a))
          << StringToUtf8(VarToStr(a)) << " / " << StringToUtf8(VarToStr(b));
}

TEST_F(DxTLRoutinesTest, CompareVariantValuesIsATotalOrderOverValuesWithoutNumericTexts) {
  std::vector<Variant> values = {Null(),       Unassigned(),   Variant(1),            Variant(10),
                                 Variant(2.5), Variant(u"x"),  Variant(u"abc"),       Variant(true),
                                 Variant(-3),  Variant(u""),   Variant(std::nan(""))};
  for (const Variant& a : values)
    for (const Variant& b : values)
      for (const Variant& c : values)
        if (CompareVariantValues(a, b) <= 0 && CompareVariantValues(b, c) <= 0) {
          ASSERT_LE(CompareVariantValues(a, c), 0)
              << StringToUtf8(VarToStr(a)) << " / " << StringToUtf8(VarToStr(b)) << " / "
              << StringToUtf8(VarToStr(c));
        }
  // A sort over them runs on a consistent comparator.
  std::vector<Variant> sorted = values;
  std::sort(sorted.begin(), sorted.end(),
            [](const Variant& x, const Variant& y) { return CompareVariantValues(x, y) < 0; });
  for (size_t i = 1; i < sorted.size(); ++i) EXPECT_LE(CompareVariantValues(sorted[i - 1], sorted[i]), 0);
}

TEST_F(DxTLRoutinesTest, SmallRoutines) {
  EXPECT_TRUE(TextEqualIgnoreCase(u"Иванов", u"иВАНОВ"));
  EXPECT_FALSE(TextEqualIgnoreCase(u"Иванов", u"Иванова"));
  EXPECT_TRUE(RangesOverlap(5, 15, 10, 20));
  EXPECT_TRUE(RangesOverlap(0, 30, 10, 20));
  EXPECT_FALSE(RangesOverlap(0, 9, 10, 20));
}

TEST_F(DxTLRoutinesTest, MeasureTextLinesCutsAtTheLimit) {
  TFont font;
  font.SetHeight(-10);  // the fixed font: glyphs 5 x 10
  // "aaaa " words of 20 pixels, one per line in a 30-pixel cell (26 after the margins).
  String text = u"aaaa aaaa aaaa aaaa aaaa";
  int height = 0;
  EXPECT_EQ(MeasureTextLines(text, 30, 10, height, 0, false, &font, -1), 5);
  EXPECT_EQ(height, 53);
  EXPECT_EQ(MeasureTextLines(text, 30, 10, height, 0, false, &font, 3), 3);
  EXPECT_EQ(height, 3 * 10 + 3);
  EXPECT_EQ(MeasureTextLines(u"", 30, 10, height, 0, false, &font, 3), 0);
}

}  // namespace
