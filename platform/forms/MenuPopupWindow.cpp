#include "platform/forms/MenuPopupWindow.h"

#include <algorithm>

#include "platform/forms/Forms.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/ScreenCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

const char16_t* const kMenuPopupClass = u"TrenvikMenuPopup";

LRESULT MenuPopupProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* self = reinterpret_cast<TMenuPopupWindow*>(GetWindowLongPtr(Wnd, GWLP_USERDATA));
  switch (Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Wnd, &ps);
      if (self) self->Paint(dc);
      EndPaint(Wnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
}

RECT WorkArea() {
  RECT r{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

void DrawSubMenuArrow(TCanvas* C, const RECT& R, TColor Color) {
  int cx = R.right - 10, cy = (R.top + R.bottom) / 2;
  C->Pen()->SetColor(Color);
  C->Brush()->SetColor(Color);
  C->Polygon({POINT{cx, cy - 4}, POINT{cx + 4, cy}, POINT{cx, cy + 4}});
}

void DrawCheck(TCanvas* C, const RECT& R, bool Radio, TColor Color) {
  RECT box{R.left + 2, R.top, R.left + 18, R.bottom};
  int cy = (box.top + box.bottom) / 2;
  C->Pen()->SetColor(Color);
  if (Radio) {
    C->Brush()->SetColor(Color);
    C->Ellipse(box.left + 5, cy - 3, box.left + 11, cy + 3);
    return;
  }
  // Three strokes of a tick, each two pixels thick.
  for (int d = 0; d < 2; ++d) {
    C->MoveTo(box.left + 4, cy - 1 + d);
    C->LineTo(box.left + 6, cy + 1 + d);
    C->LineTo(box.left + 11, cy - 4 + d);
  }
}

}  // namespace

void RegisterMenuPopupClass() {
  WNDCLASSEX wc{};
  wc.style = CS_SAVEBITS | CS_DBLCLKS;
  wc.lpfnWndProc = MenuPopupProc;
  wc.lpszClassName = kMenuPopupClass;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassEx(&wc);
}

TMenuPopupWindow::TMenuPopupWindow(TMenuItem* Parent, POINT Pos, TPopupAlignment Alignment)
    : parent_(Parent), items_(VisibleItems(Parent)) {
  Measure();
  if (Alignment == paRight) Pos.x -= width_;
  if (Alignment == paCenter) Pos.x -= width_ / 2;
  RECT work = WorkArea();
  if (Pos.x + width_ > work.right) Pos.x = std::max(work.left, work.right - width_);
  if (Pos.y + height_ > work.bottom) Pos.y = std::max(work.top, work.bottom - height_);
  Pos.x = std::max<LONG>(Pos.x, work.left);
  Pos.y = std::max<LONG>(Pos.y, work.top);
  handle_ = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kMenuPopupClass, u"", WS_POPUP, Pos.x, Pos.y,
                           width_, height_, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtr(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(handle_);
}

TMenuPopupWindow::~TMenuPopupWindow() {
  SetWindowLongPtr(handle_, GWLP_USERDATA, 0);
  DestroyWindow(handle_);
}

TMenu* TMenuPopupWindow::Menu() const { return parent_->GetParentMenu(); }

bool TMenuPopupWindow::OwnerDrawn(TMenuItem* Item) const {
  TMenu* menu = Menu();
  return menu && menu->OwnerDraw() && (Item->OnDrawItem || Item->OnMeasureItem);
}

void TMenuPopupWindow::Measure() {
  TDCCanvasScope scope(nullptr, Screen->MenuFont());
  TCanvas* c = scope.Canvas();
  TMenuMetrics m = MenuMetrics(c);
  int textWidth = 0, shortCutWidth = 0;
  std::vector<int> heights;
  for (TMenuItem* item : items_) {
    int w = 0, h = item->IsLine() ? m.SeparatorHeight : m.ItemHeight;
    if (!item->IsLine()) {
      w = c->TextWidth(StripHotkey(item->Caption()));
      if (item->ShortCut())
        shortCutWidth = std::max(shortCutWidth, c->TextWidth(ShortCutToText(item->ShortCut())));
    }
    if (OwnerDrawn(item) && item->OnMeasureItem) {
      w += m.Gutter + m.ArrowWidth;
      item->OnMeasureItem(item, c, w, h);
      w -= m.Gutter + m.ArrowWidth;
    }
    textWidth = std::max(textWidth, w);
    heights.push_back(h);
  }
  int inner = m.Gutter + textWidth + (shortCutWidth ? 24 + shortCutWidth : 0) + m.ArrowWidth;
  width_ = inner + 2 * m.Border;
  int y = m.Border;
  for (int h : heights) {
    rects_.push_back(RECT{m.Border, y, m.Border + inner, y + h});
    y += h;
  }
  height_ = y + m.Border;
}

void TMenuPopupWindow::SetHighlight(int Index) {
  if (Index == highlight_) return;
  int old = highlight_;
  highlight_ = Index;
  for (int i : {old, Index})
    if (i >= 0 && i < Count()) InvalidateRect(handle_, &rects_[static_cast<size_t>(i)], FALSE);
  UpdateWindow(handle_);
}

int TMenuPopupWindow::NextSelectable(int Step) const {
  int n = Count();
  if (n == 0) return -1;
  int i = highlight_;
  for (int k = 0; k < n; ++k) {
    i = i < 0 ? (Step > 0 ? 0 : n - 1) : (i + Step + n) % n;
    if (!items_[static_cast<size_t>(i)]->IsLine()) return i;
  }
  return -1;
}

RECT TMenuPopupWindow::ScreenRect() const {
  RECT r;
  GetWindowRect(handle_, &r);
  return r;
}

bool TMenuPopupWindow::ContainsScreen(POINT P) const {
  RECT r = ScreenRect();
  return PtInRect(&r, P);
}

RECT TMenuPopupWindow::ItemScreenRect(int Index) const {
  RECT r = rects_.at(static_cast<size_t>(Index)), w = ScreenRect();
  OffsetRect(&r, w.left, w.top);
  return r;
}

int TMenuPopupWindow::ItemAtScreen(POINT P) const {
  for (int i = 0; i < Count(); ++i) {
    RECT r = ItemScreenRect(i);
    if (PtInRect(&r, P)) return items_[static_cast<size_t>(i)]->IsLine() ? -1 : i;
  }
  return -1;
}

int TMenuPopupWindow::FindAccel(Char Key) const {
  int n = Count();
  for (int k = 1; k <= n; ++k) {
    int i = (std::max(highlight_, -1) + k) % n;
    if (IsAccel(Key, items_[static_cast<size_t>(i)]->Caption())) return i;
  }
  return -1;
}

void TMenuPopupWindow::Paint(HDC DC) {
  TDCCanvasScope scope(DC, Screen->MenuFont());
  TCanvas* c = scope.Canvas();
  RECT all{0, 0, width_, height_};
  c->Brush()->SetColor(clMenu);
  c->FillRect(all);
  DrawEdge(DC, &all, EDGE_RAISED, BF_RECT);
  for (int i = 0; i < Count(); ++i) PaintItem(c, i);
}

void TMenuPopupWindow::PaintItem(TCanvas* C, int Index) {
  TMenuItem* item = items_[static_cast<size_t>(Index)];
  RECT r = rects_[static_cast<size_t>(Index)];
  bool selected = Index == highlight_;
  if (OwnerDrawn(item) && item->OnDrawItem) {
    item->OnDrawItem(item, C, r, selected);
    return;
  }
  if (item->IsLine()) {
    int y = (r.top + r.bottom) / 2 - 1;
    RECT line{r.left + 1, y, r.right - 1, y + 2};
    DrawEdge(C->Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  C->Brush()->SetColor(selected ? clHighlight : clMenu);
  C->FillRect(r);
  TColor text = !item->Enabled() ? clGrayText : selected ? clHighlightText : clMenuText;
  TMenuMetrics m = MenuMetrics(C);
  TCustomImageList* images = item->GetImageList();
  if (item->HasBitmap()) {
    TBitmap* b = item->Bitmap();
    C->Draw(r.left + (m.Gutter - b->Width()) / 2, r.top + (r.bottom - r.top - b->Height()) / 2, b);
  } else if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count()) {
    images->Draw(C, r.left + (m.Gutter - images->Width()) / 2,
                 r.top + (r.bottom - r.top - images->Height()) / 2, item->ImageIndex(), item->Enabled());
  } else if (item->Checked()) {
    DrawCheck(C, r, item->RadioItem(), text);
  }
  C->Brush()->SetStyle(bsClear);
  C->Font()->SetColor(text);
  C->Font()->SetStyle(item->Default() ? TFontStyles{fsBold} : TFontStyles{});
  RECT tr{r.left + m.Gutter, r.top, r.right - m.ArrowWidth, r.bottom};
  String caption = item->Caption();
  DrawText(C->Handle(), caption.c_str(), static_cast<int>(caption.size()), &tr,
           DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (item->ShortCut()) {
    String sc = ShortCutToText(item->ShortCut());
    DrawText(C->Handle(), sc.c_str(), static_cast<int>(sc.size()), &tr,
             DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
  C->Brush()->SetStyle(bsSolid);
  if (item->Count() > 0) DrawSubMenuArrow(C, r, text);
}

TMenuMetrics MenuMetrics(TCanvas* Canvas) {
  TMenuMetrics m;
  m.ItemHeight = std::max(Canvas->TextHeight(u"Wg") + 6, 18);
  return m;
}
