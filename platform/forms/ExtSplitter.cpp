// TSplitter: dragging it resizes the control aligned just before it.
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TSplitter) {
  P.Property("AutoSnap", &TSplitter::AutoSnap, &TSplitter::SetAutoSnap).Default(true);
  P.Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled).Default(false);
  P.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
  P.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle).Default(rsPattern);
  P.Event("OnCanResize", &TSplitter::OnCanResize);
  P.Event("OnMoved", &TSplitter::OnMoved);
}

namespace {

bool Horizontal(TAlign a) { return a == alLeft || a == alRight; }

}  // namespace

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAlign(alLeft);
  SetBounds(Left(), Top(), 3, 100);
  SetCursor(crHSplit);
}

TSplitter::~TSplitter() { ReleaseLineDC(); }

void TSplitter::RequestAlign() {
  inherited::RequestAlign();
  if (Cursor() == crHSplit || Cursor() == crVSplit) SetCursor(Horizontal(Align()) ? crHSplit : crVSplit);
}

void TSplitter::SetBeveled(bool Value) {
  if (beveled_ == Value) return;
  beveled_ = Value;
  Invalidate();
}

void TSplitter::Paint() {
  RECT r = ClientRect();
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  if (!beveled_) return;
  HDC dc = c->Handle();
  if (Horizontal(Align()))
    InflateRect(&r, -1, 2);
  else
    InflateRect(&r, 2, -1);
  DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

TControl* TSplitter::FindControl() {
  TWinControl* parent = Parent();
  if (!parent) return nullptr;
  POINT p{Left(), Top()};
  switch (Align()) {
    case alLeft:
      p.x -= 1;
      break;
    case alRight:
      p.x += Width();
      break;
    case alTop:
      p.y -= 1;
      break;
    case alBottom:
      p.y += Height();
      break;
    default:
      return nullptr;
  }
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || !c->Enabled()) continue;
    RECT r = c->BoundsRect();
    if (r.right == r.left) (Align() == alTop || Align() == alLeft) ? --r.left : ++r.right;
    if (r.bottom == r.top) (Align() == alTop || Align() == alLeft) ? --r.top : ++r.bottom;
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TSplitter::CalcSplitSize(int X, int Y, int& NewSize, int& Split) {
  int s = Horizontal(Align()) ? X - downPos_.x : Y - downPos_.y;
  Split = s;
  switch (Align()) {
    case alLeft:
      s = control_->Width() + s;
      break;
    case alRight:
      s = control_->Width() - s;
      break;
    case alTop:
      s = control_->Height() + s;
      break;
    case alBottom:
      s = control_->Height() - s;
      break;
    default:
      break;
  }
  NewSize = std::clamp(s, minSize_, std::max(minSize_, maxSize_));
  if (s != NewSize) Split += (Align() == alRight || Align() == alBottom) ? s - NewSize : NewSize - s;
}

bool TSplitter::CanResize(int& NewSize) {
  bool accept = true;
  if (OnCanResize) OnCanResize(this, NewSize, accept);
  return accept;
}

bool TSplitter::DoCanResize(int& NewSize) {
  bool ok = CanResize(NewSize);
  if (ok && NewSize <= minSize_ && autoSnap_) NewSize = 0;
  return ok;
}

void TSplitter::DrawLine() {
  if (!lineDC_) return;
  lineVisible_ = !lineVisible_;
  POINT p{Left(), Top()};
  if (Horizontal(Align()))
    p.x += split_;
  else
    p.y += split_;
  PatBlt(lineDC_, p.x, p.y, Width(), Height(), DSTINVERT);
}

void TSplitter::ReleaseLineDC() {
  if (lineDC_ && Parent() && Parent()->HandleAllocated()) ReleaseDC(Parent()->Handle(), lineDC_);
  lineDC_ = nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  control_ = FindControl();
  downPos_ = POINT{X, Y};
  if (!control_) return;
  TWinControl* parent = Parent();
  bool horizontal = Horizontal(Align());
  maxSize_ = (horizontal ? parent->ClientWidth() : parent->ClientHeight()) - minSize_;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible()) continue;
    if (horizontal && Horizontal(c->Align())) maxSize_ -= c->Width();
    if (!horizontal && (c->Align() == alTop || c->Align() == alBottom)) maxSize_ -= c->Height();
  }
  maxSize_ += horizontal ? control_->Width() : control_->Height();
  CalcSplitSize(X, Y, newSize_, split_);
  oldSize_ = horizontal ? control_->Width() : control_->Height();
  sizing_ = true;
  if (resizeStyle_ == rsLine || resizeStyle_ == rsPattern) {
    lineDC_ = GetDCEx(parent->Handle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    DrawLine();
  }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!sizing_ || !control_) return;
  int newSize, split;
  CalcSplitSize(X, Y, newSize, split);
  if (!DoCanResize(newSize)) return;
  if (lineVisible_) DrawLine();
  newSize_ = newSize;
  split_ = split;
  if (resizeStyle_ == rsUpdate) UpdateControlSize();
  if (resizeStyle_ == rsLine || resizeStyle_ == rsPattern) DrawLine();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (!sizing_) return;
  if (lineVisible_) DrawLine();
  if (control_) UpdateControlSize();
  StopSizing();
}

void TSplitter::UpdateControlSize() {
  if (newSize_ == oldSize_) return;
  TWinControl* parent = Parent();
  switch (Align()) {
    case alLeft:
      control_->SetWidth(newSize_);
      break;
    case alTop:
      control_->SetHeight(newSize_);
      break;
    case alRight:
      parent->DisableAlign();
      control_->SetBounds(control_->Left() + control_->Width() - newSize_, control_->Top(), newSize_,
                          control_->Height());
      parent->EnableAlign();
      break;
    case alBottom:
      parent->DisableAlign();
      control_->SetBounds(control_->Left(), control_->Top() + control_->Height() - newSize_,
                          control_->Width(), newSize_);
      parent->EnableAlign();
      break;
    default:
      break;
  }
  oldSize_ = newSize_;
  if (OnMoved) OnMoved(this);
}

void TSplitter::StopSizing() {
  sizing_ = false;
  lineVisible_ = false;
  ReleaseLineDC();
}
