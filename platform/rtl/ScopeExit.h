// Work that must happen when a scope is left, however it is left (return or exception).
#pragma once

#include <exception>
#include <utility>

// Runs the function at the end of the scope. Leaving normally, what the function raises reaches
// the caller, as the clean-up it replaces would; while an exception already unwinds the scope, the
// function's own failure is dropped so that the first one reaches the caller.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F f) : f_(std::move(f)), exceptions_(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == exceptions_) {
      f_();
      return;
    }
    try {
      f_();
    } catch (...) {
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F f_;
  int exceptions_;
};

// Gives a variable a value for the scope and puts the old one back at its end.
template <class T>
class TValueScope {
 public:
  TValueScope(T& variable, T value) : variable_(variable), old_(std::exchange(variable, std::move(value))) {}
  ~TValueScope() { variable_ = std::move(old_); }
  TValueScope(const TValueScope&) = delete;
  TValueScope& operator=(const TValueScope&) = delete;

 private:
  T& variable_;
  T old_;
};
