#include "dx/editors/dxEditConsts.h"

#include "platform/rtl/String.h"

void RegisterDxEditorTexts() {
  struct TText {
    int id;
    const char* text;
  };
  static const TText kTexts[] = {
      {dxSDialogOk, "&OK"},
      {dxSDialogCancel, "&Cancel"},
      {dxSDialogClose, "&Close"},
      {dxSToolCaptionFirst + 0, "Cu&t"},
      {dxSToolCaptionFirst + 1, "&Copy"},
      {dxSToolCaptionFirst + 2, "&Paste"},
      {dxSToolCaptionFirst + 3, "&Delete"},
      {dxSToolCaptionFirst + 4, "&Load..."},
      {dxSToolCaptionFirst + 5, "&Save To..."},
      {dxSToolHintFirst + 0, "Cut"},
      {dxSToolHintFirst + 1, "Copy"},
      {dxSToolHintFirst + 2, "Paste"},
      {dxSToolHintFirst + 3, "Delete"},
      {dxSToolHintFirst + 4, "Load from file..."},
      {dxSToolHintFirst + 5, "Save to file..."},
      {dxSToolbox, "Toolbox"},
      {dxSDateToday, "Today"},
      {dxSDateClear, "Clear"},
      {dxSInvalidDate, "Invalid Date"},
      {dxSEditInvalidInput, "Invalid input value. Use escape key to abandon changes"},
      {dxSMenuUndo, "&Undo"},
      {dxSMenuRedo, "&Redo"},
      {dxSError, "Error"},
      {dxSMenuCut, "Cu&t"},
      {dxSMenuCopy, "&Copy"},
      {dxSMenuPaste, "&Paste"},
      {dxSMenuDelete, "&Delete"},
      {dxSMenuSelectAll, "Select &All"},
  };
  for (const TText& t : kTexts) RegisterResourceString(t.id, Utf8ToString(t.text));
  static const char* const kDateKeywords[20] = {
      "TODAY",  "YESTERDAY", "TOMORROW", "SUNDAY", "MONDAY", "TUESDAY", "WEDNESDAY",
      "THURSDAY", "FRIDAY",  "SATURDAY", "FIRST",  "SECOND", "THIRD",   "FOURTH",
      "FIFTH",  "SIXTH",     "SEVENTH",  "BOM",    "EOM",    "NOW"};
  for (int i = 0; i < 20; ++i) RegisterResourceString(dxSDateKeywordFirst + i, Utf8ToString(kDateKeywords[i]));
  // The framework's own text, unless the framework's data layer registered it already.
  if (LoadResString(SMaskEditErr).empty())
    RegisterResourceString(SMaskEditErr, u"Invalid input value.  Use escape key to abandon changes");
}
