// What the display back end uses to drive the window system: the screen, input, the clipboard
// bridge, the cursor and the application's activation. Input goes through Input.h's Simulate*
// calls, which take the path real input takes.
#pragma once

#include <functional>

#include "platform/rtl/Types.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Cursors.h"
#include "platform/win/Focus.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "platform/win/Paint.h"

class TSurface;
// The framebuffer every window paints into (damage tracking on: TakeDamage() tells what to present).
TSurface* ScreenSurface();
// Called on the user-interface thread whenever the message loop looks at its queue: the back end
// pumps its own events and presents what changed there.
void SetMessagePumpHook(std::function<void()> hook);
// How the idle user-interface thread waits when a back end has events of its own: `wait` blocks
// until a back-end event arrives, `wake` is called, or `timeoutMs` passes (-1: no limit); `wake`
// may be called from any thread. Empty members: the loop waits on its own queue only.
struct TDisplayWait {
  std::function<void(Int64 timeoutMs)> wait;
  std::function<void()> wake;
};
void SetDisplayWait(TDisplayWait wait);
