#include "cx/foundation/cxContainer.h"
#include "platform/rtl/ScopeExit.h"

#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxContainer)

namespace {

// The shift state of the last mouse press or release in a container (cleared on mouse leave).
TShiftState g_lastMouseShift;

}  // namespace

bool cxContainerDestroying(TComponent* AComponent) {
  if (AComponent->ComponentState().Contains(csDestroying)) return true;
  auto* container = dynamic_cast<TcxContainer*>(AComponent);
  return container && container->ContainerDestroying();
}

TRENVIK_MESSAGE_MAP(TcxContainer) {
  M.On(WM_SETFOCUS, &TcxContainer::WMSetFocus);
  M.On(WM_KILLFOCUS, &TcxContainer::WMKillFocus);
  M.On(WM_WINDOWPOSCHANGING, &TcxContainer::WMWindowPosChanging);
  M.On(WM_NCPAINT, &TcxContainer::WMNCPaint);
  M.On(WM_THEMECHANGED, &TcxContainer::WMThemeChanged);
  M.On(CM_ENABLEDCHANGED, &TcxContainer::CMEnabledChanged);
  M.On(CM_CTL3DCHANGED, &TcxContainer::CMCtl3DChanged);
  M.On(CM_SYSCOLORCHANGE, &TcxContainer::CMSysColorChange);
  M.On(DXM_NCSIZECHANGED, &TcxContainer::DXMNCSizeChanged);
}

TcxContainer::TcxContainer(TComponent* AOwner) : TcxControl(AOwner) {
  creating_ = true;
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csSetCaption});
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  themeNotificator_ = std::make_unique<TdxThemeChangedNotificator>();
  themeNotificator_->OnThemeChanged = [this] { ThemeChanged(); };
  creating_ = false;
}

TcxContainer::~TcxContainer() {
  BeforeDestruction();
  themeNotificator_.reset();
  viewInfo_.reset();
  if (style_) style_->OnChanged = nullptr;
  style_.reset();
}

void TcxContainer::BeforeDestruction() {
  cxStopMouseTracking(this);
  destroying_ = true;
}

// Made on first use, so that a descendant's style and view info classes are the ones made.
TcxCustomContainerStyle* TcxContainer::Style() {
  if (!style_) {
    style_.reset(GetStyleClass()(this, IsStyleSilent()));
    style_->OnChanged = [this](TObject* Sender) { ContainerStyleChanged(Sender); };
    LookAndFeel()->SetMasterLookAndFeel(style_->LookAndFeel());
  }
  return style_.get();
}

TcxContainerViewInfo* TcxContainer::ViewInfo() {
  if (!viewInfo_) viewInfo_.reset(GetViewInfoClass()());
  return viewInfo_.get();
}

TcxContainerStyleClass TcxContainer::GetStyleClass() {
  return [](TPersistent* AOwner, bool ASilent) { return new TcxCustomContainerStyle(AOwner, ASilent); };
}

TcxContainerViewInfoClass TcxContainer::GetViewInfoClass() {
  return [] { return new TcxContainerViewInfo(); };
}

bool TcxContainer::IsNativeStyle() {
  return Style()->LookAndFeel()->NativeStyle() && dxOpenThemeByType(GetNativeThemeType()) != nullptr;
}

// --- Refreshing ---

void TcxContainer::ShortRefreshContainer(bool AIsMouseEvent) {
  if (!HandleAllocated() || cxContainerDestroying(this)) return;
  RefreshContainer(ScreenToClient(cxGetMouseCursorPos()), 0, cxGetShiftState(), AIsMouseEvent);
}

bool TcxContainer::RefreshContainer(POINT P, int, TShiftState AShift, bool) {
  if (adjusting_ || cxContainerDestroying(this)) return true;
  if (shadowChanging_) {
    const int d = ViewInfo()->Shadow ? -cxContainerShadowSize : cxContainerShadowSize;
    SetBounds(Left(), Top(), Width() + d, Height() + d);
  }
  CalculateViewInfo(P, AShift.Empty() && Style()->HotTrack());
  AdjustInnerControl();
  AfterRefreshContainer();
  UpdateWindowRegion();
  Invalidate();
  return true;
}

void TcxContainer::CalculateViewInfo(POINT P, bool AHotTrackAllowed) {
  TcxContainerViewInfo& v = *ViewInfo();
  v.Bounds = {0, 0, Width(), Height()};
  v.NativeStyle = IsNativeStyle();
  if (v.NativeStyle) {
    v.ThemeType = GetNativeThemeType();
    v.NativePart = GetNativePart();
  }
  v.Shadow = Style()->Shadow() && !v.NativeStyle;
  if (!Enabled()) {
    v.ContainerState = {cstDisabled};
  } else if (IsDesigning()) {
    v.ContainerState = {cstNormal};
  } else {
    v.ContainerState = Focused() ? TcxContainerState{cstFocused} : TcxContainerState{cstNormal};
    const RECT visible = GetVisibleBounds();
    if (AHotTrackAllowed && PtInRect(&visible, P)) v.ContainerState.Include(cstHot);
  }
  const bool active = v.ContainerState.Contains(cstFocused) || v.ContainerState.Contains(cstHot);
  const TcxLookAndFeelKind kind = Style()->LookAndFeel()->Kind();
  v.BorderStyle = cxResolveContainerBorderStyle(Style()->BorderStyle(), kind, active);
  v.BorderRect = v.Bounds;
  cxDeflateRectByMargins(v.BorderRect, GetBorderExtent());
  v.BorderWidth = cxContainerBorderWidth(v.BorderStyle);
  v.Edges = Style()->Edges();
  const bool ultraFlat =
      Style()->BorderStyle() == cbsUltraFlat || (Style()->BorderStyle() == cbsDefault && kind == lfUltraFlat);
  if (ultraFlat) {
    const bool highlighted = v.ContainerState.Contains(cstFocused) ||
                             (v.ContainerState.Contains(cstHot) && Style()->HotTrack()) ||
                             (IsDesigning() && Enabled());
    v.BorderColor = highlighted ? clHighlight : clBtnShadow;
  } else {
    v.BorderColor = Style()->BorderColor();
  }
  v.ClientRect = v.BorderRect;
  if (v.NativeStyle) v.NativeState = GetNativeState();
  if (Enabled()) {
    v.BackgroundColor = Color();
  } else if (!v.NativeStyle) {
    v.BackgroundColor = clBtnFace;
  } else {
    COLORREF fill = static_cast<COLORREF>(ColorToRGB(clBtnFace));
    if (HTHEME theme = dxOpenThemeByType(v.ThemeType))
      dxGetThemeColor(theme, v.NativePart, v.NativeState, TMT_FILLCOLOR, &fill);
    v.BackgroundColor = static_cast<TColor>(fill);
  }
}

int TcxContainer::GetNativeState() {
  if (!Enabled()) return 4;
  if (Focused()) return 5;
  if (ViewInfo()->ContainerState.Contains(cstHot)) return 2;
  return 1;
}

RECT TcxContainer::GetBorderExtent() {
  RECT r{2, 2, 2, 2};
  if (Style()->Shadow() && !IsNativeStyle()) {
    r.right += cxContainerShadowSize;
    r.bottom += cxContainerShadowSize;
  }
  return r;
}

RECT TcxContainer::VisibleFrameRect(const RECT& ABounds) {
  RECT r = ABounds;
  cxDeflateRectByMargins(r, GetBorderExtent());
  const int w = cxContainerBorderWidth(ViewInfo()->BorderStyle);
  const TcxBorders edges = Style()->Edges();
  if (edges.Contains(bLeft)) r.left -= w;
  if (edges.Contains(bTop)) r.top -= w;
  if (edges.Contains(bRight)) r.right += w;
  if (edges.Contains(bBottom)) r.bottom += w;
  return r;
}

RECT TcxContainer::GetVisibleBounds() {
  const RECT r{0, 0, Width(), Height()};
  return IsNativeStyle() ? r : VisibleFrameRect(r);
}

void TcxContainer::UpdateWindowRegion() {
  if (!HandleAllocated()) return;
  cxUpdateShadowWindowRegion(Handle(), VisibleFrameRect(ViewInfo()->Bounds), ViewInfo()->Shadow,
                             ViewInfo()->NativeStyle);
}

void TcxContainer::AdjustInnerControl() {
  if (!innerControl_) return;
  const RECT& r = ViewInfo()->ClientRect;
  const RECT bounds = innerControl_->BoundsRect();
  if (EqualRect(&r, &bounds)) return;
  adjusting_ = true;
  TScopeExit done([this] { adjusting_ = false; });
  innerControl_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TcxContainer::GetInnerControlVisibleRect(const RECT& AAlignRect, TControl* AControl,
                                              std::unique_ptr<RECT>& AVisibleRect) {
  AVisibleRect.reset();
  if (!AControl) return;
  RECT r{0, 0, AControl->Width(), AControl->Height()};
  const RECT b = AControl->BoundsRect();
  if (b.left < AAlignRect.left) r.left += AAlignRect.left - b.left;
  if (b.top < AAlignRect.top) r.top += AAlignRect.top - b.top;
  if (b.right > AAlignRect.right) r.right -= b.right - AAlignRect.right;
  if (b.bottom > AAlignRect.bottom) r.bottom -= b.bottom - AAlignRect.bottom;
  const RECT whole{0, 0, AControl->Width(), AControl->Height()};
  if (!EqualRect(&r, &whole)) AVisibleRect = std::make_unique<RECT>(r);
}

void TcxContainer::AlignControls(TControl* AControl, RECT& Rect) {
  if (!AControl || IsInternalControl(AControl)) {
    TcxControl::AlignControls(AControl, Rect);
    return;
  }
  auto* child = dynamic_cast<TWinControl*>(AControl);
  if (!child || !child->HandleAllocated() || creating_) return;
  std::unique_ptr<RECT> visible;
  GetInnerControlVisibleRect(Rect, child, visible);
  SetWindowRgn(child->Handle(), visible ? CreateRectRgnIndirect(visible.get()) : nullptr, TRUE);
}

RECT TcxContainer::GetClientBounds() { return ViewInfo()->ClientRect; }

void TcxContainer::AdjustClientRect(RECT& Rect) {
  if (!destroying_) Rect = ViewInfo()->ClientRect;
}

void TcxContainer::Paint() {
  if (TcxControl::Canvas()->RectVisible(ViewInfo()->Bounds)) ViewInfo()->Paint(TcxControl::Canvas());
}

// --- Style and theme ---

void TcxContainer::ContainerStyleChanged(TObject*) {
  if (!HandleAllocated()) return;
  const bool shadow = Style()->Shadow() && !IsNativeStyle();
  shadowChanging_ = shadow != ViewInfo()->Shadow && !IsLoading();
  TScopeExit done([this] { shadowChanging_ = false; });
  SetText(String());
  ShortRefreshContainer(false);
}

void TcxContainer::ThemeChanged() { ShortRefreshContainer(false); }

void TcxContainer::EnabledChanged() {
  if (innerControl_) innerControl_->SetEnabled(Enabled());
  ShortRefreshContainer(false);
}

void TcxContainer::SetDragMode(TDragMode Value) {
  TcxControl::SetDragMode(Value);
  if (innerControl_) innerControl_->SetDragMode(Value);
}

void TcxContainer::SetDragKind(TDragKind Value) {
  TcxControl::SetDragKind(Value);
  if (innerControl_) innerControl_->SetDragKind(Value);
}

// --- Focus and keys ---

bool TcxContainer::Focused() {
  if (!HandleAllocated()) return false;
  const HWND focus = GetFocus();
  return focus == Handle() || (innerControl_ && innerControl_->HandleAllocated() && focus == innerControl_->Handle());
}

bool TcxContainer::MayFocus() {
  return !(innerControl_ && innerControl_->HandleAllocated() && GetFocus() == innerControl_->Handle());
}

bool TcxContainer::CanFocusOnClick() { return !InnerMouseDown && TcxControl::CanFocusOnClick(); }

void TcxContainer::FocusChanged() {
  TcxControl::FocusChanged();
  ShortRefreshContainer(false);
}

void TcxContainer::FontChanged() {
  TcxControl::Canvas()->SetFont(Font());
  TcxControl::FontChanged();
}

void TcxContainer::KeyDown(WORD& Key, TShiftState Shift) {
  TcxControl::KeyDown(Key, Shift);
  if (Key != VK_TAB || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt) || !Focused() || HandlesTabKey()) return;
  Key = 0;
  if (TCustomForm* form = GetParentForm(this)) form->SelectNext(this, !Shift.Contains(ssShift), true);
  if (HandleAllocated() && GetFocus() == Handle() && innerControl_ && innerControl_->CanFocus())
    innerControl_->SetFocus();
}

void TcxContainer::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (!Visible()) return;
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case CN_KEYDOWN:
    case CN_KEYUP:
    case CN_CHAR:
      if (innerControl_) {
        Message.Result = SendMessage(innerControl_->Handle(), Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      break;
    default:
      break;
  }
  TcxControl::WndProc(Message);
}

void TcxContainer::WMSetFocus(TMessage& Message) {
  if (innerControl_ && innerControl_->HandleAllocated() &&
      reinterpret_cast<HWND>(Message.WParam) == innerControl_->Handle())
    return;
  inherited::Dispatch(Message);
  if (innerControl_ && innerControl_->CanFocus()) innerControl_->SetFocus();
}

void TcxContainer::WMKillFocus(TMessage& Message) {
  if (innerControl_ && innerControl_->HandleAllocated() &&
      reinterpret_cast<HWND>(Message.WParam) == innerControl_->Handle())
    return;
  inherited::Dispatch(Message);
}

void TcxContainer::WMWindowPosChanging(TMessage& Message) {
  if (destroying_) {
    Message.Result = 0;
    return;
  }
  inherited::Dispatch(Message);
  if (HandleAllocated() && GetFocus() == Handle() && innerControl_ && innerControl_->CanFocus())
    if (TCustomForm* form = GetParentForm(this)) form->FocusControl(innerControl_);
}

void TcxContainer::WMNCPaint(TMessage& Message) { Message.Result = 0; }

void TcxContainer::WMThemeChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  dxCloseAllThemes();
  ShortRefreshContainer(false);
}

void TcxContainer::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  EnabledChanged();
}

void TcxContainer::CMCtl3DChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  ShortRefreshContainer(false);
}

void TcxContainer::CMSysColorChange(TMessage& Message) {
  inherited::Dispatch(Message);
  ShortRefreshContainer(false);
}

void TcxContainer::DXMNCSizeChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!creating_ && !IsLoading()) ShortRefreshContainer(false);
}

void TcxContainer::Resize() {
  TcxControl::Resize();
  if (!creating_ && !shadowChanging_) ShortRefreshContainer(false);
}

void TcxContainer::CreateHandle() {
  TcxControl::CreateHandle();
  TcxControl::Canvas()->SetFont(Font());
  ShortRefreshContainer(false);
}

void TcxContainer::CreateParams(TCreateParams& Params) {
  TcxControl::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

// --- Mouse ---

void TcxContainer::StartTracking() { cxBeginMouseTracking(this, GetVisibleBounds(), this); }

void TcxContainer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  g_lastMouseShift = Shift;
  RefreshContainer({X, Y}, cxMouseButtonToCode(Button), cxGetShiftState(), true);
}

void TcxContainer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseUp(Button, Shift, X, Y);
  g_lastMouseShift = Shift;
  RefreshContainer({X, Y}, cxMouseButtonToCode(Button), cxGetShiftState(), true);
}

void TcxContainer::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  RefreshContainer({X, Y}, 0, Shift, true);
  StartTracking();
}

void TcxContainer::MouseEnter(TControl* AControl) {
  TcxControl::MouseEnter(AControl);
  ShortRefreshContainer(true);
  StartTracking();
}

void TcxContainer::MouseLeave(TControl* AControl) {
  TcxControl::MouseLeave(AControl);
  g_lastMouseShift = {};
  ShortRefreshContainer(true);
  cxStopMouseTracking(this);
}

void TcxContainer::MouseLeave() {
  cxStopMouseTracking(this);
  MouseTrackingLeave();
}

void TcxContainer::MouseTrackingLeave() {
  MouseLeave(nullptr);
  cxStopMouseTracking(this);
}
