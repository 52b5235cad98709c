// The paint pass: band panel, header panel, indicator, footer and rows with their tree part, cells,
// previews, focus marks and grid lines. Each area is skipped when it is outside the update region.
#include <algorithm>

#include "dx/editors/dxDrawUtils.h"
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLPaintContext.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

using dxtlpaint::AddSegment;
using dxtlpaint::Intersects;

// A point of a dotted tree line is drawn where its distance from the rows' origin is even.
void DottedLine(HDC DC, int X1, int Y1, int X2, int Y2, POINT Origin, COLORREF Color) {
  if (X1 == X2) {
    for (int y = Y1; y < Y2; ++y)
      if (((X1 - Origin.x) + (y - Origin.y)) % 2 == 0) SetPixelV(DC, X1, y, Color);
  } else {
    for (int x = X1; x < X2; ++x)
      if (((x - Origin.x) + (Y1 - Origin.y)) % 2 == 0) SetPixelV(DC, x, Y1, Color);
  }
}

}  // namespace

void dxtlpaint::DrawSegments(HDC DC, std::vector<POINT>& Segments, TColor Color) {
  if (Segments.empty()) return;
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToColorRef(Color));
  HGDIOBJ old = SelectObject(DC, pen);
  std::vector<DWORD> counts(Segments.size() / 2, 2);
  // A pen line leaves out its last point; the segments are stored inclusive.
  for (size_t i = 0; i < Segments.size(); i += 2) {
    if (Segments[i].x == Segments[i + 1].x)
      ++Segments[i + 1].y;
    else
      ++Segments[i + 1].x;
  }
  PolyPolyline(DC, Segments.data(), counts.data(), static_cast<DWORD>(counts.size()));
  SelectObject(DC, old);
  DeleteObject(pen);
}

void TCustomdxTreeList::TPaintContext::CornerButton(const RECT& Corner, TdxLookAndFeel Look, HBRUSH Brush,
                                                    bool Pressed) {
  if (Corner.right <= Corner.left || Corner.bottom <= Corner.top) return;
  RECT r = Corner;
  DrawHeaderFrame(DC, r, Brush, Look, 0, Pressed);
}

void TCustomdxTreeList::Paint() {
  TdxDragFeedbackHider hideFeedback(this);
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  TPaintContext ctx;
  ctx.DC = Canvas()->Handle();
  GetClipBox(ctx.DC, &ctx.Update);
  ctx.Focused = IsControlFocused();
  ctx.Band = ctx.Brushes.Make(bandColor_);
  ctx.Header = ctx.Brushes.Make(headerColor_);
  ctx.Group = ctx.Brushes.Make(groupNodeColor_);
  ctx.Background = ctx.Brushes.Make(Color());
  ctx.LineColor = lookAndFeel_ == lfUltraFlat ? TColor(RGB(160, 160, 160)) : clBtnShadow;
  ctx.Line = ctx.Brushes.Make(ctx.LineColor);
  ctx.Highlight = ctx.Brushes.Make(highlightColor_);
  ctx.HiddenSelection = ctx.Brushes.Make(hideSelectionColor_);
  ctx.RowFooter = ctx.Brushes.Make(rowFooterColor_);
  ctx.FixedLine = ctx.Brushes.Make(fixedBandLineColor_);
  for (const auto& h : info.Headers) {
    TColor c = GetColumnColor(h.Column);
    if (ColorToRGB(c) != ColorToRGB(Color()) && !ctx.ColumnBrushes.count(h.Column))
      ctx.ColumnBrushes[h.Column] = ctx.Brushes.Make(c);
  }
  paint_ = &ctx;
  struct TEnd {
    TCustomdxTreeList* self;
    ~TEnd() { self->paint_ = nullptr; }
  } end{this};
  const TdxTreeListRectInfo& A = info.Areas;
  if (Intersects(A.GroupPanel, ctx.Update)) DrawGroupPanel(Canvas(), A.GroupPanel, ctx.Line, ctx.Header);
  PaintBandPanel(info);
  PaintHeaderPanel(info);
  PaintNewItemRow(info);
  PaintIndicator(info);
  PaintFooter(info);
  PaintFilterStatus(info);
  PaintRows(info);
}

void TCustomdxTreeList::PaintBandPanel(const TdxTreeListDrawInfo& Info) {
  TPaintContext& ctx = *paint_;
  const TdxTreeListRectInfo& A = Info.Areas;
  if (Intersects(A.BandCorner, ctx.Update)) ctx.CornerButton(A.BandCorner, lookAndFeel_, ctx.Band, state_ == tsBandButtonDown && pressedOver_);
  if (!Intersects(A.BandPanel, ctx.Update)) return;
  FillRect(ctx.DC, &A.BandPanel, ctx.Line);
  for (const TdxTreeListBandItem& b : Info.Bands) {
    String text = GetVisibleBandCaption(b.VisibleIndex);
    TAlignment alignment = GetVisibleBandAlignment(b.VisibleIndex);
    HBRUSH brush = ctx.Band;
    bool done = false;
    if (IsCustomDrawBand(b.VisibleIndex)) {
      TColor color = bandColor_;
      DoCustomDrawBand(b.VisibleIndex, Canvas(), b.Rect, text, color, bandFont_.get(), alignment, done);
      if (!done) brush = ctx.BrushFor(color, bandColor_, brush);
    }
    if (!done)
      DrawHeaderCell(ctx.DC, b.Rect, b.Clip, brush, lookAndFeel_, 0, csNone, alignment, layout_.BandRowCount > 1,
                     state_ == tsBandDown && pressedBandOver_ && b.VisibleIndex == pressedBand_, text,
                     bandFont_->Handle(), bandFont_->Color());
  }
  if (Info.HasLeftFixed) {
    RECT strip{Info.LeftFixedArea.right - fixedBandLineWidth_, Info.LeftFixedArea.top,
               Info.LeftFixedArea.right, Info.Areas.Rows.top};
    FillRect(ctx.DC, &strip, ctx.FixedLine);
  }
  if (Info.HasRightFixed) {
    RECT strip{Info.RightFixedArea.left, Info.RightFixedArea.top,
               Info.RightFixedArea.left + fixedBandLineWidth_, Info.Areas.Rows.top};
    FillRect(ctx.DC, &strip, ctx.FixedLine);
  }
}

void TCustomdxTreeList::PaintHeaderPanel(const TdxTreeListDrawInfo& Info) {
  TPaintContext& ctx = *paint_;
  const TdxTreeListRectInfo& A = Info.Areas;
  if (Intersects(A.HeaderCorner, ctx.Update)) ctx.CornerButton(A.HeaderCorner, lookAndFeel_, ctx.Header, state_ == tsHeaderButtonDown && pressedOver_);
  if (!Intersects(A.HeaderPanel, ctx.Update)) return;
  FillRect(ctx.DC, &A.HeaderPanel, ctx.Line);
  for (const TdxTreeListHeaderItem& h : Info.Headers) {
    String text = GetColumnHeaderText(h.Column);
    TAlignment alignment = GetColumnHeaderAlignment(h.Column);
    TdxTreeListColumnSort sorted = GetColumnSorted(h.Column);
    HBRUSH brush = ctx.Header;
    bool done = false;
    if (IsCustomDrawHeader(h.Column)) {
      TColor color = headerColor_;
      DoCustomDrawHeader(h.Column, Canvas(), h.Rect, text, color, headerFont_.get(), alignment, sorted, done);
      if (!done) brush = ctx.BrushFor(color, headerColor_, brush);
    }
    int position = h.FirstInRow && h.LastInRow ? 0 : h.FirstInRow ? 2 : h.LastInRow ? 1 : 3;
    if (!done)
      DrawHeaderCell(ctx.DC, h.Rect, h.Clip, brush, lookAndFeel_, position, sorted, alignment,
                     h.RowSpan > 1 || layout_.HeaderLineCount > 1, false, text, headerFont_->Handle(),
                     headerFont_->Color(), HasColumnHeaderGlyph(h.Column) ? GetColumnHeaderGlyph(h.Column) : nullptr);
    if (h.Below.bottom > h.Below.top) FillRect(ctx.DC, &h.Below, ctx.Line);
  }
  for (const TdxTreeListEmptyHeader& e : Info.EmptyHeaders) FillRect(ctx.DC, &e.Rect, ctx.Line);
}

void TCustomdxTreeList::PaintIndicator(const TdxTreeListDrawInfo& Info) {
  TPaintContext& ctx = *paint_;
  const RECT& ind = Info.Areas.Indicator;
  if (!Intersects(ind, ctx.Update)) return;
  for (const TdxTreeListRowItem& r : Info.Rows) {
    RECT cell{ind.left, r.Top, ind.right, std::min(r.Top + r.Height, ind.bottom)};
    if (Intersects(cell, ctx.Update))
      DrawIndicatorCell(ctx.DC, cell, cell, lookAndFeel_, r.IndicatorKind, ctx.Header);
  }
}

void TCustomdxTreeList::PaintFooter(const TdxTreeListDrawInfo& Info) {
  TPaintContext& ctx = *paint_;
  RECT footer = Info.Areas.Footer;
  if (!Intersects(footer, ctx.Update)) return;
  if (lookAndFeel_ == lfStandard) {
    HBRUSH frame = ctx.Brushes.Make(clWindowFrame);
    FrameRect(ctx.DC, &footer, frame);
    InflateRect(&footer, -1, -1);
    DrawEdge(ctx.DC, &footer, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  } else {
    DrawEdge(ctx.DC, &footer, BDR_SUNKENOUTER, BF_TOP | BF_ADJUST);
  }
  FillRect(ctx.DC, &footer, ctx.Header);
  for (const TdxTreeListHeaderItem& h : Info.Headers) {
    if (!IsExistFooterCell(h.Column)) continue;
    int top = footer.top + layout_.FooterRowHeight * h.Row;
    RECT cell{h.Clip.left, top, h.Clip.right, top + layout_.FooterRowHeight * h.RowSpan};
    InflateRect(&cell, -1, -1);
    DrawEdge(ctx.DC, &cell, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    DrawTextCell(Canvas(), cell, 1, h.RowSpan > 1, ctx.Header, Font()->Color(), headerColor_, false, false,
                 -1, h.Column, nullptr);
  }
}

void TCustomdxTreeList::PaintRowFooterCells(const TdxTreeListDrawInfo& Info, TdxTreeListNode* Node,
                                            int FooterIndex, const RECT& Footer, int Shift) {
  TPaintContext& ctx = *paint_;
  for (const TdxTreeListHeaderItem& h : Info.Headers) {
    if (!IsExistRowFooterCell(Node, h.Column, FooterIndex)) continue;
    int top = Footer.top + 1 + layout_.FooterRowHeight * h.Row;
    RECT cell{std::max<int>(h.Clip.left - Shift, Footer.left), top, h.Clip.right - Shift,
              top + layout_.FooterRowHeight * h.RowSpan};
    InflateRect(&cell, -1, -1);
    if (cell.right <= cell.left) continue;
    DrawEdge(ctx.DC, &cell, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    DrawTextCell(Canvas(), cell, 1, h.RowSpan > 1, ctx.RowFooter, rowFooterTextColor_, rowFooterColor_, false,
                 false, FooterIndex, h.Column, Node);
  }
}

void TCustomdxTreeList::GetCellColors(TdxTreeListNode* Node, bool Selected, int Column, HBRUSH& Brush,
                                      TColor& TextColor, TColor& Color) {
  TPaintContext& ctx = *paint_;
  if (Selected && (!hideSelection_ || ctx.Focused)) {
    Brush = ctx.Focused ? ctx.Highlight : ctx.HiddenSelection;
    Color = ctx.Focused ? highlightColor_ : hideSelectionColor_;
    TextColor = ctx.Focused ? highlightTextColor_ : hideSelectionTextColor_;
    return;
  }
  if (paintStyle_ == psOutlook && Node && (Node->HasChildren() || IsGroupNode(Node))) {
    Brush = ctx.Group;
    Color = groupNodeColor_;
    TextColor = groupNodeTextColor_ == clNone ? Font()->Color() : groupNodeTextColor_;
    return;
  }
  TextColor = Column >= 0 && HasColumnFont(Column) ? GetColumnFont(Column)->Color() : Font()->Color();
  auto it = ctx.ColumnBrushes.find(Column);
  if (it != ctx.ColumnBrushes.end()) {
    Brush = it->second;
    Color = GetColumnColor(Column);
  } else {
    Brush = ctx.Background;
    Color = this->Color();
  }
}

bool TCustomdxTreeList::IsCellSelected(const TdxTreeListRowItem& Row, bool IsFocusedCell) {
  bool multi = IsMultiSelect(), invert = IsInvertSelect();
  if (!Row.Selected || (newItemRowActive_ && !multi)) return false;
  if (IsRowSelect()) return true;
  if (multi && !invert) return true;
  if (multi && invert) return newItemRowActive_ || Row.Node != focused_;
  return IsFocusedCell ? !invert : invert;
}

void TCustomdxTreeList::PaintFocusMark(const RECT& Rect) {
  TPaintContext& ctx = *paint_;
  if (ctx.Focused ? IsFocusRectHidden() : hideFocusRect_) return;
  if (ctx.Focused)
    DrawFocusMark(ctx.DC, Rect);
  else
    InvertFrame(ctx.DC, Rect);
}

void TCustomdxTreeList::PaintRows(const TdxTreeListDrawInfo& Info) {
  TPaintContext& ctx = *paint_;
  const RECT& rows = Info.Areas.Rows;
  if (!Intersects(rows, ctx.Update) && !Intersects(Info.EmptyRight, ctx.Update)) return;
  if (Info.EmptyRight.right > Info.EmptyRight.left) {
    RECT r = Info.EmptyRight;
    r.top = std::max(r.top, rows.top);
    FillRect(ctx.DC, &r, ctx.Background);
  }
  if (Info.EmptyBelow.bottom > Info.EmptyBelow.top) FillRect(ctx.DC, &Info.EmptyBelow, ctx.Background);
  if (Info.Bands.empty()) return;
  std::vector<POINT> grid;
  for (const TdxTreeListRowItem& r : Info.Rows) {
    RECT rowRect{rows.left, r.Top, rows.right, r.Top + r.Height};
    if (!Intersects(rowRect, ctx.Update)) continue;
    BeginNodeRead(r.Node);
    struct TEndRead {
      TCustomdxTreeList* self;
      TdxTreeListNode* node;
      ~TEndRead() { self->EndNodeRead(node); }
    } endRead{this, r.Node};
    PaintDataRow(Info, r, grid);
    PaintTreePart(Info, r, grid);
  }
  if (showGrid_)
    AddSegment(grid, Info.ContentRight, rows.top, Info.ContentRight,
               std::min(Info.RowsBottom + 1, rows.bottom));
  dxtlpaint::DrawSegments(ctx.DC, grid, showGrid_ ? GetGridLineColor() : Color());
}

void TCustomdxTreeList::PaintTreePart(const TdxTreeListDrawInfo& Info, const TdxTreeListRowItem& Row,
                                      std::vector<POINT>& Grid) {
  TPaintContext& ctx = *paint_;
  TdxTreeListNode* node = Row.Node;
  const RECT& rows = Info.Areas.Rows;
  int shift = Info.HasLeftFixed ? 0 : leftCoord_;
  int left = rows.left - shift;
  int buttonRight, contentLeft;
  GetTreeIndent(node, buttonRight, contentLeft);
  int treeRight = std::min(left + contentLeft, rows.left + Info.TreeColumnWidth - shift);
  if (treeRight <= rows.left) return;
  int saved = SaveDC(ctx.DC);
  IntersectClipRect(ctx.DC, rows.left, rows.top,
                    std::min(rows.right, rows.left + Info.TreeColumnWidth - shift), rows.bottom);
  int bottom = Row.Top + Row.Height - Row.FootersHeight;
  int cellBottom = bottom - (showGrid_ ? Info.GridLineWidth : 0);
  RECT tree{left, Row.Top, left + contentLeft, cellBottom};
  HBRUSH levelBrush = paintStyle_ == psOutlook ? ctx.Group : ctx.Background;
  if (paintStyle_ == psOutlook && HasLevelColors()) {
    TColor color = groupNodeColor_;
    GetLevelColor(node->GetLevel(), color);
    if (ColorToRGB(color) != ColorToRGB(groupNodeColor_)) levelBrush = ctx.Brushes.Make(color);
  }
  FillRect(ctx.DC, &tree, levelBrush);
  int level = node->GetLevel();
  int rootShift = ShowRoot() ? 0 : dxTLLevelIndent;
  int mid = Row.Top + (cellBottom - Row.Top) / 2;
  bool button = showButtons_ && node->HasChildren();
  if (paintStyle_ == psStandard && showLines_) {
    COLORREF color = ColorToColorRef(treeLineColor_);
    POINT origin{rows.left, rows.top};
    auto line = [&](int X1, int Y1, int X2, int Y2) {
      if (treeLineStyle_ == tlDot)
        DottedLine(ctx.DC, X1, Y1, X2, Y2, origin, color);
      else {
        RECT r{X1, Y1, X1 == X2 ? X1 + 1 : X2, Y1 == Y2 ? Y1 + 1 : Y2};
        HBRUSH b = ctx.Brushes.Make(treeLineColor_);
        FillRect(ctx.DC, &r, b);
      }
    };
    int x = left + dxTLLevelIndent * level + 7 - rootShift;
    int cellEnd = left + dxTLLevelIndent * (level + 1) - rootShift;
    line(button ? x + 5 : x, mid, cellEnd, mid);
    bool firstRoot = !node->Parent() && node->GetIndex() == 0;
    if (button) {
      if (!firstRoot) line(x, Row.Top, x, mid - 5);
      if (!node->IsLast()) line(x, mid + 5, x, bottom);
    } else {
      line(x, firstRoot ? mid : Row.Top, x, node->IsLast() ? mid : bottom);
    }
    for (TdxTreeListNode* p = node->Parent(); p; p = p->Parent())
      if (!p->IsLast()) {
        int px = left + dxTLLevelIndent * p->GetLevel() + 7 - rootShift;
        line(px, Row.Top, px, bottom);
      }
  }
  if (button) {
    RECT cell{left + dxTLLevelIndent * level - rootShift, Row.Top,
              left + dxTLLevelIndent * (level + 1) - rootShift, cellBottom};
    if (paintStyle_ == psStandard)
      DrawFlatExpandButton(ctx.DC, cell, mid, !node->Expanded());
    else
      Draw3DExpandButton(ctx.DC, cell, !node->Expanded());
  }
  int imageLeft = left + buttonRight;
  int state = GetStateIndex(node);
  if (state != -1 && stateImages_) {
    int y = (Row.Top + cellBottom - layout_.StateImageHeight + 1) / 2;
    DrawImageListImage(ctx.DC, imageLeft, y, stateImages_, state);
    imageLeft += layout_.StateImageWidth;
  }
  if (images_) {
    int index = Row.Selected ? GetSelectedIndex(node) : GetImageIndex(node);
    int y = (Row.Top + cellBottom - layout_.ImageHeight + 1) / 2;
    if (index != -1) DrawImageListImage(ctx.DC, imageLeft, y, images_, index);
  }
  RestoreDC(ctx.DC, saved);
  if (paintStyle_ == psStandard && showGrid_)
    for (int k = 0; k <= level; ++k) {
      int x = left + dxTLLevelIndent * (k + 1) - 1 - rootShift;
      if (x >= rows.left && x < rows.left + Info.TreeColumnWidth - shift && x < left + contentLeft)
        AddSegment(Grid, x, Row.Top, x, bottom - 1);
    }
}

void TCustomdxTreeList::PaintDataRow(const TdxTreeListDrawInfo& Info, const TdxTreeListRowItem& Row,
                                     std::vector<POINT>& Grid) {
  TPaintContext& ctx = *paint_;
  TdxTreeListNode* node = Row.Node;
  const RECT& rows = Info.Areas.Rows;
  bool bothGrid = showGrid_ && showPreviewGrid_;
  int shift = Info.HasLeftFixed ? 0 : leftCoord_;
  int buttonRight, contentLeft;
  GetTreeIndent(node, buttonRight, contentLeft);
  int treeEnd = rows.left + std::min(contentLeft, Info.TreeColumnWidth) - shift;
  int bottom = Row.Top + Row.Height;
  int previewHeight = Row.PreviewLines > 0 ? Row.PreviewLines * layout_.PreviewLineHeight + 2 : 0;
  int cellBottom =
      bottom - Row.FootersHeight - Info.GridLineWidth - previewHeight - (previewHeight && bothGrid ? 1 : 0);
  int focusedColumn = GetAbsoluteColumnIndex(GetFocusedColumn());
  bool focusedRow = node == focused_ && !newItemRowActive_;
  int saved = SaveDC(ctx.DC);
  IntersectClipRect(ctx.DC, rows.left, rows.top, rows.right, rows.bottom);
  for (const TdxTreeListHeaderItem& h : Info.Headers) {
    int left = h.Clip.left, right = h.Clip.right;
    if (h.Band == 0 && h.Rect.left < treeEnd) left = std::max(left, treeEnd);
    if (bothGrid) --right;
    int top = Row.Top + defaultRowHeight_ * h.Row;
    int cellBottomH = layout_.HeaderPanelRowCount == 1
                          ? cellBottom
                          : top + defaultRowHeight_ * h.RowSpan - (bothGrid ? 1 : 0);
    RECT cell{left, top, right, cellBottomH};
    if (bothGrid)
      AddSegment(Grid, right, top, right, cellBottomH - (layout_.HeaderPanelRowCount == 1 ? 0 : 0));
    if (cell.right <= cell.left || !Intersects(cell, ctx.Update)) continue;
    bool isFocusedCell = focusedRow && (IsInvertSelect() || IsRowSelect() || h.Column == focusedColumn);
    bool selected = IsCellSelected(Row, focusedRow && h.Column == focusedColumn);
    HBRUSH brush;
    TColor textColor, color;
    GetCellColors(node, selected, h.Column, brush, textColor, color);
    bool multi = h.RowSpan > 1 || Row.LineCount > 1 || IsColumnMultiLine(h.Column);
    DrawCell(Canvas(), cell, h.LastInRow, h.FirstInRow, 0, multi, brush, textColor, color,
             ctx.Focused && isFocusedCell, selected, h.Column, node);
    if (focusedRow && h.Column == focusedColumn && !IsRowSelect() && !IsInvertSelect()) PaintFocusMark(cell);
  }
  if (previewHeight > 0) {
    RECT preview{treeEnd, cellBottom + (bothGrid ? 1 : 0),
                 rows.left + Info.TotalBandsWidth - Info.GridLineWidth - shift,
                 cellBottom + (bothGrid ? 1 : 0) + previewHeight};
    HBRUSH brush;
    TColor textColor, color;
    GetCellColors(node, Row.Selected && (IsRowSelect() || IsMultiSelect()), -1, brush, textColor, color);
    DrawPreview(Canvas(), preview, Row.Selected, brush, textColor, color, node);
    if (bothGrid) AddSegment(Grid, treeEnd, cellBottom, Info.ContentRight, cellBottom);
  }
  for (int k = 0; k < Row.FooterCount; ++k) {
    int footerLevel = GetRowFooterLevel(node, k);
    int top = bottom - Row.FootersHeight + k * layout_.RowFooterHeight - Info.GridLineWidth;
    RECT footer{rows.left + dxTLLevelIndent * (footerLevel + 1) - (ShowRoot() ? 0 : dxTLLevelIndent) - shift,
                top, Info.ContentRight + 1 - Info.GridLineWidth, top + layout_.RowFooterHeight};
    FillRect(ctx.DC, &footer, ctx.RowFooter);
    PaintRowFooterCells(Info, node, k, footer, dxTLLevelIndent * std::max(0, node->GetLevel() - footerLevel - 1));
  }
  if (focusedRow && (IsRowSelect() || IsInvertSelect())) {
    RECT mark{treeEnd, Row.Top, Info.ContentRight + 1, bottom - Row.FootersHeight - Info.GridLineWidth};
    PaintFocusMark(mark);
  }
  RestoreDC(ctx.DC, saved);
  if (showGrid_) {
    int indent = dxTLLevelIndent * node->GetLevel() + (node->Expanded() ? 15 : 0) -
                 (!node->HasChildren() && node->IsLast() ? dxTLLevelIndent : 0);
    TdxTreeListNode* next = GetNextVisibleNode(node);
    if (!next)
      indent = 0;
    else if (next->GetLevel() < node->GetLevel())
      indent = dxTLLevelIndent * next->GetLevel();
    if (!ShowRoot()) indent -= dxTLLevelIndent;
    indent = std::clamp(indent, 0, Info.TreeColumnWidth);
    for (int k = 1; k <= Info.GridLineWidth; ++k)
      AddSegment(Grid, rows.left + indent - shift, bottom - k, Info.ContentRight, bottom - k);
  }
}

void TCustomdxTreeList::DrawCell(TCanvas* Canvas, const RECT& Rect, bool, bool, int Kind, bool MultiLine,
                                 HBRUSH Brush, TColor TextColor, TColor Color, bool IsFocusedCell,
                                 bool Selected, int Column, TdxTreeListNode* Node) {
  String text = Kind == 2 ? GetNewItemRowText(Column) : GetCellText(Node, Column);
  TAlignment alignment = GetCellAlignment(Node, Column);
  bool done = false;
  if (IsCustomDrawCell(Node, Column)) {
    TColor newColor = Color;
    DoCustomDrawCell(Canvas, Rect, done, alignment, Canvas->Font(), newColor, text, false, false, Kind == 2,
                     IsFocusedCell, Selected, Column, Node);
    if (!done) {
      Brush = paint_->BrushFor(newColor, Color, Brush);
      Color = newColor;
    }
  }
  if (!done) DrawCellContent(Canvas, Rect, Column, Node, text, alignment, Brush, TextColor, Color, MultiLine);
}

void TCustomdxTreeList::DrawCellContent(TCanvas* Canvas, const RECT& Rect, int Column, TdxTreeListNode*,
                                        const String& Text, TAlignment Alignment, HBRUSH Brush,
                                        TColor TextColor, TColor Color, bool MultiLine) {
  HDC dc = Canvas->Handle();
  TFont* font = HasColumnFont(Column) ? GetColumnFont(Column) : Font();
  Word flags = (Alignment == taRightJustify ? dxCellRight
                : Alignment == taCenter     ? dxCellCenter
                                            : dxCellLeft) |
               (MultiLine ? dxCellMultiLine : dxCellVCenter) | (IsDrawEndEllipsis() ? dxCellEndEllipsis : 0);
  RECT area = Rect;
  InflateRect(&area, -2, 0);
  DrawCellText(dc, Text.data(), static_cast<int>(Text.size()), nullptr, TextColor, Color, font->Handle(),
               Brush, flags, area, Rect);
}

void TCustomdxTreeList::DrawTextCell(TCanvas* Canvas, const RECT& Rect, int Kind, bool MultiLine,
                                     HBRUSH Brush, TColor TextColor, TColor Color, bool, bool,
                                     int FooterIndex, int Column, TdxTreeListNode* Node) {
  String text = Kind == 1 ? GetFooterCellText(Node, Column, FooterIndex) : GetCellText(Node, Column);
  TAlignment alignment = GetCellAlignment(Node, Column);
  bool done = false;
  if (Kind == 1 && IsCustomDrawFooter(Node, Column, FooterIndex)) {
    TColor newColor = Color;
    DoCustomDrawFooter(Canvas, Rect, done, alignment, Canvas->Font(), newColor, text, FooterIndex, Column,
                       Node);
    if (!done) {
      Brush = paint_->BrushFor(newColor, Color, Brush);
      Color = newColor;
    }
  }
  if (!done)
    TCustomdxTreeList::DrawCellContent(Canvas, Rect, Column, Node, text, alignment, Brush, TextColor, Color,
                                       MultiLine);
}

void TCustomdxTreeList::DrawPreview(TCanvas* Canvas, const RECT& Rect, bool Selected, HBRUSH Brush,
                                    TColor TextColor, TColor Color, TdxTreeListNode* Node) {
  String text = GetPreviewText(Node);
  if (ColorToRGB(Color) != ColorToRGB(highlightColor_)) TextColor = previewFont_->Color();
  bool done = false;
  if (IsCustomDrawPreview()) {
    TColor newColor = Color;
    DoCustomDrawPreview(Canvas, Rect, done, previewFont_.get(), TextColor, newColor, text, Selected, Node);
    if (!done) {
      Brush = paint_->BrushFor(newColor, Color, Brush);
      Color = newColor;
    }
  }
  if (done) return;
  HDC dc = Canvas->Handle();
  FillRect(dc, &Rect, Brush);
  RECT area = Rect;
  InflateRect(&area, -1, -1);
  area.left += indentDesc_;
  SelectObject(dc, previewFont_->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(TextColor));
  DrawText(dc, text, &area, DT_WORDBREAK | DT_END_ELLIPSIS | DT_EXPANDTABS | DT_NOPREFIX);
}
