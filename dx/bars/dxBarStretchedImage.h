// Image-list images drawn at another size (large icons double the toolbars' glyphs).
#pragma once

#include "platform/rtl/WinDef.h"

class TCanvas;
class TCustomImageList;

// The image as the list draws it (enabled or embossed), stretched to R, its masked pixels leaving
// what the canvas holds.
void DrawStretchedListImage(TCustomImageList* Images, TCanvas* Canvas, const RECT& R, int Index,
                            bool Enabled);
