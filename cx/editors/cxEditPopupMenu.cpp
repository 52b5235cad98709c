// The pop-up menu of an edit: the one set on it, or its own default menu.
#include "cx/editors/cxEdit.h"
#include "platform/forms/Menus.h"

TComponent* TcxCustomEdit::GetPopupMenu() {
  if (TComponent* menu = PopupMenu()) return menu;
  // The default menu reflects the edit's state at the moment it is asked for.
  defaultPopupMenu_.reset();
  return GetDefaultPopupMenu();
}

TPopupMenu* TcxCustomEdit::KeepDefaultPopupMenu(std::unique_ptr<TPopupMenu> AMenu) {
  defaultPopupMenu_ = std::move(AMenu);
  return defaultPopupMenu_.get();
}
