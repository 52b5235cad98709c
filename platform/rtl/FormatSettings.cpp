#include "platform/rtl/FormatSettings.h"

#include <map>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace {

TFormatSettings Russian() {
  TFormatSettings s;
  s.LocaleName = u"ru-RU";
  s.CodePage = 1251;
  s.CurrencyFormat = 3;
  s.NegCurrFormat = 8;
  s.ThousandSeparator = u'\u00A0';
  s.DecimalSeparator = u',';
  s.CurrencyDecimals = 2;
  s.DateSeparator = u'.';
  s.TimeSeparator = u':';
  s.ListSeparator = u';';
  s.CurrencyString = u"р.";
  s.ShortDateFormat = u"dd.MM.yyyy";
  s.LongDateFormat = u"d MMMM yyyy 'г.'";
  s.ShortTimeFormat = u"H:mm";
  s.LongTimeFormat = u"H:mm:ss";
  s.ShortMonthNames = {u"янв", u"фев", u"мар", u"апр", u"май", u"июн",
                       u"июл", u"авг", u"сен", u"окт", u"ноя", u"дек"};
  s.LongMonthNames = {u"Январь", u"Февраль", u"Март",     u"Апрель",  u"Май",    u"Июнь",
                      u"Июль",   u"Август",  u"Сентябрь", u"Октябрь", u"Ноябрь", u"Декабрь"};
  s.ShortDayNames = {u"Вс", u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб"};
  s.LongDayNames = {u"воскресенье", u"понедельник", u"вторник", u"среда",
                    u"четверг",     u"пятница",     u"суббота"};
  s.FirstDayOfWeek = 0;
  return s;
}

TFormatSettings English() {
  TFormatSettings s;
  s.LocaleName = u"en-US";
  s.CodePage = 1252;
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.ThousandSeparator = u',';
  s.DecimalSeparator = u'.';
  s.CurrencyDecimals = 2;
  s.DateSeparator = u'/';
  s.TimeSeparator = u':';
  s.ListSeparator = u',';
  s.CurrencyString = u"$";
  s.ShortDateFormat = u"M/d/yyyy";
  s.LongDateFormat = u"dddd, MMMM dd, yyyy";
  s.TimeAMString = u"AM";
  s.TimePMString = u"PM";
  s.ShortTimeFormat = u"h:mm AMPM";
  s.LongTimeFormat = u"h:mm:ss AMPM";
  s.ShortMonthNames = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                       u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  s.LongMonthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                      u"July",    u"August",   u"September", u"October", u"November", u"December"};
  s.ShortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  s.LongDayNames = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  s.FirstDayOfWeek = 6;
  return s;
}

struct Listeners {
  int nextId = 1;
  std::map<int, FormatSettingsListener> byId;
};

Listeners& TheListeners() {
  static Listeners listeners;
  return listeners;
}

}  // namespace

TFormatSettings LocaleFormatSettings(std::string_view localeName) {
  if (localeName == "ru-RU" || localeName == "ru") return Russian();
  if (localeName == "en-US" || localeName == "en") return English();
  throw EConvertError("Unknown locale: " + std::string(localeName));
}

TFormatSettings& FormatSettings() {
  static TFormatSettings current = Russian();
  return current;
}

void SetFormatSettings(const TFormatSettings& settings) {
  FormatSettings() = settings;
  NotifyFormatSettingsChanged();
}

int AddFormatSettingsListener(FormatSettingsListener listener) {
  auto& l = TheListeners();
  const int id = l.nextId++;
  l.byId.emplace(id, std::move(listener));
  return id;
}

void RemoveFormatSettingsListener(int id) { TheListeners().byId.erase(id); }

void NotifyFormatSettingsChanged() {
  // A listener may remove itself or others while being called: iterate over a snapshot of ids,
  // and call a copy, which outlives the removal of its original.
  std::vector<int> ids;
  for (const auto& [id, _] : TheListeners().byId) ids.push_back(id);
  for (int id : ids) {
    auto& byId = TheListeners().byId;
    auto it = byId.find(id);
    if (it == byId.end()) continue;
    const FormatSettingsListener listener = it->second;
    listener();
  }
}

String CurrencyFormatPicture(const TFormatSettings& settings) {
  String number = u",0.";
  number.append(settings.CurrencyDecimals, u'0');
  String symbol;
  for (Char c : settings.CurrencyString) {
    if (c == u',' || c == u'.') {
      symbol += u'\'';
      symbol += c;
      symbol += u'\'';
    } else {
      symbol += c;
    }
  }
  if (symbol.empty()) return number;
  switch (settings.CurrencyFormat) {
    case 0: return symbol + number;
    case 1: return number + symbol;
    case 2: return symbol + u' ' + number;
    case 3: return number + u' ' + symbol;
    default: return number;
  }
}
