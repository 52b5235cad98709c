#include "dx/bars/dxBarItemControl.h"

#include "dx/bars/dxBarControl.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarItemControl)

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* ALink)
    : link_(ALink), parent_(ALink && ALink->Owner() ? ALink->Owner()->BarControl() : nullptr) {}

TdxBarItemControl::~TdxBarItemControl() {
  TdxBarManager* manager = BarManager();
  if (manager) manager->ForgetSelectedItem(this);
  if (!parent_ || parent_->SelectedControl() != this) return;
  if (manager && !manager->IsDestroying() && !parent_->IsCustomizing() && link_ && link_->VisibleIndex() >= 0)
    parent_->HotSelect(nullptr);
  else
    parent_->ClearSelectedControl();
  if (parent_->SelectedControl() == this) parent_->ClearSelectedControl();
}

bool TdxBarItemControl::IsFlat() const { return parent_ && parent_->IsFlat(); }

TdxBarItemAlign TdxBarItemControl::Align() const {
  if (Item() && parent_ && parent_->CanAlignControl(this)) return Item()->Align();
  return iaLeft;
}

void TdxBarItemControl::SetPressed(bool Value) {
  if (pressed_ == Value) return;
  pressed_ = Value;
  if (!pressed_) Repaint();
}

bool TdxBarItemControl::IsSelected() const {
  return parent_ && parent_->SelectedControl() == this && !(hotSelected_ && !IsEnabled());
}

int TdxBarItemControl::Width() {
  if (Align() == iaClient && !(parent_ && parent_->IsVertical())) return GetMinWidth();
  return GetWidth();
}

int TdxBarItemControl::Height() {
  if (Align() == iaClient && parent_ && parent_->IsVertical())
    return parent_->PaintKind() == kPaintRotated ? GetMinWidth() : GetMinHeight();
  return GetHeight();
}

void TdxBarItemControl::Repaint() {
  if (parent_ && !parent_->ComponentState().Contains(csDestroying)) parent_->InvalidateItem(this);
}

bool TdxBarItemControl::CanSelect() const {
  if (!parent_ || !Item()) return false;
  return !(parent_->IsCustomizing() && BarManager() != Item()->BarManager());
}

void TdxBarItemControl::ControlActivate(bool) { active_ = true; }

void TdxBarItemControl::ControlInactivate(bool) { active_ = false; }

void TdxBarItemControl::ControlClick(bool ByMouse) {
  if (!IsEnabled()) return;
  TCustomdxBarControl* parent = parent_;
  TdxBarItemLink* link = link_;
  ControlPress(ByMouse);
  if (IsBarControlAlive(parent) && link->Control() == this) Click(ByMouse);
}

void TdxBarItemControl::Click(bool) {
  // Closing the menus may free the window and this control with it: take what the click needs first.
  TdxBarItemLink* link = link_;
  TdxBarItem* item = Item();
  TCustomdxBarControl* parent = parent_;
  bool closes = ClosesMenusOnClick();
  bool canClick = CanClickItem();
  // The entries a container item put into a menu go with the menu.
  TdxBarItemLink* clicked = link->ContainerLink() ? link->ContainerLink() : link;
  if (closes) link->CountClick();
  bool drawPressed = (!closes || !parent->IsPopupWindow()) && item->UnclickAfterDoing();
  if (drawPressed) SetPressed(true);
  if (closes) parent->Close();
  if (canClick) {
    item->SetClickItemLink(clicked);
    TScopeExit forget([item] { item->SetClickItemLink(nullptr); });
    item->DirectClick();
  }
  if (drawPressed && IsBarControlAlive(parent) && link->Control() == this) SetPressed(false);
}

void TdxBarItemControl::RebuildParent() {
  if (parent_) parent_->Rebuild();
}

void TdxBarItemControl::CaptionChanged() {
  if (Align() == iaClient)
    Repaint();
  else
    RebuildParent();
}

void TdxBarItemControl::EnabledChanged() {
  if (!IsEnabled() && parent_ && parent_->SelectedControl() == this) parent_->ClearSelectedControl();
  Repaint();
}

void TdxBarItemControl::VisibleChanged() { RebuildParent(); }
