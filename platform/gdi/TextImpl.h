// Internal: measuring and painting runs of text for TextOut, ExtTextOut and DrawText.
#pragma once

#include <vector>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/FontImpl.h"

// The advance of the UTF-16 unit at `i` (a surrogate pair counts on its first unit).
int UnitAdvance(TFontInstance& font, const WCHAR* text, int i, int length);

// Advances of each unit, with the DC's character extra and justification applied.
void RunAdvances(TDC* dc, TFontInstance& font, const WCHAR* text, int length, std::vector<int>& out);
int RunWidth(TDC* dc, TFontInstance& font, const WCHAR* text, int length);

struct RunPaint {
  int x = 0;                      // logical left of the first glyph cell
  int top = 0;                    // logical top of the cell
  const int* advances = nullptr;  // per unit; measured when nullptr
  const RECT* clip = nullptr;     // logical clip rectangle, or none
  bool fillBackground = false;    // the cells in the background colour first
  // Units to underline (for '&' prefixes); empty for none.
  const std::vector<bool>* underline = nullptr;
  bool underlineOnly = false;
};
// Paints a run in the DC's text colour with the selected font; returns its width.
int PaintRun(TDC* dc, const WCHAR* text, int length, const RunPaint& how);
