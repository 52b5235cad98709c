#include "dx/bars/dxBarSubMenuControl.h"

#include <algorithm>

#include "dx/bars/dxBarMenuAnimation.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarSubMenuControl)

TRENVIK_MESSAGE_MAP(TdxBarSubMenuControl) {
  M.On(WM_KEYDOWN, &TdxBarSubMenuControl::WMKeyDown);
  M.On(WM_GETDLGCODE, &TdxBarSubMenuControl::WMGetDlgCode);
  M.On(WM_TIMER, &TdxBarSubMenuControl::WMTimer);
  M.On(WM_LBUTTONDOWN, &TdxBarSubMenuControl::WMLButtonDown);
  M.On(WM_RBUTTONDOWN, &TdxBarSubMenuControl::WMRightButton);
  M.On(WM_RBUTTONUP, &TdxBarSubMenuControl::WMRightButton);
  M.On(WM_MOUSEMOVE, &TdxBarSubMenuControl::WMMouseMove);
  M.On(WM_MOUSELEAVE, &TdxBarSubMenuControl::WMMouseLeave);
}

TdxBarSubMenuControl::TdxBarSubMenuControl(TdxBarManager* AOwner) : TCustomdxBarControl(AOwner) { SetWidth(0); }

TdxBarSubMenuControl::~TdxBarSubMenuControl() {
  closing_ = true;
  animation_.reset();
  SetActive(false);
  if (HandleAllocated()) DestroyHandle();
  if (ItemLinks()) CollapseContainerItems(ItemLinks(), expansions_);
  if (OwnerCloseUp) OwnerCloseUp();
  if (CloseUpNotify) CloseUpNotify(this);
}

bool TdxBarSubMenuControl::ActsOnRightButton() const {
  if (ownerWidth_ == 0 && ownerHeight_ == 0) return true;
  auto* parent = dynamic_cast<TdxBarSubMenuControl*>(ParentBarControl());
  return IsBarControlAlive(parent) && parent->ActsOnRightButton();
}

void TdxBarSubMenuControl::WMRightButton(TMessage& Message) {
  if (IsCustomizing() || !ActsOnRightButton()) {
    inherited::Dispatch(Message);
    return;
  }
  Message.Result = Perform(Message.Msg == WM_RBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP,
                           Message.WParam, Message.LParam);
}

void TdxBarSubMenuControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOPMOST;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
  TCustomForm* form = BarManager()->ParentForm();
  Params.WndParent = parentWindow_ ? parentWindow_ : (form ? form->Handle() : nullptr);
}

SIZE TdxBarSubMenuControl::LayoutLinks(bool Place) {
  const int inset = IsFlat() ? 1 : 2;
  MarkRarelyUsed();
  if (Place) return PlaceScrolledLinks(inset, inset + DetachAreaHeight());
  const auto& shown = ItemLinks()->VisibleItems();
  int top = inset;
  int widest = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    TdxBarItemControl* control = shown[i]->Control();
    if (!control) continue;
    top += SpaceAbove(static_cast<int>(i), 0);
    widest = std::max(widest, control->Width());
    top += control->Height();
  }
  return SIZE{widest, top - inset};
}

void TdxBarSubMenuControl::CalcItemRects() {
  for (int i = 0; i < ItemLinks()->Count(); ++i) ItemLinks()->Items(i)->SetItemRect(RECT{});
  LayoutLinks(true);
  const auto& shown = ItemLinks()->VisibleItems();
  if (!shown.empty() && shown.back()->Control()) shown.back()->Control()->SetLastInBar(true);
}

SIZE TdxBarSubMenuControl::MeasureSize() {
  SIZE used = LayoutLinks(false);
  bool empty = ItemLinks()->VisibleItems().empty();
  int width = empty ? 100 : used.cx + (IsFlat() ? 4 : 6);
  int height = used.cy + (used.cy < 3 || HasExpandButton() ? TextSize() : 0) + (IsFlat() ? 3 : 4) +
               DetachAreaHeight();
  return SIZE{width, height};
}

RECT TdxBarSubMenuControl::CalcPosition(POINT Requested, SIZE Size, int OwnerWidth, int OwnerHeight,
                                        const RECT& Work) {
  int left = Requested.x, top = Requested.y, w = Size.cx, h = Size.cy;
  if (left + w > Work.right) {
    if (OwnerWidth) {
      if (left - OwnerWidth - Work.left > Work.right - left) left = left - OwnerWidth - w;
    } else {
      left = Work.right - w;
    }
  }
  if (left < Work.left && !OwnerWidth) left = Work.left;
  left = std::clamp<int>(left, Work.left, std::max<int>(Work.left, Work.right - w));
  if (top + h > Work.bottom) {
    if (OwnerHeight) {
      if (top - OwnerHeight - Work.top > Work.bottom - top)
        top = top - OwnerHeight - h;
      else
        h = Work.bottom - top;  // shorter: the rest scrolls
    } else if (OwnerWidth || top - h < Work.top) {
      top = Work.bottom - h;
    } else {
      top -= h;  // opens upwards from the point
    }
  }
  if (top < Work.top) {
    h = std::min<int>(h - (Work.top - top), Work.bottom - Work.top);
    top = Work.top;
  }
  return RECT{left, top, left + w, top + h};
}

void TdxBarSubMenuControl::LayOutAtRequestedPoint() {
  firstVisible_ = 0;
  ApplyRecentCount();
  CreateItemControls();
  SIZE size = MeasureSize();
  RECT placed = CalcPosition(requested_, size, ownerWidth_, ownerHeight_, GetWorkAreaAt(requested_));
  SetBounds(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top);
  CalcItemRects();
}

void TdxBarSubMenuControl::Show() {
  if (PopupNotify) PopupNotify(this);
  requested_ = POINT{Left(), Top()};
  CreateRarelyUsedBrush();
  HandleNeeded();
  SetActive(true);
  if (!IsCustomizing()) expansions_ = ExpandContainerItems(ItemLinks());
  LayOutAtRequestedPoint();
  PlayMenuSound(0);
  StartAnimation(requested_);
  if (!animation_) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  StartExpandTimer();
}

void TdxBarSubMenuControl::StartAnimation(POINT Requested) {
  TdxBarMenuAnimations kind = BarManager()->MenuAnimations();
  if (!animate_ || kind == maNone || ItemLinks()->VisibleItems().empty() || IsCustomizing()) return;
  // A menu flipped over its opener (or opened upwards from its point) grows towards it.
  RECT placed = BoundsRect();
  bool growLeft = placed.right <= Requested.x;
  bool growUp = placed.bottom <= Requested.y;
  animation_ = std::make_unique<TdxBarMenuAnimation>(this, ResolveMenuAnimation(kind), growLeft, growUp);
  GetCursorPos(&cursorAtAnimationStart_);
  if (!animation_->Step()) {
    animation_.reset();
    return;
  }
  SetTimer(Handle(), TdxBarMenuAnimation::kTimerId, 1, nullptr);
}

void TdxBarSubMenuControl::FinishAnimation() {
  RECT final = animation_->FinalBounds();
  animation_.reset();
  SetWindowPos(Handle(), nullptr, final.left, final.top, final.right - final.left, final.bottom - final.top,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  InvalidateRect(Handle(), nullptr, TRUE);
  UpdateWindow(Handle());
}

void TdxBarSubMenuControl::WaitForAnimation() {
  if (animation_) FinishAnimation();
}

void TdxBarSubMenuControl::WMTimer(TMessage& Message) {
  if (Message.WParam == kScrollTimerId) {
    ScrollTimerTick();
    return;
  }
  if (Message.WParam == kExpandTimerId || Message.WParam == kHotExpandButtonTimerId) {
    ExpandButtonTimer(Message.WParam);
    return;
  }
  if (Message.WParam != TdxBarMenuAnimation::kTimerId) {
    inherited::Dispatch(Message);
    return;
  }
  if (animation_ && !animation_->Step()) FinishAnimation();
}

void TdxBarSubMenuControl::WndProc(TMessage& Message) {
  if (animation_) {
    const UINT msg = Message.Msg;
    if (msg == WM_MOUSEMOVE) {
      // The window growing under a resting cursor is no reason to stop.
      POINT cursor;
      GetCursorPos(&cursor);
      if (cursor.x == cursorAtAnimationStart_.x && cursor.y == cursorAtAnimationStart_.y) return;
    }
    if ((msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST))
      WaitForAnimation();
  }
  inherited::WndProc(Message);
}

void TdxBarSubMenuControl::PaintInto(HDC DC) {
  TValueScope painting(paintingImage_, true);
  PaintWindow(DC);
}

void TdxBarSubMenuControl::CloseMenu() {
  if (closing_ || Locked()) return;
  closing_ = true;
  delete this;
}

void TdxBarSubMenuControl::Close() {
  if (IsBarControlAlive(ParentBarControl())) {
    inherited::Close();
    return;
  }
  CloseMenu();
}

void TdxBarSubMenuControl::SetActive(bool Value) {
  bool wasActive = Active();
  inherited::SetActive(Value);
  // A menu that leaves the chain goes away (a click outside, a command run from it).
  if (wasActive && !Value && !closing_) CloseMenu();
}

void TdxBarSubMenuControl::Rebuild() {
  if (Locked() || !HandleAllocated()) return;
  DestroyItemControls();
  CreateItemControls();
  SIZE size = MeasureSize();
  SetBounds(Left(), Top(), size.cx, size.cy);
  CalcItemRects();
  Invalidate();
}

void TdxBarSubMenuControl::DrawItemControl(TdxBarItemControl* Control) {
  inherited::DrawItemControl(Control);
  RECT r = Control->ItemLink()->ItemRect();
  if (IsRectEmpty(&r)) return;
  if (Control->RarelyUsed())
    SetItemBrush(RarelyUsedBrush());
  else if (IsFlat())
    SetItemBrush(GetSysColorBrush(COLOR_WINDOW));
  HDC dc = Canvas()->Handle();
  DrawSeparator(dc, Control);
  DrawBlockStart(dc, Control);
  FillRarelyUsedMargins(dc, Control);
  int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  Control->Paint(r, kPaintMenu);
  RestoreDC(dc, saved);
  DrawCustomizingFrame(Control);
}

void TdxBarSubMenuControl::Paint() {
  if (Locked()) return;
  if (animation_ && !paintingImage_) {
    animation_->PaintFrame(Canvas()->Handle());
    return;
  }
  CalcItemRects();
  HDC dc = Canvas()->Handle();
  HPALETTE palette = RarelyUsedPalette();
  HPALETTE previous = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
  if (palette) RealizePalette(dc);
  TScopeExit restorePalette([dc, palette, previous] {
    if (palette) SelectPalette(dc, previous, FALSE);
  });
  RECT client = ClientRect();
  FillRect(dc, &client, GetBackgroundBrush());
  if (IsFlat()) {
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  } else {
    RECT frame = client;
    DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
  }
  DrawDetachBar(dc);
  DrawExpandButton(dc);
  DrawScrollArrows(dc);
  for (TdxBarItemLink* link : ItemLinks()->VisibleItems())
    if (link->Control()) DrawItemControl(link->Control());
}

void TdxBarSubMenuControl::WMGetDlgCode(TMessage& Message) { Message.Result = 7; }

void TdxBarSubMenuControl::WMKeyDown(TMessage& Message) {
  auto key = static_cast<WORD>(Message.WParam);
  if (ExpandByKey(key)) return;
  if (key == VK_ESCAPE) {
    Close();
    return;
  }
  inherited::Dispatch(Message);
  if (!IsBarControlAlive(this)) return;
  if (static_cast<WORD>(Message.WParam) == VK_RETURN && SelectedControl()) SelectedControl()->ControlClick(false);
}
