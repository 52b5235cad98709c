// TToolBar and TToolButton: buttons laid out in rows, drawn raised (or flat until the mouse is over
// them), check buttons that stay down, separators, images from the bar's lists, actions.
#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/Menus.h"
#include "platform/forms/ScreenCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TToolButton) {
  P.Property("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
  P.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
  P.Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
  P.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
  P.Property("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap).Default(false);
  P.Property("ShowCaption", &TToolButton::ShowCaption, &TToolButton::SetShowCaption).Default(true);
  P.Property("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
}

TRENVIK_MESSAGE_MAP(TToolButton) {
  M.On(CM_MOUSEENTER, &TToolButton::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TToolButton::CMMouseLeave);
  M.On(CM_TEXTCHANGED, &TToolButton::CMTextChanged);
}

TRENVIK_PUBLISHED(TToolBar) {
  P.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
  P.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
  P.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
  P.Property("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages);
  P.Property("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages);
  P.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
  P.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
  P.Property("List", &TToolBar::List, &TToolBar::SetList).Default(false);
  P.Property("EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders).Default(TEdgeBorders{ebTop});
  P.Property("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable).Default(true);
  P.Property("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize).Default(false);
}

namespace {
constexpr int kSeparatorWidth = 8;

}  // namespace

// --- TToolButton ---

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* AParent) {
  inherited::SetParent(AParent);
  if (TToolBar* bar = ToolBar()) bar->Relayout();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  if (IsSeparator() && Width() == 23) SetWidth(kSeparatorWidth);
  if (TToolBar* bar = ToolBar()) bar->Relayout();
  Invalidate();
}

void TToolButton::SetImageIndex(int Value) {
  if (Value == imageIndex_) return;
  imageIndex_ = Value;
  Invalidate();
}

void TToolButton::SetDown(bool Value) {
  if (Value == down_) return;
  down_ = Value;
  // One button of a group is down at a time.
  if (down_ && grouped_ && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TToolButton*>(Parent()->Controls(i));
          other && other != this && other->grouped_ && other->style_ == tbsCheck)
        other->SetDown(false);
  Invalidate();
}

void TToolButton::SetWrap(bool Value) {
  wrap_ = Value;
  if (TToolBar* bar = ToolBar()) bar->Relayout();
}

void TToolButton::SetShowCaption(bool Value) {
  if (Value == showCaption_) return;
  showCaption_ = Value;
  if (TToolBar* bar = ToolBar()) bar->Relayout();
  Invalidate();
}

bool TToolButton::CaptionShown() {
  TToolBar* bar = ToolBar();
  return bar && bar->ShowCaptions() && showCaption_ && !Caption().empty();
}

void TToolButton::SetHot(bool Value) {
  if (Value == hot_) return;
  hot_ = Value;
  Invalidate();
}

void TToolButton::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Enabled() && !IsSeparator()) SetHot(true);
}

void TToolButton::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  SetHot(false);
}

void TToolButton::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (TToolBar* bar = ToolBar(); bar && bar->ShowCaptions()) bar->Relayout();
  Invalidate();
}

void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Enabled() && !IsSeparator()) {
    pressed_ = true;
    Invalidate();
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (pressed_) {
    pressed_ = false;
    Invalidate();
  }
  inherited::MouseUp(Button, Shift, X, Y);
}

void TToolButton::Click() {
  if (IsSeparator() || !Enabled()) return;
  if (style_ == tbsCheck && !(grouped_ && down_)) SetDown(!down_);
  inherited::Click();
}

void TToolButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  inherited::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  const bool linked = !actionImageIndex_ || imageIndex_ == *actionImageIndex_;
  if (imageIndex_ < 0 || (!CheckDefaults && linked)) SetImageIndex(action->ImageIndex());
  actionImageIndex_ = action->ImageIndex();
  if (!CheckDefaults || !down_) SetDown(action->Checked());
}

void TToolButton::Paint() {
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  TToolBar* bar = ToolBar();
  bool flat = bar && bar->Flat();
  if (IsSeparator()) {
    if (style_ == tbsDivider || flat) {
      RECT line{r.right / 2 - 1, r.top, r.right / 2 + 1, r.bottom};
      DrawEdge(c->Handle(), &line, EDGE_ETCHED, BF_LEFT);
    }
    return;
  }
  bool sunken = pressed_ || down_;
  if (down_ && !pressed_) {
    c->Brush()->SetColor(cl3DLight);
    c->FillRect(r);
  }
  if (sunken)
    DrawEdge(c->Handle(), &r, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  else if (!flat || (hot_ && Enabled()))
    DrawEdge(c->Handle(), &r, flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  int shift = sunken ? 1 : 0;
  bool captions = CaptionShown();
  bool list = bar && bar->List();
  TCustomImageList* images = bar ? bar->Images() : nullptr;
  if (bar && hot_ && bar->HotImages()) images = bar->HotImages();
  if (bar && !Enabled() && bar->DisabledImages()) images = bar->DisabledImages();
  bool hasImage = images && imageIndex_ >= 0 && imageIndex_ < images->Count();
  RECT text{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  if (hasImage) {
    int x = list && captions ? r.left + 4 : (r.right - images->Width()) / 2;
    int y = captions && !list ? r.top + 3 : (r.bottom - images->Height()) / 2;
    images->Draw(c, x + shift, y + shift, imageIndex_, Enabled() || (bar && bar->DisabledImages()));
    if (list)
      text.left = x + images->Width() + 2;
    else
      text.top = y + images->Height();
  }
  if (captions) {
    String caption = StripHotkey(Caption());
    OffsetRect(&text, shift, shift);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    c->Font()->SetColor(Enabled() ? clBtnText : clGrayText);
    DrawText(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &text,
             (list ? DT_LEFT : DT_CENTER) | DT_VCENTER | DT_SINGLELINE);
    c->Brush()->SetStyle(bsSolid);
  }
}

// --- TToolBar ---

TToolBar::TToolBar(TComponent* AOwner)
    : TCustomControl(AOwner), imageChangeLink_(std::make_unique<TChangeLink>()) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  imageChangeLink_->OnChange = [this](TObject* Sender) { ImagesChanged(Sender); };
}

TToolBar::~TToolBar() {
  Destroying();
  for (TCustomImageList** list : {&images_, &disabledImages_, &hotImages_}) SetImageList(*list, nullptr);
}

void TToolBar::SetImageList(TCustomImageList*& Field, TCustomImageList* Value) {
  if (Field == Value) return;
  if (Field) {
    Field->UnRegisterChanges(imageChangeLink_.get());
    Field->RemoveFreeNotification(this);
  }
  Field = Value;
  if (Field) {
    Field->RegisterChanges(imageChangeLink_.get());
    Field->FreeNotification(this);
  }
  Invalidate();
}

void TToolBar::SetImages(TCustomImageList* Value) { SetImageList(images_, Value); }
void TToolBar::SetDisabledImages(TCustomImageList* Value) { SetImageList(disabledImages_, Value); }
void TToolBar::SetHotImages(TCustomImageList* Value) { SetImageList(hotImages_, Value); }

void TToolBar::ImagesChanged(TObject*) { Invalidate(); }

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  for (TCustomImageList** list : {&images_, &disabledImages_, &hotImages_})
    if (AComponent == *list) *list = nullptr;
}

void TToolBar::SetButtonWidth(int Value) {
  buttonWidth_ = Value;
  Relayout();
}

void TToolBar::SetButtonHeight(int Value) {
  buttonHeight_ = Value;
  Relayout();
}

void TToolBar::SetFlat(bool Value) {
  flat_ = Value;
  Invalidate();
}

void TToolBar::SetShowCaptions(bool Value) {
  showCaptions_ = Value;
  Relayout();
}

void TToolBar::SetList(bool Value) {
  list_ = Value;
  Relayout();
}

void TToolBar::SetEdgeBorders(TEdgeBorders Value) {
  edgeBorders_ = Value;
  Relayout();
}

void TToolBar::SetWrapable(bool Value) {
  wrapable_ = Value;
  Relayout();
}

void TToolBar::SetAutoSize(bool Value) {
  autoSize_ = Value;
  Relayout();
}

int TToolBar::ButtonCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TToolButton*>(Controls(i))) ++n;
  return n;
}

TToolButton* TToolBar::Buttons(int Index) const {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && Index-- == 0) return b;
  return nullptr;
}

int TToolBar::ButtonWidthFor(TToolButton* Button) {
  if (!Button->CaptionShown()) return buttonWidth_;
  int text = MeasureScreenText(Font(), StripHotkey(Button->Caption())).cx;
  if (!list_) return std::max(buttonWidth_, text + 10);
  bool image = images_ && Button->ImageIndex() >= 0;
  return (image ? images_->Width() + 6 : 4) + text + 6;
}

int TToolBar::RowHeight() {
  if (!showCaptions_ || list_) return buttonHeight_;
  int image = images_ ? images_->Height() : 0;
  return std::max(buttonHeight_, image + MeasureScreenText(Font(), u"Wg").cy + 8);
}

void TToolBar::Relayout() {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  Realign();
  Invalidate();
}

void TToolBar::AdjustClientRect(RECT& Rect) {
  inherited::AdjustClientRect(Rect);
  if (edgeBorders_.Contains(ebTop)) Rect.top += 2;
  if (edgeBorders_.Contains(ebBottom)) Rect.bottom -= 2;
  if (edgeBorders_.Contains(ebLeft)) Rect.left += 2;
  if (edgeBorders_.Contains(ebRight)) Rect.right -= 2;
}

// Buttons and other controls side by side in their order, wrapping where a button says so or
// (Wrapable) where the row is full; a button is ButtonWidth wide (wider for its caption).
void TToolBar::AlignControls(TControl*, RECT& Rect) {
  if (relayingOut_) return;
  relayingOut_ = true;
  int rowHeight = RowHeight();
  int x = Rect.left, y = Rect.top, rowBottom = Rect.top + rowHeight;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    auto* button = dynamic_cast<TToolButton*>(c);
    int w = c->Width(), h = c->Height();
    if (button && !button->IsSeparator()) {
      w = ButtonWidthFor(button);
      h = rowHeight;
    } else if (button) {
      h = rowHeight;
    }
    if (wrapable_ && x > Rect.left && x + w > Rect.right && !(button && button->IsSeparator())) {
      x = Rect.left;
      y = rowBottom;
      rowBottom = y + rowHeight;
    }
    c->SetBounds(x, y, w, h);
    rowBottom = std::max(rowBottom, y + h);
    x += w;
    if (button && button->Wrap()) {
      x = Rect.left;
      y = rowBottom;
      rowBottom = y + rowHeight;
    }
  }
  if (autoSize_ && Align() != alLeft && Align() != alRight) {
    int extra = (edgeBorders_.Contains(ebTop) ? 2 : 0) + (edgeBorders_.Contains(ebBottom) ? 2 : 0);
    int wanted = rowBottom - Rect.top + extra;
    if (wanted != Height()) SetHeight(wanted);
  }
  relayingOut_ = false;
}

void TToolBar::Paint() {
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  UINT sides =
      (edgeBorders_.Contains(ebTop) ? BF_TOP : 0) | (edgeBorders_.Contains(ebBottom) ? BF_BOTTOM : 0) |
      (edgeBorders_.Contains(ebLeft) ? BF_LEFT : 0) | (edgeBorders_.Contains(ebRight) ? BF_RIGHT : 0);
  if (sides) DrawEdge(c->Handle(), &r, EDGE_ETCHED, sides);
}
