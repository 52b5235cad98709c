// A floating toolbar whose drop-down button "Send" opens a popup menu of four entries.
#pragma once

#include <vector>

#include "dx/bars/dxBarPopupMenu.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

class DxBarDropDownMenuTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    menu = new TdxBarPopupMenu(form);
    for (const char16_t* caption : {u"Mail", u"Printer", u"Disk", u"Archive"}) {
      auto* entry = new TdxBarButton(form);
      entry->SetCaption(caption);
      menu->ItemLinks()->Add()->SetItem(entry);
    }
    bar = MakeFloatingBar(200, 150, {u"Send"});
    auto* send = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(0)->Item());
    send->SetButtonStyle(bsDropDown);
    send->SetDropDownMenu(menu);
  }
  void Open() {
    RECT r = ScreenRectOf(bar->ItemLinks()->Items(0));
    ClickAt(POINT{r.right - 3, (r.top + r.bottom) / 2});
  }
  TdxBarSubMenuControl* Window() const { return menu->MenuControl(); }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(Window()->Handle(), &r);
    return r;
  }
  // The screen's pixels in R, row by row.
  static std::vector<COLORREF> Pixels(const RECT& R) {
    std::vector<COLORREF> pixels;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) pixels.push_back(ScreenPixel(x, y));
    return pixels;
  }
  TdxBarPopupMenu* menu = nullptr;
  TdxBar* bar = nullptr;
};
