#include "dx/inspector/dxDBInspRw.h"

#include <cmath>

#include "dx/inspector/dxDBInspRwBlob.h"
#include "dx/inspector/dxDBInspRwLookup.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/FormatSettings.h"

TRENVIK_PUBLISHED(TdxInspectorDBMaskRow) {
  P.Property("FieldName", &TdxInspectorDBMaskRow::GetFieldName, &TdxInspectorDBMaskRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBMemoRow) {
  P.Property("FieldName", &TdxInspectorDBMemoRow::GetFieldName, &TdxInspectorDBMemoRow::SetFieldName);
}

TRENVIK_PUBLISHED(TdxInspectorDBDateRow) {
  P.Property("FieldName", &TdxInspectorDBDateRow::GetFieldName, &TdxInspectorDBDateRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBTimeRow) {
  P.Property("FieldName", &TdxInspectorDBTimeRow::GetFieldName, &TdxInspectorDBTimeRow::SetFieldName);
}

TRENVIK_PUBLISHED(TdxInspectorDBCheckRow) {
  P.Property("FieldName", &TdxInspectorDBCheckRow::GetFieldName, &TdxInspectorDBCheckRow::SetFieldName);
}

TRENVIK_PUBLISHED(TdxInspectorDBSpinRow) {
  P.Property("FieldName", &TdxInspectorDBSpinRow::GetFieldName, &TdxInspectorDBSpinRow::SetFieldName);
}

TRENVIK_PUBLISHED(TdxInspectorDBCalcRow) {
  P.Property("FieldName", &TdxInspectorDBCalcRow::GetFieldName, &TdxInspectorDBCalcRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBButtonRow) {
  P.Property("FieldName", &TdxInspectorDBButtonRow::GetFieldName, &TdxInspectorDBButtonRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBPickRow) {
  P.Property("FieldName", &TdxInspectorDBPickRow::GetFieldName, &TdxInspectorDBPickRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBImageRow) {
  P.Property("FieldName", &TdxInspectorDBImageRow::GetFieldName, &TdxInspectorDBImageRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBHyperLinkRow) {
  P.Property("FieldName", &TdxInspectorDBHyperLinkRow::GetFieldName,
             &TdxInspectorDBHyperLinkRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBPopupRow) {
  P.Property("FieldName", &TdxInspectorDBPopupRow::GetFieldName, &TdxInspectorDBPopupRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBMRURow) {
  P.Property("FieldName", &TdxInspectorDBMRURow::GetFieldName, &TdxInspectorDBMRURow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBCurrencyRow) {
  using R = TdxInspectorDBCurrencyRow;
  P.Property("FieldName", &R::GetFieldName, &R::SetFieldName);
  P.Property("Nullable", &R::Nullable, &R::SetNullable).Default(false);
  P.Property("NullString", &R::NullString, &R::SetNullString);
}

TdxValueType TdxInspectorDBSpinRow::GetValueType() {
  return dynamic_cast<TFloatField*>(Field()) || dynamic_cast<TBCDField*>(Field()) ? vtFloat : vtInt;
}

bool TdxInspectorDBCurrencyRow::IsValidChar(Char Key) {
  return inherited::IsValidChar(Key) || (IsLinkActive() && Key == FormatSettings().ThousandSeparator);
}

namespace {

// The time of day of a day number; a hair below a whole day counts as that day.
double TimeOfDay(double Value) {
  const double days = std::trunc(Value + (Value < 0 ? -1e-11 : 1e-11));
  const double time = std::fabs(Value - days);
  return time < 1e-11 ? 0 : time;
}

bool IsFloatOrDate(const Variant& Value) {
  const TVarType t = VarType(Value);
  return t == varDate || t == varDouble || t == varSingle || t == varCurrency;
}

}  // namespace

// --- Date ---

void TdxInspectorDBDateRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor);
  if (!date || !Field()) {
    inherited::SaveEditValue(Editor, Value);
    return;
  }
  if (date->GetDate() == dxNullDate)
    Field()->Clear();
  else
    Field()->SetAsFloat(date->GetDate());
  Value = Field()->Value();
}

void TdxInspectorDBDateRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor);
  if (!date || !Field()) {
    inherited::InitEditValue(Editor, Value);
    return;
  }
  date->SetDate(Field()->IsNull() ? dxNullDate : Field()->AsFloat());
  Value = date->GetDate() == dxNullDate ? Null() : VarFromDateTime(date->GetDate());
}

bool TdxInspectorDBDateRow::IsValueEqual(const Variant& Value) {
  if (!IsFloatOrDate(Value)) return false;
  if (!Field()) return inherited::IsValueEqual(Value);
  const double v = Value.AsDouble();
  return Field()->IsNull() ? v == dxNullDate : v == Field()->AsFloat();
}

// --- Time ---

String TdxInspectorDBTimeRow::GetEditText() {
  if (!IsLinkActive()) return String();
  try {
    return FormatDateTime(u"hh:nn:ss", Field()->AsFloat());
  } catch (const Exception&) {
    return String();  // a value no clock can show
  }
}

void TdxInspectorDBTimeRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  if (time && Field()) {
    const double current = Field()->IsNull() ? 0 : Field()->AsFloat();
    const double days = std::trunc(current + (current < 0 ? -1e-11 : 1e-11));
    Field()->SetAsFloat(days + time->GetTime());
  } else {
    inherited::SaveEditValue(Editor, Value);
  }
  if (Field()) Value = Field()->Value();
}

void TdxInspectorDBTimeRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  if (!time || !Field()) {
    inherited::InitEditValue(Editor, Value);
    return;
  }
  time->SetTime(Field()->IsNull() ? 0 : TimeOfDay(Field()->AsFloat()));
  Value = Variant(static_cast<double>(time->GetTime()));
}

bool TdxInspectorDBTimeRow::IsValueEqual(const Variant& Value) {
  if (!Field()) return inherited::IsValueEqual(Value);
  if (!IsFloatOrDate(Value)) return false;
  const double field = Field()->IsNull() ? 0 : TimeOfDay(Field()->AsFloat());
  return std::fabs(field - Value.AsDouble()) < 0.5 / 86400000.0;  // within half a millisecond
}

namespace {

TClass DefaultRowClassForType(TFieldType Type) {
  switch (Type) {
    case ftUnknown:
    case ftString:
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftFloat:
    case ftAutoInc:
      return TdxInspectorDBMaskRow::StaticClass();
    case ftBoolean:
      return TdxInspectorDBCheckRow::StaticClass();
    case ftCurrency:
    case ftBCD:
      return TdxInspectorDBCurrencyRow::StaticClass();
    case ftDate:
    case ftDateTime:
      return TdxInspectorDBDateRow::StaticClass();
    case ftTime:
      return TdxInspectorDBTimeRow::StaticClass();
    case ftMemo:
      return TdxInspectorDBMemoRow::StaticClass();
    case ftGraphic:
      return TdxInspectorDBGraphicRow::StaticClass();
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
      return TdxInspectorBlobRow::StaticClass();
    default:
      return nullptr;
  }
}

}  // namespace

void RegisterDefaultDBRowKinds() {
  RegisterDBRowClasses([](TFieldType Type, TFieldKind Kind, TdxDBRowClassEntry& Candidate) {
    TClass rowClass = nullptr;
    if (Kind == fkData)
      rowClass = DefaultRowClassForType(Type);
    else if (Kind == fkLookup)
      rowClass = TdxInspectorLookupRow::StaticClass();
    if (rowClass) Candidate = TdxDBRowClassEntry{rowClass, 1};
  });
}
