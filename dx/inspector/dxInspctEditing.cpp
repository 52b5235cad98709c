// The in-place editor over the focused row's value cell: when it shows, loads, saves and hides.
#include <algorithm>
#include <exception>
#include <functional>

#include "dx/editors/dxTextEdit.h"
#include "dx/inspector/dxInspct.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

// Runs its action when the scope is left by an exception.
class TOnFailure {
 public:
  explicit TOnFailure(std::function<void()> Action)
      : action_(std::move(Action)), pending_(std::uncaught_exceptions()) {}
  ~TOnFailure() {
    if (std::uncaught_exceptions() > pending_) action_();
  }

 private:
  std::function<void()> action_;
  int pending_;
};

// The container's editor set-up bracket, closed also when a step raises.
class TInitEditScope {
 public:
  explicit TInitEditScope(TCustomdxContainer* Container) : container_(Container) {
    container_->BeginInitEdit();
  }
  ~TInitEditScope() { container_->EndInitEdit(); }

 private:
  TCustomdxContainer* container_;
};

}  // namespace

bool TCustomdxInspector::CanShowEditor() {
  return HasOption(inoEditing) && focusedNode_ && !IsCategory(focusedNode_) &&
         !ComponentState().Contains(csDesigning) && !IsLocked() && HandleAllocated() &&
         state_ != insRowDragging && !IsCustomizing();
}

TdxInplaceEdit* TCustomdxInspector::CreateEditor(TdxInspectorNode*) { return new TdxInplaceTextEdit(this); }

void TCustomdxInspector::GetEditorBounds(TdxInspectorNode* Node, RECT& Rect) {
  Rect = RECT{};
  RECT row = GetNodeRect(Node);
  if (IsRectEmpty(&row)) return;
  row.bottom -= rowLineWidth_;
  Rect = CalcRowLayout(Node, row).Value;
}

void TCustomdxInspector::InitEditor(TdxInplaceEdit* Editor) {
  Editor->SetHiding(false);
  Editor->SetColor(TColor(GetNearestColor(Canvas()->Handle(), ColorToRGB(GetEditColor()))));
  Editor->Font()->Assign(GetEditFont());
  Editor->SetTextOffsets(RECT{1, 0, 0, 0});
}

void TCustomdxInspector::InitEditValue(TdxInspectorNode*, TdxInplaceEdit*, Variant& Value) {
  Value = String();
}

void TCustomdxInspector::SaveEditValue(TdxInspectorNode*, TdxInplaceEdit*, Variant& Value) {
  Value = String();
}

String TCustomdxInspector::GetEditingText() {
  if (!HasOption(inoEditing) || !inplaceEditor_) return String();
  return inplaceEditor_->Text();
}

void TCustomdxInspector::SetEditingText(const String& Text) {
  if (HasOption(inoEditing) && inplaceEditor_) inplaceEditor_->SetEditingText(Text);
}

void TCustomdxInspector::InitEdit() {
  editorComplexItem_ = focusedComplexItem_;
  editingNode_ = focusedNode_;
  TInitEditScope init(this);
  InitEditor(inplaceEditor_);
  Variant value;
  InitEditValue(focusedNode_, inplaceEditor_, value);
  inplaceEditor_->SetModified(false);
  if (IsReadOnly()) inplaceEditor_->SetReadOnly(true);
  inplaceEditor_->SetActive(true);
}

void TCustomdxInspector::UpdateEditor(bool Force, bool Reload) {
  if (!CanShowEditor()) {
    if (inplaceEditor_ && inplaceEditor_->IsVisible()) HideEditor();
    return;
  }
  const bool hasFocus = IsFocusInside() || (inplaceEditor_ && inplaceEditor_->IsFocused());
  if (!Force && !hasFocus) {
    if (Reload && inplaceEditor_) InitEdit();
    return;
  }
  RECT bounds;
  GetEditorBounds(focusedNode_, bounds);
  TdxInplaceEdit* found = FindEditor(focusedNode_);
  if (found && found == inplaceEditor_ && editingNode_ == focusedNode_ &&
      editorComplexItem_ == focusedComplexItem_) {
    RECT now = found->BoundsRect();
    InflateRect(&now, -2, -2);
    if (Force || !EqualRect(&now, &bounds) || !found->IsVisible()) {
      found->HideEdit();
      found->ShowAt(bounds);
      found->CaretToEnd();
    }
    return;
  }
  if (found && found != inplaceEditor_) {
    editingNode_ = nullptr;
    CloseEditor(false);
    inplaceEditor_ = found;
  } else if (!found) {
    editingNode_ = nullptr;
    CloseEditor(false);
    inplaceEditor_ = CreateEditor(focusedNode_);
    inplaceEditor_->SetParent(this);
  }
  InitEdit();
  inplaceEditor_->ShowAt(bounds);
}

void TCustomdxInspector::ShowEditor() {
  editingNode_ = nullptr;
  UpdateEditor(false, true);
}

void TCustomdxInspector::ShowEditorIfEditing() {
  if (HasOption(inoEditing) && focusedNode_) UpdateEditor(true, false);
}

void TCustomdxInspector::PostEditor() {
  if (inplaceEditor_ && inplaceEditor_->IsInplace() && editingNode_) inplaceEditor_->ValidateEdit();
  CloseEditor(true);
}

void TCustomdxInspector::SavePendingValue() {
  if (!editingNode_) return;
  Variant value;
  SaveEditValue(editingNode_, inplaceEditor_, value);
}

void TCustomdxInspector::CloseEditor(bool Keep) {
  if (!inplaceEditor_) return;
  TdxInplaceEdit* editor = inplaceEditor_;
  editor->SetHiding(true);  // cleared again when the editor is next set up
  const bool hadFocus = editor->HandleAllocated() && GetFocus() == editor->Handle();
  if (!editor->ComponentState().Contains(csDestroying)) {
    // A value the row refuses leaves the editing row on screen and any press abandoned.
    const TOnFailure failed([this, Keep] {
      if (Keep && editingNode_) editingNode_->MakeVisible();
      if (HandleAllocated()) KillTimer(Handle(), 1);
      state_ = insIdle;
    });
    SavePendingValue();
  }
  if (!Keep) {
    editingNode_ = nullptr;
    editor->HideEdit();
  }
  if ((Keep || hadFocus) && HandleAllocated() && IsWindowVisible(Handle()) && GetFocus() != Handle())
    ::SetFocus(Handle());
}

void TCustomdxInspector::HideEditor() {
  editingNode_ = nullptr;
  CloseEditor(false);
  inplaceEditor_ = nullptr;
}

void TCustomdxInspector::EditorFocusChanged() { InvalidateNode(focusedNode_, false); }
