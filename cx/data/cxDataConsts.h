// String-table ids of the data library's texts. The English texts are registered at start-up
// (RegisterCxDataConsts); a translation registered over them replaces them.
#pragma once

// Filter operators and the words of filter texts.
constexpr int cxSFilterOperatorEqual = 65011;
constexpr int cxSFilterOperatorNotEqual = 65012;
constexpr int cxSFilterOperatorLess = 65013;
constexpr int cxSFilterOperatorLessEqual = 65014;
constexpr int cxSFilterOperatorGreater = 65015;
constexpr int cxSFilterOperatorGreaterEqual = 65016;
constexpr int cxSFilterOperatorLike = 65017;
constexpr int cxSFilterOperatorNotLike = 65018;
constexpr int cxSFilterOperatorBetween = 65019;
constexpr int cxSFilterOperatorNotBetween = 65020;
constexpr int cxSFilterOperatorInList = 65021;
constexpr int cxSFilterOperatorNotInList = 65022;
constexpr int cxSFilterOperatorYesterday = 65023;
constexpr int cxSFilterOperatorToday = 64992;
constexpr int cxSFilterOperatorTomorrow = 64993;
constexpr int cxSFilterOperatorLastWeek = 64994;
constexpr int cxSFilterOperatorLastMonth = 64995;
constexpr int cxSFilterOperatorLastYear = 64996;
constexpr int cxSFilterOperatorThisWeek = 64997;
constexpr int cxSFilterOperatorThisMonth = 64998;
constexpr int cxSFilterOperatorThisYear = 64999;
constexpr int cxSFilterOperatorNextWeek = 65000;
constexpr int cxSFilterOperatorNextMonth = 65001;
constexpr int cxSFilterOperatorNextYear = 65002;
constexpr int cxSFilterAndCaption = 65003;
constexpr int cxSFilterOrCaption = 65004;
constexpr int cxSFilterNotCaption = 65005;
constexpr int cxSFilterBlankCaption = 65006;
constexpr int cxSFilterOperatorIsNull = 65007;
constexpr int cxSFilterOperatorIsNotNull = 64976;
constexpr int cxSFilterOperatorBeginsWith = 64977;
constexpr int cxSFilterOperatorDoesNotBeginWith = 64978;
constexpr int cxSFilterOperatorEndsWith = 64979;
constexpr int cxSFilterOperatorDoesNotEndWith = 64980;
constexpr int cxSFilterOperatorContains = 64981;
constexpr int cxSFilterOperatorDoesNotContain = 64982;
constexpr int cxSFilterBoxAllCaption = 64983;
constexpr int cxSFilterBoxCustomCaption = 64984;
constexpr int cxSFilterBoxBlanksCaption = 64985;
constexpr int cxSFilterBoxNonBlanksCaption = 64986;

// Data controller errors.
constexpr int cxSDataRecordIndexError = 64870;
constexpr int cxSDataRowIndexError = 64871;
constexpr int cxSDataItemIndexError = 64872;
constexpr int cxSDataItemExistError = 64873;

// Registers the English texts of the ids above.
void RegisterCxDataConsts();
