// Data fields (an item's slot in the storage, possibly shared), detail objects and relations.
#include <algorithm>

#include "cx/data/cxCustomData.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDataField)
TRENVIK_IMPLEMENT_CLASS(TcxCustomDataFieldList)
TRENVIK_IMPLEMENT_CLASS(TcxDetailObject)
TRENVIK_IMPLEMENT_CLASS(TcxCustomDataRelation)
TRENVIK_IMPLEMENT_CLASS(TcxCustomDataRelationList)

// ---------------------------------------------------------------------------------------------
// TcxCustomDataField

TcxCustomDataField::~TcxCustomDataField() {
  if (fieldList_) fieldList_->Remove(this);
  FreeValueDef();
}

TcxCustomDataController* TcxCustomDataField::GetDataController() const {
  return fieldList_->DataController();
}

int TcxCustomDataField::GetIndex() const { return fieldList_->IndexOf(this); }

void TcxCustomDataField::SetIndex(int AIndex) { fieldList_->Move(GetIndex(), AIndex); }

void TcxCustomDataField::SetIsInternal(bool AValue) {
  if (internal_ == AValue) return;
  internal_ = AValue;
  fieldList_->Recount();
}

void TcxCustomDataField::SetReferenceField(TcxCustomDataField* AField) {
  if (AField == referenceField_) return;
  TcxCustomDataField* root = AField;
  while (root && root->referenceField_) root = root->referenceField_;
  if (root == this) return;
  if (!referenceField_) SetValueTypeClass(nullptr);
  referenceField_ = root;
}

void TcxCustomDataField::SetValueTypeClass(TcxValueTypeClass AClass) {
  if (referenceField_ || AClass == valueTypeClass_) return;
  BeginRecreateData();
  valueTypeClass_ = AClass;
  EndRecreateData();
}

void TcxCustomDataField::SetTextStored(bool AValue) {
  if (referenceField_ || AValue == textStored_) return;
  BeginRecreateData();
  textStored_ = AValue;
  EndRecreateData();
}

void TcxCustomDataField::BeginRecreateData() {
  if (recreateLock_ == 0 && !referenceField_) FreeValueDef();
  ++recreateLock_;
}

void TcxCustomDataField::EndRecreateData() {
  if (--recreateLock_ == 0) CreateValueDef();
}

void TcxCustomDataField::CreateValueDef() {
  if (referenceField_ || !valueTypeClass_) return;
  FreeValueDef();
  valueDef_ =
      GetDataController()->DataStorage()->ValueDefs()->Add(valueTypeClass_, internal_, this, textStored_);
}

void TcxCustomDataField::FreeValueDef() {
  if (referenceField_) return;
  TcxValueDef* def = valueDef_;
  valueDef_ = nullptr;
  delete def;
}

void TcxCustomDataField::DataLayoutChanged() {
  TcxCustomDataProvider* provider = GetDataController()->Provider();
  if (provider->LockCount() == 0) provider->LayoutChanged(1);
}

void TcxCustomDataField::TakeOverValueDef(TcxCustomDataField* AField) {
  referenceField_ = nullptr;
  valueDef_ = AField->valueDef_;
  if (valueDef_) valueDef_->SetLink(this);
  valueTypeClass_ = AField->valueTypeClass_;
  textStored_ = AField->textStored_;
  AField->valueDef_ = nullptr;
  AField->valueTypeClass_ = nullptr;
}

bool TcxCustomDataField::CanEditValue(TcxEditValueSource) {
  return GetValueDef() != nullptr || GetDataController()->HasRecordSource();
}

// ---------------------------------------------------------------------------------------------
// TcxCustomDataFieldList

TcxCustomDataFieldList::~TcxCustomDataFieldList() { Clear(); }

void TcxCustomDataFieldList::ComponentRemoved(TComponent* AComponent) {
  for (auto* field : std::vector<TcxCustomDataField*>(items_)) field->ComponentRemoved(AComponent);
}

void TcxCustomDataFieldList::Add(TcxCustomDataField* AField) {
  if (AField->IsInternal())
    items_.push_back(AField);
  else
    items_.insert(items_.begin() + GetItemCount(), AField);
  Recount();
}

void TcxCustomDataFieldList::Remove(TcxCustomDataField* AField) {
  FieldDestroyed = true;
  dataController_->FieldRemoved(AField);
  ReassignReferences(AField);
  auto it = std::find(items_.begin(), items_.end(), AField);
  if (it != items_.end()) items_.erase(it);
  AField->fieldList_ = nullptr;
  Recount();
}

void TcxCustomDataFieldList::ReassignReferences(TcxCustomDataField* AField) {
  TcxCustomDataField* heir = nullptr;
  for (auto* field : items_) {
    if (field == AField || field->referenceField_ != AField) continue;
    if (!heir) {
      heir = field;
      field->TakeOverValueDef(AField);
    } else {
      field->referenceField_ = heir;
    }
  }
}

void TcxCustomDataFieldList::Clear() {
  while (!items_.empty()) delete items_.back();
}

TcxCustomDataField* TcxCustomDataFieldList::FindByItem(TObject* AItem) const {
  for (auto* field : items_)
    if (field->Item() == AItem) return field;
  return nullptr;
}

int TcxCustomDataFieldList::IndexOf(const TcxCustomDataField* AField) const {
  auto it = std::find(items_.begin(), items_.end(), AField);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TcxCustomDataFieldList::Move(int ACurIndex, int ANewIndex) {
  if (ACurIndex == ANewIndex || ACurIndex < 0 || ANewIndex < 0 || ANewIndex >= GetCount()) return;
  TcxCustomDataField* field = items_[static_cast<size_t>(ACurIndex)];
  items_.erase(items_.begin() + ACurIndex);
  items_.insert(items_.begin() + ANewIndex, field);
}

void TcxCustomDataFieldList::Recount() {
  internalCount_ =
      static_cast<int>(std::count_if(items_.begin(), items_.end(), [](auto* f) { return f->IsInternal(); }));
  // Item fields first, internal fields at the end.
  std::stable_partition(items_.begin(), items_.end(), [](auto* f) { return !f->IsInternal(); });
}

// ---------------------------------------------------------------------------------------------
// TcxDetailObject

void TcxDetailObject::ClearLinkObjects() {
  for (auto*& object : linkObjects_) {
    TObject* doomed = object;
    object = nullptr;
    delete doomed;
  }
  linkObjects_.clear();
}

void TcxDetailObject::SetRelationCount(int ACount) {
  if (static_cast<int>(linkObjects_.size()) < ACount)
    linkObjects_.resize(static_cast<size_t>(ACount), nullptr);
  if (linkObjects_.empty())
    ActiveRelationIndex = -1;
  else if (ActiveRelationIndex < 0)
    ActiveRelationIndex = 0;
}

bool TcxDetailObject::IsEmpty() const {
  return std::all_of(linkObjects_.begin(), linkObjects_.end(), [](TObject* o) { return o == nullptr; });
}

TObject* TcxDetailObject::GetLinkObject(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetLinkObjectCount()) return nullptr;
  return linkObjects_[static_cast<size_t>(AIndex)];
}

void TcxDetailObject::SetLinkObject(int AIndex, TObject* AObject) {
  if (AIndex < 0) return;
  if (AIndex >= GetLinkObjectCount()) linkObjects_.resize(static_cast<size_t>(AIndex) + 1, nullptr);
  linkObjects_[static_cast<size_t>(AIndex)] = AObject;
}

// ---------------------------------------------------------------------------------------------
// Relations

TcxCustomDataRelation::TcxCustomDataRelation(TcxCustomDataRelationList* ARelationList, TObject* AItem)
    : item_(AItem), relationList_(nullptr) {
  ARelationList->AddRelation(this);
}

TcxCustomDataRelation::~TcxCustomDataRelation() {
  if (TcxCustomDataController* detail = DetailDataController) {
    DetailDataController = nullptr;
    detail->LinkToRelation(nullptr, detail->IsPattern());
  }
  if (relationList_) relationList_->RemoveRelation(this);
}

void TcxCustomDataRelation::Changed() {
  if (relationList_) relationList_->Changed(this);
}

TcxCustomDataController* TcxCustomDataRelation::GetDataController() const {
  return relationList_ ? relationList_->DataController() : nullptr;
}

int TcxCustomDataRelation::GetIndex() const { return relationList_ ? relationList_->IndexOf(this) : -1; }

TcxCustomDataRelationList::~TcxCustomDataRelationList() {
  ++lockCount_;
  while (!items_.empty()) delete items_.front();
}

TcxCustomDataRelation* TcxCustomDataRelationList::Add(TObject* AItem) {
  return dataController_->CreateRelation(this, AItem);
}

void TcxCustomDataRelationList::Assign(TcxCustomDataRelationList* AList) {
  BeginUpdate();
  try {
    Clear();
    for (auto* relation : AList->items_) Add(relation->Item())->Assign(relation);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomDataRelationList::EndUpdate() {
  --lockCount_;
  Changed(nullptr);
}

void TcxCustomDataRelationList::Clear() {
  BeginUpdate();
  try {
    while (!items_.empty()) delete items_.front();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TcxCustomDataRelation* TcxCustomDataRelationList::FindByItem(TObject* AItem) const {
  for (auto* relation : items_)
    if (relation->Item() == AItem) return relation;
  return nullptr;
}

int TcxCustomDataRelationList::IndexOf(const TcxCustomDataRelation* ARelation) const {
  auto it = std::find(items_.begin(), items_.end(), ARelation);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TcxCustomDataRelationList::AddRelation(TcxCustomDataRelation* ARelation) {
  items_.push_back(ARelation);
  ARelation->relationList_ = this;
  Changed(ARelation);
}

void TcxCustomDataRelationList::RemoveRelation(TcxCustomDataRelation* ARelation) {
  dataController_->DetachRelationClones(ARelation);
  auto it = std::find(items_.begin(), items_.end(), ARelation);
  if (it != items_.end()) items_.erase(it);
  ARelation->relationList_ = nullptr;
  Changed(ARelation);
}

void TcxCustomDataRelationList::Changed(TcxCustomDataRelation* ARelation) {
  if (lockCount_ == 0) DoChanged(ARelation);
}

void TcxCustomDataRelationList::DoChanged(TcxCustomDataRelation* ARelation) {
  dataController_->BeginUpdate();
  try {
    if (items_.empty()) {
      TcxCustomDataField* field = detailField_;
      detailField_ = nullptr;
      delete field;
    } else if (detailField_) {
      dataController_->ClearDetails();
    } else {
      detailField_ = dataController_->CreateInternalField();
      detailField_->SetValueTypeClass(TcxObjectValueType::Class());
    }
    dataController_->RelationsChanged(ARelation);
  } catch (...) {
    dataController_->EndUpdate();
    throw;
  }
  dataController_->EndUpdate();
}

void TcxCustomDataRelationList::FieldRemoved(TcxCustomDataField* AField) {
  if (AField == detailField_) detailField_ = nullptr;
  for (auto* relation : items_) relation->FieldRemoved(AField);
}

TcxDetailObject* TcxCustomDataRelationList::StoredDetailObject(int ARecordIndex) {
  if (!detailField_ || !detailField_->GetValueDef()) return nullptr;
  Variant v = dataController_->DataStorage()->GetValue(ARecordIndex, detailField_->GetValueDef());
  return VarIsNull(v) ? nullptr : static_cast<TcxDetailObject*>(v.AsObject());
}

TcxDetailObject* TcxCustomDataRelationList::GetDetailObject(int ARecordIndex) {
  dataController_->CheckRecordIndex(ARecordIndex);
  if (!detailField_) return nullptr;
  TcxDetailObject* object = StoredDetailObject(ARecordIndex);
  TcxCustomDataRelationList* patternRelations = dataController_->GetPatternDataController()->GetRelations();
  bool linked = std::any_of(patternRelations->items_.begin(), patternRelations->items_.end(),
                            [](TcxCustomDataRelation* r) { return r->DetailDataController != nullptr; });
  if (linked) {
    if (!object) {
      object = new TcxDetailObject;
      object->ActiveRelationIndex = dataController_->GetDefaultActiveRelationIndex();
      dataController_->SetFieldValueToStorage(ARecordIndex, detailField_, Variant(object));
    }
    object->SetRelationCount(GetCount());
    return object;
  }
  if (object) {
    for (int i = 0; i < object->GetLinkObjectCount(); ++i)
      if (TObject* link = object->GetLinkObject(i))
        if (auto* detail = dataController_->GetDetailDataControllerByLinkObject(link))
          detail->SetMasterRelationDirect(nullptr);
    dataController_->SetFieldValueToStorage(ARecordIndex, detailField_, Null());
  }
  return nullptr;
}

bool TcxCustomDataRelationList::ClearDetailObject(int ARecordIndex, int ARelationIndex) {
  dataController_->CheckRecordIndex(ARecordIndex);
  TcxDetailObject* object = StoredDetailObject(ARecordIndex);
  if (!object) return false;
  if (ARelationIndex == -1) {
    object->ClearLinkObjects();
  } else {
    TObject* link = object->GetLinkObject(ARelationIndex);
    object->SetLinkObject(ARelationIndex, nullptr);
    delete link;
  }
  return true;
}

bool TcxCustomDataRelationList::IsDetailObjectExist(int ARecordIndex, int ARelationIndex) {
  dataController_->CheckRecordIndex(ARecordIndex);
  TcxDetailObject* object = StoredDetailObject(ARecordIndex);
  if (!object) return false;
  if (ARelationIndex == -1) return !object->IsEmpty();
  return object->GetLinkObject(ARelationIndex) != nullptr;
}
