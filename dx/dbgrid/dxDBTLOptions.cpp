// The data-aware tree's behaviour, customizing and view options and the engine option bits they
// stand for.
#include <span>

#include "dx/dbgrid/dxDBTL.h"
#include "dx/treelist/dxTL.h"

namespace {

// Which engine word (1 the first, 2 the second, 0 none) and bit an option sets.
template <class Option>
struct TOptionBit {
  Option Value;
  int Word;
  int Bit;
};

constexpr TOptionBit<TdxDBTreeListOptionBehavior> kBehaviorBits[] = {
    {etoAnsiSort, 2, 27},
    {etoAutoCopySelectedToClipboard, 2, 31},
    {etoAutoDragDrop, 0, 0},
    {etoAutoDragDropCopy, 0, 0},
    {etoAutoSearch, 2, 29},
    {etoAutoSort, 1, 14},
    {etoBandButtonClicking, 2, 17},
    {etoCaseInsensitive, 1, 15},
    {etoDblClick, 0, 0},
    {etoDragCollapse, 2, 14},
    {etoDragExpand, 2, 13},
    {etoDragScroll, 2, 12},
    {etoEditing, 1, 2},
    {etoEnterShowEditor, 2, 10},
    {etoEnterThrough, 2, 9},
    {etoHeaderButtonClicking, 2, 19},
    {etoHorzThrough, 2, 6},
    {etoImmediateEditor, 1, 7},
    {etoMouseScroll, 2, 28},
    {etoMultiSelect, 1, 6},
    {etoShowHourGlass, 2, 16},
    {etoStoreToIniFile, 1, 17},
    {etoStoreToRegistry, 1, 16},
    {etoTabs, 1, 3},
    {etoTabThrough, 1, 4},
    {etoVertThrough, 2, 7},
};

constexpr TOptionBit<TdxDBTreeListOptionCustomize> kCustomizeBits[] = {
    {etoBandMoving, 2, 5},   {etoBandPanelSizing, 2, 18},   {etoBandSizing, 2, 4},
    {etoColumnMoving, 1, 1}, {etoColumnSizing, 1, 0},       {etoExtCustomizing, 1, 12},
    {etoFullSizing, 2, 11},  {etoHeaderPanelSizing, 2, 20}, {etoKeepColumnWidth, 2, 26},
    {etoRowSizing, 2, 21},
};

// The indicator is a property of its own and a change of the image-index option reloads: no bits.
constexpr TOptionBit<TdxDBTreeListOptionView> kViewBits[] = {
    {etoAutoCalcPreviewLines, 2, 3},
    {etoAutoHeaderPanelHeight, 2, 25},
    {etoAutoWidth, 1, 10},
    {etoBandHeaderWidth, 2, 2},
    {etoDrawEndEllipsis, 1, 9},
    {etoHideFocusRect, 1, 13},
    {etoHotTrack, 2, 30},
    {etoIndicator, 0, 0},
    {etoInvertSelect, 2, 0},
    {etoPreview, 1, 8},
    {etoRowAutoHeight, 2, 15},
    {etoRowSelect, 1, 5},
    {etoShowButtonAlways, 2, 24},
    {etoUseBitmap, 2, 1},
    {etoUseImageIndexForSelected, 0, 0},
};

// The engine's two words with every mapped bit of Bits set or cleared as Value says.
template <class Option>
void MapOptions(TCustomdxTreeList& Engine, std::span<const TOptionBit<Option>> Bits, Set<Option> Value) {
  DWORD words[3] = {0, Engine.OptionFlags(), Engine.OptionFlagsEx()};
  for (const auto& b : Bits) {
    if (b.Word == 0) continue;
    if (Value.Contains(b.Value))
      words[b.Word] |= 1u << b.Bit;
    else
      words[b.Word] &= ~(1u << b.Bit);
  }
  Engine.SetOptionFlags(words[1]);
  Engine.SetOptionFlagsEx(words[2]);
}

}  // namespace

void TCustomdxDBTreeList::SetOptionsBehavior(TdxDBTreeListOptionsBehavior Value) {
  if (Value == optionsBehavior_) return;
  TdxTreeListUpdateScope update(this);
  MapOptions<TdxDBTreeListOptionBehavior>(*this, kBehaviorBits, Value);
  optionsBehavior_ = Value;
}

void TCustomdxDBTreeList::SetOptionsCustomize(TdxDBTreeListOptionsCustomize Value) {
  if (Value == optionsCustomize_) return;
  TdxTreeListUpdateScope update(this);
  MapOptions<TdxDBTreeListOptionCustomize>(*this, kCustomizeBits, Value);
  optionsCustomize_ = Value;
}

void TCustomdxDBTreeList::SetOptionsView(TdxDBTreeListOptionsView Value) {
  if (Value == optionsView_) return;
  // Inverted selection and row selection exclude each other; inverted wins.
  if (Value.Contains(etoInvertSelect)) Value.Exclude(etoRowSelect);
  const bool reload =
      Value.Contains(etoUseImageIndexForSelected) != optionsView_.Contains(etoUseImageIndexForSelected);
  {
    TdxTreeListUpdateScope update(this);
    MapOptions<TdxDBTreeListOptionView>(*this, kViewBits, Value);
    SetShowIndicator(Value.Contains(etoIndicator));
    optionsView_ = Value;
  }
  if (reload) RefreshDataLayout();
}
