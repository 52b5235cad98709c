#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/rtl/String.h"

namespace {

std::vector<std::string> trace;

TEST(ModuleInit, RunsByRankAndShutsDownInReverse) {
  trace.clear();
  RegisterModule("test.late", kRankApp + 900, [] { trace.push_back("init late"); },
                 [] { trace.push_back("fini late"); });
  RegisterModule("test.early", kRankApp + 100, [] { trace.push_back("init early"); },
                 [] { trace.push_back("fini early"); });
  RegisterModule("test.early", kRankApp + 1, [] { trace.push_back("duplicate"); }, nullptr);
  InitializeModules();
  EXPECT_TRUE(IsModuleInitialized("test.late"));
  EXPECT_TRUE(IsModuleInitialized("SysUtils"));
  FinalizeModules();
  EXPECT_FALSE(IsModuleInitialized("SysUtils"));
  InitializeModules();  // the rest of the binary's tests expect a started runtime
  const std::vector<std::string> expected = {"init early", "init late", "fini late", "fini early",
                                             "init early", "init late"};
  EXPECT_EQ(trace, expected);
}

TEST(Utf8, RoundTripAndInvalidInput) {
  const std::string text = "Трёхгорный, \xF0\x9F\x98\x80 ok";
  EXPECT_EQ(StringToUtf8(Utf8ToString(text)), text);
  EXPECT_EQ(Utf8ToString("Щ").size(), 1u);
  EXPECT_EQ(Utf8ToString("\xF0\x9F\x98\x80").size(), 2u);  // one surrogate pair
  EXPECT_EQ(Utf8ToString("a\xC0\xAF" "b"), String(u"a\uFFFD\uFFFDb"));  // overlong form refused
  EXPECT_EQ(Utf8ToString("\xE2\x82"), String(u"\uFFFD\uFFFD"));       // truncated sequence
  EXPECT_EQ(StringToUtf8(String(1, u'\xD800')), "\xEF\xBF\xBD");       // lone surrogate
}

TEST(FormatSettings, ListenersHearChangesAndMayRemoveThemselves) {
  int calls = 0;
  int id = 0;
  id = AddFormatSettingsListener([&] {
    ++calls;
    RemoveFormatSettingsListener(id);
  });
  SetLocale("en-US");
  SetLocale("ru-RU");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(FormatSettings().DecimalSeparator, u',');
  EXPECT_THROW(LocaleFormatSettings("xx-XX"), Exception);

  // A listener that goes on using what it holds after removing itself.
  auto counter = std::make_shared<int>(0);
  int self = 0;
  self = AddFormatSettingsListener([counter, &self] {
    RemoveFormatSettingsListener(self);
    ++*counter;
  });
  NotifyFormatSettingsChanged();
  NotifyFormatSettingsChanged();
  EXPECT_EQ(*counter, 1);
}

}  // namespace
