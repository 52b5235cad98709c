// The pick row kind: a text chosen from (or completed with) a list of fixed strings.
#pragma once

#include <memory>

#include "dx/editors/dxPickEdit.h"
#include "dx/inspector/dxInspRwDropDown.h"

class TdxInspectorPickEdit : public TdxInplacePickEdit {
  TRENVIK_CLASS(TdxInspectorPickEdit, TdxInplacePickEdit);

 public:
  explicit TdxInspectorPickEdit(TComponent* AOwner) : TdxInplacePickEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

using TdxInspectorPickColumnCloseUp = std::function<void(TObject* Sender, Variant& Value, bool& Accept)>;

class TdxInspectorPickRow : public TdxInspectorDropDownRow {
  TRENVIK_CLASS(TdxInspectorPickRow, TdxInspectorDropDownRow);

 public:
  explicit TdxInspectorPickRow(TComponent* AOwner);
  ~TdxInspectorPickRow() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* Value);
  bool DropDownListStyle() const { return dropDownListStyle_; }
  void SetDropDownListStyle(bool Value) { dropDownListStyle_ = Value; }
  bool CanDeleteText() const { return canDeleteText_; }
  void SetCanDeleteText(bool Value) { canDeleteText_ = Value; }
  bool Revertable() const { return revertable_; }
  void SetRevertable(bool Value) { revertable_ = Value; }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value) { sorted_ = Value; }
  TdxInspectorPickColumnCloseUp OnCloseUp;

  // The chosen text goes through OnCloseUp as a variant, which may replace it.
  void DoCloseUp(String& Text, bool& Accept) override;
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorPickEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 protected:
  // The kind's own default of ImmediateDropDown.
  virtual bool DefaultImmediateDropDown() const { return true; }

 private:
  bool dropDownListStyle_ = false;
  bool canDeleteText_ = false;
  bool revertable_ = true;
  bool sorted_ = false;
  std::unique_ptr<TStringList> items_;
};

class TdxInspectorTextPickRow : public TdxTextValueRow<TdxInspectorPickRow> {
  TRENVIK_CLASS(TdxInspectorTextPickRow, TdxTextValueRow<TdxInspectorPickRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
