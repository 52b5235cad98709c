// The customizing form's design-time context menus (categories, commands): entries whose state is
// worked out when the menu opens, each running its action once the menu has closed.
#pragma once

#include <functional>

#include "dx/bars/dxBarLinksPopup.h"

class TdxBarButton;
class TdxBarCombo;

class TdxBarDesignMenu : public TdxBarLinksPopup {
  TRENVIK_CLASS(TdxBarDesignMenu, TdxBarLinksPopup);

 public:
  explicit TdxBarDesignMenu(TdxBarManager* Manager);
  ~TdxBarDesignMenu() override;

  // A command: its text from the string table, the short cut shown beside it.
  TdxBarButton* AddCommand(int TextId, TShortCut ShortCut, bool BeginGroup, bool Enabled, std::function<void()> Action);
  // A checked entry, down when Checked; a click runs the action.
  TdxBarButton* AddCheck(int TextId, bool BeginGroup, bool Enabled, bool Checked, std::function<void()> Action);
  // A list without an editor, found again by Tag; choosing a string runs the action with its index.
  TdxBarCombo* AddChoice(int Tag, const String& Caption, std::initializer_list<const char16_t*> Strings, int ItemIndex,
                         bool Enabled, std::function<void(int)> Action);
  // The entry of that text id (or choice tag), or none.
  TdxBarItem* EntryOf(int Tag) const;

  // Opens the menu at the screen point; OwnerHeight is the height of the button it drops from.
  void Open(POINT ScreenPoint, int OwnerHeight = 0);
};

// The design menu now open, or none.
TdxBarDesignMenu* OpenDesignMenu();
