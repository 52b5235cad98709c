// The locale's format settings, read by every formatting and parsing routine at each call. The
// program runs with the Russian settings; tests choose the locale they need.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "platform/rtl/Types.h"

struct TFormatSettings {
  String LocaleName;        // "ru-RU", "en-US"
  Word CodePage = 1252;     // the 8-bit code page of AnsiString text
  Byte CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 0;
  Char ThousandSeparator = u',';
  Char DecimalSeparator = u'.';
  Byte CurrencyDecimals = 2;
  Char DateSeparator = u'/';
  Char TimeSeparator = u':';
  Char ListSeparator = u',';
  String CurrencyString;
  String ShortDateFormat;
  String LongDateFormat;
  String TimeAMString;
  String TimePMString;
  String ShortTimeFormat;
  String LongTimeFormat;
  std::array<String, 12> ShortMonthNames;
  std::array<String, 12> LongMonthNames;
  std::array<String, 7> ShortDayNames;  // [0] is Sunday
  std::array<String, 7> LongDayNames;   // [0] is Sunday
  Word TwoDigitYearCenturyWindow = 50;
  Byte FirstDayOfWeek = 0;  // the locale's numbering: 0 Monday .. 6 Sunday
};

// The settings of a named locale ("ru-RU" or "en-US"); an unknown name raises EConvertError.
TFormatSettings LocaleFormatSettings(std::string_view localeName);

// The FormatFloat picture of a positive amount in the settings' currency format: grouped digits
// with CurrencyDecimals decimals and the currency symbol (its '.' and ',' quoted) placed as
// CurrencyFormat says.
String CurrencyFormatPicture(const TFormatSettings& settings);

// The current settings, as the framework's global format variables.
TFormatSettings& FormatSettings();

// Replaces the current settings and notifies the listeners, as a settings change does.
void SetFormatSettings(const TFormatSettings& settings);
inline void SetLocale(std::string_view localeName) { SetFormatSettings(LocaleFormatSettings(localeName)); }

// Listeners re-read the settings when they change (editors rebuild their formats).
using FormatSettingsListener = std::function<void()>;
int AddFormatSettingsListener(FormatSettingsListener listener);
void RemoveFormatSettingsListener(int id);
// Tells the listeners that the settings changed (also used after editing FormatSettings() in place).
void NotifyFormatSettingsChanged();
