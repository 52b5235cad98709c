// The toolbars context menu: a right click on a toolbar lists the manager's toolbars with check
// marks (a click shows or hides one) and "&Customize...".
#pragma once

#include <memory>

#include "dx/bars/dxBarSubMenuControl.h"

class TdxBarToolbarsPopup : public TdxBarSubMenuControl {
  TRENVIK_CLASS(TdxBarToolbarsPopup, TdxBarSubMenuControl);

 public:
  explicit TdxBarToolbarsPopup(TdxBarManager* Manager);
  ~TdxBarToolbarsPopup() override;
  bool IsCustomizing() const override { return false; }

 private:
  std::unique_ptr<TdxBarItemLinks> links_;
};

// Shows the menu at the screen point; nothing when it would have no entries.
void ShowToolbarsPopup(TdxBarManager* Manager, POINT ScreenPoint);
