// Sizing a band, the band panel, the header panel or the rows with the mouse: where the sizing line
// may go (limits and snapping), and what the release sets. Column sizing is in dxTLMouse.cpp.
#include <algorithm>
#include <vector>

#include "dx/treelist/dxTL.h"
#include "platform/rtl/StrUtils.h"

// --- Limits and snapping ---

int TCustomdxTreeList::GetBandPanelHeight(int RowCount) {
  return (layout_.Flat ? 0 : 1) + RowCount * layout_.BandFontHeight + 5;
}

int TCustomdxTreeList::SnapBandPanelSizing(int Y) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int top = areas.BandPanel.top;
  int line = top + GetBandPanelHeight(1);
  for (int n = 2; n <= GetBandMaxRowCount(); ++n) {
    int previous = top + GetBandPanelHeight(n - 1), next = top + GetBandPanelHeight(n);
    if (Y < (previous + next) / 2) break;
    line = next;
  }
  return line;
}

int TCustomdxTreeList::BandRowCountAt(int Y) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int count = 0;
  for (int n = 1; n <= GetBandMaxRowCount(); ++n)
    if (areas.BandPanel.top + GetBandPanelHeight(n) <= Y) ++count;
  return std::max(count, 1);
}

int TCustomdxTreeList::HeaderRowCountAt(int Y) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int height = std::max(layout_.HeaderRowHeight, 1);
  return std::max((Y - areas.HeaderPanel.top + height / 2) / height, 1);
}

int TCustomdxTreeList::SnapHeaderPanelSizing(int Y) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  int n = std::min(HeaderRowCountAt(Y), std::max(GetHeaderPanelMaxRowCount(), 1));
  return areas.HeaderPanel.top + n * layout_.HeaderRowHeight;
}

bool TCustomdxTreeList::GetBandSizingRange(int V, int& Min, int& Max, int& Left) {
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  for (const TdxTreeListBandItem& b : info.Bands) {
    if (b.VisibleIndex != V) continue;
    Left = b.Rect.left;
    Min = Left + GetBandMinWidth(V) + (V == 0 ? GetGroupIndent() : 0);
    Max = HasOptionEx(dxtlox::FullSizing) ? 100000 : ClientWidth() - 2;
    return true;
  }
  return false;
}

bool TCustomdxTreeList::GetRowSizingRange(TdxTreeListNode* Node, int& Min, int& Max) {
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListRowItem* row = Node ? info.FindRow(Node) : nullptr;
  if (!row) return false;
  Min = row->Top + GetRowHeight(Node, layout_.MinRowHeight, true);
  const RECT& footer = info.Areas.Footer;
  Max = (footer.bottom > footer.top ? footer.top : info.Areas.Client.bottom) - 1;
  return true;
}

int TCustomdxTreeList::RowHeightForSize(TdxTreeListNode* Node, int Size) {
  if (!Node || Size < layout_.MinRowHeight) return defaultRowHeight_;
  int height = layout_.MinRowHeight;
  // Heights are tried upwards while the row they give still fits.
  while (GetRowHeight(Node, height + 1, true) <= Size && height < Size) ++height;
  return height;
}

int TCustomdxTreeList::ClampSizingLine(int X, int Y) {
  int low = 0, high = 0, left = 0;
  switch (state_) {
    case tsColumnSizing:
      return ClampColumnSizing(X);
    case tsBandSizing:
      return GetBandSizingRange(pressedBand_, low, high, left) ? std::clamp(X, low, std::max(low, high)) : X;
    case tsBandPanelSizing:
      return SnapBandPanelSizing(Y);
    case tsHeaderPanelSizing:
      return SnapHeaderPanelSizing(Y);
    case tsRowSizing:
      return GetRowSizingRange(mouseDownNode_, low, high) ? std::clamp(Y, low, std::max(low, high)) : Y;
    default:
      return -1;
  }
}

// --- Press and release ---

bool TCustomdxTreeList::StartSizing(const TdxTreeListHitInfo& Hit, bool Double, int X, int Y) {
  switch (Hit.HitKind) {
    case tlhBandEdge:
      if (Hit.Band < 0) return false;
      if (Double) {
        BestFitBand(Hit.Band);
        return true;
      }
      pressedBand_ = Hit.Band;
      BeginSizing(tsBandSizing, X);
      return true;
    case tlhBandPanelEdge:
      BeginSizing(tsBandPanelSizing, Y);
      return true;
    case tlhHeaderPanelEdge:
      BeginSizing(tsHeaderPanelSizing, Y);
      return true;
    case tlhRowEdge:
      mouseDownNode_ = Hit.Node;
      BeginSizing(tsRowSizing, Y);
      return true;
    default:
      return false;
  }
}

void TCustomdxTreeList::BeginSizing(TdxTreeListState State, int Position) {
  SetState(State);
  sizingStart_ = sizingPos_ = Position;
  DrawSizingLine();
}

void TCustomdxTreeList::ReleaseSizing(TdxTreeListState Released) {
  int line = sizingPos_;
  switch (Released) {
    case tsBandSizing: {
      int low = 0, high = 0, left = 0;
      if (!GetBandSizingRange(pressedBand_, low, high, left)) break;
      line = std::clamp(line, low, std::max(low, high));
      if (line == sizingStart_) break;
      int width = line - left + 2;
      if (IsAutoWidth())
        SetBandAutoWidth(pressedBand_, width);
      else
        ApplyBandSizing(pressedBand_, width);
      DoChangedColumnsWidth();
      break;
    }
    case tsBandPanelSizing:
      SetBandRowCount(BandRowCountAt(line));
      break;
    case tsHeaderPanelSizing:
      SetHeaderPanelRowCount(HeaderRowCountAt(line));
      break;
    case tsRowSizing: {
      TdxTreeListDrawInfo info;
      CalcDrawInfo(info);
      const TdxTreeListRowItem* row = mouseDownNode_ ? info.FindRow(mouseDownNode_) : nullptr;
      if (line != sizingStart_ && row) SetDefaultRowHeight(RowHeightForSize(mouseDownNode_, line - row->Top));
      break;
    }
    default:
      break;
  }
  pressedBand_ = -1;
}

// --- Band widths after sizing ---

void TCustomdxTreeList::ApplyBandSizing(int V, int NewWidth) {
  TdxTreeListUpdateScope update(lockCount_ > 0 ? nullptr : this);
  std::vector<int> columns, widths, rowColumns, rowWidths;
  for (int row = 0; row < GetBandHeaderRowCount(V); ++row) {
    ListRowWidths(V, row, rowColumns, rowWidths);
    columns.insert(columns.end(), rowColumns.begin(), rowColumns.end());
    widths.insert(widths.end(), rowWidths.begin(), rowWidths.end());
  }
  NewWidth -= V == 0 ? GetGroupIndent() : 0;
  int oldWidth = std::max(GetBandWidth(V), 1);
  for (size_t i = 0; i < columns.size(); ++i) SetColumnWidth(columns[i], MulDiv(widths[i], NewWidth, oldWidth));
  ScaleHiddenColumnWidths(V, NewWidth, oldWidth);
  SetBandWidth(V, NewWidth);
}

void TCustomdxTreeList::SetBandAutoWidth(int V, int NewWidth) {
  TdxTreeListUpdateScope update(this);
  const int count = GetVisibleBandCount(), indent = GetGroupIndent();
  std::vector<int> widths(count);
  for (int i = 0; i < count; ++i) widths[i] = GetBandWidth(i) - (i == 0 ? indent : 0);
  const int oldWidth = widths[V];
  widths[V] = NewWidth - (V == 0 ? indent : 0);
  // The bands after the sized one give or take the difference; for the last band, those before it.
  int first = V + 1, last = count - 1;
  if (V == count - 1) first = 0, last = V - 1;
  int sum = 0;
  for (int i = first; i <= last; ++i) sum += widths[i];
  if (sum > 0) {
    int space = sum + oldWidth - widths[V], given = 0;
    for (int i = first; i < last; ++i) given += widths[i] = MulDiv(widths[i], space, sum);
    widths[last] = space - given;
    ScaleHiddenBandWidths(space, sum);
  }
  for (int i = 0; i < count; ++i)
    if (IsBandHeaderWidth())
      ApplyBandSizing(i, widths[i] + (i == 0 ? indent : 0));
    else
      SetBandWidth(i, widths[i]);
}

// --- Column widths after sizing ---

void TCustomdxTreeList::ListRowWidths(int V, int Row, std::vector<int>& Columns, std::vector<int>& Widths) {
  const int indent = V == 0 ? GetGroupIndent() : 0;
  Columns.clear();
  Widths.clear();
  for (int pos = 0; pos < GetBandRowColumnCount(V, Row); ++pos) {
    int column = GetColumnAt(V, Row, pos);
    Columns.push_back(column);
    Widths.push_back(GetColumnHeaderWidth(column) - (pos == 0 ? indent : 0));
  }
}

// Scales the widths so that they sum to Total, the last one taking the rounding remainder.
static void ScaleWidths(std::vector<int>& Widths, int Total, int OldTotal) {
  if (Widths.empty() || OldTotal <= 0) return;
  int given = 0;
  for (size_t i = 0; i + 1 < Widths.size(); ++i) given += Widths[i] = MulDiv(Widths[i], Total, OldTotal);
  Widths.back() = Total - given;
}

void TCustomdxTreeList::ApplyColumnSizing(int Column, int NewWidth) {
  const int v = GetBandVisibleIndex(GetColumnBandIndex(Column)), row = GetColumnRowIndex(Column);
  std::vector<int> columns, widths;
  ListRowWidths(v, row, columns, widths);
  const int k = static_cast<int>(std::find(columns.begin(), columns.end(), Column) - columns.begin());
  const int n = static_cast<int>(columns.size());
  if (k >= n) return SetColumnWidth(Column, NewWidth);
  const int oldBand = GetBandWidth(v);
  const int oldWidth = widths[k];
  widths[k] = NewWidth - (v == 0 && k == 0 ? GetGroupIndent() : 0);
  // The columns after the sized one give or take the difference; for the row's last, those before.
  std::vector<int> giving;
  for (int i = 0; i < n; ++i)
    if (k < n - 1 ? i > k : i < k) giving.push_back(widths[i]);
  int sum = 0;
  for (int w : giving) sum += w;
  TdxTreeListUpdateScope update(this);
  if (sum > 0) {
    ScaleWidths(giving, sum + oldWidth - widths[k], sum);
    for (int i = 0, g = 0; i < n; ++i)
      if (i != k) widths[i] = giving[g++];
    ScaleHiddenColumnWidths(v, sum + oldWidth - widths[k], sum);
  }
  int rowTotal = 0;
  for (int i = 0; i < n; ++i) {
    SetColumnWidth(columns[i], widths[i]);
    rowTotal += widths[i];
  }
  if (!IsBandHeaderWidth() || oldBand <= 0) return;
  for (int other = 0; other < GetBandHeaderRowCount(v); ++other) {
    if (other == row) continue;
    ListRowWidths(v, other, columns, widths);
    for (size_t i = 0; i < columns.size(); ++i) SetColumnWidth(columns[i], MulDiv(widths[i], rowTotal, oldBand));
  }
}

void TCustomdxTreeList::ApplyColumnAndBandSizing(int Column, int NewWidth) {
  const int v = GetBandVisibleIndex(GetColumnBandIndex(Column)), row = GetColumnRowIndex(Column);
  std::vector<int> columns, widths;
  ListRowWidths(v, row, columns, widths);
  const int k = static_cast<int>(std::find(columns.begin(), columns.end(), Column) - columns.begin());
  if (k >= static_cast<int>(columns.size())) return SetColumnWidth(Column, NewWidth);
  const int oldBand = GetBandWidth(v);
  const int width = NewWidth - (v == 0 && k == 0 ? GetGroupIndent() : 0);
  const int newBand = width + oldBand - widths[k];
  widths[k] = width;
  int others = 0;
  for (size_t i = 0; i + 1 < widths.size(); ++i) others += widths[i];
  widths.back() = newBand - others;
  TdxTreeListUpdateScope update(this);
  for (size_t i = 0; i < columns.size(); ++i) SetColumnWidth(columns[i], widths[i]);
  for (int other = 0; other < GetBandHeaderRowCount(v); ++other) {
    if (other == row) continue;
    ListRowWidths(v, other, columns, widths);
    ScaleWidths(widths, newBand, oldBand);
    for (size_t i = 0; i < columns.size(); ++i) SetColumnWidth(columns[i], widths[i]);
  }
  ScaleHiddenColumnWidths(v, newBand, oldBand);
}
