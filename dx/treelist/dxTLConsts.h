// The tree list's texts in the string table, and its one error routine.
#pragma once

#include "platform/rtl/StringTable.h"
#include "platform/forms/Controls.h"
#include "platform/rtl/Types.h"

constexpr int dxSTL_InvalidOwner = 38801;

void RegisterTreeListTexts();
// Raises EInvaliddxTreeListOperation with Message.
[[noreturn]] void RaiseTreeListError(const String& Message);

// The tree list's cursors in the framework's cursor table (loaded at module start-up).
constexpr TCursor crDXTLDelete = -1124;
constexpr TCursor crDXTLFullScroll = -1131;
constexpr TCursor crDXTLHorScroll = -1132;
constexpr TCursor crDXTLVerScroll = -1133;
constexpr TCursor crDXTLUpScroll = -1134;
constexpr TCursor crDXTLRightScroll = -1135;
constexpr TCursor crDXTLDownScroll = -1136;
constexpr TCursor crDXTLLeftScroll = -1137;
constexpr TCursor crDXTLDragCopy = -1138;
constexpr TCursor crDXTLMultiDragCopy = -1139;
