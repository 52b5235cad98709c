// The buttons of the tree list's panels pressed with the mouse: the band and header panel corners,
// a header's filter button and the filter status bar's clear-filter button. Each stays pressed while
// the pointer is over it and acts only when released there.
#include "dx/treelist/dxTL.h"
#include "platform/win/Windows.h"

bool TCustomdxTreeList::IsOverPressedButton(const TdxTreeListHitInfo& Hit) {
  switch (state_) {
    case tsBandButtonDown:
      return Hit.HitKind == tlhBandButton;
    case tsHeaderButtonDown:
      return Hit.HitKind == tlhHeaderButton;
    case tsFilterButtonDown: {
      int part = 0;
      return Hit.HitKind == tlhHeader && Hit.Column == pressedColumn_ &&
             IsHotTrackHeader(Hit.Point.x, Hit.Point.y, part, Hit.Column) && part == 2;
    }
    case tsClearFilterDown: {
      RECT button;
      GetClearFilterButtonRect(button);
      return Hit.HitKind == tlhFilterStatus && PtInRect(&button, Hit.Point);
    }
    default:
      return false;
  }
}

// Starts pressing the button under the pointer; false when there is none to press.
bool TCustomdxTreeList::PressPanelButton(const TdxTreeListHitInfo& Hit) {
  TdxTreeListState state = tsNormal;
  int part = 0;
  switch (Hit.HitKind) {
    case tlhBandButton:
      if (HasOptionEx(dxtlox::BandButtonClicking)) state = tsBandButtonDown;
      break;
    case tlhHeaderButton:
      if (HasOptionEx(dxtlox::HeaderButtonClicking)) state = tsHeaderButtonDown;
      break;
    case tlhHeader:
      if (Hit.Column >= 0 && IsFilterActive() && IsHotTrackHeader(Hit.Point.x, Hit.Point.y, part, Hit.Column) &&
          part == 2)
        state = tsFilterButtonDown;
      break;
    case tlhFilterStatus:
      state = tsClearFilterDown;
      break;
    default:
      break;
  }
  if (state == tsNormal) return false;
  SetState(state);
  pressedColumn_ = Hit.Column;
  if (!IsOverPressedButton(Hit)) {
    SetState(tsNormal);
    pressedColumn_ = -1;
    return false;
  }
  pressedOver_ = true;
  Invalidate();
  return true;
}

void TCustomdxTreeList::TrackPressedButton(const TdxTreeListHitInfo& Hit) {
  bool over = IsOverPressedButton(Hit);
  if (over == pressedOver_) return;
  pressedOver_ = over;
  Invalidate();
}

void TCustomdxTreeList::ReleasePanelButton(TdxTreeListState Released, const TdxTreeListHitInfo& Hit) {
  bool over = IsOverPressedButton(Hit);
  int column = pressedColumn_;
  CancelDragSizing();
  if (!over) return;
  switch (Released) {
    case tsBandButtonDown:
      DoBandButtonClick();
      break;
    case tsHeaderButtonDown:
      DoHeaderButtonClick();
      break;
    case tsFilterButtonDown:
      if (ComponentState().Contains(csDesigning)) break;
      openFilterColumn_ = column;
      {
        struct TClose {
          int& column;
          ~TClose() { column = -1; }
        } close{openFilterColumn_};
        ShowFilterDropDown(column);
      }
      break;
    case tsClearFilterDown:
      ClearFilter();
      break;
    default:
      break;
  }
}
