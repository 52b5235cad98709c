#include <gtest/gtest.h>

#include <string>

#include "LocaleTestSupport.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include "platform/rtl/VarDate.h"

namespace {

class VarDateTest : public testing::Test {
 protected:
  // Today is 2025-03-05.
  VirtualClockScope clock_{EncodeDateTime(2025, 3, 5, 10, 0, 0, 0)};
};

struct Accepted {
  const char* locale;
  const char* text;
  Word y, m, d, h, n, s;  // y == 0: a time alone
};

TEST_F(VarDateTest, Accepted) {
  const Accepted cases[] = {
      {"ru-RU", "05.03.2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "5-3-2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "5/3/2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "05 03 2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "  05.03.2025  ", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "5.3.25", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "5.3.80", 1980, 3, 5, 0, 0, 0},
      {"ru-RU", "05.03", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "03.2024", 2024, 3, 1, 0, 0, 0},
      {"ru-RU", "2025-03-05", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "05.13.2025", 2025, 5, 13, 0, 0, 0},  // impossible as day.month: month.day
      {"ru-RU", "5 марта 2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "5 МАРТА 2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "5 Март 2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "5 мар. 2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "5 March 2025", 2025, 3, 5, 0, 0, 0},
      {"ru-RU", "1 января", 2025, 1, 1, 0, 0, 0},
      {"ru-RU", "сентябрь 2024", 2024, 9, 1, 0, 0, 0},
      {"ru-RU", "05.03.2025 14:07", 2025, 3, 5, 14, 7, 0},
      {"ru-RU", "05.03.2025 14:07:09", 2025, 3, 5, 14, 7, 9},
      {"ru-RU", "05.03.2025 2:07 PM", 2025, 3, 5, 14, 7, 0},
      {"ru-RU", "29.12.1899 06:00", 1899, 12, 29, 6, 0, 0},
      {"ru-RU", "14:07", 0, 0, 0, 14, 7, 0},
      {"ru-RU", "14:07:09", 0, 0, 0, 14, 7, 9},
      {"en-US", "3/5/2025", 2025, 3, 5, 0, 0, 0},
      {"en-US", "13/5/2025", 2025, 5, 13, 0, 0, 0},
      {"en-US", "March 5, 2025", 2025, 3, 5, 0, 0, 0},
      {"en-US", "mar 5 2025", 2025, 3, 5, 0, 0, 0},
      {"en-US", "5-Mar-2025", 2025, 3, 5, 0, 0, 0},
      {"en-US", "2025 March 5", 2025, 3, 5, 0, 0, 0},
      {"en-US", "March 12", 2025, 3, 12, 0, 0, 0},
      {"en-US", "2025-03-05 14:07:09", 2025, 3, 5, 14, 7, 9},
      {"en-US", "3/5/2025 2:07 PM", 2025, 3, 5, 14, 7, 0},
      {"en-US", "3/5/2025 12:15:30 AM", 2025, 3, 5, 0, 15, 30},
      {"en-US", "2:07:09 pm", 0, 0, 0, 14, 7, 9},
      {"en-US", "5 PM", 0, 0, 0, 17, 0, 0},
  };
  for (const Accepted& c : cases) {
    LocaleScope scope(c.locale);
    TDateTime v = -7;
    ASSERT_TRUE(TryVarDateFromStr(S(c.text), v)) << c.locale << " '" << c.text << "'";
    const TDateTime expected =
        c.y == 0 ? EncodeTime(c.h, c.n, c.s, 0) : EncodeDateTime(c.y, c.m, c.d, c.h, c.n, c.s, 0);
    EXPECT_EQ(v, expected) << c.locale << " '" << c.text << "'";
    EXPECT_EQ(VarDateFromStr(S(c.text)), expected);
  }
}

TEST_F(VarDateTest, Refused) {
  struct Case {
    const char* locale;
    const char* text;
  };
  const Case cases[] = {
      {"ru-RU", ""},
      {"ru-RU", "   "},
      {"ru-RU", "abc"},
      {"ru-RU", "5"},
      {"ru-RU", "12345"},
      {"ru-RU", "32.01.2025"},
      {"ru-RU", "29.02.2023"},
      {"ru-RU", "13.13.2025"},
      {"ru-RU", "1.2.3.4"},
      {"ru-RU", "05..03.2025"},
      {"ru-RU", ".05.03.2025"},
      {"ru-RU", "5 foo 2025"},
      {"ru-RU", "5 марта апреля 2025"},
      {"ru-RU", "05.03.20255"},
      {"ru-RU", "05.03.2025 25:00"},
      {"ru-RU", "14:60"},
      {"ru-RU", "14:07:09:01"},
      {"ru-RU", "05.03.2025 14:07 xyz"},
      {"ru-RU", "05.03.2025 14"},
      {"ru-RU", "05.03.202514:07"},
      {"ru-RU", "2025-03-05T14:07"},
      {"ru-RU", "5 # 3 2025"},
      {"en-US", "13:00 PM"},
      {"en-US", "0:30 AM"},
      {"en-US", "5 марта 2025"},  // the genitive belongs to Russian
      {"en-US", "Marc 5 2025"},
  };
  for (const Case& c : cases) {
    LocaleScope scope(c.locale);
    TDateTime v = -7;
    EXPECT_FALSE(TryVarDateFromStr(S(c.text), v)) << c.locale << " '" << c.text << "'";
    EXPECT_EQ(v, -7);
  }
}

TEST_F(VarDateTest, RaisesVariantError) {
  LocaleScope scope("ru-RU");
  try {
    VarDateFromStr(u"завтра");
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), u"Could not convert variant of type (String) into type (Date)");
  }
}

// Whatever the locale's own formats print converts back.
TEST_F(VarDateTest, AcceptsTheLocalesOwnTexts) {
  for (const char* locale : {"ru-RU", "en-US"}) {
    LocaleScope scope(locale);
    for (TDateTime v : {EncodeDateTime(2025, 3, 5, 14, 7, 9, 0), EncodeDate(1999, 12, 31),
                        EncodeDateTime(2024, 2, 29, 0, 0, 1, 0), EncodeDateTime(1850, 6, 1, 18, 30, 0, 0)}) {
      EXPECT_EQ(VarDateFromStr(DateTimeToStr(v)), v) << locale << " " << StringToUtf8(DateTimeToStr(v));
      EXPECT_EQ(VarDateFromStr(FormatDateTime(u"d mmmm yyyy hh:nn:ss", v)), v) << locale;
      EXPECT_EQ(VarDateFromStr(FormatDateTime(u"yyyy-mm-dd hh:nn:ss", v)), v) << locale;
    }
  }
}

}  // namespace
