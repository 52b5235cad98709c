#include "dx/editors/dxDateRoutines.h"

#include "dx/editors/dxEditorRoutines.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/VarDate.h"

namespace {

TdxDateTextHook& Hook() {
  static TdxDateTextHook hook;
  return hook;
}

enum TKeyword { kToday, kYesterday, kTomorrow, kSunday = 3, kSaturday = 9, kFirst = 10, kSeventh = 16, kBom, kEom, kNow };

TDateTime KeywordDate(int Index) {
  const TDateTime today = Date();
  const int dow = DayOfWeek(today);  // 1 = Sunday
  if (Index >= kSunday && Index <= kSaturday) {
    const int d = (Index - 2) - dow;
    return today + (d >= 0 ? d : 7 + d);
  }
  if (Index >= kFirst && Index <= kSeventh) return today - dow + (Index - 9);
  Word y, m, d;
  DecodeDate(today, y, m, d);
  switch (Index) {
    case kYesterday: return today - 1;
    case kTomorrow: return today + 1;
    case kBom: return EncodeDate(y, m, 1);
    case kEom: return EncodeDate(y, m, DaysInAMonth(y, m));
    case kNow: return Now();
    default: return today;
  }
}

bool IsDateLetter(Char C) { return C == u'd' || C == u'M' || C == u'y'; }

}  // namespace

void SetDateTextHook(TdxDateTextHook Hook_) { Hook() = std::move(Hook_); }

String GetDateEditMask() {
  const String& format = FormatSettings().ShortDateFormat;
  String mask = u"!";
  for (size_t i = 0; i < format.size();) {
    const Char c = format[i];
    if (!IsDateLetter(c)) {
      mask += c;
      ++i;
      continue;
    }
    size_t run = 0;
    while (i + run < format.size() && format[i + run] == c) ++run;
    mask += run <= 2 ? u"99" : c == u'y' ? u"9999" : u"lll";
    i += run;
  }
  return mask + u";1; ";
}

String GetDateEditFormat() {
  const String& format = FormatSettings().ShortDateFormat;
  String result;
  for (size_t i = 0; i < format.size(); ++i) {
    const Char c = format[i];
    const bool lone = (c == u'd' || c == u'M') && (i == 0 || format[i - 1] != c) &&
                      (i + 1 >= format.size() || format[i + 1] != c);
    result += c;
    if (lone) result += c;
  }
  const size_t start = result.find(u'M');
  if (start != String::npos) {
    size_t run = 0;
    while (start + run < result.size() && result[start + run] == u'M') ++run;
    if (run > 3) result.erase(start + 3, run - 3);
  }
  return result;
}

bool ParseDateKeyword(const String& Text, TDateTime& Date) {
  const auto& keywords = DateKeywords();
  for (size_t k = 0; k < keywords.size(); ++k) {
    const String& keyword = keywords[k];
    if (keyword.empty() || Text.size() < keyword.size() || !AnsiSameText(Text.substr(0, keyword.size()), keyword))
      continue;
    Date = KeywordDate(static_cast<int>(k));
    const String rest = Trim(Text.substr(keyword.size()));
    if (rest.size() >= 2 && (rest[0] == u'+' || rest[0] == u'-')) {
      Int64 days = 0;
      if (TryStrToInt64(Trim(rest.substr(1)), days)) Date += rest[0] == u'+' ? days : -days;
    }
    return true;
  }
  return Hook() ? Hook()(Text, Date) : false;
}

bool ParseDateText(const String& Text, TDateTime& Date) {
  String text = Trim(Text);
  if (text.empty()) return false;
  if (FormatSettings().DateSeparator == u'.') {
    int replaced = 0;
    for (Char& c : text)
      if (c == u'.' && replaced < 2) {
        c = u' ';
        ++replaced;
      }
  }
  if (ParseDateKeyword(text, Date)) return true;
  TDateTime value = 0;
  if (!TryVarDateFromStr(text, value)) return false;
  Date = value;
  return true;
}

String DateToLocaleText(TDateTime Date) {
  if (Date == dxNullDate) return {};
  String text = FormatDateTime(FormatSettings().ShortDateFormat, Date);
  if (GetTimePart(Date) != 0) text += u" " + TimeToStr(Date);
  return text;
}

String DateToEditText(bool HasMask, TDateTime Date) {
  if (Date == dxNullDate) return {};
  return HasMask ? FormatDateTime(GetDateEditFormat(), Date) : DateToLocaleText(Date);
}
