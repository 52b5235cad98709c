// The drop-down menu of four entries as a short menu: Printer and Archive were designed as rarely
// used, so the menu first lists Mail and Disk above its expand button.
#pragma once

#include "dx/bars/tests/dxBarDropDownMenuFixture.h"

class DxBarShortMenuTest : public DxBarDropDownMenuTest {
 protected:
  void SetUp() override {
    DxBarDropDownMenuTest::SetUp();
    manager->SetShowFullMenusAfterDelay(false);
    menu->SetUseRecentItems(true);
    for (int i : {1, 3}) menu->ItemLinks()->Items(i)->SetMostRecentlyUsed(false);
  }
  size_t Shown() const { return menu->ItemLinks()->VisibleItems().size(); }
  // A point of the menu window in screen coordinates.
  POINT OnScreen(POINT ClientPoint) const { return Window()->ClientToScreen(ClientPoint); }
  POINT EntryCentre(int Index) const {
    return OnScreen(CentreOf(menu->ItemLinks()->Items(Index)->ItemRect()));
  }
  POINT ExpandButtonCentre() const { return OnScreen(CentreOf(Window()->ExpandButtonRect())); }
  void Wait(UINT Milliseconds) {
    clock->Advance(Milliseconds);
    Pump();
  }
};
