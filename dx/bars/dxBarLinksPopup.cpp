#include "dx/bars/dxBarLinksPopup.h"

#include "dx/bars/dxBarButton.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarLinksPopup)

TdxBarLinksPopup::TdxBarLinksPopup(TdxBarManager* Manager)
    : TdxBarSubMenuControl(Manager), links_(std::make_unique<TdxBarItemLinks>(Manager, this)) {
  links_->SetUseRecentItems(false);
  SetItemLinks(links_.get());
  links_->SetBarControl(this);
  FreeTemporaryItems();
}

TdxBarLinksPopup::~TdxBarLinksPopup() {
  // The window goes first: its item controls refer to these links.
  if (HandleAllocated()) DestroyHandle();
  links_->SetBarControl(nullptr);
  SetItemLinks(nullptr);
}

void TdxBarLinksPopup::AddEntry(TdxBarItem* Item, bool BeginGroup) {
  AddTemporaryItem(Item);
  TdxBarItemLink* link = links_->Add();
  link->SetItem(Item);
  link->SetBeginGroup(BeginGroup);
}

TdxBarButton* TdxBarLinksPopup::AddButton(const String& Caption, bool BeginGroup) {
  auto* button = new TdxBarButton(BarManager()->ParentForm());
  button->SetCaption(Caption);
  AddEntry(button, BeginGroup);
  return button;
}
