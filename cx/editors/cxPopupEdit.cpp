// The popup edit: moving the popup control into the popup and back, as it was.
#include "cx/editors/cxPopupEdit.h"

#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/foundation/cxClasses.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomPopupEditProperties)
using PopupProps = TcxCustomPopupEditProperties;

TRENVIK_PUBLISHED(TcxPopupEditProperties) {
  PublishTextEditSettings(P);
  PublishMaskSettings(P);
  PublishValidateOnEnter(P);
  P.Property("ButtonGlyph", &PopupProps::ButtonGlyph, &PopupProps::SetButtonGlyph)
      .Stored(&PopupProps::IsButtonGlyphStored);
  P.Property("ImmediatePopup", &PopupProps::ImmediatePopup, &PopupProps::SetImmediatePopup).Default(true);
  P.Property("PopupAlignment", &PopupProps::PopupAlignment, &PopupProps::SetPopupAlignment).Default(taLeftJustify);
  P.Property("PopupAutoSize", &PopupProps::PopupAutoSize, &PopupProps::SetPopupAutoSize).Default(true);
  P.Property("PopupClientEdge", &PopupProps::PopupClientEdge, &PopupProps::SetPopupClientEdge).Default(false);
  P.Property("PopupControl", &PopupProps::PopupControl, &PopupProps::SetPopupControl);
  P.Property("PopupHeight", &PopupProps::PopupHeight, &PopupProps::SetPopupHeight).Default(200);
  P.Property("PopupMinHeight", &PopupProps::PopupMinHeight, &PopupProps::SetPopupMinHeight).Default(100);
  P.Property("PopupMinWidth", &PopupProps::PopupMinWidth, &PopupProps::SetPopupMinWidth).Default(100);
  P.Property("PopupSizeable", &PopupProps::PopupSizeable, &PopupProps::SetPopupSizeable).Default(true);
  P.Property("PopupSysPanelStyle", &PopupProps::PopupSysPanelStyle, &PopupProps::SetPopupSysPanelStyle)
      .Default(false);
  P.Property("PopupWidth", &PopupProps::PopupWidth, &PopupProps::SetPopupWidth).Default(250);
  PublishTextEditEvents(P);
  P.Event("OnCloseQuery", &PopupProps::OnCloseQuery);
  P.Event("OnCloseUp", &PopupProps::OnCloseUp);
  P.Event("OnInitPopup", &PopupProps::OnInitPopup);
  P.Event("OnPopup", &PopupProps::OnPopup);
}
TRENVIK_IMPLEMENT_CLASS(TcxPopupEditPopupWindow)
TRENVIK_IMPLEMENT_CLASS(TcxCustomPopupEdit)
TRENVIK_PUBLISHED(TcxPopupEdit) { PublishTextEditControl(P); }

// --- Properties ---

TcxCustomPopupEditProperties::TcxCustomPopupEditProperties(TPersistent* AOwner)
    : TcxCustomDropDownEditProperties(AOwner) {
  SetPopupAutoSize(true);
  SetPopupMinHeight(100);
  SetPopupMinWidth(100);
  SetPopupHeight(200);
  SetPopupSizeable(true);
  SetPopupWidth(250);
}

TcxCustomPopupEditProperties::~TcxCustomPopupEditProperties() {
  if (TComponent* owner = NotifiedComponent(); owner && popupControl_) popupControl_->RemoveFreeNotification(owner);
}

// The edit that owns these properties hears of the control's destruction.
TComponent* TcxCustomPopupEditProperties::NotifiedComponent() const {
  return dynamic_cast<TComponent*>(const_cast<TcxCustomPopupEditProperties*>(this)->GetOwner());
}

void TcxCustomPopupEditProperties::SetPopupControl(TControl* Value) {
  if (popupControl_ == Value) return;
  TComponent* owner = NotifiedComponent();
  if (popupControl_ && owner) popupControl_->RemoveFreeNotification(owner);
  popupControl_ = Value;
  if (popupControl_ && owner) popupControl_->FreeNotification(owner);
}

void TcxCustomPopupEditProperties::FreeNotification(TComponent* AComponent) {
  inherited::FreeNotification(AComponent);
  if (AComponent == popupControl_) popupControl_ = nullptr;
}

void TcxCustomPopupEditProperties::Assign(TPersistent* Source) {
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TcxCustomPopupEditProperties*>(Source)) SetPopupControl(source->popupControl_);
}

TClass TcxCustomPopupEditProperties::GetContainerClass() { return TcxPopupEdit::StaticClass(); }

TcxEditPopupWindowFactory TcxCustomPopupEditProperties::GetPopupWindowClass() {
  return [](TcxCustomDropDownEdit* AEdit) { return new TcxPopupEditPopupWindow(AEdit); };
}

// --- Edit ---

TcxCustomPopupEdit::TcxCustomPopupEdit(TComponent* AOwner) : TcxCustomDropDownEdit(AOwner) {
  CreateProperties();
  if (!IsDesigning()) CreatePopupWindow();
}

TcxCustomPopupEdit::~TcxCustomPopupEdit() {
  if (HasPopupWindow()) RestorePopupControl();
}

void TcxCustomPopupEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == movedControl_) movedControl_ = nullptr;
  ActiveProperties()->FreeNotification(AComponent);
}

void TcxCustomPopupEdit::DoInitPopup() {
  TControl* control = ActiveProperties()->PopupControl();
  bool circular = control && (control == PopupWindow() || control == this);
  for (TControl* parent = Parent(); control && !circular && parent; parent = parent->Parent())
    circular = parent == control;
  if (circular) throw Exception(cxGetResourceString(cxSEditPopupCircularReferencingError));
  inherited::DoInitPopup();
}

TWinControl* TcxCustomPopupEdit::GetPopupFocusedControl() {
  return dynamic_cast<TWinControl*>(ActiveProperties()->PopupControl());
}

void TcxCustomPopupEdit::CalculatePopupSize(SIZE& ASize) {
  TControl* control = ActiveProperties()->PopupControl();
  ASize = control ? SIZE{control->Width(), control->Height()} : SIZE{0, 0};
}

void TcxCustomPopupEdit::PositionPopupContent(const RECT& AClientRect) {
  if (TControl* control = ActiveProperties()->PopupControl())
    control->SetBounds(AClientRect.left, AClientRect.top, AClientRect.right - AClientRect.left,
                       AClientRect.bottom - AClientRect.top);
}

void TcxCustomPopupEdit::SavePopupControlState() {
  TControl* control = ActiveProperties()->PopupControl();
  if (!control || movedControl_ == control) return;
  movedControl_ = control;
  saved_ = TcxPopupControlState{};
  saved_.Parent = control->Parent();
  saved_.Align = control->Align();
  saved_.Bounds = control->BoundsRect();
  saved_.Visible = control->Visible();
  if (auto* form = dynamic_cast<TCustomForm*>(control)) {
    saved_.IsForm = true;
    saved_.BorderStyle = form->BorderStyle();
    form->SetBorderStyle(bsNone);
  }
}

void TcxCustomPopupEdit::PreparePopup() {
  TControl* control = ActiveProperties()->PopupControl();
  if (!control) {
    inherited::PreparePopup();
    return;
  }
  SavePopupControlState();
  control->SetParent(PopupWindow());
  control->SetVisible(true);
  inherited::PreparePopup();
  control->SetAlign(alClient);
}

void TcxCustomPopupEdit::RestorePopupControl() {
  TControl* control = movedControl_;
  movedControl_ = nullptr;
  if (!control) return;
  control->SetVisible(false);
  control->SetAlign(saved_.Align);
  control->SetParent(saved_.Parent);
  // A form gets its border back before its bounds, so they are the outer bounds it had.
  if (auto* form = dynamic_cast<TCustomForm*>(control); form && saved_.IsForm) form->SetBorderStyle(saved_.BorderStyle);
  control->SetBoundsRect(saved_.Bounds);
  control->SetVisible(saved_.Visible);
}

void TcxCustomPopupEdit::PopupWindowClosed(TObject* Sender) {
  RestorePopupControl();
  inherited::PopupWindowClosed(Sender);
}
