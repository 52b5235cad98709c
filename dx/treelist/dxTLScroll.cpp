// Horizontal geometry (band widths with automatic width, header cell widths, the scrollable area),
// the two scroll positions with their clamping, row counting and the scroll bars.
#include <algorithm>
#include <cstdlib>

#include "dx/treelist/dxTL.h"
#include "platform/win/Windows.h"

namespace {

int MulDiv32(int A, int B, int C) { return C == 0 ? 0 : static_cast<int>(static_cast<long long>(A) * B / C); }

}  // namespace

int TCustomdxTreeList::GetBandRowWidthSum(int V, int Row) {
  int sum = 0;
  for (int p = 0; p < GetBandRowColumnCount(V, Row); ++p) sum += GetColumnWidth(GetColumnAt(V, Row, p));
  return sum;
}

int TCustomdxTreeList::GetBandRowMinWidthSum(int V, int Row) {
  int sum = 0;
  for (int p = 0; p < GetBandRowColumnCount(V, Row); ++p) sum += GetColumnMinWidth(GetColumnAt(V, Row, p));
  return sum;
}

int TCustomdxTreeList::GetBandMinWidth(int V) {
  int result = CanBandSizing(V) ? GetVisibleBandMinWidth(V) : GetVisibleBandWidth(V);
  for (int r = 0; r < GetBandHeaderRowCount(V); ++r) result = std::max(result, GetBandRowMinWidthSum(V, r));
  return result;
}

int TCustomdxTreeList::GetBandNaturalWidth(int V) {
  int width = 0;
  if (IsBandHeaderWidth())
    for (int r = 0; r < GetBandHeaderRowCount(V); ++r) width = std::max(width, GetBandRowWidthSum(V, r));
  if (width == 0) width = GetVisibleBandWidth(V);
  return std::max(width, GetBandMinWidth(V));
}

int TCustomdxTreeList::GetBandsWidth() {
  int count = GetVisibleBandCount();
  if (count == 0) return 0;
  int indent = GetGroupIndent();
  if (!IsAutoWidth()) {
    int sum = indent;
    for (int v = 0; v < count; ++v) sum += GetBandWidth(v);
    return sum;
  }
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int width = areas.Client.right - areas.Client.left - layout_.IndicatorWidth;
  int minSum = indent;
  bool anySizable = false;
  for (int v = 0; v < count; ++v) {
    minSum += GetBandMinWidth(v);
    anySizable = anySizable || CanBandSizing(v);
  }
  return minSum > width || !anySizable ? minSum : width;
}

int TCustomdxTreeList::GetBandWidth(int V) {
  if (!IsAutoWidth()) return GetBandNaturalWidth(V);
  int count = GetVisibleBandCount();
  int indent = GetGroupIndent();
  if (V == count - 1) {
    int others = indent;
    for (int v = 0; v < count - 1; ++v) others += GetBandWidth(v);
    return GetBandsWidth() - others;
  }
  int avail = GetBandsWidth() - indent;
  int natural = 0, minSum = 0;
  for (int v = 0; v < count; ++v) {
    natural += GetBandNaturalWidth(v);
    minSum += GetBandMinWidth(v);
  }
  auto share = [&](int v) { return MulDiv32(avail, GetBandNaturalWidth(v), natural); };
  int natural2 = 0;
  for (int v = 0; v < count; ++v)
    if (CanBandSizing(v) && GetBandMinWidth(v) < share(v)) natural2 += GetBandNaturalWidth(v);
  if (!CanBandSizing(V)) return GetBandNaturalWidth(V);
  if (natural2 == natural) return share(V);
  if (GetBandMinWidth(V) >= share(V)) return GetBandMinWidth(V);
  return GetBandMinWidth(V) + MulDiv32(avail - minSum, GetBandNaturalWidth(V), natural2);
}

int TCustomdxTreeList::GetColumnHeaderWidth(int Column) {
  int v = GetBandVisibleIndex(GetColumnBandIndex(Column));
  int row = GetColumnRowIndex(Column);
  if (v < 0) return 0;
  int count = GetBandRowColumnCount(v, row);
  int w = GetBandWidth(v);
  int total = GetBandRowWidthSum(v, row), minTotal = GetBandRowMinWidthSum(v, row);
  int avail = w, kept = 0;
  bool atMinimum = false;
  for (int p = 0; p < count; ++p) {
    int c = GetColumnAt(v, row, p);
    if (!IsColumnSizable(c)) continue;
    if (MulDiv32(w, GetColumnWidth(c), total) < GetColumnMinWidth(c))
      atMinimum = true;
    else
      kept += GetColumnWidth(c);
  }
  int running = 0, result = 0;
  for (int p = 0; p < count; ++p) {
    int c = GetColumnAt(v, row, p);
    int share;
    if (p == count - 1) {
      share = w - running;
    } else if (!IsColumnSizable(c)) {
      share = GetColumnWidth(c);
      avail -= share;
      total -= share;
      minTotal -= share;
    } else {
      int s = MulDiv32(avail, GetColumnWidth(c), total);
      int minimum = GetColumnMinWidth(c);
      if (kept == total)
        share = s;
      else if (minimum >= s)
        share = minimum;
      else if (atMinimum)
        share = minimum + MulDiv32(avail - minTotal, GetColumnWidth(c), kept);
      else
        share = s;
    }
    running += share;
    if (c == Column) {
      result = share;
      break;
    }
  }
  if (v == 0 && count > 0 && GetColumnAt(v, row, 0) == Column) result += GetGroupIndent();
  return result;
}

int TCustomdxTreeList::GetHeaderRowSpan(int V, int Row, int Pos) {
  if (Row != GetBandHeaderRowCount(V) - 1) return 1;
  int panelRows = GetHeaderPanelRowCount();
  int span = GetColumnHeaderMaxLineCount(GetColumnAt(V, Row, Pos));
  if (span <= 0) span = panelRows;
  return Row + span > panelRows ? panelRows - Row : span;
}

void TCustomdxTreeList::GetScrollableAreaRect(RECT& Rect) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  Rect = RECT{areas.Client.left + layout_.IndicatorWidth, areas.Client.top + layout_.GroupPanelHeight,
              areas.Client.right, areas.Client.bottom - layout_.FilterStatusHeight};
  if (IsAutoWidth()) return;
  int leftFixed = GetLeftFixedBandIndex(), rightFixed = GetRightFixedBandIndex();
  if (leftFixed >= 0) Rect.left += GetBandWidth(leftFixed) + GetGroupIndent();
  if (rightFixed >= 0) Rect.right -= GetBandWidth(rightFixed);
  if (Rect.right < Rect.left) Rect.right = Rect.left;
}

int TCustomdxTreeList::GetScrollableAreaWidth() {
  RECT r;
  GetScrollableAreaRect(r);
  return r.right - r.left;
}

int TCustomdxTreeList::GetScrollableBandsWidth() {
  int width = GetBandsWidth();
  int leftFixed = GetLeftFixedBandIndex(), rightFixed = GetRightFixedBandIndex();
  if (leftFixed >= 0) width -= GetBandWidth(leftFixed) + GetGroupIndent();
  if (rightFixed >= 0) width -= GetBandWidth(rightFixed);
  return width;
}

int TCustomdxTreeList::GetBandOffset(int V) {
  int count = GetVisibleBandCount();
  if (count < 2 || V < 0 || V >= count || V == GetLeftFixedBandIndex() || V == GetRightFixedBandIndex())
    return 0;
  int offset = 0;
  for (int b = GetLeftFixedBandIndex() >= 0 ? 1 : 0; b < V; ++b)
    offset += GetBandWidth(b) + (b == 0 ? GetGroupIndent() : 0);
  return offset;
}

void TCustomdxTreeList::SetLeftCoord(int Value) {
  CloseEditor();
  if (Value == leftCoord_) return;
  Value = std::max(0, std::min(Value, GetScrollableBandsWidth() - GetScrollableAreaWidth()));
  if (Value == leftCoord_) return;
  leftCoord_ = Value;
  UpdateScrollBars();
  if (lockCount_ > 0) return;
  if (HandleAllocated()) Invalidate();
  DoChangeLeftCoord();
}

int TCustomdxTreeList::CountRowsInHeight(TdxTreeListNode* Node, int Height, int& Count, int& FullCount) {
  Count = FullCount = 0;
  int sum = 0;
  bool full = false;
  for (TdxTreeListNode* n = Node; n; n = GetNextVisibleNode(n)) {
    int bottom = sum + GetRowHeight(n, defaultRowHeight_);
    if (Height < bottom) {
      if (sum <= Height) ++Count;
      sum = bottom;
      full = true;
      break;
    }
    ++Count;
    ++FullCount;
    sum = bottom;
  }
  if (!full && Node)
    for (TdxTreeListNode* n = GetPrevVisibleNode(Node); n; n = GetPrevVisibleNode(n)) {
      int bottom = sum + GetRowHeight(n, defaultRowHeight_);
      if (Height < bottom) {
        if (sum <= Height) ++Count;
        sum = bottom;
        break;
      }
      ++Count;
      ++FullCount;
      sum = bottom;
    }
  Count = std::max(Count, 1);
  FullCount = std::max(FullCount, 1);
  return sum;
}

void TCustomdxTreeList::UpdateVisibleRowCount() {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int count = 1, full = 1;
  CountRowsInHeight(top_, areas.Rows.bottom - areas.Rows.top, count, full);
  visibleRowCount_ = count;
  fullVisibleRowCount_ = full;
}

int TCustomdxTreeList::GetScrollDistance(int RowDelta) {
  int distance = 0;
  if (RowDelta < 0) {
    TdxTreeListNode* n = top_;
    for (int i = 0; i < -RowDelta && n; ++i, n = GetNextVisibleNode(n))
      distance -= GetRowHeight(n, defaultRowHeight_);
  } else {
    TdxTreeListNode* n = top_ ? GetPrevVisibleNode(top_) : nullptr;
    for (int i = 0; i < RowDelta && n; ++i, n = GetPrevVisibleNode(n))
      distance += GetRowHeight(n, defaultRowHeight_);
  }
  return distance;
}

int TCustomdxTreeList::GetTopIndexForLastRow(int Index) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int height = areas.Rows.bottom - areas.Rows.top;
  TdxTreeListNode* node = GetAbsoluteNode(Index);
  if (!node) return Index;
  int sum = GetRowHeight(node, defaultRowHeight_), added = 0;
  for (TdxTreeListNode* n = GetPrevVisibleNode(node); n; n = GetPrevVisibleNode(n)) {
    int h = GetRowHeight(n, defaultRowHeight_);
    if (sum + h > height) break;
    sum += h;
    ++added;
  }
  return Index - added;
}

void TCustomdxTreeList::SetTopIndex(int Index) {
  CloseEditor();
  int old = GetTopIndex();
  int rowCount = GetAbsoluteCount();
  if (Index == old || rowCount < 2) return;
  Index = std::max(Index, 0);
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int count = 1, full = 1;
  CountRowsInHeight(GetAbsoluteNode(std::min(Index, rowCount - 1)), areas.Rows.bottom - areas.Rows.top, count,
                    full);
  if (Index + full > rowCount) Index = std::max(rowCount - full, 0);
  if (Index == old) return;
  int delta = old - Index;
  RECT focusOld;
  GetNodeRect(focused_, focusOld);
  SetTopVisibleNode(GetAbsoluteNode(Index));
  UpdateScrollBars();
  if (lockCount_ > 0 || !HandleAllocated()) return;
  // The whole client is repainted; the pixels are not moved by window scrolling.
  (void)delta;
  (void)focusOld;
  Invalidate();
}

void TCustomdxTreeList::GetVScrollInfo(int& Min, int& Max, int& Position, int& Page) {
  int rows = GetAbsoluteCount();
  Min = 0;
  Max = fullVisibleRowCount_ >= rows ? 0 : rows - 1;
  Position = std::max(GetTopIndex(), 0);
  Page = fullVisibleRowCount_;
}

void TCustomdxTreeList::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  TdxDragFeedbackHider hideFeedback(this);
  for (int pass = 0; pass < 2; ++pass) {
    UpdateVisibleRowCount();
    if (scrollBars_ == ssBoth || scrollBars_ == ssVertical) {
      int min, max, pos, page;
      GetVScrollInfo(min, max, pos, page);
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_ALL;
      GetScrollInfo(SB_VERT, si);
      if (si.nMin != min || si.nMax != max || si.nPos != pos || static_cast<int>(si.nPage) != page) {
        si.fMask = SIF_ALL;
        si.nMin = min;
        si.nMax = max;
        si.nPos = pos;
        si.nPage = page;
        SetScrollInfo(SB_VERT, si, true);
      }
    }
    if (scrollBars_ == ssBoth || scrollBars_ == ssHorizontal) {
      int page = GetScrollableAreaWidth(), width = GetScrollableBandsWidth();
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_ALL;
      GetScrollInfo(SB_HORZ, si);
      int max = page >= width ? 0 : width - 1;
      if (si.nMin != 0 || si.nMax != max || si.nPos != leftCoord_ || static_cast<int>(si.nPage) != page) {
        si.fMask = SIF_ALL;
        si.nMin = 0;
        si.nMax = max;
        si.nPos = leftCoord_;
        si.nPage = page;
        SetScrollInfo(SB_HORZ, si, true);
      }
    }
  }
}

void TCustomdxTreeList::ClampScrollPositions() {
  if (!HandleAllocated()) return;
  int rows = GetAbsoluteCount();
  int top = GetTopIndex();
  int limit = rows > 0 ? GetTopIndexForLastRow(rows - 1) : 0;
  if (top > limit) {
    SetTopVisibleNode(GetAbsoluteNode(limit));
  }
  if (!top_ && rows > 0) SetTopVisibleNode(GetAbsoluteNode(0));
  int area = GetScrollableAreaWidth(), bands = GetScrollableBandsWidth();
  if (area >= bands)
    leftCoord_ = 0;
  else if (leftCoord_ + area > bands) {
    leftCoord_ = bands - area;
    Invalidate();
  }
}

void TCustomdxTreeList::RemoveNeedlessScrollBars() {
  if (!HandleAllocated() || KeepScrollBars()) return;
  DWORD both = WS_HSCROLL | WS_VSCROLL;
  if ((static_cast<DWORD>(GetWindowLong(Handle(), GWL_STYLE)) & both) != both) return;
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int height = areas.Rows.bottom - areas.Rows.top + GetSystemMetrics(SM_CYHSCROLL);
  int rows = GetAbsoluteCount();
  int count = 1, full = 1;
  CountRowsInHeight(top_, height, count, full);
  bool rowsFit = !top_ || (GetTopIndex() <= 0 && full >= rows);
  bool bandsFit = leftCoord_ == 0 &&
                  GetScrollableBandsWidth() <= GetScrollableAreaWidth() + GetSystemMetrics(SM_CXVSCROLL);
  if (rowsFit && bandsFit) ShowScrollBar(Handle(), SB_BOTH, FALSE);
}
