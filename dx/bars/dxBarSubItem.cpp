#include "dx/bars/dxBarSubItem.h"

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TCustomdxBarSubItem) {
  P.Property("BarSize", &TCustomdxBarSubItem::BarSize, &TCustomdxBarSubItem::SetBarSize).Default(0);
  P.Property("Detachable", &TCustomdxBarSubItem::Detachable, &TCustomdxBarSubItem::SetDetachable).Default(false);
  P.Property("DetachingBar", &TCustomdxBarSubItem::DetachingBar, &TCustomdxBarSubItem::SetDetachingBar).Default(-1);
  P.Property("ImageIndex", &TCustomdxBarSubItem::ImageIndex, &TCustomdxBarSubItem::SetImageIndex).Default(-1);
  P.Property("ShowCaption", &TCustomdxBarSubItem::ShowCaption, &TCustomdxBarSubItem::SetShowCaption).Default(true);
}

TRENVIK_PUBLISHED(TdxBarSubItem) {
  P.Property("AllowCustomizing", &TdxBarSubItem::AllowCustomizing, &TdxBarSubItem::SetAllowCustomizing)
      .Default(true);
  P.Property("ItemLinks", &TdxBarSubItem::ItemLinks, &TdxBarSubItem::SetItemLinks);
}

TCustomdxBarSubItem::TCustomdxBarSubItem(TComponent* AOwner)
    : TdxBarItem(AOwner), itemLinks_(std::make_unique<TdxBarItemLinks>(BarManager(), this)) {}

TCustomdxBarSubItem::~TCustomdxBarSubItem() { detachingBar_ = nullptr; }

int TCustomdxBarSubItem::DetachingBar() const { return detachingBar_ ? detachingBar_->Index() : -1; }

void TCustomdxBarSubItem::SetDetachingBar(int Value) {
  TdxBarManager* manager = BarManager();
  int count = manager ? manager->Bars()->Count() : 0;
  detachingBar_ = Value >= 0 && Value < count ? manager->Bars()->Items(Value) : nullptr;
}

void TCustomdxBarSubItem::SetShowCaption(bool Value) {
  if (showCaption_ == Value) return;
  showCaption_ = Value;
  SizeChanged();
}

void TCustomdxBarSubItem::Popup() {
  if (OnPopup) OnPopup(this);
}

void TCustomdxBarSubItem::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomdxBarSubItem::Detaching() {
  if (OnDetaching) OnDetaching(this);
}

void TCustomdxBarSubItem::BarManagerChanged() {
  // A bar of the manager it had is no bar of the new one.
  if (detachingBar_ && detachingBar_->BarManager() != BarManager()) detachingBar_ = nullptr;
  auto links = std::make_unique<TdxBarItemLinks>(BarManager(), this);
  links->Assign(itemLinks_.get());
  itemLinks_ = std::move(links);
}
