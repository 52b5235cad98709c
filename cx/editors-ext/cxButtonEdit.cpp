// The button edit's classes, the ellipsis button it starts with, and its registration.
#include "cx/editors-ext/cxButtonEdit.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/foundation/cxClasses.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomButtonEditProperties)
TRENVIK_PUBLISHED(TcxButtonEditProperties) {
  PublishTextEditSettings(P);
  PublishMaskSettings(P);
  PublishTextEditEvents(P);
  P.Event("OnButtonClick", &TcxCustomEditProperties::OnButtonClick);
}
TRENVIK_IMPLEMENT_CLASS(TcxCustomButtonEdit)
TRENVIK_PUBLISHED(TcxButtonEdit) { PublishTextEditControl(P); }

TcxCustomButtonEditProperties::TcxCustomButtonEditProperties(TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner) {
  Buttons()->Add()->Kind = bkEllipsis;
}

TClass TcxCustomButtonEditProperties::GetContainerClass() { return TcxButtonEdit::StaticClass(); }

void InitializeButtonEdit() {
  GetRegisteredEditProperties()->Register(TcxButtonEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditButtonEditDescription));
}
