// The wrapper column kind: per node, another column may do the work of the wrapper's cells, reading
// and writing the wrapper's own cell values meanwhile.
#pragma once

#include "dx/dbgrid/dxDBColumn.h"

using TdxGetReferenceColumnEvent =
    std::function<void(TObject* Sender, TdxTreeListNode* Node, TdxDBTreeListColumn*& Column)>;

class TdxDBTreeListWrapperColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListWrapperColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListWrapperColumn(TComponent* AOwner);

  TdxGetReferenceColumnEvent OnGetReferenceColumn;

  // The column doing the work for Node (the focused node when none is given), nullptr for none.
  TdxDBTreeListColumn* GetReferenceColumn(TdxTreeListNode* Node);

  TdxInplaceEditClass GetEditorClass() override;
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  void FillNodeValue(TdxTreeListNode* Node) override;
  void GetDisplayText(TdxTreeListNode* Node, String& Text) override;
  bool IsFieldValueEqual(const Variant& Value) override;
  TdxInplaceEditClass GetCellEditorClass(TdxTreeListNode* Node) override;
  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;
  void GetHotTrackCursor(TdxTreeListNode* Node, TCursor& Cursor) override;
  void RestoreDefaults() override;

 private:
  // Runs Work on the reference column of Node with the wrapper's value slot; answers false, running
  // nothing, when Node has none.
  template <class F>
  bool Delegate(TdxTreeListNode* Node, F&& Work);
};
