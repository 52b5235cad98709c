// The customizing form at design time: categories added, inserted, renamed, hidden, deleted and
// dragged into another place.
#include "dx/bars/dxBarCategories.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "dx/bars/dxBarDesignMenu.h"
#include "dx/bars/dxBarNameEditor.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/Input.h"

namespace {

// The tag of the menu's items-visibility list (the only entry without a text id).
constexpr int kItemsVisibleChoice = -1;

}  // namespace

TdxBarDesignMenu* TdxBarCustomizingForm::MakeCategoriesMenu() {
  const int category = SelectedCategory();
  const bool selected = category >= 0;
  auto* menu = new TdxBarDesignMenu(manager_);
  menu->AddCommand(dxSBAR_ADD, 0, false, true, [this] { AddCategory(); });
  menu->AddCommand(dxSBAR_INSERT, VK_INSERT, false, selected, [this] { InsertCategory(); });
  menu->AddCommand(dxSBAR_RENAME, 0, false, selected, [this] { RenameCategory(); });
  menu->AddCheck(dxSBAR_VISIBLE, true, selected, selected && manager_->GetCategoryVisible(category),
                 [this] { ToggleCategoryVisible(); });
  menu->AddChoice(kItemsVisibleChoice, u"Items Visible:", {u"Never", u"InCustomizing", u"Always"},
                  selected ? static_cast<int>(manager_->GetCategoryItemsVisible(category)) : -1, selected,
                  [this](int Index) {
                    if (Index >= 0) SetCategoryItemsVisible(static_cast<TdxBarItemVisible>(Index));
                  });
  menu->AddCommand(dxSBAR_DELETE, VK_DELETE, true, manager_->Categories()->Count() >= 2,
                   [this] { DeleteCategory(); });
  return menu;
}

void TdxBarCustomizingForm::FillCategories(int Index) {
  TStrings* items = LCategories->Items();
  items->BeginUpdate();
  items->Clear();
  TdxBarManagerCategories* categories = manager_->Categories();
  for (int i = 0; i < categories->Count(); ++i)
    if (manager_->IsDesigning() || manager_->GetCategoryVisible(i))
      items->AddObject(categories->Strings(i), reinterpret_cast<TObject*>(static_cast<intptr_t>(i)));
  items->EndUpdate();
  LCategories->SetItemIndex(std::min(Index, items->Count() - 1));
  RefreshCommands();
}

void TdxBarCustomizingForm::AddCategory() {
  String name;
  if (!ExecuteNameEditor(name, nkCategory, nmNew, nullptr, manager_, Font())) return;
  const int index = manager_->Categories()->Count();
  manager_->InsertCategory(index, name);
  FillCategories(index);
}

void TdxBarCustomizingForm::InsertCategory() {
  const int index = SelectedCategory();
  if (index < 0) return;
  String name;
  if (!ExecuteNameEditor(name, nkCategory, nmInsert, nullptr, manager_, Font())) return;
  manager_->InsertCategory(index, name);
  FillCategories(index);
}

void TdxBarCustomizingForm::RenameCategory() {
  const int index = SelectedCategory();
  if (index < 0) return;
  String name = manager_->Categories()->Strings(index);
  if (!ExecuteNameEditor(name, nkCategory, nmRename, nullptr, manager_, Font())) return;
  manager_->Categories()->SetStrings(index, name);
  manager_->DesignerModified();
  FillCategories(index);
}

void TdxBarCustomizingForm::DeleteCategory() {
  const int index = SelectedCategory();
  if (index < 0 || manager_->Categories()->Count() < 2) return;
  String question = Format(LoadResString(dxSBAR_WANTTODELETECATEGORY), {manager_->Categories()->Strings(index)});
  if (Application->MessageBox(question, Application->Title(), MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
  manager_->DeleteCategory(index);
  FillCategories(index);
}

void TdxBarCustomizingForm::ToggleCategoryVisible() {
  const int index = SelectedCategory();
  if (index < 0) return;
  manager_->SetCategoryVisible(index, !manager_->GetCategoryVisible(index));
  manager_->DesignerModified();
}

void TdxBarCustomizingForm::SetCategoryItemsVisible(TdxBarItemVisible Value) {
  const int index = SelectedCategory();
  if (index < 0) return;
  manager_->SetCategoryItemsVisible(index, Value);
  manager_->DesignerModified();
  RefreshCommands();
}

void TdxBarCustomizingForm::CategoriesMouseDown(TMouseButton Button, int X, int Y) {
  if (!manager_->IsDesigning()) return;
  const int index = LCategories->ItemAtPos(POINT{X, Y}, true);
  if (Button == mbLeft) {
    draggedCategory_ = index;
    return;
  }
  if (Button != mbRight) return;
  if (index >= 0 && index != LCategories->ItemIndex()) {
    LCategories->SetItemIndex(index);
    RefreshCommands();
  }
  MakeCategoriesMenu()->Open(LCategories->ClientToScreen(POINT{X, Y}));
}

void TdxBarCustomizingForm::CategoriesMouseMove(int X, int Y) {
  if (draggedCategory_ < 0) return;
  if (!(GetKeyState(VK_LBUTTON) & 0x8000)) {
    draggedCategory_ = -1;
    return;
  }
  const int target = LCategories->ItemAtPos(POINT{X, Y}, true);
  if (target < 0 || target == draggedCategory_) return;
  manager_->MoveCategory(draggedCategory_, target);
  manager_->DesignerModified();
  draggedCategory_ = target;
  FillCategories(target);
}
