// Work that must happen when a scope is left, however it is left (return or exception).
#pragma once

#include <utility>

template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F f) : f_(std::move(f)) {}
  // May throw, as the clean-up it replaces could when the scope is left normally.
  ~TScopeExit() noexcept(false) { f_(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F f_;
};
