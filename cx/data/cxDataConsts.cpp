#include "cx/data/cxDataConsts.h"

#include "platform/rtl/String.h"
#include "platform/rtl/StringTable.h"

void RegisterCxDataConsts() {
  static const struct {
    int id;
    const char* text;
  } texts[] = {
      {cxSFilterOperatorEqual, "equals"},
      {cxSFilterOperatorNotEqual, "does not equal"},
      {cxSFilterOperatorLess, "is less than"},
      {cxSFilterOperatorLessEqual, "is less than or equal to"},
      {cxSFilterOperatorGreater, "is greater than"},
      {cxSFilterOperatorGreaterEqual, "is greater than or equal to"},
      {cxSFilterOperatorLike, "like"},
      {cxSFilterOperatorNotLike, "not like"},
      {cxSFilterOperatorBetween, "between"},
      {cxSFilterOperatorNotBetween, "not between"},
      {cxSFilterOperatorInList, "in"},
      {cxSFilterOperatorNotInList, "not in"},
      {cxSFilterOperatorYesterday, "is yesterday"},
      {cxSFilterOperatorToday, "is today"},
      {cxSFilterOperatorTomorrow, "is tomorrow"},
      {cxSFilterOperatorLastWeek, "is last week"},
      {cxSFilterOperatorLastMonth, "is last month"},
      {cxSFilterOperatorLastYear, "is last year"},
      {cxSFilterOperatorThisWeek, "is this week"},
      {cxSFilterOperatorThisMonth, "is this month"},
      {cxSFilterOperatorThisYear, "is this year"},
      {cxSFilterOperatorNextWeek, "is next week"},
      {cxSFilterOperatorNextMonth, "is next month"},
      {cxSFilterOperatorNextYear, "is next year"},
      {cxSFilterAndCaption, "and"},
      {cxSFilterOrCaption, "or"},
      {cxSFilterNotCaption, "not"},
      {cxSFilterBlankCaption, "blank"},
      {cxSFilterOperatorIsNull, "is blank"},
      {cxSFilterOperatorIsNotNull, "is not blank"},
      {cxSFilterOperatorBeginsWith, "begins with"},
      {cxSFilterOperatorDoesNotBeginWith, "does not begin with"},
      {cxSFilterOperatorEndsWith, "ends with"},
      {cxSFilterOperatorDoesNotEndWith, "does not end with"},
      {cxSFilterOperatorContains, "contains"},
      {cxSFilterOperatorDoesNotContain, "does not contain"},
      {cxSFilterBoxAllCaption, "(All)"},
      {cxSFilterBoxCustomCaption, "(Custom...)"},
      {cxSFilterBoxBlanksCaption, "(Blanks)"},
      {cxSFilterBoxNonBlanksCaption, "(NonBlanks)"},
      {cxSDataRecordIndexError, "RecordIndex out of range"},
      {cxSDataRowIndexError, "RowIndex out of range"},
      {cxSDataItemIndexError, "ItemIndex out of range"},
      {cxSDataItemExistError, "Item already exists"},
  };
  for (const auto& t : texts) RegisterResourceString(t.id, S(t.text));
}
