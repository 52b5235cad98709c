#include <gtest/gtest.h>

#include "cx/editors/cxFormats.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include "platform/win/MessageIds.h"

namespace {

class CountingListener : public IcxFormatControllerListener {
 public:
  void FormatChanged() override {
    ++count;
    if (onChanged) onChanged();
  }
  int count = 0;
  std::function<void()> onChanged;
};

class FormatControllerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetLocale("ru-RU");
    GetFormatController()->Refresh();
  }
  static LRESULT SettingChange(TcxFormatController& controller, const char16_t* section) {
    return controller.WndProc(WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section));
  }
};

TEST_F(FormatControllerTest, DerivesFormatsFromRussianSettings) {
  SetLocale("ru-RU");
  TcxFormatController controller;
  EXPECT_EQ(controller.CurrencyDisplayFormat(), u",0.00 р'.';-,0.00 р'.'");
  EXPECT_EQ(controller.DateEditFormat(), u"dd.MM.yyyy");
  EXPECT_EQ(controller.DateDisplayFormat(), u"dd.MM.yyyy");
  EXPECT_EQ(controller.StandardDateEditMask(), u"!99.99.9999;1; ");
  EXPECT_EQ(controller.FirstWeekDay(), 1);  // Monday
  EXPECT_EQ(
      controller.RegExprDateEditMask(),
      u"(([012]?[1-9]|[123]0|31)'.'((0?[1-9]|1[012])|(янв|фев|мар|апр|май|июн|июл|авг|сен|окт|ноя|дек))"
      u"'.'\\d\\d\\d\\d)|((today|yesterday|tomorrow|Sunday|Monday|Tuesday|Wednesday|Thursday|Friday|"
      u"Saturday|first|second|third|fourth|fifth|sixth|seventh|bom|eom|now)((\\+|-)\\d(\\d(\\d(\\d?)?)?)?))");
  EXPECT_FALSE(controller.UsePlatformDateFormats());
}

TEST_F(FormatControllerTest, DerivesFormatsFromEnglishSettings) {
  SetLocale("en-US");
  TcxFormatController controller;
  EXPECT_EQ(controller.CurrencyDisplayFormat(), u"$,0.00;-$,0.00");
  EXPECT_EQ(controller.DateEditFormat(), u"MM/dd/yyyy");
  EXPECT_EQ(controller.DateDisplayFormat(), u"MM/dd/yyyy");
  EXPECT_EQ(controller.StandardDateEditMask(), u"!99/99/9999;1; ");
  EXPECT_EQ(controller.FirstWeekDay(), 0);  // Sunday
  const String mask = controller.RegExprDateEditMask();
  EXPECT_EQ(mask.substr(0, mask.find(u")|((today")),
            u"(((0?[1-9]|1[012])|(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec))'/'"
            u"([012]?[1-9]|[123]0|31)'/'\\d\\d\\d\\d");
}

struct DateFormatCase {
  const char16_t* shortDateFormat;
  const char16_t* editFormat;
  const char16_t* displayFormat;
  const char16_t* standardMask;
};

TEST_F(FormatControllerTest, DateFormatsAndMasksFollowTheShortDateFormat) {
  const DateFormatCase cases[] = {
      {u"d.M.yyyy", u"dd.MM.yyyy", u"dd.MM.yyyy", u"!99.99.9999;1; "},
      {u"dd-MMMM-yyyy", u"dd-MMMM-yyyy", u"dd-MMM-yyyy", u"!99-lll-9999;1; "},
      {u"d/M/yy", u"dd/MM/yy", u"dd/MM/yy", u"!99/99/99;1; "},
      {u"yyyy-MMM-ddd", u"yyyy-MMM-ddd", u"yyyy-MMM-ddd", u"!9999-lll-lll;1; "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.shortDateFormat));
    TFormatSettings settings = LocaleFormatSettings("ru-RU");
    settings.ShortDateFormat = c.shortDateFormat;
    SetFormatSettings(settings);
    TcxFormatController controller;
    EXPECT_EQ(controller.DateEditFormat(), c.editFormat);
    EXPECT_EQ(controller.DateDisplayFormat(), c.displayFormat);
    EXPECT_EQ(controller.StandardDateEditMask(), c.standardMask);
  }
}

struct CurrencyCase {
  const char16_t* symbol;
  Byte format;
  Byte decimals;
  const char16_t* expected;
};

TEST_F(FormatControllerTest, CurrencyFormatPlacesAndQuotesTheSymbol) {
  const CurrencyCase cases[] = {
      {u"$", 0, 2, u"$,0.00;-$,0.00"},       {u"$", 1, 2, u",0.00$;-,0.00$"},
      {u"$", 2, 1, u"$ ,0.0;-$ ,0.0"},       {u"р.", 3, 2, u",0.00 р'.';-,0.00 р'.'"},
      {u"a,b", 1, 0, u",0.a','b;-,0.a','b"}, {u"", 3, 2, u",0.00;-,0.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.symbol));
    TFormatSettings settings = LocaleFormatSettings("en-US");
    settings.CurrencyString = c.symbol;
    settings.CurrencyFormat = c.format;
    settings.CurrencyDecimals = c.decimals;
    SetFormatSettings(settings);
    TcxFormatController controller;
    EXPECT_EQ(controller.CurrencyDisplayFormat(), c.expected);
  }
}

TEST_F(FormatControllerTest, ListenersAreToldOfARegionalSettingsChange) {
  SetLocale("ru-RU");
  TcxFormatController* controller = GetFormatController();
  controller->Refresh();
  CountingListener listener;
  controller->AddListener(&listener);
  SetLocale("en-US");
  EXPECT_EQ(listener.count, 1);
  EXPECT_EQ(controller->DateEditFormat(), u"MM/dd/yyyy");
  EXPECT_EQ(controller->FirstWeekDay(), 0);
  SetLocale("ru-RU");
  EXPECT_EQ(listener.count, 2);
  EXPECT_EQ(controller->DateEditFormat(), u"dd.MM.yyyy");
  controller->RemoveListener(&listener);
  SetLocale("en-US");
  EXPECT_EQ(listener.count, 2);
}

TEST_F(FormatControllerTest, OnlyTheIntlSectionCounts) {
  SetLocale("ru-RU");
  TcxFormatController controller;
  CountingListener listener;
  controller.AddListener(&listener);
  FormatSettings().ShortDateFormat = u"d/M/yyyy";  // changed without the notification
  EXPECT_EQ(SettingChange(controller, u"windows"), 0);
  EXPECT_EQ(listener.count, 0);
  EXPECT_EQ(controller.DateEditFormat(), u"dd.MM.yyyy");
  EXPECT_EQ(controller.WndProc(WM_WININICHANGE, 1, reinterpret_cast<LPARAM>(u"intl")), 0);
  EXPECT_EQ(listener.count, 0);
  SettingChange(controller, u"intl");
  EXPECT_EQ(listener.count, 1);
  EXPECT_EQ(controller.DateEditFormat(), u"dd/MM/yyyy");
  controller.RemoveListener(&listener);
}

TEST_F(FormatControllerTest, TheWindowExistsWhileThereAreListeners) {
  TcxFormatController controller;
  CountingListener first, second;
  EXPECT_EQ(controller.Window(), 0);
  controller.AddListener(&first);
  const int window = controller.Window();
  EXPECT_NE(window, 0);
  controller.AddListener(&first);  // already registered: nothing
  controller.AddListener(&second);
  EXPECT_EQ(controller.Window(), window);
  controller.RemoveListener(&first);
  EXPECT_EQ(controller.Window(), window);
  controller.RemoveListener(&second);
  EXPECT_EQ(controller.Window(), 0);
  controller.RemoveListener(&second);  // not registered: nothing
  controller.AddListener(&first);
  EXPECT_NE(controller.Window(), 0);
  EXPECT_NE(controller.Window(), window);
  SettingChange(controller, u"intl");
  EXPECT_EQ(first.count, 1);  // registered once, told once
  controller.RemoveListener(&first);
}

TEST_F(FormatControllerTest, AListenerMayUnregisterAnotherWhileBeingTold) {
  TcxFormatController controller;
  CountingListener first, second;
  first.onChanged = [&] { controller.RemoveListener(&second); };
  controller.AddListener(&first);
  controller.AddListener(&second);
  controller.NotifyListeners();
  EXPECT_EQ(first.count, 1);
  EXPECT_EQ(second.count, 0);
  controller.RemoveListener(&first);
}

TEST_F(FormatControllerTest, TheGlobalControllerIsCreatedOnce) {
  TcxFormatController* global = GetFormatController();
  EXPECT_EQ(GetFormatController(), global);
  TcxFormatController another;
  EXPECT_EQ(GetFormatController(), global);
}

}  // namespace

TEST(CxFormatControllerUpdateFlag, SettingsChangesAreIgnoredWhileTheApplicationKeepsItsFormats) {
  struct Listener : IcxFormatControllerListener {
    int changes = 0;
    void FormatChanged() override { ++changes; }
  } listener;
  TcxFormatController* controller = GetFormatController();
  controller->AddListener(&listener);
  static const char16_t kIntl[] = u"intl";
  const bool wasOn = Application->UpdateFormatSettings();
  Application->SetUpdateFormatSettings(false);
  controller->WndProc(WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(kIntl));
  EXPECT_EQ(listener.changes, 0);
  Application->SetUpdateFormatSettings(true);
  controller->WndProc(WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(kIntl));
  EXPECT_EQ(listener.changes, 1);
  Application->SetUpdateFormatSettings(wasOn);
  controller->RemoveListener(&listener);
}
