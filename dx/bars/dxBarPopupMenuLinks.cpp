#include "dx/bars/dxBarPopupMenuLinks.h"

#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TdxBarPopupMenuLink) {
  P.Property("Control", &TdxBarPopupMenuLink::Control, &TdxBarPopupMenuLink::SetControl);
  P.Property("PopupMenu", &TdxBarPopupMenuLink::PopupMenu, &TdxBarPopupMenuLink::SetPopupMenu);
}
TRENVIK_IMPLEMENT_CLASS(TdxBarPopupMenuLinks)

namespace {

// The control's own context-popup handling, which may answer the request itself.
struct TContextPopupAccess : TControl {
  using TControl::DoContextPopup;
};

bool ControlHandlesContextPopup(TWinControl* Control, POINT Position) {
  bool handled = false;
  (Control->*&TContextPopupAccess::DoContextPopup)(Position, handled);
  return handled;
}

}  // namespace

TdxBarPopupMenuLink::TdxBarPopupMenuLink(TCollection* Collection) : TCollectionItem(Collection) {}

void TdxBarPopupMenuLink::Assign(TPersistent* Source) {
  auto* link = dynamic_cast<TdxBarPopupMenuLink*>(Source);
  if (!link) return inherited::Assign(Source);
  SetControl(link->Control());
  SetPopupMenu(link->PopupMenu());
}

TdxBarManager* TdxBarPopupMenuLink::BarManager() const {
  auto* links = static_cast<TdxBarPopupMenuLinks*>(Collection());
  return links ? links->BarManager() : nullptr;
}

void TdxBarPopupMenuLink::SetControl(TWinControl* Value) {
  TdxBarManager* manager = BarManager();
  if (Value && (!manager || GetParentForm(Value) != manager->ParentForm())) Value = nullptr;
  control_ = Value;
  if (control_) control_->FreeNotification(manager);
}

void TdxBarPopupMenuLink::SetPopupMenu(TdxBarPopupMenu* Value) {
  popupMenu_ = Value;
  if (popupMenu_ && BarManager()) popupMenu_->FreeNotification(BarManager());
}

bool TdxBarPopupMenuLink::AllowPopup(int& X, int& Y, bool ClickedByMouse) {
  bool allow = popupMenu_ != nullptr;
  if (OnAction) OnAction(this, X, Y, ClickedByMouse, allow);
  return allow;
}

bool TdxBarPopupMenuLink::HandleShortCut(TShortCut ShortCut) {
  int x = -1, y = -1;
  if (!AllowPopup(x, y, false) || !popupMenu_) return false;
  return popupMenu_->FindShortCut(ShortCut);
}

bool TdxBarPopupMenuLink::ShowPopup(HWND Window, POINT Point) {
  // The request came as a key or a click: the window's own WM_CONTEXTMENU would ask again.
  MSG pending;
  PeekMessage(&pending, Window, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE);
  const bool byMouse = Point.x != -1 || Point.y != -1;
  POINT inWindow = Point;
  if (byMouse) {
    ScreenToClient(Window, &inWindow);
  } else if (!GetCaretPos(&inWindow)) {
    inWindow = POINT{0, 0};
  }
  POINT onScreen = inWindow;
  ClientToScreen(Window, &onScreen);
  POINT inControl = control_->ScreenToClient(onScreen);
  if (ControlHandlesContextPopup(control_, byMouse ? inControl : POINT{-1, -1})) return true;
  int x = inControl.x, y = inControl.y;
  bool allow = AllowPopup(x, y, byMouse);
  if (!allow || !popupMenu_) return allow;
  if (IsWindowEnabled(Window)) SetFocus(Window);
  POINT at = control_->ClientToScreen(POINT{x, y});
  popupMenu_->Popup(at.x, at.y);
  return true;
}

TdxBarPopupMenuLinks::TdxBarPopupMenuLinks(TdxBarManager* Manager)
    : TCollection(TdxBarPopupMenuLink::StaticClass()), manager_(Manager) {}

TPersistent* TdxBarPopupMenuLinks::GetOwner() { return manager_; }

bool TdxBarPopupMenuLinks::HandleShortCut(TWinControl* Control, TShortCut ShortCut) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Control() == Control && Items(i)->HandleShortCut(ShortCut)) return true;
  return false;
}

bool TdxBarPopupMenuLinks::ShowPopupFor(TWinControl* Control, HWND Window, POINT Point) {
  if (manager_->IsDesigning()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Control() == Control && Items(i)->ShowPopup(Window, Point)) return true;
  return false;
}

void TdxBarPopupMenuLinks::Forget(const TComponent* Component) {
  for (int i = 0; i < Count(); ++i) {
    TdxBarPopupMenuLink* link = Items(i);
    if (link->Control() == Component) link->SetControl(nullptr);
    if (link->PopupMenu() == Component) link->SetPopupMenu(nullptr);
  }
}
