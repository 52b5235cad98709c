// The one clock every delay, timer, tick count and "now" reads. Tests install a VirtualClock and
// advance it by hand, so that nothing time-dependent needs a sleep.
#pragma once

#include <memory>

#include "platform/rtl/Types.h"

class TClock {
 public:
  virtual ~TClock() = default;
  // Milliseconds since an arbitrary start; never goes backwards.
  virtual Int64 TickCount() = 0;
  // Local wall time as a day number.
  virtual TDateTime Now() = 0;
};

// A clock that moves only when told to.
class VirtualClock : public TClock {
 public:
  explicit VirtualClock(TDateTime now = 46000.5, Int64 tickCount = 1000) : now_(now), ticks_(tickCount) {}
  Int64 TickCount() override { return ticks_; }
  TDateTime Now() override { return now_; }
  void Advance(Int64 milliseconds) {
    ticks_ += milliseconds;
    now_ += static_cast<double>(milliseconds) / 86400000.0;
  }
  void SetNow(TDateTime now) { now_ = now; }

 private:
  TDateTime now_;
  Int64 ticks_;
};

// The current clock (the system clock unless a test installed another).
TClock& Clock();
// Installs a clock; nullptr restores the system clock. Returns the previous one.
std::unique_ptr<TClock> SetClock(std::unique_ptr<TClock> clock);

// Installs a VirtualClock for the lifetime of the guard.
class VirtualClockScope {
 public:
  explicit VirtualClockScope(TDateTime now = 46000.5) {
    auto clock = std::make_unique<VirtualClock>(now);
    clock_ = clock.get();
    previous_ = SetClock(std::move(clock));
  }
  ~VirtualClockScope() { SetClock(std::move(previous_)); }
  VirtualClockScope(const VirtualClockScope&) = delete;
  VirtualClockScope& operator=(const VirtualClockScope&) = delete;
  VirtualClock& operator*() { return *clock_; }
  VirtualClock* operator->() { return clock_; }

 private:
  VirtualClock* clock_;
  std::unique_ptr<TClock> previous_;
};
