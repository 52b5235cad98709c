// The framework's timer component: OnTimer every Interval milliseconds while Enabled, through a
// window timer on a hidden window (the message loop delivers it; tests advance the virtual clock).
#pragma once

#include "platform/classes/Component.h"
#include "platform/forms/ControlMessages.h"

class TTimer : public TComponent {
  TRENVIK_CLASS(TTimer, TComponent);

 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  // Milliseconds; 0 stops the timer.
  Cardinal Interval() const { return interval_; }
  void SetInterval(Cardinal Value);
  // Checked at each tick: the timer runs whether or not it is assigned.
  TNotifyEvent OnTimer;

 protected:
  // Fires OnTimer; an exception goes to the application's handler.
  virtual void Timer();
  void Loaded() override;

 private:
  void UpdateTimer();
  void WndProc(TMessage& Message);

  bool enabled_ = true;
  Cardinal interval_ = 1000;
  HWND window_ = nullptr;
};
