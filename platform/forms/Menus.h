// Menus: TMenuItem trees shown by TPopupMenu (a pop-up window and its modal menu loop) and by a
// menu bar (TMainMenu, the action manager's main menu bar); short cuts and their texts.
//
// A menu item's caption may carry an accelerator ("&Файл"); a caption of "-" is a separator.
// Items follow an action through their link like controls do. Owner-drawn menus measure and draw
// their items through OnMeasureItem/OnDrawItem.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/ActnList.h"
#include "platform/forms/Controls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/Exceptions.h"

class TBitmap;
class TCustomImageList;
class TMenu;
class TMenuItem;

TRENVIK_DECLARE_EXCEPTION(EMenuError, Exception);

// --- Short cuts: a virtual key with scShift, scCtrl and scAlt bits ---
using TShortCut = Word;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+O", "Shift+Ins", "Alt+F4", "Ctrl+Enter"; empty for scNone.
String ShortCutToText(TShortCut ShortCut);
// The inverse of ShortCutToText (modifier names case-insensitive); scNone when not understood.
TShortCut TextToShortCut(const String& Text);
// The short cut a key message makes with the keys held now.
TShortCut ShortCutFromMessage(const TWMKey& Message);
// The caption without its accelerator marks ("Save && &Close" -> "Save & Close"); GetHotkey and
// IsAccel (StdCtrls.h) find the accelerator.
String StripHotkey(const String& Text);
const String cHotkeyPrefix = u"&";
const String cLineCaption = u"-";

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)>;

// A menu item's link: the item takes the action's caption, state, image and short cut.
class TMenuActionLink : public TActionLink {
  TRENVIK_CLASS(TMenuActionLink, TActionLink);

 public:
  explicit TMenuActionLink(TMenuItem* AClient) : client_(AClient) {}

 protected:
  void Change() override;

 private:
  TMenuItem* client_;
};

class TMenuItem : public TComponent {
  TRENVIK_CLASS(TMenuItem, TComponent);

 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // --- Sub-items (owned: freed with the item) ---
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  void SetMenuIndex(int Value);
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out without freeing it.
  void Remove(TMenuItem* Item);
  // Frees the item at Index.
  void Delete(int Index);
  void Clear();
  int IndexOf(TMenuItem* Item) const;
  // The sub-item with that caption (accelerators ignored), or nullptr.
  TMenuItem* Find(const String& ACaption) const;
  // The menu the item belongs to (through its parents), or nullptr.
  TMenu* GetParentMenu() const;

  // --- What it shows ---
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool IsLine() const { return caption_ == cLineCaption; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool Value) { radioItem_ = Value; }
  Byte GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(Byte Value) { groupIndex_ = Value; }
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool Value) { autoCheck_ = Value; }
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  // A picture of its own, drawn where the image would be (made on first use).
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value);
  bool HasBitmap() const;
  // The images of the item's parent menu.
  TCustomImageList* GetImageList() const;

  // --- Action ---
  TBasicAction* Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }
  void SetAction(TBasicAction* Value);
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  void InitiateAction();

  // Runs the action or OnClick (nothing when disabled); AutoCheck toggles Checked first.
  virtual void Click();
  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

  // --- Streaming: sub-items are children of their item ---
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  // An item read as a child of an item or a menu joins it (before its own children are read).
  void ReadState(TReader* Reader) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TMenu;
  void TurnSiblingsOff();

  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on a menu's root item
  String caption_;
  String hint_;
  TShortCut shortCut_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool radioItem_ = false;
  bool autoCheck_ = false;
  bool default_ = false;
  Byte groupIndex_ = 0;
  int imageIndex_ = -1;
  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TMenuActionLink> actionLink_;
};

TRENVIK_ENUM(TPopupAlignment, paLeft, paRight, paCenter);

class TMenu : public TComponent {
  TRENVIK_CLASS(TMenu, TComponent);

 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root item; the menu's items are its sub-items.
  TMenuItem* Items() const { return items_; }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool Value) { ownerDraw_ = Value; }
  // Runs the enabled, visible item (at any depth) with the key's short cut; true when one ran.
  bool IsShortCut(TWMKey& Message);
  // The item whose short cut this is (enabled or not), or nullptr.
  TMenuItem* FindShortCut(TShortCut Key) const;

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TMenuItem* items_;
  TCustomImageList* images_ = nullptr;
  bool ownerDraw_ = false;
};

class TPopupMenu : public TMenu {
  TRENVIK_CLASS(TPopupMenu, TMenu);

 public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
  // Shows the menu at the screen point and returns when it closes; the chosen item's Click runs
  // once the menu is gone.
  virtual void Popup(int X, int Y);
  // The control the menu was last shown for (WM_CONTEXTMENU).
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* Value) { popupComponent_ = Value; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool Value) { autoPopup_ = Value; }
  TNotifyEvent OnPopup;

 protected:
  virtual void DoPopup(TObject* Sender);

 private:
  TComponent* popupComponent_ = nullptr;
  TPopupAlignment alignment_ = paLeft;
  bool autoPopup_ = true;
};

class TMainMenu : public TMenu {
  TRENVIK_CLASS(TMainMenu, TMenu);

 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

// Start-up of the menus: the pop-up window class and the hooks that bring WM_CONTEXTMENU and
// short cuts to menus and action lists.
void InitMenusModule();
void FinalizeMenusModule();
