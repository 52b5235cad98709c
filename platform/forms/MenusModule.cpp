// Start-up of the menus and actions: the pop-up window class, WM_CONTEXTMENU to pop-up menus,
// short cuts of pop-up menus, main menus and action lists, the menu bar's keys and the idle
// update of actions.
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/ActnMan.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/MenuBar.h"
#include "platform/forms/MenuPopupWindow.h"
#include "platform/forms/StdActns.h"

namespace forms_internal {
TMenuHooks& MenuHooks() {
  static TMenuHooks hooks;
  return hooks;
}
}  // namespace forms_internal

namespace {

bool ShowPopupMenu(TComponent* Menu, TControl* Control, POINT ScreenPos) {
  auto* popup = dynamic_cast<TPopupMenu*>(Menu);
  if (!popup || !popup->AutoPopup()) return false;
  popup->SetPopupComponent(Control);
  popup->Popup(ScreenPos.x, ScreenPos.y);
  return true;
}

// The control's pop-up menus from it up to the form, then the form's main menus and action lists.
bool DispatchShortCut(TWinControl* Control, TWMKey& Message) {
  for (TControl* c = Control; c; c = c->Parent())
    if (auto* popup = dynamic_cast<TPopupMenu*>(c->PopupMenu()); popup && popup->IsShortCut(Message))
      return true;
  TCustomForm* form = GetParentForm(Control);
  if (!form) return false;
  // Every key down walks all of the form's components, often hundreds of one class (a toolbar's
  // buttons): a failing dynamic_cast compares type names, so each class is placed once in a run.
  TClass seen = nullptr;
  bool mainMenu = false, actionList = false;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* c = form->Components(i);
    if (TClass cls = c->ClassType(); cls != seen) {
      seen = cls;
      mainMenu = cls->InheritsFrom(TMainMenu::StaticClass());
      actionList = cls->InheritsFrom(TCustomActionList::StaticClass());
    }
    if (mainMenu && static_cast<TMainMenu*>(c)->IsShortCut(Message)) return true;
    if (actionList && static_cast<TCustomActionList*>(c)->IsShortCut(Message)) return true;
  }
  return false;
}

void InitiateClientActions(TWinControl* Container) {
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* c = Container->Controls(i);
    if (!c->Visible()) continue;
    if (c->ControlStyle().Contains(csActionClient)) c->InitiateAction();
    if (auto* w = dynamic_cast<TWinControl*>(c)) InitiateClientActions(w);
  }
}

// Each showing form's visible action clients update their actions.
void UpdateActionsOnIdle() {
  if (!Screen) return;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->Showing() && !form->ComponentState().Contains(csDesigning)) InitiateClientActions(form);
  }
}

bool KeyMenu(TWinControl* Form, LPARAM Key) {
  TCustomMenuBar* bar = FindMenuBar(Form);
  return bar && bar->TrackFromKey(static_cast<Char>(Key));
}

}  // namespace

void InitMenusModule() {
  RegisterMenuPopupClass();
  RegisterClasses({TMenuItem::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass(),
                   TAction::StaticClass(), TActionList::StaticClass(), TFileOpen::StaticClass(),
                   TImageList::StaticClass()});
  RegisterComCtrlsClasses();
  RegisterActionBarClasses();
  SetPopupMenuProc(&ShowPopupMenu);
  SetShortCutProc(&DispatchShortCut);
  forms_internal::MenuHooks() = {&UpdateActionsOnIdle, &KeyMenu};
}

void FinalizeMenusModule() {
  SetPopupMenuProc(nullptr);
  SetShortCutProc(nullptr);
  forms_internal::MenuHooks() = {};
}
