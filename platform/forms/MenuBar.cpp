#include "platform/forms/MenuBar.h"

#include "platform/forms/Forms.h"
#include "platform/forms/ScreenCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomMenuBar)

TCustomMenuBar::TCustomMenuBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque});
  SetAlign(alTop);
  SetHeight(20);
  SetColor(clBtnFace);
}

std::vector<RECT> TCustomMenuBar::LayoutItems() {
  std::vector<RECT> rects;
  TDCCanvasScope scope(nullptr, Screen->MenuFont());
  int x = 2;
  for (TMenuItem* item : VisibleItems(BarRoot())) {
    int w = item->IsLine() ? 8 : scope.Canvas()->TextWidth(StripHotkey(item->Caption())) + 14;
    rects.push_back(RECT{x, 1, x + w, Height() - 1});
    x += w;
  }
  return rects;
}

RECT TCustomMenuBar::BarItemRect(int Index) {
  std::vector<RECT> rects = LayoutItems();
  if (Index < 0 || Index >= static_cast<int>(rects.size())) return RECT{};
  RECT r = rects[static_cast<size_t>(Index)];
  POINT o = ClientToScreen(POINT{0, 0});
  OffsetRect(&r, o.x, o.y);
  return r;
}

void TCustomMenuBar::SetBarHighlight(int Index, bool Open) {
  if (Index == highlight_ && Open == open_) return;
  highlight_ = Index;
  open_ = Open;
  Invalidate();
  Update();
}

int TCustomMenuBar::ItemAtPos(POINT P) {
  std::vector<RECT> rects = LayoutItems();
  for (int i = 0; i < static_cast<int>(rects.size()); ++i)
    if (PtInRect(&rects[static_cast<size_t>(i)], P)) return i;
  return -1;
}

void TCustomMenuBar::Track(int Index, bool Open, bool FromKeyboard) {
  TMenuTrackResult result = TrackMenuBar(this, Index, Open, FromKeyboard);
  if (result.Chosen) result.Chosen->Click();
}

bool TCustomMenuBar::TrackFromKey(Char Key) {
  std::vector<TMenuItem*> items = VisibleItems(BarRoot());
  if (items.empty() || !Showing()) return false;
  if (Key == 0 || Key == u' ') {
    Track(0, false, true);
    return true;
  }
  for (int i = 0; i < static_cast<int>(items.size()); ++i)
    if (IsAccel(Key, items[static_cast<size_t>(i)]->Caption())) {
      if (VisibleItems(items[static_cast<size_t>(i)]).empty()) {
        items[static_cast<size_t>(i)]->Click();
      } else {
        Track(i, true, true);
      }
      return true;
    }
  return false;
}

void TCustomMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  int i = ItemAtPos(POINT{X, Y});
  if (i < 0) return;
  TMenuItem* item = VisibleItems(BarRoot())[static_cast<size_t>(i)];
  if (item->IsLine()) return;
  SetMouseCapture(false);
  if (VisibleItems(item).empty())
    item->Click();
  else
    Track(i, true, false);
}

void TCustomMenuBar::Paint() {
  TCanvas* c = Canvas();
  RECT all = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(all);
  std::vector<TMenuItem*> items = VisibleItems(BarRoot());
  std::vector<RECT> rects = LayoutItems();
  for (size_t i = 0; i < items.size() && i < rects.size(); ++i)
    if (!items[i]->IsLine()) PaintBarItem(c, items[i], rects[i], static_cast<int>(i) == highlight_, open_);
}

void TCustomMenuBar::PaintBarItem(TCanvas* C, TMenuItem* Item, const RECT& R, bool Highlighted, bool Open) {
  RECT r = R;
  if (Highlighted) DrawEdge(C->Handle(), &r, Open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  C->Brush()->SetStyle(bsClear);
  C->Font()->SetColor(Item->Enabled() ? clMenuText : clGrayText);
  String caption = Item->Caption();
  DrawText(C->Handle(), caption.c_str(), static_cast<int>(caption.size()), &r,
           DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  C->Brush()->SetStyle(bsSolid);
}

TCustomMenuBar* FindMenuBar(TWinControl* Form) {
  if (!Form) return nullptr;
  for (int i = 0; i < Form->ControlCount(); ++i) {
    TControl* c = Form->Controls(i);
    if (!c->Visible()) continue;
    if (auto* bar = dynamic_cast<TCustomMenuBar*>(c)) return bar;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TCustomMenuBar* bar = FindMenuBar(w)) return bar;
  }
  return nullptr;
}
