#include "dx/bars/dxBarPopupMenu.h"

#include "dx/bars/dxBarStrs.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TdxBarPopupMenu) {
  P.Property("ItemLinks", &TdxBarPopupMenu::ItemLinks, &TdxBarPopupMenu::SetItemLinks);
  P.Property("UseRecentItems", &TdxBarPopupMenu::UseRecentItems, &TdxBarPopupMenu::SetUseRecentItems)
      .Default(false);
}

namespace {

TdxBarManager* ManagerForMenu(TComponent* AOwner) {
  if (TdxBarManager* m = BarManagerByForm(dynamic_cast<TCustomForm*>(AOwner))) return m;
  if (BarManagers() && BarManagers()->Count() > 0) return BarManagers()->Items(0);
  RaiseBarError(dxSBAR_NOMANAGERS);
}

}  // namespace

TdxBarPopupMenu::TdxBarPopupMenu(TComponent* AOwner) : TComponent(AOwner), manager_(ManagerForMenu(AOwner)) {
  itemLinks_ = std::make_unique<TdxBarItemLinks>(manager_, this);
  itemLinks_->SetUseRecentItems(false);
}

TdxBarPopupMenu::~TdxBarPopupMenu() {
  Destroying();
  itemLinks_.reset();
}

void TdxBarPopupMenu::Loaded() {
  inherited::Loaded();
  itemLinks_->SettleLoadedUsage(true);
}

TdxBarSubMenuControl* TdxBarPopupMenu::MenuControl() const {
  return static_cast<TdxBarSubMenuControl*>(itemLinks_->BarControl());
}

void TdxBarPopupMenu::PopupEx(int X, int Y, int OwnerWidth, int OwnerHeight) {
  ownerWidth_ = OwnerWidth;
  ownerHeight_ = OwnerHeight;
  TScopeExit restore([this] { ownerWidth_ = ownerHeight_ = 0; });
  Popup(X, Y);
}

void TdxBarPopupMenu::Popup(int X, int Y) {
  if (isOpen_ || MenuControl()) return;
  if (HWND capture = GetCapture()) {
    SendMessage(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  auto* menu = new TdxBarSubMenuControl(manager_);
  menu->SetItemLinks(itemLinks_.get());
  itemLinks_->SetBarControl(menu);
  menu->SetBounds(X, Y, 0, 0);
  menu->SetOwnerExtent(ownerWidth_, ownerHeight_);
  menu->PopupNotify = [this](TdxBarSubMenuControl*) {
    isOpen_ = true;
    if (OnPopup) OnPopup(this);
  };
  menu->CloseUpNotify = [this](TdxBarSubMenuControl*) {
    isOpen_ = false;
    if (OnCloseUp) OnCloseUp(this);
  };
  menu->Show();
  if (nonModal_) return;
  while (isOpen_) {
    MSG msg;
    TModalPeek peek = PeekModalMessage(msg);
    if (peek == TModalPeek::Handled) continue;
    if (peek == TModalPeek::Quit) break;
    // Commands of windows do not run while the menu is open.
    if (msg.message == WM_COMMAND) continue;
    if (!isOpen_) {
      PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}
