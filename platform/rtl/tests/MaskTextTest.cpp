// Values shown through edit masks: literals put in or kept, blanks for what is missing, case
// changes, escapes and the locale's separators.
#include <gtest/gtest.h>

#include "platform/rtl/MaskText.h"
#include "platform/rtl/String.h"
#include "platform/rtl/tests/LocaleTestSupport.h"

TEST(MaskText, ValuesThroughMasks) {
  LocaleScope ru("ru-RU");
  struct {
    const char* mask;
    const char* value;
    const char* shown;
  } cases[] = {
      {"!\\(999\\)000-0000;0;_", "5551234567", "(555)123-4567"},  // literals put in
      {"!\\(999\\)000-0000;1;_", "(555)123-4567", "(555)123-4567"},  // literals kept in the value
      {"!\\(999\\)000-0000;0;_", "55512", "(555)12_-____"},        // missing: blanks
      {"000-000;0;*", "12", "12*-***"},                             // another blank character
      {">LL<ll;0;_", "abCD", "ABcd"},                               // case changes
      {">L<>l;0;_", "ab", "Ab"},
      {"99/99/9999;0; ", "05032024", "05.03.2024"},                 // the locale's date separator
      {"00:00;1;_", "12:30", "12:30"},
      {"aaa", "ab", "ab_"},                                         // one section: literals saved, '_'
      {"", "anything", ""},
  };
  for (auto& c : cases)
    EXPECT_EQ(FormatMaskText(Utf8ToString(c.mask), Utf8ToString(c.value)), Utf8ToString(c.shown)) << c.mask;
}
