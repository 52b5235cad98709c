// The mouse as a state machine over State: a press decides which operation starts (column sizing,
// a pressed header, selecting rows, expanding), moves give feedback, the release applies it and fires
// the click events. A single click on the focused cell opens the editor after the double-click time.
#include <algorithm>
#include <cstdlib>

#include "dx/treelist/dxTL.h"
#include "platform/win/Timers.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kClickTimer = 2;
constexpr int kDragThreshold = 5;
constexpr UINT kMouseScrollInterval = 60;

}  // namespace

// --- The click-to-edit timer ---

void TCustomdxTreeList::StartClickTimer(bool WasFocused) {
  if (!WasFocused || state_ == tsEditing || clickTimer_ || !HandleAllocated()) return;
  clickTimer_ = SetTimer(Handle(), kClickTimer, GetDoubleClickTime(), nullptr) != 0;
}

void TCustomdxTreeList::KillClickTimer() {
  if (!clickTimer_) return;
  clickTimer_ = false;
  if (HandleAllocated()) KillTimer(Handle(), kClickTimer);
}

void TCustomdxTreeList::ClickTimerFired() {
  KillClickTimer();
  if (state_ == tsNormal) ShowEditor();
}

// --- Press ---

void TCustomdxTreeList::DblClick() {
  if (firingDblClick_) inherited::DblClick();
}

void TCustomdxTreeList::FireDblClick() {
  if (!CanDblClick()) return;
  firingDblClick_ = true;
  struct TEnd {
    bool& flag;
    ~TEnd() { flag = false; }
  } end{firingDblClick_};
  DblClick();
}

void TCustomdxTreeList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) KillClickTimer();
  if (state_ == tsEditing) HideEditor();
  selectingWithKeys_ = deselectOthersAtRelease_ = newItemRowClick_ = false;
  bool wasFocused = IsControlFocused();
  if (!ComponentState().Contains(csDesigning) && CanFocus()) {
    SetFocus();
    if (!IsControlFocused()) {
      ReleaseCapture();  // another control kept the focus
      return;
    }
  }
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{X, Y}, hit);
  pressHit_ = hit;
  pressPoint_ = POINT{X, Y};
  bool isDouble = Shift.Contains(ssDouble);
  if (Button == mbRight && state_ != tsNormal) CancelDragSizing();
  if (Button == mbLeft && state_ == tsNormal && PressHeaderArea(isDouble, hit, X)) return;
  if (state_ == tsNormal && (Button == mbLeft || (Button == mbRight && IsRowPart(hit.HitKind)))) {
    if (hit.HitKind == tlhButton || (isDouble && IsRowPart(hit.HitKind))) {
      KillClickTimer();
      if (hit.Node && (hit.HitKind == tlhButton || DblClkExpanding())) hit.Node->SetExpanded(!hit.Node->Expanded());
      if (isDouble) FireDblClick();
      return;
    }
    if (IsRowPart(hit.HitKind) || hit.HitKind == tlhIndicator) PressRow(Button, Shift, hit, wasFocused);
  }
  bool outsideRows = hit.HitKind == tlhNowhere || hit.HitKind == tlhIndent || hit.HitKind == tlhRowRight ||
                     hit.HitKind == tlhOutside;
  if (isDouble && Button == mbLeft && outsideRows) FireDblClick();
  if (Button == mbMiddle && state_ == tsNormal) Pan();
  inherited::MouseDown(Button, Shift, X, Y);
}

// Column sizing and pressed headers; true when the press starts sizing (no OnMouseDown then).
bool TCustomdxTreeList::PressHeaderArea(bool Double, const TdxTreeListHitInfo& Hit, int X) {
  if (StartSizing(Hit, Double, X, Hit.Point.y)) return true;
  if (PressPanelButton(Hit)) return false;
  switch (Hit.HitKind) {
    case tlhHeaderEdge:
      if (Hit.Column < 0) return false;
      if (Double) {
        BestFitColumn(Hit.Column);
        return true;
      }
      SetState(tsColumnSizing);
      pressedColumn_ = Hit.Column;
      sizingStart_ = sizingPos_ = X;
      DrawSizingLine();
      return true;
    case tlhBand:
      if (Hit.Band < 0) return false;
      SetState(tsBandDown);
      pressedBand_ = Hit.Band;
      pressedBandOver_ = true;
      Invalidate();
      return false;
    case tlhHeader:
      if (Hit.Column < 0) return false;
      SetState(tsColumnDown);
      pressedColumn_ = Hit.Column;
      pressedOver_ = true;
      Invalidate();
      return false;
    default:
      return false;
  }
}

void TCustomdxTreeList::PressRow(TMouseButton Button, TShiftState Shift, const TdxTreeListHitInfo& Hit,
                                 bool WasFocused) {
  if (Hit.HitKind == tlhNewItemRow) {
    PressNewItemRow(Button, Hit, WasFocused);
    return;
  }
  if (!Hit.Node) return;
  if (Button == mbLeft && Hit.HitKind != tlhIndicator) SetState(tsNodeDown);
  mouseDownNode_ = Hit.Node;
  SetNewItemRowActive(false);
  BeginSelection();
  struct TEnd {
    TCustomdxTreeList* self;
    ~TEnd() { self->EndSelection(); }
  } end{this};
  TdxTreeListNode* previous = focused_;
  int previousColumn = GetFocusedColumn();
  int column = Hit.Column >= 0 ? GetVisibleColumnIndex(Hit.Column) : -1;
  SetFocusedNode(Hit.Node, column >= 0 ? column : previousColumn, true);
  if (IsMultiSelect()) {
    bool shift = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
    if (shift) {
      selectingWithKeys_ = true;
      if (!selectionAnchor_ || !selectionAnchor_->IsVisible()) selectionAnchor_ = previous;
      if (!ctrl) ClearSelection();
      TdxTreeListNode* from = ctrl ? previous : selectionAnchor_;
      if (from)
        SelectRange(from, focused_);
      else
        SetNodeSelected(focused_, !IsNodeSelected(focused_));
      return;
    }
    if (ctrl) {
      selectingWithKeys_ = true;
      SetNodeSelected(focused_, !IsNodeSelected(focused_));
      SetSelectionAnchor(focused_);
      return;
    }
    if (IsNodeSelected(focused_)) {
      // The whole selection stays until the release, so that it can be dragged.
      if (Button == mbLeft) deselectOthersAtRelease_ = true;
    } else {
      ClearSelection();
      SetNodeSelected(focused_, true);
      SetSelectionAnchor(focused_);
    }
  }
  if (Button == mbLeft && Hit.HitKind == tlhCell && !IsRowSelect() && Hit.Column >= 0 && focused_ == previous &&
      GetFocusedColumn() == previousColumn)
    StartClickTimer(WasFocused);
}

void TCustomdxTreeList::PressNewItemRow(TMouseButton Button, const TdxTreeListHitInfo& Hit, bool WasFocused) {
  if (!focused_) {
    ActivateNewItemRow();
    return;
  }
  bool wasActive = newItemRowActive_;
  int previousColumn = GetFocusedColumn();
  int column = Hit.Column >= 0 ? GetVisibleColumnIndex(Hit.Column) : previousColumn;
  SetFocusedNode(focused_, column, true);
  SetNewItemRowActive(true);
  newItemRowClick_ = true;
  if (Button == mbLeft && !IsRowSelect() && Hit.Column >= 0 && wasActive && GetFocusedColumn() == previousColumn)
    StartClickTimer(WasFocused);
}

// --- Move ---

bool TCustomdxTreeList::GetHeaderItem(int Column, TdxTreeListHeaderItem& Item) {
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListHeaderItem* h = info.FindHeader(Column);
  if (!h) return false;
  Item = *h;
  return true;
}

int TCustomdxTreeList::ClampColumnSizing(int X) {
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListHeaderItem* h = info.FindHeader(pressedColumn_);
  if (!h) return X;
  int low = h->Rect.left + GetColumnMinWidth(pressedColumn_);
  int high;
  if (!IsAutoWidth() && HasOptionEx(dxtlox::FullSizing))
    high = 100000;
  else if (IsBandHeaderWidthShown())
    high = ClientWidth() - 1;
  else
    high = h->Band < static_cast<int>(info.Bands.size()) ? info.Bands[h->Band].Rect.right : ClientWidth() - 1;
  return std::clamp(X, low, std::max(low, high));
}

bool TCustomdxTreeList::IsPastDragThreshold(int X, int Y) const {
  return std::abs(X - pressPoint_.x) > kDragThreshold || std::abs(Y - pressPoint_.y) > kDragThreshold;
}

void TCustomdxTreeList::MouseMove(TShiftState Shift, int X, int Y) {
  if (state_ == tsBandDragging || state_ == tsColumnDragging) {
    PanelDragMove(state_ == tsBandDragging);
    return;
  }
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{X, Y}, hit);
  if (state_ == tsNodeDown && !Shift.Contains(ssLeft)) SetState(tsNormal);  // the release was lost
  if (IsSizingState(state_)) {
    int line = ClampSizingLine(X, Y);
    if (line != sizingPos_) {
      DrawSizingLine();
      sizingPos_ = line;
      DrawSizingLine();
    }
  } else if (state_ == tsBandButtonDown || state_ == tsHeaderButtonDown || state_ == tsFilterButtonDown ||
             state_ == tsClearFilterDown) {
    TrackPressedButton(hit);
  } else if (state_ == tsBandDown && IsPastDragThreshold(X, Y) && CanBandDragging(pressedBand_)) {
    StartDragBand(GetBandIndex(pressedBand_));
  } else if (state_ == tsBandDown) {
    bool over = (hit.HitKind == tlhBand || hit.HitKind == tlhBandEdge) && hit.Band == pressedBand_;
    if (over != pressedBandOver_) {
      pressedBandOver_ = over;
      Invalidate();
    }
  } else if (state_ == tsColumnDown && IsPastDragThreshold(X, Y) && CanHeaderDragging(pressedColumn_)) {
    pressedHeader_ = pressedColumn_;
    StartDragHeader(pressedColumn_);
  } else if (state_ == tsColumnDown) {
    bool over = (hit.HitKind == tlhHeader || hit.HitKind == tlhHeaderEdge) && hit.Column == pressedColumn_;
    if (over != pressedOver_) {
      pressedOver_ = over;
      Invalidate();
    }
  } else if (state_ == tsNodeDown && DragMode() == dmAutomatic) {
    if (IsPastDragThreshold(X, Y)) StartNodeDrag(pressPoint_.x, pressPoint_.y);
  } else if (state_ == tsNodeDown && Shift.Contains(ssLeft) && IsMouseScroll() && GetAbsoluteCount() > 0) {
    MouseScrollRows(hit, X, Y);
  }
  DoHotTrack(hit);
  inherited::MouseMove(Shift, X, Y);
}

// A press on the rows held and moved: above or below the rows the focus moves a row every 60 ms,
// over them it follows the pointer, and a single selection with it.
void TCustomdxTreeList::MouseScrollRows(const TdxTreeListHitInfo& Hit, int X, int Y) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  if (Y < areas.Rows.top) {
    if (focused_ == top_)
      StepFocusedRow(-1);
    else
      SetFocusedAbsoluteIndex(GetTopIndex());
    StartTimerOne(TTimerOneKind::SelectRowUp, kMouseScrollInterval);
    return;
  }
  if (Y >= areas.Rows.bottom) {
    int last = std::min(GetTopIndex() + fullVisibleRowCount_, GetAbsoluteCount()) - 1;
    if (GetFocusedAbsoluteIndex() != last) SetFocusedAbsoluteIndex(last);
    StartTimerOne(TTimerOneKind::SelectRowDown, kMouseScrollInterval);
    return;
  }
  if (timerOne_ == TTimerOneKind::SelectRowUp || timerOne_ == TTimerOneKind::SelectRowDown) StopTimerOne();
  if (!Hit.Node || Hit.Node == focused_ || !IsRowPart(Hit.HitKind) || !IsPastDragThreshold(X, Y)) return;
  SetFocusedNode(Hit.Node, GetFocusedColumn(), true);
  if (IsMultiSelect()) {
    BeginSelection();
    ClearSelection();
    SetNodeSelected(focused_, true);
    EndSelection();
  }
}

// --- Release ---

void TCustomdxTreeList::ReleaseColumnSizing() {
  int line = ClampColumnSizing(sizingPos_);
  TdxTreeListHeaderItem h;
  if (line != sizingStart_ && GetHeaderItem(pressedColumn_, h)) {
    int width = line - h.Rect.left + 1;
    if (IsBandHeaderWidth() && !IsAutoWidth() && GetBandHeaderRowCount(h.Band) <= 1)
      ApplyColumnAndBandSizing(pressedColumn_, width);
    else
      ApplyColumnSizing(pressedColumn_, width);
    DoChangedColumnsWidth();
  }
}

// With ImmediateEditor a click that ends where it began opens the editor at once.
void TCustomdxTreeList::OpenEditorAtRelease(TMouseButton Button, TShiftState Shift, TdxTreeListState Released,
                                            const TdxTreeListHitInfo& Hit) {
  bool rowPress = Released == tsEditing || Released == tsNodeDragging || Released == tsNodeDown;
  if (!(rowPress || newItemRowClick_) || !HasOption(dxtlo::ImmediateEditor) || IsRowSelect() || Button != mbLeft)
    return;
  const TdxTreeListHitInfo& press = pressHit_;
  bool same = Hit.Column == press.Column && Hit.RowIndex == press.RowIndex && Hit.HitKind == press.HitKind;
  bool cell = Hit.HitKind == tlhCell || Hit.HitKind == tlhNewItemRow;
  if (!same || !cell || (Hit.HitKind != tlhNewItemRow && Hit.Node != focused_)) return;
  SetState(tsNormal);
  if (!Shift.Contains(ssShift) && !Shift.Contains(ssCtrl)) ShowEditorByClick();
}

void TCustomdxTreeList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  BeginSelection();
  struct TEnd {
    TCustomdxTreeList* self;
    ~TEnd() { self->EndSelection(); }
  } end{this};
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{X, Y}, hit);
  TdxTreeListState released = state_;
  switch (released) {
    case tsColumnSizing:
      DrawSizingLine();
      SetState(tsNormal);
      ReleaseColumnSizing();
      Invalidate();
      break;
    case tsBandSizing:
    case tsBandPanelSizing:
    case tsHeaderPanelSizing:
    case tsRowSizing:
      DrawSizingLine();
      SetState(tsNormal);
      ReleaseSizing(released);
      Invalidate();
      break;
    case tsBandDown: {
      SetState(tsNormal);
      Invalidate();
      if ((hit.HitKind == tlhBand || hit.HitKind == tlhBandEdge) && hit.Band == pressedBand_)
        DoBandClick(pressedBand_);
      pressedBand_ = -1;
      break;
    }
    case tsBandDragging:
      EndDragBand(true);
      break;
    case tsBandButtonDown:
    case tsHeaderButtonDown:
    case tsFilterButtonDown:
    case tsClearFilterDown:
      ReleasePanelButton(released, hit);
      break;
    case tsColumnDragging:
      EndDragHeader(true);
      break;
    case tsColumnDown: {
      SetState(tsNormal);
      Invalidate();
      bool over = (hit.HitKind == tlhHeader || hit.HitKind == tlhHeaderEdge) && hit.Column == pressedColumn_;
      if (over) {
        SetSortClickFlags(IsMultiSort() && Shift.Contains(ssShift), Shift.Contains(ssCtrl));
        struct TClear {
          TCustomdxTreeList* self;
          ~TClear() { self->SetSortClickFlags(false, false); }
        } clear{this};
        DoHeaderClick(pressedColumn_);
      }
      break;
    }
    default:
      break;
  }
  if (deselectOthersAtRelease_ && focused_) {
    deselectOthersAtRelease_ = false;
    ClearSelection();
    SetNodeSelected(focused_, true);
    SetSelectionAnchor(focused_);
  }
  OpenEditorAtRelease(Button, Shift, released, hit);
  newItemRowClick_ = false;
  if (state_ == tsNodeDown) SetState(tsNormal);
  if (released == tsEditing || released == tsNodeDragging || released == tsNodeDown) Click();
  inherited::MouseUp(Button, Shift, X, Y);
}
