#include "platform/rtl/Clock.h"

#include <chrono>
#include <ctime>

namespace {

class SystemClock : public TClock {
 public:
  Int64 TickCount() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }

  TDateTime Now() override {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    // Unix day 0 is day 25569 of the framework's calendar.
    const double days = static_cast<double>(seconds + local.tm_gmtoff) / 86400.0 + 25569.0;
    return days + static_cast<double>(ms) / 86400000.0;
  }
};

std::unique_ptr<TClock>& Current() {
  static std::unique_ptr<TClock> clock = std::make_unique<SystemClock>();
  return clock;
}

}  // namespace

TClock& Clock() { return *Current(); }

std::unique_ptr<TClock> SetClock(std::unique_ptr<TClock> clock) {
  auto previous = std::move(Current());
  Current() = clock ? std::move(clock) : std::make_unique<SystemClock>();
  return previous;
}
