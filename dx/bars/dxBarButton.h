// The command button item: plain, a check button of an exclusive group, or with a drop-down menu.
#pragma once

#include "dx/bars/dxBarItem.h"

TRENVIK_ENUM(TdxBarButtonStyle, bsDefault, bsChecked, bsDropDown);

class TdxBarPopupMenu;

class TdxBarButton : public TdxBarItem {
  TRENVIK_CLASS(TdxBarButton, TdxBarItem);

 public:
  explicit TdxBarButton(TComponent* AOwner);

  bool AllowAllUp() const { return allowAllUp_; }
  // Shared by every button of the same group.
  void SetAllowAllUp(bool Value);
  TdxBarButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TdxBarButtonStyle Value);
  bool CloseSubMenuOnClick() const { return closeSubMenuOnClick_; }
  void SetCloseSubMenuOnClick(bool Value) { closeSubMenuOnClick_ = Value; }
  bool DropDownEnabled() const { return dropDownEnabled_; }
  void SetDropDownEnabled(bool Value) { dropDownEnabled_ = Value; }
  int GroupIndex() const { return groupIndex_; }
  // Kept only for check buttons.
  void SetGroupIndex(int Value);
  bool Down() const { return down_; }
  // Only check buttons go down; the last down button of a group without AllowAllUp stays down.
  void SetDown(bool Value);
  // The menu of a drop-down button.
  TdxBarPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TdxBarPopupMenu* Value);
  bool Lowered() const { return lowered_; }
  void SetLowered(bool Value) {
    lowered_ = Value;
    SizeChanged();
  }
  TdxBarPaintStyle PaintStyle() const override { return paintStyle_; }
  void SetPaintStyle(TdxBarPaintStyle Value) {
    paintStyle_ = Value;
    SizeChanged();
  }
  bool UnclickAfterDoing() const override { return unclickAfterDoing_; }
  void SetUnclickAfterDoing(bool Value) { unclickAfterDoing_ = Value; }

  // A check button toggles before the click runs.
  void Click() override;
  bool HasAccelerator(TdxBarItemLink* Link) const override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The other buttons of the manager in the same check group.
  template <class Visit>
  void ForEachGroupMember(Visit visit) const;
  bool AnotherOfTheGroupIsDown() const;

  bool allowAllUp_ = false;
  TdxBarButtonStyle buttonStyle_ = bsDefault;
  bool closeSubMenuOnClick_ = true;
  bool dropDownEnabled_ = true;
  int groupIndex_ = 0;
  bool down_ = false;
  bool lowered_ = false;
  TdxBarPaintStyle paintStyle_ = psStandard;
  bool unclickAfterDoing_ = true;
  TdxBarPopupMenu* dropDownMenu_ = nullptr;
};
