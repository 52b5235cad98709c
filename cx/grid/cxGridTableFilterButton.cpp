// The header's filter button dropping down the column filter pop-up, and the table controller's one
// pop-up per view.
#include "cx/grid/cxGridFilterPopup.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableView.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridFilterPopupHolder)

void TcxGridFilterPopupHolder::Reset(std::unique_ptr<TcxGridFilterPopup> APopup) {
  if (popup_) popup_->RemoveFreeNotification(this);
  popup_ = std::move(APopup);
  if (popup_) popup_->FreeNotification(this);
}

void TcxGridFilterPopupHolder::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && popup_ && AComponent == popup_.get()) static_cast<void>(popup_.release());
}

TcxGridFilterPopup* TcxGridTableController::FilterPopup() {
  if (!filterPopup_) filterPopup_ = std::make_unique<TcxGridFilterPopupHolder>();
  if (!filterPopup_->Get()) filterPopup_->Reset(CreateFilterPopup());
  return filterPopup_->Get();
}

TcxGridFilterPopup* TcxGridTableController::FilterPopupIfMade() const {
  return filterPopup_ ? filterPopup_->Get() : nullptr;
}

std::unique_ptr<TcxGridFilterPopup> TcxGridTableController::CreateFilterPopup() {
  return std::make_unique<TcxGridFilterPopup>(GridView());
}

TcxGridColumnHeaderFilterButtonViewInfo::~TcxGridColumnHeaderFilterButtonViewInfo() {
  if (auto* controller = dynamic_cast<TcxGridTableController*>(GridView()->Controller()))
    if (TcxGridFilterPopup* popup = controller->FilterPopupIfMade()) popup->FilterButtonDestroyed(this);
}

// The list runs its own loop: the layout may be rebuilt, and this button freed, before Popup
// returns, so nothing of the button is touched after it.
void TcxGridColumnHeaderFilterButtonViewInfo::StateChanged() {
  inherited::StateChanged();
  if (State() != gcsPressed || IsDestroying()) return;
  if (auto* controller = dynamic_cast<TcxGridTableController*>(GridView()->Controller()))
    controller->FilterPopup()->Popup(this);
}
