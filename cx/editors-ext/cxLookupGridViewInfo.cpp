// The lookup grid's layout: header band and column widths, the rows from the top row down (or
// backward, to find the top row that leaves no empty band), cells prepared with their editors'
// view infos, and the hit test.
#include <algorithm>

#include "cx/editors-ext/cxLookupGrid.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxLookupGridViewInfo)

namespace {

bool LookupGridPointIn(const RECT& R, POINT P) { return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom; }

// Gives the properties the column's default-values provider while its view data is made and used.
class TcxColumnProviderScope {
 public:
  explicit TcxColumnProviderScope(TcxLookupGridColumn* AColumn)
      : properties_(AColumn->Properties()), previous_(properties_->DefaultValuesProvider()) {
    properties_->SetDefaultValuesProvider(AColumn->DefaultValuesProvider());
  }
  ~TcxColumnProviderScope() { properties_->SetDefaultValuesProvider(previous_); }
  TcxColumnProviderScope(const TcxColumnProviderScope&) = delete;
  TcxColumnProviderScope& operator=(const TcxColumnProviderScope&) = delete;

 private:
  TcxCustomEditProperties* properties_;
  IcxEditDefaultValuesProviderRef previous_;
};

}  // namespace

TcxLookupGridViewInfo::~TcxLookupGridViewInfo() = default;

bool TcxLookupGridViewInfo::HasHorizontalLines() {
  const TcxGridLines lines = grid_->Options()->GridLines();
  return lines == glBoth || lines == glHorizontal;
}

int TcxLookupGridViewInfo::RowStep() { return RowHeight + (HasHorizontalLines() ? GetGridLineWidth() : 0); }

TcxLookupGridRowViewInfo* TcxLookupGridViewInfo::FindRow(int ARowIndex) {
  for (auto& row : Rows)
    if (row->RowIndex == ARowIndex) return row.get();
  return nullptr;
}

TcxLookupGridHitInfo TcxLookupGridViewInfo::HitTest(POINT P) {
  TcxLookupGridHitInfo hit;
  if (!LookupGridPointIn(grid_->GetClientBounds(), P)) return hit;
  if (LookupGridPointIn(HeaderBand, P)) {
    for (size_t i = 0; i < Columns.size(); ++i)
      if (LookupGridPointIn(Columns[i]->Bounds, P)) {
        hit.Kind = TcxLookupGridHitInfo::htHeader;
        hit.ColumnIndex = static_cast<int>(i);
        return hit;
      }
    return hit;
  }
  if (!LookupGridPointIn(RowArea, P)) return hit;
  for (auto& row : Rows) {
    if (!LookupGridPointIn(row->Bounds, P)) continue;
    hit.RowIndex = row->RowIndex;
    for (const auto& cell : row->Cells)
      if (P.x >= cell.Bounds.left && P.x < cell.Bounds.right) {
        hit.Kind = TcxLookupGridHitInfo::htCell;
        hit.ColumnIndex = cell.ColumnIndex;
        break;
      }
    break;
  }
  return hit;
}

int TcxLookupGridViewInfo::GetHeaderHeight() {
  TcxCanvas* canvas = grid_->Canvas();
  return grid_->LookAndFeelPainter()->GetHeaderHeight(canvas->FontHeight(GetHeaderFont()));
}

bool TcxLookupGridViewInfo::TakeLayoutOfTopRow(int ATopRowIndex) {
  const bool laidOut = searchedTopRowLayout_ != -1 && searchedTopRowLayout_ == ATopRowIndex;
  searchedTopRowLayout_ = -1;
  return laidOut;
}

void TcxLookupGridViewInfo::Calculate() {
  searchedTopRowLayout_ = -1;
  GridBorderWidth = grid_->GetBorderSize();
  CalculateHeaders();
  CalculateRows();
  CalculateEmptyRects();
}

void TcxLookupGridViewInfo::CalculateHeaders() {
  Columns.clear();
  HeaderBand = {};
  if (grid_->Columns()->Count() == 0) return;
  HeaderBand = grid_->GetClientBounds();
  HeaderBand.bottom = HeaderBand.top + (grid_->Options()->ShowHeader() ? GetHeaderHeight() : 0);
  CalculateColumns();
}

void TcxLookupGridViewInfo::CalculateColumns() {
  TcxLookupGridColumns* columns = grid_->Columns();
  TcxLookAndFeelPainterClass painter = grid_->LookAndFeelPainter();
  TcxAutoWidthObject widths(columns->Count());
  for (int i = 0; i < columns->Count(); ++i) {
    TcxLookupGridColumn* column = columns->Items(i);
    auto info = std::make_unique<TcxLookupGridColumnViewInfo>();
    info->Column = column;
    info->Alignment = column->HeaderAlignment();
    if (!column->IsLeft()) info->Neighbors.Include(bLeft);
    if (!column->IsRight()) info->Neighbors.Include(bRight);
    info->Borders = painter->GetHeaderBorders(info->Neighbors);
    info->SortOrder = column->SortOrder();
    info->Text = column->Caption();
    InitColumnStyle(info.get(), column);
    Columns.push_back(std::move(info));
    TcxAutoWidthItem* item = widths.AddItem();
    item->MinWidth = column->MinWidth();
    item->Width = column->Width();
    item->Fixed = column->Fixed();
  }
  widths.AvailableWidth = HeaderBand.right - HeaderBand.left;
  widths.Calculate();
  int left = HeaderBand.left;
  for (size_t i = 0; i < Columns.size(); ++i) {
    TcxLookupGridColumnViewInfo* info = Columns[i].get();
    const int width = widths.Items(static_cast<int>(i))->AutoWidth;
    info->Bounds = {left, HeaderBand.top, left + width, HeaderBand.bottom};
    info->TextBounds = painter->GetHeaderContentBounds(info->Bounds, info->Borders);
    left += width;
  }
  HeaderBand.right = std::min<int>(HeaderBand.right, left);
}

void TcxLookupGridViewInfo::InitColumnStyle(TcxLookupGridColumnViewInfo* AColumnViewInfo, TcxLookupGridColumn* AColumn) {
  AColumnViewInfo->Style.reset(AColumn->Properties()->GetStyleClass()(nullptr, true));
  AColumnViewInfo->Style->SetButtonTransparency(ebtHideInactive);
  AColumnViewInfo->Style->SetFont(AColumn->GetFont());
}

void TcxLookupGridViewInfo::CreateEditViewData(TcxLookupGridColumnViewInfo* AColumnViewInfo,
                                               TcxLookupGridColumn* AColumn) {
  AColumnViewInfo->EditViewData = AColumn->Properties()->CreateViewData(AColumnViewInfo->Style.get(), true);
}

void TcxLookupGridViewInfo::DestroyEditViewData(TcxLookupGridColumnViewInfo* AColumnViewInfo, TcxLookupGridColumn*) {
  AColumnViewInfo->EditViewData.reset();
}

int TcxLookupGridViewInfo::CalculateRowHeight() {
  int height = 0;
  for (auto& info : Columns) {
    TcxColumnProviderScope provider(info->Column);
    CreateEditViewData(info.get(), info->Column);
    TScopeExit destroy([&] { DestroyEditViewData(info.get(), info->Column); });
    const SIZE size = info->EditViewData->GetContentSize(grid_->Canvas(), Null(), TcxEditSizeProperties{});
    height = std::max(height, static_cast<int>(size.cy) + 2);
  }
  return height;
}

void TcxLookupGridViewInfo::CalculateRows() {
  Rows.clear();
  RowArea = {};
  FullRowArea = {};
  LaidOutRowCount = 0;
  WholeRowCount = 0;
  if (HeaderBand.right - HeaderBand.left < 1) return;
  RowHeight = CalculateRowHeight();
  RowArea = {HeaderBand.left, HeaderBand.bottom, HeaderBand.right, HeaderBand.bottom};
  FullRowArea = RowArea;
  const RECT client = grid_->GetClientBounds();
  TcxCustomDataController* controller = grid_->DataController();
  const int rowCount = controller->GetRowCount();
  const bool backward = topRowCalculation_ == trcBackward;
  const int first = topRowCalculation_ == trcNone ? grid_->TopRowIndex() : internalTopRowIndex_;
  const int step = backward ? -1 : 1;
  int top = RowArea.top;
  for (int row = first; row >= 0 && row < rowCount; row += step) {
    top = AddRow(row, top, !backward && row == rowCount - 1);
    ++LaidOutRowCount;
    if (client.bottom < RowArea.bottom) break;
    ++WholeRowCount;
    FullRowArea.bottom = RowArea.bottom;
  }
  if (LaidOutRowCount > 0 && WholeRowCount == 0) WholeRowCount = 1;
}

int TcxLookupGridViewInfo::AddRow(int ARowIndex, int ATop, bool ALastRow) {
  TcxCustomDataController* controller = grid_->DataController();
  auto row = std::make_unique<TcxLookupGridRowViewInfo>();
  row->RowIndex = ARowIndex;
  row->RecordIndex = controller->GetRowInfo(ARowIndex).RecordIndex;
  row->Focused = ARowIndex == controller->GetFocusedRowIndex();
  row->Bounds = {RowArea.left, ATop, RowArea.right, ATop + RowHeight};
  row->ContentBounds = row->Bounds;
  TcxLookupGridColumn* focusedColumn = grid_->FocusedColumn();
  const TcxGridLines lines = grid_->Options()->GridLines();
  const int lineWidth = 1;
  for (size_t i = 0; i < Columns.size(); ++i) {
    TcxLookupGridCellViewInfo cell;
    cell.ColumnIndex = static_cast<int>(i);
    cell.Focused = focusedColumn && focusedColumn->Index() == cell.ColumnIndex;
    cell.Bounds = {Columns[i]->Bounds.left, row->Bounds.top, Columns[i]->Bounds.right, row->Bounds.bottom};
    cell.ContentBounds = cell.Bounds;
    const bool last = i + 1 == Columns.size();
    if (lines == glBoth || lines == glVertical || (last && lines == glHorizontal)) {
      cell.ContentBounds.right -= lineWidth;
      if (last) {
        row->Borders.Include(bRight);
        row->ContentBounds.right -= lineWidth;
      } else {
        cell.Borders.Include(bRight);
      }
    }
    row->Cells.push_back(std::move(cell));
  }
  const RECT client = grid_->GetClientBounds();
  const bool lineUnder = lines == glBoth || lines == glHorizontal ||
                         (lines == glVertical && ALastRow && topRowCalculation_ == trcNone &&
                          row->Bounds.bottom != client.bottom);
  if (lineUnder) {
    row->Bounds.bottom += lineWidth;
    row->Borders.Include(bBottom);
  }
  RowArea.bottom = row->Bounds.bottom;
  const int bottom = row->Bounds.bottom;
  TcxLookupGridRowViewInfo* laidOut = row.get();
  Rows.push_back(std::move(row));
  for (auto& cell : laidOut->Cells) PrepareCell(laidOut, &cell);
  return bottom;
}

void TcxLookupGridViewInfo::PrepareCell(TcxLookupGridRowViewInfo* ARow, TcxLookupGridCellViewInfo* ACell) {
  TcxCustomDataController* controller = grid_->DataController();
  TcxLookupGridColumnViewInfo* column = Columns[static_cast<size_t>(ACell->ColumnIndex)].get();
  const bool selected = controller->IsRowSelected(ARow->RowIndex);
  TcxCustomEditStyle* style = column->Style.get();
  if (selected && ARow->Focused && !ACell->Focused) {
    style->SetColor(GetSelectionColor());
    style->TextColor = GetSelectionTextColor();
  } else {
    style->SetColor(GetContentColor());
    style->TextColor = GetContentTextColor();
  }
  TcxCustomEditProperties* properties = column->Column->Properties();
  ACell->EditViewInfo.reset(static_cast<TcxCustomEditViewInfo*>(properties->GetViewInfoClass()->NewInstance()));
  TcxColumnProviderScope provider(column->Column);
  CreateEditViewData(column, column->Column);
  TScopeExit destroy([&] { DestroyEditViewData(column, column->Column); });
  Variant value;
  if (properties->GetEditValueSource(false) != evsValue)
    value = controller->DisplayTexts(ARow->RecordIndex, ACell->ColumnIndex);
  else
    controller->GetValue(ARow->RecordIndex, ACell->ColumnIndex, value);
  RECT bounds = ACell->ContentBounds;
  InflateRect(&bounds, -1, -1);
  TcxCustomEditViewData* data = column->EditViewData.get();
  data->Calculate(grid_->Canvas(), bounds, {-1, -1}, 0, {}, ACell->EditViewInfo.get(), false);
  data->PrepareViewInfoValue(grid_->Canvas(), value, ACell->EditViewInfo.get());
}

void TcxLookupGridViewInfo::RecalculateRow(TcxLookupGridRowViewInfo* ARow) {
  ARow->Focused = ARow->RowIndex == grid_->DataController()->GetFocusedRowIndex();
  for (auto& cell : ARow->Cells) PrepareCell(ARow, &cell);
}

void TcxLookupGridViewInfo::CalculateEmptyRects() {
  const RECT client = grid_->GetClientBounds();
  RightGap = {};
  BottomGap = {};
  if (HeaderBand.right < client.right) RightGap = {HeaderBand.right, client.top, client.right, client.bottom};
  const int rowsBottom = std::max(RowArea.bottom, HeaderBand.bottom);
  const int top = Columns.empty() ? client.top : rowsBottom;
  if (top < client.bottom) BottomGap = {client.left, top, client.right, client.bottom};
}

int TcxLookupGridViewInfo::GetNearestTopRowIndex(int ATopRowIndex) {
  TScopeExit reset([this] { topRowCalculation_ = trcNone; });
  topRowCalculation_ = trcForward;
  internalTopRowIndex_ = ATopRowIndex;
  Calculate();
  if (BottomGap.bottom <= BottomGap.top) {
    // A forward pass differs from the plain layout only by the line under a last row with
    // vertical lines alone.
    if (grid_->Options()->GridLines() != glVertical) searchedTopRowLayout_ = ATopRowIndex;
    return ATopRowIndex;
  }
  const int last = std::min(ATopRowIndex + WholeRowCount - 1, grid_->DataController()->GetRowCount() - 1);
  topRowCalculation_ = trcBackward;
  internalTopRowIndex_ = last;
  Calculate();
  return std::max(last - WholeRowCount + 1, 0);
}

TColor TcxLookupGridViewInfo::GetContentColor() { return grid_->Color(); }

TFont* TcxLookupGridViewInfo::GetContentFont() { return grid_->Font(); }

TColor TcxLookupGridViewInfo::GetContentTextColor() { return GetContentFont()->Color(); }

TFont* TcxLookupGridViewInfo::GetHeaderFont() { return grid_->Font(); }

TColor TcxLookupGridViewInfo::GetSelectionColor() { return grid_->LookAndFeelPainter()->GetDefaultSelectionColor(); }

TColor TcxLookupGridViewInfo::GetSelectionTextColor() {
  return grid_->LookAndFeelPainter()->GetDefaultSelectionTextColor();
}
