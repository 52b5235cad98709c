#include "dx/bars/dxBarButton.h"

#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TdxBarButton) {
  P.Property("AllowAllUp", &TdxBarButton::AllowAllUp, &TdxBarButton::SetAllowAllUp).Default(false);
  P.Property("ButtonStyle", &TdxBarButton::ButtonStyle, &TdxBarButton::SetButtonStyle).Default(bsDefault);
  P.Property("CloseSubMenuOnClick", &TdxBarButton::CloseSubMenuOnClick, &TdxBarButton::SetCloseSubMenuOnClick)
      .Default(true);
  P.Property("DropDownEnabled", &TdxBarButton::DropDownEnabled, &TdxBarButton::SetDropDownEnabled).Default(true);
  P.Property("GroupIndex", &TdxBarButton::GroupIndex, &TdxBarButton::SetGroupIndex).Default(0);
  P.Property("Down", &TdxBarButton::Down, &TdxBarButton::SetDown).Default(false);
  P.Property("ImageIndex", &TdxBarButton::ImageIndex, &TdxBarButton::SetImageIndex).Default(-1);
  P.Property("Lowered", &TdxBarButton::Lowered, &TdxBarButton::SetLowered).Default(false);
  P.Property("PaintStyle", &TdxBarButton::PaintStyle, &TdxBarButton::SetPaintStyle).Default(psStandard);
  P.Property("ShortCut", &TdxBarButton::ShortCut, &TdxBarButton::SetShortCut).Default(0);
  P.Property("UnclickAfterDoing", &TdxBarButton::UnclickAfterDoing, &TdxBarButton::SetUnclickAfterDoing)
      .Default(true);
}

TdxBarButton::TdxBarButton(TComponent* AOwner) : TdxBarItem(AOwner) {}

template <class Visit>
void TdxBarButton::ForEachGroupMember(Visit visit) const {
  if (!BarManager() || groupIndex_ == 0) return;
  for (int i = 0; i < BarManager()->ItemCount(); ++i) {
    auto* other = dynamic_cast<TdxBarButton*>(BarManager()->Items(i));
    if (other && other != this && other->buttonStyle_ == bsChecked && other->groupIndex_ == groupIndex_)
      if (!visit(other)) return;
  }
}

bool TdxBarButton::AnotherOfTheGroupIsDown() const {
  bool found = false;
  ForEachGroupMember([&](TdxBarButton* other) {
    found = other->down_;
    return !found;
  });
  return found;
}

void TdxBarButton::SetDown(bool Value) {
  if (down_ == Value || (Value && buttonStyle_ != bsChecked)) return;
  bool grouped = !IsLoading() && buttonStyle_ == bsChecked && groupIndex_ != 0;
  TdxBarButton* previous = nullptr;
  if (grouped) {
    if (Value) {
      ForEachGroupMember([&](TdxBarButton* other) {
        if (other->down_) previous = other;
        return previous == nullptr;
      });
    } else if (!allowAllUp_ && !AnotherOfTheGroupIsDown()) {
      return;
    }
  }
  down_ = Value;
  if (previous) previous->SetDown(false);
}

void TdxBarButton::SetAllowAllUp(bool Value) {
  allowAllUp_ = Value;
  ForEachGroupMember([&](TdxBarButton* other) {
    other->allowAllUp_ = Value;
    return true;
  });
}

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle Value) {
  if (buttonStyle_ == Value) return;
  buttonStyle_ = Value;
  SetDown(false);
  SizeChanged();
}

void TdxBarButton::SetGroupIndex(int Value) {
  if (groupIndex_ == Value) return;
  groupIndex_ = buttonStyle_ == bsChecked ? Value : 0;
  SetDown(false);
}

void TdxBarButton::SetDropDownMenu(TdxBarPopupMenu* Value) {
  if (dropDownMenu_ == Value) return;
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = Value;
  if (dropDownMenu_) dropDownMenu_->FreeNotification(this);
}

void TdxBarButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TdxBarButton::Click() {
  if (Enabled() && buttonStyle_ == bsChecked) SetDown(!down_);
  TdxBarItem::Click();
}

bool TdxBarButton::HasAccelerator(TdxBarItemLink* Link) const {
  if (!Enabled()) return false;
  // On a toolbar only a shown caption can be accelerated; a glyph-less standard button shows its
  // caption there.
  bool inToolbar = Link && Link->Owner() && Link->Owner()->IsToolbarLinks();
  if (!inToolbar) return true;
  TdxBarPaintStyle style = Link->PaintStyle();
  if (style == psStandard && Glyph()->Empty()) style = psCaption;
  return style == psCaption || style == psCaptionGlyph;
}
