// TCoolBar: bands in rows, each with a grip, its text and the control it holds.
#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ScreenCanvas.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TCoolBand) {
  P.Property("Control", &TCoolBand::Control, &TCoolBand::SetControl);
  P.Property("Text", &TCoolBand::Text, &TCoolBand::SetText);
  P.Property("Width", &TCoolBand::Width, &TCoolBand::SetWidth).Default(0);
  P.Property("MinHeight", &TCoolBand::MinHeight, &TCoolBand::SetMinHeight).Default(25);
  P.Property("MinWidth", &TCoolBand::MinWidth, &TCoolBand::SetMinWidth).Default(0);
  P.Property("Break", &TCoolBand::Break, &TCoolBand::SetBreak).Default(true);
  P.Property("Visible", &TCoolBand::Visible, &TCoolBand::SetVisible).Default(true);
}

TRENVIK_IMPLEMENT_CLASS(TCoolBands)

TRENVIK_PUBLISHED(TCoolBar) {
  P.Property("Bands", &TCoolBar::Bands, &TCoolBar::SetBands);
  P.Property("AutoSize", &TCoolBar::AutoSize, &TCoolBar::SetAutoSize).Default(true);
  P.Property("ShowText", &TCoolBar::ShowText, &TCoolBar::SetShowText).Default(true);
}

namespace {
constexpr int kGripWidth = 10;
constexpr int kBandPadding = 2;
}  // namespace

// --- Bands ---

TCoolBand::TCoolBand(TCollection* Collection) : TCollectionItem(Collection) {}

TCoolBand::~TCoolBand() {
  TCoolBar* bar = CoolBar();
  if (control_ && bar) control_->RemoveFreeNotification(bar);
}

TCoolBar* TCoolBand::CoolBar() const {
  auto* bands = dynamic_cast<TCoolBands*>(Collection());
  return bands ? bands->CoolBar() : nullptr;
}

void TCoolBand::SetControl(TWinControl* Value) {
  if (Value == control_) return;
  TCoolBar* bar = CoolBar();
  // A control sits on one band only.
  if (Value && bar)
    if (TCoolBand* other = bar->Bands()->FindBand(Value); other && other != this) other->control_ = nullptr;
  if (control_ && bar) control_->RemoveFreeNotification(bar);
  control_ = Value;
  if (control_ && bar) {
    control_->FreeNotification(bar);
    if (control_->Parent() != bar) control_->SetParent(bar);
  }
  Changed(true);
}

void TCoolBand::SetText(const String& Value) {
  text_ = Value;
  Changed(true);
}

void TCoolBand::SetWidth(int Value) {
  width_ = Value;
  Changed(true);
}

void TCoolBand::SetMinHeight(int Value) {
  minHeight_ = Value;
  Changed(true);
}

void TCoolBand::SetMinWidth(int Value) {
  minWidth_ = Value;
  Changed(true);
}

void TCoolBand::SetBreak(bool Value) {
  break_ = Value;
  Changed(true);
}

void TCoolBand::SetVisible(bool Value) {
  visible_ = Value;
  if (control_) control_->SetVisible(Value);
  Changed(true);
}

TCoolBands::TCoolBands(TCoolBar* Owner) : TOwnedCollection(Owner, TCoolBand::StaticClass()), bar_(Owner) {}

TCoolBand* TCoolBands::FindBand(TControl* AControl) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Control() == AControl) return Items(i);
  return nullptr;
}

void TCoolBands::Update(TCollectionItem*) {
  if (!bar_ || bar_->ComponentState().Contains(csDestroying)) return;
  // An item being added is told about before its own constructor has run: lay out after it.
  for (int i = 0; i < Count(); ++i)
    if (!dynamic_cast<TCoolBand*>(TCollection::Items(i))) return;
  bar_->Realign();
  bar_->Invalidate();
}

// --- The bar ---

TCoolBar::TCoolBar(TComponent* AOwner) : TCustomControl(AOwner), bands_(std::make_unique<TCoolBands>(this)) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 75);
  SetAlign(alTop);
}

TCoolBar::~TCoolBar() {
  Destroying();
  bands_.reset();
}

void TCoolBar::SetAutoSize(bool Value) {
  autoSize_ = Value;
  Realign();
}

void TCoolBar::SetShowText(bool Value) {
  showText_ = Value;
  Realign();
  Invalidate();
}

RECT TCoolBar::BandRect(int Index) {
  LayoutBands();
  if (Index < 0 || Index >= static_cast<int>(bandRects_.size())) return RECT{};
  return bandRects_[static_cast<size_t>(Index)];
}

int TCoolBar::TextWidth(TCoolBand* Band) {
  if (!showText_ || Band->Text().empty()) return 0;
  return MeasureScreenText(Font(), Band->Text()).cx + 4;
}

void TCoolBar::LayoutBands() {
  bandRects_.assign(static_cast<size_t>(bands_->Count()), RECT{});
  int width = ClientWidth();
  int y = 0;
  std::vector<std::vector<int>> rows;
  for (int i = 0; i < bands_->Count(); ++i) {
    TCoolBand* band = bands_->Items(i);
    if (!band->Visible()) continue;
    if (rows.empty() || band->Break()) rows.emplace_back();
    rows.back().push_back(i);
  }
  for (const std::vector<int>& row : rows) {
    int height = 0;
    for (int i : row) {
      TCoolBand* band = bands_->Items(i);
      TWinControl* control = band->Control();
      bool placed = control && !control->ComponentState().Contains(csDestroying);
      height = std::max({height, band->MinHeight(), placed ? control->Height() : 0});
    }
    height += 2 * kBandPadding;
    int x = 0;
    for (size_t k = 0; k < row.size(); ++k) {
      TCoolBand* band = bands_->Items(row[k]);
      bool last = k + 1 == row.size();
      int w = last || band->Width() <= 0 ? width - x : std::max(band->Width(), band->MinWidth());
      bandRects_[static_cast<size_t>(row[k])] = RECT{x, y, x + w, y + height};
      x += w;
    }
    y += height;
  }
}

void TCoolBar::AlignControls(TControl*, RECT& Rect) {
  if (layingOut_ || ComponentState().Contains(csLoading)) return;
  layingOut_ = true;
  LayoutBands();
  int bottom = 0;
  for (int i = 0; i < bands_->Count(); ++i) {
    TCoolBand* band = bands_->Items(i);
    RECT r = bandRects_[static_cast<size_t>(i)];
    bottom = std::max<int>(bottom, r.bottom);
    TWinControl* control = band->Control();
    if (!control || !band->Visible() || control->ComponentState().Contains(csDestroying)) continue;
    int left = r.left + kGripWidth + TextWidth(band);
    control->SetBounds(left, r.top + kBandPadding, std::max<int>(0, r.right - left - kBandPadding),
                       r.bottom - r.top - 2 * kBandPadding);
  }
  (void)Rect;
  if (autoSize_ && bottom > 0 && bottom != Height()) SetHeight(bottom);
  layingOut_ = false;
}

void TCoolBar::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  LayoutBands();
  for (int i = 0; i < bands_->Count(); ++i) {
    TCoolBand* band = bands_->Items(i);
    if (!band->Visible()) continue;
    RECT r = bandRects_[static_cast<size_t>(i)];
    DrawEdge(c->Handle(), &r, EDGE_ETCHED, BF_RECT);
    RECT grip{r.left + 3, r.top + 3, r.left + 6, r.bottom - 3};
    DrawEdge(c->Handle(), &grip, BDR_RAISEDINNER, BF_RECT);
    if (int tw = TextWidth(band)) {
      RECT tr{r.left + kGripWidth, r.top, r.left + kGripWidth + tw, r.bottom};
      c->Brush()->SetStyle(bsClear);
      String text = band->Text();
      DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &tr,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);
      c->Brush()->SetStyle(bsSolid);
    }
  }
}

void TCoolBar::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || !bands_) return;
  for (int i = 0; i < bands_->Count(); ++i)
    if (bands_->Items(i)->control_ == AComponent) bands_->Items(i)->control_ = nullptr;
}

void RegisterComCtrlsClasses() {
  RegisterClasses({TStatusBar::StaticClass(), TToolBar::StaticClass(), TToolButton::StaticClass(),
                   TCoolBar::StaticClass()});
}
