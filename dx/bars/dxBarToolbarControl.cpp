#include "dx/bars/dxBarToolbarControl.h"

#include <algorithm>

#include "platform/forms/Forms.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/NonClientMetrics.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarControl)

TRENVIK_MESSAGE_MAP(TdxBarControl) {
  M.On(WM_NCCALCSIZE, &TdxBarControl::WMNCCalcSize);
  M.On(WM_NCPAINT, &TdxBarControl::WMNCPaint);
  M.On(WM_NCHITTEST, &TdxBarControl::WMNCHitTest);
  M.On(WM_KEYDOWN, &TdxBarControl::WMKeyDown);
  M.On(WM_GETDLGCODE, &TdxBarControl::WMGetDlgCode);
  M.On(WM_GETMINMAXINFO, &TdxBarControl::WMGetMinMaxInfo);
  M.On(WM_LBUTTONDOWN, &TdxBarControl::WMLButtonDown);
  M.On(WM_LBUTTONDBLCLK, &TdxBarControl::WMLButtonDblClk);
  M.On(WM_MOUSEMOVE, &TdxBarControl::WMMouseMove);
  M.On(WM_LBUTTONUP, &TdxBarControl::WMLButtonUp);
  M.On(WM_CANCELMODE, &TdxBarControl::WMCancelMode);
}

namespace {

constexpr int kMarkLength = 11;

}  // namespace

TdxBarControl::TdxBarControl(TdxBarManager* AOwner, TdxBar* ABar) : TCustomdxBarControl(AOwner), bar_(ABar) {
  SetItemLinks(ABar->ItemLinks());
  ABar->ItemLinks()->SetBarControl(this);
  ChangeDockingStyle(ABar->DockingStyle());
}

TdxBarControl::~TdxBarControl() {
  Close();
  if (dockControl_) dockControl_->RemoveBar(this, !dockControl_->ComponentState().Contains(csDestroying));
  if (HandleAllocated()) DestroyHandle();
}

void TdxBarControl::SetDock(TdxBarDockingStyle Style, TdxDockControl* DockControl) {
  if (Style == DockingStyle() && DockControl == dockControl_) return;
  bool recreate = HandleAllocated();
  if (recreate) DestroyHandle();
  hasHiddenLinks_ = false;
  ChangeDockingStyle(Style);
  dockControl_ = Style == dsNone ? nullptr : DockControl;
  SetParent(dockControl_);
  if (recreate) HandleNeeded();
}

void TdxBarControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (Floating()) {
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_THICKFRAME | WS_SYSMENU;
    TCustomForm* form = BarManager()->ParentForm();
    Params.WndParent = form ? form->Handle() : nullptr;
  } else {
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  }
  Params.ExStyle = 0;
  Params.Caption = bar_->Caption();
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
}

int TdxBarControl::PaintKind() const {
  return IsVertical() && bar_->RotateWhenVertical() ? kPaintRotated : kPaintHorizontal;
}

bool TdxBarControl::CanAlignControl(const TdxBarItemControl* Control) const {
  int count = ItemLinks()->Count();
  return count > 0 && ItemLinks()->Items(count - 1)->Control() == Control;
}

HBRUSH TdxBarControl::GetBackgroundBrush() const {
  if (IsFlat() && (bar_->IsMainMenu() || bar_->IsStatusBar())) return GetSysColorBrush(COLOR_BTNFACE);
  return inherited::GetBackgroundBrush();
}

bool TdxBarControl::HasMark() const {
  if (!bar_->ShowMark()) return false;
  return hasHiddenLinks_ || (BarManager()->Style() != bmsStandard && bar_->AllowQuickCustomizing());
}

RECT TdxBarControl::GetMarkRect() const {
  if (Floating() || !HasMark()) return RECT{};
  RECT client = const_cast<TdxBarControl*>(this)->ClientRect();
  bool standard = BarManager()->Style() == bmsStandard;
  if (IsVertical()) {
    RECT r{client.left, client.bottom - kMarkLength, client.right, client.bottom};
    if (standard) r.left = r.right - 9;
    return r;
  }
  RECT r{client.right - kMarkLength, client.top, client.right, client.bottom};
  if (standard) r.bottom = r.top + 9;
  return r;
}

int TdxBarControl::LinkLength(TdxBarItemControl* Control) const {
  return IsVertical() ? Control->Height() : Control->Width();
}

int TdxBarControl::LinkThickness(TdxBarItemControl* Control) const {
  return IsVertical() ? Control->Width() : Control->Height();
}

std::vector<TdxBarControl::TLine> TdxBarControl::WrapLines(int Length) {
  const auto& links = ItemLinks()->VisibleItems();
  std::vector<TLine> lines;
  TLine line{0, 0, 0, 0, false};
  bool brokenInsideGroup = false;
  auto finish = [&] {
    if (line.count > 0) lines.push_back(line);
  };
  for (int i = 0; i < static_cast<int>(links.size()); ++i) {
    TdxBarItemControl* control = links[i]->Control();
    if (!control) continue;
    control->SetLineBreak(false);
    bool group = links[i]->BeginGroup();
    int sep = group && line.count > 0 ? GetSeparatorSize() : 0;
    int length = LinkLength(control);
    bool forcedByGroup = brokenInsideGroup && group && line.count > 0;
    if (line.count > 0 && (forcedByGroup || line.length + sep + length > Length)) {
      // Move the break back to the last group start of the line, so the whole group goes on.
      int restart = i;
      if (!forcedByGroup)
        for (int j = i; j > line.first; --j)
          if (links[j]->BeginGroup()) {
            restart = j;
            break;
          }
      if (restart == i && !group && !forcedByGroup) brokenInsideGroup = true;
      if (restart != i) {
        // Recount the line up to the group start, and start again from there.
        line.count = restart - line.first;
        line.length = line.thickness = 0;
        for (int j = line.first; j < restart; ++j) {
          TdxBarItemControl* c = links[j]->Control();
          if (!c) continue;
          line.length += (j > line.first && links[j]->BeginGroup() ? GetSeparatorSize() : 0) + LinkLength(c);
          line.thickness = std::max(line.thickness, LinkThickness(c));
        }
        i = restart;
        control = links[i]->Control();
        group = true;
        length = LinkLength(control);
      }
      finish();
      line = TLine{i, 0, 0, 0, group};
      sep = 0;
      control->SetLineBreak(true);
    }
    line.count = i - line.first + 1;
    line.length += sep + length;
    line.thickness = std::max(line.thickness, LinkThickness(control));
  }
  finish();
  return lines;
}

int TdxBarControl::GetMinLength() {
  int length = 0;
  for (TdxBarItemLink* link : ItemLinks()->VisibleItems()) {
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    if (!Wraps()) {
      length = LinkLength(control);
      break;
    }
    length = std::max(length, LinkLength(control));
  }
  if (length == 0) length = BarManager()->ButtonWidth();
  return length + EndReserve();
}

int TdxBarControl::GetFullLength() {
  SIZE full = GetFullSize();
  return IsVertical() ? full.cy : full.cx;
}

SIZE TdxBarControl::GetFullSize() {
  int length = 0, thickness = 0;
  bool first = true;
  for (TdxBarItemLink* link : ItemLinks()->VisibleItems()) {
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    length += (!first && link->BeginGroup() ? GetSeparatorSize() : 0) + LinkLength(control);
    thickness = std::max(thickness, LinkThickness(control));
    first = false;
  }
  length += EndReserve();
  if (thickness == 0) thickness = BarManager()->ButtonHeight();
  return IsVertical() ? SIZE{thickness, length} : SIZE{length, thickness};
}

SIZE TdxBarControl::GetSizeForWidth(int Width) {
  if (!Wraps()) return GetFullSize();
  int available = Width - EndReserve();
  std::vector<TLine> lines = WrapLines(std::max(available, 1));
  int longest = 0, total = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    longest = std::max(longest, lines[i].length);
    total += lines[i].thickness + (i > 0 && lines[i].groupBreak ? GetSeparatorSize() : 0);
  }
  if (lines.empty()) {
    longest = BarManager()->ButtonWidth();
    total = BarManager()->ButtonHeight();
  }
  longest += EndReserve();
  return IsVertical() ? SIZE{total, longest} : SIZE{longest, total};
}

void TdxBarControl::CalcItemRects() {
  for (int i = 0; i < ItemLinks()->Count(); ++i) {
    ItemLinks()->Items(i)->SetItemRect(RECT{});
    if (TdxBarItemControl* c = ItemLinks()->Items(i)->Control()) c->SetLastInBar(false);
  }
  RECT client = ClientRect();
  bool vertical = IsVertical();
  int clientLength = vertical ? client.bottom - client.top : client.right - client.left;
  int clientThickness = vertical ? client.right - client.left : client.bottom - client.top;
  int available = clientLength - EndReserve();
  const auto& links = ItemLinks()->VisibleItems();
  std::vector<TLine> lines;
  if (Wraps()) {
    lines = WrapLines(std::max(available, 1));
  } else {
    TLine line{0, 0, 0, clientThickness, false};
    bool hidden = false;
    for (int i = 0; i < static_cast<int>(links.size()); ++i) {
      TdxBarItemControl* control = links[i]->Control();
      if (!control) continue;
      int sep = links[i]->BeginGroup() && line.count > 0 ? GetSeparatorSize() : 0;
      if (line.count > 0 && line.length + sep + LinkLength(control) > available) {
        hidden = true;
        break;
      }
      line.length += sep + LinkLength(control);
      line.count = i + 1;
    }
    if (hidden && !hasHiddenLinks_) {
      hasHiddenLinks_ = true;
      available = clientLength - EndReserve();
    }
    lines.push_back(line);
  }
  int offset = 0;
  TdxBarItemControl* lastShown = nullptr;
  for (size_t l = 0; l < lines.size(); ++l) {
    const TLine& line = lines[l];
    if (l > 0 && line.groupBreak) offset += GetSeparatorSize();
    int pos = 0;
    for (int i = line.first; i < line.first + line.count; ++i) {
      TdxBarItemControl* control = links[i]->Control();
      if (!control) continue;
      if (i > line.first && links[i]->BeginGroup()) pos += GetSeparatorSize();
      int length = LinkLength(control);
      int thickness = LinkThickness(control);
      TdxBarItemAlign align = control->Align();
      if (align == iaRight) pos = std::max(pos, available - length);
      if (align == iaCenter) pos += std::max(0, (available - pos - length) / 2);
      if (align == iaClient) length = std::max(length, available - pos);
      int across = offset + (line.thickness - thickness) / 2;
      // Columns of a wrapping vertical bar run from the right edge to the left.
      if (vertical && Wraps()) across = clientThickness - offset - line.thickness + (line.thickness - thickness) / 2;
      RECT r = vertical ? RECT{across, pos, across + thickness, pos + length}
                        : RECT{pos, across, pos + length, across + thickness};
      links[i]->SetItemRect(r);
      pos += length;
      lastShown = control;
    }
    if (lastShown) lastShown->SetLastInBar(true);
    offset += line.thickness;
  }
}

void TdxBarControl::PlaceFloating() {
  if (!Floating()) return;
  SIZE size = GetSizeForWidth(bar_->FloatClientWidth() > 0 ? bar_->FloatClientWidth() : GetFullSize().cx);
  SetBounds(bar_->FloatLeft(), bar_->FloatTop(), size.cx + bar_->GetFloatBorderWidth(dsNone),
            size.cy + bar_->GetFloatBorderHeight(dsNone));
}

void TdxBarControl::Rebuild() {
  if (Locked() || !HandleAllocated()) return;
  DestroyItemControls();
  CreateItemControls();
  if (Floating()) {
    RECT client = ClientRect();
    SIZE size = GetSizeForWidth(client.right - client.left);
    SetBounds(Left(), Top(), size.cx + bar_->GetFloatBorderWidth(dsNone), size.cy + bar_->GetFloatBorderHeight(dsNone));
  } else if (dockControl_) {
    dockControl_->UpdateDock();
  }
  CalcItemRects();
  Invalidate();
}

void TdxBarControl::DrawItemControl(TdxBarItemControl* Control) {
  inherited::DrawItemControl(Control);
  RECT r = Control->ItemLink()->ItemRect();
  HDC dc = Canvas()->Handle();
  int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  Control->Paint(r, PaintKind());
  RestoreDC(dc, saved);
}

void TdxBarControl::DrawSeparators() {
  HDC dc = Canvas()->Handle();
  bool vertical = IsVertical();
  const auto& links = ItemLinks()->VisibleItems();
  RECT client = ClientRect();
  int sep = GetSeparatorSize();
  for (size_t i = 1; i < links.size(); ++i) {
    if (!links[i]->BeginGroup() || !links[i]->Control()) continue;
    const RECT& r = links[i]->ItemRect();
    if (IsRectEmpty(&r)) continue;
    RECT gap;
    bool alongBar = links[i]->Control()->LineBreak();
    if (alongBar) {
      // Between two wrapped lines: a line along the whole bar.
      gap = vertical ? RECT{r.right, client.top, r.right + sep, client.bottom}
                     : RECT{client.left, r.top - sep, client.right, r.top};
    } else {
      gap = vertical ? RECT{r.left, r.top - sep, r.right, r.top} : RECT{r.left - sep, r.top, r.left, r.bottom};
    }
    FillRect(dc, &gap, GetBackgroundBrush());
    bool lineAcross = vertical == alongBar;  // a vertical line in the gap
    if (IsFlat()) {
      RECT line = gap;
      if (lineAcross) {
        line.left += (sep - 1) / 2;
        line.right = line.left + 1;
      } else {
        line.top += (sep - 1) / 2;
        line.bottom = line.top + 1;
      }
      FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
      RECT line = gap;
      if (lineAcross) {
        line.left += (sep - 2) / 2;
        line.right = line.left + 2;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
      } else {
        line.top += (sep - 2) / 2;
        line.bottom = line.top + 2;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
      }
    }
  }
}

void TdxBarControl::DrawMark() {
  RECT mark = GetMarkRect();
  if (IsRectEmpty(&mark)) return;
  HDC dc = Canvas()->Handle();
  FillRect(dc, &mark, GetBackgroundBrush());
  if (BarManager()->Style() == bmsStandard) return;
  HBRUSH text = GetSysColorBrush(COLOR_BTNTEXT);
  HGDIOBJ oldBrush = SelectObject(dc, text);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  if (IsVertical()) {
    int x = mark.left + 5, y = mark.top + 3;
    POINT triangle[] = {{x, y}, {x, y + 4}, {x - 2, y + 2}};
    Polygon(dc, triangle, 3);
  } else {
    int x = mark.left + 3, y = mark.bottom - 7 + (mark.bottom - mark.top < 17 ? 1 : 0);
    POINT triangle[] = {{x, y}, {x + 4, y}, {x + 2, y + 2}};
    Polygon(dc, triangle, 3);
  }
  if (hasHiddenLinks_) {
    // Two chevrons, each two small angle lines, pointing along the bar.
    for (int k = 0; k < 2; ++k) {
      int base = k * 4;
      for (int d = 0; d < 3; ++d) {
        if (IsVertical()) {
          int y = mark.bottom - 9 + base + d;
          MoveToEx(dc, mark.left + 2 + d, y - d, nullptr);
          LineTo(dc, mark.left + 2 + d, y - d + 1);
          MoveToEx(dc, mark.left + 6 - d, y - d, nullptr);
          LineTo(dc, mark.left + 6 - d, y - d + 1);
        } else {
          int x = mark.left + 2 + base + d;
          MoveToEx(dc, x, mark.top + 2 + d, nullptr);
          LineTo(dc, x + 1, mark.top + 2 + d);
          MoveToEx(dc, x, mark.top + 6 - d, nullptr);
          LineTo(dc, x + 1, mark.top + 6 - d);
        }
      }
    }
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
}

void TdxBarControl::Paint() {
  TCustomForm* form = BarManager()->ParentForm();
  if (Locked() || (form && !form->Visible())) return;
  CalcItemRects();
  HDC dc = Canvas()->Handle();
  RECT client = ClientRect();
  HRGN rest = CreateRectRgnIndirect(&client);
  TScopeExit freeRegion([rest] { DeleteObject(rest); });
  for (TdxBarItemLink* link : ItemLinks()->VisibleItems()) {
    TdxBarItemControl* control = link->Control();
    const RECT& r = link->ItemRect();
    if (!control || IsRectEmpty(&r)) continue;
    DrawItemControl(control);
    HRGN item = CreateRectRgnIndirect(&r);
    CombineRgn(rest, rest, item, RGN_DIFF);
    DeleteObject(item);
  }
  int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, rest, RGN_AND);
  FillRect(dc, &client, GetBackgroundBrush());
  RestoreDC(dc, saved);
  DrawSeparators();
  DrawMark();
  DrawMDIButtons();
}

// --- Frame ---

void TdxBarControl::WMNCCalcSize(TMessage& Message) {
  RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
  Message.Result = 0;
  if (Floating()) {
    int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
    int caption = GetSystemMetrics(SM_CYSMCAPTION);
    if (IsFlat()) {
      InflateRect(&r, -frameX, -frameY);
      r.top += caption;
    } else {
      r.left += frameX + 4;
      r.right -= frameX + 4;
      r.top += frameY + caption + 2;
      r.bottom -= frameY + 1;
    }
    return;
  }
  if (bar_->BorderStyle() == bbsSingle) {
    InflateRect(&r, -2, -2);
    if (IsVertical())
      r.top += BarManager()->GripSize();
    else
      r.left += BarManager()->GripSize();
  } else if (bar_->IsStatusBar()) {
    r.top += 2;
  }
}

void TdxBarControl::NCPaintDocked() {
  if (bar_->BorderStyle() != bbsSingle) return;
  HDC dc = GetWindowDC(Handle());
  TScopeExit release([&] { ReleaseDC(Handle(), dc); });
  RECT window;
  GetWindowRect(Handle(), &window);
  RECT r{0, 0, window.right - window.left, window.bottom - window.top};
  RECT inner = r;
  InflateRect(&inner, -2, -2);
  // The ring between the frame and the client area (the grip side).
  FillRect(dc, &inner, GetBackgroundBrush());
  if (IsFlat()) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT ring = r;
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, GetBackgroundBrush());
  } else {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    RECT ring = r;
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, GetBackgroundBrush());
  }
  // The grip, GripOffset after the frame on the leading side, 3 pixels wide.
  int offset = 2 + BarManager()->GripOffset();
  RECT grip = IsVertical() ? RECT{inner.left + 1, offset, inner.right - 1, offset + 3}
                           : RECT{offset, inner.top + 1, offset + 3, inner.bottom - 1};
  switch (BarManager()->Style()) {
    case bmsStandard:
      for (int k = 0; k < 2; ++k) {
        RECT bar = grip;
        OffsetRect(&bar, IsVertical() ? 0 : 3 * k, IsVertical() ? 3 * k : 0);
        FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT);
      }
      break;
    case bmsEnhanced:
      if (IsVertical())
        InflateRect(&grip, -1, 0);
      else
        InflateRect(&grip, 0, -1);
      DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
      break;
    case bmsFlat: {
      if (IsVertical())
        InflateRect(&grip, -3, 0);
      else
        InflateRect(&grip, 0, -3);
      int count = IsVertical() ? grip.right - grip.left : grip.bottom - grip.top;
      for (int k = 0; k < count; ++k) {
        RECT line = IsVertical() ? RECT{grip.left + k, grip.top, grip.left + k + 1, grip.bottom}
                                 : RECT{grip.left, grip.top + k, grip.right, grip.top + k + 1};
        FillRect(dc, &line, k % 2 == 0 ? GetSysColorBrush(COLOR_BTNSHADOW) : GetBackgroundBrush());
      }
      break;
    }
  }
}

void TdxBarControl::NCPaintFloating() {
  HDC dc = GetWindowDC(Handle());
  TScopeExit release([&] { ReleaseDC(Handle(), dc); });
  RECT window;
  GetWindowRect(Handle(), &window);
  RECT r{0, 0, window.right - window.left, window.bottom - window.top};
  POINT origin{0, 0};
  ::ClientToScreen(Handle(), &origin);
  RECT client = ClientRect();
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  // Everything outside the client area: frame, caption, and the ring around the client.
  int saved = SaveDC(dc);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  FillRect(dc, &r, GetBackgroundBrush());
  if (IsFlat()) {
    FrameRect(dc, &r, BarManager()->FlatBorderBrush());
    RECT ring = r;
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  } else {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  }
  RECT caption = r;
  InflateRect(&caption, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
  NONCLIENTMETRICS metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  caption.bottom = caption.top + metrics.iSmCaptionHeight;
  TCustomForm* form = BarManager()->ParentForm();
  bool formActive = form && form->HandleAllocated() && GetActiveWindow() == form->Handle();
  int captionColor = IsFlat() || !formActive ? COLOR_INACTIVECAPTION : COLOR_ACTIVECAPTION;
  FillRect(dc, &caption, GetSysColorBrush(captionColor));
  RECT text = caption;
  if (bar_->AllowClose()) {
    int side = caption.bottom - caption.top;
    RECT close{caption.right - side, caption.top, caption.right, caption.bottom};
    text.right = close.left;
    if (IsFlat()) {
      RECT cross = close;
      InflateRect(&cross, -3, -4);
      HPEN pen = CreatePen(PS_SOLID, 2, GetSysColor(COLOR_CAPTIONTEXT));
      HGDIOBJ oldPen = SelectObject(dc, pen);
      int size = std::min(cross.right - cross.left, cross.bottom - cross.top) & ~1;
      MoveToEx(dc, cross.left, cross.top, nullptr);
      LineTo(dc, cross.left + size, cross.top + size);
      MoveToEx(dc, cross.left + size - 1, cross.top, nullptr);
      LineTo(dc, cross.left - 1, cross.top + size);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
    } else {
      FrameRect(dc, &close, GetSysColorBrush(captionColor));
      InflateRect(&close, -1, -1);
      DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    }
  }
  text.left += 2;
  HFONT font = CreateFontIndirect(&metrics.lfSmCaptionFont);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
  String title = bar_->Caption();
  DrawText(dc, title.c_str(), static_cast<int>(title.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  RestoreDC(dc, saved);
}

void TdxBarControl::WMNCPaint(TMessage& Message) {
  Message.Result = 0;
  if (Floating())
    NCPaintFloating();
  else
    NCPaintDocked();
}

void TdxBarControl::WMNCHitTest(TMessage& Message) {
  POINT screen{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  RECT window;
  GetWindowRect(Handle(), &window);
  if (!PtInRect(&window, screen)) {
    Message.Result = HTNOWHERE;
    return;
  }
  // The whole bar answers as client area: a press off the controls drags it.
  Message.Result = HTCLIENT;
}

void TdxBarControl::WMGetMinMaxInfo(TMessage& Message) {
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  info->ptMinTrackSize = POINT{10, 10};
  info->ptMaxTrackSize = POINT{30000, 30000};
  info->ptMaxSize = POINT{30000, 30000};
  info->ptMaxPosition = POINT{30000, 30000};
  Message.Result = 0;
}

void TdxBarControl::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; }

// --- Moving ---

bool TdxBarControl::IsDragPlace(POINT ClientPoint) const {
  TdxBarItemControl* control = FindControlAt(ClientPoint);
  if (control && (control->IsEnabled() || IsCustomizing())) return false;
  RECT mark = GetMarkRect();
  return !PtInRect(&mark, ClientPoint) && MDIButtonAt(ClientPoint) < 0;
}

int TdxBarControl::EndReserve() const {
  return (!Floating() && HasMark() ? kMarkLength : 0) + MDIButtonsLength();
}

void TdxBarControl::WMLButtonDown(TMessage& Message) {
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (StartMDIButtonPress(p)) return;
  if (!IsDragPlace(p)) {
    inherited::Dispatch(Message);
    return;
  }
  SetActive(false);
  POINT grab = p;
  ::ClientToScreen(Handle(), &grab);
  bar_->Bars()->DragBar(this, grab);
}

void TdxBarControl::WMLButtonDblClk(TMessage& Message) {
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (IsDragPlace(p) && !BarManager()->IsDesigning()) {
    bar_->Bars()->ToggleDocking(this);
    return;
  }
  TdxBarItemControl* control = FindControlAt(p);
  if (control && control->HasDoubleClickAction() && control->IsEnabled()) {
    control->DoubleClick();
    return;
  }
  // A second press on a control is a press again.
  Message.Msg = WM_LBUTTONDOWN;
  inherited::Dispatch(Message);
}

// --- Menu mode ---

void TdxBarControl::SetActive(bool Value) {
  if (!Value && Active() && !IsCustomizing()) LeaveMenuMode();
  inherited::SetActive(Value);
}

void TdxBarControl::SelectItem(TdxBarItemControl* Control) {
  TdxBarItemControl* old = SelectedControl();
  inherited::SelectItem(Control);
  if (!IsBarControlAlive(this) || Control == old || !Control || Control->Active() || IsCustomizing()) return;
  Control->ControlActivate(true);
}

void TdxBarControl::Close() {
  LeaveMenuMode();
  inherited::Close();
}

void TdxBarControl::EnterMenuMode(TdxBarItemControl* Control) {
  if (!Control)
    for (TdxBarItemLink* link : ItemLinks()->VisibleItems())
      if ((Control = link->Control())) break;
  focusedWindow_ = GetFocus();
  SelectItem(Control);
  SetActive(true);
  BarManager()->SetKeyboardBarControl(this);
}

void TdxBarControl::LeaveMenuMode() {
  if (BarManager()->KeyboardBarControl() != this) return;
  BarManager()->SetKeyboardBarControl(nullptr);
  SelectItem(nullptr);
  inherited::SetActive(false);
  HWND focus = focusedWindow_;
  focusedWindow_ = nullptr;
  if (focus && IsWindow(focus) && IsWindowVisible(focus)) ::SetFocus(focus);
}

void TdxBarControl::PressControl(TdxBarItemControl* Control) {
  bool interactive = Control && Control->IsEnabled() && (Control->CanSelect() || Control->CanClickItem());
  if (!interactive) {
    SetActive(false);
    return;
  }
  if (Active())
    SelectItem(Control);
  else
    EnterMenuMode(Control);
}

void TdxBarControl::WMKeyDown(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!IsBarControlAlive(this) || !ActiveBarControl()) return;
  auto key = static_cast<WORD>(Message.WParam);
  if (key == VK_ESCAPE) {
    Close();
  } else if (key == VK_RETURN && SelectedControl()) {
    SelectedControl()->ControlClick(false);
  }
}
