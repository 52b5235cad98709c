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
  bool DropDownListStyle = false;
  bool CanDeleteText = false;
  bool Revertable = true;
  bool Sorted = false;
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
  std::unique_ptr<TStringList> items_;
};

class TdxInspectorTextPickRow : public TdxTextValueRow<TdxInspectorPickRow> {
  TRENVIK_CLASS(TdxInspectorTextPickRow, TdxTextValueRow<TdxInspectorPickRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
