// The layout pass (pixel sizes from fonts and options), the client-area split and the draw
// information: bands, header cells and the rows on screen.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

RECT EmptyIfFlat(const RECT& R) { return R.bottom > R.top && R.right > R.left ? R : RECT{}; }

}  // namespace

void TCustomdxTreeList::MeasureLayout() {
  TdxTreeListLayout& L = layout_;
  L.Flat = lookAndFeel_ != lfStandard;
  int edge = L.Flat ? 0 : 1;
  L.BandRowCount = GetBandRowCount();
  L.HeaderPanelRowCount = GetHeaderPanelRowCount();
  L.HeaderLineCount = GetHeaderMinRowCount();
  L.BandFontHeight = FontTextHeight(bandFont_.get());
  L.BandPanelHeight = showBands_ ? edge + L.BandRowCount * L.BandFontHeight + 5 : 0;
  L.HeaderRowHeight = FontTextHeight(headerFont_.get()) * L.HeaderLineCount + edge + 5;
  L.HeaderPanelHeight = showHeader_ ? L.HeaderRowHeight * L.HeaderPanelRowCount : 0;
  L.GroupPanelHeight = GetGroupPanelHeight();
  L.IndicatorWidth = showIndicator_ ? GetGrIndicatorWidth() : 0;
  L.LineHeight = FontTextHeight(Font());
  L.FooterRowHeight = L.LineHeight + 7;
  L.FooterHeight = showFooter_ ? L.FooterRowHeight * L.HeaderPanelRowCount + edge + 3 : 0;
  L.RowFooterHeight = L.FooterRowHeight * L.HeaderPanelRowCount + 2 + (showGrid_ && showPreviewGrid_ ? 1 : 0);
  L.FilterStatusHeight = IsFilterStatusVisible() ? std::max(L.LineHeight + 5, 17) : 0;
  L.DigitWidth = FontDigitWidth(Font());
  L.ImageWidth = images_ ? images_->Width() : 0;
  L.ImageHeight = images_ ? images_->Height() : 0;
  L.StateImageWidth = stateImages_ ? stateImages_->Width() : 0;
  L.StateImageHeight = stateImages_ ? stateImages_->Height() : 0;
  int g = showGrid_ && showPreviewGrid_ ? 1 : 0;
  int minimum = std::max(L.LineHeight + 3, 16);
  auto raiseTo = [&](int Height) {
    if (L.HeaderPanelRowCount * (minimum + g) < Height) minimum = Height;
  };
  raiseTo(L.ImageHeight);
  raiseTo(L.StateImageHeight);
  {
    TCanvas canvas;
    HDC dc = CreateCompatibleDC(nullptr);
    canvas.SetHandle(dc);
    raiseTo(GetMaxColumnMinCellHeight(&canvas));
    canvas.SetHandle(nullptr);
    DeleteDC(dc);
  }
  minimum += g + (IsInvertSelect() ? 2 : 0);
  L.MinRowHeight = minimum;
  if (!rowHeightAssigned_ || defaultRowHeight_ < minimum) defaultRowHeight_ = minimum;
  if (defaultRowHeight_ == minimum) rowHeightAssigned_ = false;
  L.NewItemRowGap = L.Flat ? 5 : 6;
  L.NewItemRowHeight = L.HeaderPanelRowCount == 1 && showNewItemRow_ && GetVisibleBandCount() > 0
                           ? defaultRowHeight_ + L.NewItemRowGap
                           : 0;
  L.PreviewLineHeight = FontTextHeight(previewFont_.get());
}

void TCustomdxTreeList::RunLayoutPass() {
  ++layoutPasses_;
  MeasureLayout();
  ClearNodeCache();
  RefreshColumns();
  // The cache is rebuilt before the scroll positions are clamped, so that clamping reads rows from it.
  RefreshNodeCache();
  UpdateScrollBars();
  RemoveNeedlessScrollBars();
  ClampScrollPositions();
  AfterCalcLayout();
  if (!cacheValid_) RefreshNodeCache();
  UpdateVisibleRowCount();
  if (HandleAllocated()) Invalidate();
}

void TCustomdxTreeList::CalcRectInfo(TdxTreeListRectInfo& A) {
  const TdxTreeListLayout& L = layout_;
  A = {};
  A.Client = HandleAllocated() ? ClientRect() : RECT{0, 0, Width(), Height()};
  const RECT& c = A.Client;
  int y = c.top;
  int rowsLeft = c.left + L.IndicatorWidth;
  A.GroupPanel = EmptyIfFlat(RECT{c.left, y, c.right, y + L.GroupPanelHeight});
  y += L.GroupPanelHeight;
  A.BandPanel = EmptyIfFlat(RECT{rowsLeft, y, c.right, y + L.BandPanelHeight});
  A.BandCorner = EmptyIfFlat(RECT{c.left, y, rowsLeft, y + L.BandPanelHeight});
  y += L.BandPanelHeight;
  A.HeaderPanel = EmptyIfFlat(RECT{rowsLeft, y, c.right, y + L.HeaderPanelHeight});
  A.HeaderCorner = EmptyIfFlat(RECT{c.left, y, rowsLeft, y + L.HeaderPanelHeight});
  y += L.HeaderPanelHeight;
  A.NewItemRow = EmptyIfFlat(RECT{c.left, y, c.right, y + L.NewItemRowHeight});
  y += L.NewItemRowHeight;
  int filterTop = c.bottom - L.FilterStatusHeight;
  int footerTop = filterTop - L.FooterHeight;
  A.FilterStatus = EmptyIfFlat(RECT{c.left, filterTop, c.right, c.bottom});
  A.Footer = EmptyIfFlat(RECT{c.left, footerTop, c.right, filterTop});
  A.Rows = RECT{rowsLeft, y, c.right, std::max(y, footerTop)};
  A.Indicator = EmptyIfFlat(RECT{c.left, A.Rows.top, rowsLeft, A.Rows.bottom});
}

void TCustomdxTreeList::CalcDrawInfo(TdxTreeListDrawInfo& Info) {
  Info = {};
  CalcRectInfo(Info.Areas);
  Info.GridLineWidth = showGrid_ ? RowSeparatorLineWidth() : 0;
  CalcBandsAndHeaders(Info);
  CalcRows(Info);
}

void TCustomdxTreeList::CalcBandsAndHeaders(TdxTreeListDrawInfo& Info) {
  const TdxTreeListRectInfo& A = Info.Areas;
  int count = GetVisibleBandCount();
  int indent = GetGroupIndent();
  int panelLeft = A.Rows.left, panelRight = A.Client.right;
  int top = A.Client.top + layout_.GroupPanelHeight;
  int bottom = top + layout_.BandPanelHeight;
  int fixedBottom = A.Rows.top - (IsNewItemRowVisible() ? layout_.NewItemRowGap : 0);
  Info.TotalBandsWidth = GetBandsWidth();
  if (count == 0) {
    Info.ContentRight = A.Rows.left - 1;
    return;
  }
  int leftFixed = GetLeftFixedBandIndex(), rightFixed = GetRightFixedBandIndex();
  int scrollLeft = panelLeft;
  std::vector<TdxTreeListBandItem> bands;
  TdxTreeListBandItem leftItem, rightItem;
  if (leftFixed >= 0) {
    int width = GetBandWidth(leftFixed) + indent;
    Info.HasLeftFixed = true;
    Info.LeftFixedArea = RECT{panelLeft, top, panelLeft + width, fixedBottom};
    leftItem.VisibleIndex = leftFixed;
    leftItem.Rect = RECT{panelLeft, top, panelLeft + width - fixedBandLineWidth_, bottom};
    leftItem.Clip = leftItem.Rect;
    scrollLeft = panelLeft + width;
  }
  if (Info.TotalBandsWidth < panelRight - panelLeft) {
    panelRight = panelLeft + Info.TotalBandsWidth;
    Info.EmptyRight = RECT{panelRight, top, A.Client.right, A.Rows.bottom};
  }
  int scrollRight = panelRight;
  if (rightFixed >= 0) {
    int width = GetBandWidth(rightFixed);
    int areaLeft = std::max(panelRight - width, Info.HasLeftFixed ? Info.LeftFixedArea.right : panelLeft);
    Info.HasRightFixed = true;
    Info.RightFixedArea = RECT{areaLeft, top, areaLeft + width, fixedBottom};
    rightItem.VisibleIndex = rightFixed;
    rightItem.Rect = RECT{areaLeft + fixedBandLineWidth_, top, areaLeft + width, bottom};
    rightItem.Clip = rightItem.Rect;
    scrollRight = areaLeft;
  }
  Info.ScrollableArea = RECT{scrollLeft, top, std::max(scrollLeft, scrollRight), A.Rows.bottom};
  if (Info.HasLeftFixed) bands.push_back(leftItem);
  int scrollWidth = scrollRight - scrollLeft;
  int x = -leftCoord_;
  int first = leftFixed >= 0 ? 1 : 0, last = rightFixed >= 0 ? count - 2 : count - 1;
  for (int v = first; v <= last && x < scrollWidth; ++v) {
    int w = GetBandWidth(v) + (v == 0 ? indent : 0);
    if (x + w > 0) {
      TdxTreeListBandItem item;
      item.VisibleIndex = v;
      item.Rect = RECT{scrollLeft + x, top, scrollLeft + x + w, bottom};
      item.Clip =
          RECT{std::max(item.Rect.left, scrollLeft), top, std::min(item.Rect.right, scrollRight), bottom};
      bands.push_back(item);
    }
    x += w;
  }
  if (Info.HasRightFixed) bands.push_back(rightItem);
  Info.Bands = std::move(bands);
  int headerTop = bottom;
  for (const TdxTreeListBandItem& band : Info.Bands) {
    int rows = GetBandHeaderRowCount(band.VisibleIndex);
    if (rows == 0) {
      TdxTreeListEmptyHeader e;
      e.Band = band.VisibleIndex;
      e.Rect = RECT{band.Rect.left, headerTop, band.Rect.right,
                    headerTop + layout_.HeaderRowHeight * layout_.HeaderPanelRowCount};
      e.CutRight = band.Clip.right < band.Rect.right;
      Info.EmptyHeaders.push_back(e);
      continue;
    }
    for (int r = 0; r < rows; ++r) CalcHeaderRow(Info, band, r);
  }
  if (!Info.Headers.empty()) Info.Headers.back().Last = true;
  // Content right edge and the tree column.
  Info.ContentRight = A.Rows.left + Info.TotalBandsWidth - 1 - (Info.HasLeftFixed ? 0 : leftCoord_);
  if (Info.HasRightFixed) Info.ContentRight = std::min(Info.ContentRight, A.Rows.right - 1);
  int tree = GetBandWidth(0) + indent;
  if (Info.HasLeftFixed) tree = std::min(tree, Info.LeftFixedArea.right - fixedBandLineWidth_ - A.Rows.left);
  if (Info.HasRightFixed)
    tree = std::min(tree, Info.RightFixedArea.left - A.Rows.left + (Info.HasLeftFixed ? 0 : leftCoord_));
  Info.TreeColumnWidth = tree;
}

void TCustomdxTreeList::CalcHeaderRow(TdxTreeListDrawInfo& Info, const TdxTreeListBandItem& Band, int Row) {
  int v = Band.VisibleIndex;
  int count = GetBandRowColumnCount(v, Row);
  if (count <= 0) return;
  int indent = v == 0 ? GetGroupIndent() : 0;
  int avail = (Band.Rect.right - Band.Rect.left) - indent;
  std::vector<int> cols(count), widths(count), mins(count), shares(count, 0);
  std::vector<char> fixed(count, 0);
  for (int p = 0; p < count; ++p) {
    cols[p] = GetColumnAt(v, Row, p);
    widths[p] = GetColumnWidth(cols[p]);
    mins[p] = GetColumnMinWidth(cols[p]);
    if (!IsColumnSizable(cols[p])) {
      fixed[p] = 1;
      shares[p] = widths[p];
      avail = std::max(avail - widths[p], 0);
    }
  }
  // Proportional shares; a column whose share falls below its minimum is fixed there and the
  // shares are worked out again for the others.
  for (bool again = true; again;) {
    again = false;
    long long sum = 0;
    for (int p = 0; p < count; ++p)
      if (!fixed[p]) sum += widths[p];
    for (int p = 0; p < count; ++p) {
      if (fixed[p]) continue;
      int share = sum < 1 ? 0 : static_cast<int>(static_cast<long long>(widths[p]) * avail / sum);
      if (share < mins[p]) {
        fixed[p] = 2;
        shares[p] = mins[p];
        avail = std::max(avail - mins[p], 0);
        again = true;
        break;
      }
      shares[p] = share;
    }
  }
  int headerTop = Band.Rect.bottom;
  int panelBottom = headerTop + layout_.HeaderRowHeight * layout_.HeaderPanelRowCount;
  int bandRows = GetBandHeaderRowCount(v);
  int x = Band.Rect.left;
  for (int p = 0; p < count; ++p) {
    int w = shares[p];
    if (v == 0 && p == 0 && count > 1) w += indent;
    if (p == count - 1) w = Band.Rect.right - x;
    TdxTreeListHeaderItem item;
    item.Column = cols[p];
    item.Band = v;
    item.Row = Row;
    item.Position = p;
    item.RowSpan = GetHeaderRowSpan(v, Row, p);
    item.MultiLine = IsColumnMultiLine(cols[p]);
    item.FirstInRow = p == 0;
    item.LastInRow = p == count - 1;
    item.First = v == 0 && p == 0 && Row == 0;
    item.Rect = RECT{x, headerTop + layout_.HeaderRowHeight * Row, x + w,
                     headerTop + layout_.HeaderRowHeight * (Row + item.RowSpan)};
    item.Clip = RECT{std::max(item.Rect.left, Band.Clip.left), item.Rect.top,
                     std::min(item.Rect.right, Band.Clip.right), item.Rect.bottom};
    if (Row == bandRows - 1 && item.Rect.bottom < panelBottom)
      item.Below = RECT{item.Clip.left, item.Rect.bottom, item.Clip.right, panelBottom};
    if (item.Clip.right > item.Clip.left) Info.Headers.push_back(item);
    x += w;
  }
}

void TCustomdxTreeList::CalcRows(TdxTreeListDrawInfo& Info) {
  const RECT& rows = Info.Areas.Rows;
  int y = rows.top;
  if (!Info.Bands.empty() || true) {
    bool preview = IsPreview();
    bool autoHeight = CanRowAutoHeight();
    for (TdxTreeListNode* node = top_; node && y < rows.bottom; node = GetNextVisibleNode(node)) {
      TdxTreeListRowItem item;
      item.Node = node;
      item.Group = IsGroupNode(node);
      item.Selected = IsMultiSelect() ? IsNodeSelected(node) : node == focused_;
      item.Top = y;
      item.Height = GetRowHeight(node, defaultRowHeight_);
      item.FooterCount = GetRowFooterCount(node);
      item.FootersHeight = item.FooterCount * layout_.RowFooterHeight;
      item.IndicatorKind = GetIndicatorKind(node, item.Selected);
      item.PreviewLines = preview && !item.Group ? GetPreviewLineCount(node) : 0;
      item.LineCount = autoHeight ? node->CachedLineCount() : -1;
      Info.Rows.push_back(item);
      y += item.Height;
    }
  }
  Info.RowsBottom = y;
  if (y < rows.bottom) {
    Info.EmptyBelow = RECT{Info.Areas.Client.left, y, Info.ContentRight + 1, rows.bottom};
    if (Info.Areas.Indicator.right > Info.Areas.Indicator.left) Info.Areas.Indicator.bottom = y;
  }
}

void TCustomdxTreeList::GetTreeIndent(TdxTreeListNode* Node, int& ButtonRight, int& ContentLeft) {
  int level = Node ? Node->GetLevel() : 0;
  bool parent = Node && Node->HasChildren();
  ButtonRight = parent || paintStyle_ == psStandard ? dxTLLevelIndent * (level + 1) : dxTLLevelIndent * level;
  if (!ShowRoot()) ButtonRight -= dxTLLevelIndent;
  ContentLeft = ButtonRight + layout_.ImageWidth;
  if (Node && GetStateIndex(Node) != -1) ContentLeft += layout_.StateImageWidth;
}

int TCustomdxTreeList::GetVisibleColumnCount() {
  int count = 0;
  for (int v = 0; v < GetVisibleBandCount(); ++v)
    for (int r = 0; r < GetBandHeaderRowCount(v); ++r) count += GetBandRowColumnCount(v, r);
  return count;
}

int TCustomdxTreeList::GetAbsoluteColumnIndex(int VisibleIndex) {
  if (VisibleIndex < 0) return -1;
  int bands = GetVisibleBandCount();
  int rows = 0;
  for (int v = 0; v < bands; ++v) rows = std::max(rows, GetBandHeaderRowCount(v));
  int index = 0;
  for (int r = 0; r < rows; ++r)
    for (int v = 0; v < bands; ++v) {
      int n = r < GetBandHeaderRowCount(v) ? GetBandRowColumnCount(v, r) : 0;
      if (VisibleIndex < index + n) return GetColumnAt(v, r, VisibleIndex - index);
      index += n;
    }
  return -1;
}

int TCustomdxTreeList::GetVisibleColumnIndex(int AbsoluteIndex) {
  int count = GetVisibleColumnCount();
  for (int i = 0; i < count; ++i)
    if (GetAbsoluteColumnIndex(i) == AbsoluteIndex) return i;
  return 0;
}

void TCustomdxTreeList::GetCellRect(TdxTreeListNode* Node, int VisibleColumn, RECT& Rect) {
  Rect = RECT{-1, -1, -1, -1};
  if (!Node) return;
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListRowItem* row = info.FindRow(Node);
  const TdxTreeListHeaderItem* header = info.FindHeader(GetAbsoluteColumnIndex(VisibleColumn));
  if (!row || !header) return;
  bool bothGrid = showGrid_ && showPreviewGrid_;
  int left = header->Clip.left, right = header->Clip.right;
  if (header->Band == 0 && !row->Group) {
    int buttonRight, contentLeft;
    GetTreeIndent(Node, buttonRight, contentLeft);
    int treeEnd = info.Areas.Rows.left + std::min(contentLeft, info.TreeColumnWidth) -
                  (info.HasLeftFixed ? 0 : leftCoord_);
    if (header->Rect.left < treeEnd) left = std::max(left, treeEnd);
  }
  if (bothGrid) --right;
  int top = row->Top + defaultRowHeight_ * header->Row;
  if (!showGrid_ && Node->HasChildren() && paintStyle_ == psOutlook) ++top;
  int bottom;
  if (layout_.HeaderPanelRowCount == 1) {
    int preview =
        row->PreviewLines > 0 ? row->PreviewLines * layout_.PreviewLineHeight + 2 + (bothGrid ? 1 : 0) : 0;
    bottom = row->Top + row->Height - row->FootersHeight - preview - info.GridLineWidth;
  } else {
    bottom = top + defaultRowHeight_ * header->RowSpan - (bothGrid ? 1 : 0);
  }
  Rect = RECT{left, top, right, bottom};
}

void TCustomdxTreeList::GetEditorRect(TdxTreeListNode* Node, int VisibleColumn, RECT& Rect) {
  if (newItemRowActive_ && IsNewItemRowVisible())
    GetNewItemCellRect(VisibleColumn, Rect);
  else
    GetCellRect(Node, VisibleColumn, Rect);
  if (Rect.left == -1) return;
  if (IsInvertSelect()) InflateRect(&Rect, 0, -1);
}

void TCustomdxTreeList::GetNewItemCellRect(int VisibleColumn, RECT& Rect) {
  Rect = RECT{-1, -1, -1, -1};
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListHeaderItem* header = info.FindHeader(GetAbsoluteColumnIndex(VisibleColumn));
  const RECT& row = info.Areas.NewItemRow;
  if (!header || row.bottom <= row.top) return;
  bool bothGrid = showGrid_ && showPreviewGrid_;
  Rect = RECT{header->Clip.left, row.top, header->Clip.right - (bothGrid ? 1 : 0),
              row.top + defaultRowHeight_ - (bothGrid ? 1 : 0)};
}

void TCustomdxTreeList::GetNodeRect(TdxTreeListNode* Node, RECT& Rect) {
  Rect = RECT{-1, -1, -1, -1};
  if (!Node || !top_) return;
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int y = areas.Rows.top;
  for (TdxTreeListNode* n = top_; n && y < areas.Rows.bottom; n = GetNextVisibleNode(n)) {
    int h = GetRowHeight(n, defaultRowHeight_);
    if (n == Node) {
      Rect = RECT{areas.Rows.left - layout_.IndicatorWidth, y, areas.Rows.right, y + h};
      return;
    }
    y += h;
  }
}

void TCustomdxTreeList::GetRowsFromNodeRect(TdxTreeListNode* Node, RECT& Rect) {
  GetNodeRect(Node, Rect);
  if (Rect.left == -1) return;
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  Rect.bottom = areas.Rows.bottom;
}

void TCustomdxTreeList::GetRowsRect(RECT& Rect) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  Rect = areas.Rows;
  Rect.left -= layout_.IndicatorWidth;
}

void TCustomdxTreeList::MakeBandVisible(int V) {
  int count = GetVisibleBandCount();
  if (count < 2 || V < 0 || V >= count || V == GetLeftFixedBandIndex() || V == GetRightFixedBandIndex())
    return;
  int o = GetBandOffset(V), w = GetBandWidth(V), a = GetScrollableAreaWidth();
  if (o < leftCoord_)
    SetLeftCoord(o);
  else if (o + w > leftCoord_ + a)
    SetLeftCoord(std::min(o, o + w - a));
}

void TCustomdxTreeList::MakeColumnVisible(int AbsoluteIndex) {
  if (AbsoluteIndex < 0 || AbsoluteIndex >= GetColumnCount() || !IsColumnShown(AbsoluteIndex)) return;
  int v = GetBandVisibleIndex(GetColumnBandIndex(AbsoluteIndex));
  if (v < 0 || v == GetLeftFixedBandIndex() || v == GetRightFixedBandIndex()) return;
  int row = GetColumnRowIndex(AbsoluteIndex);
  int o = GetBandOffset(v);
  for (int p = 0; p < GetBandRowColumnCount(v, row); ++p) {
    int c = GetColumnAt(v, row, p);
    if (c == AbsoluteIndex) break;
    o += GetColumnHeaderWidth(c);
  }
  int w = GetColumnHeaderWidth(AbsoluteIndex), a = GetScrollableAreaWidth();
  if (o < leftCoord_)
    SetLeftCoord(o);
  else if (o + w > leftCoord_ + a)
    SetLeftCoord(std::min(o, o + w - a));
}
