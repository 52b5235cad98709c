// The most-recently-used row kind: a pick row whose list keeps the texts last entered on top, and
// which keeps the editor's list as its own.
#pragma once

#include "dx/editors/dxMRUEdit.h"
#include "dx/inspector/dxInspRwPick.h"

class TdxInspectorMRUEdit : public TdxInplaceMRUEdit {
  TRENVIK_CLASS(TdxInspectorMRUEdit, TdxInplaceMRUEdit);

 public:
  explicit TdxInspectorMRUEdit(TComponent* AOwner) : TdxInplaceMRUEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorMRURow : public TdxInspectorPickRow {
  TRENVIK_CLASS(TdxInspectorMRURow, TdxInspectorPickRow);

 public:
  explicit TdxInspectorMRURow(TComponent* AOwner);
  int MaxItemCount() const { return maxItemCount_; }
  void SetMaxItemCount(int Value) { maxItemCount_ = Value; }
  bool ShowEllipsis() const { return showEllipsis_; }
  void SetShowEllipsis(bool Value);
  TNotifyEvent OnButtonClick;

  virtual void DoButtonClick() {
    if (OnButtonClick) OnButtonClick(this);
  }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorMRUEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 protected:
  bool DefaultImmediateDropDown() const override { return false; }

 private:
  int maxItemCount_ = 7;
  bool showEllipsis_ = true;
};

class TdxInspectorTextMRURow : public TdxTextValueRow<TdxInspectorMRURow> {
  TRENVIK_CLASS(TdxInspectorTextMRURow, TdxTextValueRow<TdxInspectorMRURow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
