// A one-line edit box whose drop-down list is a data-aware tree: TCustomdxVTreeViewEdit (the box
// and the drop-down mechanics), TCustomdxLookupTreeView (the drop-down bound to a list dataset) and
// TdxDBLookupTreeView (the chosen record's key written into a field of a second dataset).
// TPopupDBTreeView is the drop-down: a pop-up tree with a bar holding a size grip and a close button.
#pragma once

#include <memory>

#include "dx/dbtree/dxdbtree.h"
#include "dx/editors/dxDrawUtils.h"
#include "platform/data/DataLink.h"

TRENVIK_ENUM(TTVTextStyle, tvtsShort, tvtsFull);

class TCustomdxVTreeViewEdit;
class TCustomdxLookupTreeView;

using TdxTreeViewCloseUp = std::function<void(TObject* Sender, bool Accept)>;

// The height the bar above or below the drop-down's rows takes, in pixels, besides the text lines.
constexpr int kDropDownExtraHeight = 26;

class TPopupDBTreeView : public TdxDBTreeView {
  friend class TCustomdxLookupTreeView;
  TRENVIK_CLASS(TPopupDBTreeView, TdxDBTreeView);
  TRENVIK_MESSAGES(TPopupDBTreeView);

 public:
  explicit TPopupDBTreeView(TCustomdxVTreeViewEdit* AOwner);
  TCustomdxVTreeViewEdit* Edit() const { return edit_; }
  TdxSizeGripCorner GripCorner() const { return gripCorner_; }
  const RECT& GripRect() const { return gripRect_; }
  const RECT& CloseButtonRect() const { return closeButtonRect_; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

 private:
  void WMGetDlgCode(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMNCMouseLeave(TMessage& Message);
  void PaintBar();
  void SetCloseHot(bool Value);

  TCustomdxVTreeViewEdit* edit_;
  RECT closeButtonRect_{};
  RECT gripRect_{};
  TdxSizeGripCorner gripCorner_ = 3;
  bool closePressed_ = false;
  bool closeHot_ = false;
};

class TCustomdxVTreeViewEdit : public TCustomControl {
  TRENVIK_CLASS(TCustomdxVTreeViewEdit, TCustomControl);
  TRENVIK_MESSAGES(TCustomdxVTreeViewEdit);

 public:
  explicit TCustomdxVTreeViewEdit(TComponent* AOwner);
  ~TCustomdxVTreeViewEdit() override;

  bool CanSelectParents() const { return canSelectParents_; }
  void SetCanSelectParents(bool Value) { canSelectParents_ = Value; }
  TAlignment Alignment() const { return alignment_; }
  Char DividedChar() const { return dividedChar_; }
  void SetDividedChar(Char Value);
  int DropDownRows() const { return dropDownRows_; }
  void SetDropDownRows(int Value) { dropDownRows_ = Value; }
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int Value) { dropDownWidth_ = Value; }
  bool DroppedDown() const { return droppedDown_; }
  bool ButtonPressed() const { return buttonPressed_; }
  int ButtonWidth() const { return buttonWidth_; }
  const String& Text() const { return text_; }
  void SetText(const String& Value);
  TTVTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TTVTextStyle Value) { textStyle_ = Value; }
  TCustomdxTreeView* TreeView() const { return treeView_; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  virtual void DropDown();
  virtual void CloseUp(bool Accept);

  // The window of the form the box sits on, which owns the drop-down.
  HWND OwnerFormWindowForPopup() const { return OwnerFormWindow(); }

  TNotifyEvent OnDropDown;
  TdxTreeViewCloseUp OnCloseUp;
  TTVExpandedEvent OnGetImageIndex;
  TTVExpandedEvent OnGetSelectedIndex;

  // The drop-down tree's properties of the same names without the prefix (without a tree: writes do
  // nothing, reads answer false, -1, clNone or nothing).
  bool TreeViewShowButtons() const { return treeView_ && treeView_->ShowButtons(); }
  void SetTreeViewShowButtons(bool Value) {
    if (treeView_) treeView_->SetShowButtons(Value);
  }
  bool TreeViewShowLines() const { return treeView_ && treeView_->ShowLines(); }
  void SetTreeViewShowLines(bool Value) {
    if (treeView_) treeView_->SetShowLines(Value);
  }
  bool TreeViewShowRoot() const { return treeView_ && treeView_->ShowRoot(); }
  void SetTreeViewShowRoot(bool Value) {
    if (treeView_) treeView_->SetShowRoot(Value);
  }
  bool TreeViewReadOnly() const { return treeView_ && treeView_->ReadOnly(); }
  void SetTreeViewReadOnly(bool Value) {
    if (treeView_) treeView_->SetReadOnly(Value);
  }
  int TreeViewIndent() { return treeView_ ? treeView_->Indent() : -1; }
  void SetTreeViewIndent(int Value) {
    if (treeView_) treeView_->SetIndent(Value);
  }
  TColor TreeViewColor() const { return treeView_ ? treeView_->Color() : clNone; }
  void SetTreeViewColor(TColor Value) {
    if (treeView_) treeView_->SetColor(Value);
  }
  TCustomImageList* TreeViewImages() const { return treeView_ ? treeView_->Images() : nullptr; }
  void SetTreeViewImages(TCustomImageList* Value) {
    if (treeView_) treeView_->SetImages(Value);
  }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  virtual void AcceptSelection();
  virtual void InitTreeView();
  virtual void ApplyTreeViewStyle();
  void SetTreeView(TCustomdxTreeView* Value) { treeView_ = Value; }
  void SetAlignment(TAlignment Value);
  int TextHeight();
  // The window of the form the box sits on (its parent form, or its topmost parent).
  HWND OwnerFormWindow() const;
  // The text drawn in the box: Text, or for a copy of the control its record's text.
  virtual String PaintedText() { return text_; }

 private:
  void WMGetDlgCode(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void TreeViewChanging(TObject* Sender, TTreeNode* Node, bool& AllowChange);
  void TreeViewDblClick(TObject* Sender);
  void SetButtonPressed(bool Value);
  RECT ButtonRect();

  TCustomdxTreeView* treeView_ = nullptr;
  String text_;
  TAlignment alignment_ = taLeftJustify;
  TTVTextStyle textStyle_ = tvtsShort;
  Char dividedChar_ = u'.';
  int buttonWidth_ = 0;
  int dropDownRows_ = 7;
  int dropDownWidth_ = 0;
  bool canSelectParents_ = true;
  bool droppedDown_ = false;
  bool buttonPressed_ = false;
  bool lastChangeAllowed_ = true;
};

class TDataLinkLookupTreeView : public TDataLink {
  TRENVIK_CLASS(TDataLinkLookupTreeView, TDataLink);

 public:
  explicit TDataLinkLookupTreeView(TCustomdxLookupTreeView* Owner) : owner_(Owner) {}
  void Detach() { owner_ = nullptr; }

 protected:
  void ActiveChanged() override;

 private:
  TCustomdxLookupTreeView* owner_;
};

class TCustomdxLookupTreeView : public TCustomdxVTreeViewEdit {
  TRENVIK_CLASS(TCustomdxLookupTreeView, TCustomdxVTreeViewEdit);

 public:
  explicit TCustomdxLookupTreeView(TComponent* AOwner);
  ~TCustomdxLookupTreeView() override;

  TPopupDBTreeView* Popup() const { return popup_; }
  TDataSource* ListSource() const { return listLink_->DataSource(); }
  void SetListSource(TDataSource* Value);
  const Variant& KeyValue() const { return keyValue_; }
  const String& KeyField() const { return keyFieldName_; }
  void SetKeyField(const String& Value);
  const String& ListField() const { return listFieldName_; }
  void SetListField(const String& Value);
  const String& AssignField() const { return assignFieldName_; }
  void SetAssignField(const String& Value);
  const String& ParentField() const { return parentFieldName_; }
  void SetParentField(const String& Value) { parentFieldName_ = Value; }
  const String& DisplayField() const { return displayFieldName_; }
  void SetDisplayField(const String& Value) { displayFieldName_ = Value; }
  const String& ImageIndexField() const { return imageIndexFieldName_; }
  void SetImageIndexField(const String& Value) { imageIndexFieldName_ = Value; }
  const String& StateIndexField() const { return stateIndexFieldName_; }
  void SetStateIndexField(const String& Value) { stateIndexFieldName_ = Value; }
  TdxDBTreeViewOptions Options() const { return popup_->Options(); }
  void SetOptions(TdxDBTreeViewOptions Value) { popup_->SetOptions(Value); }
  String RootValue() const { return popup_->RootValue(); }
  void SetRootValue(const String& Value) { popup_->SetRootValue(Value); }

  void DropDown() override;
  void CloseUp(bool Accept) override;

  TSetDisplayItemText OnSetDisplayItemText;

 protected:
  friend class TDataLinkLookupTreeView;
  void AcceptSelection() override;
  virtual void BindListFields();
  TDataSet* ListDataSet() const { return listLink_->DataSet(); }
  bool ListActive() const { return listLink_->Active(); }

  TField* listKeyField_ = nullptr;
  TField* listField_ = nullptr;
  TField* assignField_ = nullptr;
  TField* parentListField_ = nullptr;

 private:
  TPopupDBTreeView* popup_;
  std::unique_ptr<TDataLinkLookupTreeView> listLink_;
  Variant keyValue_;
  String keyFieldName_, listFieldName_, assignFieldName_, parentFieldName_, displayFieldName_,
      imageIndexFieldName_, stateIndexFieldName_;
  HWND popupOwnerForm_ = nullptr;
};

class TdxDBLookupTreeView : public TCustomdxLookupTreeView {
  TRENVIK_CLASS(TdxDBLookupTreeView, TCustomdxLookupTreeView);

 public:
  explicit TdxDBLookupTreeView(TComponent* AOwner);
  ~TdxDBLookupTreeView() override;

  TDataSource* DataSource() const { return fieldLink_->DataSource(); }
  void SetDataSource(TDataSource* Value);
  const String& DataField() const { return fieldLink_->FieldName(); }
  void SetDataField(const String& Value);
  bool ReadOnly() const { return fieldLink_->ReadOnly(); }
  void SetReadOnly(bool Value) { fieldLink_->SetReadOnly(Value); }
  TFieldDataLink* FieldLink() const { return fieldLink_.get(); }

  void DropDown() override;
  void CloseUp(bool Accept) override;
  // The text of the record the data field names: the list field, or for tvtsFull the path of list
  // texts from the root. The list dataset stays where it was.
  String GetRecordDisplayText();

 protected:
  void AcceptSelection() override;
  void ApplyTreeViewStyle() override;
  void BindListFields() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoExit() override;

 private:
  void DataChange(TObject* Sender);
  void UpdateData(TObject* Sender);
  void CheckDataLinks(TObject* Sender);
  Variant GetAssignValue() const;

  std::unique_ptr<TFieldDataLink> fieldLink_;
  bool closing_ = false;
  bool updating_ = false;
};
