// The button row kind: a text with up to eight buttons of its own, each click reported with the
// button's index; the row's button collection repaints the row on any change of a button.
#pragma once

#include <functional>
#include <memory>

#include "dx/editors/dxButtonEdit.h"
#include "dx/inspector/dxInspRwDropDown.h"

class TdxInspectorButtonEdit : public TdxInplaceButtonEdit {
  TRENVIK_CLASS(TdxInspectorButtonEdit, TdxInplaceButtonEdit);

 public:
  explicit TdxInspectorButtonEdit(TComponent* AOwner) : TdxInplaceButtonEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

TRENVIK_ENUM(TdxEditButtonStyle, ebsSimple, ebsEllipsis, ebsDown, ebsGlyph);

// The buttons of a button row.
class TdxRowEditButtons : public TdxEditButtons {
  TRENVIK_CLASS(TdxRowEditButtons, TdxEditButtons);

 public:
  using TdxEditButtons::TdxEditButtons;

 protected:
  void Update(TCollectionItem* Item) override;
};

class TdxInspectorButtonRow : public TdxInspectorDropDownRow {
  TRENVIK_CLASS(TdxInspectorButtonRow, TdxInspectorDropDownRow);

 public:
  explicit TdxInspectorButtonRow(TComponent* AOwner);
  ~TdxInspectorButtonRow() override;

  bool ButtonOnly() const { return buttonOnly_; }
  void SetButtonOnly(bool Value);
  TdxEditButtons* Buttons() const { return buttons_.get(); }
  void SetButtons(TdxEditButtons* Value) { buttons_->Assign(Value); }
  TdxEditButtonStyle EditButtonStyle() const { return editButtonStyle_; }
  // ebsSimple empties Buttons; any other style gives the first button (added when there is none)
  // the matching kind.
  void SetEditButtonStyle(TdxEditButtonStyle Value);
  TShortCut ClickKey() const { return clickKey_; }
  void SetClickKey(TShortCut Value) { clickKey_ = Value; }
  TBitmap* Glyph() const { return glyph_.get(); }
  // Also the first button's glyph.
  void SetGlyph(TBitmap* Value);
  bool HideEditCursor() const { return hideEditCursor_; }
  void SetHideEditCursor(bool Value);
  TdxEditButtonClickEvent OnButtonClick;

  virtual void DoButtonClick(int AbsoluteIndex) {
    if (OnButtonClick) OnButtonClick(this, AbsoluteIndex);
  }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorButtonEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  friend class TdxRowEditButtons;
  bool buttonOnly_ = false;
  std::unique_ptr<TdxRowEditButtons> buttons_;
  TdxEditButtonStyle editButtonStyle_ = ebsEllipsis;
  TShortCut clickKey_ = scCtrl | VK_RETURN;
  std::unique_ptr<TBitmap> glyph_;
  bool hideEditCursor_ = false;
};

class TdxInspectorTextButtonRow : public TdxTextValueRow<TdxInspectorButtonRow> {
  TRENVIK_CLASS(TdxInspectorTextButtonRow, TdxTextValueRow<TdxInspectorButtonRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
