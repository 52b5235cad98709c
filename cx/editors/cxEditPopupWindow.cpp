// The editor pop-up window: its size and place before each opening, and the user's sizing of it
// with the mouse from the grip corner (one pop-up at a time).
#include "cx/editors/cxEditPopupWindow.h"

#include <algorithm>

#include "cx/editors/cxDropDownEdit.h"
#include "cx/foundation/cxControls.h"
#include "platform/win/Cursors.h"
#include "platform/win/Input.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomEditPopupWindow)

namespace {

// The sizing in progress; only one editor pop-up is sized at a time.
struct TSizingState {
  TcxCustomEditPopupWindow* Window = nullptr;
  POINT Direction{};
  POINT GrabOffset{};
  RECT FrameRect{};
};

TSizingState& Sizing() {
  static TSizingState state;
  return state;
}

TCursor SizingCursor(POINT ADirection) {
  if (ADirection.x != 0 && ADirection.y != 0) return ADirection.x == ADirection.y ? crSizeNWSE : crSizeNESW;
  if (ADirection.x != 0) return crSizeWE;
  if (ADirection.y != 0) return crSizeNS;
  return crDefault;
}

RECT ScreenBounds(TControl* AControl) {
  const POINT tl = AControl->ClientToScreen({0, 0});
  return {tl.x, tl.y, tl.x + AControl->Width(), tl.y + AControl->Height()};
}

}  // namespace

TRENVIK_MESSAGE_MAP(TcxCustomEditPopupWindow) {
  M.On(CM_EDITPOPUPDEFERREDRELEASE, &TcxCustomEditPopupWindow::CMDeferredRelease);
}

void TcxCustomEditPopupWindow::ReleaseAfterOwnLoop() {
  PostMessage(Handle(), CM_EDITPOPUPDEFERREDRELEASE, 0, 0);
}

// The loop handles one message and then looks at the window again: the release comes after that.
void TcxCustomEditPopupWindow::CMDeferredRelease(TMessage&) { Release(); }

TcxCustomEditPopupWindow::TcxCustomEditPopupWindow(TcxCustomDropDownEdit* AEdit) : TcxCustomPopupWindow(AEdit) {
  EditViewInfo()->CloseButtonState = cxPopupCloseButtonNormal;
}

TcxCustomEditPopupWindow::~TcxCustomEditPopupWindow() {
  if (Sizing().Window == this) Sizing() = TSizingState{};
}

TcxCustomDropDownEdit* TcxCustomEditPopupWindow::Edit() const {
  return static_cast<TcxCustomDropDownEdit*>(OwnerControl());
}

TcxCustomEditPopupWindowViewInfo* TcxCustomEditPopupWindow::EditViewInfo() {
  return static_cast<TcxCustomEditPopupWindowViewInfo*>(ViewInfo());
}

TcxContainerViewInfoClass TcxCustomEditPopupWindow::GetViewInfoClass() {
  return [] { return new TcxCustomEditPopupWindowViewInfo(); };
}

bool TcxCustomEditPopupWindow::IsSizing() const { return Sizing().Window == this; }

void TcxCustomEditPopupWindow::RefreshOwnerBounds() { SetOwnerBounds(Edit()->GetPopupOwnerBounds()); }

RECT TcxCustomEditPopupWindow::OwnerScreenBounds() const {
  const RECT o = OwnerBounds();
  if (!OwnerParent()) return o;
  const POINT tl = OwnerParent()->ClientToScreen({o.left, o.top});
  return {tl.x, tl.y, tl.x + (o.right - o.left), tl.y + (o.bottom - o.top)};
}

void TcxCustomEditPopupWindow::CalculateViewInfo() {
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  info->Bounds = {0, 0, Width(), Height()};
  info->Calculate();
  static constexpr int kFrameKind[] = {1, 2, 1, 0};
  info->FrameKind = kFrameKind[static_cast<int>(info->PopupBorderStyle)];
}

SIZE TcxCustomEditPopupWindow::GetMinSize() {
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  info->CalculateBorders();
  const TcxPopupBorders b = info->GetBorders();
  SIZE size{b.Width(), b.Height()};
  if (info->Sizeable && info->HasSysPanel()) {
    const int panel = info->GetSysPanelHeight();
    // The close button, the grip and a little room between them.
    size.cx += (panel - 4) + (panel - 2) + 10;
  }
  return size;
}

TcxCustomEditPopupWindow::TSizeInputs TcxCustomEditPopupWindow::BeginSizeCalculation() {
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  info->SizeGripCorner = cxGripBottomRight;
  RefreshOwnerBounds();
  info->CalculateBorders();
  TSizeInputs inputs;
  inputs.Borders = info->GetBorders();
  inputs.MinSize = GetMinSize();
  Edit()->CalculatePopupSize(inputs.Content);
  inputs.OwnerWidth = OwnerBounds().right - OwnerBounds().left;
  return inputs;
}

void TcxCustomEditPopupWindow::ApplyCalculatedSize(int AWidth, int AHeight, SIZE AMinSize) {
  if (Sizeable() && minWidth_ > 0) AWidth = std::max(AWidth, minWidth_);
  if (Sizeable() && minHeight_ > 0) AHeight = std::max(AHeight, minHeight_);
  SetBounds(Left(), Top(), std::max<int>(AWidth, AMinSize.cx), std::max<int>(AHeight, AMinSize.cy));
}

void TcxCustomEditPopupWindow::CalculateSize() {
  const TSizeInputs in = BeginSizeCalculation();
  int w;
  if (autoSize_)
    w = in.Borders.Width() + in.Content.cx;
  else
    w = popupWidth_ != 0 ? popupWidth_ : in.OwnerWidth;
  int h;
  if (autoSize_)
    h = in.Borders.Height() + in.Content.cy;
  else
    h = popupHeight_ > 0 ? popupHeight_ : std::max<int>(in.MinSize.cy, minHeight_);
  ApplyCalculatedSize(w, h, in.MinSize);
}

void TcxCustomEditPopupWindow::CalculatePosition() {
  RefreshOwnerBounds();
  TcxPopupWindow::CalculatePosition();
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  const RECT o = OwnerScreenBounds();
  const RECT work = cxGetMonitorWorkArea({Left(), Top()});
  const bool below = Top() >= o.bottom;
  bool right;
  switch (AlignHorz()) {
    case phaLeft: right = Left() == o.left || work.left >= o.left; break;
    case phaRight: right = Left() + Width() != o.right || work.left >= o.left; break;
    default: right = work.left >= o.left || work.right - o.right >= o.left - work.left; break;
  }
  info->SizeGripCorner = (below ? 2 : 0) | (right ? 1 : 0);
  // The shadow of a popup above the edit would cover its top; the window sits lower instead.
  if (Shadow() && !below) SetBounds(Left(), Top() + 3, Width(), Height());
}

void TcxCustomEditPopupWindow::RealignContent() {
  RefreshOwnerBounds();
  CalculateViewInfo();
  Edit()->PositionPopupContent(EditViewInfo()->ClientRect);
  if (HandleAllocated()) {
    InvalidateRect(Handle(), nullptr, TRUE);
    Update();
  }
}

void TcxCustomEditPopupWindow::AdjustClientRect(RECT& Rect) {
  CalculateViewInfo();
  Rect = EditViewInfo()->ClientRect;
}

void TcxCustomEditPopupWindow::Resize() {
  inherited::Resize();
  CalculateViewInfo();
  if (HandleAllocated()) cxUpdateShadowWindowRegion(Handle(), {0, 0, Width(), Height()}, Shadow(), NativeStyle());
}

bool TcxCustomEditPopupWindow::CanResize(int& NewWidth, int& NewHeight) {
  if (!Sizeable() || (NewWidth == Width() && NewHeight == Height())) return true;
  SIZE minSize = GetMinSize();
  if (minWidth_ > 0) minSize.cx = std::max<int>(minSize.cx, minWidth_);
  if (minHeight_ > 0) minSize.cy = std::max<int>(minSize.cy, minHeight_);
  NewWidth = std::max<int>(NewWidth, minSize.cx);
  NewHeight = std::max<int>(NewHeight, minSize.cy);
  if (NewWidth == Width() && NewHeight == Height()) return true;
  IcxTextEditLookupData* lookup = Edit()->ILookupData();
  if (!lookup || !Edit()->ActiveProperties()->IsLookupListInPopup()) return true;
  const TcxPopupBorders b = EditViewInfo()->GetBorders();
  SIZE inner{NewWidth - b.Width(), NewHeight - b.Height()};
  if (lookup->CanResizeList(inner)) {
    const SIZE least = GetMinSize();
    NewWidth = std::max<int>(b.Width() + inner.cx, least.cx);
    NewHeight = std::max<int>(b.Height() + inner.cy, least.cy);
  } else {
    NewWidth = Width();
    NewHeight = Height();
  }
  return true;
}

// --- Sizing with the mouse ---

void TcxCustomEditPopupWindow::SetCloseButtonState(int AState) {
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  if (info->CloseButtonState == AState) return;
  info->CloseButtonState = AState;
  if (HandleAllocated()) InvalidateRect(Handle(), &info->CloseButtonRect, FALSE);
}

void TcxCustomEditPopupWindow::UpdateSizingCursor(POINT P) {
  POINT direction;
  const bool sizing = EditViewInfo()->GetSizingDirection(P, direction);
  if (sizing) {
    SetCursor(SizingCursor(direction));
    sizingCursorShown_ = true;
  } else if (sizingCursorShown_) {
    SetCursor(crDefault);
    sizingCursorShown_ = false;
  }
}

void TcxCustomEditPopupWindow::DrawSizingFrame(const RECT& R) {
  TcxCanvas* canvas = cxGetScreenCanvas();
  if (!canvas) return;
  RECT r = R;
  if (Shadow()) {
    r.right -= 3;
    r.bottom -= 3;
  }
  const int width = cxPopupSizingFrameWidth(EditViewInfo());
  for (int i = 0; i < width; ++i) {
    canvas->DrawFocusRect(r);
    InflateRect(&r, -1, -1);
  }
}

void TcxCustomEditPopupWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  const POINT p{X, Y};
  if (!IsRectEmpty(&info->CloseButtonRect) && PtInRect(&info->CloseButtonRect, p)) {
    SetCloseButtonState(cxPopupCloseButtonPressed);
    return;
  }
  POINT direction;
  if (!info->GetSizingDirection(p, direction)) return;
  if (!HasCapture()) SetCapture(Handle());
  TSizingState& s = Sizing();
  s.Window = this;
  s.Direction = direction;
  s.GrabOffset = {direction.x < 0 ? X : (direction.x > 0 ? Width() - X : 0),
                  direction.y < 0 ? Y : (direction.y > 0 ? Height() - Y : 0)};
  s.FrameRect = ScreenBounds(this);
  SetCursor(SizingCursor(direction));
  sizingCursorShown_ = true;
  DrawSizingFrame(s.FrameRect);
}

RECT TcxCustomEditPopupWindow::SizedBounds(POINT AScreenPoint) {
  TSizingState& s = Sizing();
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  const RECT current = ScreenBounds(this);
  RECT r = s.FrameRect;
  const RECT grip = info->SizeGripRect;
  const bool gripKnown = !IsRectEmpty(&grip);
  const POINT local{AScreenPoint.x - current.left, AScreenPoint.y - current.top};
  const bool inside = PtInRect(&current, AScreenPoint) != 0;
  if (s.Direction.x > 0) {
    // Growth while the mouse is still inside waits until it is within the grip's span.
    if (!(gripKnown && inside && AScreenPoint.x + s.GrabOffset.x > r.right && (local.x < grip.left || local.x >= grip.right)))
      r.right = AScreenPoint.x + s.GrabOffset.x;
  } else if (s.Direction.x < 0) {
    r.left = AScreenPoint.x - s.GrabOffset.x;
  }
  if (s.Direction.y > 0) {
    if (!(gripKnown && inside && AScreenPoint.y + s.GrabOffset.y > r.bottom && (local.y < grip.top || local.y >= grip.bottom)))
      r.bottom = AScreenPoint.y + s.GrabOffset.y;
  } else if (s.Direction.y < 0) {
    r.top = AScreenPoint.y - s.GrabOffset.y;
  }
  int w = r.right - r.left, h = r.bottom - r.top;
  CanResize(w, h);
  // Anchored on the side opposite the grip.
  if (s.Direction.x < 0)
    r.left = r.right - w;
  else
    r.right = r.left + w;
  if (s.Direction.y < 0)
    r.top = r.bottom - h;
  else
    r.bottom = r.top + h;
  // The popup keeps overlapping the edit horizontally.
  const RECT owner = OwnerScreenBounds();
  if (r.left > owner.right) r.left = owner.right;
  if (r.right < owner.left) r.right = owner.left;
  const RECT work = cxGetMonitorWorkArea({owner.left, owner.top});
  r.left = std::max(r.left, work.left);
  r.top = std::max(r.top, work.top);
  r.right = std::min(r.right, work.right);
  r.bottom = std::min(r.bottom, work.bottom);
  return r;
}

void TcxCustomEditPopupWindow::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  if (!IsSizing()) {
    const POINT p{X, Y};
    const bool overClose = !IsRectEmpty(&info->CloseButtonRect) && PtInRect(&info->CloseButtonRect, p);
    if (!overClose)
      SetCloseButtonState(cxPopupCloseButtonNormal);
    else if (!Shift.Contains(ssLeft))
      SetCloseButtonState(cxPopupCloseButtonHot);
    UpdateSizingCursor(p);
    return;
  }
  const RECT r = SizedBounds(ClientToScreen({X, Y}));
  TSizingState& s = Sizing();
  if (EqualRect(&r, &s.FrameRect)) return;
  Edit()->SetPopupResized(true);
  DrawSizingFrame(s.FrameRect);
  s.FrameRect = r;
  DrawSizingFrame(s.FrameRect);
}

void TcxCustomEditPopupWindow::EndSizing() {
  const RECT r = Sizing().FrameRect;
  Sizing() = TSizingState{};
  if (HasCapture()) ReleaseCapture();
  DrawSizingFrame(r);
  SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  RealignContent();
}

void TcxCustomEditPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (IsSizing()) {
    EndSizing();
    UpdateSizingCursor({X, Y});
    return;
  }
  TcxCustomEditPopupWindowViewInfo* info = EditViewInfo();
  if (info->CloseButtonState != cxPopupCloseButtonPressed) return;
  if (!PtInRect(&info->CloseButtonRect, POINT{X, Y})) {
    SetCloseButtonState(cxPopupCloseButtonNormal);
    return;
  }
  if (CloseQuery()) Edit()->CloseUp(false);
  if (Visible()) SetCloseButtonState(cxPopupCloseButtonHot);
}

void TcxCustomEditPopupWindow::MouseLeave(TControl* AControl) {
  inherited::MouseLeave(AControl);
  SetCloseButtonState(cxPopupCloseButtonNormal);
  if (sizingCursorShown_ && !IsSizing()) {
    SetCursor(crDefault);
    sizingCursorShown_ = false;
  }
}
