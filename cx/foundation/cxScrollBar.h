// A scroll-bar control the cx family draws itself with the painter of its own look and feel: arrow
// buttons and page areas with auto-repeat, a thumb dragged with a tolerance zone, hot tracking where
// the look shows hot states, and the framework's scroll events.
#pragma once

#include <functional>
#include <memory>

#include "cx/foundation/cxLookAndFeels.h"
#include "cx/foundation/dxThemeManager.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Timers.h"

// The framework's scroll-bar types.
TRENVIK_ENUM(TScrollBarKind, sbHorizontal, sbVertical);
TRENVIK_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
             scEndScroll);
using TScrollBarInc = SmallInt;
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// The framework's text for out-of-range scroll-bar values.
extern const Char* const SScrollBarRange;

class TcxScrollBar : public TCustomControl {
  TRENVIK_CLASS(TcxScrollBar, TCustomControl);
  TRENVIK_MESSAGES(TcxScrollBar);

 public:
  explicit TcxScrollBar(TComponent* AOwner);
  ~TcxScrollBar() override;

  // Raises EInvalidOperation (nothing changes) when AMax < AMin or AMax < APageSize.
  void SetScrollInfo(int AMin, int AMax, int APosition, int APageSize, bool ARedraw = true);
  // One scroll action; OnScroll may redirect the position.
  void Scroll(TScrollCode AScrollCode);
  TcxScrollBarPart HitTestPart(POINT P) const;
  // The position the thumb's place stands for.
  int PositionFromThumb() const;

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return min_; }
  void SetMin(int Value) { SetScrollInfo(Value, max_, position_, pageSize_); }
  int Max() const { return max_; }
  void SetMax(int Value) { SetScrollInfo(min_, Value, position_, pageSize_); }
  int PageSize() const { return pageSize_; }
  void SetPageSize(int Value) { SetScrollInfo(min_, max_, position_, Value); }
  int Position() const { return position_; }
  void SetPosition(int Value) { SetScrollInfo(min_, max_, Value, pageSize_); }
  TScrollBarInc SmallChange() const { return smallChange_; }
  void SetSmallChange(TScrollBarInc Value) { smallChange_ = Value; }
  TScrollBarInc LargeChange() const { return largeChange_; }
  void SetLargeChange(TScrollBarInc Value) { largeChange_ = Value; }
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // The parts as laid out (client coordinates; empty when not shown).
  RECT FirstArrowRect() const { return firstArrowRect_; }
  RECT SecondArrowRect() const { return secondArrowRect_; }
  RECT ThumbRect() const { return thumbRect_; }
  RECT PageUpRect() const { return pageUpRect_; }
  RECT PageDownRect() const { return pageDownRect_; }
  int MinThumbSize() const { return minThumbSize_; }
  TcxScrollBarPart PressedPart() const { return pressedPart_; }
  TcxScrollBarPart HotPart() const { return hotPart_; }
  // The state a part is drawn in now.
  TcxButtonState GetPartState(TcxScrollBarPart APart) const;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  virtual void Change();
  virtual void DoScroll(TScrollCode AScrollCode, int& AScrollPos);
  virtual void MouseEnter(TControl* AControl);
  virtual void MouseLeave(TControl* AControl);

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  TcxLookAndFeelPainterClass Painter() const { return lookAndFeel_->Painter(); }
  bool IsHotTrack() const { return Painter()->IsButtonHotTrack(); }
  void CalcThumb();
  void CancelScroll();

 private:
  void CalcLayout();
  void CalcMinThumbSize();
  int ArrowSize() const;
  // Along the bar: the coordinate of P (x for horizontal, y for vertical).
  int Along(POINT P) const { return kind_ == sbHorizontal ? P.x : P.y; }
  int TrackStart() const;
  int TrackEnd() const;
  void SetPageRects();
  void DoScrollStep();
  void DragThumb(POINT P);
  void TimerTick(TObject* Sender);
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  void ThemeChanged();

  void WMEraseBkgnd(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CNCtlColorScrollBar(TMessage& Message);
  void CNScroll(TMessage& Message);

  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TcxCanvas> bitmapCanvas_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  std::unique_ptr<TdxThemeChangedNotificator> themeNotificator_;
  std::unique_ptr<TTimer> timer_;
  TcxScrollBarPart pressedPart_ = sbpNone;
  TcxScrollBarPart hotPart_ = sbpNone;
  int minThumbSize_ = 8;
  RECT firstArrowRect_{}, secondArrowRect_{}, thumbRect_{}, pageUpRect_{}, pageDownRect_{};
  TScrollBarKind kind_ = sbHorizontal;
  int position_ = 0;
  int downPosition_ = 0;
  int downThumbLeft_ = 0, downThumbTop_ = 0;
  POINT downPoint_{};
  int min_ = 0, max_ = 100, pageSize_ = 0;
  TScrollBarInc smallChange_ = 1, largeChange_ = 1;
};
