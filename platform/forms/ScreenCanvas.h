// A canvas over a device context for the length of a scope; over the screen it measures text for
// controls that lay out before they have a window.
#pragma once

#include "platform/forms/Canvas.h"

class TDCCanvasScope {
 public:
  // DC nullptr: the screen's (released again at the end of the scope).
  explicit TDCCanvasScope(HDC DC = nullptr, TFont* Font = nullptr);
  ~TDCCanvasScope();
  TDCCanvasScope(const TDCCanvasScope&) = delete;
  TDCCanvasScope& operator=(const TDCCanvasScope&) = delete;
  TCanvas* Canvas() { return &canvas_; }

 private:
  TCanvas canvas_;
  HDC screenDC_ = nullptr;
};

SIZE MeasureScreenText(TFont* Font, const String& Text);
