// The common base of the drop-down row kinds: the drop-down settings every drop-down editor gets,
// the button glyph, and the close-up and edit-button dispatchers.
#pragma once

#include <memory>

#include "dx/editors/dxDropDownEdit.h"
#include "dx/inspector/dxInspRw.h"

class TdxInspectorDropDownRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorDropDownRow, TdxInspectorRow);

 public:
  using TdxInspectorRow::TdxInspectorRow;
  ~TdxInspectorDropDownRow() override;

  // Made on first read.
  TBitmap* ButtonGlyph();
  // None or an empty bitmap frees the glyph; otherwise the picture is copied.
  void SetButtonGlyph(TBitmap* Value);
  bool HasButtonGlyph() const;
  int DropDownRows() const { return dropDownRows_; }
  void SetDropDownRows(int Value) { dropDownRows_ = Value; }
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int Value) { dropDownWidth_ = Value; }
  bool ImmediateDropDown() const { return immediateDropDown_; }
  void SetImmediateDropDown(bool Value) { immediateDropDown_ = Value; }
  bool ImmediatePopup() const { return immediatePopup_; }
  void SetImmediatePopup(bool Value) { immediatePopup_ = Value; }
  TAlignment PopupAlignment() const { return popupAlignment_; }
  void SetPopupAlignment(TAlignment Value) { popupAlignment_ = Value; }
  TdxPopupBorder PopupBorder() const { return popupBorder_; }
  void SetPopupBorder(TdxPopupBorder Value) { popupBorder_ = Value; }
  TNotifyEvent OnEditButtonClick;

  // The editor's close-up, with the chosen value as text.
  virtual void DoCloseUp(String&, bool&) {}
  virtual void DoEditButtonClick() {
    if (OnEditButtonClick) OnEditButtonClick(this);
  }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  // Without an editor the cell shows its text (and glyph) but no buttons.
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  std::unique_ptr<TBitmap> buttonGlyph_;
  int dropDownRows_ = 7;
  int dropDownWidth_ = 0;
  bool immediateDropDown_ = false;
  bool immediatePopup_ = false;
  TAlignment popupAlignment_ = taLeftJustify;
  TdxPopupBorder popupBorder_ = pbDefault;
};

// The drop-down settings each kind publishes (each kind chooses which).
template <class T>
void PublishButtonGlyph(TPublisher<T>& P) {
  P.Property("ButtonGlyph", &T::ButtonGlyph, &T::SetButtonGlyph).Stored(&T::HasButtonGlyph);
}
template <class T>
void PublishPopupPlacement(TPublisher<T>& P) {
  P.Property("PopupAlignment", &T::PopupAlignment, &T::SetPopupAlignment).Default(taLeftJustify);
  P.Property("PopupBorder", &T::PopupBorder, &T::SetPopupBorder).Default(pbDefault);
}
template <class T>
void PublishDropDownSize(TPublisher<T>& P, bool ImmediateDropDown) {
  P.Property("DropDownRows", &T::DropDownRows, &T::SetDropDownRows).Default(7);
  P.Property("DropDownWidth", &T::DropDownWidth, &T::SetDropDownWidth).Default(0);
  P.Property("ImmediateDropDown", &T::ImmediateDropDown, &T::SetImmediateDropDown).Default(ImmediateDropDown);
}
