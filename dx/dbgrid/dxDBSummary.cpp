#include "dx/dbgrid/dxDBSummary.h"

#include "platform/rtl/DateFormat.h"
#include "platform/rtl/NumberText.h"

namespace {

struct TBuiltInFormat {
  const char16_t* Number[2];
  const char16_t* DatePrefix[2];
};

const TBuiltInFormat& BuiltIn(TdxSummaryType Type) {
  static const TBuiltInFormat kFormats[] = {
      {{u"", u""}, {u"", u""}},
      {{u"(SUM=0.00);(SUM=-0.00)", u"0.00;-0.00"}, {u"(SUM=", u""}},
      {{u"(MIN=0.00);(MIN=-0.00)", u"MIN=0.00;MIN=-0.00"}, {u"(MIN=", u"MIN="}},
      {{u"(MAX=0.00);(MAX=-0.00)", u"MAX=0.00;MAX=-0.00"}, {u"(MAX=", u"MAX="}},
      {{u"(COUNT=0)", u"0"}, {u"", u""}},
      {{u"(AVG=0.00);(AVG=-0.00)", u"AVG=0.00;AVG=-0.00"}, {u"(AVG=", u"AVG="}},
  };
  return kFormats[static_cast<int>(Type)];
}

bool IsDateType(TFieldType T) { return T == ftDate || T == ftTime || T == ftDateTime; }

String DateText(TFieldType DataType, double Value) {
  if (DataType == ftDate) return DateToStr(Value);
  if (DataType == ftTime) return TimeToStr(Value);
  return DateTimeToStr(Value);
}

}  // namespace

void CombineSummary(TdxSummaryType Kind, long double V, long double& Value, bool& HasValue) {
  if (!HasValue) {
    Value = V;
    HasValue = true;
    return;
  }
  switch (Kind) {
    case cstSum:
    case cstAvg:
      Value += V;
      break;
    case cstMin:
      if (V < Value) Value = V;
      break;
    case cstMax:
      if (V > Value) Value = V;
      break;
    default:
      break;
  }
}

String FormatSummaryValue(TdxSummaryType SummaryType, const String& Format, TFieldType DataType, double Value,
                          int Style) {
  if (SummaryType == cstNone) return String();
  const int style = Style == kSummaryStyleGroup ? 0 : 1;
  const TBuiltInFormat& builtIn = BuiltIn(SummaryType);
  if (SummaryType == cstCount || !IsDateType(DataType))
    return FormatFloat(Format.empty() ? String(builtIn.Number[style]) : Format, Value);
  if (!Format.empty()) return Format + DateText(DataType, Value);
  return String(builtIn.DatePrefix[style]) + DateText(DataType, Value) + (style == 0 ? u")" : u"");
}
