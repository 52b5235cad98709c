// Components: objects with an owner that frees them, a unique name among their owner's components,
// notifications of insertion and removal, and a state for loading, designing and destroying.
#pragma once

#include <functional>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/classes/Set.h"
#include "platform/classes/TypInfo.h"

class TReader;
class TWriter;
class TComponent;
class TBasicAction;

using TGetChildProc = std::function<void(TComponent* Child)>;

enum TOperation { opInsert, opRemove };

TRENVIK_ENUM(TComponentStateElement, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
             csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance);
using TComponentState = Set<TComponentStateElement>;

class TComponent : public TPersistent {
  TRENVIK_CLASS(TComponent, TPersistent);

 public:
  // The virtual constructor passes the owner.
  using TCreateArg = TComponent;

  explicit TComponent(TComponent* AOwner);
  // Notifies the components that asked for it, frees the owned components (last first) and leaves
  // the owner. A descendant whose destructor does work calls Destroying() first.
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError "List index out of bounds (%d)" for an index outside the owned components.
  TComponent* Components(int Index) const;
  // The position among the owner's components; -1 without owner.
  int ComponentIndex() const;
  void SetComponentIndex(int Value);
  // Takes AComponent from its current owner (if any). Raises EComponentError when its name is taken.
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  // Marks this component and its owned components csDestroying.
  void Destroying();
  // The owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(const String& AName) const;

  const String& Name() const { return name_; }
  // Raises EComponentError "\"%s\" is not a valid component name" for a name that is not an
  // identifier, "A component named %s already exists" for a name the owner already has.
  virtual void SetName(const String& NewName);
  Integer Tag() const { return tag_; }
  void SetTag(Integer Value) { tag_ = Value; }
  TComponentState ComponentState() const { return state_; }
  // Where a component without parent sits on its form in the designer (stored as Left and Top).
  Integer DesignInfo() const { return designInfo_; }
  void SetDesignInfo(Integer Value) { designInfo_ = Value; }

  // AComponent will be told (Notification(this, opRemove)) when this component is freed, and
  // this one when AComponent is freed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Components that have a parent (controls) are streamed as children of the parent.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent*) {}
  // Calls Proc for each component streamed as a child of this one. The default gives the root's
  // owned components that have no parent.
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
  virtual void SetChildOrder(TComponent* Child, int Order);
  // The owner and the parent of the components read as this one's children.
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void ReadState(TReader* Reader);
  virtual void WriteState(TWriter* Writer);

  // Brackets a change that should not be seen half-done (csUpdating).
  virtual void Updating();
  virtual void Updated();
  void SetDesigning(bool Value, bool SetChildren = true);

  // Runs (updates) Action on this component when the action handles it; true when it did.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);

  String GetNamePath() override;
  TPersistent* GetOwner() override { return owner_; }

 protected:
  // Called after the component and its whole form were read; clears csLoading.
  virtual void Loaded();
  // AComponent was inserted into or removed from the owner, or a component this one asked to be
  // told about is being freed. The default passes it on to the owned components. The insertion
  // made by TComponent's constructor comes before the descendant's constructor has run, and the
  // removal made by the destructor after the descendant's destructor: compare the pointer then,
  // do not look into the object.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  virtual void ValidateInsert(TComponent*) {}
  virtual void ValidateContainer(TComponent* AComponent);
  void SetComponentState(TComponentState Value) { state_ = Value; }
  void DefineProperties(TFiler* Filer) override;

 private:
  friend class TReader;
  friend class TWriter;
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);
  // Points the owner's published field of this component's name at it (or clears it).
  void SetReference(bool Enable);
  // Raises EInvalidCast when AOwner has a published field AName of a class this one is not.
  void CheckReference(TComponent* AOwner, const String& AName);
  void Loading() { state_.Include(csLoading); }

  TComponent* owner_ = nullptr;
  String name_;
  Integer tag_ = 0;
  Integer designInfo_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

// A component of a class found at run time; AOwner becomes its owner.
TComponent* CreateComponent(TClass ComponentClass, TComponent* AOwner);
