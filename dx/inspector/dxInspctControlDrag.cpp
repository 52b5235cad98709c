// Dragged rows of the inspector control: their drag caption, rows dragged in from the customize
// window, and rows dropped into it, which are hidden.
#include "dx/inspector/dxInspctComplex.h"
#include "dx/inspector/dxInspctControl.h"

void TCustomdxInspectorControl::GetDragCaption(TdxInspectorNode* Node, String& Text) {
  TdxInspectorRow* row = RowOf(Node);
  if (auto* complex = dynamic_cast<TdxInspectorComplexRow*>(row))
    Text = complex->GetDragCaption();
  else
    Text = row ? row->Caption() : String();
}

// A row dragged in from the customize window is shown first (at the end of the top level); its new
// node is what the drop moves.
void TCustomdxInspectorControl::PrepareDrop(TdxInspectorNode*& Node, TdxInspectorNode*, TdxInspectorNodeAttachMode) {
  TdxInspectorRow* row = draggedInRow_;
  if (!row) return;
  draggedInRow_ = nullptr;
  row->SetVisible(true);
  Node = row->Node();
}

void TCustomdxInspectorControl::DragDrop(TObject* Source, int X, int Y) {
  if (CanDragRows() && IsInCustomizeForm(ClientToScreen(POINT{X, Y}))) {
    if (TdxInspectorRow* row = RowOf(PressedNode())) row->SetVisible(false);
    return;
  }
  inherited::DragDrop(Source, X, Y);
}
