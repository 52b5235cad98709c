// The sub-menu editor: a caption bar with the menu of a sub-item's (or popup menu's) links shown
// right under it, so that the links can be edited by dragging while customizing. One at a time.
#pragma once

#include "platform/forms/Forms.h"

class TdxBarItemLinks;
class TdxBarManager;
class TdxBarSubMenuControl;

class TdxBarSubMenuEditor : public TForm {
  TRENVIK_CLASS(TdxBarSubMenuEditor, TForm);

 public:
  explicit TdxBarSubMenuEditor(TdxBarManager* Manager);
  ~TdxBarSubMenuEditor() override;

  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  // Setting none frees the editor.
  void SetItemLinks(TdxBarItemLinks* Value);
  // The menu window of the links, while it is shown.
  TdxBarSubMenuControl* MenuControl() const;
  // Shows the links' menu right under the editor, which takes the menu's width; not while an item
  // that the links' sub-item may not contain is being dragged.
  void ShowMenu();
  void CloseMenu();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Activate() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

 private:
  bool DraggedItemRefused() const;
  void FollowWithMenu();

  TdxBarManager* manager_;
  TdxBarItemLinks* itemLinks_ = nullptr;
  TComponent* linksOwner_ = nullptr;
  int menuWidth_ = 0;
};

// Enters customizing mode (the customizing form on its commands page) and shows the editor for
// the links.
void ShowSubMenuEditor(TdxBarItemLinks* ItemLinks);
TdxBarSubMenuEditor* GetSubMenuEditor();
// Frees the editor when there is one.
void FreeSubMenuEditor();
// The owner form of a customizing manager was shown or hidden (the flags of its window position
// change): the editor goes with it.
void SubMenuEditorFollowOwnerForm(TdxBarManager* Manager, UINT Flags);
