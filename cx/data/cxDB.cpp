#include "cx/data/cxDB.h"


#include "platform/data/FieldTypes.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBAdapterItem)
TRENVIK_IMPLEMENT_CLASS(TcxDBAdapterList)
TRENVIK_IMPLEMENT_CLASS(TcxDBFilterOperatorAdapter)
TRENVIK_IMPLEMENT_CLASS(TcxFilterSQLNullOperator)
TRENVIK_IMPLEMENT_CLASS(TcxFilterSQLNotNullOperator)

namespace {

std::unique_ptr<TcxDBAdapterList> filterOperatorAdapters;

bool IsIdentifier(const String& s) {
  if (s.empty()) return false;
  auto letter = [](Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; };
  if (!letter(s[0])) return false;
  for (Char c : s)
    if (!letter(c) && !(c >= u'0' && c <= u'9')) return false;
  return true;
}

// The next name of a ';' list from APos (1-based, as the framework counts), trimmed.
String ExtractFieldName(const String& ANames, size_t& APos) {
  size_t i = APos;
  while (i <= ANames.size() && ANames[i - 1] != u';') ++i;
  String name = Trim(ANames.substr(APos - 1, i - APos));
  APos = i <= ANames.size() ? i + 1 : i;
  return name;
}

bool IsRawType(TFieldType type) {
  switch (type) {
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftCursor:
    case ftADT:
    case ftArray:
    case ftReference:
    case ftDataSet:
      return true;
    default:
      return false;
  }
}

}  // namespace

void BracketFieldName(String& AName) {
  if (!IsIdentifier(AName)) AName = u"[" + AName + u"]";
}

String GetFilterFieldName(TField* AField) {
  if (!AField) return String();
  if (!AField->Origin().empty()) return AField->Origin();
  String name = AField->FieldName();
  BracketFieldName(name);
  return name;
}

bool IsSameText(const String& A, const String& B) { return AnsiUpperCase(A) == AnsiUpperCase(B); }

void GetFieldValues(TDataSet*, const std::vector<TField*>& AFields, Variant& AValue) {
  if (AFields.empty()) {
    AValue = Null();
  } else if (AFields.size() == 1) {
    AValue = AFields[0]->Value();
  } else {
    std::vector<Variant> values;
    for (TField* field : AFields) values.push_back(field->Value());
    AValue = VarArrayOf(values);
  }
}

void SetFieldValues(TDataSet*, const std::vector<TField*>& AFields, const Variant& AValue) {
  if (AFields.size() == 1) {
    AFields[0]->SetValue(AValue);
    return;
  }
  for (size_t i = 0; i < AFields.size(); ++i)
    AFields[i]->SetValue(VarArrayGet(AValue, {static_cast<int>(i)}));
}

bool HasMultipleFieldNames(const String& ANames) {
  size_t pos = 1;
  ExtractFieldName(ANames, pos);
  return pos <= ANames.size();
}

int GetFieldNameCount(const String& ANames) {
  int count = 0;
  for (size_t pos = 1; pos <= ANames.size(); ++count) ExtractFieldName(ANames, pos);
  return count;
}

void GetFieldNames(const String& ANames, TStrings* AList) {
  AList->Clear();
  for (size_t pos = 1; pos <= ANames.size();) AList->Add(ExtractFieldName(ANames, pos));
}

bool CanModifyField(TField* AField, bool AAnyType) {
  if (!AField->CanModify()) return false;
  if (AAnyType) return true;
  if (IsRawType(AField->DataType())) return static_cast<bool>(AField->OnSetText);
  return true;
}

bool NeedsFieldDisplayText(TField* AField, bool ADefault) {
  if (AField->OnGetText || !AField->EditMask().empty()) return true;
  if (IsRawType(AField->DataType()) || AField->DataType() == ftBoolean) return ADefault;
  if (auto* numeric = dynamic_cast<TNumericField*>(AField)) {
    if (!numeric->DisplayFormat().empty() || !numeric->EditFormat().empty()) return true;
    if (auto* floatField = dynamic_cast<TFloatField*>(AField)) return floatField->IsCurrency();
    if (auto* bcd = dynamic_cast<TBCDField*>(AField)) return bcd->IsCurrency();
    return false;
  }
  if (auto* dateTime = dynamic_cast<TDateTimeField*>(AField)) return !dateTime->DisplayFormat().empty();
  return false;
}

bool TcxDBAdapterList::FindAdapter(TClass ADataSetClass, int& AIndex) {
  AIndex = -1;
  for (int i = Count() - 1; i >= 0; --i) {
    TClass registered = Items(i)->DataSetClass();
    if (ADataSetClass->InheritsFrom(registered)) {
      AIndex = i;
      return true;
    }
    if (registered->InheritsFrom(ADataSetClass)) AIndex = i;
  }
  return false;
}

void TcxDBAdapterList::RegisterAdapter(TClass ADataSetClass, TClass AAdapterClass) {
  std::unique_ptr<TcxDBAdapterItem> item(static_cast<TcxDBAdapterItem*>(AAdapterClass->NewInstance()));
  item->SetDataSetClass(ADataSetClass);
  int index;
  if (FindAdapter(ADataSetClass, index))
    items_.insert(items_.begin() + index + 1, std::move(item));
  else if (index >= 0)
    items_.insert(items_.begin() + index, std::move(item));
  else
    items_.push_back(std::move(item));
}

void TcxDBAdapterList::UnregisterAdapter(TClass ADataSetClass, TClass AAdapterClass) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->DataSetClass() == ADataSetClass && Items(i)->ClassType() == AAdapterClass)
      items_.erase(items_.begin() + i);
}

void TcxDBFilterOperatorAdapter::PrepareOperatorClass(TcxFilterCriteriaItem*, TDataSet* ADataSet,
                                                      TClass& AOperatorClass) {
  if (!ADataSet || !AOperatorClass->InheritsFrom(TcxFilterNullOperator::StaticClass())) return;
  if (Pos(u"QUERY", AnsiUpperCase(ADataSet->ClassName())) == 0) return;
  AOperatorClass = AOperatorClass->InheritsFrom(TcxFilterNotNullOperator::StaticClass())
                       ? TcxFilterSQLNotNullOperator::StaticClass()
                       : TcxFilterSQLNullOperator::StaticClass();
}

TcxDBAdapterList* cxFilterOperatorAdapters() { return filterOperatorAdapters.get(); }

void cxCreateFilterOperatorAdapters() {
  filterOperatorAdapters = std::make_unique<TcxDBAdapterList>();
  filterOperatorAdapters->RegisterAdapter(TDataSet::StaticClass(), TcxDBFilterOperatorAdapter::StaticClass());
}

void cxFreeFilterOperatorAdapters() { filterOperatorAdapters.reset(); }

TcxDBFilterOperatorAdapter* GetFilterOperatorAdapter(TDataSet* ADataSet) {
  if (!ADataSet || !filterOperatorAdapters) return nullptr;
  int index;
  if (!filterOperatorAdapters->FindAdapter(ADataSet->ClassType(), index)) return nullptr;
  return dynamic_cast<TcxDBFilterOperatorAdapter*>(filterOperatorAdapters->Items(index));
}

