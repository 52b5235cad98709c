// Bar items: the non-visual commands that links place into bars and menus.
#pragma once

#include <memory>
#include <vector>

#include "dx/bars/dxBarServices.h"
#include "platform/classes/Component.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/Menus.h"

class TBasicAction;
class TdxBarItemActionLink;
class TdxBarItemControl;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarManager;

TRENVIK_ENUM(TdxBarItemAlign, iaLeft, iaCenter, iaRight, iaClient);

class TdxBarItem : public TComponent {
  TRENVIK_CLASS(TdxBarItem, TComponent);

 public:
  // Joins the owner form's manager, or the first manager there is.
  explicit TdxBarItem(TComponent* AOwner);
  ~TdxBarItem() override;

  TdxBarManager* BarManager() const { return barManager_; }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }

  TdxBarItemAlign Align() const { return align_; }
  void SetAlign(TdxBarItemAlign Value);
  const String& Caption() const { return caption_; }
  // The hint follows the caption while it is empty or its short part is the old caption's plain text.
  void SetCaption(const String& Value);
  int Category() const { return category_; }
  // Values outside the manager's categories are ignored (kept as read while loading).
  void SetCategory(int Value);
  // The manager renumbering its categories: stored as given.
  void SetCategoryRaw(int Value) { category_ = Value; }
  const String& Description() const { return description_; }
  void SetDescription(const String& Value) { description_ = Value; }
  // During run-time customizing an item with a category reads as enabled.
  bool Enabled() const;
  void SetEnabled(bool Value);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  TdxBarItemVisible Visible() const { return visible_; }
  void SetVisible(TdxBarItemVisible Value);
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);

  // Whether the item may be shown at all: always, or in customizing mode.
  bool IsVisible() const;
  // Takes the Visible value read from the form file (the manager settles it before showing its bars).
  void ApplyLoadedVisible();
  int LinkCount() const { return static_cast<int>(links_.size()); }
  TdxBarItemLink* Links(int Index) const;
  bool HasControls() const;
  // The link whose click is running (set by the bar windows for the click's duration).
  TdxBarItemLink* ClickItemLink() const { return clickItemLink_; }
  void SetClickItemLink(TdxBarItemLink* Value) { clickItemLink_ = Value; }
  String GetPlainCaption() const { return ::GetPlainCaption(caption_); }

  // Runs the click when the item can be clicked (shortcuts come this way).
  virtual void Click();
  // Reports the click to the manager and runs it; what a handler raises goes to the application.
  void DirectClick();
  virtual bool CanClick() const { return true; }
  virtual bool HasAccelerator(TdxBarItemLink* Link) const;
  virtual bool HiddenInCustomizing() const { return false; }
  // The links of a sub item (menus nest through them); none for plain items.
  virtual TdxBarItemLinks* ItemLinks() const { return nullptr; }
  // The paint style links take unless they define their own (buttons have one).
  virtual TdxBarPaintStyle PaintStyle() const { return psStandard; }
  // Whether a control is drawn pressed while the click runs (buttons may turn it off).
  virtual bool UnclickAfterDoing() const { return true; }
  // Whether the hint follows the caption (sub items keep theirs).
  virtual bool HintFollowsCaption() const { return true; }

  // Items are written by their manager, which leaves out those without a category (made on the fly),
  // so no item is ever written as a child of the form itself.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // The framework's action the item follows: its caption, state, image, short cut and its execution.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  // Copies the action's values: all of them (the action changed), or only into values still at
  // their defaults (CheckDefaults: once the item is read, or the action was assigned while loading).
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  // What an action supplies is not written to form files.
  bool IsCaptionStored() const;
  bool IsEnabledStored() const;
  bool IsHelpContextStored() const;
  bool IsHintStored() const;
  bool IsImageIndexStored() const;
  bool IsShortCutStored() const;
  bool IsVisibleStored() const;
  bool IsOnClickStored() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDestroy;

 protected:
  virtual void DoClick();
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  // A change of the controls' size: their bar windows lay out again.
  void SizeChanged();
  virtual void BarManagerChanged() {}
  void Loaded() override;
  // Read under a manager: joins that manager.
  void ReadState(TReader* Reader) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  TdxBarItemActionLink* ItemActionLink() const { return actionLink_.get(); }
  // The action's Checked for items that have a down state (buttons).
  virtual void ActionCheckedChange(bool /*Checked*/, bool /*CheckDefaults*/) {}

 private:
  friend class TdxBarItemLink;
  friend class TdxBarManager;
  void AddLink(TdxBarItemLink* Link) { links_.push_back(Link); }
  void RemoveLink(TdxBarItemLink* Link);
  template <class Notify>
  void ForEachControl(Notify notify);

  TdxBarManager* barManager_ = nullptr;
  std::vector<TdxBarItemLink*> links_;
  TdxBarItemAlign align_ = iaLeft;
  String caption_;
  int category_ = -1;
  String description_;
  bool enabled_ = true;
  int helpContext_ = 0;
  String hint_;
  TdxBarItemVisible visible_ = ivAlways;
  TdxBarItemVisible loadedVisible_ = ivAlways;
  std::unique_ptr<TBitmap> glyph_;
  int imageIndex_ = -1;
  TShortCut shortCut_ = 0;
  TdxBarItemLink* clickItemLink_ = nullptr;
  std::unique_ptr<TdxBarItemActionLink> actionLink_;
};
