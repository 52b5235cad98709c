// Summary kinds and the one routine that turns a computed summary value into the text shown in a
// group row (style 0) or a footer cell (style 1).
#pragma once

#include "platform/data/DBTypes.h"
#include "platform/rtl/Types.h"

TRENVIK_ENUM(TdxSummaryType, cstNone, cstSum, cstMin, cstMax, cstCount, cstAvg);

// One summary value in extended precision. The first value starts it whatever the kind; later ones
// add (sum, average), keep the smaller or larger (min, max) or change nothing (count, none): counts
// and averages are finished over the record count after the pass.
void CombineSummary(TdxSummaryType Kind, long double V, long double& Value, bool& HasValue);

struct TdxSummaryAccumulator {
  long double Value = 0;
  bool HasValue = false;
  void Add(TdxSummaryType Kind, long double V) { CombineSummary(Kind, V, Value, HasValue); }
};

constexpr int kSummaryStyleGroup = 0;
constexpr int kSummaryStyleFooter = 1;

// DataType ftDate, ftTime or ftDateTime shows Value as a date (unless counting); anything else as a
// number. An empty Format takes the built-in format of the style and kind.
String FormatSummaryValue(TdxSummaryType SummaryType, const String& Format, TFieldType DataType, double Value,
                          int Style);
