// The customizing form at design time: commands added, deleted, cleared, moved and their
// sub-menus opened for editing.
#include <algorithm>

#include "dx/bars/dxBarCheckableButton.h"
#include "dx/bars/dxBarContainerItem.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "dx/bars/dxBarDesignMenu.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubMenuEditor.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/Input.h"

namespace {

bool HasSubMenu(const TdxBarItem* Item) {
  return dynamic_cast<const TdxBarSubItem*>(Item) || dynamic_cast<const TdxBarContainerItem*>(Item);
}

int ManagerIndexOf(const TdxBarManager* Manager, const TdxBarItem* Item) {
  for (int i = 0; i < Manager->ItemCount(); ++i)
    if (Manager->Items(i) == Item) return i;
  return -1;
}

}  // namespace

TdxBarItem* TdxBarCustomizingForm::SelectedCommand() {
  const int index = LCommands->ItemIndex();
  return index >= 0 ? LCommands->Commands(index) : nullptr;
}

TdxBarDesignMenu* TdxBarCustomizingForm::MakeCommandsMenu() {
  const int index = LCommands->ItemIndex();
  const int count = LCommands->Count();
  auto* menu = new TdxBarDesignMenu(manager_);
  menu->AddCommand(dxSBAR_ADD, VK_INSERT, false, true, [this] { AddCommand(); });
  menu->AddCommand(dxSBAR_DELETE, VK_DELETE, false, index >= 0, [this] { DeleteCommand(); });
  menu->AddCommand(dxSBAR_CLEAR, 0, false, count > 0, [this] { ClearCommands(); });
  menu->AddCommand(dxSBAR_MOVEUP, scCtrl + VK_UP, true, index > 0, [this] { MoveCommand(-1); });
  menu->AddCommand(dxSBAR_MOVEDOWN, scCtrl + VK_DOWN, false, index >= 0 && index < count - 1,
                   [this] { MoveCommand(1); });
  menu->AddCommand(dxSBAR_SUBMENUEDITOR, 0, true, HasSubMenu(SelectedCommand()), [this] { EditSubMenu(); });
  return menu;
}

void TdxBarCustomizingForm::SelectCommandOf(TdxBarItem* Item) {
  LCommands->SetItemIndex(LCommands->Items()->IndexOfObject(Item));
  if (LCommands->OnClick) LCommands->OnClick(LCommands);
}

void TdxBarCustomizingForm::DeleteCommands(const std::vector<TdxBarItem*>& Items) {
  // A refused deletion leaves the lists showing what is still there.
  TScopeExit refill([this] { ItemsChanged(); });
  TValueScope<bool> deleting(deletingCommands_, true);
  for (TdxBarItem* item : Items) delete item;
  manager_->DesignerModified();
}

void TdxBarCustomizingForm::DeleteCommand() {
  if (TdxBarItem* item = SelectedCommand()) DeleteCommands({item});
}

void TdxBarCustomizingForm::ClearCommands() {
  const int category = SelectedCategory();
  if (category < 0 || LCommands->Count() == 0) return;
  String question = Format(LoadResString(dxSBAR_WANTTOCLEARCOMMANDS), {manager_->Categories()->Strings(category)});
  if (Application->MessageBox(question, Application->Title(), MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
  std::vector<TdxBarItem*> items;
  for (int i = 0; i < LCommands->Count(); ++i) items.push_back(LCommands->Commands(i));
  DeleteCommands(items);
}

void TdxBarCustomizingForm::MoveCommand(int Delta) {
  const int index = LCommands->ItemIndex();
  const int neighbour = index + Delta;
  if (index < 0 || neighbour < 0 || neighbour >= LCommands->Count()) return;
  TdxBarItem* item = LCommands->Commands(index);
  manager_->ExchangeItems(ManagerIndexOf(manager_, item), ManagerIndexOf(manager_, LCommands->Commands(neighbour)));
  ItemsChanged();
  SelectCommandOf(item);
}

void TdxBarCustomizingForm::EditSubMenu() {
  TdxBarItem* item = SelectedCommand();
  if (HasSubMenu(item)) ShowSubMenuEditor(item->ItemLinks());
}

void TdxBarCustomizingForm::CommandsKeyDown(WORD& Key, TShiftState Shift) {
  if (!manager_->IsDesigning()) return;
  const bool plain = Shift.Empty();
  const bool ctrl = Shift == TShiftState{ssCtrl};
  if (plain && Key == VK_INSERT)
    AddCommand();
  else if (plain && Key == VK_DELETE)
    DeleteCommand();
  else if (ctrl && (Key == VK_UP || Key == VK_DOWN))
    MoveCommand(Key == VK_UP ? -1 : 1);
  else
    return;
  Key = 0;
}

void TdxBarCustomizingForm::BuildDesignTimeCommands() {
  LCategories->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    CategoriesMouseDown(Button, X, Y);
  };
  LCategories->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) { CategoriesMouseMove(X, Y); };
  LCategories->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { draggedCategory_ = -1; };
  LCategories->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
    if (!manager_->IsDesigning() || !Shift.Empty()) return;
    if (Key == VK_INSERT)
      InsertCategory();
    else if (Key == VK_DELETE)
      DeleteCategory();
    else
      return;
    Key = 0;
  };
  LCommands->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { CommandsKeyDown(Key, Shift); };
  LCommands->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button == mbRight && manager_->IsDesigning()) MakeCommandsMenu()->Open(LCommands->ClientToScreen(POINT{X, Y}));
  };
  if (!manager_->IsDesigning()) return;
  String modify = LoadResString(dxSBAR_MODIFY);
  const int width = Canvas()->TextWidth(modify) + 12;
  CategoriesPopupButton = Place(new TdxBarCheckableButton(this), TabSheet2,
                                LCategories->Left() + LCategories->Width() - width, 5, width, 19, modify);
  CategoriesPopupButton->DropDownMenu = [this] { return MakeCategoriesMenu(); };
  CommandsPopupButton = Place(new TdxBarCheckableButton(this), TabSheet2,
                              LCommands->Left() + LCommands->Width() - width, 5, width, 19, modify);
  CommandsPopupButton->DropDownMenu = [this] { return MakeCommandsMenu(); };
}
