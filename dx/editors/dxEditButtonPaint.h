// Painting shared by the editors' buttons (drop-down buttons and spin buttons): the frame of a
// button by its style and the arrow symbol.
#pragma once

#include "dx/editors/dxEditStyles.h"
#include "platform/forms/Graphics.h"
#include "platform/win/Windows.h"

struct TdxEditButtonLook {
  TdxEditButtonViewStyle style;
  bool pressed;
  bool hot;
  bool transparent;
  bool enabled;
};

void FillSolid(HDC DC, const RECT& Rect, TColor Color);
// Draws the frame (and the face unless transparent or a glyph button) and leaves R as the room for
// the content; answers the colour of the symbol.
TColor DrawEditButtonFrame(HDC DC, RECT& R, const TdxEditButtonLook& Look, bool IsGlyph, HBRUSH Background);
// A filled triangle with a base Width wide at row Y (its top-left corner X), pointing up or down.
void DrawEditButtonArrow(HDC DC, int X, int Y, int Width, bool Up, TColor Color);
