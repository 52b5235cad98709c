// Driving an editor popup with the simulated mouse.
#pragma once

#include "cx/editors/cxEditPopupWindow.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/Forms.h"

// Drags from the middle of the popup's size grip by (DX, DY).
inline void DragPopupGrip(TcxCustomEditPopupWindow* APopup, int DX, int DY) {
  const RECT g = APopup->EditViewInfo()->SizeGripRect;
  const POINT p = APopup->ClientToScreen(POINT{(g.left + g.right) / 2, (g.top + g.bottom) / 2});
  SimulateMouseMove(p);
  SimulateMouseDown(TSimButton::Left, p);
  Application->ProcessMessages();
  SimulateMouseMove({p.x + DX, p.y + DY});
  Application->ProcessMessages();
  SimulateMouseUp(TSimButton::Left, {p.x + DX, p.y + DY});
  Application->ProcessMessages();
}
