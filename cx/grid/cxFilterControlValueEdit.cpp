// The filter control's value editor: the helper's editor opened over a value, keys that close it,
// and the typed value checked and stored on closing.
#include <algorithm>

#include "cx/grid/cxFilterControl.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

void TcxCustomFilterControl::EditValue(int AMode, Char AChar) {
  auto* condition = FocusedCondition();
  if (!HasUsableLink() || !condition || focusedPart_ != fhtValue || valueEditor_) return;
  if (focusedValueIndex_ < 0 || focusedValueIndex_ >= static_cast<int>(condition->Values().size())) return;
  MakeFocusedPartVisible();
  editingMode_ = femValue;
  TcxCustomEdit* edit = CreateFilterValueEdit(condition->Helper(), condition->EditorProperties(), editList_.get(), this);
  const TcxValueInfo& value = condition->Values()[static_cast<size_t>(focusedValueIndex_)];
  condition->Helper()->SetFilterValue(edit, condition->EditorProperties(), value.Value);
  cxFilterRemoveWildcards(edit, Criteria(), condition->Operator());
  edit->Style()->Assign(ValueEditStyle());
  edit->Style()->SetColor(clWindow);
  const RECT& r = value.Rect;
  edit->SetBounds(r.left, r.top, std::max<int>(r.right - r.left, viewInfo_->MinValueWidth()), r.bottom - r.top);
  edit->OnInplaceKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { ValueEditorKeyDown(Sender, Key, Shift); };
  edit->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { ValueEditorKeyDown(Sender, Key, Shift); };
  edit->OnExit = [this](TObject*) {
    if (valueEditor_) EndValueEdit(true);
  };
  edit->OnFocusChanged = [this](TObject*) { LayoutChanged(); };
  valueEditor_ = edit;
  std::unique_ptr<TcxCustomEditData> editData;
  switch (AMode) {
    case 1:
      edit->ActivateByKey(AChar, editData);
      break;
    case 2:
      edit->ActivateByMouse(hotInfo_.Shift, hotInfo_.Mouse.x, hotInfo_.Mouse.y, editData);
      break;
    default:
      edit->Activate(editData);
      break;
  }
}

void TcxCustomFilterControl::ValueEditorKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (!valueEditor_) return;
  auto closeAndFocus = [&](bool AAccept) {
    EndValueEdit(AAccept);
    if (CanFocus()) SetFocus();
  };
  switch (Key) {
    case VK_RETURN:
      closeAndFocus(true);
      Key = 0;
      break;
    case VK_ESCAPE:
      closeAndFocus(false);
      Key = 0;
      break;
    case VK_TAB:
      if (!wantTabs_) return;
      closeAndFocus(true);
      if (Shift.Contains(ssShift))
        FocusPrevPart(true);
      else
        FocusNextPart(true);
      Key = 0;
      break;
    case VK_INSERT:
      if (!Shift.Contains(ssCtrl)) return;
      closeAndFocus(true);
      AddCondition(focusedRow_);
      Key = 0;
      break;
    case VK_DELETE:
      if (!Shift.Contains(ssCtrl)) return;
      closeAndFocus(false);
      RemoveFocusedRow();
      Key = 0;
      break;
    case VK_UP:
    case VK_DOWN:
      closeAndFocus(true);
      if (Key == VK_UP)
        FocusPrevRow();
      else
        FocusNextRow();
      Key = 0;
      break;
    default:
      break;
  }
}

void TcxCustomFilterControl::EndValueEdit(bool AAccept) {
  TcxCustomEdit* edit = valueEditor_;
  if (!edit) return;
  editingMode_ = femNone;
  auto* condition = FocusedCondition();
  if (AAccept && condition && focusedValueIndex_ < static_cast<int>(condition->Values().size())) {
    if (!edit->Deactivate()) {
      editingMode_ = femValue;
      throw EAbort(String());
    }
    String text;
    Variant value;
    condition->Helper()->GetFilterValue(edit, condition->EditorProperties(), text, value);
    try {
      CheckFilterValue(edit, value, condition->Operator(), condition->ValueType());
    } catch (...) {
      editingMode_ = femValue;
      if (edit->CanFocus()) edit->SetFocus();
      throw;
    }
    TcxValueInfo& target = condition->Values()[static_cast<size_t>(focusedValueIndex_)];
    target.Value = value;
    target.ValueText = text;
  }
  valueEditor_ = nullptr;
  edit->OnExit = nullptr;
  edit->OnFocusChanged = nullptr;
  edit->OnKeyDown = nullptr;
  edit->OnInplaceKeyDown = nullptr;
  edit->SetParent(nullptr);
  LayoutChanged();
  MakeFocusedPartVisible();
}
