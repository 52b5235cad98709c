// The filter operators: evaluation, display and expression texts, value formatting, date ranges.
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxDataUtils.h"
#include "cx/data/cxFilter.h"
#include "cx/data/cxLike.h"
#include "cx/data/cxVariants.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxFilterOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterEqualOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNotEqualOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterLessOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterLessEqualOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterGreaterOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterGreaterEqualOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterLikeOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNotLikeOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterBetweenOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNotBetweenOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterInListOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNotInListOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNullOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNotNullOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterDateOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterYesterdayOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterTodayOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterTomorrowOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterLastWeekOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterLastMonthOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterLastYearOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterThisWeekOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterThisMonthOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterThisYearOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNextWeekOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNextMonthOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterNextYearOperator)

namespace {

String Res(int id) { return cxGetFilterResourceString(id); }

String LikeText(const Variant& v) { return VarIsNull(v) ? String() : v.AsString(); }

bool LikeEvaluate(TcxFilterLikeOperator* op, const Variant& AValue, const Variant& ACondition) {
  TcxFilterCriteria* criteria = op->Criteria();
  Char many = criteria ? criteria->PercentWildcard() : u'%';
  Char one = criteria ? criteria->UnderscoreWildcard() : u'_';
  const String& pattern = op->PatternText(ACondition);
  // A wide text is matched where it lies, without a copy for each record.
  if (AValue.Type() == varOleStr) return cxLikeMatch(VarOleStrView(AValue), pattern, many, one);
  // 8-bit text decodes one to one into UTF-16, so matching the decoded text gives the answers of a
  // byte match, and wide strings keep characters the code page lacks.
  return cxLikeMatch(LikeText(AValue), pattern, many, one);
}

// The variant order of cxVariantCompare, taken directly for two values of one plain kind (the
// usual case of a column against its condition): dates, doubles and integers by value.
int CompareConditionValues(const Variant& A, const Variant& B) {
  if (A.Type() == B.Type()) {
    switch (A.Type()) {
      case varDate:
      case varDouble: {
        const double a = A.AsDouble(), b = B.AsDouble();
        return a == b ? 0 : (a < b ? -1 : 1);
      }
      case varInteger:
      case varInt64: {
        const Int64 a = A.AsInt64(), b = B.AsInt64();
        return a == b ? 0 : (a < b ? -1 : 1);
      }
      default:
        break;
    }
  }
  return cxVariantCompare(A, B);
}

// The same variant holding the same characters: the pattern made from it still holds.
bool IsSameText(const Variant& A, const Variant& B) {
  if (A.Type() != varOleStr || B.Type() != varOleStr) return false;
  const std::u16string_view a = VarOleStrView(A), b = VarOleStrView(B);
  return a.data() == b.data() && a.size() == b.size();
}

int LikeForm(TcxFilterOperator* op) {
  TcxFilterCriteria* criteria = op->Criteria();
  String text = VarIsNull(op->CriteriaItem()->Value()) ? String() : VarToStr(op->CriteriaItem()->Value());
  return cxStripLikeWildcards(text, criteria ? criteria->PercentWildcard() : u'%');
}

bool IsNullByCondition(TcxFilterOperator* op, const Variant& v) {
  return op->CriteriaItem() ? op->CriteriaItem()->IsNullValue(v) : VarIsNull(v);
}

}  // namespace

TcxFilterCriteria* TcxFilterOperator::Criteria() const {
  return criteriaItem_ ? criteriaItem_->GetCriteria() : nullptr;
}

void TcxFilterOperator::BuildExpression(const Variant& AValue, String& AText) { FormatValue(AValue, AText); }

void TcxFilterOperator::FormatValue(const Variant& AValue, String& AText) {
  if (FormatComplexValue(AValue, AText)) return;
  switch (AValue.Type()) {
    case varString:
    case varOleStr:
      // Quotes inside the text are doubled, so that a value cannot end the literal early.
      AText = QuotedStr(AValue.AsString());
      return;
    case varDate: {
      String text;
      if (TcxFilterCriteria* criteria = Criteria())
        criteria->FormatDateValue(AValue, text);
      else
        text = VarToStr(AValue);
      AText = QuotedStr(text);
      return;
    }
    case varNull:
      AText = u"NULL";
      return;
    default:
      AText = VarToStr(AValue);
  }
}

void TcxFilterOperator::AdjustDisplayValue(String&) {}

bool TcxFilterOperator::FormatComplexValue(const Variant&, String&) { return false; }

void TcxFilterOperator::GetDisplayText(String& AText) { GetExpressionText(AText); }

// Equal and its descendants.
bool TcxFilterEqualOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  // Two wide texts are equal exactly when their characters are: no code page needed.
  if (AValue.Type() == varOleStr && ACondition.Type() == varOleStr)
    return VarOleStrView(AValue) == VarOleStrView(ACondition);
  return AValue == ACondition;
}
void TcxFilterEqualOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorEqual); }
void TcxFilterEqualOperator::GetExpressionText(String& AText) { AText = u"="; }

bool TcxFilterNotEqualOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return !TcxFilterEqualOperator::Evaluate(AValue, ACondition);
}
void TcxFilterNotEqualOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorNotEqual); }
void TcxFilterNotEqualOperator::GetExpressionText(String& AText) { AText = u"<>"; }

bool TcxFilterLessOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return CompareConditionValues(AValue, ACondition) < 0;
}
void TcxFilterLessOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorLess); }
void TcxFilterLessOperator::GetExpressionText(String& AText) { AText = u"<"; }

bool TcxFilterLessEqualOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return CompareConditionValues(AValue, ACondition) <= 0;
}
void TcxFilterLessEqualOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorLessEqual); }
void TcxFilterLessEqualOperator::GetExpressionText(String& AText) { AText = u"<="; }

bool TcxFilterGreaterOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return CompareConditionValues(AValue, ACondition) > 0;
}
void TcxFilterGreaterOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorGreater); }
void TcxFilterGreaterOperator::GetExpressionText(String& AText) { AText = u">"; }

bool TcxFilterGreaterEqualOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return CompareConditionValues(AValue, ACondition) >= 0;
}
void TcxFilterGreaterEqualOperator::GetDisplayText(String& AText) {
  AText = Res(cxSFilterOperatorGreaterEqual);
}
void TcxFilterGreaterEqualOperator::GetExpressionText(String& AText) { AText = u">="; }

bool TcxFilterLikeOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return LikeEvaluate(this, AValue, ACondition);
}

const String& TcxFilterLikeOperator::PatternText(const Variant& ACondition) {
  if (!VarIsStr(ACondition)) {
    hasPattern_ = false;
    pattern_ = LikeText(ACondition);
    return pattern_;
  }
  if (hasPattern_ && IsSameText(patternValue_, ACondition)) return pattern_;
  if (!hasPattern_ || patternValue_.Type() != ACondition.Type() || !(patternValue_ == ACondition)) {
    pattern_ = LikeText(ACondition);
    patternValue_ = ACondition;
    hasPattern_ = true;
  }
  return pattern_;
}
void TcxFilterLikeOperator::GetDisplayText(String& AText) {
  switch (LikeForm(this)) {
    case 1:
      AText = Res(cxSFilterOperatorBeginsWith);
      break;
    case 2:
      AText = Res(cxSFilterOperatorEndsWith);
      break;
    case 3:
      AText = Res(cxSFilterOperatorContains);
      break;
    default:
      AText = Res(cxSFilterOperatorLike);
  }
}
void TcxFilterLikeOperator::GetExpressionText(String& AText) { AText = u"LIKE"; }
void TcxFilterLikeOperator::AdjustDisplayValue(String& AText) {
  TcxFilterCriteria* criteria = Criteria();
  if (criteria && criteria->Options().Contains(fcoShowOperatorDescription))
    cxStripLikeWildcards(AText, criteria->PercentWildcard());
}

bool TcxFilterNotLikeOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return !TcxFilterLikeOperator::Evaluate(AValue, ACondition);
}
void TcxFilterNotLikeOperator::GetDisplayText(String& AText) {
  switch (LikeForm(this)) {
    case 1:
      AText = Res(cxSFilterOperatorDoesNotBeginWith);
      break;
    case 2:
      AText = Res(cxSFilterOperatorDoesNotEndWith);
      break;
    case 3:
      AText = Res(cxSFilterOperatorDoesNotContain);
      break;
    default:
      AText = Res(cxSFilterOperatorNotLike);
  }
}
void TcxFilterNotLikeOperator::GetExpressionText(String& AText) { AText = u"NOT LIKE"; }

bool TcxFilterBetweenOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  int low = VarArrayLowBound(ACondition, 1);
  if (cxVariantCompare(VarArrayGet(ACondition, {low}), AValue) > 0) return false;
  return cxVariantCompare(AValue, VarArrayGet(ACondition, {low + 1})) <= 0;
}
void TcxFilterBetweenOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorBetween); }
void TcxFilterBetweenOperator::GetExpressionText(String& AText) { AText = u"BETWEEN"; }
bool TcxFilterBetweenOperator::FormatComplexValue(const Variant& AValue, String& AText) {
  if (!VarIsArray(AValue)) return false;
  int low = VarArrayLowBound(AValue, 1);
  String first, second;
  FormatValue(VarArrayGet(AValue, {low}), first);
  FormatValue(VarArrayGet(AValue, {low + 1}), second);
  AText = first + u" AND " + second;
  return true;
}

bool TcxFilterNotBetweenOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return !TcxFilterBetweenOperator::Evaluate(AValue, ACondition);
}
void TcxFilterNotBetweenOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorNotBetween); }
void TcxFilterNotBetweenOperator::GetExpressionText(String& AText) { AText = u"NOT BETWEEN"; }

bool TcxFilterInListOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  int high = VarArrayHighBound(ACondition, 1);
  for (int i = VarArrayLowBound(ACondition, 1); i <= high; ++i)
    if (AValue == VarArrayGet(ACondition, {i})) return true;
  return false;
}
void TcxFilterInListOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorInList); }
void TcxFilterInListOperator::GetExpressionText(String& AText) { AText = u"IN"; }
bool TcxFilterInListOperator::FormatComplexValue(const Variant& AValue, String& AText) {
  if (!VarIsArray(AValue)) return false;
  String result = u"(";
  int low = VarArrayLowBound(AValue, 1), high = VarArrayHighBound(AValue, 1);
  for (int i = low; i <= high; ++i) {
    String text;
    FormatValue(VarArrayGet(AValue, {i}), text);
    if (i > low) result += u", ";
    result += text;
  }
  AText = result + u")";
  return true;
}

bool TcxFilterNotInListOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return !TcxFilterInListOperator::Evaluate(AValue, ACondition);
}
void TcxFilterNotInListOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorNotInList); }
void TcxFilterNotInListOperator::GetExpressionText(String& AText) { AText = u"NOT IN"; }

bool TcxFilterNullOperator::Evaluate(const Variant& AValue, const Variant&) {
  return IsNullByCondition(this, AValue);
}
void TcxFilterNullOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorIsNull); }
void TcxFilterNullOperator::GetExpressionText(String& AText) { AText = u"="; }
void TcxFilterNullOperator::AdjustDisplayValue(String& AText) {
  TcxFilterCriteria* criteria = Criteria();
  if (criteria && criteria->Options().Contains(fcoShowOperatorDescription)) AText.clear();
}

bool TcxFilterNotNullOperator::Evaluate(const Variant& AValue, const Variant& ACondition) {
  return !TcxFilterNullOperator::Evaluate(AValue, ACondition);
}
void TcxFilterNotNullOperator::GetDisplayText(String& AText) { AText = Res(cxSFilterOperatorIsNotNull); }
void TcxFilterNotNullOperator::GetExpressionText(String& AText) { AText = u"<>"; }

// Date ranges.
void TcxFilterDateOperator::BuildExpression(const Variant&, String& AText) {
  String field = CriteriaItem() ? CriteriaItem()->FieldName() : String();
  String from, to;
  FormatValue(VarFromDateTime(Date1), from);
  FormatValue(VarFromDateTime(Date2), to);
  AText = u"(" + from + u" <= " + field + u") AND (" + field + u" < " + to + u")";
}

void TcxFilterDateOperator::Prepare() { GetRange(Date(), Date1, Date2); }

bool TcxFilterDateOperator::Evaluate(const Variant& AValue, const Variant&) {
  if (IsNullByCondition(this, AValue)) return false;
  return VarFromDateTime(Date1) <= AValue && AValue < VarFromDateTime(Date2);
}

namespace {

TDateTime FirstOfMonth(TDateTime day, int monthOffset) {
  Word y, m, d;
  DecodeDate(day, y, m, d);
  int months = y * 12 + (m - 1) + monthOffset;
  return EncodeDate(static_cast<Word>(months / 12), static_cast<Word>(months % 12 + 1), 1);
}

TDateTime FirstOfYear(TDateTime day, int yearOffset) {
  return EncodeDate(static_cast<Word>(YearOf(day) + yearOffset), 1, 1);
}

}  // namespace

#define CX_DATE_RANGE(Name, Id, From, To)                                       \
  void Name::GetDisplayText(String& AText) { AText = Res(Id); }                 \
  void Name::GetRange(TDateTime AToday, TDateTime& ADate1, TDateTime& ADate2) { \
    [[maybe_unused]] TDateTime W = cxStartOfWeek(AToday);                       \
    ADate1 = From;                                                              \
    ADate2 = To;                                                                \
  }

CX_DATE_RANGE(TcxFilterYesterdayOperator, cxSFilterOperatorYesterday, AToday - 1, AToday)
CX_DATE_RANGE(TcxFilterTodayOperator, cxSFilterOperatorToday, AToday, AToday + 1)
CX_DATE_RANGE(TcxFilterTomorrowOperator, cxSFilterOperatorTomorrow, AToday + 1, AToday + 2)
CX_DATE_RANGE(TcxFilterLastWeekOperator, cxSFilterOperatorLastWeek, W - 7, W)
CX_DATE_RANGE(TcxFilterLastMonthOperator, cxSFilterOperatorLastMonth, FirstOfMonth(AToday, -1),
              FirstOfMonth(AToday, 0))
CX_DATE_RANGE(TcxFilterLastYearOperator, cxSFilterOperatorLastYear, FirstOfYear(AToday, -1),
              FirstOfYear(AToday, 0))
CX_DATE_RANGE(TcxFilterThisWeekOperator, cxSFilterOperatorThisWeek, W, W + 7)
CX_DATE_RANGE(TcxFilterThisMonthOperator, cxSFilterOperatorThisMonth, FirstOfMonth(AToday, 0),
              FirstOfMonth(AToday, 1))
CX_DATE_RANGE(TcxFilterThisYearOperator, cxSFilterOperatorThisYear, FirstOfYear(AToday, 0),
              FirstOfYear(AToday, 1))
CX_DATE_RANGE(TcxFilterNextWeekOperator, cxSFilterOperatorNextWeek, W + 7, W + 14)
CX_DATE_RANGE(TcxFilterNextMonthOperator, cxSFilterOperatorNextMonth, FirstOfMonth(AToday, 1),
              FirstOfMonth(AToday, 2))
CX_DATE_RANGE(TcxFilterNextYearOperator, cxSFilterOperatorNextYear, FirstOfYear(AToday, 1),
              FirstOfYear(AToday, 2))

TClass cxFilterOperatorClassOfKind(TcxFilterOperatorKind AKind) {
  static TClass (*const classes[])() = {
      &TcxFilterEqualOperator::StaticClass,     &TcxFilterNotEqualOperator::StaticClass,
      &TcxFilterLessOperator::StaticClass,      &TcxFilterLessEqualOperator::StaticClass,
      &TcxFilterGreaterOperator::StaticClass,   &TcxFilterGreaterEqualOperator::StaticClass,
      &TcxFilterLikeOperator::StaticClass,      &TcxFilterNotLikeOperator::StaticClass,
      &TcxFilterBetweenOperator::StaticClass,   &TcxFilterNotBetweenOperator::StaticClass,
      &TcxFilterInListOperator::StaticClass,    &TcxFilterNotInListOperator::StaticClass,
      &TcxFilterYesterdayOperator::StaticClass, &TcxFilterTodayOperator::StaticClass,
      &TcxFilterTomorrowOperator::StaticClass,  &TcxFilterLastWeekOperator::StaticClass,
      &TcxFilterLastMonthOperator::StaticClass, &TcxFilterLastYearOperator::StaticClass,
      &TcxFilterThisWeekOperator::StaticClass,  &TcxFilterThisMonthOperator::StaticClass,
      &TcxFilterThisYearOperator::StaticClass,  &TcxFilterNextWeekOperator::StaticClass,
      &TcxFilterNextMonthOperator::StaticClass, &TcxFilterNextYearOperator::StaticClass,
  };
  return classes[static_cast<int>(AKind)]();
}
