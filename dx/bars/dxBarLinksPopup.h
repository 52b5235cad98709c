// A context menu the library builds for the user (the toolbars list, a link's customizing menu):
// links of its own over temporary items, working as a menu even while the manager customizes.
#pragma once

#include <memory>

#include "dx/bars/dxBarSubMenuControl.h"

class TdxBarButton;

class TdxBarLinksPopup : public TdxBarSubMenuControl {
  TRENVIK_CLASS(TdxBarLinksPopup, TdxBarSubMenuControl);

 public:
  // Frees the temporary items no window shows any more.
  explicit TdxBarLinksPopup(TdxBarManager* Manager);
  ~TdxBarLinksPopup() override;
  bool IsCustomizing() const override { return false; }

 protected:
  TdxBarItemLinks* Links() const { return links_.get(); }
  // A temporary item linked at the end.
  void AddEntry(TdxBarItem* Item, bool BeginGroup);
  TdxBarButton* AddButton(const String& Caption, bool BeginGroup);

 private:
  std::unique_ptr<TdxBarItemLinks> links_;
};
