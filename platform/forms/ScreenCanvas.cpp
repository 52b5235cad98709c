#include "platform/forms/ScreenCanvas.h"

#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TDCCanvasScope::TDCCanvasScope(HDC DC, TFont* Font) {
  if (!DC) DC = screenDC_ = GetDC(nullptr);
  canvas_.SetHandle(DC);
  if (Font) canvas_.Font()->Assign(Font);
}

TDCCanvasScope::~TDCCanvasScope() {
  canvas_.SetHandle(nullptr);
  if (screenDC_) ReleaseDC(nullptr, screenDC_);
}

SIZE MeasureScreenText(TFont* Font, const String& Text) {
  TDCCanvasScope scope(nullptr, Font);
  return scope.Canvas()->TextExtent(Text);
}
