// Groups: switch the Enabled and Visible state of many items (and nested groups) at once.
#pragma once

#include <vector>

#include "dx/bars/dxBarServices.h"
#include "platform/classes/Component.h"

class TdxBarManager;

class TdxBarGroup : public TComponent {
  TRENVIK_CLASS(TdxBarGroup, TComponent);

 public:
  explicit TdxBarGroup(TComponent* AOwner);
  ~TdxBarGroup() override;

  TdxBarManager* BarManager() const { return manager_; }
  void ForgetManager() { manager_ = nullptr; }
  bool Enabled() const { return enabled_; }
  // Every member takes the value (nested groups pass it on).
  void SetEnabled(bool Value);
  TdxBarItemVisible Visible() const { return visible_; }
  void SetVisible(TdxBarItemVisible Value);

  int Count() const { return static_cast<int>(members_.size()); }
  TComponent* Items(int Index) const;
  int IndexOf(TComponent* Member) const;
  // Items and groups only, once each; raises 39012 for this group or one that contains it.
  void Add(TComponent* Member);
  void Remove(TComponent* Member);
  // The member at CurIndex put at NewIndex (the others keep their order).
  void Move(int CurIndex, int NewIndex);
  // True when Group is this one or a member at any depth.
  bool Contains(const TdxBarGroup* Group) const;

  bool HasParent() const override { return manager_ != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // "Items": the members' names, looked up among the owner form's components once it is read.
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;

 private:
  template <class Apply>
  void ForEachMember(Apply apply);

  TdxBarManager* manager_;
  bool enabled_ = true;
  TdxBarItemVisible visible_ = ivAlways;
  std::vector<TComponent*> members_;
  std::vector<String> loadedMemberNames_;
};
