// The customizing form at design time: groups added and deleted, their members added, removed and
// put in order.
#include <algorithm>

#include "dx/bars/dxBarAddGroupItems.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarItem.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

namespace {

// The first free "dxBarGroupN" among the form's components.
String NewGroupName(TComponent* Owner) {
  for (int n = 1;; ++n) {
    String name = u"dxBarGroup" + IntToStr(n);
    if (!Owner || !Owner->FindComponent(name)) return name;
  }
}

// An up or down arrow, black on a transparent face.
void DrawArrowGlyph(TBitmap* Glyph, bool Up) {
  Glyph->SetSize(9, 9);
  HDC dc = Glyph->Canvas()->Handle();
  RECT all{0, 0, 9, 9};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  for (int row = 0; row < 5; ++row) {
    const int y = Up ? 2 + row : 6 - row;
    RECT line{4 - row, y, 5 + row, y + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNTEXT));
  }
}

// Groups in bold, items plain, in the list's own colours.
void DrawGroupEntry(TListBox* List, int Index, const RECT& Rect, TOwnerDrawState State) {
  TCanvas* canvas = List->Canvas();
  const bool selected = State.Contains(odSelected);
  canvas->Font()->Assign(List->Font());
  if (dynamic_cast<TdxBarGroup*>(List->Items()->Objects(Index)))
    canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{fsBold});
  HDC dc = canvas->Handle();
  FillRect(dc, &Rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  String text = List->Items()->Strings(Index);
  RECT r{Rect.left + 2, Rect.top, Rect.right, Rect.bottom};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (State.Contains(odFocused)) DrawFocusRect(dc, &Rect);
}

}  // namespace

void TdxBarCustomizingForm::BuildGroupsPage() {
  TabSheet5 = AddPage(u"Groups");
  auto* groupsBox = Place(new TGroupBox(this), TabSheet5, 4, 2, 160, 232, u" Groups ");
  auto* itemsBox = Place(new TGroupBox(this), TabSheet5, 168, 2, 148, 232, u" Items ");
  lbGroups = Place(new TListBox(this), groupsBox, 8, 18, 144, 176);
  btnGroupAdd = Place(new TButton(this), groupsBox, 8, 200, 68, 23, u"Add");
  btnGroupDelete = Place(new TButton(this), groupsBox, 84, 200, 68, 23, u"Delete");
  lbGroupItems = Place(new TListBox(this), itemsBox, 8, 18, 132, 176);
  lbGroupItems->SetMultiSelect(true);
  btnGroupItemAdd = Place(new TButton(this), itemsBox, 8, 200, 62, 23, u"&Add...");
  btnGroupItemDelete = Place(new TButton(this), itemsBox, 78, 200, 62, 23, u"Delete");
  btnMoveUp = Place(new TBitBtn(this), TabSheet5, 320, 70, 23, 23);
  btnMoveDown = Place(new TBitBtn(this), TabSheet5, 320, 100, 23, 23);
  DrawArrowGlyph(btnMoveUp->Glyph(), true);
  DrawArrowGlyph(btnMoveDown->Glyph(), false);
  for (TListBox* list : {lbGroups, lbGroupItems}) {
    list->SetStyle(lbOwnerDrawFixed);
    list->OnDrawItem = [list](TWinControl*, int Index, const RECT& Rect, TOwnerDrawState State) {
      DrawGroupEntry(list, Index, Rect, State);
    };
  }
  lbGroups->OnClick = [this](TObject*) { RefreshGroupItems(); };
  lbGroupItems->OnClick = [this](TObject*) { UpdateGroupButtons(); };
  lbGroups->OnEnter = [this](TObject*) {
    groupsFocused_ = true;
    UpdateGroupButtons();
  };
  lbGroupItems->OnEnter = [this](TObject*) {
    groupsFocused_ = false;
    UpdateGroupButtons();
  };
  // Insert and Delete press Add and Delete of the list they are typed in.
  auto keys = [this](TButton* Add, TButton* Delete) {
    return [Add, Delete](TObject*, WORD& Key, TShiftState Shift) {
      TButton* pressed = !Shift.Empty() ? nullptr : Key == VK_INSERT ? Add : Key == VK_DELETE ? Delete : nullptr;
      if (!pressed) return;
      Key = 0;
      if (pressed->Enabled()) pressed->Click();
    };
  };
  lbGroups->OnKeyDown = keys(btnGroupAdd, btnGroupDelete);
  lbGroupItems->OnKeyDown = keys(btnGroupItemAdd, btnGroupItemDelete);
  btnGroupAdd->OnClick = [this](TObject*) { AddGroup(); };
  btnGroupDelete->OnClick = [this](TObject*) { DeleteGroup(); };
  btnGroupItemAdd->OnClick = [this](TObject*) { AddGroupItems(); };
  btnGroupItemDelete->OnClick = [this](TObject*) { DeleteGroupItems(); };
  btnMoveUp->OnClick = [this](TObject*) { MoveGroupSelection(-1); };
  btnMoveDown->OnClick = [this](TObject*) { MoveGroupSelection(1); };
  TabSheet5->SetTabVisible(manager_->IsDesigning());
}

TdxBarGroup* TdxBarCustomizingForm::SelectedGroup() {
  const int index = lbGroups->ItemIndex();
  return index >= 0 ? static_cast<TdxBarGroup*>(lbGroups->Items()->Objects(index)) : nullptr;
}

void TdxBarCustomizingForm::SelectGroup(int Index) {
  lbGroups->SetItemIndex(std::min(Index, lbGroups->Count() - 1));
  RefreshGroupItems();
}

void TdxBarCustomizingForm::RefreshGroups() {
  const int keep = std::max(lbGroups->ItemIndex(), 0);
  TStrings* items = lbGroups->Items();
  items->BeginUpdate();
  items->Clear();
  for (int i = 0; i < manager_->GroupCount(); ++i) items->AddObject(manager_->Groups(i)->Name(), manager_->Groups(i));
  items->EndUpdate();
  SelectGroup(keep);
}

void TdxBarCustomizingForm::RefreshGroupItems() {
  TStrings* items = lbGroupItems->Items();
  items->BeginUpdate();
  items->Clear();
  if (TdxBarGroup* group = SelectedGroup())
    for (int i = 0; i < group->Count(); ++i) items->AddObject(group->Items(i)->Name(), group->Items(i));
  items->EndUpdate();
  UpdateGroupButtons();
}

std::vector<int> TdxBarCustomizingForm::SelectedMembers() {
  std::vector<int> selected;
  for (int i = 0; i < lbGroupItems->Count(); ++i)
    if (lbGroupItems->Selected(i)) selected.push_back(i);
  return selected;
}

void TdxBarCustomizingForm::SelectMembers(const std::vector<int>& Indexes) {
  for (int i = 0; i < lbGroupItems->Count(); ++i)
    lbGroupItems->SetSelected(i, std::ranges::find(Indexes, i) != Indexes.end());
  UpdateGroupButtons();
}

void TdxBarCustomizingForm::UpdateGroupButtons() {
  const bool hasGroup = SelectedGroup() != nullptr;
  const std::vector<int> members = SelectedMembers();
  btnGroupDelete->SetEnabled(hasGroup);
  btnGroupItemAdd->SetEnabled(hasGroup);
  btnGroupItemDelete->SetEnabled(!members.empty());
  bool up = false;
  bool down = false;
  if (groupsFocused_) {
    const int index = lbGroups->ItemIndex();
    up = index > 0;
    down = index >= 0 && index < lbGroups->Count() - 1;
  } else if (!members.empty()) {
    up = members.front() > 0;
    down = members.back() < lbGroupItems->Count() - 1;
  }
  btnMoveUp->SetEnabled(up);
  btnMoveDown->SetEnabled(down);
}

void TdxBarCustomizingForm::AddGroup() {
  TComponent* owner = manager_->ParentForm();
  auto* group = new TdxBarGroup(owner);
  group->SetName(NewGroupName(owner));
  manager_->DesignerModified();
  RefreshGroups();
  SelectGroup(lbGroups->Items()->IndexOfObject(group));
}

void TdxBarCustomizingForm::DeleteGroup() {
  const int index = lbGroups->ItemIndex();
  TdxBarGroup* group = SelectedGroup();
  if (!group) return;
  delete group;
  manager_->DesignerModified();
  RefreshGroups();
  SelectGroup(index);
}

void TdxBarCustomizingForm::AddGroupItems() {
  TdxBarGroup* group = SelectedGroup();
  std::vector<TComponent*> chosen;
  if (!group || !ExecuteAddGroupItems(group, chosen, Font())) return;
  // What was added stays when a later member is refused (a group that contains this one).
  TScopeExit refresh([this] { RefreshGroupItems(); });
  for (TComponent* member : chosen) group->Add(member);
  manager_->DesignerModified();
}

void TdxBarCustomizingForm::DeleteGroupItems() {
  TdxBarGroup* group = SelectedGroup();
  const std::vector<int> selected = SelectedMembers();
  if (!group || selected.empty()) return;
  // The first member left after the removed ones, else the last one before them.
  TComponent* next = nullptr;
  for (int i = selected.back() + 1; i < group->Count() && !next; ++i) next = group->Items(i);
  for (int i = selected.front() - 1; i >= 0 && !next; --i)
    if (std::ranges::find(selected, i) == selected.end()) next = group->Items(i);
  std::vector<TComponent*> removed;
  for (int i : selected) removed.push_back(group->Items(i));
  for (TComponent* member : removed) group->Remove(member);
  manager_->DesignerModified();
  RefreshGroupItems();
  if (next) SelectMembers({group->IndexOf(next)});
}

void TdxBarCustomizingForm::MoveGroupSelection(int Delta) {
  if (groupsFocused_) {
    const int index = lbGroups->ItemIndex();
    if (index < 0 || index + Delta < 0 || index + Delta >= lbGroups->Count()) return;
    manager_->ExchangeGroups(index, index + Delta);
    RefreshGroups();
    SelectGroup(index + Delta);
    return;
  }
  TdxBarGroup* group = SelectedGroup();
  std::vector<int> selected = SelectedMembers();
  if (!group || selected.empty()) return;
  if (selected.front() + Delta < 0 || selected.back() + Delta >= group->Count()) return;
  // Moved in the order that keeps each from jumping over another selected member.
  if (Delta > 0) std::ranges::reverse(selected);
  for (int& index : selected) {
    group->Move(index, index + Delta);
    index += Delta;
  }
  manager_->DesignerModified();
  RefreshGroupItems();
  SelectMembers(selected);
}
