// The control's answers for complex rows: focus among the items, hit testing, painting, editing.
#include <algorithm>
#include <climits>

#include "dx/inspector/dxInspctComplex.h"
#include "dx/inspector/dxInspctControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

TdxInspectorComplexRow* ComplexRowOf(TdxInspectorNode* Node) {
  return dynamic_cast<TdxInspectorComplexRow*>(TCustomdxInspectorControl::RowOf(Node));
}

}  // namespace

bool TCustomdxInspectorControl::IsComplexNode(TdxInspectorNode* Node) {
  return Node && !IsCategory(Node) && ComplexRowOf(Node);
}

bool TCustomdxInspectorControl::IsComplexItemRow(TdxInspectorRow* Row) {
  for (TdxInspectorRow* r : rows_)
    if (auto* complex = dynamic_cast<TdxInspectorComplexRow*>(r);
        complex && complex->Items()->IndexOfRow(Row) >= 0)
      return true;
  return false;
}

void TCustomdxInspectorControl::RemoveFromComplexRows(TdxInspectorRow* Row) {
  for (TdxInspectorRow* r : rows_)
    if (auto* complex = dynamic_cast<TdxInspectorComplexRow*>(r))
      for (int i = 0; i < complex->Items()->Count(); ++i)
        if (complex->Items()->Items(i)->Row() == Row) complex->Items()->Items(i)->ClearRow();
}

TdxInspectorRow* TCustomdxInspectorControl::GetFocusedRowOfItem(TdxInspectorNode* Node, int Item) {
  TdxInspectorComplexRowItems* items = ComplexRowOf(Node)->Items();
  return Item >= 0 && Item < items->Count() ? items->Items(Item)->Row() : nullptr;
}

TdxInspectorRow* TCustomdxInspectorControl::GetFocusedRow(TdxInspectorNode* Node) {
  if (!IsComplexNode(Node)) return RowOf(Node);
  TdxInspectorComplexRowItems* items = ComplexRowOf(Node)->Items();
  const int index = std::max(FocusedComplexItem(), 0);
  return index < items->Count() ? items->Items(index)->Row() : nullptr;
}

void TCustomdxInspectorControl::CheckComplexItemIndex(int& Index) {
  if (!IsComplexNode(FocusedNode())) return;
  const int count = ComplexRowOf(FocusedNode())->Items()->Count();
  Index = std::clamp(Index, 0, std::max(count - 1, 0));
}

bool TCustomdxInspectorControl::CanFocusNextComplexItem(bool Forward) {
  if (!IsComplexNode(FocusedNode())) return false;
  const int count = ComplexRowOf(FocusedNode())->Items()->Count();
  const int next = std::clamp(FocusedComplexItem() + (Forward ? 1 : -1), 0, std::max(count - 1, 0));
  return count > 1 && next != FocusedComplexItem();
}

bool TCustomdxInspectorControl::FocusNextComplexItem(bool Forward) {
  if (!IsComplexNode(FocusedNode())) {
    // Entering a complex row lands on its first item forward, its last backward.
    SetFocusedComplexItem(Forward ? 0 : INT_MAX);
    return false;
  }
  const int count = ComplexRowOf(FocusedNode())->Items()->Count();
  if (count < 2) return false;
  const int next = std::clamp(FocusedComplexItem() + (Forward ? 1 : -1), 0, count - 1);
  if (next != FocusedComplexItem()) {
    SetFocusedComplexItem(next);
    InvalidateNode(FocusedNode(), false);
    return true;
  }
  SetFocusedComplexItem(Forward ? 0 : INT_MAX);
  return false;
}

void TCustomdxInspectorControl::HitTestComplexItem(TdxInspectorNode* Node, const RECT& CellRect, POINT P,
                                                   int& ItemIndex, RECT& ItemRect) {
  ItemIndex = -1;
  ItemRect = RECT{};
  if (!IsComplexNode(Node) || !PtInRect(&CellRect, P)) return;
  // Caption cells are laid out with the caption separator width, as they are painted.
  TdxInspectorComplexRowViewInfo info(ComplexRowOf(Node),
                                      hitInCaption_ ? CaptionSeparatorWidth() : ValueSeparatorWidth());
  info.Calculate(CellRect);
  for (int i = 0; i < info.Count(); ++i) {
    if (!PtInRect(&info.Items(i).Rect, P)) continue;
    if (info.Items(i).Separator) {
      ItemRect = info.Items(i - 1).Rect;
    } else {
      ItemIndex = i / 2;
      ItemRect = info.Items(i).Rect;
    }
    return;
  }
}

void TCustomdxInspectorControl::GetEditorBounds(TdxInspectorNode* Node, RECT& Rect) {
  inherited::GetEditorBounds(Node, Rect);
  if (!IsComplexNode(Node) || IsRectEmpty(&Rect)) return;
  TdxInspectorComplexRowViewInfo info(ComplexRowOf(Node), ValueSeparatorWidth());
  info.Calculate(Rect);
  const int view = std::max(FocusedComplexItem(), 0) * 2;
  Rect = view < info.Count() ? info.Items(view).Rect : RECT{};
}

void TCustomdxInspectorControl::DrawComplexSeparator(TCanvas* Canvas, const RECT& Rect, bool InCaption) {
  if (!ComplexRowSeparator().empty()) {
    Canvas->FillRect(Rect);
    const SIZE s = Canvas->TextExtent(ComplexRowSeparator());
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    Canvas->TextOut(Rect.left + (Rect.right - Rect.left - s.cx) / 2,
                    Rect.top + (Rect.bottom - Rect.top - s.cy) / 2, ComplexRowSeparator());
    return;
  }
  if (!InCaption && PaintStyle() == ipsCategorized) {
    const TColor cell = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(Rect);
    Canvas->Brush()->SetColor(cell);  // the next item keeps the cell's colour
    return;
  }
  Canvas->FillRect(Rect);
  RECT line{(Rect.left + Rect.right) / 2, Rect.top + 2, (Rect.left + Rect.right) / 2 + 2, Rect.bottom - 2};
  DrawEdge(Canvas->Handle(), &line, EDGE_ETCHED, BF_LEFT);
}

void TCustomdxInspectorControl::DrawCaptionText(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& Rect,
                                                const String& Text) {
  TdxInspectorComplexRow* complex = IsComplexNode(Node) ? ComplexRowOf(Node) : nullptr;
  if (!complex) {
    inherited::DrawCaptionText(Canvas, Node, Rect, Text);
    return;
  }
  TdxInspectorComplexRowViewInfo info(complex, CaptionSeparatorWidth());
  info.Calculate(Rect);
  if (info.IsEmpty()) {
    inherited::DrawCaptionText(Canvas, Node, Rect, complex->Caption());
    return;
  }
  for (int i = 0; i < info.Count(); ++i) {
    const TdxInspectorComplexRowViewInfoItem& item = info.Items(i);
    if (item.Separator)
      DrawComplexSeparator(Canvas, item.Rect, true);
    else
      inherited::DrawCaptionText(Canvas, Node, item.Rect, item.Row ? item.Row->Caption() : String());
  }
}
