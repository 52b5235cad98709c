// The pop-up row kind: a text whose drop-down is a control of the application shown in a pop-up form.
#pragma once

#include "dx/editors/dxPopupEdit.h"
#include "dx/inspector/dxInspRwDropDown.h"

class TdxInspectorPopupEdit : public TdxInplacePopupEdit {
  TRENVIK_CLASS(TdxInspectorPopupEdit, TdxInplacePopupEdit);

 public:
  explicit TdxInspectorPopupEdit(TComponent* AOwner) : TdxInplacePopupEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorPopupRow : public TdxInspectorDropDownRow {
  TRENVIK_CLASS(TdxInspectorPopupRow, TdxInspectorDropDownRow);

 public:
  using TdxInspectorDropDownRow::TdxInspectorDropDownRow;
  ~TdxInspectorPopupRow() override;

  bool HideEditCursor() const { return hideEditCursor_; }
  void SetHideEditCursor(bool Value) { hideEditCursor_ = Value; }
  bool PopupAutoSize() const { return popupAutoSize_; }
  void SetPopupAutoSize(bool Value) { popupAutoSize_ = Value; }
  TdxPopupEditFormBorderStyle PopupFormBorderStyle() const { return popupFormBorderStyle_; }
  void SetPopupFormBorderStyle(TdxPopupEditFormBorderStyle Value) { popupFormBorderStyle_ = Value; }
  const String& PopupFormCaption() const { return popupFormCaption_; }
  void SetPopupFormCaption(const String& Value) { popupFormCaption_ = Value; }
  bool PopupFormClientEdge() const { return popupFormClientEdge_; }
  void SetPopupFormClientEdge(bool Value) { popupFormClientEdge_ = Value; }
  bool PopupFormFlatBorder() const { return popupFormFlatBorder_; }
  void SetPopupFormFlatBorder(bool Value) { popupFormFlatBorder_ = Value; }
  bool PopupFormSizeable() const { return popupFormSizeable_; }
  void SetPopupFormSizeable(bool Value) { popupFormSizeable_ = Value; }
  // Not owned: its removal clears it.
  TControl* PopupControl() const { return popupControl_; }
  void SetPopupControl(TControl* Value);
  // Never below the minimum size.
  int PopupHeight() const { return popupHeight_; }
  void SetPopupHeight(int Value) { popupHeight_ = std::max(Value, popupMinHeight_); }
  int PopupWidth() const { return popupWidth_; }
  void SetPopupWidth(int Value) { popupWidth_ = std::max(Value, popupMinWidth_); }
  // Negative minimums count as 0; the size is raised to a new minimum.
  int PopupMinHeight() const { return popupMinHeight_; }
  void SetPopupMinHeight(int Value);
  int PopupMinWidth() const { return popupMinWidth_; }
  void SetPopupMinWidth(int Value);
  TdxPopupCloseQueryEvent OnCloseQuery;
  TdxPopupCloseUpEvent OnCloseUp;
  TNotifyEvent OnInitPopup;
  TdxPopupEvent OnPopup;

  virtual void DoCloseQuery(bool& CanClose) {
    if (OnCloseQuery) OnCloseQuery(this, CanClose);
  }
  virtual void DoPopupCloseUp(String& Text, bool& Accept) {
    if (OnCloseUp) OnCloseUp(this, Text, Accept);
  }
  virtual void DoInitPopup() {
    if (OnInitPopup) OnInitPopup(this);
  }
  virtual void DoPopup(const String& EditText) {
    if (OnPopup) OnPopup(this, EditText);
  }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorPopupEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool hideEditCursor_ = false;
  bool popupAutoSize_ = true;
  TdxPopupEditFormBorderStyle popupFormBorderStyle_ = pbsDialog;
  String popupFormCaption_;
  bool popupFormClientEdge_ = false;
  bool popupFormFlatBorder_ = true;
  bool popupFormSizeable_ = true;
  TControl* popupControl_ = nullptr;
  int popupHeight_ = 200;
  int popupWidth_ = 250;
  int popupMinHeight_ = 100;
  int popupMinWidth_ = 100;
};

class TdxInspectorTextPopupRow : public TdxTextValueRow<TdxInspectorPopupRow> {
  TRENVIK_CLASS(TdxInspectorTextPopupRow, TdxTextValueRow<TdxInspectorPopupRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
