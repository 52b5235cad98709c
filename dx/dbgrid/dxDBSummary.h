// Summary kinds and the one routine that turns a computed summary value into the text shown in a
// group row (style 0) or a footer cell (style 1).
#pragma once

#include "platform/data/DBTypes.h"
#include "platform/rtl/Types.h"

TRENVIK_ENUM(TdxSummaryType, cstNone, cstSum, cstMin, cstMax, cstCount, cstAvg);

constexpr int kSummaryStyleGroup = 0;
constexpr int kSummaryStyleFooter = 1;

// DataType ftDate, ftTime or ftDateTime shows Value as a date (unless counting); anything else as a
// number. An empty Format takes the built-in format of the style and kind.
String FormatSummaryValue(TdxSummaryType SummaryType, const String& Format, TFieldType DataType, double Value,
                          int Style);
