#include "cx/foundation/cxScrollBar.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

const Char* const SScrollBarRange = u"Scrollbar property out of range";

namespace {

constexpr Cardinal kFirstRepeatDelay = 400;
constexpr Cardinal kRepeatInterval = 60;
// The thumb follows the mouse while it stays this close to the bar.
constexpr int kToleranceAlong = 34;
constexpr int kToleranceAcross = 136;

TScrollCode ScrollCodeOf(TcxScrollBarPart APart) {
  switch (APart) {
    case sbpLineUp: return scLineUp;
    case sbpLineDown: return scLineDown;
    case sbpPageUp: return scPageUp;
    case sbpPageDown: return scPageDown;
    default: return scTrack;
  }
}

bool IsRepeatingPart(TcxScrollBarPart APart) {
  return APart == sbpLineUp || APart == sbpLineDown || APart == sbpPageUp || APart == sbpPageDown;
}

}  // namespace

TRENVIK_PUBLISHED(TcxScrollBar) {
  P.Property("Kind", &TcxScrollBar::Kind, &TcxScrollBar::SetKind).Default(sbHorizontal);
  P.Property("LargeChange", &TcxScrollBar::LargeChange, &TcxScrollBar::SetLargeChange).Default(1);
  P.Property("LookAndFeel", &TcxScrollBar::LookAndFeel, &TcxScrollBar::SetLookAndFeel);
  P.Property("Max", &TcxScrollBar::Max, &TcxScrollBar::SetMax).Default(100);
  P.Property("Min", &TcxScrollBar::Min, &TcxScrollBar::SetMin).Default(0);
  P.Property("PageSize", &TcxScrollBar::PageSize, &TcxScrollBar::SetPageSize).NoDefault();
  P.Property("Position", &TcxScrollBar::Position, &TcxScrollBar::SetPosition).Default(0);
  P.Property("SmallChange", &TcxScrollBar::SmallChange, &TcxScrollBar::SetSmallChange).Default(1);
  P.Event("OnChange", &TcxScrollBar::OnChange);
  P.Event("OnScroll", &TcxScrollBar::OnScroll);
}

TRENVIK_MESSAGE_MAP(TcxScrollBar) {
  M.On(WM_ERASEBKGND, &TcxScrollBar::WMEraseBkgnd);
  M.On(WM_CANCELMODE, &TcxScrollBar::WMCancelMode);
  M.On(CM_ENABLEDCHANGED, &TcxScrollBar::CMEnabledChanged);
  M.On(CM_VISIBLECHANGED, &TcxScrollBar::CMVisibleChanged);
  M.On(CM_SYSCOLORCHANGE, &TcxScrollBar::CMSysColorChange);
  M.On(CM_MOUSEENTER, &TcxScrollBar::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TcxScrollBar::CMMouseLeave);
  M.On(CN_CTLCOLORSCROLLBAR, &TcxScrollBar::CNCtlColorScrollBar);
  M.On(CN_HSCROLL, &TcxScrollBar::CNScroll);
  M.On(CN_VSCROLL, &TcxScrollBar::CNScroll);
}

TcxScrollBar::TcxScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csFramed, csOpaque});
  bitmap_ = std::make_unique<TBitmap>();
  bitmapCanvas_ = std::make_unique<TcxCanvas>(bitmap_->Canvas());
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues AValues) {
    LookAndFeelChanged(Sender, AValues);
  };
  themeNotificator_ = std::make_unique<TdxThemeChangedNotificator>();
  themeNotificator_->OnThemeChanged = [this] { ThemeChanged(); };
  timer_ = std::make_unique<TTimer>(nullptr);
  timer_->SetEnabled(false);
  timer_->SetInterval(kFirstRepeatDelay);
  timer_->OnTimer = [this](TObject* Sender) { TimerTick(Sender); };
  CalcMinThumbSize();
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

TcxScrollBar::~TcxScrollBar() {
  timer_.reset();
  themeNotificator_.reset();
  lookAndFeel_.reset();
  bitmapCanvas_.reset();
  bitmap_.reset();
}

// --- Layout ---

int TcxScrollBar::ArrowSize() const {
  return kind_ == sbVertical ? std::min(Height() / 2, GetSystemMetrics(SM_CYVSCROLL))
                             : std::min(Width() / 2, GetSystemMetrics(SM_CXHSCROLL));
}

int TcxScrollBar::TrackStart() const {
  return kind_ == sbHorizontal ? firstArrowRect_.right : firstArrowRect_.bottom;
}

int TcxScrollBar::TrackEnd() const {
  return kind_ == sbHorizontal ? secondArrowRect_.left : secondArrowRect_.top;
}

void TcxScrollBar::CalcLayout() {
  const int a = ArrowSize();
  if (kind_ == sbHorizontal) {
    firstArrowRect_ = {0, 0, a, Height()};
    secondArrowRect_ = {Width() - a, 0, Width(), Height()};
  } else {
    firstArrowRect_ = {0, 0, Width(), a};
    secondArrowRect_ = {0, Height() - a, Width(), Height()};
  }
  CalcThumb();
}

void TcxScrollBar::CalcThumb() {
  thumbRect_ = pageUpRect_ = pageDownRect_ = RECT{};
  if (!Enabled()) return;
  const int track = TrackEnd() - TrackStart();
  int length, offset;
  if (pageSize_ != 0) {
    length = std::min(track, MulDiv(pageSize_, track, max_ - min_ + 1));
    if (track < minThumbSize_ || max_ == min_) return;
    length = std::max(length, minThumbSize_);
    const int free = track - length;
    // A page that covers the whole range leaves nothing to move over (and nothing to divide by).
    const int steps = max_ - min_ - pageSize_ + 1;
    offset = free <= 0 || steps <= 0 ? 0 : MulDiv(free, std::min(position_, max_ - pageSize_ + 1) - min_, steps);
  } else {
    length = GetSystemMetrics(kind_ == sbVertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    if (track < length) return;
    const int free = track - length;
    offset = (free <= 0 || max_ == min_) ? 0 : MulDiv(free, position_ - min_, max_ - min_);
  }
  const int start = TrackStart() + offset;
  if (kind_ == sbHorizontal)
    thumbRect_ = {start, 0, start + length, Height()};
  else
    thumbRect_ = {0, start, Width(), start + length};
  SetPageRects();
}

void TcxScrollBar::SetPageRects() {
  if (IsRectEmpty(&thumbRect_)) {
    pageUpRect_ = pageDownRect_ = RECT{};
    return;
  }
  if (kind_ == sbHorizontal) {
    pageUpRect_ = {TrackStart(), 0, thumbRect_.left, Height()};
    pageDownRect_ = {thumbRect_.right, 0, TrackEnd(), Height()};
  } else {
    pageUpRect_ = {0, TrackStart(), Width(), thumbRect_.top};
    pageDownRect_ = {0, thumbRect_.bottom, Width(), TrackEnd()};
  }
}

void TcxScrollBar::CalcMinThumbSize() {
  minThumbSize_ = 8;
  if (!Painter()->IsNativePainter()) return;
  HTHEME theme = dxOpenThemeByType(tcScrollBar);
  if (!theme) return;
  const int part = kind_ == sbHorizontal ? 9 : 8;  // the gripper parts
  SIZE minSize{}, trueSize{};
  if (FAILED(dxGetThemePartSize(theme, nullptr, part, 1, nullptr, TS_MIN, &minSize))) return;
  const bool horizontal = kind_ == sbHorizontal;
  int size = horizontal ? minSize.cx : minSize.cy;
  if (SUCCEEDED(dxGetThemePartSize(theme, nullptr, part, 1, nullptr, TS_TRUE, &trueSize)))
    size = std::max(size, (horizontal ? trueSize.cx : trueSize.cy) + 4);
  if (size > 7) minThumbSize_ = size;
}

int TcxScrollBar::PositionFromThumb() const {
  int range = max_ - min_;
  if (pageSize_ > 0) range += 1 - pageSize_;
  const int thumbStart = kind_ == sbHorizontal ? thumbRect_.left : thumbRect_.top;
  const int thumbLength = kind_ == sbHorizontal ? thumbRect_.right - thumbRect_.left
                                                : thumbRect_.bottom - thumbRect_.top;
  const int free = TrackEnd() - TrackStart() - thumbLength;
  if (free <= 0) return min_;
  return min_ + MulDiv(range, thumbStart - TrackStart(), free);
}

void TcxScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (Width() > 0 && Height() > 0 && bitmap_) {
    bitmap_->SetSize(Width(), Height());
    CalcLayout();
  }
}

void TcxScrollBar::SetKind(TScrollBarKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  if (ComponentState().Contains(csLoading))
    CalcLayout();
  else
    SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

// --- Values ---

void TcxScrollBar::SetScrollInfo(int AMin, int AMax, int APosition, int APageSize, bool ARedraw) {
  if (AMax < AMin || AMax < APageSize) throw EInvalidOperation(SScrollBarRange);
  ARedraw = ARedraw && HandleAllocated();
  APosition = std::clamp(APosition, AMin, AMax);
  if (AMin == min_ && AMax == max_ && APageSize == pageSize_ && APosition == position_) ARedraw = false;
  min_ = AMin;
  max_ = AMax;
  pageSize_ = APageSize;
  if (APosition == position_) {
    CalcThumb();
    if (ARedraw) Repaint();
    return;
  }
  SetEnabled(true);
  position_ = APosition;
  CalcThumb();
  if (ARedraw) Repaint();
  Change();
}

void TcxScrollBar::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

void TcxScrollBar::DoScroll(TScrollCode AScrollCode, int& AScrollPos) {
  if (OnScroll) OnScroll(this, AScrollCode, AScrollPos);
}

void TcxScrollBar::Scroll(TScrollCode AScrollCode) {
  int pos = position_;
  switch (AScrollCode) {
    case scLineUp: pos -= smallChange_; break;
    case scLineDown: pos += smallChange_; break;
    case scPageUp: pos -= largeChange_; break;
    case scPageDown: pos += largeChange_; break;
    case scTop: pos = min_; break;
    case scBottom: pos = max_; break;
    default: break;
  }
  pos = std::clamp(pos, min_, max_);
  DoScroll(AScrollCode, pos);
  pos = std::clamp(pos, min_, max_);
  if (pos == position_) return;
  if (AScrollCode == scTrack) {
    position_ = pos;
    Repaint();
  } else {
    SetPosition(pos);
  }
}

TcxScrollBarPart TcxScrollBar::HitTestPart(POINT P) const {
  const RECT client{0, 0, Width(), Height()};
  if (!PtInRect(&client, P)) return sbpNone;
  if (PtInRect(&firstArrowRect_, P)) return sbpLineUp;
  if (PtInRect(&secondArrowRect_, P)) return sbpLineDown;
  if (IsRectEmpty(&thumbRect_)) return sbpNone;
  if (PtInRect(&thumbRect_, P)) return sbpThumbnail;
  if (PtInRect(&pageUpRect_, P)) return sbpPageUp;
  if (PtInRect(&pageDownRect_, P)) return sbpPageDown;
  return sbpNone;
}

// --- Mouse ---

void TcxScrollBar::DoScrollStep() { Scroll(ScrollCodeOf(pressedPart_)); }

void TcxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TcxScrollBarPart part = HitTestPart({X, Y});
  if (part == sbpNone) return;
  if (part == sbpThumbnail) {
    downPoint_ = {X, Y};
    downPosition_ = position_;
    downThumbLeft_ = thumbRect_.left;
    downThumbTop_ = thumbRect_.top;
    pressedPart_ = hotPart_ = part;
    Scroll(scTrack);
  } else {
    pressedPart_ = hotPart_ = part;
    DoScrollStep();
    timer_->SetInterval(kFirstRepeatDelay);
    timer_->SetEnabled(true);
  }
  Repaint();
}

void TcxScrollBar::TimerTick(TObject*) {
  if (MouseCapture() && IsRepeatingPart(pressedPart_)) {
    timer_->SetInterval(kRepeatInterval);
    DoScrollStep();
    timer_->SetEnabled(HitTestPart(ScreenToClient(Mouse->CursorPos())) == pressedPart_);
  } else {
    CancelScroll();
  }
}

void TcxScrollBar::DragThumb(POINT P) {
  RECT zone{0, 0, Width(), Height()};
  if (kind_ == sbHorizontal)
    InflateRect(&zone, kToleranceAlong, kToleranceAcross);
  else
    InflateRect(&zone, kToleranceAcross, kToleranceAlong);
  if (PtInRect(&zone, P)) {
    const int downThumb = kind_ == sbHorizontal ? downThumbLeft_ : downThumbTop_;
    const int length = kind_ == sbHorizontal ? thumbRect_.right - thumbRect_.left
                                             : thumbRect_.bottom - thumbRect_.top;
    int d = Along(P) - Along(downPoint_);
    d = std::clamp(d, TrackStart() - downThumb, TrackEnd() - length - downThumb);
    if (kind_ == sbHorizontal)
      thumbRect_ = {downThumb + d, 0, downThumb + d + length, Height()};
    else
      thumbRect_ = {0, downThumb + d, Width(), downThumb + d + length};
    SetPageRects();
    Repaint();
    const int pos = PositionFromThumb();
    if (pos != position_) position_ = pos;
  } else {
    position_ = downPosition_;
    CalcThumb();
    Repaint();
  }
  Scroll(scTrack);
}

void TcxScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (pressedPart_ == sbpThumbnail) {
    DragThumb({X, Y});
    return;
  }
  const TcxScrollBarPart part = HitTestPart({X, Y});
  if (pressedPart_ != sbpNone) timer_->SetEnabled(part == pressedPart_);
  if (part != hotPart_) {
    hotPart_ = part;
    if (IsHotTrack()) Repaint();
  }
}

void TcxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CancelScroll();
  hotPart_ = HitTestPart({X, Y});
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxScrollBar::CancelScroll() {
  if (pressedPart_ == sbpNone) return;
  if (pressedPart_ == sbpThumbnail) {
    position_ = PositionFromThumb();
    Scroll(scPosition);
  }
  timer_->SetEnabled(false);
  pressedPart_ = hotPart_ = sbpNone;
  Scroll(scEndScroll);
  CalcThumb();
  Invalidate();
}

void TcxScrollBar::MouseEnter(TControl*) {
  if (IsHotTrack() || IsRepeatingPart(pressedPart_)) Repaint();
}

void TcxScrollBar::MouseLeave(TControl*) {
  if (pressedPart_ != sbpThumbnail) hotPart_ = sbpNone;
  if (IsHotTrack() || IsRepeatingPart(pressedPart_)) Invalidate();
}

// --- Painting ---

TcxButtonState TcxScrollBar::GetPartState(TcxScrollBarPart APart) const {
  if (!Enabled()) return cxbsDisabled;
  if (APart == sbpThumbnail && !IsHotTrack()) return cxbsNormal;
  if (pressedPart_ != sbpNone) return APart == pressedPart_ && APart == hotPart_ ? cxbsPressed : cxbsNormal;
  if (APart == hotPart_ && !ComponentState().Contains(csDesigning)) return cxbsHot;
  return cxbsNormal;
}

void TcxScrollBar::Paint() {
  const TcxLookAndFeelPainterClass painter = Painter();
  const bool horizontal = kind_ == sbHorizontal;
  TcxCanvas* c = bitmapCanvas_.get();
  auto part = [&](const RECT& R, TcxScrollBarPart APart, TcxButtonState AState) {
    painter->PaintScrollBarPart(c, horizontal, R, APart, AState);
    c->ExcludeClipRect(R);
  };
  part(firstArrowRect_, sbpLineUp, GetPartState(sbpLineUp));
  part(secondArrowRect_, sbpLineDown, GetPartState(sbpLineDown));
  if (!IsRectEmpty(&pageUpRect_)) part(pageUpRect_, sbpPageUp, GetPartState(sbpPageUp));
  if (!IsRectEmpty(&pageDownRect_)) part(pageDownRect_, sbpPageDown, GetPartState(sbpPageDown));
  if (IsRectEmpty(&thumbRect_))
    part(RECT{0, 0, Width(), Height()}, sbpPageUp, Enabled() ? cxbsNormal : cxbsDisabled);
  else
    part(thumbRect_, sbpThumbnail, GetPartState(sbpThumbnail));
  SelectClipRgn(c->Handle(), nullptr);  // the bitmap is drawn whole next time
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), c->Handle(), 0, 0, SRCCOPY);
}

// --- Notifications ---

void TcxScrollBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  CalcMinThumbSize();
  CalcLayout();
  Invalidate();
}

void TcxScrollBar::ThemeChanged() {
  CalcMinThumbSize();
  CalcLayout();
  Invalidate();
  cxRefreshCheckerBrushes();
  if (Parent()) Parent()->Realign();
}

void TcxScrollBar::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TcxScrollBar::WMCancelMode(TMessage& Message) {
  CancelScroll();
  inherited::Dispatch(Message);
}

void TcxScrollBar::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  CalcLayout();
  if (!Enabled()) CancelScroll();
  Invalidate();
}

void TcxScrollBar::CMVisibleChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!Visible()) CancelScroll();
}

void TcxScrollBar::CMSysColorChange(TMessage& Message) {
  cxRefreshCheckerBrushes();
  inherited::Dispatch(Message);
}

void TcxScrollBar::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  MouseEnter(control ? control : this);
}

void TcxScrollBar::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  MouseLeave(control ? control : this);
}

void TcxScrollBar::CNCtlColorScrollBar(TMessage& Message) {
  cxRefreshCheckerBrushes();
  Message.Result = DefWindowProc(Handle(), Message.Msg - CN_BASE, Message.WParam, Message.LParam);
}

void TcxScrollBar::CNScroll(TMessage& Message) { Scroll(static_cast<TScrollCode>(LOWORD(Message.WParam))); }
