// The data-aware tree's behaviour options and the engine option bits they stand for.
#include "dx/dbgrid/dxDBTL.h"
#include "dx/treelist/dxTL.h"

namespace {

// Which engine word (1 the first, 2 the second, 0 none) and bit an option sets.
struct TBehaviorBit {
  TdxDBTreeListOptionBehavior Option;
  int Word;
  int Bit;
};

constexpr TBehaviorBit kBehaviorBits[] = {
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

}  // namespace

void TCustomdxDBTreeList::SetOptionsBehavior(TdxDBTreeListOptionsBehavior Value) {
  if (Value == optionsBehavior_) return;
  TdxTreeListUpdateScope update(this);
  DWORD words[3] = {0, OptionFlags(), OptionFlagsEx()};
  for (const TBehaviorBit& b : kBehaviorBits) {
    if (b.Word == 0) continue;
    if (Value.Contains(b.Option))
      words[b.Word] |= 1u << b.Bit;
    else
      words[b.Word] &= ~(1u << b.Bit);
  }
  optionsBehavior_ = Value;
  SetOptionFlags(words[1]);
  SetOptionFlagsEx(words[2]);
}
