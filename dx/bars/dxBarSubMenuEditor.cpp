#include "dx/bars/dxBarSubMenuEditor.h"

#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarSubMenuEditor)

namespace {

TdxBarSubMenuEditor* g_subMenuEditor = nullptr;

}  // namespace

TdxBarSubMenuEditor::TdxBarSubMenuEditor(TdxBarManager* Manager) : TForm(nullptr), manager_(Manager) {
  SetTag(100);
  SetCaption(LoadResString(dxSBAR_SUBMENUEDITORCAPTION));
  SetClientHeight(0);
  OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
}

TdxBarSubMenuEditor::~TdxBarSubMenuEditor() {
  if (g_subMenuEditor == this) g_subMenuEditor = nullptr;
  CloseMenu();
  if (linksOwner_) linksOwner_->RemoveFreeNotification(this);
  BeforeDestruction();
}

void TdxBarSubMenuEditor::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
  Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  Params.WindowClass.style = CS_OWNDC | CS_SAVEBITS;
  TCustomForm* owner = manager_->ParentForm();
  if (owner && !owner->ComponentState().Contains(csDestroying) && owner->HandleAllocated())
    Params.WndParent = owner->Handle();
}

void TdxBarSubMenuEditor::SetItemLinks(TdxBarItemLinks* Value) {
  if (itemLinks_ == Value) return;
  CloseMenu();
  if (linksOwner_) linksOwner_->RemoveFreeNotification(this);
  itemLinks_ = Value;
  linksOwner_ = Value ? dynamic_cast<TComponent*>(Value->GetOwner()) : nullptr;
  if (linksOwner_) linksOwner_->FreeNotification(this);
  if (!Value) Release();
}

void TdxBarSubMenuEditor::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent != linksOwner_) return;
  // The links go with their owner: nothing may look into them again.
  linksOwner_ = nullptr;
  itemLinks_ = nullptr;
  CloseMenu();
  Release();
}

TdxBarSubMenuControl* TdxBarSubMenuEditor::MenuControl() const {
  return itemLinks_ ? dynamic_cast<TdxBarSubMenuControl*>(itemLinks_->BarControl()) : nullptr;
}

bool TdxBarSubMenuEditor::DraggedItemRefused() const {
  if (!manager_->Dragging() || !manager_->DraggedItem()) return false;
  return !ItemMayJoinLinks(manager_->DraggedItem(), itemLinks_);
}

void TdxBarSubMenuEditor::ShowMenu() {
  if (!itemLinks_ || !HandleAllocated() || DraggedItemRefused()) return;
  TdxBarSubMenuControl* menu = MenuControl();
  if (!menu) {
    menu = new TdxBarSubMenuControl(manager_);
    menu->SetItemLinks(itemLinks_);
    itemLinks_->SetBarControl(menu);
    RECT frame;
    GetWindowRect(Handle(), &frame);
    menu->SetBounds(frame.left, frame.bottom, 0, 0);
    menu->SetOwnerExtent(0, frame.bottom - frame.top);
    menu->SetAnimate(false);
    menu->Show();
  }
  menuWidth_ = menu->Width();
  if (Width() != menuWidth_) SetWidth(menuWidth_);
  FollowWithMenu();
}

void TdxBarSubMenuEditor::CloseMenu() {
  if (TdxBarSubMenuControl* menu = MenuControl()) menu->CloseMenu();
}

void TdxBarSubMenuEditor::FollowWithMenu() {
  TdxBarSubMenuControl* menu = MenuControl();
  if (!menu || !menu->HandleAllocated() || !HandleAllocated()) return;
  RECT frame;
  GetWindowRect(Handle(), &frame);
  SetWindowPos(menu->Handle(), nullptr, frame.left, frame.bottom, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxBarSubMenuEditor::Activate() {
  inherited::Activate();
  ShowMenu();
}

void TdxBarSubMenuEditor::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETMINMAXINFO:
      inherited::WndProc(Message);
      if (menuWidth_ > 0) {
        auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
        const POINT size{menuWidth_, Height()};
        info->ptMinTrackSize = info->ptMaxTrackSize = info->ptMaxSize = size;
      }
      return;
    case WM_NCLBUTTONDOWN:
      if (Message.WParam == HTCLOSE)
        CloseMenu();
      else
        SetForegroundWindow(Handle());
      break;
    default:
      break;
  }
  inherited::WndProc(Message);
  if (Message.Msg == WM_WINDOWPOSCHANGED) FollowWithMenu();
}

TdxBarSubMenuEditor* GetSubMenuEditor() { return g_subMenuEditor; }

void FreeSubMenuEditor() {
  if (TdxBarSubMenuEditor* editor = g_subMenuEditor) {
    g_subMenuEditor = nullptr;
    delete editor;
  }
}

void ShowSubMenuEditor(TdxBarItemLinks* ItemLinks) {
  TdxBarManager* manager = ItemLinks->BarManager();
  manager->SetCustomizing(true);
  if (TdxBarCustomizingForm* form = GetCustomizingForm())
    form->PageControl->SetActivePage(form->TabSheet2);
  if (g_subMenuEditor && g_subMenuEditor->ItemLinks() && g_subMenuEditor->ItemLinks()->BarManager() != manager)
    FreeSubMenuEditor();
  if (!g_subMenuEditor) g_subMenuEditor = new TdxBarSubMenuEditor(manager);
  g_subMenuEditor->SetItemLinks(ItemLinks);
  Application->ProcessMessages();
  if (g_subMenuEditor) g_subMenuEditor->Show();
}

void SubMenuEditorFollowOwnerForm(TdxBarManager* Manager, UINT Flags) {
  TdxBarSubMenuEditor* editor = g_subMenuEditor;
  if (!editor || !Manager->IsCustomizing() || !GetCustomizingForm() || !editor->HandleAllocated()) return;
  if (Flags & SWP_SHOWWINDOW) ShowWindow(editor->Handle(), SW_SHOWNOACTIVATE);
  if (Flags & SWP_HIDEWINDOW) ShowWindow(editor->Handle(), SW_HIDE);
}
