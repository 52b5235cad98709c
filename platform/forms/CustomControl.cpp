// Controls that paint themselves: TCustomControl (own window) and TGraphicControl (on the parent's),
// and the canvas over a control.
#include "platform/forms/ControlsInternal.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

// --- TControlCanvas ---

TRENVIK_IMPLEMENT_CLASS(TControlCanvas)

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* Value) {
  if (control_ == Value) return;
  FreeHandle();
  control_ = Value;
}

void TControlCanvas::FreeHandle() {
  if (!dc_) return;
  SetHandle(nullptr);
  ReleaseDC(window_, dc_);
  dc_ = nullptr;
  window_ = nullptr;
}

void TControlCanvas::CreateHandle() {
  if (!control_) return;
  if (auto* w = dynamic_cast<TWinControl*>(control_)) {
    window_ = w->Handle();
    dc_ = GetDC(window_);
  } else {
    TWinControl* p = control_->Parent();
    if (!p) return;
    window_ = p->Handle();
    dc_ = GetDC(window_);
    // The graphic control's own area of the parent's window.
    OffsetViewportOrgEx(dc_, control_->Left(), control_->Top(), nullptr);
    IntersectClipRect(dc_, 0, 0, control_->Width(), control_->Height());
  }
  SetHandle(dc_);
}

// --- TCustomControl ---

TRENVIK_IMPLEMENT_CLASS(TCustomControl)

TRENVIK_MESSAGE_MAP(TCustomControl) { M.On(WM_PAINT, &TCustomControl::WMPaint); }

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() { canvas_->FreeHandle(); }

void TCustomControl::WMPaint(TWMPaint& Message) {
  SetControlState(ControlState() + TControlState{csCustomPaint});
  try {
    inherited::Dispatch(Message);
  } catch (...) {
    SetControlState(ControlState() - TControlState{csCustomPaint});
    throw;
  }
  SetControlState(ControlState() - TControlState{csCustomPaint});
}

void TCustomControl::PaintWindow(HDC DC) {
  forms_internal::PaintOnCanvas(*canvas_, DC, [this] { Paint(); });
}

void TCustomControl::Paint() {}

void TCustomControl::DestroyWnd() {
  canvas_->FreeHandle();
  inherited::DestroyWnd();
}

// --- TGraphicControl ---

TRENVIK_IMPLEMENT_CLASS(TGraphicControl)

TRENVIK_MESSAGE_MAP(TGraphicControl) { M.On(WM_PAINT, &TGraphicControl::WMPaint); }

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() { canvas_->FreeHandle(); }

void TGraphicControl::WMPaint(TWMPaint& Message) {
  if (!Message.DC()) return;
  forms_internal::PaintOnCanvas(*canvas_, Message.DC(), [this] { Paint(); });
}
