// Which radio group item an edit value selects.
#include <gtest/gtest.h>

#include "cx/editors-ext/cxRadioGroup.h"

namespace {

TEST(CxRadioGroupValues, AnEditValueSelectsTheFirstMatchingItem) {
  // "Да" has no value and is matched by its caption; 1 is given twice.
  const std::vector<TcxRadioGroupItemKey> items = {
      {Null(), u"Да"}, {Variant(1), u"Один"}, {Variant(1), u"Ещё один"}, {Variant(u"x"), u"Икс"}};
  struct Case {
    Variant value;
    int expected;
  };
  const Case cases[] = {
      {Variant(u"Да"), 0},  {Variant(u"да"), -1}, {Variant(1), 1},  {Variant(u"x"), 3},
      {Variant(u"Икс"), -1}, {Variant(7), -1},     {Null(), -1},
  };
  for (const Case& c : cases) EXPECT_EQ(cxRadioGroupItemIndexOf(c.value, items), c.expected) << StringToUtf8(VarToStr(c.value));
  EXPECT_EQ(cxRadioGroupItemIndexOf(Variant(1), {}), -1);
}

}  // namespace
