#include "dx/bars/dxBarGroup.h"

#include <algorithm>

#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarStrs.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_PUBLISHED(TdxBarGroup) {
  P.Property("Enabled", &TdxBarGroup::Enabled, &TdxBarGroup::SetEnabled).Default(true);
  P.Property("Visible", &TdxBarGroup::Visible, &TdxBarGroup::SetVisible).Default(ivAlways);
}

namespace {

TdxBarManager* ManagerForGroup(TComponent* AOwner) {
  if (TdxBarManager* m = BarManagerByForm(dynamic_cast<TCustomForm*>(AOwner))) return m;
  if (BarManagers() && BarManagers()->Count() > 0) return BarManagers()->Items(0);
  return nullptr;
}

}  // namespace

TdxBarGroup::TdxBarGroup(TComponent* AOwner) : TComponent(AOwner), manager_(ManagerForGroup(AOwner)) {
  if (manager_) manager_->AddGroup(this);
}

TdxBarGroup::~TdxBarGroup() {
  Destroying();
  for (TComponent* member : members_) member->RemoveFreeNotification(this);
  if (manager_) manager_->RemoveGroup(this);
}

TComponent* TdxBarGroup::GetParentComponent() const { return manager_; }

void TdxBarGroup::SetParentComponent(TComponent* Value) {
  auto* manager = dynamic_cast<TdxBarManager*>(Value);
  if (!manager || manager == manager_) return;
  if (manager_) manager_->RemoveGroup(this);
  manager_ = manager;
  manager_->AddGroup(this);
}

void TdxBarGroup::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      u"Items",
      [this](TReader* Reader) {
        Reader->ReadListBegin();
        while (!Reader->EndOfList()) loadedMemberNames_.push_back(Reader->ReadString());
        Reader->ReadListEnd();
      },
      [this](TWriter* Writer) {
        Writer->WriteListBegin();
        for (TComponent* member : members_) Writer->WriteString(member->Name());
        Writer->WriteListEnd();
      },
      !members_.empty());
}

void TdxBarGroup::Loaded() {
  inherited::Loaded();
  std::vector<String> names;
  names.swap(loadedMemberNames_);
  TComponent* form = manager_ ? manager_->ParentForm() : Owner();
  if (!form) return;
  // A name the form lacks, or a group that would hold this one, is left out; the rest still joins.
  for (const String& name : names) {
    TComponent* member = form->FindComponent(name);
    auto* group = dynamic_cast<TdxBarGroup*>(member);
    if (member && !(group && group->Contains(this))) Add(member);
  }
}

TComponent* TdxBarGroup::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return members_[Index];
}

int TdxBarGroup::IndexOf(TComponent* Member) const {
  auto it = std::find(members_.begin(), members_.end(), Member);
  return it == members_.end() ? -1 : static_cast<int>(it - members_.begin());
}

bool TdxBarGroup::Contains(const TdxBarGroup* Group) const {
  if (Group == this) return true;
  for (TComponent* member : members_)
    if (auto* nested = dynamic_cast<TdxBarGroup*>(member); nested && nested->Contains(Group)) return true;
  return false;
}

void TdxBarGroup::Add(TComponent* Member) {
  if (!Member || IndexOf(Member) >= 0) return;
  auto* group = dynamic_cast<TdxBarGroup*>(Member);
  if (!group && !dynamic_cast<TdxBarItem*>(Member)) return;
  if (group && group->Contains(this)) RaiseBarError(dxSBAR_RECURSIVEGROUPS);
  members_.push_back(Member);
  Member->FreeNotification(this);
}

void TdxBarGroup::Remove(TComponent* Member) {
  int index = IndexOf(Member);
  if (index < 0) return;
  members_.erase(members_.begin() + index);
  Member->RemoveFreeNotification(this);
}

void TdxBarGroup::Move(int CurIndex, int NewIndex) {
  if (CurIndex < 0 || CurIndex >= Count() || NewIndex < 0 || NewIndex >= Count()) return;
  TComponent* member = members_[CurIndex];
  members_.erase(members_.begin() + CurIndex);
  members_.insert(members_.begin() + NewIndex, member);
}

void TdxBarGroup::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != this) std::erase(members_, AComponent);
}

template <class Apply>
void TdxBarGroup::ForEachMember(Apply apply) {
  bool lock = manager_ && !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying);
  bool locked = lock && manager_->LockUpdate();
  if (lock) manager_->SetLockUpdate(true);
  TScopeExit restore([&] {
    if (lock) manager_->SetLockUpdate(locked);
  });
  for (TComponent* member : std::vector<TComponent*>(members_)) apply(member);
}

void TdxBarGroup::SetEnabled(bool Value) {
  enabled_ = Value;
  ForEachMember([Value](TComponent* member) {
    if (auto* item = dynamic_cast<TdxBarItem*>(member))
      item->SetEnabled(Value);
    else if (auto* group = dynamic_cast<TdxBarGroup*>(member))
      group->SetEnabled(Value);
  });
}

void TdxBarGroup::SetVisible(TdxBarItemVisible Value) {
  visible_ = Value;
  ForEachMember([Value](TComponent* member) {
    if (auto* item = dynamic_cast<TdxBarItem*>(member))
      item->SetVisible(Value);
    else if (auto* group = dynamic_cast<TdxBarGroup*>(member))
      group->SetVisible(Value);
  });
}
