// Dragging inspector rows: where a drop puts the dragged row, the cursors that say so, the drag
// object used while a customize window is attached, and the messages to that window.
#pragma once

#include "dx/inspector/dxInspct.h"

// The inspector's cursors in the framework's cursor table.
constexpr TCursor crdxInspectorInsert = -1128;    // insert before the row
constexpr TCursor crdxInspectorAddChild = -1129;  // append as the row's last child
constexpr TCursor crdxInspectorAdd = -1130;       // append at the end of the top level
constexpr TCursor crdxInspectorHide = -1141;      // over the customize window: the row will be hidden
constexpr TCursor crdxInspectorNoDrag = -1142;    // the row cannot be dropped here

// Messages to the customize window: a row drag began (WParam 1 for a category row), and refresh.
constexpr UINT WM_DXINSPECTOR_DRAGBEGIN = 0x80C9;
constexpr UINT WM_DXINSPECTOR_CUSTOMIZEREFRESH = 0x80CA;

// Where a drop at a hit puts the dragged node: MoveTo(Target, Mode) when Accepted.
struct TdxInspectorDropPlace {
  bool Accepted = false;
  TdxInspectorNode* Target = nullptr;
  TdxInspectorNodeAttachMode Mode = inaAdd;
};
// FirstTopNode is the inspector's first top-level node (the target of a drop on the empty area).
TdxInspectorDropPlace DropPlaceAt(const TdxInspectorHitInfo& Hit, TdxInspectorNode* FirstTopNode);
// The cursor shown over a hit kind while a row is dragged; crNone when the row is refused there.
TCursor DragCursorForHitKind(TdxInspectorHitKind Kind);

// The drag object of a row drag while a customize window is attached.
class TdxInspectorDragControlObject : public TDragControlObject {
  TRENVIK_CLASS(TdxInspectorDragControlObject, TDragControlObject);

 public:
  explicit TdxInspectorDragControlObject(TCustomdxInspector* Inspector = nullptr)
      : TDragControlObject(Inspector) {}
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
};

void LoadInspectorCursors();
void FreeInspectorCursors();
