// Where each part of a row lies and what a point of the control is over.
#include <algorithm>

#include "dx/inspector/dxInspct.h"
#include "platform/win/Windows.h"

TdxInspectorRowLayout TCustomdxInspector::CalcRowLayout(TdxInspectorNode* Node, RECT R, bool ForHitTest) {
  TdxInspectorRowLayout L;
  const bool categorized = paintStyle_ == ipsCategorized;
  const bool category = IsCategory(Node);
  const int level = Node->Level();
  if (categorized && category) {
    // Painted without a header for a top-level category; hit tests give it one indent.
    const int indent = ForHitTest && level == 0 ? indentWidth_ : level * indentWidth_;
    L.Header = RECT{R.left, R.top, R.left + indent, R.bottom};
    InflateRect(&R, -1, -1);
  } else if (categorized) {
    InflateRect(&R, -rowMargin_, -rowMargin_);
    int levels = level + 1;
    if (IsCategory(Node->TopLevelAncestor())) --levels;
    L.Header = RECT{R.left, R.top, R.left + levels * indentWidth_, R.bottom};
  } else {
    L.Header = RECT{R.left, R.top, R.left + (level + 1) * indentWidth_, R.bottom};
    if (paintStyle_ == ipsStandard) L.Header.right += 2;
  }
  if (Node->HasChildren()) {
    L.ButtonState = Node->Expanded() ? 2 : 1;
    if (!(categorized && category))
      L.Button = RECT{L.Header.right - indentWidth_, L.Header.top, L.Header.right, L.Header.bottom};
  }
  if (HasImage(Node)) {
    L.Image = RECT{L.Header.right, R.top, L.Header.right + imageWidth_, R.bottom};
    L.Header.right += imageWidth_;
  }
  L.Caption = RECT{L.Header.right, R.top, R.left + dividerPos_, R.bottom};
  if (categorized && category) ++L.Caption.left;
  L.Value = RECT{R.left + dividerPos_ + 1, R.top, R.right, R.bottom};
  if (paintStyle_ == ipsStandard || paintStyle_ == ipsExtended || categorized) ++L.Value.left;
  if (category) {
    L.Caption.right = L.Value.right;
    if (categorized && Node->HasChildren()) {
      L.Button = RECT{L.Value.right - CategoryButtonWidth, L.Caption.top, L.Value.right, L.Caption.bottom};
      L.Caption.right = L.Button.left;
    }
  }
  return L;
}

void TCustomdxInspector::HitTestComplexItem(TdxInspectorNode*, const RECT&, POINT, int& ItemIndex,
                                            RECT& ItemRect) {
  ItemIndex = -1;
  ItemRect = RECT{};
}

TdxInspectorHitInfo TCustomdxInspector::HitTest(POINT P) {
  TdxInspectorHitInfo info;
  const RECT client = ClientRect();
  if (!PtInRect(&client, P)) return info;
  info.Kind = ihkEmpty;
  const bool bands = HasOption(inoAutoBandCount);
  UpdateBandCounts();
  for (const TdxInspectorBand& band : CalcBands()) {
    if (!PtInRect(&band.Bounds, P)) continue;
    info.Band = band.Index;
    const RECT area = band.RowArea();
    if ((band.HasSeparator && P.x >= area.right) ||
        (bands && visibleBandCount_ == 1 && P.x >= client.right - BandSeparatorWidth)) {
      info.Kind = ihkBandSeparator;
      return info;
    }
    const TdxInspectorBandRow* row = nullptr;
    for (const TdxInspectorBandRow& r : band.Rows)
      if (P.y >= r.Bounds.top && P.y < r.Bounds.bottom) row = &r;
    if (!row) return info;
    TdxInspectorNode* node = row->Node;
    info.Node = node;
    info.AbsoluteIndex = GetAbsoluteIndex(node);
    const int divider = area.left + dividerPos_;
    if (!IsCategory(node) && P.x >= divider - 2 && P.x < divider + 2) {
      info.Kind = ihkDivider;
      return info;
    }
    if (HasOption(inoRowSizing) && P.y >= row->Bounds.bottom - 2) {
      info.Kind = ihkRowBottom;
      return info;
    }
    const TdxInspectorRowLayout L = CalcRowLayout(node, row->Bounds, true);
    if (P.x < L.Header.right) {
      info.Kind = ihkHeader;
      if (!IsRectEmpty(&L.Button) && PtInRect(&L.Button, P)) info.Kind = ihkButton;
      if (!IsRectEmpty(&L.Image) && PtInRect(&L.Image, P)) info.Kind = ihkImage;
      return info;
    }
    if (paintStyle_ == ipsCategorized && IsCategory(node) && !IsRectEmpty(&L.Button) &&
        PtInRect(&L.Button, P)) {
      info.Kind = ihkButton;
      return info;
    }
    const bool caption = P.x <= row->Bounds.left + dividerPos_ || IsCategory(node);
    info.Kind = caption ? ihkCaption : ihkValue;
    hitInCaption_ = caption;
    HitTestComplexItem(node, caption ? L.Caption : L.Value, P, info.ComplexItem, info.ItemRect);
    if (!IsRectEmpty(&info.ItemRect) && info.ComplexItem == -1) info.Kind = ihkComplexSeparator;
    return info;
  }
  return info;
}

RECT TCustomdxInspector::GetNodeRect(TdxInspectorNode* Node) {
  if (!Node) return RECT{};
  UpdateBandCounts();
  for (const TdxInspectorBand& band : CalcBands())
    for (const TdxInspectorBandRow& r : band.Rows)
      if (r.Node == Node) return r.Bounds;
  return RECT{};
}

RECT TCustomdxInspector::GetNodeRectToBottom(TdxInspectorNode* Node) {
  RECT r = GetNodeRect(Node);
  if (!IsRectEmpty(&r)) r.bottom = ClientHeight();
  return r;
}
