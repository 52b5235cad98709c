// The lookup row: shows the looked-up text of a lookup field and lets the user choose another
// record of the lookup dataset, whose key the editor writes into the edited record.
#pragma once

#include "dx/editors/dxLookupEdit.h"
#include "dx/inspector/dxDBInsp.h"
#include "dx/inspector/dxInspRwDropDown.h"
#include "dx/inspector/dxInspRwPick.h"

class TdxInspectorLookupEdit : public TdxInplaceLookupEdit {
  TRENVIK_CLASS(TdxInspectorLookupEdit, TdxInplaceLookupEdit);

 public:
  explicit TdxInspectorLookupEdit(TComponent* AOwner) : TdxInplaceLookupEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorLookupRow : public TdxFieldBoundRow<TdxInspectorDropDownRow> {
  TRENVIK_CLASS(TdxInspectorLookupRow, TdxFieldBoundRow<TdxInspectorDropDownRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  TShortCut ClearKey() const { return clearKey_; }
  void SetClearKey(TShortCut Value) { clearKey_ = Value; }
  // Kept and streamed only.
  int ListFieldIndex() const { return listFieldIndex_; }
  void SetListFieldIndex(int Value) { listFieldIndex_ = Value; }
  // The lookup dataset's field the list shows; empty for the lookup field's result field.
  const String& ListFieldName() const { return listFieldName_; }
  void SetListFieldName(const String& Value) { listFieldName_ = Value; }
  bool CanDeleteText() const { return canDeleteText_; }
  void SetCanDeleteText(bool Value) { canDeleteText_ = Value; }
  int ListWidth() const { return DropDownWidth(); }
  void SetListWidth(int Value) { SetDropDownWidth(Value); }
  TdxInspectorPickColumnCloseUp OnCloseUp;

  virtual void DoLookupCloseUp(Variant& Value, bool& Accept) {
    if (OnCloseUp) OnCloseUp(this, Value, Accept);
  }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorLookupEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  // The editor has written the chosen key already: the looked-up text is not written back.
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  TShortCut clearKey_ = 0;
  int listFieldIndex_ = 0;
  String listFieldName_;
  bool canDeleteText_ = false;
};
