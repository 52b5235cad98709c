#include "cx/foundation/cxClasses.h"

#include <map>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringTable.h"

TRENVIK_IMPLEMENT_CLASS(TcxInterfacedPersistent)
TRENVIK_IMPLEMENT_CLASS(TcxObjectList)
TRENVIK_IMPLEMENT_CLASS(TcxRegisteredClassList)
TRENVIK_IMPLEMENT_CLASS(TcxRegisteredClasses)
TRENVIK_IMPLEMENT_CLASS(TcxAutoWidthItem)
TRENVIK_IMPLEMENT_CLASS(TcxAutoWidthObject)

TRENVIK_PUBLISHED(TcxComponent) {
  P.Property("FakeComponentLink1", &TcxComponent::FakeComponentLink1, &TcxComponent::SetFakeComponentLink1)
      .Stored(false);
  P.Property("FakeComponentLink2", &TcxComponent::FakeComponentLink2, &TcxComponent::SetFakeComponentLink2)
      .Stored(false);
  P.Property("FakeComponentLink3", &TcxComponent::FakeComponentLink3, &TcxComponent::SetFakeComponentLink3)
      .Stored(false);
}

// --- TcxInterfacedPersistent ---

TcxInterfacedPersistent::TcxInterfacedPersistent(TPersistent* AOwner) : owner_(AOwner) {}

// --- TcxComponent ---

TcxComponent::TcxComponent(TComponent* AOwner) : TComponent(AOwner) {}

void TcxComponent::BeforeDestruction() {
  if (!ComponentState().Contains(csDestroying)) Destroying();
}

void TcxComponent::Loaded() {
  inherited::Loaded();
  UpdateFakeLinks();
}

void TcxComponent::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  // A link never outlives the component it shows.
  if (Operation == opRemove)
    for (TComponent*& link : fakeLinks_)
      if (link == AComponent) link = nullptr;
}

void TcxComponent::GetFakeComponentLinks(std::vector<TComponent*>&) {}

void TcxComponent::UpdateFakeLinks() {
  const TComponentState state = ComponentState();
  if (!state.Contains(csDesigning) || state.Contains(csDestroying) || !Owner()) return;
  std::vector<TComponent*> list;
  GetFakeComponentLinks(list);
  for (int i = 0; i < cxFakeComponentLinkCount; ++i)
    SetFakeComponentLink(i, i < static_cast<int>(list.size()) ? list[i] : nullptr);
}

void TcxComponent::SetFakeComponentLink(int AIndex, TComponent* AComponent) {
  if (AIndex < 0 || AIndex >= cxFakeComponentLinkCount || fakeLinks_[AIndex] == AComponent) return;
  fakeLinks_[AIndex] = AComponent;
  if (AComponent) AComponent->FreeNotification(this);
}

// --- TcxObjectList ---

TcxObjectList::~TcxObjectList() { TcxObjectList::Clear(); }

int TcxObjectList::Add(TObject* AObject) { return list_.Add(AObject); }

void TcxObjectList::Clear() {
  for (int i = 0; i < list_.Count(); ++i) delete static_cast<TObject*>(list_.Items(i));
  list_.Clear();
}

// --- TcxRegisteredClassList ---

TcxRegisteredClassList::~TcxRegisteredClassList() { Clear(); }

bool TcxRegisteredClassList::Find(TClass AItemClass, int& AIndex) {
  for (int i = Count() - 1; i >= 0; --i) {
    const TClass itemClass = items_[i].ItemClass;
    if (AItemClass->InheritsFrom(itemClass)) {
      AIndex = i;
      return true;
    }
    // A registered descendant: keep looking for an ancestor, remembering the lowest position.
    if (itemClass->InheritsFrom(AItemClass)) AIndex = i;
  }
  return false;
}

void TcxRegisteredClassList::Register(TClass AItemClass, TClass ARegisteredClass) {
  int index = -1;
  if (Find(AItemClass, index))
    ++index;
  else if (index == -1)
    index = Count();
  items_.insert(items_.begin() + index, {AItemClass, ARegisteredClass});
}

void TcxRegisteredClassList::Unregister(TClass AItemClass, TClass ARegisteredClass) {
  for (int i = Count() - 1; i >= 0; --i)
    if (items_[i].ItemClass == AItemClass && items_[i].RegisteredClass == ARegisteredClass)
      items_.erase(items_.begin() + i);
}

TClass TcxRegisteredClassList::FindClass(TClass AItemClass) {
  int index = -1;
  return Find(AItemClass, index) ? items_[index].RegisteredClass : nullptr;
}

void TcxRegisteredClassList::Clear() { items_.clear(); }

const TcxRegisteredClassListItemData& TcxRegisteredClassList::Items(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) throw EListError(Format(u"List index out of bounds (%d)", {AIndex}));
  return items_[AIndex];
}

// --- TcxRegisteredClasses ---

TcxRegisteredClasses::TcxRegisteredClasses(bool ARegisterClasses) : registerClasses_(ARegisterClasses) {}

TcxRegisteredClasses::~TcxRegisteredClasses() { Clear(); }

void TcxRegisteredClasses::Register(TClass AClass, const String& ADescription) {
  if (GetIndexByClass(AClass) != -1) return;
  items_.push_back({ADescription, AClass});
  if (registerClasses_) ::RegisterClass(AClass);
}

void TcxRegisteredClasses::Unregister(TClass AClass) {
  const int index = GetIndexByClass(AClass);
  if (index != -1) items_.erase(items_.begin() + index);
}

TClass TcxRegisteredClasses::FindByClassName(const String& AClassName) const {
  for (const TEntry& e : items_)
    if (e.Class->ClassName() == AClassName) return e.Class;
  return nullptr;
}

int TcxRegisteredClasses::GetIndexByClass(TClass AClass) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].Class == AClass) return i;
  return -1;
}

void TcxRegisteredClasses::Clear() { items_.clear(); }

void TcxRegisteredClasses::CheckIndex(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) throw EListError(Format(u"List index out of bounds (%d)", {AIndex}));
}

TClass TcxRegisteredClasses::Items(int AIndex) const {
  CheckIndex(AIndex);
  return items_[AIndex].Class;
}

const String& TcxRegisteredClasses::Descriptions(int AIndex) const {
  CheckIndex(AIndex);
  return items_[AIndex].Description;
}

// --- TcxAutoWidthObject ---

TcxAutoWidthObject::TcxAutoWidthObject(int ACapacity) { items_.SetCapacity(ACapacity); }

TcxAutoWidthObject::~TcxAutoWidthObject() {
  for (int i = 0; i < Count(); ++i) delete Items(i);
}

TcxAutoWidthItem* TcxAutoWidthObject::AddItem() {
  auto* item = new TcxAutoWidthItem;
  items_.Add(item);
  return item;
}

int TcxAutoWidthObject::TotalWidth() const {
  int result = 0;
  for (int i = 0; i < Count(); ++i) result += Items(i)->Width;
  return result;
}

void TcxAutoWidthObject::Calculate() {
  int available = AvailableWidth;
  int total = TotalWidth();
  for (int i = 0; i < Count(); ++i) {
    TcxAutoWidthItem* item = Items(i);
    if (!item->Fixed) continue;
    item->AutoWidth = item->Width;
    available -= item->Width;
    total -= item->Width;
  }
  bool lastPass = false;
  bool minimumHit;
  do {
    const int a = available, t = total;
    int s = 0;
    minimumHit = false;
    for (int i = 0; i < Count(); ++i) {
      TcxAutoWidthItem* item = Items(i);
      if (item->AutoWidth != -1) continue;
      const int w = MulDiv(s + item->Width, a, t) - MulDiv(s, a, t);
      if (lastPass) {
        item->AutoWidth = w;
      } else if (w <= item->MinWidth) {
        item->AutoWidth = item->MinWidth;
        available -= item->MinWidth;
        total -= item->Width;
        minimumHit = true;
      }
      s += item->Width;
    }
    if (!minimumHit) lastPass = !lastPass;
  } while (total != 0 && (minimumHit || lastPass));
}

// --- Resource strings ---

namespace {

std::map<int, String>& Replacements() {
  static auto& replacements = *new std::map<int, String>;
  return replacements;
}

}  // namespace

String cxGetResourceString(int AResString) {
  const auto& replacements = Replacements();
  const auto it = replacements.find(AResString);
  return it != replacements.end() ? it->second : LoadResString(AResString);
}

void cxSetResourceStringReplacement(int AResString, const String& AText) {
  Replacements()[AResString] = AText;
}

void cxClearResourceStringReplacements() { Replacements().clear(); }
