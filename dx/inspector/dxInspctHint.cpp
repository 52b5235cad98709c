// Row hints: a caption or value cell whose text does not fit shows it whole in a hint window; a
// caption with the row's own hint shows that one after a delay.
#include "dx/inspector/dxInspct.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kHintShowTimer = 2;
constexpr UINT_PTR kHintHideTimer = 3;
constexpr UINT kHintShowDelay = 1000;
constexpr UINT kHintHidePause = 5000;

}  // namespace

void TCustomdxInspector::ResetRowHint() {
  hintNode_ = nullptr;
  hintKind_ = ihkOutside;
  hintComplexItem_ = -1;
}

void TCustomdxInspector::HideRowHint() {
  if (HandleAllocated()) {
    KillTimer(Handle(), kHintShowTimer);
    KillTimer(Handle(), kHintHideTimer);
  }
  if (hintWindow_) hintWindow_->HideHint();
}

void TCustomdxInspector::TrackRowHint(const TdxInspectorHitInfo& Hit) {
  if (!showRowHint_) return;
  const bool cell = (Hit.Kind == ihkCaption || Hit.Kind == ihkValue) && Hit.Node;
  if (!cell) {
    HideRowHint();
    ResetRowHint();
    return;
  }
  if (Hit.Node == hintNode_ && Hit.Kind == hintKind_ && Hit.ComplexItem == hintComplexItem_) return;
  hintNode_ = Hit.Node;
  hintKind_ = Hit.Kind;
  hintComplexItem_ = Hit.ComplexItem;
  EvaluateRowHint(true);
}

void TCustomdxInspector::EvaluateRowHint(bool DelayAllowed) {
  HideRowHint();
  POINT cursor;
  GetCursorPos(&cursor);
  const TdxInspectorHitInfo hit = HitTest(ScreenToClient(cursor));
  if ((hit.Kind != ihkCaption && hit.Kind != ihkValue) || !hit.Node) return;
  const bool isValue = hit.Kind == ihkValue;
  RECT row = GetNodeRect(hit.Node);
  row.bottom -= rowLineWidth_;
  const TdxInspectorRowLayout layout = CalcRowLayout(hit.Node, row);
  const RECT cellRect = IsRectEmpty(&hit.ItemRect) ? (isValue ? layout.Value : layout.Caption) : hit.ItemRect;
  POINT point{cellRect.left - (isValue ? 1 : 2), row.top + rowMargin_ - 2};
  String text;
  bool isRowHint = false;
  if (!GetCellHint(hit.Node, hit.ComplexItem, hit.ItemRect, isValue, cellRect, text, point, isRowHint))
    return;
  if (!isValue && isRowHint && DelayAllowed) {
    SetTimer(Handle(), kHintShowTimer, kHintShowDelay, nullptr);
    return;
  }
  if (text.empty()) return;
  if (!hintWindow_) hintWindow_ = new TdxContainerHintWindow(this);
  hintWindow_->ShowHint(ClientToScreen(point), text, Font());
  SetTimer(Handle(), kHintHideTimer, kHintHidePause, nullptr);
}

void TCustomdxInspector::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  HideRowHint();
  ResetRowHint();
  SetHotNode(nullptr);
}
