// Date and time as text in the current locale (FormatSettings()): formatting with the framework's
// specifiers and the strict parser driven by the short date format.
#pragma once

#include "platform/rtl/Types.h"

// Specifiers (case-insensitive): c d dd ddd dddd ddddd dddddd m mm mmm mmmm (m after h is minutes)
// yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm / : and 'quoted' or "quoted" text. An empty format
// is "c". The hour is 12-hour when an am/pm specifier follows it.
String FormatDateTime(const String& format, TDateTime value);

// ShortDateFormat / LongTimeFormat / "c" (the time omitted when it is midnight).
String DateToStr(TDateTime value);
String TimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value);

// The text the platform's own date and time pickers show: the default short date, a space and the
// default long time ("dd.MM.yyyy H:mm:ss" in Russian, "M/d/yyyy h:mm:ss AM" in English).
String DateTimeToSystemString(TDateTime value);

// The strict parser. Dates: numbers separated by DateSeparator in the order of ShortDateFormat; a
// missing year is the current year; a two-digit year lands within TwoDigitYearCenturyWindow years
// before the current year. Times: h[:n[:s[<decimal separator>z]]] with an optional AM/PM before or
// after. Errors: EConvertError "'<text>' is not a valid date" (time, date and time).
bool TryStrToDate(const String& text, TDateTime& value);
bool TryStrToTime(const String& text, TDateTime& value);
bool TryStrToDateTime(const String& text, TDateTime& value);
TDateTime StrToDate(const String& text);
TDateTime StrToTime(const String& text);
TDateTime StrToDateTime(const String& text);
TDateTime StrToDateDef(const String& text, TDateTime defaultValue);
