// The tree list's enumerations, option bits, hit kinds and its one exception class.
#pragma once

#include <functional>

#include "platform/classes/TypInfo.h"
#include "platform/forms/Controls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"
#include "platform/rtl/WinDef.h"

class TdxTreeListNode;
class TCustomdxTreeList;

TRENVIK_DECLARE_EXCEPTION(EInvaliddxTreeListOperation, Exception);

TRENVIK_ENUM(TdxTreeListNodeAttachMode, natlAdd, natlAddFirst, natlAddChild, natlAddChildFirst, natlInsert);
TRENVIK_ENUM(TdxTreeListColumnSort, csNone, csDown, csUp);
TRENVIK_ENUM(TdxLookAndFeel, lfStandard, lfFlat, lfUltraFlat);
TRENVIK_ENUM(TdxTreeListPaintStyle, psStandard, psOutlook);
TRENVIK_ENUM(TdxTreeLineStyle, tlSolid, tlDot);
TRENVIK_ENUM(TdxGridBandFixed, bfNone, bfLeft, bfRight);

// The interaction state byte; the numbers are stored and compared.
enum TdxTreeListState : Byte {
  tsNormal = 0,
  tsColumnSizing = 1,
  tsEditing = 2,
  tsColumnDragging = 3,
  tsColumnDown = 4,
  tsNodeDragging = 5,
  tsNodeDown = 6,
  tsHeaderButtonDown = 7,
  tsBandSizing = 8,
  tsBandDragging = 9,
  tsBandDown = 10,
  tsBandButtonDown = 11,
  tsBandPanelSizing = 12,
  tsHeaderPanelSizing = 13,
  tsRowSizing = 14,
  tsFilterButtonDown = 15,
  tsClearFilterDown = 16,
};

// The states in which the mouse sizes a band, a column, a panel or the rows.
// The drop place of a drag that has none: off every window, where no arrow or image shows.
constexpr POINT kNoPlace{-100, -100};

constexpr bool IsSizingState(TdxTreeListState State) {
  return State == tsColumnSizing || State == tsBandSizing || State == tsBandPanelSizing ||
         State == tsHeaderPanelSizing || State == tsRowSizing;
}
// The sizing states and the header and band drags: Esc and focus loss cancel them.
constexpr bool IsDragSizingState(TdxTreeListState State) {
  return IsSizingState(State) || State == tsColumnDragging || State == tsBandDragging;
}

// What lies under a client point; the numbers are stored and compared.
enum TdxTreeListHitKind : Byte {
  tlhNowhere = 0,
  tlhHeader = 1,
  tlhHeaderEdge = 2,
  tlhButton = 3,
  tlhImage = 4,
  tlhStateImage = 5,
  tlhIndent = 6,
  tlhCell = 7,
  tlhRowRight = 8,
  tlhOutside = 9,
  tlhGroupPanel = 10,
  tlhBandButton = 11,
  tlhBand = 12,
  tlhBandEdge = 13,
  tlhHeaderButton = 14,
  tlhIndicator = 15,
  tlhNewItemRow = 16,
  tlhRowFooter = 17,
  tlhFooter = 18,
  tlhBandPanelEdge = 19,
  tlhHeaderPanelEdge = 20,
  tlhRowEdge = 21,
  tlhPreview = 22,
  tlhFilterStatus = 23,
};

// The parts of a data row a right-button press also selects.
constexpr bool IsRowPart(TdxTreeListHitKind Kind) {
  return Kind == tlhImage || Kind == tlhStateImage || Kind == tlhCell || Kind == tlhNewItemRow ||
         Kind == tlhRowFooter || Kind == tlhPreview;
}

struct TdxTreeListHitInfo {
  POINT Point{};
  int Band = -1;
  int Column = -1;
  TdxTreeListNode* Node = nullptr;
  int RowIndex = -1;
  int FooterLevel = -1;
  TdxTreeListHitKind HitKind = tlhNowhere;
};

// Where a dragged header would land. ItemIndex: -1 outside the header area (the drop hides the
// column when hiding is allowed), -2 inside it but nowhere valid, -3 a valid place.
struct TdxHeaderPosInfo {
  int BandIndex = -1;  // visible band position
  int RowIndex = -1;
  int ColIndex = -1;  // position within the row
  int ItemIndex = -1;
  bool operator==(const TdxHeaderPosInfo&) const = default;
};

// The drop-place codes of headers and bands.
constexpr int dxDropOutside = -1;
constexpr int dxDropNowhere = -2;
constexpr int dxDropValid = -3;

struct TdxTreeListHotTrackInfo {
  TdxTreeListNode* Node = nullptr;
  int Column = -1;
  int HeaderPart = 0;
};

// OptionFlags bits.
namespace dxtlo {
constexpr DWORD ColumnSizing = 1u << 0;
constexpr DWORD ColumnMoving = 1u << 1;
constexpr DWORD Editing = 1u << 2;
constexpr DWORD Tabs = 1u << 3;
constexpr DWORD TabThrough = 1u << 4;
constexpr DWORD RowSelect = 1u << 5;
constexpr DWORD MultiSelect = 1u << 6;
constexpr DWORD ImmediateEditor = 1u << 7;
constexpr DWORD Preview = 1u << 8;
constexpr DWORD DrawEndEllipsis = 1u << 9;
constexpr DWORD AutoWidth = 1u << 10;
constexpr DWORD ExtMultiSelect = 1u << 11;
constexpr DWORD ExtCustomizing = 1u << 12;
constexpr DWORD HideFocusRect = 1u << 13;
constexpr DWORD AutoSort = 1u << 14;
constexpr DWORD CaseInsensitive = 1u << 15;
constexpr DWORD StoreToRegistry = 1u << 16;
constexpr DWORD StoreToIniFile = 1u << 17;
constexpr DWORD Default = 55;
}  // namespace dxtlo

// OptionFlagsEx bits.
namespace dxtlox {
constexpr DWORD InvertSelect = 1u << 0;
constexpr DWORD UseBitmap = 1u << 1;
constexpr DWORD BandHeaderWidth = 1u << 2;
constexpr DWORD AutoCalcPreviewLines = 1u << 3;
constexpr DWORD BandSizing = 1u << 4;
constexpr DWORD BandMoving = 1u << 5;
constexpr DWORD HorzThrough = 1u << 6;
constexpr DWORD VertThrough = 1u << 7;
constexpr DWORD CellMultiSelect = 1u << 8;
constexpr DWORD EnterThrough = 1u << 9;
constexpr DWORD EnterShowEditor = 1u << 10;
constexpr DWORD FullSizing = 1u << 11;
constexpr DWORD DragScroll = 1u << 12;
constexpr DWORD DragExpand = 1u << 13;
constexpr DWORD DragCollapse = 1u << 14;
constexpr DWORD RowAutoHeight = 1u << 15;
constexpr DWORD ShowHourGlass = 1u << 16;
constexpr DWORD BandButtonClicking = 1u << 17;
constexpr DWORD BandPanelSizing = 1u << 18;
constexpr DWORD HeaderButtonClicking = 1u << 19;
constexpr DWORD HeaderPanelSizing = 1u << 20;
constexpr DWORD RowSizing = 1u << 21;
constexpr DWORD MultiSort = 1u << 22;
constexpr DWORD ShowButtonAlways = 1u << 24;
constexpr DWORD AutoHeaderPanelHeight = 1u << 25;
constexpr DWORD KeepColumnWidth = 1u << 26;
constexpr DWORD AnsiSort = 1u << 27;
constexpr DWORD MouseScroll = 1u << 28;
constexpr DWORD AutoSearch = 1u << 29;
constexpr DWORD HotTrack = 1u << 30;
constexpr DWORD AutoCopySelectedToClipboard = 1u << 31;
constexpr DWORD Default = 12350;
}  // namespace dxtlox

// The width of one tree level, and of the expand button box.
constexpr int dxTLLevelIndent = 16;

using TTLExpandedEvent = std::function<void(TObject* Sender, TdxTreeListNode* Node)>;
using TTLExpandingEvent = std::function<void(TObject* Sender, TdxTreeListNode* Node, bool& Allow)>;
using TTLChangeNodeEvent =
    std::function<void(TObject* Sender, TdxTreeListNode* OldNode, TdxTreeListNode* Node)>;
using TTLChangeColumnEvent = std::function<void(TObject* Sender, TdxTreeListNode* Node, int Column)>;
using TdxTLCompareEvent =
    std::function<void(TObject* Sender, TdxTreeListNode* Node1, TdxTreeListNode* Node2, int& Compare)>;
using TdxTLCanNodeSelected = std::function<void(TObject* Sender, TdxTreeListNode* Node, bool& Allow)>;
using TdxTLHotTrackNode =
    std::function<void(TObject* Sender, const TdxTreeListHotTrackInfo& Info, TCursor& Cursor)>;
