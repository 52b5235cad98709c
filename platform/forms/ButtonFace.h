// The glyph and caption of a button laid out and drawn as the framework's glyph buttons do (speed
// buttons, bitmap buttons): side by side or one above the other, centred or at a margin.
#pragma once

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Graphic.h"

struct TButtonFace {
  const String* Caption = nullptr;
  TBitmap* Glyph = nullptr;  // may be empty; its images side by side
  int NumGlyphs = 1;
  int GlyphIndex = 0;  // the image to show: 0 up, 1 disabled, 2 down, 3 exclusive
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;  // -1 centres glyph and caption together
  int Spacing = 4;
  bool Pressed = false;  // the face moves a pixel right and down
  bool Disabled = false;  // the caption is drawn embossed
  TColor TextColor = clBtnText;
};

// Draws into `Client` on a DC whose font is the caption's.
void DrawButtonFace(HDC DC, RECT Client, const TButtonFace& Face);
