// Test support: tests of the real desktop window run again in a child process on a virtual X server
// (xvfb-run), so that they need no desktop and leave the machine's own alone.
//
//   if (OnVirtualDesktop()) return ChildBody();
//   if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
//   RunTestOnVirtualDesktop();
#pragma once

#include "platform/rtl/WinDef.h"

// True in the child process, where the test does its work.
bool OnVirtualDesktop();
bool VirtualDesktopInstalled();
// Runs the current test again in a child process on a 1024 x 768 x 24 virtual X server; a failure
// of the current test when the child's fails.
void RunTestOnVirtualDesktop();

// Handles messages and presents the screen for a while, so that the X server shows what was drawn.
void LetDesktopSettle();

// A caption colour: between the caption colour and its gradient end, active or not.
bool IsCaptionColour(COLORREF c);
