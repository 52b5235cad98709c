// TCustomGrid: sizes of rows and columns, the current cell, the scrolled origin and cell geometry.
#include <algorithm>

#include "platform/forms/Grids.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomGrid)

TRENVIK_MESSAGE_MAP(TCustomGrid) {
  M.On(WM_VSCROLL, &TCustomGrid::WMVScroll);
  M.On(WM_HSCROLL, &TCustomGrid::WMHScroll);
  M.On(WM_GETDLGCODE, &TCustomGrid::WMGetDlgCode);
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents});
  options_ = TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  SetBounds(Left(), Top(), 320, 120);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  colWidths_.assign(static_cast<size_t>(colCount_), defaultColWidth_);
  rowHeights_.assign(static_cast<size_t>(rowCount_), defaultRowHeight_);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_VSCROLL | WS_HSCROLL;
  if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  colWidths_.resize(static_cast<size_t>(Value), defaultColWidth_);
  colCount_ = Value;
  fixedCols_ = std::min(fixedCols_, Value - 1 < 0 ? 0 : Value - 1);
  FocusCell(std::clamp(col_, fixedCols_, colCount_ - 1), row_, false);
  ClampTopLeft();
  Invalidate();
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  rowHeights_.resize(static_cast<size_t>(Value), defaultRowHeight_);
  rowCount_ = Value;
  fixedRows_ = std::min(fixedRows_, Value - 1 < 0 ? 0 : Value - 1);
  if (row_ >= rowCount_) row_ = rowCount_ - 1;
  ClampTopLeft();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int Value) {
  fixedCols_ = std::clamp(Value, 0, colCount_ - 1);
  col_ = std::max(col_, fixedCols_);
  leftCol_ = std::max(leftCol_, fixedCols_);
  Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
  fixedRows_ = std::clamp(Value, 0, rowCount_ - 1);
  row_ = std::max(row_, fixedRows_);
  topRow_ = std::max(topRow_, fixedRows_);
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  defaultColWidth_ = Value;
  std::fill(colWidths_.begin(), colWidths_.end(), Value);
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  defaultRowHeight_ = Value;
  std::fill(rowHeights_.begin(), rowHeights_.end(), Value);
  Invalidate();
}

int TCustomGrid::ColWidths(int Index) const {
  return Index >= 0 && Index < colCount_ ? colWidths_[static_cast<size_t>(Index)] : defaultColWidth_;
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= colCount_) return;
  colWidths_[static_cast<size_t>(Index)] = std::max(Value, 0);
  Invalidate();
}

int TCustomGrid::RowHeights(int Index) const {
  return Index >= 0 && Index < rowCount_ ? rowHeights_[static_cast<size_t>(Index)] : defaultRowHeight_;
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= rowCount_) return;
  rowHeights_[static_cast<size_t>(Index)] = std::max(Value, 0);
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  gridLineWidth_ = std::max(Value, 0);
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  options_ = Value;
  if (!options_.Contains(goEditing)) HideEditor();
  Invalidate();
}

// Fixed cells first, then the scrolled ones from the top-left non-fixed cell.
int TCustomGrid::ColLeft(int ACol) const {
  int x = 0;
  if (ACol < fixedCols_) {
    for (int c = 0; c < ACol; ++c) x += ColWidths(c) + gridLineWidth_;
    return x;
  }
  for (int c = 0; c < fixedCols_; ++c) x += ColWidths(c) + gridLineWidth_;
  if (ACol < leftCol_) return -1;
  for (int c = leftCol_; c < ACol; ++c) x += ColWidths(c) + gridLineWidth_;
  return x;
}

int TCustomGrid::RowTop(int ARow) const {
  int y = 0;
  if (ARow < fixedRows_) {
    for (int r = 0; r < ARow; ++r) y += RowHeights(r) + gridLineWidth_;
    return y;
  }
  for (int r = 0; r < fixedRows_; ++r) y += RowHeights(r) + gridLineWidth_;
  if (ARow < topRow_) return -1;
  for (int r = topRow_; r < ARow; ++r) y += RowHeights(r) + gridLineWidth_;
  return y;
}

RECT TCustomGrid::CellRect(int ACol, int ARow) {
  if (ACol < 0 || ACol >= colCount_ || ARow < 0 || ARow >= rowCount_) return RECT{};
  int x = ColLeft(ACol), y = RowTop(ARow);
  RECT client = ClientRect();
  if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) return RECT{};
  return RECT{x, y, x + ColWidths(ACol), y + RowHeights(ARow)};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  ACol = ARow = -1;
  for (int c = 0; c < colCount_; ++c) {
    if (c >= fixedCols_ && c < leftCol_) continue;
    int x = ColLeft(c);
    if (X >= x && X < x + ColWidths(c) + gridLineWidth_) {
      ACol = c;
      break;
    }
  }
  for (int r = 0; r < rowCount_; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    int y = RowTop(r);
    if (Y >= y && Y < y + RowHeights(r) + gridLineWidth_) {
      ARow = r;
      break;
    }
  }
}

// Non-fixed rows wholly shown from the top row.
int TCustomGrid::VisibleRowCount() {
  int h = ClientRect().bottom - RowTop(topRow_), n = 0;
  for (int r = topRow_; r < rowCount_ && h >= RowHeights(r); ++r, ++n) h -= RowHeights(r) + gridLineWidth_;
  return std::max(n, 1);
}

int TCustomGrid::VisibleColCount() {
  int w = ClientRect().right - ColLeft(leftCol_), n = 0;
  for (int c = leftCol_; c < colCount_ && w >= ColWidths(c); ++c, ++n) w -= ColWidths(c) + gridLineWidth_;
  return std::max(n, 1);
}

void TCustomGrid::ClampTopLeft() {
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, colCount_ - 1));
}

void TCustomGrid::SetTopRow(int Value) {
  int old = topRow_;
  topRow_ = Value;
  ClampTopLeft();
  if (topRow_ != old) TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int Value) {
  int old = leftCol_;
  leftCol_ = Value;
  ClampTopLeft();
  if (leftCol_ != old) TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  if (editorShown_) HideEditor();
  Invalidate();
  UpdateScrollBars();
}

void TCustomGrid::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = fixedRows_;
  si.nMax = rowCount_ - 1;
  si.nPage = static_cast<UINT>(VisibleRowCount());
  si.nPos = topRow_;
  SetScrollInfo(WindowHandle(), SB_VERT, &si, TRUE);
  si.nMin = fixedCols_;
  si.nMax = colCount_ - 1;
  si.nPage = static_cast<UINT>(VisibleColCount());
  si.nPos = leftCol_;
  SetScrollInfo(WindowHandle(), SB_HORZ, &si, TRUE);
}

void TCustomGrid::Resize() {
  inherited::Resize();
  UpdateScrollBars();
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool Show) {
  ACol = std::clamp(ACol, fixedCols_, std::max(fixedCols_, colCount_ - 1));
  ARow = std::clamp(ARow, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  if (ACol == col_ && ARow == row_) return;
  // The editor's text is taken before the cell is left, so a bound grid writes it to its record.
  bool editing = editorShown_;
  if (editing) {
    UpdateEditText(true);
    HideEditor();
  }
  if (!SelectCell(ACol, ARow)) {
    if (editing) ShowEditor();
    return;
  }
  InvalidateCell(col_, row_);
  if (options_.Contains(goRowSelect)) InvalidateRow(row_);
  col_ = ACol;
  row_ = ARow;
  if (Show) ShowCurrent();
  InvalidateCell(col_, row_);
  if (options_.Contains(goRowSelect)) InvalidateRow(row_);
  if (editing || options_.Contains(goAlwaysShowEditor)) ShowEditor();
}

void TCustomGrid::ShowCurrent() {
  if (row_ < topRow_) SetTopRow(row_);
  while (row_ >= topRow_ + VisibleRowCount() && topRow_ < row_) SetTopRow(topRow_ + 1);
  if (col_ < leftCol_) SetLeftCol(col_);
  while (col_ >= leftCol_ + VisibleColCount() && leftCol_ < col_) SetLeftCol(leftCol_ + 1);
}

void TCustomGrid::SetCurrent(int ACol, int ARow) {
  InvalidateCell(col_, row_);
  InvalidateRow(row_);
  col_ = std::clamp(ACol, fixedCols_, std::max(fixedCols_, colCount_ - 1));
  row_ = std::clamp(ARow, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  InvalidateCell(col_, row_);
  InvalidateRow(row_);
}

void TCustomGrid::MoveRowBy(int Delta) { FocusCell(col_, row_ + Delta, true); }

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  if (!HandleAllocated()) return;
  RECT r = CellRect(ACol, ARow);
  if (r.right > r.left) InvalidateRect(WindowHandle(), &r, FALSE);
}

void TCustomGrid::InvalidateRow(int ARow) {
  if (!HandleAllocated()) return;
  RECT r = CellRect(fixedCols_ > 0 ? 0 : leftCol_, ARow);
  r.right = ClientRect().right;
  if (r.bottom > r.top) InvalidateRect(WindowHandle(), &r, FALSE);
}

void TCustomGrid::WMVScroll(TMessage& Message) {
  WORD code = LOWORD(Message.WParam);
  int page = VisibleRowCount();
  int to = topRow_;
  switch (code) {
    case SB_LINEUP:
      to -= 1;
      break;
    case SB_LINEDOWN:
      to += 1;
      break;
    case SB_PAGEUP:
      to -= page;
      break;
    case SB_PAGEDOWN:
      to += page;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      to = HIWORD(Message.WParam);
      break;
    case SB_TOP:
      to = fixedRows_;
      break;
    case SB_BOTTOM:
      to = rowCount_ - page;
      break;
    default:
      break;
  }
  SetTopRow(std::min(to, std::max(fixedRows_, rowCount_ - page)));
  Message.Result = 0;
}

void TCustomGrid::WMHScroll(TMessage& Message) {
  WORD code = LOWORD(Message.WParam);
  int to = leftCol_;
  if (code == SB_LINELEFT || code == SB_PAGELEFT) to -= 1;
  if (code == SB_LINERIGHT || code == SB_PAGERIGHT) to += 1;
  if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) to = HIWORD(Message.WParam);
  SetLeftCol(to);
  Message.Result = 0;
}

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (options_.Contains(goTabs) ? DLGC_WANTTAB : 0);
}
