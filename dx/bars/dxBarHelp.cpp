// F1 on bars and menus (WM_HELP reaching the owner form): the help of the item in question, as a
// pop-up below the item when the form shows the help button in its caption.
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"
#include "platform/win/Help.h"

namespace {

bool HasHelp(const TdxBarItemControl* Control) {
  return Control && Control->Item() && Control->Item()->HelpContext() != 0;
}

// In open menus: the selection of the innermost window, else the item that opened it, walking out.
TdxBarItemControl* HelpedInChain(TCustomdxBarControl* Active) {
  for (TCustomdxBarControl* w = Active; IsBarControlAlive(w); w = w->ParentBarControl())
    if (HasHelp(w->SelectedControl())) return w->SelectedControl();
  return nullptr;
}

TdxBarItemControl* HelpedUnderMouse(const HELPINFO& Info) {
  auto* window = dynamic_cast<TCustomdxBarControl*>(FindControl(static_cast<HWND>(Info.hItemHandle)));
  return window ? window->FindControlAt(window->ScreenToClient(Info.MousePos)) : nullptr;
}

}  // namespace

void TdxBarManager::HandleHelp(const HELPINFO& Info) {
  if (IsDesigning() || Info.iContextType != HELPINFO_WINDOW) return;
  TCustomdxBarControl* active = ActiveBarControl();
  TdxBarItemControl* control = active ? HelpedInChain(active) : HelpedUnderMouse(Info);
  // Closing the menus frees their item controls: what the help needs is taken first.
  const int context = control && control->Item() ? control->Item()->HelpContext() : 0;
  RECT item{};
  if (control) {
    item = control->ItemLink()->ItemRect();
    POINT origin = control->Parent()->ClientToScreen(POINT{0, 0});
    OffsetRect(&item, origin.x, origin.y);
  }
  if (TCustomdxBarControl* open = ActiveBarControl()) open->Close();
  if (context == 0 || !Application) return;
  if (parentForm_->BorderIcons().Contains(biHelp)) {
    const auto x = static_cast<WORD>((item.left + item.right) / 2), y = static_cast<WORD>(item.bottom);
    Application->HelpCommand(HELP_SETPOPUP_POS, MAKELONG(x, y));
    Application->HelpCommand(HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(context));
  } else {
    Application->HelpContext(context);
  }
}
