#include "dx/bars/dxBarToolbarsPopup.h"

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/dxBarStrs.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/rtl/StringTable.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarToolbarsPopup)

namespace {

// Offered in the list: shown in the toolbar lists and, with a window, one that shows a caption.
bool ListedInPopup(const TdxBar* Bar) { return !Bar->Hidden() && Bar->CanBeListed(); }

}  // namespace

TdxBarToolbarsPopup::TdxBarToolbarsPopup(TdxBarManager* Manager) : TdxBarLinksPopup(Manager) {
  for (int i = 0; i < Manager->Bars()->Count(); ++i) {
    TdxBar* bar = Manager->Bars()->Items(i);
    if (!ListedInPopup(bar)) continue;
    TdxBarButton* entry = AddButton(bar->Caption(), false);
    entry->SetButtonStyle(bsChecked);
    entry->SetDown(bar->Visible());
    entry->OnClick = [bar](TObject*) { bar->SetVisible(!bar->Visible()); };
  }
  if (!Manager->CanCustomize()) return;
  TdxBarButton* customize = AddButton(LoadResString(dxSBAR_CUSTOMIZE), true);
  customize->SetEnabled(!GetCustomizingForm());
  customize->OnClick = [Manager](TObject*) { Manager->SetCustomizing(true); };
}

void ShowToolbarsPopup(TdxBarManager* Manager, POINT ScreenPoint) {
  auto* popup = new TdxBarToolbarsPopup(Manager);
  if (popup->ItemLinks()->Count() == 0) {
    delete popup;
    return;
  }
  if (TCustomdxBarControl* open = ActiveBarControl()) open->Close();
  popup->SetBounds(ScreenPoint.x, ScreenPoint.y, 0, 0);
  popup->Show();
}

void TdxDockControl::WMRButtonDown(TMessage& Message) {
  if (!manager_ || manager_->IsCustomizing()) {
    inherited::Dispatch(Message);
    return;
  }
  ShowToolbarsPopup(manager_, ClientToScreen(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}));
}
