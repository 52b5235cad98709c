// The lookup grid's keyboard and mouse: row and column moves, header clicks that sort, the popup's
// row following the mouse, closing on release, and automatic scrolling while the button is held
// above or below the rows.
#include <algorithm>

#include "cx/editors-ext/cxLookupGrid.h"
#include "platform/win/Input.h"

namespace {

constexpr Cardinal kLookupGridAutoScrollInterval = 50;

}  // namespace

void TcxCustomLookupGrid::FocusRow(int ARowIndex) {
  const int rowCount = dataController_->GetRowCount();
  if (rowCount == 0) return;
  dataController_->ChangeFocusedRowIndex(std::clamp(ARowIndex, 0, rowCount - 1));
}

void TcxCustomLookupGrid::ChangeFocusedColumnIndex(int AIndex) {
  const int count = columns_->Count();
  if (count == 0) return;
  AIndex = std::clamp(AIndex, 0, count - 1);
  const int current = focusedColumn_ ? focusedColumn_->Index() : -1;
  if (AIndex == current) return;
  SetFocusedColumn(columns_->Items(AIndex));
  LayoutChanged();
  MakeFocusedRowVisible();
}

void TcxCustomLookupGrid::MoveFocusedRow(bool ADown) {
  TcxCustomDataController* controller = dataController_.get();
  int row = FocusedRowIndex();
  if (controller->IsGridMode()) {
    if (ADown && row == controller->GetRowCount() - 1 && !controller->IsEOF()) {
      controller->ScrollBy(1);
      if (!controller->IsEOF()) --row;
    } else if (!ADown && row == 0 && !controller->IsBOF()) {
      controller->ScrollBy(-1);
      if (!controller->IsBOF()) ++row;
    }
  }
  FocusRow(ADown ? row + 1 : row - 1);
  SetFocusedSelected(true);
}

void TcxCustomLookupGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TcxControl::KeyDown(Key, Shift);
  const bool ctrlOrRowSelect = Shift.Contains(ssCtrl) || options_->RowSelect();
  switch (Key) {
    case VK_RETURN:
      DoCloseUp(FocusedRowIndex() != -1);
      break;
    case VK_PRIOR:
      MakeFocusedRowVisible();
      if (FocusedRowIndex() == topRowIndex_) PageUp();
      FocusRow(topRowIndex_);
      break;
    case VK_NEXT:
      MakeFocusedRowVisible();
      if (FocusedRowIndex() == topRowIndex_ + viewInfo_->WholeRowCount - 1) PageDown();
      FocusRow(topRowIndex_ + viewInfo_->WholeRowCount - 1);
      break;
    case VK_END:
      if (ctrlOrRowSelect)
        dataController_->GotoLast();
      else
        ChangeFocusedColumnIndex(columns_->Count() - 1);
      break;
    case VK_HOME:
      if (ctrlOrRowSelect)
        dataController_->GotoFirst();
      else
        ChangeFocusedColumnIndex(0);
      break;
    case VK_LEFT:
    case VK_RIGHT:
      ChangeFocusedColumnIndex((focusedColumn_ ? focusedColumn_->Index() : -1) + (Key == VK_LEFT ? -1 : 1));
      break;
    case VK_UP:
    case VK_DOWN:
      MoveFocusedRow(Key == VK_DOWN);
      break;
    default:
      break;
  }
}

void TcxCustomLookupGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  const TcxLookupGridHitInfo hit = viewInfo_->HitTest({X, Y});
  if (hit.Kind == TcxLookupGridHitInfo::htHeader) {
    DoHeaderClick(hit.ColumnIndex, Shift);
  } else if (hit.RowIndex != -1) {
    DoRowMouseDown(hit.RowIndex, hit.ColumnIndex, Shift);
    pressedOnRows_ = true;
  }
}

void TcxCustomLookupGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  if (!MouseCapture()) {
    if (ignoreMouseMove_) {
      ignoreMouseMove_ = false;
      return;
    }
    if (!popupMode_) return;
  }
  const TcxLookupGridHitInfo hit = viewInfo_->HitTest({X, Y});
  const RECT& rows = viewInfo_->FullRowArea;
  if (pressedOnRows_ && MouseCapture() && (Y < rows.top || Y > rows.bottom)) {
    SetAutoScroll(Y < rows.top ? 1 : 2);
    return;
  }
  SetAutoScroll(0);
  if (hit.RowIndex != -1) {
    FocusRow(hit.RowIndex);
    SetFocusedSelected(true);
  }
}

void TcxCustomLookupGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseUp(Button, Shift, X, Y);
  SetAutoScroll(0);
  const TcxLookupGridHitInfo hit = viewInfo_->HitTest({X, Y});
  if (pressedOnRows_) {
    pressedOnRows_ = false;
    DoCloseUp(hit.RowIndex != -1);
  }
}

void TcxCustomLookupGrid::ResetMouseCaptureObject() {
  TcxControl::ResetMouseCaptureObject();
  SetAutoScroll(0);
  pressedOnRows_ = false;
}

void TcxCustomLookupGrid::DoRowMouseDown(int ARowIndex, int AColumnIndex, TShiftState) {
  FocusRow(ARowIndex);
  if (AColumnIndex != -1) ChangeFocusedColumnIndex(AColumnIndex);
}

void TcxCustomLookupGrid::DoHeaderClick(int AColumnIndex, TShiftState AShift) {
  if (!options_->ColumnSorting() || AColumnIndex < 0 || AColumnIndex >= columns_->Count()) return;
  TcxLookupGridColumn* column = columns_->Items(AColumnIndex);
  if (!column->Sorting()) return;
  {
    TcxLookupGridUpdateScope update(this);
    if (AShift.Contains(ssCtrl)) {
      column->SetSortOrder(soNone);
    } else {
      const TcxDataSortOrder order = column->SortOrder();
      if (!AShift.Contains(ssShift)) dataController_->ClearSorting(true);
      column->SetSortOrder(order == soAscending ? soDescending : soAscending);
    }
  }
  MakeFocusedRowVisible();
}

// --- Automatic scrolling ---

void TcxCustomLookupGrid::SetAutoScroll(int ADirection) {
  if (ADirection == autoScrollDirection_) return;
  autoScrollTimer_.reset();
  autoScrollDirection_ = ADirection;
  if (ADirection == 0) return;
  autoScrollTimer_ = std::make_unique<TTimer>(nullptr);
  autoScrollTimer_->SetInterval(kLookupGridAutoScrollInterval);
  autoScrollTimer_->OnTimer = [this](TObject*) { AutoScrollTick(); };
}

void TcxCustomLookupGrid::AutoScrollTick() {
  POINT p{};
  GetCursorPos(&p);
  p = ScreenToClient(p);
  const RECT& rows = viewInfo_->FullRowArea;
  int row;
  if (p.y < rows.top)
    row = topRowIndex_ - 1;
  else if (p.y > rows.bottom)
    row = topRowIndex_ + viewInfo_->WholeRowCount + 1;
  else
    return;
  FocusRow(row);
  MakeFocusedRowVisible();
  SetFocusedSelected(false);
}
