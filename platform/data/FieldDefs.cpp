#include "platform/data/FieldDefs.h"

#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TFieldDef)
TRENVIK_IMPLEMENT_CLASS(TFieldDefs)
TRENVIK_IMPLEMENT_CLASS(TIndexDef)
TRENVIK_IMPLEMENT_CLASS(TIndexDefs)

std::vector<String> SplitFieldNames(const String& FieldNames) {
  std::vector<String> names;
  std::size_t start = 0;
  while (start <= FieldNames.size()) {
    std::size_t end = FieldNames.find(u';', start);
    if (end == String::npos) end = FieldNames.size();
    String part = Trim(FieldNames.substr(start, end - start));
    if (!part.empty()) names.push_back(std::move(part));
    start = end + 1;
  }
  return names;
}

TFieldDef::TFieldDef(TCollection* Collection) : TCollectionItem(Collection) {}

TField* TFieldDef::CreateField(TComponent* Owner, TDataSet* DataSet) {
  TClass cls = DefaultFieldClass(dataType_);
  if (!cls)
    DatabaseErrorFmt("Cannot create field '%s' of type %s", {name_, FieldTypeName(dataType_)}, DataSet);
  auto* field = static_cast<TField*>(cls->NewInstance(Owner));
  try {
    field->SetFieldName(name_);
    if (dataType_ == ftBlob || dataType_ == ftGraphic || dataType_ == ftMemo || dataType_ == ftFmtMemo ||
        dataType_ == ftParadoxOle || dataType_ == ftDBaseOle || dataType_ == ftTypedBinary ||
        dataType_ == ftOraBlob || dataType_ == ftOraClob)
      static_cast<TBlobField*>(field)->SetBlobType(dataType_);
    if (dataType_ == ftFixedChar) static_cast<TStringField*>(field)->SetFixedChar(true);
    field->SetSize(size_);
    field->SetRequired(required_);
    if (readOnly_) field->SetReadOnly(true);
    if (auto* bcd = dynamic_cast<TBCDField*>(field)) bcd->SetPrecision(precision_);
    field->SetDataSet(DataSet);
  } catch (...) {
    delete field;
    throw;
  }
  return field;
}

void TFieldDef::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TFieldDef*>(Source)) {
    name_ = src->name_;
    dataType_ = src->dataType_;
    size_ = src->size_;
    precision_ = src->precision_;
    required_ = src->required_;
    readOnly_ = src->readOnly_;
    return;
  }
  TCollectionItem::Assign(Source);
}

TFieldDefs::TFieldDefs(TPersistent* Owner) : TOwnedCollection(Owner, TFieldDef::StaticClass()) {}

TFieldDef* TFieldDefs::Add(const String& Name, TFieldType DataType, int Size, bool Required) {
  if (Name.empty()) DatabaseError(S(DBConsts::SFieldNameMissing));
  if (IndexOf(Name) >= 0) DatabaseErrorFmt(DBConsts::SDuplicateFieldName, {Name});
  TFieldDef* def = AddFieldDef();
  def->SetName(Name);
  def->SetDataType(DataType);
  def->SetSize(Size);
  def->SetRequired(Required);
  return def;
}

int TFieldDefs::IndexOf(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(Items(i)->Name(), Name)) return i;
  return -1;
}

TFieldDef* TFieldDefs::FindDef(const String& Name) const {
  int i = IndexOf(Name);
  return i < 0 ? nullptr : Items(i);
}

TFieldDef* TFieldDefs::Find(const String& Name) const {
  TFieldDef* def = FindDef(Name);
  if (!def) DatabaseErrorFmt(DBConsts::SFieldNotFound, {Name});
  return def;
}

void TFieldDefs::Update() {
  if (auto* ds = dynamic_cast<TDataSet*>(const_cast<TFieldDefs*>(this)->GetOwner()))
    if (!ds->Active()) ds->InternalInitFieldDefs();
}

TIndexDef::TIndexDef(TCollection* Collection) : TCollectionItem(Collection) {}

void TIndexDef::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TIndexDef*>(Source)) {
    name_ = src->name_;
    fields_ = src->fields_;
    descFields_ = src->descFields_;
    caseInsFields_ = src->caseInsFields_;
    options_ = src->options_;
    return;
  }
  TCollectionItem::Assign(Source);
}

TIndexDefs::TIndexDefs(TPersistent* Owner) : TOwnedCollection(Owner, TIndexDef::StaticClass()) {}

TIndexDef* TIndexDefs::Add(const String& Name, const String& Fields, TIndexOptions Options) {
  TIndexDef* def = AddIndexDef();
  def->SetName(Name);
  def->SetFields(Fields);
  def->SetOptions(Options);
  return def;
}

int TIndexDefs::IndexOf(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(Items(i)->Name(), Name)) return i;
  return -1;
}

TIndexDef* TIndexDefs::FindIndexDef(const String& Name) const {
  int i = IndexOf(Name);
  return i < 0 ? nullptr : Items(i);
}

TIndexDef* TIndexDefs::Find(const String& Name) const {
  TIndexDef* def = FindIndexDef(Name);
  if (!def) DatabaseErrorFmt(DBConsts::SIndexNotFound, {Name});
  return def;
}
