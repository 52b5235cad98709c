#include "platform/classes/Component.h"

#include <algorithm>

#include "platform/classes/BasicAction.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

TRENVIK_PUBLISHED(TComponent) {
  P.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  P.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // A notified component may drop others from the list (RemoveFreeNotification): re-check bounds.
  for (int i = static_cast<int>(freeNotifies_.size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(freeNotifies_.size())) {
      i = static_cast<int>(freeNotifies_.size());
      continue;
    }
    TComponent* other = freeNotifies_[i];
    other->Notification(this, opRemove);
  }
  // Whoever is still listed must not keep a pointer to us.
  for (TComponent* other : freeNotifies_) other->RemoveNotification(this);
  freeNotifies_.clear();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return components_[Index];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!owner_) return;
  auto& list = owner_->components_;
  int current = ComponentIndex();
  int last = static_cast<int>(list.size()) - 1;
  if (Value < 0) Value = 0;
  if (Value > last) Value = last;
  if (Value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

void TComponent::Insert(TComponent* AComponent) {
  components_.push_back(AComponent);
  AComponent->owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
  auto it = std::find(components_.begin(), components_.end(), AComponent);
  if (it != components_.end()) components_.erase(it);
  AComponent->owner_ = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  AComponent->ValidateContainer(this);
  // Checked here as well: ValidateRename only looks at components already owned by this one.
  if (TComponent* other = FindComponent(AComponent->name_); other && other != AComponent)
    throw EComponentError("A component named " + StringToUtf8(AComponent->name_) + " already exists");
  ValidateRename(AComponent, String(), AComponent->name_);
  AComponent->CheckReference(this, AComponent->name_);
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (state_.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  ValidateRename(AComponent, AComponent->name_, String());
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* instance = components_.back();
    // Siblings that hold references hear of the removal through the owner's notification.
    if (instance->state_.Contains(csFreeNotification))
      RemoveComponent(instance);
    else
      Remove(instance);
    delete instance;
  }
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, AName)) return c;
  return nullptr;
}

void TComponent::SetName(const String& NewName) {
  if (name_ == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("\"" + StringToUtf8(NewName) + "\" is not a valid component name");
  if (owner_)
    owner_->ValidateRename(this, name_, NewName);
  else
    ValidateRename(nullptr, name_, NewName);
  CheckReference(owner_, NewName);
  SetReference(false);
  name_ = NewName;
  SetReference(true);
}

void TComponent::CheckReference(TComponent* AOwner, const String& AName) {
  if (!AOwner || AName.empty()) return;
  const TFieldInfo* field = FindField(AOwner->ClassType(), AName);
  if (field && !InheritsFrom(field->FieldClass))
    throw EInvalidCast("Field " + StringToUtf8(AName) + " of " + StringToUtf8(AOwner->ClassName()) +
                       " is a " + StringToUtf8(field->FieldClass->ClassName()) + ", not a " +
                       StringToUtf8(ClassName()));
}

void TComponent::SetReference(bool Enable) {
  // A destroying owner's fields belong to a descendant part that is already gone.
  if (!owner_ || name_.empty() || owner_->state_.Contains(csDestroying)) return;
  if (const TFieldInfo* field = FindField(owner_->ClassType(), name_))
    field->Set(owner_, Enable ? this : nullptr);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (AComponent && !SameText(CurName, NewName) && AComponent->owner_ == this) {
    TComponent* other = FindComponent(NewName);
    if (other && other != AComponent)
      throw EComponentError("A component named " + StringToUtf8(NewName) + " already exists");
  }
}

void TComponent::ValidateContainer(TComponent* AComponent) { AComponent->ValidateInsert(this); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A notified component may free others: re-check the bounds after each call.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    components_[i]->Notification(AComponent, Operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // Components of one owner hear of each other through the owner.
  if (!owner_ || AComponent->owner_ != owner_) {
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
      freeNotifies_.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent);
  if (it != freeNotifies_.end()) freeNotifies_.erase(it);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  if (Root != this) return;
  for (size_t i = 0; i < components_.size(); ++i)
    if (!components_[i]->HasParent()) Proc(components_[i]);
}

void TComponent::SetChildOrder(TComponent* Child, int Order) {
  if (Child->owner_ == this) Child->SetComponentIndex(Order);
}

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }

void TComponent::WriteState(TWriter* Writer) { Writer->WriteData(this); }

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::Updating() { state_.Include(csUpdating); }

void TComponent::Updated() { state_.Exclude(csUpdating); }

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : components_) c->SetDesigning(Value, true);
}

String TComponent::GetNamePath() { return name_; }

void TComponent::DefineProperties(TFiler* Filer) {
  // Left and Top of a component without parent: the low and high word of DesignInfo.
  auto word = [this](int shift) { return static_cast<SmallInt>((designInfo_ >> shift) & 0xFFFF); };
  auto setWord = [this](int shift, Integer v) {
    UInt64 info = static_cast<Cardinal>(designInfo_);
    info = (info & ~(UInt64(0xFFFF) << shift)) | (UInt64(static_cast<Word>(v)) << shift);
    designInfo_ = static_cast<Integer>(static_cast<Cardinal>(info));
  };
  Filer->DefineProperty(
      u"Left", [=](TReader* r) { setWord(0, r->ReadInteger()); },
      [=](TWriter* w) { w->WriteInteger(word(0)); }, word(0) != 0);
  Filer->DefineProperty(
      u"Top", [=](TReader* r) { setWord(16, r->ReadInteger()); },
      [=](TWriter* w) { w->WriteInteger(word(16)); }, word(16) != 0);
}

TComponent* CreateComponent(TClass ComponentClass, TComponent* AOwner) {
  if (!ComponentClass->InheritsFrom(TComponent::StaticClass()))
    throw EInvalidCast(StringToUtf8(ComponentClass->ClassName()) + " is not a component class");
  return static_cast<TComponent*>(ComponentClass->NewInstance(AOwner));
}

bool TComponent::ExecuteAction(TBasicAction* Action) {
  if (!Action || !Action->HandlesTarget(this)) return false;
  Action->ExecuteTarget(this);
  return true;
}

bool TComponent::UpdateAction(TBasicAction* Action) {
  if (!Action || !Action->HandlesTarget(this)) return false;
  Action->UpdateTarget(this);
  return true;
}
