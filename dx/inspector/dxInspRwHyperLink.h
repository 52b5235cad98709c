// The hyperlink row kind: a text shown and edited as a link that the editor starts.
#pragma once

#include <memory>

#include "dx/editors/dxHyperLinkEdit.h"
#include "dx/inspector/dxInspRw.h"

class TdxInspectorHyperLinkEdit : public TdxInplaceHyperLinkEdit {
  TRENVIK_CLASS(TdxInspectorHyperLinkEdit, TdxInplaceHyperLinkEdit);

 public:
  explicit TdxInspectorHyperLinkEdit(TComponent* AOwner)
      : TdxInplaceHyperLinkEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorHyperLinkRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorHyperLinkRow, TdxInspectorRow);

 public:
  explicit TdxInspectorHyperLinkRow(TComponent* AOwner);
  ~TdxInspectorHyperLinkRow() override;

  TColor EditBackgroundColor() const { return editBackgroundColor_; }
  void SetEditBackgroundColor(TColor Value);
  TColor EditFontColor() const { return editFontColor_; }
  void SetEditFontColor(TColor Value);
  bool SingleClick() const { return singleClick_; }
  void SetSingleClick(bool Value);
  TShortCut StartKey() const { return startKey_; }
  void SetStartKey(TShortCut Value) { startKey_ = Value; }
  // The font the value is painted in: the framework's default font, underlined.
  TFont* LinkFont() const { return linkFont_.get(); }
  TNotifyEvent OnStartClick;

  virtual void DoStartClick() {
    if (OnStartClick) OnStartClick(this);
  }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorHyperLinkEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  void UpdateLinkFont();

  TColor editBackgroundColor_ = clWhite;
  TColor editFontColor_ = clBlue;
  std::unique_ptr<TFont> linkFont_;
  bool singleClick_ = false;
  TShortCut startKey_ = scCtrl | VK_RETURN;
};

class TdxInspectorTextHyperLinkRow : public TdxTextValueRow<TdxInspectorHyperLinkRow> {
  TRENVIK_CLASS(TdxInspectorTextHyperLinkRow, TdxTextValueRow<TdxInspectorHyperLinkRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
