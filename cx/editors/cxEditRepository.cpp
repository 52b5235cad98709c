#include <algorithm>

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditConsts.h"
#include "platform/classes/Filer.h"

TRENVIK_IMPLEMENT_CLASS(TcxEditRepositoryItem)
TRENVIK_IMPLEMENT_CLASS(TcxEditRepository)

namespace {

TcxEditRepository* theDefaultRepository = nullptr;
TcxRegisteredClasses* theRegisteredProperties = nullptr;

}  // namespace

// ---- TcxEditRepositoryItem ----

TcxEditRepositoryItem::TcxEditRepositoryItem(TComponent* AOwner) : TComponent(AOwner) { CreateProperties(); }

void TcxEditRepositoryItem::CreateProperties() {
  properties_ = cxCreateEditProperties(GetPropertiesClass(), this);
  properties_->OnPropertiesChanged = [this](TObject* Sender) { PropertiesChanged(Sender); };
}

TcxEditRepositoryItem::~TcxEditRepositoryItem() {
  // Every user lets go first; from the last one, as each removes itself while told.
  for (int i = static_cast<int>(listeners_.size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(listeners_.size())) continue;
    listeners_[i]->ItemRemoved(this);
  }
  SetRepository(nullptr);
}

void TcxEditRepositoryItem::PropertiesChanged(TObject*) {
  for (int i = static_cast<int>(listeners_.size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(listeners_.size())) continue;
    listeners_[i]->PropertiesChanged(this);
  }
}

void TcxEditRepositoryItem::AddListener(IcxEditRepositoryItemListener* AListener) {
  if (std::find(listeners_.begin(), listeners_.end(), AListener) == listeners_.end())
    listeners_.push_back(AListener);
}

void TcxEditRepositoryItem::RemoveListener(IcxEditRepositoryItemListener* AListener) {
  auto it = std::find(listeners_.begin(), listeners_.end(), AListener);
  if (it != listeners_.end()) listeners_.erase(it);
}

void TcxEditRepositoryItem::SetRepository(TcxEditRepository* Value) {
  if (repository_ == Value) return;
  if (repository_) repository_->RemoveItem(this);
  repository_ = Value;
  if (repository_) repository_->AddItem(this);
}

TComponent* TcxEditRepositoryItem::GetParentComponent() const { return repository_; }

void TcxEditRepositoryItem::SetParentComponent(TComponent* AParent) {
  if (ComponentState().Contains(csLoading)) return;
  SetRepository(dynamic_cast<TcxEditRepository*>(AParent));
}

void TcxEditRepositoryItem::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  if (auto* repository = dynamic_cast<TcxEditRepository*>(Reader->Parent())) SetRepository(repository);
}

// ---- TcxEditRepository ----

TcxEditRepository::TcxEditRepository(TComponent* AOwner) : TComponent(AOwner) {}

TcxEditRepository::~TcxEditRepository() {
  // Each item leaves the list while it is freed, whoever owns it.
  while (!items_.empty()) delete items_.back();
}

TcxEditRepositoryItem* TcxEditRepository::Items(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) throw EListError(u"Repository item index out of bounds");
  return items_[AIndex];
}

void TcxEditRepository::AddItem(TcxEditRepositoryItem* AItem) {
  if (std::find(items_.begin(), items_.end(), AItem) == items_.end()) items_.push_back(AItem);
}

void TcxEditRepository::RemoveItem(TcxEditRepositoryItem* AItem) {
  auto it = std::find(items_.begin(), items_.end(), AItem);
  if (it != items_.end()) items_.erase(it);
}

TcxEditRepositoryItem* TcxEditRepository::CreateItem(TClass AItemClass) {
  return CreateItemEx(AItemClass, Owner());
}

TcxEditRepositoryItem* TcxEditRepository::CreateItemEx(TClass AItemClass, TComponent* AOwner) {
  TObject* instance = AItemClass->NewInstance(AOwner);
  auto* item = dynamic_cast<TcxEditRepositoryItem*>(instance);
  if (!item) {
    delete instance;
    throw EInvalidCast(AItemClass->ClassName() + u" is not a repository item class");
  }
  item->SetRepository(this);
  return item;
}

void TcxEditRepository::RemoveDefaultValuesProvider(IcxEditDefaultValuesProvider* AProvider) {
  if (!AProvider) return;
  for (TcxEditRepositoryItem* item : items_) {
    const IcxEditDefaultValuesProviderRef& provider = item->Properties()->DefaultValuesProvider();
    if (provider && provider->GetInstance() == AProvider->GetInstance())
      item->Properties()->ReleaseDefaultValuesProvider();
  }
}

void TcxEditRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TcxEditRepositoryItem* item : items_)
    if (item->Owner() == Root) Proc(item);
}

// ---- process-wide objects ----

TcxEditRepository* GetDefaultEditRepository() {
  if (!theDefaultRepository) theDefaultRepository = new TcxEditRepository(nullptr);
  return theDefaultRepository;
}

TcxRegisteredClasses* GetRegisteredEditProperties() {
  if (!theRegisteredProperties) theRegisteredProperties = new TcxRegisteredClasses(false);
  return theRegisteredProperties;
}

void cxEditRegistryFinalize() {
  delete theRegisteredProperties;
  theRegisteredProperties = nullptr;
  delete theDefaultRepository;
  theDefaultRepository = nullptr;
}
