// Container styles and the controllers that lend one style to many.
#include <algorithm>

#include "cx/foundation/cxContainer.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_PUBLISHED(TcxCustomContainerStyle) {
  P.Property("BorderColor", &TcxCustomContainerStyle::BorderColor, &TcxCustomContainerStyle::SetBorderColor)
      .Default(clWindowFrame);
  P.Property("BorderStyle", &TcxCustomContainerStyle::BorderStyle, &TcxCustomContainerStyle::SetBorderStyle)
      .Default(cbsDefault);
  P.Property("Color", &TcxCustomContainerStyle::Color, &TcxCustomContainerStyle::SetColor).Default(clWindow);
  P.Property("HotTrack", &TcxCustomContainerStyle::HotTrack, &TcxCustomContainerStyle::SetHotTrack).Default(true);
  P.Property("LookAndFeel", &TcxCustomContainerStyle::LookAndFeel, &TcxCustomContainerStyle::SetLookAndFeel);
  P.Property("Shadow", &TcxCustomContainerStyle::Shadow, &TcxCustomContainerStyle::SetShadow).Default(false);
}

TRENVIK_PUBLISHED(TcxStyleController) {
  P.Property("Style", &TcxStyleController::Style, &TcxStyleController::SetStyle);
  P.Event("OnStyleChanged", &TcxStyleController::OnStyleChanged);
}

// --- TcxCustomContainerStyle ---

TcxCustomContainerStyle::TcxCustomContainerStyle(TPersistent* AOwner, bool ASilent)
    : silent_(ASilent), owner_(AOwner) {
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { Changed(); };
  SetStyleController(GetDefaultStyleController());
}

TcxCustomContainerStyle::~TcxCustomContainerStyle() {
  destroying_ = true;
  if (styleController_) styleController_->RemoveStyleListener(this);
  lookAndFeel_.reset();
}

void TcxCustomContainerStyle::Changed() {
  if (updateLockCount_ > 0) {
    changePending_ = true;
    return;
  }
  if (!silent_ && OnChanged && !destroying_) OnChanged(this);
  changePending_ = false;
}

void TcxCustomContainerStyle::EndUpdate() {
  if (updateLockCount_ > 0) --updateLockCount_;
  if (updateLockCount_ == 0 && changePending_) Changed();
}

void TcxCustomContainerStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomContainerStyle*>(Source);
  if (!source) return TPersistent::Assign(Source);
  BeginUpdate();
  TScopeExit done([this] { EndUpdate(); });
  SetStyleController(source->GetAssignedStyleController());
  lookAndFeel_->Assign(source->LookAndFeel());
  SetBorderColor(source->BorderColor());
  SetBorderStyle(source->BorderStyle());
  SetEdges(source->Edges());
  SetHotTrack(source->HotTrack());
  SetShadow(source->Shadow());
}

void TcxCustomContainerStyle::SetBorderColor(TColor Value) {
  if (borderColor_ == Value) return;
  borderColor_ = Value;
  Changed();
}

void TcxCustomContainerStyle::SetBorderStyle(TcxContainerBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  Changed();
}

TColor TcxCustomContainerStyle::Color() const {
  TControl* control = OwnerControl();
  return control ? control->Color() : clWindow;
}

void TcxCustomContainerStyle::SetColor(TColor Value) {
  TControl* control = OwnerControl();
  if (!control || control->Color() == Value) return;
  control->SetColor(Value);
  Changed();
}

TFont* TcxCustomContainerStyle::Font() const {
  TControl* control = OwnerControl();
  return control ? control->Font() : nullptr;
}

void TcxCustomContainerStyle::SetFont(TFont* Value) {
  if (TControl* control = OwnerControl()) control->SetFont(Value);
  Changed();
}

void TcxCustomContainerStyle::SetEdges(TcxBorders Value) {
  if (edges_ == Value) return;
  edges_ = Value;
  Changed();
}

void TcxCustomContainerStyle::SetHotTrack(bool Value) {
  if (hotTrack_ == Value) return;
  hotTrack_ = Value;
  Changed();
}

void TcxCustomContainerStyle::SetShadow(bool Value) {
  if (shadow_ == Value) return;
  shadow_ = Value;
  Changed();
}

void TcxCustomContainerStyle::SetStyleController(TcxStyleController* Value) {
  if (!Value) Value = GetDefaultStyleController();
  if (Value) {
    // A controller's own style cannot listen to that controller.
    for (TPersistent* owner = this; owner; owner = owner->GetOwner())
      if (owner == Value) return;
  }
  if (Value == styleController_) return;
  if (styleController_) styleController_->RemoveStyleListener(this);
  styleController_ = Value;
  if (styleController_) styleController_->AddStyleListener(this);
  ControllerChanged();
}

TcxStyleController* TcxCustomContainerStyle::GetAssignedStyleController() const {
  return styleController_ == GetDefaultStyleController() ? nullptr : styleController_;
}

void TcxCustomContainerStyle::ControllerFreeNotification(TcxStyleController* AController) {
  if (AController && AController == styleController_) SetStyleController(nullptr);
}

// --- TcxStyleController ---

TcxStyleController::TcxStyleController(TComponent* AOwner) : TComponent(AOwner) {}

TcxCustomContainerStyle* TcxStyleController::Style() {
  if (!style_) {
    style_.reset(GetStyleClass()(this, false));
    style_->OnChanged = [this](TObject*) { Changed(); };
  }
  return style_.get();
}

TcxStyleController::~TcxStyleController() {
  destroying_ = true;
  // Each listener moves to its default controller; the list is not touched meanwhile.
  const std::vector<TcxCustomContainerStyle*> listeners = listeners_;
  for (TcxCustomContainerStyle* s : listeners) s->ControllerFreeNotification(this);
  style_.reset();
  listeners_.clear();
}

TcxContainerStyleClass TcxStyleController::GetStyleClass() {
  return [](TPersistent* AOwner, bool ASilent) { return new TcxCustomContainerStyle(AOwner, ASilent); };
}

void TcxStyleController::Loaded() {
  TComponent::Loaded();
  Changed();
}

void TcxStyleController::Changed() {
  if (style_ && OnStyleChanged) OnStyleChanged(this, style_.get());
  if (destroying_) return;
  const std::vector<TcxCustomContainerStyle*> listeners = listeners_;
  for (TcxCustomContainerStyle* s : listeners) NotifyStyleListener(s);
}

void TcxStyleController::NotifyStyleListener(TcxCustomContainerStyle* AStyle) {
  AStyle->ControllerChangedNotification(this);
  if (OnStyleChanged) OnStyleChanged(this, AStyle);
}

void TcxStyleController::AddStyleListener(TcxCustomContainerStyle* AStyle) {
  if (!AStyle || std::find(listeners_.begin(), listeners_.end(), AStyle) != listeners_.end()) return;
  listeners_.push_back(AStyle);
  AStyle->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
}

void TcxStyleController::RemoveStyleListener(TcxCustomContainerStyle* AStyle) {
  auto it = std::find(listeners_.begin(), listeners_.end(), AStyle);
  if (it == listeners_.end()) return;
  if (!destroying_) listeners_.erase(it);
  AStyle->LookAndFeel()->SetMasterLookAndFeel(nullptr);
}
