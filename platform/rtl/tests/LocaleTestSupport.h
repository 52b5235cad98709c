// Locale helpers shared by the runtime tests.
#pragma once

#include <string_view>

#include "platform/rtl/FormatSettings.h"

// Switches to a locale for one scope and puts the previous settings back.
class LocaleScope {
 public:
  explicit LocaleScope(std::string_view name) : saved_(FormatSettings()) { SetLocale(name); }
  ~LocaleScope() { SetFormatSettings(saved_); }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;

 private:
  TFormatSettings saved_;
};

inline const TFormatSettings& En() {
  static const TFormatSettings s = LocaleFormatSettings("en-US");
  return s;
}

inline const TFormatSettings& Ru() {
  static const TFormatSettings s = LocaleFormatSettings("ru-RU");
  return s;
}
