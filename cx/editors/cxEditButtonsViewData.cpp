// Laying out an editor's buttons and deciding, from the mouse, which one is pressed or hot.
#include <algorithm>
#include <climits>

#include "cx/editors/cxEditUtils.h"

namespace {

bool IsExactlyLeft(TShiftState AShift) {
  return AShift == TShiftState{ssLeft} || AShift == TShiftState{ssLeft, ssDouble};
}

}  // namespace

TcxEditButtonStyle TcxCustomEditViewData::ResolveButtonStyle(TcxCustomEditViewInfo*, int AHotState) const {
  const TcxEditButtonStyle style = style_->ButtonStyle();
  if (style != btsDefault) return style;
  const bool ultraFlat = style_->BorderStyle() == ebsUltraFlat;
  const TcxEditDrawnBorder border = cxEditDrawnBorder(style_->BorderStyle(), AHotState);
  switch (border) {
    case edbNone:
      return ultraFlat ? btsUltraFlat : btsSimple;
    case edbSingle:
      return ultraFlat ? btsUltraFlat : btsHotFlat;
    case edbFlat:
      return btsFlat;
    default:
      return bts3D;
  }
}

void TcxCustomEditViewData::CalculateButtonsViewInfo(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                                     TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                     bool AIsMouseEvent) {
  TcxEditButtons* buttons = properties_->Buttons();
  const int visibleCount = buttons->VisibleCount();
  const TcxEditButtonTransparency transparency = style_->ButtonTransparency();
  const bool focused = IsEditFocused();
  const bool hidden = !focused && (transparency == ebtHideInactive ||
                                   (transparency == ebtHideUnselected && !ContainerState.Contains(cstHot)));
  if (visibleCount == 0 || hidden) {
    AViewInfo->SetButtonCount(0);
    AViewInfo->PressedButton = -1;
    AViewInfo->HotButton = -1;
    return;
  }
  AViewInfo->SetButtonCount(visibleCount);
  AViewInfo->ButtonStateChangedByMouse = false;
  const int previouslyPressed = AIsMouseEvent ? AViewInfo->PressedButton : -1;
  AViewInfo->PressedButton = -1;
  AViewInfo->HotButton = -1;

  const TcxEditButtonStyle style = ResolveButtonStyle(AViewInfo, AViewInfo->HotTrackState);
  RECT buttonsRect{ABounds.left, ABounds.top, ABounds.right, ABounds.bottom};
  const RECT extent = GetClientExtent(AViewInfo);
  buttonsRect = {buttonsRect.left + extent.left, buttonsRect.top + extent.top, buttonsRect.right - extent.right,
                 buttonsRect.bottom - extent.bottom};
  int viewIndex = visibleCount - 1;
  for (int i = buttons->Count() - 1; i >= 0; --i) {
    if (!buttons->Items(i)->Visible) continue;
    TcxEditButtonViewInfo* button = AViewInfo->Button(viewIndex);
    button->Index = i;
    button->Style = style;
    CalculateButtonViewInfo(ACanvas, AViewInfo, buttonsRect, viewIndex);
    CalculateButtonState(AViewInfo, viewIndex, P, AButton, AShift, previouslyPressed);
    CalculateButtonNativeInfo(button);
    --viewIndex;
  }
  MarkButtonRuns(AViewInfo, buttonsRect);
}

void TcxCustomEditViewData::CalculateButtonState(TcxCustomEditViewInfo* AViewInfo, int AIndex, POINT P, int AButton,
                                                 TShiftState AShift, int APreviouslyPressed) {
  TcxEditButtonViewInfo* button = AViewInfo->Button(AIndex);
  const TcxEditButtonState old = button->State;
  if (!Enabled) {
    button->State = ebsDisabled;
    return;
  }
  const bool pressedByEditor = IsButtonPressed(AViewInfo, AIndex);
  if (!pressedByEditor && (IsDesigning || !PtInRect(&button->VisibleBounds, P))) {
    button->State = ebsNormal;
    return;
  }
  const bool leftHeld = AShift.Contains(ssLeft);
  // A move with the button held, back over the button the press began on.
  const bool movedBackOnCaptured = AButton == 0 && leftHeld && old == ebsNormal && AIndex == GetPressedButton();
  const bool leftPressNow = AButton == 1 && IsExactlyLeft(AShift);
  const bool stillPressed = old == ebsPressed && leftHeld;
  if (pressedByEditor || movedBackOnCaptured || leftPressNow || stillPressed)
    AViewInfo->ButtonStateChangedByMouse = true;

  if (!pressedByEditor && AShift.Empty() && !movedBackOnCaptured) {
    button->State = ebsSelected;
    AViewInfo->HotButton = AIndex;
  } else if (pressedByEditor || (movedBackOnCaptured && CanPressButton(AViewInfo, AIndex)) ||
             (IsExactlyLeft(AShift) &&
              ((AButton == 1 && CanPressButton(AViewInfo, AIndex)) || AIndex == APreviouslyPressed)) ||
             stillPressed) {
    button->State = ebsPressed;
    AViewInfo->PressedButton = AIndex;
  } else {
    button->State = ebsNormal;
  }
}

void TcxCustomEditViewData::CalculateButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                    RECT& AButtonsRect, int AIndex) {
  TcxEditButtonViewInfo* info = AViewInfo->Button(AIndex);
  TcxEditButton* button = properties_->Buttons()->Items(info->Index);
  info->Kind = button->Kind;
  info->Caption = button->Caption;
  info->Default = button->Default;
  info->Glyph = button->HasGlyph() ? button->Glyph() : nullptr;
  info->LeftAlignment = button->LeftAlignment;
  info->Width = button->Width;
  info->EraseBackground = true;
  info->IsInplace = isInplace_;
  info->NativeStyle = AViewInfo->NativeStyle;
  info->BackgroundColor = AViewInfo->BackgroundColor;
  info->IsSingleDropDown = visibleButtonCount_ == 1 && button->Kind == bkDown;
  const TcxEditButtonTransparency transparency = style_->ButtonTransparency();
  info->Transparent = transparency == ebtAlways || (transparency == ebtInactive && !HotOrFocused);
  if (IsEmptyRect(AButtonsRect)) {
    info->Bounds = info->VisibleBounds = RECT{};
    return;
  }
  const int width = GetButtonWidth(ACanvas, info);
  const int visibleWidth = std::min(width, static_cast<int>(AButtonsRect.right - AButtonsRect.left));
  if (info->LeftAlignment) {
    info->Bounds = {AButtonsRect.left, AButtonsRect.top, AButtonsRect.left + width, AButtonsRect.bottom};
    info->VisibleBounds = {AButtonsRect.left, AButtonsRect.top, AButtonsRect.left + visibleWidth,
                           AButtonsRect.bottom};
    AButtonsRect.left += visibleWidth;
  } else {
    info->Bounds = {AButtonsRect.right - width, AButtonsRect.top, AButtonsRect.right, AButtonsRect.bottom};
    info->VisibleBounds = {AButtonsRect.right - visibleWidth, AButtonsRect.top, AButtonsRect.right,
                           AButtonsRect.bottom};
    AButtonsRect.right -= visibleWidth;
  }
}

// Marks the outer ends of each run (buttons stacked in one column share them); hot-flat runs reach
// one pixel into the text area so their frames overlap it.
void TcxCustomEditViewData::MarkButtonRuns(TcxCustomEditViewInfo* AViewInfo, const RECT& AButtonsRect) {
  struct TRun {
    int left = INT_MAX;
    int right = INT_MIN;
    bool any = false;
  } runs[2];  // left-aligned, right-aligned
  for (const auto& button : AViewInfo->ButtonsInfo) {
    TRun& run = runs[button->LeftAlignment ? 0 : 1];
    run.any = true;
    run.left = std::min(run.left, static_cast<int>(button->Bounds.left));
    run.right = std::max(run.right, static_cast<int>(button->Bounds.right));
  }
  const bool hotFlat =
      !nativeEdit_ && AViewInfo->ButtonCount() > 0 && AViewInfo->Button(0)->Style == btsHotFlat;
  const bool room = AButtonsRect.right > AButtonsRect.left;
  for (const auto& button : AViewInfo->ButtonsInfo) {
    const TRun& run = runs[button->LeftAlignment ? 0 : 1];
    button->LeftEnd = button->Bounds.left == run.left;
    button->RightEnd = button->Bounds.right == run.right;
    if (!hotFlat) continue;
    if (button->LeftAlignment && button->RightEnd) {
      ++button->Bounds.right;
      if (!runs[1].any && room) ++button->VisibleBounds.right;
    } else if (!button->LeftAlignment && button->LeftEnd) {
      --button->Bounds.left;
      if (!runs[0].any && room) --button->VisibleBounds.left;
    }
  }
}
