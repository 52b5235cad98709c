// The MDI menu merge: the parent form's main menu bar takes over the active MDI child's main menu
// (while the child is maximized, or always with AlwaysMerge) and shows a maximized child's system
// menu as its first entry.
#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarSystemMenu.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

namespace {

// Nothing of the bar is laid out again until the scope ends.
class TMenuBarLock {
 public:
  explicit TMenuBarLock(TdxBar* Bar) : links_(Bar ? Bar->ItemLinks() : nullptr) {
    if (links_) links_->BeginUpdate();
  }
  ~TMenuBarLock() {
    if (links_) links_->EndUpdate();
  }
  TMenuBarLock(const TMenuBarLock&) = delete;
  TMenuBarLock& operator=(const TMenuBarLock&) = delete;

 private:
  TdxBarItemLinks* links_;
};

TdxBar* ChildMainMenuBar(TCustomForm* ChildForm, TdxBarManager** ChildManager) {
  *ChildManager = BarManagerByForm(ChildForm);
  return *ChildManager ? (*ChildManager)->MainMenuBar() : nullptr;
}

}  // namespace

HWND TdxBarManager::GetActiveMDIChild() const {
  if (!parentForm_ || !parentForm_->ClientHandle()) return nullptr;
  return reinterpret_cast<HWND>(SendMessage(parentForm_->ClientHandle(), WM_MDIGETACTIVE, 0, 0));
}

void TdxBarManager::HandleMDIClientMessage(UINT, WPARAM, LPARAM) {
  const HWND active = GetActiveMDIChild();
  const bool wasMaximized = mdiChildMaximized_;
  mdiChildMaximized_ = active && IsZoomed(active);
  {
    TMenuBarLock lock(mainMenuBar_);
    if (active != activeMDIChildWindow_) {
      MergeChild(activeMDIChildWindow_, false, false);
      MergeChild(active, true, false);
    } else if (mdiChildMaximized_ != wasMaximized) {
      MergeChild(active, mdiChildMaximized_, alwaysMerge_);
    }
  }
  activeMDIChildWindow_ = active;
  // The system-menu entry and the caption buttons come or go.
  if (mdiChildMaximized_ != wasMaximized && mainMenuBar_ && mainMenuBar_->Control())
    mainMenuBar_->Control()->Rebuild();
}

void TdxBarManager::MergeChild(HWND ChildWindow, bool Merge, bool SkipMenuItems) {
  if (!mainMenuBar_ || !ChildWindow) return;
  // The icon entry goes even for a child window already gone.
  if (!Merge) RemoveSystemMenuItem();
  auto* childForm = dynamic_cast<TCustomForm*>(FindControl(ChildWindow));
  if (!childForm) return;
  const bool maximized = IsWindow(ChildWindow) && IsZoomed(ChildWindow);
  if (Merge && maximized) AddSystemMenuItem(ChildWindow);
  if (SkipMenuItems) return;
  TdxBarManager* childManager = nullptr;
  TdxBar* childMenu = ChildMainMenuBar(childForm, &childManager);
  if (!childMenu) return;
  if (Merge) {
    if (!alwaysMerge_ && !maximized) return;
    savedChildMainMenuVisible_ = childMenu->Visible();
    if (OnMenuMerge) {
      OnMenuMerge(this, childManager, true);
    } else {
      TMenuBarLock lock(mainMenuBar_);
      // A copy: appending to the parent's links never touches the child's, but a handler might.
      const std::vector<TdxBarItemLink*> links = childMenu->ItemLinks()->CanVisibleItems();
      for (TdxBarItemLink* link : links) mainMenuBar_->ItemLinks()->Add()->Assign(link);
    }
    childMenu->SetVisible(false);
    return;
  }
  {
    TMenuBarLock lock(mainMenuBar_);
    TdxBarItemLinks* links = mainMenuBar_->ItemLinks();
    for (int i = links->Count() - 1; i >= 0; --i) {
      TdxBarItemLink* link = links->Items(i);
      if (link->Item() && link->Item()->BarManager() == childManager) delete link;
    }
  }
  if (OnMenuMerge) OnMenuMerge(this, childManager, false);
  // A child on its way out shows nothing again.
  if (!alwaysMerge_ && !childMenu->Visible() && !childForm->ComponentState().Contains(csDestroying))
    childMenu->SetVisible(savedChildMainMenuVisible_);
}

void TdxBarManager::AddSystemMenuItem(HWND ChildWindow) {
  if (!mainMenuBar_ || !GetSystemMenu(ChildWindow, FALSE)) return;
  TMenuBarLock lock(mainMenuBar_);
  FreeTemporaryItems();
  auto* item = new TSystemMenuSubItem(parentForm_);
  item->SetChildWindow(ChildWindow);
  TdxBarItemLink* link = mainMenuBar_->ItemLinks()->Add();
  link->SetItem(item);
  link->SetIndex(0);
}

void TdxBarManager::RemoveSystemMenuItem() {
  if (!mainMenuBar_) return;
  TdxBarItemLinks* links = mainMenuBar_->ItemLinks();
  if (links->Count() == 0 || !IsSystemMenuItem(links->Items(0)->Item())) return;
  TMenuBarLock lock(mainMenuBar_);
  delete links->Items(0);
  FreeTemporaryItems();
}

namespace dxbars_internal {

void DeliverMDIClientMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const HWND client = GetParent(Window);
  if (!client || !SameText(GetClassNameString(client), u"MDICLIENT")) return;
  auto* form = dynamic_cast<TCustomForm*>(FindControl(GetParent(client)));
  // A form on its way out no longer merges.
  if (!form || form->ComponentState().Contains(csDestroying)) return;
  if (TdxBarManager* manager = BarManagerByForm(form)) manager->HandleMDIClientMessage(Msg, WParam, LParam);
}

}  // namespace dxbars_internal
