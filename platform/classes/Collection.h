// Collections: lists of items of one class that a property streams as a whole (columns, bands,
// status panels). Items are created through the item class's virtual constructor.
#pragma once

#include <vector>

#include "platform/classes/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
  TRENVIK_CLASS(TCollectionItem, TPersistent);

 public:
  // The virtual constructor passes the collection.
  using TCreateArg = TCollection;

  // Adds the item at the end of Collection (when given).
  explicit TCollectionItem(TCollection* Collection);
  // Leaves the collection.
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (nullptr: out of any).
  virtual void SetCollection(TCollection* Value);
  // Unique within the collection for its lifetime; never reused.
  int ID() const { return id_; }
  int Index() const;
  // Moves the item to position Value; calls Changed(true).
  virtual void SetIndex(int Value);
  String DisplayName() { return GetDisplayName(); }
  virtual void SetDisplayName(const String& Value);

  String GetNamePath() override;
  TPersistent* GetOwner() override;

 protected:
  // Tells the collection (unless it is updating): Update(nullptr) when AllItems, else Update(this).
  void Changed(bool AllItems);
  // The class name by default.
  virtual String GetDisplayName();

 private:
  friend class TCollection;
  friend class TReader;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
  TRENVIK_CLASS(TCollection, TPersistent);

 public:
  // ItemClass must descend from TCollectionItem.
  explicit TCollection(TClass ItemClass);
  ~TCollection() override;

  TClass ItemClass() const { return itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError "List index out of bounds (%d)".
  TCollectionItem* Items(int Index) const;
  // Assigns Value to the item at Index.
  void SetItems(int Index, TCollectionItem* Value);
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;
  // Until the matching EndUpdate nothing calls Update; the last EndUpdate calls Update(nullptr).
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  // Replaces the items by copies of another collection's items.
  void Assign(TPersistent* Source) override;
  // "<owner path>.<property name>" when an owner publishes the collection, else the class name.
  String GetNamePath() override;
  // The name of the owner's property that holds this collection, or empty.
  String PropName();
  TPersistent* Owner() { return GetOwner(); }

 protected:
  // An item changed (Item), or the whole collection did (nullptr). Called only outside updates.
  virtual void Update(TCollectionItem* Item);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  TClass itemClass_;
  std::vector<TCollectionItem*> items_;
  int nextID_ = 0;
  int updateCount_ = 0;
};

// A collection that knows the object it belongs to (GetOwner), for name paths and streaming.
class TOwnedCollection : public TCollection {
  TRENVIK_CLASS(TOwnedCollection, TCollection);

 public:
  TOwnedCollection(TPersistent* AOwner, TClass ItemClass) : TCollection(ItemClass), owner_(AOwner) {}
  TPersistent* GetOwner() override { return owner_; }

 private:
  TPersistent* owner_;
};
