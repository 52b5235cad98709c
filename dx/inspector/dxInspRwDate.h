// The date and time row kinds, their editor classes and text variants.
#pragma once

#include "dx/editors/dxDateEdit.h"
#include "dx/editors/dxTimeEdit.h"
#include "dx/inspector/dxInspRwDropDown.h"

class TdxInspectorDateEdit : public TdxInplaceDateEdit {
  TRENVIK_CLASS(TdxInspectorDateEdit, TdxInplaceDateEdit);

 public:
  explicit TdxInspectorDateEdit(TComponent* AOwner) : TdxInplaceDateEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorTimeEdit : public TdxInplaceTimeEdit {
  TRENVIK_CLASS(TdxInspectorTimeEdit, TdxInplaceTimeEdit);

 public:
  explicit TdxInspectorTimeEdit(TComponent* AOwner) : TdxInplaceTimeEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorDateRow : public TdxInspectorDropDownRow {
  TRENVIK_CLASS(TdxInspectorDateRow, TdxInspectorDropDownRow);

 public:
  using TdxInspectorDropDownRow::TdxInspectorDropDownRow;
  TDateButtons DateButtons{btnToday, btnClear};
  TDateOnError DateOnError = deToday;
  bool DateValidation = false;
  bool SaveTime = true;
  bool UseEditMask = false;

  // A required date offers no Clear button.
  virtual bool IsDateRequired() { return false; }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorDateEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
};

class TdxInspectorTimeRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorTimeRow, TdxInspectorRow);

 public:
  using TdxInspectorRow::TdxInspectorRow;
  TdxTimeEditFormat TimeEditFormat = tfHourMinSec;
  bool UseCtrlIncrement = true;

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorTimeEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  // A time of exactly 00:00:00 is stored as an empty text.
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
};

class TdxInspectorTextDateRow : public TdxTextValueRow<TdxInspectorDateRow> {
  TRENVIK_CLASS(TdxInspectorTextDateRow, TdxTextValueRow<TdxInspectorDateRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};

class TdxInspectorTextTimeRow : public TdxTextValueRow<TdxInspectorTimeRow> {
  TRENVIK_CLASS(TdxInspectorTextTimeRow, TdxTextValueRow<TdxInspectorTimeRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
