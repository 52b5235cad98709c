// The toolbar library's texts in the string table.
#pragma once

#include "platform/rtl/StringTable.h"

constexpr int dxSBAR_WANTTORESETTOOLBAR = 39001;
constexpr int dxSBAR_WANTTORESETUSAGEDATA = 39002;
constexpr int dxSBAR_ONEMANAGERPERFORM = 39003;
constexpr int dxSBAR_MANAGEROWNERNOTFORM = 39004;
constexpr int dxSBAR_NOMANAGERS = 39005;
constexpr int dxSBAR_RECURSIVESUBITEMS = 39009;
constexpr int dxSBAR_RECURSIVEGROUPS = 39012;
constexpr int dxSBAR_CUSTOMIZE = 39300;
constexpr int dxSBAR_EXPAND = 39304;
constexpr int dxSBAR_DRAGTOMAKEMENUFLOAT = 39305;

void RegisterBarTexts();
// Raises the framework's general exception with the text of that id.
[[noreturn]] void RaiseBarError(int TextId);
