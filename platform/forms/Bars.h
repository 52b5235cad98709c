// The framework's bars: TStatusBar (panels, size grip), TToolBar with TToolButton (actions,
// separators, images, flat look with hot tracking) and TCoolBar (bands holding other bars). All
// are drawn by the framework's own code in the classic look.
#pragma once

#include <functional>
#include <optional>

#include "platform/classes/Collection.h"
#include "platform/forms/ActnList.h"
#include "platform/forms/Controls.h"
#include "platform/forms/ExtCtrls.h"

class TCustomImageList;
class TChangeLink;
class TStatusBar;
class TToolBar;
class TCoolBar;

// --- Status bar ---

TRENVIK_ENUM(TStatusPanelStyle, psText, psOwnerDraw);
TRENVIK_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised);

class TStatusPanel : public TCollectionItem {
  TRENVIK_CLASS(TStatusPanel, TCollectionItem);

 public:
  explicit TStatusPanel(TCollection* Collection);
  const String& Text() const { return text_; }
  void SetText(const String& Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel Value);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle Value);

 private:
  String text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  TStatusPanelBevel bevel_ = pbLowered;
  TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TOwnedCollection {
  TRENVIK_CLASS(TStatusPanels, TOwnedCollection);

 public:
  explicit TStatusPanels(TStatusBar* Owner);
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TStatusBar* bar_;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const RECT& Rect)>;

class TStatusBar : public TCustomControl {
  TRENVIK_CLASS(TStatusBar, TCustomControl);

 public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return panels_.get(); }
  void SetPanels(TStatusPanels* Value) { panels_->Assign(Value); }
  // One panel across the bar showing SimpleText instead of the panels.
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool Value);
  const String& SimpleText() const { return simpleText_; }
  void SetSimpleText(const String& Value);
  // The grip is drawn (and sizes the form) only while the form can be sized and is not maximised.
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool Value);
  bool SizeGripShown();
  // The panel's rectangle in client coordinates (the last panel reaches to the grip).
  RECT PanelRect(int Index);
  RECT SizeGripRect();
  TDrawPanelEvent OnDrawPanel;

 protected:
  void Paint() override;
  virtual void DrawPanel(TStatusPanel* Panel, const RECT& Rect);

 private:
  TRENVIK_MESSAGES(TStatusBar);
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void PaintText(const String& Text, RECT R, TAlignment Alignment);

  std::unique_ptr<TStatusPanels> panels_;
  String simpleText_;
  bool simplePanel_ = false;
  bool sizeGrip_ = true;
};

// --- Tool bar ---

TRENVIK_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider);

class TToolButton : public TGraphicControl {
  TRENVIK_CLASS(TToolButton, TGraphicControl);

 public:
  explicit TToolButton(TComponent* AOwner);
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  // A check button stays down; in a group only one is down.
  bool Down() const { return down_; }
  void SetDown(bool Value);
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool Value) { grouped_ = Value; }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool Value);
  // On a bar that shows captions, this button may still show its image alone.
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool Value);
  // The caption is drawn: the bar shows captions and the button does.
  bool CaptionShown();
  // Under the mouse on a flat bar.
  bool Hot() const { return hot_; }
  TToolBar* ToolBar() const;
  bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }
  void Click() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void SetParent(TWinControl* AParent) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TRENVIK_MESSAGES(TToolButton);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void SetHot(bool Value);

  TToolButtonStyle style_ = tbsButton;
  int imageIndex_ = -1;
  // The action's picture as last taken from it (none before the first change): the button's
  // picture follows the action only while it is that one.
  std::optional<int> actionImageIndex_;
  bool down_ = false;
  bool grouped_ = false;
  bool wrap_ = false;
  bool hot_ = false;
  bool pressed_ = false;
  bool showCaption_ = true;
};

TRENVIK_ENUM(TEdgeBorder, ebLeft, ebTop, ebRight, ebBottom);
using TEdgeBorders = Set<TEdgeBorder>;

class TToolBar : public TCustomControl {
  TRENVIK_CLASS(TToolBar, TCustomControl);

 public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;

  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return disabledImages_; }
  void SetDisabledImages(TCustomImageList* Value);
  TCustomImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TCustomImageList* Value);
  // Buttons without a frame until the mouse is over them.
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool Value);
  // Captions right of the images instead of below them.
  bool List() const { return list_; }
  void SetList(bool Value);
  TEdgeBorders EdgeBorders() const { return edgeBorders_; }
  void SetEdgeBorders(TEdgeBorders Value);
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);

  // The buttons and other controls in their order on the bar.
  int ButtonCount() const;
  TToolButton* Buttons(int Index) const;
  // The height the buttons need (ButtonHeight with captions shown).
  int RowHeight();
  // The width of a button as laid out.
  int ButtonWidthFor(TToolButton* Button);

 protected:
  void AlignControls(TControl* AControl, RECT& Rect) override;
  void AdjustClientRect(RECT& Rect) override;
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolButton;
  void Relayout();
  void ImagesChanged(TObject* Sender);
  void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);

  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* disabledImages_ = nullptr;
  TCustomImageList* hotImages_ = nullptr;
  std::unique_ptr<TChangeLink> imageChangeLink_;
  bool flat_ = false;
  bool showCaptions_ = false;
  bool list_ = false;
  bool wrapable_ = true;
  bool autoSize_ = false;
  bool relayingOut_ = false;
  TEdgeBorders edgeBorders_{ebTop};
};

// --- Cool bar ---

class TCoolBand : public TCollectionItem {
  TRENVIK_CLASS(TCoolBand, TCollectionItem);

 public:
  explicit TCoolBand(TCollection* Collection);
  ~TCoolBand() override;
  TWinControl* Control() const { return control_; }
  void SetControl(TWinControl* Value);
  const String& Text() const { return text_; }
  void SetText(const String& Value);
  // The band's width; 0 lets the band fill what its row leaves.
  int Width() const { return width_; }
  void SetWidth(int Value);
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int Value);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value);
  // Starts a new row.
  bool Break() const { return break_; }
  void SetBreak(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  TCoolBar* CoolBar() const;

 private:
  friend class TCoolBar;
  TWinControl* control_ = nullptr;
  String text_;
  int width_ = 0;
  int minHeight_ = 25;
  int minWidth_ = 0;
  bool break_ = true;
  bool visible_ = true;
};

class TCoolBands : public TOwnedCollection {
  TRENVIK_CLASS(TCoolBands, TOwnedCollection);

 public:
  explicit TCoolBands(TCoolBar* Owner);
  TCoolBand* Add() { return static_cast<TCoolBand*>(TCollection::Add()); }
  TCoolBand* Items(int Index) const { return static_cast<TCoolBand*>(TCollection::Items(Index)); }
  // The band holding the control, or nullptr.
  TCoolBand* FindBand(TControl* AControl) const;
  TCoolBar* CoolBar() const { return bar_; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TCoolBar* bar_;
};

class TCoolBar : public TCustomControl {
  TRENVIK_CLASS(TCoolBar, TCustomControl);

 public:
  explicit TCoolBar(TComponent* AOwner);
  ~TCoolBar() override;
  TCoolBands* Bands() const { return bands_.get(); }
  void SetBands(TCoolBands* Value) { bands_->Assign(Value); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  bool ShowText() const { return showText_; }
  void SetShowText(bool Value);
  // The band's rectangle in client coordinates (its grip, text and control).
  RECT BandRect(int Index);

 protected:
  void AlignControls(TControl* AControl, RECT& Rect) override;
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCoolBand;
  friend class TCoolBands;
  // Rows of bands laid out across the width; the control of each band placed after its grip.
  void LayoutBands();
  int TextWidth(TCoolBand* Band);

  std::unique_ptr<TCoolBands> bands_;
  std::vector<RECT> bandRects_;
  bool autoSize_ = true;
  bool showText_ = true;
  bool layingOut_ = false;
};

void RegisterComCtrlsClasses();
