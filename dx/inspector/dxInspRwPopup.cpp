#include "dx/inspector/dxInspRwPopup.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorPopupEdit)
TRENVIK_PUBLISHED(TdxInspectorPopupRow) {
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  P.Property("PopupControl", &TdxInspectorPopupRow::PopupControl, &TdxInspectorPopupRow::SetPopupControl);
  P.Property("PopupMinHeight", &TdxInspectorPopupRow::PopupMinHeight, &TdxInspectorPopupRow::SetPopupMinHeight)
      .Default(100);
  P.Property("PopupMinWidth", &TdxInspectorPopupRow::PopupMinWidth, &TdxInspectorPopupRow::SetPopupMinWidth)
      .Default(100);
  P.Property("PopupHeight", &TdxInspectorPopupRow::PopupHeight, &TdxInspectorPopupRow::SetPopupHeight).Default(200);
  P.Property("PopupWidth", &TdxInspectorPopupRow::PopupWidth, &TdxInspectorPopupRow::SetPopupWidth).Default(250);
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
  popup->SetHideEditCursor(HideEditCursor);
  popup->PopupAutoSize = PopupAutoSize;
  popup->SetPopupControl(popupControl_);
  popup->PopupFormBorderStyle = PopupFormBorderStyle;
  popup->PopupFormCaption = PopupFormCaption;
  popup->PopupFormClientEdge = PopupFormClientEdge;
  popup->PopupFormFlatBorder = PopupFormFlatBorder;
  popup->PopupFormSizeable = PopupFormSizeable;
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
  HideEditCursor = source->HideEditCursor;
  PopupAutoSize = source->PopupAutoSize;
  SetPopupControl(source->popupControl_);
  PopupFormBorderStyle = source->PopupFormBorderStyle;
  PopupFormCaption = source->PopupFormCaption;
  PopupFormClientEdge = source->PopupFormClientEdge;
  PopupFormFlatBorder = source->PopupFormFlatBorder;
  PopupFormSizeable = source->PopupFormSizeable;
  SetPopupHeight(source->popupHeight_);
  SetPopupWidth(source->popupWidth_);
  SetPopupMinHeight(source->popupMinHeight_);
  SetPopupMinWidth(source->popupMinWidth_);
}

void TdxInspectorPopupRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  HideEditCursor = false;
  PopupAutoSize = true;
  SetPopupControl(nullptr);
  PopupFormBorderStyle = pbsDialog;
  PopupFormCaption.clear();
  PopupFormClientEdge = false;
  PopupFormFlatBorder = true;
  PopupFormSizeable = true;
  popupMinHeight_ = popupMinWidth_ = 100;
  popupHeight_ = 200;
  popupWidth_ = 250;
}
