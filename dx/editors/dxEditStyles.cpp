#include "dx/editors/dxEditStyles.h"

#include <algorithm>

#include "dx/editors/dxInplaceEdit.h"
#include "platform/classes/Published.h"

namespace {
TdxEditStyleController* g_defaultController = nullptr;

struct TUpdateScope {
  TdxStyleController& controller;
  explicit TUpdateScope(TdxStyleController& C) : controller(C) { controller.BeginUpdate(); }
  ~TUpdateScope() { controller.EndUpdate(); }
};
// Controllers and styles share the seven values' names.
template <class Target, class Source>
void CopyStyleValues(Target& To, const Source& From) {
  To.SetBorderColor(From.BorderColor());
  To.SetBorderStyle(From.BorderStyle());
  To.SetButtonStyle(From.ButtonStyle());
  To.SetButtonTransparence(From.ButtonTransparence());
  To.SetEdges(From.Edges());
  To.SetHotTrack(From.HotTrack());
  To.SetShadow(From.Shadow());
}

}  // namespace

// --- TdxStyleController ---

TRENVIK_IMPLEMENT_CLASS(TdxStyleController)

TdxStyleController::TdxStyleController(TComponent* AOwner) : TComponent(AOwner) {}

TdxStyleController::~TdxStyleController() = default;

void TdxStyleController::AddLink(TObject* Link) { links_.push_back(Link); }

void TdxStyleController::RemoveLink(TObject* Link) { std::erase(links_, Link); }

void TdxStyleController::LinkChanged(TObject* Link) {
  if (OnStyleChanged) OnStyleChanged(this, Link);
}

bool TdxStyleController::HasLink(TObject* Link) const {
  return std::find(links_.begin(), links_.end(), Link) != links_.end();
}

void TdxStyleController::EndUpdate() {
  --updateLock_;
  NotifyLinks();
}

void TdxStyleController::Loaded() {
  inherited::Loaded();
  Changed();
}

void TdxStyleController::NotifyLinks() {
  if (updateLock_ > 0 || ComponentState().Contains(csLoading)) return;
  // As many entries as the list held when it started, from the first on.
  const size_t count = links_.size();
  for (size_t i = 0; i < count && i < links_.size(); ++i) LinkChanged(links_[i]);
}

// --- TdxEditStyleController ---

TRENVIK_PUBLISHED(TdxEditStyleController) {
  P.Property("BorderColor", &TdxEditStyleController::BorderColor, &TdxEditStyleController::SetBorderColor)
      .Default(clWindowFrame);
  P.Property("BorderStyle", &TdxEditStyleController::BorderStyle, &TdxEditStyleController::SetBorderStyle)
      .NoDefault();
  P.Property("ButtonStyle", &TdxEditStyleController::ButtonStyle, &TdxEditStyleController::SetButtonStyle)
      .NoDefault();
  P.Property("ButtonTransparence", &TdxEditStyleController::ButtonTransparence,
             &TdxEditStyleController::SetButtonTransparence)
      .Default(ebtNone);
  P.Property("Edges", &TdxEditStyleController::Edges, &TdxEditStyleController::SetEdges);
  P.Property("HotTrack", &TdxEditStyleController::HotTrack, &TdxEditStyleController::SetHotTrack).Default(false);
  P.Property("Shadow", &TdxEditStyleController::Shadow, &TdxEditStyleController::SetShadow).Default(false);
  P.Event("OnStyleChanged", &TdxEditStyleController::OnStyleChanged);
}

TdxEditStyleController::TdxEditStyleController(TComponent* AOwner) : TdxStyleController(AOwner) {}

void TdxEditStyleController::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxEditStyleController*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TUpdateScope scope(*this);
  CopyStyleValues(*this, *source);
}

void TdxEditStyleController::RestoreDefaults() {
  TUpdateScope scope(*this);
  SetBorderColor(clWindowFrame);
  SetBorderStyle(DefaultBorderStyle());
  SetButtonStyle(DefaultButtonStyle());
  SetButtonTransparence(ebtNone);
  SetEdges(dxAllEdges);
  SetHotTrack(false);
  SetShadow(false);
}

void TdxEditStyleController::LinkChanged(TObject* Link) {
  auto* editor = dynamic_cast<TdxInplaceEdit*>(Link);
  // An editor with a controller of its own is restyled by that one only.
  if (editor && editor->StyleController() && editor->StyleController() != this) return;
  if (editor) editor->StyleChanged();
  inherited::LinkChanged(Link);
}

// --- TdxEditStyle ---

TRENVIK_PUBLISHED(TdxEditStyle) {
  P.Property("BorderColor", &TdxEditStyle::BorderColor, &TdxEditStyle::SetBorderColor)
      .NoDefault()
      .Stored(&TdxEditStyle::IsBorderColorStored);
  P.Property("BorderStyle", &TdxEditStyle::BorderStyle, &TdxEditStyle::SetBorderStyle)
      .NoDefault()
      .Stored(&TdxEditStyle::IsBorderStyleStored);
  P.Property("ButtonStyle", &TdxEditStyle::ButtonStyle, &TdxEditStyle::SetButtonStyle)
      .NoDefault()
      .Stored(&TdxEditStyle::IsButtonStyleStored);
  P.Property("ButtonTransparence", &TdxEditStyle::ButtonTransparence, &TdxEditStyle::SetButtonTransparence)
      .NoDefault()
      .Stored(&TdxEditStyle::IsButtonTransparenceStored);
  P.Property("Edges", &TdxEditStyle::Edges, &TdxEditStyle::SetEdges).Stored(&TdxEditStyle::IsEdgesStored);
  P.Property("HotTrack", &TdxEditStyle::HotTrack, &TdxEditStyle::SetHotTrack)
      .NoDefault()
      .Stored(&TdxEditStyle::IsHotTrackStored);
  P.Property("Shadow", &TdxEditStyle::Shadow, &TdxEditStyle::SetShadow)
      .NoDefault()
      .Stored(&TdxEditStyle::IsShadowStored);
}

TdxEditStyle::TdxEditStyle(TdxInplaceEdit* Editor) : editor_(Editor) {}

TdxEditStyle::~TdxEditStyle() {
  // The default controller may be gone already (module end).
  if (linkedDefault_ && linkedDefault_ == DefaultEditStyleController() && editor_)
    linkedDefault_->RemoveLink(editor_);
}

void TdxEditStyle::LinkDefaultController() {
  linkedDefault_ = GetDefaultStyleController();
  if (linkedDefault_ && editor_) linkedDefault_->AddLink(editor_);
}

void TdxEditStyle::SetAssignedValues(TdxEditStyleValues Value) {
  if (assigned_ == Value) return;
  assigned_ = Value;
  Changed();
}

void TdxEditStyle::Changed() {
  if (editor_) editor_->StyleChanged();
}

TdxEditStyleController* TdxEditStyle::SourceController() const {
  if (editor_ && editor_->StyleController()) return editor_->StyleController();
  return GetDefaultStyleController();
}

TColor TdxEditStyle::GetDefaultBorderColor() const {
  return FromController(&TdxEditStyleController::BorderColor, clWindowFrame);
}
TdxEditBorderStyle TdxEditStyle::GetDefaultBorderStyle() const {
  return FromController(&TdxEditStyleController::BorderStyle, xbs3D);
}
TdxEditButtonViewStyle TdxEditStyle::GetDefaultButtonStyle() const {
  return FromController(&TdxEditStyleController::ButtonStyle, btsDefault);
}
TdxEditButtonTransparence TdxEditStyle::GetDefaultButtonTransparence() const {
  return FromController(&TdxEditStyleController::ButtonTransparence, ebtNone);
}
TdxEditEdges TdxEditStyle::GetDefaultEdges() const { return FromController(&TdxEditStyleController::Edges, dxAllEdges); }
bool TdxEditStyle::GetDefaultHotTrack() const { return FromController(&TdxEditStyleController::HotTrack, false); }
bool TdxEditStyle::GetDefaultShadow() const { return FromController(&TdxEditStyleController::Shadow, false); }

TdxEditStyleController* TdxEditStyle::GetDefaultStyleController() const { return DefaultEditStyleController(); }

void TdxEditStyle::RestoreDefaults() {
  assigned_ = {};
  Changed();
}

void TdxEditStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxEditStyle*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  CopyStyleValues(*this, *source);
}

TdxEditStyleController* DefaultEditStyleController() { return g_defaultController; }

void InitDefaultEditStyleController() { g_defaultController = new TdxEditStyleController(nullptr); }

void FinalizeDefaultEditStyleController() {
  delete g_defaultController;
  g_defaultController = nullptr;
}
