// Scope guards: work done when a scope ends, however it ends (return or exception).
#pragma once

#include <utility>

// Runs the function at the end of the scope.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F f) : f_(std::move(f)) {}
  ~TScopeExit() { f_(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F f_;
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
