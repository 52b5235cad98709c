// Dragging a band or a column header: the drag image follows the pointer on the desktop, the drop
// arrows mark the place, the cursor tells whether a drop there is taken, and the end of the drag moves,
// shows or hides the item. Near the ends of the scrollable part the bands scroll by themselves.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLConsts.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kAutoScrollZone = 12;
constexpr UINT kDragScrollInterval = 100;
// While the delete cursor shows, the image moves aside to leave room for it.
constexpr int kDeleteCursorRoom = 32;

bool SamePoint(POINT A, POINT B) { return A.x == B.x && A.y == B.y; }

POINT CursorOnScreen() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

}  // namespace

void TCustomdxTreeList::BeginPanelDrag(bool IsBand) {
  if (Application) Application->CancelHint();
  SetDropArrowsBox(IsBand);
  FreeDragImages();
  if (IsBand)
    MakeBandDragImage(draggedBand_);
  else
    MakeHeaderDragImage(draggedHeader_);
  dragImages_->SetDragImage(0, dragImages_->Width() / 2, dragImages_->Height() / 2);
  arrowsPos_ = kNoPlace;
  arrowsShown_ = false;
  POINT cursor = CursorOnScreen();
  dragImages_->BeginDrag(GetDesktopWindow(), cursor.x, cursor.y);
  SetState(IsBand ? tsBandDragging : tsColumnDragging);
}

void TCustomdxTreeList::StartDragBand(int Band) {
  draggedBand_ = Band;
  BeginPanelDrag(true);
}

void TCustomdxTreeList::StartDragHeader(int Column) {
  draggedHeader_ = Column;
  BeginPanelDrag(false);
}

void TCustomdxTreeList::ShowDragFeedbackCursor(TCursor Cursor) {
  dragFeedbackCursor_ = Cursor;
  if (Screen) ::SetCursor(Screen->Cursors(Cursor));
  if (dragImages_) dragImages_->SetDragCursor(Cursor);
}

void TCustomdxTreeList::MoveDropArrows(POINT Position) {
  if (SamePoint(Position, arrowsPos_)) return;
  if (arrowsShown_) ToggleDropArrows(true);
  arrowsPos_ = Position;
  if (!SamePoint(Position, kNoPlace)) ToggleDropArrows(true);
}

void TCustomdxTreeList::PanelDragMove(bool IsBand) {
  if (IsDragScrollTimer()) StopTimerOne();
  POINT screen = CursorOnScreen(), arrows = screen;
  if (IsBand)
    CalcBandDropArrowsPos(arrows, nullptr, draggedBand_, pressedBand_);
  else
    CalcHeaderDropArrowsPos(arrows, nullptr, draggedHeader_, pressedHeader_);
  MoveDropArrows(arrows);

  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const RECT& panel = IsBand ? info.Areas.BandPanel : info.Areas.HeaderPanel;
  POINT p = screen;
  ::ScreenToClient(Handle(), &p);
  TCursor cursor = p.y >= panel.top && p.y < panel.bottom ? Cursor() : crDXTLDelete;
  GetDragCursor(p, cursor);
  bool accept = cursor != crDXTLDelete;
  if (IsBand)
    DoDragOverBand(p, draggedBand_, accept);
  else
    DoDragOverHeader(p, draggedHeader_, accept);
  cursor = accept ? Cursor() : crDXTLDelete;
  ShowDragFeedbackCursor(cursor);

  const int room = cursor == crDXTLDelete ? kDeleteCursorRoom : 0;
  const POINT hot{(dragImages_->Width() - room) / 2, dragImages_->Height() / 2};
  const POINT at{screen.x - room / 2, screen.y};
  if (!dragImages_->Dragging() || !SamePoint(dragImages_->GetHotSpot(), hot)) {
    dragImages_->EndDrag();
    dragImages_->SetDragImage(0, hot.x, hot.y);
    dragImages_->BeginDrag(GetDesktopWindow(), at.x, at.y);
  }
  dragImages_->DragMove(at.x, at.y);

  const int left = info.HasLeftFixed ? info.LeftFixedArea.right : panel.left;
  const int right = info.HasRightFixed ? info.RightFixedArea.left : panel.right;
  if (p.x >= left && p.x < left + kAutoScrollZone)
    StartTimerOne(TTimerOneKind::DragLeft, kDragScrollInterval);
  else if (p.x < right && p.x >= right - kAutoScrollZone)
    StartTimerOne(TTimerOneKind::DragRight, kDragScrollInterval);
}

void TCustomdxTreeList::FinishPanelDrag() {
  SetState(tsNormal);
  FreeDragImages();
  if (arrowsShown_) ToggleDropArrows(false);
  arrowsPos_ = kNoPlace;
  if (IsDragScrollTimer()) StopTimerOne();
  ShowDragFeedbackCursor(Cursor());
  if (HandleAllocated()) Invalidate();
}

void TCustomdxTreeList::EndDragBand(bool Accept) {
  const int band = draggedBand_, pressedPos = pressedBand_;
  FinishPanelDrag();
  draggedBand_ = pressedBand_ = -1;
  if (!Accept || band < 0) return;
  POINT screen = CursorOnScreen(), arrows = screen;
  int newIndex = dxDropOutside;
  CalcBandDropArrowsPos(arrows, &newIndex, band, pressedPos);
  POINT p = screen;
  ::ScreenToClient(Handle(), &p);
  bool accept = true;
  DoDragEndBand(p, band, accept, newIndex, pressedPos);
  if (!accept) return;
  if (pressedPos == -1) {
    if (IsCustomizingBands() && newIndex >= 0) ShowBand(newIndex, band);
    return;
  }
  if (newIndex >= 0 && newIndex != pressedPos) {
    MoveBand(pressedPos, newIndex);
    MakeBandVisible(newIndex);
    return;
  }
  if ((IsCustomizingBands() || HasOption(dxtlo::ExtCustomizing)) && newIndex == dxDropOutside &&
      !IsBandDisableCustomizing(band))
    HideBand(band);
}

void TCustomdxTreeList::EndDragHeader(bool Accept) {
  const int column = draggedHeader_, pressed = pressedHeader_;
  FinishPanelDrag();
  draggedHeader_ = pressedHeader_ = -1;
  if (!Accept || column < 0) return;
  POINT screen = CursorOnScreen(), arrows = screen;
  TdxHeaderPosInfo place;
  CalcHeaderDropArrowsPos(arrows, &place, column, pressed);
  POINT p = screen;
  ::ScreenToClient(Handle(), &p);
  bool accept = true;
  DoDragEndHeader(p, column, accept, place);
  if (!accept) return;
  if (!IsColumnShown(column)) {
    if (IsCustomizingHeaders() && place.ItemIndex != dxDropOutside && place.ItemIndex != dxDropNowhere)
      ShowColumn(place.BandIndex, place.RowIndex, column, place.ColIndex);
    return;
  }
  if (place.ItemIndex != dxDropOutside && place.ItemIndex != dxDropNowhere) {
    MoveColumn(column, place.BandIndex, place.ColIndex, place.RowIndex);
    return;
  }
  if ((IsCustomizingHeaders() || HasOption(dxtlo::ExtCustomizing)) && place.ItemIndex == dxDropOutside &&
      !IsColumnDisableCustomizing(column) && GetVisibleColumnCount() > 1)
    HideColumn(column);
}
