// Runs an action when the scope ends, however it ends (return or exception): the clean-up of flags,
// counters and borrowed handles next to where they were set.
#pragma once

#include <utility>

template <class F>
class TcxScopeExit {
 public:
  explicit TcxScopeExit(F AAction) : action_(std::move(AAction)) {}
  ~TcxScopeExit() { action_(); }
  TcxScopeExit(const TcxScopeExit&) = delete;
  TcxScopeExit& operator=(const TcxScopeExit&) = delete;

 private:
  F action_;
};
