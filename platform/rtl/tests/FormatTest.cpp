#include <gtest/gtest.h>

#include "LocaleTestSupport.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/String.h"

namespace {

TEST(FormatTest, Directives) {
  const String name = u"Иванов";
  struct Case {
    const char16_t* format;
    std::initializer_list<TVarRec> args;
    const char16_t* expected;
  };
  // The cases are run one by one: the argument lists refer to temporaries of this scope only.
  const auto check = [](const char16_t* format, std::initializer_list<TVarRec> args,
                        const char16_t* expected) {
    EXPECT_EQ(Format(format, args, En()), expected) << StringToUtf8(format);
  };
  check(u"%d", {42}, u"42");
  check(u"%d", {Int64{-9000000000}}, u"-9000000000");
  check(u"%5d|%-5d|", {42, 42}, u"   42|42   |");
  check(u"%.4d", {-12}, u"-0012");
  check(u"%u", {-1}, u"4294967295");
  check(u"%x", {255}, u"FF");
  check(u"%.4x", {255}, u"00FF");
  check(u"%x", {-1}, u"FFFFFFFF");
  check(u"%x", {Int64{-1}}, u"FFFFFFFFFFFFFFFF");
  check(u"%s, %s!", {u"Hello", name}, u"Hello, Иванов!");
  check(u"%s", {"utf-8 текст"}, u"utf-8 текст");
  check(u"%s%s", {u'ж', Char(u'!')}, u"ж!");
  check(u"%.3s|%8s|%-8s|", {name, u"ab", u"ab"}, u"Ива|      ab|ab      |");
  check(u"%*d|%-*.*d", {4, 7, 5, 3, 7}, u"   7|007  ");
  check(u"%1:s %0:s %s", {u"a", u"b", u"c"}, u"b a b");
  check(u"%f", {1.0}, u"1.00");
  check(u"%.3f", {2.0 / 3}, u"0.667");
  check(u"%.0f", {2.5}, u"3");
  check(u"%e", {1.0}, u"1.00000000000000E+000");
  check(u"%.3e", {-12345.678}, u"-1.23E+004");
  check(u"%g", {0.1 + 0.2}, u"0.3");
  check(u"%g", {1e20}, u"1E20");
  check(u"%n", {1234567.891}, u"1,234,567.89");
  check(u"%.1n", {1234567.25}, u"1,234,567.3");
  check(u"%m", {-1234.5}, u"($1,234.50)");
  check(u"%m", {Currency(0.1) + Currency(0.2)}, u"$0.30");
  check(u"%f", {Currency::FromScaled(-5)}, u"0.00");
  check(u"%p", {static_cast<const void*>(nullptr)}, u"0000000000000000");
  check(u"100%% %D %S", {1, u"x"}, u"100% 1 x");
  check(u"no directives", {}, u"no directives");

  EXPECT_EQ(Format(u"%m|%n|%f", {1234.5, 1234.5, 1234.5}, Ru()), u"1\u00A0234,50 р.|1\u00A0234,50|1234,50");
  const TFormatSettings saved = FormatSettings();
  SetLocale("ru-RU");
  EXPECT_EQ(Format(u"%.1f", {0.25}), u"0,3");
  SetFormatSettings(saved);
}

TEST(FormatTest, MismatchesRaiseTheFrameworkError) {
  struct Case {
    const char16_t* format;
    std::initializer_list<TVarRec> args;
  };
  const auto expectError = [](const String& format, std::initializer_list<TVarRec> args) {
    try {
      Format(format, args, En());
      ADD_FAILURE() << "no exception for " << StringToUtf8(format);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Format '" + format + u"' invalid or incompatible with argument");
    }
  };
  expectError(u"%d", {1.5});   // float for an integer
  expectError(u"%d", {u"1"});  // string for an integer
  expectError(u"%d", {u'1'});  // char for an integer
  expectError(u"%f", {1});     // integer for a float
  expectError(u"%s", {1});     // integer for a string
  expectError(u"%x", {Currency(1)});
  expectError(u"%p", {1});
  expectError(u"%d %d", {1});    // missing argument
  expectError(u"%2:d", {1, 2});  // index past the end
  expectError(u"%", {1});        // unfinished directive
  expectError(u"%5", {1});
  expectError(u"%.d", {1});
  expectError(u"%k", {1});         // unknown type
  expectError(u"%*d", {u"x", 1});  // '*' needs an Integer
  expectError(u"%99999999d", {1});
  expectError(u"%*d", {99999999, 1});  // a width from an argument has the same bound
  expectError(u"%.*d", {-1, 1});
}

}  // namespace
