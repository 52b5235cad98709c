// TTimer: OnTimer through a window timer on a hidden window.
#include "platform/forms/Timers.h"

#include "platform/forms/ControlsInternal.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TTimer) {
  P.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  P.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
  P.Event("OnTimer", &TTimer::OnTimer);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  window_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
  DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  if (interval_ == Value) return;
  interval_ = Value;
  UpdateTimer();
}

void TTimer::Loaded() {
  inherited::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(window_, 1);
  // A timer read from a form resource starts once the whole form is read.
  if (ComponentState().Contains(csLoading)) return;
  if (interval_ != 0 && enabled_ && !ComponentState().Contains(csDesigning))
    if (!SetTimer(window_, 1, interval_, nullptr)) throw EOutOfResources("Not enough timers available");
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      if (auto& hook = forms_internal::ApplicationHooks().HandleException)
        hook(this);
      else
        throw;
    }
  } else {
    Message.Result = DefWindowProc(window_, Message.Msg, Message.WParam, Message.LParam);
  }
}

void TTimer::Timer() {
  if (enabled_ && interval_ != 0 && OnTimer) OnTimer(this);
}
