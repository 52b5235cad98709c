#include "dx/dbgrid/dxDBGridOptions.h"

namespace {

constexpr int kNone = -1;
constexpr int kFirst = 0, kSecond = 1;
constexpr int kOptions = 0, kOptionsEx = 1;

const TdxGridOptionMapping kBehavior[] = {
    {edgoAnsiSort, kSecond, 27, kOptionsEx, egoAnsiSort},
    {edgoAutoCopySelectedToClipboard, kSecond, 31, kNone, 0},
    {edgoAutoSearch, kSecond, 29, kOptionsEx, egoAutoSearch},
    {edgoAutoSort, kFirst, 14, kOptionsEx, egoAutoSort},
    {edgoBandButtonClicking, kSecond, 17, kOptionsEx, egoBandButtonClicking},
    {edgoCaseInsensitive, kFirst, 15, kOptions, egoCaseInsensitive},
    {edgoCellMultiSelect, kSecond, 8, kOptionsEx, egoCellMultiSelect},
    {edgoCollapsedReload, kNone, 0, kOptionsEx, egoCollapsedReload},
    {edgoDblClick, kNone, 0, kOptions, egoDblClick},
    {edgoDragCollapse, kSecond, 14, kOptionsEx, egoDragCollapse},
    {edgoDragExpand, kSecond, 13, kOptionsEx, egoDragExpand},
    {edgoDragScroll, kSecond, 12, kOptionsEx, egoDragScroll},
    {edgoEditing, kFirst, 2, kOptions, egoEditing},
    {edgoEnterShowEditor, kSecond, 10, kOptionsEx, egoEnterShowEditor},
    {edgoEnterThrough, kSecond, 9, kOptionsEx, egoEnterThrough},
    {edgoExtMultiSelect, kFirst, 11, kOptions, egoExtMultiSelect},
    {edgoHeaderButtonClicking, kSecond, 19, kOptionsEx, egoHeaderButtonClicking},
    {edgoHorzThrough, kSecond, 6, kOptionsEx, egoHorzThrough},
    {edgoImmediateEditor, kFirst, 7, kOptions, egoImmediateEditor},
    {edgoMouseScroll, kSecond, 28, kOptionsEx, egoMouseScroll},
    {edgoMultiSelect, kFirst, 6, kOptions, egoMultiSelect},
    {edgoMultiSort, kNone, 0, kOptionsEx, egoMultiSort},
    {edgoSeekDetail, kNone, 0, kOptions, egoSeekDetail},
    {edgoShowHourGlass, kSecond, 16, kOptions, egoShowHourGlass},
    {edgoStoreToIniFile, kFirst, 17, kOptions, egoStoreToIniFile},
    {edgoStoreToRegistry, kFirst, 16, kOptions, egoStoreToRegistry},
    {edgoTabs, kFirst, 3, kOptions, egoTabs},
    {edgoTabThrough, kFirst, 4, kOptions, egoTabThrough},
    {edgoVertThrough, kSecond, 7, kOptionsEx, egoVertThrough},
};

const TdxGridOptionMapping kCustomize[] = {
    {edgoBandMoving, kSecond, 5, kOptionsEx, egoBandMoving},
    {edgoBandPanelSizing, kSecond, 18, kOptionsEx, egoBandPanelSizing},
    {edgoBandSizing, kSecond, 4, kOptionsEx, egoBandSizing},
    {edgoColumnMoving, kFirst, 1, kOptions, egoColumnMoving},
    {edgoColumnSizing, kFirst, 0, kOptions, egoColumnSizing},
    {edgoExtCustomizing, kFirst, 12, kOptions, egoExtCustomizing},
    {edgoFullSizing, kSecond, 11, kOptionsEx, egoFullSizing},
    {edgoHeaderPanelSizing, kSecond, 20, kOptionsEx, egoHeaderPanelSizing},
    {edgoKeepColumnWidth, kSecond, 26, kOptionsEx, egoKeepColumnWidth},
    {edgoNotHideColumn, kNone, 0, kOptionsEx, egoNotHideColumn},
    {edgoRowSizing, kSecond, 21, kOptionsEx, egoRowSizing},
};

const TdxGridOptionMapping kDB[] = {
    {edgoCanAppend, kNone, 0, kOptions, egoCanAppend},
    {edgoCancelOnExit, kNone, 0, kOptions, egoCancelOnExit},
    {edgoCanDelete, kNone, 0, kOptions, egoCanDelete},
    {edgoCanInsert, kNone, 0, kOptions, egoCanInsert},
    {edgoCanNavigation, kNone, 0, kOptions, egoCanNavigation},
    {edgoConfirmDelete, kNone, 0, kOptions, egoConfirmDelete},
    {edgoLoadAllRecords, kNone, 0, kOptions, egoLoadAllRecords},
    {edgoPartialLoad, kNone, 0, kNone, 0},
    {edgoResetColumnFocus, kNone, 0, kOptions, egoResetColumnFocus},
    {edgoSmartRefresh, kNone, 0, kOptions, egoSmartRefresh},
    {edgoSmartReload, kNone, 0, kOptions, egoSmartReload},
    {edgoSyncSelection, kNone, 0, kOptionsEx, egoSyncSelection},
    {edgoUseBookmarks, kNone, 0, kNone, 0},
    {edgoUseLocate, kNone, 0, kOptions, egoUseLocate},
};

// edgoIndicator has no engine bit: the grid shows the indicator through the engine's property.
const TdxGridOptionMapping kView[] = {
    {edgoAutoCalcPreviewLines, kSecond, 3, kOptionsEx, egoAutoCalcPreviewLines},
    {edgoAutoHeaderPanelHeight, kSecond, 25, kOptionsEx, egoAutoHeaderPanelHeight},
    {edgoAutoWidth, kFirst, 10, kOptions, egoAutoWidth},
    {edgoBandHeaderWidth, kSecond, 2, kOptionsEx, egoBandHeaderWidth},
    {edgoDrawEndEllipsis, kFirst, 9, kOptions, egoDrawEndEllipsis},
    {edgoHideFocusRect, kFirst, 13, kOptions, egoHideFocusRect},
    {edgoHotTrack, kSecond, 30, kNone, 0},
    {edgoIndicator, kNone, 0, kOptions, egoIndicator},
    {edgoInvertSelect, kSecond, 0, kOptionsEx, egoInvertSelect},
    {edgoPreview, kFirst, 8, kOptions, egoPreview},
    {edgoRowAutoHeight, kSecond, 15, kOptionsEx, egoRowAutoHeight},
    {edgoRowSelect, kFirst, 5, kOptions, egoRowSelect},
    {edgoShowButtonAlways, kSecond, 24, kOptionsEx, egoShowButtonAlways},
    {edgoUseBitmap, kSecond, 1, kOptionsEx, egoUseBitmap},
};

template <class T>
void Assign(T& Bits, int Bit, bool On) {
  const T mask = T(1) << Bit;
  Bits = On ? (Bits | mask) : (Bits & ~mask);
}

}  // namespace

std::span<const TdxGridOptionMapping> BehaviorOptionMap() { return kBehavior; }
std::span<const TdxGridOptionMapping> CustomizeOptionMap() { return kCustomize; }
std::span<const TdxGridOptionMapping> DBOptionMap() { return kDB; }
std::span<const TdxGridOptionMapping> ViewOptionMap() { return kView; }

void MapOptionsToEngine(std::span<const TdxGridOptionMapping> Map, UInt64 Master, DWORD& Word0,
                        DWORD& Word1) {
  for (const auto& m : Map) {
    if (m.Word == kNone) continue;
    Assign(m.Word == kFirst ? Word0 : Word1, m.Bit, (Master >> m.Master) & 1);
  }
}

void MapOptionsToLegacy(std::span<const TdxGridOptionMapping> Map, UInt64 Master, UInt64& Options,
                        UInt64& OptionsEx) {
  for (const auto& m : Map) {
    if (m.Legacy == kNone) continue;
    Assign(m.Legacy == kOptions ? Options : OptionsEx, m.LegacyBit, (Master >> m.Master) & 1);
  }
}

UInt64 MapLegacyToOptions(std::span<const TdxGridOptionMapping> Map, UInt64 Master, int Legacy, UInt64 Bits) {
  for (const auto& m : Map)
    if (m.Legacy == Legacy) Assign(Master, m.Master, (Bits >> m.LegacyBit) & 1);
  return Master;
}
