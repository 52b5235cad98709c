#include <gtest/gtest.h>

#include "platform/rtl/String.h"
#include "platform/rtl/Utf8Text.h"

namespace {

// Decoded into a buffer that held a longer text before, so a stale tail would show.
TEST(Utf8Text, DecodesIntoAReusedBuffer) {
  struct Case {
    std::string_view utf8;
    std::u16string_view text;
  };
  const Case cases[] = {
      {"", u""},
      {"Smith", u"Smith"},
      {"Петров", u"Петров"},
      {"\xe2\x82\xac 5", u"\u20ac 5"},
      {"\xf0\x9f\x98\x80", u"\U0001F600"},
      {"a\xff" "b", u"a\uFFFDb"},
      {"\xd0", u"\uFFFD"},                      // cut short at the end
      {"\xc0\xaf", u"\uFFFD\uFFFD"},            // overlong
      {"\xed\xa0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
  };
  for (const Case& c : cases) {
    String out = u"a text longer than any of the cases";
    AssignUtf8(out, c.utf8);
    EXPECT_EQ(out, c.text) << c.utf8;
    EXPECT_EQ(Utf8ToString(c.utf8), c.text) << c.utf8;
  }
}

}  // namespace
