// The editors' built-in English texts: string-table ids and their registration at start-up.
#pragma once

#include "platform/rtl/StringTable.h"

constexpr int dxSDateToday = 38903;
constexpr int dxSDateClear = 38904;
constexpr int dxSDialogOk = 38905;
constexpr int dxSDialogCancel = 38906;
constexpr int dxSDialogClose = 38907;
constexpr int dxSToolCaptionFirst = 38914;  // "Cu&t" .. "&Save To..." (6)
constexpr int dxSToolHintFirst = 38920;     // "Cut" .. "Save to file..." (6)
constexpr int dxSToolbox = 38926;
constexpr int dxSInvalidDate = 38927;
constexpr int dxSDateKeywordFirst = 38928;  // 20 date keywords
constexpr int dxSEditInvalidInput = 38948;
constexpr int dxSMenuUndo = 38949;
constexpr int dxSMenuRedo = 38950;
constexpr int dxSError = 38951;
constexpr int dxSMenuCut = 38952;
constexpr int dxSMenuCopy = 38953;
constexpr int dxSMenuPaste = 38954;
constexpr int dxSMenuDelete = 38955;
constexpr int dxSMenuSelectAll = 38956;
// The framework's text for an incomplete masked value (two spaces after the first full stop).
constexpr int SMaskEditErr = 65315;

void RegisterDxEditorTexts();
