#include "cx/foundation/cxLookAndFeels.h"

#include <algorithm>

#include "cx/foundation/dxThemeManager.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"

namespace {

TcxLookAndFeel* Root = nullptr;
int ControllerCount = 0;

bool IsController(IcxLookAndFeelListener* AListener) {
  TObject* Object = AListener->GetObject();
  return Object && Object->InheritsFrom(TcxLookAndFeelController::StaticClass());
}

}  // namespace

TcxLookAndFeel* RootLookAndFeel() { return Root; }
int cxLookAndFeelControllerCount() { return ControllerCount; }

void InitializeLookAndFeels() {
  if (Root) return;
  auto* NewRoot = new TcxLookAndFeel(nullptr);
  NewRoot->isRoot_ = true;
  Root = NewRoot;
  RegisterClass(TcxLookAndFeelController::StaticClass());
}

void FinalizeLookAndFeels() {
  TcxLookAndFeel* Doomed = Root;
  delete Doomed;
  Root = nullptr;
  ControllerCount = 0;
}

// --- TcxLookAndFeel ---

TRENVIK_PUBLISHED(TcxLookAndFeel) {
  P.Property("AssignedValues", &TcxLookAndFeel::AssignedValues, &TcxLookAndFeel::SetAssignedValues)
      .Stored(false);
  P.Property("Kind", &TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind)
      .NoDefault()
      .Stored(&TcxLookAndFeel::IsKindStored);
  P.Property("NativeStyle", &TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle)
      .NoDefault()
      .Stored(&TcxLookAndFeel::IsNativeStyleStored);
}

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
  if (Root) {
    Root->AddListener(this);
    currentKind_ = GetEffectiveKind();
    currentNativeStyle_ = GetEffectiveNativeStyle();
  }
}

TcxLookAndFeel::~TcxLookAndFeel() {
  destroying_ = true;
  for (size_t I = 0; I < listeners_.size(); ++I) listeners_[I]->MasterLookAndFeelDestroying(this);
  destroying_ = false;
  listeners_.clear();
  if (TcxLookAndFeel* Master = GetMaster()) Master->RemoveListener(this);
  if (isRoot_ && Root == this) Root = nullptr;
}

void TcxLookAndFeel::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TcxLookAndFeel*>(Source);
  if (!Other) {
    inherited::Assign(Source);
    return;
  }
  SaveValues();
  kind_ = Other->kind_;
  nativeStyle_ = Other->nativeStyle_;
  assignedValues_ = Other->assignedValues_;
  SetMasterLookAndFeel(Other->GetMaster());
  CheckValuesChanged();
}

TcxLookAndFeelPainterClass TcxLookAndFeel::GetPainter() const {
  if (NativeStyle() && dxThemesAvailable()) return TcxWinXPLookAndFeelPainter::Class();
  switch (Kind()) {
    case lfFlat:
      return TcxFlatLookAndFeelPainter::Class();
    case lfStandard:
      return TcxStandardLookAndFeelPainter::Class();
    default:
      return TcxUltraFlatLookAndFeelPainter::Class();
  }
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
  const TcxLookAndFeelKind Previous = currentKind_;
  assignedValues_.Include(lfvKind);
  kind_ = Value;
  if (GetEffectiveKind() != Previous) Changed({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
  const bool Previous = currentNativeStyle_;
  assignedValues_.Include(lfvNativeStyle);
  nativeStyle_ = Value;
  if (GetEffectiveNativeStyle() != Previous) Changed({lfvNativeStyle});
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues Value) {
  if (Value == assignedValues_) return;
  SaveValues();
  assignedValues_ = Value;
  CheckValuesChanged();
}

TcxLookAndFeel* TcxLookAndFeel::GetMaster() const {
  if (isRoot_) return nullptr;
  if (master_) return master_;
  // While the root is being destroyed its followers have nothing to follow.
  return (Root && !Root->destroying_) ? Root : nullptr;
}

void TcxLookAndFeel::SetMasterLookAndFeel(TcxLookAndFeel* Value) {
  if (isRoot_ || Value == this || Value == GetMaster()) return;
  // A master that follows this object would make every change go round for ever.
  for (TcxLookAndFeel* M = Value; M; M = M->master_)
    if (M == this) return;
  SaveValues();
  if (TcxLookAndFeel* Old = GetMaster()) Old->RemoveListener(this);
  master_ = Value;
  if (TcxLookAndFeel* New = GetMaster()) New->AddListener(this);
  CheckValuesChanged();
}

void TcxLookAndFeel::AddListener(IcxLookAndFeelListener* AListener) {
  if (!AListener || destroying_) return;
  const bool Controller = IsController(AListener);
  if (Controller && !isRoot_) return;
  if (std::find(listeners_.begin(), listeners_.end(), AListener) != listeners_.end()) return;
  listeners_.push_back(AListener);
  if (Controller) ++ControllerCount;
}

void TcxLookAndFeel::RemoveListener(IcxLookAndFeelListener* AListener) {
  auto It = std::find(listeners_.begin(), listeners_.end(), AListener);
  if (It == listeners_.end() || destroying_) return;
  listeners_.erase(It);
  if (isRoot_ && IsController(AListener) && --ControllerCount == 0) Reset();
}

void TcxLookAndFeel::MasterLookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues AChangedValues) {
  Changed(AChangedValues - assignedValues_);
}

void TcxLookAndFeel::MasterLookAndFeelDestroying(TcxLookAndFeel*) { SetMasterLookAndFeel(nullptr); }

TcxLookAndFeelKind TcxLookAndFeel::GetEffectiveKind() const {
  if (assignedValues_.Contains(lfvKind)) return kind_;
  if (isRoot_) return lfUltraFlat;
  TcxLookAndFeel* Master = GetMaster();
  return Master ? Master->Kind() : kind_;
}

bool TcxLookAndFeel::GetEffectiveNativeStyle() const {
  if (assignedValues_.Contains(lfvNativeStyle)) return nativeStyle_;
  if (isRoot_) return false;
  TcxLookAndFeel* Master = GetMaster();
  return Master ? Master->NativeStyle() : nativeStyle_;
}

void TcxLookAndFeel::Changed(TcxLookAndFeelValues AChangedValues) {
  if (AChangedValues.Empty() || destroying_) return;
  currentKind_ = GetEffectiveKind();
  currentNativeStyle_ = GetEffectiveNativeStyle();
  // What has been announced is the new base for the next comparison.
  prevKind_ = currentKind_;
  prevNativeStyle_ = currentNativeStyle_;
  for (size_t I = 0; I < listeners_.size(); ++I)
    listeners_[I]->MasterLookAndFeelChanged(this, AChangedValues);
  if (OnChanged) OnChanged(this, AChangedValues);
}

void TcxLookAndFeel::CheckValuesChanged() {
  TcxLookAndFeelValues Values;
  if (GetEffectiveKind() != prevKind_) Values.Include(lfvKind);
  if (GetEffectiveNativeStyle() != prevNativeStyle_) Values.Include(lfvNativeStyle);
  Changed(Values);
}

void TcxLookAndFeel::SaveValues() {
  prevKind_ = currentKind_;
  prevNativeStyle_ = currentNativeStyle_;
}

// --- TcxLookAndFeelController ---

TRENVIK_PUBLISHED(TcxLookAndFeelController) {
  P.Property("Kind", &TcxLookAndFeelController::Kind, &TcxLookAndFeelController::SetKind)
      .Default(lfUltraFlat);
  P.Property("NativeStyle", &TcxLookAndFeelController::NativeStyle, &TcxLookAndFeelController::SetNativeStyle)
      .Default(false);
}

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* AOwner) : TComponent(AOwner) {
  if (Root) Root->AddListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (Root) Root->RemoveListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const { return Root ? Root->Kind() : lfUltraFlat; }

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value) {
  if (Root) Root->SetKind(Value);
}

bool TcxLookAndFeelController::NativeStyle() const { return Root && Root->NativeStyle(); }

void TcxLookAndFeelController::SetNativeStyle(bool Value) {
  if (Root) Root->SetNativeStyle(Value);
}

void TcxLookAndFeelController::MasterLookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}
void TcxLookAndFeelController::MasterLookAndFeelDestroying(TcxLookAndFeel*) {}
