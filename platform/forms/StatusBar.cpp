// TStatusBar: panels side by side, each framed and holding its text, and the size grip that sizes
// the form from the bar's corner.
#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TStatusPanel) {
  P.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(taLeftJustify);
  P.Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered);
  P.Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText);
  P.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  P.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
}

TRENVIK_IMPLEMENT_CLASS(TStatusPanels)

TRENVIK_PUBLISHED(TStatusBar) {
  P.Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
  P.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
  P.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  P.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(true);
  P.Event("OnDrawPanel", &TStatusBar::OnDrawPanel);
}

TRENVIK_MESSAGE_MAP(TStatusBar) {
  M.On(WM_NCHITTEST, &TStatusBar::WMNCHitTest);
  M.On(WM_NCLBUTTONDOWN, &TStatusBar::WMNCLButtonDown);
  M.On(WM_SETCURSOR, &TStatusBar::WMSetCursor);
}

// --- Panels ---

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

void TStatusPanel::SetText(const String& Value) {
  if (Value == text_) return;
  text_ = Value;
  Changed(false);
}

void TStatusPanel::SetWidth(int Value) {
  if (Value == width_) return;
  width_ = Value;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  bevel_ = Value;
  Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  style_ = Value;
  Changed(false);
}

TStatusPanels::TStatusPanels(TStatusBar* Owner)
    : TOwnedCollection(Owner, TStatusPanel::StaticClass()), bar_(Owner) {}

void TStatusPanels::Update(TCollectionItem* Item) {
  if (!bar_) return;
  if (Item && dynamic_cast<TStatusPanel*>(Item) && bar_->HandleAllocated()) {
    RECT r = bar_->PanelRect(Item->Index());
    InvalidateRect(bar_->Handle(), &r, TRUE);
  } else {
    bar_->Invalidate();
  }
}

// --- The bar ---

TStatusBar::TStatusBar(TComponent* AOwner)
    : TCustomControl(AOwner), panels_(std::make_unique<TStatusPanels>(this)) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
  Destroying();
  panels_.reset();
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (Value == simplePanel_) return;
  simplePanel_ = Value;
  Invalidate();
}

void TStatusBar::SetSimpleText(const String& Value) {
  if (Value == simpleText_) return;
  simpleText_ = Value;
  if (simplePanel_) Invalidate();
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (Value == sizeGrip_) return;
  sizeGrip_ = Value;
  Invalidate();
}

bool TStatusBar::SizeGripShown() {
  if (!sizeGrip_) return false;
  TCustomForm* form = GetParentForm(this);
  if (!form || !form->HandleAllocated()) return false;
  LONG style = GetWindowLong(form->Handle(), GWL_STYLE);
  return (style & WS_THICKFRAME) && !(style & WS_MAXIMIZE);
}

RECT TStatusBar::SizeGripRect() {
  RECT c = ClientRect();
  int size = std::min<int>(c.bottom, GetSystemMetrics(SM_CXVSCROLL));
  return RECT{c.right - size, c.bottom - size, c.right, c.bottom};
}

RECT TStatusBar::PanelRect(int Index) {
  RECT c = ClientRect();
  int right = SizeGripShown() ? SizeGripRect().left : c.right;
  int x = 0;
  for (int i = 0; i < panels_->Count(); ++i) {
    int w = panels_->Items(i)->Width();
    bool last = i == panels_->Count() - 1;
    RECT r{x, 2, last ? std::max(right, x) : x + w, c.bottom};
    if (i == Index) return r;
    x += w + 2;
  }
  return RECT{};
}

void TStatusBar::PaintText(const String& Text, RECT R, TAlignment Alignment) {
  TCanvas* c = Canvas();
  InflateRect(&R, -2, -1);
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(Font());
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  flags |= Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
  DrawText(c->Handle(), Text.c_str(), static_cast<int>(Text.size()), &R, flags);
  c->Brush()->SetStyle(bsSolid);
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const RECT& Rect) {
  if (OnDrawPanel) OnDrawPanel(this, Panel, Rect);
}

void TStatusBar::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  if (simplePanel_ || panels_->Count() == 0) {
    RECT r = ClientRect();
    r.top += 2;
    if (SizeGripShown()) r.right = SizeGripRect().left;
    DrawEdge(c->Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
    PaintText(simpleText_, r, taLeftJustify);
  } else {
    for (int i = 0; i < panels_->Count(); ++i) {
      TStatusPanel* p = panels_->Items(i);
      RECT r = PanelRect(i);
      if (p->Bevel() != pbNone)
        DrawEdge(c->Handle(), &r, p->Bevel() == pbLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      RECT inner = r;
      InflateRect(&inner, -1, -1);
      if (p->Style() == psOwnerDraw)
        DrawPanel(p, inner);
      else
        PaintText(p->Text(), inner, p->Alignment());
    }
  }
  if (SizeGripShown()) {
    RECT g = SizeGripRect();
    DrawFrameControl(c->Handle(), &g, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
}

// The grip's corner answers as the form's bottom-right border, and sizes the form.
void TStatusBar::WMNCHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Result != HTCLIENT || !SizeGripShown()) return;
  POINT p = ScreenToClient(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
  RECT g = SizeGripRect();
  if (PtInRect(&g, p)) Message.Result = HTBOTTOMRIGHT;
}

void TStatusBar::WMNCLButtonDown(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (Message.WParam == HTBOTTOMRIGHT && form) {
    SendMessage(form->Handle(), WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, Message.LParam);
    return;
  }
  inherited::Dispatch(Message);
}

void TStatusBar::WMSetCursor(TMessage& Message) {
  if (LOWORD(Message.LParam) == HTBOTTOMRIGHT) {
    ::SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}
