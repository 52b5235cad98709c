// What the numeric editors share: the value range with its clamping, and a guard that keeps an
// editor's Modified flag across a change the editor makes itself.
#pragma once

#include <algorithm>

#include "dx/editors/dxInplaceEdit.h"

// Equal bounds switch clamping off.
struct TdxValueBounds {
  double Min = 0;
  double Max = 0;

  double Clamp(double Value) const { return Min == Max ? Value : std::min(std::max(Value, Min), Max); }
  // Each answers whether the bounds changed; the maximum is never set below the minimum, nor the
  // minimum above the maximum.
  bool SetMax(double Value) {
    Value = std::max(Value, Min);
    if (Value == Max) return false;
    Max = Value;
    return true;
  }
  bool SetMin(double Value) {
    Value = std::min(Value, Max);
    if (Value == Min) return false;
    Min = Value;
    return true;
  }
  // The bounds in either order: swapped bounds would otherwise turn clamping off or invert it.
  void SetMinMax(double A, double B) {
    Min = std::min(A, B);
    Max = std::max(A, B);
  }
};

class TdxModifiedScope {
 public:
  explicit TdxModifiedScope(TdxInplaceEdit& Editor) : editor_(Editor), old_(Editor.GetModified()) {}
  ~TdxModifiedScope() { editor_.SetModified(old_); }
  TdxModifiedScope(const TdxModifiedScope&) = delete;
  TdxModifiedScope& operator=(const TdxModifiedScope&) = delete;

 private:
  TdxInplaceEdit& editor_;
  bool old_;
};
