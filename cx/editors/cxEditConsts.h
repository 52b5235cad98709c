// String-table ids of the editor library's texts. The English texts are registered at start-up
// (RegisterCxEditConsts); a translation registered over them replaces them.
#pragma once

// Regular-expression compiler errors; "%s" is one character or " ' ".
constexpr int cxSRegExprIncorrectSpace = 64880;
constexpr int cxSRegExprNotCompiled = 64881;
constexpr int cxSRegExprStreamEmpty = 64896;
constexpr int cxSRegExprCantUsePlus = 64897;
constexpr int cxSRegExprCantUseStar = 64898;
constexpr int cxSRegExprEmptyAlternative = 64899;
constexpr int cxSRegExprEmptyBlock = 64900;
constexpr int cxSRegExprIllegalSymbol = 64901;
constexpr int cxSRegExprIllegalQuantifier = 64902;
constexpr int cxSRegExprNoParameterQuantifiers = 64903;
constexpr int cxSRegExprIllegalInteger = 64904;
constexpr int cxSRegExprTooBigReference = 64905;
constexpr int cxSRegExprEmptyEnumeration = 64906;
constexpr int cxSRegExprSubrangeOrder = 64907;
constexpr int cxSRegExprHexExpected = 64908;
constexpr int cxSRegExprHexExpectedFound = 64909;
constexpr int cxSRegExprMissing = 64910;
constexpr int cxSRegExprUnnecessary = 64911;
constexpr int cxSRegExprStreamNotAssigned = 64927;

// The smart date words, in their index order (see cxDateUtils.h).
constexpr int cxSDateToday = 64949;
constexpr int cxSDateYesterday = 64950;
constexpr int cxSDateTomorrow = 64951;
constexpr int cxSDateSunday = 64952;  // .. Saturday 64958
constexpr int cxSDateFirst = 64959;
constexpr int cxSDateSecond = 64928;  // .. seventh 64933
constexpr int cxSDateBOM = 64934;
constexpr int cxSDateEOM = 64935;
constexpr int cxSDateNow = 64936;

// The editor framework's texts.
constexpr int cxSEditInvalidRepositoryItem = 64987;
constexpr int cxSEditValidateErrorText = 64991;
constexpr int cxSEditValueOutOfBounds = 64990;
constexpr int cxSEditCheckBoxChecked = 64961;
constexpr int cxSEditCheckBoxGrayed = 64962;
constexpr int cxSEditCheckBoxUnchecked = 64963;
constexpr int cxSEditTextEditDescription = 64918;
constexpr int cxSEditMemoDescription = 64916;
constexpr int cxSEditCheckBoxDescription = 64913;
constexpr int cxSEditMaskEditDescription = 64917;
constexpr int cxSEditSpinEditDescription = 64921;
constexpr int cxSEditComboBoxDescription = 64914;
constexpr int cxSEditPopupEditDescription = 64920;
constexpr int cxSEditPopupCircularReferencingError = 64988;

// The commands of a text editor's own pop-up menu.
constexpr int cxSEditMenuUndo = 64940;
constexpr int cxSEditMenuCut = 64941;
constexpr int cxSEditMenuCopy = 64942;
constexpr int cxSEditMenuPaste = 64943;
constexpr int cxSEditMenuDelete = 64944;
constexpr int cxSEditMenuSelectAll = 64945;

// Registers the English texts of the ids above.
void RegisterCxEditConsts();
