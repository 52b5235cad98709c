// TPopupDataList: the lookup list as a pop-up tool window that saves what it covers.
#include "platform/dbctrls/DBLookup.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TPopupDataList)

TPopupDataList::TPopupDataList(TComponent* AOwner) : TDBLookupListBox(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csNoDesignVisible, csReplicatable});
  SetTabStop(false);
  SetVisible(false);
}

void TPopupDataList::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.WindowClass.style = CS_SAVEBITS;
}
