// What the display back end uses to drive the window system: the screen, input, the clipboard
// bridge, the cursor and the application's activation. Input goes through Input.h's Simulate*
// calls, which take the path real input takes.
#pragma once

#include <functional>

#include "platform/win/Clipboard.h"
#include "platform/win/Cursors.h"
#include "platform/win/Focus.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "platform/win/Paint.h"

class TSurface;
// The framebuffer every window paints into (damage tracking on: TakeDamage() tells what to present).
TSurface* ScreenSurface();
// Called on the user-interface thread whenever the message loop looks at its queue and while it
// waits (at least every few milliseconds): the back end pumps its own events there.
void SetMessagePumpHook(std::function<void()> hook);
