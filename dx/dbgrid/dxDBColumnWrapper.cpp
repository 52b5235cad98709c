#include "dx/dbgrid/dxDBColumnWrapper.h"

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLControl.h"

TRENVIK_PUBLISHED(TdxDBTreeListWrapperColumn) {
  P.Event("OnGetReferenceColumn", &TdxDBTreeListWrapperColumn::OnGetReferenceColumn);
}

namespace {

// Lends the wrapper's value slot to the reference column until the scope ends.
class TBorrowedSlot {
 public:
  TBorrowedSlot(TdxDBTreeListColumn* Column, int DataIndex) : column_(Column) {
    column_->SetBorrowedDataIndex(DataIndex);
  }
  ~TBorrowedSlot() { column_->SetBorrowedDataIndex(-1); }
  TBorrowedSlot(const TBorrowedSlot&) = delete;
  TBorrowedSlot& operator=(const TBorrowedSlot&) = delete;

 private:
  TdxDBTreeListColumn* column_;
};

}  // namespace

TdxDBTreeListWrapperColumn::TdxDBTreeListWrapperColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {
  SetDisableFilter(true);
}

TdxDBTreeListColumn* TdxDBTreeListWrapperColumn::GetReferenceColumn(TdxTreeListNode* Node) {
  if (!Node && TreeList()) Node = TreeList()->FocusedNode();
  TdxDBTreeListColumn* column = nullptr;
  if (OnGetReferenceColumn) OnGetReferenceColumn(this, Node, column);
  return column == this ? nullptr : column;
}

template <class F>
bool TdxDBTreeListWrapperColumn::Delegate(TdxTreeListNode* Node, F&& Work) {
  TdxDBTreeListColumn* reference = GetReferenceColumn(Node);
  if (!reference) return false;
  TBorrowedSlot slot(reference, GetDataIndex());
  Work(reference);
  return true;
}

TdxInplaceEditClass TdxDBTreeListWrapperColumn::GetEditorClass() {
  if (TdxDBTreeListColumn* reference = GetReferenceColumn(nullptr)) return reference->GetEditorClass();
  return inherited::GetEditorClass();
}

void TdxDBTreeListWrapperColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  if (!Delegate(nullptr, [&](TdxDBTreeListColumn* c) { c->InitEditProperties(Editor); }))
    inherited::InitEditProperties(Editor);
}

void TdxDBTreeListWrapperColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor,
                                               Variant& Value) {
  if (!Delegate(Node, [&](TdxDBTreeListColumn* c) { c->InitEditValue(Node, Editor, Value); }))
    inherited::InitEditValue(Node, Editor, Value);
}

void TdxDBTreeListWrapperColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor,
                                               Variant& Value) {
  if (!Delegate(Node, [&](TdxDBTreeListColumn* c) { c->SaveEditValue(Node, Editor, Value); }))
    inherited::SaveEditValue(Node, Editor, Value);
}

void TdxDBTreeListWrapperColumn::FillNodeValue(TdxTreeListNode* Node) {
  if (!Delegate(Node, [&](TdxDBTreeListColumn* c) { c->FillNodeValue(Node); }))
    inherited::FillNodeValue(Node);
}

void TdxDBTreeListWrapperColumn::GetDisplayText(TdxTreeListNode* Node, String& Text) {
  if (!Delegate(Node, [&](TdxDBTreeListColumn* c) { c->GetDisplayText(Node, Text); }))
    inherited::GetDisplayText(Node, Text);
}

bool TdxDBTreeListWrapperColumn::IsFieldValueEqual(const Variant& Value) {
  bool equal = false;
  if (!Delegate(nullptr, [&](TdxDBTreeListColumn* c) { equal = c->IsFieldValueEqual(Value); }))
    equal = inherited::IsFieldValueEqual(Value);
  return equal;
}

TdxInplaceEditClass TdxDBTreeListWrapperColumn::GetCellEditorClass(TdxTreeListNode* Node) {
  TdxDBTreeListColumn* reference = GetReferenceColumn(Node);
  return reference ? reference->GetEditorClass() : inherited::GetEditorClass();
}

void TdxDBTreeListWrapperColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  if (!Delegate(Node, [&](TdxDBTreeListColumn* c) { c->PrepareCellViewData(ViewData, Node); }))
    inherited::PrepareCellViewData(ViewData, Node);
}

void TdxDBTreeListWrapperColumn::GetHotTrackCursor(TdxTreeListNode* Node, TCursor& Cursor) {
  if (!Delegate(Node, [&](TdxDBTreeListColumn* c) { c->GetHotTrackCursor(Node, Cursor); }))
    inherited::GetHotTrackCursor(Node, Cursor);
}

void TdxDBTreeListWrapperColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  SetDisableFilter(true);
}
