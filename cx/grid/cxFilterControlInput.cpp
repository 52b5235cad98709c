// The filter control's keyboard and mouse: focus moving between parts and rows, parts activated by
// Enter, Space or a click, the row menu and the choosers of item, boolean operator and operator.
#include <algorithm>

#include "cx/grid/cxFilterControl.h"
#include "platform/forms/Forms.h"
#include "platform/win/Input.h"

namespace {

bool cxFilterIsGroup(TcxCustomRowViewInfo* ARow) { return dynamic_cast<TcxGroupViewInfo*>(ARow) != nullptr; }

// The part a row is entered at: a group's boolean operator, a condition's item.
TcxFilterControlHitTest cxFilterFirstPart(TcxCustomRowViewInfo* ARow) {
  return cxFilterIsGroup(ARow) ? fhtBoolOperator : fhtItem;
}

}  // namespace

// --- Focus movement ---

void TcxCustomFilterControl::FocusNextPart(bool ARowWrap) {
  if (!HasUsableLink()) return;
  const int index = rows_->IndexOf(focusedRow_);
  auto nextRow = [&] {
    if (index + 1 < RowCount())
      SetFocusedPart(Rows(index + 1), fhtRowButton);
    else
      SetFocusedPart(focusedRow_, fhtAddCondition);
  };
  auto* condition = FocusedCondition();
  switch (focusedPart_) {
    case fhtRowButton:
      SetFocusedPart(focusedRow_, cxFilterFirstPart(focusedRow_));
      break;
    case fhtItem:
      SetFocusedPart(focusedRow_, fhtOperator);
      break;
    case fhtOperator:
      if (condition && condition->HasValues())
        SetFocusedPart(focusedRow_, fhtValue, 0);
      else if (ARowWrap)
        nextRow();
      break;
    case fhtValue:
      if (condition && focusedValueIndex_ + 1 < static_cast<int>(condition->Values().size()))
        SetFocusedPart(focusedRow_, fhtValue, focusedValueIndex_ + 1);
      else if (condition && condition->IsListOperator())
        SetFocusedPart(focusedRow_, fhtAddValue, focusedValueIndex_);
      else if (ARowWrap)
        nextRow();
      break;
    case fhtBoolOperator:
    case fhtAddValue:
      if (ARowWrap) nextRow();
      break;
    case fhtAddCondition:
      if (!ARowWrap) FocusPartOf(Rows(RowCount() - 1));
      break;
    default:
      break;
  }
}

void TcxCustomFilterControl::FocusPrevPart(bool ARowWrap) {
  if (!HasUsableLink()) return;
  const int index = rows_->IndexOf(focusedRow_);
  auto* condition = FocusedCondition();
  // The previous row's last part with row wrap, its first part without.
  auto prevRow = [&](TcxCustomRowViewInfo* ARow) {
    auto* previous = dynamic_cast<TcxConditionViewInfo*>(ARow);
    if (!ARowWrap || !previous) {
      FocusPartOf(ARow);
    } else if (!previous->HasValues()) {
      SetFocusedPart(ARow, fhtOperator);
    } else if (previous->IsListOperator()) {
      SetFocusedPart(ARow, fhtAddValue, static_cast<int>(previous->Values().size()) - 1);
    } else {
      SetFocusedPart(ARow, fhtValue, static_cast<int>(previous->Values().size()) - 1);
    }
  };
  switch (focusedPart_) {
    case fhtBoolOperator:
    case fhtItem:
      SetFocusedPart(focusedRow_, fhtRowButton);
      break;
    case fhtOperator:
      SetFocusedPart(focusedRow_, fhtItem);
      break;
    case fhtValue:
      if (focusedValueIndex_ > 0)
        SetFocusedPart(focusedRow_, fhtValue, focusedValueIndex_ - 1);
      else
        SetFocusedPart(focusedRow_, fhtOperator);
      break;
    case fhtAddValue:
      SetFocusedPart(focusedRow_, fhtValue, condition ? std::min<int>(focusedValueIndex_, static_cast<int>(condition->Values().size()) - 1) : 0);
      break;
    case fhtRowButton:
      if (ARowWrap && index > 0) prevRow(Rows(index - 1));
      break;
    case fhtAddCondition:
      prevRow(Rows(RowCount() - 1));
      break;
    default:
      break;
  }
}

void TcxCustomFilterControl::FocusNextRow() {
  if (!HasUsableLink() || focusedPart_ == fhtAddCondition) return;
  const int index = rows_->IndexOf(focusedRow_);
  if (index + 1 >= RowCount())
    SetFocusedPart(focusedRow_, fhtAddCondition);
  else
    FocusPartOf(Rows(index + 1));
}

void TcxCustomFilterControl::FocusPrevRow() {
  if (!HasUsableLink()) return;
  if (focusedPart_ == fhtAddCondition) {
    FocusPartOf(Rows(RowCount() - 1));
    return;
  }
  const int index = rows_->IndexOf(focusedRow_);
  if (index > 0) FocusPartOf(Rows(index - 1));
}

// --- Keys ---

void TcxCustomFilterControl::KeyDown(WORD& Key, TShiftState Shift) {
  TcxControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_TAB:
      if (Shift.Contains(ssCtrl)) {
        if (TCustomForm* form = GetParentForm(this)) form->SelectNext(this, !Shift.Contains(ssShift), true);
      } else if (Shift.Contains(ssShift)) {
        FocusPrevPart(true);
      } else {
        FocusNextPart(true);
      }
      Key = 0;
      break;
    case VK_LEFT:
      FocusPrevPart(false);
      break;
    case VK_RIGHT:
      FocusNextPart(false);
      break;
    case VK_UP:
      FocusPrevRow();
      break;
    case VK_DOWN:
      FocusNextRow();
      break;
    case VK_INSERT:
      AddCondition(focusedRow_);
      break;
    case VK_DELETE:
      if (Shift.Contains(ssCtrl)) RemoveFocusedRow();
      break;
    default:
      break;
  }
}

void TcxCustomFilterControl::KeyPress(Char& Key) {
  TcxControl::KeyPress(Key);
  if (!HasUsableLink() || Key == 0) return;
  if (Key == u'\r' || Key == u' ') {
    TcxFilterControlHitInfo info;
    info.HitTest = focusedPart_;
    info.Row = focusedRow_;
    info.ValueIndex = focusedValueIndex_;
    ProcessHitTest(info, false);
  } else if (Key >= u' ' && focusedPart_ == fhtValue) {  // Esc, Tab and the other control keys type nothing
    EditValue(1, Key);
  }
}

// --- Mouse ---

void TcxCustomFilterControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !HasUsableLink() || editingMode_ != femNone) return;
  TcxFilterControlHitInfo info;
  viewInfo_->GetHitTest(Shift, POINT{X, Y}, info);
  if (info.HitTest == fhtNone) return;
  if (info.HitTest != fhtAddCondition) {
    focusedRow_ = info.Row;
    focusedPart_ = info.HitTest;
    focusedValueIndex_ = std::max(info.ValueIndex, 0);
  }
  ProcessHitTest(info, true);
}

void TcxCustomFilterControl::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  TcxFilterControlHitInfo info;
  viewInfo_->GetHitTest(Shift, POINT{X, Y}, info);
  SetHotInfo(info);
}

void TcxCustomFilterControl::MouseLeave(TControl* AControl) {
  TcxControl::MouseLeave(AControl);
  SetHotInfo(TcxFilterControlHitInfo{});
}

void TcxCustomFilterControl::SetHotInfo(const TcxFilterControlHitInfo& AInfo) {
  const bool changed = AInfo.HitTest != hotInfo_.HitTest || AInfo.Row != hotInfo_.Row ||
                       AInfo.ValueIndex != hotInfo_.ValueIndex;
  hotInfo_ = AInfo;
  if (changed) LayoutChanged();
}

TCursor TcxCustomFilterControl::GetCursor(int X, int Y) {
  TcxFilterControlHitInfo info;
  viewInfo_->GetHitTest({}, POINT{X, Y}, info);
  return info.HitTest != fhtNone && HotTrackApplies() ? crHandPoint : crDefault;
}

bool TcxCustomFilterControl::HotTrackApplies() {
  return Enabled() && HasUsableLink() && (hotTrackOnUnfocused_ || HasFocusInside());
}

bool TcxCustomFilterControl::HasFocusInside() {
  return Focused() || (choiceBox_ && choiceBox_->Focused()) || (valueEditor_ && valueEditor_->Focused());
}

void TcxCustomFilterControl::FocusChanged() {
  TcxControl::FocusChanged();
  LayoutChanged();
}

// --- Activation ---

void TcxCustomFilterControl::ProcessHitTest(const TcxFilterControlHitInfo& AHitInfo, bool AByMouse) {
  switch (AHitInfo.HitTest) {
    case fhtRowButton:
      ShowRowMenu();
      break;
    case fhtBoolOperator:
      EditBoolOperator();
      break;
    case fhtItem:
      EditItem();
      break;
    case fhtOperator:
      EditOperator();
      break;
    case fhtValue:
      if (AByMouse) {
        hotInfo_ = AHitInfo;
        EditValue(2, 0);
      } else {
        EditValue(0, 0);
      }
      break;
    case fhtAddCondition:
      AddCondition(Rows(RowCount() - 1));
      break;
    case fhtAddValue:
      if (auto* condition = FocusedCondition()) {
        condition->Values().push_back({});
        SetFocusedPart(condition, fhtValue, static_cast<int>(condition->Values().size()) - 1);
      }
      break;
    default:
      break;
  }
}

void TcxCustomFilterControl::ShowRowMenu() {
  if (!HasUsableLink()) return;
  editingMode_ = femRowMenu;
  const bool root = focusedRow_ == Root();
  TMenuItem* items = rowMenu_->Items();
  items->Items(2)->SetVisible(!root || Root()->RowCount() > 0);
  items->Items(3)->SetVisible(!root || Root()->RowCount() > 0);
  items->Items(3)->SetCaption(cxGetResourceString(root ? cxSFilterMenuClearAll : cxSFilterMenuRemoveRow));
  const POINT at = ClientToScreen(POINT{focusedRow_->ButtonRect.left, focusedRow_->ButtonRect.bottom});
  rowMenu_->Popup(at.x, at.y);
  editingMode_ = femNone;
}

void TcxCustomFilterControl::RowMenuCommand(int ATag) {
  editingMode_ = femNone;
  switch (ATag) {
    case 0:
      AddCondition(focusedRow_);
      break;
    case 1:
      AddGroup();
      break;
    case 3:
      if (focusedRow_ == Root())
        Clear();
      else
        RemoveFocusedRow();
      break;
    default:
      break;
  }
}

void TcxCustomFilterControl::FillItems(TStrings* AItems) {
  IcxFilterControl* link = rows_->Link();
  for (int i = 0; i < link->GetCount(); ++i) {
    TcxCustomEditProperties* properties = link->GetProperties(i);
    if (properties && properties->GetSupportedOperations().Contains(esoFiltering))
      AItems->AddObject(link->GetCaption(i), cxFilterControlItemLink(i));
  }
}

void TcxCustomFilterControl::FillOperators(TStrings* AItems) {
  auto* condition = FocusedCondition();
  for (int op = 1; op <= fcopLast; ++op)
    if (condition->SupportedOperators().test(static_cast<size_t>(op)))
      AItems->AddObject(FilterOperatorText(op), cxFilterControlItemLink(op));
}

void TcxCustomFilterControl::EditBoolOperator() {
  auto* group = dynamic_cast<TcxGroupViewInfo*>(focusedRow_);
  if (!HasUsableLink() || !group) return;
  TStrings* items = ChoiceProperties()->Items();
  items->Clear();
  for (int kind = 0; kind < 4; ++kind)
    items->AddObject(FilterBoolOperatorText(static_cast<TcxFilterBoolOperatorKind>(kind)), cxFilterControlItemLink(kind));
  OpenChoiceBox(femBoolOperator, FontBoolOperator(), group->BoolOperatorRect, group->BoolOperatorText());
}

void TcxCustomFilterControl::EditItem() {
  auto* condition = FocusedCondition();
  if (!HasUsableLink() || !condition) return;
  TStrings* items = ChoiceProperties()->Items();
  items->Clear();
  FillItems(items);
  OpenChoiceBox(femItem, FontItem(), condition->ItemRect, condition->ItemText());
}

void TcxCustomFilterControl::EditOperator() {
  auto* condition = FocusedCondition();
  if (!HasUsableLink() || !condition) return;
  TStrings* items = ChoiceProperties()->Items();
  items->Clear();
  FillOperators(items);
  OpenChoiceBox(femOperator, FontCondition(), condition->OperatorRect, condition->OperatorText());
}

void TcxCustomFilterControl::OpenChoiceBox(TcxFilterControlEditingMode AMode, TFont* AFont, const RECT& ABounds,
                                           const String& AText) {
  editingMode_ = AMode;
  choiceBox_->Style()->SetFont(AFont);
  choiceBox_->SetParent(this);
  choiceBox_->SetBounds(ABounds.left, ABounds.top, ABounds.right - ABounds.left, ABounds.bottom - ABounds.top);
  TStrings* items = ChoiceProperties()->Items();
  ChoiceProperties()->SetDropDownRows(std::min(12, items->Count()));
  choiceBox_->SetItemIndex(items->IndexOf(AText));
  choiceBox_->SetVisible(true);
  choiceBox_->SetFocus();
  choiceBox_->SetDroppedDown(true);
}

void TcxCustomFilterControl::ChoiceApplied() {
  const int index = choiceBox_->ItemIndex();
  TStrings* items = ChoiceProperties()->Items();
  if (index >= 0 && index < items->Count()) {
    const int chosen = cxFilterControlItemID(items->Objects(index));
    auto* condition = FocusedCondition();
    switch (editingMode_) {
      case femItem:
        if (condition) {
          condition->SetItem(chosen);
          if (valueEditor_) editList_->RemoveItem(condition->EditorProperties());
          focusedPart_ = fhtOperator;
        }
        break;
      case femBoolOperator:
        if (auto* group = dynamic_cast<TcxGroupViewInfo*>(focusedRow_))
          group->SetBoolOperator(static_cast<TcxFilterBoolOperatorKind>(chosen));
        break;
      case femOperator:
        if (condition) {
          condition->SetOperator(chosen);
          if (condition->HasValues()) {
            focusedPart_ = fhtValue;
            focusedValueIndex_ = 0;
          }
        }
        break;
      default:
        break;
    }
  }
  choiceBox_->SetVisible(false);
  editingMode_ = femNone;
  LayoutChanged();
  MakeFocusedPartVisible();
  if (CanFocus()) SetFocus();
}
