// A hint's short part (the hint window's) and long part (the status line's).
#include <gtest/gtest.h>

#include "platform/forms/Forms.h"

TEST(HintText, ShortAndLongParts) {
  struct {
    const char16_t* hint;
    const char16_t* shortPart;
    const char16_t* longPart;
  } cases[] = {
      {u"Open|Open a workbook", u"Open", u"Open a workbook"},
      {u"Only one part", u"Only one part", u"Only one part"},
      {u"|Long only", u"", u"Long only"},
      {u"Short|", u"Short", u""},
      {u"a|b|c", u"a", u"b|c"},
      {u"", u"", u""},
  };
  for (auto& c : cases) {
    EXPECT_EQ(GetShortHint(c.hint), c.shortPart) << String(c.hint).size();
    EXPECT_EQ(GetLongHint(c.hint), c.longPart) << String(c.hint).size();
  }
}
