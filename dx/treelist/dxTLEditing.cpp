// The in-place editing cycle: open the editor on the focused cell, set it up from the cell, save its
// value when it closes.
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLEditStyle.h"
#include "platform/win/Windows.h"

void TCustomdxTreeList::ShowEditor() {
  if (!IsEditingEnabled() || IsRowSelect() || !focused_) return;
  bool allow = true;
  if (newItemRowActive_)
    BeginNewItemRowEditing(allow);
  else
    DoEditing(focused_, allow);
  if (!allow) {
    editor_ = nullptr;
    return;
  }
  if (state_ != tsNormal || GetVisibleColumnCount() == 0) return;
  MakeColumnVisible(GetFocusedColumnAbsoluteIndex());
  focused_->MakeVisible();
  SetState(tsEditing);
  UpdateEditor(true);
}

void TCustomdxTreeList::ShowEditorByClick() {
  ShowEditor();
  if (state_ == tsEditing && editor_) editor_->ActivateByClick();
}

bool TCustomdxTreeList::CanPlaceEditor() {
  return state_ == tsEditing && !ComponentState().Contains(csDesigning) && lockCount_ == 0 &&
         HandleAllocated();
}

void TCustomdxTreeList::UpdateEditor(bool AllowDropDown) {
  if (!CanPlaceEditor()) return;
  int column = GetFocusedColumn();
  TdxInplaceEdit* editor = FindInplaceEdit(column);
  if (editor) {
    editor_ = editor;
    if (column != editColumn_ || focused_ != editNode_) {
      DoHideEditor(false);
      SetState(tsEditing);
      InitEditor();
    }
  } else {
    editor_ = CreateInplaceEdit(column);
    InitEditor();
  }
  RECT rect;
  GetEditorRect(focused_, column, rect);
  if (CanPlaceEditor() && rect.left != -1) {
    if (!AllowDropDown) editor_->LockImmediateDropDown();
    struct TUnlock {
      TdxInplaceEdit* editor;
      bool locked;
      ~TUnlock() {
        if (locked) editor->UnlockImmediateDropDown();
      }
    } unlock{editor_, !AllowDropDown};
    editor_->ShowAt(rect);
  } else {
    ForgetEditCell();
  }
}

void TCustomdxTreeList::InitEditor() {
  editColumn_ = GetFocusedColumn();
  editNode_ = focused_;
  lastValidatedColumn_ = editColumn_;
  editor_->SetParent(this);
  if (!focused_) return;
  BeginInitEdit();
  struct TEnd {
    TCustomdxTreeList* self;
    ~TEnd() { self->EndInitEdit(); }
  } end{this};
  PrepareEditor(editor_);
  Variant value;
  InitEditValue(focused_, editor_, value);
  editor_->SetEditValue(value);
  editor_->SetModified(false);
  if (IsReadOnly()) editor_->SetReadOnly(true);
  editor_->SetActive(true);
}

void TCustomdxTreeList::PrepareEditor(TdxInplaceEdit* Editor) {
  Editor->SetHiding(false);
  Editor->SetColor(GetEditColor());
  Editor->SetFont(GetEditFont());
  Editor->SetTextOffsets(RECT{1, 0, 0, 0});
}

TdxInplaceEdit* TCustomdxTreeList::FindInplaceEdit(int) { return editor_; }

TdxInplaceEdit* TCustomdxTreeList::CreateInplaceEdit(int) { return new TdxInplaceTreeListTextEdit(this); }

void TCustomdxTreeList::InitEditValue(TdxTreeListNode*, TdxInplaceEdit*, Variant& Value) { Value = String(); }

void TCustomdxTreeList::SaveEditValue(TdxTreeListNode*, int, Variant& Value, TdxInplaceEdit*) {
  Value = String();
}

void TCustomdxTreeList::BeginNewItemRowEditing(bool&) {}

void TCustomdxTreeList::CloseEditor() {
  if (state_ != tsEditing) return;
  if (editor_ && !IsDestroying()) editor_->ValidateEdit();
  SetState(tsNormal);
  DoHideEditor(false);
}

void TCustomdxTreeList::HideEditor() {
  if (state_ != tsEditing) return;
  if (editor_ && !IsDestroying()) editor_->ValidateEdit();
  SetState(tsNormal);
  DoHideEditor(true);
}

void TCustomdxTreeList::InvalidateEditor() {
  if (noRefocus_) return;
  ForgetEditCell();
  UpdateEditor(false);
}

void TCustomdxTreeList::DoHideEditor(bool FocusTreeList) {
  TdxInplaceEdit* editor = editor_;
  if (!editor) return;
  editor->SetHiding(true);
  bool hadFocus = editor->HandleAllocated() && GetFocus() == editor->Handle();
  struct THide {
    TCustomdxTreeList* self;
    TdxInplaceEdit* editor;
    bool focusTreeList, hadFocus;
    ~THide() {
      self->ForgetEditCell();
      editor->HideEdit();
      if ((focusTreeList || hadFocus) && self->HandleAllocated() && self->Visible() && !self->noRefocus_ &&
          !self->IsDestroying())
        ::SetFocus(self->Handle());
    }
  } hide{this, editor, FocusTreeList, hadFocus};
  if (!editor->ComponentState().Contains(csDestroying) && editColumn_ != -1 && editNode_) {
    TdxTreeListNode* node = editNode_;
    if (editor->GetModified()) {
      Variant value;
      SaveEditValue(node, GetAbsoluteColumnIndex(editColumn_), value, editor);
    }
    DoEdited(node);
  }
}
