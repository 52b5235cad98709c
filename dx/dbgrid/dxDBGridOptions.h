// The grid's option sets: four stored masters, two legacy images of them, and the table saying
// which engine option-word bit and which legacy value each master value stands for.
#pragma once

#include <span>

#include "platform/classes/Set.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

TRENVIK_ENUM(TdxDBGridOptionBehavior, edgoAnsiSort, edgoAutoCopySelectedToClipboard, edgoAutoSearch,
             edgoAutoSort, edgoBandButtonClicking, edgoCaseInsensitive, edgoCellMultiSelect,
             edgoCollapsedReload, edgoDblClick, edgoDragCollapse, edgoDragExpand, edgoDragScroll, edgoEditing,
             edgoEnterShowEditor, edgoEnterThrough, edgoExtMultiSelect, edgoHeaderButtonClicking,
             edgoHorzThrough, edgoImmediateEditor, edgoMouseScroll, edgoMultiSelect, edgoMultiSort,
             edgoSeekDetail, edgoShowHourGlass, edgoStoreToIniFile, edgoStoreToRegistry, edgoTabs,
             edgoTabThrough, edgoVertThrough);
TRENVIK_ENUM(TdxDBGridOptionCustomize, edgoBandMoving, edgoBandPanelSizing, edgoBandSizing, edgoColumnMoving,
             edgoColumnSizing, edgoExtCustomizing, edgoFullSizing, edgoHeaderPanelSizing, edgoKeepColumnWidth,
             edgoNotHideColumn, edgoRowSizing);
TRENVIK_ENUM(TdxDBGridOptionDB, edgoCanAppend, edgoCancelOnExit, edgoCanDelete, edgoCanInsert,
             edgoCanNavigation, edgoConfirmDelete, edgoLoadAllRecords, edgoPartialLoad, edgoResetColumnFocus,
             edgoSmartRefresh, edgoSmartReload, edgoSyncSelection, edgoUseBookmarks, edgoUseLocate);
TRENVIK_ENUM(TdxDBGridOptionView, edgoAutoCalcPreviewLines, edgoAutoHeaderPanelHeight, edgoAutoWidth,
             edgoBandHeaderWidth, edgoDrawEndEllipsis, edgoHideFocusRect, edgoHotTrack, edgoIndicator,
             edgoInvertSelect, edgoPreview, edgoRowAutoHeight, edgoRowSelect, edgoShowButtonAlways,
             edgoUseBitmap);
TRENVIK_ENUM(TdxDBGridOption, egoColumnSizing, egoColumnMoving, egoEditing, egoTabs, egoTabThrough,
             egoRowSelect, egoMultiSelect, egoCanDelete, egoConfirmDelete, egoCanNavigation, egoCanAppend,
             egoCancelOnExit, egoImmediateEditor, egoCanInsert, egoLoadAllRecords, egoPreview,
             egoDrawEndEllipsis, egoStoreToRegistry, egoAutoWidth, egoShowHourGlass, egoCaseInsensitive,
             egoDblClick, egoIndicator, egoExtMultiSelect, egoResetColumnFocus, egoExtCustomizing,
             egoHideFocusRect, egoStoreToIniFile, egoUseLocate, egoSmartReload, egoSmartRefresh,
             egoSeekDetail);
TRENVIK_ENUM(TdxDBGridOptionEx, egoInvertSelect, egoUseBitmap, egoBandHeaderWidth, egoAutoCalcPreviewLines,
             egoBandSizing, egoBandMoving, egoHorzThrough, egoVertThrough, egoCellMultiSelect,
             egoEnterThrough, egoEnterShowEditor, egoFullSizing, egoDragScroll, egoDragExpand,
             egoDragCollapse, egoRowAutoHeight, egoBandButtonClicking, egoBandPanelSizing,
             egoHeaderButtonClicking, egoHeaderPanelSizing, egoRowSizing, egoAutoSort, egoNotHideColumn,
             egoMultiSort, egoShowButtonAlways, egoAutoHeaderPanelHeight, egoKeepColumnWidth,
             egoSyncSelection, egoCollapsedReload, egoAnsiSort, egoMouseScroll, egoAutoSearch);

using TdxDBGridOptionsBehavior = Set<TdxDBGridOptionBehavior>;
using TdxDBGridOptionsCustomize = Set<TdxDBGridOptionCustomize>;
using TdxDBGridOptionsDB = Set<TdxDBGridOptionDB>;
using TdxDBGridOptionsView = Set<TdxDBGridOptionView>;
using TdxDBGridOptions = Set<TdxDBGridOption>;
using TdxDBGridOptionsEx = Set<TdxDBGridOptionEx>;

// Where a master value goes: an engine word (0 first, 1 second, -1 none) and bit, and a legacy set
// (0 Options, 1 OptionsEx, -1 none) and bit.
struct TdxGridOptionMapping {
  int Master;
  int Word;
  int Bit;
  int Legacy;
  int LegacyBit;
};

std::span<const TdxGridOptionMapping> BehaviorOptionMap();
std::span<const TdxGridOptionMapping> CustomizeOptionMap();
std::span<const TdxGridOptionMapping> DBOptionMap();
std::span<const TdxGridOptionMapping> ViewOptionMap();

// Sets or clears the engine bits of Map from the master bits.
void MapOptionsToEngine(std::span<const TdxGridOptionMapping> Map, UInt64 Master, DWORD& Word0, DWORD& Word1);
// Sets or clears the legacy bits of Map from the master bits; legacy bits without a master stay.
void MapOptionsToLegacy(std::span<const TdxGridOptionMapping> Map, UInt64 Master, UInt64& Options,
                        UInt64& OptionsEx);
// The other direction: the master bits of Map from the legacy set written (Legacy 0 or 1).
UInt64 MapLegacyToOptions(std::span<const TdxGridOptionMapping> Map, UInt64 Master, int Legacy, UInt64 Bits);

inline constexpr TdxDBGridOptionsBehavior kDefaultOptionsBehavior = {
    edgoAutoSort,        edgoDragScroll, edgoEditing,    edgoEnterShowEditor,
    edgoImmediateEditor, edgoTabThrough, edgoVertThrough};
inline constexpr TdxDBGridOptionsCustomize kDefaultOptionsCustomize = {edgoBandMoving, edgoBandSizing,
                                                                       edgoColumnMoving, edgoColumnSizing};
inline constexpr TdxDBGridOptionsDB kDefaultOptionsDB = {
    edgoCancelOnExit, edgoCanDelete, edgoCanInsert, edgoCanNavigation, edgoConfirmDelete, edgoUseBookmarks};
inline constexpr TdxDBGridOptionsView kDefaultOptionsView = {edgoBandHeaderWidth, edgoUseBitmap};
