#include "dx/editors/dxEditButtonInput.h"

#include "dx/editors/dxContainer.h"
#include "platform/win/Windows.h"

POINT NonClientHitPoint(HWND Window, LPARAM LParam) {
  RECT window;
  GetWindowRect(Window, &window);
  return POINT{static_cast<SHORT>(LOWORD(LParam)) - window.left, static_cast<SHORT>(HIWORD(LParam)) - window.top};
}

void ReplayPressAsNonClient(TdxInplaceEdit* Editor, int X, int Y) {
  TCustomdxContainer* container = Editor->GetContainer();
  if (!container || !Editor->HandleAllocated()) return;
  const POINT screen = container->ClientToScreen(POINT{X, Y});
  ReleaseCapture();
  const LPARAM at = MAKELPARAM(screen.x, screen.y);
  const LRESULT hit = SendMessage(Editor->Handle(), WM_NCHITTEST, 0, at);
  SendMessage(Editor->Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at);
}

Word KeyToShortCut(WORD Key, TShiftState Shift) {
  Word result = Key & 0xFF;
  if (Shift.Contains(ssShift)) result |= 0x2000;
  if (Shift.Contains(ssCtrl)) result |= 0x4000;
  if (Shift.Contains(ssAlt)) result |= 0x8000;
  return result;
}
