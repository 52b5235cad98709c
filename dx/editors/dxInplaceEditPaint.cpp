// Class painting of the editor base (layout and painting of a cell from view data) and the painting
// of the live editor through the same operations.
#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxInplaceEdit.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

TdxEditBorderStyle RaisedBorder(TdxEditBorderStyle Style) {
  switch (Style) {
    case xbsNone: return xbsFlat;
    case xbsSingle: return xbsThick;
    case xbsFlat: return xbs3D;
    default: return Style;
  }
}

TdxEditButtonViewStyle ButtonStyleForBorder(TdxEditBorderStyle Style) {
  switch (Style) {
    case xbsNone: return btsSimple;
    case xbsSingle: return btsHotFlat;
    case xbsFlat: return btsFlat;
    default: return bts3D;
  }
}

UINT EdgeFlags(const TdxEditViewInfo& Info) {
  return (Info.LeftEdge ? BF_LEFT : 0) | (Info.TopEdge ? BF_TOP : 0) | (Info.RightEdge ? BF_RIGHT : 0) |
         (Info.BottomEdge ? BF_BOTTOM : 0);
}

void FillSolidStrips(HDC DC, const TdxEditViewInfo& Info, TColor Color) {
  const RECT& r = Info.BorderRect;
  const int w = Info.BorderWidth;
  HBRUSH brush = CreateSolidBrush(ColorToColorRef(Color));
  const bool allEdges = Info.LeftEdge && Info.TopEdge && Info.RightEdge && Info.BottomEdge;
  if (allEdges) {
    RECT frame = r;
    for (int i = 0; i < w; ++i) {
      FrameRect(DC, &frame, brush);
      InflateRect(&frame, -1, -1);
    }
  } else {
    const int sideTop = Info.TopEdge ? r.top : r.top - w;
    if (Info.LeftEdge) {
      RECT s{r.left, sideTop, r.left + w, r.bottom};
      FillRect(DC, &s, brush);
    }
    if (Info.TopEdge) {
      RECT s{r.left, r.top, r.right, r.top + w};
      FillRect(DC, &s, brush);
    }
    if (Info.RightEdge) {
      RECT s{r.right - w, sideTop, r.right, r.bottom};
      FillRect(DC, &s, brush);
    }
    if (Info.BottomEdge) {
      RECT s{r.left, r.bottom - w, r.right, r.bottom};
      FillRect(DC, &s, brush);
    }
  }
  DeleteObject(brush);
}

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TdxEditViewData)

// --- Class operations ---

void TdxInplaceEditMetaClass::CalcBorderInfo(TdxEditViewData* ViewData, TdxEditViewInfo& ViewInfo) {
  ViewInfo = TdxEditViewInfo{};
  constexpr int margin = 2;
  if (ViewData->Shadow) ViewInfo.ShadowSize = 2;
  ViewInfo.Bounds = ViewData->Bounds;
  ViewInfo.Inner = ViewData->Bounds;
  InflateRect(&ViewInfo.Inner, -margin, -margin);
  ViewInfo.Inner.right -= ViewInfo.ShadowSize;
  ViewInfo.Inner.bottom -= ViewInfo.ShadowSize;
  switch (ViewData->BorderStyle) {
    case xbsSingle: ViewInfo.BorderWidth = 1; break;
    case xbsThick:
    case xbsFlat:
    case xbs3D: ViewInfo.BorderWidth = 2; break;
    default: ViewInfo.BorderWidth = 0; break;
  }
}

void TdxInplaceEditMetaClass::InflateByBorder(RECT& Rect, const TdxEditViewInfo& ViewInfo, bool Grow) {
  const int w = ViewInfo.BorderWidth;
  if (w <= 0) return;
  const int d = Grow ? w : -w;
  if (ViewInfo.LeftEdge) Rect.left -= d;
  if (ViewInfo.TopEdge) Rect.top -= d;
  if (ViewInfo.RightEdge) Rect.right += d;
  if (ViewInfo.BottomEdge) Rect.bottom += d;
}

HRGN TdxInplaceEditMetaClass::GetBorderRegion(const TdxEditViewInfo& ViewInfo) {
  if (ViewInfo.ShadowSize == 0 && ViewInfo.BorderWidth >= 2 && ViewInfo.LeftEdge && ViewInfo.TopEdge &&
      ViewInfo.RightEdge && ViewInfo.BottomEdge)
    return nullptr;
  const RECT& b = ViewInfo.BorderRect;
  HRGN region = CreateRectRgn(b.left, b.top, b.right, b.bottom);
  if (ViewInfo.ShadowSize > 0) {
    const RECT& s = ViewInfo.ShadowRect;
    HRGN shadow = CreateRectRgn(s.left, s.top, s.right, s.bottom);
    CombineRgn(region, region, shadow, RGN_OR);
    DeleteObject(shadow);
  }
  return region;
}

void TdxInplaceEditMetaClass::CalcViewInfo(TdxEditViewData* ViewData, bool AutoSize,
                                           TdxEditViewInfo& ViewInfo) const {
  CalcBorderInfo(ViewData, ViewInfo);
  if (AutoSize) {
    constexpr int margin = 2;
    RECT content{};
    GetContentSize(ViewData, content);
    int height;
    if (IsRectEmpty(&content)) {
      height = GetMinHeight(ViewData);
    } else {
      const int w = content.right - content.left;
      ViewInfo.Bounds.right = ViewInfo.Bounds.left + w + 2 * margin + ViewInfo.ShadowSize;
      ViewInfo.Inner.right = ViewInfo.Bounds.left + margin + w;
      height = content.bottom - content.top;
    }
    ViewInfo.Bounds.bottom = ViewInfo.Bounds.top + height + 2 * margin + ViewInfo.ShadowSize;
    ViewInfo.Inner.bottom = ViewInfo.Bounds.top + margin + height;
  }
  ViewInfo.LeftEdge = ViewData->Edges.Contains(edgLeft);
  ViewInfo.TopEdge = ViewData->Edges.Contains(edgTop);
  ViewInfo.RightEdge = ViewData->Edges.Contains(edgRight);
  ViewInfo.BottomEdge = ViewData->Edges.Contains(edgBottom);
  ViewInfo.BorderRect = ViewInfo.Inner;
  InflateByBorder(ViewInfo.BorderRect, ViewInfo, true);
  if (ViewInfo.ShadowSize > 0) {
    ViewInfo.ShadowRect = ViewInfo.BorderRect;
    OffsetRect(&ViewInfo.ShadowRect, ViewInfo.ShadowSize, ViewInfo.ShadowSize);
  }
}

void TdxInplaceEditMetaClass::Draw(HDC DC, const RECT&, HRGN ClipRegion, TdxEditViewData* ViewData) const {
  TdxEditViewInfo info;
  CalcViewInfo(ViewData, false, info);
  DrawBorder(DC, info, ViewData);
  DrawContent(DC, info.Inner, false, ViewData);
  if (!ClipRegion) return;
  HRGN cell = GetBorderRegion(info);
  if (!cell) cell = CreateRectRgn(info.BorderRect.left, info.BorderRect.top, info.BorderRect.right,
                                  info.BorderRect.bottom);
  CombineRgn(ClipRegion, ClipRegion, cell, RGN_DIFF);
  DeleteObject(cell);
}

void TdxInplaceEditMetaClass::DrawBorder(HDC DC, const TdxEditViewInfo& ViewInfo,
                                         TdxEditViewData* ViewData) const {
  if (ViewData->BorderStyle != xbsNone) {
    RECT r = ViewInfo.BorderRect;
    const UINT edges = EdgeFlags(ViewInfo);
    switch (ViewData->BorderStyle) {
      case xbsSingle:
      case xbsThick: FillSolidStrips(DC, ViewInfo, ViewData->BorderColor); break;
      case xbsFlat:
        DrawEdge(DC, &r, BDR_SUNKENOUTER, edges | BF_ADJUST);
        DrawEdge(DC, &r, BDR_SUNKENINNER, edges | BF_FLAT);
        break;
      case xbs3D: DrawEdge(DC, &r, EDGE_SUNKEN, edges); break;
      default: break;
    }
  }
  if (ViewData->Shadow) FillShadowStrips(DC, ViewInfo.ShadowRect, ViewInfo.ShadowSize, dxShadowBrush());
}

bool TdxInplaceEditMetaClass::DrawContent(HDC DC, const RECT& Rect, bool, TdxEditViewData* ViewData) const {
  if (!ViewData->MeasureOnly) FillRect(DC, &Rect, ViewData->Brush);
  return true;
}

TCursor TdxInplaceEditMetaClass::GetCursorAt(int, int, TdxEditViewData* ViewData) const {
  if (ViewData->Cursor != crDefault) return ViewData->Cursor;
  return IsEditClass() ? crDefault : crArrow;
}

int TdxInplaceEditMetaClass::GetMinHeight(TdxEditViewData* ViewData) const {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, ViewData->Font ? static_cast<HGDIOBJ>(ViewData->Font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return IsInplace() ? tm.tmHeight + 3 : tm.tmHeight + 2 * GetSystemMetrics(SM_CYBORDER) + 2;
}

void TdxInplaceEditMetaClass::GetContentSize(TdxEditViewData*, RECT& Rect) const { Rect = RECT{}; }

std::unique_ptr<TdxEditViewData> TdxInplaceEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxEditViewData>();
}

std::unique_ptr<TdxEditStyle> TdxInplaceEditMetaClass::CreateStandAloneStyle(TdxInplaceEdit* Editor) const {
  auto style = std::make_unique<TdxEditStyle>(Editor);
  style->LinkDefaultController();
  return style;
}

// --- The live editor ---

std::unique_ptr<TdxEditViewData> TdxInplaceEdit::CreateViewData(bool FromDefinition) {
  auto v = class_->CreateViewDataObject();
  v->Enabled = Enabled();
  v->Focused = IsFocused();
  v->Selected = IsDrawnSelected();
  v->BorderColor = style_->BorderColor();
  v->BorderStyle = style_->BorderStyle();
  if (v->Selected && style_->HotTrack()) v->BorderStyle = RaisedBorder(v->BorderStyle);
  v->ButtonStyle = style_->ButtonStyle();
  if (v->ButtonStyle == btsDefault) v->ButtonStyle = ButtonStyleForBorder(v->BorderStyle);
  const TdxEditButtonTransparence t = style_->ButtonTransparence();
  v->ButtonTransparent = t == ebtAlways || (t == ebtInactive && !v->Selected);
  v->Edges = style_->Edges();
  v->Shadow = style_->Shadow();
  v->Transparent = transparent_ && !v->Focused;
  v->Bounds = RECT{0, 0, Width(), Height()};
  v->TextOffsets = textOffsets_;
  v->VertAlignment = dxVertTop;
  v->Font = Font()->Handle();
  if (v->Enabled) {
    v->Brush = Brush()->Handle();
    v->BkColor = Color();
    v->TextColor = Font()->Color();
  } else {
    v->Brush = GetSysColorBrush(COLOR_BTNFACE);
    v->BkColor = clBtnFace;
    v->TextColor = clBtnShadow;
  }
  v->Alignment = alignment_;
  v->IsEditClass = IsEditClass();
  v->DataLength = 0;
  GetEditValue(v->Data, FromDefinition);
  v->Cursor = Cursor();
  return v;
}

void TdxInplaceEdit::PaintLive(HDC DC) {
  TdxViewDataPtr viewData = CreateViewData(false);
  RECT client;
  GetClientRect(Handle(), &client);
  const bool paintsAsWindow = (active_ || !PaintsInactiveAsCell()) && !(IsEditClass() && IsDesigning());
  if (client.right > 0) class_->DrawContent(DC, client, paintsAsWindow, viewData.get());
}

void TdxInplaceEdit::WMPaint(TWMPaint& Message) {
  if (ControlState().Contains(csPaintCopy) && Message.DC()) {
    TdxViewDataPtr viewData = CreateViewData(false);
    class_->Draw(Message.DC(), viewData->Bounds, nullptr, viewData.get());
    return;
  }
  const bool paintsAsWindow = (active_ || !PaintsInactiveAsCell()) && !(IsEditClass() && IsDesigning());
  if (paintsAsWindow && IsEditClass()) {
    // The edit window paints its text; the class adds nothing over a live text field.
    inherited::Dispatch(Message);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = Message.DC() ? Message.DC() : BeginPaint(Handle(), &ps);
  PaintLive(dc);
  if (!Message.DC()) EndPaint(Handle(), &ps);
}

void TdxInplaceEdit::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  if (IsEditClass() && Enabled())
    inherited::Dispatch(Message);
  else
    Message.Result = 1;
}

void TdxInplaceEdit::WMNCCalcSize(TMessage& Message) {
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
  RECT& r = params->rgrc[0];
  TdxViewDataPtr viewData = CreateViewData(false);
  viewData->Bounds = RECT{0, 0, r.right - r.left, r.bottom - r.top};
  TdxEditViewInfo info;
  class_->CalcViewInfo(viewData.get(), false, info);
  r.left += info.Inner.left - info.Bounds.left;
  r.top += info.Inner.top - info.Bounds.top;
  r.right -= info.Bounds.right - info.Inner.right;
  r.bottom -= info.Bounds.bottom - info.Inner.bottom;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  Message.Result = 0;
}

void TdxInplaceEdit::WMNCPaint(TMessage&) { PaintNonClient(); }

void TdxInplaceEdit::PaintNonClient() {
  if (!HandleAllocated()) return;
  TdxViewDataPtr viewData = CreateViewData(false);
  TdxEditViewInfo info;
  class_->CalcViewInfo(viewData.get(), false, info);
  HDC dc = GetWindowDC(Handle());
  // The margin between border and client area takes the editor's colour.
  RECT client = info.Inner;
  HRGN outside = CreateRectRgn(info.Bounds.left, info.Bounds.top, info.Bounds.right, info.Bounds.bottom);
  HRGN inner = CreateRectRgn(client.left, client.top, client.right, client.bottom);
  CombineRgn(outside, outside, inner, RGN_DIFF);
  if (!viewData->Transparent) FillRgn(dc, outside, viewData->Brush);
  DeleteObject(inner);
  DeleteObject(outside);
  class_->DrawBorder(dc, info, viewData.get());
  const LONG style = GetWindowLong(Handle(), GWL_STYLE);
  if ((style & WS_HSCROLL) && (style & WS_VSCROLL)) {
    RECT corner = info.BorderRect;
    TdxInplaceEditMetaClass::InflateByBorder(corner, info, false);
    corner.left = corner.right - GetSystemMetrics(SM_CXVSCROLL);
    corner.top = corner.bottom - GetSystemMetrics(SM_CYHSCROLL);
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
  ReleaseDC(Handle(), dc);
}

void TdxInplaceEdit::WMSetCursor(TMessage& Message) {
  if (LOWORD(Message.LParam) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    TdxViewDataPtr viewData = CreateViewData(false);
    TCursor cursor = class_->GetCursorAt(p.x, p.y, viewData.get());
    if (cursor != crDefault) {
      ::SetCursor(Screen->Cursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  inherited::Dispatch(Message);
}
