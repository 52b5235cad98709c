#include "dx/inspector/dxDBInspRwBlob.h"

#include "platform/data/FieldTypes.h"
#include "platform/forms/Graphic.h"
#include "platform/rtl/Streams.h"

TRENVIK_PUBLISHED(TdxInspectorBlobRow) {
  P.Property("FieldName", &TdxInspectorBlobRow::GetFieldName, &TdxInspectorBlobRow::SetFieldName);
  P.Property("BlobKind", &TdxInspectorBlobRow::BlobKind, &TdxInspectorBlobRow::SetBlobKind).Default(bkAuto);
}
TRENVIK_PUBLISHED(TdxInspectorDBGraphicRow) {
  P.Property("FieldName", &TdxInspectorDBGraphicRow::GetFieldName, &TdxInspectorDBGraphicRow::SetFieldName);
}

void SetBlobFieldValue(TField* Field, const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value)) {
    Field->Clear();
    return;
  }
  if (VarIsStr(Value)) {
    auto* blob = dynamic_cast<TBlobField*>(Field);
    if (blob && Value.Type() == varString)
      blob->SetAsBytes(Value.AsAnsiString());
    else
      Field->SetAsString(Value.AsString());
    return;
  }
  auto* graphic = VarIsObject(Value) ? dynamic_cast<TGraphic*>(Value.AsObject()) : nullptr;
  auto* blob = dynamic_cast<TBlobField*>(Field);
  if (!graphic || graphic->Empty() || !blob) {
    Field->Clear();  // no picture
    return;
  }
  TMemoryStream stream;
  graphic->SaveToStream(&stream);
  blob->LoadFromStream(&stream);
}

void TdxInspectorBlobRow::GetBlobValue(Variant& Value) {
  Value = Field() ? Field()->Value() : Variant(String());
}

TdxBlobEditKind TdxInspectorBlobRow::GetBlobEditKind() {
  return Field() ? BlobEditKindForField(BlobKind(), Field()) : BlobEditKind();
}

void TdxInspectorBlobRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* blob = dynamic_cast<TdxInplaceBlobEdit*>(Editor);
  if (!blob || !Field()) {
    inherited::SaveEditValue(Editor, Value);
    return;
  }
  Variant editing;
  blob->GetEditingValue(editing);
  SetBlobFieldValue(Field(), editing);
  Value = Field()->Value();
}

void TdxInspectorBlobRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* blob = dynamic_cast<TdxInplaceBlobEdit*>(Editor);
  if (!blob || !Field()) {
    inherited::InitEditValue(Editor, Value);
    return;
  }
  // Pictures and other bytes keep their bytes; only memo text goes through the code page.
  const bool text = GetBlobEditKind() == bekMemo;
  blob->SetBlobValue(text ? Variant(Field()->AsString()) : Field()->Value());
  Value = blob->Text();
}

void TdxInspectorDBGraphicRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* graphic = dynamic_cast<TdxInplaceGraphicEdit*>(Editor);
  if (!graphic || !Field()) {
    inherited::SaveEditValue(Editor, Value);
  } else {
    Variant editing;
    graphic->GetEditingValue(editing);
    SetBlobFieldValue(Field(), editing);
  }
  if (Field()) Value = Field()->Value();
}
