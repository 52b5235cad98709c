// The tree list's window timers: id 1 scrolls (mouse selection past the rows, drag auto-scrolling;
// one at a time, a later request replaces the earlier), id 2 opens the editor after a click, id 101
// expands the node a drag rests over, ids 110 and 111 show and hide the clear-filter hint.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "platform/win/Timers.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT_PTR kClickTimer = 2;
constexpr UINT_PTR kExpandTimer = 101;
constexpr UINT_PTR kHintShowTimer = 110;
constexpr UINT_PTR kHintHideTimer = 111;
constexpr int kDragScrollStep = 32;

}  // namespace

void TCustomdxTreeList::StartTimerOne(TTimerOneKind Kind, UINT Interval) {
  if (!HandleAllocated()) return;
  if (timerOne_ == Kind) return;
  timerOne_ = Kind;
  SetTimer(Handle(), kScrollTimer, Interval, nullptr);
}

void TCustomdxTreeList::StopTimerOne() {
  if (timerOne_ == TTimerOneKind::None) return;
  timerOne_ = TTimerOneKind::None;
  if (HandleAllocated()) KillTimer(Handle(), kScrollTimer);
}

bool TCustomdxTreeList::IsDragScrollTimer() const {
  return timerOne_ == TTimerOneKind::DragLeft || timerOne_ == TTimerOneKind::DragRight ||
         timerOne_ == TTimerOneKind::DragRowUp || timerOne_ == TTimerOneKind::DragRowDown;
}

bool TCustomdxTreeList::IsDragRunning() {
  return state_ == tsColumnDragging || state_ == tsNodeDragging || state_ == tsBandDragging ||
         engineDragObject_ != nullptr;
}

void TCustomdxTreeList::StepFocusedRow(int Delta) {
  int index = GetFocusedAbsoluteIndex() + Delta;
  if (index < 0 || index >= GetAbsoluteCount()) return;
  SetFocusedAbsoluteIndex(index);
  UpdateNow();
}

void TCustomdxTreeList::TimerOneTick() {
  switch (timerOne_) {
    case TTimerOneKind::SelectRowUp:
    case TTimerOneKind::SelectRowDown:
      if (state_ != tsNodeDown) return StopTimerOne();
      StepFocusedRow(timerOne_ == TTimerOneKind::SelectRowUp ? -1 : 1);
      return;
    case TTimerOneKind::DragLeft:
    case TTimerOneKind::DragRight: {
      bool left = timerOne_ == TTimerOneKind::DragLeft;
      int end = left ? 0 : std::max(GetScrollableBandsWidth() - GetScrollableAreaWidth(), 0);
      if (!IsDragRunning() || leftCoord_ == end) return StopTimerOne();
      SetLeftCoord(left ? std::max(leftCoord_ - kDragScrollStep, end) : std::min(leftCoord_ + kDragScrollStep, end));
      UpdateNow();
      return;
    }
    case TTimerOneKind::DragRowUp:
    case TTimerOneKind::DragRowDown: {
      POINT p{};
      GetCursorPos(&p);
      if (!IsDragRunning() || WindowFromPoint(p) != Handle()) return StopTimerOne();
      StepFocusedRow(timerOne_ == TTimerOneKind::DragRowUp ? -1 : 1);
      return;
    }
    case TTimerOneKind::None:
      KillTimer(Handle(), kScrollTimer);
      return;
  }
}

void TCustomdxTreeList::UpdateNow() {
  if (HandleAllocated()) UpdateWindow(Handle());
}

void TCustomdxTreeList::WMTimer(TMessage& Message) {
  switch (Message.WParam) {
    case kScrollTimer: TimerOneTick(); break;
    case kClickTimer: ClickTimerFired(); break;
    case kExpandTimer: ExpandTimerFired(); break;
    case kHintShowTimer: ShowClearFilterHint(true); break;
    case kHintHideTimer: HideClearFilterHint(); break;
    default: break;
  }
}

// --- Expanding the node a drag rests over ---

void TCustomdxTreeList::StartExpandTimer(UINT Interval) {
  if (!HandleAllocated()) return;
  expandTimer_ = SetTimer(Handle(), kExpandTimer, Interval, nullptr) != 0;
}

void TCustomdxTreeList::StopExpandTimer() {
  if (!expandTimer_) return;
  expandTimer_ = false;
  if (HandleAllocated()) KillTimer(Handle(), kExpandTimer);
}

void TCustomdxTreeList::ExpandTimerFired() {
  StopExpandTimer();
  POINT p{};
  GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  TdxTreeListHitInfo hit;
  GetHitInfo(p, hit);
  if (hit.HitKind != tlhButton || !hit.Node || hit.Node != dragOverNode_) return;
  TdxDragFeedbackHider hide(this);
  if (HasOptionEx(dxtlox::DragCollapse)) {
    hit.Node->SetExpanded(!hit.Node->Expanded());
    StartExpandTimer(2 * std::max(waitForExpandNodeTime_, 0));
  } else {
    hit.Node->SetExpanded(true);
  }
  UpdateNow();
}
