#include "cx/editors/cxEditConsts.h"

#include <utility>

#include "platform/rtl/StringTable.h"

void RegisterCxEditConsts() {
  static const std::pair<int, const char16_t*> kTexts[] = {
      {cxSRegExprIncorrectSpace, u"Incorrect space after '\\'"},
      {cxSRegExprNotCompiled, u"Regular expression does not compiled"},
      {cxSRegExprStreamEmpty, u"The source stream is empty"},
      {cxSRegExprCantUsePlus, u"The '+' quantifier can't be applied here"},
      {cxSRegExprCantUseStar, u"The '*' quantifier can't be applied here"},
      {cxSRegExprEmptyAlternative, u"The alternative should not be empty"},
      {cxSRegExprEmptyBlock, u"The block should not be empty"},
      {cxSRegExprIllegalSymbol, u"Illegal '%s'"},
      {cxSRegExprIllegalQuantifier, u"Illegal quantifier '%s'"},
      {cxSRegExprNoParameterQuantifiers, u"The parameter quantifiers does not support"},
      {cxSRegExprIllegalInteger, u"Illegal integer value"},
      {cxSRegExprTooBigReference, u"Too big reference number"},
      {cxSRegExprEmptyEnumeration, u"Can't create empty enumeration"},
      {cxSRegExprSubrangeOrder, u"The start character of subrange must less than the finish one"},
      {cxSRegExprHexExpected, u"Hexadecimal number expected"},
      {cxSRegExprHexExpectedFound, u"Hexadecimal number expected but '%s' found"},
      {cxSRegExprMissing, u"Missing '%s'"},
      {cxSRegExprUnnecessary, u"Unnecessary '%s'"},
      {cxSRegExprStreamNotAssigned, u"The source stream does not assigned"},
      {cxSEditInvalidRepositoryItem, u"The repository item is not acceptable"},
      {cxSEditValidateErrorText, u"Invalid input value. Use escape key to abandon changes"},
      {cxSEditValueOutOfBounds, u"Value out of bounds"},
      {cxSEditCheckBoxChecked, u"True"},
      {cxSEditCheckBoxGrayed, u""},
      {cxSEditCheckBoxUnchecked, u"False"},
      {cxSEditTextEditDescription, u"TextEdit|Represents a single line text editor"},
      {cxSEditCheckBoxDescription,
       u"CheckBox|Represents a check box control that allows selecting an option"},
      {cxSDateToday, u"today"},
      {cxSDateYesterday, u"yesterday"},
      {cxSDateTomorrow, u"tomorrow"},
      {cxSDateSunday + 0, u"Sunday"},
      {cxSDateSunday + 1, u"Monday"},
      {cxSDateSunday + 2, u"Tuesday"},
      {cxSDateSunday + 3, u"Wednesday"},
      {cxSDateSunday + 4, u"Thursday"},
      {cxSDateSunday + 5, u"Friday"},
      {cxSDateSunday + 6, u"Saturday"},
      {cxSDateFirst, u"first"},
      {cxSDateSecond + 0, u"second"},
      {cxSDateSecond + 1, u"third"},
      {cxSDateSecond + 2, u"fourth"},
      {cxSDateSecond + 3, u"fifth"},
      {cxSDateSecond + 4, u"sixth"},
      {cxSDateSecond + 5, u"seventh"},
      {cxSDateBOM, u"bom"},
      {cxSDateEOM, u"eom"},
      {cxSDateNow, u"now"},
  };
  for (const auto& [id, text] : kTexts) RegisterResourceString(id, text);
}
