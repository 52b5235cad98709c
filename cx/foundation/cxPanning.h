// The arithmetic of middle-button panning: which way and how fast a mouse position scrolls.
#pragma once

#include "cx/foundation/cxControls.h"

// The origin marker bitmaps are this many pixels square; their width is the neutral zone's size.
constexpr int cxPanningMarkerSize = 29;

struct TcxPanningStep {
  TcxScrollStepDirection Direction;
  // 0 in the neutral zone, else 1 to 12: one scroll every (13 - Speed) ticks of 20 ms.
  int Speed;
};

// P and AStart in screen coordinates; a missing bar stretches the neutral zone across the screen.
TcxPanningStep cxPanningStep(POINT AStart, POINT P, int AOriginSize, bool AHorizontal, bool AVertical);
