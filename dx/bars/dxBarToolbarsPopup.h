// The toolbars context menu: a right click on a toolbar lists the manager's toolbars with check
// marks (a click shows or hides one) and "&Customize...".
#pragma once

#include "dx/bars/dxBarLinksPopup.h"

class TdxBarToolbarsPopup : public TdxBarLinksPopup {
  TRENVIK_CLASS(TdxBarToolbarsPopup, TdxBarLinksPopup);

 public:
  explicit TdxBarToolbarsPopup(TdxBarManager* Manager);
};

// Shows the menu at the screen point; nothing when it would have no entries.
void ShowToolbarsPopup(TdxBarManager* Manager, POINT ScreenPoint);
