// Laying out an editor's buttons and deciding, from the mouse, which one is pressed or hot.
#include <algorithm>

#include "cx/editors/cxEditUtils.h"

namespace {

bool IsEmptyRect(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }

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

// Marks the outer ends of each run; hot-flat runs reach one pixel into the text area so their
// frames overlap it.
void TcxCustomEditViewData::MarkButtonRuns(TcxCustomEditViewInfo* AViewInfo, const RECT& AButtonsRect) {
  TcxEditButtonViewInfo* leftRun[2] = {nullptr, nullptr};   // leftmost, rightmost
  TcxEditButtonViewInfo* rightRun[2] = {nullptr, nullptr};
  for (const auto& owned : AViewInfo->ButtonsInfo) {
    TcxEditButtonViewInfo* button = owned.get();
    button->LeftEnd = button->RightEnd = false;
    TcxEditButtonViewInfo** run = button->LeftAlignment ? leftRun : rightRun;
    if (!run[0] || button->Bounds.left < run[0]->Bounds.left) run[0] = button;
    if (!run[1] || button->Bounds.right > run[1]->Bounds.right) run[1] = button;
  }
  for (TcxEditButtonViewInfo** run : {leftRun, rightRun}) {
    if (!run[0]) continue;
    run[0]->LeftEnd = true;
    run[1]->RightEnd = true;
  }
  const bool hotFlat = AViewInfo->ButtonCount() > 0 && AViewInfo->Button(0)->Style == btsHotFlat;
  if (!hotFlat || nativeEdit_) return;
  const bool room = AButtonsRect.right > AButtonsRect.left;
  if (TcxEditButtonViewInfo* nextToText = leftRun[1]) {
    ++nextToText->Bounds.right;
    if (!rightRun[0] && room) ++nextToText->VisibleBounds.right;
  }
  if (TcxEditButtonViewInfo* nextToText = rightRun[0]) {
    --nextToText->Bounds.left;
    if (!leftRun[0] && room) --nextToText->VisibleBounds.left;
  }
}
