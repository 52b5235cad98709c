// Value definitions, the record storage and the lookup list.
#include "cx/data/cxDataStorage.h"

#include <cstdlib>
#include <cstring>

#include "cx/data/cxVariants.h"

TRENVIK_IMPLEMENT_CLASS(TcxValueDef)
TRENVIK_IMPLEMENT_CLASS(TcxInternalValueDef)
TRENVIK_IMPLEMENT_CLASS(TcxValueDefs)
TRENVIK_IMPLEMENT_CLASS(TcxInternalValueDefs)
TRENVIK_IMPLEMENT_CLASS(TcxValueDefReader)
TRENVIK_IMPLEMENT_CLASS(TcxDataStorage)
TRENVIK_IMPLEMENT_CLASS(TcxLookupList)

namespace {
constexpr Byte kInUse = 0x01;
}

// ---------------------------------------------------------------------------------------------
// TcxValueDef

TcxValueDef::TcxValueDef(TcxValueDefs* AOwner, TcxValueTypeClass ATypeClass)
    : owner_(AOwner), typeClass_(ATypeClass) {}

TcxValueDef::~TcxValueDef() {
  if (owner_) owner_->Remove(this);
}

bool TcxValueDef::IsStored() { return inRecord_ || !owner_->Storage()->StoredValuesOnly(); }

void TcxValueDef::SetInRecord(bool AValue) {
  if (inRecord_ == AValue) return;
  inRecord_ = AValue;
  if (owner_) owner_->Changed(this, 0);
}

void TcxValueDef::SetTextStored(bool AValue) {
  if (textStored_ == AValue) return;
  textStored_ = AValue;
  if (owner_) owner_->Changed(this, 1);
}

void TcxValueDef::Assign(TcxValueDef* ASource) {
  inRecord_ = ASource->inRecord_;
  textStored_ = ASource->textStored_;
}

void TcxValueDef::SetValue(Byte* ABuffer, const Variant& AValue) {
  if (VarIsNull(AValue)) {
    if (ABuffer[offset_]) typeClass_->FreeValue(Data(ABuffer));
    std::memset(Data(ABuffer), 0, static_cast<size_t>(valueSize_));
    ABuffer[offset_] = 0;
    return;
  }
  typeClass_->StoreValue(Data(ABuffer), AValue);
  ABuffer[offset_] = 1;
}

Variant TcxValueDef::GetValue(const Byte* ABuffer) {
  if (slotSize_ == 0 || !ABuffer[offset_]) return Null();
  return typeClass_->LoadValue(Data(ABuffer));
}

String TcxValueDef::GetDisplayText(const Byte* ABuffer) {
  if (slotSize_ == 0) return String();
  if (textSlot_) return TcxValueType::GetStoredText(TextRef(ABuffer));
  if (!ABuffer[offset_]) return String();
  return typeClass_->GetValueText(Data(ABuffer));
}

void TcxValueDef::SetDisplayText(Byte* ABuffer, const String& AText) {
  if (textSlot_) TcxValueType::StoreText(TextRef(ABuffer), AText);
}

int TcxValueDef::Compare(const Byte* ABuffer1, const Byte* ABuffer2) {
  if (slotSize_ == 0) return 0;
  bool null1 = !ABuffer1[offset_], null2 = !ABuffer2[offset_];
  if (null1 || null2) return null1 == null2 ? 0 : (null1 ? -1 : 1);
  return typeClass_->Compare(Data(ABuffer1), Data(ABuffer2));
}

int TcxValueDef::CompareValues(bool AIsNull1, bool AIsNull2, const void* AData1, const void* AData2) {
  if (AIsNull1 || AIsNull2) return AIsNull1 == AIsNull2 ? 0 : (AIsNull1 ? -1 : 1);
  return typeClass_->CompareData(AData1, AData2);
}

void TcxValueDef::FreeSlot(Byte* ABuffer) {
  if (slotSize_ == 0) return;
  if (ABuffer[offset_]) typeClass_->FreeValue(Data(ABuffer));
  if (textSlot_) TcxValueType::FreeText(TextRef(ABuffer));
}

void TcxValueDef::CalculateLayout(int& AOffset) {
  valueSize_ = typeClass_->GetValueSize();
  offset_ = AOffset;
  textSlot_ = KeepsText();
  if (IsStored()) {
    slotSize_ = 1 + valueSize_ + (textSlot_ ? static_cast<int>(sizeof(String*)) : 0);
    AOffset += slotSize_;
  } else {
    slotSize_ = 0;
  }
}

TObject* TcxInternalValueDef::GetLink() {
  auto* mirrored = static_cast<TcxValueDef*>(TcxValueDef::GetLink());
  return mirrored ? mirrored->Link() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// TcxValueDefs

TcxValueDefs::TcxValueDefs(TcxDataStorage* AStorage) : storage_(AStorage) { Prepare(1); }

TcxValueDefs::~TcxValueDefs() { Clear(); }

void TcxValueDefs::Changed(TcxValueDef* ADef, int AKind) { storage_->ValueDefChanged(ADef, AKind); }

TcxValueDef* TcxValueDefs::CreateValueDef(TcxValueTypeClass ATypeClass) {
  return new TcxValueDef(this, ATypeClass);
}

void TcxValueDefs::Prepare(int AStartOffset) {
  recordOffset_ = AStartOffset;
  int offset = AStartOffset;
  for (auto* def : items_) def->CalculateLayout(offset);
  recordSize_ = offset;
}

TcxValueDef* TcxValueDefs::Add(TcxValueTypeClass ATypeClass, bool AInRecord, TObject* ALink,
                               bool ATextStored) {
  TcxValueDef* def = CreateValueDef(ATypeClass);
  def->SetLink(ALink);
  def->inRecord_ = AInRecord;
  def->textStored_ = ATextStored;
  int offset = recordSize_;
  def->CalculateLayout(offset);
  storage_->InsertValueDef(Count(), def);
  items_.push_back(def);
  storage_->PrepareValueDefs(this);
  return def;
}

void TcxValueDefs::Clear() {
  while (!items_.empty()) delete items_.back();
}

int TcxValueDefs::IndexOf(TcxValueDef* ADef) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == ADef) return static_cast<int>(i);
  return -1;
}

int TcxValueDefs::StoredCount() const {
  int count = 0;
  for (auto* def : items_)
    if (def->IsStored()) ++count;
  return count;
}

void TcxValueDefs::Remove(TcxValueDef* ADef) {
  storage_->RemoveValueDef(ADef);
  int index = IndexOf(ADef);
  if (index >= 0) items_.erase(items_.begin() + index);
  ADef->owner_ = nullptr;
  storage_->PrepareValueDefs(this);
}

TcxValueDef* TcxInternalValueDefs::CreateValueDef(TcxValueTypeClass ATypeClass) {
  return new TcxInternalValueDef(this, ATypeClass);
}

TcxValueDef* TcxInternalValueDefs::FindByLink(TObject* ALink) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->TcxValueDef::GetLink() == ALink) return Items(i);
  return nullptr;
}

void TcxInternalValueDefs::RemoveByLink(TObject* ALink) { delete FindByLink(ALink); }

// ---------------------------------------------------------------------------------------------
// TcxDataStorage

TcxDataStorage::TcxDataStorage() {
  internalValueDefs_ = new TcxInternalValueDefs(this);
  valueDefs_ = new TcxValueDefs(this);
}

TcxDataStorage::~TcxDataStorage() {
  Clear();
  destroying_ = true;
  delete valueDefs_;
  valueDefs_ = nullptr;
  delete internalValueDefs_;
  internalValueDefs_ = nullptr;
}

void TcxDataStorage::SetStoredValuesOnly(bool AValue) {
  if (storedValuesOnly_ == AValue) return;
  ClearRecords(false);
  storedValuesOnly_ = AValue;
  PrepareValueDefs(valueDefs_);
}

void TcxDataStorage::ValueDefChanged(TcxValueDef* ADef, int AKind) {
  if (destroying_ || structureChanged_) return;
  ClearRecords(false);
  structureChanged_ = true;
  if (AKind == 1 && ADef->Owner() == valueDefs_)
    if (TcxValueDef* mirror = internalValueDefs_->FindByLink(ADef)) mirror->Assign(ADef);
}

Byte*& TcxDataStorage::BufferRef(int AIndex) {
  return AIndex < 0 ? internalRecords_[static_cast<size_t>(-AIndex - 1)]
                    : records_[static_cast<size_t>(AIndex)];
}

Byte* TcxDataStorage::AllocateBuffer(int AIndex) {
  CheckStructure();
  Byte*& buffer = BufferRef(AIndex);
  if (!buffer)
    buffer = static_cast<Byte*>(std::calloc(1, static_cast<size_t>(GetValueDefs(AIndex)->RecordSize())));
  return buffer;
}

void TcxDataStorage::FreeBuffer(Byte*& ABuffer, TcxValueDefs* ADefs) {
  if (!ABuffer) return;
  for (int i = 0; i < ADefs->Count(); ++i) ADefs->Items(i)->FreeSlot(ABuffer);
  std::free(ABuffer);
  ABuffer = nullptr;
}

void TcxDataStorage::SetRecordCount(int ACount) {
  if (ACount < 0) ACount = 0;
  while (RecordCount() > ACount) {
    FreeBuffer(records_.back(), valueDefs_);
    records_.pop_back();
  }
  records_.resize(static_cast<size_t>(ACount), nullptr);
}

int TcxDataStorage::AppendRecord() {
  records_.push_back(nullptr);
  return RecordCount() - 1;
}

void TcxDataStorage::InsertRecord(int AIndex) { records_.insert(records_.begin() + AIndex, nullptr); }

void TcxDataStorage::DeleteRecord(int AIndex) {
  if (AIndex < 0) {
    FreeBuffer(BufferRef(AIndex), internalValueDefs_);
    return;
  }
  FreeBuffer(records_[static_cast<size_t>(AIndex)], valueDefs_);
  records_.erase(records_.begin() + AIndex);
}

int TcxDataStorage::AddInternalRecord() {
  size_t i = 0;
  while (i < internalRecords_.size() && internalRecords_[i] && (internalRecords_[i][0] & kInUse)) ++i;
  if (i == internalRecords_.size()) internalRecords_.push_back(nullptr);
  int index = -static_cast<int>(i) - 1;
  FreeBuffer(internalRecords_[i], internalValueDefs_);
  AllocateBuffer(index)[0] |= kInUse;
  return index;
}

TcxValueDef* TcxDataStorage::ResolveValueDef(int AIndex, TcxValueDef* ADef) {
  if (AIndex < 0 && ADef->Owner() == valueDefs_) return internalValueDefs_->FindByLink(ADef);
  return ADef;
}

Variant TcxDataStorage::GetValue(int AIndex, TcxValueDef* ADef) {
  CheckStructure();
  const Byte* buffer = Buffer(AIndex);
  if (!buffer) return Null();
  TcxValueDef* def = ResolveValueDef(AIndex, ADef);
  return def ? def->GetValue(buffer) : Null();
}

void TcxDataStorage::SetValue(int AIndex, TcxValueDef* ADef, const Variant& AValue) {
  TcxValueDef* def = ResolveValueDef(AIndex, ADef);
  if (!def) return;
  Byte* buffer = AllocateBuffer(AIndex);
  if (def->SlotSize() > 0) def->SetValue(buffer, AValue);
}

String TcxDataStorage::GetDisplayText(int AIndex, TcxValueDef* ADef) {
  CheckStructure();
  const Byte* buffer = Buffer(AIndex);
  if (!buffer) return String();
  TcxValueDef* def = ResolveValueDef(AIndex, ADef);
  return def ? def->GetDisplayText(buffer) : String();
}

void TcxDataStorage::SetDisplayText(int AIndex, TcxValueDef* ADef, const String& AText) {
  TcxValueDef* def = ResolveValueDef(AIndex, ADef);
  if (!def) return;
  Byte* buffer = AllocateBuffer(AIndex);
  def->SetDisplayText(buffer, AText);
}

bool TcxDataStorage::GetValuePointer(int AIndex, TcxValueDef* ADef, const void*& P) {
  CheckStructure();
  P = nullptr;
  const Byte* buffer = Buffer(AIndex);
  TcxValueDef* def = buffer ? ResolveValueDef(AIndex, ADef) : nullptr;
  if (!def || def->IsNull(buffer)) return true;
  P = def->TypeClass()->ResolveDataPointer(def->Data(buffer));
  return false;
}

int TcxDataStorage::CompareRecords(int AIndex1, int AIndex2, TcxValueDef* ADef) {
  const Byte* b1 = Buffer(AIndex1);
  const Byte* b2 = Buffer(AIndex2);
  if (!b1 || !b2) return b1 == b2 ? 0 : (b1 ? 1 : -1);
  TcxValueDef* d1 = ResolveValueDef(AIndex1, ADef);
  TcxValueDef* d2 = ResolveValueDef(AIndex2, ADef);
  if (d1 == d2) return d1 ? d1->Compare(b1, b2) : 0;
  const void *p1 = nullptr, *p2 = nullptr;
  bool n1 = GetValuePointer(AIndex1, ADef, p1), n2 = GetValuePointer(AIndex2, ADef, p2);
  return ADef->CompareValues(n1, n2, p1, p2);
}

void TcxDataStorage::ReadRecord(int AIndex, TcxValueDefReader* AReader, bool ASkipMarked) {
  Byte* buffer = AllocateBuffer(AIndex);
  TcxValueDefs* defs = GetValueDefs(AIndex);
  for (int i = 0; i < defs->Count(); ++i) {
    TcxValueDef* def = defs->Items(i);
    if (def->SlotSize() == 0 || (ASkipMarked && AReader->IsValueSkipped(def))) continue;
    def->SetValue(buffer, AReader->GetValue(def));
    if (def->textSlot_) def->SetDisplayText(buffer, AReader->GetDisplayText(def));
  }
}

void TcxDataStorage::ForEachValueDef(int AIndex, void* AParam,
                                     void (*AProc)(TcxValueDef* ADef, void* AParam)) {
  TcxValueDefs* defs = GetValueDefs(AIndex);
  for (int i = 0; i < defs->Count(); ++i) AProc(defs->Items(i), AParam);
}

void TcxDataStorage::Clear() {
  ClearInternalRecords();
  ClearRecords(true);
}

void TcxDataStorage::ClearInternalRecords() {
  for (auto& buffer : internalRecords_) FreeBuffer(buffer, internalValueDefs_);
  internalRecords_.clear();
  if (OnClearInternalRecords) OnClearInternalRecords(this);
}

void TcxDataStorage::ClearRecords(bool ADeleteEntries) {
  for (auto& buffer : records_) FreeBuffer(buffer, valueDefs_);
  if (ADeleteEntries) records_.clear();
}

void TcxDataStorage::CheckStructure() {
  if (!structureChanged_) return;
  structureChanged_ = false;
  PrepareValueDefs(valueDefs_);
  ClearInternalRecords();
  PrepareValueDefs(internalValueDefs_);
}

void TcxDataStorage::InsertValueDef(int APosition, TcxValueDef* ADef) {
  RecordList* visited = &internalRecords_;
  if (ADef->Owner() == valueDefs_) {
    internalValueDefs_->Add(ADef->TypeClass(), true, ADef, ADef->KeepsText());
    visited = &records_;
  }
  int slot = ADef->SlotSize();
  if (slot == 0) return;
  TcxValueDefs* defs = ADef->Owner();
  int oldSize = defs->RecordSize();
  int at = APosition < defs->Count() ? defs->Items(APosition)->Offset() : oldSize;
  for (auto& buffer : *visited) {
    if (!buffer) continue;
    buffer = static_cast<Byte*>(std::realloc(buffer, static_cast<size_t>(oldSize + slot)));
    std::memmove(buffer + at + slot, buffer + at, static_cast<size_t>(oldSize - at));
    std::memset(buffer + at, 0, static_cast<size_t>(slot));
  }
}

void TcxDataStorage::RemoveValueDef(TcxValueDef* ADef) {
  RecordList* visited = &internalRecords_;
  TcxValueDefs* defs = ADef->Owner();
  if (defs == valueDefs_) {
    internalValueDefs_->RemoveByLink(ADef);
    visited = &records_;
  }
  if (defs->StoredCount() < 2) {
    for (auto& buffer : *visited) FreeBuffer(buffer, defs);
    return;
  }
  if (!ADef->IsStored()) return;
  int at = ADef->Offset(), slot = ADef->SlotSize(), size = defs->RecordSize();
  for (auto& buffer : *visited) {
    if (!buffer) continue;
    ADef->FreeSlot(buffer);
    std::memmove(buffer + at, buffer + at + slot, static_cast<size_t>(size - at - slot));
    buffer = static_cast<Byte*>(std::realloc(buffer, static_cast<size_t>(size - slot)));
  }
}

// ---------------------------------------------------------------------------------------------
// TcxLookupList

bool TcxLookupList::Find(const Variant& AKey, int& AIndex) const {
  int low = 0, high = Count() - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = cxVariantCompare(items_[static_cast<size_t>(mid)].Value, AKey);
    if (c == 0) {
      AIndex = mid;
      return true;
    }
    if (c < 0)
      low = mid + 1;
    else
      high = mid - 1;
  }
  AIndex = low;
  return false;
}

void TcxLookupList::Insert(int AIndex, const Variant& AKey, const String& ADisplayText) {
  items_.insert(items_.begin() + AIndex, TcxLookupListItem{AKey, ADisplayText});
}
