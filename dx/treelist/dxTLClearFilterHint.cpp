// The hint of the filter status bar's clear-filter button: shown a second after the pointer arrives
// over the button, for five seconds, above the button's right side.
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/win/Timers.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kHintShowTimer = 110;
constexpr UINT_PTR kHintHideTimer = 111;
constexpr UINT kHintDelay = 1000;
constexpr UINT kHintDuration = 5000;
constexpr int kButtonWidth = 12, kButtonHeight = 11;

}  // namespace

void TCustomdxTreeList::GetClearFilterButtonRect(RECT& Rect) {
  Rect = RECT{};
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  const RECT& bar = areas.FilterStatus;
  if (bar.bottom <= bar.top) return;
  int dy = (bar.bottom - bar.top - kButtonHeight) / 2;
  Rect = RECT{bar.left + 3, bar.top + dy, bar.left + 3 + kButtonWidth, bar.top + dy + kButtonHeight};
}

void TCustomdxTreeList::ShowClearFilterHint(bool Show) {
  if (!Show) {
    HideClearFilterHint();
    if (HandleAllocated()) hintShowTimer_ = SetTimer(Handle(), kHintShowTimer, kHintDelay, nullptr) != 0;
    return;
  }
  if (hintShowTimer_) {
    hintShowTimer_ = false;
    KillTimer(Handle(), kHintShowTimer);
  }
  RECT button;
  GetClearFilterButtonRect(button);
  POINT at{button.right + 4, button.top - FontTextHeight(Font())};
  ::ClientToScreen(Handle(), &at);
  if (!clearFilterHint_) clearFilterHint_ = std::make_unique<TdxContainerHintWindow>(nullptr);
  clearFilterHint_->ShowHint(at, GetClearFilterCaption(), Font());
  hintHideTimer_ = SetTimer(Handle(), kHintHideTimer, kHintDuration, nullptr) != 0;
}

void TCustomdxTreeList::HideClearFilterHint() {
  if (HandleAllocated()) {
    if (hintShowTimer_) KillTimer(Handle(), kHintShowTimer);
    if (hintHideTimer_) KillTimer(Handle(), kHintHideTimer);
  }
  hintShowTimer_ = hintHideTimer_ = false;
  clearFilterHint_.reset();
}
