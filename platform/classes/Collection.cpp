#include "platform/classes/Collection.h"

#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/classes/Updating.h"
#include "platform/rtl/String.h"

TRENVIK_IMPLEMENT_CLASS(TCollectionItem)
TRENVIK_IMPLEMENT_CLASS(TCollection)
TRENVIK_IMPLEMENT_CLASS(TOwnedCollection)

namespace {

[[noreturn]] void IndexError(int index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
  if (collection_ == Value) return;
  if (collection_) collection_->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int current = Index();
  if (current < 0 || current == Value) return;
  auto& items = collection_->items_;
  if (Value < 0 || Value >= static_cast<int>(items.size())) IndexError(Value);
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

void TCollectionItem::SetDisplayName(const String&) { Changed(false); }

String TCollectionItem::GetDisplayName() { return ClassName(); }

String TCollectionItem::GetNamePath() {
  if (!collection_) return ClassName();
  return collection_->GetNamePath() + u"[" + Utf8ToString(std::to_string(Index())) + u"]";
}

TPersistent* TCollectionItem::GetOwner() { return collection_; }

void TCollectionItem::Changed(bool AllItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TClass ItemClass) : itemClass_(ItemClass) {
  if (!ItemClass || !ItemClass->InheritsFrom(TCollectionItem::StaticClass()))
    throw EInvalidCast("The item class of a collection must descend from TCollectionItem");
}

TCollection::~TCollection() {
  updateCount_ = 1;  // no Update calls into a half-destroyed descendant
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return items_[Index];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

TCollectionItem* TCollection::Add() {
  TObject* item = itemClass_->NewInstance(this);
  return static_cast<TCollectionItem*>(item);
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > Count()) IndexError(Index);
  TCollectionItem* item = Add();
  WithUpdate(*this, [&] { item->SetIndex(Index); });
  return item;
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == ID) return item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::InsertItem(TCollectionItem* Item) {
  // The item is still being constructed: its class cannot be checked here; Add makes ItemClass.
  items_.push_back(Item);
  Item->collection_ = this;
  Item->id_ = nextID_++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it != items_.end()) items_.erase(it);
  Item->collection_ = nullptr;
  Changed();
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  WithUpdate(*this, [&] {
    Clear();
    for (TCollectionItem* item : source->items_) Add()->Assign(item);
  });
}

String TCollection::PropName() {
  TPersistent* owner = GetOwner();
  if (!owner) return {};
  for (const auto& p : GetPropList(owner->ClassType()).Properties())
    if (p->Kind == tkClass && p->GetObject(owner) == this) return p->Name;
  return {};
}

String TCollection::GetNamePath() {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  String path = owner->GetNamePath();
  if (path.empty()) return ClassName();
  String prop = PropName();
  if (prop.empty()) return ClassName();
  return path + u"." + prop;
}
