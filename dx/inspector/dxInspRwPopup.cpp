#include "dx/inspector/dxInspRwPopup.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorPopupEdit)
TRENVIK_PUBLISHED(TdxInspectorPopupRow) {
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  using R = TdxInspectorPopupRow;
  P.Property("HideEditCursor", &R::HideEditCursor, &R::SetHideEditCursor).Default(false);
  P.Property("PopupAutoSize", &R::PopupAutoSize, &R::SetPopupAutoSize).Default(true);
  P.Property("PopupFormBorderStyle", &R::PopupFormBorderStyle, &R::SetPopupFormBorderStyle)
      .Default(pbsDialog);
  P.Property("PopupFormCaption", &R::PopupFormCaption, &R::SetPopupFormCaption);
  P.Property("PopupFormClientEdge", &R::PopupFormClientEdge, &R::SetPopupFormClientEdge).Default(false);
  P.Property("PopupFormFlatBorder", &R::PopupFormFlatBorder, &R::SetPopupFormFlatBorder).Default(true);
  P.Property("PopupFormSizeable", &R::PopupFormSizeable, &R::SetPopupFormSizeable).Default(true);
  P.Property("PopupControl", &TdxInspectorPopupRow::PopupControl, &TdxInspectorPopupRow::SetPopupControl);
  P.Property("PopupMinHeight", &TdxInspectorPopupRow::PopupMinHeight,
             &TdxInspectorPopupRow::SetPopupMinHeight)
      .Default(100);
  P.Property("PopupMinWidth", &TdxInspectorPopupRow::PopupMinWidth, &TdxInspectorPopupRow::SetPopupMinWidth)
      .Default(100);
  P.Property("PopupHeight", &TdxInspectorPopupRow::PopupHeight, &TdxInspectorPopupRow::SetPopupHeight)
      .Default(200);
  P.Property("PopupWidth", &TdxInspectorPopupRow::PopupWidth, &TdxInspectorPopupRow::SetPopupWidth)
      .Default(250);
  P.Event("OnCloseQuery", &TdxInspectorPopupRow::OnCloseQuery);
  P.Event("OnCloseUp", &TdxInspectorPopupRow::OnCloseUp);
  P.Event("OnInitPopup", &TdxInspectorPopupRow::OnInitPopup);
  P.Event("OnPopup", &TdxInspectorPopupRow::OnPopup);
}
TRENVIK_PUBLISHED(TdxInspectorTextPopupRow) {
  P.Property("Text", &TdxInspectorTextPopupRow::Text, &TdxInspectorTextPopupRow::SetText);
}

TdxInplaceEditClass TdxInspectorPopupEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorPopupEdit, TdxDropDownEditMetaClass> c("TdxInspectorPopupEdit");
  return &c;
}

TdxInspectorPopupRow::~TdxInspectorPopupRow() { SetPopupControl(nullptr); }

void TdxInspectorPopupRow::SetPopupControl(TControl* Value) {
  if (popupControl_ == Value) return;
  if (popupControl_) popupControl_->RemoveFreeNotification(this);
  popupControl_ = Value;
  if (popupControl_) popupControl_->FreeNotification(this);
}

void TdxInspectorPopupRow::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupControl_) popupControl_ = nullptr;
}

void TdxInspectorPopupRow::SetPopupMinHeight(int Value) {
  popupMinHeight_ = std::max(Value, 0);
  SetPopupHeight(popupHeight_);
}

void TdxInspectorPopupRow::SetPopupMinWidth(int Value) {
  popupMinWidth_ = std::max(Value, 0);
  SetPopupWidth(popupWidth_);
}

void TdxInspectorPopupRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* popup = dynamic_cast<TdxInplacePopupEdit*>(Editor);
  if (!popup) return;
  popup->SetHideEditCursor(hideEditCursor_);
  popup->PopupAutoSize = popupAutoSize_;
  popup->SetPopupControl(popupControl_);
  popup->PopupFormBorderStyle = popupFormBorderStyle_;
  popup->PopupFormCaption = popupFormCaption_;
  popup->PopupFormClientEdge = popupFormClientEdge_;
  popup->PopupFormFlatBorder = popupFormFlatBorder_;
  popup->PopupFormSizeable = popupFormSizeable_;
  popup->SetPopupMinHeight(popupMinHeight_);
  popup->SetPopupMinWidth(popupMinWidth_);
  popup->SetPopupHeight(popupHeight_);
  popup->SetPopupWidth(popupWidth_);
  popup->OnPopupCloseQuery = [this](TObject*, bool& CanClose) { DoCloseQuery(CanClose); };
  popup->OnPopupCloseUp = [this](TObject*, String& Text, bool& Accept) { DoPopupCloseUp(Text, Accept); };
  popup->OnInitPopup = [this](TObject*) { DoInitPopup(); };
  popup->OnPopup = [this](TObject*, const String& EditText) { DoPopup(EditText); };
}

void TdxInspectorPopupRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  auto* source = dynamic_cast<TdxInspectorPopupRow*>(Source);
  if (!source) return;
  hideEditCursor_ = source->hideEditCursor_;
  popupAutoSize_ = source->popupAutoSize_;
  SetPopupControl(source->popupControl_);
  popupFormBorderStyle_ = source->popupFormBorderStyle_;
  popupFormCaption_ = source->popupFormCaption_;
  popupFormClientEdge_ = source->popupFormClientEdge_;
  popupFormFlatBorder_ = source->popupFormFlatBorder_;
  popupFormSizeable_ = source->popupFormSizeable_;
  SetPopupHeight(source->popupHeight_);
  SetPopupWidth(source->popupWidth_);
  SetPopupMinHeight(source->popupMinHeight_);
  SetPopupMinWidth(source->popupMinWidth_);
}

void TdxInspectorPopupRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  hideEditCursor_ = false;
  popupAutoSize_ = true;
  SetPopupControl(nullptr);
  popupFormBorderStyle_ = pbsDialog;
  popupFormCaption_.clear();
  popupFormClientEdge_ = false;
  popupFormFlatBorder_ = true;
  popupFormSizeable_ = true;
  popupMinHeight_ = popupMinWidth_ = 100;
  popupHeight_ = 200;
  popupWidth_ = 250;
}
