// TLabeledEdit: an edit that carries its own label and keeps it beside itself.
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"

TRENVIK_PUBLISHED(TBoundLabel) {
  P.Property("Caption", &TBoundLabel::Caption, &TBoundLabel::SetCaption);
  P.Property("Layout", &TBoundLabel::Layout, &TBoundLabel::SetLayout).Default(tlTop);
  P.Property("ShowAccelChar", &TBoundLabel::ShowAccelChar, &TBoundLabel::SetShowAccelChar).Default(true);
  P.Property("Transparent", &TBoundLabel::Transparent, &TBoundLabel::SetTransparent).Default(false);
  P.Property("WordWrap", &TBoundLabel::WordWrap, &TBoundLabel::SetWordWrap).Default(false);
}

TRENVIK_IMPLEMENT_CLASS(TCustomLabeledEdit)

TRENVIK_PUBLISHED(TLabeledEdit) {
  P.Property("AutoSelect", &TLabeledEdit::AutoSelect, &TLabeledEdit::SetAutoSelect).Default(true);
  P.Property("BorderStyle", &TLabeledEdit::BorderStyle, &TLabeledEdit::SetBorderStyle).Default(bsSingle);
  P.Property("CharCase", &TLabeledEdit::CharCase, &TLabeledEdit::SetCharCase).Default(ecNormal);
  P.Property("EditLabel", &TLabeledEdit::EditLabel);
  P.Property("LabelPosition", &TLabeledEdit::LabelPosition, &TLabeledEdit::SetLabelPosition).Default(lpAbove);
  P.Property("LabelSpacing", &TLabeledEdit::LabelSpacing, &TLabeledEdit::SetLabelSpacing).Default(3);
  P.Property("MaxLength", &TLabeledEdit::MaxLength, &TLabeledEdit::SetMaxLength).Default(0);
  P.Property("PasswordChar", &TLabeledEdit::PasswordChar, &TLabeledEdit::SetPasswordChar).Default(0);
  P.Property("ReadOnly", &TLabeledEdit::ReadOnly, &TLabeledEdit::SetReadOnly).Default(false);
  P.Property("Text", &TLabeledEdit::Text, &TLabeledEdit::SetText);
  P.Event("OnChange", &TLabeledEdit::OnChange);
}

TBoundLabel::TBoundLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
  SetName(u"SubLabel");
  if (AOwner) SetCaption(AOwner->Name());
}

TRENVIK_MESSAGE_MAP(TCustomLabeledEdit) {
  M.On(CM_VISIBLECHANGED, &TCustomLabeledEdit::CMVisibleChanged);
  M.On(CM_ENABLEDCHANGED, &TCustomLabeledEdit::CMEnabledChanged);
}

TCustomLabeledEdit::TCustomLabeledEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  label_ = new TBoundLabel(this);
  label_->FreeNotification(this);
  label_->SetFocusControl(this);
}

TCustomLabeledEdit::~TCustomLabeledEdit() = default;

void TCustomLabeledEdit::PlaceLabel() {
  if (!label_) return;
  POINT p{};
  switch (labelPosition_) {
    case lpAbove:
      p = {Left(), Top() - label_->Height() - labelSpacing_};
      break;
    case lpBelow:
      p = {Left(), Top() + Height() + labelSpacing_};
      break;
    case lpLeft:
      p = {Left() - label_->Width() - labelSpacing_, Top() + (Height() - label_->Height()) / 2};
      break;
    case lpRight:
      p = {Left() + Width() + labelSpacing_, Top() + (Height() - label_->Height()) / 2};
      break;
  }
  label_->SetBounds(p.x, p.y, label_->Width(), label_->Height());
}

void TCustomLabeledEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceLabel();
}

void TCustomLabeledEdit::SetLabelPosition(TLabelPosition Value) {
  labelPosition_ = Value;
  PlaceLabel();
}

void TCustomLabeledEdit::SetLabelSpacing(int Value) {
  labelSpacing_ = Value;
  PlaceLabel();
}

void TCustomLabeledEdit::SetParent(TWinControl* AParent) {
  inherited::SetParent(AParent);
  if (!label_) return;
  label_->SetParent(AParent);
  label_->SetVisible(true);
  PlaceLabel();
}

void TCustomLabeledEdit::SetName(const String& NewName) {
  if (label_ && (label_->Caption().empty() || label_->Caption() == Name())) label_->SetCaption(NewName);
  inherited::SetName(NewName);
}

void TCustomLabeledEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (AComponent == label_ && Operation == opRemove) label_ = nullptr;
}

void TCustomLabeledEdit::CMVisibleChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (label_) label_->SetVisible(Visible());
}

void TCustomLabeledEdit::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (label_) label_->SetEnabled(Enabled());
}
