// Data-bound BLOB and graphic rows: memo text and pictures exchanged with a blob field.
#pragma once

#include "dx/inspector/dxDBInsp.h"
#include "dx/inspector/dxInspRwBlob.h"
#include "dx/inspector/dxInspRwGraphic.h"

// Null (or no graphic) clears the field, a text or the bytes of a string are stored as they are,
// and a graphic is stored as its stream.
void SetBlobFieldValue(TField* Field, const Variant& Value);

class TdxInspectorBlobRow : public TdxFieldBoundRow<TdxInspectorCustomBlobRow> {
  TRENVIK_CLASS(TdxInspectorBlobRow, TdxFieldBoundRow<TdxInspectorCustomBlobRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  void GetBlobValue(Variant& Value) override;
  TdxBlobEditKind GetBlobEditKind() override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;

 protected:
  bool AllowsBlobs() override { return true; }
};

class TdxInspectorDBGraphicRow : public TdxFieldBoundRow<TdxInspectorGraphicRow> {
  TRENVIK_CLASS(TdxInspectorDBGraphicRow, TdxFieldBoundRow<TdxInspectorGraphicRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  void GetGraphicValue(Variant& Value) override { Value = Field() ? Field()->Value() : Variant(String()); }
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;

 protected:
  bool AllowsBlobs() override { return true; }
};
