// Hit testing: what lies under a client point, tested in a fixed order; sizing zones reach 4 pixels
// either side of an edge.
#include <algorithm>

#include "dx/treelist/dxTL.h"

namespace {

constexpr int kZone = 4;

bool Inside(const RECT& R, POINT P) {
  return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom;
}
bool HasArea(const RECT& R) { return R.right > R.left && R.bottom > R.top; }

}  // namespace

bool TCustomdxTreeList::IsBandSizable(int V) {
  return IsBandSizingOption() && CanBandSizing(V) && (!IsBandHeaderWidth() || showBands_);
}

TdxTreeListHitKind TCustomdxTreeList::GetHitKindAt(int X, int Y) {
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{X, Y}, hit);
  return hit.HitKind;
}

TdxTreeListNode* TCustomdxTreeList::GetNodeAt(int X, int Y) {
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{X, Y}, hit);
  return hit.Node;
}

void TCustomdxTreeList::GetHitInfo(POINT P, TdxTreeListHitInfo& Hit) {
  Hit = TdxTreeListHitInfo{};
  Hit.Point = P;
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListRectInfo& A = info.Areas;
  if (!Inside(A.Client, P)) {
    Hit.HitKind = tlhOutside;
    return;
  }
  if (HasArea(A.GroupPanel) && Inside(A.GroupPanel, P)) {
    Hit.HitKind = tlhGroupPanel;
    return;
  }
  if (HitTestBandPanel(info, P, Hit) || HitTestHeaderPanel(info, P, Hit)) return;
  HitTestPanels(info, P, Hit);
}

bool TCustomdxTreeList::HitTestBandPanel(const TdxTreeListDrawInfo& Info, POINT P, TdxTreeListHitInfo& Hit) {
  const TdxTreeListRectInfo& A = Info.Areas;
  if (!HasArea(A.BandPanel)) return false;
  if (HasOptionEx(dxtlox::BandPanelSizing) && P.y >= A.BandPanel.bottom - kZone &&
      P.y < A.BandPanel.bottom + kZone && P.x >= A.Client.left && P.x < A.BandPanel.right) {
    Hit.HitKind = tlhBandPanelEdge;
    return true;
  }
  if (HasArea(A.BandCorner) && Inside(A.BandCorner, P)) {
    Hit.HitKind = tlhBandButton;
    return true;
  }
  if (!Inside(A.BandPanel, P)) return false;
  Hit.HitKind = tlhBand;
  for (size_t i = 0; i < Info.Bands.size(); ++i) {
    const TdxTreeListBandItem& b = Info.Bands[i];
    bool sizable = IsBandSizable(b.VisibleIndex);
    if (P.x >= b.Clip.left && P.x < b.Clip.right) {
      Hit.Band = b.VisibleIndex;
      if (!sizable) return true;
      if (b.Rect.right > b.Clip.right && P.x >= b.Clip.right - kZone) {
        Hit.HitKind = tlhBandEdge;
      } else if (P.x < b.Rect.right - kZone) {
        if (i > 0 && IsBandSizable(Info.Bands[i - 1].VisibleIndex) &&
            std::abs(P.x - Info.Bands[i - 1].Rect.right) < kZone) {
          Hit.Band = Info.Bands[i - 1].VisibleIndex;
          Hit.HitKind = tlhBandEdge;
        }
      } else {
        Hit.HitKind = tlhBandEdge;
      }
      return true;
    }
    if (sizable && P.x >= b.Rect.right && P.x < b.Rect.right + kZone) {
      Hit.Band = b.VisibleIndex;
      Hit.HitKind = tlhBandEdge;
      return true;
    }
  }
  return true;
}

bool TCustomdxTreeList::HitTestHeaderPanel(const TdxTreeListDrawInfo& Info, POINT P,
                                           TdxTreeListHitInfo& Hit) {
  const TdxTreeListRectInfo& A = Info.Areas;
  if (!HasArea(A.HeaderPanel)) return false;
  if (HasOptionEx(dxtlox::HeaderPanelSizing) && P.y >= A.HeaderPanel.bottom - kZone &&
      P.y < A.HeaderPanel.bottom + kZone && P.x >= A.Client.left && P.x < A.HeaderPanel.right) {
    Hit.HitKind = tlhHeaderPanelEdge;
    return true;
  }
  if (HasArea(A.HeaderCorner) && Inside(A.HeaderCorner, P)) {
    Hit.HitKind = tlhHeaderButton;
    return true;
  }
  if (!Inside(A.HeaderPanel, P)) return false;
  bool bandWidthColumns = IsBandHeaderWidthShown();
  Hit.HitKind = Info.Headers.empty() ? tlhNowhere : tlhHeader;
  for (size_t i = 0; i < Info.Headers.size(); ++i) {
    const TdxTreeListHeaderItem& h = Info.Headers[i];
    if (!Inside(h.Clip, P)) continue;
    Hit.Band = h.Band;
    Hit.Column = h.Column;
    bool sizable = CanColumnSizing(h.Column);
    bool cutVisibleEdge = h.Rect.right > h.Clip.right && P.x >= h.Clip.right - kZone;
    if (cutVisibleEdge || P.x >= h.Rect.right - kZone) {
      if (sizable && (!h.LastInRow || bandWidthColumns))
        Hit.HitKind = tlhHeaderEdge;
      else if (h.LastInRow && IsBandSizable(h.Band))
        Hit.HitKind = tlhBandEdge;
    } else if (!h.FirstInRow && i > 0 && Info.Headers[i - 1].Band == h.Band &&
               Info.Headers[i - 1].Row == h.Row) {
      const TdxTreeListHeaderItem& prev = Info.Headers[i - 1];
      if (std::abs(P.x - prev.Rect.right) < kZone && CanColumnSizing(prev.Column)) {
        Hit.Column = prev.Column;
        Hit.HitKind = tlhHeaderEdge;
      }
    } else if (h.FirstInRow && h.Band > 0 && P.x < h.Rect.left + kZone) {
      Hit.Band = h.Band - 1;
      if (!bandWidthColumns && IsBandSizable(Hit.Band)) Hit.HitKind = tlhBandEdge;
    }
    return true;
  }
  Hit.HitKind = tlhNowhere;
  return true;
}

void TCustomdxTreeList::HitTestPanels(const TdxTreeListDrawInfo& Info, POINT P, TdxTreeListHitInfo& Hit) {
  const TdxTreeListRectInfo& A = Info.Areas;
  if (HasArea(A.NewItemRow) && Inside(A.NewItemRow, P)) {
    Hit.HitKind = tlhNewItemRow;
    for (const auto& h : Info.Headers)
      if (P.x >= h.Clip.left && P.x < h.Clip.right && P.y < A.NewItemRow.bottom - layout_.NewItemRowGap) {
        Hit.Band = h.Band;
        Hit.Column = h.Column;
      }
    return;
  }
  if (HasArea(A.Indicator) && Inside(A.Indicator, P)) {
    Hit.HitKind = tlhIndicator;
    for (size_t i = 0; i < Info.Rows.size(); ++i) {
      const TdxTreeListRowItem& r = Info.Rows[i];
      if (P.y < r.Top || P.y >= r.Top + r.Height) continue;
      Hit.RowIndex = static_cast<int>(i);
      Hit.Node = r.Node;
      if (IsRowSizing()) {
        if (i > 0 && P.y < r.Top + kZone) {
          Hit.RowIndex = static_cast<int>(i - 1);
          Hit.Node = Info.Rows[i - 1].Node;
          Hit.HitKind = tlhRowEdge;
        } else if (P.y >= r.Top + r.Height - kZone) {
          Hit.HitKind = tlhRowEdge;
        }
      }
      return;
    }
  }
  if (IsRowSizing() && !Info.Rows.empty() && P.y >= Info.RowsBottom && P.y < Info.RowsBottom + kZone &&
      P.x < (HasArea(A.Indicator) ? A.Indicator.right : A.Rows.right)) {
    Hit.RowIndex = static_cast<int>(Info.Rows.size()) - 1;
    Hit.Node = Info.Rows.back().Node;
    Hit.HitKind = tlhRowEdge;
    return;
  }
  if (HasArea(A.Indicator) && Inside(A.Indicator, P)) return;
  if (HasArea(A.FilterStatus) && Inside(A.FilterStatus, P)) {
    Hit.HitKind = tlhFilterStatus;
    return;
  }
  if (HasArea(A.Footer) && Inside(A.Footer, P)) {
    Hit.HitKind = tlhFooter;
    for (const auto& h : Info.Headers) {
      int top = A.Footer.top + layout_.FooterRowHeight * h.Row - (h.Row == 0 ? 1 : 0);
      RECT cell{h.Clip.left, top, h.Clip.right, top + h.RowSpan * layout_.FooterRowHeight + 3};
      if (Inside(cell, P)) {
        Hit.Band = h.Band;
        Hit.Column = h.Column;
      }
    }
    return;
  }
  HitTestRows(Info, P, Hit);
}

void TCustomdxTreeList::HitTestRows(const TdxTreeListDrawInfo& Info, POINT P, TdxTreeListHitInfo& Hit) {
  if (Info.Rows.empty() || Info.Bands.empty() || !Inside(Info.Areas.Rows, P)) return;
  for (size_t i = 0; i < Info.Rows.size(); ++i) {
    const TdxTreeListRowItem& r = Info.Rows[i];
    if (P.y < r.Top || P.y >= r.Top + r.Height) continue;
    Hit.RowIndex = static_cast<int>(i);
    Hit.Node = r.Node;
    Hit.HitKind = P.x <= Info.ContentRight ? tlhCell : tlhRowRight;
    int bottom = r.Top + r.Height;
    if (r.FooterCount > 0 && P.y >= bottom - r.FootersHeight - Info.GridLineWidth) {
      int k = (P.y - (bottom - r.FootersHeight)) / std::max(layout_.RowFooterHeight, 1);
      Hit.HitKind = tlhRowFooter;
      Hit.FooterLevel = std::clamp(k, 0, r.FooterCount - 1);
    } else {
      HitTestTreePart(Info, r, P, Hit);
      if (Hit.HitKind == tlhCell && r.PreviewLines > 0) {
        int low =
            bottom - r.PreviewLines * layout_.PreviewLineHeight - Info.GridLineWidth - r.FootersHeight - 2;
        int high = bottom - Info.GridLineWidth - r.FootersHeight;
        if (P.y >= low && P.y < high) Hit.HitKind = tlhPreview;
      }
    }
    if (Hit.HitKind == tlhCell || Hit.HitKind == tlhRowFooter)
      for (const auto& h : Info.Headers)
        if (P.x >= h.Clip.left && P.x < h.Clip.right) {
          int top = r.Top + defaultRowHeight_ * h.Row;
          int cellBottom = layout_.HeaderPanelRowCount == 1 ? bottom : top + defaultRowHeight_ * h.RowSpan;
          if (Hit.HitKind == tlhRowFooter || (P.y >= top && P.y < cellBottom)) {
            Hit.Band = h.Band;
            Hit.Column = h.Column;
          }
        }
    return;
  }
}

void TCustomdxTreeList::HitTestTreePart(const TdxTreeListDrawInfo& Info, const TdxTreeListRowItem& Row,
                                        POINT P, TdxTreeListHitInfo& Hit) {
  TdxTreeListNode* node = Row.Node;
  int buttonRight, contentLeft;
  GetTreeIndent(node, buttonRight, contentLeft);
  int shift = Info.HasLeftFixed ? 0 : leftCoord_;
  int left = Info.Areas.Rows.left - shift;
  contentLeft = std::min(contentLeft, Info.TreeColumnWidth);
  if (P.x >= left + contentLeft) return;
  int x = P.x - left;
  int level = node->GetLevel();
  int rootShift = ShowRoot() ? 0 : dxTLLevelIndent;
  int outlookShift = paintStyle_ == psOutlook && !node->HasChildren() ? dxTLLevelIndent : 0;
  int buttonLeft = dxTLLevelIndent * level - rootShift;
  int stateLeft = dxTLLevelIndent * (level + 1) - rootShift - outlookShift;
  bool hasState = GetStateIndex(node) != -1 && layout_.StateImageWidth > 0;
  int imageLeft = stateLeft + (hasState ? layout_.StateImageWidth : 0);
  bool hasImage = layout_.ImageWidth > 0 && (GetImageIndex(node) != -1 || GetSelectedIndex(node) != -1);
  int imageWidth = layout_.ImageWidth - (hasState ? 0 : 1);
  if (node->HasChildren() && showButtons_ && x >= buttonLeft && x < buttonLeft + dxTLLevelIndent)
    Hit.HitKind = tlhButton;
  else if (hasState && x >= stateLeft && x < stateLeft + layout_.StateImageWidth)
    Hit.HitKind = tlhStateImage;
  else if (hasImage && x >= imageLeft && x < imageLeft + imageWidth)
    Hit.HitKind = tlhImage;
  else
    Hit.HitKind = tlhIndent;
}
