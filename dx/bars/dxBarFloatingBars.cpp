// Floating bars shown and hidden with the activation of their owner form.
#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

// Windows of the library (bar windows, menus) are no forms: the form keeps its floating bars when
// one of them takes the activation. Every window here belongs to this process.
bool KeepsFloatingBars(HWND Activated, bool Customizing) {
  if (!Activated) return false;
  TWinControl* control = FindControl(Activated);
  if (!dynamic_cast<TCustomForm*>(control)) return Application == nullptr || Activated != Application->Handle();
  return Customizing && control == GetCustomizingForm();
}

}  // namespace

void TdxBarManager::SetHideFloatingBarsWhenInactive(bool Value) {
  if (hideFloatingBarsWhenInactive_ == Value) return;
  hideFloatingBarsWhenInactive_ = Value;
  UpdateFloatingBars(formActive_ || !Value, false, nullptr);
}

void TdxBarManager::UpdateFloatingBars(bool Active, bool Force, HWND ActivatedWindow) {
  if (floatingUpdate_ || !parentForm_ || !parentForm_->HandleAllocated()) return;
  TValueScope<bool> guard(floatingUpdate_, true);
  std::vector<HWND> floating;
  for (int i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->Items(i);
    TdxBarControl* control = bar->Control();
    if (bar->Visible() && control && control->Floating() && control->HandleAllocated())
      floating.push_back(control->Handle());
  }
  if (Active) {
    if (IsIconic(parentForm_->Handle())) return;
    for (HWND window : floating) ShowWindow(window, SW_SHOWNOACTIVATE);
    return;
  }
  if (!hideFloatingBarsWhenInactive_ && !Force) return;
  if (TCustomdxBarControl* open = ActiveBarControl(); open && open->BarManager() == this) open->Close();
  if (KeepsFloatingBars(ActivatedWindow, isCustomizing_)) return;
  for (HWND window : floating)
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessage(parentForm_->Handle(), WM_NCACTIVATE, FALSE, 0);
}

void TdxBarManager::FloatingBarsFollowForm(UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_ACTIVATE: {
      auto* activated = reinterpret_cast<HWND>(LParam);
      auto* control = dynamic_cast<TCustomdxBarControl*>(FindControl(activated));
      if (LOWORD(WParam) == WA_INACTIVE && control && control->BarManager() == this) return;
      formActive_ = LOWORD(WParam) != WA_INACTIVE;
      UpdateFloatingBars(formActive_, false, activated);
      // The owner form, disabled while customizing, hands its activation to the customizing form.
      TdxBarCustomizingForm* customizing = GetCustomizingForm();
      if (!floatingUpdate_ && formActive_ && customizing && isCustomizing_ && customizing->HandleAllocated() &&
          !IsWindowEnabled(parentForm_->Handle()))
        SendMessage(customizing->Handle(), WM_ACTIVATE, WParam, reinterpret_cast<LPARAM>(parentForm_->Handle()));
      return;
    }
    case WM_ACTIVATEAPP:
      if (WParam) return;
      UpdateFloatingBars(false, false, nullptr);
      // Another program's window came up: nothing stays picked or hot.
      if (TdxBarItemControl* selected = selectedItem_) {
        TCustomdxBarControl* bar = selected->Parent();
        if (bar && bar->HandleAllocated()) SendMessage(bar->Handle(), WM_MOUSELEAVE, 0, 0);
      }
      SetSelectedItem(nullptr);
      return;
    case WM_WINDOWPOSCHANGING:
      if (reinterpret_cast<const WINDOWPOS*>(LParam)->flags & SWP_HIDEWINDOW) UpdateFloatingBars(false, true, nullptr);
      return;
    default:
      return;
  }
}
