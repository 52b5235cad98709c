// Sub-items: items that open a drop-down menu of links of their own (main-menu entries, cascading
// sub-menus).
#pragma once

#include <memory>

#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarItemLinks.h"

class TCanvas;
class TdxBar;

using TdxBarPaintSubMenuBarEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const RECT& R)>;

class TCustomdxBarSubItem : public TdxBarItem {
  TRENVIK_CLASS(TCustomdxBarSubItem, TdxBarItem);

 public:
  explicit TCustomdxBarSubItem(TComponent* AOwner);
  ~TCustomdxBarSubItem() override;

  TdxBarItemLinks* ItemLinks() const override { return itemLinks_.get(); }
  void SetItemLinks(TdxBarItemLinks* Value) { itemLinks_->Assign(Value); }
  int BarSize() const { return barSize_; }
  void SetBarSize(int Value) { barSize_ = Value < 0 ? 0 : Value; }
  bool Detachable() const { return detachable_; }
  void SetDetachable(bool Value) { detachable_ = Value; }
  // The index of the bar a torn-off menu becomes, -1 for none; the bar is held by reference, so the
  // index follows it when bars before it go, and becomes -1 when it goes itself.
  int DetachingBar() const;
  // Out of the manager's bars: -1.
  void SetDetachingBar(int Value);
  // The bar goes away.
  void ForgetDetachingBar(TdxBar* Bar) {
    if (detachingBar_ == Bar) detachingBar_ = nullptr;
  }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool Value);
  // Shortcuts do not click sub-items: a click opens the menu.
  bool CanClick() const override { return false; }
  bool HintFollowsCaption() const override { return false; }

  void Popup();
  void CloseUp();
  // Its menu is being torn off.
  void Detaching();

  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;
  TNotifyEvent OnDetaching;
  TdxBarPaintSubMenuBarEvent OnPaintBar;

 protected:
  void BarManagerChanged() override;

 private:
  std::unique_ptr<TdxBarItemLinks> itemLinks_;
  int barSize_ = 0;
  bool detachable_ = false;
  TdxBar* detachingBar_ = nullptr;
  bool showCaption_ = true;
};

class TdxBarSubItem : public TCustomdxBarSubItem {
  TRENVIK_CLASS(TdxBarSubItem, TCustomdxBarSubItem);

 public:
  explicit TdxBarSubItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}

  bool AllowCustomizing() const { return allowCustomizing_; }
  void SetAllowCustomizing(bool Value) { allowCustomizing_ = Value; }

 private:
  bool allowCustomizing_ = true;
};
