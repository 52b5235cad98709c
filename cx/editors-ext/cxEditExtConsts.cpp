#include "cx/editors-ext/cxEditExtConsts.h"

#include <utility>

#include "platform/rtl/StringTable.h"

void RegisterCxEditExtConsts() {
  static const std::pair<int, const char16_t*> kTexts[] = {
      {cxSEditRadioGroupDescription, u"RadioGroup|Represents a group of radio buttons"},
      {cxSRadioGroupDefaultCaption, u""},
      {cxSDatePopupToday, u"Today"},
      {cxSDatePopupClear, u"Clear"},
      {cxSDateError, u"Invalid Date"},
      {cxSEditDateEditDescription, u"DateEdit|Represents an edit control with a dropdown calendar"},
      {cxSEditTimeEditDescription, u"TimeEdit|Represents an editor displaying time values"},
      {cxSTimeEditConvertError, u"Could not convert to time"},
      {cxSEditButtonEditDescription, u"ButtonEdit|Represents an edit control with embedded buttons"},
      {cxSEditMRUEditDescription,
       u"MRUEdit|Represents a text editor displaying the list of most recently used items (MRU) within a dropdown window"},
      {cxSEditHyperLinkEditDescription, u"HyperLink|Represents a text editor with hyperlink functionality"},
      {cxSCalcError, u"Error"},
      {cxSEditCalcEditDescription, u"CalcEdit|Represents an edit control with a dropdown calculator window"},
      {cxSEditImageDescription, u"Image|Represents an image editor"},
      {cxSEditCurrencyEditDescription, u"CurrencyEdit|Represents an editor enabling editing currency data"},
      {cxSEditBlobEditDescription, u"BlobEdit|Represents the BLOB editor"},
      {cxSEditImageComboBoxDescription,
       u"ImageComboBox|Represents an editor displaying the list of images and text strings within the dropdown "
       u"window"},
      {cxSMenuItemCaptionCut, u"Cu&t"},
      {cxSMenuItemCaptionCopy, u"&Copy"},
      {cxSMenuItemCaptionPaste, u"&Paste"},
      {cxSMenuItemCaptionDelete, u"&Delete"},
      {cxSMenuItemCaptionLoad, u"&Load..."},
      {cxSMenuItemCaptionSave, u"Save &As..."},
      {cxSBlobButtonOK, u"&OK"},
      {cxSBlobButtonCancel, u"&Cancel"},
      {cxSBlobButtonClose, u"&Close"},
      {cxSBlobMemo, u"(MEMO)"},
      {cxSBlobMemoEmpty, u"(memo)"},
      {cxSBlobPicture, u"(PICTURE)"},
      {cxSBlobPictureEmpty, u"(picture)"},
  };
  for (const auto& [id, text] : kTexts) RegisterResourceString(id, text);
}
