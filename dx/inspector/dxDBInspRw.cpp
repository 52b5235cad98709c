#include "dx/inspector/dxDBInspRw.h"

TRENVIK_PUBLISHED(TdxInspectorDBMaskRow) {
  P.Property("FieldName", &TdxInspectorDBMaskRow::GetFieldName, &TdxInspectorDBMaskRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxInspectorDBMemoRow) {
  P.Property("FieldName", &TdxInspectorDBMemoRow::GetFieldName, &TdxInspectorDBMemoRow::SetFieldName);
}

void RegisterDefaultDBRowKinds() {
  RegisterDBRowClasses([](TFieldType Type, TFieldKind Kind, TdxDBRowClassEntry& Candidate) {
    if (Kind != fkData) return;
    switch (Type) {
      case ftUnknown:
      case ftString:
      case ftSmallint:
      case ftInteger:
      case ftWord:
      case ftFloat:
      case ftAutoInc: Candidate = TdxDBRowClassEntry{TdxInspectorDBMaskRow::StaticClass(), 1}; break;
      case ftMemo: Candidate = TdxDBRowClassEntry{TdxInspectorDBMemoRow::StaticClass(), 1}; break;
      default: break;
    }
  });
}
