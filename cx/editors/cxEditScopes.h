// Scope guards of the editor framework: a bracket of BeginUpdate/EndUpdate and a flag raised for
// the duration of a call, both undone on every way out (exceptions included).
#pragma once

template <class T>
class TcxUpdateScope {
 public:
  explicit TcxUpdateScope(T* AObject) : object_(AObject) { object_->BeginUpdate(); }
  ~TcxUpdateScope() { object_->EndUpdate(); }
  TcxUpdateScope(const TcxUpdateScope&) = delete;
  TcxUpdateScope& operator=(const TcxUpdateScope&) = delete;

 private:
  T* object_;
};

// Sets the flag and restores its previous value at the end.
class TcxFlagScope {
 public:
  explicit TcxFlagScope(bool& AFlag) : flag_(AFlag), saved_(AFlag) { flag_ = true; }
  ~TcxFlagScope() { flag_ = saved_; }
  TcxFlagScope(const TcxFlagScope&) = delete;
  TcxFlagScope& operator=(const TcxFlagScope&) = delete;

 private:
  bool& flag_;
  bool saved_;
};
