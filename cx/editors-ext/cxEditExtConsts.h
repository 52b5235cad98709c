// String-table ids of the specialised editors' texts; the English texts are registered when the
// library starts (RegisterCxEditExtConsts).
#pragma once

constexpr int cxSEditRadioGroupDescription = 64922;
// The text a radio group shows when no item matches its value.
constexpr int cxSRadioGroupDefaultCaption = 64964;

// The calendar's buttons, the date edit's error and description.
constexpr int cxSDatePopupToday = 64946;
constexpr int cxSDatePopupClear = 64947;
constexpr int cxSDateError = 64948;
constexpr int cxSEditDateEditDescription = 64912;
constexpr int cxSEditCurrencyEditDescription = 64939;
// The time edit's description and the error of a value that is no time.
constexpr int cxSEditTimeEditDescription = 64924;
constexpr int cxSTimeEditConvertError = 64989;

constexpr int cxSEditButtonEditDescription = 64915;
constexpr int cxSEditMRUEditDescription = 64919;
constexpr int cxSEditHyperLinkEditDescription = 64923;
// The calculator's error text and the calc edit's description.
constexpr int cxSCalcError = 64937;
constexpr int cxSEditCalcEditDescription = 64938;
constexpr int cxSEditImageDescription = 64925;

// The BLOB edit: its description, popup buttons and the texts of memo and picture values.
constexpr int cxSEditBlobEditDescription = 64926;
constexpr int cxSBlobButtonOK = 64965;
constexpr int cxSBlobButtonCancel = 64966;
constexpr int cxSBlobButtonClose = 64967;
constexpr int cxSBlobMemo = 64968;
constexpr int cxSBlobMemoEmpty = 64969;
constexpr int cxSBlobPicture = 64970;
constexpr int cxSBlobPictureEmpty = 64971;

constexpr int cxSEditImageComboBoxDescription = 64929;
// The image editor's context menu.
constexpr int cxSMenuItemCaptionCut = 64972;
constexpr int cxSMenuItemCaptionCopy = 64973;
constexpr int cxSMenuItemCaptionPaste = 64974;
constexpr int cxSMenuItemCaptionDelete = 64975;
constexpr int cxSMenuItemCaptionLoad = 64953;
constexpr int cxSMenuItemCaptionSave = 64954;

void RegisterCxEditExtConsts();
