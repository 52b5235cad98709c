// Painting of bands, rows, grid lines, expand buttons, captions and values in the five styles.
#include <algorithm>

#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxTextEdit.h"
#include "dx/inspector/dxInspct.h"
#include "platform/forms/ImgList.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

void Fill(TCanvas* Canvas, const RECT& R, TColor Color) {
  if (IsRectEmpty(&R)) return;
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

void VLine(TCanvas* Canvas, int X, int Top, int Bottom, TColor Color) {
  Fill(Canvas, RECT{X, Top, X + 1, Bottom}, Color);
}

}  // namespace

// Whatever moved the rows (scrolling, sizing, a new layout) moves the editor with them, before the
// paint begins: the area the editor leaves is then painted by it, the area it takes clipped out.
void TCustomdxInspector::WMPaint(TMessage& Message) {
  UpdateEditor(false, false);
  inherited::Dispatch(Message);
}

void TCustomdxInspector::Paint() {
  HideRowDragImage();
  const TScopeExit showDragImage([this] { ShowRowDragImage(); });
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const RECT client = ClientRect();
  UpdateBandCounts();
  const std::vector<TdxInspectorBand> bands = CalcBands();
  const HDC dc = canvas->Handle();
  const int saved = SaveDC(dc);
  if (paintStyle_ == ipsStandard || paintStyle_ == ipsExtended) PaintFocusFrame(canvas);
  int bandsRight = client.left;
  for (const TdxInspectorBand& b : bands) bandsRight = std::max<int>(bandsRight, b.Bounds.right);
  Fill(canvas, RECT{bandsRight, client.top, client.right, client.bottom}, Color());
  for (const TdxInspectorBand& band : bands) {
    if (band.HasSeparator) {
      const int x = band.Bounds.right - BandSeparatorWidth;
      VLine(canvas, x, band.Bounds.top, band.Bounds.bottom, gridColor_);
      VLine(canvas, x + 1, band.Bounds.top, band.Bounds.bottom, Color());
      VLine(canvas, x + 2, band.Bounds.top, band.Bounds.bottom, gridColor_);
    }
    const RECT area = band.RowArea();
    const int rowsBottom = band.Rows.empty() ? area.top : band.Rows.back().Bounds.bottom;
    Fill(canvas, RECT{area.left, rowsBottom, area.right, area.bottom}, Color());
    bool dividerAbove = false;
    for (const TdxInspectorBandRow& row : band.Rows) {
      RECT r = row.Bounds;
      if (paintStyle_ != ipsCategorized) {
        PaintGridLine(canvas, row.Node, RECT{r.left, r.bottom - 1, r.right, r.bottom});
        r.bottom -= rowLineWidth_;
      }
      PaintRow(canvas, row.Node, r, dividerAbove);
      dividerAbove = !IsCategory(row.Node);
    }
  }
  RestoreDC(dc, saved);
}

void TCustomdxInspector::PaintFocusFrame(TCanvas* Canvas) {
  RECT r = GetNodeRect(focusedNode_);
  if (IsRectEmpty(&r)) return;
  r.left -= 1;
  r.right += 1;
  r.top -= 2;
  const HDC dc = Canvas->Handle();
  RECT edge = r;
  DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  edge = r;
  InflateRect(&edge, -1, -1);
  DrawEdge(dc, &edge, BDR_SUNKENINNER, BF_TOPLEFT);
  // The frame's strips are kept out of reach of the rows painted next.
  ExcludeClipRect(dc, r.left, r.top, r.right, r.top + 2);
  ExcludeClipRect(dc, r.left, r.top, r.left + 2, r.bottom);
  ExcludeClipRect(dc, r.right - 1, r.top, r.right, r.bottom);
  ExcludeClipRect(dc, r.left, r.bottom - 1, r.right, r.bottom);
}

void TCustomdxInspector::PaintGridLine(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& Line) {
  switch (paintStyle_) {
    case ipsStandard:
    case ipsExtended: {
      const HDC dc = Canvas->Handle();
      SetBkColor(dc, ColorToRGB(gridColor_));
      SetTextColor(dc, ColorToRGB(Color()));
      FillRect(dc, &Line, dxCheckerBrush());
      return;
    }
    case ipsSimple:
      Fill(Canvas, Line, gridColor_);
      return;
    case ipsNET:
      break;
    default:
      return;
  }
  // ipsNET: a gutter segment and a cell segment, coloured by the category around the row.
  int split = Line.left + indentWidth_;
  TColor left = gridColor_, right = gridColor_;
  TdxInspectorNode* top = Node->TopLevelAncestor();
  const bool topCategory = Node == top && IsCategory(Node);
  if (topCategory) {
    right = CategoryLineColor();
    left = Node->Expanded() ? CategoryColor() : CategoryLineColor();
    if (Node->Expanded()) --split;
  } else {
    TdxInspectorNode* next = Node->GetNext();
    left = next ? Color() : gridColor_;
    if (next && !next->Parent() && IsCategory(next)) {
      left = right = CategoryLineColor();
    } else if (IsCategory(top)) {
      if (top->GetLastVisibleDescendant() == Node)
        left = right = CategoryLineColor();
      else
        left = CategoryColor();
    }
  }
  Fill(Canvas, RECT{Line.left, Line.top, split, Line.bottom}, left);
  Fill(Canvas, RECT{split, Line.top, Line.right, Line.bottom}, right);
}

void TCustomdxInspector::FillHeader(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& Header,
                                    TColor Background) {
  if (paintStyle_ != ipsNET) {
    Fill(Canvas, Header, Background);
    return;
  }
  TdxInspectorNode* top = Node->TopLevelAncestor();
  const int gutterRight = Header.left + indentWidth_ - 1;
  Fill(Canvas, RECT{Header.left, Header.top, gutterRight, Header.bottom},
       IsCategory(top) ? CategoryColor() : Color());
  Fill(Canvas, RECT{gutterRight + 1, Header.top, Header.right, Header.bottom}, Background);
  const bool underCategory = IsCategory(top) && !(Node == top);
  TdxInspectorNode* next = Node->GetNext();
  const bool reachesLower =
      !(Node == top && IsCategory(Node)) && !(next && !next->Parent() && IsCategory(next));
  VLine(Canvas, gutterRight, Header.top, Header.bottom + (reachesLower ? 1 : 0),
        underCategory ? CategoryLineColor() : gridColor_);
}

void TCustomdxInspector::PaintExpandButton(TCanvas* Canvas, TdxInspectorNode* Node, const RECT& B,
                                           Byte ButtonState, TColor Background) {
  if (ButtonState == 0 || IsRectEmpty(&B)) return;
  const bool plus = ButtonState == 1;
  const int cx = (B.left + B.right) / 2, cy = (B.top + B.bottom) / 2;
  const HDC dc = Canvas->Handle();
  if (paintStyle_ == ipsStandard) {
    const String sign = plus ? u"+" : u"-";
    const SIZE s = Canvas->TextExtent(sign);
    SetBkMode(dc, TRANSPARENT);
    Canvas->Font()->SetColor(Font()->Color());
    Canvas->TextOut(B.left + (B.right - B.left - s.cx) / 2, B.top + (B.bottom - B.top - s.cy) / 2, sign);
    return;
  }
  if (paintStyle_ == ipsExtended) {
    RECT box{cx - 5, cy - 5, cx + 5, cy + 5};
    Fill(Canvas, box, clBtnFace);
    DrawEdge(dc, &box, EDGE_RAISED, BF_RECT);
    const int x = box.left + 1, y = box.top + 1;
    Fill(Canvas, RECT{x + 1, y + 3, x + 6, y + 4}, clBtnText);
    if (plus) Fill(Canvas, RECT{x + 3, y + 1, x + 4, y + 6}, clBtnText);
    return;
  }
  if (paintStyle_ == ipsCategorized && IsCategory(Node)) {
    Fill(Canvas, B, Background);
    // Two chevrons 3 pixels apart: side by side pointing right, or stacked pointing down.
    for (int k = 0; k < 2; ++k) {
      if (plus) {
        const int x0 = cx - 3 + 3 * k, y0 = cy - 2;
        for (int i = 0; i < 3; ++i) {
          Fill(Canvas, RECT{x0 + i, y0 + i, x0 + i + 1, y0 + i + 1}, Font()->Color());
          Fill(Canvas, RECT{x0 + i, y0 + 4 - i, x0 + i + 1, y0 + 5 - i}, Font()->Color());
        }
      } else {
        const int x0 = cx - 2, y0 = cy - 3 + 3 * k;
        for (int i = 0; i < 3; ++i) {
          Fill(Canvas, RECT{x0 + i, y0 + i, x0 + i + 1, y0 + i + 1}, Font()->Color());
          Fill(Canvas, RECT{x0 + 4 - i, y0 + i, x0 + 5 - i, y0 + i + 1}, Font()->Color());
        }
      }
    }
    return;
  }
  // A 9 x 9 box with a minus, and the plus's vertical bar.
  const int x = cx - 4, y = cy - 4;
  const TColor fill = paintStyle_ == ipsNET && IsCategory(Node) ? CategoryColor() : Color();
  Fill(Canvas, RECT{x, y, x + 9, y + 9}, fill);
  Canvas->Brush()->SetColor(Font()->Color());
  Canvas->FrameRect(RECT{x, y, x + 9, y + 9});
  Fill(Canvas, RECT{x + 2, y + 4, x + 7, y + 5}, Font()->Color());
  if (plus) Fill(Canvas, RECT{x + 4, y + 2, x + 5, y + 7}, Font()->Color());
}

void TCustomdxInspector::PaintCategorizedFrame(TCanvas* Canvas, TdxInspectorNode* Node,
                                               const TdxInspectorRowLayout& L, RECT R) {
  const HDC dc = Canvas->Handle();
  if (IsCategory(Node)) {
    Fill(Canvas, L.Header, Color());
    RECT rest{L.Header.right, R.top, R.right, R.bottom};
    if (Node->Focused() || IsHotNode(Node)) {
      const bool pressed = state_ == insRowPressed && pressedNode_ == Node;
      DrawEdge(dc, &rest, pressed ? BDR_SUNKENOUTER : BDR_RAISEDOUTER, BF_RECT);
      InflateRect(&rest, -1, -1);
      DrawEdge(dc, &rest, pressed ? BDR_SUNKENINNER : BDR_RAISEDINNER, BF_RECT);
    } else {
      Canvas->Brush()->SetColor(Color());
      Canvas->FrameRect(rest);
    }
    return;
  }
  RECT frame = R;
  Canvas->Brush()->SetColor(Color());
  for (int i = 0; i < rowMargin_; ++i) {
    Canvas->FrameRect(frame);
    InflateRect(&frame, -1, -1);
  }
  Fill(Canvas, L.Header, Color());
}

void TCustomdxInspector::PaintRow(TCanvas* Canvas, TdxInspectorNode* Node, RECT R, bool DividerAbove) {
  const TdxInspectorRowLayout L = CalcRowLayout(Node, R);
  String caption, value;
  GetNodeTexts(Node, caption, value);
  Canvas->SetFont(Font());
  const bool category = IsCategory(Node);
  const bool focused = Node == focusedNode_;
  TColor captionBg = Color();
  TColor captionText = Font()->Color();
  bool bold = Node->HasChildren();
  if (paintStyle_ == ipsCategorized && category) captionBg = clBtnShadow;
  if (paintStyle_ == ipsNET && category && !Node->Parent()) captionBg = CategoryColor();
  if (focused && paintStyle_ != ipsCategorized && (paintStyle_ == ipsSimple || paintStyle_ == ipsNET)) {
    captionBg = clHighlight;
    captionText = clHighlightText;
  }
  if (paintStyle_ == ipsNET || paintStyle_ == ipsCategorized) bold = category && Node->HasChildren();
  if (category) bold = true;
  captionBackground_ = captionBg;
  const HDC dc = Canvas->Handle();
  const int saved = SaveDC(dc);
  if (!category && L.Caption.right < L.Header.right)
    IntersectClipRect(dc, R.left, R.top, L.Caption.right, R.bottom);
  if (paintStyle_ == ipsCategorized) PaintCategorizedFrame(Canvas, Node, L, R);
  if (bold) Canvas->Font()->SetStyle(Canvas->Font()->Style() + TFontStyles{fsBold});
  Canvas->Font()->SetColor(captionText);
  Canvas->Brush()->SetColor(captionBg);
  DrawCaptionCell(Canvas, Node, L, caption);
  if (paintStyle_ == ipsCategorized && focused && !category && IsActive()) {
    RECT f = L.Caption;
    OffsetRect(&f, -1, 0);
    Canvas->DrawFocusRect(f);
  }
  RestoreDC(dc, saved);
  Canvas->SetFont(Font());
  if (category) return;
  const int divider = R.left + dividerPos_;
  if (paintStyle_ == ipsCategorized) {
    Fill(Canvas, RECT{L.Caption.right, R.top, L.Caption.right + 2, R.bottom}, Color());
  } else if (paintStyle_ == ipsSimple || paintStyle_ == ipsNET) {
    VLine(Canvas, divider, R.top - (DividerAbove ? 1 : 0), R.bottom, gridColor_);
  } else {
    RECT line{divider, R.top - (DividerAbove ? 1 : 0), divider + 2, R.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
  }
  TColor brush = Color(), text = GetValueTextColor();
  if (paintStyle_ == ipsCategorized) {
    brush = clWindow;
    text = Font()->Color();
  } else if (focused && (paintStyle_ == ipsStandard || paintStyle_ == ipsExtended)) {
    brush = GetEditColor();
    text = Font()->Color();
  }
  Canvas->Brush()->SetColor(brush);
  Canvas->Font()->SetColor(text);
  TAlignment alignment = taLeftJustify;
  DrawValueCell(Canvas, L.Value, Node, value, alignment);
}

void TCustomdxInspector::DrawCaptionCell(TCanvas* Canvas, TdxInspectorNode* Node,
                                         const TdxInspectorRowLayout& L, const String& Caption) {
  const TColor background = Canvas->Brush()->Color();
  if (paintStyle_ != ipsCategorized) {
    FillHeader(Canvas, Node, L.Header, background);
    PaintExpandButton(Canvas, Node, L.Button, L.ButtonState, background);
  } else if (IsCategory(Node)) {
    PaintExpandButton(Canvas, Node, L.Button, L.ButtonState, background);
  } else {
    PaintExpandButton(Canvas, Node, L.Button, L.ButtonState, background);
  }
  if (!IsRectEmpty(&L.Image) && images_) {
    const int index = GetImageIndex(Node);
    if (index >= 0 && index < images_->Count())
      images_->Draw(Canvas, L.Image.left + (L.Image.right - L.Image.left - imageWidth_) / 2,
                    L.Image.top + (L.Image.bottom - L.Image.top - imageHeight_) / 2, index);
  }
  Canvas->Brush()->SetColor(background);
  DrawCaptionText(Canvas, Node, L.Caption, Caption);
}

void TCustomdxInspector::DrawCaptionText(TCanvas* Canvas, TdxInspectorNode*, const RECT& Rect,
                                         const String& Text) {
  if (IsRectEmpty(&Rect)) return;
  TdxTextEditViewData data;
  data.Enabled = true;
  data.BorderColor = clNone;
  data.BorderStyle = xbsNone;
  data.ButtonStyle = paintStyle_ == ipsCategorized || flat_ ? btsSimple : btsFlat;
  data.Edges = dxAllEdges;
  data.Bounds = Rect;
  InflateRect(&data.Bounds, 2, 2);
  data.VertAlignment = Rect.bottom - Rect.top > captionTextHeight_ ? dxVertMultiLine : dxVertCenter;
  data.Font = Canvas->Font()->Handle();
  data.TextColor = Canvas->Font()->Color();
  data.Brush = Canvas->Brush()->Handle();
  data.BkColor = Canvas->Brush()->Color();
  data.Alignment = taLeftJustify;
  data.EndEllipsis = HasOption(inoDrawEndEllipsis);
  data.IsEditClass = true;
  data.Data = Text;
  TdxInplaceTextEdit::StaticEditClass()->Draw(Canvas->Handle(), Rect, nullptr, &data);
}

void TCustomdxInspector::DrawValueCell(TCanvas* Canvas, const RECT& Rect, TdxInspectorNode*, String& Text,
                                       TAlignment&) {
  // The engine has no editor classes: a plain cell; the rows' control draws through them.
  Fill(Canvas, Rect, Canvas->Brush()->Color());
  (void)Text;
}
