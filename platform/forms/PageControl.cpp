// TPageControl and TTabSheet: the tab row is drawn by the page control; the sheets are child
// windows of it, only the active one visible.
#include "platform/forms/PageControl.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/ImageListLink.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TTabSheet) {
  P.Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
  P.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(-1);
  P.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
  P.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
  P.Event("OnHide", &TTabSheet::OnHide);
  P.Event("OnShow", &TTabSheet::OnShow);
}

TRENVIK_PUBLISHED(TPageControl) {
  P.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  P.Property("Images", &TPageControl::Images, &TPageControl::SetImages);
  P.Property("Style", &TPageControl::Style, &TPageControl::SetStyle).Default(tsTabs);
  P.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight).Default(0);
  P.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth).Default(0);
  P.Event("OnChange", &TPageControl::OnChange);
  P.Event("OnChanging", &TPageControl::OnChanging);
}

namespace {
constexpr int kTabPadding = 6;  // text to tab side
constexpr int kImageGap = 3;    // image to text
constexpr int kRaise = 2;       // how far the selected tab stands out
}  // namespace

// --- TTabSheet ---

TRENVIK_MESSAGE_MAP(TTabSheet) { M.On(CM_TEXTCHANGED, &TTabSheet::CMTextChanged); }

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (pageControl_ == Value) return;
  if (pageControl_) pageControl_->RemovePage(this);
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (pageControl_) pageControl_->MovePage(this, Value);
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  auto tabs = pageControl_->VisibleTabs();
  return static_cast<int>(std::find(tabs.begin(), tabs.end(), this) - tabs.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
  if (tabVisible_ == Value) return;
  tabVisible_ = Value;
  if (pageControl_) pageControl_->TabsChanged();
}

void TTabSheet::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  if (pageControl_) pageControl_->TabsChanged();
}

void TTabSheet::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  if (auto* pc = dynamic_cast<TPageControl*>(Reader->Parent())) SetPageControl(pc);
}

void TTabSheet::SetParentComponent(TComponent* Value) {
  if (auto* pc = dynamic_cast<TPageControl*>(Value))
    SetPageControl(pc);
  else
    inherited::SetParentComponent(Value);
}

void TTabSheet::CMTextChanged(TMessage&) {
  if (pageControl_) pageControl_->TabsChanged();
}

// --- TPageControl ---

TRENVIK_MESSAGE_MAP(TPageControl) {
  M.On(CM_DIALOGKEY, &TPageControl::CMDialogKey);
  M.On(CM_FONTCHANGED, &TPageControl::CMFontChanged);
  M.On(WM_GETDLGCODE, &TPageControl::WMGetDlgCode);
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csDoubleClicks, csOpaque});
  SetBounds(Left(), Top(), 289, 193);
  SetTabStop(true);
  imageLink_ = std::make_unique<TChangeLink>();
  imageLink_->OnChange = [this](TObject*) { TabsChanged(); };
}

TPageControl::~TPageControl() {
  SetImages(nullptr);
  // The sheets are freed by their owner; they must not call back into a page control that is gone.
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

void TPageControl::InsertPage(TTabSheet* Page) {
  pages_.push_back(Page);
  Page->pageControl_ = this;
  Page->SetVisible(false);
  if (!activePage_ && !ComponentState().Contains(csLoading)) SetActivePage(Page);
  TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto it = std::find(pages_.begin(), pages_.end(), Page);
  if (it == pages_.end()) return;
  if (Page == activePage_) {
    TTabSheet* next = FindNextPage(Page, true, true);
    if (next == Page) next = nullptr;
    activePage_ = nullptr;
    pages_.erase(it);
    Page->pageControl_ = nullptr;
    if (next) SetActivePage(next);
  } else {
    pages_.erase(it);
    Page->pageControl_ = nullptr;
  }
  TabsChanged();
}

void TPageControl::MovePage(TTabSheet* Page, int Index) {
  auto it = std::find(pages_.begin(), pages_.end(), Page);
  if (it == pages_.end()) return;
  pages_.erase(it);
  Index = std::clamp(Index, 0, PageCount());
  pages_.insert(pages_.begin() + Index, Page);
  TabsChanged();
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* p : pages_)
    if (p->TabVisible()) tabs.push_back(p);
  return tabs;
}

void TPageControl::ShowOnly(TTabSheet* Page) {
  TTabSheet* old = activePage_;
  activePage_ = Page;
  if (Page) {
    Page->BringToFront();
    Page->SetVisible(true);
    if (Page->OnShow) Page->OnShow(Page);
  }
  if (old && old != Page) {
    // Focus inside the sheet that goes would be left in a hidden window.
    HWND focus = GetFocus();
    if (old->HandleAllocated() && focus && (focus == old->Handle() || IsChild(old->Handle(), focus)) && CanFocus())
      SetFocus();
    old->SetVisible(false);
    if (old->OnHide) old->OnHide(old);
  }
  TabsChanged();
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->PageControl() != this) return;
  if (ComponentState().Contains(csLoading)) {  // shown once the whole form is read (Loaded)
    activePage_ = Value;
    return;
  }
  if (Value == activePage_) return;
  ShowOnly(Value);
}

void TPageControl::Loaded() {
  inherited::Loaded();
  TTabSheet* active = activePage_;
  activePage_ = nullptr;
  for (TTabSheet* p : pages_) p->SetVisible(false);
  if (!active && !pages_.empty()) active = FindNextPage(nullptr, true, true);
  if (active) ShowOnly(active);
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? Pages(Value) : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  const int count = PageCount();
  if (count == 0) return nullptr;
  int start = CurPage ? CurPage->PageIndex() : -1;
  if (start < 0) start = GoForward ? count - 1 : 0;
  int i = start;
  for (int step = 0; step < count; ++step) {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* p = pages_[static_cast<size_t>(i)];
    if (!CheckTabVisible || p->TabVisible()) return p;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
  TTabSheet* next = FindNextPage(activePage_, GoForward, true);
  if (next && next != activePage_) ChangeActivePage(next);
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

bool TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (Page == activePage_) return true;
  if (!CanChange()) return false;
  SetActivePage(Page);
  Change();
  return true;
}

void TPageControl::SetStyle(TTabStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  TabsChanged();
}

void TPageControl::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  LinkImageList(this, images_, Value, imageLink_.get());
  TabsChanged();
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

void TPageControl::SetTabHeight(int Value) {
  if (tabHeight_ == Value) return;
  tabHeight_ = std::max(0, Value);
  TabsChanged();
}

void TPageControl::SetTabWidth(int Value) {
  if (tabWidth_ == Value) return;
  tabWidth_ = std::max(0, Value);
  TabsChanged();
}

void TPageControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TTabSheet* p : pages_)
    if (p->Owner() == Root) Proc(p);
}

void TPageControl::TabsChanged() {
  Realign();
  Invalidate();
}

int TPageControl::RowHeight() {
  if (tabHeight_ > 0) return tabHeight_;
  // Measured without the window, which may not exist yet.
  int h = FontLineHeight(Font()->Handle()) + 4;
  if (images_) h = std::max(h, images_->Height() + 4);
  return h;
}

int TPageControl::TabTextWidth(TTabSheet* Page) {
  TMeasureDC measure;
  measure.SetFont(Font()->Handle());
  int w = measure.Width(Page->Caption());
  if (images_ && Page->ImageIndex() >= 0) w += images_->Width() + kImageGap;
  return w;
}

RECT TPageControl::TabRect(int TabIndex) {
  auto tabs = VisibleTabs();
  if (TabIndex < 0 || TabIndex >= static_cast<int>(tabs.size())) return RECT{};
  const int rowTop = style_ == tsTabs ? kRaise : 0;
  const int gap = style_ == tsTabs ? 0 : 3;
  int x = style_ == tsTabs ? kRaise : 0;
  for (int i = 0;; ++i) {
    int w = tabWidth_ > 0 ? tabWidth_ : TabTextWidth(tabs[static_cast<size_t>(i)]) + 2 * kTabPadding;
    if (i == TabIndex) return RECT{x, rowTop, x + w, rowTop + RowHeight()};
    x += w + gap;
  }
}

int TPageControl::IndexOfTabAt(int X, int Y) {
  POINT p{X, Y};
  const int count = static_cast<int>(VisibleTabs().size());
  for (int i = 0; i < count; ++i) {
    RECT r = TabRect(i);
    if (style_ == tsTabs && VisibleTabs()[static_cast<size_t>(i)] == activePage_) InflateRect(&r, kRaise, kRaise);
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

void TPageControl::AdjustClientRect(RECT& Rect) {
  inherited::AdjustClientRect(Rect);
  if (style_ == tsTabs) {
    Rect.top += kRaise + RowHeight() + 2;
    InflateRect(&Rect, -4, 0);
    Rect.bottom -= 4;
  } else {
    Rect.top += RowHeight() + 3;
  }
  if (Rect.bottom < Rect.top) Rect.bottom = Rect.top;
}

void TPageControl::DrawTab(TTabSheet* Page, RECT R, bool Selected) {
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  if (style_ == tsTabs) {
    if (Selected) InflateRect(&R, kRaise, 0), R.top -= kRaise, R.bottom += 1;
    c->Brush()->SetColor(Color());
    c->FillRect(R);
    // Light left and top with a cut corner, dark and darker right side; no bottom line.
    RECT edge = R;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
  } else {
    c->Brush()->SetColor(Color());
    c->FillRect(R);
    RECT edge = R;
    if (Selected)
      DrawEdge(dc, &edge, style_ == tsButtons ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
    else if (style_ == tsButtons)
      DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
  }
  int x = R.left + kTabPadding, y = R.top + 2;
  if (style_ != tsTabs && Selected) ++x, ++y;  // pressed buttons move their face
  if (images_ && Page->ImageIndex() >= 0) {
    images_->Draw(c, x, R.top + (R.bottom - R.top - images_->Height()) / 2, Page->ImageIndex(), Page->Enabled());
    x += images_->Width() + kImageGap;
  }
  c->Font()->Assign(Font());
  c->Brush()->SetStyle(bsClear);
  c->TextOut(x, y + (RowHeight() - 4 - c->TextHeight(u"Wg")) / 2, Page->Caption());
  c->Brush()->SetStyle(bsSolid);
  if (Selected && Focused()) {
    RECT focus = R;
    InflateRect(&focus, -3, -3);
    c->DrawFocusRect(focus);
  }
}

void TPageControl::Paint() {
  TCanvas* c = Canvas();
  RECT client = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  if (style_ == tsTabs) {
    RECT frame = client;
    frame.top = kRaise + RowHeight();
    DrawEdge(c->Handle(), &frame, EDGE_RAISED, BF_RECT | BF_SOFT);
  }
  auto tabs = VisibleTabs();
  for (int i = 0; i < static_cast<int>(tabs.size()); ++i)
    if (tabs[static_cast<size_t>(i)] != activePage_) DrawTab(tabs[static_cast<size_t>(i)], TabRect(i), false);
  // The selected tab last: it overlaps its neighbours and the frame below it.
  if (activePage_ && activePage_->TabIndex() >= 0) DrawTab(activePage_, TabRect(activePage_->TabIndex()), true);
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  int i = IndexOfTabAt(X, Y);
  if (i < 0) return;
  if (CanFocus()) SetFocus();
  ChangeActivePage(VisibleTabs()[static_cast<size_t>(i)]);
}

void TPageControl::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (Key == VK_LEFT || Key == VK_RIGHT) {
    SelectNextPage(Key == VK_RIGHT);
    Key = 0;
  }
}

void TPageControl::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TPageControl::CMDialogKey(TWMKey& Message) {
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages from anywhere inside the control.
  HWND focus = GetFocus();
  bool inside = HandleAllocated() && focus && (focus == WindowHandle() || IsChild(WindowHandle(), focus));
  if (inside && Message.CharCode() == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TPageControl::CMFontChanged(TMessage& Message) {
  DefaultHandler(Message);
  TabsChanged();
}
