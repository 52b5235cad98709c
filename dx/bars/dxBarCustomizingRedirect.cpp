// While customizing, the owner form is disabled and a press on one of its docked bars reaches
// nobody: the mouse hook hands such messages to the bar window under the cursor.
#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/win/Hooks.h"
#include "platform/win/Windows.h"

namespace {

UINT ClientMouseMessage(WPARAM Message) {
  if (Message >= WM_NCMOUSEMOVE && Message <= WM_NCMBUTTONDBLCLK)
    return static_cast<UINT>(Message - WM_NCMOUSEMOVE + WM_MOUSEMOVE);
  return static_cast<UINT>(Message);
}

WPARAM CurrentMouseKeys() {
  WPARAM keys = 0;
  if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
  if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
  if (GetKeyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
  if (GetKeyState(VK_MBUTTON) < 0) keys |= MK_MBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) keys |= MK_RBUTTON;
  return keys;
}

}  // namespace

bool RedirectToCustomizedBar(WPARAM Message, const MOUSEHOOKSTRUCT& Info) {
  if (Info.wHitTestCode != static_cast<UINT>(HTERROR)) return false;
  auto* form = dynamic_cast<TCustomForm*>(FindControl(Info.hwnd));
  TdxBarCustomizingForm* customizing = GetCustomizingForm();
  if (!form || !customizing) return false;
  TdxBarManager* manager = BarManagerByForm(form);
  if (!manager || !manager->IsCustomizing()) manager = BarManagers()->CustomizingManager();
  if (!manager || !manager->IsCustomizing()) return false;
  for (int i = 0; i < manager->Bars()->Count(); ++i) {
    TdxBarControl* bar = manager->Bars()->Items(i)->Control();
    if (!bar || !bar->HandleAllocated() || !IsWindowVisible(bar->Handle())) continue;
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    if (!PtInRect(&r, Info.pt)) continue;
    UINT message = ClientMouseMessage(Message);
    if (message != WM_MOUSEMOVE) SetForegroundWindow(customizing->Handle());
    POINT client = bar->ScreenToClient(Info.pt);
    SendMessage(bar->Handle(), message, CurrentMouseKeys(), MAKELPARAM(client.x, client.y));
    return true;
  }
  return false;
}
