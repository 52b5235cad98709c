// The context menu of a link in customizing mode: reset, delete, rename, paint style, group start
// and, at design time, visibility and the recent-use mark.
#pragma once

#include "dx/bars/dxBarLinksPopup.h"

class TdxBarButton;
class TdxBarEdit;

class TdxBarCustomizingPopup : public TdxBarLinksPopup {
  TRENVIK_CLASS(TdxBarCustomizingPopup, TdxBarLinksPopup);

 public:
  enum TEntry { ceReset, ceDelete, ceName, ceDefaultStyle, ceTextOnly, ceTextInMenus, ceImageAndText, ceBeginGroup,
                ceVisible, ceMostRecentlyUsed };

  explicit TdxBarCustomizingPopup(TdxBarManager* Manager);
  ~TdxBarCustomizingPopup() override;
  TdxBarItemLink* Link() const { return link_; }
  // Fills the entries' states from the link the menu is opened for.
  void Prepare(TdxBarItemLink* Link);
  // The entry of that tag (none when the menu does not offer it).
  TdxBarItem* Entry(TEntry Tag) const;

 private:
  TdxBarButton* AddEntryButton(TEntry Tag, int TextId, bool BeginGroup, bool Check);
  void EntryClick(TObject* Sender);
  void NameChange(TObject* Sender);

  TdxBarItem* entries_[ceMostRecentlyUsed + 1] = {};
  TdxBarItemLink* link_ = nullptr;
};

// Opens the menu for the link at the screen point (one at a time).
void ShowCustomizingPopup(TdxBarItemLink* Link, POINT ScreenPoint);
TdxBarCustomizingPopup* OpenCustomizingPopup();
