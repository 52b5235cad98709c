#include <algorithm>

#include "cx/foundation/cxControls.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxControlScrollBar)
TRENVIK_IMPLEMENT_CLASS(TcxSizeGrip)

TRENVIK_PUBLISHED(TcxControl) {
  P.Property("LookAndFeel", &TcxControl::LookAndFeel, &TcxControl::SetLookAndFeel);
}

// --- TcxControlScrollBar ---

TRENVIK_MESSAGE_MAP(TcxControlScrollBar) {
  M.On(WM_LBUTTONDOWN, &TcxControlScrollBar::WMLButtonDown);
  M.On(CM_DESIGNHITTEST, &TcxControlScrollBar::CMDesignHitTest);
}

TcxControlScrollBar::TcxControlScrollBar(TComponent* AOwner) : TcxScrollBar(AOwner) {
  SetColor(clBtnFace);
  SetTabStop(false);
  SetVisible(false);
  SetControlStyle(ControlStyle() - TControlStyle{csFramed} + TControlStyle{csNoDesignVisible});
  if (auto* control = dynamic_cast<TcxControl*>(AOwner)) LookAndFeel()->SetMasterLookAndFeel(control->LookAndFeel());
}

void TcxControlScrollBar::ApplyData() {
  if (Data.Visible) {
    SetScrollInfo(Data.Min, Data.Max, Data.Position, Data.PageSize, true);
    SetSmallChange(Data.SmallChange);
    SetLargeChange(Data.LargeChange);
  }
  SetEnabled(Data.Enabled);
  SetVisible(Data.Visible);
}

void TcxControlScrollBar::WMLButtonDown(TMessage& Message) {
  if (auto* control = dynamic_cast<TcxControl*>(Parent())) {
    if (control->MayFocusOnChildClick(this)) control->SetFocus();
  } else if (Parent() && Parent()->CanFocus()) {
    Parent()->SetFocus();
  }
  inherited::Dispatch(Message);
}

// Operated in a designer like at run time.
void TcxControlScrollBar::CMDesignHitTest(TMessage& Message) {
  if (ComponentState().Contains(csDesigning))
    Message.Result = 1;
  else
    inherited::Dispatch(Message);
}

// --- TcxSizeGrip ---

TcxSizeGrip::TcxSizeGrip(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  SetVisible(false);
  SetControlStyle(ControlStyle() + TControlStyle{csNoDesignVisible});
}

void TcxSizeGrip::Paint() {
  TCustomControl::Canvas()->Brush()->SetColor(Color());
  TCustomControl::Canvas()->FillRect(ClientRect());
}

// --- TcxControl ---

TRENVIK_MESSAGE_MAP(TcxControl) {
  M.On(WM_ERASEBKGND, &TcxControl::WMEraseBkgnd);
  M.On(WM_GETDLGCODE, &TcxControl::WMGetDlgCode);
  M.On(WM_NCCALCSIZE, &TcxControl::WMNCCalcSize);
  M.On(WM_CANCELMODE, &TcxControl::WMCancelMode);
  M.On(DXM_NCSIZECHANGED, &TcxControl::DXMNCSizeChanged);
  M.On(CM_COLORCHANGED, &TcxControl::CMColorChanged);
  M.On(CM_CURSORCHANGED, &TcxControl::CMCursorChanged);
  M.On(CM_FONTCHANGED, &TcxControl::CMFontChanged);
  M.On(CM_VISIBLECHANGED, &TcxControl::CMVisibleChanged);
  M.On(CM_MOUSEENTER, &TcxControl::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TcxControl::CMMouseLeave);
  M.On(CM_DESIGNHITTEST, &TcxControl::CMDesignHitTest);
}

TcxControl::TcxControl(TComponent* AOwner) : TCustomControl(AOwner) {
  canvas_ = std::make_unique<TcxCanvas>(TCustomControl::Canvas());
  defaultCursor_ = Cursor();
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues AValues) {
    LookAndFeelChanged(Sender, AValues);
  };
  auto makeBar = [this](TScrollBarKind AKind) {
    auto* bar = new TcxControlScrollBar(this);
    bar->SetKind(AKind);
    bar->OnScroll = [this, AKind](TObject*, TScrollCode Code, int& Pos) { ScrollBarScroll(AKind, Code, Pos); };
    return bar;
  };
  hScrollBar_ = makeBar(sbHorizontal);
  vScrollBar_ = makeBar(sbVertical);
  sizeGrip_ = new TcxSizeGrip(this);
  cxSettingsController()->AddControl(this);
  SetTabStop(MayFocus());
}

TcxControl::~TcxControl() {
  cxSettingsController()->RemoveControl(this);
  delete sizeGrip_;
  delete vScrollBar_;
  delete hScrollBar_;
  sizeGrip_ = nullptr;
  vScrollBar_ = hScrollBar_ = nullptr;
  fontListeners_.clear();
  screenCanvas_.reset();
  dragAndDropObject_.reset();
  lookAndFeel_.reset();
  // Messages still being handled further up the stack must not touch the control afterwards.
  for (auto it = messageRecords_.rbegin(); it != messageRecords_.rend(); ++it) **it = false;
  messageRecords_.clear();
}

TcxCanvas* TcxControl::Canvas() {
  if (HandleAllocated()) {
    screenCanvas_.reset();
    return canvas_.get();
  }
  if (!screenCanvas_) screenCanvas_ = std::make_unique<TcxScreenCanvas>();
  return screenCanvas_.get();
}

void TcxControl::SetBorderStyle(TcxControlBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  BoundsChanged();
}

void TcxControl::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  BoundsChanged();
}

void TcxControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxControl::CreateWnd() {
  TCustomControl::CreateWnd();
  InitScrollBars();
}

void TcxControl::InitScrollBars() {
  hScrollBar_->SetParent(this);
  vScrollBar_->SetParent(this);
  sizeGrip_->SetParent(this);
}

bool TcxControl::IsInternalControl(TControl* AControl) {
  return AControl && (AControl == hScrollBar_ || AControl == vScrollBar_ || AControl == sizeGrip_);
}

// --- Window procedure ---

bool TcxControl::HandleAutomaticDragMouseDown(TMessage& Message) {
  if (DragMode() != dmAutomatic || Dragging()) return false;
  if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_LBUTTONDBLCLK) return false;
  if (IsDesigning()) {
    const auto& m = static_cast<TWMMouse&>(Message);
    return !UseStandardDesignMouseDown(m.XPos(), m.YPos(), KeysToShiftState(static_cast<WORD>(m.Keys())));
  }
  if (IsControlMouseMsg(static_cast<TWMMouse&>(Message))) return true;
  SetControlState(ControlState() + TControlState{csLButtonDown});
  Dispatch(Message);
  SetControlState(ControlState() - TControlState{csLButtonDown});
  return true;
}

void TcxControl::WndProc(TMessage& Message) {
  auto alive = std::make_shared<bool>(true);
  messageRecords_.push_back(alive);
  if (!HandleAutomaticDragMouseDown(Message)) TCustomControl::WndProc(Message);
  if (!*alive) return;  // destroyed while handling the message
  std::erase(messageRecords_, alive);
  AfterMessage(Message);
}

void TcxControl::AfterMessage(const TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FocusChanged();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const TMouseButton button = Message.Msg == WM_LBUTTONDOWN   ? mbLeft
                                  : Message.Msg == WM_RBUTTONDOWN ? mbRight
                                                                  : mbMiddle;
      POINT p;
      // 16-bit message coordinates cannot address a larger control.
      if (Width() <= 0x8000 && Height() <= 0x8000)
        p = static_cast<const TWMMouse&>(Message).Pos();
      else
        p = ScreenToClient(cxGetMouseCursorPos());
      AfterMouseDown(button, p.x, p.y);
      break;
    }
    default:
      break;
  }
}

void TcxControl::AfterMouseDown(TMouseButton AButton, int X, int Y) {
  if (DragMode() == dmAutomatic && CanBeginDrag(X, Y) && cxDragDetect(Handle()) == ddrDrag) BeginDrag(false);
  if (AButton == mbMiddle) PanScroll();
}

void TcxControl::WMEraseBkgnd(TMessage& Message) {
  if (AllowEraseBackground())
    inherited::Dispatch(Message);
  else
    Message.Result = 1;
}

void TcxControl::WMGetDlgCode(TMessage& Message) {
  LRESULT code = 0;
  if (keys_.Contains(wkAll)) code += DLGC_WANTALLKEYS;
  if (keys_.Contains(wkArrows)) code += DLGC_WANTARROWS;
  if (keys_.Contains(wkChars)) code += DLGC_WANTCHARS;
  if (keys_.Contains(wkTab)) code += DLGC_WANTTAB;
  Message.Result = code;
}

void TcxControl::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  if (HandleAllocated()) PostMessage(Handle(), DXM_NCSIZECHANGED, 0, 0);
}

void TcxControl::DXMNCSizeChanged(TMessage&) {
  if (!HandleAllocated()) return;
  const int h = GetSystemMetrics(SM_CYHSCROLL), w = GetSystemMetrics(SM_CXVSCROLL);
  if (hScrollBar_->Height() != h || vScrollBar_->Width() != w) {
    hScrollBar_->SetHeight(h);
    vScrollBar_->SetWidth(w);
    BoundsChanged();
  }
}

void TcxControl::WMCancelMode(TMessage& Message) {
  inherited::Dispatch(Message);
  FinishDragAndDrop(false);
  ResetMouseCaptureObject();
}

void TcxControl::CMColorChanged(TMessage& Message) {
  AfterColorChange();
  inherited::Dispatch(Message);
}

void TcxControl::CMCursorChanged(TMessage& Message) {
  CursorChanged();
  inherited::Dispatch(Message);
}

void TcxControl::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  FontChanged();
}

void TcxControl::CMVisibleChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  VisibleChanged();
}

void TcxControl::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  MouseEnter(control ? control : this);
}

void TcxControl::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  MouseLeave(control ? control : this);
}

void TcxControl::CMDesignHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Result == 0) {
    const auto& m = static_cast<TWMMouse&>(Message);
    Message.Result = GetDesignHitTest(m.XPos(), m.YPos(), KeysToShiftState(static_cast<WORD>(m.Keys())));
  }
}

// --- Geometry and painting ---

int TcxControl::GetBorderSize() {
  return borderStyle_ == cxcbsNone ? 0 : GetLookAndFeelPainter()->GetBorderSize();
}

RECT TcxControl::GetBounds() {
  if (HandleAllocated()) return ClientRect();
  return RECT{0, 0, Width(), Height()};
}

RECT TcxControl::GetClientBounds() {
  RECT r = GetBounds();
  const int b = GetBorderSize();
  InflateRect(&r, -b, -b);
  if (HScrollBarVisible()) r.bottom -= hScrollBar_->Height();
  if (VScrollBarVisible()) r.right -= vScrollBar_->Width();
  return r;
}

RECT TcxControl::GetHScrollBarBounds() {
  RECT r = GetClientBounds();
  r.top = r.bottom;
  r.bottom = r.top + hScrollBar_->Height();
  return r;
}

RECT TcxControl::GetVScrollBarBounds() {
  RECT r = GetClientBounds();
  r.left = r.right;
  r.right = r.left + vScrollBar_->Width();
  return r;
}

RECT TcxControl::GetSizeGripBounds() {
  RECT r;
  r.left = vScrollBar_->Left();
  r.right = r.left + vScrollBar_->Width();
  r.top = hScrollBar_->Top();
  r.bottom = r.top + hScrollBar_->Height();
  return r;
}

void TcxControl::PlaceScrollBars() {
  if (hScrollBar_->Visible()) hScrollBar_->SetBoundsRect(GetHScrollBarBounds());
  if (vScrollBar_->Visible()) vScrollBar_->SetBoundsRect(GetVScrollBarBounds());
  if (sizeGrip_->Visible()) sizeGrip_->SetBoundsRect(GetSizeGripBounds());
}

void TcxControl::Paint() {
  if (borderStyle_ == cxcbsDefault) {
    GetLookAndFeelPainter()->PaintBorder(canvas_.get(), GetBounds());
    canvas_->IntersectClipRect(GetClientBounds());
  }
  TCustomControl::Paint();
}

void TcxControl::Resize() {
  TCustomControl::Resize();
  BoundsChanged();
}

void TcxControl::InvalidateRect(const RECT& R, bool AErase) {
  if (HandleAllocated()) ::InvalidateRect(Handle(), &R, AErase);
}

void TcxControl::FontChanged() {
  const std::vector<IcxFontListener*> listeners = fontListeners_;
  for (IcxFontListener* listener : listeners) listener->FontChanged(this, Font());
  Invalidate();
}

void TcxControl::AddFontListener(IcxFontListener* AListener) {
  if (std::find(fontListeners_.begin(), fontListeners_.end(), AListener) == fontListeners_.end())
    fontListeners_.push_back(AListener);
}

void TcxControl::RemoveFontListener(IcxFontListener* AListener) { std::erase(fontListeners_, AListener); }

// --- Focus, mouse and keys ---

bool TcxControl::CanFocusOnClick() { return !IsDesigning() && MayFocus() && CanFocus(); }

bool TcxControl::CanFocusWithParentForm() {
  if (!CanFocus()) return false;
  TCustomForm* form = GetParentForm(this);
  return !form || form->CanFocus();
}

bool TcxControl::IsClickWithoutDrag(int X, int Y) { return DragMode() == dmManual || IsWithinDragThreshold(X, Y); }

bool TcxControl::IsWithinDragThreshold(int X, int Y) const { return cxIsWithinDragThreshold(mouseDownPos_, X, Y); }

TcxWheelScrollKind TcxControl::GetMouseWheelScrollingKind() {
  return VScrollBarVisible() ? wskVertical : wskNone;
}

void TcxControl::FocusChanged() {
  if (OnFocusChanged) OnFocusChanged(this);
}

void TcxControl::MouseEnter(TControl*) {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TcxControl::MouseLeave(TControl*) {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TcxControl::SetMouseCaptureObject(TObject* Value) {
  if (mouseCaptureObject_ == Value) return;
  if (auto* old = dynamic_cast<IcxMouseCaptureObject*>(mouseCaptureObject_)) old->DoCancelMode();
  mouseCaptureObject_ = Value;
  SetMouseCapture(Value != nullptr);
}

void TcxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (CanFocusOnClick()) {
    if (!Shift.Contains(ssDouble)) SetFocus();
    if (!IsFocused() && !AllowMouseWithoutFocus()) {
      SetMouseCapture(false);
      return;
    }
  }
  mouseDownPos_ = {X, Y};
  if (Button == mbLeft && !Shift.Contains(ssDouble) && StartDragAndDrop({X, Y})) {
    if (DragAndDropObject()->GetImmediateStart())
      BeginDragAndDrop();
    else
      dragAndDropState_ = dndPending;
    return;
  }
  FinishDragAndDrop(false);
}

void TcxControl::MouseMove(TShiftState Shift, int X, int Y) {
  // The cursor for the point is shown, while the default stays the one the user set.
  const TCursor userDefault = defaultCursor_;
  SetCursor(GetCursor(X, Y));
  defaultCursor_ = userDefault;
  TCustomControl::MouseMove(Shift, X, Y);
  if (dragAndDropState_ == dndPending && !IsWithinDragThreshold(X, Y)) BeginDragAndDrop();
  if (dragAndDropState_ == dndDragging) {
    bool accepted = false;
    DragAndDrop({X, Y}, accepted);
  }
}

void TcxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FinishDragAndDrop(true);
  SetMouseCaptureObject(nullptr);
}

void TcxControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) FinishDragAndDrop(false);
  TCustomControl::KeyDown(Key, Shift);
}

bool TcxControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (GetMouseWheelScrollingKind() == wskNone) return false;
  const int lines = Mouse ? Mouse->WheelScrollLines() : 3;
  for (int i = 0; i < lines; ++i) {
    switch (GetMouseWheelScrollingKind()) {
      case wskHorizontal: ScrollByDirection(WheelDelta >= 0 ? sdLeft : sdRight); break;
      case wskVertical: ScrollByDirection(WheelDelta >= 0 ? sdUp : sdDown); break;
      default: break;
    }
  }
  return true;
}

void TcxControl::ScrollByDirection(TcxScrollStepDirection ADirection) {
  if (ADirection == sdNone) return;
  const bool horizontal = ADirection == sdLeft || ADirection == sdRight;
  TcxControlScrollBar* bar = horizontal ? hScrollBar_ : vScrollBar_;
  int pos = bar->Position();
  Scroll(horizontal ? sbHorizontal : sbVertical,
         ADirection == sdLeft || ADirection == sdUp ? scLineUp : scLineDown, pos);
}
